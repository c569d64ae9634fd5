// Placing text by its measured size, blending it into the back buffer, and the HUD's numbers.
#include <gtest/gtest.h>

#include <memory>

#include "app/HeadlessDriver.h"
#include "screens/RaceHud.h"
#include "screens/Text.h"

namespace {
// Every character is a solid block of a fixed width; the height is fixed too.
class BlockText final : public TextRenderer {
 public:
  void SetFont(const std::string& face, int points, bool bold) override {
    LastFace = face;
    LastPoints = points;
    LastBold = bold;
  }
  int TextWidth(const std::string& text) override {
    return static_cast<int>(text.size()) * CharWidth;
  }
  int TextHeight(const std::string&) override { return Height; }
  const TextMask& Render(const std::string& text) override {
    Mask.Width = TextWidth(text);
    Mask.Height = Height;
    Mask.Coverage.assign(static_cast<size_t>(Mask.Width) * Mask.Height, 255);
    return Mask;
  }
  TextMask Mask;
  int CharWidth = 37;
  int Height = 10;
  std::string LastFace;
  int LastPoints = 0;
  bool LastBold = false;
};

class TextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto text = std::make_unique<BlockText>();
    Text = text.get();
    Driver = std::make_unique<HeadlessDriver>(1, 85, 85, std::move(text));
    Driver->Form().MDXDraw.Initialize(false);
    Buffer().Fill(0);
  }
  Surface& Buffer() { return Driver->Form().MDXDraw.BackBuffer(); }
  // The left-most and top-most lit pixel, or -1.
  std::pair<int, int> TopLeftOfInk() {
    for (int y = 0; y < Buffer().Height(); ++y) {
      for (int x = 0; x < Buffer().Width(); ++x) {
        if (Buffer().At(x, y) != 0) return {x, y};
      }
    }
    return {-1, -1};
  }
  BlockText* Text = nullptr;
  std::unique_ptr<HeadlessDriver> Driver;
};
}  // namespace

TEST_F(TextTest, CentringMovesBackByHalfTheSizeTruncated) {
  SetTextStyle(8);
  PrintText("W", 100, 50, /*centerX=*/true, /*centerY=*/false);
  EXPECT_EQ(TopLeftOfInk(), std::make_pair(81, 50)) << "37 pixels wide at X 100";
  Buffer().Fill(0);
  Text->Height = 11;
  PrintText("W", 100, 50, false, true);
  EXPECT_EQ(TopLeftOfInk(), std::make_pair(100, 44));
}

TEST_F(TextTest, UncentredTextStartsExactlyAtTheAnchor) {
  SetTextStyle(8);
  PrintText("AB", 7, 9, false, false);
  EXPECT_EQ(TopLeftOfInk(), std::make_pair(7, 9));
}

TEST_F(TextTest, EmptyTextDrawsNothing) {
  SetTextStyle(8);
  PrintText("", 400, 300, true, true);
  EXPECT_EQ(TopLeftOfInk(), std::make_pair(-1, -1));
}

TEST_F(TextTest, StyleSelectsFaceSizeBoldAndColour) {
  SetTextStyle(4);
  EXPECT_EQ(Text->LastFace, "BancoDi");
  EXPECT_EQ(Text->LastPoints, 28);
  EXPECT_TRUE(Text->LastBold);
  SetTextStyle(22);
  EXPECT_EQ(Text->LastFace, "Courier");
  EXPECT_FALSE(Text->LastBold);
  PrintText("x", 0, 0, false, false);
  EXPECT_EQ(Buffer().At(0, 0), Rgb565(0x00, 0xFF, 0x00)) << "style 22 is green";
  EXPECT_EQ(StyledTextWidth("abc", 1), 3 * 37);
}

TEST_F(TextTest, TextIsClippedAtTheEdgesOfTheBuffer) {
  SetTextStyle(8);
  PrintText("WWW", -50, -5, false, false);
  PrintText("WWW", 780, 595, false, false);
  EXPECT_EQ(Buffer().At(0, 0), Rgb565(255, 255, 255));
  EXPECT_EQ(Buffer().At(799, 599), Rgb565(255, 255, 255));
}

TEST(RaceHudText, TimeShowsMinutesAndSecondsWithLeadingZeros) {
  EXPECT_EQ(HudTimeText(0), "00 : 00");
  EXPECT_EQ(HudTimeText(9999), "00 : 09");
  EXPECT_EQ(HudTimeText(60000), "01 : 00");
  EXPECT_EQ(HudTimeText(65400), "01 : 05");
  EXPECT_EQ(HudTimeText(600000), "10 : 00");
  EXPECT_EQ(HudTimeText(6000000), "100 : 00") << "minutes are not limited to two digits";
}

TEST(RaceHudText, SpeedLivesPlaceAndLevel) {
  EXPECT_EQ(HudSpeedText(0), "0");
  EXPECT_EQ(HudSpeedText(-3), "0");
  EXPECT_EQ(HudSpeedText(10), "19");
  EXPECT_EQ(HudSpeedText(2.5), "5") << "4.75 rounds to 5";
  EXPECT_EQ(HudLivesText(-1), "0");
  EXPECT_EQ(HudLivesText(3), "3");
  EXPECT_EQ(HudPlaceText(2, 4), "2/4");
  EXPECT_EQ(HudLevelText(3), "LEVEL 3 / 10");
}
