#include "storage/OptionsFile.h"

#include <optional>
#include <string>

#include "platform/KeyCodes.h"
#include "storage/GameOptions.h"
#include "storage/HighScores.h"
#include "storage/SaveFile.h"

namespace {
constexpr const char* kFileName = "options";

// The file numbers the modifiers 1 Alt, 2 Ctrl, 3 Shift; files already written rely on it.
int ModifierCode(uint8_t modifier) {
  if (modifier & ss::Alt) return 1;
  if (modifier & ss::Ctrl) return 2;
  if (modifier & ss::Shift) return 3;
  return 0;
}

struct ReadOptions {
  TGameOptions Options;
  long long Modifier = 0;
  long long Key = 0;
  std::string Signature;
};

// Nothing when a numeric line holds something else.
std::optional<ReadOptions> Parse(const std::string& content) {
  TextFileReader reader(content);
  ReadOptions read;
  auto flag = [&](bool& value) {
    const std::optional<long long> number = reader.ReadInteger();
    if (!number) return false;
    value = *number != 0;
    reader.ReadLine();
    return true;
  };
  auto integer = [&](long long& value) {
    const std::optional<long long> number = reader.ReadInteger();
    if (!number) return false;
    value = *number;
    reader.ReadLine();
    return true;
  };
  if (!flag(read.Options.FullScreen) || !flag(read.Options.MusicOn) ||
      !flag(read.Options.SoundOn)) {
    return std::nullopt;
  }
  read.Options.Country = reader.ReadLine();
  if (!integer(read.Modifier) || !integer(read.Key)) return std::nullopt;
  read.Signature = reader.ReadLine();
  return read;
}
}  // namespace

void LoadOptions(const std::string& folder) {
  const std::optional<std::string> content = ReadSaveFile(SavePath(folder, kFileName));
  const std::optional<ReadOptions> read = content ? Parse(*content) : std::nullopt;
  if (!read) {
    // A damaged file counts as a missing one: defaults, and no signature, so the table resets.
    if (content) StoredSignature.clear();
    SetDefaultOptions();
    return;
  }
  GameOptions = read->Options;
  switch (read->Modifier) {
    case 0:
      BossModifier = 0;
      break;
    case 1:
      BossModifier = ss::Alt;
      break;
    case 2:
      BossModifier = ss::Ctrl;
      break;
    case 3:
      BossModifier = ss::Shift;
      break;
    default:
      break;  // any other number keeps what was held
  }
  if (read->Key == 0) {
    BossKey = 0;
  } else if (read->Key >= 1 && read->Key <= 12) {
    BossKey = static_cast<uint16_t>(vk::F1 + read->Key - 1);
  }
  StoredSignature = read->Signature;
}

void SaveOptions(const std::string& folder) {
  const bool functionKey = BossKey >= vk::F1 && BossKey <= vk::F12;
  std::string content;
  content += std::string(GameOptions.FullScreen ? "1" : "0") + "\r\n";
  content += std::string(GameOptions.MusicOn ? "1" : "0") + "\r\n";
  content += std::string(GameOptions.SoundOn ? "1" : "0") + "\r\n";
  content += GameOptions.Country + "\r\n";
  content += std::to_string(ModifierCode(BossModifier)) + "\r\n";
  content += std::to_string(functionKey ? BossKey - vk::F1 + 1 : 0) + "\r\n";
  content += HighScoreSignature() + "\r\n";
  WriteSaveFile(SavePath(folder, kFileName), content);
}
