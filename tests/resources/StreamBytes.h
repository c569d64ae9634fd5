// Hand-made collection files and DIBs for the reader's tests, built byte by byte so they do
// not depend on the writer under test.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct Bytes {
  std::vector<uint8_t> v;

  Bytes& u8(uint32_t x) {
    v.push_back(static_cast<uint8_t>(x));
    return *this;
  }
  Bytes& u16(uint32_t x) { return u8(x).u8(x >> 8); }
  Bytes& u32(uint32_t x) { return u16(x).u16(x >> 16); }
  Bytes& raw(std::string_view s) {
    v.insert(v.end(), s.begin(), s.end());
    return *this;
  }
  Bytes& add(const std::vector<uint8_t>& b) {
    v.insert(v.end(), b.begin(), b.end());
    return *this;
  }
  Bytes& str(std::string_view s) { return u8(static_cast<uint32_t>(s.size())).raw(s); }
  // A property name followed by a value's type byte.
  Bytes& prop(std::string_view name, uint8_t type) { return str(name).u8(type); }
  Bytes& intProp(std::string_view name, int32_t value) { return prop(name, 4).u32(value); }
  Bytes& boolProp(std::string_view name, bool value) { return prop(name, value ? 9 : 8); }
  Bytes& binProp(std::string_view name, const std::vector<uint8_t>& data) {
    return prop(name, 10).u32(static_cast<uint32_t>(data.size())).add(data);
  }
};

// A collection file: resource header, "TPF0", the root of the given class whose List holds one
// item per entry (each entry the item's properties without the closing 0).
inline std::vector<uint8_t> CollectionFile(std::string_view className,
                                           const std::vector<Bytes>& items,
                                           const Bytes& rootProperties = {}) {
  Bytes stream;
  stream.raw("TPF0").str(className).str("").add(rootProperties.v).prop("List", 14);
  for (const Bytes& item : items) stream.u8(1).add(item.v).u8(0);
  stream.u8(0).u8(0).u8(0);
  Bytes file;
  file.u8(0xFF).u16(10).raw("ANYNAME").u8(0).u16(0x1030).u32(
      static_cast<uint32_t>(stream.v.size()));
  return file.add(stream.v).v;
}

inline std::vector<uint8_t> ImageFile(const std::vector<Bytes>& items) {
  return CollectionFile("TPictureCollectionComponent", items);
}
inline std::vector<uint8_t> WaveFile(const std::vector<Bytes>& items) {
  return CollectionFile("TWaveCollectionComponent", items);
}

// A 40-byte information header; a negative height means top-down rows.
inline Bytes InfoHeader(int32_t width, int32_t height, int bits, uint32_t compression = 0,
                        uint32_t usedColors = 0) {
  Bytes b;
  b.u32(40).u32(static_cast<uint32_t>(width)).u32(static_cast<uint32_t>(height)).u16(1).u16(bits);
  b.u32(compression).u32(0).u32(0).u32(0).u32(usedColors).u32(0);
  return b;
}

// A 12-byte core header.
inline Bytes CoreHeader(uint16_t width, uint16_t height, int bits) {
  Bytes b;
  b.u32(12).u16(width).u16(height).u16(1).u16(bits);
  return b;
}

// Picture.Data as stored: the class name, then the DIB.
inline std::vector<uint8_t> PictureData(const Bytes& dib) {
  Bytes b;
  b.str("TDIB").add(dib.v);
  return b.v;
}

// One property of every value type, 1 to 20, named after its type; a reader that does not know
// them must step over all of them.
inline Bytes AllValueTypes() {
  Bytes b;
  b.prop("Values", 1).u8(2).u8(0xFB).u8(6).str("x").u8(1).u8(3).u16(300).u8(0).u8(0);
  b.prop("Int8", 2).u8(0x80);
  b.prop("Int16", 3).u16(0x8000);
  b.prop("Int32", 4).u32(0x80000000);
  b.prop("Extended", 5).u32(0).u32(0xC0000000).u16(0x3FFF);  // 1.5
  b.prop("String", 6).str("abc");
  b.prop("Ident", 7).str("clRed");
  b.prop("False", 8);
  b.prop("True", 9);
  b.prop("Binary", 10).u32(3).u8(1).u8(2).u8(3);
  b.prop("Set", 11).str("a").str("bb").u8(0);
  b.prop("LString", 12).u32(4).raw("long");
  b.prop("Nil", 13);
  b.prop("Collection", 14).u8(2).u8(7).u8(1).prop("X", 2).u8(1).u8(0);
  b.u8(1).prop("Y", 6).str("y").u8(0).u8(0);
  b.prop("Single", 15).u32(0x3E800000);  // 0.25
  b.prop("Currency", 16).u32(12345678).u32(0);
  b.prop("Date", 17).u32(0).u32(0x40040000);  // 2.5
  // "A", U+1F600 as a surrogate pair, a lone low surrogate.
  b.prop("WString", 18).u32(4).u16('A').u16(0xD83D).u16(0xDE00).u16(0xDC00);
  b.prop("Int64", 19).u32(0).u32(1);
  b.prop("Utf8String", 20).u32(2).u8(0xC3).u8(0xBC);
  return b;
}
