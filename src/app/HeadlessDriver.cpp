#include "app/HeadlessDriver.h"

#include <algorithm>

#include "app/ShellState.h"
#include "platform/KeyCodes.h"

namespace {
// The character a key types, as the window's character event delivers it; 0 for none.
char CharacterOf(uint16_t key, uint8_t shift) {
  if (shift & (ss::Alt | ss::Ctrl)) return 0;
  if (key >= 'A' && key <= 'Z') return static_cast<char>((shift & ss::Shift) ? key : key + 32);
  if (key >= '0' && key <= '9') return static_cast<char>(key);
  if (key == vk::Space) return ' ';
  if (key == vk::Return) return '\r';
  if (key == vk::Back) return '\b';
  return 0;
}
}  // namespace

HeadlessDriver::HeadlessDriver(uint32_t seed, int refreshRate, int fps,
                               std::unique_ptr<TextRenderer> text, std::unique_ptr<HttpClient> http,
                               GameFolders folders)
    : Fps_(std::max(fps, 0)) {
  Platform platform = CreateHeadlessPlatform(Devices_);
  platform.text = std::move(text);
  if (http) {
    platform.http = std::move(http);
    Devices_.http = nullptr;
  }
  Devices_.clock->Seed = seed;
  Devices_.display->RefreshRate = refreshRate;
  Form_ = std::make_unique<TMForm>(std::move(platform), std::move(folders));
}

uint8_t HeadlessDriver::ShiftState() const {
  const auto& keys = Devices_.keyboard->Keys;
  uint8_t shift = 0;
  if (keys[vk::Shift]) shift |= ss::Shift;
  if (keys[vk::Menu]) shift |= ss::Alt;
  if (keys[vk::Control]) shift |= ss::Ctrl;
  return shift;
}

void HeadlessDriver::Deliver(const ScriptEvent& event) {
  TMForm& form = *Form_;
  auto& keys = Devices_.keyboard->Keys;
  switch (event.Action) {
    case ScriptEvent::Down:
      keys[event.Key] = true;
      form.FormKeyDown(event.Key, ShiftState());
      break;
    case ScriptEvent::Up:
      keys[event.Key] = false;
      form.FormKeyUp(event.Key, ShiftState());
      break;
    case ScriptEvent::Press: {
      keys[event.Key] = true;
      const uint8_t shift = ShiftState();
      form.FormKeyDown(event.Key, shift);
      if (const char ch = CharacterOf(event.Key, shift)) form.FormKeyPress(ch);
      ReleaseAfterTick_.push_back(event.Key);
      break;
    }
    case ScriptEvent::Type:
      for (char ch : event.Text) form.FormKeyPress(ch);
      break;
    case ScriptEvent::Mouse:
      MouseX_ = event.X;
      MouseY_ = event.Y;
      form.MDXDrawMouseMove(ShiftState(), event.X, event.Y);
      break;
    case ScriptEvent::Click:
      form.MDXDrawMouseDown(ShiftState() | ss::Left, MouseX_, MouseY_);
      form.MDXDrawMouseUp(ShiftState(), MouseX_, MouseY_);
      form.MDXDrawClick();
      break;
    case ScriptEvent::Minimize:
      Devices_.display->Minimized = true;
      form.WMSysCommand(kSysCommandMinimize);
      form.WMSize(kSizeMinimized);
      form.ApplicationActivate(false);
      break;
    case ScriptEvent::Restore:
      Devices_.display->Minimized = false;
      form.WMSysCommand(kSysCommandRestore);
      form.ApplicationActivate(true);
      break;
    case ScriptEvent::Close:
      form.FormCloseQuery();
      break;
    case ScriptEvent::FocusLost:
      form.ApplicationActivate(false);
      break;
    case ScriptEvent::FocusGained:
      Devices_.display->Minimized = false;
      form.ApplicationActivate(true);
      break;
    case ScriptEvent::PadPlug:
      form.PadPlugged(kScriptPad, true);
      break;
    case ScriptEvent::PadUnplug:
      form.PadPlugged(kScriptPad, false);
      break;
    case ScriptEvent::PadDown:
    case ScriptEvent::PadUp:
      form.PadButtonChanged(kScriptPad, event.Button, event.Action == ScriptEvent::PadDown);
      break;
    case ScriptEvent::PadPress:
      form.PadButtonChanged(kScriptPad, event.Button, true);
      ReleasePadAfterTick_.push_back(event.Button);
      break;
    case ScriptEvent::PadAxisMove:
      form.PadAxisMoved(kScriptPad, event.Axis, event.X);
      break;
  }
}

void HeadlessDriver::RunTick() {
  ++Tick_;
  // Exact accumulation of 1000/fps ms a tick: no drift over long runs. The game reads its
  // refresh rate at start-up, before the first tick.
  const int fps = Fps_ > 0 ? Fps_ : std::max(RefreshRate, 1);
  Devices_.clock->Now = static_cast<uint32_t>(Tick_ * 1000 / fps);
  if (!Form_->Terminated()) Form_->Idle();
  for (uint16_t key : ReleaseAfterTick_) {
    Devices_.keyboard->Keys[key] = false;
    Form_->FormKeyUp(key, ShiftState());
  }
  ReleaseAfterTick_.clear();
  for (PadButton button : ReleasePadAfterTick_) Form_->PadButtonChanged(kScriptPad, button, false);
  ReleasePadAfterTick_.clear();
}

void HeadlessDriver::PressPad(PadButton button) {
  ScriptEvent event;
  event.Action = ScriptEvent::PadPress;
  event.Button = button;
  Deliver(event);
  RunTick();
  RunTick();
}

void HeadlessDriver::Press(uint16_t key) {
  ScriptEvent event;
  event.Action = ScriptEvent::Press;
  event.Key = key;
  Deliver(event);
  RunTick();
  RunTick();  // the key is seen up before it can be pressed again
}

void HeadlessDriver::Type(const std::string& text) {
  ScriptEvent event;
  event.Action = ScriptEvent::Type;
  event.Text = text;
  Deliver(event);
  RunTick();
}

void HeadlessDriver::MoveMouse(int x, int y) {
  ScriptEvent event;
  event.Action = ScriptEvent::Mouse;
  event.X = x;
  event.Y = y;
  Deliver(event);
  RunTick();
}

void HeadlessDriver::Click() {
  ScriptEvent event;
  event.Action = ScriptEvent::Click;
  Deliver(event);
  RunTick();
}
