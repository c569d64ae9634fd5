// Feeds arbitrary bytes to the high-score and options readers, then saves what was read and
// reads it again: the values must come back unchanged, and no stored text may exceed what the
// screens let the player type where the reader cuts it. A crash or a broken round trip is a
// finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/InputState.h"
#include "storage/GameOptions.h"
#include "storage/HighScores.h"
#include "storage/OptionsFile.h"
#include "storage/SaveFile.h"

namespace {

// As the save folder hands a file over: a larger one is not read at all.
std::optional<std::string> AsRead(const std::string& bytes) {
  if (bytes.size() > SaveFolder::kMaxFileBytes) return std::nullopt;
  return bytes;
}

void CheckHighScoresRoundTrip(const std::string& bytes) {
  LoadHighScores(AsRead(bytes));
  const HighScoreTable first = HighScores;
  const std::string written = HighScoreFileText();
  if (written.size() > SaveFolder::kMaxFileBytes) return;  // would read back as missing
  for (auto& entry : HighScores) entry = {};
  LoadHighScores(AsRead(written));
  for (int i = 1; i <= kHighScoreEntries; ++i) {
    if (HighScores[i].Name != first[i].Name || HighScores[i].Points != first[i].Points) {
      std::abort();
    }
  }
  if (HighScoreSignature() != HighScoreSignature(first)) std::abort();
}

struct OptionValues {
  TGameOptions Options;
  uint8_t Modifier;
  uint16_t Key;
};

OptionValues Current() {
  return {GameOptions, BossModifier, BossKey};
}

void CheckOptionsRoundTrip(const std::string& bytes) {
  ResetOptionsState();
  LoadOptions(AsRead(bytes));
  if (GameOptions.Country.size() > kMaxCountryLength) std::abort();
  const OptionValues first = Current();
  const std::string written = OptionsFileText();
  ResetOptionsState();
  LoadOptions(AsRead(written));
  const OptionValues again = Current();
  if (again.Options.FullScreen != first.Options.FullScreen ||
      again.Options.MusicOn != first.Options.MusicOn ||
      again.Options.SoundOn != first.Options.SoundOn ||
      again.Options.Country != first.Options.Country || again.Modifier != first.Modifier ||
      again.Key != first.Key) {
    std::abort();
  }
  // The signature written is the current table's, and it reads back as written.
  if (StoredSignature != HighScoreSignature()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  CheckHighScoresRoundTrip(bytes);
  CheckOptionsRoundTrip(bytes);
  return 0;
}
