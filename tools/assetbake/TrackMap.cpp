#include "TrackMap.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "Canvas.h"
#include "Panels.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kMapTileW = 10;
constexpr int kMapTileH = 15;
constexpr double kStrokeWidth = 6.0;

// Keyed, but with edges smoothed against the map window's own colour instead of cut hard, as
// these pictures are only ever drawn over that window.
PictureItemSpec MatteItem(const std::string& name, Canvas& canvas) {
  cairo_surface_t* surface = cairo_get_target(canvas.Cr());
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  RgbImage image;
  image.Width = canvas.Width();
  image.Height = canvas.Height();
  image.Rgb.resize(static_cast<size_t>(image.Width) * image.Height * 3);
  for (int y = 0; y < image.Height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < image.Width; ++x) {
      const uint32_t p = row[x];
      const int a = static_cast<int>(p >> 24);
      uint8_t* out = &image.Rgb[(static_cast<size_t>(y) * image.Width + x) * 3];
      if (a < 40) {
        out[0] = kKeyColor & 0xFF;
        out[1] = (kKeyColor >> 8) & 0xFF;
        out[2] = (kKeyColor >> 16) & 0xFF;
        continue;
      }
      // Premultiplied colour over the window colour.
      const int src[3] = {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                          static_cast<int>(p & 0xFF)};
      for (int c = 0; c < 3; ++c) {
        out[c] = static_cast<uint8_t>(src[c] + kMapWindowRgb[c] * (255 - a) / 255);
      }
    }
  }
  PictureItemSpec item;
  item.Name = name;
  item.Transparent = true;
  item.TransparentColor = kKeyColor;
  item.Dib = EncodeDib24(image);
  return item;
}

void StrokeRoad(cairo_t* cr) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_width(cr, kStrokeWidth + 1.6);
  cairo_set_source_rgb(cr, 0.30, 0.34, 0.40);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, kStrokeWidth - 0.6);
  cairo_set_source_rgb(cr, 0.80, 0.84, 0.88);
  cairo_stroke(cr);
}

// One half of a diagonal road piece: the stroke runs through a pair of tiles from `top` at
// the top edge to `bottom` at the bottom edge, measured from the pair's left edge.
PictureItemSpec DiagonalHalf(const std::string& name, double top, double bottom, bool rightHalf) {
  Canvas canvas(kMapTileW, kMapTileH);
  cairo_t* cr = canvas.Cr();
  const double shift = rightHalf ? -kMapTileW : 0.0;
  const double slope = (bottom - top) / kMapTileH;
  // Extend the line beyond the tile so the stroke's ends never show.
  cairo_move_to(cr, top - slope * 10 + shift, -10);
  cairo_line_to(cr, bottom + slope * 10 + shift, kMapTileH + 10);
  StrokeRoad(cr);
  return MatteItem(name, canvas);
}

PictureItemSpec Straight(const std::string& name, bool line) {
  Canvas canvas(kMapTileW, kMapTileH);
  cairo_t* cr = canvas.Cr();
  cairo_move_to(cr, 4.0, -2);
  cairo_line_to(cr, 4.0, kMapTileH + 2);
  StrokeRoad(cr);
  if (line) {
    // A chequered crossbar.
    for (int i = 0; i < 4; ++i) {
      for (int j = 0; j < 2; ++j) {
        const bool white = (i + j) % 2 == 0;
        cairo_set_source_rgb(cr, white ? 1.0 : 0.05, white ? 1.0 : 0.05, white ? 1.0 : 0.05);
        cairo_rectangle(cr, 0.0 + 2 * i, 6.0 + 2 * j, 2, 2);
        cairo_fill(cr);
      }
    }
  }
  return MatteItem(name, canvas);
}

// An arrowhead pointing up the track, centred on x 9; the top edge is the rider's front.
PictureItemSpec Marker(const std::string& name, double r, double g, double b) {
  Canvas canvas(18, 14);
  cairo_t* cr = canvas.Cr();
  cairo_move_to(cr, 9, 1);
  cairo_line_to(cr, 16, 13);
  cairo_line_to(cr, 9, 10);
  cairo_line_to(cr, 2, 13);
  cairo_close_path(cr);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, 1, 0, 13);
  cairo_pattern_add_color_stop_rgb(fill, 0.0, std::min(1.0, r + 0.35), std::min(1.0, g + 0.35),
                                   std::min(1.0, b + 0.35));
  cairo_pattern_add_color_stop_rgb(fill, 1.0, r * 0.75, g * 0.75, b * 0.75);
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(fill);
  cairo_set_source_rgb(cr, r * 0.3, g * 0.3, b * 0.3);
  cairo_set_line_width(cr, 1.0);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
  return MatteItem(name, canvas);
}

PictureItemSpec CutOpaque(const std::string& name, const RgbImage& source, int top, int height) {
  RgbImage image;
  image.Width = source.Width;
  image.Height = height;
  const size_t rowBytes = static_cast<size_t>(source.Width) * 3;
  image.Rgb.assign(source.Rgb.begin() + static_cast<std::ptrdiff_t>(top * rowBytes),
                   source.Rgb.begin() + static_cast<std::ptrdiff_t>((top + height) * rowBytes));
  PictureItemSpec item;
  item.Name = name;
  item.Transparent = false;
  item.Dib = EncodeDib24(image);
  return item;
}

}  // namespace

std::vector<PictureItemSpec> BakeTrackMapItems(const RgbImage& rightPanel) {
  // Centre lines across a pair of tiles, top edge -> bottom edge, from the pair's left edge.
  std::vector<PictureItemSpec> items;
  items.push_back(DiagonalHalf("MapRightHalfStepL", 9.0, 3.6, false));
  items.push_back(DiagonalHalf("MapRightHalfStepR", 9.0, 3.6, true));
  items.push_back(DiagonalHalf("MapRightShiftedL", 14.0, 8.6, false));
  items.push_back(DiagonalHalf("MapRightShiftedR", 14.0, 8.6, true));
  items.push_back(Straight("MapStraight", false));
  items.push_back(Straight("MapLine", true));
  items.push_back(DiagonalHalf("MapLeftHalfStepR", 8.0, 13.4, true));
  items.push_back(DiagonalHalf("MapLeftHalfStepL", 8.0, 13.4, false));
  items.push_back(DiagonalHalf("MapLeftShiftedR", 3.0, 8.4, true));
  items.push_back(DiagonalHalf("MapLeftShiftedL", 3.0, 8.4, false));
  items.push_back(Marker("OpponentMarker", 0.92, 0.18, 0.14));
  items.push_back(Marker("PlayerMarker", 1.0, 0.86, 0.10));
  items.push_back(CutOpaque("MapTopMask", rightPanel, 0, kMapTopMaskHeight));
  items.push_back(CutOpaque("MapBottomMask", rightPanel, kMapBottomMaskTop, kMapBottomMaskHeight));
  return items;
}
