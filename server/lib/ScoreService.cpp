#include "ScoreService.h"

#include <httplib.h>

#include <chrono>
#include <ctime>

#include "ScorePages.h"
#include "ScoreRequests.h"

namespace {
constexpr const char* kHtml = "text/html; charset=utf-8";
constexpr const char* kText = "text/plain; charset=utf-8";
// Log lines show this much of a request's target.
constexpr size_t kLoggedTargetBytes = 200;
constexpr const char* kRetryAfterS = "10";

int64_t UnixNow() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

int64_t SteadyNowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void Answer(httplib::Response& response, int status, const std::string& text) {
  response.status = status;
  response.set_content(text + "\n", kText);
}

// The target as a log may show it: cut short, control and non-ASCII bytes as '?'.
std::string Printable(const std::string& target) {
  std::string text = target.substr(0, kLoggedTargetBytes);
  for (char& ch : text) {
    if (ch < ' ' || ch > '~') ch = '?';
  }
  if (target.size() > kLoggedTargetBytes) text += "...";
  return text;
}
}  // namespace

ScoreService::ScoreService(ScoreStore& store, const ServiceLimits& limits, std::FILE* log)
    : Store_(store),
      Limits_(limits),
      Rates_(limits.SubmissionsPerMinute, limits.SubmissionBurst),
      Log_(log) {}

void ScoreService::Mount(httplib::Server& server) {
  server.set_payload_max_length(Limits_.MaxBodyBytes);
  server.set_pre_routing_handler(
      [this](const httplib::Request& request, httplib::Response& response) {
        if (request.target.size() > Limits_.MaxTargetBytes) {
          Answer(response, 414, "request too long");
          return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
      });

  server.Get("/", [](const httplib::Request&, httplib::Response& response) {
    response.set_content(HomePage(), kHtml);
  });

  server.Get("/cgi/version.pl",
             [this](const httplib::Request& request, httplib::Response& response) {
               // httplib merges repeated parameters and decodes escapes; the game sends neither.
               const QueryParams params = RawQueryParams(request.target);
               switch (ClassifyScriptQuery(params)) {
                 case ScriptRequest::List:
                   try {
                     response.set_content(ListPage(Store_.Best(Limits_.ListLength)), kHtml);
                   } catch (const std::exception&) {
                     Answer(response, 503, "the list cannot be read now");
                   }
                   return;
                 case ScriptRequest::Submission:
                   break;
                 case ScriptRequest::Unknown:
                   Answer(response, 400, "not a request this script knows");
                   return;
               }
               // Every submission counts against its address, good or bad.
               if (!Rates_.Allow(request.remote_addr, SteadyNowMs())) {
                 response.set_header("Retry-After", kRetryAfterS);
                 Answer(response, 429, "too many submissions from this address, try again later");
                 return;
               }
               const DecodedScore decoded = CheckSubmission(params);
               if (!decoded.Entry) {
                 Answer(response, 400, "score not accepted: " + decoded.Error);
                 return;
               }
               switch (Store_.Add(*decoded.Entry, UnixNow())) {
                 case ScoreStore::Outcome::Stored:
                   Answer(response, 200, "score stored");
                   return;
                 case ScoreStore::Outcome::Duplicate:
                   Answer(response, 200, "score already stored");
                   return;
                 case ScoreStore::Outcome::Failed:
                   Answer(response, 503, "the score cannot be stored now, try again later");
                   return;
               }
             });

  server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
    if (response.body.empty()) {
      response.set_content(std::to_string(response.status) + "\n", kText);
    }
  });

  server.set_logger([this](const httplib::Request& request, const httplib::Response& response) {
    if (Log_ == nullptr) return;
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
    std::fprintf(Log_, "%s %s %s %s %d %zu\n", stamp, request.remote_addr.c_str(),
                 Printable(request.method).c_str(), Printable(request.target).c_str(),
                 response.status, response.body.size());
  });
}
