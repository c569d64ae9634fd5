// The SDL desktop backend: the platform's devices and the application's message loop.
#pragma once

#include "platform/Devices.h"

class TMForm;

// Starts SDL and makes every device; throws std::runtime_error if SDL video cannot start.
Platform CreateSdlPlatform();
// Runs the form until it terminates.
void RunSdlApplication(TMForm& form);
