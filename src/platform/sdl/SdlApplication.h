// The SDL desktop backend: the platform's devices and the application's message loop.
#pragma once

#include <optional>

#include "platform/Devices.h"

class TMForm;

// Starts SDL and makes every device; throws std::runtime_error if SDL video cannot start. The
// window scale, if given, replaces the one chosen to fit the desktop.
Platform CreateSdlPlatform(std::optional<int> windowScale = std::nullopt);
// Runs the form until it terminates.
void RunSdlApplication(TMForm& form);
