#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>

#include "StreamBytes.h"
#include "resources/CollectionError.h"
#include "resources/CollectionWriter.h"
#include "resources/ImageCollection.h"

namespace {

RgbImage Gradient(int width, int height) {
  RgbImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.Rgb.push_back(static_cast<uint8_t>(40 * x + 7));
      image.Rgb.push_back(static_cast<uint8_t>(60 * y + 3));
      image.Rgb.push_back(static_cast<uint8_t>(255 - 20 * x - 30 * y));
    }
  }
  return image;
}

void ExpectPixelsOf(const RgbImage& image, const Surface& picture) {
  ASSERT_EQ(picture.Width(), image.Width);
  ASSERT_EQ(picture.Height(), image.Height);
  for (int y = 0; y < image.Height; ++y) {
    for (int x = 0; x < image.Width; ++x) {
      const uint8_t* p = &image.Rgb[static_cast<size_t>(3 * (y * image.Width + x))];
      EXPECT_EQ(picture.At(x, y), Rgb565(p[0], p[1], p[2])) << x << "," << y;
    }
  }
}

std::string LoadError(const std::vector<uint8_t>& bytes) {
  TDXImageList list;
  try {
    list.LoadFromBytes(bytes.data(), bytes.size());
  } catch (const CollectionError& e) {
    return e.what();
  }
  return "no error";
}

TPictureCollectionItem ItemOfSize(int width, int height) {
  TPictureCollectionItem item;
  item.Picture.Resize(width, height);
  return item;
}

// A run-length picture, so the collections below hold more than one kind of DIB: bottom row
// red, top row red, black, red, unwritten.
std::vector<uint8_t> Rle8Dib() {
  Bytes b = InfoHeader(4, 2, 8, 1, 2);
  b.u32(0).u32(0x00FF0000);
  b.u8(4).u8(1).u8(0).u8(0).u8(0).u8(3).u8(1).u8(0).u8(1).u8(0).u8(0).u8(1);
  return b.v;
}

std::vector<PictureItemSpec> SampleItems() {
  PictureItemSpec sheet{"road", 3, 0, 0, 0, false, 0xFF00FF, EncodeDib24(Gradient(6, 2))};
  PictureItemSpec needle{"needle", 0, 2, 0, 1, true, 0x123456, EncodeDib24(Gradient(4, 5))};
  PictureItemSpec system{"", 0, 0, 0, 0, true, 0xFF00000F, Rle8Dib()};
  PictureItemSpec placeholder;
  placeholder.Dib = EncodeDib24(Gradient(1, 1));
  return {sheet, needle, system, placeholder};
}

TEST(ImageCollection, WriterOutputReadsBackItemForItem) {
  const std::vector<uint8_t> file = WriteImageCollection(SampleItems());
  TDXImageList list;
  list.LoadFromBytes(file.data(), file.size());
  ASSERT_EQ(list.Count(), 4);

  const TPictureCollectionItem& sheet = *list.Item(0);
  EXPECT_EQ(sheet.Name, "road");
  EXPECT_FALSE(sheet.Transparent);
  EXPECT_EQ(sheet.TransparentColor, 0xFF00FFu);
  EXPECT_EQ(sheet.ColorKey(), Rgb565(255, 0, 255));
  EXPECT_EQ(sheet.PatternCount(), 2);
  ExpectPixelsOf(Gradient(6, 2), sheet.Picture);

  const TPictureCollectionItem& needle = *list.Item(1);
  EXPECT_EQ(needle.PatternHeight, 2);
  EXPECT_EQ(needle.SkipHeight, 1);
  EXPECT_EQ(needle.TransparentColor, 0x123456u);
  EXPECT_EQ(needle.PatternCount(), 2);  // (5 + 1) div (2 + 1)
  ExpectPixelsOf(Gradient(4, 5), needle.Picture);

  const TPictureCollectionItem& system = *list.Item(2);
  EXPECT_EQ(system.TransparentColor, 0xFF00000Fu);
  EXPECT_EQ(system.Picture.At(3, 1), Rgb565(255, 0, 0));
  EXPECT_EQ(system.Picture.At(2, 0), Rgb565(255, 0, 0));
  EXPECT_EQ(system.Picture.At(1, 0), 0);
  EXPECT_EQ(system.Picture.At(3, 0), 0);  // never written by the runs

  EXPECT_TRUE(list.Item(3)->Ready());
  EXPECT_EQ(list.Item(4), nullptr);
  EXPECT_EQ(list.Item(-1), nullptr);
}

TEST(ImageCollection, AbsentPropertiesTakeTheirDefaults) {
  Bytes item;
  item.binProp("Picture.Data", PictureData(Bytes{}.add(EncodeDib24(Gradient(5, 3)))));
  const std::vector<uint8_t> file = ImageFile({item, Bytes{}});
  TDXImageList list;
  list.LoadFromBytes(file.data(), file.size());
  ASSERT_EQ(list.Count(), 2);
  const TPictureCollectionItem& first = *list.Item(0);
  EXPECT_TRUE(first.Transparent);
  EXPECT_EQ(first.TransparentColor, 0u);
  EXPECT_FALSE(first.SystemMemory);
  EXPECT_EQ(first.PatternCount(), 1);
  EXPECT_EQ(first.GetPatternWidth(), 5);
  EXPECT_EQ(first.GetPatternHeight(), 3);
  const SurfaceRect whole = first.PatternRect(0);
  EXPECT_EQ(whole.Right, 5);
  EXPECT_EQ(whole.Bottom, 3);
  EXPECT_FALSE(list.Item(1)->Ready());  // an item without Picture.Data has no picture
}

TEST(ImageCollection, PatternsAreCutInRowsWithGaps) {
  TPictureCollectionItem strip = ItemOfSize(144, 72);
  strip.PatternWidth = 72;
  EXPECT_EQ(strip.PatternCount(), 2);
  EXPECT_EQ(strip.PatternRect(1).Left, 72);
  EXPECT_EQ(strip.PatternRect(1).Right, 144);

  TPictureCollectionItem gapped = ItemOfSize(146, 72);
  gapped.PatternWidth = 72;
  gapped.SkipWidth = 2;
  EXPECT_EQ(gapped.PatternCount(), 2);
  EXPECT_EQ(gapped.PatternRect(1).Left, 74);
  gapped.Picture.Resize(145, 72);
  EXPECT_EQ(gapped.PatternCount(), 1);

  TPictureCollectionItem grid = ItemOfSize(100, 60);
  grid.PatternWidth = 30;
  grid.PatternHeight = 20;
  grid.SkipWidth = 5;
  EXPECT_EQ(grid.PatternCount(), 9);  // 105 div 35 columns, 60 div 20 rows
  const SurfaceRect r = grid.PatternRect(4);
  EXPECT_EQ(r.Left, 35);
  EXPECT_EQ(r.Top, 20);
  EXPECT_EQ(r.Width(), 30);
  EXPECT_EQ(r.Height(), 20);

  // Full width given explicitly with half the height: two patterns stacked.
  TPictureCollectionItem stacked = ItemOfSize(10, 8);
  stacked.PatternWidth = 10;
  stacked.PatternHeight = 4;
  EXPECT_EQ(stacked.PatternCount(), 2);
  EXPECT_EQ(stacked.PatternRect(1).Top, 4);
}

// The draws ask FindPattern, which takes a shortcut for the first pattern; it must answer as
// the cutting rule does for every layout, odd ones included.
TEST(ImageCollection, FindPatternAnswersAsTheCountAndTheRectangle) {
  int found = 0;
  for (const auto& [width, height] :
       {std::pair{0, 0}, {0, 5}, {7, 5}, {12, 12}, {144, 72}, {3, 9}}) {
    TPictureCollectionItem item = ItemOfSize(width, height);
    for (const int pw : {-1, 0, 1, 3, 7, 12, 13, 72}) {
      for (const int ph : {0, 2, 5, 9, 40}) {
        for (const int skip : {-2, 0, 1, 3, INT32_MAX}) {
          item.PatternWidth = pw;
          item.PatternHeight = ph;
          item.SkipWidth = skip;
          item.SkipHeight = skip == 1 ? 0 : skip;
          const int count = item.PatternCount();
          for (int pattern = -1; pattern <= count + 1; ++pattern) {
            SurfaceRect rect{-9, -9, -9, -9};
            const bool there = pattern >= 0 && pattern < count;
            ASSERT_EQ(item.FindPattern(pattern, rect), there)
                << width << "x" << height << " pattern " << pattern << " of " << pw << "x" << ph
                << " skip " << skip;
            if (!there) continue;
            const SurfaceRect expected = item.PatternRect(pattern);
            EXPECT_EQ(std::tie(rect.Left, rect.Top, rect.Right, rect.Bottom),
                      std::tie(expected.Left, expected.Top, expected.Right, expected.Bottom));
            ++found;
          }
        }
      }
    }
  }
  EXPECT_GT(found, 100);
}

TEST(ImageCollection, OddPatternSettingsNeverDivideByZero) {
  TPictureCollectionItem tooWide = ItemOfSize(50, 50);
  tooWide.PatternWidth = 60;
  EXPECT_EQ(tooWide.PatternCount(), 0);

  TPictureCollectionItem empty;
  empty.PatternHeight = 5;
  EXPECT_EQ(empty.PatternCount(), 0);

  TPictureCollectionItem negative = ItemOfSize(20, 10);
  negative.PatternWidth = -4;
  negative.PatternHeight = 5;
  negative.SkipWidth = -100;
  negative.SkipHeight = INT32_MAX;
  EXPECT_EQ(negative.GetPatternWidth(), 20);
  EXPECT_EQ(negative.PatternCount(), 1);
  EXPECT_EQ(negative.PatternRect(0).Right, 20);
}

TEST(ImageCollection, TransparentColorTakesNamesAndSignedNumbers) {
  const std::pair<const char*, uint32_t> named[] = {
      {"clBlack", 0},          {"clMaroon", 128},
      {"clFuchsia", 0xFF00FF}, {"clMoneyGreen", 0xC0DCC0},
      {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF},
      {"clMedGray", 0xA4A0A0}};
  std::vector<Bytes> items;
  for (const auto& [ident, value] : named) {
    Bytes item;
    item.prop("TransparentColor", 7).str(ident);
    items.push_back(item);
  }
  const std::vector<uint8_t> file = ImageFile(items);
  TDXImageList list;
  list.LoadFromBytes(file.data(), file.size());
  for (size_t i = 0; i < std::size(named); ++i) {
    EXPECT_EQ(list.Items[i].TransparentColor, named[i].second) << named[i].first;
  }

  Bytes unknown;
  unknown.prop("TransparentColor", 7).str("clBtnFace");
  EXPECT_EQ(LoadError(ImageFile({unknown})), "Invalid property value");
  Bytes text;
  text.prop("PatternWidth", 6).str("72");
  EXPECT_EQ(LoadError(ImageFile({text})), "Invalid property value");
}

TEST(ImageCollection, UnknownPropertiesOfEveryTypeAreSkipped) {
  Bytes item = AllValueTypes();
  item.intProp("PatternWidth", 2);
  item.binProp("Picture.Data", PictureData(Bytes{}.add(EncodeDib24(Gradient(4, 1)))));
  Bytes root = AllValueTypes();
  const std::vector<uint8_t> file = CollectionFile("TPictureCollectionComponent", {item}, root);
  TDXImageList list;
  list.LoadFromBytes(file.data(), file.size());
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Items[0].PatternWidth, 2);
  EXPECT_EQ(list.Items[0].PatternCount(), 2);
}

TEST(ImageCollection, LoadingReplacesEverythingAndAFailedLoadChangesNothing) {
  const std::vector<uint8_t> four = WriteImageCollection(SampleItems());
  TDXImageList list;
  list.LoadFromBytes(four.data(), four.size());
  ASSERT_EQ(list.Count(), 4);

  const std::vector<uint8_t> truncated(four.begin(), four.end() - 10);
  EXPECT_THROW(list.LoadFromBytes(truncated.data(), truncated.size()), CollectionError);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Items[1].Name, "needle");

  const std::vector<uint8_t> one = WriteImageCollection({PictureItemSpec{}});
  list.LoadFromBytes(one.data(), one.size());
  EXPECT_EQ(list.Count(), 1);

  EXPECT_EQ(LoadError(WaveFile({})), "Invalid stream format");
  Bytes listIsNumber;
  listIsNumber.intProp("List", 1);
  Bytes file;
  file.u8(0xFF).u16(10).u8(0).u16(0).u32(0).raw("TPF0").str("TPictureCollectionComponent");
  file.str("").add(listIsNumber.v).u8(0).u8(0);
  EXPECT_EQ(LoadError(file.v), "Invalid property value");
}

TEST(ImageCollection, TinyRunLengthPicturesCannotClaimUnboundedMemory) {
  // Each item claims the largest picture allowed in a handful of bytes.
  Bytes item;
  item.binProp("Picture.Data", PictureData(InfoHeader(8192, 4096, 8, 1, 1).u32(0).u8(0).u8(1)));
  EXPECT_EQ(LoadError(ImageFile({item, item})), "no error");
  EXPECT_EQ(LoadError(ImageFile({item, item, item})), "Picture is too large");
}

TEST(ImageCollection, EveryTruncationAndCorruptionFailsCleanly) {
  const std::vector<uint8_t> file = WriteImageCollection(SampleItems());
  for (size_t length = 0; length < file.size(); ++length) {
    const std::vector<uint8_t> part(file.begin(), file.begin() + static_cast<long>(length));
    EXPECT_THROW(TDXImageList().LoadFromBytes(part.data(), part.size()), CollectionError)
        << "length " << length;
  }
  // Damage every byte in turn; only the reader's own error may come out.
  int loaded = 0;
  int rejected = 0;
  for (size_t i = 0; i < file.size(); ++i) {
    for (uint8_t mask : {0x01, 0x80, 0xFF}) {
      std::vector<uint8_t> damaged = file;
      damaged[i] ^= mask;
      try {
        TDXImageList().LoadFromBytes(damaged.data(), damaged.size());
        ++loaded;
      } catch (const CollectionError&) {
        ++rejected;
      }
    }
  }
  EXPECT_GT(loaded, 0);  // pixel bytes and palette bytes carry no structure
  EXPECT_GT(rejected, 0);
}

TEST(ImageCollection, FilesLoadFromDiskAndMissingOnesNameThePath) {
  const std::string path = testing::TempDir() + "/gearrush_images.dxg";
  WriteFileBytes(path, WriteImageCollection(SampleItems()));
  TDXImageList list;
  list.LoadFromFile(path);
  EXPECT_EQ(list.Count(), 4);
  std::remove(path.c_str());

  auto fileError = [](const std::string& p) -> std::string {
    try {
      TDXImageList().LoadFromFile(p);
    } catch (const CollectionError& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_EQ(fileError("Data/Res/Missing.dxg"),
            "Cannot open file \"Data/Res/Missing.dxg\". No such file or directory");
  EXPECT_EQ(fileError(testing::TempDir()),
            "Cannot open file \"" + testing::TempDir() + "\". Is a directory");
}

}  // namespace
