// The table and the options saved as one pair: an error or a crash at any step of saving, a
// planted link, two games quitting together, and whatever stands in place of a save file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "ScratchSaveTest.h"
#include "storage/GameOptions.h"
#include "storage/HighScores.h"
#include "storage/OptionsFile.h"
#include "storage/SaveFileSystem.h"
#include "storage/SaveFiles.h"

namespace fs = std::filesystem;

namespace {
std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// The real calls, counted; the chosen one fails with an error, or ends the process on the spot
// as a kill would.
class FaultyFiles final : public SaveFileSystem {
 public:
  int FailAt = -1;
  int Error = EIO;
  bool Crash = false;
  bool WritesNothing = false;
  std::vector<std::string> Tokens;  // handed out first, then random ones
  std::vector<std::string> Calls;   // "write hs.tmp-..." and so on

  int Open(const std::string& path, int flags, mode_t mode) override {
    if (Step("open", path)) return -1;
    const int fd = SaveFileSystem::Open(path, flags, mode);
    if (fd >= 0) Names_[fd] = fs::path(path).filename();
    return fd;
  }
  ssize_t Write(int fd, const void* data, size_t size) override {
    if (Step("write", Names_[fd])) return -1;
    // A device that takes nothing and names no error.
    if (WritesNothing && Names_[fd].rfind("hs.tmp-", 0) == 0) return 0;
    return SaveFileSystem::Write(fd, data, size);
  }
  int Fsync(int fd) override { return Step("fsync", Names_[fd]) ? -1 : SaveFileSystem::Fsync(fd); }
  int Close(int fd) override {
    const std::string name = Names_[fd];
    Names_.erase(fd);
    const int result = SaveFileSystem::Close(fd);  // a failed close still releases the file
    return Step("close", name) ? -1 : result;
  }
  int Fchmod(int fd, mode_t mode) override {
    return Step("fchmod", Names_[fd]) ? -1 : SaveFileSystem::Fchmod(fd, mode);
  }
  int Rename(const std::string& from, const std::string& to) override {
    return Step("rename",
                fs::path(from).filename().string() + " " + fs::path(to).filename().string())
               ? -1
               : SaveFileSystem::Rename(from, to);
  }
  int Link(const std::string& from, const std::string& to) override {
    return Step("link", fs::path(to).filename()) ? -1 : SaveFileSystem::Link(from, to);
  }
  int Unlink(const std::string& path) override {
    return Step("unlink", fs::path(path).filename()) ? -1 : SaveFileSystem::Unlink(path);
  }
  std::string NewToken() override {
    if (Tokens.empty()) return SaveFileSystem::NewToken();
    const std::string token = Tokens.front();
    Tokens.erase(Tokens.begin());
    return token;
  }

 private:
  // True when this call is the one to fail.
  bool Step(const std::string& call, const std::string& what) {
    Calls.push_back(call + " " + what);
    if (static_cast<int>(Calls.size()) - 1 != FailAt) return false;
    if (Crash) _exit(0);
    errno = Error;
    return true;
  }
  std::map<int, std::string> Names_;
};

std::unique_ptr<FaultyFiles> Faulty(int failAt = -1, int error = EIO, bool crash = false) {
  auto files = std::make_unique<FaultyFiles>();
  files->FailAt = failAt;
  files->Error = error;
  files->Crash = crash;
  return files;
}

// The real calls, but the folder can never be locked (the lock call itself fails); closing a
// descriptor these calls did not open is refused and noted.
class UnlockableFiles final : public SaveFileSystem {
 public:
  std::set<int> Open_;
  std::vector<int> StrayCloses;

  int Open(const std::string& path, int flags, mode_t mode) override {
    const int fd = SaveFileSystem::Open(path, flags, mode);
    if (fd >= 0) Open_.insert(fd);
    return fd;
  }
  int Close(int fd) override {
    if (Open_.erase(fd) == 0) {
      StrayCloses.push_back(fd);
      errno = EBADF;
      return -1;
    }
    return SaveFileSystem::Close(fd);
  }
  int TryLock(int) override {
    errno = ENOLCK;
    return -1;
  }
};

class SavePairTest : public ScratchSaveTest {
 protected:
  SavePairTest() : ScratchSaveTest("gearrush-pair-") {}

  // Start-up on the real file system.
  void StartUp() {
    ResetOptionsState();
    for (auto& entry : HighScores) entry = {};
    SaveFolder folder;
    LoadSaveFiles(folder);
  }
  std::vector<std::string> ShutDown(std::unique_ptr<FaultyFiles> files = Faulty()) {
    SaveFolder folder("Data/Save", std::move(files));
    return WriteSaveFiles(folder);
  }
  // Every call a successful save makes, in order.
  std::vector<std::string> StepsOfASave() {
    auto files = Faulty();
    const FaultyFiles* calls = files.get();
    SaveFolder folder("Data/Save", std::move(files));
    EXPECT_TRUE(WriteSaveFiles(folder).empty());
    return calls->Calls;
  }
  // A table and options that tell which game they come from.
  void Play(const std::string& who, int32_t points) {
    HighScores[kPendingSlot] = {who, points};
    InsertHighScore();
    GameOptions.Country = who;
  }
  fs::path Save(const char* file) { return Dir / "Data" / "Save" / file; }
  std::set<std::string> SaveFolderNames() {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(Dir / "Data" / "Save")) {
      names.insert(entry.path().filename());
    }
    return names;
  }
  // After a start-up: the pair came from which game, or "reset" when the table was not trusted.
  std::string StartedWith() {
    if (HighScores[1].Name == "ANONYMOUS") return "reset";
    if (HighScores[1].Name != GameOptions.Country) return "mixed";
    return HighScores[1].Name;
  }
  // "OLD" saved by a first game; the caller then plays "NEW" and saves.
  void SaveOldPairThenPlayNew() {
    StartUp();
    Play("OLD", 20000);
    ASSERT_TRUE(ShutDown().empty());
    EXPECT_EQ(SaveFolderNames(), (std::set<std::string>{"hs", "options"}))
        << "a save that succeeds leaves only the pair";
    OldHs = Slurp(Save("hs"));
    OldOptions = Slurp(Save("options"));
    Play("NEW", 30000);
  }

  std::string OldHs;
  std::string OldOptions;
};
}  // namespace

TEST_F(SavePairTest, AnErrorAtAnyStepOfSavingKeepsTheOldPairAndReportsBothFiles) {
  SaveOldPairThenPlayNew();
  const std::vector<std::string> steps = StepsOfASave();
  ASSERT_GT(steps.size(), 10u);

  int reported = 0;
  for (int error : {ENOSPC, EIO, EDQUOT, EACCES}) {
    for (size_t at = 0; at < steps.size(); ++at) {
      SCOPED_TRACE(steps[at] + " failing with " + std::strerror(error));
      std::ofstream(Save("hs"), std::ios::binary) << OldHs;
      std::ofstream(Save("options"), std::ios::binary) << OldOptions;
      StartUp();
      Play("NEW", 30000);
      const std::vector<std::string> errors = ShutDown(Faulty(static_cast<int>(at), error));
      // Making, writing, syncing or renaming a temporary file; the folder's own sync and the
      // clean-up afterwards may fail without losing anything.
      const bool mustFail = steps[at].find(".tmp-") != std::string::npos &&
                            steps[at].rfind("unlink ", 0) != 0 && steps[at].rfind("close ", 0) != 0;
      if (mustFail) {
        EXPECT_FALSE(errors.empty()) << "a failure is never reported as success";
      }
      if (errors.empty()) {
        StartUp();
        EXPECT_EQ(StartedWith(), "NEW");
        continue;
      }
      ++reported;
      ASSERT_EQ(errors.size(), 2u) << "one message for each file not saved";
      EXPECT_EQ(errors[0].rfind("Cannot save \"Data/Save/hs\". ", 0), 0u) << errors[0];
      EXPECT_EQ(errors[1].rfind("Cannot save \"Data/Save/options\". ", 0), 0u) << errors[1];
      EXPECT_EQ(Slurp(Save("hs")), OldHs) << "neither file replaced";
      EXPECT_EQ(Slurp(Save("options")), OldOptions);
      // Only the one failing call: everything the save made is removed again at once.
      EXPECT_EQ(SaveFolderNames(), (std::set<std::string>{"hs", "options"}))
          << "a failed save leaves nothing behind";
      StartUp();
      EXPECT_EQ(StartedWith(), "OLD");
      EXPECT_EQ(SaveFolderNames(), (std::set<std::string>{"hs", "options"}));
    }
  }
  EXPECT_GE(reported, 4 * 8);
}

TEST_F(SavePairTest, AKillAtAnyStepOfSavingStartsWithTheOldOrTheNewPair) {
  SaveOldPairThenPlayNew();
  const std::vector<std::string> steps = StepsOfASave();

  std::map<std::string, int> outcomes;
  std::set<size_t> newAfter;
  for (size_t at = 0; at <= steps.size(); ++at) {
    SCOPED_TRACE(at < steps.size() ? "killed at " + steps[at] : "not killed");
    std::ofstream(Save("hs"), std::ios::binary) << OldHs;
    std::ofstream(Save("options"), std::ios::binary) << OldOptions;
    StartUp();
    Play("NEW", 30000);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ShutDown(Faulty(static_cast<int>(at), 0, /*crash=*/true));
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    StartUp();
    const std::string pair = StartedWith();
    EXPECT_TRUE(pair == "OLD" || pair == "NEW") << pair;
    ++outcomes[pair];
    if (pair == "NEW") newAfter.insert(at);
    EXPECT_EQ(SaveFolderNames(), (std::set<std::string>{"hs", "options"})) << "nothing left over";
    if (at == steps.size()) {
      EXPECT_EQ(pair, "NEW");
    }
  }
  std::string killedAt;
  for (size_t at = 0; at < steps.size(); ++at) {
    killedAt += (at == 0 ? "" : ", ") + steps[at] + (newAfter.count(at) ? " (new)" : "");
  }
  std::printf(
      "[ kills ] %zu positions: %d started with the old pair, %d with the new one\n"
      "[ kills ] %s\n",
      steps.size() + 1, outcomes["OLD"], outcomes["NEW"], killedAt.c_str());
  EXPECT_GT(outcomes["NEW"], 1) << "an interrupted replacement is completed";
}

TEST_F(SavePairTest, ALinkPlantedAtTheTemporaryNameIsLeftAloneWithItsTarget) {
  SaveOldPairThenPlayNew();
  const fs::path victim = Dir / "victim";
  std::ofstream(victim) << "keep me";
  fs::create_symlink(victim, Save("hs.tmp-planted"));
  fs::create_symlink(victim, Save("options.tmp-planted2"));
  auto files = Faulty();
  files->Tokens = {"planted", "planted2"};
  EXPECT_TRUE(ShutDown(std::move(files)).empty());
  EXPECT_EQ(Slurp(victim), "keep me");
  EXPECT_TRUE(fs::is_symlink(Save("hs.tmp-planted")));
  EXPECT_TRUE(fs::is_symlink(Save("options.tmp-planted2")));
  EXPECT_FALSE(fs::is_symlink(Save("hs")));
  EXPECT_FALSE(fs::is_symlink(Save("options")));
  StartUp();
  EXPECT_EQ(StartedWith(), "NEW");
  EXPECT_TRUE(fs::is_symlink(Save("hs.tmp-planted"))) << "start-up leaves it alone too";
  EXPECT_EQ(Slurp(victim), "keep me");
}

TEST_F(SavePairTest, SavedFilesKeepTheirPermissions) {
  SaveOldPairThenPlayNew();
  fs::permissions(Save("hs"), fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(Save("options"),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(ShutDown().empty());
  EXPECT_EQ(fs::status(Save("hs")).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(fs::status(Save("options")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  StartUp();
  EXPECT_EQ(StartedWith(), "NEW");
}

TEST_F(SavePairTest, TwoGamesQuittingTogetherLeaveOneGamesPair) {
  StartUp();
  constexpr int kRounds = 40;
  std::vector<pid_t> children;
  for (const char* who : {"ALPHA", "BRAVO"}) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      Play(who, 50000);
      bool ok = true;
      for (int i = 0; i < kRounds; ++i) ok = ShutDown().empty() && ok;
      _exit(ok ? 0 : 1);
    }
    children.push_back(child);
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "every save succeeded";
  }
  StartUp();
  const std::string pair = StartedWith();
  EXPECT_TRUE(pair == "ALPHA" || pair == "BRAVO") << pair;
  EXPECT_EQ(SaveFolderNames(), (std::set<std::string>{"hs", "options"}));
}

TEST_F(SavePairTest, WhatIsNoRegularSaveFileCountsAsMissingAndStartsAtOnce) {
  SaveOldPairThenPlayNew();
  const std::string goodHs = OldHs;
  const std::string goodOptions = OldOptions;
  const std::vector<std::string> kinds = {"pipe", "device", "folder", "300 MB file"};
  for (const char* file : {"hs", "options"}) {
    for (const std::string& kind : kinds) {
      SCOPED_TRACE(kind + " as " + file);
      fs::remove_all(Save("hs"));
      fs::remove_all(Save("options"));
      std::ofstream(Save("hs"), std::ios::binary) << goodHs;
      std::ofstream(Save("options"), std::ios::binary) << goodOptions;
      fs::remove(Save(file));
      if (kind == "pipe") {
        ASSERT_EQ(mkfifo(Save(file).c_str(), 0644), 0);
      } else if (kind == "device") {
        fs::create_symlink("/dev/zero", Save(file));
      } else if (kind == "folder") {
        fs::create_directory(Save(file));
      } else {
        std::ofstream(Save(file)) << "";
        fs::resize_file(Save(file), 300u << 20);  // sparse: no disk space taken
      }
      const auto start = std::chrono::steady_clock::now();
      StartUp();
      const double ms =
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count();
      std::printf("[ start ] %-11s as %-7s: %.2f ms\n", kind.c_str(), file, ms);
      EXPECT_EQ(StartedWith(), "reset") << "the default table";
      if (std::string(file) == "hs") {
        EXPECT_EQ(GameOptions.Country, "OLD") << "the options still read";
      } else {
        EXPECT_EQ(GameOptions.Country, "_______") << "the default options";
        EXPECT_EQ(BossKey, kDefaultBossKey);
      }
    }
  }
}

TEST_F(SavePairTest, LongStoredTextsAreCheckedWholeAndTheCountryIsCutOnReading) {
  StartUp();
  const std::string longName(3000, 'N');
  HighScores[kPendingSlot] = {longName, 70000};
  InsertHighScore();
  GameOptions.Country = std::string(3000, 'C');
  ASSERT_TRUE(ShutDown().empty());
  StartUp();
  EXPECT_EQ(HighScores[1].Name, longName) << "signed over the stored bytes, kept whole";
  EXPECT_EQ(GameOptions.Country, std::string(16, 'C'));

  // One byte beyond a name the signature covers is a damaged table.
  std::string hs = Slurp(Save("hs"));
  hs.insert(hs.begin() + 2999, 'M');
  std::ofstream(Save("hs"), std::ios::binary) << hs;
  StartUp();
  EXPECT_EQ(StartedWith(), "reset");

  // Larger than any file the game writes: not read at all.
  std::ofstream(Save("options"), std::ios::binary)
      << "1\r\n1\r\n1\r\n"
      << std::string(SaveFolder::kMaxFileBytes, 'C') << "\r\n1\r\n9\r\n\r\n";
  StartUp();
  EXPECT_FALSE(GameOptions.FullScreen) << "the defaults";
}

TEST_F(SavePairTest, AGameThatCannotLockTheFolderReadsThePairButLeavesAnotherGamesFilesAlone) {
  SaveOldPairThenPlayNew();
  // Another game is saving: its two temporary files are there, not yet renamed.
  std::ofstream(Save("hs.tmp-other"), std::ios::binary) << "half a table";
  std::ofstream(Save("options.tmp-other"), std::ios::binary) << "half the options";
  const std::set<std::string> saving = {"hs", "options", "hs.tmp-other", "options.tmp-other"};

  {
    SCOPED_TRACE("the lock cannot be taken at all");
    auto files = std::make_unique<UnlockableFiles>();
    const UnlockableFiles* calls = files.get();
    ResetOptionsState();
    for (auto& entry : HighScores) entry = {};
    SaveFolder folder("Data/Save", std::move(files));
    LoadSaveFiles(folder);
    EXPECT_EQ(StartedWith(), "OLD");
    EXPECT_EQ(SaveFolderNames(), saving) << "the other game's files are not ours to touch";
    EXPECT_TRUE(calls->StrayCloses.empty()) << "only what was opened is closed";
    EXPECT_TRUE(calls->Open_.empty()) << "and everything opened is closed";
  }
  {
    SCOPED_TRACE("the other game holds the lock longer than a start-up waits");
    const int held = open(Save("").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
    StartUp();
    EXPECT_EQ(StartedWith(), "OLD");
    EXPECT_EQ(SaveFolderNames(), saving);
    close(held);
  }
  // Once the folder is free the next start clears what an ended save left behind.
  StartUp();
  EXPECT_EQ(StartedWith(), "OLD");
  EXPECT_EQ(SaveFolderNames(), (std::set<std::string>{"hs", "options"}));
}

// The real calls answer like the POSIX ones: 0, or -1 with errno set.
TEST(SaveFileSystemTest, MakingFoldersAnswersLikeTheOtherCalls) {
  const fs::path dir = fs::temp_directory_path() / ("gearrush-folders-" + std::to_string(getpid()));
  fs::remove_all(dir);
  SaveFileSystem files;
  EXPECT_EQ(files.MakeFolders((dir / "a" / "b").string()), 0);
  EXPECT_TRUE(fs::is_directory(dir / "a" / "b"));
  EXPECT_EQ(files.MakeFolders((dir / "a" / "b").string()), 0) << "already there";
  std::ofstream(dir / "file") << "x";
  errno = 0;
  EXPECT_EQ(files.MakeFolders((dir / "file" / "c").string()), -1);
  EXPECT_EQ(errno, ENOTDIR);
  fs::remove_all(dir);
}

// Writing that takes no byte and reports no error is a full disk: the save fails at once and
// says so, and the old pair stays.
TEST_F(SavePairTest, AWriteThatTakesNothingCountsAsAFullDisk) {
  SaveOldPairThenPlayNew();
  auto files = Faulty();
  files->WritesNothing = true;
  const std::vector<std::string> errors = ShutDown(std::move(files));
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_NE(errors[0].find(std::strerror(ENOSPC)), std::string::npos) << errors[0];
  EXPECT_EQ(Slurp(Save("hs")), OldHs);
  EXPECT_EQ(Slurp(Save("options")), OldOptions);
  EXPECT_EQ(SaveFolderNames(), (std::set<std::string>{"hs", "options"}));
}
