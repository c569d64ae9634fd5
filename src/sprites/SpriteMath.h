// The two ways the sprite code turns a pixel position into a whole pixel.
#pragma once

#include <cmath>

// Positions beyond this are far off any screen; clamping keeps box arithmetic from overflowing.
constexpr double kFarPixel = 1 << 30;

// Nearest whole number, halves to the even neighbour (the default rounding mode).
inline int RoundToInt(double value) {
  if (!(value > -kFarPixel)) return value != value ? 0 : -static_cast<int>(kFarPixel);
  if (value > kFarPixel) return static_cast<int>(kFarPixel);
  return static_cast<int>(std::nearbyint(value));
}

// Toward zero.
inline int TruncToInt(double value) {
  if (!(value > -kFarPixel)) return value != value ? 0 : -static_cast<int>(kFarPixel);
  if (value > kFarPixel) return static_cast<int>(kFarPixel);
  return static_cast<int>(value);
}
