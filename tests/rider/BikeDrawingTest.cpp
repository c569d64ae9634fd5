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
    // One piece per row, nothing else.
    for (int column = 1; column <= TPlayer::kMapColumns; ++column) {
      if (column != 4) {
        EXPECT_EQ(Tile(column, row), 0) << column << "," << row;
      }
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

// Every piece of road a map row can show, in the middle of the map: the row's first lane (or
// line) cell decides, by the left road edge beside it.
TEST_F(TrackMapTest, EachLeftEdgeGivesItsPiecesAroundTheFirstLane) {
  StartRace(1);
  const int row = ViewRow + 3;
  TTrackRow& cells = TrackGrid[row];
  struct Case {
    int edge;
    int left, own, right;  // the tiles of map columns 7, 8 and 9
  };
  // Lane cell in map column 8, its left edge in column 7.
  const Case cases[] = {
      {10, 0, 6, 0},   // straight
      {33, 20, 10, 0}, // drift left, half step
      {27, 0, 40, 30}, // drift left, shifted
      {45, 0, 1, 2},   // drift right, half step
      {39, 3, 4, 0},   // drift right, shifted
      {38, 0, 0, 0},   // a shoulder beside the lane is no edge: nothing
      {0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.edge);
    cells.fill(0);
    cells[ViewCol + 7] = c.edge;
    cells[ViewCol + 8] = kTileLane;
    cells[ViewCol + 9] = kTileLane;  // only the first lane counts
    cells[ViewCol + 10] = 12;
    DrawFrozen();
    EXPECT_EQ(Tile(7, 3), c.left);
    EXPECT_EQ(Tile(8, 3), c.own);
    EXPECT_EQ(Tile(9, 3), c.right);
    for (int column : {1, 6, 10, 16}) EXPECT_EQ(Tile(column, 3), 0) << column;
  }
  // A line cell before the lanes: the line tile one column after it, and the scan stops there.
  cells.fill(0);
  cells[ViewCol + 5] = kTileLine;
  cells[ViewCol + 7] = 10;
  cells[ViewCol + 8] = kTileLane;
  DrawFrozen();
  EXPECT_EQ(Tile(6, 3), 7);
  EXPECT_EQ(Tile(5, 3), 0);
  EXPECT_EQ(Tile(8, 3), 0) << "the lane after the line is not looked at";
  // Rows below the grid's last row stay empty.
  EXPECT_LE(ViewRow + TPlayer::kMapRows, kTrackRows);
}

// Where the map's pieces and the opponents' markers land for every kind of piece: the bike's
// row sets the sideways shift, diagonal pieces lean with the road's offset, and a marker sits on
// the stroke of its row's piece. Values worked out from the placement rules by hand.
class TrackMapPieceTest : public TrackMapPlacementTest {
 protected:
  // The map picture of each tile code.
  static int PictureOf(int code) {
    switch (code) {
      case 1: return 0;
      case 2: return 1;
      case 3: return 2;
      case 4: return 3;
      case 6: return 4;
      case 7: return 5;
      case 10: return 6;
      case 20: return 7;
      case 30: return 8;
      case 40: return 9;
      default: return -1;
    }
  }
  // Lays, in track row `row`, the piece whose first map tile is `code`, that tile in map
  // column `column`. Returns the column of the piece's lane.
  static void LayPiece(int row, int code, int column) {
    TTrackRow& cells = TrackGrid[row];
    cells.fill(0);
    const int at = ViewCol + column;
    switch (code) {
      case 6:  cells[at - 1] = 10; cells[at] = kTileLane; break;
      case 7:  cells[at - 1] = kTileLine; break;
      case 20: cells[at] = 33; cells[at + 1] = kTileLane; break;
      case 40: cells[at - 1] = 27; cells[at] = kTileLane; break;
      case 1:  cells[at - 1] = 45; cells[at] = kTileLane; break;
      case 3:  cells[at] = 39; cells[at + 1] = kTileLane; break;
    }
  }
};

TEST_F(TrackMapPieceTest, TheBikesRowPieceMeetsThePlayerMarkerWhateverItsKind) {
  StartRace(1);
  PlaceBikeOnRoad(1470);
  Game->Press('P');
  // Half a row down: 7.5 map pixels.
  Road->Y = 36;
  const double v = 7.5;
  // Where each piece's stroke starts, and how it leans as the road slides down.
  struct Case {
    int code;
    double start;
    int lean;
  };
  const Case cases[] = {{6, 4, 0}, {7, 4, 0}, {1, 9, 1}, {3, 14, 1}, {20, 8, -1}, {40, 3, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    // The bike's map row sets the shift; the same piece two rows up shows it (the player
    // marker covers the bike's row).
    const int d = 5;
    LayPiece(ViewRow + 6, c.code, d);
    LayPiece(ViewRow + 4, c.code, d);
    DrawFrozen();
    ASSERT_EQ(Tile(d, 6), c.code);
    ASSERT_EQ(Tile(d, 4), c.code);
    const double f = c.start + c.lean * v * 0.36208;
    const int m = static_cast<int>(std::nearbyint(708 - (f + (d - 1) * 10 + 631) + 9));
    const int x = m + 10 * d + 621;
    const int y = 8 + 15 * 4 + 31;
    EXPECT_TRUE(DrawnAt(PictureOf(c.code), x, y)) << "m " << m;
    EXPECT_FALSE(DrawnAt(PictureOf(c.code), x + 1, y));
    EXPECT_FALSE(DrawnAt(PictureOf(c.code), x - 1, y));
  }
}

TEST_F(TrackMapPieceTest, AnOpponentsMarkerSitsOnThePieceOfItsMapRow) {
  StartRace(1);
  PlaceBikeOnRoad(1470);
  Game->Press('P');
  Road->Y = 0;
  // The bike's row holds a straight at map column 6: m = 708 - (4 + 50 + 631) + 9 = 32.
  LayPiece(ViewRow + 6, 6, 6);
  const int m = 32;
  // The opponent's top edge 3 rows and 20 pixels below the view's top: 236 / 72 x 15 =
  // 49.17 map pixels, so its map row is round(49.17 - 14 + 32) = 67 div 15 = 4, and it sits
  // 67 mod 15 = 7 pixels down that row.
  const double mapY = 236.0 / 72 * 15;
  const double e = 7 * 0.36208;
  // The marker's offset on each piece and how the slope moves it.
  struct Case {
    int code;
    double offset;
    int lean;
  };
  const Case cases[] = {{6, 0, 0}, {1, 9, 1}, {3, 14, 1}, {20, 4, -1}, {40, -1, -1}};
  // The last slot: every slot that rides is marked.
  for (TOpponent& other : Opponents->Slots) other.Active = false;
  TOpponent& car = Opponents->Slots[TCar::kSlots];
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const int l = 7;
    LayPiece(ViewRow + 4, c.code, l);
    car.Active = true;
    car.NearView = true;
    car.PosX = ViewCol * kTilePx + 200;
    car.PosY = ViewRow * kTilePx + 236;
    DrawFrozen();
    ASSERT_EQ(Tile(l, 4), c.code);
    const int x = static_cast<int>(std::nearbyint(c.offset - c.lean * e + l * 10 + 631 + m - 15));
    const int y = static_cast<int>(std::nearbyint(mapY - 14)) + 46;
    EXPECT_TRUE(DrawnAt(10, x, y));
    EXPECT_FALSE(DrawnAt(10, x + 1, y));
    EXPECT_FALSE(DrawnAt(10, x - 1, y));
  }
}

// The side panels frame the road: picture 2 of the second list at the screen's top-left corner
// and picture 3 at x 626. The race's texts and the track map are drawn over parts of them, so
// most of each frame's pixels, not all, must show.
TEST_F(TrackMapTest, TheSidePanelsAreDrawnAtTheirPlaces) {
  StartRace(1);
  DrawFrozen();
  const Surface& frame = Game->Devices().display->LastFrame;
  auto share = [&](int picture, int x, int y) {
    const TPictureCollectionItem* item = GameImageList(2)->Item(picture);
    if (item == nullptr) return 0.0;
    constexpr uint16_t kUnset = 0x0821;
    Surface scratch(800, 600);
    scratch.Fill(kUnset);
    DrawPattern(*item, scratch, x, y, 0);
    int opaque = 0, same = 0;
    for (int py = 0; py < 600; ++py) {
      for (int px = 0; px < 800; ++px) {
        if (scratch.At(px, py) == kUnset) continue;
        ++opaque;
        same += frame.At(px, py) == scratch.At(px, py);
      }
    }
    return opaque > 1000 ? static_cast<double>(same) / opaque : 0.0;
  };
  EXPECT_GT(share(2, 0, 0), 0.9) << "the left panel";
  EXPECT_GT(share(3, 626, 0), 0.9) << "the right panel";
  EXPECT_LT(share(2, 3, 0), 0.8) << "a little to one side it is not";
}
