#include "screens/RaceHud.h"

#include <cmath>

#include "app/ScreenHooks.h"
#include "race/RiderState.h"
#include "race/TrackState.h"
#include "screens/Text.h"

namespace {
constexpr double kSpeedReadoutFactor = 1.9;

std::string TwoDigits(int value) {
  std::string digits(value < 10 ? "0" : "");
  digits += std::to_string(value);
  return digits;
}
}  // namespace

std::string HudLevelText(int level) {
  return "LEVEL " + std::to_string(level) + " / 10";
}

std::string HudTimeText(int timeLeftMs) {
  return TwoDigits(timeLeftMs / 60000) + " : " + TwoDigits(timeLeftMs / 1000 % 60);
}

std::string HudLivesText(int lives) {
  return std::to_string(lives < 0 ? 0 : lives);
}

std::string HudSpeedText(double speed) {
  if (speed <= 0) return "0";
  return std::to_string(static_cast<long long>(std::nearbyint(speed * kSpeedReadoutFactor)));
}

std::string HudPlaceText(int place, int racers) {
  return std::to_string(place) + "/" + std::to_string(racers);
}

void DrawRaceHud() {
  SetTextStyle(6);
  PrintText(HudLevelText(Level), 714, 20, true, true);
  SetTextStyle(18);
  PrintText(HudTimeText(TimeLeftMs), 87, 23, true, true);
  PrintText(std::to_string(Score), 84, 218, true, true);
  PrintText(HudLivesText(Lives), 113, 342, true, true);
  PrintText(HudSpeedText(RiderSpeed()), 91, 578, true, true);
  SetTextStyle(24);
  PrintText(HudPlaceText(RacePlace, RacerCount), 635, 185, false, true);
}
