#include "Canvas.h"

#include <cassert>

Canvas::Canvas(int width, int height)
    : Width_(width),
      Height_(height),
      Surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      Cr_(cairo_create(Surface_)) {
  assert(width > 0 && height > 0);
  cairo_set_antialias(Cr_, CAIRO_ANTIALIAS_GOOD);
}

Canvas::~Canvas() {
  cairo_destroy(Cr_);
  cairo_surface_destroy(Surface_);
}

RgbImage Canvas::ToRgb(bool keyed) const {
  cairo_surface_flush(Surface_);
  const unsigned char* data = cairo_image_surface_get_data(Surface_);
  const int stride = cairo_image_surface_get_stride(Surface_);
  const uint8_t keyR = kKeyColor & 0xFF;
  const uint8_t keyG = (kKeyColor >> 8) & 0xFF;
  const uint8_t keyB = (kKeyColor >> 16) & 0xFF;

  RgbImage image;
  image.Width = Width_;
  image.Height = Height_;
  image.Rgb.resize(static_cast<size_t>(Width_) * Height_ * 3);
  for (int y = 0; y < Height_; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < Width_; ++x) {
      // Cairo keeps premultiplied native-endian ARGB.
      const uint32_t p = row[x];
      const int a = static_cast<int>(p >> 24);
      int r = static_cast<int>((p >> 16) & 0xFF);
      int g = static_cast<int>((p >> 8) & 0xFF);
      int b = static_cast<int>(p & 0xFF);
      if (keyed) {
        if (a < 128) {
          r = keyR;
          g = keyG;
          b = keyB;
        } else {
          // Un-premultiply so an edge pixel keeps its own colour rather than darkening.
          r = (r * 255 + a / 2) / a;
          g = (g * 255 + a / 2) / a;
          b = (b * 255 + a / 2) / a;
          if (r > 255) r = 255;
          if (g > 255) g = 255;
          if (b > 255) b = 255;
          // The game compares colours after reducing them to 16 bits, so stay clear of the
          // key there too.
          if (r >= 248 && g < 4 && b >= 248) g = 4;
        }
      }
      // Not keyed: premultiplied values are already the picture over black.
      uint8_t* out = &image.Rgb[(static_cast<size_t>(y) * Width_ + x) * 3];
      out[0] = static_cast<uint8_t>(r);
      out[1] = static_cast<uint8_t>(g);
      out[2] = static_cast<uint8_t>(b);
    }
  }
  return image;
}
