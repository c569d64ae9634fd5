// The score text agreed between the game and the score server: the name, the score and the
// country packed into one text and spelled in 32 symbols. The game builds and encodes it, the
// server decodes and checks it; both link this one definition.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The symbols for the values 0..31.
inline constexpr char kScoreSymbols[] = "KX7HQ2MBV9TCR4WPD5NFZ8GJ3YES6UA1";
// The letter every request's key field carries.
inline constexpr char kScoreKeyLetter = 'R';
// The longest name and country the game lets a player type.
inline constexpr size_t kPayloadMaxNameLength = 12;
inline constexpr size_t kPayloadMaxCountryLength = 16;
// The payload is padded to a whole number of these, which make a whole number of symbols.
inline constexpr size_t kPayloadBlockBytes = 5;
inline constexpr size_t kSymbolsPerBlock = 8;
// The longest payload: the longest name, country and score ("-2147483648"), padded.
inline constexpr size_t kMaxPayloadBytes = 75;
inline constexpr size_t kMaxPayloadSymbols =
    kMaxPayloadBytes / kPayloadBlockBytes * kSymbolsPerBlock;

// Letters, digits, spaces and underscores. A '|' or '=' would forge a field of its own.
bool IsPayloadCharacter(char ch);
// The text with every other character left out, cut to maxLength characters.
std::string PayloadSafeText(const std::string& text, size_t maxLength);
// The text the server decodes, padded with "0" to a multiple of 5 characters.
std::string BuildScorePayload(const std::string& name, int32_t score, const std::string& country);
// Every byte as 8 bits, most significant first, read back 5 bits a symbol: 8 symbols for every
// 5 bytes.
std::string EncodePayload(const std::string& payload);

// One decoded submission.
struct ScoreEntry {
  std::string Name;
  int32_t Score = 0;
  std::string Country;
  bool operator==(const ScoreEntry&) const = default;
};

// A decoded submission, or why the symbols are not one.
struct DecodedScore {
  std::optional<ScoreEntry> Entry;
  std::string Error;
};

// The bytes behind the symbols; nullopt when a symbol is outside the table or the symbols do
// not make whole bytes.
std::optional<std::string> DecodeSymbols(const std::string& symbols);
// Reads a payload exactly as BuildScorePayload writes it: the fields in order, the key letter,
// the padding, allowed characters within their lengths, a score in 32 bits written as the game
// writes it. Anything else is an error.
DecodedScore ParseScorePayload(const std::string& payload);
// The symbols of a request, decoded and checked.
DecodedScore DecodeScoreSubmission(const std::string& symbols);
