#include "screens/HelpTexts.h"

const std::array<const char*, kHelpPageCount + 1> HelpPageTitles = {
    "", "GAME OVERVIEW", "BONUSES", "CONTROLS", "CONTROLS", "ABOUT"};

const std::array<const char*, 10> GameOverviewLines = {
    "  The game \"Gear Rush\" welcomes you to the world of",
    "breathtaking motor-cycle races and formidable opponents.",
    "Various effects, splendid graphics and many fantastic",
    "routes will not leave you indifferent.",
    "  You can choose one of the fastest superbikes and drive",
    "a race. Don't think it's so easy. Increasing number of",
    "strong opponents will stand on your way to the finish",
    "The obstacles will take the time, that's limited. Pick up",
    "bonuses and life.",
    "  Are you ready for a race? Go!",
};

const char* const MenuNavigationHeading = "MENU NAVIGATIONS";
const std::array<const char*, 6> MenuNavigationLines = {
    "Use the cursor keys or mouse to move the menu cursor",
    "up and down. Press the \"Enter\" key or any mouse button",
    "to enter menu options. Press the \"Left Arrow\",",
    "\"Right Arrow\", \"Enter\" keys or any mouse button to",
    "change a menu option. Press \"Esc\" to back from the",
    "submenu to Main Menu.",
};

const char* const GameNavigationHeading = "GAME NAVIGATIONS";
const std::array<const char*, 8> GameNavigationLines = {
    "Use the keys \"Arrow Left\" and \"Arrow Right\" to move the",
    "bike rightwards or leftwards. Use the keys \"Arrow Up\"",
    "and \"Arrow Down\" to speed up and reduce the speed of the",
    "bike. Press the \"Space\" key to use Extra brake.",
    "Use \"P\" to pause or resume the game.",
    "Use \"Escape\" key to quit the game to Main Menu.",
    "Use \"Alt\"+\"Enter\" keys to change screen modes.",
    "Use Boss key to hide the game.",
};

const std::array<const char*, 5> BonusLabels = {"10 score", "20 score", "50 score", "100 score",
                                                "Life"};

const char* const AboutTitle = "GEAR RUSH";
const char* const AboutMakerLine = "© 2026 Gear Rush Team";
// The code carries no licence of its own: the notice that goes with that.
const char* const AboutLicenceLine = "All rights reserved.";
const char* const AboutWebAddress = "www.gearrush.example";
