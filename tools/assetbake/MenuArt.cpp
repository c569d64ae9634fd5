// Image list 1: the menu backdrop with the logo, the buttons, titles, option values, entry
// fields, panels and the dialog. Pictures that sit at a known place are drawn over the very
// pixels they will cover, so their soft edges and glows meet the backdrop without a seam.
#include "MenuArt.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <cstring>

#include "Art.h"
#include "Canvas.h"
#include "MenuPaint.h"
#include "VehicleArt.h"

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr double kPi = 3.141592653589793;

struct Point {
  int X;
  int Y;
};

// Where the game shows each picture (the top-left corner on the 800x600 screen).
constexpr int kMenuButtonX = 12;
constexpr std::array<int, 6> kMenuButtonY = {173, 232, 291, 351, 412, 473};
constexpr int kMenuButtonWidth = 280;
constexpr int kMenuButtonHeight = 52;
constexpr Point kContentPanelAt = {358, 130};
constexpr Point kScorePanelAt = {356, 130};
constexpr Point kDialogAt = {185, 219};
constexpr Point kYesAt = {249, 306};
constexpr Point kNoAt = {377, 306};
constexpr Point kBackAt = {661, 542};
constexpr Point kPreviousBikeAt = {378, 180};
constexpr Point kNextBikeAt = {712, 180};
constexpr Point kStartRaceAt = {366, 542};
constexpr Point kClearTableAt = {365, 532};
constexpr Point kOnlineListAt = {517, 532};
constexpr Point kPreviousPageAt = {360, 542};
constexpr Point kNextPageAt = {513, 542};
constexpr Point kDisplayValueAt = {456, 192};
constexpr Point kMusicValueAt = {444, 296};
constexpr Point kSoundValueAt = {590, 296};
constexpr Point kCountryFieldAt = {392, 400};
constexpr Point kBossKeyFieldAt = {468, 478};
constexpr Point kPortraitAt = {456, 180};
constexpr Point kAboutAt = {440, 300};
constexpr int kTitleY = 42;

constexpr int kPanelWidth = 432;
constexpr int kPanelHeight = 395;
constexpr int kScorePanelWidth = 434;
constexpr int kPortraitWidth = 240;
constexpr int kPortraitHeight = 200;

// The bike-selection rating rows: the game draws the marks of a row from x 546, 18 px
// apart, with their tops at these y.
constexpr int kRatingMarkX = 546;
constexpr int kRatingMarkStep = 18;
constexpr int kRatingSlots = 11;
constexpr int kRatingMarkWidth = 14;
constexpr int kRatingMarkHeight = 20;
constexpr std::array<int, 4> kRatingRowY = {396, 424, 454, 486};
constexpr std::array<const char*, 4> kRatingLabels = {"TOP SPEED", "HANDLING", "ACCELERATION",
                                                      "BRAKES"};

// The high-score rows the game writes on, and the columns of names and points.
constexpr std::array<int, 10> kScoreRowY = {196, 230, 263, 297, 331, 364, 398, 432, 466, 499};
constexpr int kScoreNameX = 578;
constexpr int kScorePointsX = 732;

// Everything drawn in one picture: a transparent layer of the picture's size.
class Layer {
 public:
  Layer(int width, int height) : Surface_(NewSurface(width, height)) {
    Cr_ = cairo_create(Surface_.get());
    cairo_set_antialias(Cr_, CAIRO_ANTIALIAS_GOOD);
  }
  ~Layer() { cairo_destroy(Cr_); }
  Layer(const Layer&) = delete;
  Layer& operator=(const Layer&) = delete;

  cairo_t* Cr() { return Cr_; }
  cairo_surface_t* Surface() { return Surface_.get(); }

 private:
  SurfacePtr Surface_;
  cairo_t* Cr_;
};

// A bottom-up 24-bit DIB back to RGB, to compose the portraits made elsewhere.
RgbImage DecodeDib24(const std::vector<uint8_t>& dib) {
  RgbImage image;
  if (dib.size() < 40) return image;
  auto read32 = [&](size_t at) {
    int32_t v;
    std::memcpy(&v, &dib[at], 4);
    return v;
  };
  const int width = read32(4);
  const int height = read32(8);
  if (width <= 0 || height <= 0 || dib[14] != 24) return image;
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
  if (dib.size() < 40 + stride * height) return image;
  image.Width = width;
  image.Height = height;
  image.Rgb.resize(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = &dib[40 + stride * (height - 1 - y)];
    for (int x = 0; x < width; ++x) {
      uint8_t* o = &image.Rgb[(static_cast<size_t>(y) * width + x) * 3];
      o[0] = row[x * 3 + 2];
      o[1] = row[x * 3 + 1];
      o[2] = row[x * 3];
    }
  }
  return image;
}

// A keyed picture as a cairo layer, its key colour made clear.
SurfacePtr KeyedSurface(const RgbImage& image) {
  SurfacePtr surface = NewSurface(image.Width, image.Height);
  cairo_surface_flush(surface.get());
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  const uint8_t keyR = kKeyColor & 0xFF;
  const uint8_t keyG = (kKeyColor >> 8) & 0xFF;
  const uint8_t keyB = (kKeyColor >> 16) & 0xFF;
  for (int y = 0; y < image.Height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < image.Width; ++x) {
      const uint8_t* p = &image.Rgb[(static_cast<size_t>(y) * image.Width + x) * 3];
      const bool key = p[0] == keyR && p[1] == keyG && p[2] == keyB;
      row[x] = key ? 0u : 0xFF000000u | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }
  }
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

// ---------------------------------------------------------------------------------------
// The backdrop

// Carbon weave: a 2x2 twill of fibre bundles, each a soft ridge of light across its cell.
void PaintCarbon(cairo_t* cr, int width, int height, double strength) {
  constexpr int kCell = 6;
  SurfacePtr tile = NewSurface(4 * kCell, 4 * kCell);
  cairo_t* t = cairo_create(tile.get());
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 4; ++col) {
      // Twill: the weave steps one cell sideways on every row.
      const bool across = ((col + row) / 2) % 2 == 0;
      const double x = col * kCell;
      const double y = row * kCell;
      cairo_pattern_t* ridge = across ? cairo_pattern_create_linear(0, y, 0, y + kCell)
                                      : cairo_pattern_create_linear(x, 0, x + kCell, 0);
      cairo_pattern_add_color_stop_rgba(ridge, 0.0, 1, 1, 1, 0.0);
      cairo_pattern_add_color_stop_rgba(ridge, 0.45, 1, 1, 1, strength);
      cairo_pattern_add_color_stop_rgba(ridge, 1.0, 1, 1, 1, 0.0);
      cairo_set_source(t, ridge);
      cairo_rectangle(t, x, y, kCell, kCell);
      cairo_fill(t);
      cairo_pattern_destroy(ridge);
    }
  }
  cairo_destroy(t);
  cairo_pattern_t* weave = cairo_pattern_create_for_surface(tile.get());
  cairo_pattern_set_extend(weave, CAIRO_EXTEND_REPEAT);
  cairo_set_source(cr, weave);
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_fill(cr);
  cairo_pattern_destroy(weave);
}

// The race track of the main menu's right side, seen from above: a sweeping bend with kerbs,
// edge lines, a chequered line and rubber laid on the racing line.
void TrackCentreLine(cairo_t* cr) {
  cairo_move_to(cr, 860, 520);
  cairo_curve_to(cr, 640, 560, 470, 520, 470, 400);
  cairo_curve_to(cr, 470, 290, 600, 250, 640, 170);
  cairo_curve_to(cr, 680, 90, 620, 10, 560, -60);
}

// The race bike from the game, leaning out of the bend, with its shadow and a trail of
// light behind it.
void PaintHeroBike(cairo_t* cr) {
  constexpr int kModel = 1;
  constexpr double kScale = 1.7;
  constexpr double kX = 482;
  constexpr double kY = 345;
  constexpr double kHeading = 0.12;  // radians clockwise from straight up
  const RgbImage bike = DecodeDib24(BakeBikeUpright(kModel).Dib);
  if (bike.Width == 0) return;
  SurfacePtr layer = KeyedSurface(bike);
  cairo_save(cr);
  cairo_translate(cr, kX, kY);
  cairo_rotate(cr, kHeading);
  // The trail: light streaks fading behind the rear wheel.
  for (int i = -1; i <= 1; ++i) {
    cairo_pattern_t* trail = cairo_pattern_create_linear(0, 50, 0, 200);
    cairo_pattern_add_color_stop_rgba(trail, 0, 1.0, 0.6, 0.1, 0.5 - 0.15 * std::abs(i));
    cairo_pattern_add_color_stop_rgba(trail, 1, 1.0, 0.6, 0.1, 0.0);
    cairo_set_source(cr, trail);
    cairo_rectangle(cr, i * 12 - 2, 50, 4, 150);
    cairo_fill(cr);
    cairo_pattern_destroy(trail);
  }
  cairo_scale(cr, kScale, kScale);
  cairo_translate(cr, -bike.Width / 2.0, -bike.Height / 2.0);
  // Shadow: the silhouette, dark and offset down-right.
  cairo_save(cr);
  cairo_translate(cr, 4, 5);
  SetSource(cr, Palette::kInk, 0.55);
  cairo_mask_surface(cr, layer.get(), 0, 0);
  cairo_restore(cr);
  cairo_set_source_surface(cr, layer.get(), 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
}

void PaintTrack(cairo_t* cr) {
  constexpr double kRoad = 132;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);

  // Run-off: a darker band of gravel either side.
  TrackCentreLine(cr);
  cairo_set_line_width(cr, kRoad + 90);
  SetSource(cr, Hex(0x1A1C1E), 0.9);
  cairo_stroke(cr);

  // Kerbs: red and white blocks along both edges.
  TrackCentreLine(cr);
  cairo_set_line_width(cr, kRoad + 22);
  SetSource(cr, Hex(0xD8D8D4));
  cairo_stroke(cr);
  const double dash[] = {16, 16};
  cairo_set_dash(cr, dash, 2, 0);
  TrackCentreLine(cr);
  SetSource(cr, Hex(0xC81E12));
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);

  // Asphalt, with white edge lines a little inside the kerbs.
  TrackCentreLine(cr);
  cairo_set_line_width(cr, kRoad);
  SetSource(cr, Hex(0x35383E));
  cairo_stroke(cr);
  TrackCentreLine(cr);
  cairo_set_line_width(cr, kRoad - 12);
  SetSource(cr, Hex(0xD9D9D4));
  cairo_stroke(cr);
  TrackCentreLine(cr);
  cairo_set_line_width(cr, kRoad - 18);
  SetSource(cr, Hex(0x35383E));
  cairo_stroke(cr);

  // Rubber on the racing line.
  cairo_save(cr);
  for (int lane = -1; lane <= 1; lane += 2) {
    cairo_save(cr);
    cairo_translate(cr, lane * 9, lane * 3);
    TrackCentreLine(cr);
    cairo_restore(cr);
    cairo_set_line_width(cr, 7);
    SetSource(cr, Hex(0x0E0F11), 0.35);
    cairo_stroke(cr);
  }
  cairo_restore(cr);

  // A chequered line across the straight at the bottom.
  constexpr double kCheck = 9;
  cairo_save(cr);
  cairo_translate(cr, 742, 528);
  cairo_rotate(cr, -0.17);
  for (int row = 0; row < 2; ++row) {
    for (int i = 0; i < 12; ++i) {
      const bool white = (i + row) % 2 == 0;
      SetSource(cr, white ? Hex(0xEDEDE8) : Hex(0x15161A));
      cairo_rectangle(cr, row * kCheck - kCheck, (i - 6) * kCheck, kCheck, kCheck);
      cairo_fill(cr);
    }
  }
  cairo_restore(cr);
}

// The "GEAR RUSH" logo in the top-left corner: a gear wheel and the two words stacked,
// chrome over flame.
void PaintLogo(cairo_t* cr) {
  constexpr double kGearX = 66;
  constexpr double kGearY = 82;

  // The gear, behind the words, with a warm rim light.
  GearPath(cr, kGearX, kGearY, 56, 46, 12, 17);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  GlowPath(cr, Palette::kOrange, 0.55, 14);
  GearPath(cr, kGearX, kGearY, 56, 46, 12, 17);
  PatternPtr steel =
      VerticalGradient(kGearY - 56, kGearY + 56, {Hex(0x8A929E), Hex(0x434953), Hex(0x23272D)});
  cairo_set_source(cr, steel.get());
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2);
  SetSource(cr, Palette::kInk);
  cairo_stroke(cr);
  // Inner ring and spokes.
  cairo_arc(cr, kGearX, kGearY, 34, 0, 2 * kPi);
  cairo_set_line_width(cr, 4);
  SetSource(cr, Palette::kOrange, 0.9);
  cairo_stroke(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);

  // The words: GEAR in chrome, RUSH in flame.
  struct Word {
    const char* Text;
    double Y;
    bool Chrome;
  };
  constexpr Word kWords[] = {{"GEAR", 62, true}, {"RUSH", 124, false}};
  constexpr double kSize = 86;
  constexpr double kWordsLeft = 104;
  for (const Word& w : kWords) {
    CaptionPathLeft(cr, w.Text, kWordsLeft, w.Y, kSize, 0.24);
    ShadowPath(cr, 4, 5, 6, 0.85);
    CaptionPathLeft(cr, w.Text, kWordsLeft, w.Y, kSize, 0.24);
    cairo_set_line_width(cr, 6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetSource(cr, Palette::kInk);
    cairo_stroke_preserve(cr);
    const double top = w.Y - 30;
    const double bottom = w.Y + 30;
    PatternPtr fill =
        w.Chrome ? VerticalGradient(
                       top, bottom,
                       {Hex(0xFFFFFF), Hex(0xDDE3EA), Hex(0x8C96A3), Hex(0xF4F6F8), Hex(0xB9C1CB)})
                 : VerticalGradient(top, bottom,
                                    {Hex(0xFFF2A8), Hex(0xFFD21F), Hex(0xFF8A00), Hex(0xE2400A)});
    cairo_set_source(cr, fill.get());
    cairo_fill(cr);
  }

  // A flame underline that trails off to the left, like a wheel's streak.
  cairo_pattern_t* line = cairo_pattern_create_linear(14, 0, 298, 0);
  cairo_pattern_add_color_stop_rgba(line, 0, Palette::kFlame.R, Palette::kFlame.G,
                                    Palette::kFlame.B, 0);
  cairo_pattern_add_color_stop_rgba(line, 0.35, Palette::kFlame.R, Palette::kFlame.G,
                                    Palette::kFlame.B, 0.9);
  cairo_pattern_add_color_stop_rgba(line, 1, Palette::kGold.R, Palette::kGold.G, Palette::kGold.B,
                                    1);
  cairo_set_source(cr, line);
  SlantedRect(cr, 14, 150, 284, 5, 3);
  cairo_fill(cr);
  cairo_pattern_destroy(line);
}

RgbImage DrawBackdrop() {
  Layer layer(kScreenWidth, kScreenHeight);
  cairo_t* cr = layer.Cr();

  // Base: dark carbon, a little lighter where the track lies.
  cairo_pattern_t* base = cairo_pattern_create_radial(600, 360, 40, 560, 330, 620);
  cairo_pattern_add_color_stop_rgb(base, 0, 0.13, 0.145, 0.17);
  cairo_pattern_add_color_stop_rgb(base, 1, 0.035, 0.04, 0.05);
  cairo_set_source(cr, base);
  cairo_paint(cr);
  cairo_pattern_destroy(base);
  PaintCarbon(cr, kScreenWidth, kScreenHeight, 0.05);

  PaintTrack(cr);
  PaintHeroBike(cr);

  // Warm light pooled on the bend, and a vignette that sinks the edges into the dark.
  cairo_pattern_t* light = cairo_pattern_create_radial(560, 360, 10, 560, 360, 300);
  cairo_pattern_add_color_stop_rgba(light, 0, 1.0, 0.55, 0.1, 0.16);
  cairo_pattern_add_color_stop_rgba(light, 1, 1.0, 0.55, 0.1, 0.0);
  cairo_set_source(cr, light);
  cairo_paint(cr);
  cairo_pattern_destroy(light);
  cairo_pattern_t* vignette = cairo_pattern_create_radial(560, 340, 160, 540, 320, 520);
  cairo_pattern_add_color_stop_rgba(vignette, 0, 0, 0, 0, 0);
  cairo_pattern_add_color_stop_rgba(vignette, 1, 0, 0, 0, 0.78);
  cairo_set_source(cr, vignette);
  cairo_paint(cr);
  cairo_pattern_destroy(vignette);

  // The left column: a calm darker rail behind the buttons, edged with a thin warm line.
  cairo_pattern_t* rail = cairo_pattern_create_linear(0, 0, 330, 0);
  cairo_pattern_add_color_stop_rgba(rail, 0, 0.03, 0.035, 0.04, 0.92);
  cairo_pattern_add_color_stop_rgba(rail, 0.85, 0.03, 0.035, 0.04, 0.75);
  cairo_pattern_add_color_stop_rgba(rail, 1, 0.03, 0.035, 0.04, 0.0);
  cairo_set_source(cr, rail);
  cairo_rectangle(cr, 0, 0, 330, kScreenHeight);
  cairo_fill(cr);
  cairo_pattern_destroy(rail);
  cairo_pattern_t* edge = cairo_pattern_create_linear(0, 150, 0, 560);
  cairo_pattern_add_color_stop_rgba(edge, 0, 1.0, 0.54, 0.0, 0.0);
  cairo_pattern_add_color_stop_rgba(edge, 0.5, 1.0, 0.54, 0.0, 0.8);
  cairo_pattern_add_color_stop_rgba(edge, 1, 1.0, 0.54, 0.0, 0.0);
  cairo_set_source(cr, edge);
  cairo_rectangle(cr, 302, 150, 2, 410);
  cairo_fill(cr);
  cairo_pattern_destroy(edge);

  // The title row of the sub-screens lies over the top of the track: shade it, so the
  // titles stand out.
  cairo_pattern_t* top = cairo_pattern_create_linear(0, 0, 0, 150);
  cairo_pattern_add_color_stop_rgba(top, 0, 0, 0, 0, 0.65);
  cairo_pattern_add_color_stop_rgba(top, 1, 0, 0, 0, 0.0);
  cairo_set_source(cr, top);
  cairo_paint(cr);
  cairo_pattern_destroy(top);
  PaintLogo(cr);

  RgbImage image = OpaqueOver(layer.Surface(),
                              RgbImage{kScreenWidth, kScreenHeight,
                                       std::vector<uint8_t>(kScreenWidth * kScreenHeight * 3, 0)},
                              0, 0);
  AddGrain(image, 0x6EA21u, 2);
  return image;
}

// ---------------------------------------------------------------------------------------
// Buttons

struct ButtonStyle {
  double CaptionSize;
  double Slant;  // how far the plate's top edge leans ahead of its bottom edge
  double InsetX;
  double InsetY;
};

void PaintPlate(cairo_t* cr, double x, double y, double w, double h, double slant, bool lit) {
  if (lit) {
    SlantedRect(cr, x, y, w, h, slant);
    GlowPath(cr, Palette::kOrange, 0.85, 12);
  }
  SlantedRect(cr, x, y, w, h, slant);
  ShadowPath(cr, 2, 3, 4, 0.7);

  SlantedRect(cr, x, y, w, h, slant);
  PatternPtr fill =
      lit ? VerticalGradient(y, y + h, {Hex(0xFFE066), Hex(0xFFA114), Hex(0xF06A06), Hex(0xC83A04)})
          : VerticalGradient(y, y + h,
                             {Hex(0x4E545E), Hex(0x343941), Hex(0x24272D), Hex(0x1A1C21)});
  cairo_set_source(cr, fill.get());
  cairo_fill(cr);

  // Gloss over the upper half.
  cairo_save(cr);
  SlantedRect(cr, x, y, w, h, slant);
  cairo_clip(cr);
  cairo_pattern_t* gloss = cairo_pattern_create_linear(0, y, 0, y + h * 0.5);
  cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, lit ? 0.45 : 0.16);
  cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0.0);
  cairo_set_source(cr, gloss);
  cairo_rectangle(cr, x, y, w, h * 0.5);
  cairo_fill(cr);
  cairo_pattern_destroy(gloss);
  // A slanted accent stripe at the leading end.
  SetSource(cr, lit ? Hex(0xFFF6D0) : Palette::kOrange, lit ? 0.9 : 0.95);
  SlantedRect(cr, x + 7, y, 7, h, slant);
  cairo_fill(cr);
  cairo_restore(cr);

  // Rim: dark outline, a light edge along the top.
  SlantedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, slant);
  cairo_set_line_width(cr, 1.2);
  SetSource(cr, lit ? Palette::kEmber : Palette::kInk, 0.95);
  cairo_stroke(cr);
  cairo_move_to(cr, x + slant + 2, y + 1.5);
  cairo_line_to(cr, x + w - 2, y + 1.5);
  cairo_set_line_width(cr, 1);
  SetSource(cr, Hex(0xFFFFFF), lit ? 0.6 : 0.22);
  cairo_stroke(cr);
}

void PaintCaption(cairo_t* cr, const std::string& text, double cx, double cy, double size,
                  bool lit) {
  CaptionPath(cr, text, cx, cy, size);
  ShadowPath(cr, 1.5, 2, 2, lit ? 0.8 : 0.9);
  CaptionPath(cr, text, cx, cy, size);
  if (lit) {
    cairo_set_line_width(cr, 2.6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetSource(cr, Palette::kEmber, 0.95);
    cairo_stroke_preserve(cr);
    SetSource(cr, Hex(0xFFFFFF));
  } else {
    SetSource(cr, Palette::kCaptionGrey);
  }
  cairo_fill(cr);
}

// One look of a button, drawn over the screen it shows on at (x, y).
RgbImage ButtonLook(const RgbImage& screen, Point at, int width, int height,
                    const std::string& caption, bool lit, const ButtonStyle& style) {
  Layer layer(width, height);
  cairo_t* cr = layer.Cr();
  const double w = width - 2 * style.InsetX;
  const double h = height - 2 * style.InsetY;
  PaintPlate(cr, style.InsetX, style.InsetY, w, h, style.Slant, lit);
  // The accent stripe takes the leading end, so the caption centres on the rest.
  PaintCaption(cr, caption, width / 2.0 + 6, height / 2.0, style.CaptionSize, lit);
  return KeyedOver(layer.Surface(), screen, at.X, at.Y);
}

// The bike-selection arrows: a bold chevron on a transparent column.
RgbImage ArrowLook(const RgbImage& screen, Point at, bool pointsRight, bool lit) {
  constexpr int kWidth = 64;
  constexpr int kHeight = 200;
  Layer layer(kWidth, kHeight);
  cairo_t* cr = layer.Cr();
  cairo_save(cr);
  if (!pointsRight) {
    cairo_translate(cr, kWidth, 0);
    cairo_scale(cr, -1, 1);
  }
  // A chevron pointing right, centred on the portrait's middle.
  auto chevron = [cr] {
    cairo_move_to(cr, 14, 58);
    cairo_line_to(cr, 34, 58);
    cairo_line_to(cr, 56, 100);
    cairo_line_to(cr, 34, 142);
    cairo_line_to(cr, 14, 142);
    cairo_line_to(cr, 36, 100);
    cairo_close_path(cr);
  };
  if (lit) {
    chevron();
    GlowPath(cr, Palette::kOrange, 0.9, 12);
  }
  chevron();
  ShadowPath(cr, 2, 3, 4, 0.7);
  chevron();
  PatternPtr fill =
      lit ? VerticalGradient(58, 142, {Hex(0xFFE066), Hex(0xFFA114), Hex(0xF06A06), Hex(0xC83A04)})
          : VerticalGradient(58, 142, {Hex(0x7A828E), Hex(0x4A505A), Hex(0x2C3036)});
  cairo_set_source(cr, fill.get());
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.5);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  SetSource(cr, lit ? Palette::kEmber : Palette::kInk);
  cairo_stroke(cr);
  // Light along the upper flank.
  cairo_move_to(cr, 16, 60);
  cairo_line_to(cr, 33, 60);
  cairo_line_to(cr, 53, 99);
  cairo_set_line_width(cr, 1.2);
  SetSource(cr, Hex(0xFFFFFF), lit ? 0.7 : 0.3);
  cairo_stroke(cr);
  cairo_restore(cr);
  return KeyedOver(layer.Surface(), screen, at.X, at.Y);
}

// ---------------------------------------------------------------------------------------
// Titles, option values, fields

// A screen title: the caption in gold, centred in the picture (so over the content column
// beneath it), with three slanted bars ahead of it and a flame underline.
RgbImage TitleLook(const RgbImage& screen, Point at, int width, int height,
                   const std::string& caption) {
  constexpr double kSize = 64;
  constexpr double kBarsWidth = 40;
  Layer layer(width, height);
  cairo_t* cr = layer.Cr();
  const double textWidth = CaptionWidth(cr, caption, kSize);
  const double textLeft = (width - textWidth) / 2;
  const double left = std::max(2.0, textLeft - kBarsWidth);
  const double groupWidth = textLeft + textWidth - left;
  const double cy = height / 2.0 - 4;

  for (int i = 0; i < 3; ++i) {
    SlantedRect(cr, left + i * 11, cy - 20, 7, 40, 8);
    SetSource(cr, Palette::kOrange, 0.45 + 0.25 * i);
    cairo_fill(cr);
  }
  CaptionPathLeft(cr, caption, textLeft, cy, kSize);
  ShadowPath(cr, 3, 4, 5, 0.9);
  CaptionPathLeft(cr, caption, textLeft, cy, kSize);
  cairo_set_line_width(cr, 4);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetSource(cr, Palette::kInk);
  cairo_stroke_preserve(cr);
  PatternPtr gold =
      VerticalGradient(cy - 24, cy + 24, {Hex(0xFFF8D0), Hex(0xFFD21F), Hex(0xFF9A00)});
  cairo_set_source(cr, gold.get());
  cairo_fill(cr);

  cairo_pattern_t* line = cairo_pattern_create_linear(left, 0, left + groupWidth + 10, 0);
  cairo_pattern_add_color_stop_rgba(line, 0, Palette::kFlame.R, Palette::kFlame.G,
                                    Palette::kFlame.B, 0.0);
  cairo_pattern_add_color_stop_rgba(line, 0.3, Palette::kFlame.R, Palette::kFlame.G,
                                    Palette::kFlame.B, 0.95);
  cairo_pattern_add_color_stop_rgba(line, 1, Palette::kGold.R, Palette::kGold.G, Palette::kGold.B,
                                    1.0);
  cairo_set_source(cr, line);
  SlantedRect(cr, left, cy + 27, groupWidth + 10, 4, 2);
  cairo_fill(cr);
  cairo_pattern_destroy(line);
  return KeyedOver(layer.Surface(), screen, at.X, at.Y);
}

// A recessed dark plate, the look of the option values and the entry fields.
void PaintRecess(cairo_t* cr, double x, double y, double w, double h, double radius) {
  RoundedRect(cr, x, y, w, h, radius);
  PatternPtr well = VerticalGradient(y, y + h, {Hex(0x040506), Hex(0x0B0D10), Hex(0x101318)});
  cairo_set_source(cr, well.get());
  cairo_fill(cr);
  // Shade under the top lip, and a light edge along the bottom.
  cairo_save(cr);
  RoundedRect(cr, x, y, w, h, radius);
  cairo_clip(cr);
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, y, 0, y + 6);
  cairo_pattern_add_color_stop_rgba(shade, 0, 0, 0, 0, 0.8);
  cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0);
  cairo_set_source(cr, shade);
  cairo_paint(cr);
  cairo_pattern_destroy(shade);
  cairo_restore(cr);
  RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius);
  cairo_set_line_width(cr, 1);
  PatternPtr rim = VerticalGradient(y, y + h, {Hex(0x000000), Hex(0x2A2F37), Hex(0x6A727E)});
  cairo_set_source(cr, rim.get());
  cairo_stroke(cr);
}

// An option value: a small lit display with its caption, green when on, red when off.
RgbImage ValueLook(const RgbImage& screen, Point at, int width, int height, double plateWidth,
                   const std::string& caption, Colour led) {
  Layer layer(width, height);
  cairo_t* cr = layer.Cr();
  const double x = (width - plateWidth) / 2;
  PaintRecess(cr, x, 1, plateWidth, height - 2, 5);
  CaptionPath(cr, caption, width / 2.0, height / 2.0, 22, 0.12);
  GlowPath(cr, led, 0.75, 6);
  CaptionPath(cr, caption, width / 2.0, height / 2.0, 22, 0.12);
  SetSource(cr, led);
  cairo_fill(cr);
  return KeyedOver(layer.Surface(), screen, at.X, at.Y);
}

// An entry field: opaque, the recess drawn over the panel so its rounded corners show the
// panel behind them.
RgbImage FieldLook(const RgbImage& screen, Point at, int width, int height) {
  Layer layer(width, height);
  PaintRecess(layer.Cr(), 0, 0, width, height, 6);
  return OpaqueOver(layer.Surface(), screen, at.X, at.Y);
}

// ---------------------------------------------------------------------------------------
// Panels

// A framed panel: bevelled steel rim, dark interior, a flame tab at the top-left corner.
void PaintPanel(cairo_t* cr, double w, double h) {
  constexpr double kRadius = 10;
  RoundedRect(cr, 0, 0, w, h, kRadius);
  ShadowPath(cr, 0, 0, 4, 0.9);
  RoundedRect(cr, 0, 0, w, h, kRadius);
  PatternPtr rim =
      VerticalGradient(0, h, {Hex(0x8D95A1), Hex(0x3E434B), Hex(0x2A2E34), Hex(0x15171B)});
  cairo_set_source(cr, rim.get());
  cairo_fill(cr);
  RoundedRect(cr, 4, 4, w - 8, h - 8, kRadius - 3);
  PatternPtr inside = VerticalGradient(4, h - 4, {Palette::kPanelTop, Palette::kPanelBottom});
  cairo_set_source(cr, inside.get());
  cairo_fill(cr);
  cairo_save(cr);
  RoundedRect(cr, 4, 4, w - 8, h - 8, kRadius - 3);
  cairo_clip(cr);
  PaintCarbon(cr, static_cast<int>(w), static_cast<int>(h), 0.025);
  // Inner shade under the top rim.
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, 4, 0, 14);
  cairo_pattern_add_color_stop_rgba(shade, 0, 0, 0, 0, 0.6);
  cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0);
  cairo_set_source(cr, shade);
  cairo_paint(cr);
  cairo_pattern_destroy(shade);
  cairo_restore(cr);
  RoundedRect(cr, 0.5, 0.5, w - 1, h - 1, kRadius);
  cairo_set_line_width(cr, 1);
  SetSource(cr, Palette::kInk);
  cairo_stroke(cr);
  // Flame tabs on the rim, top-left and bottom-right.
  SetSource(cr, Palette::kOrange);
  SlantedRect(cr, 18, 0, 70, 4, 3);
  cairo_fill(cr);
  SetSource(cr, Palette::kGold);
  SlantedRect(cr, 92, 0, 14, 4, 3);
  cairo_fill(cr);
  SetSource(cr, Palette::kOrange);
  SlantedRect(cr, w - 88, h - 4, 70, 4, 3);
  cairo_fill(cr);
}

RgbImage PanelOver(const RgbImage& screen, Point at, int width, int height) {
  Layer layer(width, height);
  PaintPanel(layer.Cr(), width, height);
  return OpaqueOver(layer.Surface(), screen, at.X, at.Y);
}

void PaintLabel(cairo_t* cr, const std::string& text, double right, double cy, double size,
                Colour c) {
  CaptionPathRight(cr, text, right, cy, size);
  ShadowPath(cr, 1.5, 2, 2, 0.9);
  CaptionPathRight(cr, text, right, cy, size);
  SetSource(cr, c);
  cairo_fill(cr);
}

RgbImage BikePanel(const RgbImage& screen) {
  const Point at = kContentPanelAt;
  Layer layer(kPanelWidth, kPanelHeight);
  cairo_t* cr = layer.Cr();
  PaintPanel(cr, kPanelWidth, kPanelHeight);

  // The portrait's window, framed; the portrait covers its inside.
  const double px = kPortraitAt.X - at.X;
  const double py = kPortraitAt.Y - at.Y;
  RoundedRect(cr, px - 4, py - 4, kPortraitWidth + 8, kPortraitHeight + 8, 5);
  PatternPtr frame = VerticalGradient(py - 4, py + kPortraitHeight + 4,
                                      {Hex(0x05060A), Hex(0x3A4048), Hex(0x7A828E)});
  cairo_set_source(cr, frame.get());
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, px, py);
  PaintPortraitBackdrop(cr, kPortraitWidth, kPortraitHeight);
  cairo_restore(cr);

  // The rating rows: labels left of the marks, and an empty slot for every possible mark.
  for (size_t row = 0; row < kRatingRowY.size(); ++row) {
    const double y = kRatingRowY[row] - at.Y;
    PaintLabel(cr, kRatingLabels[row], kRatingMarkX - at.X - 12, y + kRatingMarkHeight / 2.0, 24,
               Palette::kGoldPale);
    for (int i = 0; i < kRatingSlots; ++i) {
      const double x = kRatingMarkX - at.X + i * kRatingMarkStep;
      PaintRecess(cr, x - 1, y - 1, kRatingMarkWidth + 2, kRatingMarkHeight + 2, 2);
    }
  }
  return OpaqueOver(layer.Surface(), screen, at.X, at.Y);
}

RgbImage ScorePanel(const RgbImage& screen) {
  const Point at = kScorePanelAt;
  Layer layer(kScorePanelWidth, kPanelHeight);
  cairo_t* cr = layer.Cr();
  PaintPanel(cr, kScorePanelWidth, kPanelHeight);

  // Column headings over the names and the points.
  constexpr double kHeadingY = 32;
  const double nameX = kScoreNameX - at.X;
  const double pointsX = kScorePointsX - at.X;
  for (auto [text, x] : {std::pair<const char*, double>{"NAME", nameX}, {"SCORE", pointsX}}) {
    CaptionPath(cr, text, x, kHeadingY, 26);
    ShadowPath(cr, 1.5, 2, 2, 0.9);
    CaptionPath(cr, text, x, kHeadingY, 26);
    SetSource(cr, Palette::kGoldPale);
    cairo_fill(cr);
  }
  cairo_pattern_t* rule = cairo_pattern_create_linear(16, 0, kScorePanelWidth - 16, 0);
  cairo_pattern_add_color_stop_rgba(rule, 0, 1.0, 0.54, 0.0, 0.0);
  cairo_pattern_add_color_stop_rgba(rule, 0.2, 1.0, 0.54, 0.0, 0.9);
  cairo_pattern_add_color_stop_rgba(rule, 0.8, 1.0, 0.54, 0.0, 0.9);
  cairo_pattern_add_color_stop_rgba(rule, 1, 1.0, 0.54, 0.0, 0.0);
  cairo_set_source(cr, rule);
  cairo_rectangle(cr, 16, 50, kScorePanelWidth - 32, 2);
  cairo_fill(cr);
  cairo_pattern_destroy(rule);

  // Rows: faint bands on every other row, and the place on a slanted tag, gold, silver and
  // bronze for the podium.
  constexpr std::array<uint32_t, 4> kTagColours = {0xFFC21F, 0xC9D0D8, 0xD7884A, 0x4A505A};
  for (size_t i = 0; i < kScoreRowY.size(); ++i) {
    const double y = kScoreRowY[i] - at.Y;
    if (i % 2 == 0) {
      SetSource(cr, Hex(0xFFFFFF), 0.035);
      cairo_rectangle(cr, 12, y - 15, kScorePanelWidth - 24, 30);
      cairo_fill(cr);
    }
    const Colour tag = Hex(kTagColours[std::min<size_t>(i, 3)]);
    SlantedRect(cr, 26, y - 12, 50, 24, 6);
    ShadowPath(cr, 1.5, 2, 2, 0.8);
    SlantedRect(cr, 26, y - 12, 50, 24, 6);
    PatternPtr fill =
        VerticalGradient(y - 12, y + 12,
                         {Colour{std::min(tag.R + 0.25, 1.0), std::min(tag.G + 0.25, 1.0),
                                 std::min(tag.B + 0.25, 1.0)},
                          tag, Colour{tag.R * 0.6, tag.G * 0.6, tag.B * 0.6}});
    cairo_set_source(cr, fill.get());
    cairo_fill(cr);
    const std::string place = std::to_string(i + 1);
    CaptionPath(cr, place, 51, y, 22);
    SetSource(cr, i < 3 ? Palette::kInk : Palette::kCaptionGrey);
    cairo_fill(cr);
  }
  return OpaqueOver(layer.Surface(), screen, at.X, at.Y);
}

// The dialog panel: shown over any screen, so its rounded corners are keyed hard.
RgbImage DialogPanel() {
  constexpr int kWidth = 394;
  constexpr int kHeight = 140;
  Layer layer(kWidth, kHeight);
  cairo_t* cr = layer.Cr();
  RoundedRect(cr, 0, 0, kWidth, kHeight, 8);
  PatternPtr rim = VerticalGradient(0, kHeight, {Hex(0xFFB23A), Hex(0xE2560A), Hex(0x7A2404)});
  cairo_set_source(cr, rim.get());
  cairo_fill(cr);
  RoundedRect(cr, 3, 3, kWidth - 6, kHeight - 6, 6);
  PatternPtr inside =
      VerticalGradient(3, kHeight - 3, {Hex(0x22272F), Hex(0x11141A), Hex(0x0C0E12)});
  cairo_set_source(cr, inside.get());
  cairo_fill(cr);
  cairo_save(cr);
  RoundedRect(cr, 3, 3, kWidth - 6, kHeight - 6, 6);
  cairo_clip(cr);
  PaintCarbon(cr, kWidth, kHeight, 0.03);
  cairo_restore(cr);
  RoundedRect(cr, 0.5, 0.5, kWidth - 1, kHeight - 1, 8);
  cairo_set_line_width(cr, 1);
  SetSource(cr, Palette::kInk);
  cairo_stroke(cr);
  RoundedRect(cr, 3.5, 3.5, kWidth - 7, kHeight - 7, 6);
  SetSource(cr, Palette::kInk, 0.8);
  cairo_stroke(cr);
  return KeyedAlone(layer.Surface());
}

// The About emblem: the logo's gear with the initials on it.
RgbImage AboutLook(const RgbImage& screen) {
  constexpr int kSize = 95;
  constexpr double kCentre = kSize / 2.0;
  Layer layer(kSize, kSize);
  cairo_t* cr = layer.Cr();
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  GearPath(cr, kCentre, kCentre, 45, 37, 12, 0);
  ShadowPath(cr, 2, 3, 3, 0.8);
  GearPath(cr, kCentre, kCentre, 45, 37, 12, 0);
  PatternPtr steel = VerticalGradient(2, kSize - 2, {Hex(0x9AA2AE), Hex(0x4A505A), Hex(0x23272D)});
  cairo_set_source(cr, steel.get());
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.5);
  SetSource(cr, Palette::kInk);
  cairo_stroke(cr);
  cairo_arc(cr, kCentre, kCentre, 30, 0, 2 * kPi);
  PatternPtr flame =
      VerticalGradient(kCentre - 30, kCentre + 30, {Hex(0xFFE066), Hex(0xFF8A00), Hex(0xC83A04)});
  cairo_set_source(cr, flame.get());
  cairo_fill_preserve(cr);
  SetSource(cr, Palette::kEmber);
  cairo_stroke(cr);
  CaptionPath(cr, "GR", kCentre + 1, kCentre, 40);
  ShadowPath(cr, 1.5, 2, 2, 0.8);
  CaptionPath(cr, "GR", kCentre + 1, kCentre, 40);
  SetSource(cr, Hex(0xFFFFFF));
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  return KeyedOver(layer.Surface(), screen, kAboutAt.X, kAboutAt.Y, 64);
}

// ---------------------------------------------------------------------------------------
// The whole list

RgbImage Composed(const RgbImage& backdrop, const RgbImage& picture, Point at) {
  RgbImage screen = backdrop;
  Blit(screen, picture, at.X, at.Y);
  return screen;
}

struct MenuPictures {
  RgbImage Backdrop;
  std::array<RgbImage, 6> Normal;
  std::array<RgbImage, 6> Lit;
  RgbImage Window, FullScreen, MusicOn, MusicOff, SoundOn, SoundOff;
  RgbImage CountryField, BossKeyField, Cursor;
  RgbImage TitleHelp, TitleBikes, TitleOptions, TitleScores;
  RgbImage Dialog;
  RgbImage Yes, No, Back, PreviousBike, NextBike, StartRace, ClearTable, OnlineList;
  RgbImage PreviousPage, NextPage;
  RgbImage About, ContentPanel, BikePanel, ScorePanel;
};

MenuPictures DrawMenuPictures() {
  MenuPictures p;
  p.Backdrop = DrawBackdrop();
  const RgbImage& backdrop = p.Backdrop;

  constexpr std::array<const char*, 6> kMenuCaptions = {"START RACE",  "HELP",      "OPTIONS",
                                                        "HIGH SCORES", "HOME PAGE", "EXIT"};
  const ButtonStyle menuStyle{30, 12, 8, 7};
  for (size_t i = 0; i < kMenuCaptions.size(); ++i) {
    const Point at{kMenuButtonX, kMenuButtonY[i]};
    p.Normal[i] = ButtonLook(backdrop, at, kMenuButtonWidth, kMenuButtonHeight, kMenuCaptions[i],
                             false, menuStyle);
    p.Lit[i] = ButtonLook(backdrop, at, kMenuButtonWidth, kMenuButtonHeight, kMenuCaptions[i], true,
                          menuStyle);
  }

  p.TitleHelp = TitleLook(backdrop, {479, kTitleY}, 192, 80, "HELP");
  p.TitleBikes = TitleLook(backdrop, {312, kTitleY}, 478, 80, "SELECT YOUR BIKE");
  p.TitleOptions = TitleLook(backdrop, {406, kTitleY}, 338, 80, "OPTIONS");
  p.TitleScores = TitleLook(backdrop, {323, kTitleY}, 467, 80, "HIGH SCORES");

  p.ContentPanel = PanelOver(backdrop, kContentPanelAt, kPanelWidth, kPanelHeight);
  p.BikePanel = BikePanel(backdrop);
  p.ScorePanel = ScorePanel(backdrop);
  const RgbImage optionsScreen = Composed(backdrop, p.ContentPanel, kContentPanelAt);
  const RgbImage bikeScreen = Composed(backdrop, p.BikePanel, kContentPanelAt);

  const Colour on = Palette::kValueGreen;
  const Colour off = Hex(0xFF5A36);
  p.Window = ValueLook(optionsScreen, kDisplayValueAt, 240, 30, 170, "WINDOW", on);
  p.FullScreen = ValueLook(optionsScreen, kDisplayValueAt, 240, 30, 170, "FULL SCREEN", on);
  p.MusicOn = ValueLook(optionsScreen, kMusicValueAt, 114, 30, 84, "ON", on);
  p.MusicOff = ValueLook(optionsScreen, kMusicValueAt, 114, 30, 84, "OFF", off);
  p.SoundOn = ValueLook(optionsScreen, kSoundValueAt, 112, 30, 84, "ON", on);
  p.SoundOff = ValueLook(optionsScreen, kSoundValueAt, 112, 30, 84, "OFF", off);
  p.CountryField = FieldLook(optionsScreen, kCountryFieldAt, 376, 34);
  p.BossKeyField = FieldLook(optionsScreen, kBossKeyFieldAt, 214, 32);
  // The text cursor: the colour of the text it follows.
  p.Cursor = RgbImage{3, 20, {}};
  for (int i = 0; i < 3 * 20; ++i) p.Cursor.Rgb.insert(p.Cursor.Rgb.end(), {0x00, 0xFF, 0xAE});

  p.Dialog = DialogPanel();
  RgbImage dialogScreen{kScreenWidth, kScreenHeight,
                        std::vector<uint8_t>(kScreenWidth * kScreenHeight * 3, 0)};
  Blit(dialogScreen, p.Dialog, kDialogAt.X, kDialogAt.Y);

  const ButtonStyle dialogStyle{26, 8, 6, 5};
  const ButtonStyle pageStyle{24, 8, 6, 6};
  p.Yes = SideBySide(ButtonLook(dialogScreen, kYesAt, 120, 40, "YES", true, dialogStyle),
                     ButtonLook(dialogScreen, kYesAt, 120, 40, "YES", false, dialogStyle));
  p.No = SideBySide(ButtonLook(dialogScreen, kNoAt, 120, 40, "NO", true, dialogStyle),
                    ButtonLook(dialogScreen, kNoAt, 120, 40, "NO", false, dialogStyle));
  auto twoLooks = [&](Point at, int w, int h, const char* caption, const ButtonStyle& style) {
    return SideBySide(ButtonLook(backdrop, at, w, h, caption, true, style),
                      ButtonLook(backdrop, at, w, h, caption, false, style));
  };
  p.Back = twoLooks(kBackAt, 130, 45, "BACK", pageStyle);
  p.StartRace = twoLooks(kStartRaceAt, 180, 45, "START RACE", pageStyle);
  p.ClearTable = twoLooks(kClearTableAt, 140, 55, "CLEAR TABLE", ButtonStyle{24, 8, 6, 8});
  p.OnlineList = twoLooks(kOnlineListAt, 140, 55, "ONLINE LIST", ButtonStyle{24, 8, 6, 8});
  p.PreviousPage = twoLooks(kPreviousPageAt, 140, 45, "PREVIOUS PAGE", ButtonStyle{21, 8, 6, 6});
  p.NextPage = twoLooks(kNextPageAt, 140, 45, "NEXT PAGE", ButtonStyle{21, 8, 6, 6});
  p.PreviousBike = SideBySide(ArrowLook(bikeScreen, kPreviousBikeAt, false, true),
                              ArrowLook(bikeScreen, kPreviousBikeAt, false, false));
  p.NextBike = SideBySide(ArrowLook(bikeScreen, kNextBikeAt, true, true),
                          ArrowLook(bikeScreen, kNextBikeAt, true, false));
  p.About = AboutLook(optionsScreen);
  return p;
}

}  // namespace

void PaintPortraitBackdrop(cairo_t* cr, int width, int height) {
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_clip(cr);
  cairo_pattern_t* spot = cairo_pattern_create_radial(width / 2.0, height * 0.45, 10, width / 2.0,
                                                      height * 0.5, width * 0.7);
  cairo_pattern_add_color_stop_rgb(spot, 0, 0.20, 0.22, 0.26);
  cairo_pattern_add_color_stop_rgb(spot, 1, 0.06, 0.07, 0.085);
  cairo_set_source(cr, spot);
  cairo_paint(cr);
  cairo_pattern_destroy(spot);
  // A floor line of light under the bike.
  cairo_pattern_t* floor = cairo_pattern_create_linear(0, 0, width, 0);
  cairo_pattern_add_color_stop_rgba(floor, 0, 1.0, 0.54, 0.0, 0.0);
  cairo_pattern_add_color_stop_rgba(floor, 0.5, 1.0, 0.54, 0.0, 0.55);
  cairo_pattern_add_color_stop_rgba(floor, 1, 1.0, 0.54, 0.0, 0.0);
  cairo_set_source(cr, floor);
  cairo_rectangle(cr, 0, height - 3, width, 2);
  cairo_fill(cr);
  cairo_pattern_destroy(floor);
  cairo_restore(cr);
}

std::vector<PictureItemSpec> BakeImageList1() {
  const MenuPictures p = DrawMenuPictures();
  std::vector<PictureItemSpec> items(54);
  // The options' hit areas carry no picture of their own.
  items[0] = PlaceholderPicture("HitArea");
  items[1] = OpaqueItem("Backdrop", p.Backdrop);
  constexpr std::array<const char*, 6> kNames = {"StartRace",  "Help",     "Options",
                                                 "HighScores", "HomePage", "Exit"};
  for (size_t i = 0; i < kNames.size(); ++i) {
    items[2 + i] = KeyedItem(std::string("Menu") + kNames[i], p.Normal[i]);
    items[8 + i] = KeyedItem(std::string("Menu") + kNames[i] + "Lit", p.Lit[i]);
  }
  items[14] = KeyedItem("DisplayWindow", p.Window);
  items[15] = KeyedItem("DisplayFullScreen", p.FullScreen);
  items[16] = KeyedItem("MusicOn", p.MusicOn);
  items[17] = KeyedItem("MusicOff", p.MusicOff);
  items[18] = KeyedItem("SoundOn", p.SoundOn);
  items[19] = KeyedItem("SoundOff", p.SoundOff);
  items[20] = OpaqueItem("CountryField", p.CountryField);
  items[21] = OpaqueItem("BossKeyField", p.BossKeyField);
  items[22] = OpaqueItem("TextCursor", p.Cursor);
  items[23] = PlaceholderPicture("Unused23");
  items[24] = KeyedItem("TitleHelp", p.TitleHelp);
  items[25] = KeyedItem("TitleBikes", p.TitleBikes);
  items[26] = KeyedItem("TitleOptions", p.TitleOptions);
  items[27] = KeyedItem("TitleHighScores", p.TitleScores);
  for (int model = 1; model <= 5; ++model) items[27 + model] = BakeBikePortrait(model);
  items[33] = KeyedItem("DialogPanel", p.Dialog);
  items[34] = KeyedItem("Yes", p.Yes, p.Yes.Width / 2);
  items[35] = KeyedItem("No", p.No, p.No.Width / 2);
  items[36] = KeyedItem("Back", p.Back, p.Back.Width / 2);
  items[37] = KeyedItem("PreviousBike", p.PreviousBike, p.PreviousBike.Width / 2);
  items[38] = KeyedItem("NextBike", p.NextBike, p.NextBike.Width / 2);
  items[39] = KeyedItem("StartRaceButton", p.StartRace, p.StartRace.Width / 2);
  items[40] = KeyedItem("ClearTable", p.ClearTable, p.ClearTable.Width / 2);
  items[41] = KeyedItem("OnlineList", p.OnlineList, p.OnlineList.Width / 2);
  items[42] = KeyedItem("PreviousPage", p.PreviousPage, p.PreviousPage.Width / 2);
  items[43] = KeyedItem("NextPage", p.NextPage, p.NextPage.Width / 2);
  for (int i = 44; i <= 49; ++i) items[i] = PlaceholderPicture("Unused" + std::to_string(i));
  items[50] = KeyedItem("About", p.About);
  items[51] = OpaqueItem("ContentPanel", p.ContentPanel);
  items[52] = OpaqueItem("BikePanel", p.BikePanel);
  items[53] = OpaqueItem("HighScorePanel", p.ScorePanel);
  return items;
}
