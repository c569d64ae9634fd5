// Drawing helpers of the menu art: one palette, one caption face, plates, glows, and the
// compositing of keyed pictures over the screen they are shown on.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

#include "resources/CollectionWriter.h"

struct Colour {
  double R = 0;
  double G = 0;
  double B = 0;
};

// 0xRRGGBB as a cairo colour.
constexpr Colour Hex(uint32_t rgb) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

// The menu palette: carbon darks, steel greys and a warm orange-gold accent that matches the
// game's yellow text.
namespace Palette {
inline constexpr Colour kCarbonDeep = Hex(0x0B0D10);
inline constexpr Colour kCarbon = Hex(0x171A1F);
inline constexpr Colour kSteelLight = Hex(0x5C636E);
inline constexpr Colour kSteel = Hex(0x353A42);
inline constexpr Colour kSteelDark = Hex(0x1C1F24);
inline constexpr Colour kInk = Hex(0x07080A);
inline constexpr Colour kGoldPale = Hex(0xFFF2A8);
inline constexpr Colour kGold = Hex(0xFFD21F);
inline constexpr Colour kOrange = Hex(0xFF8A00);
inline constexpr Colour kFlame = Hex(0xE2400A);
inline constexpr Colour kEmber = Hex(0x5A1600);
inline constexpr Colour kCaptionGrey = Hex(0xE4E8EE);
inline constexpr Colour kValueGreen = Hex(0x00FFAE);
inline constexpr Colour kPanelTop = Hex(0x1D222A);
inline constexpr Colour kPanelBottom = Hex(0x11141A);
}  // namespace Palette

void SetSource(cairo_t* cr, Colour c, double alpha = 1.0);
// A vertical gradient from y0 to y1 through evenly spaced colours.
using PatternPtr = std::unique_ptr<cairo_pattern_t, decltype(&cairo_pattern_destroy)>;
PatternPtr VerticalGradient(double y0, double y1, std::initializer_list<Colour> stops);

using SurfacePtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
SurfacePtr NewSurface(int width, int height);  // ARGB32, fully transparent
SurfacePtr SurfaceFromRgb(const RgbImage& image);
// Copies an opaque picture onto a screen image at (x, y), clipped to the screen.
void Blit(RgbImage& screen, const RgbImage& picture, int x, int y);

// The picture of a drawn layer as it will look placed at (x, y) on SCREEN: pixels the layer
// covers at least MINALPHA/255 are blended over the screen's own pixels there, so soft edges
// and glows meet the backdrop without a seam; the rest become the key colour.
RgbImage KeyedOver(cairo_surface_t* layer, const RgbImage& screen, int x, int y, int minAlpha = 24);
// The same for a layer whose background is unknown: the coverage is cut at half.
RgbImage KeyedAlone(cairo_surface_t* layer);
// An opaque picture of a layer drawn over the screen at (x, y).
RgbImage OpaqueOver(cairo_surface_t* layer, const RgbImage& screen, int x, int y);

// Softens a surface in place (three box passes, close to a Gaussian of the given radius).
void Blur(cairo_surface_t* surface, int radius);

// Caption text: the display face, bold, slanted forward like the game's racing numbers.
inline constexpr double kCaptionSlant = 0.2;
// Adds the caption's outline to the path, its ink box centred on (cx, cy).
void CaptionPath(cairo_t* cr, const std::string& text, double cx, double cy, double size,
                 double slant = kCaptionSlant);
// The caption's ink width at SIZE, slant included.
double CaptionWidth(cairo_t* cr, const std::string& text, double size,
                    double slant = kCaptionSlant);
// Adds the caption's outline with its left ink edge at x, its ink box centred on cy.
void CaptionPathLeft(cairo_t* cr, const std::string& text, double x, double cy, double size,
                     double slant = kCaptionSlant);
void CaptionPathRight(cairo_t* cr, const std::string& text, double right, double cy, double size,
                      double slant = kCaptionSlant);

// A parallelogram leaning forward: its top edge is SLANT pixels right of its bottom edge.
void SlantedRect(cairo_t* cr, double x, double y, double width, double height, double slant);
void RoundedRect(cairo_t* cr, double x, double y, double width, double height, double radius);
// A gear wheel centred on (cx, cy) as one path with its hub hole (fill with even-odd).
void GearPath(cairo_t* cr, double cx, double cy, double outer, double inner, int teeth,
              double hole);

// Fills the current path with a soft glow of colour C spreading RADIUS pixels beyond it.
// The path is consumed.
void GlowPath(cairo_t* cr, Colour c, double alpha, int radius);
// Fills the current path as a soft drop shadow, offset by (dx, dy). The path is consumed.
void ShadowPath(cairo_t* cr, double dx, double dy, int radius, double alpha);

// Adds fine deterministic grain to an opaque image, so the 16-bit display shows no banding
// in the gradients. SEED picks the grain; AMOUNT is the largest change of a channel.
void AddGrain(RgbImage& image, uint32_t seed, int amount);

// Picture items of the collection.
PictureItemSpec KeyedItem(const std::string& name, const RgbImage& image, int patternWidth = 0);
PictureItemSpec OpaqueItem(const std::string& name, const RgbImage& image);
// Two looks side by side as one two-pattern picture: pattern 0, then pattern 1.
RgbImage SideBySide(const RgbImage& left, const RgbImage& right);
