// A cairo drawing surface for one picture, turned into a DIB for the collections.
#pragma once

#include <cairo.h>

#include <cstdint>

#include "resources/CollectionWriter.h"

// The colour key of transparent pictures: magenta, which no visible pixel uses.
constexpr uint32_t kKeyColor = 255 + 65536 * 255;  // red + 256 * green + 65536 * blue

class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* Cr() { return Cr_; }
  int Width() const { return Width_; }
  int Height() const { return Height_; }

  // Lays the picture over a one-pixel ring of `outline` around everything it draws, cell by
  // cell of the given size: half-covered edge pixels then blend into the dark ring instead of
  // falling to the colour key, so a sprite turned without smoothing keeps a clean rim.
  void DarkenEdges(int cellWidth, int cellHeight, double r, double g, double b);

  // The picture as 24-bit RGB. Keyed: pixels under half alpha become the key colour, the others
  // are made opaque, and a visible pixel never comes out as the key colour. Not keyed: the
  // picture composited over black.
  RgbImage ToRgb(bool keyed) const;

 private:
  int Width_;
  int Height_;
  cairo_surface_t* Surface_;
  cairo_t* Cr_;
};
