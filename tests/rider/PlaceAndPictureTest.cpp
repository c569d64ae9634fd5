// The race place among several opponents, level or not, and where the bike's picture is drawn
// while it lies after a crash.
#include <gtest/gtest.h>

#include <vector>

#include "RaceFixture.h"
#include "app/ShellState.h"
#include "race/BikeModels.h"
#include "race/RiderState.h"
#include "race/TBonus.h"
#include "race/TCar.h"
#include "race/TPlayer.h"
#include "race/TScrollBackground.h"
#include "race/TrackState.h"
#include "resources/ImageCollection.h"

class RacePlaceTest : public RaceTest {
 protected:
  void SetUp() override {
    RaceTest::SetUp();
    StartRace(1);
    LayStraightTrack();
    TimeLeftMs = 600000;
    PlaceBikeOnRoad(1470);
    Ticks(1);
  }
  // The opponents of `slots` stand `dy` world pixels below (positive) or above the bike's
  // centre, a lane left of it so that nobody touches; the others leave the race. One frame.
  void Stand(const std::vector<std::pair<int, double>>& slots) {
    PlaceBikeOnRoad(1470);
    const double bikeY = ViewRow * kTilePx - Road->Y + Bike().CenterY;
    for (TOpponent& car : Opponents->Slots) car.Active = false;
    for (const auto& [slot, dy] : slots) {
      TOpponent& car = Opponents->Slots[slot];
      car.Active = true;
      car.Model = 1;
      car.Speed = car.Step = 0;
      car.Heading = 0;
      car.PosX = TrackCenterX[1470] - 150;
      car.CenterY = bikeY + dy;
      car.PosY = car.CenterY - BikeModels[1].RidingHeight / 2.0;
    }
    Ticks(1);
  }
};

TEST_F(RacePlaceTest, ThePlaceCountsTheOpponentsAheadAmongSeveral) {
  struct Case {
    std::vector<std::pair<int, double>> Slots;
    int Place;
  };
  // Slot 3 left out, so an empty slot sits among the active ones.
  const std::vector<Case> cases = {
      {{{1, -200}, {2, -100}, {4, 100}}, 3}, {{{1, 50}, {2, 100}, {4, 200}}, 1},
      {{{1, -50}, {2, 100}, {4, 200}}, 2},   {{{1, -300}, {2, -200}, {4, -100}}, 4},
      {{{4, 300}, {1, -200}, {2, 100}}, 2},  {{{2, -100}, {5, -50}}, 3},
      {{{2, 100}, {5, -50}}, 2},
      // One opponent, ahead or behind, and none at all.
      {{{3, -100}}, 2},
      {{{3, 100}}, 1},
      {{}, 1},
  };
  for (const Case& c : cases) {
    Stand(c.Slots);
    EXPECT_EQ(RacePlace, c.Place) << "case " << &c - &cases[0];
    EXPECT_EQ(RacerCount, static_cast<int>(c.Slots.size()) + 1) << "case " << &c - &cases[0];
  }
}

// Level with an opponent the place stays what it was, whichever opponent it is.
TEST_F(RacePlaceTest, LevelWithAnOpponentThePlaceStays) {
  Stand({{1, -200}, {2, -100}, {4, 100}});
  ASSERT_EQ(RacePlace, 3);
  Stand({{1, -200}, {2, 0}, {4, 100}});
  EXPECT_EQ(RacePlace, 3);
  Stand({{1, 50}, {2, 100}, {4, 200}});
  ASSERT_EQ(RacePlace, 1);
  Stand({{1, 0}, {2, 100}, {4, 200}});
  EXPECT_EQ(RacePlace, 1) << "level with the first";
  Stand({{1, -200}, {2, -100}, {4, 0}});
  EXPECT_EQ(RacePlace, 1) << "level with the last";
  Stand({{1, -200}, {2, -100}, {4, -50}});
  ASSERT_EQ(RacePlace, 4);
  Stand({{1, -200}, {2, -100}, {4, 0}});
  EXPECT_EQ(RacePlace, 4);
}

// Lying after a crash, before its restart place is chosen, the bike is drawn centred on its top
// edge: half its picture's height higher than when it rides.
TEST_F(RaceTest, ACrashedBikeIsDrawnHalfItsHeightHigherUntilItsRestartIsChosen) {
  StartRace(1);
  LayStraightTrack();
  TimeLeftMs = 600000;
  // Only the bike on a black screen around it.
  Road->Visible = false;
  Bonuses->Visible = false;
  ClearSkidMarks();
  Bike().Crash();
  Bike().CrashHeadingSet = true;
  Bike().Heading = 0;
  Bike().Speed = Bike().Step = 0;
  // The picture rests on its last pattern, so both frames show the same one.
  Bike().AnimSpeedPercent = 0;
  Bike().AnimRate = 0;
  Bike().AnimPosition = BikeModels[1].CrashFrames - 1;
  auto extent = [&](bool placed) {
    Bike().RespawnPlaced = placed;
    Bike().CrashTimerMs = 3000;
    Ticks(2);
    const Surface& picture = Game->Devices().display->LastFrame;
    int top = 600, bottom = -1;
    for (int y = 0; y < 600; ++y)
      for (int x = 300; x < 500; ++x)
        if (picture.At(x, y) != 0) {
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
    return std::pair{top, bottom};
  };
  const auto [top, bottom] = extent(false);
  const auto [placedTop, placedBottom] = extent(true);
  ASSERT_TRUE(Bike().Crashed);
  const int height = Bike().Image()->GetPatternHeight();
  ASSERT_GT(height, 20);
  // Centred on y 400, and on y 400 + height / 2 (truncated).
  EXPECT_EQ(placedTop - top, static_cast<int>(400 + height / 2.0) - 400);
  EXPECT_EQ(placedBottom - bottom, static_cast<int>(400 + height / 2.0) - 400);
  EXPECT_LT(top, 400 - height / 4) << "the lying bike reaches up the road";
}
