#include "app/TPadInput.h"

void TPadInput::Plug(int pad) {
  Pads_[pad];
}

void TPadInput::Unplug(int pad) {
  Pads_.erase(pad);
}

void TPadInput::SetButton(int pad, PadButton button, bool down, bool driving) {
  const int index = static_cast<int>(button);
  if (index < 0 || index >= kPadButtonCount) return;
  Pad& state = Pads_[pad];
  if (down && !state.Buttons[index]) state.Driving[index] = driving;
  state.Buttons[index] = down;
}

bool TPadInput::PressedDriving(int pad, PadButton button) const {
  const int index = static_cast<int>(button);
  const auto it = Pads_.find(pad);
  if (it == Pads_.end() || index < 0 || index >= kPadButtonCount) return false;
  return it->second.Driving[index];
}

void TPadInput::SetAxis(int pad, PadAxis axis, int value) {
  const int index = static_cast<int>(axis);
  if (index < 0 || index >= kPadAxisCount) return;
  Pads_[pad].Axes[index] = value;
}

bool TPadInput::Holds(TDXInputState state, bool driving) const {
  for (const auto& [id, pad] : Pads_) {
    if (PadHolds(pad, state, driving)) return true;
  }
  return false;
}

bool TPadInput::PadHolds(const Pad& pad, TDXInputState state, bool driving) {
  const int x = pad.Axis(PadAxis::LeftX);
  const int y = pad.Axis(PadAxis::LeftY);
  switch (state) {
    case isUp:
      return pad.Button(PadButton::DpadUp) || y < -kStickDeadZone ||
             pad.Button(PadButton::A, true) ||
             (driving && pad.Axis(PadAxis::RightTrigger) > kTriggerThreshold);
    case isDown:
      return pad.Button(PadButton::DpadDown) || y > kStickDeadZone ||
             (driving && pad.Axis(PadAxis::LeftTrigger) > kTriggerThreshold);
    case isLeft:
      return pad.Button(PadButton::DpadLeft) || x < -kStickDeadZone;
    case isRight:
      return pad.Button(PadButton::DpadRight) || x > kStickDeadZone;
    case isButton5:
      return pad.Button(PadButton::Y, true);
    case isButton6:
      return pad.Button(PadButton::Start);
    case isButton9:
      return pad.Button(PadButton::Back) || pad.Button(PadButton::B, false);
    case isButton10:
      return pad.Button(PadButton::B, true);
    case isButton11:
      return pad.Button(PadButton::A, false);
    case isButton7:
    case isButton8:
    case kInputStateCount:
      return false;
  }
  return false;
}
