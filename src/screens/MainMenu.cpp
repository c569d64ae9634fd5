// The main menu: six buttons in a column that slide in when the game starts.
#include <array>

#include "app/Audio.h"
#include "app/Dispatch.h"
#include "app/ScreenHooks.h"
#include "app/ShellState.h"
#include "app/TMForm.h"
#include "screens/MenuItems.h"
#include "sprites/TMenuButton.h"

namespace {
constexpr int kMenuList = 1;
constexpr int kButtonX = 12;
constexpr int kIntroSound = 0;
// Home rows of buttons 1..6 and where the opening animation starts them.
constexpr std::array<int, 7> kHomeY = {0, 173, 232, 291, 351, 412, 473};
constexpr std::array<int, 7> kIntroY = {0, -300, -200, -100, 700, 800, 900};
constexpr int kFirstNormalPicture = 2;
constexpr int kFirstHighPicture = 8;
// Pixels a button slides per tick at 85 frames a second.
constexpr double kIntroSpeed = 50 * 0.5;

void RestoreNormalPictures() {
  for (int i = 1; i <= 6; ++i) {
    if (TMenuButton* button = ItemButton(i)) button->NormalPicture = kFirstNormalPicture + i - 1;
  }
}

// Moves the nearest unfinished button of a group one step toward its place; a button that
// reached or passed its place is set on it and the next one moves.
void SlideGroup(std::array<int, 3> items, double step) {
  for (int item : items) {
    TMenuButton* button = ItemButton(item);
    if (!button) continue;
    const double home = kHomeY[item];
    const bool fromAbove = kIntroY[item] < home;
    if (fromAbove ? button->Y < home : button->Y > home) {
      button->Y += fromAbove ? step : -step;
      return;
    }
    button->Y = home;
  }
}

void RunIntro() {
  const double step = kIntroSpeed * MotionFactor;
  SlideGroup({3, 2, 1}, step);
  SlideGroup({4, 5, 6}, step);
  TMenuButton* first = ItemButton(1);
  TMenuButton* last = ItemButton(6);
  if (first && last && first->Y == kHomeY[1] && last->Y == kHomeY[6]) {
    MenuIntroActive = false;
    RestoreNormalPictures();
  }
}
}  // namespace

void EnterMainMenu(bool intro, int item, bool create) {
  CurrentScreen = ScreenMainMenu;
  if (create) PlayScreenMusic();
  ShowMouseCursor();
  FirstItem = 1;
  LastItem = 6;
  SelectedItem = item;
  MenuIntroActive = intro;
  CreateMenuBackdrop();
  if (create) {
    for (int i = 1; i <= 6; ++i) {
      auto* button =
          TMenuButton::Create(&MForm->MDXSpriteEngine, kMenuList, kFirstNormalPicture + i - 1,
                              kFirstHighPicture + i - 1,
                              /*normalPattern=*/0, /*highPattern=*/0, kButtonX, kHomeY[i]);
      button->RaiseZ = true;
      ItemSprites[i] = button;
    }
  }
  for (int i = 1; i <= 6; ++i) {
    TMenuButton* button = ItemButton(i);
    if (!button) continue;
    if (intro) {
      button->Y = kIntroY[i];
    } else {
      button->AlphaOn = false;
      button->Alpha = 255;
    }
  }
  if (intro) {
    PlaySound(kIntroSound);
  } else {
    RestoreNormalPictures();
  }
}

void LeaveMainMenu() {
  CurrentScreen = ScreenNone;
  RemoveMenuBackdrop();
  RemoveItems();
}

void RunMainMenu() {
  if (MenuIntroActive) {
    RunIntro();
    return;
  }
  HighlightSelection(/*mouseTest=*/false);
  const bool arrow = InputEdges.Left || InputEdges.Right || InputEdges.Up || InputEdges.Down;
  if (SelectedItem < FirstItem || SelectedItem > LastItem) {
    if (arrow) SelectedItem = FirstItem;
  } else {
    if (InputEdges.Up) SelectedItem = PreviousItemWrap(SelectedItem, FirstItem, LastItem);
    if (InputEdges.Down) SelectedItem = NextItemWrap(SelectedItem, FirstItem, LastItem);
  }
  if (InputEdges.EscapeKey) OpenDialog(DialogExitGame);
}
