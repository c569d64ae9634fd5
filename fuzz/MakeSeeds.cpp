// Writes the fuzzer's seed inputs: small collections of every picture kind and a few sounds.
// Usage: fuzz_seeds <folder>
#include <cstdio>
#include <string>
#include <vector>

#include "resources/CollectionWriter.h"
#include "resources/StreamBytes.h"

namespace {

RgbImage Gradient(int width, int height) {
  RgbImage image{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    image.Rgb.insert(image.Rgb.end(), {static_cast<uint8_t>(37 * i), static_cast<uint8_t>(90 + i),
                                       static_cast<uint8_t>(255 - 11 * i)});
  }
  return image;
}

Bytes& Entries(Bytes& b, int count) {
  for (int i = 0; i < count; ++i) b.u8(17 * i).u8(255 - 9 * i).u8(5 * i).u8(0);
  return b;
}

PictureItemSpec Item(const std::string& name, const Bytes& dib, int patternWidth = 0) {
  PictureItemSpec item;
  item.Name = name;
  item.PatternWidth = patternWidth;
  item.TransparentColor = 0xFF00FF;
  item.Dib = dib.v;
  return item;
}

std::vector<PictureItemSpec> Paletted() {
  Bytes one = InfoHeader(10, 2, 1);
  Entries(one, 2).u8(0xA5).u8(0x40).u16(0).u8(0x5A).u8(0x80).u16(0);
  Bytes four = InfoHeader(3, 2, 4, 0, 4);
  Entries(four, 4).u8(0x12).u8(0x30).u16(0).u8(0x01).u8(0x20).u16(0);
  Bytes eight = InfoHeader(4, -2, 8, 0, 3);
  Entries(eight, 3).u8(0).u8(1).u8(2).u8(1).u8(2).u8(2).u8(0).u8(0);
  Bytes core = CoreHeader(2, 2, 8);
  for (int i = 0; i < 256; ++i) core.u8(i).u8(255 - i).u8(i / 2);
  core.u8(7).u8(200).u16(0).u8(0).u8(255).u16(0);
  return {Item("one", one, 5), Item("four", four), Item("eight", eight, 2), Item("core", core)};
}

std::vector<PictureItemSpec> RunLength() {
  Bytes rle8 = InfoHeader(6, 3, 8, 1, 3);
  Entries(rle8, 3).u8(4).u8(1).u8(0).u8(0).u8(0).u8(3).u8(2).u8(1).u8(2).u8(0);
  rle8.u8(0).u8(2).u8(1).u8(1).u8(2).u8(2).u8(0).u8(1);
  Bytes rle4 = InfoHeader(8, 2, 4, 2, 4);
  Entries(rle4, 4).u8(3).u8(0x12).u8(0).u8(5).u8(0x31).u8(0x23).u8(0x10).u8(0);
  rle4.u8(0).u8(0).u8(8).u8(0x33).u8(0).u8(1);
  return {Item("rle8", rle8, 3), Item("rle4", rle4, 4)};
}

std::vector<PictureItemSpec> DirectColour() {
  Bytes b555 = InfoHeader(2, 2, 16);
  b555.u16(0x7C00).u16(0x03E0).u16(0x001F).u16(0x7FFF);
  Bytes b565 = InfoHeader(2, 1, 16, 3);
  b565.u32(0xF800).u32(0x07E0).u32(0x001F).u16(0x1234).u16(0xFFFF);
  Bytes b32 = InfoHeader(2, -1, 32, 3);
  b32.u32(0x3FF00000).u32(0x000FFC00).u32(0x3FF).u32(0x3FF00000).u32(0x000003FF);
  Bytes bgrx = InfoHeader(1, 1, 32);
  bgrx.u8(1).u8(2).u8(3).u8(4);
  PictureItemSpec top = Item("topdown", Bytes{EncodeDib24(Gradient(3, 2))});
  top.SkipWidth = 1;
  top.Transparent = false;
  return {Item("555", b555), Item("565", b565), Item("1010", b32), Item("bgrx", bgrx), top};
}

void Write(const std::string& folder, const char* name, const std::vector<uint8_t>& bytes) {
  WriteFileBytes(folder + "/" + name, bytes);
  std::printf("%s: %zu bytes\n", name, bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds <folder>\n");
    return 1;
  }
  const std::string folder = argv[1];
  Write(folder, "images_paletted.dxg", WriteImageCollection(Paletted()));
  Write(folder, "images_rle.dxg", WriteImageCollection(RunLength()));
  Write(folder, "images_direct.dxg", WriteImageCollection(DirectColour()));

  Bytes odd = AllValueTypes();
  odd.intProp("PatternHeight", 1)
      .binProp("Picture.Data", PictureData(Bytes{EncodeDib24(Gradient(2, 3))}));
  Write(folder, "images_value_types.dxg", ImageFile({odd}));

  const std::vector<WaveItemSpec> sounds = {
      {"engine", true, 1, EncodeWavePcm16({0, 900, -900, 32767, -32768}, 1, 22050)},
      {"stereo", false, 2, EncodeWavePcm16({1, 2, 3, 4}, 2, 44100)},
      {"", false, 0, ""}};
  Write(folder, "sounds.dxw", WriteWaveCollection(sounds));

  Bytes chunks;
  chunks.raw("RIFF").u32(4 + 12 + 12 + 24).raw("WAVE").raw("LIST").u32(3).raw("abc").u8(0);
  chunks.raw("data").u32(4).u16(5).u16(0xFFFB);
  chunks.raw("fmt ").u32(16).u16(1).u16(1).u32(8000).u32(16000).u16(2).u16(16);
  Bytes item;
  item.boolProp("Looped", false).binProp("Wave.WAVE", chunks.v);
  Write(folder, "sounds_chunks.dxw", WaveFile({item}));
  return 0;
}
