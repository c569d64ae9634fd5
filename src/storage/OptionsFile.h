// The options file: the player's settings, the boss key and the high-score signature.
#pragma once

#include <string>

// The file "options" in the given save folder.
void LoadOptions(const std::string& folder);
// Throws std::runtime_error when the file cannot be written (the old file stays intact).
void SaveOptions(const std::string& folder);
