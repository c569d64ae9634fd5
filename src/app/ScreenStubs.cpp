// Hooks of the modules that are not built yet: each does nothing until its module replaces it.
#include "app/ScreenHooks.h"

void RunHighScores(int) {}
void RunHelp(int) {}

void EnterHelp() {}
void LeaveHelp() {}
void PreviousHelpPage() {}
void NextHelpPage() {}
void EnterHighScores() {}
void LeaveHighScores() {}

