// The opponents: how many ride each level and where they start, staying pointed along the
// road, lane offsets pulled back, swerving around the bike and each other, braking for bends,
// falling and coming back, stopping past the finish, the same race for the same seed, and the
// drawing the bike's routine asks for.
#include <gtest/gtest.h>

#include <cmath>

#include "TrafficFixture.h"
#include "app/Random.h"
#include "app/ShellState.h"
#include "race/BikeModels.h"
#include "race/TBonus.h"
#include "race/TPlayer.h"
#include "race/TrackState.h"
#include "sprites/TSpriteEngine.h"

namespace {

using OpponentTest = TrafficTest;

std::vector<int> ActiveSlots() {
  std::vector<int> slots;
  for (int slot = 1; slot <= TCar::kSlots; ++slot)
    if (Opponents->Slots[slot].Active) slots.push_back(slot);
  return slots;
}

void MoveRiders(int frames) {
  for (int i = 0; i < frames; ++i) Opponents->Move(FrameMs);
}

TEST_F(OpponentTest, LevelDecidesWhichSlotsRideAndEachDrawsOnlyItsModel) {
  const std::vector<std::vector<int>> expected = {{1},
                                                  {2, 3},
                                                  {1, 2, 3},
                                                  {2, 3},
                                                  {1, 2, 3, 4, 5},
                                                  {1, 2, 3, 4, 5},
                                                  {1, 2, 3, 4, 5},
                                                  {1, 2, 3, 4, 5},
                                                  {1, 2, 3, 4, 5},
                                                  {1, 2, 3, 4, 5}};
  for (int level = 1; level <= 10; ++level) {
    BuildTrack(level, 500 + level);
    if (Opponents == nullptr) CreateRace();
    const uint32_t seed = RandSeed;
    Opponents->PlaceOpponents();
    EXPECT_EQ(ActiveSlots(), expected[level - 1]) << "level " << level;
    uint32_t afterModels = seed;
    for (size_t i = 0; i < expected[level - 1].size(); ++i)
      afterModels = afterModels * 134775813u + 1;
    EXPECT_EQ(RandSeed, afterModels) << "one draw per rider, none in the first step";
    for (const int slot : ActiveSlots()) {
      const TOpponent& car = Opponents->Slots[slot];
      ASSERT_GE(car.Model, 1);
      ASSERT_LE(car.Model, 5);
      EXPECT_EQ(car.Image, BikeModels[car.Model].UprightImage);
      // The start grid stands on the road, ahead of or beside the bike.
      EXPECT_TRUE(IsRoadAtWorld(static_cast<int>(car.CenterX), static_cast<int>(car.CenterY)))
          << "level " << level << " slot " << slot;
      EXPECT_LE(car.CenterY, 72 * ViewRow + Player->CenterY + 1);
      EXPECT_GT(car.Speed, 0.0);
      // Everything else starts at 0 but the two change timers, which the first step counts.
      EXPECT_EQ(car.LaneTimerMs, 5000 - FrameMs);
      EXPECT_EQ(car.SpeedTimerMs, 5000 - FrameMs);
      EXPECT_EQ(car.Heading, 0.0);
      EXPECT_EQ(car.Lean, 0.0);
      EXPECT_EQ(car.LeanHold, 0.0);
      EXPECT_EQ(car.LeanDir, 0);
      EXPECT_EQ(car.HitCount, 0);
      EXPECT_FALSE(car.KnockedOut);
      EXPECT_FALSE(car.Avoiding);
    }
  }
}

TEST_F(OpponentTest, HeadingStaysWithinSixteenOfTheRoadsDirection) {
  LayStraightTrack(1);
  CreateRace(false);
  TOpponent& car = PutRider(1, kStraightCentreX, 72 * 1400 + 36, 0);
  car.Heading = 40;
  MoveRiders(1);
  EXPECT_EQ(car.Heading, 16);
  car.Heading = -40;
  MoveRiders(1);
  EXPECT_EQ(car.Heading, -16);

  // On a drift row the direction is the diagonal's.
  const int row = static_cast<int>(std::nearbyint(car.CenterY)) / 72;
  TrackRowKind[row] = SectionDriftLeft;
  car.Heading = -40;
  MoveRiders(1);
  EXPECT_NEAR(car.Heading, -18.89 - 16, 1e-9);
  TrackRowKind[row] = SectionDriftRight;
  car.Heading = 0;
  MoveRiders(1);
  EXPECT_NEAR(car.Heading, 18.89 - 16, 1e-9);
}

TEST_F(OpponentTest, LaneOffsetsBeyondTheLanesArePulledBack) {
  LayStraightTrack(1);
  CreateRace(false);
  TOpponent& car = PutRider(1, kStraightCentreX, 72 * 1400 + 36, 0);
  for (const auto& [offset, after] :
       {std::pair{91.0, 60.0}, {90.0, 90.0}, {-81.0, -30.0}, {-80.0, -80.0}}) {
    car.LaneOffset = offset;
    MoveRiders(1);
    EXPECT_EQ(car.LaneOffset, after) << offset;
  }
}

// The bike stands still at (400, 400); its outline is its picture's box.
class BikeAheadTest : public OpponentTest {
 protected:
  void SetUp() override {
    OpponentTest::SetUp();
    LayStraightTrack(1);
    CreateRace();
    Player->Corners = {{{400, 400}, {463, 400}, {463, 468}, {400, 468}}};
  }
  // A rider straight below the bike's centre whose points at `ahead` pixels land on the
  // bike's box (its front points 60 ahead, its side points 20 ahead and 20 aside).
  TOpponent& RiderBehindBike(double ahead, double step) {
    const double x = 431 + 72 * ViewCol;
    const double y = 434 + ahead + 72 * ViewRow;
    return PutRider(1, x, y, step);
  }
};

TEST_F(BikeAheadTest, OnlyARiderFasterThanTheBikeSwervesForItsFront) {
  TOpponent& slow = RiderBehindBike(60, 1.0);
  Player->Step = 1.0;
  MoveRiders(1);
  EXPECT_FALSE(slow.Avoiding);
  EXPECT_EQ(slow.LaneOffset, -30);

  TOpponent& fast = RiderBehindBike(60, 1.0);
  Player->Step = 0.5;
  MoveRiders(1);
  EXPECT_TRUE(fast.Avoiding);
  // Left of the centre line it swerves right, harder than for another rider.
  EXPECT_EQ(fast.LaneOffset, -22);
  EXPECT_EQ(fast.AvoidTimerMs, 200);
}

// Either front point alone on the bike is enough: 60 pixels ahead and 2 units to its side, one
// lies just inside the bike's box while the other, and both side points, lie outside it.
TEST_F(BikeAheadTest, EitherFrontPointAloneOnTheBikeMakesAFasterRiderSwerve) {
  Player->Step = 0.5;
  // Centre x 465: the front-left point at x 462.1 is inside the box (400..463), the front-right
  // one at 467.9 is not; x 398 the other way round. The side points, 19.8 pixels ahead, lie
  // below the box's bottom (468) for a centre at y 500.
  for (const double x : {465.0, 398.0}) {
    TOpponent& car = PutRider(1, x + 72 * ViewCol, 500 + 72 * ViewRow, 1.0);
    MoveRiders(1);
    EXPECT_TRUE(car.Avoiding) << x;
    EXPECT_EQ(car.LaneOffset, -30 + 8) << x;
  }
}

TEST_F(BikeAheadTest, SidePointsOnTheBikeTurnAwayWhateverTheSpeed) {
  Player->Step = 5.0;
  // The rider beside the bike: its right side point on the bike.
  const double y = 440 + 72 * ViewRow;
  TOpponent& left = PutRider(1, 400 - 12 + 72 * ViewCol, y + 20, 1.0);
  MoveRiders(1);
  EXPECT_TRUE(left.Avoiding);
  EXPECT_EQ(left.LaneOffset, -36);
  EXPECT_NEAR(left.Heading, -2, 1e-9);

  TOpponent& right = PutRider(1, 463 + 12 + 72 * ViewCol, y + 20, 1.0);
  MoveRiders(1);
  EXPECT_EQ(right.LaneOffset, -24);
  EXPECT_NEAR(right.Heading, 2, 1e-9);

  // An avoidance outlasts the contact by 200 ms, and no aim steers it meanwhile.
  right.PosX += 300;
  int frames = 0;
  while (right.Avoiding && frames < 100) {
    MoveRiders(1);
    ++frames;
  }
  EXPECT_EQ(frames, 20);  // 200 ms in 11 ms frames, and the frame that finds the timer out
}

TEST_F(OpponentTest, ARiderCatchingAnotherSwervesAndTheOneAheadRidesOn) {
  LayStraightTrack(1);
  CreateRace(false);
  const double x = kStraightCentreX - 30;
  const double y = 72 * 1400;
  TOpponent& ahead = PutRider(2, x, y, 1.0);
  TOpponent& behind = PutRider(1, x, y + 60, 1.0);
  // The first frame gives both their outlines; in the second the one behind sees the other.
  MoveRiders(1);
  EXPECT_FALSE(behind.Avoiding);
  MoveRiders(1);
  EXPECT_TRUE(behind.Avoiding);
  EXPECT_EQ(behind.LaneOffset, -24);
  EXPECT_NEAR(behind.Heading, 1, 1e-9);
  EXPECT_FALSE(ahead.Avoiding);
  EXPECT_EQ(ahead.LaneOffset, -30);
}

TEST_F(OpponentTest, RidersBrakeForABendAheadDownTo130AndOtherwiseAccelerate) {
  LayStraightTrack(1);
  CreateRace(false);
  const double y = 72 * 1400 + 36;
  const int lookRow = 1400 - 5;
  for (const int kind : {SectionBendEntry, SectionBendExit}) {
    TrackRowKind[lookRow] = static_cast<uint8_t>(kind);
    TOpponent& car = PutRider(1, kStraightCentreX - 30, y, 0);
    car.Speed = 150;
    MoveRiders(1);
    // Model 1 brakes by (11 - 7) / 40 + 0.25.
    EXPECT_DOUBLE_EQ(car.Decel, 0.35);
    EXPECT_DOUBLE_EQ(car.Speed, 150 - 0.35);

    car.Speed = 120;
    MoveRiders(1);
    EXPECT_EQ(car.Decel, 0);
    // and gains (3 x 9 + 80) / (s sqrt(2 s)).
    EXPECT_DOUBLE_EQ(car.Speed, 120 + 107 / (120 * std::sqrt(240.0)));
  }
  for (const int kind : {SectionStraight, SectionDriftLeft, SectionDriftRight}) {
    TrackRowKind[lookRow] = static_cast<uint8_t>(kind);
    TOpponent& car = PutRider(1, kStraightCentreX - 30, y, 0);
    car.Speed = 150;
    MoveRiders(1);
    EXPECT_EQ(car.Decel, 0) << "section " << kind;
    EXPECT_DOUBLE_EQ(car.Speed, 150 + 107 / (150 * std::sqrt(300.0))) << "section " << kind;
  }
}

TEST_F(OpponentTest, AKnockedOutRiderSlidesLiesASecondAndReturnsOnTheRightShoulder) {
  LayStraightTrack(1);
  CreateRace(false);
  TOpponent& car = PutRider(1, kStraightCentreX - 30, 72 * 1400 + 36, 0);
  car.Speed = 50;
  const double startY = car.PosY;
  Opponents->KnockOut(1);
  EXPECT_EQ(SoundsPlayed(), std::vector<int>{20});
  EXPECT_EQ(car.Image, BikeModels[1].CrashImage);
  const double lastFrame = BikeModels[1].CrashFrames - 1;

  int sliding = 0;
  while (car.Speed > 0 && sliding < 200) {
    MoveRiders(1);
    ++sliding;
    ASSERT_LE(car.AnimFrame, lastFrame);
  }
  EXPECT_EQ(sliding, 63);  // 0.8 a frame off 50
  EXPECT_LT(car.PosY, startY - 50) << "it slides on along the road";

  int lying = 0;
  while (car.KnockedOut && lying < 200) {
    MoveRiders(1);
    ++lying;
    if (lying == 1) {
      EXPECT_EQ(car.Speed, 0);
      EXPECT_EQ(car.AnimFrame, lastFrame);
    }
  }
  // 1000 ms counted down in whole 11 ms frames, then the frame that finds it run out.
  EXPECT_EQ(lying, 92);
  EXPECT_EQ(car.HitCount, 0);
  EXPECT_EQ(car.Image, BikeModels[1].UprightImage);
  // Three columns left of the ground cell beside the right edge: the left lane.
  EXPECT_EQ(car.PosX, 72 * (kStraightLeftEdge + 4 - 3));
  EXPECT_EQ(car.Heading, 0);
  EXPECT_EQ(SoundsPlayed(), std::vector<int>{});
}

TEST_F(OpponentTest, ASlowKnockedOutRiderShowsItsRestingPoseAtOnce) {
  LayStraightTrack(1);
  CreateRace(false);
  TOpponent& car = PutRider(1, kStraightCentreX - 30, 72 * 1400, 0);
  car.Speed = 10;
  Opponents->KnockOut(1);
  MoveRiders(1);
  EXPECT_EQ(car.AnimFrame, BikeModels[1].CrashFrames - 1);
}

TEST_F(OpponentTest, ARiderLookingAboveTheGridsTopSeesNoRoadLaid) {
  LayStraightTrack(1);
  CreateRace(false);
  // Its look-ahead row lies above row 1: off the grid reads as no road laid.
  TOpponent& car = PutRider(1, kStraightCentreX, 72 * 3, 2.0);
  car.LookAhead = 2;
  MoveRiders(1);
  EXPECT_EQ(car.LookAhead, 0);
  EXPECT_TRUE(std::isfinite(car.Heading));
}

TEST_F(OpponentTest, TheRoadsideKnocksARiderOutOnce) {
  LayStraightTrack(1);
  CreateRace(false);
  // Centre over the left roadside's solid half.
  TOpponent& car = PutRider(1, 72 * (kStraightLeftEdge - 2) + 50, 72 * 1485, 0);
  MoveRiders(1);
  Road->Move(FrameMs);
  EXPECT_TRUE(car.KnockedOut);
  EXPECT_EQ(car.HitCount, 2);
  MoveRiders(3);
  const int timer = car.KnockTimerMs;
  ASSERT_LT(timer, 1000);
  Road->Move(FrameMs);
  MoveRiders(1);
  EXPECT_EQ(car.KnockTimerMs, timer - FrameMs) << "a second contact does not restart the wait";
  EXPECT_EQ(SoundsPlayed(), std::vector<int>{20});
}

// Rides every rider of a level with the bike left at the start; returns the slots' end states.
std::array<TOpponent, TCar::kSlots + 1> RideLevel(int frames) {
  for (int i = 0; i < frames; ++i) {
    Opponents->Move(FrameMs);
    Road->Move(FrameMs);
  }
  return Opponents->Slots;
}

TEST_F(OpponentTest, RidersFollowTheWholeTrackAndStopPastTheFinishTheSameWayForASeed) {
  BuildTrack(5, 4242);
  CreateRace(false);
  const uint32_t seedAtStart = RandSeed;
  const auto first = RideLevel(20000);
  const int stopY = 72 * (1450 - TrackLength);
  for (const int slot : ActiveSlots()) {
    const TOpponent& car = first[slot];
    EXPECT_EQ(car.Speed, 0) << "slot " << slot;
    EXPECT_LT(car.CenterY, stopY);
    EXPECT_GT(car.CenterY, stopY - 72 * 3);
    EXPECT_TRUE(std::isfinite(car.Heading));
  }
  EXPECT_NE(RandSeed, seedAtStart) << "lanes and pace changed on the way";

  BuildTrack(5, 4242);
  Bonuses->PlaceBonuses();
  Opponents->PlaceOpponents();
  const auto second = RideLevel(20000);
  for (int slot = 1; slot <= TCar::kSlots; ++slot) {
    EXPECT_EQ(second[slot].PosX, first[slot].PosX);
    EXPECT_EQ(second[slot].PosY, first[slot].PosY);
    EXPECT_EQ(second[slot].Heading, first[slot].Heading);
  }
}

TEST_F(OpponentTest, DrawsRidersCentredOnThemAndFallenOnesReachingUpTheRoad) {
  LayStraightTrack(1);
  CreateRace(false);
  Surface screen(800, 600);
  TurnCache turned;
  const double cx = 72 * ViewCol + 300;
  const double cy = 72 * ViewRow + 300;
  TOpponent& car = PutRider(1, cx, cy, 0);
  MoveRiders(1);
  auto drawnRows = [&] {
    screen.Fill(0);
    Opponents->DrawOpponents(screen, turned);
    int top = 600, bottom = -1;
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x)
        if (screen.At(x, y) != 0) {
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
    return std::pair{top, bottom};
  };
  auto [top, bottom] = drawnRows();
  EXPECT_GE(top, 300 - 34);
  EXPECT_LT(top, 300 - 20);
  EXPECT_LE(bottom, 300 + 34);
  EXPECT_GT(bottom, 300 + 20);

  Opponents->KnockOut(1);
  car.AnimFrame = BikeModels[1].CrashFrames - 1;
  std::tie(top, bottom) = drawnRows();
  EXPECT_GE(top, 300 - 152);
  EXPECT_LT(top, 300 - 76);
  EXPECT_LE(bottom, 300);

  car.NearView = false;
  std::tie(top, bottom) = drawnRows();
  EXPECT_EQ(bottom, -1);
}

}  // namespace

namespace {
// The road tests roadside contacts of the opponents it knows: it forgets a destroyed opponents'
// sprite, but not a newer one that took its place, and destroying one without a road is safe.
TEST_F(OpponentTest, TheRoadForgetsOnlyTheOpponentsItKnowsWhenTheyGo) {
  LayStraightTrack(1);
  CreateRace(false);
  TCar* first = Opponents;
  ASSERT_EQ(Road->Traffic, first);
  TCar* second = TCar::Create(&Engine());
  ASSERT_EQ(Road->Traffic, second);
  first->RequestRemoval();
  Engine().PurgeRemoved();
  EXPECT_EQ(Road->Traffic, second) << "the newer opponents stay known";
  second->RequestRemoval();
  Engine().PurgeRemoved();
  EXPECT_EQ(Road->Traffic, nullptr);
  EXPECT_EQ(Opponents, nullptr);

  Road->RequestRemoval();
  Engine().PurgeRemoved();
  ASSERT_EQ(Road, nullptr);
  TCar* alone = TCar::Create(&Engine());
  alone->RequestRemoval();
  Engine().PurgeRemoved();
  EXPECT_EQ(Opponents, nullptr);
}
}  // namespace
