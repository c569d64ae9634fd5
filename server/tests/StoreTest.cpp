// The database: ranks, duplicates, and two servers sharing one file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "ScoreStore.h"

namespace fs = std::filesystem;

namespace {
class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() /
          ("gearrush-store-" + std::to_string(getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Dir);
    fs::create_directories(Dir);
  }
  void TearDown() override { fs::remove_all(Dir); }
  std::string Database() const { return (Dir / "scores.db").string(); }
  fs::path Dir;
};
}  // namespace

TEST_F(StoreTest, BestComesFirstAndEqualScoresKeepTheirOrderOfArrival) {
  ScoreStore store(Database(), 60);
  EXPECT_EQ(store.Add({"Mid", 3000, "Peru"}, 100), ScoreStore::Outcome::Stored);
  EXPECT_EQ(store.Add({"Early", 5000, "Chile"}, 200), ScoreStore::Outcome::Stored);
  EXPECT_EQ(store.Add({"Late", 5000, "Chile"}, 300), ScoreStore::Outcome::Stored);
  EXPECT_EQ(store.Add({"Low", 10, ""}, 400), ScoreStore::Outcome::Stored);
  const std::vector<StoredScore> best = store.Best(3);
  ASSERT_EQ(best.size(), 3u);
  EXPECT_EQ(best[0].Entry.Name, "Early");
  EXPECT_EQ(best[1].Entry.Name, "Late");
  EXPECT_EQ(best[2].Entry, (ScoreEntry{"Mid", 3000, "Peru"}));
  EXPECT_EQ(best[2].UnixTime, 100);
  EXPECT_EQ(store.Count(), 4);
}

TEST_F(StoreTest, TheSameSubmissionWithinTheWindowCountsOnce) {
  ScoreStore store(Database(), 60);
  EXPECT_EQ(store.Add({"Bo", 1234, "Chile"}, 1000), ScoreStore::Outcome::Stored);
  EXPECT_EQ(store.Add({"Bo", 1234, "Chile"}, 1059), ScoreStore::Outcome::Duplicate);
  EXPECT_EQ(store.Add({"Bo", 1235, "Chile"}, 1059), ScoreStore::Outcome::Stored);
  EXPECT_EQ(store.Add({"Bo", 1234, "Peru"}, 1059), ScoreStore::Outcome::Stored);
  EXPECT_EQ(store.Add({"Bo", 1234, "Chile"}, 1060), ScoreStore::Outcome::Stored)
      << "a minute later it is another game";
  EXPECT_EQ(store.Count(), 4);
}

TEST_F(StoreTest, ScoresSurviveReopening) {
  {
    ScoreStore store(Database(), 60);
    store.Add({"Bo", 1234, "Chile"}, 1000);
  }
  ScoreStore store(Database(), 60);
  ASSERT_EQ(store.Best(10).size(), 1u);
  EXPECT_EQ(store.Best(10)[0].Entry, (ScoreEntry{"Bo", 1234, "Chile"}));
}

TEST_F(StoreTest, TwoServersOnOneFileLoseNothingAndShareDuplicates) {
  ScoreStore first(Database(), 60);
  ScoreStore second(Database(), 60);
  constexpr int kPerThread = 200;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      ScoreStore& store = t % 2 == 0 ? first : second;
      for (int i = 0; i < kPerThread; ++i) {
        std::string name(1, 'T');
        name += std::to_string(t);
        const ScoreEntry entry{name, i, "X"};
        ASSERT_EQ(store.Add(entry, 5000), ScoreStore::Outcome::Stored);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(first.Count(), 4 * kPerThread);
  EXPECT_EQ(second.Count(), 4 * kPerThread);
  EXPECT_EQ(second.Add({"T0", 7, "X"}, 5001), ScoreStore::Outcome::Duplicate)
      << "the other server's submission is seen";
}

TEST_F(StoreTest, AFileThatIsNotADatabaseIsRefusedAtStart) {
  std::ofstream(Database()) << "not a database, just text that is long enough to be read";
  EXPECT_THROW(ScoreStore(Database(), 60), std::runtime_error);
}
