// How large the 800x600 picture is shown: the whole multiple a window gets on a desktop, and
// whether a renderer's output shows it at a whole multiple (then each picture pixel is a square
// block of screen pixels and wants no smoothing). No SDL here, so tests can ask it directly.
#pragma once

constexpr int kPictureWidth = 800;
constexpr int kPictureHeight = 600;
// The largest multiple a player may ask for: 6400x4800, beyond any desktop of today.
constexpr int kMaxWindowScale = 8;

// The width the desktop's window decorations add around a window's client area, in pixels.
struct WindowBorders {
  int Top = 0, Left = 0, Bottom = 0, Right = 0;
};

// The largest whole multiple of the picture whose window, decorations included, fits the
// desktop's usable area; 1 when not even the picture's own size fits, so the game still shows.
int LargestFittingWindowScale(int usableWidth, int usableHeight, const WindowBorders& borders);

// Whether the picture, stretched to the largest size the output holds with its shape kept,
// lands at a whole multiple of its own size.
bool ShownAtWholeMultiple(int outputWidth, int outputHeight);
