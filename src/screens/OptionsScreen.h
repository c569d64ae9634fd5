// The options screen: display mode, music, sound, the player's country and the boss key.
#pragma once

#include <cstdint>
#include <string>

class TMyCursor;
class TMyImageSprite;

// The blinking cursor after the country text; it shows only while the entry runs.
extern TMyCursor* TextCursor;
// The pictures that show the display mode, the music and the sound settings.
extern TMyImageSprite* DisplayState;
extern TMyImageSprite* MusicState;
extern TMyImageSprite* SoundState;

// The boss key as the screen shows it: "ALT+F9", "CTRL+F12", "F5", "CTRL+?" or "?".
std::string BossKeyText(uint8_t modifier, uint16_t key);
std::string BossKeyText();
