// The tyre marks the bike lays while braking hard and at its first hard gear change.
#include "app/ShellState.h"
#include "race/TPlayer.h"
#include "race/TrackState.h"

std::array<TSkidMark, kSkidMarkSlots + 1> SkidMarks{};
int LastMark = 1;

namespace {
// The road moves by half the scroll velocity; the marks move with it.
constexpr double kScrollShare = 0.5;
// Marks beyond these leave the screen for good (the right panel hides x > 700).
constexpr double kRightEdgePx = 700.0;
constexpr double kBottomEdgePx = 600.0;
constexpr double kMarkHeightPx = 14.0;
}  // namespace

void ClearSkidMarks() {
  SkidMarks.fill(TSkidMark{});
  LastMark = 1;
}

void ScrollMarks() {
  for (int i = 1; i <= kSkidMarkSlots; ++i) {
    SkidMarks[i].X += ScrollVX * kScrollShare * MotionFactor;
    SkidMarks[i].Y += ScrollVY * kScrollShare * MotionFactor;
  }
}

void LayMark(double x, double y, int heading) {
  for (int i = 1; i <= kSkidMarkSlots; ++i) {
    TSkidMark& mark = SkidMarks[i];
    if (mark.Used) continue;
    mark = {x, y, heading, true};
    LastMark = i;
    return;
  }
}

void PurgeMarks() {
  for (int i = 1; i <= kSkidMarkSlots; ++i) {
    TSkidMark& mark = SkidMarks[i];
    if (!mark.Used) continue;
    if (mark.X < 0 || mark.X > kRightEdgePx || mark.Y + kMarkHeightPx < 0 ||
        mark.Y > kBottomEdgePx) {
      mark = TSkidMark{};
    }
  }
}
