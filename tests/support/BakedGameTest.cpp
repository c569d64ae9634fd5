#include "BakedGameTest.h"

#include <unistd.h>

#include <string>

#include "app/Audio.h"
#include "app/Dispatch.h"
#include "app/FrameTiming.h"
#include "app/InputState.h"
#include "app/ShellState.h"
#include "platform/ttf/TtfTextRenderer.h"
#include "race/RiderState.h"
#include "race/TrackState.h"
#include "screens/Dialogs.h"
#include "storage/GameOptions.h"

namespace fs = std::filesystem;

void ResetGameState() {
  ResetShellState();
  ResetHeldKeys();
  ResetRiderState();
  ResetTrackState();
  ResetDialogState();
  ResetOptionsState();
  CurrentSong = 0;
  MusicResumePending = false;
  BossCaptureMode = false;
  CountryEntryOn = false;
  NameEntry.clear();
  LastTypedChar = 0;
}

void BakedGameTest::SetUp() {
  OldDir = fs::current_path();
  Dir = fs::temp_directory_path() /
        ("gearrush-test-" + std::to_string(getpid()) + "-" +
         ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "-" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::remove_all(Dir);
  fs::create_directories(Dir / "Data" / "Save");
  const fs::path baked = fs::path(GR_BINARY_DIR) / "Data";
  for (const char* folder : {"Res", "Music", "Fonts"}) {
    if (fs::exists(baked / folder)) {
      fs::create_directory_symlink(baked / folder, Dir / "Data" / folder);
    }
  }
  fs::current_path(Dir);
  ResetGameState();
  Game = std::make_unique<HeadlessDriver>(1, RefreshHz, RefreshHz, CreateTtfTextRenderer("Data/Fonts"));
  Game->Form().FormCreate();
}

void BakedGameTest::TearDown() {
  Game.reset();
  ResetGameState();
  fs::current_path(OldDir);
  fs::remove_all(Dir);
}

void BakedGameTest::FinishIntro() {
  for (int i = 0; i < 85 && MenuIntroActive; ++i) Game->RunTick();
  ASSERT_FALSE(MenuIntroActive);
  Game->RunTick();
}

void BakedGameTest::Ticks(int count) {
  for (int i = 0; i < count; ++i) Game->RunTick();
}
