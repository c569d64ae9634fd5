// What happens to the bike when it touches an opponent or the roadside, falls, runs out of time
// or crosses the finish line; and the bookkeeping of its sounds.
#include <cmath>

#include "app/Audio.h"
#include "app/Dispatch.h"
#include "app/ShellState.h"
#include "race/BikeModels.h"
#include "race/RaceScreen.h"
#include "race/RiderState.h"
#include "race/TCar.h"
#include "race/TPlayer.h"
#include "race/TrackGenerator.h"
#include "race/TrackState.h"
#include "screens/Dialogs.h"
#include "sprites/SpriteMath.h"

namespace {
constexpr int kHitsPerLife = 3;
constexpr int kCrashMs = 3000;
constexpr int kCrashSound = 20;
constexpr int kBumpSound = 17;
constexpr int kIdleSound = 4;
constexpr int kHornSound = 8;
// The crash picture runs at 8 hundredths of a pattern per frame.
constexpr int kCrashAnimPercent = 8;
// A sliding bike, and a bike rolling out after the race, lose this much speed per frame.
constexpr double kSlideDecel = 0.8;
// Below this the crash picture rests on its last pattern.
constexpr double kSlideRestSpeed = 10.0;
// A push from behind adds this much speed for a moment.
constexpr double kPushSpeed = 10.0;
constexpr int kPushMs = 100;
constexpr double kBumpFactor = 0.95;
constexpr double kOpponentPushedFactor = 0.95;
constexpr double kOpponentBumpedFactor = 1.05;
// A crash on a drift turns the bike this far along the diagonal.
constexpr double kCrashDriftHeading = 38.0;
// Restarting on a drift shoulder: twice the heading along the diagonal.
constexpr double kRestartDriftSteer = 38.0;
// Rolling out on a drift row follows the diagonal.
constexpr double kRollOutDriftSteer = 37.78;
constexpr int kFinishedDelayMs = 2000;
constexpr int kTimeUpDelayMs = 1000;
// The crash heading and the restart search look this many rows below the top of the view.
constexpr int kLookRows = 5;
// The restart search goes no further than the largest view row the road allows.
constexpr int kLastViewRow = 1490;
// The restart column lies this many tiles left of the shoulder found.
constexpr int kRestartColumnsLeft = 8;
// The lean strips' upright position; the lean depth is measured from it.
constexpr double kUprightLean = 5.5;

// Which way the road runs in a track row: -1 drifting left, 1 right, 0 straight, from its last
// left road edge.
int RowDrift(int row) {
  int drift = 0;
  for (int column = 1; column <= kTrackColumns; ++column) {
    switch (TrackCell(row, column)) {
      case 10:
        drift = 0;
        break;
      case 27:
      case 33:
        drift = -1;
        break;
      case 39:
      case 45:
        drift = 1;
        break;
      default:
        break;
    }
  }
  return drift;
}
}  // namespace

void TPlayer::Crash() {
  Crashed = true;
  EngineStage = {};
  HornOn = false;
  PlaySound(kCrashSound);
  StartAnimation(BikeModels[Model].CrashImage, kCrashAnimPercent);
  StopRiderSounds(false);
  CrashTimerMs = kCrashMs;
}

void TPlayer::TakeHit() {
  if (--HitsLeft > 0) return;
  HitsLeft = kHitsPerLife;
  --Lives;
  Crash();
}

void TPlayer::TakeHits(int count) {
  for (int i = 0; i < count; ++i) TakeHit();
}

void TPlayer::ScaleSpeed(double factor, bool withSound) {
  Speed *= factor;
  Step *= factor;
  StopRiderSounds(false);
  if (EngineStage.Top) SetEngineSound(13);
  if (EngineStage.Idle) SetEngineSound(4);
  if (EngineStage.Acceleration) SetEngineSound(12);
  if (EngineStage.GearChange) SetEngineSound(5);
  if (EngineStage.Coasting) SetEngineSound(6);
  if (EngineStage.Brake) SetEngineSound(7);
  if (withSound) PlaySound(kBumpSound);
}

// A push scales the speed by (Speed + delta) / Speed, which a standing bike cannot: a push
// gives it the change outright, and the end of a push leaves it standing.
void TPlayer::ChangeSpeedBy(double delta, bool withSound) {
  if (Speed != 0) {
    ScaleSpeed((Speed + delta) / Speed, withSound);
    return;
  }
  ScaleSpeed(1.0, withSound);
  if (delta > 0) {
    Speed = delta;
    Step = MaxFactor() * Speed / 8;
  }
}

void TPlayer::StopRiderSounds(bool all) {
  for (int sound : {4, 9, 10, 11, 12, 5, 6, 13, 7}) StopSound(sound);
  if (!all) return;
  for (int sound : {8, 14, 15, 16, 17}) StopSound(sound);
}

void TPlayer::SetEngineSound(int index) {
  StopRiderSounds(false);
  PlaySound(index);
  EngineStage = {};
  EngineSound = index;
  switch (index) {
    case 13:
      EngineStage.Top = true;
      break;
    case 4:
      EngineStage.Idle = true;
      break;
    case 9:
    case 10:
    case 11:
    case 12:
      EngineStage.Acceleration = true;
      break;
    case 5:
      EngineStage.GearChange = true;
      break;
    case 6:
      EngineStage.Coasting = true;
      break;
    case 7:
      EngineStage.Brake = true;
      break;
    default:
      break;
  }
}

void TPlayer::ResumeSounds() {
  if (EngineStage.Any() && EngineSound != 0) PlaySound(EngineSound);
  if (HornOn) PlaySound(kHornSound);
}

void TPlayer::ResetAfterCrash() {
  TimeUp = false;
  Crashed = false;
  RespawnPlaced = false;
  EndStarted = false;
  Speed = 0;
  Step = 0;
  StartAnimation(BikeModels[Model].UprightImage, 0);
  Lean = 0;
  AnimRate = 0;
}

void TPlayer::ChooseRestartPosition() {
  if (ViewRow < kLastViewRow) {
    // Back along the track, row by row, for the right shoulder of the road.
    for (int row = ViewRow + kLookRows; row <= kTrackRows; ++row) {
      int found = 0;
      int kind = 0;
      for (int column = kTrackColumns - 1; column >= 1; --column) {
        kind = TrackCell(row, column);
        const bool besideRoad = kind == kTileGround && IsRoadKind(TrackCell(row, column - 1));
        if (besideRoad || kind == 23 || kind == 29 || kind == 47) {
          found = column;
          break;
        }
      }
      if (found == 0) continue;
      int column = found - kRestartColumnsLeft;
      SteerAcc = 0;
      if (kind == 47) {
        SteerAcc = kRestartDriftSteer;
        column -= 1;
      } else if (kind == 29) {
        SteerAcc = -kRestartDriftSteer;
        column += 1;
      }
      Heading = RoundToInt(SteerAcc / 2);
      ViewCol = column + 1;
      ViewRow = row + 1 - kLookRows;
      break;
    }
  }
  if (Road != nullptr) {
    Road->X = 0;
    Road->Y = 0;
  }
  RespawnPlaced = true;
}

void TPlayer::RestartRace(int level) {
  BuildLevel(level);
  TimeUp = false;
  EndStarted = false;
  SteerAcc = 0;
  Heading = 0;
  HitsLeft = kHitsPerLife;
  if (Road != nullptr) {
    Road->X = 0;
    Road->Y = 0;
  }
  PlaceRaceBonuses();
  Finished = false;
  PlaceRaceOpponents();
  OpenDialog(DialogLevelStart);
  ResetAfterCrash();
  SetEngineSound(kIdleSound);
}

void TPlayer::RunPushTimer() {
  if (!Pushed) return;
  PushTimerMs -= FrameMs;
  if (PushTimerMs > 0) return;
  ChangeSpeedBy(-kPushSpeed, false);
  Pushed = false;
}

void TPlayer::TestFall() {
  if (Crashed) return;
  const double leanDepth = kUprightLean - AnimPosition;
  const bool leaning = Lean != 0;
  const bool falls = (KeyExtraBrake && Speed > 100 && LastMark > 10) ||
                     (KeyExtraBrake && leanDepth > 2 && leaning && LastMark > 8) ||
                     (KeyDown && leanDepth > 3 && leaning) ||
                     (KeyDown && leanDepth > 2 && leaning && Speed > 100);
  if (!falls) return;
  CrashHeadingSet = true;
  Crash();
}

void TPlayer::RunCrash() {
  const int lastFrame = BikeModels[Model].CrashFrames - 1;
  if (AnimPosition > lastFrame) AnimPosition = lastFrame;
  if (!CrashHeadingSet) {
    CrashHeadingSet = true;
    Heading = RoundToInt(kCrashDriftHeading * RowDrift(ViewRow + kLookRows) - Heading);
  }
  ScrollMarks();
  if (Speed > 0) {
    Speed -= kSlideDecel * MotionFactor;
    Step = MaxFactor() * Speed / 8;
    if (Speed < kSlideRestSpeed) {
      AnimSpeedPercent = 0;
      AnimRate = 0;
      AnimPosition = lastFrame;
    }
  }
  if (Speed <= 0) Step = 0;
  if (CrashTimerMs > 0) {
    CrashTimerMs -= FrameMs;
  } else if (Lives > 0) {
    if (!RespawnPlaced) ChooseRestartPosition();
    ResetAfterCrash();
  } else {
    OpenDialog(DialogGameOver);
  }
}

void TPlayer::RunEndOfRace() {
  ScrollMarks();
  if (!EndStarted) {
    EndStarted = true;
    Crashed = false;
    EngineStage = {};
    HornOn = false;
    StopRiderSounds(true);
    SetEngineSound(kIdleSound);
  }
  if (Speed > 0) {
    Speed -= kSlideDecel * MotionFactor;
    Step = MaxFactor() * Speed / 8;
    KeyLeft = false;
    KeyRight = false;
    // Roll out along the road: a drift row keeps the bike on its diagonal.
    const int row = RoundToInt(ViewRow * kTilePx + CenterY - RoadOffsetY()) / kTilePx;
    const int kind = row >= 1 && row <= kTrackRows ? TrackRowKind[row] : 0;
    SteerAcc = kind == SectionDriftLeft    ? -kRollOutDriftSteer
               : kind == SectionDriftRight ? kRollOutDriftSteer
                                           : 0.0;
    EndDelayMs = Finished ? kFinishedDelayMs : kTimeUpDelayMs;
  }
  if (Speed <= 0) {
    Speed = 0;
    Step = 0;
  }
  if (Speed > 0) return;
  if (EndDelayMs > 0) {
    EndDelayMs -= FrameMs;
    return;
  }
  if (!TimeUp || Finished) {
    StopRiderSounds(true);
    EndDelayMs = TimeLeftMs;
    PlacePrize = PlacePrizeFor(RacePlace);
    TimeBonus = 0;
    ResultsLines = 0;
    ResultsStepMs = 0;
    OpenDialog(DialogLevelResults);
    return;
  }
  if (Lives >= 1) {
    --Lives;
    HitsLeft = kHitsPerLife;
  }
  OpenDialog(Lives > 0 ? DialogTimeOver : DialogGameOver);
}

void TPlayer::TestOpponents() {
  if (Opponents == nullptr) return;
  const double left = ViewCol * kTilePx - RoadOffsetX();
  const double top = ViewRow * kTilePx - RoadOffsetY();
  for (int slot = 1; slot <= TCar::kSlots; ++slot) {
    TOpponent& car = Opponents->Slots[slot];
    if (!car.Active || !car.NearView) continue;
    TQuad outline = car.Outline;
    for (TFloatPoint& corner : outline) corner = {corner.X - left, corner.Y - top};
    if (!QuadsOverlap(outline, Corners)) {
      car.TouchLatch = false;
      continue;
    }
    // One contact counts once, however long the two stay together.
    if (car.TouchLatch) continue;
    if (!Finished) TakeHits(1);
    if (car.CenterY - top > CenterY) {
      // From behind: a push forward for a moment.
      ChangeSpeedBy(kPushSpeed, true);
      Pushed = true;
      PushTimerMs = kPushMs;
      car.Speed *= kOpponentPushedFactor;
    } else {
      car.Speed *= kOpponentBumpedFactor;
      ScaleSpeed(kBumpFactor, true);
    }
    // The two trade headings.
    const double c = car.Heading;
    const double d = (2 * c - SteerAcc) / 2;
    SteerAcc = 2 * c + d;
    car.Heading = c - d;
    if (++car.HitCount >= 2) Opponents->KnockOut(slot);
    car.TouchLatch = true;
  }
}
