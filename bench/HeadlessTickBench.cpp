// The CPU a headless race tick costs: the scripted race of bench/race replayed on the baked data,
// timed from the first throttle to the end of the first game (crashes and restarts included).
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/Audio.h"
#include "app/Dispatch.h"
#include "app/FrameTiming.h"
#include "app/HeadlessDriver.h"
#include "app/ShellState.h"
#include "platform/headless/InputScript.h"
#include "platform/ttf/TtfTextRenderer.h"
#include "race/RiderState.h"
#include "race/TrackState.h"
#include "screens/Dialogs.h"
#include "storage/GameOptions.h"

namespace {

constexpr uint64_t kFirstTimedTick = 330;  // throttle down, the race under way
constexpr uint64_t kLastTimedTick = 2570;  // just before the game-over dialog

double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

void ResetGame() {
  ResetShellState();
  ResetHeldKeys();
  ResetRiderState();
  ResetTrackState();
  ResetDialogState();
  ResetOptionsState();
  CurrentSong = 0;
  MusicResumePending = false;
}

void BM_HeadlessRaceTick(benchmark::State& state) {
  std::filesystem::current_path(GR_BINARY_DIR);
  std::ifstream in(std::string(GR_SOURCE_DIR) + "/bench/race/race-5000.script");
  const auto script = ParseScript(in);
  double cpuMs = 0.0;
  uint64_t ticks = 0;
  for (auto _ : state) {
    ResetGame();
    HeadlessDriver driver(1, 85, 85, CreateTtfTextRenderer("Data/Fonts"));
    driver.Devices().display->KeepFrames = false;  // as the runner between screenshots
    driver.Form().FormCreate();
    for (uint64_t tick = 1; tick <= kLastTimedTick; ++tick) {
      if (auto it = script.find(tick); it != script.end()) {
        for (const ScriptEvent& event : it->second) driver.Deliver(event);
      }
      const double before = ThreadCpuMs();
      driver.RunTick();
      if (tick >= kFirstTimedTick) {
        cpuMs += ThreadCpuMs() - before;
        ++ticks;
      }
    }
    benchmark::DoNotOptimize(Score);
  }
  state.counters["cpu_ms_per_tick"] = cpuMs / static_cast<double>(ticks);
}
BENCHMARK(BM_HeadlessRaceTick)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
