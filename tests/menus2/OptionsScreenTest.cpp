// The options screen, driven with the keyboard and the mouse as a player would.
#include <gtest/gtest.h>

#include "ScreenFixture.h"
#include "app/InputState.h"
#include "app/ScreenHooks.h"
#include "app/ShellState.h"
#include "platform/KeyCodes.h"
#include "screens/OptionsScreen.h"
#include "screens/Text.h"
#include "sprites/TMyCursor.h"
#include "storage/GameOptions.h"

namespace {
constexpr int kOptionsButton = 3;
constexpr int kValueStyle = 13;

// Over the hit area of an options item (7..11).
struct Point {
  int X, Y;
};
constexpr Point kItemPoint[12] = {{}, {},         {},         {},         {},         {},
                                  {}, {560, 180}, {500, 290}, {640, 290}, {560, 400}, {560, 470}};
}  // namespace

class OptionsTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    FinishIntro();
    OpenFromMainMenu(kOptionsButton);
    ASSERT_EQ(CurrentScreen, ScreenOptions);
  }
  void Select(int item) {
    Game->MoveMouse(kItemPoint[item].X, kItemPoint[item].Y);
    ASSERT_EQ(SelectedItem, item);
    Game->RunTick();  // the highlight lands
  }
  bool Shows(TMyImageSprite* sprite, int picture) {
    return sprite && sprite->Image() == Game->Form().MDXImageList1.Item(picture);
  }
};

TEST_F(OptionsTest, OpensOnBackWithTheSettingsShown) {
  EXPECT_EQ(SelectedItem, 12);
  EXPECT_EQ(FirstItem, 7);
  EXPECT_EQ(LastItem, 12);
  EXPECT_TRUE(Shows(DisplayState, 14)) << "windowed";
  EXPECT_TRUE(Shows(MusicState, 16)) << "music on";
  EXPECT_TRUE(Shows(SoundState, 18)) << "sound on";
  EXPECT_EQ(BossKeyText(), "ALT+F9");
  ASSERT_NE(TextCursor, nullptr);
  EXPECT_FALSE(TextCursor->Visible);
}

TEST_F(OptionsTest, ArrowsWalkTheLayoutOnePlaceAPress) {
  const std::pair<uint16_t, int> walk[] = {
      {vk::Up, 11},   {vk::Up, 10},    {vk::Up, 8},    {vk::Right, 9}, {vk::Right, 9},
      {vk::Up, 7},    {vk::Down, 8},   {vk::Left, 8},  {vk::Right, 9}, {vk::Left, 8},
      {vk::Right, 9}, {vk::Down, 10},  {vk::Down, 11}, {vk::Down, 12}, {vk::Down, 12},
      {vk::Left, 12}, {vk::Right, 12}, {vk::Up, 11}};
  for (const auto& [key, expected] : walk) {
    Game->Press(key);
    EXPECT_EQ(SelectedItem, expected) << "after key " << key;
  }
}

TEST_F(OptionsTest, TogglesChangeTheSettingsAndTheirPicturesAtOnce) {
  Select(8);
  Game->Press(vk::Return);
  EXPECT_FALSE(GameOptions.MusicOn);
  EXPECT_EQ(Game->Devices().music->PlayingSong(), "");
  EXPECT_TRUE(Shows(MusicState, 17));
  Game->Press(vk::Return);
  EXPECT_TRUE(GameOptions.MusicOn);
  EXPECT_EQ(Game->Devices().music->PlayingSong(), "Menu");
  EXPECT_TRUE(Shows(MusicState, 16));

  Select(9);
  Game->Click();
  EXPECT_FALSE(GameOptions.SoundOn);
  Game->RunTick();
  EXPECT_TRUE(Shows(SoundState, 19));

  Select(7);
  Game->Click();
  EXPECT_TRUE(GameOptions.FullScreen);
  EXPECT_TRUE(Game->Devices().display->FullScreen) << "the display switches at once";
  Game->RunTick();
  EXPECT_TRUE(Shows(DisplayState, 15));
  EXPECT_EQ(CurrentScreen, ScreenOptions);
}

TEST_F(OptionsTest, SettingsReachTheOptionsFileAtShutdown) {
  Select(7);
  Game->Click();
  Select(8);
  Game->Click();
  Select(9);
  Game->Click();
  Select(10);
  Game->Click();
  for (int i = 0; i < 7; ++i) Game->Press(vk::Back);
  Game->Type("New Zealand");
  Game->Press(vk::Return);
  Select(11);
  Game->Click();
  Game->Form().FormKeyDown(vk::F12, ss::Ctrl);
  Game->RunTick();
  ASSERT_EQ(BossKeyText(), "CTRL+F12");

  QuitThroughTheMainMenu();
  const std::vector<std::string> lines = SaveFileLines("options");
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "1");
  EXPECT_EQ(lines[1], "0");
  EXPECT_EQ(lines[2], "0");
  EXPECT_EQ(lines[3], "New Zealand");
  EXPECT_EQ(lines[4], "2") << "Ctrl";
  EXPECT_EQ(lines[5], "12");
}

TEST_F(OptionsTest, EscapeEndsTheCountryEntryFirstAndLeavesOnTheSecondPress) {
  Select(10);
  Game->Press(vk::Return);
  ASSERT_TRUE(CountryEntryOn);
  Ticks(2);
  EXPECT_TRUE(TextCursor->Visible) << "the cursor blinks while the entry runs";
  Game->Press(vk::Up);
  Game->Press(vk::Down);
  EXPECT_EQ(SelectedItem, 10) << "arrows do not move the highlight while typing";
  Game->Press(vk::Escape);
  EXPECT_FALSE(CountryEntryOn);
  EXPECT_EQ(CurrentScreen, ScreenOptions);
  EXPECT_FALSE(TextCursor->Visible);
  Game->Press(vk::Escape);
  EXPECT_EQ(CurrentScreen, ScreenMainMenu);
  EXPECT_EQ(SelectedItem, 3);
}

TEST_F(OptionsTest, CursorFollowsTheEndOfTheCentredCountry) {
  Select(10);
  Game->Click();
  for (int i = 0; i < 7; ++i) Game->Press(vk::Back);
  EXPECT_EQ(GameOptions.Country, "");
  Game->Press(vk::Back);  // nothing left to remove
  EXPECT_EQ(GameOptions.Country, "");
  EXPECT_DOUBLE_EQ(TextCursor->X, 582);
  Game->Type("Chile");
  Game->RunTick();
  EXPECT_DOUBLE_EQ(TextCursor->X, StyledTextWidth("Chile", kValueStyle) / 2.0 + 582);
  EXPECT_GT(TextCursor->X, 582 + 10);
}

TEST_F(OptionsTest, HighlightingAnotherItemEndsTheEntryAndTheCapture) {
  Select(10);
  Game->Click();
  ASSERT_TRUE(CountryEntryOn);
  Select(8);
  EXPECT_FALSE(CountryEntryOn);

  Select(11);
  Game->Click();
  ASSERT_TRUE(BossCaptureMode);
  EXPECT_EQ(BossKeyText(), "?");
  Select(9);
  EXPECT_FALSE(BossCaptureMode);
  EXPECT_EQ(BossKeyText(), "ALT+F9") << "nothing was caught, so the old key is back";
}

TEST_F(OptionsTest, HeldModifierShowsDuringTheCaptureAndAFunctionKeyEndsIt) {
  Select(11);
  Game->Click();
  ScriptEvent ctrl{ScriptEvent::Down, vk::Control, "", 0, 0};
  Game->Deliver(ctrl);
  Game->RunTick();
  EXPECT_EQ(BossKeyText(), "CTRL+?");
  EXPECT_TRUE(BossCaptureMode);
  Game->Press(vk::F12);
  EXPECT_FALSE(BossCaptureMode);
  EXPECT_EQ(BossKeyText(), "CTRL+F12");
}

TEST_F(OptionsTest, CaptureLeftRunningByEscapeEndsWithoutTheOldKeyOnReturn) {
  Select(11);
  Game->Click();
  Game->Press(vk::Escape);
  ASSERT_EQ(CurrentScreen, ScreenMainMenu);
  EXPECT_TRUE(BossCaptureMode) << "leaving the screen does not end the capture";
  OpenFromMainMenu(kOptionsButton);
  EXPECT_FALSE(BossCaptureMode);
  EXPECT_EQ(BossKeyText(), "?");
  EXPECT_EQ(BossKey, 0);
}

TEST(BossKeyText, NamesTheModifierThenTheFunctionKey) {
  EXPECT_EQ(BossKeyText(ss::Alt, vk::F1 + 8), "ALT+F9");
  EXPECT_EQ(BossKeyText(ss::Ctrl, vk::F12), "CTRL+F12");
  EXPECT_EQ(BossKeyText(ss::Shift, vk::F12), "SHIFT+F12");
  EXPECT_EQ(BossKeyText(0, vk::F1 + 4), "F5");
  EXPECT_EQ(BossKeyText(0, vk::F1), "F1");
  EXPECT_EQ(BossKeyText(0, 0), "?");
  EXPECT_EQ(BossKeyText(ss::Ctrl, 0), "CTRL+?");
  EXPECT_EQ(BossKeyText(0, 'A'), "?") << "only F1 to F12 have names";
  EXPECT_EQ(BossKeyText(0, vk::F12 + 1), "?");
  EXPECT_EQ(BossKeyText(ss::Alt | ss::Ctrl | ss::Shift, vk::F1 + 1), "ALT+F2");
  EXPECT_EQ(BossKeyText(ss::Ctrl | ss::Shift, vk::F1 + 1), "CTRL+F2");
}
