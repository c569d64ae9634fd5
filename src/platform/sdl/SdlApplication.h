// The SDL desktop backend: the platform's devices and the application's message loop.
#pragma once

#include "platform/Devices.h"
#include "platform/sdl/SdlDisplay.h"

class TMForm;

// Starts SDL and makes every device, the window as the options say; throws std::runtime_error
// if SDL video cannot start.
Platform CreateSdlPlatform(const SdlDisplayOptions& display = {});
// Runs the form until it terminates.
void RunSdlApplication(TMForm& form);
