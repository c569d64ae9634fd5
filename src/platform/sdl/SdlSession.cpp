#include "platform/sdl/SdlSession.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

#include <stdexcept>
#include <string>

namespace {
std::weak_ptr<SdlSession> CurrentSession;

constexpr int kMixFrequencyHz = 44100;
constexpr int kMixChunkFrames = 1024;

// The sound library prints its own complaints when a machine has no sound card; the game simply
// runs silent then, so those lines are kept off the terminal while the device opens.
using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using AlsaSetErrorHandler = int (*)(AlsaErrorHandler);

void QuietAlsaError(const char*, int, const char*, int, const char*, ...) {}

AlsaSetErrorHandler FindAlsaErrorHook() {
  const char* driver = SDL_GetCurrentAudioDriver();
  if (driver == nullptr || std::string(driver) != "alsa") return nullptr;
  // Only if SDL already loaded the library; the game never loads it itself.
  void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD);
  if (alsa == nullptr) return nullptr;
  auto hook = reinterpret_cast<AlsaSetErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
  dlclose(alsa);  // SDL still holds its own reference
  return hook;
}
}  // namespace

std::shared_ptr<SdlSession> SdlSession::Start() {
  // Ctrl+C and kill end the game as for any program; the close request stays the window's.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // A close request must reach the form once, as a request, not as a quit.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    throw std::runtime_error(std::string("Cannot start the display: ") + SDL_GetError());
  }
  auto session = std::make_shared<SdlSession>(StartKey{});
  session->OpenAudio();
  CurrentSession = session;
  return session;
}

std::shared_ptr<SdlSession> SdlSession::Current() {
  return CurrentSession.lock();
}

void SdlSession::OpenAudio() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
  Mix_Init(MIX_INIT_MOD);  // without the module decoder the music stays silent
  AlsaSetErrorHandler hook = FindAlsaErrorHook();
  if (hook != nullptr) hook(QuietAlsaError);
  AudioOpen_ = Mix_OpenAudio(kMixFrequencyHz, MIX_DEFAULT_FORMAT, 2, kMixChunkFrames) == 0;
  if (hook != nullptr) hook(nullptr);  // back to the library's default
}

SdlSession::~SdlSession() {
  if (AudioOpen_) Mix_CloseAudio();
  Mix_Quit();
  SDL_Quit();
}
