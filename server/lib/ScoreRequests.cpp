#include "ScoreRequests.h"

namespace {
constexpr const char* kProgram = "GearRush";

bool HasOnce(const QueryParams& params, const std::string& key, const std::string* value) {
  if (params.count(key) != 1) return false;
  return value == nullptr || params.find(key)->second == *value;
}
}  // namespace

QueryParams RawQueryParams(std::string_view target) {
  QueryParams params;
  const size_t question = target.find('?');
  if (question == std::string_view::npos) return params;
  std::string_view query = target.substr(question + 1);
  for (;;) {
    const size_t amp = query.find('&');
    const std::string_view item = query.substr(0, amp);
    const size_t equals = item.find('=');
    params.emplace(std::string(item.substr(0, equals)),
                   equals == std::string_view::npos ? "" : std::string(item.substr(equals + 1)));
    if (amp == std::string_view::npos) break;
    query.remove_prefix(amp + 1);
  }
  return params;
}

ScriptRequest ClassifyScriptQuery(const QueryParams& params) {
  const std::string empty;
  const std::string program = kProgram;
  const std::string listType = "0";
  if (params.size() == 3 && HasOnce(params, "hs", &empty) && HasOnce(params, "prg", &program) &&
      HasOnce(params, "inf", nullptr)) {
    return ScriptRequest::Submission;
  }
  if (params.size() == 3 && HasOnce(params, "show", &empty) && HasOnce(params, "prg", &program) &&
      HasOnce(params, "type", &listType)) {
    return ScriptRequest::List;
  }
  return ScriptRequest::Unknown;
}

DecodedScore CheckSubmission(const QueryParams& params) {
  if (ClassifyScriptQuery(params) != ScriptRequest::Submission) {
    return DecodedScore{std::nullopt, "not a submission"};
  }
  DecodedScore decoded = DecodeScoreSubmission(params.find("inf")->second);
  if (decoded.Entry && decoded.Entry->Score < 0) return DecodedScore{std::nullopt, "bad score"};
  return decoded;
}
