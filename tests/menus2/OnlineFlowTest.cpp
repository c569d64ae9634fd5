// The score sent after a game, and the link file opened when the game closes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ScreenFixture.h"
#include "app/Dispatch.h"
#include "app/InputState.h"
#include "app/ShellState.h"
#include "online/ScoreSubmission.h"
#include "platform/KeyCodes.h"
#include "race/RiderState.h"
#include "storage/GameOptions.h"

namespace fs = std::filesystem;

class OnlineFlowTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    FinishIntro();
  }
  std::vector<std::string>& Requests() { return Game->Devices().http->Requests; }
};

TEST_F(OnlineFlowTest, YesSendsOneRequestAndAFailureStillEndsOnTheHighScores) {
  Game->Form().SetScoreServer("http://scores.test:8080");
  NameEntry = "Anna Lee";
  Score = 12345;
  GameOptions.Country = "Chile";
  OpenDialog(DialogSendScore);
  Game->Press('Y');
  ASSERT_EQ(Requests().size(), 1u) << "one GET, no retry after the failure";
  EXPECT_EQ(Requests()[0],
            ScoreSubmissionUrl("http://scores.test:8080", "Anna Lee", 12345, "Chile"));
  EXPECT_EQ(Requests()[0].rfind("http://scores.test:8080/cgi/version.pl?hs&prg=GearRush&inf=", 0),
            0u);
  EXPECT_EQ(ActiveDialog, DialogNone);
  EXPECT_EQ(CurrentScreen, ScreenHighScores);
  EXPECT_TRUE(Game->Devices().system->Errors.empty()) << "no message about the network";
}

TEST_F(OnlineFlowTest, ASlowRequestKeepsSendingOnScreenUntilItEnds) {
  constexpr int kRequestTicks = 40;
  Game->Devices().http->PollsToEnd = kRequestTicks;
  OpenDialog(DialogSendScore);
  Game->Press('Y');  // the text shown, then the request made
  ASSERT_EQ(Requests().size(), 1u);
  int ticksWaited = 0;
  const int presentedBefore = Game->Devices().display->PresentCount;
  while (ActiveDialog == DialogSending && ticksWaited < 10 * kRequestTicks) {
    Game->RunTick();
    ++ticksWaited;
  }
  EXPECT_EQ(ticksWaited, kRequestTicks) << "it ends the set number of ticks after it was made";
  EXPECT_EQ(Game->Devices().display->PresentCount - presentedBefore, ticksWaited)
      << "a frame every tick of the wait";
  EXPECT_EQ(Requests().size(), 1u) << "started once";
  EXPECT_EQ(CurrentScreen, ScreenHighScores);
}

TEST_F(OnlineFlowTest, NoSendsNothingAndShowsTheHighScores) {
  OpenDialog(DialogSendScore);
  Game->Press('N');
  EXPECT_TRUE(Requests().empty());
  EXPECT_EQ(CurrentScreen, ScreenHighScores);
}

TEST_F(OnlineFlowTest, ShutdownOpensTheLinkFileOnlyWhenItIsThere) {
  std::ofstream(Dir / "play.url") << "[InternetShortcut]\r\nURL=http://www.gearrush.example/\r\n";
  QuitThroughTheMainMenu();
  ASSERT_EQ(LinksOpened().size(), 1u);
  EXPECT_EQ(LinksOpened()[0], "play.url");
}

TEST_F(OnlineFlowTest, ShutdownWithoutALinkFileOpensNothing) {
  QuitThroughTheMainMenu();
  EXPECT_TRUE(LinksOpened().empty());
}

TEST_F(OnlineFlowTest, AFolderNamedLikeTheLinkFileIsNotOpened) {
  fs::create_directory(Dir / "play.url");
  QuitThroughTheMainMenu();
  EXPECT_TRUE(LinksOpened().empty());
}
