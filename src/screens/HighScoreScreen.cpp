#include "screens/HighScoreScreen.h"

#include <cmath>
#include <string>

#include "app/Dispatch.h"
#include "app/InputState.h"
#include "app/ScreenHooks.h"
#include "app/ShellState.h"
#include "app/TMForm.h"
#include "screens/MenuItems.h"
#include "screens/Text.h"
#include "sprites/TMenuButton.h"
#include "storage/HighScores.h"

namespace {
constexpr int kMenuList = 1;
constexpr int kTitleSlot = 16;
constexpr int kPanelSlot = 17;
constexpr int kTitlePicture = 27;
constexpr int kPanelPicture = 53;
constexpr int kNameStyle = 2;
constexpr int kPointsStyle = 17;
constexpr int kNameX = 578;
constexpr int kPointsX = 732;
constexpr double kFirstRowY = 196;
constexpr double kRowSpacing = 33.7;

enum Item { kClear = 7, kOnline = 8, kBack = 9 };

struct ItemPlace {
  int Item, Picture, X, Y;
};
constexpr ItemPlace kItems[] = {
    {kClear, 40, 365, 532}, {kOnline, 41, 517, 532}, {kBack, 36, 661, 542}};

void MoveByKeys() {
  const TInputEdges& e = InputEdges;
  if ((e.Left || e.Right || e.Up || e.Down) && (SelectedItem < kClear || SelectedItem > kBack)) {
    SelectedItem = kClear;
  }
  if (e.Left) SelectedItem = StepDownWithin(SelectedItem, kClear);
  if (e.Right) SelectedItem = StepUpWithin(SelectedItem, kBack);
  if (e.EscapeKey) ConfirmItem(kBack);
}
}  // namespace

int HighScoreRowY(int entry) {
  // The default rounding mode sends halves to the even neighbour: row 6 is 364.5 -> 364.
  return static_cast<int>(std::nearbyint((entry - 1) * kRowSpacing + kFirstRowY));
}

void DrawHighScores() {
  for (int i = 1; i <= kHighScoreEntries; ++i) {
    const int y = HighScoreRowY(i);
    SetTextStyle(kNameStyle);
    // No more than the name entry lets the player type, however long the stored name.
    PrintText(HighScores[i].Name.substr(0, kMaxNameLength), kNameX, y, /*centerX=*/true,
              /*centerY=*/true);
    SetTextStyle(kPointsStyle);
    PrintText(std::to_string(HighScores[i].Points), kPointsX, y, true, true);
  }
}

void EnterHighScores() {
  CurrentScreen = ScreenHighScores;
  FirstItem = kClear;
  LastItem = kBack;
  SelectedItem = kBack;
  TSpriteEngine* engine = &MForm->MDXSpriteEngine;
  ItemSprites[kTitleSlot] = TMyImageSprite::CreateAt(engine, kMenuList, kTitlePicture, 323, 42, 3);
  // Above the buttons: the panel's lower edge must stay clear of them.
  ItemSprites[kPanelSlot] = TMyImageSprite::CreateAt(engine, kMenuList, kPanelPicture, 356, 130, 5);
  for (const ItemPlace& place : kItems) {
    ItemSprites[place.Item] =
        TMenuButton::Create(engine, kMenuList, place.Picture, place.Picture,
                            /*normalPattern=*/1, /*highPattern=*/0, place.X, place.Y);
  }
}

void RunHighScores(int lagCount) {
  HighlightSelection(/*mouseTest=*/true);
  MoveByKeys();
  if (CurrentScreen != ScreenHighScores) return;  // Escape went back to the main menu
  MForm->MDXSpriteEngine.Move(lagCount);
  DrawHighScores();
}

void LeaveHighScores() {
  CurrentScreen = ScreenNone;
  RemoveMenuBackdrop();
  RemoveItems();
  for (int slot : {kTitleSlot, kPanelSlot}) {
    if (auto* sprite = dynamic_cast<TMyImageSprite*>(ItemSprites[slot])) sprite->RequestRemoval();
    ItemSprites[slot] = nullptr;
  }
}
