// `gearrush-headless bake-check` lists the baked collections one item a line.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include "BakedData.h"

namespace {

struct CommandResult {
  int Status = -1;
  std::string Out;
};

CommandResult RunBakeCheck(const std::string& args) {
  std::string command = "\"";
  command.append(GR_HEADLESS_EXE).append("\" bake-check ").append(args);
  CommandResult run;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer{};
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.Out.append(buffer.data(), n);
  const int raw = pclose(pipe);
  run.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

int CountLinesStartingWith(const std::string& text, const std::string& prefix) {
  std::istringstream in(text);
  int count = 0;
  for (std::string line; std::getline(in, line);) count += line.rfind(prefix, 0) == 0;
  return count;
}

TEST(BakeCheck, ListsEveryItemOfEveryCollection) {
  const CommandResult run = RunBakeCheck("--data \"" + BakedDataRoot().string() + "\"");
  ASSERT_EQ(run.Status, 0);
  EXPECT_EQ(CountLinesStartingWith(run.Out, "Res1.dxg #"), 54);
  EXPECT_EQ(CountLinesStartingWith(run.Out, "Res2.dxg #"), 55);
  EXPECT_EQ(CountLinesStartingWith(run.Out, "Res3.dxg #"), 14);
  EXPECT_EQ(CountLinesStartingWith(run.Out, "Sounds.dxw #"), 22);
  EXPECT_NE(run.Out.find("Res2.dxg #1 picture 720x576 pattern 72x72 patterns 80 opaque\n"),
            std::string::npos);
  EXPECT_NE(run.Out.find("Res2.dxg #4 picture 101x20 pattern 101x20 patterns 1 transparent key "
                         "0xFF00FF\n"),
            std::string::npos);
  EXPECT_NE(run.Out.find("Sounds.dxw #4 format 1 channels 1"), std::string::npos);
}

TEST(BakeCheck, FailsOnAMissingOrDamagedCollection) {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / "gearrush-bake-check-test";
  fs::remove_all(root);
  EXPECT_NE(RunBakeCheck("--data \"" + root.string() + "\"").Status, 0);

  // A truncated copy of a real collection is reported, not listed as if it were fine.
  fs::create_directories(root / "Data" / "Res");
  fs::copy_file(BakedResPath("Res3.dxg"), root / "Data" / "Res" / "Res3.dxg");
  fs::resize_file(root / "Data" / "Res" / "Res3.dxg", 300);
  EXPECT_NE(RunBakeCheck("--data \"" + root.string() + "\"").Status, 0);
  fs::remove_all(root);
}

}  // namespace
