// The program entry: the desktop platform, the one main form, and its message loop.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <utility>

#include "app/TMForm.h"
#include "platform/sdl/SdlApplication.h"
#include "platform/ttf/TtfTextRenderer.h"

int main() {
  Platform platform;
  try {
    platform = CreateSdlPlatform();
    platform.text = CreateTtfTextRenderer((std::filesystem::path("Data") / "Fonts").string());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }

  TMForm form(std::move(platform));
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
