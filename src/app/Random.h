// The game's one pseudo-random generator. Tracks, opponents and bonuses all draw from it in
// program order, so a seed replays a whole game.
#pragma once

#include <cstdint>

extern uint32_t RandSeed;

// 0 .. n - 1: the high 32 bits of seed * n after one step of the generator.
uint32_t Random(uint32_t n);
