#include "app/Random.h"

uint32_t RandSeed = 0;
