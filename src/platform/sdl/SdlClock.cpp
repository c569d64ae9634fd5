#include "platform/sdl/SdlClock.h"

#include <SDL.h>

uint32_t SdlClock::NowMs() {
  return SDL_GetTicks();
}
