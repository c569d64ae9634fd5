// Drawing one pattern of a picture item onto a surface: plain, blended, and rotated and scaled.
// All three draw nothing for a pattern outside the item or an item not yet loaded, leave out
// the item's colour key when it is transparent, and clip to the destination.
#pragma once

#include <cstdint>

#include "platform/Surface.h"
#include "resources/ImageCollection.h"
#include "sprites/TurnCache.h"

// The pattern with its top-left corner at (x, y).
void DrawPattern(const TPictureCollectionItem& item, Surface& dest, int x, int y, int pattern);

// The box DrawPattern paints with opaque pixels when it draws the pattern at (x, y): all it draws
// for an opaque item, nothing for a keyed one, a pattern it would not draw or a box off the
// int range.
SurfaceRect OpaquePatternBox(const TPictureCollectionItem& item, int x, int y, int pattern);

// The pattern stretched into rect and laid over the destination with weight alpha / 255
// (alpha is held to 0..255).
void DrawAlpha(const TPictureCollectionItem& item, Surface& dest, const SurfaceRect& rect,
               int pattern, int alpha);

// Lays one colour over count pixels, each by its coverage / 255, rounded to nearest per
// channel: a text glyph's mask.
void BlendCoverage(uint16_t* dest, const uint8_t* coverage, int count, uint16_t colour);

// The pattern scaled to width by height and turned clockwise by angle (256ths of a turn) about
// the point at the fractions (centreX, centreY) of that box; that point lands on (x, y). With a
// cache, a draw turned the same way before is copied from it: the pixels are the same.
void DrawRotated(const TPictureCollectionItem& item, Surface& dest, int x, int y, int width,
                 int height, int pattern, double centreX, double centreY, int angle,
                 TurnCache* cache = nullptr);
