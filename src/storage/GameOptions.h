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
constexpr uint16_t kDefaultBossKey = 120;  // F9
// The high-score signature read with the options.
extern std::string StoredSignature;

// The defaults of a missing options file; the stored signature is left as it is.
void SetDefaultOptions();
// Everything above as before start-up (for tests and the runner).
void ResetOptionsState();
