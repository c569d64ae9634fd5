#include "Canvas.h"

#include <algorithm>
#include <cassert>
#include <vector>

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

void Canvas::DarkenEdges(int cellWidth, int cellHeight, double r, double g, double b) {
  assert(cellWidth > 0 && cellHeight > 0);
  cairo_surface_flush(Surface_);
  unsigned char* data = cairo_image_surface_get_data(Surface_);
  const int stride = cairo_image_surface_get_stride(Surface_);
  auto pixel = [&](int x, int y) -> uint32_t& {
    return reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride)[x];
  };
  std::vector<uint8_t> alpha(static_cast<size_t>(Width_) * Height_);
  for (int y = 0; y < Height_; ++y) {
    for (int x = 0; x < Width_; ++x) alpha[static_cast<size_t>(y) * Width_ + x] = pixel(x, y) >> 24;
  }
  const int outline[3] = {static_cast<int>(r * 255), static_cast<int>(g * 255),
                          static_cast<int>(b * 255)};
  for (int y = 0; y < Height_; ++y) {
    const int cellTop = y / cellHeight * cellHeight;
    for (int x = 0; x < Width_; ++x) {
      const int cellLeft = x / cellWidth * cellWidth;
      // A cell's outermost pixels stay as drawn, so nothing new reaches its border.
      if (x == cellLeft || x == cellLeft + cellWidth - 1 || y == cellTop ||
          y == cellTop + cellHeight - 1) {
        continue;
      }
      int ring = 0;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const int nx = x + dx;
          const int ny = y + dy;
          if (nx < cellLeft || nx >= cellLeft + cellWidth || nx >= Width_ || ny < cellTop ||
              ny >= cellTop + cellHeight || ny >= Height_) {
            continue;
          }
          // Only what stays visible after keying spawns the ring, so faint shadows stay faint.
          const int na = alpha[static_cast<size_t>(ny) * Width_ + nx];
          if (na >= 128) ring = std::max(ring, na);
        }
      }
      // The picture over the ring, both premultiplied.
      const uint32_t p = pixel(x, y);
      const int a = static_cast<int>(p >> 24);
      const int under = ring * (255 - a) / 255;
      uint32_t out = static_cast<uint32_t>(std::min(255, a + under)) << 24;
      for (int c = 0; c < 3; ++c) {
        const int shift = 16 - 8 * c;
        const int v = static_cast<int>((p >> shift) & 0xFF) + outline[c] * under / 255;
        out |= static_cast<uint32_t>(std::min(255, v)) << shift;
      }
      pixel(x, y) = out;
    }
  }
  // Where the ring could not go (beside a cell's border), the visible edge pixel itself is
  // darkened.
  std::vector<uint8_t> shown(alpha.size());
  for (int y = 0; y < Height_; ++y) {
    for (int x = 0; x < Width_; ++x) {
      shown[static_cast<size_t>(y) * Width_ + x] = (pixel(x, y) >> 24) >= 128;
    }
  }
  auto isShown = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < Width_ && y < Height_ &&
           shown[static_cast<size_t>(y) * Width_ + x];
  };
  for (int y = 0; y < Height_; ++y) {
    for (int x = 0; x < Width_; ++x) {
      if (!isShown(x, y) || (isShown(x - 1, y) && isShown(x + 1, y) && isShown(x, y - 1) &&
                             isShown(x, y + 1))) {
        continue;
      }
      const uint32_t p = pixel(x, y);
      const int a = static_cast<int>(p >> 24);
      uint32_t out = p & 0xFF000000u;
      for (int c = 0; c < 3; ++c) {
        const int shift = 16 - 8 * c;
        const int v = static_cast<int>((p >> shift) & 0xFF);
        out |= static_cast<uint32_t>((v * 2 + outline[c] * a / 255 * 3) / 5) << shift;
      }
      pixel(x, y) = out;
    }
  }
  cairo_surface_mark_dirty(Surface_);
}
