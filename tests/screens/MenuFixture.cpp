#include "MenuFixture.h"

#include <unistd.h>

#include "app/Audio.h"
#include "app/Dispatch.h"
#include "app/FrameTiming.h"
#include "app/InputState.h"
#include "app/ShellState.h"
#include "platform/ttf/TtfTextRenderer.h"
#include "race/RiderState.h"
#include "storage/GameOptions.h"

namespace fs = std::filesystem;

void MenuTest::SetUp() {
  OldDir = fs::current_path();
  Dir =
      fs::temp_directory_path() / ("gearrush-menu-" + std::to_string(getpid()) + "-" +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::remove_all(Dir);
  fs::create_directories(Dir / "Data" / "Save");
  const fs::path baked = fs::path(GR_BINARY_DIR) / "Data";
  for (const char* folder : {"Res", "Music", "Fonts"}) {
    if (fs::exists(baked / folder))
      fs::create_directory_symlink(baked / folder, Dir / "Data" / folder);
  }
  fs::current_path(Dir);
  ResetShellState();
  ResetHeldKeys();
  ResetRiderState();
  SetDefaultOptions();
  CurrentSong = 0;
  MusicResumePending = false;
  BossCaptureMode = false;
  CountryEntryOn = false;
  NameEntry.clear();
  Game = std::make_unique<HeadlessDriver>(1, 85, 85, CreateTtfTextRenderer("Data/Fonts"));
  Game->Form().FormCreate();
}

void MenuTest::TearDown() {
  Game.reset();
  fs::current_path(OldDir);
  fs::remove_all(Dir);
}

void MenuTest::FinishIntro() {
  for (int i = 0; i < 85 && MenuIntroActive; ++i) Game->RunTick();
  ASSERT_FALSE(MenuIntroActive);
  Game->RunTick();
}

void MenuTest::Ticks(int count) {
  for (int i = 0; i < count; ++i) Game->RunTick();
}
