#include "Panels.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "Canvas.h"
#include "Decor.h"
#include "Textures.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The speedometer: the needle turns about (91, 530); 0 km/h points at a bearing of about
// 309 degrees and every km/h adds 0.569 degrees (0.4046 of a 256th turn).
constexpr double kDialX = 91.0;
constexpr double kDialY = 530.0;
// 69 is the most that keeps the bezel on screen below the pivot (530 + 69 = 599).
constexpr double kDialRadius = 68.0;
constexpr double kDialMaxKmh = 320.0;
constexpr double kRedlineKmh = 280.0;

double BearingOfKmh(double kmh) {
  return 270.0 + (0.4046 * kmh + 28.0) * 360.0 / 256.0;
}

// A bearing (0 = up, clockwise) in cairo's angle convention (0 = right, clockwise).
double CairoAngle(double bearingDeg) {
  return (bearingDeg - 90.0) * kPi / 180.0;
}

void SetFont(cairo_t* cr, double size, bool bold) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
  cairo_set_font_size(cr, size);
}

// Text centred on (cx, cy) with extra space between the letters.
void SpacedText(cairo_t* cr, const std::string& text, double cx, double cy, double spacing) {
  double total = 0;
  cairo_text_extents_t ext;
  for (char ch : text) {
    const char s[2] = {ch, 0};
    cairo_text_extents(cr, s, &ext);
    total += ext.x_advance + spacing;
  }
  total -= spacing;
  cairo_text_extents(cr, text.c_str(), &ext);
  double x = cx - total / 2;
  const double y = cy - ext.height / 2 - ext.y_bearing;
  for (char ch : text) {
    const char s[2] = {ch, 0};
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, s);
    cairo_text_extents(cr, s, &ext);
    x += ext.x_advance + spacing;
  }
}

void Caption(cairo_t* cr, const std::string& text, double cx, double cy, double size) {
  SetFont(cr, size, true);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
  SpacedText(cr, text, cx + 1, cy + 1, 1.5);
  cairo_set_source_rgb(cr, 0.62, 0.86, 0.82);
  SpacedText(cr, text, cx, cy, 1.5);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

// Brushed dark metal with a bevelled rim.
void PaintMetal(cairo_t* cr, int width, int height, uint64_t seed) {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, width, height);
  cairo_pattern_add_color_stop_rgb(g, 0.0, 0.22, 0.25, 0.30);
  cairo_pattern_add_color_stop_rgb(g, 0.5, 0.15, 0.17, 0.21);
  cairo_pattern_add_color_stop_rgb(g, 1.0, 0.10, 0.11, 0.14);
  cairo_set_source(cr, g);
  cairo_paint(cr);
  cairo_pattern_destroy(g);
  BakeRandom random(seed);
  cairo_set_line_width(cr, 1.0);
  for (int x = 0; x < width; ++x) {
    const double v = random.Range(-1.0, 1.0);
    cairo_set_source_rgba(cr, v > 0 ? 1 : 0, v > 0 ? 1 : 0, v > 0 ? 1 : 0, std::abs(v) * 0.035);
    cairo_move_to(cr, x + 0.5, 0);
    cairo_line_to(cr, x + 0.5, height);
    cairo_stroke(cr);
  }
}

void Bevel(cairo_t* cr, double x, double y, double w, double h) {
  cairo_set_line_width(cr, 2.0);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.16);
  cairo_move_to(cr, x + 1, y + h - 1);
  cairo_line_to(cr, x + 1, y + 1);
  cairo_line_to(cr, x + w - 1, y + 1);
  cairo_stroke(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
  cairo_move_to(cr, x + w - 1, y + 1);
  cairo_line_to(cr, x + w - 1, y + h - 1);
  cairo_line_to(cr, x + 1, y + h - 1);
  cairo_stroke(cr);
}

// A recessed window for the HUD's numbers.
void Window(cairo_t* cr, double x, double y, double w, double h, const uint8_t rgb[3]) {
  RoundedRect(cr, x - 2, y - 2, w + 4, h + 4, 6);
  cairo_pattern_t* rim = cairo_pattern_create_linear(0, y - 2, 0, y + h + 2);
  cairo_pattern_add_color_stop_rgb(rim, 0.0, 0.04, 0.05, 0.06);
  cairo_pattern_add_color_stop_rgb(rim, 1.0, 0.48, 0.52, 0.58);
  cairo_set_source(cr, rim);
  cairo_fill(cr);
  cairo_pattern_destroy(rim);
  RoundedRect(cr, x, y, w, h, 4.5);
  cairo_set_source_rgb(cr, rgb[0] / 255.0, rgb[1] / 255.0, rgb[2] / 255.0);
  cairo_fill_preserve(cr);
  // Inner shadow along the top and a faint glass sheen.
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgba(shade, 0.0, 0, 0, 0, 0.6);
  cairo_pattern_add_color_stop_rgba(shade, 0.25, 0, 0, 0, 0.0);
  cairo_pattern_add_color_stop_rgba(shade, 0.55, 0.4, 1.0, 0.9, 0.0);
  cairo_pattern_add_color_stop_rgba(shade, 1.0, 0.4, 1.0, 0.9, 0.06);
  cairo_set_source(cr, shade);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
}

const uint8_t kReadoutRgb[3] = {6, 14, 20};

void Screw(cairo_t* cr, double x, double y) {
  FillLitDisc(cr, x, y, 3.5, x - 1, y - 1, 0.5, {0.78, 0.80, 0.84}, {0.25, 0.27, 0.30});
  cairo_set_source_rgba(cr, 0.05, 0.05, 0.05, 0.8);
  cairo_set_line_width(cr, 1.0);
  cairo_move_to(cr, x - 2.2, y + 1.2);
  cairo_line_to(cr, x + 2.2, y - 1.2);
  cairo_stroke(cr);
}

// A recessed plate of woven carbon fibre, the ground of the small instruments.
void CarbonInset(cairo_t* cr, double x, double y, double w, double h) {
  RoundedRect(cr, x, y, w, h, 6);
  cairo_set_source_rgb(cr, 0.05, 0.055, 0.065);
  cairo_fill(cr);
  cairo_save(cr);
  RoundedRect(cr, x + 1, y + 1, w - 2, h - 2, 5);
  cairo_clip(cr);
  // Two-by-two weave: alternate cells lit along x or along y.
  for (double cy = y; cy < y + h; cy += 4) {
    for (double cx = x; cx < x + w; cx += 4) {
      const int cell = static_cast<int>((cx - x) / 4) + static_cast<int>((cy - y) / 4);
      const bool along = cell % 2 == 0;
      cairo_pattern_t* g = along ? cairo_pattern_create_linear(cx, 0, cx + 4, 0)
                                 : cairo_pattern_create_linear(0, cy, 0, cy + 4);
      cairo_pattern_add_color_stop_rgb(g, 0.0, 0.10, 0.11, 0.13);
      cairo_pattern_add_color_stop_rgb(g, 0.5, 0.19, 0.20, 0.23);
      cairo_pattern_add_color_stop_rgb(g, 1.0, 0.08, 0.09, 0.10);
      cairo_set_source(cr, g);
      cairo_rectangle(cr, cx, cy, 4, 4);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
    }
  }
  // Lacquer: a soft sheen from the top, shade at the bottom.
  cairo_pattern_t* sheen = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgba(sheen, 0.0, 1, 1, 1, 0.10);
  cairo_pattern_add_color_stop_rgba(sheen, 0.4, 1, 1, 1, 0.0);
  cairo_pattern_add_color_stop_rgba(sheen, 1.0, 0, 0, 0, 0.35);
  cairo_set_source(cr, sheen);
  cairo_paint(cr);
  cairo_pattern_destroy(sheen);
  cairo_restore(cr);
  Bevel(cr, x, y, w, h);
}

// A small round gauge with a fixed reading: a bezel, a dark face, an arc of ticks from
// 8 o'clock to 4 o'clock, end labels and a coloured end zone.
void MiniGauge(cairo_t* cr, double cx, double cy, double r, const char* name, const char* lo,
               const char* hi, double reading, bool hotEnd) {
  cairo_pattern_t* bezel = cairo_pattern_create_linear(cx - r, cy - r, cx + r, cy + r);
  cairo_pattern_add_color_stop_rgb(bezel, 0.0, 0.82, 0.85, 0.90);
  cairo_pattern_add_color_stop_rgb(bezel, 0.5, 0.32, 0.35, 0.40);
  cairo_pattern_add_color_stop_rgb(bezel, 1.0, 0.10, 0.11, 0.13);
  cairo_set_source(cr, bezel);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(bezel);
  cairo_pattern_t* face = cairo_pattern_create_radial(cx, cy - r * 0.3, 2, cx, cy, r - 3);
  cairo_pattern_add_color_stop_rgb(face, 0.0, 0.10, 0.14, 0.19);
  cairo_pattern_add_color_stop_rgb(face, 1.0, 0.02, 0.03, 0.05);
  cairo_set_source(cr, face);
  cairo_arc(cr, cx, cy, r - 3, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
  const double a0 = CairoAngle(240), a1 = CairoAngle(480);
  // The end zone: red when hot, amber when running low.
  cairo_set_line_width(cr, 3.0);
  if (hotEnd) {
    cairo_set_source_rgba(cr, 0.95, 0.18, 0.12, 0.9);
    cairo_arc(cr, cx, cy, r - 7, a1 - 0.55, a1);
  } else {
    cairo_set_source_rgba(cr, 1.0, 0.62, 0.10, 0.9);
    cairo_arc(cr, cx, cy, r - 7, a0, a0 + 0.55);
  }
  cairo_stroke(cr);
  for (int i = 0; i <= 8; ++i) {
    const double a = a0 + (a1 - a0) * i / 8.0;
    const bool major = i % 4 == 0;
    cairo_set_line_width(cr, major ? 1.8 : 1.0);
    cairo_set_source_rgb(cr, 0.85, 0.95, 0.93);
    const double inner = r - (major ? 12 : 10);
    cairo_move_to(cr, cx + std::cos(a) * inner, cy + std::sin(a) * inner);
    cairo_line_to(cr, cx + std::cos(a) * (r - 5), cy + std::sin(a) * (r - 5));
    cairo_stroke(cr);
  }
  SetFont(cr, 7.5, true);
  cairo_set_source_rgb(cr, 0.62, 0.86, 0.82);
  SpacedText(cr, lo, cx + std::cos(a0) * (r - 16), cy + std::sin(a0) * (r - 16) - 1, 0.5);
  SpacedText(cr, hi, cx + std::cos(a1) * (r - 16), cy + std::sin(a1) * (r - 16) - 1, 0.5);
  SpacedText(cr, name, cx, cy + r * 0.55, 1.0);
  // The needle with its cap.
  const double a = a0 + (a1 - a0) * reading;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 2.0);
  cairo_set_source_rgb(cr, 0.98, 0.25, 0.12);
  cairo_move_to(cr, cx - std::cos(a) * 4, cy - std::sin(a) * 4);
  cairo_line_to(cr, cx + std::cos(a) * (r - 9), cy + std::sin(a) * (r - 9));
  cairo_stroke(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_pattern_t* cap = cairo_pattern_create_radial(cx - 1, cy - 1, 0.5, cx, cy, 4);
  cairo_pattern_add_color_stop_rgb(cap, 0.0, 0.85, 0.87, 0.90);
  cairo_pattern_add_color_stop_rgb(cap, 1.0, 0.20, 0.22, 0.25);
  cairo_set_source(cr, cap);
  cairo_arc(cr, cx, cy, 4, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(cap);
}

// An unlit warning lamp: a dark tinted glass dome with its symbol, drawn by `symbol`.
void Telltale(cairo_t* cr, double cx, double cy, double r, double red, double green, double blue,
              void (*symbol)(cairo_t*, double, double, double)) {
  cairo_set_source_rgb(cr, 0.02, 0.02, 0.03);
  cairo_arc(cr, cx, cy, r + 2, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_t* glass = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.4, 1, cx, cy, r);
  cairo_pattern_add_color_stop_rgb(glass, 0.0, red * 0.55, green * 0.55, blue * 0.55);
  cairo_pattern_add_color_stop_rgb(glass, 1.0, red * 0.16, green * 0.16, blue * 0.16);
  cairo_set_source(cr, glass);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(glass);
  cairo_set_source_rgba(cr, red, green, blue, 0.85);
  symbol(cr, cx, cy, r);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.30);
  cairo_arc(cr, cx - r * 0.3, cy - r * 0.35, r * 0.35, 0, 2 * kPi);
  cairo_fill(cr);
}

void ArrowSymbol(cairo_t* cr, double cx, double cy, double r, double dir) {
  cairo_move_to(cr, cx + dir * r * 0.6, cy);
  cairo_line_to(cr, cx + dir * r * 0.05, cy - r * 0.5);
  cairo_line_to(cr, cx + dir * r * 0.05, cy - r * 0.2);
  cairo_line_to(cr, cx - dir * r * 0.55, cy - r * 0.2);
  cairo_line_to(cr, cx - dir * r * 0.55, cy + r * 0.2);
  cairo_line_to(cr, cx + dir * r * 0.05, cy + r * 0.2);
  cairo_line_to(cr, cx + dir * r * 0.05, cy + r * 0.5);
  cairo_close_path(cr);
  cairo_fill(cr);
}
void LeftArrow(cairo_t* cr, double cx, double cy, double r) {
  ArrowSymbol(cr, cx, cy, r, -1);
}
void RightArrow(cairo_t* cr, double cx, double cy, double r) {
  ArrowSymbol(cr, cx, cy, r, 1);
}
void WarningSymbol(cairo_t* cr, double cx, double cy, double r) {
  cairo_move_to(cr, cx, cy - r * 0.6);
  cairo_line_to(cr, cx + r * 0.62, cy + r * 0.45);
  cairo_line_to(cr, cx - r * 0.62, cy + r * 0.45);
  cairo_close_path(cr);
  cairo_set_line_width(cr, 1.4);
  cairo_stroke(cr);
  cairo_rectangle(cr, cx - 0.7, cy - r * 0.22, 1.4, r * 0.36);
  cairo_rectangle(cr, cx - 0.7, cy + r * 0.22, 1.4, 1.4);
  cairo_fill(cr);
}
void NeutralSymbol(cairo_t* cr, double cx, double cy, double r) {
  SetFont(cr, r * 1.1, true);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, "N", &ext);
  cairo_move_to(cr, cx - ext.width / 2 - ext.x_bearing, cy - ext.height / 2 - ext.y_bearing);
  cairo_show_text(cr, "N");
}

// A row of shift lights: green, amber, red, all dark but for their glass.
void ShiftLights(cairo_t* cr, double x, double y, int count, double step) {
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / (count - 1);
    const double r = t < 0.5 ? 0.2 : 1.0;
    const double g = t < 0.5 ? 1.0 : (t < 0.8 ? 0.7 : 0.15);
    const double b = t < 0.5 ? 0.45 : 0.1;
    const double cx = x + i * step;
    cairo_set_source_rgb(cr, 0.02, 0.02, 0.03);
    RoundedRect(cr, cx - 5, y - 4, 10, 8, 2);
    cairo_fill(cr);
    cairo_pattern_t* glass = cairo_pattern_create_linear(0, y - 3, 0, y + 3);
    cairo_pattern_add_color_stop_rgb(glass, 0.0, r * 0.50, g * 0.50, b * 0.50);
    cairo_pattern_add_color_stop_rgb(glass, 1.0, r * 0.18, g * 0.18, b * 0.18);
    cairo_set_source(cr, glass);
    RoundedRect(cr, cx - 4, y - 3, 8, 6, 1.5);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
  }
}

// Two crossed chequered flags on their poles.
void CrossedFlags(cairo_t* cr, double cx, double cy, double size) {
  for (int side = -1; side <= 1; side += 2) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy + size * 0.45);
    cairo_rotate(cr, side * 0.45);
    cairo_set_source_rgb(cr, 0.75, 0.77, 0.80);
    cairo_rectangle(cr, -1.2, -size * 0.95, 2.4, size * 1.05);
    cairo_fill(cr);
    const double fw = size * 0.62 * -side, fh = size * 0.42;
    const int cols = 5, rows = 4;
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < cols; ++c) {
        const double wave = std::sin((c + 0.5) / cols * kPi) * 2.5;
        if ((r + c) % 2 == 0) {
          cairo_set_source_rgb(cr, 0.93, 0.93, 0.90);
        } else {
          cairo_set_source_rgb(cr, 0.06, 0.06, 0.07);
        }
        cairo_rectangle(cr, std::min(0.0, fw) + std::abs(fw) * c / cols,
                        -size * 0.95 + fh * r / rows + wave, std::abs(fw) / cols + 0.3,
                        fh / rows + 0.3);
        cairo_fill(cr);
      }
    }
    cairo_restore(cr);
  }
}

// The inner edge next to the road: a raised lip with a light line.
void RoadLip(cairo_t* cr, double x, bool rightSide) {
  const double w = 7.0;
  const double x0 = rightSide ? x : x - w;
  cairo_pattern_t* g = cairo_pattern_create_linear(x0, 0, x0 + w, 0);
  cairo_pattern_add_color_stop_rgb(g, 0.0, rightSide ? 0.05 : 0.35, rightSide ? 0.05 : 0.38,
                                   rightSide ? 0.06 : 0.44);
  cairo_pattern_add_color_stop_rgb(g, 0.5, 0.22, 0.25, 0.30);
  cairo_pattern_add_color_stop_rgb(g, 1.0, rightSide ? 0.35 : 0.05, rightSide ? 0.38 : 0.05,
                                   rightSide ? 0.44 : 0.06);
  cairo_set_source(cr, g);
  cairo_rectangle(cr, x0, 0, w, kPanelHeight);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // An aqua accent line matching the HUD digits.
  cairo_set_source_rgba(cr, 0.26, 0.99, 0.79, 0.55);
  cairo_rectangle(cr, rightSide ? x0 + w + 2 : x0 - 3, 0, 1.0, kPanelHeight);
  cairo_fill(cr);
}

// The mechanical counter of the distance ridden: white digits on black rollers.
void Odometer(cairo_t* cr, double cx, double cy) {
  const char* digits = "042716";
  const double w = 15, h = 20;
  const double x0 = cx - 3 * w;
  cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
  RoundedRect(cr, x0 - 3, cy - h / 2 - 3, 6 * w + 6, h + 6, 3);
  cairo_fill(cr);
  SetFont(cr, 14, true);
  for (int i = 0; i < 6; ++i) {
    const double x = x0 + i * w;
    cairo_pattern_t* roller = cairo_pattern_create_linear(0, cy - h / 2, 0, cy + h / 2);
    const double base = i == 5 ? 0.55 : 0.16;  // the last roller is the tenths, in red
    cairo_pattern_add_color_stop_rgb(roller, 0.0, 0.02, 0.02, 0.02);
    cairo_pattern_add_color_stop_rgb(roller, 0.5, base, i == 5 ? 0.06 : base, i == 5 ? 0.05 : base);
    cairo_pattern_add_color_stop_rgb(roller, 1.0, 0.02, 0.02, 0.02);
    cairo_set_source(cr, roller);
    cairo_rectangle(cr, x + 0.5, cy - h / 2, w - 1, h);
    cairo_fill(cr);
    cairo_pattern_destroy(roller);
    const char d[2] = {digits[i], 0};
    cairo_text_extents_t ext;
    cairo_text_extents(cr, d, &ext);
    cairo_set_source_rgb(cr, 0.92, 0.92, 0.88);
    cairo_move_to(cr, x + w / 2 - ext.width / 2 - ext.x_bearing,
                  cy - ext.height / 2 - ext.y_bearing);
    cairo_show_text(cr, d);
  }
}

void DrawSpeedometer(cairo_t* cr) {
  const double cx = kDialX, cy = kDialY;
  // The housing: a dark ring sunk into the panel around the bezel.
  cairo_pattern_t* well =
      cairo_pattern_create_radial(cx, cy, kDialRadius - 2, cx, cy, kDialRadius + 9);
  cairo_pattern_add_color_stop_rgba(well, 0.0, 0, 0, 0, 0.8);
  cairo_pattern_add_color_stop_rgba(well, 1.0, 0, 0, 0, 0.0);
  cairo_set_source(cr, well);
  cairo_arc(cr, cx, cy, kDialRadius + 9, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(well);
  // Chrome bezel.
  cairo_pattern_t* bezel = cairo_pattern_create_linear(cx - kDialRadius, cy - kDialRadius,
                                                       cx + kDialRadius, cy + kDialRadius);
  cairo_pattern_add_color_stop_rgb(bezel, 0.0, 0.88, 0.91, 0.95);
  cairo_pattern_add_color_stop_rgb(bezel, 0.5, 0.50, 0.53, 0.58);
  cairo_pattern_add_color_stop_rgb(bezel, 1.0, 0.34, 0.36, 0.40);
  cairo_set_source(cr, bezel);
  cairo_arc(cr, cx, cy, kDialRadius, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(bezel);
  // Face.
  cairo_pattern_t* face = cairo_pattern_create_radial(cx, cy - 20, 5, cx, cy, kDialRadius - 5);
  cairo_pattern_add_color_stop_rgb(face, 0.0, 0.10, 0.14, 0.19);
  cairo_pattern_add_color_stop_rgb(face, 1.0, 0.02, 0.03, 0.05);
  cairo_set_source(cr, face);
  cairo_arc(cr, cx, cy, kDialRadius - 5, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(face);

  // Red zone near the top of the scale.
  cairo_set_line_width(cr, 3.5);
  cairo_set_source_rgba(cr, 0.95, 0.15, 0.10, 0.85);
  cairo_arc(cr, cx, cy, kDialRadius - 6.5, CairoAngle(BearingOfKmh(kRedlineKmh)),
            CairoAngle(BearingOfKmh(kDialMaxKmh)));
  cairo_stroke(cr);
  // Scale arc.
  cairo_set_line_width(cr, 1.2);
  cairo_set_source_rgba(cr, 0.62, 0.86, 0.82, 0.6);
  cairo_arc(cr, cx, cy, kDialRadius - 8, CairoAngle(BearingOfKmh(0)),
            CairoAngle(BearingOfKmh(kDialMaxKmh)));
  cairo_stroke(cr);

  SetFont(cr, 10.0, true);
  for (int kmh = 0; kmh <= static_cast<int>(kDialMaxKmh); kmh += 10) {
    const double a = CairoAngle(BearingOfKmh(kmh));
    const bool major = kmh % 50 == 0;
    const double r0 = kDialRadius - (major ? 21.0 : 15.0);
    const double r1 = kDialRadius - 9.0;
    cairo_set_line_width(cr, major ? 2.2 : 1.1);
    if (kmh >= kRedlineKmh) {
      cairo_set_source_rgb(cr, 1.0, 0.45, 0.40);
    } else {
      cairo_set_source_rgb(cr, 0.85, 0.95, 0.93);
    }
    cairo_move_to(cr, cx + std::cos(a) * r0, cy + std::sin(a) * r0);
    cairo_line_to(cr, cx + std::cos(a) * r1, cy + std::sin(a) * r1);
    cairo_stroke(cr);
    if (kmh % 100 == 0) {
      const double rl = kDialRadius - 31.5;
      const std::string text = std::to_string(kmh);
      cairo_text_extents_t ext;
      cairo_text_extents(cr, text.c_str(), &ext);
      cairo_move_to(cr, cx + std::cos(a) * rl - ext.width / 2 - ext.x_bearing,
                    cy + std::sin(a) * rl - ext.height / 2 - ext.y_bearing);
      cairo_show_text(cr, text.c_str());
    }
  }
  // Glass reflection over the upper half.
  cairo_pattern_t* glass = cairo_pattern_create_linear(0, cy - kDialRadius, 0, cy);
  cairo_pattern_add_color_stop_rgba(glass, 0.0, 1, 1, 1, 0.10);
  cairo_pattern_add_color_stop_rgba(glass, 1.0, 1, 1, 1, 0.0);
  cairo_set_source(cr, glass);
  cairo_arc(cr, cx, cy, kDialRadius - 6, kPi, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(glass);

  cairo_set_source_rgb(cr, 0.62, 0.86, 0.82);
  SetFont(cr, 9.0, true);
  SpacedText(cr, "km/h", cx, cy + 21, 1.0);
  // The digital readout sits in the lower sector, centred on (91, 578).
  Window(cr, cx - 34, 562, 68, 28, kReadoutRgb);
}

}  // namespace

RgbImage BakeLeftPanelImage() {
  Canvas canvas(kPanelWidth, kPanelHeight);
  cairo_t* cr = canvas.Cr();
  PaintMetal(cr, kPanelWidth, kPanelHeight, 201);
  Bevel(cr, 0, 0, kPanelWidth - 10, kPanelHeight);
  RoadLip(cr, kPanelWidth, false);

  // Time, centred on (87, 23).
  Window(cr, 33, 6, 108, 34, kReadoutRgb);
  Caption(cr, "TIME", 87, 52, 11);
  CarbonInset(cr, 12, 62, 150, 112);
  MiniGauge(cr, 50, 108, 30, "TEMP", "C", "H", 0.42, true);
  MiniGauge(cr, 124, 108, 30, "FUEL", "E", "F", 0.78, false);
  ShiftLights(cr, 30, 158, 10, 12.7);
  Screw(cr, 10, 180);
  Screw(cr, 154, 180);
  // Score, centred on (84, 218).
  Caption(cr, "SCORE", 84, 190, 11);
  Window(cr, 30, 201, 108, 34, kReadoutRgb);
  CarbonInset(cr, 12, 248, 150, 64);
  Telltale(cr, 36, 280, 11, 0.25, 1.0, 0.45, LeftArrow);
  Telltale(cr, 69, 280, 11, 1.0, 0.70, 0.12, WarningSymbol);
  Telltale(cr, 102, 280, 11, 0.25, 1.0, 0.45, NeutralSymbol);
  Telltale(cr, 135, 280, 11, 0.25, 1.0, 0.45, RightArrow);
  // Lives, the number centred on (113, 342).
  Caption(cr, "LIVES", 50, 342, 12);
  Window(cr, 89, 325, 48, 34, kReadoutRgb);
  Screw(cr, 10, 372);
  Screw(cr, 154, 372);
  CarbonInset(cr, 12, 382, 150, 64);
  Odometer(cr, 87, 420);
  Caption(cr, "ODO", 87, 396, 8);
  DrawSpeedometer(cr);
  return canvas.ToRgb(false);
}

RgbImage BakeRightPanelImage() {
  Canvas canvas(kPanelWidth, kPanelHeight);
  cairo_t* cr = canvas.Cr();
  PaintMetal(cr, kPanelWidth, kPanelHeight, 202);
  Bevel(cr, 10, 0, kPanelWidth - 10, kPanelHeight);
  RoadLip(cr, 0, true);

  // The level plate, text centred on (88, 20).
  Window(cr, 28, 8, 120, 25, kReadoutRgb);
  // The map window: the road under the bike is always at x 91 (screen 717).
  const double wx = 12, wy = kMapTopMaskHeight, ww = 158, wh = kMapBottomMaskTop - wy;
  cairo_rectangle(cr, wx - 4, wy - 4, ww + 8, wh + 8);
  cairo_set_source_rgb(cr, 0.05, 0.06, 0.07);
  cairo_fill(cr);
  Bevel(cr, wx - 4, wy - 4, ww + 8, wh + 8);
  cairo_rectangle(cr, wx, wy, ww, wh);
  cairo_set_source_rgb(cr, kMapWindowRgb[0] / 255.0, kMapWindowRgb[1] / 255.0,
                       kMapWindowRgb[2] / 255.0);
  cairo_fill(cr);
  // A faint grid, kept out of the bottom-left corner where the place is printed.
  cairo_set_source_rgba(cr, 0.4, 0.9, 0.8, 0.06);
  cairo_set_line_width(cr, 1.0);
  for (double gx = wx + 9.5; gx < wx + ww; gx += 20) {
    cairo_move_to(cr, gx, wy);
    cairo_line_to(cr, gx, wy + wh - 28);
  }
  for (double gy = wy + 14.5; gy < wy + wh - 28; gy += 20) {
    cairo_move_to(cr, wx, gy);
    cairo_line_to(cr, wx + ww, gy);
  }
  cairo_stroke(cr);

  // The emblem: a gear with the game's name below.
  const double gx = 88, gy = 300;
  const int teeth = 12;
  cairo_new_path(cr);
  for (int i = 0; i < teeth * 2; ++i) {
    const double a0 = 2 * kPi * i / (teeth * 2);
    const double a1 = 2 * kPi * (i + 1) / (teeth * 2);
    const double r = (i % 2 == 0) ? 52.0 : 44.0;
    cairo_arc(cr, gx, gy, r, a0, a1);
  }
  cairo_close_path(cr);
  cairo_pattern_t* steel = cairo_pattern_create_linear(gx - 52, gy - 52, gx + 52, gy + 52);
  cairo_pattern_add_color_stop_rgb(steel, 0.0, 0.80, 0.84, 0.88);
  cairo_pattern_add_color_stop_rgb(steel, 0.5, 0.40, 0.44, 0.50);
  cairo_pattern_add_color_stop_rgb(steel, 1.0, 0.18, 0.20, 0.24);
  cairo_set_source(cr, steel);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(steel);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  cairo_arc(cr, gx, gy, 32, 0, 2 * kPi);
  cairo_pattern_t* hub = cairo_pattern_create_radial(gx, gy - 8, 4, gx, gy, 32);
  cairo_pattern_add_color_stop_rgb(hub, 0.0, 0.12, 0.22, 0.26);
  cairo_pattern_add_color_stop_rgb(hub, 1.0, 0.03, 0.06, 0.08);
  cairo_set_source(cr, hub);
  cairo_fill(cr);
  cairo_pattern_destroy(hub);
  // Speed streaks across the hub.
  cairo_set_source_rgb(cr, 0.26, 0.99, 0.79);
  for (int i = 0; i < 3; ++i) {
    const double y = gy - 10 + i * 10;
    const double len = 34 - i * 8;
    cairo_move_to(cr, gx - 18, y);
    cairo_line_to(cr, gx - 18 + len, y);
    cairo_line_to(cr, gx - 22 + len, y + 5);
    cairo_line_to(cr, gx - 22, y + 5);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
  SetFont(cr, 30.0, true);
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 0) {
      cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
    } else {
      cairo_pattern_t* gold = cairo_pattern_create_linear(0, 372, 0, 440);
      cairo_pattern_add_color_stop_rgb(gold, 0.0, 1.0, 0.93, 0.55);
      cairo_pattern_add_color_stop_rgb(gold, 1.0, 0.95, 0.65, 0.05);
      cairo_set_source(cr, gold);
      cairo_pattern_destroy(gold);
    }
    const double d = pass == 0 ? 2.0 : 0.0;
    SpacedText(cr, "GEAR", gx + d, 388 + d, 2.0);
    SpacedText(cr, "RUSH", gx + d, 424 + d, 2.0);
  }
  CarbonInset(cr, 22, 458, 132, 120);
  CrossedFlags(cr, 88, 512, 56);
  Screw(cr, 20, 588);
  Screw(cr, 156, 588);
  Screw(cr, 20, 218);
  Screw(cr, 156, 218);
  return canvas.ToRgb(false);
}

PictureItemSpec BakeNeedle() {
  // 101x20: the pivot is at 70% of the width and half the height; the tip points left. The
  // picture's size places the pivot, so the shorter needle of the dial leaves its left end
  // empty: the tip reaches the scale's ticks, 58 pixels out, not the bezel.
  constexpr int kWidth = 101, kHeight = 20;
  const double px = 0.7 * kWidth, py = kHeight / 2.0;
  const double tip = px - 58.0;
  Canvas canvas(kWidth, kHeight);
  cairo_t* cr = canvas.Cr();
  // The tip keeps a pixel and a half of width: thinner, it would fall under the colour key.
  cairo_move_to(cr, tip, py - 1.5);
  cairo_line_to(cr, px, py - 3.6);
  cairo_line_to(cr, kWidth - 3.0, py - 2.4);
  cairo_line_to(cr, kWidth - 3.0, py + 2.4);
  cairo_line_to(cr, px, py + 3.6);
  cairo_line_to(cr, tip, py + 1.5);
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, py - 4, 0, py + 4);
  cairo_pattern_add_color_stop_rgb(g, 0.0, 1.0, 0.55, 0.35);
  cairo_pattern_add_color_stop_rgb(g, 0.45, 0.98, 0.22, 0.10);
  cairo_pattern_add_color_stop_rgb(g, 1.0, 0.62, 0.08, 0.04);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // The hub cap over the pivot.
  cairo_pattern_t* hub = cairo_pattern_create_radial(px - 2, py - 2, 1, px, py, 8);
  cairo_pattern_add_color_stop_rgb(hub, 0.0, 0.92, 0.94, 0.96);
  cairo_pattern_add_color_stop_rgb(hub, 1.0, 0.22, 0.24, 0.28);
  cairo_set_source(cr, hub);
  cairo_arc(cr, px, py, 8, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(hub);
  cairo_set_source_rgb(cr, 0.10, 0.10, 0.12);
  cairo_arc(cr, px, py, 2.5, 0, 2 * kPi);
  cairo_fill(cr);

  PictureItemSpec item;
  item.Name = "Needle";
  item.Transparent = true;
  item.TransparentColor = kKeyColor;
  item.Dib = EncodeDib24(canvas.ToRgb(true));
  return item;
}

PictureItemSpec BakeRatingMark() {
  Canvas canvas(14, 20);
  cairo_t* cr = canvas.Cr();
  RoundedRect(cr, 0.5, 0.5, 13, 19, 3);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 20);
  cairo_pattern_add_color_stop_rgb(g, 0.0, 1.0, 0.95, 0.55);
  cairo_pattern_add_color_stop_rgb(g, 0.5, 1.0, 0.78, 0.10);
  cairo_pattern_add_color_stop_rgb(g, 1.0, 0.85, 0.45, 0.02);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_source_rgb(cr, 0.45, 0.22, 0.02);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  // A glint along the top.
  RoundedRect(cr, 2.5, 2.5, 9, 5, 2);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
  cairo_fill(cr);

  PictureItemSpec item;
  item.Name = "RatingMark";
  item.Transparent = true;
  item.TransparentColor = kKeyColor;
  item.Dib = EncodeDib24(canvas.ToRgb(true));
  return item;
}
