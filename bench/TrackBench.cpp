// The level build and the per-frame road window refresh.
#include <benchmark/benchmark.h>

#include "app/Random.h"
#include "race/TScrollBackground.h"
#include "race/TrackGenerator.h"
#include "race/TrackState.h"
#include "sprites/TSpriteEngine.h"

namespace {

void BM_BuildLevel10(benchmark::State& state) {
  uint32_t seed = 1;
  for (auto _ : state) {
    RandSeed = seed++;
    BuildLevel(10);
    benchmark::DoNotOptimize(TrackGrid[1000][320]);
  }
}
BENCHMARK(BM_BuildLevel10)->Unit(benchmark::kMillisecond);

void BM_RefreshRoadWindow(benchmark::State& state) {
  RandSeed = 7;
  BuildLevel(10);
  TSpriteEngine engine;
  TScrollBackground* road = TScrollBackground::Create(&engine, 2, 1, 13, 10);
  int step = 0;
  for (auto _ : state) {
    ViewRow = 200 + step % 1200;  // a new window each time, as when riding
    ViewCol = 300 + step % 30;
    ++step;
    road->RefreshRoadWindow();
    benchmark::DoNotOptimize(road->Cell(6, 5));
  }
}
BENCHMARK(BM_RefreshRoadWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
