// The window's system commands, close requests and the application's activation.
#include "app/Dispatch.h"
#include "app/ShellState.h"
#include "app/TMForm.h"
#include "platform/KeyCodes.h"
#include "storage/GameOptions.h"

// The level-start message gives way to the pause.
void TMForm::PauseRaceWhenHidden() {
  if (CurrentScreen != ScreenRace) return;
  if (ActiveDialog == DialogLevelStart) CloseDialog();
  OpenDialog(DialogPause);
}

void TMForm::Idle() {
  MDXTimer.Idle();
}

void TMForm::WMSysCommand(uint32_t command) {
  switch (command & 0xFFF0) {
    case kSysCommandMinimize:
      PauseRaceWhenHidden();
      break;
    case kSysCommandRestore:
      MDXDraw.Initialize(GameOptions.FullScreen);
      break;
    default:
      break;
  }
}

void TMForm::WMSize(int sizeType) {
  if (sizeType == kSizeMinimized) PauseRaceWhenHidden();
}

bool TMForm::FormCloseQuery() {
  if (CurrentScreen == ScreenRace) {
    OpenDialog(DialogExitToMenu);
  } else if (CurrentScreen == ScreenMainMenu) {
    OpenDialog(DialogExitGame);
  }
  return false;
}

void TMForm::ApplicationActivate(bool active) {
  Active_ = active;
  MDXTimer.SetApplicationActive(active);
  MDXInput.SetActive(active);
}

void TMForm::MinimizeApplication() {
  MDXDraw.Device().Minimize();
  WMSysCommand(kSysCommandMinimize);
  WMSize(kSizeMinimized);
  ApplicationActivate(false);
}
