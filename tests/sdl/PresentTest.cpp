// How the picture reaches the window: which renderer shows it, and that it arrives unchanged.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlRendererChoice.h"
#include "platform/sdl/SdlSession.h"

namespace {
constexpr uint16_t kWhite = 0xFFFF;

// The window's framebuffer pixel as the 16-bit colour it came from.
uint16_t WindowPixel565(SDL_Surface* surface, int x, int y) {
  uint32_t pixel = 0;
  const auto* row = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
  SDL_memcpy(&pixel, row + x * surface->format->BytesPerPixel, surface->format->BytesPerPixel);
  uint8_t r = 0, g = 0, b = 0;
  SDL_GetRGB(pixel, surface->format, &r, &g, &b);
  return Rgb565(r, g, b);
}

class SdlPresentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Session = SdlSession::Start();
  }
  std::shared_ptr<SdlSession> Session;
};
}  // namespace

TEST(RendererChoiceTest, OpenGlOnTheCpuIsToldFromOpenGlOnAGpu) {
  for (const char* cpu : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Software Rasterizer",
                          "Mesa DRI swrast", "zink (llvmpipe (LLVM 15.0.6, 256 bits))",
                          "SWR (LLVM 11.0.1, 256 bits)"}) {
    EXPECT_TRUE(IsSoftwareRasteriser(cpu)) << cpu;
  }
  // Several GPU drivers name the LLVM they compile shaders with: that is no software renderer.
  for (const char* gpu : {"AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0-9-amd64)",
                          "Mesa Intel(R) UHD Graphics 620 (KBL GT2)",
                          "NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2", "SVGA3D; build: RELEASE; LLVM;",
                          "virgl (ANGLE (Intel, Mesa Intel(R) Xe Graphics (TGL GT2)))", ""}) {
    EXPECT_FALSE(IsSoftwareRasteriser(gpu)) << gpu;
  }
}

TEST_F(SdlPresentTest, WithoutAGpuThePictureGoesThroughTheSoftwareRendererPixelForPixel) {
  SdlDisplay display(Session);
  ASSERT_TRUE(display.Initialize(false));
  SDL_RendererInfo info;
  ASSERT_EQ(SDL_GetRendererInfo(SDL_GetRenderer(display.Window()), &info), 0);
  EXPECT_NE(info.flags & SDL_RENDERER_SOFTWARE, 0u);

  // Neighbouring pixels of very different colours: any smoothing would mix them.
  Surface picture(kPictureWidth, kPictureHeight);
  const uint16_t colours[] = {0x0000, 0xFFFF, 0xF800, 0x07E0, 0x001F, 0x8410, 0x0821};
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) picture.At(x, y) = colours[(x * 3 + y) % 7];
  }
  display.Present(picture);
  SDL_Surface* window = SDL_GetWindowSurface(display.Window());
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(window->w, kPictureWidth);
  ASSERT_EQ(window->h, kPictureHeight);
  int differing = 0;
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) differing += WindowPixel565(window, x, y) != picture.At(x, y);
  }
  EXPECT_EQ(differing, 0);
}

TEST_F(SdlPresentTest, AWindowWiderThanThePictureShowsItCentredBetweenBlackBars) {
  SdlDisplay display(Session);
  ASSERT_TRUE(display.Initialize(false));
  Surface picture(kPictureWidth, kPictureHeight);
  picture.Fill(kWhite);
  display.Present(picture);
  SDL_SetWindowSize(display.Window(), 1200, 600);
  // Whatever the window held before: the bars are painted over it.
  SDL_Surface* window = SDL_GetWindowSurface(display.Window());
  ASSERT_NE(window, nullptr);
  SDL_FillRect(window, nullptr, SDL_MapRGB(window->format, 255, 255, 255));
  display.Present(picture);
  window = SDL_GetWindowSurface(display.Window());
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(window->w, 1200);
  ASSERT_EQ(window->h, 600);
  EXPECT_EQ(WindowPixel565(window, 0, 0), 0);
  EXPECT_EQ(WindowPixel565(window, 199, 300), 0);
  EXPECT_EQ(WindowPixel565(window, 200, 300), kWhite);  // the picture's left edge
  EXPECT_EQ(WindowPixel565(window, 999, 300), kWhite);
  EXPECT_EQ(WindowPixel565(window, 1000, 300), 0);
  EXPECT_EQ(WindowPixel565(window, 1199, 599), 0);
}

TEST_F(SdlPresentTest, AtTwiceItsSizeEachPicturePixelBecomesASharpTwoByTwoBlock) {
  SdlDisplay display(Session, SdlDisplayOptions{.WindowScale = 2, .IconPath = ""});
  ASSERT_TRUE(display.Initialize(false));
  // Neighbouring pixels of very different colours: any smoothing would mix them.
  Surface picture(kPictureWidth, kPictureHeight);
  const uint16_t colours[] = {0x0000, 0xFFFF, 0xF800, 0x07E0, 0x001F, 0x8410, 0x0821};
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) picture.At(x, y) = colours[(x * 3 + y) % 7];
  }
  display.Present(picture);
  SDL_Surface* window = SDL_GetWindowSurface(display.Window());
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(window->w, 2 * kPictureWidth);
  ASSERT_EQ(window->h, 2 * kPictureHeight);
  int differing = 0;
  for (int y = 0; y < window->h; ++y) {
    for (int x = 0; x < window->w; ++x) {
      differing += WindowPixel565(window, x, y) != picture.At(x / 2, y / 2);
    }
  }
  EXPECT_EQ(differing, 0);
}

TEST_F(SdlPresentTest, MousePositionsInAScaledWindowArriveInPicturePixels) {
  SdlDisplay display(Session, SdlDisplayOptions{.WindowScale = 3, .IconPath = ""});
  ASSERT_TRUE(display.Initialize(false));
  int width = 0, height = 0;
  SDL_GetWindowSize(display.Window(), &width, &height);
  ASSERT_EQ(width, 2400);
  ASSERT_EQ(height, 1800);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);

  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.windowID = SDL_GetWindowID(display.Window());
  motion.motion.x = 1502;  // window pixel 1502 lies in picture pixel 500 (1500 to 1502)
  motion.motion.y = 1799;  // the window's last row: the picture's last row, 599
  ASSERT_EQ(SDL_PushEvent(&motion), 1);
  SDL_Event click{};
  click.type = SDL_MOUSEBUTTONDOWN;
  click.button.windowID = motion.motion.windowID;
  click.button.button = SDL_BUTTON_LEFT;
  click.button.x = 3;
  click.button.y = 2;
  ASSERT_EQ(SDL_PushEvent(&click), 1);

  SDL_Event arrived{};
  ASSERT_EQ(SDL_PeepEvents(&arrived, 1, SDL_GETEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION), 1);
  EXPECT_EQ(arrived.motion.x, 500);
  EXPECT_EQ(arrived.motion.y, 599);
  ASSERT_EQ(SDL_PeepEvents(&arrived, 1, SDL_GETEVENT, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONDOWN), 1);
  EXPECT_EQ(arrived.button.x, 1);
  EXPECT_EQ(arrived.button.y, 0);
}
