// Made-up pictures for the drawing benchmarks: shapes like the game's sprites and tiles.
#pragma once

#include <cstdint>

#include "resources/ImageCollection.h"

namespace bench {

constexpr uint32_t kMagenta = 0xFF00FF;  // the key colour the game's art uses

// count patterns of width by height, each an ellipse on key-coloured ground when keyed (a roughly
// round sprite) or a whole opaque rectangle (a tile, a panel); seed varies the colours.
inline TPictureCollectionItem EllipsePicture(int width, int height, int count, bool keyed,
                                             int seed) {
  TPictureCollectionItem item;
  item.PatternWidth = width;
  item.PatternHeight = height;
  item.Transparent = keyed;
  item.TransparentColor = kMagenta;
  item.Picture.Resize(width * count, height);
  const uint16_t key = item.ColorKey();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width * count; ++x) {
      const int dx = 2 * (x % width) - width + 1;
      const int dy = 2 * y - height + 1;
      const bool inside =
          dx * dx * height * height + dy * dy * width * width <= width * width * height * height;
      const auto colour = static_cast<uint16_t>((x * 31 + y * 17 + seed) | 0x0821);
      item.Picture.At(x, y) = keyed && !inside ? key : colour;
    }
  }
  return item;
}

}  // namespace bench
