#include "VehicleArt.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

#include "BikeDrawing.h"
#include "Canvas.h"
#include "MenuArt.h"
#include "MenuPaint.h"

using bikeart::BikeLook;
using bikeart::LookOf;
using bikeart::Rgb;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kLeanFrames = 7;   // the game truncates 0..5.5 and a rounding renderer may ask for 6
constexpr int kBonusFrames = 5;  // four spin frames and a copy of the first for Anim = 4.0
constexpr int kBonusSize = 34;   // centres exactly in a 72-pixel tile at +19
constexpr int kTyreMarkWidth = 10;
constexpr int kTyreMarkHeight = 14;
constexpr int kPortraitWidth = 240;
constexpr int kPortraitHeight = 200;

// The visual-only random numbers of the baker: a fixed-seed xorshift, never the game's.
class ArtRandom {
 public:
  explicit ArtRandom(uint32_t seed) : State_(seed ? seed : 0x9E3779B9u) {}
  double Next() {
    State_ ^= State_ << 13;
    State_ ^= State_ >> 17;
    State_ ^= State_ << 5;
    return (State_ & 0xFFFFFF) / static_cast<double>(0x1000000);
  }

 private:
  uint32_t State_;
};

void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0) {
  cairo_set_source_rgba(cr, c.R, c.G, c.B, alpha);
}
Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}
constexpr Rgb HexRgb(unsigned rgb) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}
void AddStop(cairo_pattern_t* p, double at, Rgb c, double alpha = 1.0) {
  cairo_pattern_add_color_stop_rgba(p, at, c.R, c.G, c.B, alpha);
}

PictureItemSpec MakeItem(const std::string& name, const Canvas& canvas, int patternWidth,
                         int patternHeight, bool keyed) {
  PictureItemSpec item;
  item.Name = name;
  item.PatternWidth = patternWidth;
  item.PatternHeight = patternHeight;
  item.Transparent = keyed;
  item.TransparentColor = keyed ? kKeyColor : 0;
  item.Dib = EncodeDib24(canvas.ToRgb(keyed));
  return item;
}

// Riders are drawn turned without smoothing, so their pictures get a dark rim.
constexpr Rgb kRiderRim = {0.07, 0.07, 0.08};

// Patterns side by side, each drawn clipped to its own cell; `rim` darkens their edges.
PictureItemSpec KeyedStrip(const std::string& name, int width, int height, int count,
                           const std::function<void(cairo_t*, int)>& draw, bool rim = false) {
  Canvas canvas(width * count, height);
  cairo_t* cr = canvas.Cr();
  for (int i = 0; i < count; ++i) {
    cairo_save(cr);
    cairo_rectangle(cr, i * width, 0, width, height);
    cairo_clip(cr);
    cairo_translate(cr, i * width, 0);
    draw(cr, i);
    cairo_restore(cr);
  }
  if (rim) canvas.DarkenEdges(width, height, kRiderRim.R, kRiderRim.G, kRiderRim.B);
  return MakeItem(name, canvas, count > 1 ? width : 0, count > 1 ? height : 0, true);
}

std::string ModelName(int model) {
  return "Bike" + std::to_string(model);
}

double EaseOut(double t, double power) {
  return 1 - std::pow(1 - t, power);
}

// ---- Crash ----------------------------------------------------------------------------------

// Sparks from the parts that scrape the road, trailing behind the sliding bike.
void DrawSparks(cairo_t* cr, double x, double y, double spread, uint32_t seed) {
  ArtRandom random(seed);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 9; ++i) {
    const double sx = x + (random.Next() - 0.5) * spread;
    const double sy = y + random.Next() * 4;
    const double len = 3 + random.Next() * 6;
    const double dx = (random.Next() - 0.5) * 5;
    const Rgb hot = Mix(HexRgb(0xFFF4B0), HexRgb(0xFF8A10), random.Next());
    cairo_move_to(cr, sx, sy);
    cairo_line_to(cr, sx + dx, sy + len);
    SetColour(cr, HexRgb(0xB04A08));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke_preserve(cr);
    SetColour(cr, hot);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
  }
}

// Frame 0 is the bike going down in a deep lean with the rider still aboard; then the bike
// slides on its side near the bottom while the rider is thrown ahead, spinning, and the last
// frame is both at rest.
void DrawCrashFrame(cairo_t* cr, const BikeLook& look, int model, int frame) {
  const int frames = look.CrashFrames;
  const double cw = look.CrashWidth;
  const double ch = look.CrashHeight;
  // The crash picture is centred on the riding picture's top edge.
  const double rideTop = ch / 2;
  const double rideCentreY = rideTop + look.Height / 2.0;
  const double side = (model % 2 == 0) ? 1.0 : -1.0;  // which way the bike goes down

  if (frame == 0) {
    cairo_save(cr);
    cairo_translate(cr, (cw - look.Width) / 2, rideTop);
    bikeart::RideOptions o;
    o.Lean = side * bikeart::MaxLean(look);
    bikeart::DrawRidingBike(cr, look, o);
    cairo_restore(cr);
    return;
  }

  const double t = frames > 2 ? (frame - 1.0) / (frames - 2.0) : 1.0;
  const double along = EaseOut(t, 1.8);
  const bool resting = frame == frames - 1;

  // The bike: on its side, turning broadside as it slides.
  const double phi = -side * (0.35 + 1.05 * along);
  const double length = bikeart::FallenBikeLength(look);
  const double height = bikeart::FallenBikeHeight(look);
  const double across = length * std::abs(std::sin(phi)) + height * std::abs(std::cos(phi));
  const double scale = std::min(1.0, (cw - 4) / across);
  const double bikeX = cw / 2 + side * 3 * along;
  const double bikeY = rideCentreY - look.Height * 0.22 * along;
  if (!resting) {
    DrawSparks(cr, bikeX, bikeY + look.Height * 0.22, across * scale * 0.7,
               static_cast<uint32_t>(model * 97 + frame * 13));
  }
  cairo_save(cr);
  cairo_translate(cr, bikeX, bikeY);
  cairo_rotate(cr, phi);
  cairo_scale(cr, scale, scale);
  if (side > 0) cairo_scale(cr, -1, 1);  // lying on its right side instead
  bikeart::DrawFallenBike(cr, look, 0.9);
  cairo_restore(cr);

  // The rider: thrown ahead of the bike, tumbling, then lying still.
  const double startY = rideTop + 6;
  const double endY = 30;
  const double riderY = startY + (endY - startY) * EaseOut(t, 1.6);
  const double riderX = cw / 2 - side * 6 * along;
  const double spin = resting ? side * 0.5 : side * (0.5 + (1 - along) * 5.2);
  const double tuck = resting ? 0.0 : 0.35 + 0.35 * std::sin(kPi * t);
  const double riderScale = std::min(1.0, look.Height / 64.0);
  cairo_save(cr);
  cairo_translate(cr, riderX, riderY);
  cairo_rotate(cr, spin);
  cairo_scale(cr, riderScale, riderScale);
  bikeart::DrawFallenRider(cr, look, tuck, 0.9);
  cairo_restore(cr);
}

// ---- Bonuses --------------------------------------------------------------------------------

struct CoinLook {
  Rgb Metal;
  Rgb Face;
  Rgb Text;
  const char* Label;
  double TextSize;
};

const CoinLook& CoinOf(int kind) {
  static const CoinLook kCoins[4] = {
      {HexRgb(0xC87837), HexRgb(0xB0652C), HexRgb(0xFFE8C8), "10", 20},
      {HexRgb(0xC8D0DA), HexRgb(0xA8B2BE), HexRgb(0x1E2A3A), "20", 20},
      {HexRgb(0xF2C232), HexRgb(0xDDA11C), HexRgb(0x6A3A00), "50", 20},
      {HexRgb(0xF2C232), HexRgb(0xC8202A), HexRgb(0xFFF4D0), "100", 18},
  };
  return kCoins[kind];
}

// Bonus values in the game's caption face, upright, their ink centred on (cx, cy).
void TextPathCentred(cairo_t* cr, const char* text, double cx, double cy, double size) {
  CaptionPath(cr, text, cx, cy, size, 0.0);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, std::max(rx, 0.01), ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
}

// A coin standing on its edge, turned by ANGLE about its upright axis.
void DrawCoin(cairo_t* cr, const CoinLook& coin, double angle) {
  const double c = kBonusSize / 2.0;
  const double r = c - 1.2;
  const double thick = 3.2;
  const double squash = std::cos(angle);
  // The hidden face sits behind the seen one, on the side the coin turns away from.
  const double edgeShift = -std::sin(angle) * thick * (squash < 0 ? -1 : 1);
  const Rgb dark = Mix(coin.Metal, {0, 0, 0}, 0.62);
  cairo_set_line_width(cr, 1.0);
  const double fx = c - edgeShift * 0.5;
  // The rim's thickness shows on the side turned away: the face swept back by its depth.
  if (std::abs(squash) >= 0.2 && std::abs(edgeShift) > 0.2) {
    const double rx = r * std::abs(squash);
    const double bx = fx + edgeShift;
    Ellipse(cr, bx, c, rx, r);
    cairo_rectangle(cr, std::min(fx, bx), c - r, std::abs(edgeShift), 2 * r);
    Ellipse(cr, fx, c, rx, r);
    SetColour(cr, dark);
    cairo_stroke_preserve(cr);
    SetColour(cr, Mix(coin.Metal, {0, 0, 0}, 0.3));
    cairo_fill(cr);
  }
  if (std::abs(squash) < 0.2) {
    // Edge on: only the milled rim shows.
    cairo_rectangle(cr, c - thick / 2, c - r, thick, 2 * r);
    SetColour(cr, dark);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(c - thick / 2, 0, c + thick / 2, 0);
    AddStop(p, 0, Mix(coin.Metal, {1, 1, 1}, 0.5));
    AddStop(p, 1, Mix(coin.Metal, {0, 0, 0}, 0.3));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    for (double y = c - r + 2; y < c + r - 1; y += 2.2) {
      cairo_move_to(cr, c - thick / 2 + 0.3, y);
      cairo_line_to(cr, c + thick / 2 - 0.3, y);
    }
    SetColour(cr, dark, 0.6);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    return;
  }
  const double rx = r * std::abs(squash);
  Ellipse(cr, fx, c, rx, r);
  SetColour(cr, dark);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(fx - rx, c - r, fx + rx, c + r);
  AddStop(p, 0, Mix(coin.Metal, {1, 1, 1}, 0.6));
  AddStop(p, 0.45, coin.Metal);
  AddStop(p, 1, Mix(coin.Metal, {0, 0, 0}, 0.4));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // The sunk face inside the rim.
  Ellipse(cr, fx, c, rx * 0.76, r * 0.76);
  p = cairo_pattern_create_linear(fx - rx, c - r, fx + rx, c + r);
  AddStop(p, 0, Mix(coin.Face, {0, 0, 0}, 0.3));
  AddStop(p, 0.6, coin.Face);
  AddStop(p, 1, Mix(coin.Face, {1, 1, 1}, 0.3));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // The value, squeezed with the face.
  cairo_save(cr);
  cairo_translate(cr, fx, c);
  cairo_scale(cr, std::abs(squash), 1);
  TextPathCentred(cr, coin.Label, 0.6, 0.8, coin.TextSize);
  SetColour(cr, {0, 0, 0}, 0.45);
  cairo_fill(cr);
  TextPathCentred(cr, coin.Label, 0, 0, coin.TextSize);
  SetColour(cr, coin.Text);
  cairo_fill(cr);
  cairo_restore(cr);
  // A glint across the upper left.
  cairo_save(cr);
  Ellipse(cr, fx, c, rx, r);
  cairo_clip(cr);
  cairo_move_to(cr, fx - rx * 0.9, c - r * 0.2);
  cairo_line_to(cr, fx - rx * 0.2, c - r * 0.95);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
  cairo_set_line_width(cr, 2.2);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void HeartPath(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, std::max(rx, 0.01), ry);
  cairo_move_to(cr, 0, 0.95);
  cairo_curve_to(cr, -0.35, 0.6, -1.0, 0.25, -1.0, -0.3);
  cairo_curve_to(cr, -1.0, -0.8, -0.45, -1.05, 0, -0.62);
  cairo_curve_to(cr, 0.45, -1.05, 1.0, -0.8, 1.0, -0.3);
  cairo_curve_to(cr, 1.0, 0.25, 0.35, 0.6, 0, 0.95);
  cairo_close_path(cr);
  cairo_restore(cr);
}

// The extra life: a glossy red heart, spinning like the coins.
void DrawHeart(cairo_t* cr, double angle) {
  const double c = kBonusSize / 2.0;
  const double r = c - 1.5;
  const double squash = std::cos(angle);
  const double thick = 3.0;
  // The hidden face sits behind the seen one, on the side the coin turns away from.
  const double edgeShift = -std::sin(angle) * thick * (squash < 0 ? -1 : 1);
  const Rgb red = HexRgb(0xE0202C);
  const Rgb dark = HexRgb(0x5A0810);
  cairo_set_line_width(cr, 1.0);
  if (std::abs(squash) < 0.2) {
    cairo_rectangle(cr, c - thick / 2, c - r * 0.8, thick, r * 1.75);
    SetColour(cr, dark);
    cairo_stroke_preserve(cr);
    SetColour(cr, HexRgb(0xA01420));
    cairo_fill(cr);
    return;
  }
  const double rx = r * std::abs(squash);
  const double fx = c - edgeShift * 0.5;
  if (std::abs(edgeShift) > 0.2) {
    for (double s = 0.25; s <= 1.0; s += 0.25) HeartPath(cr, fx + edgeShift * s, c, rx, r);
    SetColour(cr, dark);
    cairo_stroke_preserve(cr);
    SetColour(cr, HexRgb(0x8C1018));
    cairo_fill(cr);
  }
  HeartPath(cr, fx, c, rx, r);
  SetColour(cr, dark);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* p = cairo_pattern_create_radial(fx - rx * 0.35, c - r * 0.35, 1, fx, c, r * 1.2);
  AddStop(p, 0, HexRgb(0xFF9AA0));
  AddStop(p, 0.35, red);
  AddStop(p, 1, HexRgb(0x8A0C16));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  Ellipse(cr, fx - rx * 0.45, c - r * 0.38, rx * 0.2, r * 0.16);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.8);
  cairo_fill(cr);
  // "+1" on the heart, squeezed with it.
  cairo_save(cr);
  cairo_translate(cr, fx, c + 0.5);
  cairo_scale(cr, std::abs(squash), 1);
  TextPathCentred(cr, "+1", 0.5, 0.7, 16);
  SetColour(cr, dark, 0.6);
  cairo_fill(cr);
  TextPathCentred(cr, "+1", 0, 0, 16);
  SetColour(cr, HexRgb(0xFFF4F4));
  cairo_fill(cr);
  cairo_restore(cr);
}

// Spin angle of bonus pattern FRAME: a half turn in four steps; the last repeats the first.
double SpinAngle(int frame) {
  return (frame % 4) * kPi / 4;
}

void DrawBonusFrame(cairo_t* cr, int kind, int frame) {
  if (kind == 4) {
    DrawHeart(cr, SpinAngle(frame));
  } else {
    DrawCoin(cr, CoinOf(kind), SpinAngle(frame));
  }
}

// ---- Portrait -------------------------------------------------------------------------------

void BoxBlurAlpha(cairo_surface_t* surface, int radius) {
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface);
  const int h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  std::vector<int> line;
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = 0; y < h; ++y) {
      line.assign(data + y * stride, data + y * stride + w);
      for (int x = 0; x < w; ++x) {
        int sum = 0;
        for (int k = -radius; k <= radius; ++k) sum += line[std::clamp(x + k, 0, w - 1)];
        data[y * stride + x] = static_cast<unsigned char>(sum / (2 * radius + 1));
      }
    }
    for (int x = 0; x < w; ++x) {
      line.resize(h);
      for (int y = 0; y < h; ++y) line[y] = data[y * stride + x];
      for (int y = 0; y < h; ++y) {
        int sum = 0;
        for (int k = -radius; k <= radius; ++k) sum += line[std::clamp(y + k, 0, h - 1)];
        data[y * stride + x] = static_cast<unsigned char>(sum / (2 * radius + 1));
      }
    }
  }
  cairo_surface_mark_dirty(surface);
}

void PlaceBikeForPortrait(cairo_t* cr, const BikeLook& look, double scale) {
  cairo_translate(cr, 122, 90);
  cairo_rotate(cr, 0.5);
  cairo_scale(cr, scale, scale);
  cairo_translate(cr, -look.Width / 2.0, -look.Height / 2.0);
}

}  // namespace

PictureItemSpec BakeBikeUpright(int model) {
  const BikeLook& look = LookOf(model);
  return KeyedStrip(
      ModelName(model), look.Width, look.Height, 1,
      [&](cairo_t* cr, int) { bikeart::DrawRidingBike(cr, look, bikeart::RideOptions{}); }, true);
}

PictureItemSpec BakeBikeLean(int model, bool right) {
  const BikeLook& look = LookOf(model);
  const double deepest = bikeart::MaxLean(look);
  return KeyedStrip(
      ModelName(model) + (right ? "LeanRight" : "LeanLeft"), look.Width, look.Height, kLeanFrames,
      [&](cairo_t* cr, int pattern) {
        // Pattern 0 is the deepest lean; the last is all but upright.
        bikeart::RideOptions o;
        o.Lean = (right ? 1 : -1) * deepest * (kLeanFrames - 0.5 - pattern) / (kLeanFrames - 0.5);
        bikeart::DrawRidingBike(cr, look, o);
      },
      true);
}

PictureItemSpec BakeBikeCrash(int model) {
  const BikeLook& look = LookOf(model);
  return KeyedStrip(
      ModelName(model) + "Crash", look.CrashWidth, look.CrashHeight, look.CrashFrames,
      [&](cairo_t* cr, int frame) { DrawCrashFrame(cr, look, model, frame); }, true);
}

PictureItemSpec BakeTyreMark() {
  return KeyedStrip("TyreMark", kTyreMarkWidth, kTyreMarkHeight, 1, [](cairo_t* cr, int) {
    // Rubber is never pure black: a black key would swallow it on a 16-bit display. The streak
    // runs the full height so that marks laid 12 pixels apart join into one trail.
    const double x0 = 1.5;
    const double x1 = kTyreMarkWidth - 1.5;
    cairo_rectangle(cr, x0, 0, x1 - x0, kTyreMarkHeight);
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
    AddStop(p, 0, HexRgb(0x393733));
    AddStop(p, 0.5, HexRgb(0x262522));
    AddStop(p, 1, HexRgb(0x35332F));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Tread grooves leave lighter streaks.
    for (double x : {3.5, 6.5}) {
      cairo_move_to(cr, x, 0);
      cairo_line_to(cr, x, kTyreMarkHeight);
    }
    SetColour(cr, HexRgb(0x403D38));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  });
}

PictureItemSpec BakeBonus(int kind) {
  assert(kind >= 0 && kind <= 4);
  return KeyedStrip("Bonus" + std::to_string(kind), kBonusSize, kBonusSize, kBonusFrames,
                    [&](cairo_t* cr, int frame) { DrawBonusFrame(cr, kind, frame); });
}

PictureItemSpec BakeBonusIcon(int kind) {
  assert(kind >= 0 && kind <= 4);
  return KeyedStrip("BonusIcon" + std::to_string(kind), kBonusSize, kBonusSize, 1,
                    [&](cairo_t* cr, int) { DrawBonusFrame(cr, kind, 0); });
}

PictureItemSpec BakeBikePortrait(int model) {
  const BikeLook& look = LookOf(model);
  Canvas canvas(kPortraitWidth, kPortraitHeight);
  cairo_t* cr = canvas.Cr();
  const double scale = 2.7;

  // The window of the bike-selection panel, so the picture sits in it without a seam.
  PaintPortraitBackdrop(cr, kPortraitWidth, kPortraitHeight);
  // A pool of light in the bike's colour under it.
  {
    cairo_save(cr);
    cairo_translate(cr, 122, 96);
    cairo_scale(cr, 1.15, 0.8);
    cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 92);
    AddStop(p, 0, look.Paint, 0.22);
    AddStop(p, 0.55, look.Paint, 0.07);
    AddStop(p, 1, look.Paint, 0);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
  }
  // Its shadow on the floor.
  {
    cairo_surface_t* shadow =
        cairo_image_surface_create(CAIRO_FORMAT_A8, kPortraitWidth, kPortraitHeight);
    cairo_t* sc = cairo_create(shadow);
    cairo_translate(sc, 7, 9);
    PlaceBikeForPortrait(sc, look, scale);
    bikeart::RideOptions o;
    o.Lean = 0.35 * bikeart::MaxLean(look);
    bikeart::DrawRidingBike(sc, look, o);
    cairo_destroy(sc);
    BoxBlurAlpha(shadow, 3);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
    cairo_mask_surface(cr, shadow, 0, 0);
    cairo_surface_destroy(shadow);
  }
  cairo_save(cr);
  PlaceBikeForPortrait(cr, look, scale);
  bikeart::RideOptions o;
  o.Lean = 0.35 * bikeart::MaxLean(look);
  o.LineWidth = 0.45;
  bikeart::DrawRidingBike(cr, look, o);
  cairo_restore(cr);

  // The model's name in the menus' caption face, since the screen itself prints no text.
  CaptionPathLeft(cr, look.Name, 14, 178, 27);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColour(cr, HexRgb(0x07080A));
  cairo_set_line_width(cr, 3);
  cairo_stroke_preserve(cr);
  SetColour(cr, Mix(look.Paint, {1, 1, 1}, 0.25));
  cairo_fill(cr);

  return MakeItem("Portrait" + std::to_string(model), canvas, 0, 0, false);
}
