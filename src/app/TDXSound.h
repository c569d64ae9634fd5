// The sound output bound to the sound collection: plays and stops its items by index, keeping
// the copies of each item that may sound at once.
#pragma once

#include <vector>

#include "platform/Devices.h"
#include "resources/WaveCollection.h"

class TDXSound {
 public:
  explicit TDXSound(SoundDevice& device);

  // Makes the voices of a freshly loaded collection; the old ones are forgotten.
  void Bind(const TDXWaveList& waves);
  // Stops every copy of the item.
  void Stop(int index);
  // Starts the item: a looped item rewinds its one voice; otherwise a free copy plays, a new
  // copy is made while the item's limit allows, else the copy started longest ago restarts.
  void Play(int index);
  int CopyCount(int index) const;

 private:
  struct Item {
    const TWaveCollectionItem* Wave = nullptr;
    std::vector<int> Voices;        // device voices, one per copy
    std::vector<unsigned> Started;  // start order of each copy
  };
  int NewVoice(int index);

  SoundDevice& Device_;
  std::vector<Item> Items_;
  unsigned StartCounter_ = 0;
};
