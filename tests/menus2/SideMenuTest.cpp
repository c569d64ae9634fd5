// Moving between the sub-screens through the side menu, and what they leave behind.
#include <gtest/gtest.h>

#include "ScreenFixture.h"
#include "app/ShellState.h"
#include "online/ScoreServer.h"
#include "platform/KeyCodes.h"
#include "screens/HelpScreen.h"

namespace {
constexpr int kHelp = 2;
constexpr int kOptions = 3;
constexpr int kHighScores = 4;
constexpr int kHomePage = 5;
// Backdrop and the six buttons.
constexpr int kMainMenuSprites = 7;
}  // namespace

class SideMenuTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    FinishIntro();
  }
  int Sprites() { return Game->Form().MDXSpriteEngine.SpriteCount(); }
};

TEST_F(SideMenuTest, EachSubScreenGoesStraightToAnother) {
  OpenFromMainMenu(kOptions);
  ClickSideButton(kHighScores);
  EXPECT_EQ(CurrentScreen, ScreenHighScores);
  EXPECT_EQ(SelectedItem, 9);
  ClickSideButton(kHelp);
  EXPECT_EQ(CurrentScreen, ScreenHelp);
  EXPECT_EQ(HelpPage, 1);
  ClickSideButton(kOptions);
  EXPECT_EQ(CurrentScreen, ScreenOptions);
  EXPECT_EQ(SelectedItem, 12);
}

TEST_F(SideMenuTest, ClickingTheShownScreensOwnButtonDoesNothing) {
  const std::pair<int, ScreenKind> screens[] = {
      {kOptions, ScreenOptions}, {kHighScores, ScreenHighScores}, {kHelp, ScreenHelp}};
  for (const auto& [button, screen] : screens) {
    if (CurrentScreen != ScreenMainMenu) Game->Press(vk::Escape);
    OpenFromMainMenu(button);
    const int sprites = Sprites();
    ClickSideButton(button);
    EXPECT_EQ(CurrentScreen, screen);
    EXPECT_EQ(Sprites(), sprites);
  }
}

// Every sprite a screen makes must go when it is left, however it is left.
TEST_F(SideMenuTest, LeavingAScreenLeavesOnlyTheMainMenu) {
  for (int button : {kOptions, kHighScores, kHelp}) {
    OpenFromMainMenu(button);
    EXPECT_GT(Sprites(), kMainMenuSprites);
    Game->Press(vk::Escape);
    EXPECT_EQ(Sprites(), kMainMenuSprites) << "after screen " << button;
  }
  OpenFromMainMenu(kHelp);
  const int help = Sprites();
  ClickSideButton(kOptions);
  ClickSideButton(kHelp);
  EXPECT_EQ(Sprites(), help) << "a switch through the side menu leaks nothing either";
}

TEST_F(SideMenuTest, HomePageOpensInTheBrowserAndTheMenuStays) {
  OpenFromMainMenu(kHomePage);
  ASSERT_EQ(LinksOpened().size(), 1u);
  EXPECT_EQ(LinksOpened()[0], ScoreServerBaseUrl(DefaultScoreServer()).value() + "/")
      << "the build's score server when nothing chose another";
  EXPECT_EQ(CurrentScreen, ScreenMainMenu);
  EXPECT_FALSE(Game->Form().Terminated());
}
