// The program entry: the desktop platform, the one main form, and its message loop.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <utility>

#include "app/TMForm.h"
#include "online/ScoreServer.h"
#include "platform/sdl/SdlApplication.h"
#include "platform/ttf/TtfTextRenderer.h"

int main(int argc, char** argv) {
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
    platform.text = CreateTtfTextRenderer((std::filesystem::path("Data") / "Fonts").string());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }

  TMForm form(std::move(platform));
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
