// Where the dialogs and the race HUD put their texts, in which style: the game runs with a text
// renderer whose every text is a solid block of a size fixed by its font's points, so each text
// shows in the presented frame as a rectangle of its style's colour, and the renderer notes the
// font each text was rendered in.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "MenuFixture.h"
#include "app/Dispatch.h"
#include "app/InputState.h"
#include "app/ShellState.h"
#include "platform/KeyCodes.h"
#include "platform/headless/HeadlessPlatform.h"
#include "race/RiderState.h"
#include "race/TPlayer.h"
#include "race/TrackState.h"
#include "screens/Dialogs.h"

namespace {

// The game's text styles: face, points, bold, colour.
struct Style {
  const char* Face;
  int Points;
  bool Bold;
  uint32_t Rgb;
};
const Style kStyles[25] = {
    {},
    {"BancoDi", 30, false, 0xFFDE00}, {"BancoDi", 18, false, 0xFFDE00},
    {"BancoDi", 24, false, 0xFFDE00}, {"BancoDi", 28, true, 0x000000},
    {"BancoDi", 36, false, 0xF40909}, {"BancoDi", 16, false, 0x42FCCA},
    {"BancoDi", 20, false, 0x42FCCA}, {"BancoDi", 16, false, 0xFFFFFF},
    {"BancoDi", 26, false, 0xFFDE00}, {"BancoDi", 26, false, 0x00FFAE},
    {"BancoDi", 24, false, 0xFFDE00}, {"BancoDi", 24, false, 0xFFDE00},
    {"BancoDi", 24, false, 0x00FFAE}, {"BancoDi", 24, false, 0xFFDE00},
    {"BancoDi", 78, false, 0xFFF2A8}, {"BancoDi", 24, false, 0xBFA600},
    {"BancoDi", 18, false, 0xFFDE00}, {"BancoDi", 22, false, 0x42FCCA},
    {"BancoDi", 28, false, 0xFFF2A8}, {"BancoDi", 14, false, 0xFFF2A8},
    {"BancoDi", 15, false, 0xFFF2A8}, {"Courier", 14, false, 0x00FF00},
    {"BancoDi", 20, false, 0xFFF2A8}, {"BancoDi", 14, false, 0x42FCCA},
};

uint16_t Pixel565(uint32_t rgb) {
  return static_cast<uint16_t>(((rgb >> 16 & 0xFF) >> 3) << 11 | ((rgb >> 8 & 0xFF) >> 2) << 5 |
                               (rgb & 0xFF) >> 3);
}

// Each character is as wide as CharWidth(points) says, plus one pixel for the whole text (so
// widths are odd and centring truncates); a text is its font's points plus three high.
class BlockFont final : public TextRenderer {
 public:
  struct Rendered {
    std::string Text, Face;
    int Points;
    bool Bold;
  };
  void SetFont(const std::string& face, int points, bool bold) override {
    Face = face;
    Points = points;
    Bold = bold;
  }
  int TextWidth(const std::string& text) override {
    return static_cast<int>(text.size()) * CharWidth(Points) + Extra;
  }
  int TextHeight(const std::string&) override { return Points + 3; }
  const TextMask& Render(const std::string& text) override {
    Log.push_back({text, Face, Points, Bold});
    Mask.Width = TextWidth(text);
    Mask.Height = TextHeight(text);
    Mask.Coverage.assign(static_cast<size_t>(Mask.Width) * Mask.Height, 255);
    return Mask;
  }
  std::function<int(int)> CharWidth = [](int points) { return points / 2; };
  int Extra = 1;
  std::string Face;
  int Points = 0;
  bool Bold = false;
  std::vector<Rendered> Log;
  TextMask Mask;  // lent until the next Render
};

}  // namespace

class TextPlacementTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    Game.reset();
    ResetGameState();
    auto font = std::make_unique<BlockFont>();
    Font = font.get();
    Game = std::make_unique<HeadlessDriver>(1, 85, 85, std::move(font));
    Game->Form().FormCreate();
    FinishIntro();
    ResetDialogState();
  }

  // One more frame; the texts are checked in the picture it presents.
  void Frame() {
    Font->Log.clear();
    Game->RunTick();
  }
  const Surface& Picture() { return Game->Devices().display->LastFrame; }

  // The text's block lies exactly at the place the anchor and centring give, in the style's
  // colour, and the text was rendered in the style's font.
  void ExpectText(const std::string& text, int style, int x, int y, bool centreX = true,
                  bool centreY = true) {
    const Style& s = kStyles[style];
    const int w = static_cast<int>(text.size()) * Font->CharWidth(s.Points) + Font->Extra;
    const int h = s.Points + 3;
    const int left = centreX ? static_cast<int>(x - w / 2.0) : x;
    const int top = centreY ? static_cast<int>(y - h / 2.0) : y;
    const uint16_t colour = Pixel565(s.Rgb);
    const Surface& picture = Picture();
    auto filled = [&](int x0, int y0, int x1, int y1) {  // every pixel of [x0, x1) x [y0, y1)
      for (int py = y0; py < y1; ++py)
        for (int px = x0; px < x1; ++px)
          if (picture.At(px, py) != colour) return false;
      return true;
    };
    EXPECT_TRUE(filled(left, top, left + w, top + h))
        << '"' << text << "\" not at (" << left << ", " << top << ") size " << w << " x " << h;
    // Nothing of it beyond: a block one pixel further any way would colour these lines.
    EXPECT_FALSE(filled(left - 1, top, left, top + h)) << '"' << text << "\" reaches further left";
    EXPECT_FALSE(filled(left + w, top, left + w + 1, top + h)) << '"' << text << "\" further right";
    EXPECT_FALSE(filled(left, top - 1, left + w, top)) << '"' << text << "\" reaches higher";
    EXPECT_FALSE(filled(left, top + h, left + w, top + h + 1)) << '"' << text << "\" lower";
    bool rendered = false;
    for (const BlockFont::Rendered& r : Font->Log) {
      if (r.Text != text) continue;
      rendered = true;
      EXPECT_EQ(r.Face, s.Face) << '"' << text << '"';
      EXPECT_EQ(r.Points, s.Points) << '"' << text << '"';
      EXPECT_EQ(r.Bold, s.Bold) << '"' << text << '"';
    }
    EXPECT_TRUE(rendered) << '"' << text << "\" was not drawn";
  }

  BlockFont* Font = nullptr;
};

TEST_F(TextPlacementTest, QuestionsSitOnThePanelInTheirStyles) {
  OpenDialog(DialogExitGame);
  Frame();
  ExpectText("Exit the game?", 1, 382, 269);
  CloseDialog();
  OpenDialog(DialogExitToMenu);
  Frame();
  ExpectText("Exit to menu?", 1, 382, 269);
  CloseDialog();
  OpenDialog(DialogClearHighScores);
  Frame();
  ExpectText("Do you want to clear", 3, 382, 253);
  ExpectText("the High Score Table?", 3, 382, 283);
  CloseDialog();
  OpenDialog(DialogSendScore);
  Frame();
  ExpectText("Send the result to World's", 11, 382, 245);
  ExpectText("Highscores page?", 11, 382, 281);
  CloseDialog();
}

TEST_F(TextPlacementTest, MessagesAreLargeRedTextsOverTheScreen) {
  OpenDialog(DialogTimeOver);
  Frame();
  ExpectText("Your time is over,", 5, 348, 217);
  ExpectText("Try again, please!", 5, 348, 267);
  CloseDialog();
  OpenDialog(DialogPause);
  Frame();
  ExpectText("Pause", 5, 400, 300);
  CloseDialog();
  Level = 7;
  OpenDialog(DialogLevelStart);
  Frame();
  ExpectText("Level 7", 5, 400, 300);
  CloseDialog();
  OpenDialog(DialogGameOver);
  Frame();
  ExpectText("Game Over", 5, 400, 300);
  CloseDialog();
  OpenDialog(DialogSending);
  Frame();
  ExpectText("Sending...", 1, 382, 269);
}

TEST_F(TextPlacementTest, NameEntryShowsTheScoreThePromptAndTheName) {
  Score = 4321;
  NameEntry = "Ann";
  OpenDialog(DialogEnterName);
  Frame();
  ExpectText("Your score is 4321", 9, 382, 253);
  ExpectText("Please enter your name: ", 9, 382, 288);
  ExpectText("Ann", 10, 382, 323);
}

TEST_F(TextPlacementTest, TheResultsLinesLabelsStayPutWhileTheirNumbersChange) {
  RacePlace = 2;
  PlacePrize = 600;
  EndDelayMs = 12345;
  OpenDialog(DialogLevelResults);
  ResultsLines = 3;  // the next frame shows the fourth line
  ResultsStepMs = 0;
  TimeBonus = 35;
  Frame();
  ExpectText("Your rank is 2", 11, 382, 244);
  ExpectText("Bonus: 600", 11, 382, 274);
  ExpectText("Time left: 12", 11, 307, 304, /*centreX=*/false);
  ExpectText("Time bonus: 35", 11, 292, 334, /*centreX=*/false);
}

TEST_F(TextPlacementTest, TheRaceFinishedCongratulates) {
  EndDelayMs = 3200;
  OpenDialog(DialogRaceFinished);
  Frame();
  ExpectText("CONGRATULATIONS!", 9, 382, 259);
  ExpectText("You finished the race!", 9, 382, 309);
}

TEST_F(TextPlacementTest, TheRaceHudShowsItsSixNumbersUnderThePause) {
  Game->Press(vk::Return);
  Game->Press(vk::Return);
  ASSERT_EQ(CurrentScreen, ScreenRace);
  for (int i = 0; i < 400 && ActiveDialog == DialogLevelStart; ++i) Game->RunTick();
  Game->Press('P');
  ASSERT_EQ(ActiveDialog, DialogPause);
  Level = 3;
  TimeLeftMs = 65400;
  Score = 1234;
  Lives = 2;
  Player->Speed = 10;
  RacePlace = 2;
  RacerCount = 4;
  Frame();
  ExpectText("LEVEL 3 / 10", 6, 714, 20);
  ExpectText("01 : 05", 18, 87, 23);
  ExpectText("1234", 18, 84, 218);
  ExpectText("2", 18, 113, 342);
  ExpectText("19", 18, 91, 578);
  ExpectText("2/4", 24, 635, 185, /*centreX=*/false);
  ExpectText("Pause", 5, 400, 300);
}

// A character is added while the name, measured in the entry's style, is at most 240 pixels
// wide; the one that takes it past 240 is still added.
TEST_F(TextPlacementTest, TheNameStopsGrowingOnceWiderThan240Pixels) {
  // Forty pixels a character in the entry's 26-point style, none elsewhere.
  Font->CharWidth = [](int points) { return points == 26 ? 40 : points / 2; };
  Font->Extra = 0;
  Score = 2000;
  NameEntry.clear();
  OpenDialog(DialogEnterName);
  Game->Type("ABCDEFGHIJ");
  // Six characters are 240 pixels: the seventh is still taken, the eighth not.
  EXPECT_EQ(NameEntry, "ABCDEFG");
  Game->Press(vk::Back);
  Game->Type("XY");
  EXPECT_EQ(NameEntry, "ABCDEFX");
  Frame();
  ExpectText("ABCDEFX", 10, 382, 323);
}
