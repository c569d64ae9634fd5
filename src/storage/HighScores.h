// The ten best scores with the players' names, and the signature that guards them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct THighScore {
  std::string Name;
  int32_t Points = 0;
};

constexpr int kHighScoreEntries = 10;
// Entries 1..10 are the table, best first; entry 11 is the slot a new entry is sorted in from.
// Entry 0 is unused.
extern std::array<THighScore, kHighScoreEntries + 2> HighScores;
constexpr int kPendingSlot = kHighScoreEntries + 1;

void ResetHighScores();
// The score beats at least one entry of the table.
bool QualifiesForHighScores(int32_t score);
// Sorts the pending slot into the table; equal points keep the older entry above.
void InsertHighScore();
// The file "hs" in the given save folder.
void LoadHighScores(const std::string& folder);
// Throws std::runtime_error when the file cannot be written (the old file stays intact).
void SaveHighScores(const std::string& folder);
std::string HighScoreSignature();
// Resets the table when its signature differs from the one saved with the options.
void CheckHighScores();
