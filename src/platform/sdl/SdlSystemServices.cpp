#include "platform/sdl/SdlSystemServices.h"

#include <SDL.h>
#include <sys/resource.h>

#include <cerrno>
#include <cstdio>

namespace {
constexpr char kCaption[] = "Gear Rush";
// A few nice levels up: enough to keep the frame pacing steady, not enough to starve the desktop.
constexpr int kPriorityRaise = 5;
}  // namespace

void SdlSystemServices::RaisePriority() {
  errno = 0;
  const int nice = getpriority(PRIO_PROCESS, 0);
  if (errno != 0) return;
  // Without the right to raise it the game simply runs at its usual priority.
  setpriority(PRIO_PROCESS, 0, nice - kPriorityRaise);
}

int SdlSystemServices::ShowCursor(bool show) {
  CursorCounter_ += show ? 1 : -1;
  SDL_ShowCursor(CursorCounter_ >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return CursorCounter_;
}

void SdlSystemServices::ShowErrorBox(const std::string& message) {
  std::fprintf(stderr, "%s\n", message.c_str());
  std::fflush(stderr);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, kCaption, message.c_str(), nullptr);
}
