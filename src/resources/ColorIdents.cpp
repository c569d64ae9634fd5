#include "resources/ColorIdents.h"

#include <array>

namespace {

struct NamedColor {
  std::string_view Ident;
  uint8_t Red, Green, Blue;
  uint32_t Value() const { return Red + 256u * Green + 65536u * Blue; }
};

constexpr std::array<NamedColor, 20> kNamedColors = {{
    {"clBlack", 0, 0, 0},       {"clMaroon", 128, 0, 0},         {"clGreen", 0, 128, 0},
    {"clOlive", 128, 128, 0},   {"clNavy", 0, 0, 128},           {"clPurple", 128, 0, 128},
    {"clTeal", 0, 128, 128},    {"clGray", 128, 128, 128},       {"clSilver", 192, 192, 192},
    {"clRed", 255, 0, 0},       {"clLime", 0, 255, 0},           {"clYellow", 255, 255, 0},
    {"clBlue", 0, 0, 255},      {"clFuchsia", 255, 0, 255},      {"clAqua", 0, 255, 255},
    {"clWhite", 255, 255, 255}, {"clMoneyGreen", 192, 220, 192}, {"clSkyBlue", 166, 202, 240},
    {"clCream", 255, 251, 240}, {"clMedGray", 160, 160, 164},
}};

}  // namespace

std::optional<uint32_t> ColorFromIdent(std::string_view ident) {
  for (const NamedColor& color : kNamedColors) {
    if (color.Ident == ident) return color.Value();
  }
  return std::nullopt;
}

std::string_view IdentFromColor(uint32_t color) {
  for (const NamedColor& named : kNamedColors) {
    if (named.Value() == color) return named.Ident;
  }
  return {};
}
