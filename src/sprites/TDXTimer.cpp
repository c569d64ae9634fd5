#include "sprites/TDXTimer.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr int64_t kMeasureSpanMs = 1000;

}  // namespace

TDXTimer::TDXTimer(Clock& clock) : Clock_(clock) {
  Restart();
}

void TDXTimer::Restart() {
  LastTickMs_ = LastMeasureMs_ = Clock_.NowMs();
}

void TDXTimer::SetEnabled(bool enabled) {
  if (enabled && !Enabled_) Restart();
  Enabled_ = enabled;
}

void TDXTimer::SetApplicationActive(bool active) {
  if (active && !Active_ && ActiveOnly) Restart();
  Active_ = active;
}

void TDXTimer::Idle() {
  if (!Enabled_ || (ActiveOnly && !Active_)) return;
  const uint32_t now = Clock_.NowMs();
  // Unsigned differences stay right across the clock's wrap.
  const int64_t elapsed = static_cast<uint32_t>(now - LastTickMs_);
  if (elapsed < Interval) return;
  const int64_t lag = elapsed / std::max(Interval, 1);
  LastTickMs_ = now;
  ++FrameCounter_;
  const int64_t sinceMeasure = std::max<int64_t>(static_cast<uint32_t>(now - LastMeasureMs_), 1);
  if (sinceMeasure >= kMeasureSpanMs) {
    FrameRate_ = static_cast<int>(
        std::nearbyint(static_cast<double>(FrameCounter_) * 1000.0 / sinceMeasure));
    FrameCounter_ = 0;
    LastMeasureMs_ = now;
  }
  if (OnTimer) OnTimer(static_cast<int>(std::clamp<int64_t>(lag, 1, INT_MAX)));
}
