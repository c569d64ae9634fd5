#include "platform/sdl/SdlSound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>

namespace {
// Enough for every item and its copies; grown if a collection holds more.
constexpr int kInitialChannels = 32;
constexpr int kLoopForever = -1;
constexpr size_t kRiffHeaderBytes = 12;

bool LooksLikeRiffWave(const std::string& image) {
  return image.size() >= kRiffHeaderBytes && image.compare(0, 4, "RIFF") == 0 &&
         image.compare(8, 4, "WAVE") == 0;
}
}  // namespace

SdlSound::SdlSound(std::shared_ptr<SdlSession> session) : Session_(std::move(session)) {
  if (Session_->AudioOpen()) Channels_ = Mix_AllocateChannels(kInitialChannels);
}

SdlSound::~SdlSound() {
  if (Session_->AudioOpen()) Mix_HaltChannel(-1);
  for (Voice& voice : Voices_) {
    if (voice.Chunk != nullptr) Mix_FreeChunk(voice.Chunk);
  }
}

int SdlSound::CreateVoice(int /*itemIndex*/, const std::string& riffWave, bool looped) {
  if (!LooksLikeRiffWave(riffWave)) return -1;
  Voice voice;
  voice.Looped = looped;
  if (Session_->AudioOpen()) {
    SDL_RWops* source = SDL_RWFromConstMem(riffWave.data(), static_cast<int>(riffWave.size()));
    voice.Chunk = Mix_LoadWAV_RW(source, /*freesrc=*/1);
    if (voice.Chunk == nullptr) return -1;
  }
  const int index = static_cast<int>(Voices_.size());
  Voices_.push_back(voice);
  // One channel per voice, so starting one voice never cuts another.
  if (Session_->AudioOpen() && index >= Channels_) {
    Channels_ = Mix_AllocateChannels(std::max(Channels_ * 2, index + 1));
  }
  return index;
}

bool SdlSound::Audible(int voice) const {
  return voice >= 0 && voice < static_cast<int>(Voices_.size()) && voice < Channels_ &&
         Voices_[voice].Chunk != nullptr;
}

void SdlSound::Play(int voice) {
  if (!Audible(voice)) return;
  // Playing on a busy channel restarts it from the beginning.
  Mix_PlayChannel(voice, Voices_[voice].Chunk, Voices_[voice].Looped ? kLoopForever : 0);
}

void SdlSound::Stop(int voice) {
  if (Audible(voice)) Mix_HaltChannel(voice);
}

bool SdlSound::IsPlaying(int voice) {
  return Audible(voice) && Mix_Playing(voice) != 0;
}
