// Baking is deterministic: a second bake gives byte-identical files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BakedData.h"

namespace {

namespace fs = std::filesystem;

std::vector<char> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Rebake, ASecondBakeGivesByteIdenticalFiles) {
  const fs::path baker = BakedDataRoot() / "tools" / "assetbake" / "assetbake";
  ASSERT_TRUE(fs::exists(baker)) << baker;
  // One folder per process: several builds' suites may run at once on one machine.
  const fs::path out =
      fs::temp_directory_path() / ("gearrush-rebake-test-" + std::to_string(getpid()));
  fs::remove_all(out);
  fs::create_directories(out);
  std::string command(1, '"');
  command += baker.string() + "\" \"" + out.string() + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  int compared = 0;
  for (const auto& entry : fs::recursive_directory_iterator(out / "Data")) {
    if (!entry.is_regular_file()) continue;
    const fs::path relative = fs::relative(entry.path(), out);
    SCOPED_TRACE(relative.string());
    const fs::path built = BakedDataRoot() / relative;
    ASSERT_TRUE(fs::exists(built));
    const std::vector<char> again = ReadAll(entry.path());
    EXPECT_FALSE(again.empty());
    EXPECT_TRUE(again == ReadAll(built));
    ++compared;
  }
  // Three picture lists, the sounds and two songs at least.
  EXPECT_GE(compared, 6);
  fs::remove_all(out);
}

}  // namespace
