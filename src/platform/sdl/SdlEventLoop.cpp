#include "platform/sdl/SdlEventLoop.h"

#include <SDL.h>

#include "platform/sdl/SdlEventTranslator.h"
#include "platform/sdl/SdlSession.h"

namespace {
// How long a hidden or inactive game sleeps on the event queue between idle turns.
constexpr int kDormantWaitMs = 50;
// A turn that showed no frame had no vertical blank to wait for; this keeps it off the CPU.
constexpr int kNoFrameWaitMs = 5;
}  // namespace

void RunSdlEventLoop(WindowEventSink& sink, const SdlLoopHooks& hooks) {
  // Game controllers are optional: without the subsystem the game simply sees no pad. Pads
  // already plugged in arrive as plug events. Declared first, so it ends after the translator
  // has closed its pads.
  struct PadSubsystem {
    bool On = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    ~PadSubsystem() {
      if (On) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
  } padSubsystem;
  SdlEventTranslator translator(sink);
  const std::shared_ptr<SdlSession> session = SdlSession::Current();
  uint64_t presented = session ? session->PresentedFrames() : 0;
  bool showedNothing = false;

  while (!hooks.Terminated()) {
    SDL_Event event;
    const bool dormant = translator.Minimized() || !hooks.Active();
    if (dormant || showedNothing) {
      if (SDL_WaitEventTimeout(&event, dormant ? kDormantWaitMs : kNoFrameWaitMs) == 1) {
        translator.Deliver(event, SDL_GetModState());
      }
    }
    // An event may end the game (the exit dialog's Yes); nothing reaches it after that.
    while (!hooks.Terminated() && SDL_PollEvent(&event) == 1) {
      translator.Deliver(event, SDL_GetModState());
    }
    if (hooks.Terminated()) break;
    hooks.Idle();
    if (session) {
      const uint64_t now = session->PresentedFrames();
      showedNothing = now == presented;
      presented = now;
    }
  }
}
