#include "VehicleArt.h"

#include <cassert>
#include <string>

#include "Canvas.h"

namespace {

struct Size {
  int W;
  int H;
};

constexpr Size kRideSize[5] = {{63, 68}, {60, 67}, {68, 69}, {60, 62}, {56, 68}};
constexpr Size kCrashSize[5] = {{64, 152}, {72, 158}, {88, 204}, {86, 154}, {68, 184}};
constexpr int kCrashFrames[5] = {5, 7, 5, 5, 5};
constexpr int kLeanFrames = 7;
constexpr int kBonusFrames = 5;
constexpr Size kBonusSize = {36, 35};

// A flat strip of patterns laid side by side, to stand in until the real drawing is done.
PictureItemSpec FlatStrip(const std::string& name, Size size, int patterns, uint8_t r, uint8_t g,
                          uint8_t b, bool keyed) {
  RgbImage image;
  image.Width = size.W * patterns;
  image.Height = size.H;
  image.Rgb.resize(static_cast<size_t>(image.Width) * image.Height * 3);
  for (size_t i = 0; i < image.Rgb.size(); i += 3) {
    image.Rgb[i] = r;
    image.Rgb[i + 1] = g;
    image.Rgb[i + 2] = b;
  }
  PictureItemSpec item;
  item.Name = name;
  item.PatternWidth = patterns > 1 ? size.W : 0;
  item.PatternHeight = patterns > 1 ? size.H : 0;
  item.Transparent = keyed;
  item.TransparentColor = keyed ? kKeyColor : 0;
  item.Dib = EncodeDib24(image);
  return item;
}

}  // namespace

PictureItemSpec BakeBikeUpright(int model) {
  assert(model >= 1 && model <= 5);
  return FlatStrip("Bike" + std::to_string(model), kRideSize[model - 1], 1, 200, 40, 40, true);
}

PictureItemSpec BakeBikeLean(int model, bool right) {
  assert(model >= 1 && model <= 5);
  return FlatStrip("Bike" + std::to_string(model) + (right ? "Right" : "Left"),
                   kRideSize[model - 1], kLeanFrames, 200, 40, 40, true);
}

PictureItemSpec BakeBikeCrash(int model) {
  assert(model >= 1 && model <= 5);
  return FlatStrip("Bike" + std::to_string(model) + "Crash", kCrashSize[model - 1],
                   kCrashFrames[model - 1], 200, 40, 40, true);
}

PictureItemSpec BakeTyreMark() {
  return FlatStrip("TyreMark", {10, 14}, 1, 30, 30, 30, true);
}

PictureItemSpec BakeBonus(int kind) {
  assert(kind >= 0 && kind <= 4);
  return FlatStrip("Bonus" + std::to_string(kind), kBonusSize, kBonusFrames, 240, 200, 40, true);
}

PictureItemSpec BakeBonusIcon(int kind) {
  assert(kind >= 0 && kind <= 4);
  return FlatStrip("BonusIcon" + std::to_string(kind), kBonusSize, 1, 240, 200, 40, true);
}

PictureItemSpec BakeBikePortrait(int model) {
  assert(model >= 1 && model <= 5);
  return FlatStrip("Portrait" + std::to_string(model), {240, 200}, 1, 30, 34, 48, false);
}
