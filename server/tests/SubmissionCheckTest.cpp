// What the server takes as a submission: only a payload the game could have sent, symbol for
// symbol. The payloads here are written out by hand, then spelled in the symbols.
#include <gtest/gtest.h>

#include <string>

#include "ScoreRequests.h"
#include "online/ScorePayload.h"

namespace {
QueryParams Submission(const std::string& symbols) {
  return {{"hs", ""}, {"prg", "GearRush"}, {"inf", symbols}};
}

// The payload padded as the game pads it.
std::string Padded(std::string payload) {
  while (payload.size() % 5 != 0) payload += '0';
  return payload;
}

std::string Error(const std::string& payload) {
  const DecodedScore decoded = CheckSubmission(Submission(EncodePayload(payload)));
  EXPECT_FALSE(decoded.Entry) << payload;
  return decoded.Error;
}
}  // namespace

TEST(SubmissionCheck, TheGamesPayloadsComeBackAsSent) {
  const struct {
    const char* Payload;
    ScoreEntry Entry;
  } cases[] = {
      {"type=0|name=Bo|score=1234|key=R|p=|add=_______|z=0", {"Bo", 1234, "_______"}},
      {"type=0|name=|score=0|key=R|p=|add=|z=000", {"", 0, ""}},
      {"type=0|name=ABCDEFGHIJKL|score=2147483647|key=R|p=|add=New Zealand 12_x|z=0",
       {"ABCDEFGHIJKL", 2147483647, "New Zealand 12_x"}},
  };
  for (const auto& c : cases) {
    const DecodedScore decoded = CheckSubmission(Submission(EncodePayload(c.Payload)));
    ASSERT_TRUE(decoded.Entry) << c.Payload << ": " << decoded.Error;
    EXPECT_EQ(*decoded.Entry, c.Entry) << c.Payload;
  }
}

TEST(SubmissionCheck, TheLongestPayloadFitsTheSymbolLimit) {
  const std::string longest =
      BuildScorePayload(std::string(12, 'W'), -2147483647 - 1, std::string(16, 'W'));
  EXPECT_EQ(longest.size(), kMaxPayloadBytes);
  EXPECT_EQ(EncodePayload(longest).size(), kMaxPayloadSymbols);
}

TEST(SubmissionCheck, FieldsOutOfPlaceMissingOrForgedAreRefused) {
  EXPECT_FALSE(Error("type=0|score=1234|name=Bo|key=R|p=|add=Chile|z=00").empty()) << "reordered";
  EXPECT_FALSE(Error(Padded("type=0|name=Bo|key=R|p=|add=Chile|z=")).empty()) << "no score";
  EXPECT_FALSE(Error(Padded("type=0|name=Bo|score=5|key=R|add=Chile|z=")).empty()) << "no p";
  EXPECT_FALSE(Error(Padded("type=0|name=Bo|score=5|key=R|p=|add=Chile")).empty()) << "no z";
  EXPECT_FALSE(Error(Padded("type=1|name=Bo|score=5|key=R|p=|add=Chile|z=")).empty()) << "type";
  EXPECT_FALSE(Error(Padded("type=0|name=Bo|score=5|key=R|p=|add=Chile|z=|x=")).empty());
  EXPECT_FALSE(Error(Padded("type=0|name=Bo|score=5|score=9|key=R|p=|add=Chile|z=")).empty());
  EXPECT_FALSE(Error(Padded("type=0|name=Bo|score=5|key=R|p=x|add=Chile|z=")).empty());
}

TEST(SubmissionCheck, OnlyTheAgreedKeyLetter) {
  EXPECT_EQ(Error(Padded("type=0|name=Bo|score=5|key=Q|p=|add=Chile|z=")), "wrong key");
  EXPECT_EQ(Error(Padded("type=0|name=Bo|score=5|key=r|p=|add=Chile|z=")), "wrong key");
  EXPECT_FALSE(Error(Padded("type=0|name=Bo|score=5|key=RR|p=|add=Chile|z=")).empty());
  EXPECT_FALSE(Error(Padded("type=0|name=Bo|score=5|key=|p=|add=Chile|z=")).empty());
}

TEST(SubmissionCheck, PaddingIsExactlyWhatTheGameAdds) {
  // 49 characters take one "0"; none, two, or a "1" are not the game's.
  const std::string bare = "type=0|name=Bo|score=1234|key=R|p=|add=_______|z=";
  ASSERT_EQ(bare.size(), 49u);
  EXPECT_EQ(Error(bare + "0" + "00000"), "bad padding") << "a whole block too many";
  EXPECT_EQ(Error(bare + "1"), "bad padding");
  EXPECT_EQ(Error("type=0|name=Bob|score=1234|key=R|p=|add=_______|z=" + std::string(5, '0')),
            "bad padding");
}

TEST(SubmissionCheck, NamesAndCountriesOnlyInTheGamesCharactersAndLengths) {
  EXPECT_EQ(Error(Padded("type=0|name=ABCDEFGHIJKLM|score=5|key=R|p=|add=Chile|z=")), "bad name");
  EXPECT_EQ(Error(Padded("type=0|name=Bo|score=5|key=R|p=|add=ABCDEFGHIJKLMNOPQ|z=")),
            "bad country");
  EXPECT_EQ(Error(Padded("type=0|name=<b>x</b>|score=5|key=R|p=|add=Chile|z=")), "bad name");
  EXPECT_EQ(Error(Padded("type=0|name=Bo|score=5|key=R|p=|add=<script>|z=")), "bad country");
  EXPECT_EQ(Error(Padded("type=0|name=J\xC3\xBCrgen|score=5|key=R|p=|add=Chile|z=")), "bad name");
  EXPECT_EQ(Error(Padded("type=0|name=Bo|score=5|key=R|p=|add=M\xC3\xA9xico|z=")), "bad country");
  EXPECT_EQ(Error(Padded("type=0|name=A&amp;|score=5|key=R|p=|add=Chile|z=")), "bad name");
  EXPECT_EQ(Error(Padded(std::string("type=0|name=A\0B|score=5|key=R|p=|add=Chile|z=", 45))),
            "bad name");
  EXPECT_EQ(Error(Padded("type=0|name=A\tB|score=5|key=R|p=|add=Chile|z=")), "bad name");
}

TEST(SubmissionCheck, ScoresOnlyInThirtyTwoBitsAsTheGameWritesThem) {
  for (const char* score : {"2147483648", "4294967296", "99999999999999999999", "-2147483649",
                            "0012", "+12", "-0", "", "12a", " 12", "1e3", "0x10"}) {
    EXPECT_EQ(
        Error(Padded(std::string("type=0|name=Bo|score=") + score + "|key=R|p=|add=Chile|z=")),
        "bad score")
        << score;
  }
  // The game never sends a negative score for the table.
  EXPECT_EQ(Error(Padded("type=0|name=Bo|score=-5|key=R|p=|add=Chile|z=")), "bad score");
}

TEST(SubmissionCheck, SymbolTextsThatAreNotWholeBlocksOfTheTable) {
  const std::string good = EncodePayload(BuildScorePayload("Bo", 1234, "Chile"));
  ASSERT_TRUE(CheckSubmission(Submission(good)).Entry);
  EXPECT_FALSE(CheckSubmission(Submission(good.substr(0, good.size() - 1))).Entry) << "truncated";
  EXPECT_FALSE(CheckSubmission(Submission(good.substr(0, good.size() - 8))).Entry)
      << "a block short";
  EXPECT_FALSE(CheckSubmission(Submission(good + good.substr(0, 8))).Entry) << "a block long";
  EXPECT_FALSE(CheckSubmission(Submission(std::string(kMaxPayloadSymbols + 8, 'K'))).Entry)
      << "over-long";
  EXPECT_FALSE(CheckSubmission(Submission("")).Entry);
  for (const char outside : {'0', '8', 'I', 'L', 'O', 'a', 'r', '-', ' ', '%'}) {
    std::string bad = good;
    bad[10] = outside;
    EXPECT_FALSE(CheckSubmission(Submission(bad)).Entry) << "symbol " << outside;
  }
  std::string withNul = good;
  withNul[3] = '\0';
  EXPECT_FALSE(CheckSubmission(Submission(withNul)).Entry);
}

TEST(ScriptQuery, ExactlyTheGamesTwoQueries) {
  EXPECT_EQ(ClassifyScriptQuery({{"hs", ""}, {"prg", "GearRush"}, {"inf", "X"}}),
            ScriptRequest::Submission);
  EXPECT_EQ(ClassifyScriptQuery({{"prg", "GearRush"}, {"show", ""}, {"type", "0"}}),
            ScriptRequest::List);
  const QueryParams unknown[] = {
      {},
      {{"prg", "GearRush"}, {"inf", "X"}},
      {{"hs", ""}, {"prg", "Other"}, {"inf", "X"}},
      {{"hs", "1"}, {"prg", "GearRush"}, {"inf", "X"}},
      {{"hs", ""}, {"prg", "GearRush"}, {"inf", "X"}, {"inf", "Y"}},
      {{"hs", ""}, {"prg", "GearRush"}, {"inf", "X"}, {"more", ""}},
      {{"prg", "GearRush"}, {"show", ""}, {"type", "1"}},
      {{"prg", "GearRush"}, {"show", ""}},
  };
  for (const QueryParams& params : unknown) {
    EXPECT_EQ(ClassifyScriptQuery(params), ScriptRequest::Unknown) << params.size();
  }
}

TEST(ScriptQuery, TheQueryIsReadAsSentNotDecodedOrMerged) {
  const QueryParams params = RawQueryParams("/cgi/version.pl?hs&prg=GearRush&inf=AB&inf=AB");
  EXPECT_EQ(params.count("inf"), 2u) << "a repeated parameter stays repeated";
  EXPECT_EQ(ClassifyScriptQuery(params), ScriptRequest::Unknown);
  EXPECT_EQ(RawQueryParams("/x?inf=%4B%4B").find("inf")->second, "%4B%4B");
  EXPECT_EQ(RawQueryParams("/x?a=b=c").find("a")->second, "b=c");
  EXPECT_EQ(ClassifyScriptQuery(RawQueryParams("/cgi/version.pl?prg=GearRush&show&type=0")),
            ScriptRequest::List);
  EXPECT_TRUE(RawQueryParams("/cgi/version.pl").empty());
}
