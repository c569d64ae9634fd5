#include "app/FrameTiming.h"

#include "app/ShellState.h"

namespace {
// Motion is tuned to this many frames a second.
constexpr double kTunedFrameRate = 85.0;
}  // namespace

int EffectiveFrameRate(int measured, int refresh) {
  int rate = refresh;
  if (measured > 0) rate = measured;
  if (refresh - 3 <= measured && measured <= refresh) rate = refresh;
  if (measured > refresh + 2) rate = refresh;
  return rate;
}

void UpdateFrameTiming() {
  const int rate = EffectiveFrameRate(MeasuredFrameRate, RefreshRate);
  if (rate <= 0) return;  // no rate known yet: keep the previous timing
  MotionFactor = kTunedFrameRate / rate;
  FrameMs = static_cast<int>(1000.0 / rate);
}
