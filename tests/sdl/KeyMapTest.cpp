// The key codes and shift states the SDL backend hands the game.
#include <gtest/gtest.h>

#include "platform/KeyCodes.h"
#include "platform/sdl/SdlKeyMap.h"

namespace {
// Every key the game polls or reads from a key event.
std::vector<uint16_t> GameKeys() {
  std::vector<uint16_t> keys = {vk::Back,    vk::Tab,  vk::Return, vk::Shift,
                                vk::Control, vk::Menu, vk::Escape, vk::Space,
                                vk::Left,    vk::Up,   vk::Right,  vk::Down};
  for (uint16_t k = vk::F1; k <= vk::F12; ++k) keys.push_back(k);
  for (uint16_t k = 0; k < 26; ++k) keys.push_back(vk::LetterA + k);
  for (uint16_t k = 0; k < 10; ++k) keys.push_back(vk::Digit0 + k);
  return keys;
}
}  // namespace

TEST(SdlKeyMap, EveryGameKeyHasSdlKeysThatMapBackToIt) {
  for (const uint16_t key : GameKeys()) {
    const std::vector<SDL_Keycode> keycodes = KeycodesForGameKey(key);
    ASSERT_FALSE(keycodes.empty()) << "game key " << key;
    for (const SDL_Keycode keycode : keycodes) {
      EXPECT_EQ(GameKeyFromKeycode(keycode), key) << SDL_GetKeyName(keycode);
    }
  }
}

TEST(SdlKeyMap, KeysCarryTheCodesTheOptionsFileStores) {
  EXPECT_EQ(GameKeyFromKeycode(SDLK_F1), 112);
  EXPECT_EQ(GameKeyFromKeycode(SDLK_F9), 120);  // the default boss key
  EXPECT_EQ(GameKeyFromKeycode(SDLK_F12), 123);
  EXPECT_EQ(GameKeyFromKeycode(SDLK_a), 'A');
  EXPECT_EQ(GameKeyFromKeycode(SDLK_h), 'H');
  EXPECT_EQ(GameKeyFromKeycode(SDLK_z), 'Z');
  EXPECT_EQ(GameKeyFromKeycode(SDLK_0), '0');
  EXPECT_EQ(GameKeyFromKeycode(SDLK_9), '9');
  EXPECT_EQ(GameKeyFromKeycode(SDLK_RETURN), 13);
  EXPECT_EQ(GameKeyFromKeycode(SDLK_KP_ENTER), 13);
  EXPECT_EQ(GameKeyFromKeycode(SDLK_BACKSPACE), 8);
  EXPECT_EQ(GameKeyFromKeycode(SDLK_ESCAPE), 27);
  EXPECT_EQ(GameKeyFromKeycode(SDLK_SPACE), 32);
  EXPECT_EQ(GameKeyFromKeycode(SDLK_LEFT), 37);
  EXPECT_EQ(GameKeyFromKeycode(SDLK_DOWN), 40);
}

TEST(SdlKeyMap, BothKeysOfAModifierHoldIt) {
  EXPECT_EQ(KeycodesForGameKey(vk::Shift), (std::vector<SDL_Keycode>{SDLK_LSHIFT, SDLK_RSHIFT}));
  EXPECT_EQ(KeycodesForGameKey(vk::Control), (std::vector<SDL_Keycode>{SDLK_LCTRL, SDLK_RCTRL}));
  EXPECT_EQ(KeycodesForGameKey(vk::Menu), (std::vector<SDL_Keycode>{SDLK_LALT, SDLK_RALT}));
}

TEST(SdlKeyMap, KeysWithoutACodeAreNotGameKeys) {
  EXPECT_EQ(GameKeyFromKeycode(SDLK_UNKNOWN), 0);
  EXPECT_EQ(GameKeyFromKeycode(SDLK_AUDIOPLAY), 0);
  EXPECT_EQ(GameKeyFromKeycode(SDLK_F13), 0);
  EXPECT_EQ(GameKeyFromKeycode(SDLK_COMMA), 0);
  EXPECT_TRUE(KeycodesForGameKey(0).empty());
  EXPECT_TRUE(KeycodesForGameKey(vk::F12 + 1).empty());
}

TEST(SdlKeyMap, ShiftStateTakesEitherSideOfEachModifierAndTheHeldButtons) {
  EXPECT_EQ(ShiftStateFrom(KMOD_NONE, 0), 0);
  EXPECT_EQ(ShiftStateFrom(KMOD_LSHIFT, 0), ss::Shift);
  EXPECT_EQ(ShiftStateFrom(KMOD_RSHIFT, 0), ss::Shift);
  EXPECT_EQ(ShiftStateFrom(KMOD_RALT, 0), ss::Alt);
  EXPECT_EQ(ShiftStateFrom(KMOD_LCTRL, 0), ss::Ctrl);
  // Ctrl+Alt is not Alt: the boss key compares the whole state.
  EXPECT_EQ(ShiftStateFrom(KMOD_LALT | KMOD_RCTRL, 0), ss::Alt | ss::Ctrl);
  EXPECT_EQ(ShiftStateFrom(KMOD_NONE, SDL_BUTTON_LMASK), ss::Left);
  EXPECT_EQ(ShiftStateFrom(KMOD_NONE, SDL_BUTTON_RMASK | SDL_BUTTON_MMASK), ss::Right | ss::Middle);
  EXPECT_EQ(ShiftStateFrom(KMOD_LSHIFT | KMOD_LALT, SDL_BUTTON_LMASK),
            ss::Shift | ss::Alt | ss::Left);
}

TEST(SdlKeyMap, LockKeysAndExtraButtonsAreNoPartOfTheShiftState) {
  EXPECT_EQ(ShiftStateFrom(KMOD_CAPS | KMOD_NUM | KMOD_GUI, 0), 0);
  EXPECT_EQ(ShiftStateFrom(KMOD_NONE, SDL_BUTTON_X1MASK | SDL_BUTTON_X2MASK), 0);
}

TEST(SdlKeyMap, EnterBackspaceAndEscapeTypeTheirCharacterUnlessAltOrCtrlIsHeld) {
  EXPECT_EQ(CharacterForKey(vk::Return, 0), '\r');
  EXPECT_EQ(CharacterForKey(vk::Back, 0), '\b');
  EXPECT_EQ(CharacterForKey(vk::Escape, 0), '\x1b');
  EXPECT_EQ(CharacterForKey(vk::Return, ss::Shift | ss::Left), '\r');
  EXPECT_EQ(CharacterForKey(vk::Return, ss::Alt), 0);  // the full-screen switch
  EXPECT_EQ(CharacterForKey(vk::Back, ss::Ctrl), 0);
  // Other keys type through SDL's text events, or not at all.
  EXPECT_EQ(CharacterForKey(vk::LetterA, 0), 0);
  EXPECT_EQ(CharacterForKey(vk::Space, 0), 0);
  EXPECT_EQ(CharacterForKey(vk::F1, 0), 0);
}
