// What the frame loop and the confirmation dispatcher call in the screens, the dialogs and the
// race; each lives in its own module.
#pragma once

#include <cstdint>

// Per-tick handlers.
void RunDialog(int lagCount);
void DrawOptionsTexts();
void RunMainMenu();
void RunBikeSelect();
void RunOptions(int lagCount);
void RunHighScores(int lagCount);
void RunHelp(int lagCount);
void RunRace(int lagCount);

// Screens.
void EnterMainMenu(bool intro, int item, bool create);
void LeaveMainMenu();
void EnterBikeSelect();
void LeaveBikeSelect();
void PreviousBike();
void NextBike();
// Non-zero while the bike portraits cross-fade; confirmations wait for it.
extern int BikeChangeState;
void EnterHelp();
void LeaveHelp();
void PreviousHelpPage();
void NextHelpPage();
void EnterOptions();
void LeaveOptions();
void ToggleCountryEntry();
void ToggleBossCapture();
// A newly highlighted options item ends a running boss-key capture and country entry.
void EndOptionsEditing();
void EnterHighScores();
void LeaveHighScores();

// The race.
void StartRace();
// Removes the race's sprites and silences the bike; the screen becomes none.
void EndRace();
// Restarts the engine and horn sounds that were running when a dialog paused the race.
void ResumeBikeSounds();

// The race's restart at a level (the same after a time-out, the next after the results).
void RestartRace(int level);
// The bike's speed for the HUD; 0 without a bike.
double RiderSpeed();
// Sends the score to the online table without waiting for it: the first call starts the
// request, and each call says whether it has ended (network failures are swallowed).
bool SubmitScore();

// Links.
void OpenHomePage();
void OpenOnlineHighScores();
// Opens the link file beside the game at shutdown, when there is one.
void GoToLinkFile();
