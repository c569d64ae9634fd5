#include "RaceFixture.h"

#include <unistd.h>

#include <cmath>

#include "app/Audio.h"
#include "app/Dispatch.h"
#include "app/FrameTiming.h"
#include "app/InputState.h"
#include "platform/KeyCodes.h"
#include "platform/ttf/TtfTextRenderer.h"
#include "race/RiderState.h"
#include "race/TCar.h"
#include "race/TPlayer.h"
#include "race/TScrollBackground.h"
#include "race/TrackState.h"
#include "screens/Dialogs.h"
#include "storage/GameOptions.h"

namespace fs = std::filesystem;

void RaceTest::StartRace(int model, bool wait) {
  for (int i = 0; i < 200 && MenuIntroActive; ++i) Game->RunTick();
  ASSERT_FALSE(MenuIntroActive);
  Game->RunTick();
  BikeModel = model;
  Game->Press(vk::Return);
  ASSERT_EQ(CurrentScreen, ScreenBikeSelect);
  Game->Press(vk::Return);
  ASSERT_EQ(CurrentScreen, ScreenRace);
  ASSERT_NE(Player, nullptr);
  ASSERT_EQ(ActiveDialog, DialogLevelStart);
  if (wait) {
    WaitWhileDialog(DialogLevelStart);
    // One move, so the bike's outline is in place before a test moves the view.
    Game->RunTick();
  }
  SoundsPlayed();
}

void RaceTest::WaitWhileDialog(DialogKind kind) {
  TicksUntil([&] { return ActiveDialog != kind; }, 2000);
}

void RaceTest::Hold(uint16_t key) {
  ScriptEvent event;
  event.Action = ScriptEvent::Down;
  event.Key = key;
  Game->Deliver(event);
}

void RaceTest::Release(uint16_t key) {
  ScriptEvent event;
  event.Action = ScriptEvent::Up;
  event.Key = key;
  Game->Deliver(event);
}

void RaceTest::PlaceBikeAt(double worldX, int row) {
  TPlayer& bike = Bike();
  // The bike's centre lies six rows and a bit below the view's top row.
  ViewRow = row - static_cast<int>(bike.CenterY) / kTilePx;
  ViewCol = static_cast<int>(std::floor((worldX - bike.CenterX) / kTilePx));
  Road->X = ViewCol * kTilePx + bike.CenterX - worldX;
  Road->Y = 0;
  Road->RefreshRoadWindow();
  bike.Speed = 0;
  bike.Step = 0;
  ScrollVX = 0;
  ScrollVY = 0;
}

void RaceTest::PlaceBikeOnRoad(int row, double offsetPx) {
  PlaceBikeAt(TrackCenterX[row] + offsetPx, row);
}

void RaceTest::LayStraightTrack(int row) {
  const TTrackRow pattern = TrackGrid[row];
  const int32_t centre = TrackCenterX[row];
  for (int r = 1; r <= kTrackRows; ++r) {
    TrackGrid[r] = pattern;
    TrackRowKind[r] = SectionStraight;
    TrackCenterX[r] = centre;
  }
  if (Opponents != nullptr) {
    for (TOpponent& car : Opponents->Slots) car.Active = false;
  }
  Road->RefreshRoadWindow();
}

int RaceTest::BikeRow() const {
  return static_cast<int>(ViewRow * kTilePx + Bike().CenterY - Road->Y) / kTilePx;
}

TPlayer& RaceTest::Bike() const {
  return *Player;
}
