// The web pages the game hands to the desktop's browser, and the link file opened at shutdown.
// The game never waits for the browser and ignores what the desktop answers.
#pragma once

#include <string>

// The score server's one script, for submissions and for the online list alike.
inline constexpr const char* kScoreScriptPath = "/cgi/version.pl";
// The file beside the game opened when it closes, if it is there.
inline constexpr const char* kLinkFileName = "play.url";

// The game's home page on the score server at serverUrl (online/ScoreServer.h).
std::string HomePageUrl(const std::string& serverUrl);
// The online high-score list for this game, list type 0 (the one scores are sent to).
std::string OnlineHighScoresUrl(const std::string& serverUrl);

// Asks the desktop to open the address; returns at once.
void OpenLink(const std::string& url);
// Opens the link file beside the game's data when it exists; otherwise nothing.
void GoToLink();
