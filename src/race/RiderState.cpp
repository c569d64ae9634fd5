#include "race/RiderState.h"

int TimeLeftMs = 0;
int RacePlace = 0;
int RacerCount = 0;
int Score = 0;
int Lives = 0;
int BikeModel = 1;

void ResetRiderState() {
  TimeLeftMs = 0;
  RacePlace = 0;
  RacerCount = 0;
  Score = 0;
  Lives = 0;
  BikeModel = 1;
}
