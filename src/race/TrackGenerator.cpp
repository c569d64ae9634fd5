#include "race/TrackGenerator.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

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

// The four ground objects as 4 x 4 windows: -1 marks a cell outside the object.
struct GroundObject {
  int Rows;
  std::array<std::array<int8_t, 4>, 4> Pieces;
};
constexpr std::array<GroundObject, 4> kGroundObjects = {{
    {4, {{{0, 55, 55, 55}, {56, 60, 61, 59}, {56, 63, 64, 59}, {56, 57, 57, 58}}}},
    {3, {{{65, 66, 67, -1}, {68, 69, 70, -1}, {71, 72, 73, -1}, {-1, -1, -1, -1}}}},
    {2, {{{60, 61, -1, -1}, {63, 64, -1, -1}, {-1, -1, -1, -1}, {-1, -1, -1, -1}}}},
    {2, {{{52, 0, -1, -1}, {53, 54, -1, -1}, {-1, -1, -1, -1}, {-1, -1, -1, -1}}}},
}};

// Columns of an object's top row; every object is a rectangle of that width from its top-left
// cell, which is what lets the placement of one row skip rereading its own blocks.
constexpr int ObjectColumns(const GroundObject& object) {
  int columns = 0;
  while (columns < 4 && object.Pieces[0][static_cast<size_t>(columns)] >= 0) ++columns;
  return columns;
}
constexpr bool IsRectangle(const GroundObject& object) {
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      const bool inside = i < object.Rows && j < ObjectColumns(object);
      if (inside != (object.Pieces[static_cast<size_t>(i)][static_cast<size_t>(j)] >= 0)) {
        return false;
      }
    }
  }
  return true;
}
static_assert(std::all_of(kGroundObjects.begin(), kGroundObjects.end(), IsRectangle));
// An object's row is written as two two-cell halves.
static_assert(std::all_of(kGroundObjects.begin(), kGroundObjects.end(),
                          [](const GroundObject& object) { return ObjectColumns(object) >= 2; }));

bool Between(int v, int lo, int hi) {
  return v >= lo && v <= hi;
}

// The columns First..Last of a row hold every cell the road steps wrote into it: the rest of
// the row is still empty, so the later steps need not look there for road (none: First > Last).
struct RowSpan {
  int First = kTrackColumns + 1;
  int Last = 0;
  void Add(int k) {
    First = std::min(First, k);
    Last = std::max(Last, k);
  }
};
using RowSpans = std::array<RowSpan, kTrackRows + 1>;

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

// Builds one row from the row below it with the rules of a section kind, and returns the span
// of the cells it wrote. Reads outside the grid see an empty cell; writes outside it are dropped.
RowSpan LayRow(int kind, const TTrackRow& below, const RowSpan& belowSpan, TTrackRow& row) {
  RowSpan span;
  auto read = [&](int k) -> int { return k >= 1 && k <= kTrackColumns ? below[k] : kEmpty; };
  auto write = [&](int k, int v) {
    if (k < 1 || k > kTrackColumns) return;
    row[k] = static_cast<int8_t>(v);
    span.Add(k);
  };
  // No rule writes anything above an empty cell, so only the span below is walked.
  for (int k = belowSpan.First; k <= belowSpan.Last; ++k) {
    const int b = below[k];
    if (b == kEmpty) continue;
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
  return span;
}

void LayStartStraight(RowSpans& spans) {
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
    spans[r] = {c, c + 7};
  }
}

void LaySections(RowSpans& spans) {
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
    spans[s - 1] = LayRow(sectionKind, TrackGrid[s], spans[s], TrackGrid[s - 1]);
    TrackRowKind[s - 1] = static_cast<uint8_t>(sectionKind);
    --sectionRowsLeft;
  }
}

// The finish line crosses the road 50 rows below the top of the track.
void LayFinishLine(RowSpans& spans) {
  const int f = kTrackRows + 50 - TrackLength;
  TTrackRow& row = TrackGrid[f];
  RowSpan& span = spans[f];
  for (int k = span.First; k <= span.Last; ++k) {
    if (row[k] != kTileLane) continue;
    // A road squeezed against the grid's edge must not put the line outside it.
    for (int c = std::max(k - 1, 1); c <= std::min(k + 2, kTrackColumns); ++c) {
      row[c] = kTileLine;
      span.Add(c);
    }
    return;
  }
}

// A number of steps of the generator taken as one: seed * Multiplier + Increment.
struct GeneratorSteps {
  uint32_t Multiplier = 1;
  uint32_t Increment = 0;
  constexpr uint32_t From(uint32_t seed) const { return seed * Multiplier + Increment; }
};
constexpr GeneratorSteps Steps(int count) {
  GeneratorSteps steps;
  for (int i = 0; i < count; ++i) {
    steps = {steps.Multiplier * kRandomMultiplier, steps.Increment * kRandomMultiplier + 1};
  }
  return steps;
}

// Ground objects are drawn for columns 3..645 of a row; the draw looks at the cell above-left.
constexpr int kFirstObjectColumn = 3;
constexpr int kLastObjectColumn = kTrackColumns - 5;

// The draws of one row that ask for a ground object, in column order: Random(12) below 4 names
// the object. Recorded without a branch, as the draws are random.
struct ObjectDraws {
  struct Candidate {
    int16_t Column;
    int8_t Draw;
  };
  std::array<Candidate, kTrackColumns> Candidates{};
  size_t Count = 0;

  void Record(int k, uint32_t seed, bool draws) {
    const auto d = static_cast<int8_t>((static_cast<uint64_t>(seed) * 12) >> 32);
    Candidates[Count] = {static_cast<int16_t>(k), d};
    Count += draws && d < 4;
  }

  // One draw for each column from..to; returns the seed after them. The draws do not wait on
  // one another: four chains of the generator, four steps apart, take them in turn.
  uint32_t DrawEach(uint32_t seed, int from, int to) {
    constexpr GeneratorSteps kOne = Steps(1), kTwo = Steps(2), kThree = Steps(3), kFour = Steps(4);
    int k = from;
    if (to - from >= 3) {
      uint32_t s0 = kOne.From(seed), s1 = kTwo.From(seed), s2 = kThree.From(seed),
               s3 = kFour.From(seed);
      for (; k + 3 <= to; k += 4) {
        Record(k, s0, true);
        Record(k + 1, s1, true);
        Record(k + 2, s2, true);
        Record(k + 3, s3, true);
        seed = s3;
        s0 = kFour.From(s0);
        s1 = kFour.From(s1);
        s2 = kFour.From(s2);
        s3 = kFour.From(s3);
      }
    }
    for (; k <= to; ++k) {
      seed = kOne.From(seed);
      Record(k, seed, true);
    }
    return seed;
  }

  // The same for columns from..to where the road may lie above: only an empty cell above-left
  // draws, and a draw is taken without a branch on it.
  uint32_t DrawWhereEmpty(uint32_t seed, int from, int to, const TTrackRow& above) {
    for (int k = from; k <= to; ++k) {
      const bool draws = above[k - 1] == kEmpty;
      const uint32_t next = seed * kRandomMultiplier + 1;
      seed = draws ? next : seed;
      Record(k, next, draws);
    }
    return seed;
  }
};

// Multi-tile decorations on free ground; the blocks only fill cells that are still empty, so
// they never cover the road corridor or each other. Whether a cell draws depends on the row
// above, which no block reaches (blocks grow downwards from the row being walked), so a row's
// draws are taken first, and only the cells whose draw asks for a block are visited again, in
// the same order. The draws, the block tests and the fills are random and would defeat branch
// prediction, so they are written without branches on their values.
//
// Which cells are taken is kept apart from the grid, one byte per column with a bit for each
// of the four rows a block may reach, so a block is tested with one four-byte load. The row
// being walked holds nothing but road yet, and the rows below move up one bit per row.
// The blocks of one row are tested before any of them is written: a test that reads what the
// previous block has just stored, through a wider window, waits for that store to reach memory
// on some processors. A block placed earlier in the same row can only be in the way through its
// own columns, and every block is a rectangle from its top-left cell, so it is enough to know
// where the last one placed in this row ends.
void PlaceGroundObjects(const RowSpans& spans) {
  ObjectDraws draws;
  // Each object as placed: the taken bits it needs free in four columns' bytes, and its pieces
  // row by row as the two-cell halves of its width (they overlap in a three-cell row). A row
  // past the object's own is written to a sink, so that the writes need no branch.
  struct ObjectShape {
    int Columns;
    uint32_t Needs;
    std::array<size_t, 4> Slot;
    std::array<uint16_t, 4> Left, Right;
  };
  std::array<ObjectShape, 4> shapes{};
  for (size_t o = 0; o < 4; ++o) {
    const GroundObject& object = kGroundObjects[o];
    ObjectShape& shape = shapes[o];
    shape.Columns = ObjectColumns(object);
    std::array<uint8_t, 4> needs{};
    for (size_t j = 0; j < static_cast<size_t>(shape.Columns); ++j) {
      needs[j] = static_cast<uint8_t>((1u << object.Rows) - 1);
    }
    std::memcpy(&shape.Needs, needs.data(), 4);
    for (size_t i = 0; i < 4; ++i) {
      shape.Slot[i] = i < static_cast<size_t>(object.Rows) ? i : 4;
      const auto right = static_cast<size_t>(shape.Columns - 2);
      std::memcpy(&shape.Left[i], &object.Pieces[i][0], 2);
      std::memcpy(&shape.Right[i], &object.Pieces[i][right], 2);
    }
  }
  // Bit i of column k's byte: the cell at row r + i, column k is not empty. Rows past the grid's
  // last row, and that row too, count as taken: no object may reach them. Whole eight-byte
  // words, as it is shifted eight columns at a time.
  std::array<uint8_t, (kTrackColumns + 1 + 7) / 8 * 8> taken;
  taken.fill(0x0F);
  struct Placement {
    int Column;
    int Object;
    uint32_t Taken;  // the object's four columns' bytes before this row's blocks
  };
  std::array<Placement, kTrackColumns> placements{};
  TTrackRow sink;
  for (int r = kTrackRows - 1; r >= kTrackRows + 1 - TrackLength; --r) {
    for (size_t at = 0; at < taken.size(); at += 8) {
      uint64_t eight;
      std::memcpy(&eight, &taken[at], 8);
      eight = (eight << 1) & 0x0E0E0E0E0E0E0E0E;
      std::memcpy(&taken[at], &eight, 8);
    }
    for (int k = spans[r].First; k <= spans[r].Last; ++k) {
      taken[static_cast<size_t>(k)] |= TrackGrid[r][k] != kEmpty;
    }
    // Columns whose cell above lies outside the road's span there draw for sure.
    const RowSpan& aboveSpan = spans[r - 1];
    const int roadFrom = std::min(aboveSpan.First + 1, kLastObjectColumn + 1);
    const int roadTo = std::min(aboveSpan.Last + 1, kLastObjectColumn);
    draws.Count = 0;
    int column = kFirstObjectColumn;
    RandSeed = draws.DrawEach(RandSeed, column, roadFrom - 1);
    column = std::max(column, roadFrom);
    RandSeed = draws.DrawWhereEmpty(RandSeed, column, roadTo, TrackGrid[r - 1]);
    column = std::max(column, roadTo + 1);
    RandSeed = draws.DrawEach(RandSeed, column, kLastObjectColumn);
    size_t placed = 0;
    int freeFrom = 0;  // first column right of the last block placed in this row
    for (size_t n = 0; n < draws.Count; ++n) {
      const int k = draws.Candidates[n].Column;
      const int o = draws.Candidates[n].Draw;
      const ObjectShape& shape = shapes[static_cast<size_t>(o)];
      const int end = k + shape.Columns;
      Placement& p = placements[placed];
      p.Column = k;
      p.Object = o;
      std::memcpy(&p.Taken, &taken[static_cast<size_t>(k)], 4);
      // A block whose cells are not free starts, as far as the row's blocks go, at column -1,
      // left of any free column: then only a compare and a move wait on the candidate before.
      const int from = k | (((p.Taken & shape.Needs) == 0) - 1);
      const bool fits = from >= freeFrom;
      placed += fits;
      freeFrom = fits ? end : freeFrom;
    }
    // A block's taken bytes are written four at a time, the ones beside it as they were before
    // this row; in column order, a later block writes its own over them. Pieces are written
    // exactly.
    const std::array<int8_t*, 5> rows = {
        TrackGrid[r].data(), TrackGrid[std::min(r + 1, kTrackRows)].data(),
        TrackGrid[std::min(r + 2, kTrackRows)].data(),
        TrackGrid[std::min(r + 3, kTrackRows)].data(), sink.data()};
    for (size_t n = 0; n < placed; ++n) {
      const Placement& p = placements[n];
      const ObjectShape& shape = shapes[static_cast<size_t>(p.Object)];
      const auto k = static_cast<size_t>(p.Column);
      const uint32_t covered = p.Taken | shape.Needs;
      std::memcpy(&taken[k], &covered, 4);
      // All of it is read before the first piece is written: to the compiler and to the
      // processor, a piece's store might change what is read after it, which costs a wait.
      const std::array<int8_t*, 4> cells = {rows[shape.Slot[0]] + k, rows[shape.Slot[1]] + k,
                                            rows[shape.Slot[2]] + k, rows[shape.Slot[3]] + k};
      const auto right = static_cast<size_t>(shape.Columns - 2);
      const std::array<uint16_t, 4> lefts = shape.Left, rights = shape.Right;
      auto put = [&](size_t i) {
        std::memcpy(cells[i], &lefts[i], 2);
        std::memcpy(cells[i] + right, &rights[i], 2);
      };
      put(0);
      put(1);
      put(2);
      put(3);
    }
  }
}

// The cells of a row still empty, one bit each, 64 cells from `first` (cell `first` in bit 0);
// bits past the end of the row are clear. kEmpty is the only negative cell, so eight cells at a
// time give their sign bits, gathered into one byte by a multiply whose partial products never
// meet.
uint64_t EmptyCells(const TTrackRow& row, size_t first) {
  constexpr uint64_t kSignBits = 0x8080808080808080;
  constexpr uint64_t kGather = 0x0002040810204081;
  // Cell k of eight is byte k from the bottom: one load where memory holds them that way.
  constexpr bool kOneLoad = std::endian::native == std::endian::little;
  uint64_t empty = 0;
  for (size_t at = first; at < first + 64; at += 8) {
    uint64_t eight = 0;
    if (kOneLoad && at + 8 <= row.size()) {
      std::memcpy(&eight, row.data() + at, 8);
    } else {
      for (size_t j = 0; j < 8 && at + j < row.size(); ++j) {
        eight |= static_cast<uint64_t>(static_cast<uint8_t>(row[at + j])) << (8 * j);
      }
    }
    empty |= (((eight & kSignBits) * kGather) >> 56) << (at - first);
  }
  return empty;
}

// Scatters ground variants over the cells still empty, fills the rest with plain ground and
// finds the row's centre line from the cell left of each lane (the offsets follow the diagonal
// pieces' asphalt). A row's centre line depends on that row alone, so each row is finished
// right after its scatter; the random draws keep their row-by-row order.
void ScatterAndFinishRow(int r, const RowSpan& span) {
  TTrackRow& row = TrackGrid[r];
  // The same draws as "if (Random(2) == 0) variant = 49 + Random(3)" on every empty cell, and an
  // empty cell left without a variant becomes plain ground. Only the empty cells are visited,
  // from a bit mask of them: about half of a track row is road or ground objects, at random, so
  // the chain of draws should neither wait on a cell that does not draw nor branch on one. The
  // coin is random too, so it picks the next seed without a branch. Both possible next seeds
  // come straight from the current one (two steps of the generator are one step with the squared
  // multiplier), so the chain of draws waits on one product per cell instead of two.
  constexpr uint32_t kTwoStepMultiplier = kRandomMultiplier * kRandomMultiplier;
  constexpr uint32_t kTwoStepIncrement = kRandomMultiplier + 1;
  uint32_t seed = RandSeed;
  for (size_t first = 0; first < row.size(); first += 64) {
    uint64_t empty = EmptyCells(row, first);
    if (first == 0) empty &= ~uint64_t{1};  // column 0 is not track
    for (; empty != 0; empty &= empty - 1) {
      const uint32_t coin = seed * kRandomMultiplier + 1;
      const uint32_t next = seed * kTwoStepMultiplier + kTwoStepIncrement;
      const auto variant = static_cast<uint32_t>(49 + ((static_cast<uint64_t>(next) * 3) >> 32));
      const auto heads = static_cast<uint32_t>(static_cast<int32_t>(coin) >> 31);  // Random(2) != 0
      seed = heads != 0 ? coin : next;
      row[first + static_cast<uint32_t>(std::countr_zero(empty))] =
          static_cast<int8_t>(variant & ~heads);  // 0, plain ground, without a variant
    }
  }
  RandSeed = seed;
  // Lanes and lines are only ever laid by the road steps.
  for (int k = span.First; k <= span.Last; ++k) {
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
  RowSpans spans;
  LayStartStraight(spans);
  LaySections(spans);
  LayFinishLine(spans);
  PlaceGroundObjects(spans);
  for (int r = 1; r <= kTrackRows; ++r) ScatterAndFinishRow(r, spans[r]);
  // Index 0 is outside the 1-based grid; keep it plain ground for readers that index directly.
  TrackGrid[0].fill(0);
  for (TTrackRow& row : TrackGrid) row[0] = 0;
  if (Road != nullptr) Road->RefreshRoadWindow();
}
