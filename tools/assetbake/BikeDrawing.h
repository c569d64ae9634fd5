// The five bikes and their riders as vector drawings: riding seen from above (upright or
// leaning), and fallen (the bike on its side, the rider sprawled on the road).
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

namespace bikeart {

struct Rgb {
  double R = 0;
  double G = 0;
  double B = 0;
};

// How a surface takes the light, which picks its shading.
enum class Finish { Paint, Matte, Rubber, Metal, Chrome, Glass, Suit };

// A rounded shape, symmetric about x = XOffset, given as half-widths at stations along the
// bike (y grows toward the rear), standing from height Z0 to Z1 above the road.
struct Blob {
  std::vector<std::pair<double, double>> Stations;  // (y, half-width)
  double XOffset = 0;
  double Z0 = 0;
  double Z1 = 0;
  Rgb Colour;
  Finish Surface = Finish::Paint;
  bool Mirrored = false;  // also drawn at -XOffset
  bool Rider = false;     // moves with the rider when he hangs off in a lean
};

// A limb, a bar or a pipe: a thick line through points (x, y, z).
struct Tube {
  std::vector<std::pair<double, double>> Points;  // (x, y)
  std::vector<double> Heights;                    // z per point
  double Width = 2;
  Rgb Colour;
  Finish Surface = Finish::Suit;
  bool Mirrored = false;
  bool Rider = false;
};

// The rider's head: a helmet with a visor toward the front and a stripe along its crown.
struct Helmet {
  double Y = 0;
  double RadiusX = 6;
  double RadiusY = 6.5;
  double Z = 46;
  Rgb Shell;
  Rgb Stripe;
  bool Peak = false;  // an off-road peak over the visor
};

// One drawn element, in the order of drawing (lowest first).
struct Part {
  enum class Kind { Blob, Tube, Helmet } Type = Kind::Blob;
  Blob Shape;
  Tube Line;
  Helmet Head;
};

// Everything that tells one model from another.
struct BikeLook {
  std::string Name;
  int Width = 0;  // riding picture
  int Height = 0;
  int CrashWidth = 0;
  int CrashHeight = 0;
  int CrashFrames = 0;
  Rgb Paint;
  Rgb Trim;
  Rgb Suit;
  Rgb SuitTrim;
  Rgb HelmetShell;
  Rgb HelmetStripe;
  double FrontTyreY = 0;  // centre of the front tyre's footprint, from the top
  double FrontTyreRadius = 0;
  double RearTyreRadius = 0;
  double RearTyreHalfWidth = 0;
  double SeatY = 0;  // where the seat begins, for the fallen drawing
  double TailY = 0;  // end of the bodywork
  double TankTop = 24;
  bool Fairing = false;
  double ShoulderHalf = 11;  // the rider's build, for drawing him off the bike
  double HelmetRadiusX = 6;
  double HelmetRadiusY = 6.5;
  std::vector<Part> Parts;
};

// Model 1..5.
const BikeLook& LookOf(int model);

// The rear tyre's contact point below the picture's top: the game lays tyre marks there, half
// the picture's diagonal less 25 pixels behind its centre.
double RearTyreY(int width, int height);

// The deepest lean that keeps the model inside its riding picture, in radians.
double MaxLean(const BikeLook& look);

struct RideOptions {
  double Lean = 0;  // radians, positive to the right
  bool WithRider = true;
  double LineWidth = 1.0;  // outline width in picture pixels
};

// Draws the riding bike into the current user space, where one unit is one pixel of the
// riding picture, origin at its top-left, front up.
void DrawRidingBike(cairo_t* cr, const BikeLook& look, const RideOptions& options);

// Draws the bike lying on its side, seen from above: its front toward -y, its top toward -x,
// centred on the origin of the current user space.
void DrawFallenBike(cairo_t* cr, const BikeLook& look, double lineWidth);
// The fallen bike's extent along and across itself, for fitting it into a frame.
double FallenBikeLength(const BikeLook& look);
double FallenBikeHeight(const BikeLook& look);

// A rider sliding or lying on the road, seen from above, head toward -y, centred on the
// origin. Tuck 1 curls him up (tumbling), 0 lays him flat with arms and legs spread.
void DrawFallenRider(cairo_t* cr, const BikeLook& look, double tuck, double lineWidth);

}  // namespace bikeart
