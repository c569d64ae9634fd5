// The program entry: the desktop platform, the one main form, and its message loop.
#include <cstdio>
#include <exception>
#include <utility>

#include "app/GameFolders.h"
#include "app/TMForm.h"
#include "platform/sdl/SdlApplication.h"
#include "platform/ttf/TtfTextRenderer.h"

// Where an installed game's data lies, seen from the folder of the program (set by the build).
#ifndef GR_INSTALLED_DATA
#define GR_INSTALLED_DATA "../share/gearrush"
#endif

int main() {
  GameFolders folders = GameFolders::ForThisProgram(GR_INSTALLED_DATA);
  Platform platform;
  try {
    platform = CreateSdlPlatform();
    platform.text = CreateTtfTextRenderer(folders.Fonts());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }

  TMForm form(std::move(platform), std::move(folders));
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
