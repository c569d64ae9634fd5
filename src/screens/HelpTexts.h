// The fixed texts of the five help pages: the game's constants unit.
#pragma once

#include <array>

constexpr int kHelpPageCount = 5;

// Page titles, indexed 1..5 (entry 0 unused); the two control pages share one.
extern const std::array<const char*, kHelpPageCount + 1> HelpPageTitles;

// Page 1. A leading double space starts a paragraph.
extern const std::array<const char*, 10> GameOverviewLines;
// Pages 3 and 4: a subheading and its lines.
extern const char* const MenuNavigationHeading;
extern const std::array<const char*, 6> MenuNavigationLines;
extern const char* const GameNavigationHeading;
extern const std::array<const char*, 8> GameNavigationLines;
// Page 2: what each bonus is worth, in the order of its icons from the top.
extern const std::array<const char*, 5> BonusLabels;
// Page 5.
extern const char* const AboutTitle;
extern const char* const AboutMakerLine;
extern const char* const AboutLicenceLine;  // under the web address, in the same column
extern const char* const AboutWebAddress;
