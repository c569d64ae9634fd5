#include "RunCommand.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include "HttplibClient.h"
#include "StateLine.h"
#include "app/Dispatch.h"
#include "app/HeadlessDriver.h"
#include "app/ScreenHooks.h"
#include "app/ShellState.h"
#include "app/TMForm.h"
#include "online/ScoreServer.h"
#include "platform/KeyCodes.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/InputScript.h"
#include "platform/headless/PngWriter.h"
#include "platform/ttf/TtfTextRenderer.h"

namespace {
struct RunnerOptions {
  std::string DataDir = ".";
  uint32_t Seed = 1;
  int Refresh = 85;
  int Fps = 0;  // 0 = the refresh rate the game uses
  uint64_t Ticks = 0;
  std::string ScriptFile;
  std::string StateFile;
  std::string ShotsDir;
  uint64_t ShotEvery = 0;
  std::set<uint64_t> ShotAt;
  std::string HttpLog;
  int HttpTicks = 0;
  int Level = 1;  // the level the first race starts at
  std::string OpenLog;
  std::optional<std::string> ScoreServer;
};

const char kUsage[] =
    "usage: gearrush-headless run --ticks N [--data DIR] [--seed N] [--refresh HZ] [--fps HZ]\n"
    "       [--script FILE] [--state FILE|-] [--shots DIR] [--shot-every K | --shot-at T1,T2,...]\n"
    "       [--http-log FILE] [--http-ticks N] [--open-log FILE] [--score-server URL]\n"
    "       [--level N]\n";

uint64_t ParseNumber(const std::string& option, const std::string& text, uint64_t max) {
  char* end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || text[0] == '-' || value > max) {
    throw std::runtime_error("bad value for " + option + ": '" + text + "'");
  }
  return value;
}

RunnerOptions ParseOptions(int argc, char** argv) {
  RunnerOptions options;
  bool haveTicks = false;
  for (int i = 0; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc) throw std::runtime_error("missing value for " + option);
    const std::string value = argv[++i];
    if (option == "--data") {
      options.DataDir = value;
    } else if (option == "--seed") {
      options.Seed = static_cast<uint32_t>(ParseNumber(option, value, UINT32_MAX));
    } else if (option == "--refresh") {
      options.Refresh = static_cast<int>(ParseNumber(option, value, 1000));
    } else if (option == "--fps") {
      options.Fps = static_cast<int>(ParseNumber(option, value, 1000));
      if (options.Fps == 0) throw std::runtime_error("--fps must be above 0");
    } else if (option == "--ticks") {
      options.Ticks = ParseNumber(option, value, UINT64_MAX);
      haveTicks = true;
    } else if (option == "--script") {
      options.ScriptFile = value;
    } else if (option == "--state") {
      options.StateFile = value;
    } else if (option == "--shots") {
      options.ShotsDir = value;
    } else if (option == "--shot-every") {
      options.ShotEvery = ParseNumber(option, value, UINT64_MAX);
    } else if (option == "--shot-at") {
      std::stringstream list(value);
      std::string item;
      while (std::getline(list, item, ','))
        options.ShotAt.insert(ParseNumber(option, item, UINT64_MAX));
    } else if (option == "--http-log") {
      options.HttpLog = value;
    } else if (option == "--http-ticks") {
      options.HttpTicks = static_cast<int>(ParseNumber(option, value, INT32_MAX));
    } else if (option == "--level") {
      options.Level = static_cast<int>(ParseNumber(option, value, 10));
      if (options.Level < 1) throw std::runtime_error("--level must be 1..10");
    } else if (option == "--open-log") {
      options.OpenLog = value;
    } else if (option == kScoreServerOption) {
      // Checked here so a bad address is a usage error.
      options.ScoreServer = ChooseScoreServer(value.c_str(), nullptr);
    } else {
      throw std::runtime_error("unknown option " + option);
    }
  }
  if (!haveTicks) throw std::runtime_error("--ticks is required");
  return options;
}

// Turns absolute paths relative to the caller's folder before the runner moves to --data.
std::string Absolute(const std::string& path) {
  if (path.empty() || path == "-") return path;
  return std::filesystem::absolute(path).string();
}

class Runner {
 public:
  explicit Runner(const RunnerOptions& options) : Options_(options) {}

  int Run() {
    std::map<uint64_t, std::vector<ScriptEvent>> script;
    if (!Options_.ScriptFile.empty()) {
      std::ifstream in(Options_.ScriptFile);
      if (!in) throw std::runtime_error("cannot read script " + Options_.ScriptFile);
      script = ParseScript(in);
    }
    std::ostream* state = nullptr;
    std::ofstream stateFile;
    if (Options_.StateFile == "-") {
      state = &std::cout;
    } else if (!Options_.StateFile.empty()) {
      stateFile.open(Options_.StateFile);
      if (!stateFile) throw std::runtime_error("cannot write " + Options_.StateFile);
      state = &stateFile;
    }
    if (!Options_.ShotsDir.empty()) std::filesystem::create_directories(Options_.ShotsDir);
    if (chdir(Options_.DataDir.c_str()) != 0) {
      throw std::runtime_error("cannot enter " + Options_.DataDir);
    }

    ResetShellState();
    HeadlessDriver driver(
        Options_.Seed, Options_.Refresh, Options_.Fps,
        CreateTtfTextRenderer((std::filesystem::path("Data") / "Fonts").string()));
    HeadlessDevices& devices = driver.Devices();
    devices.http->LogFile = Options_.HttpLog;
    devices.http->PollsToEnd = Options_.HttpTicks;
    devices.shell->LogFile = Options_.OpenLog;
    // Only a server named on the command line is reached, and only while requests are not
    // being logged instead; the environment is not read, so runs do not depend on it.
    if (Options_.ScoreServer) {
      driver.Form().SetScoreServer(*Options_.ScoreServer);
      if (Options_.HttpLog.empty()) {
        devices.http->Network = [](const std::string& url) { HttplibClient::Get(url); };
      }
    }
    TMForm& form = driver.Form();
    try {
      form.FormCreate();
    } catch (const std::exception& e) {
      std::cerr << e.what() << std::endl;
      return 1;
    }

    for (uint64_t tick = 1; tick <= Options_.Ticks; ++tick) {
      if (auto it = script.find(tick); it != script.end()) {
        for (const ScriptEvent& event : it->second) driver.Deliver(event);
      }
      devices.display->KeepFrames = WantShot(tick);
      driver.RunTick();
      // A later level is reached the way the results dialog reaches the next one, as soon as
      // the first race shows its level-start dialog.
      if (Options_.Level > 1 && !LevelChosen_ && CurrentScreen == ScreenRace &&
          ActiveDialog == DialogLevelStart) {
        CloseDialog();
        RestartRace(Options_.Level);
        LevelChosen_ = true;
      }
      if (state) {
        *state << StateLine(tick, form, devices, devices.sound->TakePlayed()) << '\n';
        state->flush();
      }
      if (WantShot(tick) || (form.Terminated() && !Options_.ShotsDir.empty())) {
        WriteShot(tick, *devices.display);
      }
      if (form.Terminated()) {
        std::cerr << "shutdown at tick " << tick << std::endl;
        return 0;
      }
    }
    return 0;
  }

 private:
  bool WantShot(uint64_t tick) const {
    if (Options_.ShotsDir.empty()) return false;
    if (Options_.ShotEvery > 0) return tick % Options_.ShotEvery == 0;
    if (!Options_.ShotAt.empty()) return Options_.ShotAt.count(tick) > 0;
    return tick == Options_.Ticks;
  }

  void WriteShot(uint64_t tick, HeadlessDisplay& display) {
    char name[32];
    std::snprintf(name, sizeof name, "tick-%06llu.png", static_cast<unsigned long long>(tick));
    Surface blank(800, 600);
    const Surface& picture = display.LastPicture();
    WritePng((std::filesystem::path(Options_.ShotsDir) / name).string(),
             picture.Empty() ? blank : picture);
  }

  RunnerOptions Options_;
  bool LevelChosen_ = false;
};
}  // namespace

int RunRunCommand(int argc, char** argv) {
  RunnerOptions options;
  try {
    options = ParseOptions(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "gearrush-headless: " << e.what() << "\n" << kUsage;
    return 2;
  }
  options.ScriptFile = Absolute(options.ScriptFile);
  options.StateFile = Absolute(options.StateFile);
  options.ShotsDir = Absolute(options.ShotsDir);
  options.HttpLog = Absolute(options.HttpLog);
  options.OpenLog = Absolute(options.OpenLog);
  try {
    return Runner(options).Run();
  } catch (const std::exception& e) {
    std::cerr << "gearrush-headless: " << e.what() << std::endl;
    return 2;
  }
}
