// The web pages the game hands to the desktop's browser, and the link file opened at shutdown.
// The game never waits for the browser and ignores what the desktop answers.
#pragma once

#include <string>

// The game's web site: the home page and the score server's host.
inline constexpr const char* kGameHost = "www.gearrush.example";
// The score server's one script, for submissions and for the online list alike.
inline constexpr const char* kScoreScriptPath = "/cgi/version.pl";
// The file beside the game opened when it closes, if it is there.
inline constexpr const char* kLinkFileName = "play.url";

std::string HomePageUrl();
// The online high-score list for this game, list type 0 (the one scores are sent to).
std::string OnlineHighScoresUrl();

// Asks the desktop to open the address; returns at once.
void OpenLink(const std::string& url);
// Opens the link file beside the game's data when it exists; otherwise nothing.
void GoToLink();
