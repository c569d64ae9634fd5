// A game controller plays exactly as the keyboard: the same game driven once by keys and once by
// the pad gives the same state in every tick, through the menus, a race and its dialogs. A pad
// that is unplugged mid-race pauses it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
// Menus: the highlight down and up, into the bike selection, back out, in again, into a race.
// Race: throttle, a turn each way, brake, extra brake, horn, pause and resume, "Exit to menu?"
// answered No, then Yes.
constexpr const char* kKeyboard =
    "100 press Down\n"
    "104 press Down\n"
    "108 press Up\n"
    "112 press Up\n"
    "120 press Enter\n"
    "135 press Escape\n"
    "150 press Enter\n"
    "165 press Enter\n"
    "340 down Up\n"
    "420 down Left\n"
    "440 up Left\n"
    "470 down Right\n"
    "480 up Right\n"
    "500 up Up\n"
    "510 down Down\n"
    "540 up Down\n"
    "545 down Up\n"
    "580 up Up\n"
    "585 down Space\n"
    "600 up Space\n"
    "605 down H\n"
    "615 up H\n"
    "620 press P\n"
    "650 press Escape\n"
    "680 press Escape\n"
    "690 press Right\n"
    "700 press Enter\n"
    "720 press Escape\n"
    "730 press Left\n"
    "740 press Enter\n";

// The same with the pad; a stick nudged inside its dead zone does nothing.
constexpr const char* kPad =
    "50 pad-plug\n"
    "100 pad-press DpadDown\n"
    "104 pad-axis LeftY 30000\n"
    "105 pad-axis LeftY 0\n"
    "108 pad-press DpadUp\n"
    "112 pad-axis LeftY -20000\n"
    "113 pad-axis LeftY 0\n"
    "120 pad-press A\n"
    "135 pad-press B\n"
    "150 pad-press A\n"
    "165 pad-press A\n"
    "340 pad-axis RightTrigger 32767\n"
    "400 pad-axis LeftX -9000\n"
    "420 pad-axis LeftX -32768\n"
    "440 pad-axis LeftX 0\n"
    "470 pad-down DpadRight\n"
    "480 pad-up DpadRight\n"
    "500 pad-axis RightTrigger 0\n"
    "510 pad-axis LeftTrigger 25000\n"
    "540 pad-axis LeftTrigger 0\n"
    "545 pad-down A\n"
    "580 pad-up A\n"
    "585 pad-down B\n"
    "600 pad-up B\n"
    "605 pad-down Y\n"
    "615 pad-up Y\n"
    "620 pad-press Start\n"
    "650 pad-press B\n"
    "680 pad-press Back\n"
    "690 pad-press DpadRight\n"
    "700 pad-press A\n"
    "720 pad-press Back\n"
    "730 pad-press DpadLeft\n"
    "740 pad-press A\n";

class PadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() /
          ("gearrush-pad-" + std::to_string(getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Dir);
    fs::create_directories(Dir);
  }
  void TearDown() override { fs::remove_all(Dir); }

  // The state lines of a run of the given script.
  std::vector<std::string> Run(const std::string& name, const std::string& script, int ticks) {
    std::ofstream(Dir / (name + ".txt")) << script;
    const fs::path state = Dir / (name + ".jsonl");
    std::ostringstream line;
    line << GR_HEADLESS_EXE << " run --data " << GR_BINARY_DIR << " --ticks " << ticks
         << " --seed 5 --script " << (Dir / (name + ".txt")).string() << " --state "
         << state.string() << " 2> " << (Dir / "stderr.txt").string();
    const std::string command = line.str();
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    std::ifstream in(state);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  static bool Has(const std::string& line, const std::string& field) {
    return line.find(field) != std::string::npos;
  }

  fs::path Dir;
};
}  // namespace

TEST_F(PadTest, ThePadWalksTheMenusAndDrivesTheRaceExactlyAsTheKeyboardDoes) {
  const std::vector<std::string> keys = Run("keys", kKeyboard, 760);
  const std::vector<std::string> pad = Run("pad", kPad, 760);
  ASSERT_EQ(keys.size(), 760u);
  ASSERT_EQ(pad.size(), keys.size());
  // The keyboard run went where it should: into a race, paused, asked, and back to the menu.
  EXPECT_TRUE(Has(keys[200], "\"CurrentScreen\":6,"));
  EXPECT_TRUE(Has(keys[630], "\"ActiveDialog\":5,"));
  EXPECT_TRUE(Has(keys[685], "\"ActiveDialog\":2,"));
  EXPECT_TRUE(Has(keys[759], "\"CurrentScreen\":1,"));
  for (size_t i = 0; i < keys.size(); ++i) {
    ASSERT_EQ(pad[i], keys[i]) << "tick " << i + 1;
  }
}

TEST_F(PadTest, UnpluggingThePadMidRacePausesItAndLeavesNothingHeld) {
  const std::vector<std::string> lines = Run("unplug",
                                             "50 pad-plug\n"
                                             "120 pad-press A\n"
                                             "140 pad-press A\n"
                                             "340 pad-axis RightTrigger 32767\n"
                                             "340 pad-axis LeftX -32768\n"
                                             "450 pad-unplug\n"
                                             "470 press Escape\n",
                                             560);
  ASSERT_EQ(lines.size(), 560u);
  EXPECT_TRUE(Has(lines[448], "\"ActiveDialog\":0,"));
  EXPECT_TRUE(Has(lines[449], "\"ActiveDialog\":5,"));  // tick 450: paused
  // Resumed with the keyboard: the throttle and the turn went with the pad, so the bike slows.
  EXPECT_TRUE(Has(lines[480], "\"ActiveDialog\":0,"));
  auto speed = [&](const std::string& line) {
    const size_t at = line.find("\"Speed\":");
    return at == std::string::npos ? -1.0 : std::atof(line.c_str() + at + 8);
  };
  EXPECT_GT(speed(lines[448]), 0.0);
  EXPECT_LT(speed(lines[559]), speed(lines[480]));
}
