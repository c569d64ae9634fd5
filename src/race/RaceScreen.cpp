#include "race/RaceScreen.h"

#include <algorithm>
#include <cmath>

#include "app/Audio.h"
#include "app/Dispatch.h"
#include "app/ScreenHooks.h"
#include "app/ShellState.h"
#include "app/TMForm.h"
#include "race/RiderState.h"
#include "race/TBonus.h"
#include "race/TCar.h"
#include "race/TPlayer.h"
#include "race/TScrollBackground.h"
#include "race/TrackGenerator.h"
#include "race/TrackState.h"
#include "screens/RaceHud.h"
#include "sprites/SpriteMath.h"
#include "sprites/TPointer.h"

TPointer* SpeedNeedle = nullptr;

namespace {
constexpr double kAngleToRadians = 2.0 * M_PI / 256.0;
constexpr int kFirstLevel = 1;
constexpr int kStartLives = 3;
// The bike's fixed place on the screen.
constexpr double kBikeScreenX = 400.0;
constexpr double kBikeScreenY = 400.0;

// The road: tile sheet 1 of image list 2, a 13 x 10 window.
constexpr int kRoadList = 2;
constexpr int kRoadImage = 1;

// The speedometer needle: picture 4 of image list 2, its pivot at 0.7 and 0.5 of the picture.
constexpr int kNeedleList = 2;
constexpr int kNeedlePicture = 4;
constexpr int kNeedleX = -10;
constexpr int kNeedleY = 510;
constexpr double kNeedlePivotX = 0.7;
constexpr double kNeedlePivotY = 0.5;
constexpr int kNeedleRestAngle = 28;
constexpr double kNeedlePerSpeed = 0.76875;

// The clock beeps each whole second of the last ten.
constexpr int kClockBeepFromMs = 10000;
constexpr int kClockBeepSound = 18;

// Whether the last race tick counted the clock down; a clock that stands (after the finish)
// has no new second to beep for.
bool ClockStepped = false;

void CopyControls() {
  const TDXInput& input = MForm->MDXInput;
  Player->KeyLeft = input.Held(isLeft);
  Player->KeyRight = input.Held(isRight);
  Player->KeyUp = input.Held(isUp);
  Player->KeyDown = input.Held(isDown);
  Player->KeyExtraBrake = input.Held(isButton10);
  Player->KeyHorn = input.Held(isButton5);
}

void UpdateNeedle() {
  if (SpeedNeedle == nullptr) return;
  SpeedNeedle->Angle = NeedleAngle(Player->Speed, Player->EngineStage.GearChange);
}

void RaceClock() {
  if (TimeLeftMs <= kClockBeepFromMs && ClockStepped &&
      (TimeLeftMs + FrameMs) / 1000 > TimeLeftMs / 1000) {
    PlaySound(kClockBeepSound);
  }
  ClockStepped = false;
  if (!Player->TimeUp && !Player->Finished && TimeLeftMs - FrameMs >= 0) {
    TimeLeftMs -= FrameMs;
    ClockStepped = true;
  }
  if (FrameMs + 1 >= TimeLeftMs) Player->TimeUp = true;
}

void UpdateScroll() {
  const double angle = Player->Heading * kAngleToRadians;
  ScrollVX = -std::sin(angle) * Player->Step;
  ScrollVY = std::cos(angle) * Player->Step;
}
}  // namespace

int NeedleAngle(double speed, bool gearChange) {
  const int angle = std::max(kNeedleRestAngle, RoundToInt(speed * kNeedlePerSpeed + 28));
  return gearChange ? angle - 1 : angle;
}

void StartRace() {
  TSpriteEngine& engine = MForm->MDXSpriteEngine;
  CurrentScreen = ScreenRace;
  PlayScreenMusic();
  HideMouseCursor();
  FirstItem = 1;
  LastItem = 0;
  SelectedItem = 0;

  Road = TScrollBackground::Create(&engine, kRoadList, kRoadImage, TScrollBackground::kRoadColumns,
                                   TScrollBackground::kRoadRows);
  Road->SetListAndImage(kRoadImage, kRoadList);
  Road->X = 0;
  Road->Y = 0;
  BuildLevel(kFirstLevel);
  TBonus::Create(&engine);
  SpeedNeedle = TPointer::Create(&engine, kNeedleList, kNeedlePicture, kNeedleX, kNeedleY,
                                 kNeedlePivotX, kNeedlePivotY);
  SpeedNeedle->Angle = kNeedleRestAngle;
  TPlayer::Create(&engine, kBikeScreenX, kBikeScreenY);
  Road->Rider = Player;
  // The opponents' placement looks at the bike, so it comes after it.
  TCar::Create(&engine);
  DrawRaceHud();
  Lives = kStartLives;
  Score = 0;
  ClockStepped = false;
  OpenDialog(DialogLevelStart);
}

void RunRace(int lagCount) {
  MForm->MDXSpriteEngine.Move(lagCount);
  if (Player == nullptr) return;
  // Held keys reach the bike for the next tick's move.
  CopyControls();
  UpdateNeedle();
  RaceClock();
  if (Road != nullptr) Road->RefreshRoadWindow();
  UpdateScroll();
  DrawRaceHud();
  if (InputEdges.EscapeKey) OpenDialog(DialogExitToMenu);
  if (InputEdges.PauseKey) OpenDialog(DialogPause);
}

void RestartRace(int level) {
  if (Player != nullptr) Player->RestartRace(level);
}

void EndRace() {
  CurrentScreen = ScreenNone;
  if (Road != nullptr) Road->RequestRemoval();
  if (Bonuses != nullptr) Bonuses->RequestRemoval();
  if (Opponents != nullptr) Opponents->RequestRemoval();
  if (SpeedNeedle != nullptr) SpeedNeedle->RequestRemoval();
  SpeedNeedle = nullptr;
  if (Player != nullptr) Player->RequestRemoval();
  StopBikeSounds();
  MForm->MDXSpriteEngine.PurgeRemoved();
}

void ResumeBikeSounds() {
  if (Player != nullptr && CurrentScreen == ScreenRace) Player->ResumeSounds();
}

double RiderSpeed() {
  return Player != nullptr ? Player->Speed : 0.0;
}

void PlaceRaceBonuses() {
  if (Bonuses != nullptr) Bonuses->PlaceBonuses();
}

void PlaceRaceOpponents() {
  if (Opponents != nullptr) Opponents->PlaceOpponents();
}
