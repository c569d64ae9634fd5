#include "storage/HighScores.h"

#include <algorithm>
#include <utility>

#include "storage/GameOptions.h"
#include "storage/TextFileReader.h"

HighScoreTable HighScores;

namespace {
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

std::optional<HighScoreTable> ParseHighScores(const std::string& content) {
  HighScoreTable table;
  TextFileReader reader(content);
  for (int i = 1; i <= kHighScoreEntries; ++i) {
    table[i].Name = reader.ReadLine();
    const std::optional<long long> points = reader.ReadInteger();
    // A points line that is no number makes the file as good as missing.
    if (!points || *points < INT32_MIN || *points > INT32_MAX) return std::nullopt;
    table[i].Points = static_cast<int32_t>(*points);
    reader.ReadLine();
  }
  return table;
}

void LoadHighScores(const std::optional<std::string>& content) {
  const std::optional<HighScoreTable> table = content ? ParseHighScores(*content) : std::nullopt;
  if (!table) {
    ResetHighScores();
    return;
  }
  for (int i = 1; i <= kHighScoreEntries; ++i) HighScores[i] = (*table)[i];
}

std::string HighScoreFileText() {
  std::string content;
  for (int i = 1; i <= kHighScoreEntries; ++i) {
    content += HighScores[i].Name + "\r\n" + std::to_string(HighScores[i].Points) + "\r\n";
  }
  return content;
}

std::string HighScoreSignature(const HighScoreTable& table) {
  size_t longest = 0;
  for (int i = 1; i <= kHighScoreEntries; ++i) longest = std::max(longest, table[i].Name.size());
  std::string signature(longest, ' ');
  auto fold = [&](const std::string& text) {
    for (size_t k = 0; k < text.size() && k < signature.size(); ++k) {
      signature[k] = static_cast<char>(
          Mix(static_cast<unsigned char>(signature[k]), static_cast<unsigned char>(text[k])));
    }
  };
  for (int i = 1; i <= kHighScoreEntries; ++i) {
    fold(table[i].Name);
    fold(std::to_string(table[i].Points));
  }
  return signature;
}

std::string HighScoreSignature() {
  return HighScoreSignature(HighScores);
}

void CheckHighScores() {
  if (HighScoreSignature() != StoredSignature) ResetHighScores();
}
