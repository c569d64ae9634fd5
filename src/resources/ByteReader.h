// A bounds-checked little-endian cursor over untrusted bytes: every read that would run past the
// end throws, so no length taken from a file can lead outside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "resources/CollectionError.h"

inline constexpr const char* kStreamReadError = "Stream read error";

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : Data_(data), Size_(data ? size : 0) {}

  size_t Position() const { return Pos_; }
  size_t Remaining() const { return Size_ - Pos_; }
  bool AtEnd() const { return Pos_ == Size_; }

  // The next n bytes, consumed.
  const uint8_t* Take(size_t n) {
    if (n > Remaining()) throw CollectionError(kStreamReadError);
    const uint8_t* p = Data_ + Pos_;
    Pos_ += n;
    return p;
  }
  void Skip(size_t n) { Take(n); }

  uint8_t Peek() const {
    if (AtEnd()) throw CollectionError(kStreamReadError);
    return Data_[Pos_];
  }
  uint8_t U8() { return *Take(1); }
  uint16_t U16() {
    const uint8_t* p = Take(2);
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
  }
  uint32_t U32() {
    const uint8_t* p = Take(4);
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
  }
  uint64_t U64() {
    uint64_t low = U32();
    uint64_t high = U32();
    return low | (high << 32);
  }
  int8_t I8() { return static_cast<int8_t>(U8()); }
  int16_t I16() { return static_cast<int16_t>(U16()); }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  int64_t I64() { return static_cast<int64_t>(U64()); }

  // One length byte, then that many 8-bit characters.
  std::string ShortString() {
    size_t length = U8();
    const uint8_t* p = Take(length);
    return std::string(reinterpret_cast<const char*>(p), length);
  }

 private:
  const uint8_t* Data_;
  size_t Size_;
  size_t Pos_ = 0;
};
