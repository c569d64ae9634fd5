// The program entry: the desktop platform, the one main form, and its message loop.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <utility>

#include "app/GameFolders.h"
#include "app/TMForm.h"
#include "online/ScoreServer.h"
#include "platform/sdl/SdlApplication.h"
#include "platform/ttf/TtfTextRenderer.h"

// Where an installed game's data lies, seen from the folder of the program (set by the build).
#ifndef GR_INSTALLED_DATA
#define GR_INSTALLED_DATA "../share/gearrush"
#endif

int main(int argc, char** argv) {
  GameFolders folders = GameFolders::ForThisProgram(GR_INSTALLED_DATA);
  // The one option: which score server the game sends to and links to.
  const char* scoreServerOption = nullptr;
  if (argc == 3 && std::strcmp(argv[1], kScoreServerOption) == 0) {
    scoreServerOption = argv[2];
  } else if (argc != 1) {
    std::fprintf(stderr, "usage: gearrush [%s URL]\n", kScoreServerOption);
    return 2;
  }
  std::string scoreServer;
  try {
    scoreServer = ChooseScoreServer(scoreServerOption, std::getenv(kScoreServerVariable));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "gearrush: %s\n", error.what());
    return 2;
  }

  Platform platform;
  try {
    platform = CreateSdlPlatform();
    platform.text = CreateTtfTextRenderer(folders.Fonts());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }

  TMForm form(std::move(platform), std::move(folders));
  form.SetScoreServer(std::move(scoreServer));
  try {
    form.FormCreate();
    RunSdlApplication(form);
  } catch (const std::exception& error) {
    // A missing collection file at start, or a save file that cannot be written at shutdown.
    form.ShowStartupError(error.what());
    return 1;
  }
  return 0;
}
