// The player's settings, kept in memory for the whole run.
#pragma once

#include <cstdint>
#include <string>

struct TGameOptions {
  bool FullScreen = false;
  bool MusicOn = true;
  bool SoundOn = true;
  std::string Country = "_______";
};

extern TGameOptions GameOptions;
// The boss key: a modifier (Shift 1, Alt 2, Ctrl 4, 0 none) and F1..F12 (112..123, 0 none).
extern uint8_t BossModifier;
extern uint16_t BossKey;
// The high-score signature read with the options.
extern std::string StoredSignature;

void SetDefaultOptions();
