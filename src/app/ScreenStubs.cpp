// Hooks of the modules that are not built yet: each does nothing until its module replaces it.
#include "app/ScreenHooks.h"

void RunDialog(int) {}
void DrawOptionsTexts() {}
void RunOptions(int) {}
void RunHighScores(int) {}
void RunHelp(int) {}
void RunRace(int) {}

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

void StartRace() {}
void EndRace() {}
void ResumeBikeSounds() {}
int32_t CurrentScore() {
  return 0;
}

void ResetSendingDialog() {}

void LoadHighScores() {}
void SaveHighScores() {}
void LoadOptions() {}
void SaveOptions() {}
void CheckHighScores() {}
bool QualifiesForHighScores(int32_t) {
  return false;
}
void ResetHighScores() {}

void OpenHomePage() {}
void OpenOnlineHighScores() {}
void GoToLinkFile() {}
