#include "GameFixture.h"

#include <cmath>
#include <vector>

#include "app/Audio.h"
#include "app/Dispatch.h"
#include "app/FrameTiming.h"
#include "resources/CollectionWriter.h"
#include "storage/GameOptions.h"

namespace fs = std::filesystem;

void WriteTestData(const fs::path& dir, int pictures, int sounds) {
  fs::create_directories(dir / "Data" / "Res");
  fs::create_directories(dir / "Data" / "Music");
  RgbImage image{8, 8, std::vector<uint8_t>(8 * 8 * 3, 200)};
  std::vector<PictureItemSpec> items(pictures);
  for (auto& item : items) item.Dib = EncodeDib24(image);
  for (const char* name : {"Res1.dxg", "Res2.dxg", "Res3.dxg"}) {
    WriteFileBytes((dir / "Data" / "Res" / name).string(), WriteImageCollection(items));
  }
  std::vector<int16_t> tone(2205);  // 0.1 s at 22050 Hz
  for (size_t i = 0; i < tone.size(); ++i) tone[i] = static_cast<int16_t>(8000 * std::sin(i * 0.1));
  std::vector<WaveItemSpec> waves(sounds);
  for (auto& wave : waves) wave.Wave = EncodeWavePcm16(tone, 1, 22050);
  if (sounds > 6) {
    waves[5].Looped = true;
    waves[6].MaxPlayingCount = 2;
  }
  WriteFileBytes((dir / "Data" / "Res" / "Sounds.dxw").string(), WriteWaveCollection(waves));
  for (const char* song : {"Menu.xm", "Race.xm"}) {
    WriteFileBytes((dir / "Data" / "Music" / song).string(), {'x', 'm'});
  }
}

void GameTest::SetUp() {
  OldDir = fs::current_path();
  Dir =
      fs::temp_directory_path() / ("gearrush-app-" + std::to_string(getpid()) + "-" +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::remove_all(Dir);
  WriteTestData(Dir);
  fs::current_path(Dir);
  ResetShellState();
  ResetHeldKeys();
  SetDefaultOptions();
  CurrentSong = 0;
  MusicResumePending = false;
}

void GameTest::TearDown() {
  Form.reset();
  fs::current_path(OldDir);
  fs::remove_all(Dir);
}

void GameTest::StartGame() {
  Form = std::make_unique<TMForm>(CreateHeadlessPlatform(Devices));
  Form->FormCreate();
}

void GameTest::Tick(int count) {
  for (int i = 0; i < count; ++i) {
    Devices.clock->Now += FrameStepMs;
    Form->Idle();
  }
}
