// Decodes the device-independent bitmaps of picture items into RGB565 surfaces.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Surface.h"

// Largest picture the reader accepts; the game's biggest is the 800x600 backdrop, and a hostile
// header must not make us allocate gigabytes.
inline constexpr int kMaxDibSide = 16384;
inline constexpr int64_t kMaxDibPixels = 32 * 1024 * 1024;

// A DIB without its file header: header, optional bit-field masks, colour table, pixels.
// Throws CollectionError ("DIB is invalid", "Picture is too large", "Stream read error").
Surface DecodeDib(const uint8_t* data, size_t size);

// A picture item's Picture.Data: the class name "TDIB" as a short string, then the DIB.
// Empty data gives an empty picture.
Surface DecodePictureData(const uint8_t* data, size_t size);
