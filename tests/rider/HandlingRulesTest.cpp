// The bike's speed and steering, frame by frame, for every bike model at 60 and 85 Hz, against a
// model of the handling rules written out here from the handling table and its formulas. Any
// wrong figure in a model's row, or in a formula, changes some frame's speed or steering.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "RaceFixture.h"
#include "app/ShellState.h"
#include "platform/KeyCodes.h"
#include "race/RiderState.h"
#include "race/TPlayer.h"
#include "race/TrackState.h"

namespace {

// The handling table: top speed, steering, acceleration and brake ratings of models 1..5.
struct Ratings {
  int Max, Steer, Accel, Brake;
};
constexpr Ratings kRatings[6] = {
    {0, 0, 0, 0}, {6, 8, 9, 7}, {11, 4, 3, 8}, {6, 6, 8, 10}, {9, 5, 10, 9}, {8, 11, 8, 9},
};

struct Keys {
  bool Up = false, Down = false, Left = false, Right = false;
};

// One bike on the road, moved by the rules of the handling table.
struct RuleBike {
  Ratings R;
  double Mf;
  double Speed = 0;
  double SteerAcc = 0;

  double MaxFactor() const { return R.Max / 11.0 / 10.0 + 0.9; }
  double Accel(double s) const {
    if (s <= 0) return 0.3;
    return std::min(0.3, (3.0 * R.Accel + 80.0) / (s * std::sqrt(2.0 * s)));
  }
  double Drag(double s) const { return s > 0 ? std::max(0.05, (0.3 - Accel(s)) / 2) : 0.0; }
  double BrakeDecel() const { return (11.0 - R.Brake) / 40.0 + 0.25; }
  double SteerRate(double s) const {
    const double rate = s > 0 ? 1000.0 / (s * std::sqrt(s * (4.0 - R.Steer / 10.0))) : -s / 5.0;
    return std::min(0.8, rate);
  }

  void Frame(const Keys& k) {
    const double step = MaxFactor() * Speed / 8;
    const double sign = step > 0 ? 1 : (step < 0 ? -1 : 0);
    if (k.Left) SteerAcc = std::clamp(SteerAcc - sign * SteerRate(Speed) * Mf, -128.0, 128.0);
    if (k.Right) SteerAcc = std::clamp(SteerAcc + sign * SteerRate(Speed) * Mf, -128.0, 128.0);
    double decel = k.Down ? BrakeDecel() : 0.0;
    if (!k.Up && !k.Down) decel = Drag(Speed);
    if (k.Up && !k.Down) {
      if (MaxFactor() * 160 >= Speed) {
        Speed += Accel(Speed) * Mf;
      } else {
        decel = Drag(Speed);
      }
    }
    Speed -= decel * Mf;
    if (Speed > 0 && Speed < 0.1) Speed = 0;
    if (Speed < -8.0) Speed = -8.0;
  }
};

struct Case {
  int Model;
  int Hz;
};

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  return "Model" + std::to_string(info.param.Model) + "At" + std::to_string(info.param.Hz) + "Hz";
}

}  // namespace

class HandlingRulesTest : public RaceTest, public ::testing::WithParamInterface<Case> {
 protected:
  HandlingRulesTest() { RefreshHz = GetParam().Hz; }

  void SetUp() override {
    RaceTest::SetUp();
    StartRace(GetParam().Model);
    LayStraightTrack();
    TimeLeftMs = 600000;
    // Tuned to 85 frames a second: 85 / rate, and whole milliseconds per frame.
    ASSERT_DOUBLE_EQ(MotionFactor, 85.0 / GetParam().Hz);
    ASSERT_EQ(FrameMs, 1000 / GetParam().Hz);
  }

  // The bike on the start straight holding `keys` (they reach it one frame after they go
  // down), then standing at `speed` with twice its heading `steerAcc`.
  RuleBike Begin(const Keys& keys, double speed, double steerAcc = 0) {
    for (uint16_t key : {vk::Up, vk::Down, vk::Left, vk::Right}) Release(key);
    if (keys.Up) Hold(vk::Up);
    if (keys.Down) Hold(vk::Down);
    if (keys.Left) Hold(vk::Left);
    if (keys.Right) Hold(vk::Right);
    PlaceBikeOnRoad(1470);
    Bike().SteerAcc = 0;
    Ticks(1);
    Bike().Speed = speed;
    Bike().Step = Bike().MaxFactor() * speed / 8;
    Bike().SteerAcc = steerAcc;
    RuleBike rules{kRatings[GetParam().Model], MotionFactor};
    rules.Speed = speed;
    rules.SteerAcc = steerAcc;
    return rules;
  }

  // Runs `frames` frames of the game and of the rules side by side; stops at the first
  // frame where they part.
  void Compare(RuleBike& rules, const Keys& keys, int frames, const char* what) {
    for (int frame = 1; frame <= frames; ++frame) {
      Game->RunTick();
      rules.Frame(keys);
      ASSERT_FALSE(Bike().Crashed) << what << ", frame " << frame;
      ASSERT_NEAR(Bike().Speed, rules.Speed, 1e-9) << what << ", frame " << frame;
      ASSERT_NEAR(Bike().SteerAcc, rules.SteerAcc, 1e-9) << what << ", frame " << frame;
      ASSERT_NEAR(Bike().Step, rules.MaxFactor() * rules.Speed / 8, 1e-9) << what;
    }
  }
};

TEST_P(HandlingRulesTest, ThrottleFromStandstillFollowsTheAccelerationCurve) {
  const Keys up{.Up = true};
  RuleBike rules = Begin(up, 0);
  // Capped at 0.3 a frame at first, then the curve of the model's acceleration rating.
  Compare(rules, up, 420, "throttle from 0");
  EXPECT_GT(rules.Speed, 75.0);
}

TEST_P(HandlingRulesTest, ThrottleAtTopSpeedHoversJustAboveTheModelsTop) {
  const Keys up{.Up = true};
  const Ratings r = kRatings[GetParam().Model];
  const double top = (r.Max / 11.0 / 10.0 + 0.9) * 160;
  RuleBike rules = Begin(up, top - 0.5);
  Compare(rules, up, 60, "throttle at the top");
  // Above the top the throttle gives nothing and drag takes over, so the bike stays within one
  // frame's gain of the top.
  EXPECT_GT(Bike().Speed, top - 0.2);
  EXPECT_LT(Bike().Speed, top + 0.2);
}

TEST_P(HandlingRulesTest, CoastingDragsWithItsFloorUntilTheBikeStands) {
  const Keys none;
  RuleBike rules = Begin(none, 150);
  Compare(rules, none, 120, "coasting from 150");
  rules = Begin(none, 45);
  // Slow enough for the drag's floor of 0.05 a frame, down to a standstill.
  Compare(rules, none, 1000, "coasting from 45");
  EXPECT_EQ(Bike().Speed, 0.0);
}

TEST_P(HandlingRulesTest, BrakingSlowsByTheModelsBrakeIntoReverseToMinusEight) {
  const Keys down{.Down = true};
  RuleBike rules = Begin(down, 40);
  Compare(rules, down, 200, "braking from 40");
  EXPECT_EQ(Bike().Speed, -8.0);
}

TEST_P(HandlingRulesTest, SteeringTurnsByTheModelsRateAtSpeed) {
  // Fast enough that the rate lies below its cap of 0.8, and then slow enough that it is capped.
  const Keys right{.Right = true};
  RuleBike rules = Begin(right, 150);
  Compare(rules, right, 12, "steering right at 150");
  const Keys left{.Left = true};
  rules = Begin(left, 100);
  Compare(rules, left, 12, "steering left at 100");
  rules = Begin(right, 40);
  Compare(rules, right, 5, "steering right at 40");
  const Keys upRight{.Up = true, .Right = true};
  rules = Begin(upRight, 120, 20);
  Compare(rules, upRight, 12, "steering under throttle");
}

INSTANTIATE_TEST_SUITE_P(EveryModel, HandlingRulesTest,
                         ::testing::Values(Case{1, 85}, Case{2, 85}, Case{3, 85}, Case{4, 85},
                                           Case{5, 85}, Case{1, 60}, Case{2, 60}, Case{3, 60},
                                           Case{4, 60}, Case{5, 60}),
                         CaseName);

// The collision outline: the corners lie at the model's collision width and the picture's
// height about the picture's centre, drawn in by the model's corner factor, turned with the
// heading.
TEST_P(HandlingRulesTest, TheOutlineFollowsTheModelsCollisionWidthAndCornerFactor) {
  constexpr struct {
    double Width, Factor;
  } kOutline[6] = {{0, 0}, {23, 0.92}, {28, 0.82}, {34, 0.78}, {24, 0.9}, {28, 0.8}};
  const auto [width, factor] = kOutline[GetParam().Model];
  Begin(Keys{}, 0, 20);  // heading 10
  // The outline of a frame follows the heading of the frame before.
  Ticks(2);
  ASSERT_EQ(Bike().Heading, 10);
  const double halfHeight = Bike().Height / 2.0;
  const double cx = 400 + Bike().Width / 2.0;
  const double cy = 400 + halfHeight;
  const double radius = std::sqrt(halfHeight * halfHeight + width * width / 4) * factor;
  const double a = std::atan(width / 2 / halfHeight) * 256 / (2 * M_PI);
  const double angles[4] = {10 - a, 10 + a, 10 + 128 - a, 10 + 128 + a};
  for (int k = 0; k < 4; ++k) {
    const double t = angles[k] * 2 * M_PI / 256;
    EXPECT_NEAR(Bike().Corners[k].X, cx + std::sin(t) * radius, 1e-9) << "corner " << k + 1;
    EXPECT_NEAR(Bike().Corners[k].Y, cy - std::cos(t) * radius, 1e-9) << "corner " << k + 1;
  }
}

// Lying after a crash, and rolling out after the finish, the bike loses 0.8 a frame (scaled by
// the frame rate) until it stands; its step follows its model's top-speed factor.
TEST_P(HandlingRulesTest, ACrashAndTheRollOutSlowTheBikeByPointEightAFrame) {
  const Ratings r = kRatings[GetParam().Model];
  const double maxFactor = r.Max / 11.0 / 10.0 + 0.9;
  const double mf = MotionFactor;
  Begin(Keys{}, 60);
  Bike().CrashHeadingSet = true;  // keeps its heading
  Bike().Crash();
  for (int frame = 1; frame <= 8; ++frame) {
    Game->RunTick();
    ASSERT_NEAR(Bike().Speed, 60 - 0.8 * mf * frame, 1e-9) << "crash, frame " << frame;
    ASSERT_NEAR(Bike().Step, maxFactor * Bike().Speed / 8, 1e-9) << "crash, frame " << frame;
  }
  Bike().ResetAfterCrash();

  Begin(Keys{}, 50);
  Bike().Finished = true;
  for (int frame = 1; frame <= 8; ++frame) {
    Game->RunTick();
    ASSERT_NEAR(Bike().Speed, 50 - 0.8 * mf * frame, 1e-9) << "roll-out, frame " << frame;
    ASSERT_NEAR(Bike().Step, maxFactor * Bike().Speed / 8, 1e-9) << "roll-out, frame " << frame;
  }
}
