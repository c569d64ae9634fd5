// The level table and the random track generator. A track depends only on the generator's seed
// and the level, so replays and tests can rebuild any track exactly.
#pragma once

#include <array>

constexpr int kLevelCount = 10;

// Seconds of race time by level, index 1..10 (index 0 unused).
extern const std::array<int, kLevelCount + 1> LevelTimeLimits;

// A left roadside tile: plain (1) three times in four, else one of eight variants (2..9).
int RoadsideLeft();
// A right roadside tile: plain (13) three times in four, else one of eight variants (14..21).
int RoadsideRight();

// Sets the level numbers and the race time for a level (1..10; others build the nearest level)
// and generates its track.
void BuildLevel(int level);

// Lays a whole new track of TrackLength rows into TrackGrid and shows its start on the road.
void GenerateTrack();
