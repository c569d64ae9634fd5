// The score's payload, its spelling in the server's symbols, and the request's address.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "online/ScoreServer.h"
#include "online/ScoreSubmission.h"
#include "online/WebLinks.h"

namespace {
constexpr size_t kSymbolCount = 32;

// What the server does with the symbols: back to 5 bits each, then to bytes.
std::string Decode(const std::string& symbols) {
  std::string bits;
  for (char symbol : symbols) {
    const char* at = std::strchr(kScoreSymbols, symbol);
    EXPECT_NE(at, nullptr) << "symbol " << symbol;
    if (at == nullptr) return {};
    const int value = static_cast<int>(at - kScoreSymbols);
    for (int bit = 4; bit >= 0; --bit) bits += (value >> bit & 1) ? '1' : '0';
  }
  std::string bytes;
  for (size_t i = 0; i + 8 <= bits.size(); i += 8) {
    bytes += static_cast<char>(std::stoi(bits.substr(i, 8), nullptr, 2));
  }
  return bytes;
}
}  // namespace

TEST(ScorePayload, FieldsInOrderPaddedToAMultipleOfFive) {
  const std::string payload = BuildScorePayload("Bo", 1234, "_______");
  EXPECT_EQ(payload, "type=0|name=Bo|score=1234|key=R|p=|add=_______|z=0")
      << "49 characters before the padding";
  EXPECT_EQ(payload.size(), 50u);

  const std::string exact = BuildScorePayload("Bob", 1234, "_______");
  EXPECT_EQ(exact.size(), 50u);
  EXPECT_EQ(exact.back(), '=') << "already a multiple of 5: no padding";

  for (size_t nameLength = 0; nameLength < 10; ++nameLength) {
    const std::string padded = BuildScorePayload(std::string(nameLength, 'a'), 7, "X");
    EXPECT_EQ(padded.size() % 5, 0u);
    EXPECT_LT(padded.size() - padded.rfind("|z=") - 3, 5u) << "at most four zeros of padding";
  }
}

TEST(ScorePayload, EmptyNameNegativeScoreAndSpacesKeepTheirPlaces) {
  EXPECT_NE(BuildScorePayload("", 5, "Peru").find("|name=|score=5|"), std::string::npos);
  EXPECT_NE(BuildScorePayload("X", -250, "Peru").find("|score=-250|"), std::string::npos);
  EXPECT_NE(BuildScorePayload("Anna Lee", 1, "New Zealand").find("|name=Anna Lee|"),
            std::string::npos);
  EXPECT_NE(BuildScorePayload("Anna Lee", 1, "New Zealand").find("|add=New Zealand|z="),
            std::string::npos);
}

// The country comes back from the options file as a whole line, so it may hold anything.
TEST(ScorePayload, SeparatorsAndLongTextsCannotForgeFields) {
  const std::string payload = BuildScorePayload("Al|score=9", 10, "x|score=999999|z=");
  EXPECT_EQ(payload.find("score=9|"), std::string::npos);
  EXPECT_EQ(std::count(payload.begin(), payload.end(), '|'), 6) << payload;
  EXPECT_NE(payload.find("|name=Alscore9|score=10|"), std::string::npos) << payload;
  EXPECT_NE(payload.find("|add=xscore999999z|z="), std::string::npos) << payload;

  const std::string longCountry(200, 'W');
  EXPECT_NE(BuildScorePayload("A", 1, longCountry).find("|add=" + std::string(16, 'W') + "|z="),
            std::string::npos)
      << "the country is cut to its 16 characters";
  EXPECT_EQ(PayloadSafeText("\xC3\xBC\r\nOslo_1 ", 16), "Oslo_1 ");
}

TEST(ScoreSymbols, ThirtyTwoDistinctLettersAndDigits) {
  const std::string symbols = kScoreSymbols;
  ASSERT_EQ(symbols.size(), kSymbolCount);
  std::string sorted = symbols;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end());
  EXPECT_EQ(std::count_if(symbols.begin(), symbols.end(), ::isupper), 23);
  EXPECT_EQ(std::count_if(symbols.begin(), symbols.end(), ::isdigit), 9);
}

TEST(ScoreEncoding, FiveBytesBecomeEightSymbolsMostSignificantBitFirst) {
  // "00000" is 00110000 five times: 00110 00000 11000 00011 00000 01100 00001 10000.
  const int values[] = {6, 0, 24, 3, 0, 12, 1, 16};
  std::string expected;
  for (int v : values) expected += kScoreSymbols[v];
  EXPECT_EQ(EncodePayload("00000"), expected);
  EXPECT_EQ(EncodePayload(std::string(5, '\xFF')), std::string(8, kScoreSymbols[31]));
  EXPECT_EQ(EncodePayload(std::string(5, '\0')), std::string(8, kScoreSymbols[0]));
}

TEST(ScoreEncoding, ServerDecodesWhatWasSent) {
  for (const std::string& payload :
       {BuildScorePayload("Bo", 1234, "_______"), BuildScorePayload("", 0, ""),
        BuildScorePayload("Anna Lee", -2147483647 - 1, "New Zealand"),
        std::string("\x80\x01\xFE\x7F\x00", 5)}) {
    const std::string symbols = EncodePayload(payload);
    EXPECT_EQ(symbols.size(), payload.size() * 8 / 5);
    EXPECT_EQ(Decode(symbols), payload);
  }
}

TEST(ScoreEncoding, UnpaddedTextIsFilledWithLeadingZeroBits) {
  // One byte, 8 bits: two zero bits in front make 10 bits, two symbols.
  const std::string expected = {kScoreSymbols[7], kScoreSymbols[31]};
  EXPECT_EQ(EncodePayload("\xFF"), expected);
}

TEST(ScoreSubmissionUrl, PlainHttpToTheScoreScriptWithOnlyLettersAndDigits) {
  const std::string url = ScoreSubmissionUrl("http://10.0.0.5:8080", "Bo", 1234, "_______");
  const std::string prefix = "http://10.0.0.5:8080/cgi/version.pl?hs&prg=GearRush&inf=";
  ASSERT_EQ(url.rfind(prefix, 0), 0u);
  const std::string symbols = url.substr(prefix.size());
  EXPECT_EQ(symbols.size(), 80u) << "the 50-character payload";
  EXPECT_TRUE(std::all_of(symbols.begin(), symbols.end(), ::isalnum));
  EXPECT_EQ(Decode(symbols), BuildScorePayload("Bo", 1234, "_______"));
}

TEST(WebLinks, OnlineListNamesTheSameProgramAndListTypeAsTheSubmission) {
  EXPECT_EQ(OnlineHighScoresUrl("http://scores.example"),
            "http://scores.example/cgi/version.pl?prg=GearRush&show&type=0");
  EXPECT_EQ(HomePageUrl("http://scores.example"), "http://scores.example/");
  EXPECT_EQ(OnlineHighScoresUrl("https://example.org/gr"),
            "https://example.org/gr/cgi/version.pl?prg=GearRush&show&type=0");
}
