// Hooks of the modules that are not built yet: each does nothing until its module replaces it.
#include "app/ScreenHooks.h"

void DrawOptionsTexts() {}
void RunOptions(int) {}
void RunHighScores(int) {}
void RunHelp(int) {}

void EnterHelp() {}
void LeaveHelp() {}
void PreviousHelpPage() {}
void NextHelpPage() {}
void EnterOptions() {}
void LeaveOptions() {}
void ToggleCountryEntry() {}
void EndOptionsEditing() {}
void EnterHighScores() {}
void LeaveHighScores() {}

