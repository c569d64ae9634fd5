// The game's text: 24 numbered styles, drawn with a transparent background straight into the
// back buffer after the sprites of the tick.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct TTextStyle {
  const char* Face;
  int Points;
  bool Bold;
  uint32_t Rgb;  // 0xRRGGBB
};

constexpr int kTextStyleCount = 24;
// Indexed 1..24; entry 0 is unused.
extern const std::array<TTextStyle, kTextStyleCount + 1> TextStyles;

void SetTextStyle(int style);
// Selects the style, then measures the text in it.
int StyledTextWidth(const std::string& text, int style);
int GetTextWidth(const std::string& text);
int GetTextHeight(const std::string& text);
// Draws the text with its top-left corner at (x, y); a centring flag moves that coordinate back
// by half the text's size, truncated.
void PrintText(const std::string& text, int x, int y, bool centerX, bool centerY);
