#include "platform/sdl/SdlKeyMap.h"

#include <iterator>

#include "platform/KeyCodes.h"

namespace {
struct KeyPair {
  uint16_t Key;
  SDL_Keycode Keycode;
};

// Codes the game has no name for, as the desktop numbers them (the boss-key capture sees them).
constexpr uint16_t kPause = 19;
constexpr uint16_t kCapsLock = 20;
constexpr uint16_t kPageUp = 33;
constexpr uint16_t kPageDown = 34;
constexpr uint16_t kEnd = 35;
constexpr uint16_t kHome = 36;
constexpr uint16_t kInsert = 45;
constexpr uint16_t kDelete = 46;
constexpr uint16_t kNumpad0 = 96;  // 96..105
constexpr uint16_t kMultiply = 106;
constexpr uint16_t kAdd = 107;
constexpr uint16_t kSubtract = 109;
constexpr uint16_t kDecimal = 110;
constexpr uint16_t kDivide = 111;
constexpr uint16_t kNumLock = 144;
constexpr uint16_t kScrollLock = 145;

// The first pair of a game key is its main SDL key.
constexpr KeyPair kNamedKeys[] = {
    {vk::Back, SDLK_BACKSPACE},
    {vk::Tab, SDLK_TAB},
    {vk::Return, SDLK_RETURN},
    {vk::Return, SDLK_KP_ENTER},
    {vk::Return, SDLK_RETURN2},
    {vk::Shift, SDLK_LSHIFT},
    {vk::Shift, SDLK_RSHIFT},
    {vk::Control, SDLK_LCTRL},
    {vk::Control, SDLK_RCTRL},
    {vk::Menu, SDLK_LALT},
    {vk::Menu, SDLK_RALT},
    {kPause, SDLK_PAUSE},
    {kCapsLock, SDLK_CAPSLOCK},
    {vk::Escape, SDLK_ESCAPE},
    {vk::Space, SDLK_SPACE},
    {kPageUp, SDLK_PAGEUP},
    {kPageDown, SDLK_PAGEDOWN},
    {kEnd, SDLK_END},
    {kHome, SDLK_HOME},
    {vk::Left, SDLK_LEFT},
    {vk::Up, SDLK_UP},
    {vk::Right, SDLK_RIGHT},
    {vk::Down, SDLK_DOWN},
    {kInsert, SDLK_INSERT},
    {kDelete, SDLK_DELETE},
    {kMultiply, SDLK_KP_MULTIPLY},
    {kAdd, SDLK_KP_PLUS},
    {kSubtract, SDLK_KP_MINUS},
    {kDecimal, SDLK_KP_PERIOD},
    {kDivide, SDLK_KP_DIVIDE},
    {kNumLock, SDLK_NUMLOCKCLEAR},
    {kScrollLock, SDLK_SCROLLLOCK},
};

constexpr SDL_Keycode kFunctionKeys[] = {SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F4,  SDLK_F5,  SDLK_F6,
                                         SDLK_F7, SDLK_F8, SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12};
constexpr SDL_Keycode kNumpadDigits[] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                         SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};
constexpr int kLetterCount = 26;
constexpr int kDigitCount = 10;
}  // namespace

uint16_t GameKeyFromKeycode(SDL_Keycode keycode) {
  // SDL's letter and digit keys are their lower-case characters.
  if (keycode >= SDLK_a && keycode <= SDLK_z) {
    return static_cast<uint16_t>(vk::LetterA + (keycode - SDLK_a));
  }
  if (keycode >= SDLK_0 && keycode <= SDLK_9) {
    return static_cast<uint16_t>(vk::Digit0 + (keycode - SDLK_0));
  }
  for (size_t i = 0; i < std::size(kFunctionKeys); ++i) {
    if (kFunctionKeys[i] == keycode) return static_cast<uint16_t>(vk::F1 + i);
  }
  for (size_t i = 0; i < std::size(kNumpadDigits); ++i) {
    if (kNumpadDigits[i] == keycode) return static_cast<uint16_t>(kNumpad0 + i);
  }
  for (const KeyPair& pair : kNamedKeys) {
    if (pair.Keycode == keycode) return pair.Key;
  }
  return 0;
}

std::vector<SDL_Keycode> KeycodesForGameKey(uint16_t key) {
  if (key >= vk::LetterA && key < vk::LetterA + kLetterCount) {
    return {static_cast<SDL_Keycode>(SDLK_a + (key - vk::LetterA))};
  }
  if (key >= vk::Digit0 && key < vk::Digit0 + kDigitCount) {
    return {static_cast<SDL_Keycode>(SDLK_0 + (key - vk::Digit0))};
  }
  if (key >= vk::F1 && key <= vk::F12) return {kFunctionKeys[key - vk::F1]};
  if (key >= kNumpad0 && key < kNumpad0 + kDigitCount) return {kNumpadDigits[key - kNumpad0]};
  std::vector<SDL_Keycode> keycodes;
  for (const KeyPair& pair : kNamedKeys) {
    if (pair.Key == key) keycodes.push_back(pair.Keycode);
  }
  return keycodes;
}

uint8_t ShiftStateFrom(uint16_t sdlModifiers, uint32_t sdlButtons) {
  uint8_t shift = 0;
  if (sdlModifiers & KMOD_SHIFT) shift |= ss::Shift;
  if (sdlModifiers & KMOD_ALT) shift |= ss::Alt;
  if (sdlModifiers & KMOD_CTRL) shift |= ss::Ctrl;
  if (sdlButtons & SDL_BUTTON_LMASK) shift |= ss::Left;
  if (sdlButtons & SDL_BUTTON_RMASK) shift |= ss::Right;
  if (sdlButtons & SDL_BUTTON_MMASK) shift |= ss::Middle;
  return shift;
}

char CharacterForKey(uint16_t key, uint8_t shift) {
  // Alt+Enter is the full-screen switch, not a confirmation.
  if (shift & (ss::Alt | ss::Ctrl)) return 0;
  switch (key) {
    case vk::Return:
      return '\r';
    case vk::Back:
      return '\b';
    case vk::Escape:
      return '\x1b';
    default:
      return 0;
  }
}
