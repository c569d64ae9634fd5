#include "BikeDrawing.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <memory>

namespace bikeart {

namespace {

constexpr double kPi = 3.14159265358979323846;

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}
Rgb Lighter(Rgb c, double t) {
  return Mix(c, {1, 1, 1}, t);
}
Rgb Darker(Rgb c, double t) {
  return Mix(c, {0, 0, 0}, t);
}
constexpr Rgb Hex(unsigned rgb) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0) {
  cairo_set_source_rgba(cr, c.R, c.G, c.B, alpha);
}

void AddStop(cairo_pattern_t* p, double at, Rgb c, double alpha = 1.0) {
  cairo_pattern_add_color_stop_rgba(p, at, c.R, c.G, c.B, alpha);
}

// Outlines are darker than what they surround, so small parts stay apart at 1:1.
Rgb OutlineOf(Rgb c) {
  return Darker(c, 0.72);
}

struct Point {
  double X;
  double Y;
};

// A closed smooth curve through the points (Catmull-Rom turned into Bezier segments).
void SmoothClosedPath(cairo_t* cr, const std::vector<Point>& p) {
  const size_t n = p.size();
  assert(n >= 3);
  cairo_new_sub_path(cr);
  cairo_move_to(cr, p[0].X, p[0].Y);
  for (size_t i = 0; i < n; ++i) {
    const Point& p0 = p[(i + n - 1) % n];
    const Point& p1 = p[i];
    const Point& p2 = p[(i + 1) % n];
    const Point& p3 = p[(i + 2) % n];
    cairo_curve_to(cr, p1.X + (p2.X - p0.X) / 6, p1.Y + (p2.Y - p0.Y) / 6, p2.X - (p3.X - p1.X) / 6,
                   p2.Y - (p3.Y - p1.Y) / 6, p2.X, p2.Y);
  }
  cairo_close_path(cr);
}

// The projection of a leaning bike seen from above: a point at height z moves sideways by
// z sin(lean), and widths shrink by cos(lean). The rider hangs off toward the inside.
struct View {
  double CentreX = 0;
  double Cos = 1;
  double Sin = 0;
  double Hang = 0;

  Point Project(double x, double y, double z, double hangWeight) const {
    return {CentreX + (x + Hang * hangWeight) * Cos + z * Sin, y};
  }
};

// Fills the current path with the shading of a finish, lit from the upper left, across the
// horizontal span x0..x1.
void FillShaded(cairo_t* cr, Rgb c, Finish finish, double x0, double x1) {
  if (x1 - x0 < 0.5) x1 = x0 + 0.5;
  cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
  switch (finish) {
    case Finish::Paint:
      AddStop(p, 0.0, Lighter(c, 0.25));
      AddStop(p, 0.22, Lighter(c, 0.55));
      AddStop(p, 0.4, c);
      AddStop(p, 0.8, Darker(c, 0.2));
      AddStop(p, 1.0, Darker(c, 0.45));
      break;
    case Finish::Matte:
      AddStop(p, 0.0, Lighter(c, 0.2));
      AddStop(p, 0.5, c);
      AddStop(p, 1.0, Darker(c, 0.3));
      break;
    case Finish::Suit:
      AddStop(p, 0.0, Lighter(c, 0.3));
      AddStop(p, 0.35, Lighter(c, 0.08));
      AddStop(p, 1.0, Darker(c, 0.35));
      break;
    case Finish::Rubber:
      AddStop(p, 0.0, Darker(c, 0.2));
      AddStop(p, 0.3, Lighter(c, 0.18));
      AddStop(p, 0.65, c);
      AddStop(p, 1.0, Darker(c, 0.45));
      break;
    case Finish::Metal:
      AddStop(p, 0.0, Lighter(c, 0.35));
      AddStop(p, 0.5, c);
      AddStop(p, 1.0, Darker(c, 0.5));
      break;
    case Finish::Chrome:
      AddStop(p, 0.0, Darker(c, 0.25));
      AddStop(p, 0.22, Lighter(c, 0.75));
      AddStop(p, 0.45, c);
      AddStop(p, 0.62, Darker(c, 0.45));
      AddStop(p, 0.85, Lighter(c, 0.4));
      AddStop(p, 1.0, Darker(c, 0.3));
      break;
    case Finish::Glass:
      AddStop(p, 0.0, Lighter(c, 0.55), 0.95);
      AddStop(p, 0.3, Lighter(c, 0.15), 0.9);
      AddStop(p, 1.0, Darker(c, 0.35), 0.9);
      break;
  }
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
}

std::vector<Point> BlobOutline(const Blob& b, double xOffset, double z, const View& v) {
  const double hang = b.Rider ? 1.0 : 0.0;
  std::vector<Point> pts;
  for (const auto& [y, hw] : b.Stations) pts.push_back(v.Project(xOffset + hw, y, z, hang));
  for (auto it = b.Stations.rbegin(); it != b.Stations.rend(); ++it) {
    if (it->second <= 0) continue;  // a pointed end appears once
    pts.push_back(v.Project(xOffset - it->second, it->first, z, hang));
  }
  return pts;
}

void SpanOf(const std::vector<Point>& pts, double& x0, double& x1) {
  x0 = pts[0].X;
  x1 = pts[0].X;
  for (const Point& p : pts) {
    x0 = std::min(x0, p.X);
    x1 = std::max(x1, p.X);
  }
}

void DrawBlobAt(cairo_t* cr, const Blob& b, double xOffset, const View& v, double lineWidth) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  // The sides show when the bike leans: stack the outline from the bottom to the top.
  const double rise = (b.Z1 - b.Z0) * std::abs(v.Sin);
  if (rise > 0.3) {
    const int layers = static_cast<int>(std::ceil(rise / 0.6));
    const Rgb side = Darker(b.Colour, b.Surface == Finish::Glass ? 0.2 : 0.45);
    for (int i = 0; i < layers; ++i) {
      const double z = b.Z0 + (b.Z1 - b.Z0) * i / layers;
      SmoothClosedPath(cr, BlobOutline(b, xOffset, z, v));
      SetColour(cr, OutlineOf(b.Colour));
      cairo_set_line_width(cr, lineWidth);
      cairo_stroke_preserve(cr);
      SetColour(cr, side);
      cairo_fill(cr);
    }
  }
  const std::vector<Point> top = BlobOutline(b, xOffset, b.Z1, v);
  SmoothClosedPath(cr, top);
  SetColour(cr, OutlineOf(b.Colour));
  cairo_set_line_width(cr, lineWidth);
  cairo_stroke_preserve(cr);
  double x0 = 0;
  double x1 = 0;
  SpanOf(top, x0, x1);
  FillShaded(cr, b.Colour, b.Surface, x0, x1);
  cairo_new_path(cr);
}

void DrawTubeAt(cairo_t* cr, const Tube& t, double sign, const View& v, double lineWidth) {
  std::vector<Point> pts;
  for (size_t i = 0; i < t.Points.size(); ++i) {
    const double z = i < t.Heights.size() ? t.Heights[i] : t.Heights.back();
    const double hang = t.Rider ? 1.0 : 0.0;
    pts.push_back(v.Project(sign * t.Points[i].first, t.Points[i].second, z, hang));
  }
  auto trace = [&](double dx) {
    cairo_move_to(cr, pts[0].X + dx, pts[0].Y);
    for (size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr, pts[i].X + dx, pts[i].Y);
  };
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  trace(0);
  SetColour(cr, OutlineOf(t.Colour));
  cairo_set_line_width(cr, t.Width + 2 * lineWidth * 0.5);
  cairo_stroke(cr);
  trace(0);
  SetColour(cr, t.Surface == Finish::Chrome ? Lighter(t.Colour, 0.1) : t.Colour);
  cairo_set_line_width(cr, t.Width);
  cairo_stroke(cr);
  // A highlight along the lit side gives the tube its roundness.
  trace(-t.Width * 0.22);
  SetColour(cr, Lighter(t.Colour, t.Surface == Finish::Chrome ? 0.7 : 0.28), 0.7);
  cairo_set_line_width(cr, t.Width * 0.32);
  cairo_stroke(cr);
}

void DrawHelmetAt(cairo_t* cr, const Helmet& h, const View& v, double lineWidth) {
  const Point c = v.Project(0, h.Y, h.Z, 1.15);
  const double rx = h.RadiusX;
  const double ry = h.RadiusY;
  auto shell = [&]() {
    cairo_save(cr);
    cairo_translate(cr, c.X, c.Y);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
  };
  shell();
  SetColour(cr, OutlineOf(h.Shell));
  cairo_set_line_width(cr, lineWidth);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* p =
      cairo_pattern_create_radial(c.X - rx * 0.38, c.Y - ry * 0.3, 0.5, c.X, c.Y, rx * 1.1);
  AddStop(p, 0.0, Lighter(h.Shell, 0.7));
  AddStop(p, 0.35, h.Shell);
  AddStop(p, 1.0, Darker(h.Shell, 0.45));
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);

  cairo_save(cr);
  cairo_clip(cr);
  // Stripe along the crown, front to back.
  cairo_rectangle(cr, c.X - rx * 0.22, c.Y - ry - 1, rx * 0.44, 2 * ry + 2);
  SetColour(cr, h.Stripe, 0.95);
  cairo_fill(cr);
  // The visor shows as a crescent on the front of the shell.
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_save(cr);
  cairo_translate(cr, c.X, c.Y);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1.05, 0, 2 * kPi);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0.42, 1.02, 0, 2 * kPi);
  cairo_restore(cr);
  p = cairo_pattern_create_linear(c.X - rx, 0, c.X + rx, 0);
  AddStop(p, 0.0, Hex(0x1B2230));
  AddStop(p, 0.3, Hex(0x8FA8C8));
  AddStop(p, 0.5, Hex(0x2A3548));
  AddStop(p, 1.0, Hex(0x0E121A));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  // Gloss.
  cairo_save(cr);
  cairo_translate(cr, c.X - rx * 0.35, c.Y - ry * 0.05);
  cairo_scale(cr, rx * 0.22, ry * 0.4);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.45);
  cairo_fill(cr);
  cairo_restore(cr);

  if (h.Peak) {
    cairo_save(cr);
    cairo_translate(cr, c.X, c.Y - ry * 0.95);
    cairo_scale(cr, rx * 0.75, ry * 0.42);
    cairo_arc(cr, 0, 0, 1, kPi, 2 * kPi);
    cairo_close_path(cr);
    cairo_restore(cr);
    SetColour(cr, OutlineOf(h.Stripe));
    cairo_set_line_width(cr, lineWidth);
    cairo_stroke_preserve(cr);
    FillShaded(cr, h.Stripe, Finish::Paint, c.X - rx * 0.75, c.X + rx * 0.75);
    cairo_new_path(cr);
  }
}

void DrawParts(cairo_t* cr, const std::vector<Part>& parts, const View& v, double lineWidth,
               bool withRider) {
  for (const Part& part : parts) {
    switch (part.Type) {
      case Part::Kind::Blob:
        if (part.Shape.Rider && !withRider) break;
        DrawBlobAt(cr, part.Shape, part.Shape.XOffset, v, lineWidth);
        if (part.Shape.Mirrored) DrawBlobAt(cr, part.Shape, -part.Shape.XOffset, v, lineWidth);
        break;
      case Part::Kind::Tube:
        if (part.Line.Rider && !withRider) break;
        DrawTubeAt(cr, part.Line, 1, v, lineWidth);
        if (part.Line.Mirrored) DrawTubeAt(cr, part.Line, -1, v, lineWidth);
        break;
      case Part::Kind::Helmet:
        if (withRider) DrawHelmetAt(cr, part.Head, v, lineWidth);
        break;
    }
  }
}

// ---- Building the models ------------------------------------------------------------------

using Stations = std::vector<std::pair<double, double>>;

Part MakeBlob(Stations stations, double z0, double z1, Rgb colour, Finish finish,
              double xOffset = 0, bool mirrored = false, bool rider = false) {
  Part p;
  p.Type = Part::Kind::Blob;
  p.Shape.Stations = std::move(stations);
  p.Shape.Z0 = z0;
  p.Shape.Z1 = z1;
  p.Shape.Colour = colour;
  p.Shape.Surface = finish;
  p.Shape.XOffset = xOffset;
  p.Shape.Mirrored = mirrored;
  p.Shape.Rider = rider;
  return p;
}

Part MakeTube(std::vector<std::pair<double, double>> points, std::vector<double> heights,
              double width, Rgb colour, Finish finish, bool mirrored, bool rider) {
  Part p;
  p.Type = Part::Kind::Tube;
  p.Line.Points = std::move(points);
  p.Line.Heights = std::move(heights);
  p.Line.Width = width;
  p.Line.Colour = colour;
  p.Line.Surface = finish;
  p.Line.Mirrored = mirrored;
  p.Line.Rider = rider;
  return p;
}

// A tyre footprint seen from above: a long rounded bar.
Stations TyreStations(double centreY, double radius, double halfWidth) {
  return {{centreY - radius, 0},
          {centreY - radius + 0.6, halfWidth * 0.7},
          {centreY - radius * 0.6, halfWidth},
          {centreY + radius * 0.6, halfWidth},
          {centreY + radius - 0.6, halfWidth * 0.7},
          {centreY + radius, 0}};
}

// Where the rider's body sits and reaches.
struct RiderPose {
  double HelmetY;
  double HelmetRX;
  double HelmetRY;
  double ShoulderY;
  double ShoulderHalf;
  double HipY;
  double GripX;
  double GripY;
  double KneeX;
  double KneeY;
  double BootX;
  double BootY;
  bool Peak = false;
  double Crouch = 0;  // 1 = tucked behind the screen: the body sits lower
};

constexpr Rgb kBoot = Hex(0x26272B);
constexpr Rgb kGlove = Hex(0x2B2C30);

void AddRiderLegs(BikeLook& look, const RiderPose& r) {
  look.Parts.push_back(
      MakeBlob({{r.BootY - 4, 0}, {r.BootY - 3.4, 1.7}, {r.BootY + 2.5, 2.1}, {r.BootY + 3.8, 0}},
               8, 12, kBoot, Finish::Matte, r.BootX, true, false));
  look.Parts.push_back(MakeTube({{r.KneeX, r.KneeY}, {r.BootX, r.BootY - 1.5}}, {19, 11}, 3.6,
                                look.Suit, Finish::Suit, true, true));
}

void AddRiderBody(BikeLook& look, const RiderPose& r) {
  look.ShoulderHalf = r.ShoulderHalf;
  look.HelmetRadiusX = r.HelmetRX;
  look.HelmetRadiusY = r.HelmetRY;
  const double zBody = 36 - r.Crouch * 6;
  look.Parts.push_back(MakeTube({{4.5, r.HipY}, {r.KneeX, r.KneeY}}, {zBody - 10, 20}, 5.0,
                                look.Suit, Finish::Suit, true, true));
  const double s = r.ShoulderHalf;
  look.Parts.push_back(MakeBlob({{r.ShoulderY - 3.2, 0},
                                 {r.ShoulderY - 2.6, s * 0.75},
                                 {r.ShoulderY + 0.3, s},
                                 {r.ShoulderY + 3.5, s * 0.93},
                                 {r.HipY - 2.5, s * 0.68},
                                 {r.HipY + 0.5, s * 0.55},
                                 {r.HipY + 2.2, 0}},
                                zBody - 8, zBody, look.Suit, Finish::Suit, 0, false, true));
  // Shoulder panels and a spine stripe in the suit's second colour.
  look.Parts.push_back(MakeBlob({{r.ShoulderY - 2.2, 0},
                                 {r.ShoulderY - 1.6, 2.3},
                                 {r.ShoulderY + 2.6, 2.1},
                                 {r.ShoulderY + 3.3, 0}},
                                zBody, zBody, look.SuitTrim, Finish::Suit, s * 0.62, true, true));
  look.Parts.push_back(MakeBlob(
      {{r.ShoulderY - 1.5, 0}, {r.ShoulderY - 0.5, 1.3}, {r.HipY - 1, 1.1}, {r.HipY + 0.4, 0}},
      zBody, zBody, look.SuitTrim, Finish::Suit, 0, false, true));
  const double elbowX = std::max(r.GripX, s * 0.8) + 1.8;
  look.Parts.push_back(MakeTube({{s * 0.8, r.ShoulderY + 0.8},
                                 {elbowX, (r.ShoulderY + r.GripY) / 2 + 0.5},
                                 {r.GripX, r.GripY}},
                                {zBody - 1, zBody - 5, 29}, 3.5, look.Suit, Finish::Suit, true,
                                true));
  look.Parts.push_back(
      MakeBlob({{r.GripY - 1.9, 0}, {r.GripY - 1.5, 1.8}, {r.GripY + 1.6, 1.8}, {r.GripY + 2.1, 0}},
               29, 30, kGlove, Finish::Matte, r.GripX, true, true));
  Part head;
  head.Type = Part::Kind::Helmet;
  head.Head.Y = r.HelmetY;
  head.Head.RadiusX = r.HelmetRX;
  head.Head.RadiusY = r.HelmetRY;
  head.Head.Z = zBody + 10;
  head.Head.Shell = look.HelmetShell;
  head.Head.Stripe = look.HelmetStripe;
  head.Head.Peak = r.Peak;
  look.Parts.push_back(head);
}

void AddBars(BikeLook& look, double y, double half, double rise) {
  look.Parts.push_back(
      MakeTube({{half, y + rise}, {half * 0.35, y}, {-half * 0.35, y}, {-half, y + rise}},
               {27, 27, 27, 27}, 1.7, Hex(0x3A3C42), Finish::Metal, false, false));
  look.Parts.push_back(MakeBlob(
      {{y + rise - 1.6, 0}, {y + rise - 1.3, 1.3}, {y + rise + 1.3, 1.3}, {y + rise + 1.6, 0}}, 26,
      28, Hex(0x1E1F22), Finish::Rubber, half - 1.2, true));
}

// Mirrors on stalks; on a faired bike they are painted like the fairing.
void AddMirrors(BikeLook& look, double y, double x, Rgb colour) {
  look.Parts.push_back(MakeTube({{x - 2.6, y + 2.6}, {x, y}}, {28, 30}, 0.8, Hex(0x2C2E33),
                                Finish::Metal, true, false));
  look.Parts.push_back(MakeBlob({{y - 1.1, 0}, {y - 0.8, 1.7}, {y + 0.8, 1.7}, {y + 1.1, 0}}, 29,
                                31, colour, Finish::Paint, x, true));
}

constexpr Rgb kRubber = Hex(0x2A2B2E);
constexpr Rgb kEngine = Hex(0x4A4D54);
constexpr Rgb kChrome = Hex(0xB8BEC8);
constexpr Rgb kSeat = Hex(0x25262A);
constexpr Rgb kTailLight = Hex(0xD81E1E);
constexpr Rgb kHeadLamp = Hex(0xFFF6D0);
constexpr Rgb kScreen = Hex(0x4C6C8C);

void AddTyres(BikeLook& look, double frontHalf) {
  const double rear = RearTyreY(look.Width, look.Height);
  look.Parts.push_back(MakeBlob(TyreStations(rear, look.RearTyreRadius, look.RearTyreHalfWidth), 0,
                                7, kRubber, Finish::Rubber));
  look.Parts.push_back(MakeBlob(TyreStations(look.FrontTyreY, look.FrontTyreRadius, frontHalf), 0,
                                7, kRubber, Finish::Rubber));
}

void AddTailLight(BikeLook& look, double y, double half) {
  look.Parts.push_back(MakeBlob({{y - 1.2, 0}, {y - 0.9, half}, {y + 0.6, half * 0.8}, {y + 1, 0}},
                                20, 20.5, kTailLight, Finish::Paint));
}

// Model 1: a small, nimble naked bike in yellow and black.
BikeLook Model1() {
  BikeLook k;
  k.Name = "KESTREL";
  k.Width = 63;
  k.Height = 68;
  k.CrashWidth = 64;
  k.CrashHeight = 152;
  k.CrashFrames = 5;
  k.Paint = Hex(0xF5C414);
  k.Trim = Hex(0x232326);
  k.Suit = Hex(0xE2B412);
  k.SuitTrim = Hex(0x2A2B30);
  k.HelmetShell = Hex(0x2E2F35);
  k.HelmetStripe = Hex(0xF5C414);
  k.FrontTyreY = 11;
  k.FrontTyreRadius = 8.5;
  k.RearTyreRadius = 9.2;
  k.RearTyreHalfWidth = 4.3;
  k.SeatY = 36;
  k.TailY = 53;
  k.TankTop = 25;
  const double rear = RearTyreY(k.Width, k.Height);
  AddTyres(k, 3.2);
  k.Parts.push_back(MakeBlob({{22, 0}, {22.5, 7.5}, {27, 10.5}, {35, 10.5}, {41, 8}, {43.5, 0}}, 4,
                             13, kEngine, Finish::Metal));
  k.Parts.push_back(MakeBlob({{rear - 14, 0}, {rear - 13.5, 2.3}, {rear - 1, 2.4}, {rear, 0}}, 7,
                             11, kChrome, Finish::Chrome, 8.2));
  RiderPose r{27.5, 6.0, 6.4, 31.5, 11.2, 42.5, 14.2, 21.6, 9.8, 33.5, 10.2, 44.5};
  AddRiderLegs(k, r);
  k.Parts.push_back(MakeBlob({{9.5, 0}, {10.2, 2.6}, {13, 2.9}, {16, 2.5}, {17, 0}}, 9, 11, k.Paint,
                             Finish::Paint));
  k.Parts.push_back(MakeBlob({{36, 0}, {36.5, 6.5}, {41, 7.3}, {46, 6.2}, {48, 0}}, 15, 21, kSeat,
                             Finish::Matte));
  k.Parts.push_back(MakeBlob({{45, 0}, {45.5, 6}, {49, 5.3}, {52, 3.6}, {53.5, 0}}, 13, 20, k.Paint,
                             Finish::Paint));
  AddTailLight(k, 52.2, 2.2);
  k.Parts.push_back(MakeBlob({{15, 0}, {15.4, 4.6}, {18.5, 5.6}, {21, 4.2}, {21.6, 0}}, 20, 23,
                             kChrome, Finish::Chrome));
  k.Parts.push_back(MakeBlob({{15.8, 0}, {16.2, 3.4}, {17.8, 3.9}, {18.6, 0}}, 23, 23.5, kHeadLamp,
                             Finish::Glass));
  k.Parts.push_back(
      MakeBlob({{20, 0}, {20.6, 5.5}, {23.5, 8.6}, {28.5, 9.6}, {33.5, 8}, {36.5, 5.2}, {37.5, 0}},
               16, 25, k.Paint, Finish::Paint));
  k.Parts.push_back(
      MakeBlob({{20.5, 0}, {21.5, 1.7}, {36, 1.6}, {37, 0}}, 25, 25, k.Trim, Finish::Paint));
  AddBars(k, 21.6, 15, 0.8);
  AddMirrors(k, 18.5, 12.5, Hex(0x3A3D44));
  AddRiderBody(k, r);
  return k;
}

// Model 2: the heavy top-speed tourer: a wide blue fairing, panniers, a big rider.
BikeLook Model2() {
  BikeLook k;
  k.Name = "COLOSSUS";
  k.Width = 60;
  k.Height = 67;
  k.CrashWidth = 72;
  k.CrashHeight = 158;
  k.CrashFrames = 7;
  k.Paint = Hex(0x2A5BD8);
  k.Trim = Hex(0xC4CAD6);
  k.Suit = Hex(0x34467A);
  k.SuitTrim = Hex(0xB9C0CC);
  k.HelmetShell = Hex(0xC9CFD9);
  k.HelmetStripe = Hex(0x2A5BD8);
  k.FrontTyreY = 11.5;
  k.FrontTyreRadius = 9;
  k.RearTyreRadius = 9.5;
  k.RearTyreHalfWidth = 5.0;
  k.SeatY = 34;
  k.TailY = 51;
  k.TankTop = 26;
  k.Fairing = true;
  const double rear = RearTyreY(k.Width, k.Height);
  AddTyres(k, 3.6);
  k.Parts.push_back(MakeBlob({{7.5, 0}, {8.2, 2.8}, {10, 3.2}, {12, 2.6}, {13, 0}}, 9, 11, k.Paint,
                             Finish::Paint));
  k.Parts.push_back(MakeBlob({{21, 0}, {22, 9}, {26, 12.8}, {33, 12.5}, {39, 9.5}, {43, 0}}, 4, 13,
                             kEngine, Finish::Metal));
  k.Parts.push_back(MakeBlob({{rear - 13, 0}, {rear - 12.5, 2.2}, {rear + 1, 2.3}, {rear + 2.2, 0}},
                             6, 10, kChrome, Finish::Chrome, 9.5, true));
  // Panniers.
  k.Parts.push_back(MakeBlob({{39.5, 0}, {39.8, 3.4}, {50.5, 3.7}, {51.6, 2.6}, {52, 0}}, 9, 19,
                             k.Trim, Finish::Paint, 13.6, true));
  k.Parts.push_back(MakeBlob({{40.2, 0}, {40.6, 2.4}, {50.6, 2.6}, {51.2, 0}}, 19, 19, k.Paint,
                             Finish::Paint, 13.6, true));
  RiderPose r{30, 6.4, 6.8, 33, 11.8, 44, 12.3, 24.5, 9.6, 36, 10.4, 45};
  AddRiderLegs(k, r);
  k.Parts.push_back(MakeBlob({{34, 0}, {34.5, 7.6}, {40, 8.3}, {46, 7.4}, {48.5, 0}}, 15, 22, kSeat,
                             Finish::Matte));
  k.Parts.push_back(MakeBlob({{44, 0}, {44.5, 7}, {48, 6.3}, {50.5, 4}, {51.3, 0}}, 13, 21, k.Paint,
                             Finish::Paint));
  AddTailLight(k, 50.2, 3.2);
  k.Parts.push_back(MakeBlob({{21, 0}, {22, 8}, {26, 10.2}, {32, 9.6}, {35, 6}, {36, 0}}, 17, 26,
                             k.Paint, Finish::Paint));
  k.Parts.push_back(
      MakeBlob({{21.6, 0}, {22.4, 2.4}, {34.6, 2.1}, {35.4, 0}}, 26, 26, k.Trim, Finish::Paint));
  // The fairing: broad and round, with a tall screen.
  k.Parts.push_back(MakeBlob(
      {{8, 0}, {8.7, 5.5}, {11, 9.8}, {15, 12.8}, {20, 13.6}, {24, 12.2}, {25.8, 7}, {26.2, 0}}, 18,
      27, k.Paint, Finish::Paint));
  k.Parts.push_back(
      MakeBlob({{8.6, 0}, {9, 3.2}, {10, 4.2}, {10.8, 0}}, 27, 27.5, kHeadLamp, Finish::Glass));
  k.Parts.push_back(MakeBlob({{11.5, 0}, {12, 3.8}, {14.2, 6}, {17.4, 6.8}, {19.4, 5.6}, {20, 0}},
                             27, 31, Hex(0x34465C), Finish::Glass));
  AddMirrors(k, 17, 14.2, k.Paint);
  AddBars(k, 23.5, 12.6, 0.5);
  AddRiderBody(k, r);
  return k;
}

// Model 3: a chunky, wide muscle bike in violet and chrome with fat tyres.
BikeLook Model3() {
  BikeLook k;
  k.Name = "BULLDOG";
  k.Width = 68;
  k.Height = 69;
  k.CrashWidth = 88;
  k.CrashHeight = 204;
  k.CrashFrames = 5;
  k.Paint = Hex(0x8238CC);
  k.Trim = Hex(0xE8E8EE);
  k.Suit = Hex(0x2E2C2B);
  k.SuitTrim = Hex(0x9A5AE8);
  k.HelmetShell = Hex(0x8238CC);
  k.HelmetStripe = Hex(0x1E1E22);
  k.FrontTyreY = 12;
  k.FrontTyreRadius = 9.5;
  k.RearTyreRadius = 9.6;
  k.RearTyreHalfWidth = 6.6;
  k.SeatY = 38;
  k.TailY = 56;
  k.TankTop = 27;
  const double rear = RearTyreY(k.Width, k.Height);
  AddTyres(k, 4.4);
  k.Parts.push_back(MakeBlob({{22, 0}, {22.5, 11}, {27, 15.5}, {36, 15.2}, {43, 12}, {47, 0}}, 4,
                             14, kEngine, Finish::Metal));
  // Cylinder heads sticking out either side.
  k.Parts.push_back(MakeBlob({{24, 0}, {24.5, 3.1}, {30.5, 3.1}, {31, 0}}, 10, 15, kChrome,
                             Finish::Chrome, 14.2, true));
  k.Parts.push_back(MakeBlob({{rear - 20, 0}, {rear - 19.5, 2.5}, {rear + 1, 2.6}, {rear + 2.5, 0}},
                             6, 10, kChrome, Finish::Chrome, 10.5));
  k.Parts.push_back(MakeBlob({{rear - 17, 0}, {rear - 16.5, 2.5}, {rear + 3, 2.6}, {rear + 4.5, 0}},
                             6, 10, kChrome, Finish::Chrome, 14.8));
  RiderPose r{33, 7.0, 7.3, 37, 14, 48, 16.4, 24.5, 12.5, 39, 13.6, 49};
  AddRiderLegs(k, r);
  k.Parts.push_back(MakeBlob({{10, 0}, {10.8, 3.8}, {14, 4.2}, {16.5, 3.6}, {18, 0}}, 9, 12,
                             k.Paint, Finish::Paint));
  k.Parts.push_back(MakeBlob({{38, 0}, {38.5, 8.6}, {44, 9.8}, {50, 8.4}, {53, 0}}, 15, 22, kSeat,
                             Finish::Matte));
  k.Parts.push_back(MakeBlob({{50, 0}, {50.5, 7.6}, {53.5, 7.2}, {55.6, 5}, {56.2, 0}}, 13, 20,
                             k.Paint, Finish::Paint));
  AddTailLight(k, 55.2, 3.2);
  // Twin round headlamps.
  k.Parts.push_back(MakeBlob({{15.5, 0}, {16, 3.1}, {20.5, 3.1}, {21, 0}}, 20, 24, kChrome,
                             Finish::Chrome, 3.4, true));
  k.Parts.push_back(MakeBlob({{16, 0}, {16.3, 2.1}, {17.6, 2.2}, {18.2, 0}}, 24, 24.5, kHeadLamp,
                             Finish::Glass, 3.4, true));
  k.Parts.push_back(
      MakeBlob({{21, 0}, {21.5, 8.6}, {25, 12.8}, {32, 13.6}, {37, 11.5}, {40, 6.5}, {40.5, 0}}, 17,
               27, k.Paint, Finish::Paint));
  k.Parts.push_back(MakeBlob({{21.5, 0}, {22.5, 1.3}, {39.5, 1.3}, {40.3, 0}}, 27, 27, k.Trim,
                             Finish::Paint, 3.2, true));
  AddBars(k, 23, 17.5, 1.2);
  AddMirrors(k, 19.5, 14.5, Hex(0x3A3D44));
  AddRiderBody(k, r);
  return k;
}

// Model 4: a powerful sport bike: a pointed red and white fairing, the rider tucked in.
BikeLook Model4() {
  BikeLook k;
  k.Name = "TEMPEST";
  k.Width = 60;
  k.Height = 62;
  k.CrashWidth = 86;
  k.CrashHeight = 154;
  k.CrashFrames = 5;
  k.Paint = Hex(0xD82323);
  k.Trim = Hex(0xF2F2F2);
  k.Suit = Hex(0xD82323);
  k.SuitTrim = Hex(0xF2F2F2);
  k.HelmetShell = Hex(0xF2F2F2);
  k.HelmetStripe = Hex(0xD82323);
  k.FrontTyreY = 10.5;
  k.FrontTyreRadius = 8.5;
  k.RearTyreRadius = 9;
  k.RearTyreHalfWidth = 4.8;
  k.SeatY = 30;
  k.TailY = 47;
  k.TankTop = 25;
  k.Fairing = true;
  const double rear = RearTyreY(k.Width, k.Height);
  AddTyres(k, 3.1);
  k.Parts.push_back(MakeBlob({{19, 0}, {19.5, 7.5}, {24, 10}, {31, 9.5}, {36, 6}, {38, 0}}, 4, 13,
                             kEngine, Finish::Metal));
  k.Parts.push_back(MakeBlob({{rear - 12, 0}, {rear - 11.5, 2.4}, {rear - 4, 2.9}, {rear - 3, 0}},
                             7, 11, kChrome, Finish::Chrome, 7.4));
  RiderPose r{22.5, 5.8, 6.2, 28, 10.4, 38.5, 10.6, 20.5, 9.4, 31, 9.6, 40};
  r.Crouch = 1;
  AddRiderLegs(k, r);
  k.Parts.push_back(
      MakeBlob({{5, 0}, {5.6, 2.3}, {8.5, 2.6}, {11, 0}}, 9, 11, k.Paint, Finish::Paint));
  k.Parts.push_back(
      MakeBlob({{30, 0}, {30.6, 5.6}, {35, 5.8}, {38.5, 0}}, 15, 21, kSeat, Finish::Matte));
  // A sharp tail unit.
  k.Parts.push_back(
      MakeBlob({{35, 0}, {35.5, 6}, {40, 5.4}, {44, 3}, {47, 0}}, 13, 21, k.Paint, Finish::Paint));
  k.Parts.push_back(
      MakeBlob({{37, 0}, {38, 1.5}, {45, 0.8}, {46, 0}}, 21, 21, k.Trim, Finish::Paint));
  AddTailLight(k, 45.5, 1.8);
  k.Parts.push_back(MakeBlob({{19.5, 0}, {20.5, 6}, {24, 8.6}, {28, 8}, {31.5, 5}, {32.5, 0}}, 16,
                             25, k.Paint, Finish::Paint));
  // The fairing: pointed nose, white flanks.
  k.Parts.push_back(
      MakeBlob({{8, 0}, {8.8, 3.5}, {12, 7.6}, {16.5, 10.2}, {21, 10.6}, {24, 7}, {24.6, 0}}, 17,
               25, k.Paint, Finish::Paint));
  k.Parts.push_back(MakeBlob({{12.5, 0}, {14, 1.8}, {19.5, 2.4}, {22.8, 1.2}, {23.2, 0}}, 25, 25,
                             k.Trim, Finish::Paint, 7.2, true));
  k.Parts.push_back(MakeBlob({{9, 0}, {9.6, 1.5}, {11.2, 2.4}, {12, 0}}, 25, 25.5, kHeadLamp,
                             Finish::Glass, 2.2, true));
  k.Parts.push_back(MakeBlob({{11.5, 0}, {12.2, 3.2}, {15, 5.4}, {17.6, 5.2}, {18.4, 0}}, 25, 28,
                             Hex(0x2E3A4C), Finish::Glass));
  AddBars(k, 20.5, 10.6, 0);
  AddMirrors(k, 15.5, 11.2, k.Paint);
  AddRiderBody(k, r);
  return k;
}

// Model 5: the agile one: a slim green and white motard with wide bars and a peaked helmet.
BikeLook Model5() {
  BikeLook k;
  k.Name = "WHIPLASH";
  k.Width = 56;
  k.Height = 68;
  k.CrashWidth = 68;
  k.CrashHeight = 184;
  k.CrashFrames = 5;
  k.Paint = Hex(0x4CC22C);
  k.Trim = Hex(0xF4F5F2);
  k.Suit = Hex(0x3FAE24);
  k.SuitTrim = Hex(0x2A2C30);
  k.HelmetShell = Hex(0xF4F5F2);
  k.HelmetStripe = Hex(0x4CC22C);
  k.FrontTyreY = 11;
  k.FrontTyreRadius = 9;
  k.RearTyreRadius = 9;
  k.RearTyreHalfWidth = 3.7;
  k.SeatY = 31;
  k.TailY = 52;
  k.TankTop = 26;
  const double rear = RearTyreY(k.Width, k.Height);
  AddTyres(k, 2.7);
  k.Parts.push_back(MakeBlob({{23, 0}, {23.5, 6.5}, {28, 8}, {35, 7.5}, {40, 5}, {42, 0}}, 4, 13,
                             kEngine, Finish::Metal));
  RiderPose r{28.5, 5.6, 6.0, 32, 9.4, 42, 14.8, 23.2, 7.6, 34, 8.2, 44};
  r.Peak = true;
  AddRiderLegs(k, r);
  // A long beak of a front mudguard.
  k.Parts.push_back(MakeBlob({{6.5, 0}, {7.2, 2.1}, {11, 2.4}, {15, 1.9}, {17, 0}}, 10, 12, k.Trim,
                             Finish::Paint));
  k.Parts.push_back(MakeBlob({{31, 0}, {31.5, 4.6}, {40, 4.6}, {47, 4.2}, {49, 0}}, 17, 23, kSeat,
                             Finish::Matte));
  k.Parts.push_back(
      MakeBlob({{43, 0}, {43.5, 4.6}, {48, 4}, {51, 2.5}, {52, 0}}, 15, 22, k.Trim, Finish::Paint));
  k.Parts.push_back(
      MakeBlob({{44.5, 0}, {45, 1.6}, {50.5, 1.2}, {51.2, 0}}, 22, 22, k.Paint, Finish::Paint));
  AddTailLight(k, 51.5, 1.5);
  // A high pipe on the right, with a black silencer.
  k.Parts.push_back(MakeBlob({{rear - 19, 0}, {rear - 18.5, 1.7}, {rear - 6, 1.8}, {rear - 5.5, 0}},
                             14, 18, kChrome, Finish::Chrome, 5.8));
  k.Parts.push_back(MakeBlob({{rear - 11, 0}, {rear - 10.5, 2.2}, {rear - 1.5, 2.2}, {rear - 1, 0}},
                             14, 19, Hex(0x303236), Finish::Metal, 6.2));
  // Number plate and radiator wings.
  k.Parts.push_back(
      MakeBlob({{17.5, 0}, {18, 4.6}, {20.5, 5.2}, {21.5, 0}}, 18, 22, k.Trim, Finish::Paint));
  k.Parts.push_back(MakeBlob({{22, 0}, {22.5, 2.6}, {30, 2.4}, {31, 0}}, 14, 22, k.Paint,
                             Finish::Paint, 6.2, true));
  k.Parts.push_back(MakeBlob({{21.5, 0}, {22.2, 4.2}, {26, 5.6}, {30, 5}, {32.2, 0}}, 16, 26,
                             k.Paint, Finish::Paint));
  k.Parts.push_back(
      MakeBlob({{22, 0}, {23, 1.4}, {31, 1.2}, {32, 0}}, 26, 26, k.Trim, Finish::Paint));
  AddBars(k, 23.2, 16, 1.4);
  k.Parts.push_back(MakeTube({{3.5, 23.2}, {-3.5, 23.2}}, {28, 28}, 2.6, Hex(0x1E1F22),
                             Finish::Matte, false, false));
  AddRiderBody(k, r);
  return k;
}

// ---- Fallen drawing -------------------------------------------------------------------------

void Circle(cairo_t* cr, double x, double y, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x, y, r, 0, 2 * kPi);
}

void OutlineAndFill(cairo_t* cr, Rgb fill, double lineWidth) {
  SetColour(cr, OutlineOf(fill));
  cairo_set_line_width(cr, lineWidth);
  cairo_stroke_preserve(cr);
  SetColour(cr, fill);
  cairo_fill(cr);
}

// Fills with a gradient across the height v0..v1 (the bike's side, lit from its top edge).
void OutlineAndShade(cairo_t* cr, Rgb fill, double v0, double v1, double lineWidth) {
  SetColour(cr, OutlineOf(fill));
  cairo_set_line_width(cr, lineWidth);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, v1, 0, v0);
  AddStop(p, 0.0, Lighter(fill, 0.4));
  AddStop(p, 0.35, fill);
  AddStop(p, 1.0, Darker(fill, 0.4));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void SideWheel(cairo_t* cr, double u, double r, Rgb rim, bool disc, double lineWidth) {
  Circle(cr, u, r, r);
  OutlineAndFill(cr, kRubber, lineWidth);
  Circle(cr, u, r, r * 0.66);
  OutlineAndShade(cr, rim, r * 0.34, r * 1.66, lineWidth * 0.8);
  Circle(cr, u, r, r * 0.5);
  SetColour(cr, Darker(rim, 0.55));
  cairo_fill(cr);
  if (disc) {
    Circle(cr, u, r, r * 0.42);
    SetColour(cr, kChrome);
    cairo_fill(cr);
  }
  for (int i = 0; i < 5; ++i) {
    const double a = i * 2 * kPi / 5 + 0.3;
    cairo_move_to(cr, u, r);
    cairo_line_to(cr, u + std::cos(a) * r * 0.55, r + std::sin(a) * r * 0.55);
  }
  SetColour(cr, rim);
  cairo_set_line_width(cr, r * 0.14);
  cairo_stroke(cr);
  Circle(cr, u, r, r * 0.16);
  SetColour(cr, Hex(0x8C929C));
  cairo_fill(cr);
}

void SmoothShape(cairo_t* cr, std::initializer_list<Point> points) {
  SmoothClosedPath(cr, std::vector<Point>(points));
}

}  // namespace

double RearTyreY(int width, int height) {
  const double h = height / 2.0;
  const double w = width / 2.0;
  return h + std::sqrt(h * h + w * w) - 25;
}

const BikeLook& LookOf(int model) {
  assert(model >= 1 && model <= 5);
  static const BikeLook kLooks[5] = {Model1(), Model2(), Model3(), Model4(), Model5()};
  return kLooks[model - 1];
}

void DrawRidingBike(cairo_t* cr, const BikeLook& look, const RideOptions& options) {
  View v;
  v.CentreX = look.Width / 2.0;
  v.Cos = std::cos(options.Lean);
  v.Sin = std::sin(options.Lean);
  // The rider shifts his weight to the inside of the turn.
  v.Hang = 4.0 * v.Sin;
  cairo_save(cr);
  DrawParts(cr, look.Parts, v, options.LineWidth, options.WithRider);
  cairo_restore(cr);
}

double MaxLean(const BikeLook& look) {
  // Render candidates and keep the deepest lean whose visible pixels stay inside the picture.
  const int margin = 32;
  const int w = look.Width + 2 * margin;
  const int h = look.Height;
  auto fits = [&](double lean) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_translate(cr, margin, 0);
    RideOptions o;
    o.Lean = lean;
    DrawRidingBike(cr, look, o);
    cairo_destroy(cr);
    cairo_surface_flush(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    bool inside = true;
    for (int y = 0; y < h && inside; ++y) {
      for (int x = 0; x < w; ++x) {
        // A clear column is kept on either side, so no lean is cut off at the edge.
        if (data[y * stride + x] >= 128 && (x <= margin || x >= margin + look.Width - 1)) {
          inside = false;
          break;
        }
      }
    }
    cairo_surface_destroy(s);
    return inside;
  };
  double lo = 0;
  double hi = 0.9;
  for (int i = 0; i < 14; ++i) {
    const double mid = (lo + hi) / 2;
    if (fits(mid) && fits(-mid)) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return lo;
}

// The side view is laid out along u (front tyre's leading edge to the tail) and v (height).
double FallenBikeLength(const BikeLook& look) {
  const double rear = RearTyreY(look.Width, look.Height);
  return rear + look.RearTyreRadius - (look.FrontTyreY - look.FrontTyreRadius);
}

double FallenBikeHeight(const BikeLook& look) {
  return look.RearTyreRadius * 3.1;
}

void DrawFallenBike(cairo_t* cr, const BikeLook& look, double lineWidth) {
  const double uF = look.FrontTyreY;
  const double rF = look.FrontTyreRadius;
  const double uR = RearTyreY(look.Width, look.Height);
  const double rR = look.RearTyreRadius;
  const double top = FallenBikeHeight(look);
  const double u0 = uF - rF;
  const double uMid = (u0 + uR + rR) / 2;
  const double vMid = top / 2;
  const double seatV = rR * 2.45;
  const double barU = uF + rF * 0.9;
  const double barV = rR * 2.85;

  cairo_save(cr);
  // u runs down the picture, v to the left: the bike lies on its left side.
  cairo_matrix_t m;
  cairo_matrix_init(&m, 0, 1, -1, 0, vMid, -uMid);
  cairo_transform(cr, &m);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);

  // Swing arm, wheels and fork.
  cairo_move_to(cr, uR, rR);
  cairo_line_to(cr, uR - (uR - uF) * 0.42, rR * 1.2);
  SetColour(cr, OutlineOf(kEngine));
  cairo_set_line_width(cr, 3.6);
  cairo_stroke_preserve(cr);
  SetColour(cr, kEngine);
  cairo_set_line_width(cr, 2.6);
  cairo_stroke(cr);
  SideWheel(cr, uR, rR, look.Trim, false, lineWidth);
  SideWheel(cr, uF, rF, look.Trim, true, lineWidth);
  cairo_move_to(cr, uF, rF);
  cairo_line_to(cr, uF + (barV - rF) * 0.38, barV);
  SetColour(cr, OutlineOf(kChrome));
  cairo_set_line_width(cr, 3.4);
  cairo_stroke_preserve(cr);
  SetColour(cr, kChrome);
  cairo_set_line_width(cr, 2.4);
  cairo_stroke(cr);

  // Engine block with its fins, and the exhaust.
  const double e0 = uF + rF + 1.5;
  const double e1 = uR - rR * 0.6;
  SmoothShape(cr, {{e0, rR * 0.75},
                   {e0 + 2, rR * 1.85},
                   {(e0 + e1) / 2, rR * 2.0},
                   {e1, rR * 1.7},
                   {e1 - 1, rR * 0.9},
                   {(e0 + e1) / 2, rR * 0.5}});
  OutlineAndShade(cr, kEngine, rR * 0.5, rR * 2, lineWidth);
  for (int i = 0; i < 4; ++i) {
    const double u = e0 + 3 + i * (e1 - e0 - 6) / 3.0;
    cairo_move_to(cr, u, rR * 0.9);
    cairo_line_to(cr, u + 1.5, rR * 1.7);
  }
  SetColour(cr, Darker(kEngine, 0.5));
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
  cairo_move_to(cr, e0 + 2, rR * 0.7);
  cairo_line_to(cr, uR - rR * 0.3, rR * 0.75);
  cairo_line_to(cr, uR + rR * 0.4, rR * 1.15);
  SetColour(cr, OutlineOf(kChrome));
  cairo_set_line_width(cr, 3.8);
  cairo_stroke_preserve(cr);
  SetColour(cr, kChrome);
  cairo_set_line_width(cr, 2.8);
  cairo_stroke(cr);

  // Seat and tail, then the tank, then the fairing or headlamp.
  const double seatU = std::max(look.SeatY, barU + 6);
  const double tailU = std::max(look.TailY, seatU + 8);
  SmoothShape(cr, {{seatU - 1, seatV - 1.5},
                   {seatU + 1, seatV + 1.6},
                   {(seatU + tailU) / 2, seatV + 1.2},
                   {tailU - 2, seatV + 0.6},
                   {tailU - 3, seatV - 1.5}});
  OutlineAndFill(cr, kSeat, lineWidth);
  SmoothShape(cr, {{seatU + 5, seatV - 3.2},
                   {(seatU + tailU) / 2 + 2, seatV - 0.4},
                   {tailU, seatV + 1.2},
                   {tailU + 0.8, seatV - 0.5},
                   {tailU - 4, seatV - 3.8}});
  OutlineAndShade(cr, look.Paint, seatV - 3.8, seatV + 1.2, lineWidth);
  Circle(cr, tailU, seatV - 0.2, 1.1);
  SetColour(cr, kTailLight);
  cairo_fill(cr);
  const double tankTop = rR * 2.9;
  SmoothShape(cr, {{barU + 1, rR * 2.0},
                   {barU + 1.5, tankTop - 0.5},
                   {(barU + seatU) / 2, tankTop + 0.6},
                   {seatU + 1, tankTop - 1.5},
                   {seatU + 1, rR * 1.95}});
  OutlineAndShade(cr, look.Paint, rR * 1.95, tankTop + 0.6, lineWidth);
  SmoothShape(cr, {{barU + 3, tankTop - 2.2},
                   {(barU + seatU) / 2, tankTop - 1.2},
                   {seatU - 1, tankTop - 2.6},
                   {(barU + seatU) / 2, tankTop - 3.4}});
  SetColour(cr, look.Trim);
  cairo_fill(cr);
  if (look.Fairing) {
    SmoothShape(cr, {{uF - rF * 0.4, rR * 2.1},
                     {uF - rF * 0.2, rR * 2.7},
                     {barU + 1, rR * 3.05},
                     {barU + 5, rR * 2.4},
                     {barU + 5, rR * 1.2},
                     {uF + rF * 0.3, rR * 1.3}});
    OutlineAndShade(cr, look.Paint, rR * 1.2, rR * 3.05, lineWidth);
    SmoothShape(cr, {{uF - rF * 0.1, rR * 2.75},
                     {uF + rF * 0.4, rR * 3.35},
                     {barU + 1.5, rR * 3.1},
                     {uF + rF * 0.6, rR * 2.75}});
    OutlineAndShade(cr, kScreen, rR * 2.7, rR * 3.35, lineWidth * 0.8);
  } else {
    Circle(cr, uF + rF * 0.35, rR * 2.45, rR * 0.42);
    OutlineAndFill(cr, kChrome, lineWidth);
    Circle(cr, uF + rF * 0.25, rR * 2.45, rR * 0.26);
    SetColour(cr, kHeadLamp);
    cairo_fill(cr);
  }
  // Handlebar end and footpeg, which scrape the road.
  cairo_move_to(cr, barU, barV);
  cairo_line_to(cr, barU + 3, barV + 1.2);
  SetColour(cr, Hex(0x1E1F22));
  cairo_set_line_width(cr, 2.4);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void DrawFallenRider(cairo_t* cr, const BikeLook& look, double tuck, double lineWidth) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  const double shoulder = look.ShoulderHalf * 0.82;
  const auto lerp = [tuck](double flat, double curled) { return flat + (curled - flat) * tuck; };
  // A two-piece limb from (x0, y0); angles in radians from straight down the body (+y),
  // positive turning outward on the right side.
  auto limb = [&](double x0, double y0, double a1, double l1, double a2, double l2, double width,
                  Rgb end, double endLength) {
    const double x1 = x0 + std::sin(a1) * l1;
    const double y1 = y0 + std::cos(a1) * l1;
    const double x2 = x1 + std::sin(a2) * l2;
    const double y2 = y1 + std::cos(a2) * l2;
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    SetColour(cr, OutlineOf(look.Suit));
    cairo_set_line_width(cr, width + lineWidth);
    cairo_stroke_preserve(cr);
    SetColour(cr, look.Suit);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
    // Boots and gloves point on along the last piece.
    cairo_move_to(cr, x2, y2);
    cairo_line_to(cr, x2 + std::sin(a2) * endLength, y2 + std::cos(a2) * endLength);
    SetColour(cr, OutlineOf(end));
    cairo_set_line_width(cr, width * 0.95 + lineWidth);
    cairo_stroke_preserve(cr);
    SetColour(cr, end);
    cairo_set_line_width(cr, width * 0.95);
    cairo_stroke(cr);
  };
  auto legs = [&]() {
    for (int side = -1; side <= 1; side += 2) {
      const double bias = side > 0 ? 1.0 : 0.82;  // never quite symmetric
      const double thigh = side * lerp(0.3, 2.5) * bias;
      const double shin = thigh - side * lerp(-0.15, 2.3) * bias;
      limb(side * 3.2, 5.5, thigh, 7.5, shin, 7, 4.8, kBoot, 2.2);
    }
  };
  if (tuck < 0.5) legs();
  SmoothShape(cr, {{0, -11},
                   {shoulder * 0.8, -10.5},
                   {shoulder, -7.5},
                   {shoulder * 0.82, 1},
                   {shoulder * 0.58, 7},
                   {0, 8},
                   {-shoulder * 0.58, 7},
                   {-shoulder * 0.82, 1},
                   {-shoulder, -7.5},
                   {-shoulder * 0.8, -10.5}});
  SetColour(cr, OutlineOf(look.Suit));
  cairo_set_line_width(cr, lineWidth);
  cairo_stroke_preserve(cr);
  FillShaded(cr, look.Suit, Finish::Suit, -shoulder, shoulder);
  cairo_new_path(cr);
  SmoothShape(cr, {{0, -10}, {1.3, -8.5}, {1.1, 5.5}, {0, 6.5}, {-1.1, 5.5}, {-1.3, -8.5}});
  SetColour(cr, look.SuitTrim);
  cairo_fill(cr);
  if (tuck >= 0.5) legs();
  // Arms: flung out above the head when lying, wrapped in when tumbling.
  for (int side = -1; side <= 1; side += 2) {
    const double bias = side > 0 ? 1.0 : 0.88;
    const double upper = side * lerp(2.3, 0.45) * bias;
    const double fore = upper + side * lerp(0.35, -1.9) * bias;
    limb(side * shoulder * 0.8, -8, upper, 6.2, fore, 5.5, 3.8, kGlove, 1.4);
  }
  Helmet h;
  h.Y = -11 - look.HelmetRadiusY * 0.55;
  h.RadiusX = look.HelmetRadiusX;
  h.RadiusY = look.HelmetRadiusY;
  h.Shell = look.HelmetShell;
  h.Stripe = look.HelmetStripe;
  DrawHelmetAt(cr, h, View{}, lineWidth);
  cairo_restore(cr);
}

}  // namespace bikeart
