#include "screens/Text.h"

#include <algorithm>

#include "app/TMForm.h"

const std::array<TTextStyle, kTextStyleCount + 1> TextStyles = {{
    {"", 0, false, 0},
    {"BancoDi", 30, false, 0xFFDE00},  // 1
    {"BancoDi", 18, false, 0xFFDE00},
    {"BancoDi", 24, false, 0xFFDE00},
    {"BancoDi", 28, true, 0x000000},
    {"BancoDi", 36, false, 0xF40909},  // 5
    {"BancoDi", 16, false, 0x42FCCA},
    {"BancoDi", 20, false, 0x42FCCA},
    {"BancoDi", 16, false, 0xFFFFFF},
    {"BancoDi", 26, false, 0xFFDE00},
    {"BancoDi", 26, false, 0x00FFAE},  // 10
    {"BancoDi", 24, false, 0xFFDE00},
    {"BancoDi", 24, false, 0xFFDE00},
    {"BancoDi", 24, false, 0x00FFAE},
    {"BancoDi", 24, false, 0xFFDE00},
    {"BancoDi", 78, false, 0xFFF2A8},  // 15
    {"BancoDi", 24, false, 0xBFA600},
    {"BancoDi", 18, false, 0xFFDE00},
    {"BancoDi", 22, false, 0x42FCCA},
    {"BancoDi", 28, false, 0xFFF2A8},
    {"BancoDi", 14, false, 0xFFF2A8},  // 20
    {"BancoDi", 15, false, 0xFFF2A8},
    {"Courier", 14, false, 0x00FF00},
    {"BancoDi", 20, false, 0xFFF2A8},
    {"BancoDi", 14, false, 0x42FCCA},
}};

namespace {
uint32_t CurrentColor = 0;

TextRenderer* Renderer() {
  return MForm ? MForm->Text() : nullptr;
}

// Blends one 5- or 6-bit channel toward the text colour by the glyph's coverage.
inline unsigned Mix(unsigned text, unsigned dest, unsigned coverage) {
  return (text * coverage + dest * (255 - coverage) + 127) / 255;
}

void BlendMask(const TextMask& mask, Surface& dest, int x, int y, uint32_t rgb) {
  const unsigned r = (rgb >> 16 & 0xFF) >> 3;
  const unsigned g = (rgb >> 8 & 0xFF) >> 2;
  const unsigned b = (rgb & 0xFF) >> 3;
  const int x0 = std::max(0, -x);
  const int y0 = std::max(0, -y);
  const int x1 = std::min(mask.Width, dest.Width() - x);
  const int y1 = std::min(mask.Height, dest.Height() - y);
  for (int my = y0; my < y1; ++my) {
    const uint8_t* coverage = mask.Coverage.data() + static_cast<size_t>(my) * mask.Width;
    uint16_t* row = dest.Row(y + my) + x;
    for (int mx = x0; mx < x1; ++mx) {
      const unsigned a = coverage[mx];
      if (a == 0) continue;
      const unsigned d = row[mx];
      row[mx] = static_cast<uint16_t>(Mix(r, d >> 11, a) << 11 | Mix(g, d >> 5 & 0x3F, a) << 5 |
                                      Mix(b, d & 0x1F, a));
    }
  }
}
}  // namespace

void SetTextStyle(int style) {
  if (style < 1 || style > kTextStyleCount) return;
  const TTextStyle& s = TextStyles[style];
  CurrentColor = s.Rgb;
  if (TextRenderer* renderer = Renderer()) renderer->SetFont(s.Face, s.Points, s.Bold);
}

int StyledTextWidth(const std::string& text, int style) {
  SetTextStyle(style);
  return GetTextWidth(text);
}

int GetTextWidth(const std::string& text) {
  TextRenderer* renderer = Renderer();
  return renderer ? renderer->TextWidth(text) : 0;
}

int GetTextHeight(const std::string& text) {
  TextRenderer* renderer = Renderer();
  return renderer ? renderer->TextHeight(text) : 0;
}

void PrintText(const std::string& text, int x, int y, bool centerX, bool centerY) {
  TextRenderer* renderer = Renderer();
  if (!renderer) return;
  if (centerX) x = static_cast<int>(x - renderer->TextWidth(text) / 2.0);
  if (centerY) y = static_cast<int>(y - renderer->TextHeight(text) / 2.0);
  if (text.empty() || !MForm->MDXDraw.Initialized()) return;
  BlendMask(renderer->Render(text), MForm->MDXDraw.BackBuffer(), x, y, CurrentColor);
}
