#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "resources/CollectionWriter.h"
#include "resources/ObjectStream.h"

namespace {

bool Contains(const std::vector<uint8_t>& haystack, std::string_view needle) {
  return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                     [](uint8_t a, char b) { return a == static_cast<uint8_t>(b); }) !=
         haystack.end();
}

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

TEST(CollectionWriter, ResourceHeaderCarriesNameFlagsAndStreamSize) {
  const std::vector<uint8_t> images = WriteImageCollection({});
  const std::string_view name = "TPICTURECOLLECTIONCOMPONENT";
  ASSERT_GT(images.size(), 3 + name.size() + 1 + 6);
  EXPECT_EQ(images[0], 0xFF);
  EXPECT_EQ(images[1], 10);
  EXPECT_EQ(images[2], 0);
  EXPECT_EQ(std::string(images.begin() + 3, images.begin() + 3 + name.size()), name);
  const size_t flagsAt = 3 + name.size() + 1;
  EXPECT_EQ(images[flagsAt - 1], 0);
  EXPECT_EQ(images[flagsAt], 0x30);
  EXPECT_EQ(images[flagsAt + 1], 0x10);
  const size_t streamAt = flagsAt + 6;
  EXPECT_EQ(U32At(images, flagsAt + 2), images.size() - streamAt);
  EXPECT_EQ(std::string(images.begin() + streamAt, images.begin() + streamAt + 4), "TPF0");

  const std::vector<uint8_t> sounds = WriteWaveCollection({});
  EXPECT_TRUE(Contains(sounds, std::string_view("\xFF\x0A\x00TWAVECOLLECTIONCOMPONENT\x00", 28)));
  EXPECT_FALSE(Contains(sounds, "ColorTable"));
}

TEST(CollectionWriter, DefaultsAreLeftOutAndIntegersUseTheNarrowestWidth) {
  // The colour table is 1024 zero bytes, then an item with every property at its default.
  const std::vector<uint8_t> plain = WriteImageCollection({PictureItemSpec{}});
  std::string table("\x0FList.ColorTable\x0A\x00\x04\x00\x00", 21);
  table.append(1024, '\0');
  table.append("\x04List\x0E\x01\x00\x00\x00\x00", 11);
  EXPECT_TRUE(Contains(plain, table));

  PictureItemSpec sized;
  sized.PatternWidth = 100;
  sized.PatternHeight = 300;
  sized.SkipWidth = 70000;
  sized.Transparent = false;
  sized.TransparentColor = 0x00FF00;
  const std::vector<uint8_t> b = WriteImageCollection({sized});
  EXPECT_TRUE(Contains(b, std::string_view("\x0CPatternWidth\x02\x64", 15)));
  EXPECT_TRUE(Contains(b, std::string_view("\x0DPatternHeight\x03\x2C\x01", 17)));
  EXPECT_TRUE(Contains(b, std::string_view("\x09SkipWidth\x04\x70\x11\x01\x00", 15)));
  EXPECT_TRUE(Contains(b, std::string_view("\x0BTransparent\x08", 13)));
  EXPECT_TRUE(Contains(b, std::string_view("\x10TransparentColor\x07\x06\x63lLime", 25)));
  EXPECT_FALSE(Contains(b, "SkipHeight"));
}

TEST(CollectionWriter, Dib24IsBottomUpWithPaddedRows) {
  RgbImage image{3, 2, {}};
  for (int i = 0; i < 6; ++i) {
    image.Rgb.insert(image.Rgb.end(),
                     {static_cast<uint8_t>(i), 0x80, static_cast<uint8_t>(0xF0 + i)});
  }
  const std::vector<uint8_t> dib = EncodeDib24(image);
  ASSERT_EQ(dib.size(), 40u + 2 * 12);
  EXPECT_EQ(U32At(dib, 0), 40u);
  EXPECT_EQ(U32At(dib, 4), 3u);
  EXPECT_EQ(U32At(dib, 8), 2u);  // positive height: bottom-up
  EXPECT_EQ(dib[14], 24);
  EXPECT_EQ(U32At(dib, 16), 0u);
  // First stored row is the picture's bottom row (pixels 3..5), blue first.
  EXPECT_EQ(dib[40], 0xF3);
  EXPECT_EQ(dib[41], 0x80);
  EXPECT_EQ(dib[42], 3);
  EXPECT_EQ(dib[49], 0);  // padding up to 12 bytes
  EXPECT_EQ(dib[52], 0xF0);

  EXPECT_THROW(EncodeDib24(RgbImage{2, 2, std::vector<uint8_t>(11)}), std::invalid_argument);
}

TEST(CollectionWriter, WavePcm16HasRiffFormatAndDataChunks) {
  const std::string wave = EncodeWavePcm16({1, -2, 3, -4}, 2, 44100);
  const std::vector<uint8_t> b(wave.begin(), wave.end());
  ASSERT_EQ(b.size(), 44u + 8);
  EXPECT_EQ(wave.substr(0, 4), "RIFF");
  EXPECT_EQ(U32At(b, 4), b.size() - 8);
  EXPECT_EQ(wave.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(U32At(b, 24), 44100u);
  EXPECT_EQ(U32At(b, 28), 44100u * 4);  // bytes per second
  EXPECT_EQ(b[32], 4);                  // block align
  EXPECT_EQ(wave.substr(36, 4), "data");
  EXPECT_EQ(U32At(b, 40), 8u);
  EXPECT_EQ(b[46], 0xFE);  // -2, little-endian
  EXPECT_EQ(b[47], 0xFF);

  EXPECT_THROW(EncodeWavePcm16({1, 2, 3}, 2, 44100), std::invalid_argument);
  EXPECT_THROW(EncodeWavePcm16({1}, 0, 44100), std::invalid_argument);
  EXPECT_THROW(EncodeWavePcm16({1}, 1, 0), std::invalid_argument);
}

TEST(CollectionWriter, FilesAreWrittenWholeAndFailuresThrow) {
  const std::string path = testing::TempDir() + "/gearrush_writer.bin";
  const std::vector<uint8_t> bytes = {0, 1, 2, 0xFF, 0};
  WriteFileBytes(path, bytes);
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> back((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  EXPECT_EQ(back, bytes);
  std::remove(path.c_str());

  EXPECT_THROW(WriteFileBytes("/nonexistent-dir/x.dxg", bytes), std::runtime_error);
}

TEST(CollectionWriter, AReplacedFileIsNeverSeenHalfWritten) {
  const std::string path = testing::TempDir() + "/gearrush_writer_replaced.bin";
  const std::vector<uint8_t> before(100000, 0xAB);
  WriteFileBytes(path, before);
  // A game that started reading the old file keeps reading the old file.
  const CollectionFileBytes reading = ReadCollectionFile(path);
  const std::vector<uint8_t> after = {1, 2, 3};
  WriteFileBytes(path, after);
  EXPECT_EQ(std::vector<uint8_t>(reading.data(), reading.data() + reading.size()), before);
  const CollectionFileBytes reread = ReadCollectionFile(path);
  EXPECT_EQ(std::vector<uint8_t>(reread.data(), reread.data() + reread.size()), after);
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));

  // A write that fails leaves the old file as it was, and nothing beside it.
  std::filesystem::create_directory(path + ".new");  // the new file cannot be made
  EXPECT_THROW(WriteFileBytes(path, before), std::runtime_error);
  std::filesystem::remove(path + ".new");
  const CollectionFileBytes kept = ReadCollectionFile(path);
  EXPECT_EQ(std::vector<uint8_t>(kept.data(), kept.data() + kept.size()), after);
  std::remove(path.c_str());
}

}  // namespace
