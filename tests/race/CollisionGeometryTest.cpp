#include <gtest/gtest.h>

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
  for (int kind :
       {-1, 0, 10, 11, 12, 22, 23, 24, 27, 28, 32, 33, 34, 39, 40, 45, 46, 47, 49, 62, 73}) {
    EXPECT_EQ(RoadsideIndex(kind), -1) << "kind " << kind;
  }
  for (int i = 1; i <= kRoadsideShapeCount; ++i) {
    EXPECT_EQ(RoadsideIndex(RoadsideShapes[i].Kind), i);
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
