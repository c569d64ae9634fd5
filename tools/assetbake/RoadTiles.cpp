// Every road tile is cut from a strip that draws one whole row of the corridor at once: a row
// of each kind the track generator lays (straight, bend, and the two rows of each drift).
// Everything in a strip follows straight boundary lines shared with the rows above and below
// and textures that repeat every tile, so tiles join wherever the generator puts them.
#include "RoadTiles.h"

#include <cassert>
#include <cmath>
#include <functional>
#include <string>

#include "Canvas.h"
#include "Decor.h"
#include "Textures.h"
#include "race/CollisionGeometry.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int T = kTileSize;

// Strip columns -2..7 around the corridor; the straight road's left edge cell is column 1.
constexpr int kFirstColumn = -2;
constexpr int kStripColumns = 10;
constexpr double kRoadWidth = 4.0 * T;
// A straight barrier lies in the roadside cell on x 38..72 (left) and 0..35 (right).
constexpr double kLeftBarrierFromRoad = 2.0 * T - 38.0;  // road edge to the barrier's far side
constexpr double kLeftBarrierWidth = 34.0;
constexpr double kRightBarrierFromRoad = T;
constexpr double kRightBarrierWidth = 35.0;
constexpr double kBarrierBodyWidth = 27.0;  // the rest of the band is the wall's shadow
constexpr double kEdgeLineInset = 4.0;
constexpr double kEdgeLineWidth = 6.0;
constexpr double kKerbWidth = 12.0;
constexpr double kKerbStripe = 18.0;  // world pixels; 72 holds two red-white pairs
// The lane lines run along both edges, inside the edge line. Lane tiles (kind 11) are shared
// by straight and diagonal rows, so no marking may reach them: in every row the asphalt
// within 36 pixels of either edge belongs to an edge or shoulder tile, and the lines stay there.
constexpr double kLaneLineInset = 24.0;
constexpr double kLaneLineWidth = 5.0;
constexpr double kLaneDash = 18.0;       // dash and gap; a dash never touches a row border
constexpr double kBarrierStripe = 18.0;  // painted barrier segments, two pairs a tile

const Colour kKerbRed = {0.80, 0.13, 0.10};
const Colour kKerbWhite = {0.93, 0.93, 0.90};
const Colour kLineWhite = {0.92, 0.92, 0.88};
const Colour kWallLight = {0.86, 0.86, 0.83};
const Colour kWallDark = {0.52, 0.52, 0.52};
const Colour kWallPaintA = {0.16, 0.33, 0.72};

int ColumnX(int column) {
  return (column - kFirstColumn) * T;
}

// A line x(y) across one row, y from 0 (top) to 72 (bottom).
struct Line {
  double Top;
  double Bottom;
  double At(double y) const { return Top + (Bottom - Top) * y / T; }
  Line Offset(double dx) const { return {Top + dx, Bottom + dx}; }
  double Slope() const { return (Bottom - Top) / T; }
};

enum class RowKind { Straight, Bend, HalfLeft, ShiftLeft, HalfRight, ShiftRight };

struct RowShape {
  Line Left;   // the asphalt's left boundary
  bool Kerbs;  // bend rows carry kerbs along both edges
};

// The half-step row of a drift lines up with the row below at its bottom and is displaced
// half a tile in the drift direction at its top; the shifted row continues from there.
RowShape ShapeOf(RowKind kind) {
  const double x = ColumnX(1);
  switch (kind) {
    case RowKind::Straight:
      return {{x, x}, false};
    case RowKind::Bend:
      return {{x, x}, true};
    case RowKind::HalfLeft:
      return {{x - T / 2.0, x}, true};
    case RowKind::ShiftLeft:
      return {{x - T, x - T / 2.0}, true};
    case RowKind::HalfRight:
      return {{x + T / 2.0, x}, true};
    case RowKind::ShiftRight:
      return {{x + T, x + T / 2.0}, true};
  }
  return {{x, x}, false};
}

// The polygon between two lines over the whole row, reaching past the top and bottom so the
// boundary rows are fully covered.
void BandPath(cairo_t* cr, Line a, Line b) {
  const double y0 = -2.0;
  const double y1 = T + 2.0;
  cairo_move_to(cr, a.At(y0), y0);
  cairo_line_to(cr, b.At(y0), y0);
  cairo_line_to(cr, b.At(y1), y1);
  cairo_line_to(cr, a.At(y1), y1);
  cairo_close_path(cr);
}

// A gradient across a band whose stops are horizontal offsets from its left line, so the
// shading stays the same where a straight band meets a diagonal one.
cairo_pattern_t* AcrossGradient(Line left, double width) {
  const double m = left.Slope();
  const double norm = std::sqrt(1.0 + m * m);
  const double nx = 1.0 / norm;
  const double ny = -m / norm;
  const double d = width / norm;
  const double x0 = left.At(0);
  return cairo_pattern_create_linear(x0, 0, x0 + nx * d, ny * d);
}

// Fills alternate horizontal stripes of `period` world pixels inside the current clip. The
// stripes are offset by half a stripe so that no stripe border lies on a tile border.
void FillStripes(cairo_t* cr, double worldTop, double period, double from, double to) {
  const double phase = period / 2;
  const double first = std::floor((worldTop - 2.0 - phase) / (2 * period)) * 2 * period + phase;
  for (double y = first; y < worldTop + T + 2.0; y += 2 * period) {
    cairo_rectangle(cr, from, y - worldTop, to - from, period);
  }
  cairo_fill(cr);
}

void DrawBarrier(cairo_t* cr, Line left, double width, double worldTop) {
  const Line bodyRight = left.Offset(kBarrierBodyWidth);
  // Shadow on the ground right of the wall, fading out before the band ends.
  cairo_pattern_t* shadow = AcrossGradient(left, width);
  const double s = kBarrierBodyWidth / width;
  cairo_pattern_add_color_stop_rgba(shadow, s - 0.02, 0, 0, 0, 0.50);
  cairo_pattern_add_color_stop_rgba(shadow, s + 0.06, 0, 0, 0, 0.35);
  cairo_pattern_add_color_stop_rgba(shadow, 1.0, 0, 0, 0, 0.0);
  cairo_set_source(cr, shadow);
  BandPath(cr, bodyRight.Offset(-1.0), left.Offset(width));
  cairo_fill(cr);
  cairo_pattern_destroy(shadow);

  // The wall: lit face, top, shaded face.
  cairo_pattern_t* body = AcrossGradient(left, kBarrierBodyWidth);
  cairo_pattern_add_color_stop_rgb(body, 0.0, 0.40, 0.40, 0.40);
  cairo_pattern_add_color_stop_rgb(body, 0.06, kWallLight.R, kWallLight.G, kWallLight.B);
  cairo_pattern_add_color_stop_rgb(body, 0.22, 0.96, 0.96, 0.94);
  cairo_pattern_add_color_stop_rgb(body, 0.78, 0.80, 0.80, 0.78);
  cairo_pattern_add_color_stop_rgb(body, 0.92, kWallDark.R, kWallDark.G, kWallDark.B);
  cairo_pattern_add_color_stop_rgb(body, 1.0, 0.30, 0.30, 0.30);
  cairo_set_source(cr, body);
  BandPath(cr, left, bodyRight);
  cairo_fill(cr);
  cairo_pattern_destroy(body);

  // Painted segments along the top.
  cairo_save(cr);
  BandPath(cr, left.Offset(5.0), bodyRight.Offset(-5.0));
  cairo_clip(cr);
  SetColour(cr, kWallPaintA, 0.92);
  FillStripes(cr, worldTop, kBarrierStripe, 0, kStripColumns * T);
  cairo_restore(cr);
  // A soft ridge highlight over the paint.
  cairo_pattern_t* ridge = AcrossGradient(left, kBarrierBodyWidth);
  cairo_pattern_add_color_stop_rgba(ridge, 0.15, 1, 1, 1, 0.0);
  cairo_pattern_add_color_stop_rgba(ridge, 0.35, 1, 1, 1, 0.35);
  cairo_pattern_add_color_stop_rgba(ridge, 0.55, 1, 1, 1, 0.0);
  cairo_set_source(cr, ridge);
  BandPath(cr, left, bodyRight);
  cairo_fill(cr);
  cairo_pattern_destroy(ridge);
}

void DrawKerb(cairo_t* cr, Line left, double worldTop) {
  const Line right = left.Offset(kKerbWidth);
  cairo_save(cr);
  BandPath(cr, left, right);
  cairo_clip(cr);
  SetColour(cr, kKerbWhite);
  cairo_paint(cr);
  SetColour(cr, kKerbRed);
  FillStripes(cr, worldTop, kKerbStripe, 0, kStripColumns * T);
  // Rounded profile: darker at both sides.
  cairo_pattern_t* g = AcrossGradient(left, kKerbWidth);
  cairo_pattern_add_color_stop_rgba(g, 0.0, 0, 0, 0, 0.35);
  cairo_pattern_add_color_stop_rgba(g, 0.3, 0, 0, 0, 0.0);
  cairo_pattern_add_color_stop_rgba(g, 0.7, 0, 0, 0, 0.0);
  cairo_pattern_add_color_stop_rgba(g, 1.0, 0, 0, 0, 0.3);
  cairo_set_source(cr, g);
  cairo_paint(cr);
  cairo_pattern_destroy(g);
  cairo_restore(cr);
}

// One row of the corridor across the whole strip. `worldTop` places the row in the world so
// that striped features keep their rhythm from row to row.
void DrawRow(cairo_t* cr, RowKind kind, double worldTop, cairo_pattern_t* grass,
             cairo_pattern_t* asphalt) {
  const RowShape shape = ShapeOf(kind);
  const Line left = shape.Left;
  const Line right = left.Offset(kRoadWidth);
  cairo_set_source(cr, grass);
  cairo_paint(cr);

  DrawBarrier(cr, left.Offset(-kLeftBarrierFromRoad), kLeftBarrierWidth, worldTop);
  DrawBarrier(cr, right.Offset(kRightBarrierFromRoad), kRightBarrierWidth, worldTop);
  if (shape.Kerbs) {
    DrawKerb(cr, left.Offset(-kKerbWidth), worldTop);
    DrawKerb(cr, right, worldTop);
  }

  cairo_set_source(cr, asphalt);
  BandPath(cr, left, right);
  cairo_fill(cr);
  // Rubber and dust darken the asphalt a little towards its edges.
  for (int side = 0; side < 2; ++side) {
    const Line edge = side == 0 ? left : right.Offset(-14.0);
    cairo_pattern_t* g = AcrossGradient(edge, 14.0);
    cairo_pattern_add_color_stop_rgba(g, 0.0, 0, 0, 0, side == 0 ? 0.18 : 0.0);
    cairo_pattern_add_color_stop_rgba(g, 1.0, 0, 0, 0, side == 0 ? 0.0 : 0.18);
    cairo_set_source(cr, g);
    BandPath(cr, edge, edge.Offset(14.0));
    cairo_fill(cr);
    cairo_pattern_destroy(g);
  }

  // Tyre rubber laid where riders brush the edge lines, two faint streaks a side.
  for (const double inset : {13.0, 31.5}) {
    SetColour(cr, {0.05, 0.05, 0.06}, 0.10);
    BandPath(cr, left.Offset(inset), left.Offset(inset + 3.0));
    cairo_fill(cr);
    BandPath(cr, right.Offset(-inset - 3.0), right.Offset(-inset));
    cairo_fill(cr);
  }

  SetColour(cr, kLineWhite, 0.95);
  BandPath(cr, left.Offset(kEdgeLineInset), left.Offset(kEdgeLineInset + kEdgeLineWidth));
  cairo_fill(cr);
  BandPath(cr, right.Offset(-kEdgeLineInset - kEdgeLineWidth), right.Offset(-kEdgeLineInset));
  cairo_fill(cr);
  // Dashed lane lines in the world's rhythm, so dashes run on from row to row.
  for (int side = 0; side < 2; ++side) {
    cairo_save(cr);
    if (side == 0) {
      BandPath(cr, left.Offset(kLaneLineInset), left.Offset(kLaneLineInset + kLaneLineWidth));
    } else {
      BandPath(cr, right.Offset(-kLaneLineInset - kLaneLineWidth), right.Offset(-kLaneLineInset));
    }
    cairo_clip(cr);
    SetColour(cr, kLineWhite, 0.92);
    FillStripes(cr, worldTop, kLaneDash, 0, kStripColumns * T);
    cairo_restore(cr);
  }
}

// A repaired rectangle of asphalt with its tar seal, lying along the road's direction. Only
// the drift rows' own edge tiles carry one, so patches never line up in a grid.
void DrawPatch(cairo_t* cr, cairo_pattern_t* asphalt, double cx, double cy, double w, double h,
               double slope) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, -std::atan(slope));
  cairo_rectangle(cr, -w / 2, -h / 2, w, h);
  cairo_restore(cr);
  cairo_set_source(cr, asphalt);
  cairo_fill_preserve(cr);
  SetColour(cr, {0.02, 0.02, 0.03}, 0.06);
  cairo_fill_preserve(cr);
  SetColour(cr, {0.03, 0.03, 0.04}, 0.16);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
}

struct TileCanvas {
  Canvas Picture{T, T};
  cairo_t* Cr() { return Picture.Cr(); }
};

// Copies one cell of a strip into a tile canvas.
void CutCell(Canvas& strip, int column, TileCanvas& tile) {
  cairo_surface_t* target = cairo_get_target(strip.Cr());
  cairo_set_operator(tile.Cr(), CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(tile.Cr(), target, -ColumnX(column), 0);
  cairo_paint(tile.Cr());
  cairo_set_operator(tile.Cr(), CAIRO_OPERATOR_OVER);
}

// Where a drift tile's collision shape reaches past its drawn wall, stacks of tyres fill the
// gap, so the rider never crashes into bare grass.
void AddCrashTyres(TileCanvas& tile, int kind, const std::vector<Line>& walls) {
  const int index = RoadsideIndex(kind);
  if (index < 0) return;
  const auto& c = RoadsideShapes[index].Corners;
  constexpr double kRadius = 5.5;
  constexpr double kMargin = 1.0;
  constexpr double kShadow = 1.0;
  // A tyre may stand a little outside the shape, to fill its corners at the tile's edges.
  constexpr double kReach = 3.0;
  auto inShape = [&](double x, double y) {
    return PointInQuad(x, y, c[0][0], c[0][1], c[1][0], c[1][1], c[2][0], c[2][1], c[3][0],
                       c[3][1]);
  };
  std::vector<std::pair<double, double>> placed;
  for (double y = kRadius + kMargin; y + kRadius + kShadow <= T - kMargin; y += 1.0) {
    for (double x = kRadius + kMargin; x + kRadius + kShadow <= T - kMargin; x += 1.0) {
      if (!inShape(x, y) && !inShape(x + kReach, y) && !inShape(x, y - kReach) &&
          !inShape(x - kReach, y) && !inShape(x, y + kReach)) {
        continue;
      }
      bool clear = true;
      for (size_t w = 0; w + 1 < walls.size() && clear; w += 2) {
        const double a = walls[w].At(y);
        const double b = walls[w + 1].At(y);
        const double reach = kRadius * 0.9 * std::sqrt(1.0 + walls[w].Slope() * walls[w].Slope());
        if (x > a - reach && x < b + reach) clear = false;
      }
      for (const auto& [px, py] : placed) {
        if (std::hypot(px - x, py - y) < 2 * kRadius - 2.0) clear = false;
      }
      if (clear) placed.emplace_back(x, y);
    }
  }
  for (const auto& [x, y] : placed) DrawTyre(tile.Cr(), x, y, kRadius);
}

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

// ---- Roadside skins: each stays inside its tile and leaves the wall's ends untouched. ----

struct Side {
  bool Left;       // the left roadside: wall on x 38..72, ground on 0..38
  double WallX0;   // the wall body's left x
  double GroundX;  // the middle of the free ground beside the wall
};

Side SideOf(bool left) {
  return left ? Side{true, 38.0, 17.0} : Side{false, 0.0, 55.0};
}

void SkinAdvert(cairo_t* cr, Side side, Colour board, Colour ink, const char* text) {
  const double x = side.WallX0 + 3.0;
  const double w = kBarrierBodyWidth - 6.0;
  DrawShadowEllipse(cr, x + w / 2 + 4, 36 + 3, w / 2 + 3, 30, 0.35);
  cairo_rectangle(cr, x, 8, w, 56);
  cairo_pattern_t* g = cairo_pattern_create_linear(x, 0, x + w, 0);
  const Colour hi = Shade(board, 1.25);
  const Colour lo = Shade(board, 0.7);
  cairo_pattern_add_color_stop_rgb(g, 0.0, hi.R, hi.G, hi.B);
  cairo_pattern_add_color_stop_rgb(g, 1.0, lo.R, lo.G, lo.B);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_source_rgba(cr, 0.1, 0.1, 0.1, 0.8);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  SetColour(cr, ink);
  DrawCentredText(cr, text, x + w / 2, 36, 8.0, side.Left ? -kPi / 2 : kPi / 2);
}

void SkinTyres(cairo_t* cr, Side side) {
  const double gx = side.Left ? 28.0 : 44.0;
  DrawTyre(cr, gx, 20, 9);
  DrawTyre(cr, gx, 38, 9);
  DrawTyre(cr, gx + (side.Left ? -15 : 15), 29, 8);
  DrawTyre(cr, gx, 55, 8.5);
}

void SkinTree(cairo_t* cr, Side side) {
  DrawTree(cr, side.Left ? 26.0 : 46.0, 34, 22, {0.20, 0.42, 0.16}, side.Left ? 11 : 12);
}

// A marshals' service car parked along the verge, nose up the track, light bar on its roof.
void SkinCar(cairo_t* cr, Side side) {
  const double w = 19.0, h = 38.0;
  const double x = side.GroundX - w / 2 + (side.Left ? -1.0 : 1.0);
  const double y = 16.0;
  cairo_set_source_rgba(cr, 0, 0, 0, 0.38);
  RoundedRectPath(cr, x + 3.5, y + 3.5, w, h, 5);
  cairo_fill(cr);
  // Wheels peeping out beside the body.
  SetColour(cr, {0.08, 0.08, 0.09});
  for (const double wy : {y + 7.0, y + h - 12.0}) {
    cairo_rectangle(cr, x - 1.5, wy, 3, 6);
    cairo_rectangle(cr, x + w - 1.5, wy, 3, 6);
  }
  cairo_fill(cr);
  // The body, lit from the left.
  RoundedRectPath(cr, x, y, w, h, 5);
  cairo_pattern_t* body = cairo_pattern_create_linear(x, 0, x + w, 0);
  cairo_pattern_add_color_stop_rgb(body, 0.0, 0.99, 0.99, 0.97);
  cairo_pattern_add_color_stop_rgb(body, 0.6, 0.90, 0.90, 0.88);
  cairo_pattern_add_color_stop_rgb(body, 1.0, 0.66, 0.66, 0.66);
  cairo_set_source(cr, body);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(body);
  cairo_set_source_rgba(cr, 0.15, 0.15, 0.17, 0.9);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  // A stripe along the bonnet and the boot in the marshals' orange.
  SetColour(cr, {0.95, 0.45, 0.08});
  cairo_rectangle(cr, x + w / 2 - 2.5, y + 1.5, 5, 7);
  cairo_rectangle(cr, x + w / 2 - 2.5, y + h - 6.5, 5, 5);
  cairo_fill(cr);
  // Windscreen and rear window, the roof between them.
  SetColour(cr, {0.16, 0.22, 0.30});
  RoundedRectPath(cr, x + 2.5, y + 9, w - 5, 7, 2);
  cairo_fill(cr);
  RoundedRectPath(cr, x + 3, y + h - 13, w - 6, 5, 2);
  cairo_fill(cr);
  SetColour(cr, {0.55, 0.68, 0.80}, 0.7);
  cairo_move_to(cr, x + 4, y + 10.5);
  cairo_line_to(cr, x + 8, y + 10.5);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  // Light bar: amber lamps on a dark rail across the roof.
  SetColour(cr, {0.12, 0.12, 0.14});
  cairo_rectangle(cr, x + 2, y + 19.5, w - 4, 4);
  cairo_fill(cr);
  SetColour(cr, {1.0, 0.72, 0.12});
  cairo_rectangle(cr, x + 3, y + 20.3, 4.5, 2.4);
  cairo_rectangle(cr, x + w - 7.5, y + 20.3, 4.5, 2.4);
  cairo_fill(cr);
  // Mirrors.
  SetColour(cr, {0.20, 0.20, 0.22});
  cairo_rectangle(cr, x - 2.5, y + 10, 2.5, 2);
  cairo_rectangle(cr, x + w, y + 10, 2.5, 2);
  cairo_fill(cr);
}

void SkinRocks(cairo_t* cr, Side side) {
  DrawRock(cr, side.GroundX, 22, 10, side.Left ? 31 : 32);
  DrawRock(cr, side.GroundX + (side.Left ? 6 : -6), 44, 12, side.Left ? 33 : 34);
  DrawRock(cr, side.GroundX + (side.Left ? -8 : 8), 58, 6, side.Left ? 35 : 36);
}

// A photographer's striped parasol and camera on the verge.
void SkinParasol(cairo_t* cr, Side side) {
  const double cx = side.GroundX, cy = 28;
  const double r = 12;
  DrawShadowEllipse(cr, cx + 4, cy + 4, r + 1, r + 1, 0.40);
  for (int i = 0; i < 8; ++i) {
    const double a0 = 2 * kPi * i / 8, a1 = 2 * kPi * (i + 1) / 8;
    cairo_move_to(cr, cx, cy);
    cairo_arc(cr, cx, cy, r, a0, a1);
    cairo_close_path(cr);
    if (i % 2 == 0) {
      cairo_set_source_rgb(cr, 0.90, 0.16, 0.12);
    } else {
      cairo_set_source_rgb(cr, 0.96, 0.95, 0.90);
    }
    cairo_fill(cr);
  }
  cairo_pattern_t* shade = cairo_pattern_create_radial(cx - 4, cy - 4, 1, cx, cy, r);
  cairo_pattern_add_color_stop_rgba(shade, 0.0, 1, 1, 1, 0.25);
  cairo_pattern_add_color_stop_rgba(shade, 1.0, 0, 0, 0, 0.30);
  cairo_set_source(cr, shade);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.30, 0.30, 0.32);
  cairo_arc(cr, cx, cy, 1.8, 0, 2 * kPi);
  cairo_fill(cr);
  // The camera on its tripod, lens to the road.
  const double kx = side.GroundX, ky = 55;
  const double dir = side.Left ? 1.0 : -1.0;
  DrawShadowEllipse(cr, kx + 3, ky + 3, 8, 5, 0.35);
  cairo_set_source_rgb(cr, 0.12, 0.12, 0.14);
  cairo_rectangle(cr, kx - 5, ky - 4, 10, 8);
  cairo_fill(cr);
  cairo_rectangle(cr, kx + dir * 5 - (dir < 0 ? 5 : 0), ky - 2.5, 5, 5);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.45, 0.62, 0.80);
  cairo_arc(cr, kx + dir * 9.5, ky, 1.6, 0, 2 * kPi);
  cairo_fill(cr);
}

// A round bale and, below it, a block of small square bales tied with twine.
void SkinHay(cairo_t* cr, Side side) {
  const double cx = side.Left ? 21.0 : 51.0;
  const double cy = 20.0;
  DrawShadowEllipse(cr, cx + 4, cy + 4, 15, 13, 0.4);
  cairo_pattern_t* g = cairo_pattern_create_radial(cx - 5, cy - 5, 1, cx, cy, 13);
  cairo_pattern_add_color_stop_rgb(g, 0.0, 0.96, 0.86, 0.52);
  cairo_pattern_add_color_stop_rgb(g, 1.0, 0.70, 0.56, 0.24);
  cairo_set_source(cr, g);
  cairo_arc(cr, cx, cy, 12.5, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // The rolled layers of the bale.
  cairo_set_source_rgba(cr, 0.55, 0.42, 0.16, 0.6);
  cairo_set_line_width(cr, 1.0);
  for (double r = 3.0; r < 12.0; r += 3.0) {
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_stroke(cr);
  }
  // Two square bales side by side and a third crosswise below them, a little askew.
  cairo_save(cr);
  cairo_translate(cr, side.Left ? 19.0 : 53.0, 50.0);
  cairo_rotate(cr, side.Left ? -0.12 : 0.12);
  auto bale = [cr](double x, double y, double w, double h) {
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_rectangle(cr, x + 3, y + 3, w, h);
    cairo_fill(cr);
    cairo_pattern_t* face = cairo_pattern_create_linear(x, y, x + w, y + h);
    cairo_pattern_add_color_stop_rgb(face, 0.0, 0.93, 0.82, 0.48);
    cairo_pattern_add_color_stop_rgb(face, 1.0, 0.76, 0.62, 0.30);
    cairo_set_source(cr, face);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(face);
    // Straw grain along the bale and its two strings across.
    cairo_set_source_rgba(cr, 0.58, 0.45, 0.18, 0.45);
    cairo_set_line_width(cr, 0.7);
    const bool lengthwise = w > h;
    for (double t = 2.0; t < (lengthwise ? h : w) - 1.0; t += 2.5) {
      if (lengthwise) {
        cairo_move_to(cr, x + 1, y + t);
        cairo_line_to(cr, x + w - 1, y + t);
      } else {
        cairo_move_to(cr, x + t, y + 1);
        cairo_line_to(cr, x + t, y + h - 1);
      }
    }
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 0.35, 0.22, 0.10, 0.9);
    cairo_set_line_width(cr, 1.0);
    for (const double f : {0.3, 0.7}) {
      if (lengthwise) {
        cairo_move_to(cr, x + w * f, y);
        cairo_line_to(cr, x + w * f, y + h);
      } else {
        cairo_move_to(cr, x, y + h * f);
        cairo_line_to(cr, x + w, y + h * f);
      }
    }
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 0.40, 0.30, 0.10, 0.8);
    cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
    cairo_stroke(cr);
  };
  bale(-12, -12, 11, 17);
  bale(1, -11, 11, 17);
  bale(-11, 8, 23, 9);
  cairo_restore(cr);
}

void SkinMarshal(cairo_t* cr, Side side) {
  const double x = side.Left ? 6.0 : 40.0;
  DrawShadowEllipse(cr, x + 17, 38, 17, 17, 0.35);
  // A small post with a pitched orange roof.
  cairo_rectangle(cr, x, 20, 26, 30);
  SetColour(cr, {0.93, 0.55, 0.12});
  cairo_fill(cr);
  cairo_move_to(cr, x, 20);
  cairo_line_to(cr, x + 13, 24);
  cairo_line_to(cr, x + 13, 46);
  cairo_line_to(cr, x, 50);
  cairo_close_path(cr);
  SetColour(cr, {1.0, 0.72, 0.30});
  cairo_fill(cr);
  cairo_move_to(cr, x + 26, 20);
  cairo_line_to(cr, x + 13, 24);
  cairo_line_to(cr, x + 13, 46);
  cairo_line_to(cr, x + 26, 50);
  cairo_close_path(cr);
  SetColour(cr, {0.72, 0.38, 0.08});
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 0.2, 0.1, 0.0, 0.8);
  cairo_set_line_width(cr, 1.0);
  cairo_rectangle(cr, x, 20, 26, 30);
  cairo_stroke(cr);
  // Flag on its pole.
  const double px = side.Left ? x + 30 : x - 2;
  cairo_set_source_rgb(cr, 0.25, 0.25, 0.25);
  cairo_arc(cr, px, 58, 1.8, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.96, 0.85, 0.10);
  cairo_move_to(cr, px, 58);
  cairo_line_to(cr, px + (side.Left ? -10 : 10), 62);
  cairo_line_to(cr, px, 66);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void SkinCrowd(cairo_t* cr, Side side) {
  BakeRandom random(side.Left ? 71 : 72);
  const Colour shirts[] = {{0.85, 0.20, 0.15}, {0.95, 0.80, 0.15}, {0.20, 0.45, 0.85},
                           {0.95, 0.95, 0.95}, {0.25, 0.65, 0.30}, {0.60, 0.25, 0.70}};
  const Colour hair[] = {{0.15, 0.10, 0.05}, {0.45, 0.30, 0.15}, {0.85, 0.70, 0.40}};
  for (int row = 0; row < 2; ++row) {
    for (int i = 0; i < 4; ++i) {
      const double cx = (side.Left ? 10.0 + 15.0 * row : 62.0 - 15.0 * row) + random.Range(-1, 1);
      const double cy = 12.0 + 15.0 * i + (row ? 7.0 : 0.0) + random.Range(-1.5, 1.5);
      if (cy > 62) continue;
      DrawShadowEllipse(cr, cx + 3, cy + 3, 7, 6, 0.3);
      SetColour(cr, shirts[random.Next() % 6]);
      cairo_save(cr);
      cairo_translate(cr, cx, cy);
      cairo_scale(cr, 1.0, 1.6);
      cairo_arc(cr, 0, 0, 4.5, 0, 2 * kPi);
      cairo_restore(cr);
      cairo_fill(cr);
      SetColour(cr, hair[random.Next() % 3]);
      cairo_arc(cr, cx + (side.Left ? 0.8 : -0.8), cy, 3.0, 0, 2 * kPi);
      cairo_fill(cr);
    }
  }
}

void DrawSkin(cairo_t* cr, int variant, bool left) {
  const Side side = SideOf(left);
  switch (variant) {
    case 1:
      SkinAdvert(cr, side, {0.95, 0.78, 0.10}, {0.10, 0.10, 0.12}, "GEAR RUSH");
      break;
    case 2:
      SkinTyres(cr, side);
      break;
    case 3:
      SkinTree(cr, side);
      break;
    case 4:
      SkinCar(cr, side);
      break;
    case 5:
      SkinParasol(cr, side);
      break;
    case 6:
      SkinHay(cr, side);
      break;
    case 7:
      SkinMarshal(cr, side);
      break;
    case 8:
      SkinRocks(cr, side);
      SkinCrowd(cr, side);
      break;
    default:
      break;
  }
}

// ---- Ground and ground objects ----

void PaintGrass(cairo_t* cr, cairo_pattern_t* grass) {
  cairo_set_source(cr, grass);
  cairo_paint(cr);
}

void DrawFlowers(cairo_t* cr, uint64_t seed) {
  BakeRandom random(seed);
  for (int clump = 0; clump < 3; ++clump) {
    const double cx = random.Range(14, 58);
    const double cy = random.Range(14, 58);
    for (int i = 0; i < 5; ++i) {
      const double a = random.Range(0, 2 * kPi);
      const double d = random.Range(1, 9);
      const double fx = cx + std::cos(a) * d;
      const double fy = cy + std::sin(a) * d;
      if (random.Uniform() < 0.5) {
        cairo_set_source_rgb(cr, 0.98, 0.96, 0.90);
      } else {
        cairo_set_source_rgb(cr, 0.98, 0.85, 0.20);
      }
      cairo_arc(cr, fx, fy, 1.6, 0, 2 * kPi);
      cairo_fill(cr);
      cairo_set_source_rgb(cr, 0.95, 0.70, 0.10);
      cairo_arc(cr, fx, fy, 0.6, 0, 2 * kPi);
      cairo_fill(cr);
    }
  }
}

// A molehill of fresh earth, a smaller older one half grown over, and a tuft of long grass
// that the mower missed. Scatter tiles cover half the open ground, so a view often holds the
// same one twice: they stay small and close to the grass in tone, read as ground, not props.
void DrawMolehills(cairo_t* cr, uint64_t seed) {
  BakeRandom random(seed);
  const double hills[][4] = {{26, 30, 5.5, 1.0}, {46, 50, 3.8, 0.55}};
  for (const auto& h : hills) {
    const double cx = h[0], cy = h[1], r = h[2], fresh = h[3];
    DrawShadowEllipse(cr, cx + 1.5, cy + 1.5, r + 1.0, r + 0.5, 0.22 * fresh);
    const Colour top = Mix({0.40, 0.48, 0.22}, {0.56, 0.44, 0.30}, fresh);
    const Colour side = Mix({0.28, 0.38, 0.16}, {0.38, 0.29, 0.19}, fresh);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - r * 0.4, cy - r * 0.4, 0.5, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(g, 0.0, top.R, top.G, top.B);
    cairo_pattern_add_color_stop_rgb(g, 1.0, side.R, side.G, side.B);
    cairo_set_source(cr, g);
    cairo_new_path(cr);
    for (int i = 0; i <= 12; ++i) {
      const double a = 2 * kPi * (i % 12) / 12;
      const double d = r * (i % 12 == 0 ? 1.0 : random.Range(0.82, 1.08));
      if (i == 0) {
        cairo_move_to(cr, cx + std::cos(a) * d, cy + std::sin(a) * d);
      } else {
        cairo_line_to(cr, cx + std::cos(a) * d, cy + std::sin(a) * d);
      }
    }
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Crumbs of soil thrown round the mound.
    for (int i = 0; i < 5; ++i) {
      const double a = random.Range(0, 2 * kPi);
      const double d = r * random.Range(1.0, 1.5);
      SetColour(cr, side, 0.6 * fresh);
      cairo_arc(cr, cx + std::cos(a) * d, cy + std::sin(a) * d, random.Range(0.6, 1.2), 0, 2 * kPi);
      cairo_fill(cr);
    }
  }
  // The tuft: long blades leaning away from the light.
  const double tx = 50, ty = 20;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 16; ++i) {
    const double a = -kPi / 2 + random.Range(-1.1, 1.1);
    const double len = random.Range(6, 11);
    const double bx = tx + random.Range(-3, 3), by = ty + random.Range(-1.5, 1.5);
    SetColour(cr, Mix({0.24, 0.40, 0.12}, {0.62, 0.70, 0.30}, random.Uniform()), 0.9);
    cairo_set_line_width(cr, random.Range(0.8, 1.3));
    cairo_move_to(cr, bx, by + 3);
    cairo_curve_to(cr, bx, by, bx + std::cos(a) * len * 0.5, by + std::sin(a) * len * 0.5,
                   bx + std::cos(a) * len + 2, by + std::sin(a) * len);
    cairo_stroke(cr);
  }
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void DrawStones(cairo_t* cr, uint64_t seed) {
  BakeRandom random(seed);
  for (int i = 0; i < 4; ++i) {
    DrawRock(cr, random.Range(14, 58), random.Range(14, 56), random.Range(2.0, 4.0), seed * 10 + i);
  }
}

// The timber-roofed shed and tree of the L-shaped 2x2 object; the top-right cell stays plain.
void DrawShedObject(cairo_t* cr) {
  DrawConifer(cr, 36, 38, 24, {0.14, 0.34, 0.20}, 52);
  const double x0 = 10, y0 = 86, x1 = 132, y1 = 128;
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_rectangle(cr, x0 + 6, y0 + 6, x1 - x0, y1 - y0);
  cairo_fill(cr);
  const double mid = (y0 + y1) / 2;
  // Two roof slopes, the upper one in the light.
  cairo_pattern_t* up = cairo_pattern_create_linear(0, y0, 0, mid);
  cairo_pattern_add_color_stop_rgb(up, 0, 0.50, 0.40, 0.29);
  cairo_pattern_add_color_stop_rgb(up, 1, 0.60, 0.49, 0.35);
  cairo_set_source(cr, up);
  cairo_rectangle(cr, x0, y0, x1 - x0, mid - y0);
  cairo_fill(cr);
  cairo_pattern_destroy(up);
  cairo_pattern_t* down = cairo_pattern_create_linear(0, mid, 0, y1);
  cairo_pattern_add_color_stop_rgb(down, 0, 0.40, 0.31, 0.22);
  cairo_pattern_add_color_stop_rgb(down, 1, 0.32, 0.24, 0.17);
  cairo_set_source(cr, down);
  cairo_rectangle(cr, x0, mid, x1 - x0, y1 - mid);
  cairo_fill(cr);
  cairo_pattern_destroy(down);
  // Roof tiles and ridge.
  cairo_set_source_rgba(cr, 0.18, 0.12, 0.07, 0.35);
  cairo_set_line_width(cr, 1.0);
  for (double x = x0 + 6; x < x1; x += 6) {
    cairo_move_to(cr, x, y0);
    cairo_line_to(cr, x, y1);
  }
  cairo_stroke(cr);
  cairo_set_source_rgb(cr, 0.70, 0.60, 0.45);
  cairo_set_line_width(cr, 2.0);
  cairo_move_to(cr, x0, mid);
  cairo_line_to(cr, x1, mid);
  cairo_stroke(cr);
  // Moss on the shaded slope.
  BakeRandom moss(53);
  for (int i = 0; i < 6; ++i) {
    SetColour(cr, {0.30, 0.40, 0.18}, 0.45);
    cairo_arc(cr, moss.Range(x0 + 10, x1 - 10), moss.Range(mid + 5, y1 - 5), moss.Range(2, 5), 0,
              2 * kPi);
    cairo_fill(cr);
  }
  cairo_set_source_rgba(cr, 0.06, 0.06, 0.07, 0.9);
  cairo_set_line_width(cr, 1.0);
  cairo_rectangle(cr, x0 + 0.5, y0 + 0.5, x1 - x0 - 1, y1 - y0 - 1);
  cairo_stroke(cr);
}

// A vegetable plot of young rows in dark soil, with a scarecrow: the inner 2x2 object, a plot
// of its own or the paddock's inside. Its colours stay close to the grass so that two plots
// in view do not shout.
void DrawFieldObject(cairo_t* cr) {
  BakeRandom random(60);
  const double cx = 72, cy = 72;
  // An irregular outline: a rounded square pushed in and out a little.
  auto outline = [&](double inset) {
    BakeRandom shape(61);
    const int n = 16;
    cairo_new_path(cr);
    for (int i = 0; i <= n; ++i) {
      const double a = 2 * kPi * (i % n) / n + kPi / 4;
      const double squircle =
          1.0 /
          std::pow(std::pow(std::abs(std::cos(a)), 4) + std::pow(std::abs(std::sin(a)), 4), 0.25);
      const double r = (46 - inset) * squircle + (i % n == 0 ? 0 : shape.Range(-2.5, 2.5));
      const double x = cx + std::cos(a) * r, y = cy + std::sin(a) * r;
      if (i == 0) {
        cairo_move_to(cr, x, y);
      } else {
        cairo_line_to(cr, x, y);
      }
    }
    cairo_close_path(cr);
  };
  outline(-4);
  SetColour(cr, {0.26, 0.40, 0.14}, 0.45);
  cairo_fill(cr);
  outline(0);
  SetColour(cr, {0.40, 0.34, 0.20});
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  // Rows of young plants, each a line of small leafy tufts.
  for (double y = cy - 46; y < cy + 48; y += 7) {
    for (double x = cx - 50; x < cx + 50; x += 4.5) {
      const double r = random.Range(1.6, 2.6);
      SetColour(cr, Mix({0.30, 0.50, 0.16}, {0.46, 0.62, 0.22}, random.Uniform()));
      cairo_arc(cr, x + random.Range(-0.8, 0.8), y + random.Range(-0.8, 0.8), r, 0, 2 * kPi);
      cairo_fill(cr);
    }
  }
  // A path of trodden soil across the plot.
  SetColour(cr, {0.50, 0.42, 0.26}, 0.85);
  cairo_rectangle(cr, cx - 3, cy - 50, 6, 100);
  cairo_fill(cr);
  cairo_restore(cr);
  // The scarecrow: arms, coat, straw hat.
  const double sx = cx + 22, sy = cy - 18;
  DrawShadowEllipse(cr, sx + 4, sy + 4, 13, 5, 0.35);
  SetColour(cr, {0.40, 0.26, 0.12});
  cairo_rectangle(cr, sx - 13, sy - 1.5, 26, 3);
  cairo_fill(cr);
  SetColour(cr, {0.22, 0.30, 0.55});
  cairo_arc(cr, sx, sy, 5, 0, 2 * kPi);
  cairo_fill(cr);
  SetColour(cr, {0.92, 0.80, 0.40});
  cairo_arc(cr, sx, sy, 3.5, 0, 2 * kPi);
  cairo_fill(cr);
  SetColour(cr, {0.62, 0.48, 0.18});
  cairo_arc(cr, sx, sy, 1.6, 0, 2 * kPi);
  cairo_fill(cr);
  // A wheelbarrow left by the path.
  DrawShadowEllipse(cr, cx - 14, cy + 28, 7, 5, 0.35);
  SetColour(cr, {0.55, 0.58, 0.62});
  RoundedRectPath(cr, cx - 22, cy + 20, 12, 9, 2);
  cairo_fill(cr);
  SetColour(cr, {0.12, 0.12, 0.13});
  cairo_rectangle(cr, cx - 24, cy + 23, 2, 3);
  cairo_fill(cr);
}

// The 3x3 object: a copse of trees around a rocky knoll.
void DrawCopseObject(cairo_t* cr) {
  DrawRock(cr, 104, 112, 22, 650);
  DrawRock(cr, 128, 98, 13, 651);
  struct TreeSpot {
    double X, Y, R;
  };
  const TreeSpot trees[] = {{52, 50, 30},  {108, 40, 26},  {160, 58, 32},  {42, 118, 28},
                            {62, 168, 30}, {120, 170, 34}, {172, 130, 28}, {150, 112, 18}};
  uint64_t seed = 660;
  for (const TreeSpot& t : trees) {
    const Colour leaf = (seed % 3 == 0)   ? Colour{0.18, 0.40, 0.14}
                        : (seed % 3 == 1) ? Colour{0.24, 0.46, 0.16}
                                          : Colour{0.16, 0.36, 0.18};
    // Firs stand among the broadleaved trees, so the copse is not one tree repeated.
    if (seed % 3 == 1) {
      DrawConifer(cr, t.X, t.Y, t.R * 0.9, {0.14, 0.34, 0.20}, seed++);
    } else {
      DrawTree(cr, t.X, t.Y, t.R, leaf, seed++);
    }
  }
}

// One run of post-and-rail fence between two posts, with its shadow.
void FenceRun(cairo_t* cr, double x0, double y0, double x1, double y1) {
  const double dx = x1 - x0, dy = y1 - y0;
  const double len = std::hypot(dx, dy);
  const double nx = -dy / len, ny = dx / len;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  for (int pass = 0; pass < 2; ++pass) {
    const double sh = pass == 0 ? 2.5 : 0.0;
    for (double o : {-2.0, 2.0}) {
      cairo_move_to(cr, x0 + nx * o + sh, y0 + ny * o + sh);
      cairo_line_to(cr, x1 + nx * o + sh, y1 + ny * o + sh);
    }
    if (pass == 0) {
      cairo_set_source_rgba(cr, 0, 0, 0, 0.28);
    } else {
      cairo_set_source_rgb(cr, 0.62, 0.45, 0.26);
    }
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
  }
  for (const auto& [px, py] : {std::pair{x0, y0}, std::pair{x1, y1}}) {
    cairo_set_source_rgba(cr, 0, 0, 0, 0.30);
    cairo_rectangle(cr, px - 2.5 + 2.5, py - 2.5 + 2.5, 5, 5);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.40, 0.27, 0.14);
    cairo_rectangle(cr, px - 2.5, py - 2.5, 5, 5);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.70, 0.54, 0.34);
    cairo_rectangle(cr, px - 1.5, py - 1.5, 3, 3);
    cairo_fill(cr);
  }
}

// Pieces of the 4x4 paddock fence round the field. Every run ends on a post inside its own
// cell, so pieces repeat along a side and the fence simply ends where a side stops. The rails
// run near the cells' bottom and right edges: the top row and the left column are the first
// cells of the block, so there the fence hugs the plot, and the right and bottom sides, which
// continue the top and left rails, meet them post to post at the corners instead of running
// past each other. The side pieces repeat within one paddock, so only the corner piece, which
// each paddock has once, carries a tree.
constexpr double kFenceLine = 66;

// A sheep seen from above, its head towards `angle` (radians from the x axis).
void DrawSheep(cairo_t* cr, double cx, double cy, double angle) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_save(cr);
  cairo_translate(cr, 2.0, 2.0);
  cairo_scale(cr, 6.5, 4.5);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.30);
  cairo_fill(cr);
  // The fleece: a few overlapping curls.
  BakeRandom curls(static_cast<uint64_t>(cx * 100 + cy));
  for (int i = 0; i < 7; ++i) {
    const double x = curls.Range(-4.0, 3.5), y = curls.Range(-2.2, 2.2);
    FillLitDisc(cr, x, y, 3.0, x - 1, y - 1, 0.3, {0.99, 0.98, 0.94}, {0.80, 0.78, 0.72});
  }
  // Head and ears.
  SetColour(cr, {0.16, 0.14, 0.13});
  cairo_save(cr);
  cairo_translate(cr, 7.0, 0);
  cairo_scale(cr, 2.4, 1.8);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
  cairo_fill(cr);
  cairo_arc(cr, 6.0, -2.2, 0.9, 0, 2 * kPi);
  cairo_arc(cr, 6.0, 2.2, 0.9, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_restore(cr);
}

void DrawFence(cairo_t* cr, int kind) {
  switch (kind) {
    case 55:
    case 57:
      FenceRun(cr, 4, kFenceLine, 68, kFenceLine);
      break;
    case 56:
    case 59:
      FenceRun(cr, kFenceLine, 4, kFenceLine, 68);
      break;
    case 58:
      // The corner: the bottom rail and the right rail meet at a post; inside, an old tree
      // shades two sheep.
      DrawTree(cr, 42, 38, 16, {0.20, 0.40, 0.15}, 580);
      DrawSheep(cr, 14, 20, 0.5);
      DrawSheep(cr, 20, 50, -0.35);
      FenceRun(cr, 4, kFenceLine, kFenceLine, kFenceLine);
      FenceRun(cr, kFenceLine, 4, kFenceLine, kFenceLine);
      break;
    default:
      break;
  }
}

// Draws a multi-cell object on one canvas and hands out its cells.
void CutObject(int cellsWide, int cellsHigh, cairo_pattern_t* grass,
               const std::function<void(cairo_t*)>& draw,
               const std::function<void(int, int, Canvas&)>& take) {
  Canvas object(cellsWide * T, cellsHigh * T);
  PaintGrass(object.Cr(), grass);
  draw(object.Cr());
  for (int r = 0; r < cellsHigh; ++r) {
    for (int c = 0; c < cellsWide; ++c) {
      Canvas cell(T, T);
      cairo_set_source_surface(cell.Cr(), cairo_get_target(object.Cr()), -c * T, -r * T);
      cairo_paint(cell.Cr());
      take(c, r, cell);
    }
  }
}

void DrawStartLine(cairo_t* cr, cairo_pattern_t* asphalt) {
  cairo_set_source(cr, asphalt);
  cairo_paint(cr);
  // Squares straddle the tile borders, so neighbouring line tiles continue the pattern.
  const double square = 12.0;
  const double top = 24.0;
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col <= 6; ++col) {
      const bool white = (row + col) % 2 == 1;
      cairo_set_source_rgb(cr, white ? 0.95 : 0.08, white ? 0.95 : 0.08, white ? 0.93 : 0.09);
      cairo_rectangle(cr, col * square - square / 2, top + row * square, square, square);
      cairo_fill(cr);
    }
  }
}

}  // namespace

RgbImage BakeRoadSheetImage() {
  const PatternPtr grass = GrassPattern();
  const PatternPtr asphalt = AsphaltPattern();
  Canvas sheet(kRoadSheetColumns * T, kRoadSheetRows * T);
  cairo_t* out = sheet.Cr();
  auto place = [&](int kind, cairo_surface_t* tile) {
    assert(kind >= 0 && kind < kRoadTileCount);
    cairo_set_source_surface(out, tile, (kind % kRoadSheetColumns) * T,
                             (kind / kRoadSheetColumns) * T);
    cairo_paint(out);
  };
  auto placeCanvas = [&](int kind, Canvas& c) { place(kind, cairo_get_target(c.Cr())); };

  // Plain ground first: it fills every cell no other picture claims.
  Canvas ground(T, T);
  PaintGrass(ground.Cr(), grass.get());
  for (int kind = 0; kind < kRoadTileCount; ++kind) placeCanvas(kind, ground);

  struct Role {
    int Column;
    int Kind;
  };
  struct RowCut {
    RowKind Row;
    double WorldTop;
    std::vector<Role> Roles;
  };
  // The drift rows sit above a bend row at world y 0; the shifted row above the half-step.
  const RowCut cuts[] = {
      {RowKind::Straight, 0, {{-1, 1}, {1, 10}, {2, 11}, {4, 12}, {6, 13}}},
      {RowKind::Bend, 0, {{0, 22}, {5, 23}}},
      {RowKind::ShiftLeft, -2 * T, {{-2, 25}, {-1, 26}, {0, 27}, {3, 28}, {4, 29}, {5, 30}}},
      {RowKind::HalfLeft, -T, {{-1, 31}, {0, 32}, {1, 33}, {4, 34}, {5, 35}, {6, 36}}},
      {RowKind::ShiftRight, -2 * T, {{0, 37}, {1, 38}, {2, 39}, {5, 40}, {6, 41}, {7, 42}}},
      {RowKind::HalfRight, -T, {{-1, 43}, {0, 44}, {1, 45}, {4, 46}, {5, 47}, {6, 48}}},
  };
  for (const RowCut& cut : cuts) {
    Canvas strip(kStripColumns * T, T);
    DrawRow(strip.Cr(), cut.Row, cut.WorldTop, grass.get(), asphalt.get());
    const RowShape shape = ShapeOf(cut.Row);
    for (const Role& role : cut.Roles) {
      TileCanvas tile;
      CutCell(strip, role.Column, tile);
      if (cut.Row != RowKind::Straight) {
        const double x = ColumnX(role.Column);
        const Line left = shape.Left.Offset(-x);
        const Line right = left.Offset(kRoadWidth);
        AddCrashTyres(tile, role.Kind,
                      {left.Offset(-kLeftBarrierFromRoad),
                       left.Offset(-kLeftBarrierFromRoad + kLeftBarrierWidth),
                       right.Offset(kRightBarrierFromRoad),
                       right.Offset(kRightBarrierFromRoad + kRightBarrierWidth)});
      }
      struct PatchSpot {
        int Kind;
        double X, Y, Slope;
      };
      for (const PatchSpot& p : {PatchSpot{28, 22, 46, 0.5}, PatchSpot{39, 50, 46, -0.5},
                                 PatchSpot{33, 44, 30, 0.5}, PatchSpot{46, 28, 30, -0.5}}) {
        if (p.Kind == role.Kind) DrawPatch(tile.Cr(), asphalt.get(), p.X, p.Y, 16, 24, p.Slope);
      }
      placeCanvas(role.Kind, tile.Picture);
      // The skinned roadsides share the plain wall of their row.
      if (role.Kind == 1 || role.Kind == 13) {
        for (int variant = 1; variant <= 8; ++variant) {
          TileCanvas skinned;
          CutCell(strip, role.Column, skinned);
          DrawSkin(skinned.Cr(), variant, role.Kind == 1);
          placeCanvas(role.Kind + variant, skinned.Picture);
        }
      }
    }
  }

  Canvas start(T, T);
  DrawStartLine(start.Cr(), asphalt.get());
  placeCanvas(24, start);

  const std::pair<int, void (*)(cairo_t*, uint64_t)> variants[] = {
      {49, DrawFlowers}, {50, DrawMolehills}, {51, DrawStones}};
  for (const auto& [kind, draw] : variants) {
    Canvas c(T, T);
    PaintGrass(c.Cr(), grass.get());
    draw(c.Cr(), static_cast<uint64_t>(kind));
    placeCanvas(kind, c);
  }

  // 2x2 object: 52, 0 / 53, 54.
  CutObject(2, 2, grass.get(), DrawShedObject, [&](int c, int r, Canvas& cell) {
    const int kinds[2][2] = {{52, -1}, {53, 54}};
    if (kinds[r][c] >= 0) placeCanvas(kinds[r][c], cell);
  });
  // Inner 2x2 object: 60, 61 / 63, 64.
  CutObject(2, 2, grass.get(), DrawFieldObject, [&](int c, int r, Canvas& cell) {
    const int kinds[2][2] = {{60, 61}, {63, 64}};
    placeCanvas(kinds[r][c], cell);
  });
  // 3x3 object: 65..73.
  CutObject(3, 3, grass.get(), DrawCopseObject,
            [&](int c, int r, Canvas& cell) { placeCanvas(65 + r * 3 + c, cell); });
  for (int kind = 55; kind <= 59; ++kind) {
    Canvas c(T, T);
    PaintGrass(c.Cr(), grass.get());
    DrawFence(c.Cr(), kind);
    placeCanvas(kind, c);
  }
  return sheet.ToRgb(false);
}
