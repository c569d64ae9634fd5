// A whole race replays exactly from its seed and its input: the track, the opponents, the
// bonuses and the bike all follow the game's one generator and the frame timing.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {
// Into the race, then full throttle with a few turns, a hard stop and more throttle.
constexpr const char* kScript =
    "120 press Enter\n"
    "140 press Enter\n"
    "330 down Up\n"
    "700 down Left\n"
    "760 up Left\n"
    "900 down Right\n"
    "950 up Right\n"
    "1100 down Space\n"
    "1180 up Space\n"
    "1300 down Right\n";

class ReplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() /
          ("gearrush-replay-" + std::to_string(getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    std::ofstream(Dir / "script.txt") << kScript;
  }
  void TearDown() override { fs::remove_all(Dir); }

  std::string Run(int seed, const std::string& name) {
    const fs::path state = Dir / name;
    std::ostringstream line;
    line << GR_HEADLESS_EXE << " run --data " << GR_BINARY_DIR << " --ticks 1600 --seed " << seed
         << " --script " << (Dir / "script.txt").string() << " --state " << state.string()
         << " 2> " << (Dir / "stderr.txt").string();
    const std::string command = line.str();
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    std::ifstream in(state);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path Dir;
};
}  // namespace

TEST_F(ReplayTest, ASeedAndAScriptReplayTheSameRaceAndAnotherSeedAnotherOne) {
  const std::string first = Run(7, "a.jsonl");
  const std::string second = Run(7, "b.jsonl");
  ASSERT_FALSE(first.empty());
  // The race was under way: the bike moved and the view left the start.
  EXPECT_NE(first.find("\"Speed\":"), std::string::npos);
  EXPECT_EQ(first.find("\"ViewRow\":1478,\"RoadX\":0,\"RoadY\":0,\"ScrollVX\":0,\"ScrollVY\":0,"
                       "\"Speed\":0,",
                       first.rfind('\n', first.size() - 2)),
            std::string::npos);
  EXPECT_EQ(first, second);
  EXPECT_NE(first, Run(8, "c.jsonl"));
}
