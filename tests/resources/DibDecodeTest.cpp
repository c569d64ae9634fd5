#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "StreamBytes.h"
#include "resources/CollectionError.h"
#include "resources/DibDecoder.h"

namespace {

constexpr uint16_t kBlack = 0;
constexpr uint16_t kRed = Rgb565(255, 0, 0);
constexpr uint16_t kGreen = Rgb565(0, 255, 0);
constexpr uint16_t kBlue = Rgb565(0, 0, 255);
constexpr uint16_t kWhite = Rgb565(255, 255, 255);

Surface Decode(const Bytes& dib) {
  return DecodeDib(dib.v.data(), dib.v.size());
}

std::string DecodeError(const Bytes& dib) {
  try {
    Decode(dib);
  } catch (const CollectionError& e) {
    return e.what();
  }
  return "no error";
}

// Palette entry in the 4-byte layout: blue, green, red, reserved.
Bytes& Entry(Bytes& b, uint8_t r, uint8_t g, uint8_t bl) {
  return b.u8(bl).u8(g).u8(r).u8(0);
}

// A 2x2 24-bit picture: top row blue, white; bottom row red, green.
Bytes TwoByTwo24(int32_t height) {
  Bytes b = InfoHeader(2, height, 24);
  auto row = [&b](uint32_t first, uint32_t second) {
    b.u8(first >> 16).u8(first >> 8).u8(first).u8(second >> 16).u8(second >> 8).u8(second);
    b.u16(0);  // pad to 8 bytes
  };
  // Colours as 0xBBGGRR here.
  if (height > 0) {
    row(0x0000FF, 0x00FF00);
    row(0xFF0000, 0xFFFFFF);
  } else {
    row(0xFF0000, 0xFFFFFF);
    row(0x0000FF, 0x00FF00);
  }
  return b;
}

TEST(DibDecode, TwentyFourBitRowsLandTheRightWayUpInBothOrientations) {
  for (int32_t height : {2, -2}) {
    SCOPED_TRACE(height);
    const Surface s = Decode(TwoByTwo24(height));
    ASSERT_EQ(s.Width(), 2);
    ASSERT_EQ(s.Height(), 2);
    EXPECT_EQ(s.At(0, 0), kBlue);
    EXPECT_EQ(s.At(1, 0), kWhite);
    EXPECT_EQ(s.At(0, 1), kRed);
    EXPECT_EQ(s.At(1, 1), kGreen);
  }
}

TEST(DibDecode, PalettedPixelsReadMostSignificantBitsFirst) {
  // 1 bit, 10 wide so the row spans two bytes.
  Bytes one = InfoHeader(10, 1, 1);
  Entry(one, 0, 0, 0);
  Entry(one, 255, 0, 0);
  one.u8(0b10110000).u8(0b01000000).u16(0);
  const Surface s1 = Decode(one);
  const uint16_t expected1[10] = {kRed,   kBlack, kRed,   kRed,   kBlack,
                                  kBlack, kBlack, kBlack, kBlack, kRed};
  for (int x = 0; x < 10; ++x) EXPECT_EQ(s1.At(x, 0), expected1[x]) << "x " << x;

  // 4 bits: a full 16-entry table when the used count is 0; high nibble first.
  Bytes four = InfoHeader(3, 1, 4);
  Entry(four, 0, 0, 0);
  Entry(four, 255, 0, 0);
  Entry(four, 0, 255, 0);
  Entry(four, 0, 0, 255);
  for (int i = 4; i < 16; ++i) Entry(four, 255, 255, 255);
  four.u8(0x12).u8(0x30).u16(0);
  const Surface s4 = Decode(four);
  EXPECT_EQ(s4.At(0, 0), kRed);
  EXPECT_EQ(s4.At(1, 0), kGreen);
  EXPECT_EQ(s4.At(2, 0), kBlue);
}

TEST(DibDecode, UsedColourCountSizesTheTableAndMissingEntriesAreBlack) {
  Bytes b = InfoHeader(3, 1, 8, 0, 2);
  Entry(b, 255, 0, 0);
  Entry(b, 0, 255, 0);
  b.u8(1).u8(0).u8(200).u8(0);  // pixels start right after two entries
  const Surface s = Decode(b);
  EXPECT_EQ(s.At(0, 0), kGreen);
  EXPECT_EQ(s.At(1, 0), kRed);
  EXPECT_EQ(s.At(2, 0), kBlack);
}

TEST(DibDecode, CoreHeaderUsesThreeByteEntriesAndUnsignedSize) {
  Bytes b = CoreHeader(2, 2, 1);
  b.u8(0xFF).u8(0xFF).u8(0xFF);  // 0: white
  b.u8(0xFF).u8(0x00).u8(0x00);  // 1: blue
  b.u8(0x40).u8(0).u16(0);       // bottom row: white, blue
  b.u8(0x80).u8(0).u16(0);       // top row: blue, white
  const Surface s = Decode(b);
  EXPECT_EQ(s.At(0, 0), kBlue);
  EXPECT_EQ(s.At(1, 0), kWhite);
  EXPECT_EQ(s.At(0, 1), kWhite);
  EXPECT_EQ(s.At(1, 1), kBlue);
}

TEST(DibDecode, SixteenBitWithoutMasksIsFiveFiveFive) {
  Bytes b = InfoHeader(4, 1, 16);
  b.u16(0x7C00).u16(0x03E0).u16(0x7FFF).u16(0x8000);
  const Surface s = Decode(b);
  EXPECT_EQ(s.At(0, 0), kRed);
  EXPECT_EQ(s.At(1, 0), kGreen);
  EXPECT_EQ(s.At(2, 0), kWhite);  // five bits of full scale widen to six bits of full scale
  EXPECT_EQ(s.At(3, 0), kBlack);  // the spare top bit carries no colour
}

TEST(DibDecode, BitFieldMasksPlaceEachChannel) {
  Bytes b565 = InfoHeader(1, 1, 16, 3);
  b565.u32(0xF800).u32(0x07E0).u32(0x001F).u16(0x1234).u16(0);
  EXPECT_EQ(Decode(b565).At(0, 0), 0x1234);

  // Red in the low byte, the reverse of the default order.
  Bytes swapped = InfoHeader(1, 1, 32, 3);
  swapped.u32(0x0000FF).u32(0x00FF00).u32(0xFF0000).u8(0x30).u8(0x20).u8(0x10).u8(0);
  EXPECT_EQ(Decode(swapped).At(0, 0), Rgb565(0x30, 0x20, 0x10));

  // Ten bits a channel: full scale stays full scale.
  Bytes wide = InfoHeader(2, 1, 32, 3);
  wide.u32(0x3FF00000).u32(0x000FFC00).u32(0x3FF).u32(0x3FF00000).u32(0x000003FF);
  EXPECT_EQ(Decode(wide).At(0, 0), kRed);
  EXPECT_EQ(Decode(wide).At(1, 0), kBlue);

  Bytes plain = InfoHeader(1, 1, 32);
  plain.u8(0x10).u8(0x20).u8(0x30).u8(0xFF);
  EXPECT_EQ(Decode(plain).At(0, 0), Rgb565(0x30, 0x20, 0x10));
}

TEST(DibDecode, Rle8RunsEscapesAndClipping) {
  Bytes b = InfoHeader(4, 3, 8, 1, 3);
  Entry(b, 0, 0, 0);
  Entry(b, 255, 0, 0);
  Entry(b, 0, 255, 0);
  b.u8(3).u8(1).u8(0).u8(0);              // row 0: three red, end of line
  b.u8(0).u8(3).u8(2).u8(1).u8(2).u8(0);  // row 1: absolute green red green, pad
  b.u8(0).u8(2).u8(0).u8(1);              // delta to (3, 2)
  b.u8(2).u8(2);                          // two green; the second falls off the row
  b.u8(0).u8(1);                          // end of bitmap
  b.u8(4).u8(1);                          // never read
  const Surface s = Decode(b);
  const uint16_t expected[3][4] = {
      {kBlack, kBlack, kBlack, kGreen}, {kGreen, kRed, kGreen, kBlack}, {kRed, kRed, kRed, kBlack}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(s.At(x, y), expected[y][x]) << x << "," << y;
}

TEST(DibDecode, Rle4AlternatesNibblesAndPadsAbsoluteRuns) {
  Bytes b = InfoHeader(8, 1, 4, 2);
  Entry(b, 0, 0, 0);
  Entry(b, 255, 0, 0);
  Entry(b, 0, 255, 0);
  Entry(b, 0, 0, 255);
  for (int i = 4; i < 16; ++i) Entry(b, 255, 255, 255);
  b.u8(3).u8(0x12);                          // red green red
  b.u8(0).u8(5).u8(0x31).u8(0x23).u8(0x10);  // blue red green blue red
  b.u8(0);                                   // pad to a 16-bit boundary
  b.u8(0).u8(1);
  const Surface s = Decode(b);
  const uint16_t expected[8] = {kRed, kGreen, kRed, kBlue, kRed, kGreen, kBlue, kRed};
  for (int x = 0; x < 8; ++x) EXPECT_EQ(s.At(x, 0), expected[x]) << "x " << x;
}

TEST(DibDecode, HostileRunLengthDataStaysInsideThePicture) {
  Bytes b = InfoHeader(2, 2, 8, 1, 2);
  Entry(b, 0, 0, 0);
  Entry(b, 255, 0, 0);
  b.u8(255).u8(1);              // far wider than the row
  b.u8(0).u8(2).u8(255).u8(0);  // delta off to the right
  b.u8(0).u8(3).u8(1).u8(1).u8(1).u8(0);
  b.u8(0).u8(2).u8(0).u8(255);  // delta far below the picture ends it
  b.u8(5).u8(1);
  const Surface s = Decode(b);
  EXPECT_EQ(s.At(0, 1), kRed);
  EXPECT_EQ(s.At(1, 1), kRed);
  EXPECT_EQ(s.At(0, 0), kBlack);

  Bytes cut = InfoHeader(4, 1, 8, 1, 1);
  Entry(cut, 255, 0, 0);
  cut.u8(0).u8(200).u8(0).u8(0);  // an absolute run longer than the data
  EXPECT_EQ(DecodeError(cut), "Stream read error");
}

TEST(DibDecode, BadHeadersGiveTheGamesMessages) {
  for (uint32_t size : {0u, 16u, 64u, 108u, 124u}) {
    Bytes b;
    b.u32(size);
    b.v.resize(200, 0);
    EXPECT_EQ(DecodeError(b), "DIB is invalid") << "header size " << size;
  }
  EXPECT_EQ(DecodeError(InfoHeader(1, 1, 24, 4)), "DIB is invalid");
  EXPECT_EQ(DecodeError(InfoHeader(1, 1, 2)), "DIB is invalid");
  EXPECT_EQ(DecodeError(InfoHeader(1, 1, 0)), "DIB is invalid");
  EXPECT_EQ(DecodeError(InfoHeader(1, 1, 4, 1)), "DIB is invalid");
  EXPECT_EQ(DecodeError(InfoHeader(1, 1, 8, 2)), "DIB is invalid");
  EXPECT_EQ(DecodeError(InfoHeader(1, 1, 24, 3)), "DIB is invalid");
  EXPECT_EQ(DecodeError(InfoHeader(-1, 1, 24)), "DIB is invalid");
  EXPECT_EQ(DecodeError(InfoHeader(16385, 1, 24)), "Picture is too large");
  EXPECT_EQ(DecodeError(InfoHeader(16384, 16384, 24)), "Picture is too large");
  EXPECT_EQ(DecodeError(InfoHeader(1, INT32_MIN, 24)), "Picture is too large");
  EXPECT_EQ(DecodeError(InfoHeader(16384, 1, 24)), "Stream read error");
}

TEST(DibDecode, EveryTruncatedDibFailsCleanly) {
  Bytes paletted = InfoHeader(10, 1, 1);
  paletted.u32(0).u32(0xFF).u8(0xAA).u8(0x55).u16(0);
  Bytes fields = InfoHeader(1, 1, 16, 3);
  fields.u32(0xF800).u32(0x07E0).u32(0x001F).u16(0x1234);
  Bytes core = CoreHeader(1, 1, 24);
  core.u8(1).u8(2).u8(3);
  struct Case {
    Bytes Dib;
    size_t PaddingBytes;  // the last row's padding, which may be missing
  };
  const Case cases[] = {
      {TwoByTwo24(2), 2}, {TwoByTwo24(-2), 2}, {paletted, 2}, {fields, 0}, {core, 0}};
  for (const Case& c : cases) {
    const size_t needed = c.Dib.v.size() - c.PaddingBytes;
    for (size_t length = 0; length < needed; ++length) {
      Bytes part;
      part.v.assign(c.Dib.v.begin(), c.Dib.v.begin() + static_cast<long>(length));
      EXPECT_THROW(Decode(part), CollectionError) << "length " << length;
    }
    Bytes unpadded;
    unpadded.v.assign(c.Dib.v.begin(), c.Dib.v.begin() + static_cast<long>(needed));
    EXPECT_NO_THROW(Decode(unpadded));
  }
}

TEST(DibDecode, EmptyPictureDataAndUnknownClasses) {
  EXPECT_TRUE(DecodePictureData(nullptr, 0).Empty());
  const std::vector<uint8_t> classOnly = PictureData(Bytes{});
  EXPECT_TRUE(DecodePictureData(classOnly.data(), classOnly.size()).Empty());
  const std::vector<uint8_t> zeroWide = PictureData(InfoHeader(0, 5, 24));
  EXPECT_TRUE(DecodePictureData(zeroWide.data(), zeroWide.size()).Empty());

  Bytes other;
  other.str("TBitmap").add(TwoByTwo24(2).v);
  EXPECT_THROW(DecodePictureData(other.v.data(), other.v.size()), CollectionError);
  const std::vector<uint8_t> dib = PictureData(TwoByTwo24(2));
  EXPECT_EQ(DecodePictureData(dib.data(), dib.size()).At(0, 1), kRed);
}

}  // namespace
