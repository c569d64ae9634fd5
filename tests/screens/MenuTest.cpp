// The main menu and the bike selection screen, driven as a player would.
#include <gtest/gtest.h>

#include "MenuFixture.h"
#include "app/Audio.h"
#include "app/Dispatch.h"
#include "app/InputState.h"
#include "app/ScreenHooks.h"
#include "app/ShellState.h"
#include "platform/KeyCodes.h"
#include "race/RiderState.h"
#include "screens/BikeSelect.h"
#include "screens/Text.h"
#include "sprites/TMyImageSprite.h"
#include "storage/GameOptions.h"

namespace {
constexpr int kHighlightSound = 1;
constexpr int kConfirmSound = 2;
constexpr int kBikeArrowSound = 3;
// A point over no item of any screen.
constexpr int kNowhereX = 305;
constexpr int kNowhereY = 590;
}  // namespace

TEST_F(MenuTest, IntroIgnoresKeysAndClicksUntilTheButtonsAreInPlace) {
  EXPECT_TRUE(MenuIntroActive);
  EXPECT_EQ(SoundsPlayed(), std::vector<int>{0}) << "the intro's whoosh";
  Game->Press(vk::Return);
  Game->Press(vk::Down);
  Game->Press(vk::Escape);
  Game->Click();
  EXPECT_TRUE(MenuIntroActive);
  EXPECT_EQ(CurrentScreen, ScreenMainMenu);
  EXPECT_EQ(ActiveDialog, DialogNone);
  EXPECT_EQ(SelectedItem, 1);
  FinishIntro();
  EXPECT_LT(Game->TickCount(), 60u) << "the buttons arrive in about 53 ticks";
}

TEST_F(MenuTest, ArrowsWrapAroundTheSixButtonsWithOneSoundPerMove) {
  FinishIntro();
  SoundsPlayed();
  Game->Press(vk::Up);
  EXPECT_EQ(SelectedItem, 6);
  Game->Press(vk::Down);
  EXPECT_EQ(SelectedItem, 1);
  Game->Press(vk::Down);
  EXPECT_EQ(SelectedItem, 2);
  Game->Press(vk::Left);  // sideways does nothing here
  EXPECT_EQ(SelectedItem, 2);
  EXPECT_EQ(SoundsPlayed(), (std::vector<int>{kHighlightSound, kHighlightSound, kHighlightSound}));
}

TEST_F(MenuTest, EscapeAsksWhetherToExit) {
  FinishIntro();
  Game->Press(vk::Escape);
  EXPECT_EQ(ActiveDialog, DialogExitGame);
}

TEST_F(MenuTest, MouseOffTheButtonsKeepsTheMainMenuHighlight) {
  FinishIntro();
  Game->MoveMouse(100, 300);  // over button 3
  EXPECT_EQ(SelectedItem, 3);
  Game->MoveMouse(kNowhereX, kNowhereY);
  EXPECT_EQ(SelectedItem, 3);
}

TEST_F(MenuTest, EnterOpensTheBikeScreenWithStartSelected) {
  FinishIntro();
  SoundsPlayed();
  Game->Press(vk::Return);
  EXPECT_EQ(CurrentScreen, ScreenBikeSelect);
  EXPECT_EQ(SelectedItem, 9);
  EXPECT_EQ(FirstItem, 7);
  EXPECT_EQ(LastItem, 10);
  EXPECT_EQ(SoundsPlayed().front(), kConfirmSound);
}

class BikeScreenTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    FinishIntro();
    Game->Press(vk::Return);
    ASSERT_EQ(CurrentScreen, ScreenBikeSelect);
    SoundsPlayed();
  }
};

TEST_F(BikeScreenTest, LeftOnThePreviousArrowFadesToTheLastModelIn13Ticks) {
  Game->Press(vk::Up);
  ASSERT_EQ(SelectedItem, 7);
  ScriptEvent left{ScriptEvent::Press, vk::Left, "", 0, 0};
  Game->Deliver(left);
  Game->RunTick();
  EXPECT_EQ(PendingBike, 5) << "previous from model 1 wraps to 5";
  EXPECT_EQ(BikeChangeState, 1);
  int ticks = 1;  // the fade's first step is in the tick of the press
  while (BikeChangeState != 0 && ticks < 50) {
    EXPECT_EQ(BikeModel, 1);
    Game->RunTick();
    ++ticks;
  }
  EXPECT_EQ(ticks, 13);
  EXPECT_EQ(BikeModel, 5);
  const std::vector<int> sounds = SoundsPlayed();
  EXPECT_EQ(std::count(sounds.begin(), sounds.end(), kBikeArrowSound), 1);
}

TEST_F(BikeScreenTest, NextFromTheLastModelWrapsToTheFirst) {
  BikeModel = 5;
  Game->Press(vk::Up);
  Game->Press(vk::Right);  // 7 -> 8
  ASSERT_EQ(SelectedItem, 8);
  Game->Press(vk::Right);
  EXPECT_EQ(PendingBike, 1);
}

TEST_F(BikeScreenTest, LeftOnTheNextArrowOnlyMovesTheHighlight) {
  Game->Press(vk::Up);
  Game->Press(vk::Right);
  ASSERT_EQ(SelectedItem, 8);
  SoundsPlayed();
  Game->Press(vk::Left);
  EXPECT_EQ(SelectedItem, 7);
  EXPECT_EQ(BikeChangeState, 0);
  EXPECT_EQ(SoundsPlayed(), std::vector<int>{kHighlightSound});
}

TEST_F(BikeScreenTest, ArrowsMoveOverTheTwoByTwoItems) {
  Game->Press(vk::Right);  // 9 -> 10
  EXPECT_EQ(SelectedItem, 10);
  Game->Press(vk::Up);  // 10 -> 8
  EXPECT_EQ(SelectedItem, 8);
  Game->Press(vk::Down);  // 8 -> 10
  EXPECT_EQ(SelectedItem, 10);
  Game->Press(vk::Left);  // 10 -> 9
  EXPECT_EQ(SelectedItem, 9);
}

TEST_F(BikeScreenTest, WithNothingSelectedTheFirstArrowSelectsThePreviousArrowOnly) {
  Game->MoveMouse(kNowhereX, kNowhereY);
  EXPECT_EQ(SelectedItem, 0) << "off the items the highlight goes";
  Game->Press(vk::Right);
  EXPECT_EQ(SelectedItem, 7);
  EXPECT_EQ(BikeChangeState, 0);
}

TEST_F(BikeScreenTest, ConfirmationsWaitForTheFadeToEnd) {
  Game->Press(vk::Up);
  Game->Press(vk::Left);
  ASSERT_EQ(BikeChangeState, 1);
  Game->Press(vk::Left);  // a second press during the fade
  EXPECT_EQ(PendingBike, 5);
  Ticks(15);
  EXPECT_EQ(BikeModel, 5);
}

TEST_F(BikeScreenTest, EscapeGoesBackToTheMainMenuAndTheBikeStaysChosen) {
  const int menuSprites = 7;  // backdrop and six buttons
  Game->Press(vk::Up);
  Game->Press(vk::Left);
  Ticks(13);
  Game->Press(vk::Escape);
  EXPECT_EQ(CurrentScreen, ScreenMainMenu);
  EXPECT_EQ(SelectedItem, 1);
  EXPECT_EQ(Game->Form().MDXSpriteEngine.SpriteCount(), menuSprites);
  Game->Press(vk::Return);
  EXPECT_EQ(BikeModel, 5);
  ASSERT_NE(BikePicture, nullptr);
}

TEST_F(BikeScreenTest, ClickingTheScreensOwnSideButtonDoesNothing) {
  Game->MoveMouse(100, 190);  // side-menu button 1, this screen's own
  EXPECT_EQ(HoveredTab, 1);
  EXPECT_EQ(SelectedItem, 0);
  Game->Click();
  EXPECT_EQ(CurrentScreen, ScreenBikeSelect);
}

TEST_F(MenuTest, AltEnterFlipsFullScreen) {
  FinishIntro();
  ScriptEvent alt{ScriptEvent::Down, vk::Menu, "", 0, 0};
  Game->Deliver(alt);
  Game->Press(vk::Return);
  EXPECT_TRUE(GameOptions.FullScreen);
  EXPECT_TRUE(Game->Devices().display->FullScreen);
  Game->Press(vk::Return);
  EXPECT_FALSE(GameOptions.FullScreen);
}

TEST_F(MenuTest, BossKeyNeedsItsExactModifiersThenStopsTheMusicAndMinimises) {
  FinishIntro();
  ASSERT_EQ(Game->Devices().music->PlayingSong(), "Menu");
  Game->Form().FormKeyDown(vk::F1 + 8, ss::Ctrl | ss::Alt);
  EXPECT_EQ(Game->Devices().music->PlayingSong(), "Menu");
  EXPECT_FALSE(Game->Devices().display->Minimized);
  Game->Form().FormKeyDown(vk::F1 + 8, ss::Alt);
  EXPECT_EQ(Game->Devices().music->PlayingSong(), "");
  EXPECT_TRUE(Game->Devices().display->Minimized);
  EXPECT_FALSE(Game->Form().ApplicationActive());
}

TEST_F(MenuTest, BossKeyInFullScreenLeavesTheGameInAWindow) {
  GameOptions.FullScreen = true;
  Game->Form().ApplyDisplayMode();
  Game->Form().FormKeyDown(BossKey, BossModifier);
  EXPECT_FALSE(GameOptions.FullScreen);
  EXPECT_FALSE(Game->Devices().display->FullScreen);
}

TEST_F(MenuTest, CountryTakesSixteenLettersDigitsOrSpacesAndNothingElse) {
  CurrentScreen = ScreenOptions;
  CountryEntryOn = true;
  GameOptions.Country.clear();
  TMForm& form = Game->Form();
  for (char ch : std::string("Il1 i,.!-_")) form.FormKeyPress(ch);
  EXPECT_EQ(GameOptions.Country, "Il1 i");
  for (char ch : std::string("iiiiiiiiiiiiii")) form.FormKeyPress(ch);
  EXPECT_EQ(GameOptions.Country.size(), 16u);
  form.FormKeyPress('\b');
  EXPECT_EQ(GameOptions.Country.size(), 15u);
}

TEST_F(MenuTest, CountryStopsGrowingOnceWiderThanItsField) {
  CurrentScreen = ScreenOptions;
  CountryEntryOn = true;
  GameOptions.Country.clear();
  for (int i = 0; i < 16; ++i) Game->Form().FormKeyPress('W');
  EXPECT_LT(GameOptions.Country.size(), 16u) << "sixteen W are wider than the field";
  // One more character was taken after the width passed the limit, as the check is made before.
  const std::string shorter = GameOptions.Country.substr(0, GameOptions.Country.size() - 1);
  EXPECT_LE(StyledTextWidth(shorter, 4), kMaxCountryWidth);
  EXPECT_GT(StyledTextWidth(GameOptions.Country, 4), kMaxCountryWidth);
}

TEST_F(MenuTest, BossKeyCaptureTakesOnlyFunctionKeysAndRestoresTheOldKeyOtherwise) {
  TMForm& form = Game->Form();
  ToggleBossCapture();
  EXPECT_TRUE(BossCaptureMode);
  form.FormKeyDown('A', ss::Ctrl);
  EXPECT_TRUE(BossCaptureMode);
  EXPECT_EQ(BossKey, 0);
  EXPECT_EQ(BossModifier, ss::Ctrl);
  ToggleBossCapture();  // left without an F-key
  EXPECT_EQ(BossKey, 120);
  EXPECT_EQ(BossModifier, ss::Alt);
  ToggleBossCapture();
  form.FormKeyDown(vk::F12, ss::Ctrl);
  EXPECT_FALSE(BossCaptureMode);
  EXPECT_EQ(BossKey, vk::F12);
  EXPECT_EQ(BossModifier, ss::Ctrl);
}
