// The opponents' frame: travel, outline and look-ahead points, lane and pace changes, swerving
// around the bike and each other, aiming along the road, steering, lean, speed, the fall and
// the return to the road.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/Random.h"
#include "app/ShellState.h"
#include "race/BikeModels.h"
#include "race/TCar.h"
#include "race/TPlayer.h"
#include "race/TrackState.h"
#include "sprites/SpriteMath.h"

namespace {

constexpr double kRadiansPerUnit = 2.0 * std::numbers::pi / 256.0;
// A rider covers half its step each frame, as the road scrolls by half the bike's.
constexpr double kTravelShare = 0.5;
constexpr int kHalfTurn = 128;

// The look-ahead points: angle off the heading and distance from the centre.
struct TProbeSpot {
  double Angle;
  double Distance;
};
constexpr std::array<TProbeSpot, 4> kProbeSpots = {{{-2, 60}, {2, 60}, {-32, 28}, {32, 28}}};

// Lanes and pace change every 4 to 6.7 seconds.
constexpr int kChangeBaseMs = 4000;
constexpr int kChangeStepMs = 300;
constexpr int kChangeSteps = 10;
constexpr int kLaneShiftRange = 100;  // a new offset within -50..49 of the old one
constexpr int kLookAheadChoices = 3;
constexpr int kJitterRange = 10;  // -5..4

// Riders only look at each other this close along the road.
constexpr double kNeighbourRangePx = 200.0;
constexpr int kAvoidHoldMs = 200;
// Swerve amounts: lane offset per frame and heading per frame, harder for the bike ahead.
constexpr double kSwerveFromBike = 8.0;
constexpr double kTurnFromBike = 3.0;
constexpr double kSwerveFromRider = 6.0;
constexpr double kTurnFromRider = 1.0;
constexpr double kSideTurn = 2.0;
constexpr double kSideSwerve = 6.0;

// Offsets that wander too far out are pulled back into the lanes.
constexpr double kWidestRightOffset = 90.0;
constexpr double kRightReset = 60.0;
constexpr double kWidestLeftOffset = -80.0;
constexpr double kLeftReset = -30.0;

// Rows between the rider and the row it aims at.
constexpr int kAimRows = 5;
// Steering starts when the aim is more than this off the heading.
constexpr double kSteerDeadZone = 2.0;
constexpr double kLeanHoldFrames = 10.0;
constexpr double kLeanRate = 0.6;
constexpr double kUprightRate = 0.3;
constexpr double kMaxLean = 6.5;
// Lean beyond this shows the lean pictures; AnimFrame runs from 6.5 toward 0 as it deepens.
constexpr double kLeanPictureFrom = 1.0;

// Riders run flat out except before bends, where they brake to this.
constexpr double kBendSpeed = 130.0;
constexpr double kTopSpeedScale = 160.0;
constexpr double kStepDivisor = 8.0;

constexpr double kSlideDecel = 0.8;
// Below this the sliding bike shows its resting pose.
constexpr double kRestingSpeed = 10.0;
// The crash picture advances 2 / FrameMs patterns per frame.
constexpr double kCrashAnimScale = 200.0 / 100.0;

constexpr double kDiagonalHeading = 18.89;
// How far a rider can point off the road's direction.
constexpr double kHeadingFreedom = 16.0;
// The finish line lies this many rows below the top of the track; riders stop 100 rows past it.
constexpr int kFinishRowsBelowTop = 50;
constexpr int kStopRowsBeyondFinish = 100;

TFloatPoint AtAngle(double x, double y, double angle, double distance) {
  return {x + std::sin(angle * kRadiansPerUnit) * distance,
          y - std::cos(angle * kRadiansPerUnit) * distance};
}

bool InQuad(const TFloatPoint& p, const TQuad& q) {
  return PointInQuad(p.X, p.Y, q[0].X, q[0].Y, q[1].X, q[1].Y, q[2].X, q[2].Y, q[3].X, q[3].Y);
}

// Row data for any row number; rows off the grid read as nothing laid.
int RowKind(int row) {
  return row >= 1 && row <= kTrackRows ? TrackRowKind[row] : 0;
}
int RowCenterX(int row) {
  return row >= 1 && row <= kTrackRows ? TrackCenterX[row] : 0;
}

// A fresh wait of 4000 to 6700 ms, counted in whole frames.
int NextChangeMs() {
  return kChangeBaseMs + kChangeStepMs * static_cast<int>(Random(kChangeSteps));
}

}  // namespace

void TCar::OnMove(int lagCount) {
  TMyImageSprite::OnMove(lagCount);
  for (int slot = 1; slot <= kSlots; ++slot) {
    if (Slots[slot].Active) MoveSlot(slot);
  }
}

void TCar::MoveSlot(int slot) {
  TOpponent& car = Slots[slot];
  const double mf = MotionFactor;
  UpdateNearView(car);
  Travel(car);
  UpdateShape(car);
  ChangeLane(car);
  VarySpeed(car);
  AvoidContacts(slot);
  if (car.LaneOffset > kWidestRightOffset) car.LaneOffset = kRightReset;
  if (car.LaneOffset < kWidestLeftOffset) car.LaneOffset = kLeftReset;

  // Aim at the centre line, shifted by the lane offset, a few rows ahead.
  const int row = RoundToInt(car.CenterY) / kTilePx;
  const int lookRow = row - kAimRows - car.LookAhead;
  const double ahead = car.CenterY - kTilePx * lookRow;
  const double desired =
      std::atan((RowCenterX(lookRow) + car.LaneOffset - car.CenterX) / ahead) / kRadiansPerUnit;
  const double delta = car.Avoiding ? 0.0 : desired - car.Heading;
  const int lookKind = RowKind(lookRow);
  if (lookKind != SectionStraight && lookKind != SectionBendExit) car.LookAhead = 0;

  if (!car.KnockedOut && car.Step > 0) {
    if (delta > kSteerDeadZone || delta < -kSteerDeadZone) {
      if (!car.Turning) {
        car.TurnStartHeading = car.Heading;
        car.Turning = true;
      }
      car.LeanHold = kLeanHoldFrames;
      if (delta > 0) {
        SteerRight(slot);
      } else {
        SteerLeft(slot);
      }
    } else {
      car.Turning = false;
    }
  }

  if (!car.KnockedOut) {
    RunLean(car);
    ChoosePicture(car);
    // Flat out on straights and drifts; brake when a bend entry or exit comes into sight.
    if (lookKind == SectionStraight || lookKind == SectionDriftLeft ||
        lookKind == SectionDriftRight || car.Speed <= kBendSpeed)
      Accelerate(slot);
    const bool bendAhead = lookKind == SectionBendEntry || lookKind == SectionBendExit;
    car.Decel = bendAhead && car.Speed > kBendSpeed ? BrakeDecel(car.Model) : 0.0;
  } else {
    RunKnockedOut(slot);
  }

  // Keep the rider pointing along the road: straight up, or along a diagonal.
  double base = 0.0;
  if (RowKind(row) == SectionDriftLeft) base = -kDiagonalHeading;
  if (RowKind(row) == SectionDriftRight) base = kDiagonalHeading;
  car.Heading = std::clamp(car.Heading, base - kHeadingFreedom, base + kHeadingFreedom);
  car.Speed -= car.Decel * mf;
  car.Step = MaxFactor(car.Model) * car.Speed / kStepDivisor;
  const int finishRow = kTrackRows - TrackLength + kFinishRowsBelowTop;
  const int stopRow = finishRow - kStopRowsBeyondFinish;
  if (car.CenterY < kTilePx * stopRow) {
    car.Speed = 0;
    car.Step = 0;
  }
}

// The area around the road window, two rows above it and two below.
void TCar::UpdateNearView(TOpponent& car) const {
  const double x = Road != nullptr ? Road->X : 0.0;
  const double y = Road != nullptr ? Road->Y : 0.0;
  car.NearView = kTilePx * ViewCol - x <= car.PosX &&
                 car.PosX <= kTilePx * (ViewCol + TScrollBackground::kRoadColumns) - x &&
                 kTilePx * (ViewRow - 2) - y <= car.PosY &&
                 car.PosY <= kTilePx * (ViewRow + 12) - y;
}

void TCar::Travel(TOpponent& car) const {
  const double distance = car.Step * kTravelShare * MotionFactor;
  car.PosX += std::sin(car.Heading * kRadiansPerUnit) * distance;
  car.PosY -= std::cos(car.Heading * kRadiansPerUnit) * distance;
}

void TCar::UpdateShape(TOpponent& car) const {
  const TBikeModel& model = BikeModels[car.Model];
  car.CenterX = car.PosX + model.RidingWidth / 2.0;
  car.CenterY = car.PosY + model.RidingHeight / 2.0;
  const double radius = model.OutlineRadius * model.CornerFactor;
  const double a = model.OutlineAngle;
  const std::array<double, 4> offsets = {-a, a, kHalfTurn - a, kHalfTurn + a};
  for (int k = 0; k < 4; ++k)
    car.Outline[k] = AtAngle(car.CenterX, car.CenterY, car.Heading + offsets[k], radius);
  for (int k = 0; k < 4; ++k) {
    car.Probes[k] = AtAngle(car.CenterX, car.CenterY, car.Heading + kProbeSpots[k].Angle,
                            kProbeSpots[k].Distance);
  }
}

void TCar::ChangeLane(TOpponent& car) const {
  if (car.LaneTimerMs > 0) {
    car.LaneTimerMs -= FrameMs;
    return;
  }
  car.LaneTimerMs = NextChangeMs();
  if (car.Avoiding) return;
  car.LaneOffset += static_cast<int>(Random(kLaneShiftRange)) - kLaneShiftRange / 2;
  car.LookAhead = static_cast<int>(Random(kLookAheadChoices));
}

void TCar::VarySpeed(TOpponent& car) const {
  if (car.SpeedTimerMs > 0) {
    car.SpeedTimerMs -= FrameMs;
    return;
  }
  car.SpeedTimerMs = NextChangeMs();
  if (car.Avoiding) return;
  car.Speed -= car.SpeedJitter;
  car.SpeedJitter = static_cast<int>(Random(kJitterRange)) - kJitterRange / 2;
  car.Speed += car.SpeedJitter;
}

// The look-ahead points against the bike (on the screen) and the other riders (in the world).
void TCar::AvoidContacts(int slot) {
  TOpponent& car = Slots[slot];
  bool front = false;
  bool left = false;
  bool right = false;
  if (!car.KnockedOut) {
    const double mf = MotionFactor;
    if (Player != nullptr) {
      const double dx = Road != nullptr ? Road->X - kTilePx * ViewCol : -kTilePx * ViewCol;
      const double dy = Road != nullptr ? Road->Y - kTilePx * ViewRow : -kTilePx * ViewRow;
      auto onBike = [&](int probe) {
        const TFloatPoint p = car.Probes[probe];
        return InQuad({p.X + dx, p.Y + dy}, Player->Corners);
      };
      // Only a rider faster than the bike can run into it from behind.
      if (car.Step > Player->Step) {
        if (onBike(TOpponent::FrontLeft)) front = true;
        if (onBike(TOpponent::FrontRight)) front = true;
      }
      if (onBike(TOpponent::SideLeft)) {
        left = true;
      } else if (onBike(TOpponent::SideRight)) {
        right = true;
      }
    }
    const double swerve = front ? kSwerveFromBike : kSwerveFromRider;
    const double turn = front ? kTurnFromBike : kTurnFromRider;

    for (int other = 1; other <= kSlots; ++other) {
      const TOpponent& them = Slots[other];
      if (other == slot || !them.Active) continue;
      if (!(std::abs(them.CenterY - car.CenterY) < kNeighbourRangePx)) continue;
      if (InQuad(car.Probes[TOpponent::FrontLeft], them.Outline)) front = true;
      if (InQuad(car.Probes[TOpponent::FrontRight], them.Outline)) {
        front = true;
      } else if (InQuad(car.Probes[TOpponent::SideLeft], them.Outline)) {
        left = true;
      } else if (InQuad(car.Probes[TOpponent::SideRight], them.Outline)) {
        right = true;
      }
    }

    // Swerve away from the side with more room: an offset right of centre goes left.
    if (front) {
      if (car.LaneOffset > 0) {
        car.Heading -= turn * mf;
        car.LaneOffset -= swerve;
      } else {
        car.Heading += turn * mf;
        car.LaneOffset += swerve;
      }
    } else if (left) {
      car.Heading += kSideTurn * mf;
      car.LaneOffset += kSideSwerve;
    }
    if (right) {
      car.Heading -= kSideTurn * mf;
      car.LaneOffset -= kSideSwerve;
    }
  }

  if (front || left || right) {
    car.Avoiding = true;
    car.AvoidTimerMs = kAvoidHoldMs;
  } else if (car.AvoidTimerMs > 0) {
    car.AvoidTimerMs -= FrameMs;
  } else {
    car.Avoiding = false;
  }
}

void TCar::RunLean(TOpponent& car) const {
  const double mf = MotionFactor;
  if (car.Turning) {
    if (car.Heading > car.TurnStartHeading) car.Lean += kLeanRate * mf;
    if (car.Heading < car.TurnStartHeading) car.Lean -= kLeanRate * mf;
    car.Lean = std::clamp(car.Lean, -kMaxLean, kMaxLean);
  } else if (car.LeanHold > 0) {
    car.LeanHold -= 1;
  } else if (car.Lean > 0) {
    car.Lean = std::max(0.0, car.Lean - kUprightRate * mf);
  } else if (car.Lean < 0) {
    car.Lean = std::min(0.0, car.Lean + kUprightRate * mf);
  }
}

void TCar::ChoosePicture(TOpponent& car) const {
  const TBikeModel& model = BikeModels[car.Model];
  if (car.Lean > kLeanPictureFrom) {
    car.LeanDir = 1;
    car.Image = model.LeanRightImage;
  } else if (car.Lean < -kLeanPictureFrom) {
    car.LeanDir = -1;
    car.Image = model.LeanLeftImage;
  } else {
    car.LeanDir = 0;
    car.Image = model.UprightImage;
  }
  car.AnimFrame = car.LeanDir != 0 ? kMaxLean - std::abs(car.Lean) : 0.0;
}

void TCar::RunKnockedOut(int slot) {
  TOpponent& car = Slots[slot];
  const double lastFrame = BikeModels[car.Model].CrashFrames - 1;
  car.AnimFrame = std::min(lastFrame, car.AnimFrame + kCrashAnimScale * MotionFactor / FrameMs);
  car.Decel = kSlideDecel;
  if (car.Speed <= kRestingSpeed) car.AnimFrame = lastFrame;
  if (car.Speed > 0) return;
  car.Decel = 0;
  car.Speed = 0;
  car.Step = 0;
  if (car.KnockTimerMs > 0) {
    car.KnockTimerMs -= FrameMs;
  } else {
    Respawn(slot);
  }
}
