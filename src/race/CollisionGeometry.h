// Contact tests between quadrilaterals, and the collision shapes of the roadside tiles.
#pragma once

#include <array>

struct TFloatPoint {
  double X = 0.0;
  double Y = 0.0;
};

// Four corners, walked 1 -> 2 -> 3 -> 4 -> 1 by the point test (stored 0-based).
using TQuad = std::array<TFloatPoint, 4>;

struct TRoadsideShape {
  int Kind;                                   // tile kind of the track grid
  std::array<std::array<int, 2>, 4> Corners;  // (x, y) in pixels from the tile's top-left
};

constexpr int kRoadsideShapeCount = 32;

// The collision shape of every roadside tile kind, 1-based like RoadsideIndex (entry 0 unused).
extern const std::array<TRoadsideShape, kRoadsideShapeCount + 1> RoadsideShapes;

// 1-based position of a tile kind in RoadsideShapes, or -1 for tiles without a shape.
int RoadsideIndex(int kind);

// True when the angles under which the point sees the four corners, walked in their listed
// order, add up to at least 355 degrees.
bool PointInQuad(double px, double py, double x1, double y1, double x2, double y2, double x3,
                 double y3, double x4, double y4);

// True when a corner of a lies in b or a corner of b lies in a (tested in that order).
bool QuadsOverlap(const TQuad& a, const TQuad& b);

// A roadside tile's shape with its tile's top-left corner at (left, top); each corner is
// truncated toward zero after the offset is added, as the contact tests expect whole pixels.
TQuad RoadsideQuad(int index, double left, double top);
