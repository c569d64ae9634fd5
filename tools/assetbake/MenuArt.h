// The menu art of image list 1, and what other parts of the baker need to match it.
#pragma once

#include <cairo.h>

// Paints the background of the bike portrait window (WIDTH x HEIGHT from the origin), the
// same one the bike-selection panel shows there, so a portrait drawn over it sits seamlessly
// in the panel.
void PaintPortraitBackdrop(cairo_t* cr, int width, int height);
