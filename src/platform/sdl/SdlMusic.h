// The module music player on the mixer: songs by handle, one playing at a time.
#pragma once

#include <SDL_mixer.h>

#include <map>
#include <memory>

#include "platform/Devices.h"
#include "platform/sdl/SdlSession.h"

class SdlMusic final : public MusicDevice {
 public:
  explicit SdlMusic(std::shared_ptr<SdlSession> session) : Session_(std::move(session)) {}
  ~SdlMusic() override;
  SdlMusic(const SdlMusic&) = delete;
  SdlMusic& operator=(const SdlMusic&) = delete;

  uint32_t SongLoadFromFile(const std::string& path) override;
  void SongPlay(uint32_t song) override;
  void SongFree(uint32_t song) override;

 private:
  std::shared_ptr<SdlSession> Session_;
  // Null songs stand for files that exist while the game runs silent.
  std::map<uint32_t, Mix_Music*> Songs_;
  uint32_t NextHandle_ = 1;
};
