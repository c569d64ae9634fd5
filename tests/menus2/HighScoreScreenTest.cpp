// The high-score screen: its keys, the clear-table question and the online list.
#include <gtest/gtest.h>

#include "ScreenFixture.h"
#include "app/ShellState.h"
#include "online/WebLinks.h"
#include "platform/KeyCodes.h"
#include "screens/HighScoreScreen.h"
#include "storage/HighScores.h"

namespace {
constexpr int kHighScoresButton = 4;
}  // namespace

class HighScoreTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    FinishIntro();
    HighScores[1] = {"ZOE", 55555};
    OpenFromMainMenu(kHighScoresButton);
    ASSERT_EQ(CurrentScreen, ScreenHighScores);
  }
};

TEST(HighScoreRows, SpacedByThirtyThreeAndSevenTenthsWithHalvesToEven) {
  const int expected[] = {196, 230, 263, 297, 331, 364, 398, 432, 466, 499};
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(HighScoreRowY(i), expected[i - 1]) << "entry " << i;
}

TEST_F(HighScoreTest, LeftAndRightStepWithoutWrappingAndEscapeGoesBack) {
  EXPECT_EQ(SelectedItem, 9);
  Game->Press(vk::Right);
  EXPECT_EQ(SelectedItem, 9);
  Game->Press(vk::Left);
  EXPECT_EQ(SelectedItem, 8);
  Game->Press(vk::Up);
  Game->Press(vk::Down);
  EXPECT_EQ(SelectedItem, 8) << "up and down do nothing here";
  Game->Press(vk::Left);
  Game->Press(vk::Left);
  EXPECT_EQ(SelectedItem, 7);
  Game->Press(vk::Right);
  EXPECT_EQ(SelectedItem, 8);
  Game->Press(vk::Escape);
  EXPECT_EQ(CurrentScreen, ScreenMainMenu);
  EXPECT_EQ(SelectedItem, 4) << "back on the screen's own button";
}

TEST_F(HighScoreTest, WithNothingSelectedAnArrowStartsOnClearTable) {
  Game->MoveMouse(305, 100);
  ASSERT_EQ(SelectedItem, 0);
  Game->Press(vk::Left);
  EXPECT_EQ(SelectedItem, 7);
}

TEST_F(HighScoreTest, ClearingTheTableAsksFirstAndNoKeepsIt) {
  Game->Press(vk::Left);
  Game->Press(vk::Left);
  Game->Press(vk::Return);
  ASSERT_EQ(ActiveDialog, DialogClearHighScores);
  EXPECT_EQ(SelectedItem, 12) << "No is preselected";
  Game->Press(vk::Return);
  EXPECT_EQ(ActiveDialog, DialogNone);
  EXPECT_EQ(HighScores[1].Name, "ZOE");
  EXPECT_EQ(SelectedItem, 7) << "the selection is back where it was";
  EXPECT_EQ(CurrentScreen, ScreenHighScores);
}

TEST_F(HighScoreTest, YesResetsTheTableAndShutdownWritesTheDefaults) {
  Game->Press(vk::Left);
  Game->Press(vk::Left);
  Game->Press(vk::Return);
  Game->Press('Y');
  EXPECT_EQ(ActiveDialog, DialogNone);
  EXPECT_EQ(HighScores[1].Name, "ANONYMOUS");
  EXPECT_EQ(HighScores[1].Points, 10000);
  QuitThroughTheMainMenu();
  const std::vector<std::string> hs = SaveFileLines("hs");
  ASSERT_EQ(hs.size(), 20u);
  EXPECT_EQ(hs[0], "ANONYMOUS");
  EXPECT_EQ(hs[1], "10000");
  EXPECT_EQ(hs[19], "1000");
  EXPECT_EQ(SaveFileLines("options").back(), HighScoreSignature());
}

TEST_F(HighScoreTest, OnlineListOpensInTheBrowserAndTheScreenStays) {
  Game->Form().SetScoreServer("http://scores.test:8080");
  Game->Press(vk::Left);
  Game->Press(vk::Return);
  ASSERT_EQ(LinksOpened().size(), 1u);
  EXPECT_EQ(LinksOpened()[0], "http://scores.test:8080/cgi/version.pl?prg=GearRush&show&type=0");
  EXPECT_EQ(CurrentScreen, ScreenHighScores);
}
