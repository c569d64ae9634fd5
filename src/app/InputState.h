// Keyboard and mouse state of the window's events.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The last mouse position over the display, in display pixels.
extern int MouseX;
extern int MouseY;
// The options screen waits for a new boss key.
extern bool BossCaptureMode;
// Typing edits the country on the options screen while this is on.
extern bool CountryEntryOn;
// The name typed in the name-entry dialog, and the last character typed there.
extern std::string NameEntry;
extern char LastTypedChar;

constexpr size_t kMaxCountryLength = 16;
constexpr int kMaxCountryWidth = 345;  // pixels in text style 4
constexpr size_t kMaxNameLength = 12;
constexpr int kMaxNameWidth = 240;  // pixels in text style 10

// Hides the game at once: music off, a race paused, back to a window, minimised.
void BossHide();
// Makes SelectedItem the first item under the mouse; with keep, a miss leaves it as it was.
void UpdateHover(bool keep);
bool ItemContainsPoint(int item, int x, int y);
// Capture of a new boss key from the options screen (key events while capturing).
void FormKeyBoss(uint16_t key, uint8_t shift, bool pressed);
// Only digits, letters and the space are ever typed into a text.
bool IsAllowedCharacter(char ch);
// A typed character for the text the current screen or dialog edits.
void TypeCharacter(char ch);
