#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "race/CollisionGeometry.h"

namespace {

TQuad Square(double left, double top, double size) {
  return {{{left, top}, {left + size, top}, {left + size, top + size}, {left, top + size}}};
}

bool InQuad(double px, double py, const TQuad& q) {
  return PointInQuad(px, py, q[0].X, q[0].Y, q[1].X, q[1].Y, q[2].X, q[2].Y, q[3].X, q[3].Y);
}

TEST(RoadsideIndexTest, FindsEachRoadsideKindAndNothingElse) {
  EXPECT_EQ(RoadsideIndex(1), 1);
  EXPECT_EQ(RoadsideIndex(9), 9);
  EXPECT_EQ(RoadsideIndex(13), 10);
  EXPECT_EQ(RoadsideIndex(21), 18);
  EXPECT_EQ(RoadsideIndex(25), 19);
  EXPECT_EQ(RoadsideIndex(48), 32);
  for (int kind : {-1000, -1, 0,  10, 11, 12, 22, 23, 24, 27, 28,  32,  33,
                   34,    39, 40, 45, 46, 47, 49, 62, 73, 74, 255, 256, 1000}) {
    EXPECT_EQ(RoadsideIndex(kind), -1) << "kind " << kind;
  }
  for (int i = 1; i <= kRoadsideShapeCount; ++i) {
    EXPECT_EQ(RoadsideIndex(RoadsideShapes[i].Kind), i);
  }
}

// The collision shape of every roadside tile, corner by corner as listed (pixels from the
// tile's top-left): the nine left roadsides share one shape, the nine right ones another.
TEST(RoadsideShapesTest, EveryShapeHasItsCornersInItsOrder) {
  struct Row {
    int Kind;
    std::array<std::array<int, 2>, 4> Corners;
  };
  const Row left{0, {{{38, 0}, {72, 0}, {38, 72}, {72, 72}}}};
  const Row right{0, {{{0, 0}, {35, 0}, {0, 72}, {35, 72}}}};
  const Row drifts[] = {
      {25, {{{38, 0}, {71, 0}, {55, 34}, {71, 66}}}},
      {26, {{{2, 0}, {20, 35}, {2, 71}, {36, 71}}}},
      {29, {{{71, 0}, {52, 10}, {61, 27}, {71, 46}}}},
      {30, {{{8, 0}, {0, 48}, {17, 71}, {45, 71}}}},
      {31, {{{2, 0}, {38, 0}, {38, 71}, {71, 71}}}},
      {35, {{{71, 0}, {17, 9}, {45, 63}, {71, 70}}}},
      {36, {{{0, 0}, {19, 38}, {0, 71}, {34, 71}}}},
      {37, {{{35, 0}, {71, 48}, {1, 67}, {55, 71}}}},
      {38, {{{0, 0}, {17, 0}, {10, 28}, {0, 47}}}},
      {41, {{{69, 0}, {35, 67}, {71, 68}, {69, 71}}}},
      {42, {{{0, 0}, {33, 0}, {17, 32}, {0, 66}}}},
      {43, {{{71, 0}, {54, 34}, {37, 68}, {71, 71}}}},
      {44, {{{0, 0}, {55, 8}, {24, 65}, {0, 70}}}},
      {48, {{{33, 0}, {69, 0}, {0, 71}, {33, 71}}}},
  };
  for (int i = 1; i <= 9; ++i) {
    EXPECT_EQ(RoadsideShapes[i].Kind, i);
    EXPECT_EQ(RoadsideShapes[i].Corners, left.Corners) << "index " << i;
  }
  for (int i = 10; i <= 18; ++i) {
    EXPECT_EQ(RoadsideShapes[i].Kind, i + 3);
    EXPECT_EQ(RoadsideShapes[i].Corners, right.Corners) << "index " << i;
  }
  for (int i = 19; i <= kRoadsideShapeCount; ++i) {
    EXPECT_EQ(RoadsideShapes[i].Kind, drifts[i - 19].Kind) << "index " << i;
    EXPECT_EQ(RoadsideShapes[i].Corners, drifts[i - 19].Corners) << "index " << i;
  }
}

TEST(PointInQuadTest, CentreOfACrossWalkedSquareIsInside) {
  // Listed top-left, top-right, bottom-left, bottom-right: 90 + 180 + 90 + 180 degrees.
  EXPECT_TRUE(PointInQuad(36, 36, 0, 0, 72, 0, 0, 72, 72, 72));
  EXPECT_TRUE(InQuad(36, 36, Square(0, 0, 72)));
}

TEST(PointInQuadTest, FarPointsAreOutside) {
  EXPECT_FALSE(InQuad(1000, 1000, Square(0, 0, 72)));
  EXPECT_FALSE(InQuad(-500, 36, Square(0, 0, 72)));
  EXPECT_FALSE(PointInQuad(36, 400, 0, 0, 72, 0, 0, 72, 72, 72));
}

TEST(PointInQuadTest, StraightRoadsideIsSolidOnlyOnItsBarrierHalf) {
  const TQuad left = RoadsideQuad(RoadsideIndex(1), 0, 0);
  EXPECT_TRUE(InQuad(55, 36, left));
  EXPECT_FALSE(InQuad(10, 36, left));
  const TQuad right = RoadsideQuad(RoadsideIndex(13), 0, 0);
  EXPECT_TRUE(InQuad(17, 36, right));
  EXPECT_FALSE(InQuad(62, 36, right));
}

// A point exactly on a corner touches the outline: it counts as inside.
TEST(PointInQuadTest, PointOnACornerCountsAsInside) {
  const TQuad q = Square(10, 20, 30);
  for (const TFloatPoint& corner : q) EXPECT_TRUE(InQuad(corner.X, corner.Y, q));
}

TEST(PointInQuadTest, PointOnADiagonalEdgeSurvivesRounding) {
  // On the edge from (0, 0) to (1, 1) the two unit vectors' dot product rounds to just below
  // -1; without clamping its arccosine is not a number and the edge would read as outside.
  const double p = 5.0 / 6.0;
  EXPECT_TRUE(PointInQuad(p, p, 0, 0, 1, 1, 0, 2, -1, 1));
}

TEST(QuadsOverlapTest, DisjointQuadsDoNotOverlap) {
  EXPECT_FALSE(QuadsOverlap(Square(0, 0, 10), Square(100, 100, 10)));
  EXPECT_FALSE(QuadsOverlap(Square(0, 0, 10), Square(0, 60, 10)));
}

TEST(QuadsOverlapTest, QuadInsideAnotherOverlapsEitherWayRound) {
  const TQuad small = Square(30, 30, 5);
  const TQuad large = Square(0, 0, 72);
  EXPECT_TRUE(QuadsOverlap(small, large));
  EXPECT_TRUE(QuadsOverlap(large, small));
}

TEST(QuadsOverlapTest, CornerPokingIntoATileShapeIsAContact) {
  const TQuad tile = RoadsideQuad(RoadsideIndex(1), 144, 72);  // barrier at x 182..216
  const TQuad bike = {{{170, 90}, {190, 90}, {190, 130}, {170, 130}}};
  EXPECT_TRUE(QuadsOverlap(bike, tile));
  const TQuad clear = {{{150, 90}, {170, 90}, {170, 130}, {150, 130}}};
  EXPECT_FALSE(QuadsOverlap(clear, tile));
}

// Each of the eight corner tests decides alone: a thin sliver whose tip alone pokes into a square
// near each of its four corners, and no corner of the square inside the sliver.
TEST(QuadsOverlapTest, ATipPokingInNearAnyCornerOfTheOtherIsAContact) {
  const TQuad square = {{{0, 0}, {40, 0}, {40, 40}, {0, 40}}};
  const TQuad slivers[] = {
      {{{3, 3}, {-20, 4}, {-20, 5}, {-19, 6}}},
      {{{37, 3}, {60, 4}, {60, 5}, {59, 6}}},
      {{{37, 37}, {60, 36}, {60, 35}, {59, 34}}},
      {{{3, 37}, {-20, 36}, {-20, 35}, {-19, 34}}},
  };
  for (const TQuad& sliver : slivers) {
    SCOPED_TRACE(sliver[0].X * 100 + sliver[0].Y);
    EXPECT_TRUE(QuadsOverlap(sliver, square));
    EXPECT_TRUE(QuadsOverlap(square, sliver));
    // Drawn back out by 6 pixels, the tip no longer reaches.
    TQuad out = sliver;
    out[0].X += out[0].X < 20 ? -6 : 6;
    EXPECT_FALSE(QuadsOverlap(out, square));
    EXPECT_FALSE(QuadsOverlap(square, out));
  }
}

TEST(RoadsideQuadTest, CornersAreTruncatedAfterTheOffset) {
  const TQuad q = RoadsideQuad(RoadsideIndex(1), -0.5, 10.75);
  EXPECT_EQ(q[0].X, 37);  // -0.5 + 38 = 37.5
  EXPECT_EQ(q[0].Y, 10);
  EXPECT_EQ(q[3].X, 71);
  EXPECT_EQ(q[3].Y, 82);
  const TQuad negative = RoadsideQuad(RoadsideIndex(13), -40.5, -72.5);
  EXPECT_EQ(negative[0].X, -40);  // toward zero, not down
  EXPECT_EQ(negative[1].X, -5);
  EXPECT_EQ(negative[0].Y, -72);
  EXPECT_EQ(negative[2].Y, 0);
}

}  // namespace

// The point test worked out exactly as the rule reads: unit directions to the corners, arccos of
// successive dot products in degrees, inside from 355 on; a point on a corner is inside.
double RuleAngleSum(double px, double py, const TQuad& q) {
  double ux[4], uy[4];
  for (int i = 0; i < 4; ++i) {
    const double dx = q[i].X - px, dy = q[i].Y - py;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0.0) return 360.0;
    ux[i] = dx / length;
    uy[i] = dy / length;
  }
  double sum = 0.0;
  for (int i = 0; i < 4; ++i) {
    const int j = (i + 1) % 4;
    sum += std::acos(std::clamp(ux[i] * ux[j] + uy[i] * uy[j], -1.0, 1.0)) * 57.29577951308232;
  }
  return sum;
}

bool RuleInQuad(double px, double py, const TQuad& q) {
  return RuleAngleSum(px, py, q) >= 355.0;
}

TEST(PointInQuadTest, AgreesWithTheAngleSumRuleAroundEveryRoadsideShape) {
  int inside = 0, checked = 0;
  for (int index = 1; index <= kRoadsideShapeCount; ++index) {
    const TQuad q = RoadsideQuad(index, 0.0, 0.0);
    for (double y = -90.0; y <= 162.0; y += 0.83) {
      for (double x = -90.0; x <= 162.0; x += 0.79) {
        const bool expected = RuleInQuad(x, y, q);
        ASSERT_EQ(InQuad(x, y, q), expected) << "shape " << index << " at " << x << ", " << y;
        inside += expected;
        ++checked;
      }
    }
    // Whole pixels, as the tiles' own corners are.
    for (int y = -10; y <= 82; ++y) {
      for (int x = -10; x <= 82; ++x) {
        ASSERT_EQ(InQuad(x, y, q), RuleInQuad(x, y, q))
            << "shape " << index << " at " << x << ", " << y;
      }
    }
  }
  // Both answers were well represented.
  EXPECT_GT(inside, checked / 100);
  EXPECT_LT(inside, checked / 2);
}

TEST(PointInQuadTest, AgreesWithTheAngleSumRuleForRandomQuadsAndPoints) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> coordinate(-150.0, 150.0);
  int inside = 0;
  constexpr int kQuads = 20000;
  constexpr int kPointsPerQuad = 40;
  for (int n = 0; n < kQuads; ++n) {
    TQuad q;
    for (TFloatPoint& corner : q) corner = {coordinate(random) * 0.5, coordinate(random) * 0.5};
    for (int k = 0; k < kPointsPerQuad; ++k) {
      const double x = coordinate(random), y = coordinate(random);
      const bool expected = RuleInQuad(x, y, q);
      ASSERT_EQ(InQuad(x, y, q), expected) << n << " " << k;
      inside += expected;
    }
  }
  EXPECT_GT(inside, kQuads * kPointsPerQuad / 50);
}

TEST(PointInQuadTest, AgreesWithTheAngleSumRuleRightAtTheThreshold) {
  // Points whose angle sum is within a hair of 355 degrees, found by halving a segment from an
  // inside point to a far one, and points a few rounding steps either side of them: where an
  // estimate could tip either way, the answer must still be the rule's.
  std::mt19937_64 random(355);
  std::uniform_real_distribution<double> coordinate(-60.0, 60.0);
  int found = 0;
  for (int n = 0; n < 3000; ++n) {
    TQuad q;
    for (TFloatPoint& corner : q) corner = {coordinate(random), coordinate(random)};
    double ix = 0.0, iy = 0.0;
    for (const TFloatPoint& corner : q) ix += corner.X / 4, iy += corner.Y / 4;
    if (!RuleInQuad(ix, iy, q)) continue;
    double ox = ix + 3 * coordinate(random) + 400.0, oy = iy + 3 * coordinate(random);
    for (int step = 0; step < 200; ++step) {
      const double mx = (ix + ox) / 2, my = (iy + oy) / 2;
      if (mx == ix || mx == ox) break;
      if (RuleInQuad(mx, my, q)) {
        ix = mx, iy = my;
      } else {
        ox = mx, oy = my;
      }
    }
    if (std::fabs(RuleAngleSum(ix, iy, q) - 355.0) > 1e-6) continue;  // crossed at a jump
    ++found;
    for (int dx = -3; dx <= 3; ++dx) {
      for (int dy = -3; dy <= 3; ++dy) {
        const double x = ix + dx * 1e-9 * (1 + std::fabs(ix)), y = iy + dy * 1e-9;
        ASSERT_EQ(InQuad(x, y, q), RuleInQuad(x, y, q)) << n << " " << x << ", " << y;
        const double ex = std::nextafter(ix, dx < 0 ? -1e9 : 1e9);
        ASSERT_EQ(InQuad(ex, iy, q), RuleInQuad(ex, iy, q)) << n;
      }
    }
  }
  EXPECT_GT(found, 300);
}

TEST(PointInQuadTest, AgreesWithTheAngleSumRuleForExtremeDistances) {
  const TQuad unit = Square(0.0, 0.0, 1.0);
  const TQuad huge = {{{-1e200, -1e200}, {1e200, -1e200}, {1e200, 1e200}, {-1e200, 1e200}}};
  const TQuad far = {{{1e200, 0.0}, {1e200, 1.0}, {2e200, 1.0}, {2e200, 0.0}}};
  const TQuad tiny = Square(0.0, 0.0, 1e-160);
  for (const TQuad& q : {unit, huge, far, tiny}) {
    for (const double x : {0.0, 0.5, -3.0, 1e-170, 5e-161, 1e300, -1e160}) {
      for (const double y : {0.0, 0.25, 7.0, 3e-161, -1e300, std::nan("")}) {
        EXPECT_EQ(InQuad(x, y, q), RuleInQuad(x, y, q)) << x << ", " << y;
      }
    }
  }
}

// A dart around the point with all corners but one well to one side of it, and the remaining
// corner behind the point: the point is inside, whichever corner lies behind it and whether the
// dart points along x or along y.
TEST(PointInQuadTest, ADartWithOneCornerBehindThePointHoldsIt) {
  const TFloatPoint dart[4] = {{10, -8}, {-10, 0}, {10, 8}, {12, 0}};
  for (int first = 0; first < 4; ++first) {
    for (const bool transposed : {false, true}) {
      for (const double side : {1.0, -1.0}) {
        TQuad q;
        for (int i = 0; i < 4; ++i) {
          const TFloatPoint c = dart[(first + i) % 4];
          q[i] = transposed ? TFloatPoint{c.Y, side * c.X} : TFloatPoint{side * c.X, c.Y};
        }
        SCOPED_TRACE(testing::Message() << first << " " << transposed << " " << side);
        ASSERT_TRUE(RuleInQuad(0, 0, q)) << "the rule itself";
        EXPECT_TRUE(InQuad(0, 0, q));
        EXPECT_FALSE(InQuad(side * (transposed ? 0 : 14), side * (transposed ? 14 : 0), q));
      }
    }
  }
}
