// The bike selection screen: a portrait of the chosen model with its ratings, arrows to flip
// through the five models with a cross-fade, and the start button.
#include <algorithm>

#include "app/Dispatch.h"
#include "app/ScreenHooks.h"
#include "app/ShellState.h"
#include "app/TMForm.h"
#include "race/BikeModels.h"
#include "race/RiderState.h"
#include "screens/MenuItems.h"
#include "sprites/ImageDrawing.h"
#include "sprites/TMenuButton.h"

int BikeChangeState = 0;
int PendingBike = 1;
TMyImageSprite* BikePicture = nullptr;
TMyImageSprite* NextBikePicture = nullptr;

namespace {
constexpr int kMenuList = 1;
constexpr int kRaceList = 2;
constexpr int kFirstPortrait = 28;  // models 1..5 are pictures 28..32
constexpr int kPortraitX = 456;
constexpr int kPortraitY = 180;
constexpr int kTitlePicture = 25;
constexpr int kPanelPicture = 52;
constexpr int kTitleSlot = 16;
constexpr int kPanelSlot = 17;
constexpr int kFadeStep = 20;
constexpr int kRatingMarkPicture = 54;
constexpr int kRatingX = 546;
constexpr int kRatingSpacing = 18;
constexpr int kRatingRowY[4] = {396, 424, 454, 486};

enum Item { kPrevious = 7, kNext = 8, kStart = 9, kBack = 10 };

struct ItemPlace {
  int Item, Picture, X, Y;
};
constexpr ItemPlace kItems[] = {{kPrevious, 37, 378, 180},
                                {kNext, 38, 712, 180},
                                {kStart, 39, 366, 542},
                                {kBack, 36, 661, 542}};

int Portrait(int model) {
  return kFirstPortrait + model - 1;
}

void RemoveSprite(TMyImageSprite*& sprite) {
  if (sprite) sprite->RequestRemoval();
  sprite = nullptr;
}

void MoveByKeys() {
  const TInputEdges& e = InputEdges;
  if (e.Left) {
    if (SelectedItem == kPrevious) {
      ConfirmItem(kPrevious);
    } else if (SelectedItem == kNext) {
      SelectedItem = kPrevious;
    } else if (SelectedItem == kBack) {
      SelectedItem = kStart;
    }
  }
  if (e.Right) {
    if (SelectedItem == kNext) {
      ConfirmItem(kNext);
    } else if (SelectedItem == kPrevious) {
      SelectedItem = kNext;
    } else if (SelectedItem == kStart) {
      SelectedItem = kBack;
    }
  }
  if (e.Up) {
    if (SelectedItem == kStart) SelectedItem = kPrevious;
    if (SelectedItem == kBack) SelectedItem = kNext;
  }
  if (e.Down) {
    if (SelectedItem == kPrevious) SelectedItem = kStart;
    if (SelectedItem == kNext) SelectedItem = kBack;
  }
  if ((e.Left || e.Right || e.Up || e.Down) && (SelectedItem < kPrevious || SelectedItem > kBack)) {
    SelectedItem = kPrevious;
  }
  if (e.EscapeKey) ConfirmItem(kBack);
}

void RunPictureChange() {
  if (!BikePicture || !NextBikePicture) return;
  if (BikeChangeState == 0) {
    BikePicture->AlphaOn = NextBikePicture->AlphaOn = false;
    BikePicture->Alpha = NextBikePicture->Alpha = 255;
    BikePicture->Visible = true;
    NextBikePicture->Visible = false;
    return;
  }
  BikePicture->AlphaOn = NextBikePicture->AlphaOn = true;
  BikePicture->Alpha -= kFadeStep;
  if (BikePicture->Alpha <= 0) {
    BikePicture->SetPicture(Portrait(PendingBike));
    BikeChangeState = 0;
    BikeModel = PendingBike;
  }
}

void DrawRatingBars() {
  TDXImageList* list = &MForm->MDXImageList2;
  const TPictureCollectionItem* mark = list->Item(kRatingMarkPicture);
  if (!mark || !MForm->MDXDraw.Initialized()) return;
  const TBikeModel& model = BikeModels[std::clamp(BikeModel, 1, kBikeModelCount)];
  const int ratings[4] = {model.Max, model.Steer, model.Accel, model.Brake};
  for (int row = 0; row < 4; ++row) {
    for (int i = 1; i <= ratings[row]; ++i) {
      DrawPattern(*mark, MForm->MDXDraw.BackBuffer(), kRatingX + kRatingSpacing * (i - 1),
                  kRatingRowY[row], 0);
    }
  }
}

void StartPictureChange(int pending) {
  BikeChangeState = 1;
  PendingBike = pending;
  NextBikePicture->SetPicture(Portrait(PendingBike));
  NextBikePicture->Visible = true;
}
}  // namespace

void EnterBikeSelect() {
  CurrentScreen = ScreenBikeSelect;
  BikeChangeState = 0;
  FirstItem = kPrevious;
  LastItem = kBack;
  SelectedItem = kStart;
  TSpriteEngine* engine = &MForm->MDXSpriteEngine;
  ItemSprites[kTitleSlot] = TMyImageSprite::CreateAt(engine, kMenuList, kTitlePicture, 312, 42, 4);
  ItemSprites[kPanelSlot] = TMyImageSprite::CreateAt(engine, kMenuList, kPanelPicture, 358, 130, 3);
  BikePicture =
      TMyImageSprite::CreateAt(engine, kMenuList, Portrait(BikeModel), kPortraitX, kPortraitY, 4);
  NextBikePicture =
      TMyImageSprite::CreateAt(engine, kMenuList, Portrait(BikeModel), kPortraitX, kPortraitY, 4);
  NextBikePicture->Visible = false;
  for (const ItemPlace& place : kItems) {
    auto* button = TMenuButton::Create(engine, kMenuList, place.Picture, place.Picture,
                                       /*normalPattern=*/1, /*highPattern=*/0, place.X, place.Y);
    button->SetZ(5);
    ItemSprites[place.Item] = button;
  }
}

void RunBikeSelect() {
  HighlightSelection(/*mouseTest=*/true);
  MoveByKeys();
  if (CurrentScreen != ScreenBikeSelect) return;  // the back key left the screen
  RunPictureChange();
  DrawRatingBars();
}

void LeaveBikeSelect() {
  RemoveItems();
  RemoveMenuBackdrop();
  for (int slot : {kTitleSlot, kPanelSlot}) {
    if (auto* sprite = dynamic_cast<TMyImageSprite*>(ItemSprites[slot])) sprite->RequestRemoval();
    ItemSprites[slot] = nullptr;
  }
  RemoveSprite(BikePicture);
  RemoveSprite(NextBikePicture);
  CurrentScreen = ScreenNone;
}

void PreviousBike() {
  StartPictureChange(BikeModel == 1 ? kBikeModelCount : BikeModel - 1);
}

void NextBike() {
  StartPictureChange(BikeModel == kBikeModelCount ? 1 : BikeModel + 1);
}
