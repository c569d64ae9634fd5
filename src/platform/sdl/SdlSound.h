// Sound effect voices on the mixer, each on its own channel. Without an audio device the voices
// exist but play nothing.
#pragma once

#include <memory>
#include <vector>

#include "platform/Devices.h"
#include "platform/sdl/SdlSession.h"

struct Mix_Chunk;

class SdlSound final : public SoundDevice {
 public:
  explicit SdlSound(std::shared_ptr<SdlSession> session);
  ~SdlSound() override;
  SdlSound(const SdlSound&) = delete;
  SdlSound& operator=(const SdlSound&) = delete;

  int CreateVoice(int itemIndex, const std::string& riffWave, bool looped) override;
  void Play(int voice) override;
  void Stop(int voice) override;
  bool IsPlaying(int voice) override;

 private:
  struct Voice {
    Mix_Chunk* Chunk = nullptr;  // null when the game runs silent
    bool Looped = false;
  };
  bool Audible(int voice) const;

  std::shared_ptr<SdlSession> Session_;
  std::vector<Voice> Voices_;
  int Channels_ = 0;
};
