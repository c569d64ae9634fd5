// The blocking HTTP GET of the score submission, on libcurl.
#pragma once

#include <memory>

#include "platform/Devices.h"
#include "platform/sdl/SdlSession.h"

class CurlHttpClient final : public HttpClient {
 public:
  explicit CurlHttpClient(std::shared_ptr<SdlSession> session) : Session_(std::move(session)) {}

  // The body of a 2xx answer; nullopt for anything else, including a timeout.
  std::optional<std::string> Get(const std::string& url) override;

 private:
  std::shared_ptr<SdlSession> Session_;  // keeps libcurl's global state alive
};
