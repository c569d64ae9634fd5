// The window's icon comes from the game's own desktop icon, and a file that is no icon is
// refused rather than shown.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/headless/PngWriter.h"
#include "platform/sdl/SdlWindowIcon.h"

namespace fs = std::filesystem;

namespace {
SDL_Color PixelAt(SDL_Surface* surface, int x, int y) {
  uint32_t pixel = 0;
  const auto* row = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
  SDL_memcpy(&pixel, row + x * 4, 4);
  SDL_Color colour{};
  SDL_GetRGBA(pixel, surface->format, &colour.r, &colour.g, &colour.b, &colour.a);
  return colour;
}

class WindowIconTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() / ("gearrush-icon-" + std::to_string(getpid()));
    fs::create_directories(Dir);
  }
  void TearDown() override { fs::remove_all(Dir); }
  fs::path Dir;
};
}  // namespace

TEST_F(WindowIconTest, TheBakedDesktopIconIsReadWithItsTransparentCorners) {
  const fs::path baked = fs::path(GR_BINARY_DIR) / "icons/hicolor/64x64/apps/gearrush.png";
  const SdlSurfacePtr icon = LoadWindowIcon(baked.string());
  ASSERT_NE(icon, nullptr) << baked;
  EXPECT_EQ(icon->w, 64);
  EXPECT_EQ(icon->h, 64);
  // A rounded square: clear outside its corners, solid along the middle of its edges.
  EXPECT_EQ(PixelAt(icon.get(), 0, 0).a, 0);
  EXPECT_EQ(PixelAt(icon.get(), 63, 63).a, 0);
  EXPECT_EQ(PixelAt(icon.get(), 1, 32).a, 255);
  EXPECT_EQ(PixelAt(icon.get(), 32, 62).a, 255);
}

TEST_F(WindowIconTest, ColoursArriveInTheirPlaces) {
  Surface picture(3, 2);
  picture.Fill(0x0000);
  picture.At(2, 0) = 0xFFFF;
  picture.At(0, 1) = 0xFFFF;
  WritePng((Dir / "small.png").string(), picture);
  const SdlSurfacePtr icon = LoadWindowIcon((Dir / "small.png").string());
  ASSERT_NE(icon, nullptr);
  ASSERT_EQ(icon->w, 3);
  ASSERT_EQ(icon->h, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      const SDL_Color colour = PixelAt(icon.get(), x, y);
      const int expected = (x == 2 && y == 0) || (x == 0 && y == 1) ? 255 : 0;
      EXPECT_EQ(colour.r, expected) << x << "," << y;
      EXPECT_EQ(colour.g, expected) << x << "," << y;
      EXPECT_EQ(colour.b, expected) << x << "," << y;
      EXPECT_EQ(colour.a, 255) << x << "," << y;  // a picture without transparency is opaque
    }
  }
}

TEST_F(WindowIconTest, WhatIsNoIconIsRefused) {
  EXPECT_EQ(LoadWindowIcon(""), nullptr);
  EXPECT_EQ(LoadWindowIcon((Dir / "missing.png").string()), nullptr);
  std::ofstream(Dir / "text.png") << "not a picture\n";
  EXPECT_EQ(LoadWindowIcon((Dir / "text.png").string()), nullptr);
  // A screenshot is a PNG, but far larger than any icon.
  WritePng((Dir / "large.png").string(), Surface(kMaxWindowIconSize + 1, 8));
  EXPECT_EQ(LoadWindowIcon((Dir / "large.png").string()), nullptr);
  WritePng((Dir / "edge.png").string(), Surface(kMaxWindowIconSize, kMaxWindowIconSize));
  EXPECT_NE(LoadWindowIcon((Dir / "edge.png").string()), nullptr);
  // A PNG cut short: its header reads, its pixels do not.
  WritePng((Dir / "whole.png").string(), Surface(64, 64));
  const auto size = fs::file_size(Dir / "whole.png");
  fs::copy_file(Dir / "whole.png", Dir / "cut.png");
  fs::resize_file(Dir / "cut.png", size / 2);
  EXPECT_EQ(LoadWindowIcon((Dir / "cut.png").string()), nullptr);
}
