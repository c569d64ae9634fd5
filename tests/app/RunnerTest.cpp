// The headless runner end to end: the real game driven by its command line.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "GameFixture.h"

namespace fs = std::filesystem;

namespace {
struct RunResult {
  int Status = -1;
  std::vector<std::string> StateLines;
  std::string Errors;
};

class RunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() /
          ("gearrush-runner-" + std::to_string(getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Dir);
    WriteTestData(Dir);
  }
  void TearDown() override { fs::remove_all(Dir); }

  RunResult Run(const std::string& args, const std::string& script = "") {
    std::string command = std::string(GR_HEADLESS_EXE) + " run --data " + Dir.string() +
                          " --state " + (Dir / "state.jsonl").string() + " " + args;
    if (!script.empty()) {
      std::ofstream(Dir / "script.txt") << script;
      command += " --script " + (Dir / "script.txt").string();
    }
    command += " 2> " + (Dir / "stderr.txt").string();
    RunResult result;
    const int status = std::system(command.c_str());
    result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream state(Dir / "state.jsonl");
    for (std::string line; std::getline(state, line);) result.StateLines.push_back(line);
    std::ifstream errors(Dir / "stderr.txt");
    result.Errors.assign(std::istreambuf_iterator<char>(errors), {});
    return result;
  }

  fs::path Dir;
};

bool Has(const std::string& line, const std::string& field) {
  return line.find(field) != std::string::npos;
}
}  // namespace

TEST_F(RunnerTest, AtSixtyHertzEveryStateLineShowsTheRefreshRatesTiming) {
  const RunResult run = Run("--refresh 60 --ticks 200");
  ASSERT_EQ(run.Status, 0) << run.Errors;
  ASSERT_EQ(run.StateLines.size(), 200u);
  EXPECT_TRUE(Has(run.StateLines[0], "\"tick\":1,"));
  for (const std::string& line : run.StateLines) {
    ASSERT_TRUE(Has(line, "\"MotionFactor\":1.4166666666666667,")) << line;
    ASSERT_TRUE(Has(line, "\"FrameMs\":16,")) << line;
  }
  EXPECT_TRUE(Has(run.StateLines.back(), "\"MeasuredFrameRate\":60,"));
}

TEST_F(RunnerTest, MeasuredFrameRateOverridesTheRefreshRateOnlyWhenClearlyOff) {
  struct Case {
    int fps;
    const char* motion;
    const char* frameMs;
  };
  for (const Case& c :
       {Case{56, "1.5178571428571428", "17"}, Case{57, "1.4166666666666667", "16"},
        Case{62, "1.3709677419354838", "16"}, Case{63, "1.4166666666666667", "16"}}) {
    const RunResult run = Run("--refresh 60 --fps " + std::to_string(c.fps) + " --ticks 200");
    ASSERT_EQ(run.Status, 0) << run.Errors;
    const std::string& last = run.StateLines.back();
    EXPECT_TRUE(Has(last, std::string("\"MotionFactor\":") + c.motion + ",")) << c.fps << last;
    EXPECT_TRUE(Has(last, std::string("\"FrameMs\":") + c.frameMs + ",")) << c.fps << last;
  }
}

TEST_F(RunnerTest, MissingCollectionStopsStartUpWithTheGamesMessage) {
  fs::remove(Dir / "Data" / "Res" / "Res1.dxg");
  const RunResult run = Run("--ticks 5");
  EXPECT_NE(run.Status, 0);
  EXPECT_TRUE(Has(run.Errors, "Cannot open file \"Data/Res/Res1.dxg\". No such file or directory"))
      << run.Errors;
  EXPECT_TRUE(run.StateLines.empty());
}

TEST_F(RunnerTest, SeedIsTheGeneratorsStartingState) {
  const RunResult run = Run("--seed 4242 --ticks 1");
  ASSERT_EQ(run.Status, 0) << run.Errors;
  EXPECT_TRUE(Has(run.StateLines[0], "\"seed\":4242,")) << run.StateLines[0];
}

TEST_F(RunnerTest, LevelOptionStartsTheFirstRaceAtThatLevel) {
  // Start race, start the first bike; the race opens on its level-start dialog.
  const std::string startRace = "120 press Enter\n140 press Enter\n";
  const RunResult run = Run("--level 5 --ticks 200", startRace);
  ASSERT_EQ(run.Status, 0) << run.Errors;
  const std::string& last = run.StateLines.back();
  EXPECT_TRUE(Has(last, "\"CurrentScreen\":6,")) << last;
  // Level 5 from the level table: 110 seconds, still frozen under the level-start dialog.
  EXPECT_TRUE(Has(last, "\"Level\":5,")) << last;
  EXPECT_TRUE(Has(last, "\"TimeLeftMs\":110000,")) << last;
  EXPECT_TRUE(Has(last, "\"ActiveDialog\":6,")) << last;
  EXPECT_NE(Run("--level 11 --ticks 1").Status, 0);
  EXPECT_NE(Run("--level 0 --ticks 1").Status, 0);
}

TEST_F(RunnerTest, ScreenshotsAreWrittenForTheAskedTicks) {
  const RunResult run = Run("--ticks 12 --shots " + (Dir / "shots").string() + " --shot-at 3,12");
  ASSERT_EQ(run.Status, 0) << run.Errors;
  EXPECT_TRUE(fs::exists(Dir / "shots" / "tick-000003.png"));
  EXPECT_TRUE(fs::exists(Dir / "shots" / "tick-000012.png"));
  EXPECT_FALSE(fs::exists(Dir / "shots" / "tick-000004.png"));
}

TEST_F(RunnerTest, AltEnterFromAScriptSwitchesToFullScreen) {
  const RunResult run = Run("--ticks 4", "2 down Alt\n2 press Enter\n3 up Alt\n");
  ASSERT_EQ(run.Status, 0) << run.Errors;
  EXPECT_TRUE(Has(run.StateLines[0], "\"FullScreen\":false"));
  EXPECT_TRUE(Has(run.StateLines[1], "\"FullScreen\":true"));
}

TEST_F(RunnerTest, YesOnExitTheGameSavesBothFilesAndReportsTheShutdownTick) {
  const RunResult run = Run("--ticks 200", "80 press Escape\n83 press Y\n");
  ASSERT_EQ(run.Status, 0) << run.Errors;
  EXPECT_TRUE(Has(run.Errors, "shutdown at tick 83")) << run.Errors;
  EXPECT_EQ(run.StateLines.size(), 83u);
  EXPECT_TRUE(fs::exists(Dir / "Data" / "Save" / "options"));
  EXPECT_TRUE(fs::exists(Dir / "Data" / "Save" / "hs"));
}

TEST_F(RunnerTest, TicksRunningOutWritesNoSaveFiles) {
  const RunResult run = Run("--ticks 20");
  ASSERT_EQ(run.Status, 0) << run.Errors;
  EXPECT_FALSE(fs::exists(Dir / "Data" / "Save" / "options"));
}

TEST_F(RunnerTest, BadScriptLineIsReportedNotRun) {
  const RunResult run = Run("--ticks 4", "# comment\n\n2 press Hyper\n");
  EXPECT_NE(run.Status, 0);
  EXPECT_TRUE(Has(run.Errors, "script line 3")) << run.Errors;
}

TEST_F(RunnerTest, FocusLossStopsTheTimerButNotTheStateLines) {
  const RunResult run = Run("--ticks 200", "10 focus-lost\n150 focus-gained\n");
  ASSERT_EQ(run.Status, 0) << run.Errors;
  ASSERT_EQ(run.StateLines.size(), 200u);
}

// The race's clock, speed and road, which a running frame timer changes every tick.
std::string RaceMotion(const std::string& line) {
  std::string motion;
  for (const char* field : {"\"TimeLeftMs\":", "\"Speed\":", "\"ViewRow\":", "\"ScrollVY\":"}) {
    const size_t at = line.find(field);
    if (at == std::string::npos) return "?";
    motion += line.substr(at, line.find(',', at) - at) + " ";
  }
  return motion;
}

long Field(const std::string& line, const std::string& name) {
  const size_t at = line.find("\"" + name + "\":");
  return at == std::string::npos ? -1 : std::atol(line.c_str() + at + name.size() + 3);
}

TEST_F(RunnerTest, ARaceFreezesWhileTheWindowHasLostFocusAndGoesOnWithoutAJump) {
  // Into a race with the throttle held; the window loses focus at tick 400 for 80 ticks.
  const RunResult run = Run("--ticks 520 --seed 5",
                            "120 press Enter\n140 press Enter\n340 down Up\n"
                            "400 focus-lost\n480 focus-gained\n");
  ASSERT_EQ(run.Status, 0) << run.Errors;
  ASSERT_EQ(run.StateLines.size(), 520u);
  const std::vector<std::string>& lines = run.StateLines;  // lines[i] is tick i + 1
  ASSERT_TRUE(Has(lines[398], "\"CurrentScreen\":6,")) << lines[398];
  ASSERT_NE(RaceMotion(lines[397]), RaceMotion(lines[398]));  // tick 399 still moves
  for (int tick = 400; tick < 480; ++tick) {
    EXPECT_EQ(RaceMotion(lines[tick - 1]), RaceMotion(lines[398])) << "tick " << tick;
    // Only the frame timer stops: no dialog covers the race.
    EXPECT_TRUE(Has(lines[tick - 1], "\"ActiveDialog\":0,")) << "tick " << tick;
  }
  // Back in focus, each tick takes one frame off the race's time, as before the pause: the
  // 80 ticks spent away are not charged.
  const long frameMs = Field(lines[398], "FrameMs");
  ASSERT_GT(frameMs, 0);
  EXPECT_EQ(Field(lines[397], "TimeLeftMs") - Field(lines[398], "TimeLeftMs"), frameMs);
  EXPECT_EQ(Field(lines[478], "TimeLeftMs") - Field(lines[481], "TimeLeftMs"), 3 * frameMs);
  EXPECT_NE(RaceMotion(lines[480]), RaceMotion(lines[481]));
}

TEST_F(RunnerTest, ADisplayReportingNoRefreshRateRunsTheClockAtTheGamesSixtyHertzFallback) {
  for (const char* reported : {"0", "1"}) {
    const RunResult run = Run(std::string("--refresh ") + reported + " --ticks 200");
    ASSERT_EQ(run.Status, 0) << run.Errors;
    // The game falls back to 60 Hz; a clock at any other pace would measure another rate and,
    // once it differs by more than the tolerance, change the motion scale.
    const std::string& last = run.StateLines.back();
    EXPECT_TRUE(Has(last, "\"MeasuredFrameRate\":60,")) << reported << last;
    EXPECT_TRUE(Has(last, "\"MotionFactor\":1.4166666666666667,")) << reported << last;
    EXPECT_TRUE(Has(last, "\"FrameMs\":16,")) << reported << last;
  }
  // An explicit --fps still wins over the fallback.
  const RunResult paced = Run("--refresh 0 --fps 85 --ticks 200");
  ASSERT_EQ(paced.Status, 0) << paced.Errors;
  EXPECT_TRUE(Has(paced.StateLines.back(), "\"MeasuredFrameRate\":85,")) << paced.StateLines.back();
}

std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(RunnerTest, AScreenshotShowsTheLastPresentedPictureWhicheverTicksAreShot) {
  // Full screen, then minimised from tick 8 on: ticks 8 to 12 draw nothing, so the shot of
  // tick 12 must show the picture of tick 7, however few ticks were screenshot.
  const std::string script = "2 down Alt\n2 press Enter\n3 up Alt\n8 minimize\n";
  const RunResult every = Run("--ticks 12 --shot-every 1 --shots " + (Dir / "every").string(),
                              script);
  ASSERT_EQ(every.Status, 0) << every.Errors;
  const RunResult few = Run("--ticks 12 --shot-at 5,12 --shots " + (Dir / "few").string(), script);
  ASSERT_EQ(few.Status, 0) << few.Errors;
  const std::string tick7 = FileBytes(Dir / "every" / "tick-000007.png");
  ASSERT_FALSE(tick7.empty());
  EXPECT_NE(tick7, FileBytes(Dir / "every" / "tick-000003.png"));  // the pictures do change
  EXPECT_EQ(FileBytes(Dir / "every" / "tick-000012.png"), tick7);
  EXPECT_EQ(FileBytes(Dir / "few" / "tick-000012.png"), tick7);
  EXPECT_EQ(FileBytes(Dir / "few" / "tick-000005.png"), FileBytes(Dir / "every" / "tick-000005.png"));
}
