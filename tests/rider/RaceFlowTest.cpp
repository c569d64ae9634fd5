// A race from its start to its end through the real game: the clock, contacts and crashes,
// lives, the time running out, the finish with its roll-out into the results, and the keys that
// open the race's dialogs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "RaceFixture.h"
#include "app/ShellState.h"
#include "platform/KeyCodes.h"
#include "race/BikeModels.h"
#include "race/RaceScreen.h"
#include "race/RiderState.h"
#include "race/TCar.h"
#include "race/TPlayer.h"
#include "race/TScrollBackground.h"
#include "race/TrackState.h"
#include "sprites/TPointer.h"

namespace {
constexpr int kStraightRow = 1470;
constexpr int kClockBeep = 18;
constexpr int kCrashSound = 20;
constexpr int kBumpSound = 17;

int Count(const std::vector<int>& sounds, int sound) {
  return static_cast<int>(std::count(sounds.begin(), sounds.end(), sound));
}
}  // namespace

class RaceFlowTest : public RaceTest {
 protected:
  void SetSpeed(double speed) {
    Bike().Speed = speed;
    Bike().Step = Bike().MaxFactor() * speed / 8;
  }
  // Puts the opponent of slot 1 standing on the bike, `dy` world pixels lower.
  void PutOpponentOnBike(double dy) {
    TOpponent& car = Opponents->Slots[1];
    const TBikeModel& model = BikeModels[car.Model];
    const double bikeX = ViewCol * kTilePx - Road->X + Bike().CenterX;
    const double bikeY = ViewRow * kTilePx - Road->Y + Bike().CenterY;
    car.PosX = bikeX - model.RidingWidth / 2.0;
    car.PosY = bikeY + dy - model.RidingHeight / 2.0;
    car.Speed = car.Step = 0;
  }
  // Beside the bike, near enough to be tested, so the contact latch opens again.
  void MoveOpponentAway() {
    Opponents->Slots[1].PosX -= 150;
    Ticks(2);
  }
};

TEST_F(RaceFlowTest, TheClockStartsWhenTheLevelMessageCloses) {
  StartRace(1, /*wait=*/false);
  // The road starts square on the view at the start: column 318, row 1478, no offset.
  EXPECT_EQ(Road->X, 0.0);
  EXPECT_EQ(Road->Y, 0.0);
  EXPECT_EQ(ViewCol, 318);
  EXPECT_EQ(ViewRow, 1478);
  EXPECT_EQ(TimeLeftMs, 45000);
  EXPECT_EQ(Lives, 3);
  EXPECT_EQ(Score, 0);
  EXPECT_EQ(SpeedNeedle->Angle, 28);
  WaitWhileDialog(DialogLevelStart);
  EXPECT_EQ(TimeLeftMs, 45000);
  // The race offers nothing to select.
  EXPECT_EQ(FirstItem, 1);
  EXPECT_EQ(LastItem, 0);
  EXPECT_EQ(SelectedItem, 0);
  Ticks(1);
  EXPECT_EQ(TimeLeftMs, 45000 - FrameMs);
  // Level 1 races one opponent.
  EXPECT_EQ(RacerCount, 2);
}

// Level 1's finish line lies in row 1550 - 300 = 1250; it is crossed once its top edge passes
// below the top edge of the bike, which stands at y 400 on the screen.
TEST_F(RaceFlowTest, TheFinishIsCrossedOnceItsTopEdgePassesTheBikesTop) {
  StartRace(1);
  LayStraightTrack();
  TimeLeftMs = 600000;
  PlaceBikeOnRoad(1250);
  ASSERT_EQ(ViewRow, 1244);
  Road->Y = -32;  // the line's top edge: (1250 - 1244) x 72 - 32 = 400, level with the bike's
  Ticks(1);
  EXPECT_FALSE(Bike().Finished);
  Road->Y = -31.95;
  Ticks(1);
  EXPECT_TRUE(Bike().Finished);
}

TEST_F(RaceFlowTest, TheLastTenSecondsBeepOnceASecond) {
  StartRace(1);
  ASSERT_EQ(FrameMs, 11);
  TimeLeftMs = 10000;
  SoundsPlayed();
  Ticks(1);
  EXPECT_EQ(TimeLeftMs, 9989);
  EXPECT_EQ(Count(SoundsPlayed(), kClockBeep), 0);
  Ticks(1);
  EXPECT_EQ(Count(SoundsPlayed(), kClockBeep), 1);
  Ticks(80);
  EXPECT_EQ(Count(SoundsPlayed(), kClockBeep), 0);
  Ticks(20);
  EXPECT_EQ(Count(SoundsPlayed(), kClockBeep), 1);
}

// After the finish the clock stands; a second that does not pass has nothing to beep for.
TEST_F(RaceFlowTest, AStandingClockDoesNotBeep) {
  StartRace(1);
  PlaceBikeOnRoad(kStraightRow);
  TimeLeftMs = 9995;
  Bike().Finished = true;
  Ticks(1);
  SoundsPlayed();
  Ticks(10);
  EXPECT_EQ(TimeLeftMs, 9995);
  EXPECT_EQ(Count(SoundsPlayed(), kClockBeep), 0);
}

TEST_F(RaceFlowTest, ThePlaceCountsTheOpponentsAhead) {
  StartRace(1);
  PlaceBikeOnRoad(kStraightRow);
  TOpponent& car = Opponents->Slots[1];
  const double bikeY = ViewRow * kTilePx - Road->Y + Bike().CenterY;
  car.PosY = bikeY - 3 * kTilePx;
  Ticks(2);
  EXPECT_EQ(RacePlace, 2);
  EXPECT_EQ(RacerCount, 2);
  car.PosY = bikeY + 3 * kTilePx;
  Ticks(2);
  EXPECT_EQ(RacePlace, 1);
}

TEST_F(RaceFlowTest, ThePauseSilencesTheEngineAndItsEndStartsItAgain) {
  StartRace(1);
  PlaceBikeOnRoad(kStraightRow);
  Hold(vk::Up);
  Ticks(5);
  const int engine = Bike().EngineSound;
  ASSERT_NE(engine, 0);
  Game->Press('P');
  ASSERT_EQ(ActiveDialog, DialogPause);
  SoundsPlayed();
  Game->Press('P');
  EXPECT_EQ(ActiveDialog, DialogNone);
  EXPECT_EQ(Count(SoundsPlayed(), engine), 1);

  // Coasting, and in the middle of a gear change: the same.
  Release(vk::Up);
  SetSpeed(60);
  Ticks(2);
  ASSERT_TRUE(Bike().EngineStage.Coasting);
  Game->Press('P');
  SoundsPlayed();
  Game->Press('P');
  EXPECT_EQ(Count(SoundsPlayed(), 6), 1) << "coasting";
  Hold(vk::Up);
  Ticks(1);
  SetSpeed(65 * Bike().MaxFactor() - 0.1);
  Ticks(2);
  ASSERT_TRUE(Bike().EngineStage.GearChange);
  Game->Press('P');
  SoundsPlayed();
  Game->Press('P');
  EXPECT_EQ(Count(SoundsPlayed(), 5), 1) << "changing gear";
}

TEST_F(RaceFlowTest, EscapeAndPauseInOneTickOpenOnlyTheExitQuestion) {
  StartRace(1);
  Hold(vk::Escape);
  Hold('P');
  Ticks(1);
  EXPECT_EQ(ActiveDialog, DialogExitToMenu);
  Release(vk::Escape);
  Release('P');
  Game->Press('N');
  EXPECT_EQ(ActiveDialog, DialogNone);
  Game->Press('P');
  EXPECT_EQ(ActiveDialog, DialogPause);
  const int time = TimeLeftMs;
  Ticks(20);
  EXPECT_EQ(TimeLeftMs, time);
}

// The needle turns 0.76875 units per unit of speed from its rest at 28, never below the rest,
// and one unit back while the gears change.
TEST_F(RaceFlowTest, TheNeedleFollowsTheSpeed) {
  StartRace(1);
  // Picture 4 of the second list at (-10, 510), turning about 0.7 of its width and half its
  // height.
  ASSERT_NE(SpeedNeedle, nullptr);
  EXPECT_EQ(SpeedNeedle->BaseX, -10);
  EXPECT_EQ(SpeedNeedle->BaseY, 510);
  EXPECT_DOUBLE_EQ(SpeedNeedle->PivotX, 0.7);
  EXPECT_DOUBLE_EQ(SpeedNeedle->PivotY, 0.5);
  PlaceBikeOnRoad(kStraightRow);
  for (const double speed : {100.0, 40.0, 0.0, -8.0, 152.0}) {
    SetSpeed(speed);
    Ticks(1);
    const double s = Bike().Speed;
    const int expected = std::max(28, static_cast<int>(std::nearbyint(s * 0.76875 + 28)));
    EXPECT_EQ(SpeedNeedle->Angle, expected - (Bike().EngineStage.GearChange ? 1 : 0)) << s;
  }
  SetSpeed(100);
  Ticks(1);
  // About 99.9 after a frame of drag: 76.8 + 28.
  EXPECT_EQ(SpeedNeedle->Angle, 105);
  SetSpeed(0);
  Ticks(1);
  EXPECT_EQ(SpeedNeedle->Angle, 28);

  // The first gear change, reached under throttle, holds the needle one unit back.
  Hold(vk::Up);
  Ticks(1);
  SetSpeed(65 * (6.0 / 110 + 0.9) - 0.05);
  Ticks(2);
  ASSERT_TRUE(Bike().EngineStage.GearChange);
  EXPECT_EQ(SpeedNeedle->Angle,
            static_cast<int>(std::nearbyint(Bike().Speed * 0.76875 + 28)) - 1);
}

TEST_F(RaceFlowTest, TheBarrierCostsALifeAtOnceAndTheBikeRestartsOnTheRoadThreeSecondsLater) {
  StartRace(1);
  // The right barrier stands 3 tiles and a bit right of the centre line.
  PlaceBikeAt(TrackCenterX[kStraightRow] + 3 * kTilePx + 10, kStraightRow);
  Bike().HitsLeft = 2;
  SoundsPlayed();
  Ticks(1);
  ASSERT_TRUE(Bike().Crashed);
  EXPECT_EQ(Lives, 2);
  EXPECT_EQ(Bike().HitsLeft, 3);
  EXPECT_EQ(Count(SoundsPlayed(), kCrashSound), 1);
  EXPECT_EQ(Bike().Image(), Game->Form().MDXImageList2.Item(BikeModels[1].CrashImage));

  const int ticks = TicksUntil([&] { return !Bike().Crashed; }, 400);
  // 3000 ms at 11 ms a frame.
  EXPECT_GE(ticks, 272);
  EXPECT_LE(ticks, 275);
  EXPECT_EQ(Lives, 2);
  EXPECT_EQ(Bike().Speed, 0.0);
  EXPECT_EQ(Bike().Lean, 0);
  EXPECT_EQ(Road->X, 0.0);
  EXPECT_EQ(Road->Y, 0.0);
  Ticks(1);
  EXPECT_TRUE(Bike().OnRoad);
  EXPECT_FALSE(Bike().Crashed);
}

TEST_F(RaceFlowTest, AFallCostsNoLife) {
  StartRace(1);
  PlaceBikeOnRoad(kStraightRow, -kTilePx);
  Hold(vk::Up);
  Hold(vk::Right);
  Ticks(1);
  SetSpeed(140);
  TicksUntil([&] { return Bike().Lean == 1 && 5.5 - Bike().AnimPosition > 3.1; }, 200);
  ASSERT_FALSE(Bike().Crashed);
  const int heading = Bike().Heading;
  Hold(vk::Down);
  Ticks(2);
  EXPECT_TRUE(Bike().Crashed);
  EXPECT_EQ(Lives, 3);
  EXPECT_EQ(Bike().HitsLeft, 3);
  // A fall keeps the heading.
  EXPECT_NEAR(Bike().Heading, heading, 1);
}

TEST_F(RaceFlowTest, ThreeOpponentContactsCostOneLifeAndAPushFromBehindPassesAfterAMoment) {
  StartRace(1);
  PlaceBikeOnRoad(kStraightRow);
  SetSpeed(50);
  Hold(vk::Up);
  // From behind: a push of 10 for 100 ms.
  PutOpponentOnBike(20);
  Ticks(1);
  const double before = Bike().Speed;
  SoundsPlayed();
  Ticks(1);
  EXPECT_TRUE(Bike().Pushed);
  EXPECT_EQ(Bike().HitsLeft, 2);
  EXPECT_NEAR(Bike().Speed, before + 10, 0.7);
  EXPECT_EQ(Count(SoundsPlayed(), kBumpSound), 1);
  MoveOpponentAway();
  TicksUntil([&] { return !Bike().Pushed; }, 20);
  EXPECT_LT(Bike().Speed, before + 3);

  // Running into it from behind it: a bump, no push.
  PutOpponentOnBike(-20);
  Ticks(2);
  EXPECT_FALSE(Bike().Pushed);
  EXPECT_EQ(Bike().HitsLeft, 1);
  // The second hit knocks the opponent down.
  EXPECT_TRUE(Opponents->Slots[1].KnockedOut);
  MoveOpponentAway();

  PutOpponentOnBike(-20);
  Ticks(2);
  EXPECT_TRUE(Bike().Crashed);
  EXPECT_EQ(Lives, 2);
  EXPECT_EQ(Bike().HitsLeft, 3);
}

// On contact the two trade headings: with c the opponent's and d = (2c - SteerAcc) / 2, the
// bike's SteerAcc becomes 2c + d and the opponent's heading c - d.
TEST_F(RaceFlowTest, AContactTradesHeadings) {
  StartRace(1);
  PlaceBikeOnRoad(kStraightRow);
  PutOpponentOnBike(-20);
  TOpponent& car = Opponents->Slots[1];
  car.Heading = 6;
  Bike().SteerAcc = 10;
  Ticks(1);  // the opponent's outline reaches the bike with its own move
  ASSERT_EQ(Bike().HitsLeft, 3);
  const double c = car.Heading, steer = Bike().SteerAcc;
  ASSERT_NE(c, 0);
  const double d = (2 * c - steer) / 2;
  Ticks(1);
  ASSERT_EQ(Bike().HitsLeft, 2);
  EXPECT_DOUBLE_EQ(Bike().SteerAcc, 2 * c + d);
  EXPECT_EQ(Bike().Heading, static_cast<int>(std::nearbyint((2 * c + d) / 2)));
}

TEST_F(RaceFlowTest, APushOnAStandingBikeGivesItTheTenAndItsEndLeavesItStanding) {
  StartRace(1);
  PlaceBikeOnRoad(kStraightRow);
  PutOpponentOnBike(20);
  Ticks(2);
  ASSERT_TRUE(Bike().Pushed);
  EXPECT_NEAR(Bike().Speed, 10, 0.5);
  MoveOpponentAway();
  // Stopped again before the push is over.
  SetSpeed(0);
  TicksUntil([&] { return !Bike().Pushed; }, 20);
  EXPECT_EQ(Bike().Speed, 0.0);
  EXPECT_EQ(Bike().Step, 0.0);
}

TEST_F(RaceFlowTest, ContactsAfterTheFinishCostNothing) {
  StartRace(1);
  PlaceBikeOnRoad(kStraightRow);
  SetSpeed(50);
  Bike().Finished = true;
  PutOpponentOnBike(20);
  Ticks(2);
  EXPECT_EQ(Bike().HitsLeft, 3);
  EXPECT_TRUE(Bike().Pushed);
}

// The throttle held through the end of the time does not keep the bike creeping, which would
// hold the roll-out off for as long as the key stays down.
TEST_F(RaceFlowTest, RunningOutOfTimeCostsALifeAndReplaysTheLevel) {
  StartRace(1);
  PlaceBikeOnRoad(kStraightRow);
  Hold(vk::Up);
  Ticks(1);
  SetSpeed(40);
  TimeLeftMs = 300;
  TicksUntil([&] { return Bike().TimeUp; }, 100);
  // The bike is out of time as soon as no more than a frame and a millisecond are left.
  EXPECT_LE(TimeLeftMs, FrameMs + 1);
  EXPECT_GE(TimeLeftMs, 0);
  TicksUntil([] { return ActiveDialog == DialogTimeOver; }, 400);
  EXPECT_EQ(Lives, 2);
  EXPECT_EQ(Bike().Speed, 0.0);
  SoundsPlayed();
  WaitWhileDialog(DialogTimeOver);
  // The level starts again with the engine idling.
  EXPECT_EQ(Count(SoundsPlayed(), 4), 1);
  EXPECT_TRUE(Bike().EngineStage.Idle);
  EXPECT_EQ(ActiveDialog, DialogLevelStart);
  EXPECT_EQ(Level, 1);
  EXPECT_EQ(TimeLeftMs, 45000);
  EXPECT_EQ(ViewRow, 1478);
  EXPECT_FALSE(Bike().TimeUp);
  EXPECT_EQ(Bike().HitsLeft, 3);
}

TEST_F(RaceFlowTest, RunningOutOfTimeOnTheLastLifeEndsTheGame) {
  StartRace(1);
  Lives = 1;
  TimeLeftMs = 100;
  TicksUntil([] { return ActiveDialog == DialogGameOver; }, 400);
  EXPECT_EQ(Lives, 0);
  WaitWhileDialog(DialogGameOver);
  // A score of 0 makes no high score: straight back to the menu.
  EXPECT_EQ(CurrentScreen, ScreenMainMenu);
  EXPECT_EQ(Player, nullptr);
  EXPECT_EQ(Road, nullptr);
  EXPECT_EQ(Opponents, nullptr);
  EXPECT_EQ(SpeedNeedle, nullptr);
}

TEST_F(RaceFlowTest, CrashingOnTheLastLifeEndsTheGame) {
  StartRace(1);
  Lives = 1;
  PlaceBikeAt(TrackCenterX[kStraightRow] + 3 * kTilePx + 10, kStraightRow);
  Ticks(1);
  ASSERT_TRUE(Bike().Crashed);
  EXPECT_EQ(Lives, 0);
  TicksUntil([] { return ActiveDialog == DialogGameOver; }, 400);
  EXPECT_TRUE(Bike().Crashed);
}

TEST_F(RaceFlowTest, TheFinishRollsOutIntoTheResultsAndTheNextLevel) {
  StartRace(1);
  // Level 1's finish line lies in row 1250.
  PlaceBikeOnRoad(1256);
  Hold(vk::Up);
  Ticks(1);
  SetSpeed(80);
  TicksUntil([&] { return Bike().Finished; }, 200);
  Release(vk::Up);
  const int timeLeft = TimeLeftMs;
  ASSERT_GT(timeLeft, 1000);
  EXPECT_EQ(RacePlace, 1);
  TicksUntil([&] { return Bike().Speed == 0; }, 200);
  // The bike rolls out and stands 2000 ms before the results.
  const int waited = TicksUntil([] { return ActiveDialog == DialogLevelResults; }, 400);
  EXPECT_GE(waited, 2000 / FrameMs - 1);
  EXPECT_LE(waited, 2000 / FrameMs + 2);
  EXPECT_EQ(TimeLeftMs, timeLeft);
  EXPECT_EQ(EndDelayMs, timeLeft);
  EXPECT_EQ(PlacePrize, 800);
  const int scoreBefore = Score;

  WaitWhileDialog(DialogLevelResults);
  EXPECT_EQ(Score, scoreBefore + 800 + timeLeft / 1000 * 5);
  EXPECT_EQ(ActiveDialog, DialogLevelStart);
  EXPECT_EQ(Level, 2);
  EXPECT_EQ(TimeLeftMs, 55000);
  EXPECT_EQ(Lives, 3);
  EXPECT_FALSE(Bike().Finished);
  WaitWhileDialog(DialogLevelStart);
  Ticks(1);
  // Level 2 races two opponents.
  EXPECT_EQ(RacerCount, 3);
}

// Start-up state, as the runner and the tests put it back between games.
TEST(RiderStateTest, ResetGoesBackToTheStartUpValues) {
  TimeLeftMs = 5;
  RacePlace = 2;
  RacerCount = 3;
  Score = 40;
  Lives = 1;
  BikeModel = 4;
  EndDelayMs = 9;
  PlacePrize = 600;
  ResetRiderState();
  EXPECT_EQ(TimeLeftMs, 0);
  EXPECT_EQ(RacePlace, 0);
  EXPECT_EQ(RacerCount, 0);
  EXPECT_EQ(Score, 0);
  EXPECT_EQ(Lives, 0);
  EXPECT_EQ(BikeModel, 1) << "the first model until one is chosen";
  EXPECT_EQ(EndDelayMs, 0);
  EXPECT_EQ(PlacePrize, 0);
}

TEST_F(RaceFlowTest, ABumpStartsTheSoundOfWhatTheEngineIsDoingAgain) {
  StartRace(1);
  PlaceBikeOnRoad(kStraightRow);
  SetSpeed(60);
  Ticks(2);  // the throttle closed: coasting
  ASSERT_TRUE(Bike().EngineStage.Coasting);
  SoundsPlayed();
  PutOpponentOnBike(-20);  // run into it from behind: a bump
  Ticks(2);
  const std::vector<int> played = SoundsPlayed();
  ASSERT_EQ(Count(played, kBumpSound), 1);
  EXPECT_EQ(Count(played, 6), 1) << "the coasting sound";
  EXPECT_EQ(Count(played, 7), 0) << "not the brake";
}

TEST_F(RaceFlowTest, ACrashSilencesTheEngineAndTheEndOfTheRaceTheHornToo) {
  StartRace(1);
  PlaceBikeOnRoad(kStraightRow);
  SetSpeed(60);
  Ticks(2);
  ASSERT_TRUE(Bike().EngineStage.Coasting);
  ASSERT_TRUE(SoundPlaying(6));
  Bike().Crash();
  EXPECT_FALSE(SoundPlaying(6)) << "the coasting sound";

  // Sounding the horn as the time runs out.
  Bike().ResetAfterCrash();
  Hold('H');
  Ticks(2);
  ASSERT_TRUE(SoundPlaying(8));
  TimeLeftMs = FrameMs;
  TicksUntil([&] { return Bike().EndStarted; }, 10);
  EXPECT_FALSE(SoundPlaying(8)) << "the horn, still held";
}
