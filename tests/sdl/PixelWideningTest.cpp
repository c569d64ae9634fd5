// The back buffer's pixels as the window's 32-bit ones.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/PixelWidening.h"

namespace {

// A channel of bits bits widened to 8 by repeating its top bits.
uint32_t Repeat(uint32_t value, int bits) {
  uint32_t wide = value << (8 - bits);
  return wide | (wide >> bits);
}

}  // namespace

TEST(PixelWidening, EveryColourKeepsItsBitsAndWhiteStaysWhite) {
  std::vector<uint16_t> colours(65536);
  for (uint32_t c = 0; c < colours.size(); ++c) colours[c] = static_cast<uint16_t>(c);
  std::vector<uint32_t> wide(colours.size());
  WidenRgb565Row(colours.data(), wide.data(), static_cast<int>(colours.size()));
  int wrong = 0;
  for (uint32_t c = 0; c < colours.size(); ++c) {
    const uint32_t expected =
        0xFF000000u | Repeat(c >> 11, 5) << 16 | Repeat((c >> 5) & 63, 6) << 8 | Repeat(c & 31, 5);
    wrong += wide[c] != expected;
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(wide[0xFFFF], 0xFFFFFFFFu);
  EXPECT_EQ(wide[0x0000], 0xFF000000u);
}

TEST(PixelWidening, AnyLengthFromAnyStartWritesItsPixelsAndNoMore) {
  std::vector<uint16_t> row(80);
  for (size_t i = 0; i < row.size(); ++i) row[i] = static_cast<uint16_t>(0x1234 + 977 * i);
  for (int start = 0; start < 3; ++start) {
    for (int count = 0; count <= 70; ++count) {
      std::vector<uint32_t> out(80, 0xDEADBEEF);
      WidenRgb565Row(row.data() + start, out.data() + start, count);
      std::vector<uint32_t> one(1);
      for (int i = 0; i < 80; ++i) {
        if (i >= start && i < start + count) {
          WidenRgb565Row(&row[static_cast<size_t>(i)], one.data(), 1);
          ASSERT_EQ(out[static_cast<size_t>(i)], one[0]) << "start " << start << " count " << count;
        } else {
          ASSERT_EQ(out[static_cast<size_t>(i)], 0xDEADBEEF)
              << "start " << start << " count " << count;
        }
      }
    }
  }
}
