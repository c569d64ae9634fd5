// Pictures of the road window drawn with a sketch of the tile sheet: every tile carries its kind
// number and the road, barriers and edge lines its kind implies, so a wrongly chosen tile
// shows as a break in the road. The pictures land in <build>/road-shots/.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "app/Random.h"
#include "app/ShellState.h"
#include "platform/headless/PngWriter.h"
#include "race/TScrollBackground.h"
#include "race/TrackGenerator.h"
#include "race/TrackState.h"
#include "resources/ImageCollection.h"
#include "sprites/GameImages.h"
#include "sprites/TSpriteEngine.h"

namespace {

constexpr uint16_t kUnpainted = Rgb565(255, 0, 255);
constexpr uint16_t kGround = Rgb565(70, 130, 60);
constexpr uint16_t kAsphalt = Rgb565(90, 90, 96);
constexpr uint16_t kLine = Rgb565(240, 240, 240);
constexpr uint16_t kBarrier = Rgb565(200, 40, 40);

// How a row's features are displaced at height y of a tile, by the row's shape.
enum class RowShape { Straight, HalfLeft, ShiftedLeft, HalfRight, ShiftedRight };

int Displacement(RowShape shape, int y) {
  switch (shape) {
    case RowShape::HalfLeft:
      return -36 + y / 2;
    case RowShape::ShiftedLeft:
      return y / 2;
    case RowShape::HalfRight:
      return 36 - y / 2;
    case RowShape::ShiftedRight:
      return -y / 2;
    default:
      return 0;
  }
}

// The straight corridor from the left roadside cell's left edge: barrier, road, barrier.
uint16_t CorridorPixel(int cx) {
  if (cx >= 38 && cx < 72) return kBarrier;
  if (cx >= 144 && cx < 148) return kLine;
  if (cx >= 428 && cx < 432) return kLine;
  if (cx >= 148 && cx < 428) return kAsphalt;
  if (cx >= 504 && cx < 540) return kBarrier;
  return kGround;
}

// 3 x 5 digits, one row of bits per line, for the kind numbers.
constexpr std::array<std::array<uint8_t, 5>, 10> kDigits = {{
    {7, 5, 5, 5, 7},
    {2, 6, 2, 2, 7},
    {7, 1, 7, 4, 7},
    {7, 1, 7, 1, 7},
    {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7},
    {7, 4, 7, 5, 7},
    {7, 1, 1, 1, 1},
    {7, 5, 7, 5, 7},
    {7, 5, 7, 1, 7},
}};

void PutNumber(Surface& s, int left, int top, int n) {
  const std::string text = std::to_string(n);
  const int width = static_cast<int>(text.size()) * 8 + 2;
  for (int y = 0; y < 14; ++y) {
    for (int x = 0; x < width; ++x) s.At(left + x, top + y) = Rgb565(255, 255, 255);
  }
  for (size_t i = 0; i < text.size(); ++i) {
    const auto& glyph = kDigits[static_cast<size_t>(text[i] - '0')];
    for (int gy = 0; gy < 5; ++gy) {
      for (int gx = 0; gx < 3; ++gx) {
        if (!(glyph[gy] & (4 >> gx))) continue;
        for (int d = 0; d < 4; ++d) {
          s.At(left + 2 + static_cast<int>(i) * 8 + gx * 2 + d % 2, top + 2 + gy * 2 + d / 2) = 0;
        }
      }
    }
  }
}

uint16_t SketchPixel(int kind, int x, int y) {
  // Corridor cell of each drift piece, in the order left roadside .. right roadside.
  constexpr std::array<int, 6> kDriftRoles = {0, 1, 2, 5, 6, 7};
  if (kind == 11) return kAsphalt;
  if (kind == 24) return ((x / 12 + y / 12) % 2 == 0 && y >= 24 && y < 48) ? 0 : kAsphalt;
  if (kind >= 1 && kind <= 9) return CorridorPixel(x);
  if (kind >= 13 && kind <= 21) return CorridorPixel(7 * 72 + x);
  if (kind == 10) return CorridorPixel(2 * 72 + x);
  if (kind == 12) return CorridorPixel(5 * 72 + x);
  if (kind == 22) return x >= 64 ? ((y / 9) % 2 ? kBarrier : kLine) : kGround;
  if (kind == 23) return x < 8 ? ((y / 9) % 2 ? kBarrier : kLine) : kGround;
  if (kind >= 25 && kind <= 48) {
    const std::array<RowShape, 4> shapes = {RowShape::ShiftedLeft, RowShape::HalfLeft,
                                            RowShape::ShiftedRight, RowShape::HalfRight};
    const RowShape shape = shapes[static_cast<size_t>((kind - 25) / 6)];
    const int role = kDriftRoles[static_cast<size_t>((kind - 25) % 6)];
    return CorridorPixel(role * 72 + x - Displacement(shape, y));
  }
  if (kind >= 49 && kind <= 51) return Rgb565(70 + 12 * (kind - 48), 130, 60);
  if (kind >= 52 && kind <= 73) return Rgb565(120 + kind, 90, 50);
  return kGround;
}

// A 720 x 576 sheet of 72 x 72 patterns; pattern n sketches tile kind n and shows n.
TPictureCollectionItem SketchSheet() {
  TPictureCollectionItem item;
  item.PatternWidth = kTilePx;
  item.PatternHeight = kTilePx;
  item.Transparent = false;
  item.Picture.Resize(10 * kTilePx, 8 * kTilePx);
  for (int n = 0; n < 80; ++n) {
    const int left = n % 10 * kTilePx, top = n / 10 * kTilePx;
    for (int y = 0; y < kTilePx; ++y) {
      for (int x = 0; x < kTilePx; ++x) item.Picture.At(left + x, top + y) = SketchPixel(n, x, y);
    }
    PutNumber(item.Picture, left + 1, top + 1, n);
  }
  return item;
}

class RoadPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetTrackState();
    ResetShellState();
    list2.Items = {TPictureCollectionItem{}, SketchSheet()};
    SetGameImageLists(nullptr, &list2, nullptr);
    engine.SetSurface(&screen);
    road = TScrollBackground::Create(&engine, 2, 1, 13, 10);
    Road = road;
    std::filesystem::create_directories(ShotDir());
  }
  void TearDown() override {
    Road = nullptr;
    SetGameImageLists(nullptr, nullptr, nullptr);
  }

  static std::filesystem::path ShotDir() {
    return std::filesystem::path(GR_BINARY_DIR) / "road-shots";
  }

  // Draws the window and checks that the road covers every pixel of the screen.
  void Shoot(const std::string& name) {
    screen.Fill(kUnpainted);
    road->RefreshRoadWindow();
    engine.Draw();
    int unpainted = 0;
    for (int y = 0; y < screen.Height(); ++y) {
      for (int x = 0; x < screen.Width(); ++x) unpainted += screen.At(x, y) == kUnpainted;
    }
    EXPECT_EQ(unpainted, 0) << name;
    WritePng((ShotDir() / name).string(), screen);
  }

  TDXImageList list2;
  Surface screen{800, 600};
  TSpriteEngine engine;
  TScrollBackground* road = nullptr;
};

TEST_F(RoadPicture, StartOfLevelOneFillsTheScreen) {
  RandSeed = 2024;
  BuildLevel(1);
  Shoot("level1-start.png");
  // The extremes of the offset still leave no gap at the right and bottom edges.
  road->X = road->Y = -72;
  Shoot("level1-start-shifted.png");
}

TEST_F(RoadPicture, DriftsAFewHundredRowsUp) {
  RandSeed = 31;
  BuildLevel(10);
  // For each drift direction, the first window a few hundred rows up with a drift coming out
  // of a bend and going back into one.
  int shots = 0;
  for (int kind : {SectionDriftLeft, SectionDriftRight}) {
    for (int top = 1200; top > 300; --top) {
      if (!(TrackRowKind[top] == SectionBendExit && TrackRowKind[top + 4] == kind &&
            TrackRowKind[top + 9] == kind)) {
        continue;
      }
      ViewRow = top;
      ViewCol = TrackCenterX[top + 4] / kTilePx - 6;
      road->X = -36;
      road->Y = -20;
      Shoot(kind == SectionDriftLeft ? "level10-drift-left.png" : "level10-drift-right.png");
      ++shots;
      break;
    }
  }
  EXPECT_EQ(shots, 2);
}

}  // namespace
