// The high-score screen: the local table of ten, with buttons to clear it and to open the
// online list.
#pragma once

// Screen row of table entry 1..10: 33.7 pixels apart from 196, rounded halves to even.
int HighScoreRowY(int entry);
// Draws the names and points of the table; drawn every tick, so a reset shows at once.
void DrawHighScores();
