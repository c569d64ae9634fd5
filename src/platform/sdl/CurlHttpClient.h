// The score request on libcurl: a transfer driven a step at a time from the frame loop, so the
// game never waits on the network.
#pragma once

#include <curl/curl.h>

#include <chrono>
#include <memory>
#include <string>

#include "platform/Devices.h"
#include "platform/sdl/SdlSession.h"

class CurlHttpClient final : public HttpClient {
 public:
  // The longest a request may take, from the name lookup to the last byte of the answer.
  static constexpr int kTotalTimeoutMs = 5000;

  explicit CurlHttpClient(std::shared_ptr<SdlSession> session);
  ~CurlHttpClient() override;
  CurlHttpClient(const CurlHttpClient&) = delete;
  CurlHttpClient& operator=(const CurlHttpClient&) = delete;

  void StartGet(const std::string& url) override;
  State Poll() override;
  void Release() override;

 private:
  void EndTransfer();

  std::shared_ptr<SdlSession> Session_;  // keeps libcurl's global state alive
  CURLM* Multi_ = nullptr;
  CURL* Easy_ = nullptr;
  curl_slist* Headers_ = nullptr;
  std::string Body_;
  State State_ = State::Idle;
  std::chrono::steady_clock::time_point Deadline_;
};
