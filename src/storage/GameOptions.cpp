#include "storage/GameOptions.h"

#include "platform/KeyCodes.h"

TGameOptions GameOptions;
uint8_t BossModifier = ss::Alt;
uint16_t BossKey = 120;  // F9
std::string StoredSignature;

void SetDefaultOptions() {
  GameOptions = TGameOptions{};
  BossModifier = ss::Alt;
  BossKey = 120;
}
