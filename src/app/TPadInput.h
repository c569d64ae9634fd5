// The game controllers' state and what it stands for: the pad plays the keyboard's part, with
// one layout for driving and one for the menus and dialogs.
#pragma once

#include <array>
#include <map>

#include "app/TDXInput.h"
#include "platform/Devices.h"

class TPadInput {
 public:
  // How far a stick must leave the centre, and a trigger be pulled, to count.
  static constexpr int kStickDeadZone = 12000;
  static constexpr int kTriggerThreshold = 8000;

  void Plug(int pad);
  // Forgets the pad's buttons and axes: a pad that is gone holds nothing.
  void Unplug(int pad);
  // A button keeps the layout it was pressed in until it is released, so the A that confirmed
  // a dialog does not become the throttle when the race resumes under it.
  void SetButton(int pad, PadButton button, bool down, bool driving);
  bool PressedDriving(int pad, PadButton button) const;
  void SetAxis(int pad, PadAxis axis, int value);
  bool AnyPlugged() const { return !Pads_.empty(); }

  // Whether any pad holds the control of the keyboard state. Driving (a race under way):
  // the d-pad and left stick steer, accelerate and brake, A and the right trigger accelerate,
  // the left trigger brakes, B is the extra brake, Y the horn. Elsewhere A is Enter and B
  // Escape. Start is the pause key and Back Escape in both.
  bool Holds(TDXInputState state, bool driving) const;

 private:
  struct Pad {
    std::array<bool, kPadButtonCount> Buttons{};
    std::array<bool, kPadButtonCount> Driving{};  // the layout each button was pressed in
    std::array<int, kPadAxisCount> Axes{};
    bool Button(PadButton b) const { return Buttons[static_cast<int>(b)]; }
    // Held, and pressed in the given layout.
    bool Button(PadButton b, bool driving) const {
      return Button(b) && Driving[static_cast<int>(b)] == driving;
    }
    int Axis(PadAxis a) const { return Axes[static_cast<int>(a)]; }
  };
  static bool PadHolds(const Pad& pad, TDXInputState state, bool driving);

  std::map<int, Pad> Pads_;
};
