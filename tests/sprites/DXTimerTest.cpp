// The frame timer: lag counts, the frame-rate measurement, and pauses while the game is away.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "SpriteTestSupport.h"
#include "sprites/TDXTimer.h"

using namespace sprite_test;
using ::testing::ElementsAre;

namespace {

class FrameTimer : public ::testing::Test {
 protected:
  FrameTimer() : timer(clock) {
    timer.OnTimer = [this](int lag) { lags.push_back(lag); };
  }
  // One idle turn after ms milliseconds.
  void After(uint32_t ms) {
    clock.Now += ms;
    timer.Idle();
  }

  FakeClock clock;
  TDXTimer timer;
  std::vector<int> lags;
};

TEST_F(FrameTimer, LagIsTheTimeSinceThePreviousTickButAtLeastOne) {
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval, 0);
  After(16);
  After(17);
  After(0);
  After(250);
  EXPECT_THAT(lags, ElementsAre(16, 17, 1, 250));
}

TEST_F(FrameTimer, FocusReturningAfterTenSecondsGivesASmallLag) {
  After(16);
  timer.SetApplicationActive(false);
  for (int i = 0; i < 600; ++i) After(16);
  EXPECT_THAT(lags, ElementsAre(16));
  timer.SetApplicationActive(true);
  After(16);
  EXPECT_THAT(lags, ElementsAre(16, 16));

  // Without ActiveOnly the timer keeps running and does not restart its clock.
  timer.ActiveOnly = false;
  timer.SetApplicationActive(false);
  After(20);
  timer.SetApplicationActive(true);
  After(20);
  EXPECT_THAT(lags, ElementsAre(16, 16, 20, 20));
}

TEST_F(FrameTimer, MeasuresTheRateOverASecondOrMoreRoundingHalfToEven) {
  // 63 ticks of 16 ms reach 1008 ms: 62.5 frames a second, rounded to 62.
  for (int i = 0; i < 62; ++i) After(16);
  EXPECT_EQ(timer.FrameRate(), 0);
  After(16);
  EXPECT_EQ(timer.FrameRate(), 62);

  // The count starts again: 84 ticks of 12 ms make 1008 ms, 83.33 a second.
  for (int i = 0; i < 83; ++i) After(12);
  EXPECT_EQ(timer.FrameRate(), 62);
  After(12);
  EXPECT_EQ(timer.FrameRate(), 83);

  // A pause of over a second counts as one long frame.
  After(2000);
  EXPECT_EQ(timer.FrameRate(), 0);
}

TEST_F(FrameTimer, IntervalHoldsTicksBackAndDividesTheLag) {
  timer.Interval = 10;
  After(9);
  EXPECT_TRUE(lags.empty());
  After(16);  // 25 ms since the start
  After(10);
  EXPECT_THAT(lags, ElementsAre(2, 1));
}

TEST_F(FrameTimer, DisabledTimerIsSilentAndRestartsWhenEnabled) {
  timer.SetEnabled(false);
  After(500);
  EXPECT_TRUE(lags.empty());
  timer.SetEnabled(true);
  After(15);
  EXPECT_THAT(lags, ElementsAre(15));
}

TEST_F(FrameTimer, LagSurvivesTheClockWrappingAround) {
  clock.Now = 0xFFFFFFF0u;
  TDXTimer wrapping(clock);
  int lag = 0;
  wrapping.OnTimer = [&lag](int l) { lag = l; };
  clock.Now = 0x10;
  wrapping.Idle();
  EXPECT_EQ(lag, 32);
}

}  // namespace
