// The display component: our 800x600 RGB565 back buffer, presented by the platform's display.
#pragma once

#include <functional>

#include "platform/Devices.h"
#include "platform/Surface.h"

constexpr int kDisplayWidth = 800;
constexpr int kDisplayHeight = 600;

class TDXDraw {
 public:
  explicit TDXDraw(DisplayDevice& device);

  // Opens the display in the given mode; the back buffer is drawable once this succeeds.
  bool Initialize(bool fullScreen);
  void Finalize();
  bool Initialized() const { return Initialized_; }
  // False while not initialised, minimised in full screen or in a switch.
  bool CanDraw();
  Surface& BackBuffer() { return BackBuffer_; }
  void Fill(uint16_t color) { BackBuffer_.Fill(color); }
  void Flip();

  DisplayDevice& Device() { return Device_; }
  // Told of the back buffer when the display comes up and of nullptr when it goes down.
  std::function<void(Surface*)> OnSurfaceChange;

 private:
  DisplayDevice& Device_;
  Surface BackBuffer_;
  bool Initialized_ = false;
};
