#include "race/RiderState.h"

int TimeLeftMs = 0;
int RacePlace = 0;
int RacerCount = 0;

void ResetRiderState() {
  TimeLeftMs = 0;
  RacePlace = 0;
  RacerCount = 0;
}
