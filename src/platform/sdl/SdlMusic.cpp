#include "platform/sdl/SdlMusic.h"

#include <SDL_mixer.h>

#include <fstream>

namespace {
constexpr int kRepeatForever = -1;
}  // namespace

SdlMusic::~SdlMusic() {
  for (auto& [handle, music] : Songs_) {
    if (music != nullptr) Mix_FreeMusic(music);
  }
}

uint32_t SdlMusic::SongLoadFromFile(const std::string& path) {
  Mix_Music* music = nullptr;
  if (Session_->AudioOpen()) {
    music = Mix_LoadMUS(path.c_str());
    if (music == nullptr) return 0;
  } else if (!std::ifstream(path, std::ios::binary)) {
    // Silent, but a missing song is still a failure the game may see.
    return 0;
  }
  // Handles never repeat, so a stale one can never free another song.
  const uint32_t handle = NextHandle_++;
  Songs_[handle] = music;
  return handle;
}

void SdlMusic::SongPlay(uint32_t song) {
  const auto it = Songs_.find(song);
  if (it == Songs_.end() || it->second == nullptr) return;
  Mix_PlayMusic(it->second, kRepeatForever);
}

void SdlMusic::SongFree(uint32_t song) {
  const auto it = Songs_.find(song);
  if (it == Songs_.end()) return;
  // Freeing the playing song stops it first.
  if (it->second != nullptr) Mix_FreeMusic(it->second);
  Songs_.erase(it);
}
