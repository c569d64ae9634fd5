#include "storage/GameOptions.h"

#include "platform/KeyCodes.h"

TGameOptions GameOptions;
// No boss key until the options are read: a line of the options file that names no key keeps it.
uint8_t BossModifier = 0;
uint16_t BossKey = 0;
std::string StoredSignature;

void SetDefaultOptions() {
  GameOptions = TGameOptions{};
  BossModifier = ss::Alt;
  BossKey = kDefaultBossKey;
}

void ResetOptionsState() {
  GameOptions = TGameOptions{};
  BossModifier = 0;
  BossKey = 0;
  StoredSignature.clear();
}
