// Turns SDL's events into the form's window events, keeping what needs memory: held mouse
// buttons, click pairing, and whether the window is minimised.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "platform/Devices.h"
#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlGamepads.h"

// Whether a position in display pixels lies on the picture (not on a letterbox bar).
bool InsidePicture(int x, int y);

class SdlEventTranslator {
 public:
  explicit SdlEventTranslator(WindowEventSink& sink) : Sink_(sink), Pads_(sink) {}

  // Delivers one event; sdlModifiers is SDL's modifier state now, for events that carry none.
  void Deliver(const SDL_Event& event, uint16_t sdlModifiers);

  bool Minimized() const { return Minimized_; }

 private:
  void DeliverWindowEvent(const SDL_WindowEvent& event);
  void DeliverText(const char* text, uint16_t sdlModifiers);
  void DeliverButton(const SDL_MouseButtonEvent& event, uint16_t sdlModifiers);
  void DeliverMotion(const SDL_MouseMotionEvent& event, uint16_t sdlModifiers);

  WindowEventSink& Sink_;
  SdlGamepads Pads_;
  uint32_t HeldButtons_ = 0;
  // Buttons pressed over the picture: their moves and release reach the form even off it, as a
  // captured mouse's do.
  uint32_t CapturedButtons_ = 0;
  // A left press that becomes a click when released over the picture.
  bool ClickPending_ = false;
  bool Minimized_ = false;
};
