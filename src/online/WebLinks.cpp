#include "online/WebLinks.h"

#include <filesystem>
#include <system_error>

#include "app/ScreenHooks.h"
#include "app/TMForm.h"

std::string HomePageUrl(const std::string& serverUrl) {
  return serverUrl + "/";
}

std::string OnlineHighScoresUrl(const std::string& serverUrl) {
  return serverUrl + kScoreScriptPath + "?prg=GearRush&show&type=0";
}

void OpenLink(const std::string& url) {
  MForm->DesktopShell().Open(url);
}

void GoToLink() {
  std::error_code error;
  // A folder or a dangling link of that name is not a link file.
  const std::string& linkFile = MForm->Folders().LinkFile();
  if (!std::filesystem::is_regular_file(linkFile, error)) return;
  MForm->DesktopShell().Open(linkFile);
}

void OpenHomePage() {
  OpenLink(HomePageUrl(MForm->ScoreServer()));
}

void OpenOnlineHighScores() {
  OpenLink(OnlineHighScoresUrl(MForm->ScoreServer()));
}

void GoToLinkFile() {
  GoToLink();
}
