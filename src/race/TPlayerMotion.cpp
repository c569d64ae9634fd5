// The bike's move: controls, speed, heading, lean, the engine's sound, the race place, the
// finish line and the on-road test. Everything is counted per frame at 85 frames a second and
// scaled by MotionFactor.
#include <algorithm>
#include <cmath>

#include "app/Audio.h"
#include "app/ShellState.h"
#include "app/TMForm.h"
#include "race/BikeModels.h"
#include "race/RiderState.h"
#include "race/TCar.h"
#include "race/TPlayer.h"
#include "race/TrackState.h"
#include "sprites/SpriteMath.h"

namespace {
constexpr double kAngleToRadians = 2.0 * M_PI / 256.0;
constexpr double kMaxSteerAcc = 128.0;
constexpr double kMinSpeed = -8.0;
// Speeds below this count as standing (forward only).
constexpr double kStopSpeed = 0.1;
// The extra brake holds the bike still once it is this slow either way.
constexpr double kExtraBrakeStopSpeed = 1.0;
constexpr double kExtraBrakeDecel = 0.6;
// Above this speed the ground off the road slows the bike whatever the keys.
constexpr double kOffRoadSpeed = 80.0;
constexpr double kOffRoadDecel = 0.5;
// Top speed is reached where the speed passes the model's factor times this.
constexpr double kTopSpeedScale = 160.0;
// The largest view row the road allows; the bike cannot reverse beyond it.
constexpr int kLastViewRow = 1490;

// Lean strips: position 5.5 is the slightest lean, lower positions lean further.
constexpr double kUprightLean = 5.5;
constexpr double kLeanInStep = 0.15 * 0.5;
constexpr double kLeanOutStep = 0.2 * 0.5;
// The lean deepens only once the heading has moved this far since the key went down.
constexpr double kLeanStartTurn = 5.0;
// Faster bikes may lean further: the deepest position is 5.5 minus speed over this.
constexpr double kLeanSpeedScale = 35.0;
constexpr double kNoLeanSpeed = 5.0;
// A finished bike straightens its steering by this much per frame.
constexpr double kStraightenStep = 1.0;

// Engine sounds.
constexpr int kIdleSound = 4;
constexpr int kGearSound = 5;
constexpr int kCoastSound = 6;
constexpr int kBrakeSound = 7;
constexpr int kHornSound = 8;
constexpr int kTopSound = 13;
constexpr int kGearClunkSound = 19;
constexpr double kCoastSpeed = 40.0;

// The race place: an inactive opponent slot counts as far behind everyone.
constexpr double kFarBehindY = 108000.0;

int Sign(double value) {
  return (value > 0) - (value < 0);
}

double SinOf(double angle) {
  return std::sin(angle * kAngleToRadians);
}

double CosOf(double angle) {
  return std::cos(angle * kAngleToRadians);
}

// Bands of speed (in units of the model's factor) while accelerating: each runs from above its
// lower bound up to and including its upper bound. Gear changes sit between the loops.
struct TSoundBand {
  double Low, High;
  int Sound;
};
constexpr std::array<TSoundBand, 12> kAccelerationBands = {{
    {0, 65, 9},
    {65, 67, kGearSound},
    {67, 90, 10},
    {95, 97, kGearSound},
    {97, 115, 11},
    {115, 116, kGearSound},
    {116, 130, 12},
    {130, 131, kGearSound},
    {131, 142, 12},
    {142, 143, kGearSound},
    {143, 157, 12},
    {157, 180, kTopSound},
}};
// The first gear change also clunks and leaves a tyre mark.
constexpr double kFirstGearLow = 65;
}  // namespace

void TPlayer::OnMove(int lagCount) {
  TMyImageSprite::OnMove(lagCount);
  if (!Crashed) RunLean();
  TestFinishLine();
  if (!Finished) ComputeRacePlace();
  ComputeCorners();
  RunPushTimer();
  if (!Crashed) TestOpponents();
  if (Crashed) {
    RunCrash();
    return;
  }
  // Out of time the bike only rolls out: a throttle held on would add speed every frame and
  // restart the roll-out's wait, holding the end off for as long as the key stays down.
  if (!Finished && !TimeUp) ApplyControls();
  Heading = RoundToInt(SteerAcc / 2);
  if (Finished || TimeUp) {
    RunEndOfRace();
    return;
  }
  OnRoad = CornersOnRoad();
  ChooseEngineSound();
  ScrollMarks();
  LayTyreMarks();
  PurgeMarks();
  TestFall();
  ApplySpeed();
  if (ViewRow == kLastViewRow && Speed < 0) {
    Speed = 0;
    Step = 0;
  }
}

void TPlayer::SwitchLean(int lean) {
  if (Lean == lean) return;
  const TBikeModel& model = BikeModels[Model];
  if (lean == 0) {
    SetPicture(model.UprightImage);
    AnimPosition = 0;
  } else {
    SetPicture(lean < 0 ? model.LeanLeftImage : model.LeanRightImage);
    AnimPosition = kUprightLean;
  }
  Lean = lean;
}

void TPlayer::EaseTowardUpright() {
  AnimPosition = std::min(kUprightLean, AnimPosition + kLeanOutStep * MotionFactor);
}

void TPlayer::RunLean() {
  const bool leftHeld = MForm != nullptr && MForm->MDXInput.Held(isLeft);
  const bool rightHeld = MForm != nullptr && MForm->MDXInput.Held(isRight);
  const double deepest = std::max(0.0, kUprightLean - Speed / kLeanSpeedScale);
  if (Finished) {
    EaseTowardUpright();
    if (AnimPosition == kUprightLean) SwitchLean(0);
    if (SteerAcc < 0) SteerAcc = std::min(0.0, SteerAcc + kStraightenStep * MotionFactor);
    if (SteerAcc > 0) SteerAcc = std::max(0.0, SteerAcc - kStraightenStep * MotionFactor);
    Heading = RoundToInt(SteerAcc / 2);
  } else if (Speed < kNoLeanSpeed) {
    SwitchLean(0);
  } else if (leftHeld && Lean != 1) {
    if (!PrevLeft) LeanStartHeading = Heading;
    SwitchLean(-1);
    if (std::abs(Heading - LeanStartHeading) > kLeanStartTurn) {
      AnimPosition = std::max(deepest, AnimPosition - kLeanInStep * MotionFactor);
    }
  } else if (rightHeld && Lean != -1) {
    if (!PrevRight) LeanStartHeading = Heading;
    SwitchLean(1);
    if (std::abs(Heading - LeanStartHeading) > kLeanStartTurn) {
      AnimPosition = std::max(deepest, AnimPosition - kLeanInStep * MotionFactor);
    }
  } else if (AnimPosition == kUprightLean) {
    SwitchLean(0);
  } else if (Lean != 0) {
    EaseTowardUpright();
  }
  PrevLeft = KeyLeft;
  PrevRight = KeyRight;
}

void TPlayer::TestFinishLine() {
  // The finish line lies 50 rows below the top of the track; it is crossed once its top edge
  // passes the bike's top edge.
  const int finishRow = 1550 - TrackLength;
  if ((finishRow - ViewRow) * kTilePx + RoadOffsetY() > Y) Finished = true;
}

void TPlayer::ComputeRacePlace() {
  std::array<double, TCar::kSlots + 1> ys{};
  int active = 0;
  for (int slot = 1; slot <= TCar::kSlots; ++slot) {
    const bool on = Opponents != nullptr && Opponents->Slots[slot].Active;
    ys[slot] = on ? Opponents->Slots[slot].CenterY : kFarBehindY;
    if (on) ++active;
  }
  std::sort(ys.begin() + 1, ys.end());
  const double y = ViewRow * kTilePx + CenterY - RoadOffsetY();
  if (y < ys[1]) {
    RacePlace = 1;
  } else {
    bool placed = false;
    for (int k = 1; k <= active - 1 && !placed; ++k) {
      if (ys[k] < y && y < ys[k + 1]) {
        RacePlace = k + 1;
        placed = true;
      }
    }
    // Level with an opponent the place stays as it was.
    if (!placed && active >= 1 && y > ys[active]) RacePlace = active + 1;
  }
  RacerCount = active + 1;
}

void TPlayer::ComputeCorners() {
  const double radius = CornerRadius * BikeModels[Model].CornerFactor;
  const std::array<double, 4> angles = {Heading - CornerAngle, Heading + CornerAngle,
                                        Heading + 128 - CornerAngle, Heading + 128 + CornerAngle};
  for (int i = 0; i < 4; ++i) {
    Corners[i] = {CenterX + SinOf(angles[i]) * radius, CenterY - CosOf(angles[i]) * radius};
  }
}

void TPlayer::ApplyControls() {
  if (KeyHorn && !HornOn) {
    HornOn = true;
    PlaySound(kHornSound);
  }
  if (!KeyHorn) {
    HornOn = false;
    StopSound(kHornSound);
  }
  // The extra brake locks the steering; a standing bike does not turn and a reversing one
  // turns the other way.
  if (!KeyExtraBrake) {
    const double turn = Sign(Step) * SteerRateAt(Model, Speed) * MotionFactor;
    if (KeyLeft) SteerAcc = std::clamp(SteerAcc - turn, -kMaxSteerAcc, kMaxSteerAcc);
    if (KeyRight) SteerAcc = std::clamp(SteerAcc + turn, -kMaxSteerAcc, kMaxSteerAcc);
  }
  Decel = KeyDown ? BrakeDecel(Model) : 0.0;
  if (!KeyUp && !KeyDown) Decel = DragAt(Model, Speed);
  if (KeyExtraBrake) {
    if (Speed > 0) Decel = kExtraBrakeDecel;
    if (Speed < 0) Decel = -kExtraBrakeDecel;
  }
  if (KeyUp && !KeyDown) {
    if (MaxFactor() * kTopSpeedScale >= Speed) {
      Speed += AccelAt(Model, Speed) * MotionFactor;
    } else {
      Decel = DragAt(Model, Speed);
    }
  }
  // OnRoad is still last frame's.
  if (!OnRoad && Speed > kOffRoadSpeed) Decel = kOffRoadDecel;
}

bool TPlayer::CornersOnRoad() const {
  const int viewX = ViewCol * kTilePx - RoundToInt(RoadOffsetX());
  const int viewY = ViewRow * kTilePx - RoundToInt(RoadOffsetY());
  return std::all_of(Corners.begin(), Corners.end(), [&](const TFloatPoint& corner) {
    return IsRoadAtWorld(RoundToInt(viewX + corner.X), RoundToInt(viewY + corner.Y));
  });
}

void TPlayer::ChooseEngineSound() {
  ShiftSkid = false;
  if (!OnRoad) {
    if (!EngineStage.Idle) SetEngineSound(kIdleSound);
    return;
  }
  const double m = MaxFactor();
  const double s = Speed;
  if (KeyUp && !KeyDown && !KeyExtraBrake) {
    for (const TSoundBand& band : kAccelerationBands) {
      if (!(s > band.Low * m && s <= band.High * m)) continue;
      if (band.Sound == kGearSound) {
        if (!EngineStage.GearChange) {
          SetEngineSound(kGearSound);
          if (band.Low == kFirstGearLow) {
            PlaySound(kGearClunkSound);
            ShiftSkid = true;
          }
        }
      } else if (band.Sound == kTopSound) {
        if (!EngineStage.Top) SetEngineSound(kTopSound);
      } else if (!EngineStage.Acceleration) {
        SetEngineSound(band.Sound);
      }
      break;
    }
  }
  if ((!KeyUp && !KeyExtraBrake) || (KeyUp && KeyDown)) {
    if (s > kCoastSpeed) {
      if (!EngineStage.Coasting) SetEngineSound(kCoastSound);
    } else if (!EngineStage.Idle) {
      SetEngineSound(kIdleSound);
    }
  }
  if (KeyExtraBrake && !EngineStage.Brake && s != 0) {
    SetEngineSound(kBrakeSound);
  } else if (EngineStage.Brake && s == 0) {
    SetEngineSound(kIdleSound);
  }
}

void TPlayer::ApplySpeed() {
  Speed -= Decel * MotionFactor;
  if (Speed > 0 && Speed < kStopSpeed) Speed = 0;
  if (Speed < kMinSpeed) Speed = kMinSpeed;
  if (KeyExtraBrake && Speed > -kExtraBrakeStopSpeed && Speed < kExtraBrakeStopSpeed) Speed = 0;
  Step = MaxFactor() * Speed / 8;
}
