// The opponents' rules one by one, each driven into its branches on a plain straight track; the
// expected figures come from the model tables and formulas written out here, and the random
// draws from the generator's own arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "TrafficFixture.h"
#include "app/Random.h"
#include "app/ShellState.h"
#include "race/TCar.h"
#include "race/TScrollBackground.h"
#include "race/TrackState.h"

namespace {

// Per model 1..5: handling ratings, pictures, crash frames, corner factor, riding size and the
// opponents' outline.
struct ModelRow {
  int Max, Steer, Accel, Brake;
  int Upright, LeanLeft, LeanRight, Crash, CrashFrames;
  double CornerFactor;
  int RidingWidth, RidingHeight;
  double OutlineRadius, OutlineAngle;
};
constexpr ModelRow kModels[6] = {
    {},
    {6, 8, 9, 7, 5, 24, 25, 23, 5, 0.92, 63, 68, 37.0, 12.0},
    {11, 4, 3, 8, 6, 27, 28, 26, 7, 0.82, 60, 67, 36.0, 11.0},
    {6, 6, 8, 10, 7, 30, 31, 29, 5, 0.78, 68, 69, 38.0, 13.0},
    {9, 5, 10, 9, 8, 33, 34, 32, 5, 0.9, 60, 62, 35.0, 11.0},
    {8, 11, 8, 9, 9, 36, 37, 35, 5, 0.8, 56, 68, 35.0, 12.0},
};

double MaxFactorOf(int m) {
  return kModels[m].Max / 11.0 / 10.0 + 0.9;
}
double AccelOf(int m, double s) {
  return s > 0 ? std::min(0.3, (3.0 * kModels[m].Accel + 80.0) / (s * std::sqrt(2.0 * s))) : 0.3;
}
double SteerRateOf(int m, double s) {
  return std::min(0.8, s > 0 ? 1000.0 / (s * std::sqrt(s * (4.0 - kModels[m].Steer / 10.0)))
                             : -s / 5.0);
}
double BrakeOf(int m) {
  return (11.0 - kModels[m].Brake) / 40.0 + 0.25;
}

// The generator: seed := seed * 134775813 + 1, the draw the high half of seed * n.
struct Lcg {
  uint32_t Seed;
  int Next(uint32_t n) {
    Seed = Seed * 134775813u + 1;
    return static_cast<int>((static_cast<uint64_t>(Seed) * n) >> 32);
  }
};

constexpr double kUnit = 2 * std::numbers::pi / 256;

class OpponentRulesTest : public TrafficTest {
 protected:
  void SetUp() override {
    TrafficTest::SetUp();
    LayStraightTrack(1);
    CreateRace(false);
  }
  void MoveRiders(int frames) {
    for (int i = 0; i < frames; ++i) Opponents->Move(FrameMs);
  }
  // A standing rider of model `model` in the left lane of row 1400, timers far off.
  TOpponent& Rider(int model) {
    TOpponent& car = PutRider(1, kStraightCentreX - 30, 72 * 1400 + 36, 0);
    car.Model = static_cast<uint8_t>(model);
    car.Image = kModels[model].Upright;
    return car;
  }
};

TEST_F(OpponentRulesTest, EachModelsOutlineCentreAndPicturesFollowItsRow) {
  for (int m = 1; m <= 5; ++m) {
    TOpponent& car = Rider(m);
    car.PosX = 72 * 322;
    car.PosY = 72 * 1400;
    car.Heading = 10;
    car.LeanHold = 10;  // the lean holds for this frame
    car.Lean = 3;
    MoveRiders(1);
    // Standing still between the frames, so no aim steers and leans it.
    auto stand = [&] { car.Speed = car.Step = 0; };
    const ModelRow& row = kModels[m];
    EXPECT_DOUBLE_EQ(car.CenterX, 72 * 322 + row.RidingWidth / 2.0) << "model " << m;
    EXPECT_DOUBLE_EQ(car.CenterY, 72 * 1400 + row.RidingHeight / 2.0) << "model " << m;
    const double r = row.OutlineRadius * row.CornerFactor;
    const double offsets[4] = {-row.OutlineAngle, row.OutlineAngle, 128 - row.OutlineAngle,
                               128 + row.OutlineAngle};
    for (int k = 0; k < 4; ++k) {
      EXPECT_NEAR(car.Outline[k].X, car.CenterX + std::sin((10 + offsets[k]) * kUnit) * r, 1e-9)
          << "model " << m << " corner " << k + 1;
      EXPECT_NEAR(car.Outline[k].Y, car.CenterY - std::cos((10 + offsets[k]) * kUnit) * r, 1e-9)
          << "model " << m << " corner " << k + 1;
    }
    EXPECT_EQ(car.Image, row.LeanRight) << "model " << m;
    EXPECT_EQ(car.LeanDir, 1) << "model " << m;
    EXPECT_DOUBLE_EQ(car.AnimFrame, 6.5 - 3) << "model " << m;
    stand();
    car.Lean = -3;
    car.LeanHold = 10;
    MoveRiders(1);
    EXPECT_EQ(car.Image, row.LeanLeft) << "model " << m;
    EXPECT_EQ(car.LeanDir, -1) << "model " << m;
    EXPECT_DOUBLE_EQ(car.AnimFrame, 6.5 - 3) << "model " << m;
    stand();
    car.Lean = 0.5;
    car.LeanHold = 10;
    MoveRiders(1);
    EXPECT_EQ(car.Image, row.Upright) << "model " << m;
    EXPECT_EQ(car.LeanDir, 0) << "model " << m;
    EXPECT_DOUBLE_EQ(car.AnimFrame, 0) << "model " << m;

    // Knocked out slowly: the crash picture at its last pattern at once.
    car.Speed = 5;
    Opponents->KnockOut(1);
    EXPECT_EQ(car.Image, row.Crash) << "model " << m;
    MoveRiders(1);
    EXPECT_EQ(car.AnimFrame, row.CrashFrames - 1) << "model " << m;
  }
}

// A rider travels half its step a frame (scaled by the frame rate) along its heading.
TEST_F(OpponentRulesTest, ARiderTravelsHalfItsStepAlongItsHeading) {
  TOpponent& car = Rider(3);
  car.Heading = 10;
  car.Speed = 100;
  car.Step = MaxFactorOf(3) * 100 / 8;
  const double x = car.PosX, y = car.PosY, step = car.Step;
  MoveRiders(1);
  const double a = 10 * kUnit;
  EXPECT_NEAR(car.PosX - x, std::sin(a) * step * 0.5 * MotionFactor, 1e-9);
  EXPECT_NEAR(car.PosY - y, -std::cos(a) * step * 0.5 * MotionFactor, 1e-9);
}

// The look-ahead points, in order front-left, front-right, side-left, side-right: 2 units either
// side of the heading 60 pixels out, and 32 units either side 28 pixels out, from the centre.
TEST_F(OpponentRulesTest, TheLookAheadPointsLieAroundTheHeading) {
  TOpponent& car = Rider(2);
  car.Heading = 10;
  MoveRiders(1);
  ASSERT_DOUBLE_EQ(car.Heading, 10);
  const struct {
    double Offset, Distance;
  } probes[4] = {{-2, 60}, {2, 60}, {-32, 28}, {32, 28}};
  for (int k = 0; k < 4; ++k) {
    const double a = (10 + probes[k].Offset) * kUnit;
    EXPECT_NEAR(car.Probes[k].X, car.CenterX + std::sin(a) * probes[k].Distance, 1e-9) << k;
    EXPECT_NEAR(car.Probes[k].Y, car.CenterY - std::cos(a) * probes[k].Distance, 1e-9) << k;
  }
}

// Steering and throttle with each model's handling: a rider aiming right of its heading turns
// by twice the bike's steering rate, and below its top speed gains the bike's acceleration.
TEST_F(OpponentRulesTest, EachModelSteersAndAcceleratesByItsRatings) {
  for (int m = 1; m <= 5; ++m) {
    for (const double speed : {60.0, 150.0}) {
      TOpponent& car = Rider(m);
      car.LaneOffset = 60;  // the aim lies far right of the left lane
      car.Speed = speed;
      car.Step = MaxFactorOf(m) * speed / 8;
      MoveRiders(1);
      EXPECT_NEAR(car.Heading, 2 * SteerRateOf(m, speed), 1e-9) << "model " << m << " at " << speed;
      EXPECT_NEAR(car.Speed, speed + AccelOf(m, speed), 1e-9) << "model " << m << " at " << speed;
      EXPECT_NEAR(car.Step, MaxFactorOf(m) * car.Speed / 8, 1e-9) << "model " << m;
      EXPECT_TRUE(car.Turning);
    }
    // Past the model's top speed no more is added.
    TOpponent& car = Rider(m);
    const double top = MaxFactorOf(m) * 160;
    car.Speed = top + 0.01;
    MoveRiders(1);
    EXPECT_DOUBLE_EQ(car.Speed, top + 0.01) << "model " << m;
    car.Speed = top - 0.01;
    MoveRiders(1);
    EXPECT_DOUBLE_EQ(car.Speed, top - 0.01 + AccelOf(m, top - 0.01)) << "model " << m;
  }
}

TEST_F(OpponentRulesTest, EachModelBrakesByItsRatingForABendAhead) {
  const int lookRow = 1400 - 5;
  TrackRowKind[lookRow] = SectionBendEntry;
  for (int m = 1; m <= 5; ++m) {
    TOpponent& car = Rider(m);
    car.Speed = 150;
    MoveRiders(1);
    EXPECT_DOUBLE_EQ(car.Decel, BrakeOf(m)) << "model " << m;
    EXPECT_DOUBLE_EQ(car.Speed, 150 - BrakeOf(m)) << "model " << m;
  }
}

// A knocked-out rider returns on the right shoulder of the rows around it, the later row's find
// winning; on a drift shoulder it points along the diagonal.
TEST_F(OpponentRulesTest, RespawnTakesTheShoulderOfTheLastRowAroundTheRiderWithItsHeading) {
  struct Case {
    std::vector<std::tuple<int, int, int>> Cells;  // row offset, column, kind
    int Row, Column;                               // expected: the found cell
    double Heading;
  };
  const int r = 1400;  // the rider's centre lies in row 1400
  const std::vector<Case> cases = {
      {{{1, 330, 29}}, r + 1, 330, -18.89},
      {{{1, 330, 47}}, r + 1, 330, 18.89},
      {{{0, 330, 23}}, r, 330, 0.0},
      {{{-1, 335, 47}, {1, 330, 12}}, r + 1, 331, 0.0},  // ground right of a road edge
      {{{-1, 335, 47}, {0, 333, 29}}, r, 333, -18.89},
      {{{-1, 335, 47}}, r - 1, 335, 18.89},
      {{{0, 340, 13}, {0, 330, 47}}, r, 330, 18.89},  // ground right of no road is no shoulder
  };
  for (const Case& c : cases) {
    for (int row = r - 2; row <= r + 2; ++row) TrackGrid[row].fill(0);
    for (const auto& [dr, column, kind] : c.Cells) {
      TrackGrid[r + dr][column] = static_cast<int8_t>(kind);
      if (kind != 12) TrackGrid[r + dr][column + 1] = 13;  // the roadside beside the shoulder
    }
    TOpponent& car = Rider(1);
    car.CenterY = car.PosY + kModels[1].RidingHeight / 2.0;
    car.Heading = 7;
    car.KnockedOut = true;
    car.HitCount = 2;
    Opponents->Respawn(1);
    EXPECT_EQ(car.PosY, 72 * c.Row) << "case " << &c - &cases[0];
    EXPECT_EQ(car.PosX, 72 * (c.Column - 3)) << "case " << &c - &cases[0];
    EXPECT_DOUBLE_EQ(car.Heading, c.Heading) << "case " << &c - &cases[0];
    EXPECT_FALSE(car.KnockedOut);
    EXPECT_EQ(car.HitCount, 0);
  }
  // No shoulder in any of the three rows: the rider stays where it lay.
  for (int row = r - 2; row <= r + 2; ++row) TrackGrid[row].fill(0);
  TOpponent& car = Rider(1);
  car.CenterY = car.PosY + kModels[1].RidingHeight / 2.0;
  const double x = car.PosX, y = car.PosY;
  Opponents->Respawn(1);
  EXPECT_EQ(car.PosX, x);
  EXPECT_EQ(car.PosY, y);
}

// When the lane timer runs out a new wait is drawn; the lane and look-ahead change only while
// the rider is not swerving.
TEST_F(OpponentRulesTest, LaneChangesWaitWhileTheRiderAvoids) {
  TOpponent& car = Rider(1);
  car.LaneTimerMs = 0;
  car.Avoiding = true;
  car.AvoidTimerMs = 1000;
  car.LookAhead = 1;
  RandSeed = 99;
  Lcg lcg{99};
  MoveRiders(1);
  EXPECT_EQ(car.LaneTimerMs, 4000 + 300 * lcg.Next(10));
  EXPECT_EQ(RandSeed, lcg.Seed) << "only the wait is drawn";
  EXPECT_EQ(car.LaneOffset, -30);
  EXPECT_EQ(car.LookAhead, 1);

  car.LaneTimerMs = 0;
  car.Avoiding = false;
  car.AvoidTimerMs = 0;
  MoveRiders(1);
  const int wait = 4000 + 300 * lcg.Next(10);
  const double offset = -30 + lcg.Next(100) - 50;
  const int look = lcg.Next(3);
  EXPECT_EQ(car.LaneTimerMs, wait);
  EXPECT_EQ(car.LaneOffset, offset < -80 ? -30 : offset);
  EXPECT_EQ(car.LookAhead, look);
  EXPECT_EQ(RandSeed, lcg.Seed);

  // The timer counts down by whole frames in between.
  MoveRiders(1);
  EXPECT_EQ(car.LaneTimerMs, wait - FrameMs);
}

TEST_F(OpponentRulesTest, PaceChangesWaitWhileTheRiderAvoids) {
  TOpponent& car = Rider(1);
  car.SpeedTimerMs = 0;
  car.SpeedJitter = 3;
  car.Avoiding = true;
  car.AvoidTimerMs = 1000;
  RandSeed = 7;
  Lcg lcg{7};
  MoveRiders(1);
  EXPECT_EQ(car.SpeedTimerMs, 4000 + 300 * lcg.Next(10));
  EXPECT_EQ(car.SpeedJitter, 3);

  car.SpeedTimerMs = 0;
  car.Avoiding = false;
  car.AvoidTimerMs = 0;
  car.Speed = 100;
  MoveRiders(1);
  lcg.Next(10);
  const int jitter = lcg.Next(10) - 5;
  EXPECT_EQ(car.SpeedJitter, jitter);
  // The old variation taken off, the new one added, then a frame's throttle.
  const double varied = 100 - 3 + jitter;
  EXPECT_NEAR(car.Speed, varied + AccelOf(1, varied), 1e-9);
}

// The lane and pace timers count whole frames down to zero, and only a frame that finds them at
// zero or below draws anew; both then wait 4000 ms plus 300 ms for each step of a draw of 10.
TEST_F(OpponentRulesTest, LaneAndPaceChangesComeTheFrameAfterTheirTimersRunOut) {
  TOpponent& car = Rider(1);
  car.LaneTimerMs = FrameMs;
  car.SpeedTimerMs = FrameMs + 1;
  car.SpeedJitter = 2;
  car.Speed = 100;
  RandSeed = 5;
  Lcg lcg{5};
  MoveRiders(1);
  EXPECT_EQ(car.LaneTimerMs, 0);
  EXPECT_EQ(car.SpeedTimerMs, 1);
  EXPECT_EQ(RandSeed, lcg.Seed) << "nothing drawn yet";

  // The lane timer stands at 0: this frame draws the wait, the offset and the look-ahead; the
  // pace timer still had 1 ms, and is now below zero.
  MoveRiders(1);
  const int laneWait = 4000 + 300 * lcg.Next(10);
  const double offset = -30 + lcg.Next(100) - 50;
  const int look = lcg.Next(3);
  EXPECT_EQ(car.LaneTimerMs, laneWait);
  EXPECT_EQ(car.LaneOffset, offset < -80 ? -30 : offset);
  EXPECT_EQ(car.LookAhead, look);
  EXPECT_EQ(car.SpeedTimerMs, 1 - FrameMs);
  EXPECT_EQ(car.SpeedJitter, 2);
  EXPECT_EQ(RandSeed, lcg.Seed);

  const double before = car.Speed;
  MoveRiders(1);
  const int paceWait = 4000 + 300 * lcg.Next(10);
  const int jitter = lcg.Next(10) - 5;
  EXPECT_EQ(car.SpeedTimerMs, paceWait);
  EXPECT_EQ(car.SpeedJitter, jitter);
  const double varied = before - 2 + jitter;
  EXPECT_NEAR(car.Speed, varied + AccelOf(1, varied), 1e-9);
  EXPECT_EQ(car.LaneTimerMs, laneWait - FrameMs);
}

// A standing rider does not steer, so its lean follows only the lean rules: it grows by 0.6 a
// frame towards the side the heading moved since the turn began (at most 6.5), and after a turn
// it holds for ten frames, counted as frames, then returns upright by 0.3 a frame.
TEST_F(OpponentRulesTest, TheLeanGrowsWithTheTurnHoldsTenFramesThenStraightens) {
  TOpponent& car = Rider(1);
  const double mf = MotionFactor;
  auto frame = [&] {
    car.Speed = car.Step = 0;
    MoveRiders(1);
  };
  car.Turning = true;
  car.TurnStartHeading = 0;
  car.Heading = 4;
  frame();
  EXPECT_NEAR(car.Lean, 0.6 * mf, 1e-12);
  frame();
  EXPECT_NEAR(car.Lean, 1.2 * mf, 1e-12);
  for (int i = 0; i < 20; ++i) frame();
  EXPECT_DOUBLE_EQ(car.Lean, 6.5);
  car.Heading = -4;
  frame();
  EXPECT_NEAR(car.Lean, 6.5 - 0.6 * mf, 1e-12);
  car.Heading = 0;
  frame();
  EXPECT_NEAR(car.Lean, 6.5 - 0.6 * mf, 1e-12) << "level with the start: no change";
  for (int i = 0; i < 30; ++i) {
    car.Heading = -4;
    frame();
  }
  EXPECT_DOUBLE_EQ(car.Lean, -6.5);

  car.Turning = false;
  car.Heading = 0;
  car.Lean = 3;
  car.LeanHold = 10;
  for (int i = 1; i <= 10; ++i) {
    frame();
    EXPECT_DOUBLE_EQ(car.Lean, 3) << "held in frame " << i;
  }
  frame();
  EXPECT_NEAR(car.Lean, 3 - 0.3 * mf, 1e-12);
  frame();
  EXPECT_NEAR(car.Lean, 3 - 0.6 * mf, 1e-12);
  for (int i = 0; i < 40; ++i) frame();
  EXPECT_DOUBLE_EQ(car.Lean, 0) << "and stays upright";

  car.Lean = -0.1;
  frame();
  EXPECT_DOUBLE_EQ(car.Lean, 0) << "a left lean straightens to exactly upright too";
}

// A rider knocked out at speed runs through its crash picture by 200 x mf / fm / 100 patterns a
// frame, stopping at the last one, while it slides on at 0.8 less a frame.
TEST_F(OpponentRulesTest, TheCrashPictureRunsOnWithTheFramesToItsLastPattern) {
  for (int m = 1; m <= 5; ++m) {
    TOpponent& car = Rider(m);
    car.Speed = 100;
    car.Step = MaxFactorOf(m) * 100 / 8;
    Opponents->KnockOut(1);
    const double perFrame = 200.0 * MotionFactor / FrameMs / 100;
    const double last = kModels[m].CrashFrames - 1;
    for (int frame = 1; frame <= 40; ++frame) {
      MoveRiders(1);
      EXPECT_NEAR(car.AnimFrame, std::min(last, frame * perFrame), 1e-9)
          << "model " << m << " frame " << frame;
      EXPECT_NEAR(car.Speed, 100 - 0.8 * MotionFactor * frame, 1e-9) << "model " << m;
    }
    EXPECT_EQ(car.Image, kModels[m].Crash);
  }
}

// The extra rows looked ahead are kept on straights and bend exits and dropped elsewhere.
TEST_F(OpponentRulesTest, LookAheadIsKeptOnlyWhenItsRowIsAStraightOrABendExit) {
  const int lookRow = 1400 - 5 - 2;
  for (const auto& [kind, kept] :
       {std::pair{SectionStraight, true}, std::pair{SectionBendExit, true},
        std::pair{SectionBendEntry, false}, std::pair{SectionDriftLeft, false},
        std::pair{SectionDriftRight, false}}) {
    TrackRowKind[lookRow] = static_cast<uint8_t>(kind);
    TOpponent& car = Rider(1);
    car.LookAhead = 2;
    MoveRiders(1);
    EXPECT_EQ(car.LookAhead, kept ? 2 : 0) << "row kind " << kind;
    TrackRowKind[lookRow] = SectionStraight;
  }
}

// Near the view: from the view's left column to 13 columns right of it, and from two rows
// above its top to twelve rows below, all shifted by the road's offset.
TEST_F(OpponentRulesTest, NearViewCoversTheWindowWithTwoRowsAboveAndTwelveBelow) {
  Road->X = 10;
  Road->Y = -20;
  const double left = 72.0 * ViewCol - 10;
  const double right = 72.0 * (ViewCol + 13) - 10;
  const double top = 72.0 * (ViewRow - 2) + 20;
  const double bottom = 72.0 * (ViewRow + 12) + 20;
  struct Spot {
    double X, Y;
    bool Near;
  };
  for (const Spot& s : {Spot{left, top, true}, Spot{right, bottom, true}, Spot{left - 1, top, false},
                        Spot{right + 1, top, false}, Spot{left, top - 1, false},
                        Spot{left, bottom + 1, false}, Spot{right, 72.0 * (ViewRow + 10), true}}) {
    TOpponent& car = Rider(1);
    car.PosX = s.X;
    car.PosY = s.Y;
    MoveRiders(1);
    EXPECT_EQ(car.NearView, s.Near) << s.X - left << ", " << s.Y - top;
  }
}

}  // namespace
