// The shipped fonts and their fontconfig file (Data/Fonts), asked the way the game asks: by
// the face names "BancoDi" and "Courier". fc-match stands in for the game's own lookup.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Match {
  std::string Family;
  std::string Style;
  std::string File;
};

// What fontconfig picks for PATTERN under the configuration file CONF.
Match FcMatch(const fs::path& conf, const std::string& pattern) {
  const std::string command = "FONTCONFIG_FILE='" + conf.string() +
                              "' fc-match -f '%{family[0]}|%{style[0]}|%{file}' '" + pattern +
                              "' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {};
  std::string out;
  std::array<char, 512> buffer{};
  while (fgets(buffer.data(), buffer.size(), pipe) != nullptr) out += buffer.data();
  pclose(pipe);
  const size_t first = out.find('|');
  const size_t second = out.find('|', first + 1);
  if (first == std::string::npos || second == std::string::npos) return {};
  return {out.substr(0, first), out.substr(first + 1, second - first - 1), out.substr(second + 1)};
}

class ShippedFonts : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(std::system("command -v fc-match >/dev/null 2>&1"), 0)
        << "fc-match is missing (Debian package fontconfig)";
    // A copy elsewhere: the game's Data folder may sit anywhere.
    Dir = fs::temp_directory_path() /
          ("gearrush-fonts-" + std::to_string(getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    fs::copy(fs::path(GR_BINARY_DIR) / "Data" / "Fonts", Dir / "Fonts");
    Conf = Dir / "Fonts" / "fonts.conf";
    ASSERT_TRUE(fs::exists(Conf));
  }
  void TearDown() override { fs::remove_all(Dir); }

  fs::path Dir;
  fs::path Conf;
};

TEST_F(ShippedFonts, GameFaceNamesFindTheShippedFilesWhereverDataLies) {
  const Match display = FcMatch(Conf, "BancoDi");
  EXPECT_EQ(display.Family, "Yanone Kaffeesatz");
  EXPECT_EQ(display.Style, "Bold");
  EXPECT_EQ(fs::path(display.File).parent_path(), Dir / "Fonts");

  const Match bold = FcMatch(Conf, "BancoDi:bold");
  EXPECT_EQ(bold.File, display.File);

  const Match mono = FcMatch(Conf, "Courier");
  EXPECT_EQ(mono.Family, "Liberation Mono");
  EXPECT_EQ(fs::path(mono.File).parent_path(), Dir / "Fonts");
}

TEST_F(ShippedFonts, DisplayFaceStaysBoldBesideTheSystemFonts) {
  // The game loads the system's configuration and adds the shipped one. Where the machine
  // has the display family's lighter cuts installed too, a plain request must still get the
  // bold cut the texts were measured for.
  const fs::path both = Dir / "both.conf";
  std::ofstream(both) << "<?xml version=\"1.0\"?>\n<fontconfig>\n"
                      << "  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>\n"
                      << "  <include>" << Conf.string() << "</include>\n</fontconfig>\n";
  for (const char* request : {"BancoDi", "BancoDi:bold", "BancoDi:light"}) {
    const Match match = FcMatch(both, request);
    EXPECT_EQ(match.Family, "Yanone Kaffeesatz") << request;
    EXPECT_EQ(match.Style, "Bold") << request;
  }
  EXPECT_EQ(FcMatch(both, "Courier").Family, "Liberation Mono");
}

}  // namespace
