// The real game on the headless platform with this build's baked data, in a scratch folder of
// its own: the pictures, sounds, songs and fonts are linked in, the save folder starts empty,
// and every global of the game is back at its start-up value.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "app/HeadlessDriver.h"

// Every global game state back to its value before start-up.
void ResetGameState();

class BakedGameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Ticks until the main menu's opening animation is over (fails after a second's worth), then
  // one more so the menu has handled a tick.
  void FinishIntro();
  void Ticks(int count);
  std::vector<int> SoundsPlayed() { return Game->Devices().sound->TakePlayed(); }
  bool SoundPlaying(int item) { return Game->Devices().sound->ItemPlaying(item); }

  // The display's refresh rate the game runs at; a fixture may change it before SetUp.
  int RefreshHz = 85;
  std::filesystem::path Dir;
  std::filesystem::path OldDir;
  std::unique_ptr<HeadlessDriver> Game;
};
