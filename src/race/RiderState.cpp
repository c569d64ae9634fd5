#include "race/RiderState.h"

int TimeLeftMs = 0;
int RacePlace = 0;
int RacerCount = 0;
int Score = 0;
int Lives = 0;
int BikeModel = 1;
int EndDelayMs = 0;
int PlacePrize = 0;

void ResetRiderState() {
  TimeLeftMs = 0;
  RacePlace = 0;
  RacerCount = 0;
  Score = 0;
  Lives = 0;
  BikeModel = 1;
  EndDelayMs = 0;
  PlacePrize = 0;
}
