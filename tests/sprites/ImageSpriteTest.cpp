// Image sprites: the animation step and the drawn pattern; background maps and their walk over
// the screen.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "SpriteTestSupport.h"
#include "sprites/TBackgroundSprite.h"
#include "sprites/TImageSprite.h"
#include "sprites/TSpriteEngine.h"

using namespace sprite_test;

namespace {

class ImageSprites : public ::testing::Test {
 protected:
  ImageSprites() { engine.SetSurface(&screen); }

  Surface screen = Backdrop(800, 600);
  TSpriteEngine engine;
};

TEST_F(ImageSprites, LoopingAnimationWrapsIntoItsLength) {
  TImageSprite* s = TSprite::Make<TImageSprite>(&engine);
  s->AnimLoop = true;
  s->AnimLength = 4;
  s->AnimPosition = 3.9;
  s->AnimRate = 0.3;
  engine.Move(1);
  EXPECT_NEAR(s->AnimPosition, 0.2, 1e-9);

  // Backwards it wraps to the end.
  s->AnimRate = -0.001;
  engine.Move(300);
  EXPECT_NEAR(s->AnimPosition, 3.9, 1e-9);

  // Several lengths in one step.
  s->AnimRate = 0.01;
  engine.Move(1000);
  EXPECT_NEAR(s->AnimPosition, 1.9, 1e-9);

  s->AnimLength = 0;
  engine.Move(1);
  EXPECT_EQ(s->AnimPosition, 0.0);
}

TEST_F(ImageSprites, OneShotAnimationStopsOnItsLastPattern) {
  TImageSprite* s = TSprite::Make<TImageSprite>(&engine);
  s->AnimLoop = false;
  s->AnimLength = 4;
  s->AnimPosition = 2.5;
  s->AnimRate = 0.1;
  engine.Move(10);
  EXPECT_NEAR(s->AnimPosition, 3.5, 1e-9);
  EXPECT_EQ(s->AnimRate, 0.1);
  engine.Move(10);
  EXPECT_EQ(s->AnimPosition, 3.0);
  EXPECT_EQ(s->AnimRate, 0.0);

  s->AnimPosition = 0.5;
  s->AnimRate = -0.1;
  engine.Move(10);
  EXPECT_EQ(s->AnimPosition, 0.0);
  EXPECT_EQ(s->AnimRate, 0.0);
}

TEST_F(ImageSprites, DrawsTheRoundedPatternCentredInItsBox) {
  const TPictureCollectionItem item = MakeFlatPatterns(10, 10, 3, [](int p) { return 100 + p; });
  TImageSprite* s = TSprite::Make<TImageSprite>(&engine);
  s->SetImage(&item);
  EXPECT_EQ(s->Width, 10);
  EXPECT_EQ(s->Height, 10);
  s->X = 50.5;  // rounds to 50
  s->Y = 20;
  s->AnimPosition = 1.5;  // rounds to 2
  engine.Draw();
  EXPECT_EQ(screen.At(50, 20), 102);
  EXPECT_EQ(screen.At(59, 29), 102);
  EXPECT_EQ(screen.At(60, 20), kBackdrop);

  // A box wider than the picture centres it; a narrower one truncates the shift toward zero.
  screen.Fill(kBackdrop);
  s->AnimFirst = -2;
  s->Width = 21;
  s->Height = 9;
  engine.Draw();
  EXPECT_EQ(screen.At(55, 20), 100);
  EXPECT_EQ(screen.At(54, 20), kBackdrop);
  EXPECT_EQ(screen.At(64, 29), 100);

  // Past the last pattern nothing is drawn.
  screen.Fill(kBackdrop);
  s->AnimFirst = 1;
  engine.Draw();
  EXPECT_EQ(ChangedPixels(screen), 0);
  EXPECT_EQ(engine.DrawnCount(), 1);

  s->SetImage(nullptr);
  EXPECT_EQ(s->Width, 0);
}

class BackgroundMap : public ImageSprites {
 protected:
  // Pattern p is painted with colour 1000 + p; the map shows pattern column + 13 * row.
  BackgroundMap() {
    map = TSprite::Make<TBackgroundSprite>(&engine);
    map->SetMapSize(13, 10);
    for (int row = 0; row < 10; ++row)
      for (int column = 0; column < 13; ++column) map->SetCell(column, row, column + 13 * row);
    map->SetImage(&tiles);
  }
  static uint16_t CellColour(int column, int row) {
    return static_cast<uint16_t>(1000 + column + 13 * row);
  }

  TPictureCollectionItem tiles =
      MakeFlatPatterns(72, 72, 130, [](int p) { return static_cast<uint16_t>(1000 + p); });
  TBackgroundSprite* map = nullptr;
};

TEST_F(BackgroundMap, MapLeftOfTheScreenStartsWithTheColumnThatShows) {
  EXPECT_EQ(map->Width, 13 * 72);
  EXPECT_FALSE(map->Hittable);
  map->X = -100;
  engine.Draw();
  // Map column 0 lies wholly off screen; column 1 starts at x -28.
  EXPECT_EQ(screen.At(0, 0), CellColour(1, 0));
  EXPECT_EQ(screen.At(43, 0), CellColour(1, 0));
  EXPECT_EQ(screen.At(44, 0), CellColour(2, 0));
  EXPECT_EQ(screen.At(44 + 72 * 10 - 1, 599), CellColour(11, 8));
  EXPECT_EQ(screen.At(799, 599), CellColour(12, 8));
}

TEST_F(BackgroundMap, MapPlacedAboveAndRightShiftsByWholeCells) {
  map->X = 100.4;
  map->Y = -150;
  engine.Draw();
  EXPECT_EQ(screen.At(99, 0), kBackdrop);
  EXPECT_EQ(screen.At(100, 0), CellColour(0, 2));  // rows 0 and 1 are above the screen
  EXPECT_EQ(screen.At(171, 65), CellColour(0, 2));
  EXPECT_EQ(screen.At(172, 66), CellColour(1, 3));
  EXPECT_EQ(screen.At(799, 66 + 72 * 6), CellColour(9, 9));
  EXPECT_EQ(screen.At(799, 66 + 72 * 7), kBackdrop);  // below the last map row
}

TEST_F(BackgroundMap, EmptyCellsAndMapEdits) {
  map->SetCell(0, 0, -1);
  map->SetCell(13, 0, 5);  // outside: ignored
  map->SetCell(0, -1, 5);
  EXPECT_EQ(map->Cell(0, 0), -1);
  EXPECT_EQ(map->Cell(13, 0), -1);
  EXPECT_EQ(map->Cell(0, 10), -1);
  EXPECT_EQ(map->Cell(12, 9), 129);
  engine.Draw();
  EXPECT_EQ(screen.At(0, 0), kBackdrop);
  EXPECT_EQ(screen.At(72, 0), CellColour(1, 0));

  map->SetMapSize(13, 10);  // same size keeps the cells
  EXPECT_EQ(map->Cell(12, 9), 129);
  map->SetMapSize(2, 3);
  EXPECT_EQ(map->Cell(1, 2), 0);
  EXPECT_EQ(map->MapColumns(), 2);
  map->SetMapSize(5, 0);
  EXPECT_EQ(map->MapColumns(), 0);
  EXPECT_EQ(map->MapRows(), 0);
  screen.Fill(kBackdrop);
  engine.Draw();
  EXPECT_EQ(ChangedPixels(screen), 0);
}

TEST_F(BackgroundMap, BoundsFollowTheMapAndAreEmptyWithoutAnImage) {
  map->X = -1.5;
  const SurfaceRect box = map->GetBounds();
  EXPECT_EQ(box.Left, -2);
  EXPECT_EQ(box.Right, -2 + 13 * 72);
  EXPECT_EQ(box.Bottom, 10 * 72);
  map->SetImage(nullptr);
  EXPECT_EQ(map->GetBounds().Width(), 0);
  engine.Draw();
  EXPECT_EQ(engine.DrawnCount(), 0);
}

// Skipping the clear is safe only if no pixel of what was there before survives the draw.
TEST_F(BackgroundMap, ClaimsToCoverTheScreenOnlyWhenNoBackdropPixelSurvives) {
  const auto survivesNothing = [&] {
    screen.Fill(0x0001);
    engine.Draw();
    const Surface first = screen;
    screen.Fill(0xFFFE);
    engine.Draw();
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x)
        if (screen.At(x, y) != first.At(x, y)) return false;
    return true;
  };
  int covering = 0;
  for (const double x : {-72.0, -71.6, -40.0, -0.4, 0.0, 0.6, 5.0, -140.0}) {
    for (const double y : {-72.0, -45.0, 0.0, 0.5, 3.0, -80.0}) {
      map->X = x;
      map->Y = y;
      const bool covers = engine.DrawCoversSurface();
      if (covers) {
        EXPECT_TRUE(survivesNothing()) << x << ", " << y;
      }
      covering += covers;
      // 13 x 10 cells of 72 reach 936 x 720: a map shifted left by up to 136 and up by up to
      // 120 fills the screen, one shifted right or down by a pixel (positions round half to
      // even) does not.
      const double left = std::nearbyint(x), top = std::nearbyint(y);
      const bool fills = left <= 0 && left > -137 && top <= 0 && top > -121;
      EXPECT_EQ(covers, fills) << x << ", " << y;
    }
  }
  EXPECT_GT(covering, 0);

  map->X = -10;
  map->Y = -10;
  ASSERT_TRUE(engine.DrawCoversSurface());
  map->SetCell(5, 9, -1);  // an empty cell in the bottom row, on screen
  EXPECT_FALSE(engine.DrawCoversSurface());
  map->SetCell(5, 9, 130);  // past the last pattern: nothing drawn there either
  EXPECT_FALSE(engine.DrawCoversSurface());
  map->SetCell(5, 9, 3);
  ASSERT_TRUE(engine.DrawCoversSurface());

  tiles.Transparent = true;  // keyed pixels let the backdrop through
  EXPECT_FALSE(engine.DrawCoversSurface());
  tiles.Transparent = false;
  map->Visible = false;
  EXPECT_FALSE(engine.DrawCoversSurface());
  map->Visible = true;

  // Another sprite drawn first: the map no longer decides.
  TImageSprite* under = TSprite::Make<TImageSprite>(&engine);
  under->SetZ(-1);
  EXPECT_FALSE(engine.DrawCoversSurface());
}

// Says it paints an area opaquely; paints it only while Paint is set, so that a test can see
// which cells the map under it left out.
class Overlay final : public TSprite {
 public:
  Overlay(TSprite* parent, SurfaceRect area) : TSprite(parent), Area(area) {
    Width = 800;
    Height = 600;
    SetZ(1);  // over the map
  }
  void AddOpaqueAreas(std::vector<SurfaceRect>& areas) const override { areas.push_back(Area); }
  void OnDraw() override {
    if (!Paint) return;
    for (int y = Area.Top; y < Area.Bottom; ++y)
      for (int x = Area.Left; x < Area.Right; ++x) Engine()->Surface()->At(x, y) = kPanel;
  }
  static constexpr uint16_t kPanel = 0x0F0F;
  SurfaceRect Area;
  bool Paint = true;
};

TEST_F(BackgroundMap, LeavesOutOnlyCellsThatLaterSpritesPaintOverWhole) {
  // The race's layout: the road half a cell into its scroll under two side panels.
  map->X = -31;
  map->Y = -45;
  Overlay* left = TSprite::Make<Overlay>(&engine, SurfaceRect{0, 0, 174, 600});
  Overlay* right = TSprite::Make<Overlay>(&engine, SurfaceRect{626, 0, 800, 600});
  left->Paint = right->Paint = false;
  engine.Draw();
  EXPECT_EQ(screen.At(0, 0), kBackdrop);  // column 0 shows only from x 0 to 40
  EXPECT_EQ(screen.At(112, 599), kBackdrop);
  EXPECT_EQ(screen.At(113, 0), CellColour(2, 0));  // column 2 reaches past the panel
  EXPECT_EQ(screen.At(173, 300), CellColour(2, 4));
  EXPECT_EQ(screen.At(688, 0), CellColour(9, 0));
  EXPECT_EQ(screen.At(689, 0), kBackdrop);
  EXPECT_EQ(screen.At(799, 599), kBackdrop);
  EXPECT_FALSE(engine.PaintedOverLater(*map, {0, 0, 10, 10}));  // only while drawing

  // Painted, the frame is the one drawn with every cell.
  left->Paint = right->Paint = true;
  screen.Fill(kBackdrop);
  engine.Draw();
  const Surface leftOut = screen;
  left->Area = right->Area = SurfaceRect{};  // now they claim nothing, and paint nothing
  screen.Fill(kBackdrop);
  engine.Draw();
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      const bool panel = x < 174 || x >= 626;
      ASSERT_EQ(leftOut.At(x, y), panel ? Overlay::kPanel : screen.At(x, y)) << x << ", " << y;
    }
  }
}

TEST_F(BackgroundMap, KeepsEveryCellUnlessTheMapIsDrawnFirstAndTheOverlayIsDrawn) {
  map->X = -31;
  map->Y = -45;
  Overlay* over = TSprite::Make<Overlay>(&engine, SurfaceRect{0, 0, 800, 600});
  over->Paint = false;
  const auto drawsCell = [&] {
    screen.Fill(kBackdrop);
    engine.Draw();
    return screen.At(400, 300) != kBackdrop;
  };
  EXPECT_FALSE(drawsCell());
  // Only cells inside the area on every side: rows start at y 27, 99, ...; columns at x 41, 113,
  // ..., 329, 401.
  over->Area = {0, 0, 800, 100};
  screen.Fill(kBackdrop);
  engine.Draw();
  EXPECT_EQ(screen.At(400, 98), kBackdrop);
  EXPECT_EQ(screen.At(400, 99), CellColour(5, 2));
  over->Area = {42, 28, 401, 600};
  screen.Fill(kBackdrop);
  engine.Draw();
  EXPECT_EQ(screen.At(41, 100), CellColour(1, 2));
  EXPECT_EQ(screen.At(113, 27), CellColour(2, 1));
  EXPECT_EQ(screen.At(113, 100), kBackdrop);
  EXPECT_EQ(screen.At(400, 300), kBackdrop);
  EXPECT_EQ(screen.At(401, 300), CellColour(6, 4));
  over->Area = {0, 0, 800, 600};
  over->Visible = false;
  EXPECT_TRUE(drawsCell());
  over->Visible = true;
  over->X = 800;  // its box off the screen: it will not draw
  EXPECT_TRUE(drawsCell());
  over->X = 0;
  // Drawn before the map, it paints over nothing.
  over->SetZ(-1);
  EXPECT_TRUE(drawsCell());
  over->SetZ(1);
  // A sprite under the map: the map is no longer first, and nothing may be left out.
  TSprite::Make<TImageSprite>(&engine)->SetZ(-2);
  EXPECT_TRUE(drawsCell());
}

}  // namespace
