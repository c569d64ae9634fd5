// The window's key and mouse events: Alt+Enter, the boss key, Enter and the mouse highlight.
#include "app/Audio.h"
#include "app/Dispatch.h"
#include "app/InputState.h"
#include "app/TMForm.h"
#include "platform/KeyCodes.h"
#include "sprites/TMenuButton.h"
#include "storage/GameOptions.h"

int MouseX = 0;
int MouseY = 0;

namespace {
constexpr int kHighlightSound = 1;
}  // namespace

void BossHide() {
  StopMusic();
  if (CurrentScreen == ScreenRace) {
    if (ActiveDialog == DialogLevelStart) CloseDialog();
    OpenDialog(DialogPause);
  }
  MusicResumePending = true;
  if (GameOptions.FullScreen) {
    GameOptions.FullScreen = false;
    MForm->EnterWindowed();
  }
  MForm->MinimizeApplication();
}

bool ItemContainsPoint(int item, int x, int y) {
  const auto* button = dynamic_cast<const TMenuButton*>(ItemSprites[item]);
  return button && button->HitBoxContains(x, y);
}

void UpdateHover(bool keep) {
  if (!keep) SelectedItem = 0;
  for (int i = FirstItem; i <= LastItem; ++i) {
    if (i < 1 || i > kItemSlots) continue;
    if (ItemContainsPoint(i, MouseX, MouseY)) {
      SelectedItem = i;
      return;
    }
  }
}

void TMForm::FormKeyDown(uint16_t key, uint8_t shift) {
  if (BossCaptureMode) {
    FormKeyBoss(key, shift, /*pressed=*/true);
  } else if (shift == BossModifier && key == BossKey) {
    BossHide();
  }
  if ((shift & ss::Alt) && key == vk::Return) {
    GameOptions.FullScreen = !GameOptions.FullScreen;
    if (CurrentScreen == ScreenRace) OpenDialog(DialogPause);
    ApplyDisplayMode();
  }
}

void TMForm::FormKeyUp(uint16_t key, uint8_t shift) {
  if (BossCaptureMode) FormKeyBoss(key, shift, /*pressed=*/false);
}

void TMForm::FormKeyPress(char ch) {
  TypeCharacter(ch);
  if (ch == '\r') ConfirmItem(SelectedItem);
}

void TMForm::MDXDrawMouseDown(uint8_t, int, int) {}
void TMForm::MDXDrawMouseUp(uint8_t, int, int) {}

void TMForm::MDXDrawMouseMove(uint8_t, int x, int y) {
  MouseX = x;
  MouseY = y;
  const int selectedBefore = SelectedItem;
  UpdateHover(/*keep=*/CurrentScreen == ScreenMainMenu);
  const bool introRunning = CurrentScreen == ScreenMainMenu && MenuIntroActive;
  if (SelectedItem != selectedBefore && !introRunning) PlaySound(kHighlightSound);
}

void TMForm::MDXDrawClick() {
  ConfirmSelection();
}
