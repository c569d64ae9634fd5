// The rider's state that outlives the bike sprite: time, place and (later) score and lives.
#pragma once

// Race time left in milliseconds; the level build sets it from the level's time limit.
extern int TimeLeftMs;
// The player's place in the race and the number of riders it is counted among.
extern int RacePlace;
extern int RacerCount;

// Points and lives of the game in progress.
extern int Score;
extern int Lives;
// The countdown after the finish; when the results open it holds the race time left.
extern int EndDelayMs;
// Prize points for the place reached, set when the results open.
extern int PlacePrize;
// The chosen bike model, 1..5; 1 at program start, not saved between runs.
extern int BikeModel;

// Everything above back to its state before start-up (for tests and the runner).
void ResetRiderState();
