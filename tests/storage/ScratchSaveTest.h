// A fixture that runs each test in a scratch folder of its own holding an empty Data/Save, with
// the options and the high-score table back at their start-up values.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>

#include "storage/GameOptions.h"
#include "storage/HighScores.h"

class ScratchSaveTest : public ::testing::Test {
 protected:
  explicit ScratchSaveTest(std::string prefix) : Prefix_(std::move(prefix)) {}

  void SetUp() override {
    OldDir = std::filesystem::current_path();
    Dir = std::filesystem::temp_directory_path() /
          (Prefix_ + std::to_string(getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir / "Data" / "Save");
    std::filesystem::current_path(Dir);
    ResetOptionsState();
    for (auto& entry : HighScores) entry = {};
  }
  void TearDown() override {
    std::filesystem::current_path(OldDir);
    std::filesystem::remove_all(Dir);
  }

  std::filesystem::path Dir;
  std::filesystem::path OldDir;

 private:
  std::string Prefix_;
};
