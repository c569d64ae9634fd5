// Screenshots: an RGB565 picture written as a PNG file.
#pragma once

#include <string>

#include "platform/Surface.h"

// Throws std::runtime_error when the file cannot be written.
void WritePng(const std::string& path, const Surface& picture);
