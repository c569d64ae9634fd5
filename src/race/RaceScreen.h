// The race screen: starts a game at level 1 and runs each race tick (the sprites' move, the
// controls, the speedometer, the clock, the road window, the scroll velocity and the HUD).
// StartRace, RunRace, RestartRace and EndRace are the shell's hooks (app/ScreenHooks.h).
#pragma once

class TPointer;

// The speedometer needle, nullptr outside a race.
extern TPointer* SpeedNeedle;

// Needle angle for a speed, in 256ths of a turn; one less during a gear change.
int NeedleAngle(double speed, bool gearChange);

// Puts the bonuses and the opponents on a freshly built track (race start and restarts).
void PlaceRaceBonuses();
void PlaceRaceOpponents();
