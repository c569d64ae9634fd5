#include "screens/Text.h"

#include <algorithm>

#include "app/TMForm.h"
#include "sprites/ImageDrawing.h"

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

void BlendMask(const TextMask& mask, Surface& dest, int x, int y, uint32_t rgb) {
  const uint16_t colour = Rgb565(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
  const int x0 = std::max(0, -x);
  const int y0 = std::max(0, -y);
  const int x1 = std::min(mask.Width, dest.Width() - x);
  const int y1 = std::min(mask.Height, dest.Height() - y);
  if (x0 >= x1) return;
  for (int my = y0; my < y1; ++my) {
    const uint8_t* coverage = mask.Coverage.data() + static_cast<size_t>(my) * mask.Width;
    BlendCoverage(dest.Row(y + my) + x + x0, coverage + x0, x1 - x0, colour);
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
