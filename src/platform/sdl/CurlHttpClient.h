// The score request on libcurl: a transfer driven a step at a time from the frame loop, so the
// game never waits on the network. libcurl is loaded by the first request.
#pragma once

#include <curl/curl.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/Devices.h"
#include "platform/sdl/CurlLibrary.h"

class CurlHttpClient final : public HttpClient {
 public:
  // The longest a request may take, from the name lookup to the last byte of the answer.
  static constexpr int kTotalTimeoutMs = 5000;

  // libraryNames: where to look for libcurl (the system's names unless a test says otherwise).
  explicit CurlHttpClient(std::vector<std::string> libraryNames = CurlLibrary::SystemNames());
  ~CurlHttpClient() override;
  CurlHttpClient(const CurlHttpClient&) = delete;
  CurlHttpClient& operator=(const CurlHttpClient&) = delete;

  void StartGet(const std::string& url) override;
  State Poll() override;
  void Release() override;

 private:
  void EndTransfer();

  std::vector<std::string> LibraryNames_;
  bool LoadTried_ = false;
  std::unique_ptr<CurlLibrary> Curl_;  // null until the first request, and where none loads
  CURLM* Multi_ = nullptr;
  CURL* Easy_ = nullptr;
  curl_slist* Headers_ = nullptr;
  std::string Body_;
  State State_ = State::Idle;
  std::chrono::steady_clock::time_point Deadline_;
};
