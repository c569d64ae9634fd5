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
