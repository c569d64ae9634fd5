// Turned patterns kept from earlier rotated draws: a sprite drawn again at the same turn, size
// and pixel offsets is copied from here instead of walked through its pattern again. Tyre marks
// keep their angle for their whole life, and bikes turn by a step now and then, so nearly every
// rotated draw of a race finds its entry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

// What a turned pattern depends on besides the pattern's pixels. The box is the turned draw's
// extent in whole pixels, relative to the point the pivot lands on.
struct TurnKey {
  const uint16_t* Origin = nullptr;  // the pattern's first pixel in its picture
  int SourceWidth = 0;
  int SourceHeight = 0;
  bool Keyed = false;
  uint16_t ColorKey = 0;
  int Width = 0;
  int Height = 0;
  uint64_t CentreXBits = 0;
  uint64_t CentreYBits = 0;
  int Turn = 0;  // 0..255
  int64_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TurnKey&) const = default;
};

// One box row of a turned pattern: Count samples laid from column First of the box. The row's
// key-coloured ends are left out; a solid row has no key-coloured sample to leave out.
struct TurnedRow {
  int First = 0;
  int Count = 0;
  bool Solid = true;
  size_t Offset = 0;  // into TurnedPattern::Samples
};

// A pattern as turned, and a copy of the pattern it was turned from: the entry stands for the
// draw only while the picture still holds those pixels, so pictures may change at any time.
struct TurnedPattern {
  std::vector<uint16_t> Source;  // the pattern's rows, packed
  std::vector<TurnedRow> Rows;   // from the box's top
  std::vector<uint16_t> Samples;
  size_t Bytes() const;
};

class TurnCache {
 public:
  // All entries together are held under budgetBytes; past it the cache starts again empty.
  explicit TurnCache(size_t budgetBytes = kDefaultBudgetBytes);

  // The entry for key, or nullptr.
  TurnedPattern* Find(const TurnKey& key);
  // Keeps pattern for key, in place of any entry it had; returns the kept one.
  TurnedPattern& Keep(const TurnKey& key, TurnedPattern&& pattern);

  size_t Count() const { return Entries_.size(); }
  size_t Bytes() const { return Bytes_; }

  // About a race's worth of marks and bikes at every angle they take in a few seconds.
  static constexpr size_t kDefaultBudgetBytes = size_t{4} << 20;

 private:
  struct KeyHash {
    size_t operator()(const TurnKey& key) const;
  };
  std::unordered_map<TurnKey, TurnedPattern, KeyHash> Entries_;
  size_t Budget_;
  size_t Bytes_ = 0;
};
