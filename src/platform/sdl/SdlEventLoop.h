// The application's message loop: window events to the form, then one idle turn, over and over.
#pragma once

#include <functional>

#include "platform/Devices.h"

struct SdlLoopHooks {
  std::function<bool()> Terminated;
  // One turn of the application's idle processing (a frame-timer opportunity).
  std::function<void()> Idle;
  std::function<bool()> Active;
};

// Runs until Terminated says so. While the window is minimised or the application inactive it
// sleeps on the event queue instead of spinning.
void RunSdlEventLoop(WindowEventSink& sink, const SdlLoopHooks& hooks);
