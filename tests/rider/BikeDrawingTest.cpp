// The tyre-mark table and the track map the bike's draw routine builds.
#include <gtest/gtest.h>

#include <cmath>

#include "RaceFixture.h"
#include "app/ShellState.h"
#include "platform/KeyCodes.h"
#include "race/TCar.h"
#include "race/TPlayer.h"
#include "race/TScrollBackground.h"
#include "race/TrackState.h"
#include "resources/ImageCollection.h"
#include "sprites/GameImages.h"
#include "sprites/ImageDrawing.h"

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

// The map's tiles and markers where the alignment rules put them, found in the presented frame:
// every opaque pixel of the map picture must be there.
class TrackMapPlacementTest : public TrackMapTest {
 protected:
  bool DrawnAt(int picture, int x, int y) {
    const TPictureCollectionItem* item = GameImageList(3)->Item(picture);
    if (item == nullptr) return false;
    constexpr uint16_t kUnset = 0x0821;
    Surface scratch(800, 600);
    scratch.Fill(kUnset);
    DrawPattern(*item, scratch, x, y, 0);
    const Surface& frame = Game->Devices().display->LastFrame;
    int opaque = 0;
    for (int py = 0; py < 600; ++py) {
      for (int px = 0; px < 800; ++px) {
        if (scratch.At(px, py) == kUnset) continue;
        ++opaque;
        if (frame.At(px, py) != scratch.At(px, py)) return false;
      }
    }
    return opaque > 0;
  }
  // The first lane cell of a track row, as a map column.
  int LaneColumn(int trackRow) const {
    for (int c = 1; c <= TPlayer::kMapColumns; ++c)
      if (TrackGrid[trackRow][ViewCol + c] == kTileLane) return c;
    return 0;
  }
};

TEST_F(TrackMapPlacementTest, AStraightRoadLiesUnderThePlayerMarkerAndOpponentsAlongIt) {
  StartRace(1);
  // A column further right: the map shifts so the road still meets the marker.
  PlaceBikeOnRoad(1470, kTilePx);
  TOpponent& car = Opponents->Slots[1];
  car.Active = true;
  car.PosX = ViewCol * kTilePx + 100;
  car.PosY = ViewRow * kTilePx + 3 * kTilePx;  // three rows below the view's top
  car.Speed = car.Step = 0;
  Game->Press('P');
  car.NearView = true;
  car.PosY = ViewRow * kTilePx + 3 * kTilePx;
  DrawFrozen();
  // A straight tile (6) starts its stroke 4 pixels in: m = 708 - (4 + (d - 1) x 10 + 631) + 9,
  // drawn at m + 10 c + 621 for its column c = d, which is 713 whatever d is.
  const int d = LaneColumn(ViewRow + 6);
  ASSERT_GT(d, 0);
  const int m = 708 - (4 + (d - 1) * 10 + 631) + 9;
  for (int r : {2, 4, 7, 8, 9}) {
    const int c = LaneColumn(ViewRow + r);
    EXPECT_TRUE(DrawnAt(4, m + 10 * c + 621, 15 * r + 31)) << "map row " << r;
    EXPECT_FALSE(DrawnAt(4, m + 10 * c + 622, 15 * r + 31)) << "map row " << r;
  }
  EXPECT_EQ(m + 10 * d + 621, 713);
  // The opponent's marker: 3 rows down is 45 map pixels, so row (45 - 14 + 32) div 15 = 4, a
  // straight tile (offset 0): x = 0 + 10 d + 631 + m - 15, y = 45 - 14 + 46.
  EXPECT_TRUE(DrawnAt(10, 10 * d + 631 + m - 15, 45 - 14 + 46));
  EXPECT_TRUE(DrawnAt(11, 708, 116)) << "the player marker";
}

TEST_F(TrackMapPlacementTest, ADiagonalUnderTheBikeSlidesTheMapWithTheRoadsOffset) {
  StartRace(1);
  PlaceBikeOnRoad(1470);
  Game->Press('P');
  // The bike's map row: a drift-right half-step (left edge 45, then a lane) at column 5.
  TTrackRow& cells = TrackGrid[ViewRow + 6];
  cells.fill(0);
  cells[ViewCol + 4] = 45;
  cells[ViewCol + 5] = kTileLane;
  Road->Y = 36;  // half a row: 7.5 map pixels down
  DrawFrozen();
  ASSERT_EQ(Tile(5, 6), 1);
  // Tile 1 starts 9 pixels in and leans 0.36208 per map pixel: f = 9 + 7.5 x 0.36208.
  const double v = 36.0 / 72 * 15;
  const double f = 9 + v * 0.36208;
  const int m = static_cast<int>(std::nearbyint(708 - (f + 4 * 10 + 631) + 9));
  const int shiftY = static_cast<int>(std::nearbyint(v));
  ASSERT_EQ(shiftY, 8);
  for (int r : {2, 4, 8, 9}) {
    const int c = LaneColumn(ViewRow + r);
    EXPECT_TRUE(DrawnAt(4, m + 10 * c + 621, shiftY + 15 * r + 31)) << "map row " << r;
  }
}
