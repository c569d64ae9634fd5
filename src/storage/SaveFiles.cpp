#include "storage/SaveFiles.h"

#include "storage/HighScores.h"
#include "storage/OptionsFile.h"

namespace {
// An options file belongs with a table file when it carries that table's signature.
bool BelongTogether(const std::string& options, const std::string& table) {
  const std::optional<std::string> signature = OptionsFileSignature(options);
  const std::optional<HighScoreTable> scores = ParseHighScores(table);
  return signature && scores && *signature == HighScoreSignature(*scores);
}
}  // namespace

void LoadSaveFiles(SaveFolder& folder) {
  const auto [table, options] = folder.ReadPair(kHighScoreFile, kOptionsFile, BelongTogether);
  LoadHighScores(table);
  LoadOptions(options);
  CheckHighScores();
}

std::vector<std::string> WriteSaveFiles(SaveFolder& folder) {
  // The table goes first: an options file in place always completes the pair.
  return folder.ReplacePair({kHighScoreFile, HighScoreFileText()},
                            {kOptionsFile, OptionsFileText()});
}
