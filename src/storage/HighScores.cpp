#include "storage/HighScores.h"

#include <algorithm>
#include <utility>

#include "storage/GameOptions.h"
#include "storage/SaveFile.h"

std::array<THighScore, kHighScoreEntries + 2> HighScores;

namespace {
constexpr const char* kFileName = "hs";
constexpr const char* kDefaultName = "ANONYMOUS";

// Folds one character into the signature: the result stays printable, 32..255.
unsigned char Mix(unsigned char a, unsigned char b) {
  return static_cast<unsigned char>((a + b) % 224 + 32);
}
}  // namespace

void ResetHighScores() {
  for (int i = 1; i <= kHighScoreEntries; ++i) {
    HighScores[i] = {kDefaultName, (11 - i) * 1000};
  }
}

bool QualifiesForHighScores(int32_t score) {
  for (int i = 1; i <= kHighScoreEntries; ++i) {
    if (score > HighScores[i].Points) return true;
  }
  return false;
}

void InsertHighScore() {
  for (int pass = 1; pass <= kHighScoreEntries; ++pass) {
    for (int j = 1; j <= kPendingSlot - pass; ++j) {
      if (HighScores[j].Points < HighScores[j + 1].Points)
        std::swap(HighScores[j], HighScores[j + 1]);
    }
  }
}

void LoadHighScores(const std::string& folder) {
  const std::optional<std::string> content = ReadSaveFile(SavePath(folder, kFileName));
  if (!content) {
    ResetHighScores();
    return;
  }
  TextFileReader reader(*content);
  for (int i = 1; i <= kHighScoreEntries; ++i) {
    HighScores[i].Name = reader.ReadLine();
    const std::optional<long long> points = reader.ReadInteger();
    // A points line that is no number makes the file as good as missing.
    if (!points || *points < INT32_MIN || *points > INT32_MAX) {
      ResetHighScores();
      return;
    }
    HighScores[i].Points = static_cast<int32_t>(*points);
    reader.ReadLine();
  }
}

void SaveHighScores(const std::string& folder) {
  std::string content;
  for (int i = 1; i <= kHighScoreEntries; ++i) {
    content += HighScores[i].Name + "\r\n" + std::to_string(HighScores[i].Points) + "\r\n";
  }
  WriteSaveFile(SavePath(folder, kFileName), content);
}

std::string HighScoreSignature() {
  size_t longest = 0;
  for (int i = 1; i <= kHighScoreEntries; ++i)
    longest = std::max(longest, HighScores[i].Name.size());
  std::string signature(longest, ' ');
  auto fold = [&](const std::string& text) {
    for (size_t k = 0; k < text.size() && k < signature.size(); ++k) {
      signature[k] = static_cast<char>(
          Mix(static_cast<unsigned char>(signature[k]), static_cast<unsigned char>(text[k])));
    }
  };
  for (int i = 1; i <= kHighScoreEntries; ++i) {
    fold(HighScores[i].Name);
    fold(std::to_string(HighScores[i].Points));
  }
  return signature;
}

void CheckHighScores() {
  if (HighScoreSignature() != StoredSignature) ResetHighScores();
}
