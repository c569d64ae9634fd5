// The tyre marks the bike lays while braking hard and at its first hard gear change.
#include <cmath>

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
constexpr double kAngleToRadians = 2.0 * M_PI / 256.0;
// The two rear tyre points lie half a turn and a little less from the heading.
constexpr int kRearAngle = -128;
constexpr int kRearAngleB = -124;
// Marks follow each other about this far apart, closer at higher speed.
constexpr double kMarkSpacingPx = 12.0;
// The extra brake leaves rubber only while the bike still travels this much per frame.
constexpr double kSkidStep = 0.1;
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

void TPlayer::LayTyreMarks() {
  const double centreX = X + Width / 2.0;
  const double centreY = Y + Height / 2.0;
  const double a = (Heading + kRearAngle) * kAngleToRadians;
  const double b = (Heading + kRearAngleB) * kAngleToRadians;
  TraceA = {centreX + std::sin(a) * TraceRadius, centreY - std::cos(a) * TraceRadius};
  TraceB = {centreX + std::sin(b) * TraceRadius, centreY - std::cos(b) * TraceRadius};
  const bool due = (KeyExtraBrake && std::abs(Step) > kSkidStep) || ShiftSkid;
  if (!due) return;
  const TSkidMark& last = SkidMarks[LastMark];
  const double distance = std::hypot(TraceB.X - last.X, TraceB.Y - last.Y);
  if (!(kMarkSpacingPx - Step * kScrollShare * MotionFactor > distance)) {
    LayMark(TraceA.X, TraceA.Y, Heading);
  }
  ShiftSkid = false;
}
