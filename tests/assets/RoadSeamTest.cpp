// The road tiles join without visible seams wherever the track generator lays them side by
// side, and every roadside contact shape covers something the rider can see.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "BakedData.h"
#include "app/Random.h"
#include "race/CollisionGeometry.h"
#include "race/TrackGenerator.h"
#include "race/TrackState.h"

namespace {

constexpr int kTile = 72;
// A seam may differ no more than the neighbouring lines just inside the two tiles do, give or
// take texture noise: a line or wall that stops or jumps at the seam adds 10 or more.
constexpr double kSeamFactor = 1.5;
constexpr double kSeamSlack = 5.0;

using Pair = std::pair<int, int>;

struct Adjacency {
  std::set<Pair> Horizontal;  // (left kind, right kind)
  std::set<Pair> Vertical;    // (upper kind, lower kind)
};

// Every pair of tile kinds the generator lays next to each other over a few whole games.
const Adjacency& GeneratedAdjacency() {
  static const Adjacency adjacency = [] {
    Adjacency a;
    for (uint32_t seed = 1; seed <= 12; ++seed) {
      RandSeed = seed * 7919u;
      BuildLevel(6 + static_cast<int>(seed % 5));
      for (int r = 1; r <= kTrackRows; ++r) {
        for (int c = 1; c <= kTrackColumns; ++c) {
          const int kind = TrackGrid[r][c];
          if (c < kTrackColumns) a.Horizontal.insert({kind, TrackGrid[r][c + 1]});
          if (r < kTrackRows) a.Vertical.insert({kind, TrackGrid[r + 1][c]});
        }
      }
    }
    ResetTrackState();
    return a;
  }();
  return adjacency;
}

const TPictureCollectionItem& RoadSheet() {
  return BakedList(2).Items.at(1);
}

std::array<int, 3> TilePixel(int kind, int x, int y) {
  const TPictureCollectionItem& sheet = RoadSheet();
  const SurfaceRect r = sheet.PatternRect(kind);
  return Rgb8(sheet.Picture, r.Left + x, r.Top + y);
}

// Mean, over the 72 pixels of a tile side, of the largest channel difference between line
// `l0` of tile `a` and line `l1` of tile `b`: columns when horizontal, rows otherwise.
double LineDifference(int a, int l0, int b, int l1, bool horizontal) {
  double sum = 0;
  for (int i = 0; i < kTile; ++i) {
    sum += horizontal ? ColourDistance(TilePixel(a, l0, i), TilePixel(b, l1, i))
                      : ColourDistance(TilePixel(a, i, l0), TilePixel(b, i, l1));
  }
  return sum / kTile;
}

// `a` left of (or above) `b`: their touching lines against the lines just inside each tile.
void ExpectSeamless(int a, int b, bool horizontal) {
  const double seam = LineDifference(a, kTile - 1, b, 0, horizontal);
  const double insideA = LineDifference(a, kTile - 2, a, kTile - 1, horizontal);
  const double insideB = LineDifference(b, 0, b, 1, horizontal);
  EXPECT_LE(seam, kSeamFactor * std::max(insideA, insideB) + kSeamSlack)
      << "kind " << a << (horizontal ? " left of kind " : " above kind ") << b << " (inside "
      << insideA << " and " << insideB << ")";
}

bool IsRightRoadside(int kind) {
  return kind >= 13 && kind <= 21;
}

// Edges drawn on purpose along a tile border: the straight road and the right wall begin
// exactly at a cell edge, and straight kerbs and edge lines start and stop at one.
bool IsDesignedHorizontalEdge(const Pair& p) {
  static const std::set<Pair> edges = {{0, 10}, {22, 10}, {0, 24}, {12, 0}, {12, 23}, {24, 0}};
  return edges.count(p) > 0 || ((p.first == 0 || p.first == 23) && IsRightRoadside(p.second));
}

bool IsOffCorridor(int kind) {
  return kind == 0 || kind >= 49;
}
bool IsStraightRowKind(int kind) {
  return kind >= 1 && kind <= 24 && kind != 22 && kind != 23;
}

bool IsDesignedVerticalEdge(const Pair& p) {
  static const std::set<Pair> edges = {{22, 0},  {0, 22},  {23, 0},  {0, 23},
                                       {10, 24}, {24, 10}, {12, 24}, {24, 12}};
  // The first and last rows of the track, where the road and its walls simply end.
  const bool trackEnd = (IsOffCorridor(p.first) && IsStraightRowKind(p.second)) ||
                        (IsStraightRowKind(p.first) && IsOffCorridor(p.second));
  return edges.count(p) > 0 || trackEnd;
}

TEST(RoadSeams, TheGeneratorLaysEveryKindOfRow) {
  const Adjacency& a = GeneratedAdjacency();
  // Rows of both drifts, their bend entries and exits, and the ground objects all occur.
  for (const Pair& p : {Pair{31, 32}, Pair{25, 26}, Pair{43, 44}, Pair{37, 38}, Pair{22, 10},
                        Pair{55, 55}, Pair{65, 66}, Pair{52, 0}, Pair{24, 24}}) {
    EXPECT_TRUE(a.Horizontal.count(p)) << p.first << "|" << p.second;
  }
  for (const Pair& p : {Pair{26, 31}, Pair{31, 25}, Pair{37, 44}, Pair{43, 37}, Pair{32, 22},
                        Pair{22, 26}, Pair{60, 63}, Pair{56, 56}}) {
    EXPECT_TRUE(a.Vertical.count(p)) << p.first << " over " << p.second;
  }
}

TEST(RoadSeams, SideBySideTilesMatchAlongTheirSharedEdge) {
  const Adjacency& a = GeneratedAdjacency();
  ASSERT_GE(RoadSheet().PatternCount(), 74);
  int checked = 0;
  for (const Pair& p : a.Horizontal) {
    if (IsDesignedHorizontalEdge(p)) continue;
    ExpectSeamless(p.first, p.second, true);
    ++checked;
  }
  for (const Pair& p : a.Vertical) {
    if (IsDesignedVerticalEdge(p)) continue;
    ExpectSeamless(p.first, p.second, false);
    ++checked;
  }
  EXPECT_GT(checked, 500);
}

// White paint: lines, kerb and wall stripes, the start squares.
bool IsPaint(const std::array<int, 3>& p) {
  const int lo = std::min({p[0], p[1], p[2]});
  const int hi = std::max({p[0], p[1], p[2]});
  return lo >= 190 && hi - lo <= 40;
}

// The positions along the shared edge where one side carries paint and the other, within two
// pixels either way, carries none: a marking that stops or jumps at the join.
std::vector<int> BrokenPaint(int a, int b, bool horizontal) {
  auto paint = [&](int kind, int line, int i) {
    if (i < 0 || i >= kTile) return false;
    return IsPaint(horizontal ? TilePixel(kind, line, i) : TilePixel(kind, i, line));
  };
  std::vector<int> broken;
  for (int i = 0; i < kTile; ++i) {
    for (const auto& [from, fromLine, to, toLine] :
         {std::tuple{a, kTile - 1, b, 0}, std::tuple{b, 0, a, kTile - 1}}) {
      if (!paint(from, fromLine, i)) continue;
      bool continues = false;
      for (int d = -2; d <= 2; ++d) continues = continues || paint(to, toLine, i + d);
      if (!continues) broken.push_back(i);
    }
  }
  return broken;
}

TEST(RoadSeams, PaintedMarkingsRunOnAcrossEveryJoin) {
  // Edge lines, dashed lane lines, kerbs and wall stripes continue into the neighbouring tile
  // wherever they meet a tile border, in every pair of tiles the generator lays.
  const Adjacency& a = GeneratedAdjacency();
  int checked = 0;
  for (const Pair& p : a.Horizontal) {
    if (IsDesignedHorizontalEdge(p)) continue;
    EXPECT_TRUE(BrokenPaint(p.first, p.second, true).empty())
        << "kind " << p.first << " left of kind " << p.second << " at y "
        << ::testing::PrintToString(BrokenPaint(p.first, p.second, true));
    ++checked;
  }
  for (const Pair& p : a.Vertical) {
    if (IsDesignedVerticalEdge(p)) continue;
    EXPECT_TRUE(BrokenPaint(p.first, p.second, false).empty())
        << "kind " << p.first << " above kind " << p.second << " at x "
        << ::testing::PrintToString(BrokenPaint(p.first, p.second, false));
    ++checked;
  }
  EXPECT_GT(checked, 500);
}

TEST(RoadSeams, LaneLinesAreDashedInsideTheEdgeTiles) {
  // The lane tile lies in straight and diagonal rows alike, so it carries no paint at all.
  for (int y = 0; y < kTile; ++y) {
    for (int x = 0; x < kTile; ++x) ASSERT_FALSE(IsPaint(TilePixel(11, x, y))) << x << "," << y;
  }
  // Between the edge line and the lane tile, each straight edge tile carries a dashed line:
  // half of its length painted, and no dash cut by the row border (the start line's row
  // meets it there).
  for (int kind : {10, 12}) {
    SCOPED_TRACE("kind " + std::to_string(kind));
    int bestColumn = -1;
    int bestCount = 0;
    for (int x = 14; x < kTile - 14; ++x) {
      int count = 0;
      for (int y = 0; y < kTile; ++y) count += IsPaint(TilePixel(kind, x, y));
      if (count > bestCount) {
        bestCount = count;
        bestColumn = x;
      }
    }
    ASSERT_GE(bestColumn, 0);
    EXPECT_NEAR(bestCount, kTile / 2, 4);
    EXPECT_FALSE(IsPaint(TilePixel(kind, bestColumn, 0)));
    EXPECT_FALSE(IsPaint(TilePixel(kind, bestColumn, kTile - 1)));
  }
}

TEST(RoadSeams, KerbsAndEdgeLinesStopOnlyWithinTheirOwnStripe) {
  // Where a straight kerb begins, the rest of the seam is still plain ground on both sides.
  auto differingColumns = [](int upper, int lower) {
    std::set<int> columns;
    for (int x = 0; x < kTile; ++x) {
      if (ColourDistance(TilePixel(upper, x, kTile - 1), TilePixel(lower, x, 0)) > 40) {
        columns.insert(x);
      }
    }
    return columns;
  };
  for (const Pair& p : {Pair{0, 22}, Pair{22, 0}, Pair{10, 24}, Pair{24, 10}}) {
    const std::set<int> columns = differingColumns(p.first, p.second);
    SCOPED_TRACE(std::to_string(p.first) + " over " + std::to_string(p.second));
    EXPECT_FALSE(columns.empty());
    EXPECT_LE(columns.size(), 14u);
  }
  // Left shoulder kerbs hug the road on the right; the left edge line hugs the left side.
  for (int x : differingColumns(0, 22)) EXPECT_GE(x, 56);
  for (int x : differingColumns(24, 10)) EXPECT_LT(x, 16);
}

TEST(RoadSeams, ContactShapesCoverWallsOrTyresNotBareGrass) {
  // Plain ground repeats every tile, so a pixel equal to tile 0 at the same place is bare.
  for (int i = 1; i <= kRoadsideShapeCount; ++i) {
    const TRoadsideShape& shape = RoadsideShapes[i];
    const auto& c = shape.Corners;
    int inside = 0;
    int bare = 0;
    for (int y = 0; y < kTile; ++y) {
      for (int x = 0; x < kTile; ++x) {
        if (!PointInQuad(x + 0.5, y + 0.5, c[0][0], c[0][1], c[1][0], c[1][1], c[2][0], c[2][1],
                         c[3][0], c[3][1])) {
          continue;
        }
        ++inside;
        bare += ColourDistance(TilePixel(shape.Kind, x, y), TilePixel(0, x, y)) <= 6;
      }
    }
    SCOPED_TRACE("kind " + std::to_string(shape.Kind));
    ASSERT_GT(inside, 0);
    EXPECT_LE(bare, inside / 4) << bare << " of " << inside << " pixels are bare grass";
  }
}

TEST(RoadSeams, RoadCellsAreAsphaltWhereBonusesSit) {
  // Bonuses sit in the middle of the four road cells of straight rows; none may sit on grass.
  const auto lane = TilePixel(11, 36, 36);
  for (int kind : {10, 11, 12}) {
    SCOPED_TRACE("kind " + std::to_string(kind));
    for (int y = 19; y <= 53; y += 17) {
      for (int x = 19; x <= 53; x += 17) {
        const auto p = TilePixel(kind, x, y);
        EXPECT_LE(ColourDistance(p, lane), 30) << x << "," << y;
      }
    }
  }
}

}  // namespace
