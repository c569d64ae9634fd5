#include <gtest/gtest.h>

#include <vector>

#include "app/Random.h"
#include "app/ShellState.h"
#include "race/TScrollBackground.h"
#include "race/TrackGenerator.h"
#include "race/TrackState.h"
#include "resources/ImageCollection.h"
#include "sprites/GameImages.h"
#include "sprites/TSpriteEngine.h"

namespace {

// Pattern n of the flat road sheet is painted in this colour.
uint16_t TileColour(int n) {
  return static_cast<uint16_t>(0x0841 * (n + 1));
}

TPictureCollectionItem FlatSheet(int patternWidth, int patternHeight, int columns, int rows) {
  TPictureCollectionItem item;
  item.PatternWidth = patternWidth;
  item.PatternHeight = patternHeight;
  item.Transparent = false;
  item.Picture.Resize(patternWidth * columns, patternHeight * rows);
  for (int y = 0; y < item.Picture.Height(); ++y) {
    for (int x = 0; x < item.Picture.Width(); ++x) {
      item.Picture.At(x, y) = TileColour(y / patternHeight * columns + x / patternWidth);
    }
  }
  return item;
}

struct FakeRider final : TRoadsideRider {
  TQuad RoadsideCorners() const override { return Corners; }
  bool CanTakeRoadsideHit() const override { return HitsLeft > 0 && !Crashed; }
  void TakeRoadsideHit() override {
    ++Hits;
    HitsLeft = 0;
    Crashed = true;
  }
  TQuad Corners{};
  int HitsLeft = 3;
  bool Crashed = false;
  int Hits = 0;
};

struct FakeTraffic final : TRoadsideTraffic {
  struct Slot {
    bool Active = false;
    TFloatPoint Centre;
    TQuad Outline{};
    bool KnockedOut = false;
    int KnockOuts = 0;
  };
  bool SlotActive(int slot) const override { return Slots[slot].Active; }
  TFloatPoint SlotCenter(int slot) const override { return Slots[slot].Centre; }
  TQuad SlotOutline(int slot) const override { return Slots[slot].Outline; }
  bool SlotKnockedOut(int slot) const override { return Slots[slot].KnockedOut; }
  void KnockOutOnRoadside(int slot) override {
    ++Slots[slot].KnockOuts;
    Slots[slot].KnockedOut = true;
  }
  std::vector<Slot> Slots = std::vector<Slot>(kSlots + 1);
};

TQuad Box(double left, double top, double right, double bottom) {
  return {{{left, top}, {right, top}, {right, bottom}, {left, bottom}}};
}

class ScrollingRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetTrackState();
    ResetShellState();
    list1.Items = {FlatSheet(8, 8, 1, 1), FlatSheet(800, 600, 1, 1)};
    list2.Items = {FlatSheet(1, 1, 1, 1), FlatSheet(72, 72, 10, 8)};
    SetGameImageLists(&list1, &list2, nullptr);
    engine.SetSurface(&screen);
  }
  void TearDown() override {
    Road = nullptr;
    SetGameImageLists(nullptr, nullptr, nullptr);
  }

  TScrollBackground* MakeRoad() {
    Road = TScrollBackground::Create(&engine, 2, 1, 13, 10);
    return Road;
  }
  // A road at a view away from the grid's edges, on the race screen.
  TScrollBackground* RaceRoad(int viewRow = 100, int viewCol = 100) {
    CurrentScreen = ScreenRace;
    ViewRow = viewRow;
    ViewCol = viewCol;
    TScrollBackground* road = MakeRoad();
    road->Rider = &rider;
    road->Traffic = &traffic;
    return road;
  }

  TDXImageList list1, list2;
  Surface screen{800, 600};
  TSpriteEngine engine;
  FakeRider rider;
  FakeTraffic traffic;
};

TEST_F(ScrollingRoad, CreateSetsUpTheRoadAndTheBackdrop) {
  ScrollVX = 3;
  ScrollVY = -4;
  TScrollBackground* road = MakeRoad();
  EXPECT_EQ(road->MapColumns(), 13);
  EXPECT_EQ(road->MapRows(), 10);
  EXPECT_EQ(road->Image(), list2.Item(1));
  EXPECT_EQ(road->Width, 72);
  EXPECT_EQ(road->Height, 72);
  EXPECT_EQ(road->Z(), 2);
  EXPECT_EQ(road->X, 0.0);
  EXPECT_EQ(road->Y, 0.0);
  EXPECT_FALSE(road->RemovalRequested);
  EXPECT_EQ(ScrollVX, 0.0);
  EXPECT_EQ(ScrollVY, 0.0);

  TScrollBackground* backdrop = TScrollBackground::Create(&engine, 1, 1, 1, 1);
  EXPECT_EQ(backdrop->Image(), list1.Item(1));
  EXPECT_EQ(backdrop->Width, 800);
  EXPECT_EQ(backdrop->Height, 600);
  backdrop->SetListAndImage(1, 2);
  EXPECT_EQ(backdrop->Image(), list2.Item(1));
  EXPECT_EQ(backdrop->ImageListSel, 2);
  backdrop->SetListAndImage(1, 3);  // not a tile list
  EXPECT_EQ(backdrop->Image(), nullptr);
  EXPECT_EQ(backdrop->Width, 0);
}

TEST_F(ScrollingRoad, RemovalIsRequestedOnceAndTheDestroyedRoadIsForgotten) {
  TScrollBackground* road = MakeRoad();
  road->RequestRemoval();
  road->RequestRemoval();
  EXPECT_EQ(engine.RemovalList().size(), 1u);
  EXPECT_EQ(Road, road);
  engine.PurgeRemoved();
  EXPECT_EQ(engine.SpriteCount(), 0);
  EXPECT_EQ(Road, nullptr);
  // A later build must not touch the destroyed road.
  RandSeed = 1;
  BuildLevel(1);
}

TEST_F(ScrollingRoad, TrackBuildShowsTheStartInTheWindow) {
  TScrollBackground* road = MakeRoad();
  RandSeed = 17;
  BuildLevel(1);
  for (int v = 0; v < 10; ++v) {
    for (int u = 0; u < 13; ++u) {
      ASSERT_EQ(road->Cell(u, v), TrackGrid[1478 + v][318 + u]) << u << "," << v;
    }
  }
  // Row 1479 is the start line, in columns 321..324.
  for (int u = 3; u <= 6; ++u) EXPECT_EQ(road->Cell(u, 1), kTileLine);
  EXPECT_EQ(road->Cell(2, 1), 0);
}

TEST_F(ScrollingRoad, WindowOutsideTheGridShowsPlainGround) {
  TScrollBackground* road = MakeRoad();
  for (auto& row : TrackGrid) row.fill(50);
  ViewRow = 1495;  // rows 1501.. are past the bottom
  ViewCol = -2;    // columns -2..0 are past the left edge
  road->RefreshRoadWindow();
  EXPECT_EQ(road->Cell(0, 0), 0);
  EXPECT_EQ(road->Cell(2, 0), 0);
  EXPECT_EQ(road->Cell(3, 0), 50);
  EXPECT_EQ(road->Cell(3, 5), 50);
  EXPECT_EQ(road->Cell(3, 6), 0);
  // The top and right edges: row 1 and column 650 are the grid's own, row 0 and column 651 not.
  ViewRow = -1;
  ViewCol = 648;
  road->RefreshRoadWindow();
  EXPECT_EQ(road->Cell(0, 0), 0);
  EXPECT_EQ(road->Cell(0, 1), 0);
  EXPECT_EQ(road->Cell(0, 2), 50);
  EXPECT_EQ(road->Cell(2, 2), 50);
  EXPECT_EQ(road->Cell(3, 2), 0);
}

TEST_F(ScrollingRoad, RidingForwardMovesTheTrackDownAndStepsTheViewUp) {
  TScrollBackground* road = MakeRoad();
  ViewRow = 1478;
  road->Y = -12;
  ScrollVY = 10;
  engine.Move(1);
  EXPECT_EQ(road->Y, -7);
  engine.Move(1);
  EXPECT_EQ(road->Y, -2);
  EXPECT_EQ(ViewRow, 1478);
  engine.Move(1);  // passes 0: a tile lower and the view one row up the track
  EXPECT_EQ(road->Y, -69);
  EXPECT_EQ(ViewRow, 1477);

  ScrollVY = -10;
  MotionFactor = 2;  // 10 pixels a frame
  for (int i = 0; i < 3; ++i) engine.Move(1);
  EXPECT_EQ(road->Y, -27);  // -69 - 30 = -99, wrapped
  EXPECT_EQ(ViewRow, 1478);
}

TEST_F(ScrollingRoad, SidewaysScrollStepsTheViewColumn) {
  TScrollBackground* road = MakeRoad();
  ViewCol = 318;
  road->X = -70;
  ScrollVX = -6;
  engine.Move(1);
  EXPECT_EQ(road->X, -1);
  EXPECT_EQ(ViewCol, 319);
  ScrollVX = 4;
  engine.Move(1);
  EXPECT_EQ(road->X, -71);
  EXPECT_EQ(ViewCol, 318);
  // Exactly on a tile's edge is not past it.
  road->X = -74;
  ScrollVX = 4;
  engine.Move(1);
  EXPECT_EQ(road->X, -72);
  EXPECT_EQ(ViewCol, 318);
}

TEST_F(ScrollingRoad, ViewStopsAtTheGridEdgesWhileTheOffsetStillWraps) {
  TScrollBackground* road = MakeRoad();
  struct Case {
    int viewRow, viewCol;
    double vx, vy;
  };
  for (const Case& c : {Case{0, 0, 40, 40}, Case{1490, 637, -40, -40}}) {
    ViewRow = c.viewRow;
    ViewCol = c.viewCol;
    road->X = -36;
    road->Y = -36;
    ScrollVX = c.vx;
    ScrollVY = c.vy;
    for (int i = 0; i < 50; ++i) {
      engine.Move(1);
      ASSERT_EQ(ViewRow, c.viewRow);
      ASSERT_EQ(ViewCol, c.viewCol);
      ASSERT_GE(road->X, -72);
      ASSERT_LE(road->X, 0);
      ASSERT_GE(road->Y, -72);
      ASSERT_LE(road->Y, 0);
    }
  }
  // From inside, a long ride ends on the limits.
  ViewRow = 1480;
  ViewCol = 630;
  ScrollVX = ScrollVY = -60;
  for (int i = 0; i < 100; ++i) engine.Move(1);
  EXPECT_EQ(ViewRow, 1490);
  EXPECT_EQ(ViewCol, 637);
  // And the other way round, on row and column 0.
  ViewRow = 10;
  ViewCol = 8;
  ScrollVX = ScrollVY = 60;
  for (int i = 0; i < 100; ++i) engine.Move(1);
  EXPECT_EQ(ViewRow, 0);
  EXPECT_EQ(ViewCol, 0);
}

TEST_F(ScrollingRoad, DrawsTheGridCellAtItsScreenPosition) {
  RandSeed = 99;
  BuildLevel(2);
  TScrollBackground* road = MakeRoad();
  ViewRow = 1200;
  ViewCol = 300;
  road->X = -30;
  road->Y = -50;
  road->RefreshRoadWindow();
  engine.Draw();
  // Screen x = world x - 72 * ViewCol + X, for every tile on screen.
  for (int v = 0; v < 10; ++v) {
    for (int u = 0; u < 13; ++u) {
      const int x = 72 * u - 30 + 35, y = 72 * v - 50 + 35;
      if (x < 0 || x >= 800 || y < 0 || y >= 600) continue;
      ASSERT_EQ(screen.At(x, y), TileColour(TrackGrid[1200 + v][300 + u])) << u << "," << v;
    }
  }
}

TEST_F(ScrollingRoad, RoadsideContactCrashesTheRiderOnce) {
  TScrollBackground* road = RaceRoad();
  // Left roadside at map cell (5, 5): screen x 360..431, barrier from x 398.
  TrackGrid[105][105] = 1;
  TrackGrid[105][106] = 13;  // a second touching tile: barrier x 432..467
  rider.Corners = Box(420, 380, 440, 420);
  engine.Move(1);
  EXPECT_EQ(rider.Hits, 1);

  // Already down: nothing more.
  engine.Move(1);
  EXPECT_EQ(rider.Hits, 1);

  // No hits left but not crashed: nothing either.
  rider.Crashed = false;
  rider.HitsLeft = 0;
  engine.Move(1);
  EXPECT_EQ(rider.Hits, 1);
  (void)road;
}

TEST_F(ScrollingRoad, RoadsideTestFollowsTheRoadOffset) {
  TScrollBackground* road = RaceRoad();
  TrackGrid[105][105] = 1;
  rider.Corners = Box(370, 380, 390, 420);  // on the ground half of the tile
  engine.Move(1);
  EXPECT_EQ(rider.Hits, 0);
  road->X = -30;  // the barrier now spans x 368..402
  engine.Move(1);
  EXPECT_EQ(rider.Hits, 1);
}

// The contact test covers map rows 1..10 and columns 1..13: the cells at the bottom and right
// ends count, row 0 and column 0 do not.
TEST_F(ScrollingRoad, RoadsideTestReachesTheWindowsLastRowAndColumnButNotItsFirst) {
  RaceRoad();
  struct Cell {
    int u, v;
    bool tested;
  };
  for (const Cell& c : {Cell{13, 10, true}, Cell{1, 1, true}, Cell{0, 5, false}, Cell{5, 0, false}}) {
    SCOPED_TRACE(testing::Message() << c.u << "," << c.v);
    for (int row = 100; row <= 110; ++row) TrackGrid[row].fill(0);
    TrackGrid[100 + c.v][100 + c.u] = 1;  // a left roadside: its barrier from x 38 of the cell
    rider = FakeRider{};
    const double x = 72.0 * c.u, y = 72.0 * c.v;
    rider.Corners = Box(x + 50, y + 20, x + 60, y + 50);
    engine.Move(1);
    EXPECT_EQ(rider.Hits, c.tested ? 1 : 0);
  }
}

TEST_F(ScrollingRoad, MenuBackdropNeitherScrollsNorTests) {
  CurrentScreen = ScreenMainMenu;
  TScrollBackground* backdrop = TScrollBackground::Create(&engine, 1, 1, 1, 1);
  backdrop->Rider = &rider;
  backdrop->Traffic = &traffic;
  ViewRow = 100;
  ViewCol = 100;
  TrackGrid[105][105] = 1;
  rider.Corners = Box(420, 380, 440, 420);
  for (int i = 0; i < 10; ++i) engine.Move(16);
  EXPECT_EQ(backdrop->X, 0.0);
  EXPECT_EQ(backdrop->Y, 0.0);
  EXPECT_EQ(rider.Hits, 0);
}

TEST_F(ScrollingRoad, OpponentsAreKnockedOutByNearbyRoadsideOnlyOnce) {
  RaceRoad();
  // Right roadside at grid (200, 300): world x 21600..21635, y 14400..14471.
  TrackGrid[200][300] = 13;
  FakeTraffic::Slot& hit = traffic.Slots[2];
  hit.Active = true;
  hit.Centre = {21600 + 100, 14400 + 36};  // the tile is within three tiles
  hit.Outline = Box(21620, 14420, 21650, 14460);
  FakeTraffic::Slot& inactive = traffic.Slots[3];
  inactive.Centre = hit.Centre;
  inactive.Outline = hit.Outline;
  FakeTraffic::Slot& clear = traffic.Slots[4];
  clear.Active = true;
  clear.Centre = hit.Centre;
  clear.Outline = Box(21640, 14420, 21670, 14460);  // right of the barrier
  engine.Move(1);
  EXPECT_EQ(hit.KnockOuts, 1);
  EXPECT_EQ(inactive.KnockOuts, 0);
  EXPECT_EQ(clear.KnockOuts, 0);
  engine.Move(1);
  EXPECT_EQ(hit.KnockOuts, 1);  // knocked out already: its timer is not restarted

  // Farther than three tiles from the rider's centre the tile is not looked at.
  FakeTraffic::Slot& far = traffic.Slots[5];
  far.Active = true;
  far.Centre = {21600 + 4 * 72 + 10, 14400 + 36};
  far.Outline = hit.Outline;
  engine.Move(1);
  EXPECT_EQ(far.KnockOuts, 0);
}

TEST_F(ScrollingRoad, OpponentsAtTheGridEdgeReadNothingOutsideIt) {
  RaceRoad();
  for (auto& row : TrackGrid) row.fill(1);
  FakeTraffic::Slot& corner = traffic.Slots[1];
  corner.Active = true;
  corner.Centre = {10, 10};
  // Where a barrier would be if row 0 and column 0 were track.
  corner.Outline = Box(40, 10, 60, 30);
  engine.Move(1);
  EXPECT_EQ(corner.KnockOuts, 0);
  // And past the last row and column.
  corner.Centre = {72.0 * 651 + 36, 72.0 * 1501 + 36};
  corner.Outline = Box(72.0 * 651 + 40, 72.0 * 1501 + 10, 72.0 * 651 + 60, 72.0 * 1501 + 30);
  engine.Move(1);
  EXPECT_EQ(corner.KnockOuts, 0);
}

}  // namespace
