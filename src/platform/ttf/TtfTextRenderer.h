// Text through SDL_ttf, with the faces found by fontconfig: the game's own fonts.conf in
// Data/Fonts maps the face names it asks for to the fonts shipped there.
#pragma once

#include <memory>
#include <string>

#include "platform/Devices.h"

// fontsDir holds fonts.conf; without it the system's fonts stand in.
std::unique_ptr<TextRenderer> CreateTtfTextRenderer(const std::string& fontsDir);
