#include "race/TrackState.h"

std::array<TTrackRow, kTrackRows + 1> TrackGrid{};
std::array<uint8_t, kTrackRows + 1> TrackRowKind{};
std::array<int32_t, kTrackRows + 1> TrackCenterX{};
int TrackLength = 0;
int Level = 0;
int BonusCount = 0;
int ViewCol = 0;
int ViewRow = 0;
double ScrollVX = 0.0;
double ScrollVY = 0.0;

void ResetTrackState() {
  for (TTrackRow& row : TrackGrid) row.fill(0);
  TrackRowKind.fill(0);
  TrackCenterX.fill(0);
  TrackLength = 0;
  Level = 0;
  BonusCount = 0;
  ViewCol = 0;
  ViewRow = 0;
  ScrollVX = 0.0;
  ScrollVY = 0.0;
}
