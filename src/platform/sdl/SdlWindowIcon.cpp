#include "platform/sdl/SdlWindowIcon.h"

#include <png.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {
// The stand-in: an orange gear.
constexpr int kGearIconSize = 32;
constexpr int kGearTeeth = 8;
constexpr uint32_t kGearColour = 0xFFF08020;  // ARGB
constexpr uint32_t kGearEdgeColour = 0xFF803000;

std::vector<uint32_t> DrawGearIcon() {
  std::vector<uint32_t> pixels(kGearIconSize * kGearIconSize, 0);  // transparent
  const double centre = (kGearIconSize - 1) / 2.0;
  for (int y = 0; y < kGearIconSize; ++y) {
    for (int x = 0; x < kGearIconSize; ++x) {
      const double dx = x - centre, dy = y - centre;
      const double radius = std::hypot(dx, dy) / kGearIconSize;
      const bool tooth = std::cos(kGearTeeth * std::atan2(dy, dx)) > 0.2;
      const double outer = tooth ? 0.49 : 0.38;
      if (radius > outer || radius < 0.14) continue;
      const bool edge = radius > outer - 0.05 || radius < 0.19;
      pixels[y * kGearIconSize + x] = edge ? kGearEdgeColour : kGearColour;
    }
  }
  return pixels;
}

void SetGearIcon(SDL_Window* window) {
  std::vector<uint32_t> pixels = DrawGearIcon();
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
      pixels.data(), kGearIconSize, kGearIconSize, 32, kGearIconSize * 4, SDL_PIXELFORMAT_ARGB8888);
  if (icon == nullptr) return;
  SDL_SetWindowIcon(window, icon);  // SDL keeps its own copy
  SDL_FreeSurface(icon);
}
}  // namespace

SdlSurfacePtr LoadWindowIcon(const std::string& path) {
  if (path.empty()) return nullptr;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return nullptr;
  if (image.width == 0 || image.height == 0 || image.width > kMaxWindowIconSize ||
      image.height > kMaxWindowIconSize) {
    png_image_free(&image);
    return nullptr;
  }
  // Bytes red, green, blue, alpha in memory, whatever the machine's byte order.
  image.format = PNG_FORMAT_RGBA;
  SdlSurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(image.width),
                                                       static_cast<int>(image.height), 32,
                                                       SDL_PIXELFORMAT_RGBA32));
  if (surface == nullptr) {
    png_image_free(&image);
    return nullptr;
  }
  if (!png_image_finish_read(&image, nullptr, surface->pixels, surface->pitch, nullptr)) {
    return nullptr;  // libpng has freed its part
  }
  return surface;
}

void SetWindowIcon(SDL_Window* window, const std::string& path) {
  if (const SdlSurfacePtr icon = LoadWindowIcon(path)) {
    SDL_SetWindowIcon(window, icon.get());
  } else {
    SetGearIcon(window);
  }
}
