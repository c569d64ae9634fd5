// The help screen: five pages of instructions turned with the previous and next buttons.
#pragma once

#include <array>

class TMyImageSprite;

// The page shown, 1 to 5; every visit starts on page 1.
extern int HelpPage;
// The bonus icons shown on the bonus page, top to bottom, and the picture of the About page.
extern std::array<TMyImageSprite*, 5> BonusIcons;
extern TMyImageSprite* AboutPicture;

// Draws the current page's texts and shows the pictures that belong to it.
void DrawHelpPage();
