// The runner's `track` command, called in-process and through the runner.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TrackCommand.h"
#include "app/Random.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t kFileBytes = 4 * 5 + 1500 * 650 + 1500 + 4 * 1500 + 4;

std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int32_t Int32At(const std::vector<uint8_t>& bytes, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | bytes[at + i];
  return static_cast<int32_t>(v);
}

class TrackCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(GR_BINARY_DIR) / "track-command-test";
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  int Run(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    return RunTrackCommand(static_cast<int>(argv.size()), argv.data());
  }

  fs::path dir_;
};

TEST_F(TrackCommandTest, WritesTheTrackInTheFileLayout) {
  const fs::path out = dir_ / "level1.bin";
  ASSERT_EQ(Run({"--seed", "42", "--level", "1", "--out", out.string()}), 0);
  const std::vector<uint8_t> bytes = ReadAll(out);
  ASSERT_EQ(bytes.size(), kFileBytes);
  EXPECT_EQ(Int32At(bytes, 0), 300);
  EXPECT_EQ(Int32At(bytes, 4), 45000);
  EXPECT_EQ(Int32At(bytes, 8), 10);
  EXPECT_EQ(Int32At(bytes, 12), 318);
  EXPECT_EQ(Int32At(bytes, 16), 1478);
  // Grid row 1479 (the start line), columns 321..324, then the row kinds and centre lines.
  const size_t grid = 20;
  for (int k = 321; k <= 324; ++k) EXPECT_EQ(bytes[grid + (1479 - 1) * 650 + (k - 1)], 24);
  const size_t kinds = grid + 1500 * 650;
  EXPECT_EQ(bytes[kinds + 1499 - 1], 1);
  EXPECT_EQ(bytes[kinds + 1 - 1], 0);  // above a first track
  const size_t centres = kinds + 1500;
  EXPECT_EQ(Int32At(bytes, centres + 4 * (1499 - 1)), 23256);
  EXPECT_EQ(static_cast<uint32_t>(Int32At(bytes, centres + 4 * 1500)), RandSeed);
  EXPECT_EQ(bytes, SerializeTrack());
}

TEST_F(TrackCommandTest, SameSeedSameFileAndEachSeedItsOwnTrack) {
  const fs::path a = dir_ / "a.bin", b = dir_ / "b.bin", c = dir_ / "c.bin";
  ASSERT_EQ(Run({"--level", "6", "--seed", "4294967295", "--out", a.string()}), 0);
  // A longer track in between must not leak into the next file's rows above the track.
  ASSERT_EQ(Run({"--seed", "1", "--level", "10", "--out", c.string()}), 0);
  ASSERT_EQ(Run({"--out", b.string(), "--seed", "4294967295", "--level", "6"}), 0);
  EXPECT_EQ(ReadAll(a), ReadAll(b));
  ASSERT_EQ(Run({"--seed", "0", "--level", "6", "--out", c.string()}), 0);
  EXPECT_NE(ReadAll(a), ReadAll(c));
  ASSERT_EQ(Run({"--seed", "0", "--level", "1", "--out", c.string()}), 0);
  const std::vector<uint8_t> shortTrack = ReadAll(c);
  EXPECT_EQ(shortTrack[20 + 1500 * 650 + 1], 0);
}

TEST_F(TrackCommandTest, RejectsBadArgumentsWithoutWritingAFile) {
  const fs::path out = dir_ / "never.bin";
  const std::string o = out.string();
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"--seed", "1", "--level", "1"},
      {"--seed", "1", "--out", o},
      {"--level", "1", "--out", o},
      {"--seed", "1", "--level", "0", "--out", o},
      {"--seed", "1", "--level", "11", "--out", o},
      {"--seed", "-1", "--level", "1", "--out", o},
      {"--seed", "4294967296", "--level", "1", "--out", o},
      {"--seed", "12x", "--level", "1", "--out", o},
      {"--seed", "", "--level", "1", "--out", o},
      {"--seed", "1", "--level", "1", "--out"},
      {"--seed", "1", "--level", "1", "--out", o, "--fast"},
  };
  for (const auto& args : bad) {
    testing::internal::CaptureStderr();
    const int status = Run(args);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 2) << err;
    EXPECT_NE(err.find("usage: gearrush-headless track"), std::string::npos);
    EXPECT_FALSE(fs::exists(out));
  }
}

TEST_F(TrackCommandTest, UnwritableFileFailsWithAMessage) {
  const fs::path out = dir_ / "missing-folder" / "t.bin";
  testing::internal::CaptureStderr();
  EXPECT_EQ(Run({"--seed", "1", "--level", "1", "--out", out.string()}), 1);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("cannot write"), std::string::npos) << err;
}

TEST_F(TrackCommandTest, RunnerWritesTheSameFileTwice) {
  const fs::path a = dir_ / "run1.bin", b = dir_ / "run2.bin";
  const std::string exe = GR_HEADLESS_EXE;
  const std::string args = " track --seed 987 --level 3 --out ";
  ASSERT_EQ(std::system((exe + args + a.string()).c_str()), 0);
  ASSERT_EQ(std::system((exe + args + b.string()).c_str()), 0);
  const std::vector<uint8_t> first = ReadAll(a);
  EXPECT_EQ(first.size(), kFileBytes);
  EXPECT_EQ(first, ReadAll(b));
  EXPECT_EQ(Int32At(first, 0), 700);
}

}  // namespace
