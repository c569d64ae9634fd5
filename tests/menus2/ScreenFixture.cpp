#include "ScreenFixture.h"

#include <unistd.h>

#include <fstream>

#include "app/Audio.h"
#include "app/Dispatch.h"
#include "app/FrameTiming.h"
#include "app/InputState.h"
#include "app/ShellState.h"
#include "platform/KeyCodes.h"
#include "platform/ttf/TtfTextRenderer.h"
#include "race/RiderState.h"
#include "storage/GameOptions.h"
#include "storage/HighScores.h"

namespace fs = std::filesystem;

namespace {
constexpr int kSideButtonX = 100;
constexpr int kSideButtonY[7] = {0, 190, 250, 310, 370, 430, 490};
}  // namespace

void ScreenTest::SetUp() {
  OldDir = fs::current_path();
  Dir =
      fs::temp_directory_path() / ("gearrush-screens2-" + std::to_string(getpid()) + "-" +
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

void ScreenTest::TearDown() {
  Game.reset();
  fs::current_path(OldDir);
  fs::remove_all(Dir);
}

void ScreenTest::FinishIntro() {
  for (int i = 0; i < 85 && MenuIntroActive; ++i) Game->RunTick();
  ASSERT_FALSE(MenuIntroActive);
  Game->RunTick();
}

void ScreenTest::Ticks(int count) {
  for (int i = 0; i < count; ++i) Game->RunTick();
}

void ScreenTest::OpenFromMainMenu(int button) {
  ASSERT_EQ(CurrentScreen, ScreenMainMenu);
  while (SelectedItem != button) Game->Press(vk::Down);
  Game->Press(vk::Return);
}

void ScreenTest::ClickSideButton(int button) {
  Game->MoveMouse(kSideButtonX, kSideButtonY[button]);
  Game->Click();
  Game->RunTick();
}

void ScreenTest::QuitThroughTheMainMenu() {
  if (CurrentScreen != ScreenMainMenu) Game->Press(vk::Escape);
  ASSERT_EQ(CurrentScreen, ScreenMainMenu);
  Game->Press(vk::Escape);
  ASSERT_EQ(ActiveDialog, DialogExitGame);
  Game->Press('Y');
  ASSERT_TRUE(Game->Form().Terminated());
}

std::vector<std::string> ScreenTest::SaveFileLines(const std::string& name) const {
  std::ifstream file(Dir / "Data" / "Save" / name, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}
