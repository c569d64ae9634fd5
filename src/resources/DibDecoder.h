// Decodes the device-independent bitmaps of picture items into RGB565 surfaces.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Surface.h"

// Largest picture the reader accepts; the game's biggest is the 800x600 backdrop, and a hostile
// header must not make us allocate gigabytes.
inline constexpr int kMaxDibSide = 16384;
inline constexpr int64_t kMaxDibPixels = 32 * 1024 * 1024;
// Run-length pictures may declare their full size in a few bytes, so a whole collection gets a
// pixel budget too, far above what the game's lists hold.
inline constexpr int64_t kMaxCollectionPixels = 64 * 1024 * 1024;

// A DIB without its file header: header, optional bit-field masks, colour table, pixels.
// A picture of more than maxPixels pixels is refused before anything is allocated.
// Throws CollectionError ("DIB is invalid", "Picture is too large", "Stream read error").
Surface DecodeDib(const uint8_t* data, size_t size, int64_t maxPixels = kMaxDibPixels);

// A picture item's Picture.Data: the class name "TDIB" as a short string, then the DIB.
// Empty data gives an empty picture.
Surface DecodePictureData(const uint8_t* data, size_t size, int64_t maxPixels = kMaxDibPixels);
