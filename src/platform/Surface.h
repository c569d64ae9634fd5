// An RGB565 picture in memory: the back buffer and every decoded image live in one of these.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

// Packs 8-bit channels into the display's 5-6-5 format (low bits dropped, as a 16-bit display
// does).
constexpr uint16_t Rgb565(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

// The other way: 0xFFRRGGBB, each channel widened to 8 bits by repeating its top bits, so white
// stays white. The window, the screenshots and the contact sheets all show this.
constexpr uint32_t Xrgb8888From565(uint16_t c) {
  const uint32_t r = c >> 11, g = (c >> 5) & 63, b = c & 31;
  return 0xFF000000u | (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
}

// The game's colour values are red + 256 * green + 65536 * blue.
constexpr uint16_t ColorRefTo565(uint32_t color) {
  return Rgb565(static_cast<uint8_t>(color & 0xFF), static_cast<uint8_t>((color >> 8) & 0xFF),
                static_cast<uint8_t>((color >> 16) & 0xFF));
}

struct SurfaceRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;  // right and bottom exclusive
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
};

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height) { Resize(width, height); }

  void Resize(int width, int height) {
    Width_ = width > 0 ? width : 0;
    Height_ = height > 0 ? height : 0;
    Pixels_.assign(static_cast<size_t>(Width_) * static_cast<size_t>(Height_), 0);
  }
  void Fill(uint16_t color) {
    // Black, the colour of every frame's clear, is one memset.
    if ((color >> 8) == (color & 0xFF)) {
      if (!Pixels_.empty())
        std::memset(Pixels_.data(), color & 0xFF, Pixels_.size() * sizeof(uint16_t));
    } else {
      std::fill(Pixels_.begin(), Pixels_.end(), color);
    }
  }

  int Width() const { return Width_; }
  int Height() const { return Height_; }
  // Pixels between the starts of two rows; rows are packed.
  int Pitch() const { return Width_; }
  bool Empty() const { return Pixels_.empty(); }

  uint16_t* Row(int y) { return Pixels_.data() + static_cast<size_t>(y) * Width_; }
  const uint16_t* Row(int y) const { return Pixels_.data() + static_cast<size_t>(y) * Width_; }
  uint16_t& At(int x, int y) { return Row(y)[x]; }
  uint16_t At(int x, int y) const { return Row(y)[x]; }
  uint16_t* Data() { return Pixels_.data(); }
  const uint16_t* Data() const { return Pixels_.data(); }

 private:
  int Width_ = 0;
  int Height_ = 0;
  std::vector<uint16_t> Pixels_;
};
