// The options and high-score files: defaults, the signature, the boss-key codes, and saving
// that never loses the old file.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ScratchSaveTest.h"
#include "platform/KeyCodes.h"
#include "storage/GameOptions.h"
#include "storage/HighScores.h"
#include "storage/OptionsFile.h"
#include "storage/SaveFiles.h"
#include "storage/TextFileReader.h"

namespace fs = std::filesystem;

namespace {
std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::vector<int> Codes(const std::string& text) {
  std::vector<int> codes;
  for (char c : text) codes.push_back(static_cast<unsigned char>(c));
  return codes;
}

class SaveFilesTest : public ScratchSaveTest {
 protected:
  SaveFilesTest() : ScratchSaveTest("gearrush-save-") {}
  // Start-up's order: the table, the options, then the signature check.
  void StartUp() {
    ResetOptionsState();
    SaveFolder folder;
    LoadSaveFiles(folder);
  }
  void ShutDown() {
    SaveFolder folder;
    EXPECT_EQ(WriteSaveFiles(folder), std::vector<std::string>{});
  }
  fs::path Save(const char* file) { return Dir / "Data" / "Save" / file; }
};
}  // namespace

TEST_F(SaveFilesTest, DefaultTableHasItsKnownSignature) {
  ResetHighScores();
  EXPECT_EQ(Codes(HighScoreSignature()),
            (std::vector<int>{56, 140, 150, 140, 202, 226, 246, 82, 62}));
}

TEST_F(SaveFilesTest, SignatureCoversOnlyTheLongestNamesLength) {
  HighScores[1] = {"AB", 5};
  EXPECT_EQ(Codes(HighScoreSignature()), (std::vector<int>{38, 130}));
  for (int i = 1; i <= 10; ++i) HighScores[i] = {std::string(1, static_cast<char>('A' + i)), 99999};
  EXPECT_EQ(HighScoreSignature().size(), 1u) << "digits past the first position are skipped";
  for (int i = 1; i <= 10; ++i) HighScores[i] = {"", 0};
  EXPECT_EQ(HighScoreSignature(), "");
}

TEST_F(SaveFilesTest, QualifyingNeedsMoreThanTheTenthScore) {
  ResetHighScores();
  EXPECT_FALSE(QualifiesForHighScores(1000));
  EXPECT_TRUE(QualifiesForHighScores(1001));
  HighScores[kPendingSlot] = {"NEW", 1001};
  InsertHighScore();
  EXPECT_EQ(HighScores[10].Name, "NEW");
  EXPECT_EQ(HighScores[kPendingSlot].Points, 1000) << "the last default entry dropped out";
}

TEST_F(SaveFilesTest, EqualScoreLandsBelowTheOlderOne) {
  ResetHighScores();
  HighScores[kPendingSlot] = {"LATE", 5000};
  InsertHighScore();
  EXPECT_EQ(HighScores[6].Name, "ANONYMOUS");
  EXPECT_EQ(HighScores[6].Points, 5000);
  EXPECT_EQ(HighScores[7].Name, "LATE");
  EXPECT_EQ(HighScores[8].Points, 4000);
}

TEST_F(SaveFilesTest, TableAndOptionsSurviveARestart) {
  StartUp();
  HighScores[kPendingSlot] = {"Rider One", 12345};
  InsertHighScore();
  GameOptions.FullScreen = true;
  GameOptions.Country = "Norway";
  ShutDown();
  for (auto& entry : HighScores) entry = {};
  StartUp();
  EXPECT_EQ(HighScores[1].Name, "Rider One");
  EXPECT_EQ(HighScores[1].Points, 12345);
  EXPECT_TRUE(GameOptions.FullScreen);
  EXPECT_EQ(GameOptions.Country, "Norway");
  EXPECT_EQ(Slurp(Save("hs")).substr(0, 22), "Rider One\r\n12345\r\nANON");
}

TEST_F(SaveFilesTest, EditedScoreOrDeletedOptionsStartWithTheDefaultTable) {
  StartUp();
  HighScores[kPendingSlot] = {"Rider", 50000};
  InsertHighScore();
  ShutDown();

  std::string hs = Slurp(Save("hs"));
  hs.replace(hs.find("50000"), 5, "60000");
  std::ofstream(Save("hs"), std::ios::binary) << hs;
  StartUp();
  EXPECT_EQ(HighScores[1].Name, "ANONYMOUS");
  EXPECT_EQ(HighScores[1].Points, 10000);

  HighScores[kPendingSlot] = {"Rider", 50000};
  InsertHighScore();
  ShutDown();
  fs::remove(Save("options"));
  StartUp();
  EXPECT_EQ(HighScores[1].Points, 10000);
}

TEST_F(SaveFilesTest, NonNumericLinesCountAsAMissingFile) {
  StartUp();
  HighScores[kPendingSlot] = {"Rider", 50000};
  InsertHighScore();
  GameOptions.SoundOn = false;
  ShutDown();
  std::string options = Slurp(Save("options"));
  options.replace(0, 1, "x");
  std::ofstream(Save("options"), std::ios::binary) << options;
  StartUp();
  EXPECT_TRUE(GameOptions.SoundOn) << "the defaults";
  EXPECT_EQ(HighScores[1].Points, 10000) << "no signature read: the table resets too";

  std::ofstream(Save("hs"), std::ios::binary) << "A\r\n12abc\r\n";
  LoadHighScores(SaveFolder().Read("hs"));
  EXPECT_EQ(HighScores[1].Name, "ANONYMOUS");
}

TEST_F(SaveFilesTest, NoOptionsFileGivesTheDefaults) {
  StartUp();
  EXPECT_FALSE(GameOptions.FullScreen);
  EXPECT_TRUE(GameOptions.MusicOn);
  EXPECT_TRUE(GameOptions.SoundOn);
  EXPECT_EQ(GameOptions.Country, "_______");
  EXPECT_EQ(BossModifier, ss::Alt);
  EXPECT_EQ(BossKey, vk::F1 + 8);
  ShutDown();
  EXPECT_EQ(Slurp(Save("options")).substr(0, 24), "0\r\n1\r\n1\r\n_______\r\n1\r\n9\r\n");
}

TEST_F(SaveFilesTest, BossKeyCodesAreWrittenAndReadBack) {
  StartUp();
  BossModifier = ss::Ctrl;
  BossKey = vk::F12;
  ShutDown();
  EXPECT_NE(Slurp(Save("options")).find("\r\n2\r\n12\r\n"), std::string::npos);
  StartUp();
  EXPECT_EQ(BossModifier, ss::Ctrl);
  EXPECT_EQ(BossKey, vk::F12);

  BossModifier = ss::Shift | ss::Alt;  // Alt wins
  BossKey = 0;
  ShutDown();
  StartUp();
  EXPECT_EQ(BossModifier, ss::Alt);
  EXPECT_EQ(BossKey, 0);
}

// Line 5 numbers the modifiers 1 Alt, 2 Ctrl, 3 Shift; with several bits set Alt wins over Ctrl
// and Ctrl over Shift.
TEST_F(SaveFilesTest, SeveralModifierBitsAreWrittenAsTheStrongestOne) {
  StartUp();
  BossKey = vk::F1 + 4;
  for (const auto& [bits, code] :
       {std::pair{ss::Alt | ss::Ctrl, "1"}, std::pair{ss::Ctrl | ss::Shift, "2"},
        std::pair{ss::Alt | ss::Shift, "1"}, std::pair{ss::Alt | ss::Ctrl | ss::Shift, "1"},
        std::pair{static_cast<int>(ss::Shift), "3"}, std::pair{static_cast<int>(ss::Ctrl), "2"},
        std::pair{static_cast<int>(ss::Alt), "1"}, std::pair{0, "0"}}) {
    BossModifier = static_cast<uint8_t>(bits);
    ShutDown();
    EXPECT_EQ(Slurp(Save("options")).substr(0, 24),
              std::string("0\r\n1\r\n1\r\n_______\r\n") + code + "\r\n5\r\n")
        << "bits " << bits;
  }
  for (const auto& [code, bits] :
       {std::pair{"1", ss::Alt}, std::pair{"2", ss::Ctrl}, std::pair{"3", ss::Shift}}) {
    std::ofstream(Save("options"), std::ios::binary)
        << "0\r\n1\r\n1\r\nX\r\n" << code << "\r\n3\r\nsig\r\n";
    StartUp();
    EXPECT_EQ(BossModifier, bits) << "code " << code;
    EXPECT_EQ(BossKey, vk::F1 + 2);
  }
}

// Line 6: 1 to 12 are the keys F1 to F12, 0 is none whatever was held, and any other number
// keeps what was held.
TEST_F(SaveFilesTest, EveryBossKeyCodeReadsBackAsItsKey) {
  for (int code = 1; code <= 12; ++code) {
    std::ofstream(Save("options"), std::ios::binary)
        << "0\r\n1\r\n1\r\nX\r\n1\r\n" << code << "\r\nsig\r\n";
    StartUp();
    EXPECT_EQ(BossKey, vk::F1 + code - 1) << "code " << code;
  }
  BossKey = vk::F1 + 4;
  LoadOptions(std::string("0\r\n1\r\n1\r\nX\r\n1\r\n0\r\nsig\r\n"));
  EXPECT_EQ(BossKey, 0) << "0 is no key, not the key held";
  BossKey = vk::F1 + 4;
  LoadOptions(std::string("0\r\n1\r\n1\r\nX\r\n1\r\n13\r\nsig\r\n"));
  EXPECT_EQ(BossKey, vk::F1 + 4) << "13 keeps the key held";
}

TEST_F(SaveFilesTest, UnknownModifierCodeLeavesNoModifierAtStartUp) {
  std::ofstream(Save("options"), std::ios::binary) << "0\r\n1\r\n1\r\nX\r\n7\r\n13\r\nsig\r\n";
  StartUp();
  EXPECT_EQ(BossModifier, 0);
  EXPECT_EQ(BossKey, 0);
  EXPECT_EQ(StoredSignature, "sig");
}

TEST_F(SaveFilesTest, FileWithMissingLinesGivesZerosAndEmptyTexts) {
  std::ofstream(Save("options"), std::ios::binary) << "1\r\n";
  StartUp();
  EXPECT_TRUE(GameOptions.FullScreen);
  EXPECT_FALSE(GameOptions.MusicOn);
  EXPECT_EQ(GameOptions.Country, "");
}

TEST_F(SaveFilesTest, FullDiskLeavesBothOldFilesByteForByte) {
  StartUp();
  ShutDown();
  const std::string hs = Slurp(Save("hs"));
  const std::string options = Slurp(Save("options"));
  HighScores[kPendingSlot] = {"Lost", 99999};
  InsertHighScore();
  GameOptions.FullScreen = true;
  // A file size limit makes every write past it fail, as a full disk would.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit tiny = old;
  tiny.rlim_cur = 16;
  setrlimit(RLIMIT_FSIZE, &tiny);
  SaveFolder folder;
  const std::vector<std::string> errors = WriteSaveFiles(folder);
  setrlimit(RLIMIT_FSIZE, &old);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0], "Cannot save \"Data/Save/hs\". File too large");
  EXPECT_EQ(errors[1], "Cannot save \"Data/Save/options\". File too large");
  EXPECT_EQ(Slurp(Save("hs")), hs);
  EXPECT_EQ(Slurp(Save("options")), options);
  EXPECT_EQ(std::distance(fs::directory_iterator(Dir / "Data" / "Save"), fs::directory_iterator()),
            2)
      << "no temporary file left behind";
}

TEST(TextFileReader, ReadsIntegersAcrossBlankLinesAndRejectsWords) {
  TextFileReader reader("  \r\n\r\n -42 rest\r\nname\r\nabc\r\n");
  EXPECT_EQ(reader.ReadInteger(), -42);
  EXPECT_EQ(reader.ReadLine(), " rest");
  EXPECT_EQ(reader.ReadLine(), "name");
  EXPECT_EQ(reader.ReadInteger(), std::nullopt);
  TextFileReader empty("");
  EXPECT_EQ(empty.ReadInteger(), 0);
  EXPECT_EQ(empty.ReadLine(), "");
}
