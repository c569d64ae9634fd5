// The tick, its frame timing and the key edges.
#include <gtest/gtest.h>

#include "GameFixture.h"
#include "app/FrameTiming.h"
#include "platform/KeyCodes.h"
#include "storage/GameOptions.h"

TEST(FrameTiming, MeasuredRateCountsOnlyWhenClearlyOffTheRefreshRate) {
  EXPECT_EQ(EffectiveFrameRate(0, 60), 60);   // nothing measured yet
  EXPECT_EQ(EffectiveFrameRate(57, 60), 60);  // within 3 below
  EXPECT_EQ(EffectiveFrameRate(56, 60), 56);
  EXPECT_EQ(EffectiveFrameRate(60, 60), 60);
  EXPECT_EQ(EffectiveFrameRate(61, 60), 61);
  EXPECT_EQ(EffectiveFrameRate(62, 60), 62);
  EXPECT_EQ(EffectiveFrameRate(63, 60), 60);  // above is the refresh rate again
  EXPECT_EQ(EffectiveFrameRate(30, 85), 30);
}

TEST(FrameTiming, MotionFactorAndFrameMsFollowTheEffectiveRate) {
  struct Case {
    int refresh;
    double motion;
    int frameMs;
  };
  for (const Case& c : {Case{85, 1.0, 11}, Case{60, 85.0 / 60, 16}, Case{100, 0.85, 10}}) {
    ResetShellState();
    RefreshRate = c.refresh;
    UpdateFrameTiming();
    EXPECT_DOUBLE_EQ(MotionFactor, c.motion) << c.refresh;
    EXPECT_EQ(FrameMs, c.frameMs) << c.refresh;
  }
}

class FrameLoopTest : public GameTest {};

TEST_F(FrameLoopTest, FirstTickSeesStartingTimingThenTheRefreshRateStandsIn) {
  StartGame();
  Devices.display->RefreshRate = 60;
  Form->ApplyDisplayMode();
  FrameStepMs = 16;
  std::vector<std::pair<double, int>> seen;
  Form->MDXTimer.OnTimer = [&](int lag) {
    seen.emplace_back(MotionFactor, FrameMs);
    Form->MDXTimerTimer(lag);
  };
  Tick(3);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_DOUBLE_EQ(seen[0].first, 1.0);
  EXPECT_EQ(seen[0].second, 15);
  EXPECT_DOUBLE_EQ(seen[1].first, 85.0 / 60);
  EXPECT_EQ(seen[1].second, 16);
}

TEST_F(FrameLoopTest, RefreshRateOfZeroOrOneFallsBackToSixty) {
  for (int reported : {0, 1}) {
    Form.reset();
    StartGame();
    Devices.display->RefreshRate = reported;
    Form->ApplyDisplayMode();
    EXPECT_EQ(RefreshRate, 60) << reported;
  }
}

TEST_F(FrameLoopTest, KeyEdgesLastOneTickAndNeedTheKeyReleased) {
  StartGame();
  Devices.keyboard->Keys[vk::Up] = true;
  Tick();
  EXPECT_TRUE(InputEdges.Up);
  Tick();
  EXPECT_FALSE(InputEdges.Up) << "held, not pressed again";
  Devices.keyboard->Keys[vk::Up] = false;
  Tick();
  Devices.keyboard->Keys[vk::Up] = true;
  Devices.keyboard->Keys['P'] = true;
  Tick();
  EXPECT_TRUE(InputEdges.Up);
  EXPECT_TRUE(InputEdges.PauseKey);
  EXPECT_FALSE(InputEdges.EscapeKey);
}

TEST_F(FrameLoopTest, TickThatCannotDrawPollsNothingAndPresentsNothing) {
  StartGame();
  GameOptions.FullScreen = true;
  Form->ApplyDisplayMode();
  Tick();
  const int presented = Devices.display->PresentCount;
  Devices.display->Minimized = true;  // minimised in full screen: nothing to draw on
  Devices.keyboard->Keys[vk::Escape] = true;
  Tick();
  EXPECT_EQ(Devices.display->PresentCount, presented);
  EXPECT_FALSE(InputEdges.EscapeKey);
  Devices.display->Minimized = false;
  Tick();
  EXPECT_TRUE(InputEdges.EscapeKey) << "the key is first seen once the display is back";
}

TEST_F(FrameLoopTest, InactiveApplicationGetsNoTicksAndNoLagPileUp) {
  StartGame();
  Tick(2);
  const int presented = Devices.display->PresentCount;
  Form->ApplicationActivate(false);
  Devices.clock->Now += 10000;
  Form->Idle();
  EXPECT_EQ(Devices.display->PresentCount, presented);
  Form->ApplicationActivate(true);
  int lag = -1;
  Form->MDXTimer.OnTimer = [&](int l) { lag = l; };
  Tick();
  EXPECT_GE(lag, 1);
  EXPECT_LT(lag, 100);
}
