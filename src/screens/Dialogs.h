// The dialog overlay: what each dialog draws every tick, the keys it takes, how long it stays
// and where it leads.
#pragma once

// The results tally of a finished level.
extern int TimeBonus;
extern int ResultsLines;
extern int ResultsStepMs;
extern int ResultsHoldMs;
// "Sending..." has been on screen for one frame.
extern bool SendingStarted;

void RunDialog(int lagCount);
// Counts a timed dialog's countdown down by one frame; false once its time is up.
bool CountDownDialogTimer();
// Everything above as before start-up (for tests).
void ResetDialogState();
