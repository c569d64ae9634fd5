#include "online/ScoreSubmission.h"

#include <exception>

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

void SubmitScore() {
  const std::string url =
      ScoreSubmissionUrl(MForm->ScoreServer(), NameEntry, Score, GameOptions.Country);
  // The answer is not read and a failed request is not retried: the game goes on either way.
  try {
    MForm->MIdHTTP().Get(url);
  } catch (const std::exception&) {
  }
}
