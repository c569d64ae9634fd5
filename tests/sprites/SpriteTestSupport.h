// Pictures, probe sprites and a hand-driven clock shared by the sprite tests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Devices.h"
#include "platform/Surface.h"
#include "resources/ImageCollection.h"
#include "sprites/TSprite.h"

namespace sprite_test {

constexpr uint32_t kMagenta = 0xFF00FF;  // the key colour the game's art uses
constexpr uint16_t kKey565 = ColorRefTo565(kMagenta);
constexpr uint16_t kBackdrop = 0x1234;

// A distinct, never-key colour for each pixel of a small picture.
inline uint16_t PixelAt(int x, int y) {
  return static_cast<uint16_t>(1 + x + 100 * y);
}

// A picture of width by height painted with PixelAt, cut into patterns of the given size
// (0 = the whole picture), keyed on magenta when transparent.
inline TPictureCollectionItem MakeItem(int width, int height, int patternWidth = 0,
                                       int patternHeight = 0, bool transparent = false) {
  TPictureCollectionItem item;
  item.PatternWidth = patternWidth;
  item.PatternHeight = patternHeight;
  item.Transparent = transparent;
  item.TransparentColor = kMagenta;
  item.Picture.Resize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) item.Picture.At(x, y) = PixelAt(x, y);
  return item;
}

// Patterns of one flat colour each, pattern p painted with colourOf(p).
inline TPictureCollectionItem MakeFlatPatterns(int patternWidth, int patternHeight, int count,
                                               const std::function<uint16_t(int)>& colourOf) {
  TPictureCollectionItem item =
      MakeItem(patternWidth * count, patternHeight, patternWidth, patternHeight);
  for (int p = 0; p < count; ++p)
    for (int y = 0; y < patternHeight; ++y)
      for (int x = 0; x < patternWidth; ++x) item.Picture.At(p * patternWidth + x, y) = colourOf(p);
  return item;
}

inline Surface Backdrop(int width, int height) {
  Surface s(width, height);
  s.Fill(kBackdrop);
  return s;
}

// Pixels of a surface that differ from the backdrop colour.
inline int ChangedPixels(const Surface& s) {
  int changed = 0;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) changed += s.At(x, y) != kBackdrop;
  return changed;
}

// A sprite that writes what happens to it into a shared log.
class Probe : public TSprite {
 public:
  Probe(TSprite* parent, std::string name, std::vector<std::string>* log, int size = 10)
      : TSprite(parent), Name(std::move(name)), Log(log) {
    Width = Height = size;
  }

  std::string Name;
  std::vector<std::string>* Log;
  std::function<void(Probe&)> WhenMoved;

 protected:
  ~Probe() override { Log->push_back("~" + Name); }
  void OnDraw() override { Log->push_back("draw " + Name); }
  void OnMove(int lagCount) override {
    Log->push_back("move " + Name + " " + std::to_string(lagCount));
    if (WhenMoved) WhenMoved(*this);
  }
};

class FakeClock : public Clock {
 public:
  uint32_t NowMs() override { return Now; }
  uint32_t Now = 5000;
};

}  // namespace sprite_test
