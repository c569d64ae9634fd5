// Small top-down props shared by the road tiles: trees, bushes, rocks, tyres. Light falls from
// the top left, so every prop casts its shadow down and to the right.
#pragma once

#include <cairo.h>

#include "Textures.h"

struct Colour {
  double R, G, B;
};

void SetColour(cairo_t* cr, Colour c, double alpha = 1.0);
Colour Mix(Colour a, Colour b, double t);
Colour Shade(Colour c, double factor);

// A rounded canopy of a few lobes; `seed` varies the lobes.
void DrawTree(cairo_t* cr, double cx, double cy, double radius, Colour leaf, uint64_t seed);
// A conifer seen from above: a star of needled boughs round a dark crown.
void DrawConifer(cairo_t* cr, double cx, double cy, double radius, Colour needles, uint64_t seed);
void DrawRock(cairo_t* cr, double cx, double cy, double radius, uint64_t seed);
void DrawTyre(cairo_t* cr, double cx, double cy, double radius);
// A disc of radius r round (cx, cy) shaded from `lit` at (lx, ly) (spread lr) to `dark` at its
// rim: a bale, a screw head, a tyre.
void FillLitDisc(cairo_t* cr, double cx, double cy, double r, double lx, double ly, double lr,
                 Colour lit, Colour dark);
// A soft shadow of an ellipse, offset down and to the right of its caster.
void DrawShadowEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha);
// Bold text centred on (cx, cy), rotated by `angle` radians, in the fixed baker face.
void DrawCentredText(cairo_t* cr, const char* text, double cx, double cy, double size,
                     double angle);
