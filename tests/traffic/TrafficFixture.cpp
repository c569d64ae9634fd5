#include "TrafficFixture.h"

#include <unistd.h>

#include "app/Audio.h"
#include "app/FrameTiming.h"
#include "app/InputState.h"
#include "app/Random.h"
#include "app/ScreenHooks.h"
#include "app/ShellState.h"
#include "race/BikeModels.h"
#include "race/RiderState.h"
#include "race/TBonus.h"
#include "race/TPlayer.h"
#include "race/TScrollBackground.h"
#include "race/TrackGenerator.h"
#include "race/TrackState.h"
#include "storage/GameOptions.h"

void TrafficTest::SetUp() {
  BakedGameTest::SetUp();
  // The race's sprites alone in the engine, so the pickup tests see only them.
  LeaveMainMenu();
  Engine().PurgeRemoved();
  ASSERT_EQ(Engine().ChildCount(), 0);
  SoundsPlayed();
  CurrentScreen = ScreenRace;
  MotionFactor = 1.0;
  FrameMs = 11;
}

void TrafficTest::BuildTrack(int level, uint32_t seed) {
  RandSeed = seed;
  BuildLevel(level);
}

void TrafficTest::LayStraightTrack(int level) {
  ResetTrackState();
  Level = level;
  TrackLength = 300;
  BonusCount = 10 * level;
  constexpr std::array<int8_t, 8> kRow = {1, 0, 10, 11, 11, 12, 0, 13};
  for (int row = 1; row <= kTrackRows; ++row) {
    TrackRowKind[row] = SectionStraight;
    TrackCenterX[row] = kStraightCentreX;
    for (int i = 0; i < 8; ++i) TrackGrid[row][kStraightLeftEdge - 2 + i] = kRow[i];
  }
  ViewCol = 318;
  ViewRow = 1478;
}

void TrafficTest::CreateRace(bool withBike) {
  Road = TScrollBackground::Create(&Engine(), 2, 1, TScrollBackground::kRoadColumns,
                                   TScrollBackground::kRoadRows);
  Road->RefreshRoadWindow();
  TBonus::Create(&Engine());
  if (withBike) {
    TPlayer::Create(&Engine(), 400, 400);
    Road->Rider = Player;
  }
  TCar::Create(&Engine());
}

TOpponent& TrafficTest::PutRider(int slot, double centreX, double centreY, double step) {
  TOpponent& car = Opponents->Slots[slot];
  car = TOpponent{};
  car.Active = true;
  car.Model = 1;
  car.Image = BikeModels[1].UprightImage;
  car.Step = step;
  car.Speed = step * 8 / MaxFactor(1);
  car.PosX = centreX - BikeModels[1].RidingWidth / 2.0;
  car.PosY = centreY - BikeModels[1].RidingHeight / 2.0 + step * 0.5 * MotionFactor;
  car.LaneOffset = -30;
  car.LaneTimerMs = car.SpeedTimerMs = 1000000;
  return car;
}
