// The frame timer: called from the application's idle processing, it runs the game's tick with
// the milliseconds since the previous one and measures the frame rate.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/Devices.h"

class TDXTimer {
 public:
  explicit TDXTimer(Clock& clock);

  bool Enabled() const { return Enabled_; }
  // Enabling again starts timing afresh, so the pause does not count as lag.
  void SetEnabled(bool enabled);

  // One chance to tick, from the idle loop.
  void Idle();
  // With ActiveOnly, an inactive application gets no ticks, and the first tick after it returns
  // counts from the return.
  void SetApplicationActive(bool active);
  bool ApplicationActive() const { return Active_; }

  // Frames a second over the last whole second or more; 0 until one has been measured.
  int FrameRate() const { return FrameRate_; }

  int Interval = 0;  // ms between ticks; 0 ticks at every chance
  bool ActiveOnly = true;
  // The tick, with the lag in milliseconds (at least 1).
  std::function<void(int lagCount)> OnTimer;

 private:
  void Restart();

  Clock& Clock_;
  bool Enabled_ = true;
  bool Active_ = true;
  int FrameRate_ = 0;
  int FrameCounter_ = 0;
  uint32_t LastTickMs_ = 0;
  uint32_t LastMeasureMs_ = 0;
};
