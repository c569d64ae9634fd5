// Deterministic noise and the two base textures of the race: grass and asphalt. Both repeat
// every 72 pixels in each direction, so any two tiles that show them join without a seam.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <vector>

constexpr int kTileSize = 72;

// The baker's own generator (splitmix64): art noise must never draw from the game's Random.
class BakeRandom {
 public:
  explicit BakeRandom(uint64_t seed) : State_(seed) {}
  uint64_t Next();
  double Uniform();  // 0 <= u < 1
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

 private:
  uint64_t State_;
};

// Smooth value noise over a square of `size` pixels that wraps at its edges; `cells` lattice
// cells per side (a divisor of size). Values lie in -1..1.
std::vector<float> PeriodicNoise(uint64_t seed, int size, int cells);

struct CairoSurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter>;

struct CairoPatternDeleter {
  void operator()(cairo_pattern_t* p) const { cairo_pattern_destroy(p); }
};
using PatternPtr = std::unique_ptr<cairo_pattern_t, CairoPatternDeleter>;

// The 72x72 grass and asphalt textures as repeating cairo patterns aligned to the tile grid.
PatternPtr GrassPattern();
PatternPtr AsphaltPattern();
