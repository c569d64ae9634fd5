#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "StreamBytes.h"
#include "resources/CollectionError.h"
#include "resources/CollectionWriter.h"
#include "resources/WaveCollection.h"

namespace {

std::string WaveError(const std::string& wave) {
  TWaveCollectionItem item;
  item.Wave = wave;
  try {
    ParseWave(item);
  } catch (const CollectionError& e) {
    return e.what();
  }
  return "no error";
}

std::string Chunk(const char* id, const std::string& body) {
  Bytes b;
  b.raw(std::string_view(id, 4)).u32(static_cast<uint32_t>(body.size())).raw(body);
  if (body.size() % 2 != 0) b.u8(0);
  return std::string(b.v.begin(), b.v.end());
}

std::string Riff(const std::string& chunks, const char* form = "WAVE") {
  Bytes b;
  b.raw("RIFF").u32(static_cast<uint32_t>(4 + chunks.size())).raw(form).raw(chunks);
  return std::string(b.v.begin(), b.v.end());
}

std::string PcmFormat() {
  Bytes b;
  b.u16(1).u16(1).u32(8000).u32(16000).u16(2).u16(16);
  return std::string(b.v.begin(), b.v.end());
}

std::vector<WaveItemSpec> SampleItems() {
  return {{"engine", true, 1, EncodeWavePcm16({0, 1000, -1000, 32767}, 1, 22050)},
          {"", false, 0, EncodeWavePcm16({1, 2, 3, 4, 5, 6}, 2, 44100)},
          {"silence", false, 3, ""}};
}

TEST(WaveCollection, WriterOutputReadsBackWithItsSamples) {
  const std::vector<uint8_t> file = WriteWaveCollection(SampleItems());
  TDXWaveList list;
  list.LoadFromBytes(file.data(), file.size());
  ASSERT_EQ(list.Count(), 3);

  const TWaveCollectionItem& engine = list.Items[0];
  EXPECT_EQ(engine.Name, "engine");
  EXPECT_TRUE(engine.Looped);
  EXPECT_EQ(engine.MaxPlayingCount, 1);
  EXPECT_EQ(engine.Format.FormatTag, 1);
  EXPECT_EQ(engine.Format.Channels, 1);
  EXPECT_EQ(engine.Format.SamplesPerSec, 22050u);
  EXPECT_EQ(engine.Format.BitsPerSample, 16);
  EXPECT_EQ(engine.Format.BlockAlign, 2);
  ASSERT_EQ(engine.DataSize, 8u);
  ASSERT_LE(engine.DataOffset + engine.DataSize, engine.Wave.size());
  int16_t samples[4];
  std::memcpy(samples, engine.Wave.data() + engine.DataOffset, sizeof samples);
  EXPECT_EQ(samples[2], -1000);
  EXPECT_EQ(samples[3], 32767);

  const TWaveCollectionItem& stereo = list.Items[1];
  EXPECT_FALSE(stereo.Looped);
  EXPECT_EQ(stereo.MaxPlayingCount, 0);
  EXPECT_EQ(stereo.Format.Channels, 2);
  EXPECT_EQ(stereo.Format.BlockAlign, 4);
  EXPECT_EQ(stereo.DataSize, 12u);

  // No wave data at all is a silent item, not an error.
  EXPECT_EQ(list.Items[2].MaxPlayingCount, 3);
  EXPECT_EQ(list.Items[2].DataSize, 0u);
}

TEST(WaveCollection, ChunksAreFoundInAnyOrderPastOddSizedOnes) {
  TWaveCollectionItem item;
  item.Wave = Riff(Chunk("LIST", "abc") + Chunk("data", "12345") + Chunk("fmt ", PcmFormat()));
  ParseWave(item);
  EXPECT_EQ(item.DataOffset, 12u + 12u + 8u);  // RIFF header, LIST with its pad byte, data header
  EXPECT_EQ(item.DataSize, 5u);
  EXPECT_EQ(item.Format.SamplesPerSec, 8000u);

  // What follows the two chunks that matter is never looked at.
  item.Wave = Riff(Chunk("fmt ", PcmFormat()) + Chunk("data", "xy")) + "junk";
  EXPECT_NO_THROW(ParseWave(item));
}

TEST(WaveCollection, DataThatIsNotASoundIsWaveInvalid) {
  const std::string fmt = Chunk("fmt ", PcmFormat());
  EXPECT_EQ(WaveError("RIFX" + Riff(fmt + Chunk("data", "ab")).substr(4)), "Wave is invalid");
  EXPECT_EQ(WaveError(Riff(fmt + Chunk("data", "ab"), "AVI ")), "Wave is invalid");
  EXPECT_EQ(WaveError("RIFF"), "Wave is invalid");
  EXPECT_EQ(WaveError(Riff(fmt)), "Wave is invalid");
  EXPECT_EQ(WaveError(Riff(Chunk("data", "ab"))), "Wave is invalid");
  EXPECT_EQ(WaveError(Riff(Chunk("fmt ", "short") + Chunk("data", "ab"))), "Wave is invalid");
  // A data chunk claiming more than is there.
  std::string longData = Riff(fmt + Chunk("data", "abcd"));
  longData.resize(longData.size() - 2);
  EXPECT_EQ(WaveError(longData), "Wave is invalid");
  EXPECT_EQ(WaveError(Riff(fmt + Chunk("data", "ab"))), "no error");

  Bytes item;
  item.binProp("Wave.WAVE", {'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'});
  const std::vector<uint8_t> file = WaveFile({item});
  EXPECT_THROW(TDXWaveList().LoadFromBytes(file.data(), file.size()), CollectionError);
}

TEST(WaveCollection, EveryTruncationFailsAndAFailedLoadChangesNothing) {
  const std::vector<uint8_t> file = WriteWaveCollection(SampleItems());
  TDXWaveList list;
  list.LoadFromBytes(file.data(), file.size());
  for (size_t length = 0; length < file.size(); ++length) {
    EXPECT_THROW(list.LoadFromBytes(file.data(), length), CollectionError) << "length " << length;
  }
  EXPECT_EQ(list.Count(), 3);

  const std::vector<uint8_t> pictures = WriteImageCollection({PictureItemSpec{}});
  try {
    list.LoadFromBytes(pictures.data(), pictures.size());
    ADD_FAILURE() << "a picture collection loaded as sounds";
  } catch (const CollectionError& e) {
    EXPECT_STREQ(e.what(), "Invalid stream format");
  }
  EXPECT_EQ(list.Count(), 3);
}

}  // namespace
