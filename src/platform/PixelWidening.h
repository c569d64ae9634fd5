// The back buffer's 16-bit pixels as the 32-bit pixels most windows and GPUs take, so that the
// window gets them without SDL converting every pixel of every frame.
#pragma once

#include <cstdint>

// count RGB565 pixels as XRGB8888 (the top byte 0xFF, so ARGB8888 reads them opaque). Each
// channel is widened by repeating its top bits, as the screenshots are: white stays white.
void WidenRgb565Row(const uint16_t* from, uint32_t* to, int count);
