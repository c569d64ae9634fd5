#include "app/CommandLine.h"

#include <charconv>
#include <stdexcept>
#include <string_view>

#include "online/ScoreServer.h"
#include "platform/WindowScale.h"

namespace {
int ParseWindowScale(std::string_view text) {
  int scale = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), scale);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || scale < 1 ||
      scale > kMaxWindowScale) {
    throw std::invalid_argument(std::string(kWindowScaleOption) +
                                ": not a whole number from 1 to " +
                                std::to_string(kMaxWindowScale) + ": '" + std::string(text) + "'");
  }
  return scale;
}
}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "--help" || option == "-h") {
      line.Help = true;
      continue;
    }
    const bool takesValue = option == kScoreServerOption || option == kWindowScaleOption;
    if (!takesValue) throw std::invalid_argument("unknown option '" + std::string(option) + "'");
    if (i + 1 == argc) throw std::invalid_argument(std::string(option) + " needs a value");
    const char* value = argv[++i];
    if (option == kScoreServerOption) {
      if (line.ScoreServer) throw std::invalid_argument(std::string(option) + " given twice");
      line.ScoreServer = value;
    } else {
      if (line.WindowScale) throw std::invalid_argument(std::string(option) + " given twice");
      line.WindowScale = ParseWindowScale(value);
    }
  }
  return line;
}

std::string CommandLineUsage() {
  return std::string("usage: gearrush [") + kScoreServerOption + " URL] [" + kWindowScaleOption +
         " N] [--help]";
}

std::string CommandLineHelp() {
  return CommandLineUsage() +
         "\n"
         "\n"
         "  --score-server URL  the score server to send scores to and link to (a host,\n"
         "                      host:port or http(s) URL); overrides " +
         kScoreServerVariable +
         "\n"
         "  --window-scale N    show the 800x600 picture N times as large in a window (1 to " +
         std::to_string(kMaxWindowScale) +
         ");\n"
         "                      by default the largest multiple that fits the desktop\n"
         "  --help              print this and exit\n";
}
