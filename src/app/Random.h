// The game's one pseudo-random generator. Tracks, opponents and bonuses all draw from it in
// program order, so a seed replays a whole game.
#pragma once

#include <cstdint>

extern uint32_t RandSeed;
constexpr uint32_t kRandomMultiplier = 134775813;

// 0 .. n - 1: the high 32 bits of seed * n after one step of the generator. Inline: a level's
// track takes millions of draws.
inline uint32_t Random(uint32_t n) {
  RandSeed = RandSeed * kRandomMultiplier + 1;  // wraps modulo 2^32
  return static_cast<uint32_t>((static_cast<uint64_t>(RandSeed) * n) >> 32);
}
