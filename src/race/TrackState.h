// The track of the current level: the tile grid and the per-row data that the road, the bike,
// the bonuses and the opponents read. Rows and columns are 1-based; index 0 is never track.
#pragma once

#include <array>
#include <cstdint>

constexpr int kTrackRows = 1500;
constexpr int kTrackColumns = 650;
// Width and height of one track tile in world pixels.
constexpr int kTilePx = 72;

// Section kinds: the TrackRowKind of every row tells how it was laid.
enum SectionKindValue : uint8_t {
  SectionStraight = 1,
  SectionBendEntry = 2,
  SectionDriftLeft = 3,
  SectionDriftRight = 4,
  SectionBendExit = 5,
};

// The tile kinds that readers outside the generator look for.
constexpr int kTileGround = 0;
constexpr int kTileLeftEdge = 10;
constexpr int kTileLane = 11;
constexpr int kTileRightEdge = 12;
constexpr int kTileLine = 24;  // start and finish line

using TTrackRow = std::array<int8_t, kTrackColumns + 1>;

// Tile kind of every cell, TrackGrid[row][column]; row 0 and column 0 stay 0.
extern std::array<TTrackRow, kTrackRows + 1> TrackGrid;
// Section kind each row was laid with (rows above the track keep an earlier, longer track's).
extern std::array<uint8_t, kTrackRows + 1> TrackRowKind;
// World x of the road's centre line in each row.
extern std::array<int32_t, kTrackRows + 1> TrackCenterX;
extern int TrackLength;
extern int Level;
extern int BonusCount;
// Grid column and row shown in the road window's top-left cell.
extern int ViewCol;
extern int ViewRow;
// World pixels per frame the road scrolls by (it moves by half of it).
extern double ScrollVX;
extern double ScrollVY;

// The tile kind at (row, column), or plain ground outside the grid.
inline int TrackCell(int row, int column) {
  if (row < 1 || row > kTrackRows || column < 1 || column > kTrackColumns) return kTileGround;
  return TrackGrid[row][column];
}

// Everything above back to its state before the first build (for tests and the runner).
void ResetTrackState();
