// The window's icon: the game's own desktop icon where its file can be read, else a gear drawn
// here, so a game missing its icons still has one.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

// Window managers show a window's icon small; a picture larger than this is not an icon.
constexpr int kMaxWindowIconSize = 256;

struct SdlSurfaceFree {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SdlSurfacePtr = std::unique_ptr<SDL_Surface, SdlSurfaceFree>;

// A PNG file as a 32-bit picture with its transparency; nullptr when the file cannot be read as
// a PNG or is larger than kMaxWindowIconSize on a side.
SdlSurfacePtr LoadWindowIcon(const std::string& path);

// Gives the window the icon in the file, or the drawn gear.
void SetWindowIcon(SDL_Window* window, const std::string& path);
