// Access to the collections the build baked into Data/ beside the binaries.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include "resources/ImageCollection.h"
#include "resources/WaveCollection.h"

inline std::filesystem::path BakedDataRoot() {
  return std::filesystem::path(GR_BINARY_DIR);
}

inline std::filesystem::path BakedResPath(const std::string& file) {
  return BakedDataRoot() / "Data" / "Res" / file;
}

// Image list n (1..3) as the game loads it; loaded once per test program.
const TDXImageList& BakedList(int n);
const TDXWaveList& BakedSounds();

// A pixel of a 16-bit picture as 8-bit red, green, blue.
std::array<int, 3> Rgb8(const Surface& s, int x, int y);
// The largest channel difference of two pixels.
int ColourDistance(const std::array<int, 3>& a, const std::array<int, 3>& b);
