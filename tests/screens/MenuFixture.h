// The game on the headless platform with the baked data of this build, in a scratch folder of
// its own (the pictures, sounds and fonts are linked, the save folder is fresh).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/HeadlessDriver.h"

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Ticks until the main menu's opening animation is over (fails after a second's worth).
  void FinishIntro();
  void Ticks(int count);
  std::vector<int> SoundsPlayed() { return Game->Devices().sound->TakePlayed(); }

  std::filesystem::path Dir;
  std::filesystem::path OldDir;
  std::unique_ptr<HeadlessDriver> Game;
};
