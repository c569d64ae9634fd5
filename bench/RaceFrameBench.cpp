// The race-like frame drawn twice: with the game's own drawing into its RGB565 back buffer, and
// with SDL2's software path (SDL_BlitSurface with a colour key, a software renderer's
// RenderCopyEx for the turned pictures) into an RGB565 surface of the same size. The last
// benchmark prints how many times faster ours is. Ours keeps its turned patterns from frame to
// frame, as the game's sprite engine does; BM_RaceFrameOursTurnedAfresh shows the frame without.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <time.h>

#include <cstring>
#include <memory>
#include <vector>

#include "BenchPictures.h"
#include "platform/Surface.h"
#include "resources/ImageCollection.h"
#include "sprites/ImageDrawing.h"

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kTile = 72;
constexpr int kRoadColumns = 13;
constexpr int kRoadRows = 10;
constexpr int kBonuses = 10;
constexpr int kMarks = 100;
constexpr int kBikes = 6;
constexpr int kMapTiles = 22;

struct Frame {
  TPictureCollectionItem Tiles = bench::EllipsePicture(kTile, kTile, 8, false, 1);
  TPictureCollectionItem Bonus = bench::EllipsePicture(32, 32, 1, true, 2);
  TPictureCollectionItem Mark = bench::EllipsePicture(10, 14, 1, true, 3);
  TPictureCollectionItem Bike = bench::EllipsePicture(63, 68, 1, true, 4);
  TPictureCollectionItem Panel = bench::EllipsePicture(174, 600, 1, false, 5);
  TPictureCollectionItem MapTile = bench::EllipsePicture(7, 7, 1, false, 6);
  TPictureCollectionItem Needle = bench::EllipsePicture(12, 44, 1, true, 7);
};

// Where everything goes: a road half a tile into its scroll, bonuses and tyre marks over it.
constexpr int kRoadX = -31;
constexpr int kRoadY = -45;
int MarkX(int i) {
  return 200 + (i * 37) % 400;
}
int MarkY(int i) {
  return 40 + (i * 53) % 520;
}
int MarkAngle(int i) {
  return (i * 11) % 256;
}
int BikeX(int i) {
  return 230 + i * 70;
}
int BikeY(int i) {
  return 150 + (i % 3) * 140;
}
int BikeAngle(int i) {
  return i * 23 + 5;
}
constexpr int kNeedleAngle = 77;

void DrawOurs(const Frame& f, Surface& screen, TurnCache* turned) {
  screen.Fill(0);
  for (int r = 0; r < kRoadRows; ++r)
    for (int c = 0; c < kRoadColumns; ++c)
      DrawPattern(f.Tiles, screen, kRoadX + c * kTile, kRoadY + r * kTile, (r * 3 + c) % 8);
  for (int i = 0; i < kBonuses; ++i) DrawPattern(f.Bonus, screen, 220 + i * 37, 60 + i * 45, 0);
  for (int i = 0; i < kMarks; ++i)
    DrawRotated(f.Mark, screen, MarkX(i), MarkY(i), 10, 14, 0, 0.5, 0.5, MarkAngle(i), turned);
  for (int i = 0; i < kBikes; ++i)
    DrawRotated(f.Bike, screen, BikeX(i), BikeY(i), 63, 68, 0, 0.5, 0.5, BikeAngle(i), turned);
  DrawPattern(f.Panel, screen, 0, 0, 0);
  DrawPattern(f.Panel, screen, 626, 0, 0);
  for (int i = 0; i < kMapTiles; ++i)
    DrawPattern(f.MapTile, screen, 680 + (i % 6) * 7, 80 + (i / 6) * 7, 0);
  DrawRotated(f.Needle, screen, 91, 530, 12, 44, 0, 0.5, 0.9, kNeedleAngle, turned);
}

// The same pictures as SDL surfaces and textures.
struct SdlFrame {
  struct Item {
    SDL_Surface* Surface = nullptr;
    SDL_Texture* Texture = nullptr;
  };
  SDL_Surface* Screen = nullptr;
  SDL_Renderer* Renderer = nullptr;
  Item Tiles, Bonus, Mark, Bike, Panel, MapTile, Needle;

  explicit SdlFrame(const Frame& f) {
    Screen =
        SDL_CreateRGBSurfaceWithFormat(0, kScreenWidth, kScreenHeight, 16, SDL_PIXELFORMAT_RGB565);
    Renderer = SDL_CreateSoftwareRenderer(Screen);
    Tiles = Make(f.Tiles, false);
    Bonus = Make(f.Bonus, false);
    Mark = Make(f.Mark, true);
    Bike = Make(f.Bike, true);
    Panel = Make(f.Panel, false);
    MapTile = Make(f.MapTile, false);
    Needle = Make(f.Needle, true);
  }
  ~SdlFrame() {
    for (Item* item : {&Tiles, &Bonus, &Mark, &Bike, &Panel, &MapTile, &Needle}) {
      if (item->Texture) SDL_DestroyTexture(item->Texture);
      SDL_FreeSurface(item->Surface);
    }
    SDL_DestroyRenderer(Renderer);
    SDL_FreeSurface(Screen);
  }
  Item Make(const TPictureCollectionItem& item, bool texture) {
    const Surface& p = item.Picture;
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, p.Width(), p.Height(), 16, SDL_PIXELFORMAT_RGB565);
    for (int y = 0; y < p.Height(); ++y)
      std::memcpy(static_cast<uint8_t*>(s->pixels) + y * s->pitch, p.Row(y), p.Width() * 2);
    if (item.Transparent) SDL_SetColorKey(s, SDL_TRUE, item.ColorKey());
    Item out{s, nullptr};
    if (texture) {
      out.Texture = SDL_CreateTextureFromSurface(Renderer, s);
      SDL_SetTextureScaleMode(out.Texture, SDL_ScaleModeNearest);
    }
    return out;
  }
  void Blit(const Item& item, int x, int y, int sx = 0, int w = -1, int h = -1) {
    SDL_Rect from{sx, 0, w < 0 ? item.Surface->w : w, h < 0 ? item.Surface->h : h};
    SDL_Rect to{x, y, 0, 0};
    SDL_BlitSurface(item.Surface, &from, Screen, &to);
  }
  void Turn(const Item& item, int x, int y, int w, int h, double cx, double cy, int angle) {
    const SDL_FRect to{static_cast<float>(x - cx * w), static_cast<float>(y - cy * h),
                       static_cast<float>(w), static_cast<float>(h)};
    const SDL_FPoint centre{static_cast<float>(cx * w), static_cast<float>(cy * h)};
    SDL_RenderCopyExF(Renderer, item.Texture, nullptr, &to, angle * 360.0 / 256.0, &centre,
                      SDL_FLIP_NONE);
  }
};

void DrawSdl(SdlFrame& s) {
  SDL_FillRect(s.Screen, nullptr, 0);
  for (int r = 0; r < kRoadRows; ++r)
    for (int c = 0; c < kRoadColumns; ++c)
      s.Blit(s.Tiles, kRoadX + c * kTile, kRoadY + r * kTile, ((r * 3 + c) % 8) * kTile, kTile,
             kTile);
  for (int i = 0; i < kBonuses; ++i) s.Blit(s.Bonus, 220 + i * 37, 60 + i * 45);
  for (int i = 0; i < kMarks; ++i)
    s.Turn(s.Mark, MarkX(i), MarkY(i), 10, 14, 0.5, 0.5, MarkAngle(i));
  for (int i = 0; i < kBikes; ++i)
    s.Turn(s.Bike, BikeX(i), BikeY(i), 63, 68, 0.5, 0.5, BikeAngle(i));
  SDL_RenderFlush(s.Renderer);  // the panels go over the turned pictures
  s.Blit(s.Panel, 0, 0);
  s.Blit(s.Panel, 626, 0);
  for (int i = 0; i < kMapTiles; ++i) s.Blit(s.MapTile, 680 + (i % 6) * 7, 80 + (i / 6) * 7);
  s.Turn(s.Needle, 91, 530, 12, 44, 0.5, 0.9, kNeedleAngle);
  SDL_RenderFlush(s.Renderer);
}

void BM_RaceFrameOurs(benchmark::State& state) {
  const Frame frame;
  Surface screen(kScreenWidth, kScreenHeight);
  TurnCache turned;
  for (auto _ : state) {
    DrawOurs(frame, screen, &turned);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RaceFrameOurs)->Unit(benchmark::kMicrosecond);

void BM_RaceFrameOursTurnedAfresh(benchmark::State& state) {
  const Frame frame;
  Surface screen(kScreenWidth, kScreenHeight);
  for (auto _ : state) {
    DrawOurs(frame, screen, nullptr);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RaceFrameOursTurnedAfresh)->Unit(benchmark::kMicrosecond);

void BM_RaceFrameSdl(benchmark::State& state) {
  const Frame frame;
  SdlFrame sdl(frame);
  for (auto _ : state) {
    DrawSdl(sdl);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RaceFrameSdl)->Unit(benchmark::kMicrosecond);

double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Both frames alternately, so both see the same machine load; reports the CPU time of each
// and the ratio.
void BM_RaceFrameRatio(benchmark::State& state) {
  const Frame frame;
  Surface screen(kScreenWidth, kScreenHeight);
  SdlFrame sdl(frame);
  TurnCache turned;
  double ours = 0.0, theirs = 0.0;
  for (auto _ : state) {
    const double a = ThreadCpuMs();
    DrawOurs(frame, screen, &turned);
    const double b = ThreadCpuMs();
    DrawSdl(sdl);
    ours += b - a;
    theirs += ThreadCpuMs() - b;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["ours_ms"] = ours / n;
  state.counters["sdl_ms"] = theirs / n;
  state.counters["sdl_over_ours"] = theirs / ours;
}
BENCHMARK(BM_RaceFrameRatio)->Unit(benchmark::kMicrosecond);

}  // namespace
