// The SDL devices on SDL's dummy video and audio drivers: no desktop or sound card needed.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlMusic.h"
#include "platform/sdl/SdlSession.h"
#include "platform/sdl/SdlSound.h"

namespace {
// A RIFF WAVE image of 16-bit mono silence.
std::string SilentWave(int milliseconds) {
  constexpr int kRate = 22050;
  const uint32_t dataBytes = static_cast<uint32_t>(kRate * milliseconds / 1000 * 2);
  std::string wave;
  auto put32 = [&wave](uint32_t v) {
    for (int i = 0; i < 4; ++i) wave += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  auto put16 = [&wave](uint16_t v) {
    wave += static_cast<char>(v & 0xFF);
    wave += static_cast<char>(v >> 8);
  };
  wave += "RIFF";
  put32(36 + dataBytes);
  wave += "WAVEfmt ";
  put32(16);
  put16(1);  // PCM
  put16(1);  // mono
  put32(kRate);
  put32(kRate * 2);
  put16(2);
  put16(16);
  wave += "data";
  put32(dataBytes);
  wave.append(dataBytes, '\0');
  return wave;
}

class SdlDevicesTest : public ::testing::Test {
 protected:
  void StartSession(const char* audioDriver) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", audioDriver, 1);
    Session = SdlSession::Start();
  }
  std::shared_ptr<SdlSession> Session;
};

using SdlDisplayTest = SdlDevicesTest;
using SdlAudioTest = SdlDevicesTest;
}  // namespace

TEST_F(SdlDisplayTest, DrawsOnlyWhileInitialised) {
  StartSession("dummy");
  SdlDisplay display(Session);
  EXPECT_FALSE(display.CanDraw());
  ASSERT_TRUE(display.Initialize(false));
  EXPECT_TRUE(display.CanDraw());
  display.Finalize();
  EXPECT_FALSE(display.CanDraw());
  ASSERT_TRUE(display.Initialize(true));
  EXPECT_TRUE(display.CanDraw());
}

TEST_F(SdlDisplayTest, FramesArePacedToTheRefreshWhenNothingWaitsForTheVerticalBlank) {
  StartSession("dummy");
  SdlDisplay display(Session);
  ASSERT_TRUE(display.Initialize(false));
  // The dummy display knows no refresh rate, so the pace falls back to 60 Hz.
  EXPECT_EQ(display.ReportedRefreshRate(), 0);
  const Surface backBuffer(kPictureWidth, kPictureHeight);
  const uint64_t before = Session->PresentedFrames();
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 7; ++i) display.Present(backBuffer);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(Session->PresentedFrames() - before, 7u);
  EXPECT_GE(elapsed, std::chrono::milliseconds(6 * 1000 / 60 - 2));
}

TEST_F(SdlDisplayTest, ABackBufferOfAnotherSizeIsShownWithoutReadingPastIt) {
  StartSession("dummy");
  SdlDisplay display(Session);
  ASSERT_TRUE(display.Initialize(false));
  display.Present(Surface(10, 10));
  display.Present(Surface(1000, 700));
  display.Present(Surface());
  EXPECT_EQ(Session->PresentedFrames(), 3u);
}

TEST_F(SdlDisplayTest, TheWindowReturnsFromFullScreenWhereTheGameAsks) {
  StartSession("dummy");
  SdlDisplay display(Session);
  ASSERT_TRUE(display.Initialize(false));
  display.SetPlacement({30, 40});
  EXPECT_EQ(display.GetPlacement().X, 30);
  EXPECT_EQ(display.GetPlacement().Y, 40);

  ASSERT_TRUE(display.Initialize(true));
  // In full screen the placement is the window's, from before the switch.
  EXPECT_EQ(display.GetPlacement().X, 30);
  EXPECT_EQ(display.GetPlacement().Y, 40);
  display.SetPlacement({50, 60});  // asked for before the window is back
  ASSERT_TRUE(display.Initialize(false));
  EXPECT_EQ(display.GetPlacement().X, 50);
  EXPECT_EQ(display.GetPlacement().Y, 60);
}

TEST_F(SdlAudioTest, EveryVoiceHasItsOwnChannelAndLoopedOnesPlayUntilStopped) {
  StartSession("dummy");
  ASSERT_TRUE(Session->AudioOpen());
  SdlSound sound(Session);
  EXPECT_EQ(sound.CreateVoice(0, "not a wave", false), -1);
  const int shortVoice = sound.CreateVoice(0, SilentWave(10), false);
  const int loopedVoice = sound.CreateVoice(1, SilentWave(10), true);
  EXPECT_EQ(shortVoice, 0);
  EXPECT_EQ(loopedVoice, 1);
  // More voices than the mixer starts with: the last still plays.
  int lastVoice = -1;
  for (int i = 0; i < 40; ++i) lastVoice = sound.CreateVoice(2 + i, SilentWave(50), true);
  EXPECT_EQ(lastVoice, 41);
  sound.Play(lastVoice);
  EXPECT_TRUE(sound.IsPlaying(lastVoice));

  sound.Play(shortVoice);
  sound.Play(loopedVoice);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  EXPECT_FALSE(sound.IsPlaying(shortVoice));
  EXPECT_TRUE(sound.IsPlaying(loopedVoice));
  sound.Stop(loopedVoice);
  EXPECT_FALSE(sound.IsPlaying(loopedVoice));
  EXPECT_TRUE(sound.IsPlaying(lastVoice));  // stopping one voice leaves the others
  EXPECT_FALSE(sound.IsPlaying(99));
}

TEST_F(SdlAudioTest, SongsHaveTheirOwnHandlesAndAFreedOneIsGoneForGood) {
  StartSession("dummy");
  const std::string path = ::testing::TempDir() + "gr_song.wav";
  std::ofstream(path, std::ios::binary) << SilentWave(200);
  SdlMusic music(Session);
  EXPECT_EQ(music.SongLoadFromFile(path + ".missing"), 0u);
  const uint32_t first = music.SongLoadFromFile(path);
  const uint32_t second = music.SongLoadFromFile(path);
  ASSERT_NE(first, 0u);
  ASSERT_NE(second, 0u);
  EXPECT_NE(first, second);
  music.SongPlay(second);
  EXPECT_TRUE(Mix_PlayingMusic());
  music.SongFree(second);
  EXPECT_FALSE(Mix_PlayingMusic());
  music.SongFree(second);  // already freed: nothing happens
  music.SongPlay(second);
  EXPECT_FALSE(Mix_PlayingMusic());
  music.SongFree(first);
  std::remove(path.c_str());
}

TEST_F(SdlAudioTest, WithoutAnAudioDeviceTheGameRunsSilent) {
  StartSession("no-such-driver");
  EXPECT_FALSE(Session->AudioOpen());
  SdlSound sound(Session);
  const int voice = sound.CreateVoice(0, SilentWave(10), true);
  EXPECT_EQ(voice, 0);
  sound.Play(voice);
  EXPECT_FALSE(sound.IsPlaying(voice));
  sound.Stop(voice);

  const std::string path = ::testing::TempDir() + "gr_silent_song.xm";
  std::ofstream(path, std::ios::binary) << "module";
  SdlMusic music(Session);
  const uint32_t song = music.SongLoadFromFile(path);
  EXPECT_NE(song, 0u);
  music.SongPlay(song);
  music.SongFree(song);
  EXPECT_EQ(music.SongLoadFromFile(path + ".missing"), 0u);
  std::remove(path.c_str());
}
