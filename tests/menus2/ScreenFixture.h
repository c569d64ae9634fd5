// The game on the headless platform with the baked data of this build, in a scratch folder of
// its own (the pictures, sounds and fonts are linked, the save folder is fresh), driven up to
// the main menu's sub-screens.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/HeadlessDriver.h"

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Ticks until the main menu's opening animation is over (fails after a second's worth).
  void FinishIntro();
  void Ticks(int count);
  // From the main menu, walks the highlight down to the button and presses Enter.
  void OpenFromMainMenu(int button);
  // The mouse over a side-menu button (1..6), then a click.
  void ClickSideButton(int button);
  // "Exit the game?" from a sub-screen or the main menu, and Yes: the files are written.
  void QuitThroughTheMainMenu();
  std::vector<std::string> SaveFileLines(const std::string& name) const;
  std::vector<std::string>& LinksOpened() { return Game->Devices().shell->Opened; }

  std::filesystem::path Dir;
  std::filesystem::path OldDir;
  std::unique_ptr<HeadlessDriver> Game;
};
