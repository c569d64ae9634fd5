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
// Measured and rendered texts kept for the next frames: menus and the HUD measure and redraw
// the same lines every tick.
constexpr size_t kCachedTexts = 256;

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
      if (entry.second.Font) TTF_CloseFont(entry.second.Font);
    }
    FcConfigDestroy(Config_);
  }

  void SetFont(const std::string& face, int points, bool bold) override {
    const auto key = std::make_tuple(face, points, bold);
    auto it = Fonts_.find(key);
    if (it == Fonts_.end()) {
      const std::string name = face + "/" + std::to_string(points) + (bold ? "b/" : "/");
      it = Fonts_.emplace(key, OpenFont{Open(face, points, bold), name}).first;
    }
    Font_ = &it->second;
  }

  int TextWidth(const std::string& text) override {
    if (!Font_ || !Font_->Font || text.empty()) return 0;
    Entry& entry = Find(text);
    if (entry.Width < 0) {
      int h = 0;
      entry.Width = 0;
      TTF_SizeUTF8(Font_->Font, text.c_str(), &entry.Width, &h);
    }
    return entry.Width;
  }

  int TextHeight(const std::string&) override {
    return Font_ && Font_->Font ? TTF_FontHeight(Font_->Font) : 0;
  }

  const TextMask& Render(const std::string& text) override {
    if (!Font_ || !Font_->Font || text.empty()) return Empty_;
    Entry& entry = Find(text);
    if (!entry.Rendered) {
      entry.Mask = RenderUncached(text);
      entry.Rendered = true;
    }
    return entry.Mask;
  }

 private:
  struct OpenFont {
    TTF_Font* Font;
    std::string Name;  // face, size and weight: the cache keys' prefix
  };
  // One text in one font: its width once measured, its mask once rendered.
  struct Entry {
    int Width = -1;
    bool Rendered = false;
    TextMask Mask;
    std::list<std::string>::iterator Place;
  };

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

  // The cache entry of the text in the current font, made (and the oldest one dropped) when
  // there is none.
  Entry& Find(const std::string& text) {
    Key_.assign(Font_->Name).append(text);
    if (auto it = Cache_.find(Key_); it != Cache_.end()) {
      Order_.splice(Order_.begin(), Order_, it->second.Place);
      return it->second;
    }
    if (Cache_.size() >= kCachedTexts) {
      Cache_.erase(Order_.back());
      Order_.pop_back();
    }
    Order_.push_front(Key_);
    Entry& entry = Cache_[Key_];
    entry.Place = Order_.begin();
    return entry;
  }

  TextMask RenderUncached(const std::string& text) {
    SDL_Surface* rendered =
        TTF_RenderUTF8_Blended(Font_->Font, text.c_str(), SDL_Color{255, 255, 255, 255});
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
  std::map<std::tuple<std::string, int, bool>, OpenFont> Fonts_;
  OpenFont* Font_ = nullptr;
  std::string Key_;
  std::list<std::string> Order_;  // most recently used first
  std::unordered_map<std::string, Entry> Cache_;
  TextMask Empty_;
};
}  // namespace

std::unique_ptr<TextRenderer> CreateTtfTextRenderer(const std::string& fontsDir) {
  return std::make_unique<TtfTextRenderer>(fontsDir);
}
