// The baked menu pictures (Data/Res/Res1.dxg) checked against the screen layout the game
// draws them in: sizes that keep neighbours apart, the pattern layout of the two-look buttons,
// transparency, and dark places under the texts the program writes on them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "resources/ImageCollection.h"

namespace {

constexpr uint32_t kMagenta = 255 + 65536 * 255;
constexpr int kMenuButtonX = 12;
constexpr std::array<int, 6> kMenuButtonY = {173, 232, 291, 351, 412, 473};

class MenuPictures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    List = std::make_unique<TDXImageList>();
    List->LoadFromFile((std::filesystem::path(GR_BINARY_DIR) / "Data/Res/Res1.dxg").string());
  }
  static void TearDownTestSuite() { List.reset(); }

  static const TPictureCollectionItem& Item(int index) {
    TPictureCollectionItem* item = List->Item(index);
    EXPECT_NE(item, nullptr) << "item " << index;
    return item ? *item : Missing;
  }

  static int Red(uint16_t c) { return (c >> 11) << 3; }
  static int Green(uint16_t c) { return ((c >> 5) & 0x3F) << 2; }
  static int Blue(uint16_t c) { return (c & 0x1F) << 3; }
  static int Luma(uint16_t c) { return (Red(c) * 3 + Green(c) * 6 + Blue(c)) / 10; }

  // The left and right screen x of the pixels of ITEM (shown at screen x LEFT) that pass
  // KEEP, within picture rows TOP..BOTTOM; {0, -1} when none does.
  template <typename Keep>
  static std::pair<int, int> Span(const TPictureCollectionItem& item, int left, int top, int bottom,
                                  Keep keep) {
    int first = item.Picture.Width();
    int last = -1;
    for (int y = top; y < bottom && y < item.Picture.Height(); ++y) {
      for (int x = 0; x < item.Picture.Width(); ++x) {
        const uint16_t c = item.Picture.At(x, y);
        if (c != item.ColorKey() && keep(c)) {
          first = std::min(first, x);
          last = std::max(last, x);
        }
      }
    }
    if (last < 0) return {0, -1};
    return {left + first, left + last};
  }
  static double Middle(std::pair<int, int> span) { return (span.first + span.second) / 2.0; }

  static std::unique_ptr<TDXImageList> List;
  static const TPictureCollectionItem Missing;
};

std::unique_ptr<TDXImageList> MenuPictures::List;
const TPictureCollectionItem MenuPictures::Missing{};

TEST_F(MenuPictures, EveryIndexUpToTheLastExists) {
  EXPECT_EQ(List->Count(), 54);
}

TEST_F(MenuPictures, PicturesFitBetweenTheirNeighbours) {
  // Largest pattern sizes: hover boxes include their edges, so a button as wide as the gap
  // to its neighbour would answer for both.
  struct Limit {
    int Index;
    int MaxWidth;
    int MaxHeight;
  };
  constexpr Limit kLimits[] = {
      {24, 321, 88}, {25, 488, 88}, {26, 394, 88}, {27, 477, 88},  // titles
      {16, 145, 30}, {17, 145, 30},                                // music value, left of sound
      {34, 127, 58}, {35, 127, 58}, {36, 139, 58},                 // yes, no, back
      {37, 78, 210}, {38, 88, 210},                                // bike arrows
      {39, 294, 58}, {40, 151, 68}, {41, 143, 68}, {42, 152, 58},
      {43, 147, 58}, {50, 95, 95},  // the About emblem fits whether it is centred on its point or
                                    // not
  };
  for (const Limit& limit : kLimits) {
    const TPictureCollectionItem& item = Item(limit.Index);
    EXPECT_LE(item.GetPatternWidth(), limit.MaxWidth) << "item " << limit.Index;
    EXPECT_LE(item.GetPatternHeight(), limit.MaxHeight) << "item " << limit.Index;
  }
  for (int model = 0; model < 5; ++model) {
    EXPECT_LE(Item(28 + model).Picture.Width(), 256) << "portrait " << model + 1;
    EXPECT_LE(Item(28 + model).Picture.Height(), 210) << "portrait " << model + 1;
  }

  // The backdrop fills the screen; the dialog texts are centred on x 382, the panel's middle.
  EXPECT_EQ(Item(1).Picture.Width(), 800);
  EXPECT_EQ(Item(1).Picture.Height(), 600);
  EXPECT_EQ(Item(33).Picture.Width(), 394);
  // The high-score panel lies above its buttons, which start at y 532.
  EXPECT_LE(130 + Item(53).Picture.Height(), 532);
}

TEST_F(MenuPictures, SideMenuButtonsKeepTheirHoverBoxesApart) {
  for (size_t i = 0; i < kMenuButtonY.size(); ++i) {
    const TPictureCollectionItem& normal = Item(2 + static_cast<int>(i));
    const TPictureCollectionItem& lit = Item(8 + static_cast<int>(i));
    // Swapping the picture must not change the hover box.
    EXPECT_EQ(normal.Picture.Width(), lit.Picture.Width()) << "button " << i + 1;
    EXPECT_EQ(normal.Picture.Height(), lit.Picture.Height()) << "button " << i + 1;
    EXPECT_EQ(normal.PatternCount(), 1) << "button " << i + 1;
    // Sub-screen content starts at x 312.
    EXPECT_LT(kMenuButtonX + normal.Picture.Width(), 312) << "button " << i + 1;
    if (i + 1 < kMenuButtonY.size()) {
      EXPECT_LT(kMenuButtonY[i] + normal.Picture.Height(), kMenuButtonY[i + 1])
          << "button " << i + 1;
    }
  }
}

TEST_F(MenuPictures, TwoLookButtonsHaveALitAndANormalPattern) {
  for (int index = 34; index <= 43; ++index) {
    const TPictureCollectionItem& item = Item(index);
    ASSERT_EQ(item.PatternCount(), 2) << "item " << index;
    EXPECT_EQ(item.GetPatternWidth() * 2, item.Picture.Width()) << "item " << index;
    // The lit look (pattern 0) is the warmer of the two.
    int warm[2] = {0, 0};
    for (int pattern = 0; pattern < 2; ++pattern) {
      const SurfaceRect r = item.PatternRect(pattern);
      for (int y = r.Top; y < r.Bottom; ++y) {
        for (int x = r.Left; x < r.Right; ++x) {
          const uint16_t c = item.Picture.At(x, y);
          if (c != item.ColorKey() && Red(c) > Blue(c) + 80) ++warm[pattern];
        }
      }
    }
    EXPECT_GT(warm[0], 2 * warm[1]) << "item " << index;
  }
}

TEST_F(MenuPictures, TransparencyIsSetPictureByPicture) {
  // Opaque: the backdrop, the entry fields, the text cursor and the content panels.
  for (int index : {1, 20, 21, 22, 51, 52, 53}) {
    EXPECT_FALSE(Item(index).Transparent) << "item " << index;
  }
  // Keyed pictures use magenta: with the default black key, the dark shading of plates and
  // outlines would vanish on the 16-bit display.
  for (int index = 0; index < List->Count(); ++index) {
    if (Item(index).Transparent) {
      EXPECT_EQ(Item(index).TransparentColor, kMagenta) << index;
    }
  }
  // The options' hit-area picture must draw nothing at all.
  const TPictureCollectionItem& hitArea = Item(0);
  ASSERT_TRUE(hitArea.Ready());
  for (int y = 0; y < hitArea.Picture.Height(); ++y) {
    for (int x = 0; x < hitArea.Picture.Width(); ++x) {
      EXPECT_EQ(hitArea.Picture.At(x, y), hitArea.ColorKey());
    }
  }
  // The text cursor is a solid bar in the colour of the text it follows.
  const TPictureCollectionItem& cursor = Item(22);
  EXPECT_EQ(cursor.Picture.Width(), 3);
  EXPECT_EQ(cursor.Picture.Height(), 20);
  for (int y = 0; y < cursor.Picture.Height(); ++y) {
    for (int x = 0; x < cursor.Picture.Width(); ++x) {
      EXPECT_EQ(cursor.Picture.At(x, y), Rgb565(0x00, 0xFF, 0xAE));
    }
  }
}

TEST_F(MenuPictures, LitSideMenuButtonsFadeIntoTheBackdrop) {
  // A lit button's glow is drawn over the backdrop pixels it covers, so along the picture's
  // border it must have faded to (almost) the backdrop itself; otherwise the glow ends in a
  // visible box.
  const Surface& backdrop = Item(1).Picture;
  for (size_t i = 0; i < kMenuButtonY.size(); ++i) {
    const TPictureCollectionItem& lit = Item(8 + static_cast<int>(i));
    const int w = lit.Picture.Width();
    const int h = lit.Picture.Height();
    int worst = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (x != 0 && y != 0 && x != w - 1 && y != h - 1) continue;
        const uint16_t c = lit.Picture.At(x, y);
        if (c == lit.ColorKey()) continue;
        const uint16_t under = backdrop.At(kMenuButtonX + x, kMenuButtonY[i] + y);
        worst = std::max({worst, std::abs(Red(c) - Red(under)), std::abs(Green(c) - Green(under)),
                          std::abs(Blue(c) - Blue(under))});
      }
    }
    EXPECT_LE(worst, 40) << "button " << i + 1;
  }
}

TEST_F(MenuPictures, TextsTheProgramWritesLandOnDarkGround) {
  // High-score panel at (356,130): names centred on x 578, points on x 732.
  const Surface& scores = Item(53).Picture;
  for (int row : {196, 230, 263, 297, 331, 364, 398, 432, 466, 499}) {
    for (int x : {578, 540, 620, 732, 700, 765}) {
      EXPECT_LT(Luma(scores.At(x - 356, row - 130)), 70) << "row " << row << " x " << x;
    }
  }
  // Dialog panel at (185,219): its lines from y 228 to 350, centred on x 382.
  const TPictureCollectionItem& dialog = Item(33);
  for (int y = 228; y <= 350; y += 8) {
    for (int x : {262, 382, 502}) {
      const uint16_t c = dialog.Picture.At(x - 185, y - 219);
      EXPECT_NE(c, dialog.ColorKey());
      EXPECT_LT(Luma(c), 70) << "y " << y << " x " << x;
    }
  }
  // Content panel at (358,130): the help lines run from x 380 to about 790.
  const Surface& content = Item(51).Picture;
  for (int y = 150; y <= 490; y += 20) {
    for (int x = 380; x <= 780; x += 50) {
      EXPECT_LT(Luma(content.At(x - 358, y - 130)), 70) << "y " << y << " x " << x;
    }
  }
}

TEST_F(MenuPictures, OptionValuesSitUnderTheirLabels) {
  // Labels are centred at x 574 (display), 504 (music) and 646 (sound); each state picture
  // shows its caption lit under its label, green when on and red when off.
  auto green = [](uint16_t c) { return Green(c) > 180 && Red(c) < 120; };
  auto red = [](uint16_t c) { return Red(c) > 180 && Green(c) < 140; };
  struct Value {
    int Index;
    int Left;
    int LabelX;
    bool On;
  };
  constexpr Value kValues[] = {{14, 456, 574, true},  {15, 456, 574, true}, {16, 444, 504, true},
                               {17, 444, 504, false}, {18, 590, 646, true}, {19, 590, 646, false}};
  for (const Value& v : kValues) {
    const TPictureCollectionItem& item = Item(v.Index);
    const auto caption = v.On ? Span(item, v.Left, 0, item.Picture.Height(), green)
                              : Span(item, v.Left, 0, item.Picture.Height(), red);
    ASSERT_LE(caption.first, caption.second) << "no caption in item " << v.Index;
    EXPECT_NEAR(Middle(caption), v.LabelX, 6) << "item " << v.Index;
    // The other state's colour does not show.
    const auto other = v.On ? Span(item, v.Left, 0, item.Picture.Height(), red)
                            : Span(item, v.Left, 0, item.Picture.Height(), green);
    EXPECT_GT(other.first, other.second) << "item " << v.Index;
  }
}

TEST_F(MenuPictures, TitlesAndFieldsCentreOnTheContentColumn) {
  // The help and options titles stand over the content column, whose middle is x 575.
  auto goldText = [](uint16_t c) { return Red(c) > 230 && Green(c) > 170 && Blue(c) < 200; };
  for (auto [index, left] : {std::pair{24, 479}, std::pair{26, 406}}) {
    const TPictureCollectionItem& title = Item(index);
    const auto text = Span(title, left, 16, 58, goldText);
    ASSERT_LE(text.first, text.second) << "no caption in title " << index;
    EXPECT_NEAR(Middle(text), 575, 8) << "title " << index;
  }
  // The country field is centred on x 580, where the country text is centred, with room for
  // about 310 px of text; the boss-key field on x 575.
  auto dark = [](uint16_t c) { return Luma(c) < 40; };
  for (auto [index, left, middle, room] :
       {std::tuple{20, 392, 580, 310}, std::tuple{21, 468, 575, 150}}) {
    const TPictureCollectionItem& field = Item(index);
    const int row = field.Picture.Height() / 2;
    const auto inside = Span(field, left, row, row + 1, dark);
    EXPECT_GE(inside.second - inside.first, room) << "field " << index;
    EXPECT_NEAR(Middle(inside), middle, 4) << "field " << index;
  }
}

TEST_F(MenuPictures, BikePanelCarriesTheRatingRows) {
  // The program draws no text on the bike screen, only the marks from x 546 on these rows:
  // the labels must be painted left of the marks, and the marks' places must stay dark.
  const Surface& panel = Item(52).Picture;
  constexpr int kPanelX = 358;
  constexpr int kPanelY = 130;
  for (int row : {396, 424, 454, 486}) {
    int lit = 0;
    for (int y = row; y < row + 20; ++y) {
      for (int x = 420; x < 546; ++x) {
        if (Luma(panel.At(x - kPanelX, y - kPanelY)) > 150) ++lit;
      }
    }
    EXPECT_GT(lit, 40) << "no label on row " << row;
    for (int mark = 0; mark < 11; ++mark) {
      const int x = 546 + 18 * mark + 7;
      EXPECT_LT(Luma(panel.At(x - kPanelX, row + 10 - kPanelY)), 50)
          << "row " << row << " mark " << mark + 1;
    }
  }
}

}  // namespace
