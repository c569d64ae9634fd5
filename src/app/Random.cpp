#include "app/Random.h"

uint32_t RandSeed = 0;

uint32_t Random(uint32_t n) {
  constexpr uint32_t kMultiplier = 134775813;
  RandSeed = RandSeed * kMultiplier + 1;  // wraps modulo 2^32
  return static_cast<uint32_t>((static_cast<uint64_t>(RandSeed) * n) >> 32);
}
