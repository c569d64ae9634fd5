// Drives the real game on the headless platform: delivers scripted window events and runs the
// application's idle turns on a virtual clock. The headless runner and the tests share it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "app/TMForm.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/InputScript.h"

class HeadlessDriver {
 public:
  // Builds the form on a headless platform; text, when given, draws the game's texts. The
  // virtual clock runs at fps ticks a second, or with fps 0 at the refresh rate the game
  // settled on (its fallback included when the display reports none).
  // http, when given, replaces the headless network (Devices().http is then null).
  HeadlessDriver(uint32_t seed, int refreshRate, int fps,
                 std::unique_ptr<TextRenderer> text = nullptr,
                 std::unique_ptr<HttpClient> http = nullptr,
                 GameFolders folders = GameFolders::WorkingDirectory());

  TMForm& Form() { return *Form_; }
  HeadlessDevices& Devices() { return Devices_; }
  uint64_t TickCount() const { return Tick_; }

  // Delivers one event as the window would, before the next tick.
  void Deliver(const ScriptEvent& event);
  // One turn of the idle loop at the next tick's time; keys pressed with `press` go up after it.
  void RunTick();

  // Conveniences for tests: the event, then one tick (two for a key press, so the next press
  // is a new one).
  void Press(uint16_t key);
  void Type(const std::string& text);
  void MoveMouse(int x, int y);
  void Click();
  void PressPad(PadButton button);
  // The pad number scripts and tests plug in.
  static constexpr int kScriptPad = 0;

 private:
  uint8_t ShiftState() const;

  HeadlessDevices Devices_{};
  std::unique_ptr<TMForm> Form_;
  int Fps_;
  uint64_t Tick_ = 0;
  int MouseX_ = 0;
  int MouseY_ = 0;
  std::vector<uint16_t> ReleaseAfterTick_;
  std::vector<PadButton> ReleasePadAfterTick_;
};
