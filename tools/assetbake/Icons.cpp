#include "Icons.h"

#include <cairo.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "BikeDrawing.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

void RoundedSquare(cairo_t* cr, double size, double radius) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, size - radius, radius, radius, -kPi / 2, 0);
  cairo_arc(cr, size - radius, size - radius, radius, 0, kPi / 2);
  cairo_arc(cr, radius, size - radius, radius, kPi / 2, kPi);
  cairo_arc(cr, radius, radius, radius, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

// A stretch of the game's road seen from above, kerbs on both sides, and the first model
// leaning into a bend on it. Drawn in a 256-unit square scaled to the icon's size.
void DrawIcon(cairo_t* cr, int size) {
  cairo_scale(cr, size / 256.0, size / 256.0);
  RoundedSquare(cr, 256, 40);
  cairo_clip(cr);

  cairo_pattern_t* asphalt = cairo_pattern_create_linear(0, 0, 256, 256);
  cairo_pattern_add_color_stop_rgb(asphalt, 0, 0.36, 0.37, 0.40);
  cairo_pattern_add_color_stop_rgb(asphalt, 1, 0.18, 0.19, 0.21);
  cairo_set_source(cr, asphalt);
  cairo_paint(cr);
  cairo_pattern_destroy(asphalt);

  // Red and white kerbs along both edges.
  for (const double x : {0.0, 228.0}) {
    for (int i = 0; i < 8; ++i) {
      if (i % 2 == 0) {
        cairo_set_source_rgb(cr, 0.86, 0.12, 0.10);
      } else {
        cairo_set_source_rgb(cr, 0.95, 0.95, 0.95);
      }
      cairo_rectangle(cr, x, i * 32, 28, 32);
      cairo_fill(cr);
    }
  }
  // The dashed centre line.
  cairo_set_source_rgb(cr, 0.96, 0.80, 0.18);
  for (int i = 0; i < 4; ++i) {
    cairo_rectangle(cr, 122, 8 + i * 64, 12, 36);
    cairo_fill(cr);
  }

  const bikeart::BikeLook& look = bikeart::LookOf(1);
  const double scale = 200.0 / look.Height;
  cairo_save(cr);
  cairo_translate(cr, 128, 128);
  cairo_rotate(cr, 0.35);
  cairo_scale(cr, scale, scale);
  cairo_translate(cr, -look.Width / 2.0, -look.Height / 2.0);
  bikeart::RideOptions options;
  options.Lean = 0.3;
  // Thin outlines vanish at small sizes: keep them a picture pixel wide at least.
  options.LineWidth = std::max(1.0, 256.0 / size / scale);
  bikeart::DrawRidingBike(cr, look, options);
  cairo_restore(cr);
}

}  // namespace

const std::vector<int>& IconSizes() {
  static const std::vector<int> sizes = {16, 24, 32, 48, 64, 128, 256};
  return sizes;
}

void BakeIcons(const std::string& outDir) {
  for (const int size : IconSizes()) {
    const std::string edge = std::to_string(size);
    const std::filesystem::path folder =
        std::filesystem::path(outDir) / "icons" / "hicolor" / (edge + "x" + edge) / "apps";
    std::filesystem::create_directories(folder);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    DrawIcon(cr, size);
    cairo_destroy(cr);
    const std::string path = (folder / "gearrush.png").string();
    const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
      throw std::runtime_error("Cannot write file \"" + path + "\". " +
                               cairo_status_to_string(status));
    }
  }
}
