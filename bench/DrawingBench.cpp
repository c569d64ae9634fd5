// Timings of the drawing a race frame does: keyed sprites, rotated bikes, the alpha fade, the
// road's tile map and a whole frame through the sprite engine.
#include <benchmark/benchmark.h>

#include <vector>

#include "BenchPictures.h"
#include "platform/Surface.h"
#include "resources/ImageCollection.h"
#include "sprites/ImageDrawing.h"
#include "sprites/TBackgroundSprite.h"
#include "sprites/TImageSprite.h"
#include "sprites/TSpriteEngine.h"

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kTile = 72;
constexpr int kMapColumns = 13;
constexpr int kMapRows = 10;
constexpr int kTilePatterns = 8;
constexpr int kFrameSprites = 20;

TPictureCollectionItem DiscItem(int width, int height, int count) {
  return bench::EllipsePicture(width, height, count, true, 1);
}

// Opaque patterns, as the road's tile sheet is.
TPictureCollectionItem TileSheet() {
  return bench::EllipsePicture(kTile, kTile, kTilePatterns, false, 2);
}

TBackgroundSprite* MakeRoad(TSpriteEngine& engine, const TPictureCollectionItem& tiles) {
  TBackgroundSprite* road = TSprite::Make<TBackgroundSprite>(&engine);
  road->SetMapSize(kMapColumns, kMapRows);
  for (int row = 0; row < kMapRows; ++row)
    for (int column = 0; column < kMapColumns; ++column)
      road->SetCell(column, row, (column * 3 + row) % kTilePatterns);
  road->SetImage(&tiles);
  road->X = -31;  // mid-scroll: partial tiles on every edge
  road->Y = -45;
  road->SetZ(2);
  return road;
}

void BM_DrawPatternKeyed72(benchmark::State& state) {
  const TPictureCollectionItem item = DiscItem(kTile, kTile, 1);
  Surface screen(kScreenWidth, kScreenHeight);
  for (auto _ : state) {
    DrawPattern(item, screen, 301, 203, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawPatternKeyed72);

void BM_DrawRotatedBike(benchmark::State& state) {
  const TPictureCollectionItem item = DiscItem(63, 68, 1);
  Surface screen(kScreenWidth, kScreenHeight);
  const int angle = static_cast<int>(state.range(0));
  for (auto _ : state) {
    DrawRotated(item, screen, 400, 300, 63, 68, 0, 0.5, 0.5, angle);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawRotatedBike)->Arg(0)->Arg(21)->Arg(64);

void BM_DrawAlphaFullScreen(benchmark::State& state) {
  TPictureCollectionItem item = TileSheet();
  item.PatternWidth = 0;
  item.PatternHeight = 0;
  item.Picture.Resize(kScreenWidth, kScreenHeight);
  item.Picture.Fill(0x7BEF);
  Surface screen(kScreenWidth, kScreenHeight);
  for (auto _ : state) {
    DrawAlpha(item, screen, {0, 0, kScreenWidth, kScreenHeight}, 0, 128);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawAlphaFullScreen);

void BM_TileMap(benchmark::State& state) {
  const TPictureCollectionItem tiles = TileSheet();
  Surface screen(kScreenWidth, kScreenHeight);
  TSpriteEngine engine;
  engine.SetSurface(&screen);
  MakeRoad(engine, tiles);
  for (auto _ : state) {
    engine.Draw();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TileMap);

void BM_WholeFrame(benchmark::State& state) {
  const TPictureCollectionItem tiles = TileSheet();
  const TPictureCollectionItem discs = DiscItem(kTile, kTile, 4);
  Surface screen(kScreenWidth, kScreenHeight);
  TSpriteEngine engine;
  engine.SetSurface(&screen);
  MakeRoad(engine, tiles);
  for (int i = 0; i < kFrameSprites; ++i) {
    TImageSprite* s = TSprite::Make<TImageSprite>(&engine);
    s->SetImage(&discs);
    s->X = 13 + (i % 5) * 150.5;
    s->Y = 7 + (i / 5) * 140.25;
    s->AnimPosition = i % 4;
    s->SetZ(3 + i % 3);
  }
  for (auto _ : state) {
    screen.Fill(0);
    engine.Draw();
    benchmark::ClobberMemory();
  }
  state.counters["drawn"] = engine.DrawnCount();
}
BENCHMARK(BM_WholeFrame);

void BM_ClearScreen(benchmark::State& state) {
  Surface screen(kScreenWidth, kScreenHeight);
  for (auto _ : state) {
    screen.Fill(0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ClearScreen);

}  // namespace
