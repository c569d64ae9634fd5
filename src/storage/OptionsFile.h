// The options file: the player's settings, the boss key and the high-score signature.
#pragma once

#include <optional>
#include <string>

// The file's name in the save folder.
inline constexpr const char* kOptionsFile = "options";

// The settings from the file's text, or the defaults when there is none or it is damaged.
void LoadOptions(const std::optional<std::string>& content);
// The file's text for the settings held now and the current table's signature.
std::string OptionsFileText();
// The signature line of a readable options file.
std::optional<std::string> OptionsFileSignature(const std::string& content);
