// The score server's web interface on cpp-httplib: the home page, the score script (submissions
// and the list), the limits, and one log line per request.
#pragma once

#include <cstddef>
#include <cstdio>

#include "RateLimiter.h"
#include "ScoreStore.h"

namespace httplib {
class Server;
}

struct ServiceLimits {
  // Submissions an address may send a minute, and at once; 0 a minute for no limit.
  int SubmissionsPerMinute = 12;
  int SubmissionBurst = 6;
  // The longest request line target; the game's longest is under 200 bytes.
  size_t MaxTargetBytes = 1024;
  // Request bodies: the game sends none.
  size_t MaxBodyBytes = 1024;
  int ListLength = 100;
};

class ScoreService {
 public:
  ScoreService(ScoreStore& store, const ServiceLimits& limits, std::FILE* log);
  // Routes, limits and the log on the server.
  void Mount(httplib::Server& server);

 private:
  ScoreStore& Store_;
  ServiceLimits Limits_;
  RateLimiter Rates_;
  std::FILE* Log_;
};
