#include <cmath>
#include <numbers>

#include "Art.h"

namespace {

constexpr int kSoundRate = 22050;

std::string Tone(double hz, double seconds) {
  std::vector<int16_t> s(static_cast<size_t>(seconds * kSoundRate));
  for (size_t i = 0; i < s.size(); ++i) {
    s[i] = static_cast<int16_t>(8000 * std::sin(2 * std::numbers::pi * hz * i / kSoundRate));
  }
  return EncodeWavePcm16(s, 1, kSoundRate);
}

}  // namespace

std::vector<WaveItemSpec> BakeSounds() {
  std::vector<WaveItemSpec> items;
  for (int i = 0; i < 22; ++i) {
    const bool looped = (i >= 4 && i <= 13);
    items.push_back({"Sound" + std::to_string(i), looped, 1, Tone(i == 16 ? 0 : 220, 0.2)});
  }
  return items;
}
