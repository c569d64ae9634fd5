// Stored texts far longer than the player can type: a megabyte name in the table and a megabyte
// country are drawn as the screens' entries would allow, and the screens keep ticking.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include "ScreenFixture.h"
#include "app/ShellState.h"
#include "storage/GameOptions.h"
#include "storage/HighScores.h"

namespace {
constexpr int kOptionsButton = 3;
constexpr int kHighScoresButton = 4;
constexpr size_t kMegabyte = 1 << 20;
}  // namespace

class LongStoredTextTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    FinishIntro();
  }
  std::vector<uint16_t> Frame() {
    const Surface& frame = Game->Devices().display->LastFrame;
    return {frame.Data(), frame.Data() + static_cast<size_t>(frame.Width()) * frame.Height()};
  }
  // The longest of 20 ticks, in ms.
  double LongestTickMs() {
    double longestMs = 0;
    for (int i = 0; i < 20; ++i) {
      const auto start = std::chrono::steady_clock::now();
      Game->RunTick();
      longestMs = std::max(longestMs, std::chrono::duration<double, std::milli>(
                                          std::chrono::steady_clock::now() - start)
                                          .count());
    }
    return longestMs;
  }
  // The frame drawn with the short text, then with the long one; the tick times of both are
  // printed side by side.
  void ExpectSameFrame(const char* what, const std::function<void(bool)>& useLongText) {
    useLongText(false);
    const double shortMs = LongestTickMs();
    const std::vector<uint16_t> shortFrame = Frame();
    useLongText(true);
    const double longMs = LongestTickMs();
    std::printf("[ long text ] %s: longest of 20 ticks %.2f ms (%.2f ms with the short text)\n",
                what, longMs, shortMs);
    EXPECT_TRUE(Frame() == shortFrame) << what << " draws only what could have been typed";
  }
};

TEST_F(LongStoredTextTest, AMegabyteNameShowsAsItsFirstTwelveCharacters) {
  OpenFromMainMenu(kHighScoresButton);
  ASSERT_EQ(CurrentScreen, ScreenHighScores);
  ExpectSameFrame("1 MB name on the high-score screen", [](bool longText) {
    HighScores[2].Name = std::string(longText ? kMegabyte : 12, 'W');
  });
  EXPECT_EQ(HighScores[2].Name.size(), kMegabyte) << "the table itself keeps what was stored";
}

TEST_F(LongStoredTextTest, AMegabyteCountryShowsAsItsFirstSixteenCharacters) {
  OpenFromMainMenu(kOptionsButton);
  ASSERT_EQ(CurrentScreen, ScreenOptions);
  ExpectSameFrame("1 MB country on the options screen", [](bool longText) {
    GameOptions.Country = std::string(longText ? kMegabyte : 16, 'M');
  });
}
