#include "platform/ttf/TtfTextRenderer.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <filesystem>
#include <list>
#include <map>
#include <stdexcept>
#include <tuple>
#include <unordered_map>

namespace {
// Point sizes are meant at the desktop's 96 dots an inch.
constexpr unsigned kDotsPerInch = 96;
// Rendered texts kept for the next frames: menus and the HUD redraw the same lines every tick.
constexpr size_t kCachedTexts = 128;

class TtfTextRenderer final : public TextRenderer {
 public:
  explicit TtfTextRenderer(const std::string& fontsDir) {
    if (TTF_WasInit() == 0 && TTF_Init() != 0) {
      throw std::runtime_error(std::string("Cannot start the font renderer. ") + TTF_GetError());
    }
    Config_ = FcInitLoadConfigAndFonts();
    const std::filesystem::path dir = std::filesystem::absolute(fontsDir);
    const std::filesystem::path conf = dir / "fonts.conf";
    if (std::filesystem::exists(conf)) {
      FcConfigParseAndLoad(Config_, reinterpret_cast<const FcChar8*>(conf.c_str()), FcTrue);
      FcConfigAppFontAddDir(Config_, reinterpret_cast<const FcChar8*>(dir.c_str()));
    }
  }

  ~TtfTextRenderer() override {
    for (auto& entry : Fonts_) {
      if (entry.second) TTF_CloseFont(entry.second);
    }
    FcConfigDestroy(Config_);
  }

  void SetFont(const std::string& face, int points, bool bold) override {
    const auto key = std::make_tuple(face, points, bold);
    auto it = Fonts_.find(key);
    if (it == Fonts_.end()) it = Fonts_.emplace(key, Open(face, points, bold)).first;
    Font_ = it->second;
    FontKey_ = face + "/" + std::to_string(points) + (bold ? "b/" : "/");
  }

  int TextWidth(const std::string& text) override {
    int w = 0, h = 0;
    if (Font_ && !text.empty()) TTF_SizeUTF8(Font_, text.c_str(), &w, &h);
    return w;
  }

  int TextHeight(const std::string&) override { return Font_ ? TTF_FontHeight(Font_) : 0; }

  TextMask Render(const std::string& text) override {
    if (!Font_ || text.empty()) return {};
    const std::string key = FontKey_ + text;
    if (auto it = Cache_.find(key); it != Cache_.end()) {
      Order_.splice(Order_.begin(), Order_, it->second.second);
      return it->second.first;
    }
    TextMask mask = RenderUncached(text);
    if (Cache_.size() >= kCachedTexts) {
      Cache_.erase(Order_.back());
      Order_.pop_back();
    }
    Order_.push_front(key);
    Cache_.emplace(key, std::make_pair(mask, Order_.begin()));
    return mask;
  }

 private:
  TTF_Font* Open(const std::string& face, int points, bool bold) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcConfigSubstitute(Config_, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(Config_, pattern, &result);
    FcPatternDestroy(pattern);
    std::string file;
    int matchedWeight = FC_WEIGHT_REGULAR;
    if (match) {
      FcChar8* path = nullptr;
      if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
        file = reinterpret_cast<const char*>(path);
      }
      FcPatternGetInteger(match, FC_WEIGHT, 0, &matchedWeight);
      FcPatternDestroy(match);
    }
    // Without any usable font the game goes on without its texts rather than stopping mid-tick.
    TTF_Font* font =
        file.empty() ? nullptr : TTF_OpenFontDPI(file.c_str(), points, kDotsPerInch, kDotsPerInch);
    if (!font) return nullptr;
    // A face without a bold cut is emboldened by the renderer.
    if (bold && matchedWeight < FC_WEIGHT_BOLD) TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    return font;
  }

  TextMask RenderUncached(const std::string& text) {
    SDL_Surface* rendered =
        TTF_RenderUTF8_Blended(Font_, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!rendered) return {};
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (!argb) return {};
    TextMask mask;
    mask.Width = argb->w;
    mask.Height = argb->h;
    mask.Coverage.resize(static_cast<size_t>(mask.Width) * mask.Height);
    SDL_LockSurface(argb);
    for (int y = 0; y < mask.Height; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(
          static_cast<const uint8_t*>(argb->pixels) + static_cast<size_t>(y) * argb->pitch);
      for (int x = 0; x < mask.Width; ++x) {
        mask.Coverage[static_cast<size_t>(y) * mask.Width + x] = static_cast<uint8_t>(row[x] >> 24);
      }
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return mask;
  }

  FcConfig* Config_ = nullptr;
  std::map<std::tuple<std::string, int, bool>, TTF_Font*> Fonts_;
  TTF_Font* Font_ = nullptr;
  std::string FontKey_;
  std::list<std::string> Order_;
  std::unordered_map<std::string, std::pair<TextMask, std::list<std::string>::iterator>> Cache_;
};
}  // namespace

std::unique_ptr<TextRenderer> CreateTtfTextRenderer(const std::string& fontsDir) {
  return std::make_unique<TtfTextRenderer>(fontsDir);
}
