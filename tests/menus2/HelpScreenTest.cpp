// The help pages: turning them, their pictures, and their texts inside the panel.
#include <gtest/gtest.h>

#include <string>

#include "ScreenFixture.h"
#include "app/ShellState.h"
#include "platform/KeyCodes.h"
#include "screens/HelpScreen.h"
#include "screens/HelpTexts.h"
#include "screens/Text.h"
#include "sprites/TMyImageSprite.h"

namespace {
constexpr int kHelpButton = 2;
// The content panel's inner right edge; the texts start at x 380.
constexpr int kPanelRight = 790;
}  // namespace

class HelpTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    FinishIntro();
    OpenFromMainMenu(kHelpButton);
    ASSERT_EQ(CurrentScreen, ScreenHelp);
  }
  int VisibleIcons() const {
    int count = 0;
    for (TMyImageSprite* icon : BonusIcons) count += icon && icon->Visible;
    return count;
  }
};

TEST_F(HelpTest, LeftOnPreviousWrapsToTheLastPageAndRightNeverTurns) {
  EXPECT_EQ(HelpPage, 1);
  EXPECT_EQ(SelectedItem, 9);
  Game->Press(vk::Left);  // 9 -> 8
  Game->Press(vk::Left);  // 8 -> 7
  ASSERT_EQ(SelectedItem, 7);
  EXPECT_EQ(HelpPage, 1);
  Game->Press(vk::Left);
  EXPECT_EQ(HelpPage, 5);
  EXPECT_EQ(SelectedItem, 7);
  Game->Press(vk::Right);  // 7 -> 8
  Game->Press(vk::Right);  // 8 -> 9
  EXPECT_EQ(SelectedItem, 9);
  EXPECT_EQ(HelpPage, 5);
}

TEST_F(HelpTest, NextPageWrapsFromTheLastToTheFirst) {
  Game->Press(vk::Left);
  ASSERT_EQ(SelectedItem, 8);
  for (int page = 2; page <= 5; ++page) {
    Game->Press(vk::Return);
    EXPECT_EQ(HelpPage, page);
  }
  Game->Press(vk::Return);
  EXPECT_EQ(HelpPage, 1);
}

TEST_F(HelpTest, PicturesShowOnlyOnTheirPages) {
  Game->Press(vk::Left);
  const int expectedIcons[] = {0, 0, 5, 0, 0, 0};
  for (int page = 1; page <= 5; ++page) {
    ASSERT_EQ(HelpPage, page);
    Game->RunTick();
    EXPECT_EQ(VisibleIcons(), expectedIcons[page]) << "page " << page;
    EXPECT_EQ(AboutPicture->Visible, page == 5) << "page " << page;
    Game->Press(vk::Return);
  }
}

TEST_F(HelpTest, EveryVisitStartsOnTheFirstPage) {
  Game->Press(vk::Left);
  for (int i = 0; i < 3; ++i) Game->Press(vk::Return);
  ASSERT_EQ(HelpPage, 4);
  Game->Press(vk::Escape);
  ASSERT_EQ(CurrentScreen, ScreenMainMenu);
  EXPECT_EQ(SelectedItem, 2);
  Game->Press(vk::Return);
  EXPECT_EQ(HelpPage, 1);
  EXPECT_EQ(VisibleIcons(), 0);
}

// The texts are drawn with the shipped display face; a line that ran past the panel would
// spill over the screen's edge.
TEST_F(HelpTest, EveryLineFitsInsideThePanel) {
  auto fits = [](const char* text, int style, int x) {
    EXPECT_LE(x + StyledTextWidth(text, style), kPanelRight) << '"' << text << '"';
  };
  for (int page = 1; page <= kHelpPageCount; ++page) fits(HelpPageTitles[page], 19, 380);
  for (const char* line : GameOverviewLines) fits(line, 20, 380);
  for (const char* line : MenuNavigationLines) fits(line, 20, 380);
  for (const char* line : GameNavigationLines) fits(line, 20, 380);
  fits(MenuNavigationHeading, 21, 380);
  fits(GameNavigationHeading, 21, 380);
  for (const char* label : BonusLabels) fits(label, 21, 430);
  fits(AboutTitle, 23, 550);
  fits(AboutMakerLine, 21, 542);
  fits(AboutWebAddress, 21, 540);
  fits(AboutLicenceLine, 21, 540);
}
