// The ten best scores with the players' names, and the signature that guards them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

struct THighScore {
  std::string Name;
  int32_t Points = 0;
};

constexpr int kHighScoreEntries = 10;
// Entries 1..10 are the table, best first; entry 11 is the slot a new entry is sorted in from.
// Entry 0 is unused.
using HighScoreTable = std::array<THighScore, kHighScoreEntries + 2>;
extern HighScoreTable HighScores;
constexpr int kPendingSlot = kHighScoreEntries + 1;
// The file's name in the save folder.
inline constexpr const char* kHighScoreFile = "hs";

void ResetHighScores();
// The score beats at least one entry of the table.
bool QualifiesForHighScores(int32_t score);
// Sorts the pending slot into the table; equal points keep the older entry above.
void InsertHighScore();
// Entries 1..10 from the file's text; nullopt when a points line is not a number.
std::optional<HighScoreTable> ParseHighScores(const std::string& content);
// The table from the file's text, or the default table when there is none or it is damaged.
void LoadHighScores(const std::optional<std::string>& content);
// The file's text for entries 1..10.
std::string HighScoreFileText();
std::string HighScoreSignature(const HighScoreTable& table);
std::string HighScoreSignature();
// Resets the table when its signature differs from the one saved with the options.
void CheckHighScores();
