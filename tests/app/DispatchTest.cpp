// Dialogs over the screens, confirmations and the window's requests.
#include <gtest/gtest.h>

#include "GameFixture.h"
#include "app/Audio.h"
#include "app/Dispatch.h"
#include "app/ScreenHooks.h"
#include "platform/KeyCodes.h"
#include "storage/GameOptions.h"

class DispatchTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    StartGame();
    Tick();
    Devices.sound->TakePlayed();
  }
};

TEST_F(DispatchTest, YesNoDialogSavesAndRestoresTheSelection) {
  CurrentScreen = ScreenMainMenu;
  FirstItem = 1;
  LastItem = 6;
  SelectedItem = 4;
  OpenDialog(DialogExitGame);
  EXPECT_EQ(ActiveDialog, DialogExitGame);
  EXPECT_EQ(FirstItem, kItemYes);
  EXPECT_EQ(LastItem, kItemNo);
  EXPECT_EQ(SelectedItem, kItemNo) << "No is preselected";
  ASSERT_NE(ItemSprites[kItemYes], nullptr);
  ASSERT_NE(ItemSprites[kItemNo], nullptr);
  ASSERT_NE(DialogPanel, nullptr);
  EXPECT_GE(Devices.system->CursorCounter, 0) << "the mouse cursor shows over a question";

  ConfirmItem(kItemNo);
  EXPECT_EQ(ActiveDialog, DialogNone);
  EXPECT_EQ(SelectedItem, 4);
  EXPECT_EQ(FirstItem, 1);
  EXPECT_EQ(LastItem, 6);
  EXPECT_EQ(ItemSprites[kItemYes], nullptr);
  EXPECT_FALSE(Form->Terminated());
}

TEST_F(DispatchTest, SendScoreQuestionPreselectsYes) {
  OpenDialog(DialogSendScore);
  EXPECT_EQ(SelectedItem, kItemYes);
}

TEST_F(DispatchTest, SecondDialogWhileOneIsOpenIsIgnored) {
  CurrentScreen = ScreenRace;
  OpenDialog(DialogExitToMenu);
  OpenDialog(DialogPause);
  EXPECT_EQ(ActiveDialog, DialogExitToMenu);
  const int sprites = Form->MDXSpriteEngine.SpriteCount();
  OpenDialog(DialogExitGame);
  EXPECT_EQ(Form->MDXSpriteEngine.SpriteCount(), sprites);
}

TEST_F(DispatchTest, DialogSpritesLeaveAtTheEndOfTheTick) {
  const int before = Form->MDXSpriteEngine.SpriteCount();
  OpenDialog(DialogClearHighScores);
  EXPECT_EQ(Form->MDXSpriteEngine.SpriteCount(), before + 3);  // panel, Yes, No
  CloseDialog();
  Tick();
  EXPECT_EQ(Form->MDXSpriteEngine.SpriteCount(), before);
}

TEST_F(DispatchTest, TimedDialogsStartTheirCountdowns) {
  OpenDialog(DialogLevelStart);
  EXPECT_EQ(DialogTimerMs, 2000);
  CloseDialog();
  OpenDialog(DialogTimeOver);
  EXPECT_EQ(DialogTimerMs, 3000);
  CloseDialog();
  OpenDialog(DialogGameOver);
  EXPECT_EQ(DialogTimerMs, 3000);
}

TEST_F(DispatchTest, YesOnExitTheGameShutsDown) {
  CurrentScreen = ScreenMainMenu;
  OpenDialog(DialogExitGame);
  ConfirmItem(kItemYes);
  EXPECT_TRUE(Form->Terminated());
  EXPECT_EQ(ActiveDialog, DialogNone);
}

TEST_F(DispatchTest, ConfirmationSoundsDependOnScreenAndItem) {
  EnterBikeSelect();
  ConfirmItem(7);
  ConfirmItem(8);
  ConfirmItem(9);
  CurrentScreen = ScreenRace;
  ConfirmItem(1);  // the race without a dialog is silent
  OpenDialog(DialogExitToMenu);
  ConfirmItem(kItemNo);
  EXPECT_EQ(Devices.sound->TakePlayed(), (std::vector<int>{3, 3, 2, 2}));
}

TEST_F(DispatchTest, CloseRequestAsksOnlyOnTheMainMenuAndInTheRace) {
  CurrentScreen = ScreenBikeSelect;
  EXPECT_FALSE(Form->FormCloseQuery());
  EXPECT_EQ(ActiveDialog, DialogNone);
  CurrentScreen = ScreenMainMenu;
  EXPECT_FALSE(Form->FormCloseQuery());
  EXPECT_EQ(ActiveDialog, DialogExitGame);
  CloseDialog();
  CurrentScreen = ScreenRace;
  EXPECT_FALSE(Form->FormCloseQuery());
  EXPECT_EQ(ActiveDialog, DialogExitToMenu);
}

TEST_F(DispatchTest, MinimisingTheRacePausesItUnlessAQuestionIsOpen) {
  CurrentScreen = ScreenRace;
  OpenDialog(DialogLevelStart);
  Form->WMSysCommand(kSysCommandMinimize);
  EXPECT_EQ(ActiveDialog, DialogPause) << "the level-start message gives way to the pause";
  CloseDialog();
  OpenDialog(DialogExitToMenu);
  Form->WMSize(kSizeMinimized);
  EXPECT_EQ(ActiveDialog, DialogExitToMenu);
  CloseDialog();
  CurrentScreen = ScreenMainMenu;
  Form->WMSysCommand(kSysCommandMinimize);
  EXPECT_EQ(ActiveDialog, DialogNone);
}

TEST_F(DispatchTest, ClosingADialogBringsBackTheMusicTheBossKeyStopped) {
  CurrentScreen = ScreenMainMenu;
  PlayScreenMusic();
  EXPECT_EQ(Devices.music->PlayingSong(), "Menu");
  BossKey = vk::F1 + 8;
  Form->FormKeyDown(vk::F1 + 8, ss::Alt);
  EXPECT_EQ(Devices.music->PlayingSong(), "");
  EXPECT_TRUE(MusicResumePending);
  OpenDialog(DialogExitGame);
  CloseDialog();
  EXPECT_EQ(Devices.music->PlayingSong(), "Menu");
  EXPECT_FALSE(MusicResumePending);
}

TEST_F(DispatchTest, AltEnterSwitchesTheDisplayAndPausesTheRace) {
  CurrentScreen = ScreenRace;
  Form->FormKeyDown(vk::Return, ss::Alt);
  EXPECT_TRUE(GameOptions.FullScreen);
  EXPECT_TRUE(Devices.display->FullScreen);
  EXPECT_EQ(ActiveDialog, DialogPause);
  Form->FormKeyDown(vk::Return, ss::Alt);
  EXPECT_FALSE(Devices.display->FullScreen);
}

TEST_F(DispatchTest, FullScreenAndBackRestoresTheWindowWhereItWas) {
  Devices.display->WindowPlacement = {17, 33};
  GameOptions.FullScreen = true;
  Form->ApplyDisplayMode();
  Devices.display->WindowPlacement = {0, 0};
  GameOptions.FullScreen = false;
  Form->ApplyDisplayMode();
  EXPECT_EQ(Devices.display->WindowPlacement.X, 17);
  EXPECT_EQ(Devices.display->WindowPlacement.Y, 33);
  Devices.display->WindowPlacement = {5, 5};
  Form->ApplyDisplayMode();  // windowed again, nothing saved: centred
  EXPECT_EQ(Devices.display->WindowPlacement.X, HeadlessDisplay::kCentredX);
}

TEST_F(DispatchTest, CursorCounterEndsJustShownOrJustHidden) {
  Devices.system->CursorCounter = -3;
  ShowMouseCursor();
  EXPECT_EQ(Devices.system->CursorCounter, 0);
  Devices.system->CursorCounter = 2;
  HideMouseCursor();
  EXPECT_EQ(Devices.system->CursorCounter, -1);
}

TEST(ItemNumbers, WrapAndSnapAtTheBounds) {
  EXPECT_EQ(NextItemWrap(6, 1, 6), 1);
  EXPECT_EQ(NextItemWrap(0, 1, 6), 1);
  EXPECT_EQ(NextItemWrap(3, 1, 6), 4);
  EXPECT_EQ(PreviousItemWrap(1, 1, 6), 6);
  EXPECT_EQ(PreviousItemWrap(0, 1, 6), 6);
  EXPECT_EQ(PreviousItemWrap(9, 1, 6), 6);
  EXPECT_EQ(PreviousItemWrap(4, 1, 6), 3);
  EXPECT_EQ(StepUpWithin(6, 6), 6);
  EXPECT_EQ(StepDownWithin(7, 7), 7);
  EXPECT_EQ(StepDownWithin(9, 7), 8);
  EXPECT_EQ(SnapToFirst(0, 7, 10), 7);
  EXPECT_EQ(SnapToFirst(8, 7, 10), 8);
  EXPECT_EQ(SnapToLast(11, 7, 10), 10);
}
