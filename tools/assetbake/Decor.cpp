#include "Decor.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// A closed blob through n points around a centre, smoothed with curves.
void BlobPath(cairo_t* cr, double cx, double cy, double radius, int points, double wobble,
              BakeRandom& random) {
  std::vector<double> r(points);
  for (double& v : r) v = radius * (1.0 - wobble + wobble * random.Uniform());
  auto pt = [&](int i, double& x, double& y) {
    const double a = 2.0 * kPi * i / points;
    x = cx + std::cos(a) * r[i % points];
    y = cy + std::sin(a) * r[i % points];
  };
  double x0, y0;
  pt(0, x0, y0);
  double mx0, my0, x1, y1;
  pt(1, x1, y1);
  mx0 = (x0 + x1) / 2;
  my0 = (y0 + y1) / 2;
  cairo_move_to(cr, mx0, my0);
  for (int i = 1; i <= points; ++i) {
    double xa, ya, xb, yb;
    pt(i, xa, ya);
    pt(i + 1, xb, yb);
    const double mx = (xa + xb) / 2;
    const double my = (ya + yb) / 2;
    cairo_curve_to(cr, xa, ya, xa, ya, mx, my);
  }
  cairo_close_path(cr);
}

}  // namespace

void SetColour(cairo_t* cr, Colour c, double alpha) {
  cairo_set_source_rgba(cr, c.R, c.G, c.B, alpha);
}

Colour Mix(Colour a, Colour b, double t) {
  return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

Colour Shade(Colour c, double factor) {
  auto f = [factor](double v) { return std::min(1.0, std::max(0.0, v * factor)); };
  return {f(c.R), f(c.G), f(c.B)};
}

void DrawShadowEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 0.0, 0, 0, 1.0);
  cairo_pattern_add_color_stop_rgba(g, 0.0, 0, 0, 0, alpha);
  cairo_pattern_add_color_stop_rgba(g, 0.7, 0, 0, 0, alpha * 0.8);
  cairo_pattern_add_color_stop_rgba(g, 1.0, 0, 0, 0, 0.0);
  cairo_set_source(cr, g);
  cairo_arc(cr, 0, 0, 1.0, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_restore(cr);
}

void DrawTree(cairo_t* cr, double cx, double cy, double radius, Colour leaf, uint64_t seed) {
  BakeRandom random(seed);
  DrawShadowEllipse(cr, cx + radius * 0.28, cy + radius * 0.28, radius * 1.02, radius * 1.02, 0.38);
  // Outer canopy, then smaller lobes that catch the light on the upper left.
  BlobPath(cr, cx, cy, radius, 9, 0.18, random);
  cairo_pattern_t* g = cairo_pattern_create_radial(cx - radius * 0.35, cy - radius * 0.35,
                                                   radius * 0.1, cx, cy, radius * 1.05);
  const Colour light = Shade(leaf, 1.35);
  const Colour dark = Shade(leaf, 0.55);
  cairo_pattern_add_color_stop_rgb(g, 0.0, light.R, light.G, light.B);
  cairo_pattern_add_color_stop_rgb(g, 0.6, leaf.R, leaf.G, leaf.B);
  cairo_pattern_add_color_stop_rgb(g, 1.0, dark.R, dark.G, dark.B);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  SetColour(cr, Shade(leaf, 0.45), 0.8);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  const int lobes = 5;
  for (int i = 0; i < lobes; ++i) {
    const double a = 2.0 * kPi * (i + random.Uniform() * 0.5) / lobes;
    const double d = radius * random.Range(0.35, 0.55);
    const double lx = cx + std::cos(a) * d;
    const double ly = cy + std::sin(a) * d;
    const double lr = radius * random.Range(0.32, 0.45);
    cairo_pattern_t* lg =
        cairo_pattern_create_radial(lx - lr * 0.4, ly - lr * 0.4, lr * 0.1, lx, ly, lr);
    const Colour hi = Shade(leaf, 1.45);
    cairo_pattern_add_color_stop_rgba(lg, 0.0, hi.R, hi.G, hi.B, 0.75);
    cairo_pattern_add_color_stop_rgba(lg, 1.0, leaf.R, leaf.G, leaf.B, 0.0);
    cairo_set_source(cr, lg);
    cairo_arc(cr, lx, ly, lr, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(lg);
  }
}

void DrawConifer(cairo_t* cr, double cx, double cy, double radius, Colour needles, uint64_t seed) {
  BakeRandom random(seed);
  DrawShadowEllipse(cr, cx + radius * 0.35, cy + radius * 0.35, radius * 0.95, radius * 0.95, 0.42);
  // Tiers of boughs, each a star a little smaller, lighter and turned from the one below.
  const int tiers = 4;
  const int points = 9;
  for (int t = 0; t < tiers; ++t) {
    const double r = radius * (1.0 - 0.22 * t);
    const double turn = random.Range(0, 2 * kPi / points);
    const Colour c = Shade(needles, 0.65 + 0.22 * t);
    cairo_new_path(cr);
    for (int i = 0; i < points * 2; ++i) {
      const double a = turn + kPi * i / points;
      const double d = (i % 2 == 0) ? r * random.Range(0.9, 1.0) : r * 0.55;
      const double x = cx + std::cos(a) * d - radius * 0.05 * t;
      const double y = cy + std::sin(a) * d - radius * 0.05 * t;
      if (i == 0) {
        cairo_move_to(cr, x, y);
      } else {
        cairo_line_to(cr, x, y);
      }
    }
    cairo_close_path(cr);
    SetColour(cr, c);
    cairo_fill_preserve(cr);
    SetColour(cr, Shade(needles, 0.4), 0.6);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  }
  SetColour(cr, Shade(needles, 1.5), 0.8);
  cairo_arc(cr, cx - radius * 0.17, cy - radius * 0.17, radius * 0.09, 0, 2 * kPi);
  cairo_fill(cr);
}

void DrawRock(cairo_t* cr, double cx, double cy, double radius, uint64_t seed) {
  BakeRandom random(seed);
  DrawShadowEllipse(cr, cx + radius * 0.3, cy + radius * 0.3, radius * 1.05, radius * 0.95, 0.4);
  BlobPath(cr, cx, cy, radius, 7, 0.3, random);
  cairo_pattern_t* g = cairo_pattern_create_radial(cx - radius * 0.4, cy - radius * 0.4,
                                                   radius * 0.1, cx, cy, radius * 1.1);
  cairo_pattern_add_color_stop_rgb(g, 0.0, 0.86, 0.85, 0.80);
  cairo_pattern_add_color_stop_rgb(g, 0.55, 0.62, 0.61, 0.58);
  cairo_pattern_add_color_stop_rgb(g, 1.0, 0.36, 0.35, 0.34);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_source_rgba(cr, 0.2, 0.2, 0.2, 0.7);
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
}

void FillLitDisc(cairo_t* cr, double cx, double cy, double r, double lx, double ly, double lr,
                 Colour lit, Colour dark) {
  cairo_pattern_t* g = cairo_pattern_create_radial(lx, ly, lr, cx, cy, r);
  cairo_pattern_add_color_stop_rgb(g, 0.0, lit.R, lit.G, lit.B);
  cairo_pattern_add_color_stop_rgb(g, 1.0, dark.R, dark.G, dark.B);
  cairo_set_source(cr, g);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

void DrawTyre(cairo_t* cr, double cx, double cy, double radius) {
  DrawShadowEllipse(cr, cx + radius * 0.3, cy + radius * 0.3, radius * 1.05, radius * 1.05, 0.4);
  FillLitDisc(cr, cx, cy, radius, cx - radius * 0.3, cy - radius * 0.3, 0.0, {0.34, 0.34, 0.36},
              {0.07, 0.07, 0.08});
  // The rim well: darker inside, a lit lip on the lower right.
  cairo_set_source_rgb(cr, 0.05, 0.05, 0.06);
  cairo_arc(cr, cx, cy, radius * 0.5, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 0.55, 0.55, 0.58, 0.8);
  cairo_set_line_width(cr, 1.0);
  cairo_arc(cr, cx, cy, radius * 0.5, -0.2, 1.8);
  cairo_stroke(cr);
}

void DrawCentredText(cairo_t* cr, const char* text, double cx, double cy, double size,
                     double angle) {
  cairo_save(cr);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
  cairo_set_font_size(cr, size);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, text, &ext);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_move_to(cr, -ext.width / 2 - ext.x_bearing, -ext.height / 2 - ext.y_bearing);
  cairo_show_text(cr, text);
  cairo_restore(cr);
}
