#include "online/ScoreSubmission.h"

#include "app/InputState.h"
#include "app/ScreenHooks.h"
#include "app/TMForm.h"
#include "online/WebLinks.h"
#include "race/RiderState.h"
#include "storage/GameOptions.h"

namespace {
constexpr size_t kPayloadBlock = 5;  // bytes that make a whole number of symbols
constexpr size_t kBitsPerSymbol = 5;
constexpr int kBitsPerByte = 8;

bool IsPayloadSafe(char ch) {
  return IsAllowedCharacter(ch) || ch == '_';
}
}  // namespace

std::string PayloadSafeText(const std::string& text, size_t maxLength) {
  std::string safe;
  for (char ch : text) {
    if (safe.size() == maxLength) break;
    if (IsPayloadSafe(ch)) safe += ch;
  }
  return safe;
}

std::string BuildScorePayload(const std::string& name, int32_t score, const std::string& country) {
  std::string payload = "type=0";
  payload += "|name=" + PayloadSafeText(name, kMaxNameLength);
  payload += "|score=" + std::to_string(score);
  payload += "|key=";
  payload += kScoreKeyLetter;
  payload += "|p=";
  payload += "|add=" + PayloadSafeText(country, kMaxCountryLength);
  payload += "|z=";
  while (payload.size() % kPayloadBlock != 0) payload += '0';
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

std::string ScoreSubmissionUrl(const std::string& name, int32_t score, const std::string& country) {
  return std::string("http://") + kGameHost + kScoreScriptPath +
         "?hs&prg=GearRush&inf=" + EncodePayload(BuildScorePayload(name, score, country));
}

bool SubmitScore() {
  HttpClient& http = MForm->MIdHTTP();
  HttpClient::State state = http.Poll();
  if (state == HttpClient::State::Idle) {
    http.StartGet(ScoreSubmissionUrl(NameEntry, Score, GameOptions.Country));
    state = http.Poll();
  }
  if (state == HttpClient::State::Running) return false;
  // The answer is not read and a failed request is not retried: the game goes on either way.
  http.Release();
  return true;
}
