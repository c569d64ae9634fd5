// A game on the headless platform in a scratch folder with small collections of its own.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/ShellState.h"
#include "app/TMForm.h"
#include "platform/headless/HeadlessPlatform.h"

// Writes Data/Res/Res1..3.dxg and Sounds.dxw with `pictures` 8x8 items each and `sounds` waves
// (sound 5 looped, sound 6 limited to two copies), and the two songs, below dir.
void WriteTestData(const std::filesystem::path& dir, int pictures = 60, int sounds = 22);

class GameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Creates the form and runs its start-up.
  void StartGame();
  // One tick at the given refresh rate's pace.
  void Tick(int count = 1);

  std::filesystem::path Dir;
  std::filesystem::path OldDir;
  HeadlessDevices Devices{};
  std::unique_ptr<TMForm> Form;
  uint32_t FrameStepMs = 1000 / 85;
};
