#include "Textures.h"

#include <algorithm>
#include <cassert>
#include <cmath>

uint64_t BakeRandom::Next() {
  uint64_t z = (State_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double BakeRandom::Uniform() {
  return static_cast<double>(Next() >> 11) * 0x1.0p-53;
}

std::vector<float> PeriodicNoise(uint64_t seed, int size, int cells) {
  assert(cells > 0 && size % cells == 0);
  BakeRandom random(seed);
  std::vector<double> lattice(static_cast<size_t>(cells) * cells);
  for (double& v : lattice) v = random.Range(-1.0, 1.0);
  const int step = size / cells;
  std::vector<float> out(static_cast<size_t>(size) * size);
  auto at = [&](int cx, int cy) {
    return lattice[static_cast<size_t>((cy % cells) * cells + (cx % cells))];
  };
  // Smoothstep between lattice points keeps the field free of creases.
  auto smooth = [](double t) { return t * t * (3.0 - 2.0 * t); };
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const int cx = x / step;
      const int cy = y / step;
      const double fx = smooth((x % step + 0.5) / step);
      const double fy = smooth((y % step + 0.5) / step);
      const double top = at(cx, cy) + (at(cx + 1, cy) - at(cx, cy)) * fx;
      const double bottom = at(cx, cy + 1) + (at(cx + 1, cy + 1) - at(cx, cy + 1)) * fx;
      out[static_cast<size_t>(y) * size + x] = static_cast<float>(top + (bottom - top) * fy);
    }
  }
  return out;
}

namespace {

struct Octave {
  int Cells;
  double Amount;
};

// Sums octaves of noise into a texture of one base colour; each octave shifts the brightness.
PatternPtr NoisePattern(uint64_t seed, const double base[3], const double tint[3],
                        const std::vector<Octave>& octaves, double speckle) {
  const int size = kTileSize;
  std::vector<double> field(static_cast<size_t>(size) * size, 0.0);
  std::vector<double> hue(static_cast<size_t>(size) * size, 0.0);
  uint64_t octaveSeed = seed;
  for (const Octave& o : octaves) {
    const std::vector<float> n = PeriodicNoise(octaveSeed++, size, o.Cells);
    for (size_t i = 0; i < field.size(); ++i) field[i] += n[i] * o.Amount;
  }
  // A separate slow field moves the colour a little towards the tint, for patchiness.
  const std::vector<float> h = PeriodicNoise(seed + 100, size, 3);
  for (size_t i = 0; i < hue.size(); ++i) hue[i] = 0.5 + 0.5 * h[i];
  // Single light and dark grains, the stones in the mix.
  BakeRandom grains(seed + 200);
  for (double& v : field) {
    const double u = grains.Uniform();
    if (u < speckle)
      v += 0.16;
    else if (u < 2 * speckle)
      v -= 0.12;
  }

  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, size, size);
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < size; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < size; ++x) {
      const size_t i = static_cast<size_t>(y) * size + x;
      uint32_t px = 0xFF000000u;
      for (int c = 0; c < 3; ++c) {
        double v = base[c] + (tint[c] - base[c]) * hue[i] * 0.5;
        v *= 1.0 + field[i];
        const int q = static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
        px |= static_cast<uint32_t>(q) << (16 - 8 * c);
      }
      row[x] = px;
    }
  }
  cairo_surface_mark_dirty(surface);
  PatternPtr pattern(cairo_pattern_create_for_surface(surface));
  cairo_surface_destroy(surface);
  cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_NEAREST);
  return pattern;
}

}  // namespace

PatternPtr GrassPattern() {
  const double base[3] = {0.36, 0.55, 0.23};
  const double tint[3] = {0.42, 0.55, 0.20};
  return NoisePattern(0x6A55, base, tint, {{2, 0.025}, {6, 0.045}, {24, 0.05}, {72, 0.035}}, 0.0);
}

PatternPtr AsphaltPattern() {
  // Only fine grain: any blotch larger than a few pixels would repeat with every tile and
  // show the grid down a long straight.
  const double base[3] = {0.31, 0.32, 0.34};
  const double tint[3] = {0.31, 0.32, 0.34};
  return NoisePattern(0xA5F4, base, tint, {{18, 0.03}, {36, 0.03}, {72, 0.05}}, 0.03);
}
