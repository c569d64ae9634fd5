#include "app/TDXSound.h"

#include <algorithm>

TDXSound::TDXSound(SoundDevice& device) : Device_(device) {}

void TDXSound::Bind(const TDXWaveList& waves) {
  Items_.clear();
  Items_.resize(waves.Items.size());
  for (size_t i = 0; i < waves.Items.size(); ++i) Items_[i].Wave = &waves.Items[i];
}

int TDXSound::NewVoice(int index) {
  Item& item = Items_[index];
  const int voice = Device_.CreateVoice(index, item.Wave->Wave, item.Wave->Looped);
  item.Voices.push_back(voice);
  item.Started.push_back(0);
  return static_cast<int>(item.Voices.size()) - 1;
}

void TDXSound::Stop(int index) {
  if (index < 0 || index >= static_cast<int>(Items_.size())) return;
  for (int voice : Items_[index].Voices) {
    if (voice >= 0) Device_.Stop(voice);
  }
}

void TDXSound::Play(int index) {
  if (index < 0 || index >= static_cast<int>(Items_.size())) return;
  Item& item = Items_[index];
  int copy = -1;
  if (item.Wave->Looped) {
    copy = item.Voices.empty() ? NewVoice(index) : 0;
  } else {
    for (size_t i = 0; i < item.Voices.size() && copy < 0; ++i) {
      if (item.Voices[i] < 0 || !Device_.IsPlaying(item.Voices[i])) copy = static_cast<int>(i);
    }
    const int limit = item.Wave->MaxPlayingCount;
    if (copy < 0 && (limit <= 0 || static_cast<int>(item.Voices.size()) < limit)) {
      copy = NewVoice(index);
    }
    if (copy < 0) {
      copy = static_cast<int>(std::min_element(item.Started.begin(), item.Started.end()) -
                              item.Started.begin());
    }
  }
  const int voice = item.Voices[copy];
  item.Started[copy] = ++StartCounter_;
  if (voice < 0) return;
  Device_.Stop(voice);
  Device_.Play(voice);
}

int TDXSound::CopyCount(int index) const {
  if (index < 0 || index >= static_cast<int>(Items_.size())) return 0;
  return static_cast<int>(Items_[index].Voices.size());
}
