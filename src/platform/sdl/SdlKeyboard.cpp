#include "platform/sdl/SdlKeyboard.h"

#include <SDL.h>

#include "platform/sdl/SdlKeyMap.h"

bool SdlKeyboard::IsKeyDown(uint16_t key) {
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  // Through the key, not a fixed scancode, so letters follow the keyboard layout as the
  // window's key events do.
  for (const SDL_Keycode keycode : KeycodesForGameKey(key)) {
    const SDL_Scancode scancode = SDL_GetScancodeFromKey(keycode);
    if (scancode > SDL_SCANCODE_UNKNOWN && scancode < count && state[scancode]) return true;
  }
  return false;
}
