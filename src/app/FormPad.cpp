// Game controller events: the pad's buttons that stand for Enter and Escape act as those keys'
// events do; the rest is read with the polled keys (TPadInput).
#include "app/ShellState.h"
#include "app/TMForm.h"
#include "platform/KeyCodes.h"

namespace {
// The key a pad button's event stands for outside the race: A confirms as Enter does, B and
// Back go back as Escape does; 0 for none. Driving, only Back is a key (Escape).
uint16_t KeyOfButton(PadButton button, bool driving) {
  if (button == PadButton::Back) return vk::Escape;
  if (driving) return 0;
  if (button == PadButton::A) return vk::Return;
  if (button == PadButton::B) return vk::Escape;
  return 0;
}
}  // namespace

void TMForm::PadPlugged(int pad, bool plugged) {
  if (plugged) {
    Pad_.Plug(pad);
    return;
  }
  Pad_.Unplug(pad);
  // A pad that goes dead mid-race must not leave the bike running into a wall.
  PauseRaceWhenHidden();
}

bool TMForm::PadDriving() const {
  // The level-start message only waits: the pad is already the bike's, so a throttle held
  // through it counts when the race starts.
  return CurrentScreen == ScreenRace &&
         (ActiveDialog == DialogNone || ActiveDialog == DialogLevelStart);
}

void TMForm::PadButtonChanged(int pad, PadButton button, bool down) {
  // A release means what the press meant.
  const bool driving = down ? PadDriving() : Pad_.PressedDriving(pad, button);
  Pad_.SetButton(pad, button, down, driving);
  const uint16_t key = KeyOfButton(button, driving);
  if (key == 0) return;
  if (!down) {
    FormKeyUp(key, 0);
    return;
  }
  FormKeyDown(key, 0);
  if (key == vk::Return) FormKeyPress('\r');
}

void TMForm::PadAxisMoved(int pad, PadAxis axis, int value) {
  Pad_.SetAxis(pad, axis, value);
}
