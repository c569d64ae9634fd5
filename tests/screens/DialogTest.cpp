// The dialog overlay: questions, timed messages, the name entry and the results tally.
#include <gtest/gtest.h>

#include <filesystem>

#include "MenuFixture.h"
#include "app/Dispatch.h"
#include "app/InputState.h"
#include "app/ShellState.h"
#include "platform/KeyCodes.h"
#include "race/RiderState.h"
#include "race/TrackState.h"
#include "screens/Dialogs.h"
#include "storage/HighScores.h"

namespace fs = std::filesystem;

class DialogTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    FinishIntro();
    ResetDialogState();
    SoundsPlayed();
  }
  // Ticks until the open dialog closes; the count includes the tick that closes it.
  int TicksUntilClosed(DialogKind kind) {
    int ticks = 0;
    while (ActiveDialog == kind && ticks < 1000) {
      Game->RunTick();
      ++ticks;
    }
    return ticks;
  }
  void SetRefreshRate(int hz) {
    Game->Devices().display->RefreshRate = hz;
    Game->Form().ApplyDisplayMode();
    Ticks(2);
  }
};

TEST_F(DialogTest, EscapeAsksAndNoReturnsToTheMenu) {
  Game->Press(vk::Escape);
  ASSERT_EQ(ActiveDialog, DialogExitGame);
  Game->Press('N');
  EXPECT_EQ(ActiveDialog, DialogNone);
  EXPECT_EQ(CurrentScreen, ScreenMainMenu);
  EXPECT_FALSE(Game->Form().Terminated());
}

TEST_F(DialogTest, YesSavesBothFilesAndEndsTheGame) {
  Game->Press(vk::Escape);
  Game->Press('Y');
  EXPECT_TRUE(Game->Form().Terminated());
  EXPECT_TRUE(fs::exists(Dir / "Data" / "Save" / "options"));
  EXPECT_TRUE(fs::exists(Dir / "Data" / "Save" / "hs"));
}

TEST_F(DialogTest, LeftEndsOnYesAndRightOnNoWithoutWrapping) {
  Game->Press(vk::Escape);
  ASSERT_EQ(SelectedItem, kItemNo);
  Game->Press(vk::Left);
  EXPECT_EQ(SelectedItem, kItemYes);
  Game->Press(vk::Left);
  EXPECT_EQ(SelectedItem, kItemYes);
  Game->Press(vk::Right);
  EXPECT_EQ(SelectedItem, kItemNo);
  Game->Press(vk::Right);
  EXPECT_EQ(SelectedItem, kItemNo);
  Game->MoveMouse(5, 5);
  SelectedItem = 0;  // nothing highlighted
  Game->Press(vk::Right);
  EXPECT_EQ(SelectedItem, kItemNo);
}

TEST_F(DialogTest, CloseRequestOnTheBikeScreenDoesNothing) {
  Game->Press(vk::Return);
  ASSERT_EQ(CurrentScreen, ScreenBikeSelect);
  Game->Form().FormCloseQuery();
  EXPECT_EQ(ActiveDialog, DialogNone);
}

TEST_F(DialogTest, TimedMessagesLastTheirTicksAt60And85Hertz) {
  struct Case {
    int hz;
    DialogKind kind;
    int ticks;
  };
  for (const Case& c : {Case{60, DialogLevelStart, 126}, Case{60, DialogGameOver, 188},
                        Case{85, DialogLevelStart, 182}, Case{85, DialogGameOver, 273}}) {
    SetRefreshRate(c.hz);
    OpenDialog(c.kind);
    EXPECT_EQ(TicksUntilClosed(c.kind), c.ticks) << c.hz << " Hz, dialog " << c.kind;
  }
}

TEST_F(DialogTest, GameOverWithAQualifyingScoreAsksForTheName) {
  Score = 1500;
  OpenDialog(DialogGameOver);
  TicksUntilClosed(DialogGameOver);
  EXPECT_EQ(ActiveDialog, DialogEnterName);
}

TEST_F(DialogTest, GameOverWithoutAPlaceReturnsToTheMainMenu) {
  CurrentScreen = ScreenRace;
  Score = 1000;
  OpenDialog(DialogGameOver);
  TicksUntilClosed(DialogGameOver);
  EXPECT_EQ(ActiveDialog, DialogNone);
  EXPECT_EQ(CurrentScreen, ScreenMainMenu);
}

TEST_F(DialogTest, NameEntryTakesTwelveCharactersAndEnterStoresIt) {
  Score = 4321;
  OpenDialog(DialogEnterName);
  Game->Type("Speedy Rider 2000!");
  EXPECT_EQ(NameEntry, "Speedy Rider");
  Game->Press(vk::Back);
  EXPECT_EQ(NameEntry, "Speedy Ride");
  Game->Press(vk::Return);
  EXPECT_EQ(ActiveDialog, DialogSendScore);
  EXPECT_EQ(SelectedItem, kItemYes);
  EXPECT_EQ(HighScores[7].Name, "Speedy Ride");
  EXPECT_EQ(HighScores[7].Points, 4321);
}

TEST_F(DialogTest, EmptyNameIsStoredEmpty) {
  Score = 20000;
  NameEntry.clear();
  OpenDialog(DialogEnterName);
  Game->Press(vk::Return);
  EXPECT_EQ(HighScores[1].Name, "");
  EXPECT_EQ(HighScores[1].Points, 20000);
}

TEST_F(DialogTest, SendingShowsItsTextForOneFrameThenEndsOnTheHighScores) {
  OpenDialog(DialogSendScore);
  Game->Press('Y');
  // The press tick closed the question and opened the sending message; the next tick ended it.
  EXPECT_EQ(ActiveDialog, DialogNone);
  EXPECT_EQ(CurrentScreen, ScreenHighScores);
}

TEST_F(DialogTest, SendingWaitsOneTickBeforeItSends) {
  OpenDialog(DialogSending);
  Game->RunTick();
  EXPECT_TRUE(SendingStarted);
  EXPECT_EQ(ActiveDialog, DialogSending);
  Game->RunTick();
  EXPECT_EQ(ActiveDialog, DialogNone);
}

TEST_F(DialogTest, PauseEndsOnPOrEscape) {
  OpenDialog(DialogPause);
  Game->Press('A');
  EXPECT_EQ(ActiveDialog, DialogPause);
  Game->Press('P');
  EXPECT_EQ(ActiveDialog, DialogNone);
  OpenDialog(DialogPause);
  Game->Press(vk::Escape);
  EXPECT_EQ(ActiveDialog, DialogNone);
}

TEST_F(DialogTest, ResultsTallyGivesFivePointsPerWholeSecondLeft) {
  for (const auto& [timeLeft, bonus] :
       {std::pair{12345, 60}, std::pair{0, 0}, std::pair{5999, 25}}) {
    Level = 3;
    Score = 100;
    PlacePrize = 50;
    EndDelayMs = timeLeft;
    ResetDialogState();
    OpenDialog(DialogLevelResults);
    TicksUntilClosed(DialogLevelResults);
    EXPECT_EQ(TimeBonus, bonus) << timeLeft;
    EXPECT_EQ(Score, 100 + 50 + bonus) << timeLeft;
  }
}

TEST_F(DialogTest, ResultLinesArriveOneASecondWithTheirSound) {
  Level = 1;
  EndDelayMs = 2000;
  OpenDialog(DialogLevelResults);
  Game->RunTick();
  EXPECT_EQ(ResultsLines, 1);
  Ticks(100);  // 1100 ms at 85 Hz
  EXPECT_EQ(ResultsLines, 2);
  const std::vector<int> sounds = SoundsPlayed();
  EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 3), 2);
}

TEST_F(DialogTest, TheTenthLevelEndsInCongratulations) {
  Level = 10;
  EndDelayMs = 1000;
  OpenDialog(DialogLevelResults);
  TicksUntilClosed(DialogLevelResults);
  EXPECT_EQ(ActiveDialog, DialogRaceFinished);
  EXPECT_EQ(EndDelayMs, 3200);
  const std::vector<int> sounds = SoundsPlayed();
  EXPECT_EQ(sounds.back(), 21);
}
