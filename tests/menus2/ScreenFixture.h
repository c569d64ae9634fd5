// The game on the headless platform with the baked data of this build, in a scratch folder of
// its own (the pictures, sounds and fonts are linked, the save folder is fresh), driven up to
// the main menu's sub-screens.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BakedGameTest.h"

class ScreenTest : public BakedGameTest {
 protected:
  // From the main menu, walks the highlight down to the button and presses Enter.
  void OpenFromMainMenu(int button);
  // The mouse over a side-menu button (1..6), then a click.
  void ClickSideButton(int button);
  // "Exit the game?" from a sub-screen or the main menu, and Yes: the files are written.
  void QuitThroughTheMainMenu();
  std::vector<std::string> SaveFileLines(const std::string& name) const;
  std::vector<std::string>& LinksOpened() { return Game->Devices().shell->Opened; }
};
