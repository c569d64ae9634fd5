// Keyboard and mouse state of the window's events.
#pragma once

#include <cstdint>

// The last mouse position over the display, in display pixels.
extern int MouseX;
extern int MouseY;
// The options screen waits for a new boss key.
extern bool BossCaptureMode;

// Hides the game at once: music off, a race paused, back to a window, minimised.
void BossHide();
// Makes SelectedItem the first item under the mouse; with keep, a miss leaves it as it was.
void UpdateHover(bool keep);
bool ItemContainsPoint(int item, int x, int y);
// Capture of a new boss key from the options screen (key events while capturing).
void FormKeyBoss(uint16_t key, uint8_t shift, bool pressed);
// A typed character for the text the current screen or dialog edits.
void TypeCharacter(char ch);
