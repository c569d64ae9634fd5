#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <vector>

#include "app/Random.h"
#include "race/RiderState.h"
#include "race/TrackGenerator.h"
#include "race/TrackState.h"

namespace {

// Any roadside tile the generator may put on one side.
constexpr int kAnyLeftSide = -10;
constexpr int kAnyRightSide = -20;
using Corridor = std::array<int, 8>;

void BuildWithSeed(uint32_t seed, int level) {
  RandSeed = seed;
  BuildLevel(level);
}

int TopRow() {
  return kTrackRows - TrackLength;
}

// Column of a row's first lane, or 0 without a road; a start or finish line covers the lanes.
int FirstLane(int row) {
  for (int k = 1; k <= kTrackColumns; ++k) {
    if (TrackGrid[row][k] == kTileLane) return k;
    if (TrackGrid[row][k] == kTileLine) return k + 1;
  }
  return 0;
}

bool Matches(int expected, int cell) {
  if (expected == kAnyLeftSide) return cell >= 1 && cell <= 9;
  if (expected == kAnyRightSide) return cell >= 13 && cell <= 21;
  return expected == cell;
}

bool IsGround(int cell) {
  return cell == 0 || (cell >= 49 && cell <= 73 && cell != 62);
}

class TrackGeneratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetTrackState();
    ResetRiderState();
  }
};

TEST_F(TrackGeneratorTest, LevelTableSetsLengthTimeAndBonuses) {
  const std::array<int, 11> lengths = {0, 300, 500, 700, 900, 1100, 1300, 1300, 1300, 1300, 1300};
  const std::array<int, 11> seconds = {0, 45, 55, 80, 100, 110, 130, 130, 130, 140, 140};
  for (int level = 1; level <= kLevelCount; ++level) {
    RacePlace = 4;
    RacerCount = 6;
    BuildWithSeed(77, level);
    EXPECT_EQ(Level, level);
    EXPECT_EQ(TrackLength, lengths[level]) << "level " << level;
    EXPECT_EQ(TimeLeftMs, seconds[level] * 1000) << "level " << level;
    EXPECT_EQ(BonusCount, 10 * level);
    EXPECT_EQ(RacePlace, 0);
    EXPECT_EQ(RacerCount, 0);
    EXPECT_EQ(ViewCol, 318);
    EXPECT_EQ(ViewRow, 1478);
  }
}

TEST_F(TrackGeneratorTest, LevelsOutsideTheTableBuildTheNearestLevel) {
  BuildWithSeed(5, 0);
  EXPECT_EQ(Level, 1);
  EXPECT_EQ(TrackLength, 300);
  BuildWithSeed(5, 11);
  EXPECT_EQ(Level, 10);
  EXPECT_EQ(TimeLeftMs, 140000);
}

TEST_F(TrackGeneratorTest, StartStraightHoldsTheRoadAndTheStartLine) {
  for (uint32_t seed : {1u, 2u, 99u, 4000000000u}) {
    BuildWithSeed(seed, 1);
    for (int r = 1460; r <= 1499; ++r) {
      const Corridor expected = r == 1479
                                    ? Corridor{kAnyLeftSide, 0, 24, 24, 24, 24, 0, kAnyRightSide}
                                    : Corridor{kAnyLeftSide, 0, 10, 11, 11, 12, 0, kAnyRightSide};
      for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(Matches(expected[i], TrackGrid[r][319 + i]))
            << "row " << r << " col " << 319 + i;
      }
      EXPECT_EQ(TrackRowKind[r], SectionStraight);
      EXPECT_EQ(TrackCenterX[r], 23256) << "row " << r;
    }
  }
}

TEST_F(TrackGeneratorTest, FirstEightRowsAboveTheStartAreStraight) {
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    BuildWithSeed(seed * 7919, 1);
    for (int r = 1452; r <= 1459; ++r) {
      EXPECT_EQ(TrackRowKind[r], SectionStraight) << "seed " << seed << " row " << r;
      EXPECT_EQ(TrackGrid[r][321], kTileLeftEdge);
      EXPECT_EQ(TrackGrid[r][324], kTileRightEdge);
    }
  }
}

TEST_F(TrackGeneratorTest, FinishLineCrossesTheStraightRoadFiftyRowsBelowTheTop) {
  for (int level : {1, 2, 5, 6, 10}) {
    for (uint32_t seed : {3u, 1234u, 987654321u}) {
      BuildWithSeed(seed, level);
      const int f = 1550 - TrackLength;
      EXPECT_EQ(f, level == 1 ? 1250 : level >= 6 ? 250 : f);
      std::vector<int> line;
      for (int k = 1; k <= kTrackColumns; ++k) {
        if (TrackGrid[f][k] == kTileLine) line.push_back(k);
      }
      ASSERT_EQ(line.size(), 4u) << "level " << level << " seed " << seed;
      EXPECT_EQ(line[3] - line[0], 3);
      // The line sits over the road of the row below it.
      EXPECT_EQ(TrackGrid[f + 1][line[0]], kTileLeftEdge);
      EXPECT_EQ(TrackGrid[f + 1][line[3]], kTileRightEdge);
      EXPECT_EQ(TrackCenterX[f], kTilePx * (line[0] + 2));
      // The run-out leaves the last 90 rows straight, line row included.
      for (int r = TopRow(); r < TopRow() + 90; ++r) {
        EXPECT_EQ(TrackRowKind[r], SectionStraight) << "row " << r;
      }
    }
  }
}

// Every track row holds one eight-cell corridor shaped by its section kind, placed where the
// drift rules move it; everything else in the row is ground or ground objects.
TEST_F(TrackGeneratorTest, EveryRowHasTheCorridorOfItsSection) {
  const Corridor straight = {kAnyLeftSide, 0, 10, 11, 11, 12, 0, kAnyRightSide};
  const Corridor bend = {kAnyLeftSide, 22, 10, 11, 11, 12, 23, kAnyRightSide};
  const Corridor leftHalf = {31, 32, 33, 11, 11, 34, 35, 36};
  const Corridor leftShifted = {25, 26, 27, 11, 11, 28, 29, 30};
  const Corridor rightHalf = {43, 44, 45, 11, 11, 46, 47, 48};
  const Corridor rightShifted = {37, 38, 39, 11, 11, 40, 41, 42};
  int driftRows = 0;
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    BuildWithSeed(seed * 2654435761u, 10);
    int lane = FirstLane(1499);
    int driftRow = 0;  // rows laid so far in the current drift section
    for (int r = 1498; r >= TopRow(); --r) {
      const int kind = TrackRowKind[r];
      const bool drifting = kind == SectionDriftLeft || kind == SectionDriftRight;
      driftRow = drifting && TrackRowKind[r + 1] == kind ? driftRow + 1 : (drifting ? 1 : 0);
      // A drift section lasts six rows, so the row below a new one is never the same drift mid-way.
      const bool shifted = drifting && driftRow % 2 == 0;
      if (shifted) lane += kind == SectionDriftLeft ? -1 : 1;
      const Corridor* expected = &straight;
      if (kind == SectionBendEntry || kind == SectionBendExit) expected = &bend;
      if (kind == SectionDriftLeft) expected = shifted ? &leftShifted : &leftHalf;
      if (kind == SectionDriftRight) expected = shifted ? &rightShifted : &rightHalf;
      driftRows += drifting;
      const int first = lane - 3;
      ASSERT_EQ(FirstLane(r), lane) << "seed " << seed << " row " << r;
      for (int i = 0; i < 8; ++i) {
        int cell = TrackGrid[r][first + i];
        const bool lineRow = r == 1479 || r == 1550 - TrackLength;
        if (lineRow && cell == kTileLine) cell = straight[i];
        ASSERT_TRUE(Matches((*expected)[i], cell)) << "seed " << seed << " row " << r << " kind "
                                                   << kind << " cell " << i << " = " << cell;
      }
      for (int k = 1; k <= kTrackColumns; ++k) {
        if (k >= first && k < first + 8) continue;
        ASSERT_TRUE(IsGround(TrackGrid[r][k])) << "row " << r << " col " << k;
      }
    }
  }
  EXPECT_GT(driftRows, 0);
}

TEST_F(TrackGeneratorTest, DriftSectionsMoveTheRoadThreeColumnsPerSixRows) {
  int runs = 0;
  for (uint32_t seed = 1; seed <= 10; ++seed) {
    BuildWithSeed(seed, 10);
    for (int bottom = 1499; bottom >= TopRow(); --bottom) {
      const int kind = TrackRowKind[bottom];
      if (kind != SectionDriftLeft && kind != SectionDriftRight) continue;
      // One run of drift rows: back-to-back sections of the same drift.
      int top = bottom;
      while (top - 1 >= TopRow() && TrackRowKind[top - 1] == kind) --top;
      const int rows = bottom - top + 1;
      const int direction = kind == SectionDriftLeft ? -1 : 1;
      ASSERT_EQ(rows % 6, 0) << "seed " << seed << " row " << bottom;
      EXPECT_EQ(FirstLane(top) - FirstLane(bottom + 1), direction * rows / 2);
      // Drift rows move the centre line 20, 32 or 40 pixels a row in the drift's direction.
      for (int r = bottom; r >= top; --r) {
        const int step = (TrackCenterX[r] - TrackCenterX[r + 1]) * direction;
        EXPECT_TRUE(step == 20 || step == 32 || step == 40) << "row " << r << " step " << step;
      }
      if (rows >= 12) {
        EXPECT_EQ(std::abs(FirstLane(bottom - 11) - FirstLane(bottom + 1)), 6);
      }
      ++runs;
      bottom = top;
    }
  }
  EXPECT_GT(runs, 10);
}

TEST_F(TrackGeneratorTest, CentreLineSitsBetweenTheLanesOfStraightRows) {
  BuildWithSeed(424242, 8);
  for (int r = TopRow(); r <= 1499; ++r) {
    const int kind = TrackRowKind[r];
    if (kind == SectionDriftLeft || kind == SectionDriftRight) continue;
    EXPECT_EQ(TrackCenterX[r], kTilePx * (FirstLane(r) + 1)) << "row " << r;
  }
}

// Finds the ground object anchored at each corner piece and checks its whole block.
TEST_F(TrackGeneratorTest, GroundObjectsAreWholeAndNeverOverlap) {
  struct Block {
    int anchor;  // the piece that appears once per block
    int dr, dc;  // its place in the block
    std::vector<std::vector<int>> pieces;
  };
  const std::vector<Block> blocks = {
      {58, 3, 3, {{0, 55, 55, 55}, {56, 60, 61, 59}, {56, 63, 64, 59}, {56, 57, 57, 58}}},
      {73, 2, 2, {{65, 66, 67}, {68, 69, 70}, {71, 72, 73}}},
      {54, 1, 1, {{52, 0}, {53, 54}}},
  };
  // The lowest row each kind of object reached, by its last piece: every kind may end on the
  // track's last row, 1499.
  std::map<int, int> lowest;
  for (uint32_t seed : {11u, 12u, 13u}) {
    BuildWithSeed(seed, 6);
    std::vector<std::vector<int>> owner(kTrackRows + 1, std::vector<int>(kTrackColumns + 1, 0));
    int objects = 0;
    auto claim = [&](int top, int left, const std::vector<std::vector<int>>& pieces) {
      const int n = static_cast<int>(pieces.size());
      ASSERT_GE(top, TopRow() + 1);
      ASSERT_LE(top + n - 1, 1499) << "object reaches below the track";
      lowest[pieces.back().back()] = std::max(lowest[pieces.back().back()], top + n - 1);
      ++objects;
      for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
          ASSERT_EQ(TrackGrid[top + i][left + j], pieces[i][j])
              << "object at " << top << "," << left;
          ASSERT_EQ(owner[top + i][left + j], 0)
              << "objects overlap at " << top + i << "," << left + j;
          owner[top + i][left + j] = objects;
        }
      }
    };
    for (int r = 1; r <= kTrackRows; ++r) {
      for (int k = 1; k <= kTrackColumns; ++k) {
        for (const Block& b : blocks) {
          if (TrackGrid[r][k] == b.anchor) claim(r - b.dr, k - b.dc, b.pieces);
        }
      }
    }
    // Inner 2 x 2 objects: any 60 not inside a framed object stands alone.
    for (int r = 1; r <= kTrackRows; ++r) {
      for (int k = 1; k <= kTrackColumns; ++k) {
        if (TrackGrid[r][k] == 60 && owner[r][k] == 0) {
          claim(r, k, {{60, 61}, {63, 64}});
        }
      }
    }
    // Every object piece belongs to exactly one whole object.
    for (int r = 1; r <= kTrackRows; ++r) {
      for (int k = 1; k <= kTrackColumns; ++k) {
        const int cell = TrackGrid[r][k];
        if (cell >= 52 && cell <= 73) {
          ASSERT_NE(owner[r][k], 0) << "stray piece " << cell;
        }
      }
    }
    EXPECT_GT(objects, 100);
  }
  for (int last : {58, 73, 54, 64}) EXPECT_EQ(lowest[last], 1499) << "object ending in " << last;
}

TEST_F(TrackGeneratorTest, EveryCellIsAPlacedKindAndGroundIsHalfScattered) {
  BuildWithSeed(31337, 3);
  std::array<int, 74> counts{};
  for (int r = 0; r <= kTrackRows; ++r) {
    for (int k = 0; k <= kTrackColumns; ++k) {
      const int cell = TrackGrid[r][k];
      ASSERT_TRUE(cell >= 0 && cell <= 73) << r << "," << k << " = " << cell;
      ASSERT_NE(cell, 62);
      if (r == 0 || k == 0) {
        ASSERT_EQ(cell, 0);
      }
    }
  }
  // Above the track only scattered ground lies, about half of it varied.
  for (int r = 1; r < TopRow(); ++r) {
    for (int k = 1; k <= kTrackColumns; ++k) ++counts[TrackGrid[r][k]];
  }
  const int cells = (TopRow() - 1) * kTrackColumns;
  EXPECT_EQ(counts[0] + counts[49] + counts[50] + counts[51], cells);
  const double varied = double(counts[49] + counts[50] + counts[51]) / cells;
  EXPECT_NEAR(varied, 0.5, 0.02);
  for (int v : {49, 50, 51}) EXPECT_NEAR(double(counts[v]) / cells, 1.0 / 6, 0.02);
}

TEST_F(TrackGeneratorTest, ShorterBuildLeavesRowDataAboveItUntouched) {
  BuildWithSeed(8, 10);
  const auto longKinds = TrackRowKind;
  const auto longCentres = TrackCenterX;
  BuildWithSeed(9, 1);
  for (int r = 1; r < 1200; ++r) {
    ASSERT_EQ(TrackRowKind[r], longKinds[r]) << "row " << r;
    ASSERT_EQ(TrackCenterX[r], longCentres[r]) << "row " << r;
  }
  // The grid itself is rewritten: no road survives above the short track.
  for (int r = 1; r < 1200; ++r) ASSERT_EQ(FirstLane(r), 0) << "row " << r;
  for (int r = 1200; r <= 1499; ++r) ASSERT_NE(TrackRowKind[r], 0);
}

TEST_F(TrackGeneratorTest, RowDataAboveTheFirstTrackStaysZero) {
  BuildWithSeed(8, 2);
  for (int r = 1; r < 1000; ++r) {
    ASSERT_EQ(TrackRowKind[r], 0);
    ASSERT_EQ(TrackCenterX[r], 0);
  }
}

uint64_t TrackHash() {
  uint64_t h = 1469598103934665603ull;
  auto mix = [&](int64_t v) { h = (h ^ static_cast<uint64_t>(v)) * 1099511628211ull; };
  for (int r = 1; r <= kTrackRows; ++r) {
    for (int k = 1; k <= kTrackColumns; ++k) mix(TrackGrid[r][k]);
    mix(TrackRowKind[r]);
    mix(TrackCenterX[r]);
  }
  mix(RandSeed);
  return h;
}

TEST_F(TrackGeneratorTest, SameSeedGivesTheSameTrack) {
  BuildWithSeed(2024, 7);
  const uint64_t first = TrackHash();
  const uint32_t seedAfter = RandSeed;
  ResetTrackState();
  BuildWithSeed(2024, 7);
  EXPECT_EQ(TrackHash(), first);
  EXPECT_EQ(RandSeed, seedAfter);
  ResetTrackState();
  BuildWithSeed(2025, 7);
  EXPECT_NE(TrackHash(), first);
}

// Recorded once from this generator; it changes only if the order of the random draws does.
TEST_F(TrackGeneratorTest, GoldenTrackOfOneSeed) {
  BuildWithSeed(123456789, 4);
  EXPECT_EQ(TrackHash(), 8163444861990540215ull);
}

TEST_F(TrackGeneratorTest, RoadsideTilesDrawPlainThreeTimesInFour) {
  RandSeed = 555;
  std::array<int, 22> counts{};
  for (int i = 0; i < 40000; ++i) {
    ++counts[RoadsideLeft()];
    ++counts[RoadsideRight()];
  }
  EXPECT_NEAR(counts[1] / 40000.0, 0.75, 0.01);
  EXPECT_NEAR(counts[13] / 40000.0, 0.75, 0.01);
  for (int v = 2; v <= 9; ++v) EXPECT_NEAR(counts[v] / 40000.0, 0.25 / 8, 0.005);
  for (int v = 14; v <= 21; ++v) EXPECT_NEAR(counts[v] / 40000.0, 0.25 / 8, 0.005);
  EXPECT_EQ(counts[0] + counts[10] + counts[11] + counts[12], 0);
}

}  // namespace
