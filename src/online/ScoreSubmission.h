// Sending a finished game's score to the online high-score list: the payload
// (online/ScorePayload.h) in one GET request to the score server.
#pragma once

#include <cstdint>
#include <string>

#include "online/ScorePayload.h"

// The address of the request that submits the score to the server at serverUrl
// (online/ScoreServer.h).
std::string ScoreSubmissionUrl(const std::string& serverUrl, const std::string& name, int32_t score,
                               const std::string& country);
