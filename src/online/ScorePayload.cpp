#include "online/ScorePayload.h"

#include <charconv>
#include <cstring>
#include <string_view>

namespace {
constexpr size_t kBitsPerSymbol = 5;
constexpr int kBitsPerByte = 8;

// The fixed parts of the payload around the three values.
constexpr std::string_view kNameField = "type=0|name=";
constexpr std::string_view kScoreField = "|score=";
constexpr std::string_view kKeyField = "|key=";
constexpr std::string_view kCountryField = "|p=|add=";
constexpr std::string_view kEndField = "|z=";

DecodedScore Fail(std::string error) {
  return DecodedScore{std::nullopt, std::move(error)};
}

// Takes `prefix` off the front of `rest`.
bool Consume(std::string_view& rest, std::string_view prefix) {
  if (rest.substr(0, prefix.size()) != prefix) return false;
  rest.remove_prefix(prefix.size());
  return true;
}

// Takes everything up to the next '|' off the front of `rest`.
std::string_view TakeValue(std::string_view& rest) {
  const size_t end = rest.find('|');
  const std::string_view value = rest.substr(0, end);
  rest.remove_prefix(value.size());
  return value;
}

bool IsPayloadText(std::string_view text, size_t maxLength) {
  if (text.size() > maxLength) return false;
  for (char ch : text) {
    if (!IsPayloadCharacter(ch)) return false;
  }
  return true;
}
}  // namespace

bool IsPayloadCharacter(char ch) {
  return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') ||
         ch == ' ' || ch == '_';
}

std::string PayloadSafeText(const std::string& text, size_t maxLength) {
  std::string safe;
  for (char ch : text) {
    if (safe.size() == maxLength) break;
    if (IsPayloadCharacter(ch)) safe += ch;
  }
  return safe;
}

std::string BuildScorePayload(const std::string& name, int32_t score, const std::string& country) {
  std::string payload(kNameField);
  payload += PayloadSafeText(name, kPayloadMaxNameLength);
  payload += kScoreField;
  payload += std::to_string(score);
  payload += kKeyField;
  payload += kScoreKeyLetter;
  payload += kCountryField;
  payload += PayloadSafeText(country, kPayloadMaxCountryLength);
  payload += kEndField;
  while (payload.size() % kPayloadBlockBytes != 0) payload += '0';
  return payload;
}

std::string EncodePayload(const std::string& payload) {
  std::string bits;
  bits.reserve(payload.size() * kBitsPerByte);
  for (char ch : payload) {
    const auto byte = static_cast<unsigned char>(ch);
    for (int bit = kBitsPerByte - 1; bit >= 0; --bit) bits += (byte >> bit & 1) ? '1' : '0';
  }
  // Only a payload that skipped the padding needs this.
  if (bits.size() % kBitsPerSymbol != 0) {
    bits.insert(0, kBitsPerSymbol - bits.size() % kBitsPerSymbol, '0');
  }
  std::string symbols;
  symbols.reserve(bits.size() / kBitsPerSymbol);
  for (size_t i = 0; i < bits.size(); i += kBitsPerSymbol) {
    unsigned value = 0;
    for (size_t k = 0; k < kBitsPerSymbol; ++k) value = value << 1 | (bits[i + k] != '0');
    symbols += kScoreSymbols[value];
  }
  return symbols;
}

std::optional<std::string> DecodeSymbols(const std::string& symbols) {
  // A padded payload is whole blocks, so its symbols are whole blocks too: no bits left over.
  if (symbols.size() % kSymbolsPerBlock != 0) return std::nullopt;
  std::string bytes;
  bytes.reserve(symbols.size() / kSymbolsPerBlock * kPayloadBlockBytes);
  unsigned accumulator = 0;
  int bitCount = 0;
  for (char symbol : symbols) {
    const char* at = symbol == '\0' ? nullptr : std::strchr(kScoreSymbols, symbol);
    if (at == nullptr) return std::nullopt;
    accumulator = accumulator << kBitsPerSymbol | static_cast<unsigned>(at - kScoreSymbols);
    bitCount += static_cast<int>(kBitsPerSymbol);
    if (bitCount >= kBitsPerByte) {
      bitCount -= kBitsPerByte;
      bytes += static_cast<char>(accumulator >> bitCount & 0xFF);
      accumulator &= (1u << bitCount) - 1;
    }
  }
  return bytes;
}

DecodedScore ParseScorePayload(const std::string& payload) {
  if (payload.size() % kPayloadBlockBytes != 0) return Fail("payload not padded");
  std::string_view rest = payload;
  ScoreEntry entry;
  if (!Consume(rest, kNameField)) return Fail("no type and name fields");
  const std::string_view name = TakeValue(rest);
  if (!IsPayloadText(name, kPayloadMaxNameLength)) return Fail("bad name");
  entry.Name = name;

  if (!Consume(rest, kScoreField)) return Fail("no score field");
  const std::string_view score = TakeValue(rest);
  const char* first = score.data();
  const char* last = score.data() + score.size();
  const auto [end, error] = std::from_chars(first, last, entry.Score);
  if (score.empty() || error != std::errc() || end != last) return Fail("bad score");
  // Only the game's own spelling: no leading zeros, no "-0".
  if (std::to_string(entry.Score) != score) return Fail("bad score");

  if (!Consume(rest, kKeyField)) return Fail("no key field");
  if (rest.empty() || rest.front() != kScoreKeyLetter) return Fail("wrong key");
  rest.remove_prefix(1);
  if (!Consume(rest, kCountryField)) return Fail("no country field");
  const std::string_view country = TakeValue(rest);
  if (!IsPayloadText(country, kPayloadMaxCountryLength)) return Fail("bad country");
  entry.Country = country;

  if (!Consume(rest, kEndField)) return Fail("no end field");
  // What is left is the padding: fewer "0"s than a block, and only as many as it takes.
  if (rest.size() >= kPayloadBlockBytes || rest.find_first_not_of('0') != std::string_view::npos) {
    return Fail("bad padding");
  }
  if (BuildScorePayload(entry.Name, entry.Score, entry.Country) != payload) {
    return Fail("bad padding");
  }
  return DecodedScore{std::move(entry), {}};
}

DecodedScore DecodeScoreSubmission(const std::string& symbols) {
  if (symbols.empty()) return Fail("no symbols");
  if (symbols.size() > kMaxPayloadSymbols) return Fail("too many symbols");
  const std::optional<std::string> payload = DecodeSymbols(symbols);
  if (!payload) return Fail("symbols outside the table or not whole blocks");
  return ParseScorePayload(*payload);
}
