#include "race/CollisionGeometry.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
// Angle sum from which a point counts as inside; a little under 360 absorbs rounding.
constexpr double kInsideSumDegrees = 355.0;

using Shape = TRoadsideShape;
constexpr Shape LeftSide(int kind) {
  return {kind, {{{38, 0}, {72, 0}, {38, 72}, {72, 72}}}};
}
constexpr Shape RightSide(int kind) {
  return {kind, {{{0, 0}, {35, 0}, {0, 72}, {35, 72}}}};
}

}  // namespace

const std::array<TRoadsideShape, kRoadsideShapeCount + 1> RoadsideShapes = {{
    {-1, {}},  // unused: positions count from 1
    LeftSide(1),
    LeftSide(2),
    LeftSide(3),
    LeftSide(4),
    LeftSide(5),
    LeftSide(6),
    LeftSide(7),
    LeftSide(8),
    LeftSide(9),
    RightSide(13),
    RightSide(14),
    RightSide(15),
    RightSide(16),
    RightSide(17),
    RightSide(18),
    RightSide(19),
    RightSide(20),
    RightSide(21),
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
}};

int RoadsideIndex(int kind) {
  // Every tile in view is looked up each frame, for the bike and for each opponent: tile kinds
  // are small numbers, so a table indexed by kind replaces the search.
  constexpr int kTableKinds = 256;
  static const std::array<int8_t, kTableKinds> byKind = [] {
    std::array<int8_t, kTableKinds> table;
    table.fill(-1);
    for (int i = kRoadsideShapeCount; i >= 1; --i) {  // the first shape of a kind wins
      const int k = RoadsideShapes[i].Kind;
      assert(k >= 0 && k < kTableKinds);
      table[static_cast<size_t>(k)] = static_cast<int8_t>(i);
    }
    return table;
  }();
  return kind >= 0 && kind < kTableKinds ? byKind[static_cast<size_t>(kind)] : -1;
}

namespace {

// The angle-sum rule written out: unit directions to the corners, arccos of successive dot
// products, summed in degrees. PointInQuad gives exactly its answer, calling it only when the
// quick estimate below cannot tell.
bool AngleSumReachesInside(const std::array<double, 4>& xs, const std::array<double, 4>& ys) {
  std::array<double, 4> ux{}, uy{};
  for (int i = 0; i < 4; ++i) {
    const double length = std::sqrt(xs[i] * xs[i] + ys[i] * ys[i]);
    ux[i] = xs[i] / length;
    uy[i] = ys[i] / length;
  }
  double sum = 0.0;
  for (int i = 0; i < 4; ++i) {
    const int j = (i + 1) % 4;
    const double cosine = std::clamp(ux[i] * ux[j] + uy[i] * uy[j], -1.0, 1.0);
    sum += std::acos(cosine) * kDegreesPerRadian;
  }
  return sum >= kInsideSumDegrees;
}

// arctan(t) for 0 <= t <= 1 within 2e-8 (a published polynomial fit, A&S 4.4.49).
double AtanUnit(double t) {
  const double t2 = t * t;
  double p = 0.0028662257;
  for (const double c : {-0.0161657367, 0.0429096138, -0.0752896400, 0.1065626393, -0.1420889944,
                         0.1999355085, -0.3333314528, 1.0})
    p = p * t2 + c;
  return p * t;
}

// The angle between two directions, 0..pi, from their dot and cross products: no square root
// and no arccos, within 3e-8 of the true angle.
double AngleBetween(double ax, double ay, double bx, double by) {
  const double dot = ax * bx + ay * by;
  const double cross = std::fabs(ax * by - ay * bx);
  const double along = std::fabs(dot);
  const double a =
      cross <= along ? AtanUnit(cross / along) : std::numbers::pi / 2 - AtanUnit(along / cross);
  return dot >= 0.0 ? a : std::numbers::pi - a;
}

// Seen from the origin, corners whose x (or y) all lie at least d off to one side and whose
// other coordinate stays within this fraction of d lie in a cone narrower than 88.3 degrees;
// four angles inside such a cone add up to at most 353.2 degrees, so the point is outside.
constexpr double kNarrowConeRatio = 0.97;

bool InNarrowCone(const std::array<double, 4>& along, const std::array<double, 4>& across) {
  const auto [nearest, farthest] = std::minmax({along[0], along[1], along[2], along[3]});
  const double d = nearest > 0.0 ? nearest : farthest < 0.0 ? -farthest : 0.0;
  if (!(d > 0.0)) return false;
  const double spread = std::max(
      {std::fabs(across[0]), std::fabs(across[1]), std::fabs(across[2]), std::fabs(across[3])});
  return spread < kNarrowConeRatio * d;
}

// The angle sum in radians from which a point counts as inside.
constexpr double kInsideSumRadians = kInsideSumDegrees / kDegreesPerRadian;
// How far the estimate may stand from the threshold before the rule is worked out in full.
// The estimate is within 1.2e-7 of the true sum; the rule's own arccos of a rounded cosine is
// within 2.5e-7 of it (worst next to 0 and 180 degrees): the margin leaves a factor of 25.
constexpr double kUndecidedRadians = 1e-5;
// Squared distances within which the error bounds above hold.
constexpr double kSmallestSquared = 1e-290;
constexpr double kLargestSquared = 1e290;

}  // namespace

bool PointInQuad(double px, double py, double x1, double y1, double x2, double y2, double x3,
                 double y3, double x4, double y4) {
  const std::array<double, 4> xs = {x1 - px, x2 - px, x3 - px, x4 - px};
  const std::array<double, 4> ys = {y1 - py, y2 - py, y3 - py, y4 - py};
  bool ordinary = true;
  for (int i = 0; i < 4; ++i) {
    const double squared = xs[i] * xs[i] + ys[i] * ys[i];
    // A point on a corner has no direction to it: it touches the outline, so it counts as inside.
    if (squared == 0.0) return true;
    ordinary = ordinary && squared >= kSmallestSquared && squared <= kLargestSquared;
  }
  // Distances whose squares leave the normal range (or are not numbers) get the rule itself.
  if (!ordinary) return AngleSumReachesInside(xs, ys);
  if (InNarrowCone(xs, ys) || InNarrowCone(ys, xs)) return false;
  double sum = 0.0;
  for (int i = 0; i < 4; ++i) {
    const int j = (i + 1) % 4;
    sum += AngleBetween(xs[i], ys[i], xs[j], ys[j]);
  }
  if (sum > kInsideSumRadians + kUndecidedRadians) return true;
  if (sum < kInsideSumRadians - kUndecidedRadians) return false;
  return AngleSumReachesInside(xs, ys);
}

namespace {

bool CornerInQuad(const TFloatPoint& p, const TQuad& q) {
  return PointInQuad(p.X, p.Y, q[0].X, q[0].Y, q[1].X, q[1].Y, q[2].X, q[2].Y, q[3].X, q[3].Y);
}

}  // namespace

bool QuadsOverlap(const TQuad& a, const TQuad& b) {
  for (const TFloatPoint& p : a) {
    if (CornerInQuad(p, b)) return true;
  }
  for (const TFloatPoint& p : b) {
    if (CornerInQuad(p, a)) return true;
  }
  return false;
}

TQuad RoadsideQuad(int index, double left, double top) {
  assert(index >= 1 && index <= kRoadsideShapeCount);
  TQuad quad{};
  const TRoadsideShape& shape = RoadsideShapes[index];
  for (int n = 0; n < 4; ++n) {
    quad[n].X = std::trunc(left + shape.Corners[n][0]);
    quad[n].Y = std::trunc(top + shape.Corners[n][1]);
  }
  return quad;
}
