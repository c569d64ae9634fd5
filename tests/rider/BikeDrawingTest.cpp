// The tyre-mark table and the track map the bike's draw routine builds.
#include <gtest/gtest.h>

#include "RaceFixture.h"
#include "app/ShellState.h"
#include "platform/KeyCodes.h"
#include "race/TPlayer.h"
#include "race/TScrollBackground.h"
#include "race/TrackState.h"

TEST(TyreMarkTest, AFullTableTakesNoMoreMarksUntilSomeLeaveTheScreen) {
  ClearSkidMarks();
  for (int i = 0; i < kSkidMarkSlots; ++i) LayMark(300, 100 + i, 5);
  EXPECT_EQ(LastMark, kSkidMarkSlots);
  LayMark(50, 50, 7);
  EXPECT_EQ(LastMark, kSkidMarkSlots);
  for (int i = 1; i <= kSkidMarkSlots; ++i) EXPECT_NE(SkidMarks[i].Angle, 7);

  // Marks 1..10 scroll off the bottom of the screen and free their slots.
  for (int i = 1; i <= 10; ++i) SkidMarks[i].Y = 601;
  PurgeMarks();
  EXPECT_FALSE(SkidMarks[1].Used);
  EXPECT_TRUE(SkidMarks[11].Used);
  LayMark(50, 50, 7);
  EXPECT_EQ(LastMark, 1);
  EXPECT_EQ(SkidMarks[1].Angle, 7);
}

TEST(TyreMarkTest, MarksScrollWithTheRoadAndKeepTheirAngle) {
  ClearSkidMarks();
  LayMark(300, 300, -20);
  ScrollVX = 4;
  ScrollVY = -10;
  MotionFactor = 1.0;
  ScrollMarks();
  EXPECT_DOUBLE_EQ(SkidMarks[1].X, 302);
  EXPECT_DOUBLE_EQ(SkidMarks[1].Y, 295);
  EXPECT_EQ(SkidMarks[1].Angle, -20);
  // The right panel covers x beyond 700; a mark there is gone for good.
  SkidMarks[1].X = 701;
  PurgeMarks();
  EXPECT_FALSE(SkidMarks[1].Used);
  ScrollVX = ScrollVY = 0;
}

class TrackMapTest : public RaceTest {
 protected:
  // Draws a frame with the race frozen under the pause message, so the map shows the grid as
  // the test leaves it.
  void DrawFrozen() {
    if (ActiveDialog != DialogPause) Game->Press('P');
    ASSERT_EQ(ActiveDialog, DialogPause);
    Ticks(1);
  }
  int Tile(int column, int row) const { return Player->MapTiles[column][row]; }
};

TEST_F(TrackMapTest, TheStartShowsAStraightAndTheStartLine) {
  StartRace(1);
  DrawFrozen();
  // The lanes of the start straight begin in column 322, four columns right of the view.
  for (int row = 1; row <= TPlayer::kMapRows; ++row) {
    const int trackRow = ViewRow + row;
    if (trackRow == 1479) {
      EXPECT_EQ(Tile(4, row), 7) << row;  // the start line, one column after its first cell
    } else {
      EXPECT_EQ(Tile(4, row), 6) << row;
    }
  }
}

TEST_F(TrackMapTest, PiecesAtTheMapsRightEdgeKeepInsideIt) {
  StartRace(1);
  const int row = ViewRow + 3;
  TTrackRow& cells = TrackGrid[row];
  cells.fill(0);
  // A line whose first cell is the map's last column adds no tile.
  cells[ViewCol + 16] = kTileLine;
  DrawFrozen();
  for (int c = 1; c <= TPlayer::kMapColumns; ++c) EXPECT_EQ(Tile(c, 3), 0) << c;

  // A drift-left lane in the last column sets only its own column.
  cells.fill(0);
  cells[ViewCol + 15] = 27;
  cells[ViewCol + 16] = kTileLane;
  DrawFrozen();
  EXPECT_EQ(Tile(16, 3), 40);
  EXPECT_EQ(Tile(15, 3), 0);

  // A drift-right half-step lane in the first column: only its own tile and the next.
  cells.fill(0);
  cells[ViewCol] = 45;
  cells[ViewCol + 1] = kTileLane;
  DrawFrozen();
  EXPECT_EQ(Tile(1, 3), 1);
  EXPECT_EQ(Tile(2, 3), 2);
}
