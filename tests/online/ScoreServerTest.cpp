// The score server's address: the forms a player may give, and which setting wins.
#include <gtest/gtest.h>

#include <stdexcept>

#include "online/ScoreServer.h"

TEST(ScoreServerAddress, HostsPortsAndUrlsBecomeOneBase) {
  EXPECT_EQ(ScoreServerBaseUrl("scores.example.org"), "http://scores.example.org");
  EXPECT_EQ(ScoreServerBaseUrl("127.0.0.1:8080"), "http://127.0.0.1:8080");
  EXPECT_EQ(ScoreServerBaseUrl("http://127.0.0.1:8080/"), "http://127.0.0.1:8080");
  EXPECT_EQ(ScoreServerBaseUrl("https://example.org/gear-rush/"), "https://example.org/gear-rush");
  EXPECT_EQ(ScoreServerBaseUrl("http://[::1]:8080"), "http://[::1]:8080");
  EXPECT_EQ(ScoreServerBaseUrl("localhost"), "http://localhost");
}

TEST(ScoreServerAddress, AnythingElseIsRefused) {
  for (const char* bad : {"", "http://", "ftp://example.org", "example.org:0", "example.org:65536",
                          "example.org:", "example.org:80x", "exa mple.org", "example.org/a?b=c",
                          "example.org/#x", "-x.org", "http://user@example.org", "example.org\n",
                          "example.org/<script>", "http://:8080"}) {
    EXPECT_FALSE(ScoreServerBaseUrl(bad)) << bad;
  }
}

TEST(ScoreServerAddress, TheOptionBeatsTheVariableWhichBeatsTheBuild) {
  EXPECT_EQ(ChooseScoreServer(nullptr, nullptr), ScoreServerBaseUrl(DefaultScoreServer()));
  EXPECT_EQ(ChooseScoreServer(nullptr, ""), ScoreServerBaseUrl(DefaultScoreServer()))
      << "an empty variable is no setting";
  EXPECT_EQ(ChooseScoreServer(nullptr, "lan-box:8080"), "http://lan-box:8080");
  EXPECT_EQ(ChooseScoreServer("127.0.0.1:9", "lan-box:8080"), "http://127.0.0.1:9");
  EXPECT_THROW(ChooseScoreServer("not an address", "lan-box"), std::invalid_argument);
  EXPECT_THROW(ChooseScoreServer(nullptr, "bad address"), std::invalid_argument);
}
