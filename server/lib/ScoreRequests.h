// What a request to the score script asks for, read from its query's parameters alone.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "online/ScorePayload.h"

using QueryParams = std::multimap<std::string, std::string>;

enum class ScriptRequest { Submission, List, Unknown };

// The parameters of a request target's query as they were sent: split at '&' and the first '=',
// nothing decoded and nothing merged, so a repeated or escaped parameter stays visible.
QueryParams RawQueryParams(std::string_view target);

// "hs&prg=GearRush&inf=..." is a submission, "prg=GearRush&show&type=0" the list: exactly those
// parameters, each once, in any order.
ScriptRequest ClassifyScriptQuery(const QueryParams& params);
// The submission's entry, checked: a payload the game could have sent with a score of 0 or more
// (no game ends below 0 with a score for the table).
DecodedScore CheckSubmission(const QueryParams& params);
