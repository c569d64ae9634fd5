// Sound collections (Data/Res/Sounds.dxw): RIFF WAVE items with their playing rules.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WaveFormat {
  uint16_t FormatTag = 0;  // 1 = PCM
  uint16_t Channels = 0;
  uint32_t SamplesPerSec = 0;
  uint16_t BitsPerSample = 0;
  uint16_t BlockAlign = 0;
};

class TWaveCollectionItem {
 public:
  std::string Name;
  bool Looped = false;
  int MaxPlayingCount = 0;  // 0 = no limit
  std::string Wave;         // the whole RIFF WAVE file image, as stored
  WaveFormat Format;        // from the "fmt " chunk
  size_t DataOffset = 0;    // where the "data" chunk's samples start in Wave
  size_t DataSize = 0;      // their length in bytes
};

// Finds the "fmt " and "data" chunks of item.Wave and fills Format, DataOffset and DataSize.
// An empty Wave is a silent item; anything else that is not a sound throws "Wave is invalid".
void ParseWave(TWaveCollectionItem& item);

// The sound collection component (MDXWaveList).
class TDXWaveList {
 public:
  std::vector<TWaveCollectionItem> Items;

  // Replaces the whole content. Throws CollectionError with the game's messages.
  void LoadFromFile(const std::string& path);
  void LoadFromBytes(const uint8_t* data, size_t size);
  int Count() const { return static_cast<int>(Items.size()); }
};
