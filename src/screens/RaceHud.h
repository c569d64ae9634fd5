// The numbers drawn over the race screen each tick: level, time, score, lives, speed, place.
#pragma once

#include <string>

std::string HudLevelText(int level);
// Minutes and seconds, each below ten with a leading zero: "01 : 05".
std::string HudTimeText(int timeLeftMs);
std::string HudLivesText(int lives);
// The speedometer's speed times 1.9, rounded; "0" when not moving forward.
std::string HudSpeedText(double speed);
std::string HudPlaceText(int place, int racers);

void DrawRaceHud();
