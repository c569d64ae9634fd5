#include "BakedData.h"

#include <algorithm>
#include <cstdlib>

const TDXImageList& BakedList(int n) {
  static std::array<std::unique_ptr<TDXImageList>, 3> lists;
  std::unique_ptr<TDXImageList>& list = lists.at(static_cast<size_t>(n - 1));
  if (!list) {
    list = std::make_unique<TDXImageList>();
    list->LoadFromFile(BakedResPath("Res" + std::to_string(n) + ".dxg").string());
  }
  return *list;
}

const TDXWaveList& BakedSounds() {
  static std::unique_ptr<TDXWaveList> sounds;
  if (!sounds) {
    sounds = std::make_unique<TDXWaveList>();
    sounds->LoadFromFile(BakedResPath("Sounds.dxw").string());
  }
  return *sounds;
}

std::array<int, 3> Rgb8(const Surface& s, int x, int y) {
  const uint16_t v = s.At(x, y);
  const int r = (v >> 11) & 31;
  const int g = (v >> 5) & 63;
  const int b = v & 31;
  return {(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)};
}

int ColourDistance(const std::array<int, 3>& a, const std::array<int, 3>& b) {
  return std::max({std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2])});
}
