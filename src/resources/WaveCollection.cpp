#include "resources/WaveCollection.h"

#include <cstring>

#include "resources/ByteReader.h"
#include "resources/CollectionError.h"
#include "resources/ObjectStream.h"

namespace {

constexpr const char* kWaveCollectionClass = "TWaveCollectionComponent";
constexpr const char* kWaveInvalid = "Wave is invalid";
constexpr size_t kFormatChunkMinBytes = 16;

bool ChunkIdIs(const uint8_t* id, const char (&expected)[5]) {
  return std::memcmp(id, expected, 4) == 0;
}

TWaveCollectionItem ReadWaveItem(const StreamPropertyList& properties) {
  TWaveCollectionItem item;
  for (const StreamProperty& p : properties) {
    if (p.Name == "Name") {
      item.Name = PropertyString(p);
    } else if (p.Name == "Looped") {
      item.Looped = PropertyBool(p);
    } else if (p.Name == "MaxPlayingCount") {
      item.MaxPlayingCount = PropertyInt(p);
    } else if (p.Name == "Wave.WAVE") {
      const std::span<const uint8_t> data = PropertyBinary(p);
      item.Wave.assign(reinterpret_cast<const char*>(data.data()), data.size());
    }
  }
  ParseWave(item);
  return item;
}

}  // namespace

void ParseWave(TWaveCollectionItem& item) {
  item.Format = WaveFormat{};
  item.DataOffset = 0;
  item.DataSize = 0;
  if (item.Wave.empty()) return;

  const auto* bytes = reinterpret_cast<const uint8_t*>(item.Wave.data());
  ByteReader r(bytes, item.Wave.size());
  if (r.Remaining() < 12) throw CollectionError(kWaveInvalid);
  const uint8_t* riff = r.Take(4);
  r.U32();  // RIFF size; the chunks themselves are checked against the real length
  if (!ChunkIdIs(riff, "RIFF") || !ChunkIdIs(r.Take(4), "WAVE")) {
    throw CollectionError(kWaveInvalid);
  }

  bool haveFormat = false;
  bool haveData = false;
  // Chunks after the two we need may be cut short or be junk; they are never looked at.
  while (!(haveFormat && haveData)) {
    if (r.Remaining() < 8) throw CollectionError(kWaveInvalid);
    const uint8_t* id = r.Take(4);
    const uint32_t chunkBytes = r.U32();
    if (chunkBytes > r.Remaining()) throw CollectionError(kWaveInvalid);
    const size_t start = r.Position();
    if (ChunkIdIs(id, "fmt ") && !haveFormat) {
      if (chunkBytes < kFormatChunkMinBytes) throw CollectionError(kWaveInvalid);
      item.Format.FormatTag = r.U16();
      item.Format.Channels = r.U16();
      item.Format.SamplesPerSec = r.U32();
      r.U32();  // average bytes per second
      item.Format.BlockAlign = r.U16();
      item.Format.BitsPerSample = r.U16();
      haveFormat = true;
    } else if (ChunkIdIs(id, "data") && !haveData) {
      item.DataOffset = start;
      item.DataSize = chunkBytes;
      haveData = true;
    }
    r.Skip(start + chunkBytes - r.Position());
    // Chunks are padded to an even length.
    if ((chunkBytes & 1) != 0 && !r.AtEnd()) r.Skip(1);
  }
}

void TDXWaveList::LoadFromFile(const std::string& path) {
  const CollectionFileBytes bytes = ReadCollectionFile(path);
  LoadFromBytes(bytes.data(), bytes.size());
}

void TDXWaveList::LoadFromBytes(const uint8_t* data, size_t size) {
  StreamObject root = ReadCollectionStream(data, size);
  std::vector<TWaveCollectionItem> items;
  for (const StreamPropertyList& properties : TakeCollectionList(root, kWaveCollectionClass)) {
    items.push_back(ReadWaveItem(properties));
  }
  // Only a fully read file replaces what was loaded before.
  Items = std::move(items);
}
