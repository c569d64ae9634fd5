// Every picture and sound index the game addresses exists with the layout the game relies on:
// pattern size, pattern count and how its background is left out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BakedData.h"

namespace {

enum class Look {
  Keyed,      // transparent, with a key colour other than black
  Opaque,     // not transparent
  Either,     // opaque or keyed
  Invisible,  // keyed, and every pixel is the key: draws nothing
  NoKey,      // whatever its flag, no pixel is the key colour
};

struct Expect {
  int Index;
  int MinWidth, MaxWidth;
  int MinHeight, MaxHeight;
  int MinPatterns, MaxPatterns;
  Look Transparency;
};

// A pattern of exactly w x h in exactly n patterns.
Expect Exactly(int index, int w, int h, int n, Look look) {
  return {index, w, w, h, h, n, n, look};
}
Expect Placeholder(int index) {
  return Exactly(index, 1, 1, 1, Look::Keyed);
}

void CheckItem(const TDXImageList& list, const Expect& e) {
  SCOPED_TRACE("item " + std::to_string(e.Index));
  ASSERT_LT(e.Index, list.Count());
  const TPictureCollectionItem& item = list.Items[static_cast<size_t>(e.Index)];
  ASSERT_TRUE(item.Ready());
  EXPECT_GE(item.GetPatternWidth(), e.MinWidth);
  EXPECT_LE(item.GetPatternWidth(), e.MaxWidth);
  EXPECT_GE(item.GetPatternHeight(), e.MinHeight);
  EXPECT_LE(item.GetPatternHeight(), e.MaxHeight);
  EXPECT_GE(item.PatternCount(), e.MinPatterns);
  EXPECT_LE(item.PatternCount(), e.MaxPatterns);
  const Surface& p = item.Picture;
  auto keyPixels = [&] {
    int count = 0;
    for (int y = 0; y < p.Height(); ++y) {
      for (int x = 0; x < p.Width(); ++x) count += p.At(x, y) == item.ColorKey();
    }
    return count;
  };
  switch (e.Transparency) {
    case Look::Keyed:
      EXPECT_TRUE(item.Transparent);
      // A black key would swallow every near-black pixel on a 16-bit display.
      EXPECT_NE(item.TransparentColor, 0u);
      break;
    case Look::Opaque:
      EXPECT_FALSE(item.Transparent);
      break;
    case Look::Either:
      if (item.Transparent) {
        EXPECT_NE(item.TransparentColor, 0u);
      }
      break;
    case Look::Invisible:
      EXPECT_TRUE(item.Transparent);
      EXPECT_EQ(keyPixels(), p.Width() * p.Height());
      break;
    case Look::NoKey:
      if (item.Transparent) {
        EXPECT_EQ(keyPixels(), 0);
      }
      break;
  }
}

TEST(BakedCatalogue, ImageList1HoldsEveryMenuPicture) {
  const TDXImageList& list = BakedList(1);
  EXPECT_EQ(list.Count(), 54);
  std::vector<Expect> table = {
      {0, 1, 8, 1, 8, 1, 1, Look::Invisible},
      Exactly(1, 800, 600, 1, Look::Opaque),
      Exactly(14, 240, 30, 1, Look::Keyed),
      Exactly(15, 240, 30, 1, Look::Keyed),
      Exactly(16, 114, 30, 1, Look::Keyed),
      Exactly(17, 114, 30, 1, Look::Keyed),
      Exactly(18, 112, 30, 1, Look::Keyed),
      Exactly(19, 112, 30, 1, Look::Keyed),
      Exactly(20, 376, 34, 1, Look::Either),
      Exactly(21, 214, 32, 1, Look::Either),
      Exactly(22, 3, 20, 1, Look::NoKey),
      Placeholder(23),
      Exactly(24, 192, 80, 1, Look::Keyed),
      Exactly(25, 478, 80, 1, Look::Keyed),
      Exactly(26, 338, 80, 1, Look::Keyed),
      Exactly(27, 467, 80, 1, Look::Keyed),
      Exactly(33, 394, 140, 1, Look::Either),
      Exactly(34, 120, 40, 2, Look::Keyed),
      Exactly(35, 120, 40, 2, Look::Keyed),
      Exactly(36, 130, 45, 2, Look::Keyed),
      Exactly(37, 64, 200, 2, Look::Keyed),
      Exactly(38, 64, 200, 2, Look::Keyed),
      Exactly(39, 180, 45, 2, Look::Keyed),
      Exactly(40, 140, 55, 2, Look::Keyed),
      Exactly(41, 140, 55, 2, Look::Keyed),
      Exactly(42, 140, 45, 2, Look::Keyed),
      Exactly(43, 140, 45, 2, Look::Keyed),
      {50, 1, 95, 1, 95, 1, 1, Look::Keyed},
      Exactly(51, 432, 395, 1, Look::Either),
      Exactly(52, 432, 395, 1, Look::Either),
      // Drawn above the buttons, so it must end before they start at y 532.
      {53, 434, 434, 1, 402, 1, 1, Look::Either},
  };
  // The six main buttons and their lit looks share one size, so the hover box does not jump.
  for (int i = 2; i <= 13; ++i) table.push_back(Exactly(i, 280, 52, 1, Look::Keyed));
  // Bike portraits cross-fade, which ignores the key: they are opaque.
  for (int i = 28; i <= 32; ++i) table.push_back(Exactly(i, 240, 200, 1, Look::Opaque));
  for (int i = 44; i <= 49; ++i) table.push_back(Placeholder(i));
  for (const Expect& e : table) CheckItem(list, e);
}

TEST(BakedCatalogue, ImageList2HoldsTheRaceSprites) {
  const TDXImageList& list = BakedList(2);
  EXPECT_EQ(list.Count(), 55);
  std::vector<Expect> table = {
      Placeholder(0),
      {1, 72, 72, 72, 72, 74, 80, Look::Opaque},
      Exactly(2, 174, 600, 1, Look::Opaque),
      Exactly(3, 174, 600, 1, Look::Opaque),
      Exactly(4, 101, 20, 1, Look::Keyed),
      Exactly(5, 63, 68, 1, Look::Keyed),
      Exactly(6, 60, 67, 1, Look::Keyed),
      Exactly(7, 68, 69, 1, Look::Keyed),
      Exactly(8, 60, 62, 1, Look::Keyed),
      Exactly(9, 56, 68, 1, Look::Keyed),
      Exactly(10, 10, 14, 1, Look::Keyed),
      // Crash strips: the model's crash frame count.
      Exactly(23, 64, 152, 5, Look::Keyed),
      Exactly(26, 72, 158, 7, Look::Keyed),
      Exactly(29, 88, 204, 5, Look::Keyed),
      Exactly(32, 86, 154, 5, Look::Keyed),
      Exactly(35, 68, 184, 5, Look::Keyed),
      // Lean strips: the upright picture's size, seven patterns so the held 5.5 finds one.
      Exactly(24, 63, 68, 7, Look::Keyed),
      Exactly(25, 63, 68, 7, Look::Keyed),
      Exactly(27, 60, 67, 7, Look::Keyed),
      Exactly(28, 60, 67, 7, Look::Keyed),
      Exactly(30, 68, 69, 7, Look::Keyed),
      Exactly(31, 68, 69, 7, Look::Keyed),
      Exactly(33, 60, 62, 7, Look::Keyed),
      Exactly(34, 60, 62, 7, Look::Keyed),
      Exactly(36, 56, 68, 7, Look::Keyed),
      Exactly(37, 56, 68, 7, Look::Keyed),
      // Rating marks sit 18 px apart on rows 28 px apart.
      {54, 1, 18, 1, 26, 1, 1, Look::Either},
  };
  // Race bonuses: a 36x35 pickup square (34x34 centres in the tile), five patterns.
  for (int i = 11; i <= 15; ++i) table.push_back({i, 34, 36, 34, 35, 5, 5, Look::Keyed});
  // Help-page icons must stay left of their labels and within their 60 px rows.
  for (int i = 38; i <= 42; ++i) table.push_back({i, 1, 60, 1, 58, 1, 1, Look::Keyed});
  for (int i = 16; i <= 22; ++i) table.push_back(Placeholder(i));
  for (int i = 43; i <= 53; ++i) table.push_back(Placeholder(i));
  for (const Expect& e : table) CheckItem(list, e);
}

TEST(BakedCatalogue, ImageList3HoldsTheTrackMap) {
  const TDXImageList& list = BakedList(3);
  EXPECT_EQ(list.Count(), 14);
  std::vector<Expect> table = {
      Exactly(10, 18, 14, 1, Look::Keyed),
      Exactly(11, 18, 14, 1, Look::Keyed),
      // The masks hide map tiles that scroll beyond the window: y 0..45 and 195..211.
      {12, 174, 174, 46, 46, 1, 1, Look::Opaque},
      {13, 174, 174, 17, 405, 1, 1, Look::Opaque},
  };
  for (int i = 0; i <= 9; ++i) table.push_back(Exactly(i, 10, 15, 1, Look::Keyed));
  for (const Expect& e : table) CheckItem(list, e);
}

TEST(BakedCatalogue, SoundsLoopExactlyWhereTheGameStopsThemItself) {
  const TDXWaveList& sounds = BakedSounds();
  ASSERT_EQ(sounds.Count(), 22);
  for (int i = 0; i < sounds.Count(); ++i) {
    SCOPED_TRACE("sound " + std::to_string(i));
    const TWaveCollectionItem& item = sounds.Items[static_cast<size_t>(i)];
    // Engines, the gear change, the skid and the horn are started once and stopped later.
    const bool looped = i >= 4 && i <= 13;
    if (i != 16) {
      EXPECT_EQ(item.Looped, looped);
    }
    EXPECT_EQ(item.Format.FormatTag, 1);
    EXPECT_EQ(item.Format.BitsPerSample, 16);
    EXPECT_TRUE(item.Format.SamplesPerSec == 22050 || item.Format.SamplesPerSec == 44100);
    EXPECT_GT(item.DataSize, 0u);
  }
}

}  // namespace
