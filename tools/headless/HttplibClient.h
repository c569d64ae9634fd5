// A real HTTP GET for the headless runner, so a run can talk to a score server.
#pragma once

#include <optional>
#include <string>

class HttplibClient final {
 public:
  // The body of a 2xx answer; nullopt for anything else, including a timeout.
  static std::optional<std::string> Get(const std::string& url);
};
