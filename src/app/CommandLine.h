// The game program's command line: gearrush [--score-server URL] [--window-scale N] [--help].
#pragma once

#include <optional>
#include <string>

inline constexpr const char* kWindowScaleOption = "--window-scale";

struct CommandLine {
  std::optional<std::string> ScoreServer;  // as given; checked when the server is chosen
  std::optional<int> WindowScale;          // 1 to kMaxWindowScale
  bool Help = false;
};

// Reads the arguments after the program's name; std::invalid_argument, with a message for the
// player, for an unknown option, a missing value, a repeated option or a scale out of range.
CommandLine ParseCommandLine(int argc, const char* const* argv);

// What --help prints, and the first line of what a wrong command line prints.
std::string CommandLineUsage();
std::string CommandLineHelp();
