// The program entry: the desktop platform, the one main form, and its message loop.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <utility>

#include "app/CommandLine.h"
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
  CommandLine options;
  std::string scoreServer;
  try {
    options = ParseCommandLine(argc, argv);
    if (options.Help) {
      std::fputs(CommandLineHelp().c_str(), stdout);
      return 0;
    }
    scoreServer = ChooseScoreServer(options.ScoreServer ? options.ScoreServer->c_str() : nullptr,
                                    std::getenv(kScoreServerVariable));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "gearrush: %s\n%s\n", error.what(), CommandLineUsage().c_str());
    return 2;
  }

  Platform platform;
  try {
    SdlDisplayOptions display;
    display.WindowScale = options.WindowScale;
    display.IconPath = folders.WindowIcon();
    platform = CreateSdlPlatform(display);
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
