// Where the game finds its data and keeps its saves: beside the program in a build tree, or in
// the install folder with the saves in the player's XDG data folder, whatever the working
// directory.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "BakedGameTest.h"
#include "app/GameFolders.h"
#include "app/HeadlessDriver.h"
#include "app/ShellState.h"
#include "platform/KeyCodes.h"
#include "platform/ttf/TtfTextRenderer.h"

namespace fs = std::filesystem;

namespace {
class GameFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OldDir = fs::current_path();
    Dir = fs::temp_directory_path() /
          ("gearrush-folders-" + std::to_string(getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Dir);
    fs::create_directories(Dir / "prefix" / "bin");
    fs::create_directories(Dir / "elsewhere");
  }
  void TearDown() override {
    fs::current_path(OldDir);
    fs::remove_all(Dir);
  }
  std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

  fs::path Dir;
  fs::path OldDir;
};
}  // namespace

TEST_F(GameFoldersTest, ABuildTreeKeepsEverythingInTheDataFolderBesideTheProgram) {
  const fs::path program = Dir / "build";
  fs::create_directories(program / "Data" / "Res");
  const GameFolders folders =
      GameFolders::ForProgram(program, "../share/gearrush", "/xdg", "/home/rider");
  EXPECT_FALSE(folders.Installed());
  EXPECT_EQ(folders.Resource("Res1.dxg"), (program / "Data" / "Res" / "Res1.dxg").string());
  EXPECT_EQ(folders.Song("Race.xm"), (program / "Data" / "Music" / "Race.xm").string());
  EXPECT_EQ(folders.Fonts(), (program / "Data" / "Fonts").string());
  EXPECT_EQ(folders.WindowIcon(), (program / "icons/hicolor/64x64/apps/gearrush.png").string());
  EXPECT_EQ(folders.Saves(), (program / "Data" / "Save").string());
  EXPECT_EQ(folders.LinkFile(), (program / "play.url").string());
}

TEST_F(GameFoldersTest, AnInstalledProgramReadsItsPrefixAndSavesInTheXdgDataFolder) {
  const fs::path bin = Dir / "prefix" / "bin";
  const GameFolders folders =
      GameFolders::ForProgram(bin, "../share/gearrush", "/home/rider/data", "/home/rider");
  EXPECT_TRUE(folders.Installed());
  const fs::path data = Dir / "prefix" / "share" / "gearrush";
  EXPECT_EQ(folders.Resource("Sounds.dxw"), (data / "Res" / "Sounds.dxw").string());
  EXPECT_EQ(folders.Song("Menu.xm"), (data / "Music" / "Menu.xm").string());
  EXPECT_EQ(folders.Saves(), "/home/rider/data/gearrush");
  EXPECT_EQ(folders.LinkFile(), (data / "play.url").string());
  EXPECT_EQ(folders.WindowIcon(),
            (Dir / "prefix/share/icons/hicolor/64x64/apps/gearrush.png").string());

  // Without the variable, or with a relative one (which the XDG rules say to ignore), the
  // default below the home folder.
  for (const char* xdg : {"", "relative/data"}) {
    SCOPED_TRACE(xdg);
    EXPECT_EQ(GameFolders::ForProgram(bin, "../share/gearrush", xdg, "/home/rider").Saves(),
              "/home/rider/.local/share/gearrush");
  }
  // A data folder given as an absolute path is taken as it is.
  EXPECT_EQ(GameFolders::ForProgram(bin, "/opt/gr/data", "", "/h").Resource("Res1.dxg"),
            "/opt/gr/data/Res/Res1.dxg");
}

TEST_F(GameFoldersTest, TheWorkingDirectoryLayoutIsTheOneTheRunnerAndTestsUse) {
  const GameFolders folders = GameFolders::WorkingDirectory();
  EXPECT_EQ(folders.Resource("Res1.dxg"), "Data/Res/Res1.dxg");
  EXPECT_EQ(folders.Saves(), "Data/Save");
  EXPECT_EQ(folders.LinkFile(), "play.url");
}

// The real game from an install folder, started in an unrelated working directory: it loads its
// data, and leaving it with Yes writes the two save files into the XDG folder it creates, in the
// files' usual format, and nothing anywhere else.
TEST_F(GameFoldersTest, TheInstalledGameSavesIntoANewXdgFolderAndWritesNothingElsewhere) {
  const fs::path share = Dir / "prefix" / "share" / "gearrush";
  fs::create_directories(share);
  const fs::path baked = fs::path(GR_BINARY_DIR) / "Data";
  for (const char* folder : {"Res", "Music", "Fonts"}) {
    fs::create_directory_symlink(baked / folder, share / folder);
  }
  const fs::path xdg = Dir / "xdg";
  GameFolders folders = GameFolders::ForProgram(Dir / "prefix" / "bin", "../share/gearrush",
                                                xdg.string(), (Dir / "home").string());
  ASSERT_TRUE(folders.Installed());
  fs::current_path(Dir / "elsewhere");
  ResetGameState();
  {
    HeadlessDriver game(1, 85, 85, CreateTtfTextRenderer(folders.Fonts()), nullptr,
                        folders);
    ASSERT_NO_THROW(game.Form().FormCreate());
    for (int i = 0; i < 120; ++i) game.RunTick();
    EXPECT_EQ(game.Devices().music->PlayingSong(), "Menu");
    game.Press(vk::Escape);
    ASSERT_EQ(ActiveDialog, DialogExitGame);
    game.Press('Y');
    EXPECT_TRUE(game.Form().Terminated());
  }
  ResetGameState();

  const std::string defaults = "0\r\n1\r\n1\r\n_______\r\n1\r\n9\r\n";
  EXPECT_EQ(Slurp(xdg / "gearrush" / "options").substr(0, defaults.size()), defaults);
  const std::string hs = Slurp(xdg / "gearrush" / "hs");
  EXPECT_EQ(hs.substr(0, 18), "ANONYMOUS\r\n10000\r\n");
  EXPECT_EQ(std::count(hs.begin(), hs.end(), '\n'), 20);
  EXPECT_TRUE(fs::is_empty(Dir / "elsewhere"));
  EXPECT_FALSE(fs::exists(share / "Save"));
  EXPECT_FALSE(fs::exists(Dir / "home"));
}
