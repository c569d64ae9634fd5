// The score server's HTML: the game's home page and the online list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ScoreStore.h"

// The list's address relative to the home page, so the pages work under any host or prefix.
inline constexpr const char* kListLink = "cgi/version.pl?prg=GearRush&show&type=0";

// The text with &, <, >, " and ' written as HTML entities.
std::string HtmlEscape(std::string_view text);
// The day of a Unix time in UTC, "YYYY-MM-DD".
std::string UtcDate(int64_t unixTime);
std::string HomePage();
// Ranked from 1 in the order given.
std::string ListPage(const std::vector<StoredScore>& best);
