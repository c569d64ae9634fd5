// The whole way: the headless game, pointed at a score server of its own, plays a race, ends it
// with a score for the table, sends it, and the server's list shows it.
#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ScoresProcess.h"
#include "storage/GameOptions.h"
#include "storage/HighScores.h"
#include "storage/OptionsFile.h"
#include "storage/SaveFile.h"
#include "storage/SaveFiles.h"

namespace fs = std::filesystem;

namespace {
// Into the race at full throttle, long enough for some bonuses on the first straight.
constexpr int kRaceStartTick = 140;
constexpr int kThrottleTick = 330;
constexpr int kRaceTicks = 1400;

class EndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() / ("gearrush-e2e-" + std::to_string(getpid()));
    fs::remove_all(Dir);
    fs::create_directories(Dir / "Data" / "Save");
    const fs::path baked = fs::path(GR_BINARY_DIR) / "Data";
    for (const char* folder : {"Res", "Music", "Fonts"}) {
      fs::create_directory_symlink(baked / folder, Dir / "Data" / folder);
    }
  }
  void TearDown() override { fs::remove_all(Dir); }

  // A player's own table whose last place any score above 0 beats, and their country.
  void WritePlayersSaves(const std::string& country) {
    SetDefaultOptions();
    GameOptions.Country = country;
    for (int i = 1; i <= kHighScoreEntries; ++i) HighScores[i] = {"ANONYMOUS", 0};
    HighScores[1].Points = 50;
    SaveFolder folder((Dir / "Data" / "Save").string());
    ASSERT_EQ(WriteSaveFiles(folder), std::vector<std::string>{});
    ResetOptionsState();
    ResetHighScores();
  }

  // Runs the runner; the state lines.
  std::vector<std::string> Run(const std::string& script, int ticks, const std::string& extra) {
    std::ofstream(Dir / "script.txt") << script;
    const std::string command =
        std::string(GR_HEADLESS_EXE) + " run --data " + Dir.string() + " --ticks " +
        std::to_string(ticks) + " --script " + (Dir / "script.txt").string() + " --state " +
        (Dir / "state.jsonl").string() + " " + extra + " 2> " + (Dir / "stderr.txt").string();
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    std::vector<std::string> lines;
    std::ifstream in(Dir / "state.jsonl");
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  static long Field(const std::string& line, const std::string& name) {
    const size_t at = line.find("\"" + name + "\":");
    if (at == std::string::npos) return -1;
    return std::strtol(line.c_str() + at + name.size() + 3, nullptr, 10);
  }

  fs::path Dir;
};

std::string RaceScript() {
  std::ostringstream script;
  script << "120 press Enter\n"
         << kRaceStartTick << " press Enter\n"
         << kThrottleTick << " down Up\n";
  return script.str();
}
}  // namespace

TEST_F(EndToEndTest, TheGamesScoreReachesTheOnlineListThatItsLinkOpens) {
  WritePlayersSaves("New Zealand");
  ScoresProcess server(Dir / "scores.db", Dir / "server-log.txt");

  // First the race alone, to find a tick at which the score is on the board.
  const std::vector<std::string> race = Run(RaceScript(), kRaceTicks, "");
  ASSERT_EQ(race.size(), static_cast<size_t>(kRaceTicks));
  int scoredTick = 0;
  for (const std::string& line : race) {
    if (Field(line, "Score") > 0) {
      scoredTick = static_cast<int>(Field(line, "tick"));
      break;
    }
  }
  ASSERT_GT(scoredTick, 0) << "no bonus picked up: " << race.back();

  // Then the same race, left with that score: "Exit to menu?", the name, and Yes to sending;
  // then the high-score screen's online list.
  std::ostringstream script;
  int tick = scoredTick + 5;
  script << RaceScript() << tick << " up Up\n"
         << tick << " press Escape\n"
         << tick + 10 << " press Y\n"
         << tick + 20 << " type Rider 7\n"
         << tick + 30 << " press Enter\n"
         << tick + 40 << " press Y\n";
  const int sentTick = tick + 60;
  // The high-score screen's online-list item: Left to it, Enter.
  script << sentTick << " press Left\n" << sentTick + 10 << " press Enter\n";
  const std::vector<std::string> ended =
      Run(script.str(), sentTick + 30,
          "--score-server " + server.BaseUrl() + " --open-log " + (Dir / "open.txt").string());
  ASSERT_FALSE(ended.empty());
  const long score = Field(ended[tick - 1], "Score");
  ASSERT_GT(score, 0);

  const std::string list = server.BaseUrl() + "/cgi/version.pl?prg=GearRush&show&type=0";
  std::ifstream opened(Dir / "open.txt");
  std::string link;
  std::getline(opened, link);
  EXPECT_EQ(link, list) << "the game's online-list link is the server's list";

  httplib::Client client(server.BaseUrl());
  const httplib::Result page = client.Get("/cgi/version.pl?prg=GearRush&show&type=0");
  ASSERT_TRUE(page);
  ASSERT_EQ(page->status, 200);
  EXPECT_NE(page->body.find("<td class=\"n\">1</td><td>Rider 7</td><td class=\"n\">" +
                            std::to_string(score) + "</td><td>New Zealand</td>"),
            std::string::npos)
      << page->body << "\nserver log:\n"
      << server.Log();
}
