// The three drawing operations: colour key, clipping, rotation geometry and blend weights.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

#include "SpriteTestSupport.h"
#include "sprites/ImageDrawing.h"

using namespace sprite_test;

namespace {

// A 13 by 5 picture (wider than one vector of pixels) with a scatter of key pixels.
TPictureCollectionItem KeyedItem() {
  TPictureCollectionItem item = MakeItem(13, 5, 0, 0, true);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 13; ++x)
      if ((x + 2 * y) % 3 == 0) item.Picture.At(x, y) = kKey565;
  return item;
}

// Lays source pixel (i, j) of a whole-picture item at place(i, j), one by one.
template <class Place>
Surface PlacedByHand(const Surface& before, const TPictureCollectionItem& item, Place place) {
  Surface out = before;
  for (int j = 0; j < item.Picture.Height(); ++j) {
    for (int i = 0; i < item.Picture.Width(); ++i) {
      const uint16_t p = item.Picture.At(i, j);
      const auto [x, y] = place(i, j);
      if (item.Transparent && p == item.ColorKey()) continue;
      if (x >= 0 && y >= 0 && x < out.Width() && y < out.Height()) out.At(x, y) = p;
    }
  }
  return out;
}

bool SamePixels(const Surface& a, const Surface& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() &&
         std::equal(a.Data(), a.Data() + a.Width() * a.Height(), b.Data());
}

// Places around and beyond every edge and corner of a 20 by 12 surface.
const std::vector<std::pair<int, int>> kEdgePlaces = {{-3, 4},  {10, 4},  {4, -2},      {4, 9},
                                                      {-5, -3}, {15, 10}, {-13, 0},     {20, 0},
                                                      {0, 12},  {0, -5},  {-100, -100}, {3, 3}};

TEST(DrawPatternOp, LeavesOutTheKeyAndClipsAtEveryEdge) {
  const TPictureCollectionItem item = KeyedItem();
  for (const auto& [x, y] : kEdgePlaces) {
    Surface dest = Backdrop(20, 12);
    const Surface expected = PlacedByHand(dest, item, [x = x, y = y](int i, int j) {
      return std::pair{x + i, y + j};
    });
    DrawPattern(item, dest, x, y, 0);
    EXPECT_TRUE(SamePixels(dest, expected)) << "at " << x << "," << y;
  }
}

TEST(DrawPatternOp, OpaqueItemCopiesEveryPixelOfThePatternAsked) {
  TPictureCollectionItem item = KeyedItem();
  item.Transparent = false;
  Surface dest = Backdrop(20, 12);
  DrawPattern(item, dest, 1, 1, 0);
  EXPECT_EQ(dest.At(1, 1), kKey565);
  EXPECT_EQ(ChangedPixels(dest), 13 * 5);

  // Two 4-pixel patterns with a 1-pixel gap: pattern 1 starts at picture column 5.
  TPictureCollectionItem strip = MakeItem(9, 3, 4, 3);
  strip.SkipWidth = 1;
  ASSERT_EQ(strip.PatternCount(), 2);
  dest = Backdrop(20, 12);
  DrawPattern(strip, dest, 0, 0, 1);
  EXPECT_EQ(dest.At(0, 0), PixelAt(5, 0));
  EXPECT_EQ(dest.At(3, 2), PixelAt(8, 2));
  EXPECT_EQ(ChangedPixels(dest), 12);
}

TEST(DrawingGuards, NoPatternOutsideTheItemAndNothingBeforeItLoads) {
  const TPictureCollectionItem item = MakeItem(8, 4, 4, 4);
  TPictureCollectionItem unloaded;
  unloaded.PatternWidth = 4;
  Surface dest = Backdrop(20, 12);
  for (const int pattern : {-1, 2, 1000}) {
    DrawPattern(item, dest, 0, 0, pattern);
    DrawAlpha(item, dest, {0, 0, 8, 8}, pattern, 128);
    DrawRotated(item, dest, 5, 5, 4, 4, pattern, 0.5, 0.5, 10);
  }
  DrawPattern(unloaded, dest, 0, 0, 0);
  DrawAlpha(unloaded, dest, {0, 0, 8, 8}, 0, 128);
  DrawRotated(unloaded, dest, 5, 5, 4, 4, 0, 0.5, 0.5, 10);
  EXPECT_EQ(ChangedPixels(dest), 0);
}

TEST(DrawPatternOp, OpaqueBoxIsWhatThePlainDrawPaintsOverWhole) {
  const auto same = [](const SurfaceRect& a, const SurfaceRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
  };
  const TPictureCollectionItem opaque = MakeItem(26, 5, 13, 5);
  EXPECT_TRUE(same(OpaquePatternBox(opaque, 7, -3, 1), {7, -3, 20, 2}));
  EXPECT_TRUE(same(OpaquePatternBox(opaque, 7, -3, 2), {}));  // no such pattern
  EXPECT_TRUE(same(OpaquePatternBox(KeyedItem(), 0, 0, 0), {}));
  EXPECT_TRUE(same(OpaquePatternBox(TPictureCollectionItem{}, 0, 0, 0), {}));
  EXPECT_TRUE(same(OpaquePatternBox(opaque, std::numeric_limits<int>::max() - 5, 0, 0), {}));
}

TEST(DrawRotatedOp, UnturnedAtPictureSizeMatchesThePlainDraw) {
  const TPictureCollectionItem item = KeyedItem();
  for (const auto& [x, y] : kEdgePlaces) {
    Surface plain = Backdrop(20, 12);
    Surface turned = Backdrop(20, 12);
    DrawPattern(item, plain, x, y, 0);
    DrawRotated(item, turned, x, y, 13, 5, 0, 0.0, 0.0, 256);
    EXPECT_TRUE(SamePixels(plain, turned)) << "at " << x << "," << y;
  }
}

TEST(DrawRotatedOp, AngleSixtyFourIsAQuarterTurnClockwise) {
  const TPictureCollectionItem item = KeyedItem();
  // About the box's top-left corner: the top row ends up as the column left of the pivot,
  // reading downwards.
  for (const int angle : {64, 64 + 256, -192}) {
    Surface dest = Backdrop(20, 20);
    const Surface expected = PlacedByHand(dest, item, [](int i, int j) {
      return std::pair{9 - j, 5 + i};
    });
    DrawRotated(item, dest, 10, 5, 13, 5, 0, 0.0, 0.0, angle);
    EXPECT_TRUE(SamePixels(dest, expected)) << "angle " << angle;
  }

  // About the box's centre, a square stays in place.
  const TPictureCollectionItem square = MakeItem(4, 4);
  Surface dest = Backdrop(40, 40);
  const Surface expected = PlacedByHand(dest, square, [](int i, int j) {
    return std::pair{21 - j, 18 + i};
  });
  DrawRotated(square, dest, 20, 20, 4, 4, 0, 0.5, 0.5, 64);
  EXPECT_TRUE(SamePixels(dest, expected));
}

TEST(DrawRotatedOp, HalfAndThreeQuarterTurns) {
  const TPictureCollectionItem item = KeyedItem();
  Surface dest = Backdrop(30, 30);
  Surface expected = PlacedByHand(dest, item, [](int i, int j) {
    return std::pair{19 - i, 19 - j};
  });
  DrawRotated(item, dest, 20, 20, 13, 5, 0, 0.0, 0.0, 128);
  EXPECT_TRUE(SamePixels(dest, expected));

  dest = Backdrop(30, 30);
  expected = PlacedByHand(dest, item, [](int i, int j) { return std::pair{20 + j, 19 - i}; });
  DrawRotated(item, dest, 20, 20, 13, 5, 0, 0.0, 0.0, 192);
  EXPECT_TRUE(SamePixels(dest, expected));
}

TEST(DrawRotatedOp, QuarterTurnClipsAtEveryEdge) {
  const TPictureCollectionItem item = KeyedItem();
  for (const auto& [x, y] : kEdgePlaces) {
    Surface dest = Backdrop(20, 12);
    const Surface expected = PlacedByHand(dest, item, [x = x, y = y](int i, int j) {
      return std::pair{x - 1 - j, y + i};
    });
    DrawRotated(item, dest, x, y, 13, 5, 0, 0.0, 0.0, 64);
    EXPECT_TRUE(SamePixels(dest, expected)) << "at " << x << "," << y;
  }
}

TEST(DrawRotatedOp, ScalesThePatternToTheBox) {
  const TPictureCollectionItem item = MakeItem(3, 2);
  Surface dest = Backdrop(20, 12);
  DrawRotated(item, dest, 2, 1, 6, 4, 0, 0.0, 0.0, 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(dest.At(2 + x, 1 + y), PixelAt(x / 2, y / 2));
  EXPECT_EQ(ChangedPixels(dest), 24);

  dest = Backdrop(20, 12);
  DrawRotated(item, dest, 2, 1, 0, 4, 0, 0.0, 0.0, 0);
  DrawRotated(item, dest, 2, 1, 6, 0, 0, 0.0, 0.0, 0);
  DrawRotated(item, dest, 2, 1, -6, 4, 0, 0.0, 0.0, 0);
  EXPECT_EQ(ChangedPixels(dest), 0);
}

TEST(DrawRotatedOp, AnyAngleCoversTheBoxAreaAndStaysOnTheSurface) {
  const TPictureCollectionItem item = MakeItem(20, 20);
  for (int angle = 0; angle < 256; angle += 3) {
    Surface dest = Backdrop(60, 60);
    DrawRotated(item, dest, 30, 30, 20, 20, 0, 0.5, 0.5, angle);
    const int covered = ChangedPixels(dest);
    EXPECT_GE(covered, 400 - 40) << "angle " << angle;
    EXPECT_LE(covered, 400 + 40) << "angle " << angle;
    // Near the corners only the part on the surface is drawn.
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {59, 59}, {0, 59}})
      DrawRotated(item, dest, x, y, 20, 20, 0, 0.5, 0.5, angle);
  }
}

// Per channel, round((s * a + d * (255 - a)) / 255).
uint16_t Weighted(uint16_t s, uint16_t d, int a) {
  auto mix = [a](int sc, int dc) {
    return static_cast<int>(std::lround((sc * a + dc * (255 - a)) / 255.0));
  };
  const int r = mix(s >> 11, d >> 11);
  const int g = mix((s >> 5) & 63, (d >> 5) & 63);
  const int b = mix(s & 31, d & 31);
  return static_cast<uint16_t>((r << 11) | (g << 5) | b);
}

TEST(DrawAlphaOp, BlendsEachChannelWithWeightAlpha) {
  const uint16_t source = Rgb565(255, 40, 8);
  const uint16_t under = Rgb565(16, 252, 160);
  const TPictureCollectionItem item = MakeFlatPatterns(13, 3, 1, [=](int) { return source; });
  for (const int alpha : {1, 64, 128, 200, 254, 255}) {
    Surface dest(20, 5);
    dest.Fill(under);
    DrawAlpha(item, dest, {2, 1, 15, 4}, 0, alpha);
    const uint16_t want = Weighted(source, under, alpha);
    for (int x = 2; x < 15; ++x) EXPECT_EQ(dest.At(x, 2), want) << "alpha " << alpha;
    EXPECT_EQ(dest.At(1, 2), under);
    EXPECT_EQ(dest.At(15, 2), under);
    EXPECT_EQ(dest.At(5, 0), under);
  }
  EXPECT_EQ(Weighted(source, under, 255), source);

  // Weights beyond the range are held to it: a fade that overshoots zero draws nothing.
  Surface dest(20, 5);
  dest.Fill(under);
  DrawAlpha(item, dest, {2, 1, 15, 4}, 0, -5);
  DrawAlpha(item, dest, {2, 1, 15, 4}, 0, 0);
  EXPECT_EQ(dest.At(3, 2), under);
  DrawAlpha(item, dest, {2, 1, 15, 4}, 0, 300);
  EXPECT_EQ(dest.At(3, 2), source);
}

// A glyph's coverage a weighs each channel as round((text * a + under * (255 - a)) / 255); 255
// is odd, so no channel sum falls on a half.
TEST(BlendCoverageOp, WeighsEachChannelByTheCoverageRoundedToNearest) {
  const auto expected = [](unsigned text, unsigned under, unsigned a) {
    return static_cast<unsigned>(std::lround((text * a + under * (255.0 - a)) / 255.0));
  };
  const std::vector<std::pair<uint16_t, uint16_t>> pairs = {
      {0xFFFF, 0x0000},
      {0x0000, 0xFFFF},
      {Rgb565(255, 222, 0), Rgb565(40, 44, 52)},
      {Rgb565(66, 252, 202), Rgb565(200, 16, 90)}};
  for (const auto& [text, under] : pairs) {
    for (unsigned first = 0; first < 256; first += 19) {
      // 19 pixels: two vectors' worth and a tail, with a different coverage in each.
      std::vector<uint8_t> coverage(19);
      for (unsigned i = 0; i < coverage.size(); ++i)
        coverage[i] = static_cast<uint8_t>((first + i) % 256);
      std::vector<uint16_t> row(19, under);
      BlendCoverage(row.data(), coverage.data(), 19, text);
      for (unsigned i = 0; i < row.size(); ++i) {
        const unsigned a = coverage[i];
        const unsigned want = expected(text >> 11, under >> 11, a) << 11 |
                              expected(text >> 5 & 63, under >> 5 & 63, a) << 5 |
                              expected(text & 31, under & 31, a);
        ASSERT_EQ(row[i], want) << "coverage " << a;
      }
    }
  }
  uint16_t untouched = 0x1234;
  BlendCoverage(&untouched, nullptr, 0, 0xFFFF);
  EXPECT_EQ(untouched, 0x1234);
}

TEST(DrawAlphaOp, LeavesOutTheKeyAndClipsAtEveryEdge) {
  const TPictureCollectionItem item = KeyedItem();
  for (const auto& [x, y] : kEdgePlaces) {
    Surface dest = Backdrop(20, 12);
    const Surface expected = PlacedByHand(dest, item, [x = x, y = y](int i, int j) {
      return std::pair{x + i, y + j};
    });
    DrawAlpha(item, dest, {x, y, x + 13, y + 5}, 0, 255);
    EXPECT_TRUE(SamePixels(dest, expected)) << "at " << x << "," << y;

    Surface half = Backdrop(20, 12);
    DrawAlpha(item, half, {x, y, x + 13, y + 5}, 0, 100);
    for (int j = 0; j < 12; ++j) {
      for (int i = 0; i < 20; ++i) {
        const bool inside = i >= x && i < x + 13 && j >= y && j < y + 5;
        const bool keyed = inside && item.Picture.At(i - x, j - y) == kKey565;
        const uint16_t want =
            inside && !keyed ? Weighted(item.Picture.At(i - x, j - y), kBackdrop, 100) : kBackdrop;
        ASSERT_EQ(half.At(i, j), want) << i << "," << j << " drawn at " << x << "," << y;
      }
    }
  }
}

TEST(DrawAlphaOp, StretchesAndShrinksToTheRectangle) {
  const TPictureCollectionItem small = MakeItem(2, 2);
  Surface dest = Backdrop(20, 12);
  DrawAlpha(small, dest, {1, 1, 5, 5}, 0, 255);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dest.At(1 + x, 1 + y), PixelAt(x / 2, y / 2));
  EXPECT_EQ(ChangedPixels(dest), 16);

  // Shrunk, each pixel takes the source pixel under its centre.
  const TPictureCollectionItem big = MakeItem(4, 4);
  dest = Backdrop(20, 12);
  DrawAlpha(big, dest, {0, 0, 2, 2}, 0, 255);
  EXPECT_EQ(dest.At(0, 0), PixelAt(1, 1));
  EXPECT_EQ(dest.At(1, 0), PixelAt(3, 1));
  EXPECT_EQ(dest.At(1, 1), PixelAt(3, 3));
  EXPECT_EQ(ChangedPixels(dest), 4);

  dest = Backdrop(20, 12);
  DrawAlpha(big, dest, {5, 5, 5, 9}, 0, 255);
  DrawAlpha(big, dest, {5, 5, 2, 9}, 0, 255);
  EXPECT_EQ(ChangedPixels(dest), 0);
}

}  // namespace

namespace {
// The turned draw worked out pixel by pixel: each destination pixel's centre turned back into
// the box, scaled into the pattern and walked along its row in 16.16 fixed point from the
// row's first pixel of the turned box (rounded half away from zero), as the drawing defines it.
Surface TurnedByHand(const Surface& before, const TPictureCollectionItem& item, int x, int y,
                     int width, int height, double cx, double cy, int angle) {
  Surface out = before;
  const Surface& p = item.Picture;
  const int turn = angle & 255;
  const double t = (turn & 63) * (2.0 * 3.14159265358979323846 / 256.0);
  double s = std::sin(t), c = std::cos(t);
  for (int q = 0; q < turn >> 6; ++q) std::tie(s, c) = std::make_pair(c, -s);
  const double px = cx * width, py = cy * height;
  double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
  for (const double bx : {-px, width - px}) {
    for (const double by : {-py, height - py}) {
      minX = std::min(minX, x + c * bx - s * by), maxX = std::max(maxX, x + c * bx - s * by);
      minY = std::min(minY, y + s * bx + c * by), maxY = std::max(maxY, y + s * bx + c * by);
    }
  }
  const int x0 = static_cast<int>(std::max(std::floor(minX), 0.0));
  const int x1 = static_cast<int>(std::min(std::ceil(maxX), double(out.Width())));
  const int y0 = static_cast<int>(std::max(std::floor(minY), 0.0));
  const int y1 = static_cast<int>(std::min(std::ceil(maxY), double(out.Height())));
  const double sx = double(p.Width()) / width, sy = double(p.Height()) / height;
  const int64_t stepX = std::llround(c * sx * 65536.0), stepY = std::llround(-s * sy * 65536.0);
  const double u = x0 + 0.5 - x;
  for (int row = y0; row < y1; ++row) {
    const double v = row + 0.5 - y;
    const int64_t fx = std::llround((c * u + s * v + px) * sx * 65536.0);
    const int64_t fy = std::llround((-s * u + c * v + py) * sy * 65536.0);
    for (int col = x0; col < x1; ++col) {
      const int64_t ix = fx + (col - x0) * stepX, iy = fy + (col - x0) * stepY;
      if (ix < 0 || iy < 0 || ix >= (int64_t{p.Width()} << 16) || iy >= (int64_t{p.Height()} << 16))
        continue;
      const uint16_t pixel = p.At(static_cast<int>(ix >> 16), static_cast<int>(iy >> 16));
      if (!item.Transparent || pixel != item.ColorKey()) out.At(col, row) = pixel;
    }
  }
  return out;
}
}  // namespace

// Each draw is made afresh, then twice through a cache kept over the whole run, so a turn kept
// at one place is laid again at the others.
TEST(DrawRotatedOp, EveryAngleSizeAndPlaceMatchesTheDrawWorkedOutPixelByPixel) {
  const TPictureCollectionItem keyed = KeyedItem();
  const TPictureCollectionItem opaque = MakeItem(10, 14);
  const Surface before = Backdrop(40, 30);
  TurnCache cache;
  int compared = 0;
  for (const TPictureCollectionItem* item : {&keyed, &opaque}) {
    for (int angle = -3; angle < 260; angle += 1) {
      for (const auto& [w, h] : {std::pair{10, 14}, {13, 5}, {31, 9}, {4, 27}, {1, 1}}) {
        for (const auto& [x, y] : {std::pair{20, 15}, {0, 0}, {39, 29}, {-5, 12}, {22, -6}}) {
          for (const auto& [cx, cy] : {std::pair{0.5, 0.5}, {0.0, 1.0}, {0.83, 0.9}}) {
            const Surface expected = TurnedByHand(before, *item, x, y, w, h, cx, cy, angle);
            for (TurnCache* turned : {static_cast<TurnCache*>(nullptr), &cache, &cache}) {
              Surface drawn = before;
              DrawRotated(*item, drawn, x, y, w, h, 0, cx, cy, angle, turned);
              ASSERT_TRUE(SamePixels(drawn, expected))
                  << "angle " << angle << " size " << w << "x" << h << " at " << x << "," << y
                  << " centre " << cx << "," << cy << (turned ? " through the cache" : "");
            }
            ++compared;
          }
        }
      }
    }
  }
  EXPECT_EQ(compared, 2 * 263 * 5 * 5 * 3);
  EXPECT_GT(cache.Count(), 0u);
}

TEST(DrawRotatedOp, AKeptTurnFollowsThePicturesPixelsAndKey) {
  // Two patterns side by side, so a pattern's rows are not one run of the picture's pixels.
  TPictureCollectionItem item = MakeItem(26, 14, 13, 14, true);
  TPictureCollectionItem narrow = MakeItem(10, 3, 5, 3, true);  // rows shorter than a vector
  const Surface before = Backdrop(40, 30);
  TurnCache cache;
  const auto drawsAsByHand = [&](const TPictureCollectionItem& from, int pattern, int x, int y,
                                 int angle) {
    const int w = from.GetPatternWidth();
    const int h = from.GetPatternHeight();
    Surface drawn = before;
    DrawRotated(from, drawn, x, y, w, h, pattern, 0.5, 0.5, angle, &cache);
    // The hand-worked draw turns a whole picture: give it the pattern alone.
    TPictureCollectionItem alone = MakeItem(w, h, 0, 0, from.Transparent);
    alone.TransparentColor = from.TransparentColor;
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) alone.Picture.At(i, j) = from.Picture.At(w * pattern + i, j);
    return SamePixels(drawn, TurnedByHand(before, alone, x, y, w, h, 0.5, 0.5, angle));
  };
  EXPECT_TRUE(drawsAsByHand(item, 0, 20, 15, 21));
  EXPECT_TRUE(drawsAsByHand(item, 1, 20, 15, 21));  // the other pattern is not the one kept
  EXPECT_TRUE(drawsAsByHand(narrow, 1, 20, 15, 21));

  // A pixel painted over after the turn was kept, one that was the key and one that becomes it.
  item.Picture.At(6, 7) = 0x0F0F;
  EXPECT_TRUE(drawsAsByHand(item, 0, 21, 14, 21));
  item.Picture.At(12, 13) = kKey565;
  item.Picture.At(0, 0) = kKey565;
  EXPECT_TRUE(drawsAsByHand(item, 0, 19, 16, 21));
  item.Picture.At(12, 13) = 0x7777;
  EXPECT_TRUE(drawsAsByHand(item, 0, 19, 16, 21));
  narrow.Picture.At(9, 2) = 0x0F0F;
  EXPECT_TRUE(drawsAsByHand(narrow, 1, 20, 15, 21));

  // The key colour changed, then no key at all.
  item.TransparentColor = 0x000000;
  item.Picture.At(5, 5) = 0;
  EXPECT_TRUE(drawsAsByHand(item, 0, 20, 15, 21));
  item.Transparent = false;
  EXPECT_TRUE(drawsAsByHand(item, 0, 20, 15, 21));
  EXPECT_TRUE(drawsAsByHand(item, 1, 20, 15, 21));
}

TEST(DrawRotatedOp, ACacheStartsAgainPastItsBudgetAndStillDrawsRight) {
  const TPictureCollectionItem item = KeyedItem();
  const Surface before = Backdrop(40, 30);
  constexpr size_t kBudget = 2000;  // a handful of turns of a 13 by 5 picture
  TurnCache cache(kBudget);
  size_t most = 0;
  for (int round = 0; round < 2; ++round) {
    for (int angle = 0; angle < 256; angle += 3) {
      Surface drawn = before;
      DrawRotated(item, drawn, 20, 15, 13, 5, 0, 0.5, 0.5, angle, &cache);
      ASSERT_TRUE(SamePixels(drawn, TurnedByHand(before, item, 20, 15, 13, 5, 0.5, 0.5, angle)))
          << "angle " << angle << " round " << round;
      ASSERT_LE(cache.Bytes(), kBudget);
      most = std::max(most, cache.Count());
    }
  }
  EXPECT_GT(most, 2u);
  EXPECT_LT(most, 256u / 3);
}

TEST(DrawRotatedOp, APictureTooWideForShortOffsetsTurnsAsWorkedOutByHand) {
  // 70,000 pixels across, so the far end's 16.16 positions pass 2^32; no two pixels 65,536 apart
  // share a colour.
  TPictureCollectionItem wide = MakeItem(70000, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 70000; ++x) wide.Picture.At(x, y) = static_cast<uint16_t>(x / 3 + y);
  const Surface before = Backdrop(40, 30);
  for (int angle = 0; angle < 256; angle += 5) {
    Surface drawn = before;
    DrawRotated(wide, drawn, 30, 15, 70000, 2, 0, 1.0, 0.5, angle);
    ASSERT_TRUE(SamePixels(drawn, TurnedByHand(before, wide, 30, 15, 70000, 2, 1.0, 0.5, angle)))
        << "angle " << angle;
  }
}
