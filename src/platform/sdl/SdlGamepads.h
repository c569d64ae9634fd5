// SDL's game controllers, opened as they are plugged in and closed as they go, their buttons
// and axes passed to the form in the game's own pad terms.
#pragma once

#include <SDL.h>

#include <map>
#include <optional>

#include "platform/Devices.h"

// The game's name of an SDL controller button or axis; nothing for those the game leaves alone.
std::optional<PadButton> PadButtonFromSdl(uint8_t button);
std::optional<PadAxis> PadAxisFromSdl(uint8_t axis);

class SdlGamepads {
 public:
  explicit SdlGamepads(WindowEventSink& sink) : Sink_(sink) {}
  ~SdlGamepads();
  SdlGamepads(const SdlGamepads&) = delete;
  SdlGamepads& operator=(const SdlGamepads&) = delete;

  // Handles a controller event; false for any other event.
  bool Deliver(const SDL_Event& event);

 private:
  void Open(int deviceIndex);
  void Close(SDL_JoystickID id);

  WindowEventSink& Sink_;
  std::map<SDL_JoystickID, SDL_GameController*> Open_;
};
