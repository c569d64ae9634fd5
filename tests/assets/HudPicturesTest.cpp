// The race HUD pictures line up with what the game draws over them: its numbers, the needle's
// pivot and the map's masks.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "BakedData.h"

namespace {

const TPictureCollectionItem& List2(int i) {
  return BakedList(2).Items.at(static_cast<size_t>(i));
}
const TPictureCollectionItem& List3(int i) {
  return BakedList(3).Items.at(static_cast<size_t>(i));
}

int Brightness(const std::array<int, 3>& p) {
  return (p[0] + p[1] + p[2]) / 3;
}

// The brightest pixel of a box centred on (cx, cy).
int BrightestAround(const Surface& s, int cx, int cy, int halfW, int halfH) {
  int best = 0;
  for (int y = cy - halfH; y <= cy + halfH; ++y) {
    for (int x = cx - halfW; x <= cx + halfW; ++x) {
      best = std::max(best, Brightness(Rgb8(s, x, y)));
    }
  }
  return best;
}

TEST(HudPictures, NumbersLandOnDarkReadoutWindows) {
  // The HUD prints aqua digits centred on these points; the frame must be dark under them.
  struct Anchor {
    const char* What;
    int X, Y;
  };
  const Surface& left = List2(2).Picture;
  for (const Anchor& a : {Anchor{"time", 87, 23}, Anchor{"score", 84, 218},
                          Anchor{"lives", 113, 342}, Anchor{"speed", 91, 578}}) {
    SCOPED_TRACE(a.What);
    EXPECT_LT(BrightestAround(left, a.X, a.Y, 14, 8), 60);
  }
  // "LEVEL n / 10" over the right panel's top plate, screen (714, 20).
  EXPECT_LT(BrightestAround(List3(12).Picture, 714 - 626, 20, 40, 6), 60);
  // The map window behind the road strokes, around the player marker at screen (717, 121).
  EXPECT_LT(BrightestAround(List2(3).Picture, 717 - 626, 121, 60, 60), 60);
}

TEST(HudPictures, MapMasksAreCutFromTheRightPanel) {
  const Surface& panel = List2(3).Picture;
  const Surface& top = List3(12).Picture;
  const Surface& bottom = List3(13).Picture;
  int differing = 0;
  for (int y = 0; y < top.Height(); ++y) {
    for (int x = 0; x < top.Width(); ++x) differing += top.At(x, y) != panel.At(x, y);
  }
  for (int y = 0; y < bottom.Height(); ++y) {
    for (int x = 0; x < bottom.Width(); ++x) differing += bottom.At(x, y) != panel.At(x, 195 + y);
  }
  EXPECT_EQ(differing, 0);
}

TEST(HudPictures, NeedlePointsLeftFromAHubOnItsPivot) {
  const TPictureCollectionItem& needle = List2(4);
  const Surface& s = needle.Picture;
  auto visible = [&](int x, int y) { return s.At(x, y) != needle.ColorKey(); };
  // The pivot sits at 70% of the width and half the height.
  const int px = static_cast<int>(0.7 * s.Width());
  const int py = s.Height() / 2;
  EXPECT_TRUE(visible(px, py));
  // The tip lies on the middle line, left of the pivot, and stays inside the dial: the dial
  // round the pivot at screen y 530 can reach no further than the screen's last row, 599.
  int leftmost = s.Width();
  int rightmost = -1;
  for (int x = 0; x < s.Width(); ++x) {
    if (visible(x, py) || visible(x, py - 1)) {
      leftmost = std::min(leftmost, x);
      rightmost = std::max(rightmost, x);
    }
  }
  EXPECT_GE(leftmost, px - 69);
  EXPECT_LE(leftmost, px - 50);
  EXPECT_GE(rightmost, s.Width() - 6);
  EXPECT_GT(px - leftmost, 2 * (rightmost - px));
  // Thin at the tip, so the rows above and below the middle are empty there.
  EXPECT_FALSE(visible(leftmost + 2, 1));
  EXPECT_FALSE(visible(leftmost + 2, s.Height() - 2));
}

TEST(HudPictures, SpeedometerSitsWhollyOnScreen) {
  // The bezel is a light ring round the pivot (91, 530) that closes above the screen's last
  // row: it shows at every bearing (but where the speed readout sits over it), and the row
  // below it is panel, not dial.
  const Surface& left = List2(2).Picture;
  auto ringAt = [](double bearing, double radius) {
    const double a = (bearing - 90.0) * 3.14159265358979323846 / 180.0;
    return std::pair<int, int>{static_cast<int>(std::lround(91 + std::cos(a) * radius)),
                               static_cast<int>(std::lround(530 + std::sin(a) * radius))};
  };
  int bright = 0;
  int samples = 0;
  for (int bearing = 0; bearing < 360; bearing += 5) {
    if (bearing > 140 && bearing < 220) continue;
    const auto [x, y] = ringAt(bearing, 65.5);
    ++samples;
    bright += Brightness(Rgb8(left, x, y)) > 70;
  }
  EXPECT_EQ(bright, samples);
  for (int x = 40; x <= 142; ++x) EXPECT_LT(Brightness(Rgb8(left, x, 599)), 60) << x;
}

TEST(HudPictures, SpeedometerScaleMatchesTheNeedleAngles) {
  // At k km/h the needle stands 0.4046 k + 28 256ths of a turn clockwise from pointing left,
  // about the pivot (91, 530). The ticks at 0 and 300 km/h must lie on those bearings.
  const Surface& left = List2(2).Picture;
  auto pointAt = [](double kmh, double radius) {
    const double bearing = 270.0 + (0.4046 * kmh + 28.0) * 360.0 / 256.0;
    const double a = (bearing - 90.0) * 3.14159265358979323846 / 180.0;
    return std::pair<int, int>{static_cast<int>(std::lround(91 + std::cos(a) * radius)),
                               static_cast<int>(std::lround(530 + std::sin(a) * radius))};
  };
  for (double kmh : {0.0, 100.0, 200.0, 300.0}) {
    SCOPED_TRACE(std::to_string(kmh) + " km/h");
    const auto [tx, ty] = pointAt(kmh, 58);
    const auto [gx, gy] = pointAt(kmh + 5.0, 58);  // between two ticks
    EXPECT_GT(Brightness(Rgb8(left, tx, ty)), 120);
    EXPECT_LT(Brightness(Rgb8(left, gx, gy)), 60);
  }
}

}  // namespace
