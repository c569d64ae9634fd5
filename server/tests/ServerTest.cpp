// gearrush-scores as a process: what it answers, what it stores, and how it stops.
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ScoreStore.h"
#include "ScoresProcess.h"
#include "online/ScorePayload.h"

namespace fs = std::filesystem;

namespace {
constexpr const char* kSubmit = "/cgi/version.pl?hs&prg=GearRush&inf=";
constexpr const char* kList = "/cgi/version.pl?prg=GearRush&show&type=0";

class ServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() /
          ("gearrush-scores-" + std::to_string(getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Dir);
    fs::create_directories(Dir);
  }
  void TearDown() override {
    Server.reset();
    fs::remove_all(Dir);
  }

  void Start(const std::vector<std::string>& options = {"--rate", "0"}) {
    Server = std::make_unique<ScoresProcess>(Dir / "scores.db", Dir / "log.txt", options);
  }

  httplib::Result Get(const std::string& target) {
    httplib::Client client(Server->BaseUrl());
    return client.Get(target);
  }

  int Status(const std::string& target) {
    const httplib::Result result = Get(target);
    return result ? result->status : -1;
  }

  int Submit(const std::string& payload) { return Status(kSubmit + EncodePayload(payload)); }

  int64_t Stored() { return ScoreStore((Dir / "scores.db").string(), 60).Count(); }

  fs::path Dir;
  std::unique_ptr<ScoresProcess> Server;
};

std::string Padded(std::string payload) {
  while (payload.size() % 5 != 0) payload += '0';
  return payload;
}
}  // namespace

TEST_F(ServerTest, ASubmittedScoreIsAnsweredStoredAndListed) {
  Start();
  const httplib::Result answer =
      Get(kSubmit + EncodePayload(BuildScorePayload("Anna Lee", 12345, "New Zealand")));
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 200);
  EXPECT_EQ(answer->body, "score stored\n");
  const httplib::Result list = Get(kList);
  ASSERT_TRUE(list);
  EXPECT_EQ(list->status, 200);
  EXPECT_EQ(list->get_header_value("Content-Type"), "text/html; charset=utf-8");
  EXPECT_NE(list->body.find("<td>Anna Lee</td><td class=\"n\">12345</td><td>New Zealand</td>"),
            std::string::npos)
      << list->body;
  EXPECT_EQ(Stored(), 1);
}

TEST_F(ServerTest, TheHomePageLinksTheList) {
  Start();
  const httplib::Result home = Get("/");
  ASSERT_TRUE(home);
  EXPECT_EQ(home->status, 200);
  EXPECT_NE(home->body.find("cgi/version.pl?prg=GearRush&amp;show&amp;type=0"), std::string::npos);
  EXPECT_EQ(Status("/nothing-here"), 404);
}

TEST_F(ServerTest, BadSubmissionsAreRefusedAndStoreNothing) {
  Start();
  const std::string good = EncodePayload(BuildScorePayload("Bo", 1234, "Chile"));
  const std::vector<std::string> targets = {
      kSubmit + good.substr(0, 40),                                // truncated
      kSubmit + good.substr(0, good.size() - 3),                   // not whole symbols
      kSubmit + good + good,                                       // over-long
      kSubmit + std::string(800, 'K'),                             // far over-long
      kSubmit + good.substr(0, 20) + "0OIL" + good.substr(24),     // outside the table
      kSubmit + good.substr(0, 20) + "%3Cb%3E" + good.substr(23),  // markup, escaped
      kSubmit + std::string("%C3%BC") + good.substr(1),            // non-ASCII
      kSubmit,                                                     // nothing
      std::string("/cgi/version.pl?hs&prg=Other&inf=") + good,     // another game
      std::string("/cgi/version.pl?prg=GearRush&inf=") + good,     // no hs
      std::string(kSubmit) + good + "&inf=" + good,                // two payloads
      std::string(kSubmit) + good + "&x=<script>",                 // more parameters
      "/cgi/version.pl",                                           // no query
      "/cgi/version.pl?prg=GearRush&show&type=1",                  // no such list
  };
  for (const std::string& target : targets) {
    EXPECT_EQ(Status(target), 400) << target;
  }
  const std::vector<std::string> payloads = {
      Padded("type=0|name=Bo|score=1234|key=X|p=|add=Chile|z="),             // wrong key
      Padded("type=0|score=1234|name=Bo|key=R|p=|add=Chile|z="),             // reordered
      Padded("type=0|name=Bo|score=1234|key=R|add=Chile|z="),                // missing
      Padded("type=0|name=<b>Bo</b>|score=1234|key=R|p=|add=Chile|z="),      // HTML
      Padded("type=0|name=Bo|score=1234|key=R|p=|add=<i>Chile</i>|z="),      // HTML
      Padded("type=0|name=J\xC3\xBCrgen|score=1234|key=R|p=|add=Chile|z="),  // UTF-8
      Padded("type=0|name=Bo|score=1234|key=R|p=|add=\xE9ire|z="),           // Latin-1
      Padded("type=0|name=Bo|score=4294967296|key=R|p=|add=Chile|z="),       // 33 bits
      Padded("type=0|name=Bo|score=2147483648|key=R|p=|add=Chile|z="),       // 32 bits
      Padded("type=0|name=Bo|score=-1|key=R|p=|add=Chile|z="),               // below 0
      Padded("type=0|name=Bo|score=1234|key=R|p=|add=Chile|z=") + "00000",   // padding
  };
  for (const std::string& payload : payloads) {
    EXPECT_EQ(Submit(payload), 400) << payload;
  }
  EXPECT_EQ(Status(kSubmit + std::string(100 * 1024, 'K')), 414);
  EXPECT_EQ(Status(std::string(kList) + "&" + std::string(100 * 1024, 'a')), 414);
  EXPECT_EQ(Status(kSubmit + good + "&pad=" + std::string(1500, 'a')), 414);

  httplib::Client client(Server->BaseUrl());
  const httplib::Result post =
      client.Post(kSubmit + good, std::string(100 * 1024, 'x'), "text/plain");
  EXPECT_TRUE(!post || post->status >= 400) << "a body is refused";

  EXPECT_EQ(Stored(), 0);
  EXPECT_NE(Get(kList)->body.find("No scores yet."), std::string::npos);
  // The server is still there for a good one.
  EXPECT_EQ(Status(kSubmit + good), 200);
  EXPECT_EQ(Stored(), 1);
}

TEST_F(ServerTest, TheListEscapesWhatAnotherProgramPutInTheDatabase) {
  Start();
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((Dir / "scores.db").c_str(), &db), SQLITE_OK);
  sqlite3_busy_timeout(db, 5000);
  ASSERT_EQ(sqlite3_exec(db,
                         "INSERT INTO scores(name, score, country, time) VALUES"
                         "('<script>alert(1)</script>', 900, '\"><img src=x onerror=y>', 0),"
                         "('J\xC3\xBCrgen & Co', 800, 'M\xC3\xA9xico', 0)",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  const std::string page = Get(kList)->body;
  EXPECT_EQ(page.find("<script>alert"), std::string::npos) << page;
  EXPECT_EQ(page.find("<img"), std::string::npos) << page;
  EXPECT_NE(page.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos) << page;
  EXPECT_NE(page.find("&quot;&gt;&lt;img src=x onerror=y&gt;"), std::string::npos) << page;
  EXPECT_NE(page.find("J\xC3\xBCrgen &amp; Co"), std::string::npos) << page;
}

TEST_F(ServerTest, TheSameSubmissionTwiceIsStoredOnce) {
  Start();
  const std::string payload = BuildScorePayload("Bo", 1234, "Chile");
  EXPECT_EQ(Submit(payload), 200);
  const httplib::Result again = Get(kSubmit + EncodePayload(payload));
  ASSERT_TRUE(again);
  EXPECT_EQ(again->status, 200) << "the game does not care, and a retry is not an error";
  EXPECT_EQ(again->body, "score already stored\n");
  EXPECT_EQ(Stored(), 1);
}

TEST_F(ServerTest, AnAddressPastItsRateIsAnswered429AndNothingStored) {
  Start({"--rate", "1", "--burst", "3"});
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Submit(BuildScorePayload("Bo", 1000 + i, "Chile")), 200) << i;
  }
  const httplib::Result refused =
      Get(kSubmit + EncodePayload(BuildScorePayload("Bo", 2000, "Chile")));
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->status, 429);
  EXPECT_TRUE(refused->has_header("Retry-After"));
  EXPECT_EQ(Status(kSubmit + std::string("KKKKKKKK")), 429) << "bad ones count too";
  EXPECT_EQ(Status(kList), 200) << "the list is not limited";
  EXPECT_EQ(Stored(), 3);
}

TEST_F(ServerTest, EveryRequestIsLoggedOnceAndSigtermStopsCleanly) {
  Start();
  Submit(BuildScorePayload("Bo", 1234, "Chile"));
  Status(kList);
  Status("/");
  Status("/cgi/version.pl?junk");
  const int status = Server->Stop(SIGTERM);
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
  const std::string log = Server->Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 7) << log;  // start, 4 requests, 2 at stop
  EXPECT_NE(log.find(" 127.0.0.1 GET /cgi/version.pl?hs&prg=GearRush&inf="), std::string::npos);
  EXPECT_NE(log.find(" 200 "), std::string::npos);
  EXPECT_NE(log.find("/cgi/version.pl?junk 400 "), std::string::npos) << log;
  EXPECT_NE(log.find("stopped, 1 scores stored"), std::string::npos) << log;
}

TEST_F(ServerTest, TwoServersOnOneDatabaseSeeEachOthersScores) {
  Start();
  ScoresProcess second(Dir / "scores.db", Dir / "log2.txt", {"--rate", "0"});
  EXPECT_EQ(Submit(BuildScorePayload("First", 3000, "Chile")), 200);
  httplib::Client client(second.BaseUrl());
  const httplib::Result answer =
      client.Get(kSubmit + EncodePayload(BuildScorePayload("Second", 4000, "Peru")));
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 200);
  const httplib::Result duplicate =
      client.Get(kSubmit + EncodePayload(BuildScorePayload("First", 3000, "Chile")));
  ASSERT_TRUE(duplicate);
  EXPECT_EQ(duplicate->body, "score already stored\n");
  const std::string page = Get(kList)->body;
  const size_t second_at = page.find("<td>Second</td>");
  const size_t first_at = page.find("<td>First</td>");
  ASSERT_NE(second_at, std::string::npos);
  ASSERT_NE(first_at, std::string::npos);
  EXPECT_LT(second_at, first_at) << "4000 ranks above 3000";
  EXPECT_EQ(Stored(), 2);
}
