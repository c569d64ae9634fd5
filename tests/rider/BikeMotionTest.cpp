// The bike's handling through the real game: throttle, top speed, brakes and reverse, steering,
// lean pictures, the ground beside the road and the engine's sounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "RaceFixture.h"
#include "app/ShellState.h"
#include "platform/KeyCodes.h"
#include "race/BikeModels.h"
#include "race/TPlayer.h"
#include "race/TScrollBackground.h"
#include "race/TrackState.h"
#include "resources/ImageCollection.h"
#include "sprites/GameImages.h"

namespace {
// A row of the start straight a little ahead of the start line, clear of the opponents.
constexpr int kStraightRow = 1470;

bool Contains(const std::vector<int>& sounds, int sound) {
  return std::find(sounds.begin(), sounds.end(), sound) != sounds.end();
}
}  // namespace

class BikeMotionTest : public RaceTest {
 protected:
  void SetSpeed(double speed) {
    Bike().Speed = speed;
    Bike().Step = Bike().MaxFactor() * speed / 8;
  }
};

TEST_F(BikeMotionTest, ThrottleAddsThreeTenthsFromStandstillAndStopsAtTheModelsTopSpeed) {
  StartRace(1);
  ASSERT_DOUBLE_EQ(MotionFactor, 1.0);
  Hold(vk::Up);
  Ticks(2);  // the held key reaches the bike one tick after it goes down
  EXPECT_NEAR(Bike().Speed, 0.3, 1e-9);
  Ticks(1);
  EXPECT_NEAR(Bike().Speed, 0.6, 1e-9);

  // Model 1 (max 6): 6 / 110 + 0.9 of 160.
  const double top = (6.0 / 110 + 0.9) * 160;
  EXPECT_NEAR(top, 152.727, 0.001);
  PlaceBikeOnRoad(kStraightRow);
  SetSpeed(top - 1);
  double fastest = 0;
  for (int i = 0; i < 40; ++i) {
    Game->RunTick();
    fastest = std::max(fastest, Bike().Speed);
  }
  EXPECT_GT(fastest, top);
  // One frame's gain at the top: (3 x 9 + 80) / (s sqrt(2 s)) for model 1's acceleration 9.
  EXPECT_LE(fastest, top + 107 / (top * std::sqrt(2 * top)));
  EXPECT_NEAR(Bike().Speed, top, 0.3);
}

TEST_F(BikeMotionTest, TheFastestModelTopsOutAtOneHundredAndSixty) {
  StartRace(2);
  PlaceBikeOnRoad(kStraightRow);
  Hold(vk::Up);
  Ticks(1);
  SetSpeed(159.5);
  double fastest = 0;
  for (int i = 0; i < 40; ++i) {
    Game->RunTick();
    fastest = std::max(fastest, Bike().Speed);
  }
  EXPECT_GT(fastest, 160.0);
  // Model 2 accelerates with 3 x 3 + 80.
  EXPECT_LE(fastest, 160.0 + 89 / (160.0 * std::sqrt(320.0)));
}

TEST_F(BikeMotionTest, DownBrakesIntoReverseToMinusEightAndTheExtraBrakeStopsIt) {
  StartRace(1);
  Hold(vk::Down);
  Ticks(2);
  // Model 1 brakes at (11 - 7) / 40 + 0.25 per frame.
  EXPECT_NEAR(Bike().Speed, -0.35, 1e-9);
  EXPECT_LT(Bike().Step, 0);
  Ticks(30);
  EXPECT_DOUBLE_EQ(Bike().Speed, -8.0);
  // No drag in reverse: the bike keeps its speed with the keys up.
  Release(vk::Down);
  Ticks(5);
  EXPECT_DOUBLE_EQ(Bike().Speed, -8.0);

  Hold(vk::Space);
  const int ticks = TicksUntil([&] { return Bike().Speed == 0; }, 40);
  // 0.6 per frame up from -8 until within 1 of standstill.
  EXPECT_GE(ticks, 12);
  EXPECT_LE(ticks, 14);
}

TEST_F(BikeMotionTest, ReversingStopsAtTheBottomOfTheTrackGrid) {
  StartRace(1);
  PlaceBikeOnRoad(1494);
  ASSERT_EQ(ViewRow, 1488);
  Hold(vk::Down);
  TicksUntil([] { return ViewRow == 1490; }, 600);
  Ticks(3);
  EXPECT_EQ(ViewRow, 1490);
  EXPECT_EQ(Bike().Speed, 0.0);
  EXPECT_EQ(Bike().Step, 0.0);
}

TEST_F(BikeMotionTest, SteeringNeedsMotionAndTurnsTheOtherWayInReverse) {
  StartRace(1);
  Hold(vk::Right);
  Ticks(5);
  EXPECT_EQ(Bike().SteerAcc, 0.0);

  PlaceBikeOnRoad(kStraightRow);
  SetSpeed(60);
  Ticks(1);
  EXPECT_GT(Bike().SteerAcc, 0.0);
  EXPECT_LE(Bike().SteerAcc, 0.8);

  Bike().SteerAcc = 0;
  SetSpeed(-8);
  Ticks(1);
  EXPECT_LT(Bike().SteerAcc, 0.0);

  // The extra brake locks the handlebars.
  SetSpeed(60);
  Hold(vk::Space);
  Ticks(1);
  Bike().SteerAcc = 0;
  Ticks(1);
  EXPECT_EQ(Bike().SteerAcc, 0.0);
}

TEST_F(BikeMotionTest, SteeringStopsAtAQuarterTurn) {
  StartRace(1);
  PlaceBikeOnRoad(kStraightRow);
  Hold(vk::Right);
  Ticks(1);
  SetSpeed(20);
  Bike().SteerAcc = 127.9;
  Ticks(1);
  EXPECT_EQ(Bike().SteerAcc, 128.0);
  EXPECT_EQ(Bike().Heading, 64);
  Release(vk::Right);
  Hold(vk::Left);
  Ticks(1);
  SetSpeed(20);
  Bike().SteerAcc = -127.9;
  Ticks(1);
  EXPECT_EQ(Bike().SteerAcc, -128.0);
  EXPECT_EQ(Bike().Heading, -64);
}

TEST_F(BikeMotionTest, LeanDeepensOnlyAfterTheTurnAndReversesThroughUpright) {
  StartRace(1);
  // From the left lane, so the turn stays on the road.
  PlaceBikeOnRoad(kStraightRow, -kTilePx);
  const TBikeModel& model = BikeModels[1];
  Hold(vk::Up);
  Ticks(1);
  SetSpeed(60);
  Hold(vk::Right);
  Ticks(1);
  EXPECT_EQ(Bike().Lean, 1);
  EXPECT_EQ(Bike().Image(), Game->Form().MDXImageList2.Item(model.LeanRightImage));
  EXPECT_EQ(Bike().AnimPosition, 5.5);
  // Until the heading has moved by more than 5 the lean stays at its slightest.
  TicksUntil([&] { return Bike().AnimPosition < 5.5; }, 60);
  EXPECT_GT(Bike().Heading, 5);

  // Faster bikes lean further: the deepest position is 5.5 - speed / 35, never below 0.
  TicksUntil([&] { return Bike().AnimPosition <= 5.5 - Bike().Speed / 35 + 0.01; }, 100);
  Ticks(5);
  EXPECT_NEAR(Bike().AnimPosition, 5.5 - Bike().Speed / 35, 0.01);
  ASSERT_FALSE(Bike().Crashed);

  // Left while leaning right: back upright first, and only then over to the left.
  Release(vk::Right);
  Hold(vk::Left);
  Ticks(2);
  EXPECT_EQ(Bike().Lean, 1);
  TicksUntil([&] { return Bike().Lean != 1; }, 100);
  EXPECT_EQ(Bike().Lean, 0);
  EXPECT_EQ(Bike().Image(), Game->Form().MDXImageList2.Item(model.UprightImage));
  Ticks(1);
  EXPECT_EQ(Bike().Lean, -1);
  EXPECT_EQ(Bike().Image(), Game->Form().MDXImageList2.Item(model.LeanLeftImage));
}

TEST_F(BikeMotionTest, BesideTheRoadAFastBikeLosesHalfAPerFrameAndOnlyIdles) {
  StartRace(1);
  // The shoulder cell left of the road: 2.5 tiles left of the centre line.
  PlaceBikeAt(TrackCenterX[kStraightRow] - 2.5 * kTilePx, kStraightRow);
  SetSpeed(120);
  Ticks(1);
  ASSERT_FALSE(Bike().OnRoad);
  SoundsPlayed();
  const double before = Bike().Speed;
  Ticks(10);
  EXPECT_NEAR(Bike().Speed, before - 5.0, 1e-9);
  EXPECT_FALSE(Bike().Crashed);
  const std::vector<int> sounds = SoundsPlayed();
  for (int sound : sounds) EXPECT_TRUE(sound == 4 || sound == 14 || sound == 15) << sound;
}

TEST_F(BikeMotionTest, UpAndDownTogetherBrakeWithoutThrottle) {
  StartRace(1);
  PlaceBikeOnRoad(kStraightRow);
  Hold(vk::Up);
  Hold(vk::Down);
  Ticks(1);
  SetSpeed(50);
  SoundsPlayed();
  Ticks(1);
  // Model 1's brake of 7: (11 - 7) / 40 + 0.25.
  EXPECT_NEAR(Bike().Speed, 50 - 0.35, 1e-9);
  // Coasting sound above 40.
  EXPECT_TRUE(Contains(SoundsPlayed(), 6));
}

TEST_F(BikeMotionTest, TheFirstGearChangeClunksAndLeavesOneTyreMark) {
  StartRace(1);
  PlaceBikeOnRoad(kStraightRow);
  Hold(vk::Up);
  Ticks(1);
  const double m = Bike().MaxFactor();
  SetSpeed(65 * m - 0.1);
  SoundsPlayed();
  Ticks(2);
  const std::vector<int> sounds = SoundsPlayed();
  EXPECT_TRUE(Contains(sounds, 5));
  EXPECT_TRUE(Contains(sounds, 19));
  EXPECT_TRUE(Bike().EngineStage.GearChange);
  int marks = 0;
  for (int i = 1; i <= kSkidMarkSlots; ++i) marks += SkidMarks[i].Used ? 1 : 0;
  EXPECT_EQ(marks, 1);
  EXPECT_EQ(LastMark, 1);
}

TEST_F(BikeMotionTest, ExtraBrakeLaysMarksAboutTwelvePixelsApart) {
  StartRace(1);
  PlaceBikeOnRoad(kStraightRow);
  Ticks(1);
  SetSpeed(60);
  Hold(vk::Space);
  Ticks(12);
  int marks = 0;
  for (int i = 1; i <= kSkidMarkSlots; ++i) marks += SkidMarks[i].Used ? 1 : 0;
  EXPECT_GE(marks, 3);
  // Consecutive marks lie in line behind the bike, roughly a mark's length apart.
  for (int i = 2; i <= marks; ++i) {
    EXPECT_NEAR(SkidMarks[i].X, SkidMarks[i - 1].X, 0.5);
    EXPECT_GT(SkidMarks[i - 1].Y - SkidMarks[i].Y, 5.0);
    EXPECT_LT(SkidMarks[i - 1].Y - SkidMarks[i].Y, 16.0);
  }
}

// The rear tyre points lie half a turn from the heading (and 4 units less), TraceRadius from the
// centre of the bike's place on the screen; a mark is laid at the first of them with the heading.
TEST_F(BikeMotionTest, TyreMarksTurnWithTheHeadingBehindTheBike) {
  StartRace(1);
  PlaceBikeOnRoad(kStraightRow);
  Ticks(1);
  ClearSkidMarks();
  const TPictureCollectionItem* upright = GameImageList(2)->Item(5);
  ASSERT_NE(upright, nullptr);
  const double w = upright->GetPatternWidth(), h = upright->GetPatternHeight();
  const double radius = std::sqrt(h / 2 * (h / 2) + w / 2 * (w / 2)) - 25;
  const double cx = 400 + w / 2, cy = 400 + h / 2;
  const double unit = 2 * M_PI / 256;

  SetSpeed(60);
  Bike().SteerAcc = 40;  // heading 20
  Hold(vk::Space);       // the extra brake locks the steering and leaves rubber
  Ticks(2);
  ASSERT_EQ(Bike().Heading, 20);
  EXPECT_NEAR(Bike().TraceA.X, cx + std::sin((20 - 128) * unit) * radius, 1e-9);
  EXPECT_NEAR(Bike().TraceA.Y, cy - std::cos((20 - 128) * unit) * radius, 1e-9);
  EXPECT_NEAR(Bike().TraceB.X, cx + std::sin((20 - 124) * unit) * radius, 1e-9);
  EXPECT_NEAR(Bike().TraceB.Y, cy - std::cos((20 - 124) * unit) * radius, 1e-9);
  // Behind and to the left of the centre for a bike turned right.
  EXPECT_LT(Bike().TraceA.X, cx);
  EXPECT_GT(Bike().TraceA.Y, cy);
  ASSERT_TRUE(SkidMarks[1].Used);
  EXPECT_EQ(SkidMarks[1].Angle, 20);
}

// The road runs against the bike: sideways by -sin(heading) and down by cos(heading) times the
// step, the road moving by half of that each frame.
TEST_F(BikeMotionTest, TheRoadScrollsAgainstTheHeadingByTheStep) {
  StartRace(1);
  PlaceBikeOnRoad(kStraightRow);
  SetSpeed(80);
  Bike().SteerAcc = 40;
  Ticks(1);
  ASSERT_EQ(Bike().Heading, 20);
  const double step = Bike().Step;
  const double angle = 20 * 2 * M_PI / 256;
  EXPECT_NEAR(ScrollVX, -std::sin(angle) * step, 1e-9);
  EXPECT_NEAR(ScrollVY, std::cos(angle) * step, 1e-9);
  EXPECT_LT(ScrollVX, -1.0);
}

// The kinds a bike's corner may stand on without leaving the road: edges, lanes and lines of
// straight rows, and the edges and shoulders that drift rows lay under the bike's wheels.
TEST(RoadKindTest, ExactlyTheRoadKindsCountAsRoad) {
  const std::set<int> road = {10, 11, 12, 24, 27, 28, 29, 32, 33, 34, 38, 39, 40, 45, 46, 47};
  for (int kind = -1; kind <= 74; ++kind) {
    EXPECT_EQ(IsRoadKind(kind), road.count(kind) == 1) << kind;
  }
}

TEST(RoadKindTest, AWorldPointIsRoadByTheCellItFallsInButNeverInRowOrColumnZero) {
  ResetTrackState();
  TrackGrid[3][5] = 11;
  TrackGrid[1][1] = 11;
  EXPECT_TRUE(IsRoadAtWorld(5 * 72, 3 * 72));
  EXPECT_TRUE(IsRoadAtWorld(5 * 72 + 71, 3 * 72 + 71));
  EXPECT_FALSE(IsRoadAtWorld(5 * 72 - 1, 3 * 72));
  EXPECT_FALSE(IsRoadAtWorld(5 * 72, 3 * 72 + 72));
  EXPECT_TRUE(IsRoadAtWorld(72, 72));
  EXPECT_FALSE(IsRoadAtWorld(71, 72)) << "column 0";
  EXPECT_FALSE(IsRoadAtWorld(72, 71)) << "row 0";
  ResetTrackState();
}

// Prize points by place; no place (before the first frame counts one) is worth nothing.
TEST(PlacePrizeTest, EachPlaceHasItsPrize) {
  const int prizes[] = {0, 800, 600, 400, 300, 200, 100, 0};
  for (int place = 0; place <= 7; ++place) EXPECT_EQ(PlacePrizeFor(place), prizes[place]) << place;
  EXPECT_EQ(PlacePrizeFor(-1), 0);
}
