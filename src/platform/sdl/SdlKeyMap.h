// Between SDL's keys and the game's key codes and shift states (platform/KeyCodes.h). Pure, so
// the mapping is tested without a display.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

// The game's code for an SDL key; 0 for a key the game has no code for.
uint16_t GameKeyFromKeycode(SDL_Keycode keycode);
// The SDL keys that hold a game key down (both Shift keys for Shift, and so on); empty if none.
std::vector<SDL_Keycode> KeycodesForGameKey(uint16_t key);
// The shift state of an event: Shift, Alt, Ctrl from SDL's modifiers and the held mouse buttons
// (SDL_BUTTON masks).
uint8_t ShiftStateFrom(uint16_t sdlModifiers, uint32_t sdlButtons);
// The character a desktop sends with a key that types no text (Enter 13, Backspace 8, Escape
// 27); 0 when the key sends none, or when Alt or Ctrl turns it into a command.
char CharacterForKey(uint16_t key, uint8_t shift);
