#include "online/ScoreSubmission.h"

#include "app/InputState.h"
#include "app/ScreenHooks.h"
#include "app/TMForm.h"
#include "online/WebLinks.h"
#include "race/RiderState.h"
#include "storage/GameOptions.h"

// The server checks the lengths the player can type; the two must agree.
static_assert(kPayloadMaxNameLength == kMaxNameLength);
static_assert(kPayloadMaxCountryLength == kMaxCountryLength);

std::string ScoreSubmissionUrl(const std::string& serverUrl, const std::string& name, int32_t score,
                               const std::string& country) {
  return serverUrl + kScoreScriptPath +
         "?hs&prg=GearRush&inf=" + EncodePayload(BuildScorePayload(name, score, country));
}

bool SubmitScore() {
  HttpClient& http = MForm->MIdHTTP();
  HttpClient::State state = http.Poll();
  if (state == HttpClient::State::Idle) {
    http.StartGet(ScoreSubmissionUrl(MForm->ScoreServer(), NameEntry, Score, GameOptions.Country));
    state = http.Poll();
  }
  if (state == HttpClient::State::Running) return false;
  // The answer is not read and a failed request is not retried: the game goes on either way.
  http.Release();
  return true;
}
