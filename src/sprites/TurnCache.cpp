#include "sprites/TurnCache.h"

#include <bit>
#include <utility>

size_t TurnedPattern::Bytes() const {
  return (Source.size() + Samples.size()) * sizeof(uint16_t) + Rows.size() * sizeof(TurnedRow);
}

size_t TurnCache::KeyHash::operator()(const TurnKey& key) const {
  // Boost's combine: good enough for a few hundred entries.
  size_t h = std::hash<const void*>()(key.Origin);
  const auto mix = [&h](uint64_t v) {
    h ^= std::hash<uint64_t>()(v) + 0x9e3779b9 + (h << 6) + (h >> 2);
  };
  mix(static_cast<uint64_t>(key.Turn) | uint64_t{static_cast<uint32_t>(key.Left)} << 8 |
      uint64_t{static_cast<uint32_t>(key.Top)} << 32);
  mix(static_cast<uint64_t>(static_cast<uint32_t>(key.Width)) |
      uint64_t{static_cast<uint32_t>(key.Height)} << 32);
  mix(key.CentreXBits ^ std::rotl(key.CentreYBits, 1));
  return h;
}

TurnCache::TurnCache(size_t budgetBytes) : Budget_(budgetBytes) {}

TurnedPattern* TurnCache::Find(const TurnKey& key) {
  const auto it = Entries_.find(key);
  return it == Entries_.end() ? nullptr : &it->second;
}

TurnedPattern& TurnCache::Keep(const TurnKey& key, TurnedPattern&& pattern) {
  if (const auto it = Entries_.find(key); it != Entries_.end()) {
    Bytes_ -= it->second.Bytes();
    Entries_.erase(it);
  }
  const size_t bytes = pattern.Bytes();
  if (Bytes_ + bytes > Budget_) {
    Entries_.clear();
    Bytes_ = 0;
  }
  Bytes_ += bytes;
  return Entries_.insert_or_assign(key, std::move(pattern)).first->second;
}
