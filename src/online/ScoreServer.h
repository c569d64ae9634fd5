// The score server's address: where scores are sent, and where the game's home page and the
// online list are. One setting: a default chosen when the game is built, replaced by the
// GEARRUSH_SCORE_SERVER environment variable, which the --score-server option replaces in turn.
#pragma once

#include <optional>
#include <string>

inline constexpr const char* kScoreServerVariable = "GEARRUSH_SCORE_SERVER";
inline constexpr const char* kScoreServerOption = "--score-server";

// The address this build was made with.
std::string DefaultScoreServer();
// "host", "host:port", or a plain or secure http URL with an optional path prefix, as the
// base the server's pages hang off ("http://host:port/prefix", no trailing slash); nullopt
// for anything that is not such an address.
std::optional<std::string> ScoreServerBaseUrl(const std::string& address);
// The option's value (may be null) over the variable's (may be null) over the build's default,
// as a base URL; std::invalid_argument for an address that is not one.
std::string ChooseScoreServer(const char* option, const char* variable);
