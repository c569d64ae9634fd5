#include "race/TrackGenerator.h"

#include <algorithm>
#include <cstdint>

#include "app/Random.h"
#include "race/RiderState.h"
#include "race/TScrollBackground.h"
#include "race/TrackState.h"

const std::array<int, kLevelCount + 1> LevelTimeLimits = {0,   45,  55,  80,  100, 110,
                                                          130, 130, 130, 140, 140};

namespace {

// Marks a cell no step has written yet; it never survives the build.
constexpr int8_t kEmpty = -1;

constexpr int kStartRows = 40;
constexpr int kStartLineRow = 1479;
constexpr int kStartFirstColumn = 319;  // left roadside of the start straight
constexpr int kStartViewCol = 318;
constexpr int kStartViewRow = 1478;
// Rows laid per section, by section kind 1..5.
constexpr std::array<int, 6> kSectionRows = {0, 8, 10, 6, 6, 4};
// A bonus count above the ceiling becomes the bonus keeper's full slot table.
constexpr int kBonusCeiling = 200;
constexpr int kBonusOverflow = 400;

using Block4 = std::array<std::array<int8_t, 4>, 4>;
using Block3 = std::array<std::array<int8_t, 3>, 3>;
using Block2 = std::array<std::array<int8_t, 2>, 2>;
constexpr Block4 kFramedObject = {
    {{0, 55, 55, 55}, {56, 60, 61, 59}, {56, 63, 64, 59}, {56, 57, 57, 58}}};
constexpr Block3 kBigObject = {{{65, 66, 67}, {68, 69, 70}, {71, 72, 73}}};
constexpr Block2 kInnerObject = {{{60, 61}, {63, 64}}};
constexpr Block2 kSmallObject = {{{52, 0}, {53, 54}}};

bool Between(int v, int lo, int hi) {
  return v >= lo && v <= hi;
}

// The section after one of kind `kind`; near the top of the track every choice heads for a
// straight road so that the finish row is straight.
int NextSection(int kind, bool runOut) {
  switch (kind) {
    case SectionStraight:
      return runOut || Random(2) == 0 ? SectionStraight : SectionBendEntry;
    case SectionBendEntry:
      if (runOut) return SectionStraight;
      return Random(2) == 0 ? SectionDriftLeft : SectionDriftRight;
    case SectionDriftLeft:
      return runOut || Random(2) != 0 ? SectionBendExit : SectionDriftLeft;
    case SectionDriftRight:
      return runOut || Random(2) != 0 ? SectionBendExit : SectionDriftRight;
    default:
      return SectionStraight;
  }
}

// Builds one row from the row below it with the rules of a section kind. Reads outside the grid
// see an empty cell; writes outside it are dropped.
void LayRow(int kind, const TTrackRow& below, TTrackRow& row) {
  auto read = [&](int k) -> int { return k >= 1 && k <= kTrackColumns ? below[k] : kEmpty; };
  auto write = [&](int k, int v) {
    if (k >= 1 && k <= kTrackColumns) row[k] = static_cast<int8_t>(v);
  };
  for (int k = 1; k <= kTrackColumns; ++k) {
    const int b = below[k];
    if (b == kEmpty) continue;  // no rule writes anything above an empty cell
    switch (kind) {
      case SectionStraight:
        if (b == 0 || b == 22 || b == 23) {
          write(k, 0);
        } else if (Between(b, 10, 12)) {
          write(k, b);
        } else if (Between(b, 1, 9)) {
          write(k, RoadsideLeft());
        } else if (Between(b, 13, 21)) {
          write(k, RoadsideRight());
        }
        break;
      case SectionBendEntry:
        if (Between(b, 10, 12) || b == 22 || b == 23) {
          write(k, b);
        } else if (b == 0) {
          const int bl = read(k - 1);
          if (bl == 12) {
            write(k, 23);
          } else if (Between(bl, 1, 9)) {
            write(k, 22);
          }
        } else if (Between(b, 1, 9)) {
          write(k, RoadsideLeft());
        } else if (Between(b, 13, 21)) {
          write(k, RoadsideRight());
        }
        break;
      case SectionDriftLeft:
        if (Between(b, 1, 9) || b == 25) {
          write(k, 31);
        } else if (b == 22 || b == 26) {
          write(k, 32);
        } else if (b == 10 || b == 27) {
          write(k, 33);
        } else if (b == 11) {
          write(k, 11);
        } else if (b == 12 || b == 28) {
          write(k, 34);
        } else if (b == 23 || b == 29) {
          write(k, 35);
        } else if (Between(b, 13, 21) || b == 30) {
          write(k, 36);
        } else if (b == 33) {
          write(k - 1, 27);
          write(k, 11);
          write(k + 1, 11);
        } else if (Between(b, 31, 36)) {
          write(k - 1, b - 6);  // half-step piece -> the same role one column left
        }
        break;
      case SectionDriftRight:
        if (Between(b, 1, 9) || b == 37) {
          write(k, 43);
        } else if (b == 22 || b == 38) {
          write(k, 44);
        } else if (b == 10 || b == 39) {
          write(k, 45);
        } else if (b == 11) {
          const int bl = read(k - 1);
          const int br = read(k + 1);
          if (bl == 10 || bl == 39 || br == 12 || br == 40) write(k, 11);
        } else if (b == 12 || b == 40) {
          write(k, 46);
        } else if (b == 23 || b == 41) {
          write(k, 47);
        } else if (Between(b, 13, 21) || b == 42) {
          write(k, 48);
        } else if (b == 46) {
          write(k - 1, 11);
          write(k, 11);
          write(k + 1, 40);
        } else if (Between(b, 43, 48)) {
          write(k + 1, b - 6);  // half-step piece -> the same role one column right
        }
        break;
      case SectionBendExit:
        if (b == 10 || b == 27 || b == 39) {
          write(k, 10);
        } else if (b == 11) {
          write(k, 11);
        } else if (b == 12 || b == 28 || b == 40) {
          write(k, 12);
        } else if (b == 22 || b == 26 || b == 38) {
          write(k, 22);
        } else if (b == 23 || b == 29 || b == 41) {
          write(k, 23);
        } else if (Between(b, 1, 9) || b == 25 || b == 37) {
          write(k, RoadsideLeft());
        } else if (Between(b, 13, 21) || b == 30 || b == 42) {
          write(k, RoadsideRight());
        }
        break;
      default:
        break;
    }
  }
}

template <size_t N>
bool BlockEmpty(int row, int column) {
  for (size_t i = 0; i < N; ++i) {
    for (size_t j = 0; j < N; ++j) {
      if (TrackGrid[row + i][column + j] != kEmpty) return false;
    }
  }
  return true;
}

template <size_t N>
void FillBlock(int row, int column, const std::array<std::array<int8_t, N>, N>& pieces) {
  for (size_t i = 0; i < N; ++i) {
    for (size_t j = 0; j < N; ++j) TrackGrid[row + i][column + j] = pieces[i][j];
  }
}

void LayStartStraight() {
  for (int n = 1; n <= kStartRows; ++n) {
    const int r = kTrackRows - n;
    TTrackRow& row = TrackGrid[r];
    const int c = kStartFirstColumn;
    row[c] = static_cast<int8_t>(RoadsideLeft());
    row[c + 1] = 0;
    row[c + 2] = kTileLeftEdge;
    row[c + 3] = kTileLane;
    row[c + 4] = kTileLane;
    row[c + 5] = kTileRightEdge;
    row[c + 6] = 0;
    row[c + 7] = static_cast<int8_t>(RoadsideRight());
    if (r == kStartLineRow) {
      for (int k = c + 2; k <= c + 5; ++k) row[k] = kTileLine;
    }
    TrackRowKind[r] = SectionStraight;
  }
}

void LaySections() {
  const int length = TrackLength;
  int sectionKind = SectionStraight;
  int sectionRowsLeft = kSectionRows[SectionStraight];
  for (int s = kTrackRows - kStartRows; s >= kTrackRows + 1 - length; --s) {
    if (sectionRowsLeft == 0) {
      // The last 99 rows of the track steer every section back to a straight road.
      const bool runOut = s < kTrackRows + 100 - length;
      sectionKind = NextSection(sectionKind, runOut);
      sectionRowsLeft = kSectionRows[sectionKind];
    }
    LayRow(sectionKind, TrackGrid[s], TrackGrid[s - 1]);
    TrackRowKind[s - 1] = static_cast<uint8_t>(sectionKind);
    --sectionRowsLeft;
  }
}

// The finish line crosses the road 50 rows below the top of the track.
void LayFinishLine() {
  const int f = kTrackRows + 50 - TrackLength;
  TTrackRow& row = TrackGrid[f];
  for (int k = 1; k <= kTrackColumns; ++k) {
    if (row[k] != kTileLane) continue;
    // A road squeezed against the grid's edge must not put the line outside it.
    for (int c = std::max(k - 1, 1); c <= std::min(k + 2, kTrackColumns); ++c) row[c] = kTileLine;
    return;
  }
}

// Multi-tile decorations on free ground; the blocks only fill cells that are still empty, so
// they never cover the road corridor or each other.
void PlaceGroundObjects() {
  for (int r = kTrackRows - 1; r >= kTrackRows + 1 - TrackLength; --r) {
    for (int k = 3; k <= kTrackColumns - 5; ++k) {
      if (TrackGrid[r - 1][k - 1] != kEmpty) continue;
      switch (Random(12)) {
        case 0:
          if (r <= kTrackRows - 4 && BlockEmpty<4>(r, k)) FillBlock(r, k, kFramedObject);
          break;
        case 1:
          if (r <= kTrackRows - 3 && BlockEmpty<3>(r, k)) FillBlock(r, k, kBigObject);
          break;
        case 2:
          if (r <= kTrackRows - 2 && BlockEmpty<2>(r, k)) FillBlock(r, k, kInnerObject);
          break;
        case 3:
          if (r <= kTrackRows - 2 && BlockEmpty<2>(r, k)) FillBlock(r, k, kSmallObject);
          break;
        default:
          break;
      }
    }
  }
}

// Scatters ground variants over the cells still empty, fills the rest with plain ground and
// finds the row's centre line from the cell left of each lane (the offsets follow the diagonal
// pieces' asphalt). A row's centre line depends on that row alone, so each row is finished
// right after its scatter; the random draws keep their row-by-row order.
void ScatterAndFinishRow(int r) {
  TTrackRow& row = TrackGrid[r];
  // The same draws as "if (Random(2) == 0) variant = 49 + Random(3)" on every empty cell, without
  // the coin's branch: half of them would be mispredicted, and this loop runs a million times.
  // Both possible next seeds come straight from the current one (two steps of the generator
  // are one step with the squared multiplier), so the chain of draws waits on one product per
  // cell instead of two.
  constexpr uint32_t kTwoStepMultiplier = kRandomMultiplier * kRandomMultiplier;
  constexpr uint32_t kTwoStepIncrement = kRandomMultiplier + 1;
  uint32_t seed = RandSeed;
  for (int k = 1; k <= kTrackColumns; ++k) {
    if (row[k] != kEmpty) continue;
    const uint32_t coin = seed * kRandomMultiplier + 1;
    const uint32_t next = seed * kTwoStepMultiplier + kTwoStepIncrement;
    const bool varied = (coin >> 31) == 0;  // Random(2) is the seed's top bit
    const auto variant = static_cast<int8_t>(49 + ((static_cast<uint64_t>(next) * 3) >> 32));
    row[k] = varied ? variant : kEmpty;
    seed = varied ? next : coin;
  }
  RandSeed = seed;
  for (int k = 1; k <= kTrackColumns; ++k) {
    if (row[k] == kEmpty) row[k] = 0;
    if (row[k] == kTileLane) {
      const int left = k > 1 ? row[k - 1] : kTileGround;
      if (left == kTileLeftEdge) {
        TrackCenterX[r] = kTilePx * k + 72;
      } else if (left == 27 || left == 45) {
        TrackCenterX[r] = kTilePx * k + 92;
      } else if (left == 33 || left == 39) {
        TrackCenterX[r] = kTilePx * k + 52;
      }
    } else if (row[k] == kTileLine) {
      TrackCenterX[r] = kTilePx * k - 72;
    }
  }
}

}  // namespace

int RoadsideLeft() {
  return Random(4) != 0 ? 1 : 2 + static_cast<int>(Random(8));
}

int RoadsideRight() {
  return Random(4) != 0 ? 13 : 14 + static_cast<int>(Random(8));
}

void BuildLevel(int level) {
  level = std::clamp(level, 1, kLevelCount);
  Level = level;
  RacePlace = 0;
  RacerCount = 0;
  TrackLength = level > 5 ? 1300 : 200 * level + 100;
  TimeLeftMs = LevelTimeLimits[level] * 1000;
  BonusCount = 10 * level;
  if (BonusCount > kBonusCeiling) BonusCount = kBonusOverflow;
  GenerateTrack();
}

void GenerateTrack() {
  ViewCol = kStartViewCol;
  ViewRow = kStartViewRow;
  for (TTrackRow& row : TrackGrid) row.fill(kEmpty);
  LayStartStraight();
  LaySections();
  LayFinishLine();
  PlaceGroundObjects();
  for (int r = 1; r <= kTrackRows; ++r) ScatterAndFinishRow(r);
  // Index 0 is outside the 1-based grid; keep it plain ground for readers that index directly.
  TrackGrid[0].fill(0);
  for (TTrackRow& row : TrackGrid) row[0] = 0;
  if (Road != nullptr) Road->RefreshRoadWindow();
}
