// Crashes, falls, the restart after a crash and the roll-out after the race, each rule driven
// into its branches through the real game; the expected headings, rows and columns are worked
// out by hand from the track laid out in the test.
#include <gtest/gtest.h>

#include <algorithm>

#include "RaceFixture.h"
#include "app/Audio.h"
#include "app/ShellState.h"
#include "app/TMForm.h"
#include "platform/KeyCodes.h"
#include "race/RiderState.h"
#include "race/TCar.h"
#include "race/TPlayer.h"
#include "race/TScrollBackground.h"
#include "race/TrackState.h"
#include "screens/Dialogs.h"

namespace {
constexpr int kStraightRow = 1470;

int Count(const std::vector<int>& sounds, int sound) {
  return static_cast<int>(std::count(sounds.begin(), sounds.end(), sound));
}
}  // namespace

class CrashRulesTest : public RaceTest {
 protected:
  void SetUp() override {
    RaceTest::SetUp();
    StartRace(1);
    LayStraightTrack();
    TimeLeftMs = 600000;
    PlaceBikeOnRoad(kStraightRow);
    Ticks(1);
  }
  void SetSpeed(double speed) {
    Bike().Speed = speed;
    Bike().Step = Bike().MaxFactor() * speed / 8;
  }
  // A crash that chooses its heading (as a roadside contact's does), heading `heading` before.
  void CrashWithHeading(int heading) {
    Bike().SteerAcc = 2 * heading;
    Bike().Heading = heading;
    Bike().CrashHeadingSet = false;
    Bike().Crash();
    Ticks(1);
  }
};

// The crash turns the bike by the road's drift in the row five below the view's top: the last
// left road edge of that row decides.
TEST_F(CrashRulesTest, ACrashTurnsTheBikeAlongTheDriftFiveRowsBelowTheView) {
  struct Row {
    std::vector<std::pair<int, int>> Cells;  // column offset from ViewCol, kind
    int RowOffset;
    int Heading;  // before
    int Expected;
  };
  const std::vector<Row> rows = {
      {{{5, 27}}, 5, 4, -38 - 4},          // drift left: 38 * -1 - 4
      {{{5, 33}}, 5, -3, -38 + 3},         // the other drift-left edge
      {{{5, 39}}, 5, 4, 38 - 4},           // drift right
      {{{5, 45}}, 5, 0, 38},               // the other drift-right edge
      {{{5, 27}, {9, 10}}, 5, 6, -6},      // a straight edge further right wins: 0 - 6
      {{{5, 10}, {9, 45}}, 5, 6, 38 - 6},  // and a drift edge after a straight one
      {{{5, 27}}, 4, 6, -6},               // only the fifth row counts
      {{{5, 27}}, 6, 6, -6},
  };
  for (const Row& row : rows) {
    LayStraightTrack();
    PlaceBikeOnRoad(kStraightRow);
    Ticks(1);
    TTrackRow& cells = TrackGrid[ViewRow + row.RowOffset];
    cells.fill(0);
    for (const auto& [column, kind] : row.Cells) cells[ViewCol + column] = static_cast<int8_t>(kind);
    CrashWithHeading(row.Heading);
    EXPECT_EQ(Bike().Heading, row.Expected) << "row +" << row.RowOffset << ", heading "
                                            << row.Heading << ", first kind "
                                            << row.Cells[0].second;
    Bike().ResetAfterCrash();
    Bike().CrashHeadingSet = false;
  }
}

// The whole row is looked at, from its first column to its last.
TEST_F(CrashRulesTest, TheCrashHeadingLooksAtTheRowsFirstAndLastColumnsToo) {
  struct Row {
    std::vector<std::pair<int, int>> Cells;  // column, kind
    int Expected;                             // from heading 4
  };
  const std::vector<Row> rows = {
      {{{kTrackColumns, 39}}, 38 - 4},
      {{{1, 33}}, -38 - 4},
      {{{1, 45}, {kTrackColumns, 10}}, -4},
      {{{1, 10}, {kTrackColumns, 27}}, -38 - 4},
  };
  for (const Row& row : rows) {
    LayStraightTrack();
    PlaceBikeOnRoad(kStraightRow);
    Ticks(1);
    TTrackRow& cells = TrackGrid[ViewRow + 5];
    cells.fill(0);
    for (const auto& [column, kind] : row.Cells) cells[column] = static_cast<int8_t>(kind);
    CrashWithHeading(4);
    EXPECT_EQ(Bike().Heading, row.Expected) << "first cell " << row.Cells[0].first;
    Bike().ResetAfterCrash();
    Bike().CrashHeadingSet = false;
  }
}

TEST_F(CrashRulesTest, AFallKeepsTheHeadingAndCostsNoLife) {
  Bike().CrashHeadingSet = false;
  TTrackRow& cells = TrackGrid[ViewRow + 5];
  cells.fill(0);
  cells[ViewCol + 3] = 27;
  Hold(vk::Down);
  Ticks(1);
  SetSpeed(50);
  Bike().SteerAcc = 14;
  Bike().SetPicture(25);  // model 1 leaning right
  Bike().Lean = 1;
  // Deeper than 3 after this frame's easing back by 0.1.
  Bike().AnimPosition = 5.5 - 3.2;
  Ticks(2);
  ASSERT_TRUE(Bike().Crashed);
  EXPECT_EQ(Bike().Heading, 7);
  EXPECT_EQ(Lives, 3);
}

class FallRulesTest : public CrashRulesTest {
 protected:
  // All 100 tyre-mark slots in use on the screen, so no mark is laid and LastMark stays put.
  void FillMarks(int lastMark) {
    ClearSkidMarks();
    for (int i = 0; i < kSkidMarkSlots; ++i) LayMark(300, 300, 0);
    LastMark = lastMark;
  }
  // One frame with the keys held (they reach the bike one frame after they go down) from the
  // given speed and lean depth (measured after this frame's easing back upright by 0.1).
  bool Falls(uint16_t key, double speed, int lean, double depth, int lastMark) {
    Bike().ResetAfterCrash();
    PlaceBikeOnRoad(kStraightRow);
    Release(vk::Space);
    Release(vk::Down);
    Hold(key);
    Ticks(1);
    FillMarks(lastMark);
    SetSpeed(speed);
    // Model 1's lean strips: pictures 24 (left) and 25 (right).
    if (lean != 0) Bike().SetPicture(lean < 0 ? 24 : 25);
    Bike().Lean = lean;
    Bike().AnimPosition = lean == 0 ? 0 : 5.5 - depth - 0.1;
    Ticks(1);
    return Bike().Crashed;
  }
};

TEST_F(FallRulesTest, TheExtraBrakeAboveOneHundredFallsOnceMoreThanTenMarksLie) {
  EXPECT_TRUE(Falls(vk::Space, 100.5, 0, 0, 11));
  EXPECT_FALSE(Falls(vk::Space, 100.5, 0, 0, 10));
  EXPECT_FALSE(Falls(vk::Space, 100, 0, 0, 11)) << "100 itself is not above 100";
  EXPECT_EQ(Lives, 3) << "a fall costs no life";
}

TEST_F(FallRulesTest, TheExtraBrakeInALeanDeeperThanTwoFallsOnceMoreThanEightMarksLie) {
  EXPECT_TRUE(Falls(vk::Space, 50, 1, 2.05, 9));
  EXPECT_FALSE(Falls(vk::Space, 50, 1, 2.05, 8));
  EXPECT_FALSE(Falls(vk::Space, 50, 1, 1.95, 9));
  EXPECT_TRUE(Falls(vk::Space, 50, -1, 2.05, 9));
}

TEST_F(FallRulesTest, BrakingInALeanFallsDeeperThanThreeOrDeeperThanTwoAboveOneHundred) {
  EXPECT_TRUE(Falls(vk::Down, 50, 1, 3.05, 1));
  EXPECT_FALSE(Falls(vk::Down, 50, 1, 2.95, 1));
  EXPECT_TRUE(Falls(vk::Down, 100.5, -1, 2.05, 1));
  EXPECT_FALSE(Falls(vk::Down, 99.5, -1, 2.05, 1));
  EXPECT_FALSE(Falls(vk::Down, 100.5, -1, 1.95, 1));
}

class RestartRulesTest : public CrashRulesTest {
 protected:
  // Clears the rows from five below the view's top downward to the track's bottom.
  void ClearRowsBelow() {
    for (int r = ViewRow + 5; r <= kTrackRows; ++r) TrackGrid[r].fill(0);
  }
};

// The search looks from five rows below the top of the view back along the track, scanning each
// row from column 649 leftward; the view goes to eight columns left of the cell found and puts
// that row five rows below its top, one row further on.
TEST_F(RestartRulesTest, ARestartOnADriftShoulderFollowsTheDiagonal) {
  struct Shoulder {
    int Kind;
    int ViewColumn;  // expected
    double Steer;
  };
  for (const Shoulder& s : {Shoulder{47, 400 - 8 - 1 + 1, 38.0}, Shoulder{29, 400 - 8 + 1 + 1, -38.0},
                            Shoulder{23, 400 - 8 + 1, 0.0}}) {
    PlaceBikeOnRoad(kStraightRow);
    const int viewRow = ViewRow;
    ClearRowsBelow();
    TrackGrid[viewRow + 5][400] = static_cast<int8_t>(s.Kind);
    TrackGrid[viewRow + 5][401] = 13;  // the roadside, as beside every shoulder
    TrackGrid[viewRow + 5][200] = 29;  // further left: not reached
    Bike().SteerAcc = 11;
    Road->X = 17;
    Road->Y = -9;
    Bike().ChooseRestartPosition();
    EXPECT_EQ(ViewCol, s.ViewColumn) << "kind " << s.Kind;
    EXPECT_EQ(ViewRow, viewRow + 1) << "kind " << s.Kind;
    EXPECT_EQ(Bike().SteerAcc, s.Steer) << "kind " << s.Kind;
    EXPECT_EQ(Bike().Heading, static_cast<int>(s.Steer / 2)) << "kind " << s.Kind;
    EXPECT_EQ(Road->X, 0.0);
    EXPECT_EQ(Road->Y, 0.0);
    EXPECT_TRUE(Bike().RespawnPlaced);
  }
}

TEST_F(RestartRulesTest, PlainGroundRightOfTheRoadOnALaterRowIsChosenWhenTheFirstRowsHaveNone) {
  PlaceBikeOnRoad(kStraightRow);
  const int viewRow = ViewRow;
  ClearRowsBelow();
  // Three rows further on: a road cell at 300 with plain ground right of it.
  TrackGrid[viewRow + 8][300] = kTileRightEdge;
  // Ground right of a cell that is no road does not count.
  TrackGrid[viewRow + 8][350] = 13;
  Bike().SteerAcc = -20;
  Bike().ChooseRestartPosition();
  EXPECT_EQ(ViewCol, 301 - 8 + 1);
  EXPECT_EQ(ViewRow, viewRow + 8 + 1 - 5);
  EXPECT_EQ(Bike().SteerAcc, 0.0);
  EXPECT_EQ(Bike().Heading, 0);
}

TEST_F(RestartRulesTest, AtTheBottomOfTheGridTheViewStays) {
  PlaceBikeOnRoad(1496);
  ASSERT_EQ(ViewRow, 1490);
  const int viewCol = ViewCol;
  Road->X = 5;
  Road->Y = 5;
  Bike().ChooseRestartPosition();
  EXPECT_EQ(ViewRow, 1490);
  EXPECT_EQ(ViewCol, viewCol);
  EXPECT_EQ(Road->X, 0.0);
  EXPECT_EQ(Road->Y, 0.0);
  EXPECT_TRUE(Bike().RespawnPlaced);
}

// The crash, the 3000 ms on the ground and the restart, heard: the crash sound once, then the
// idle engine when the bike is back on its wheels and moves off.
TEST_F(CrashRulesTest, ACrashSoundsOnceAndTheRestartIdles) {
  SetSpeed(60);
  Hold(vk::Up);
  Ticks(3);
  SoundsPlayed();
  Bike().CrashHeadingSet = false;
  Bike().HitsLeft = 1;
  Bike().TakeHits(1);
  std::vector<int> sounds = SoundsPlayed();
  EXPECT_EQ(Count(sounds, 20), 1);
  EXPECT_EQ(Lives, 2);
  EXPECT_EQ(Bike().HitsLeft, 3);
  Release(vk::Up);
  const int ticks = TicksUntil([&] { return !Bike().Crashed; }, 400);
  // 3000 ms counted down in whole frames of 11 ms, then the frame that finds it run out.
  EXPECT_EQ(ticks, 3000 / 11 + 1 + 1);
  sounds = SoundsPlayed();
  EXPECT_EQ(Count(sounds, 20), 0);
  Ticks(1);
  EXPECT_TRUE(Bike().EngineStage.Idle);
  EXPECT_EQ(Count(SoundsPlayed(), 4), 1) << "the idle engine starts once";
}

// The roll-out steers along a drift under the bike, in the row under its centre.
TEST_F(CrashRulesTest, TheRollOutFollowsADriftRowUnderTheBike) {
  struct Roll {
    int Kind;
    double Steer;
  };
  const int row = BikeRow();
  for (const Roll& r : {Roll{SectionDriftLeft, -37.78}, Roll{SectionDriftRight, 37.78},
                        Roll{SectionBendEntry, 0.0}}) {
    TrackRowKind[row] = static_cast<uint8_t>(r.Kind);
    // The neighbouring rows drift the other way; they do not count.
    TrackRowKind[row - 1] = TrackRowKind[row + 1] =
        r.Kind == SectionDriftLeft ? SectionDriftRight : SectionDriftLeft;
    PlaceBikeOnRoad(kStraightRow);
    Bike().Finished = true;
    Bike().SteerAcc = 5;
    SetSpeed(30);
    Ticks(1);
    EXPECT_EQ(Bike().SteerAcc, r.Steer) << "row kind " << r.Kind;
    EXPECT_EQ(EndDelayMs, 2000);
    ASSERT_EQ(BikeRow(), row);
  }
}

TEST_F(CrashRulesTest, OutOfTimeTheRollOutWaitsASecondAndAFinishTwo) {
  Bike().TimeUp = true;
  // Rolling slower than a frame's 0.8: it stops in this frame, which counts the first 11 ms.
  SetSpeed(0.5);
  Ticks(1);
  EXPECT_EQ(Bike().Speed, 0.0);
  EXPECT_EQ(EndDelayMs, 1000 - 11);
  const int waited = TicksUntil([] { return ActiveDialog != DialogNone; }, 200);
  // Ninety more subtractions take it below 0; the frame after opens the dialog.
  EXPECT_EQ(waited, 91);
  EXPECT_EQ(ActiveDialog, DialogTimeOver);
  EXPECT_EQ(Lives, 2);
}

// Reaching the finish line with the time already up still gives the results, with the time
// that was left; the roll-out waits the finish's two seconds.
TEST_F(CrashRulesTest, FinishingWithTheTimeAlreadyUpGivesTheResults) {
  TimeLeftMs = 7;
  Ticks(1);
  ASSERT_TRUE(Bike().TimeUp);
  Bike().Finished = true;
  SetSpeed(0.5);
  Ticks(1);
  EXPECT_EQ(EndDelayMs, 2000 - 11);
  TicksUntil([] { return ActiveDialog != DialogNone; }, 300);
  EXPECT_EQ(ActiveDialog, DialogLevelResults);
  EXPECT_EQ(EndDelayMs, TimeLeftMs);
  EXPECT_EQ(Lives, 3);
}

// A bike already standing as the race ends gets no roll-out wait: the results open at once, or
// after whatever wait was left from before.
TEST_F(CrashRulesTest, AStandingBikeGetsNoEndDelay) {
  ASSERT_EQ(Bike().Speed, 0.0);
  EndDelayMs = 0;
  Bike().Finished = true;
  Ticks(1);
  EXPECT_EQ(ActiveDialog, DialogLevelResults);
}

TEST_F(CrashRulesTest, AStandingBikeCountsDownTheWaitItHeld) {
  EndDelayMs = 100;
  Bike().Finished = true;
  const int ticks = TicksUntil([] { return ActiveDialog != DialogNone; }, 100);
  // Ten subtractions of 11 take 100 below 0; the frame after opens the results.
  EXPECT_EQ(ticks, 100 / 11 + 1 + 1);
  EXPECT_EQ(ActiveDialog, DialogLevelResults);
}

// A crash stops only the engine's sounds: a pickup's sound plays on, while the end of the race
// stops the bump's too. Whether a sound still plays shows when the sound output is asked to
// start it once more without stopping it first: a copy still playing needs a second one (both
// sounds allow two copies and do not loop; the clock hardly moves in between).
TEST_F(CrashRulesTest, ACrashLetsThePickupSoundPlayOnButTheEndOfTheRaceStopsTheBump) {
  PlaySound(14);
  ASSERT_EQ(MForm->MDXSound.CopyCount(14), 1);
  Bike().Crash();
  MForm->MDXSound.Play(14);
  EXPECT_EQ(MForm->MDXSound.CopyCount(14), 2) << "still playing through the crash";
  Bike().ResetAfterCrash();

  PlaySound(17);
  ASSERT_EQ(MForm->MDXSound.CopyCount(17), 1);
  Bike().Finished = true;
  Ticks(1);
  ASSERT_TRUE(Bike().EndStarted);
  MForm->MDXSound.Play(17);
  EXPECT_EQ(MForm->MDXSound.CopyCount(17), 1) << "stopped when the race ended";
}
