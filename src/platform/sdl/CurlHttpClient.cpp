#include "platform/sdl/CurlHttpClient.h"

#include <curl/curl.h>

namespace {
// The request blocks the game's one thread, so it must give up soon.
constexpr long kConnectTimeoutS = 5;
constexpr long kTotalTimeoutS = 10;
// The score server answers a line or two; anything longer is not its answer.
constexpr size_t kMaxBodyBytes = 1 << 20;

struct EasyHandle {
  CURL* Curl = curl_easy_init();
  ~EasyHandle() {
    if (Curl != nullptr) curl_easy_cleanup(Curl);
  }
};

size_t AppendBody(char* data, size_t size, size_t count, void* user) {
  auto* body = static_cast<std::string*>(user);
  const size_t bytes = size * count;
  if (body->size() + bytes > kMaxBodyBytes) return 0;  // makes libcurl fail the transfer
  body->append(data, bytes);
  return bytes;
}
}  // namespace

std::optional<std::string> CurlHttpClient::Get(const std::string& url) {
  EasyHandle handle;
  if (handle.Curl == nullptr) return std::nullopt;
  std::string body;
  curl_easy_setopt(handle.Curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(handle.Curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(handle.Curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutS);
  curl_easy_setopt(handle.Curl, CURLOPT_TIMEOUT, kTotalTimeoutS);
  curl_easy_setopt(handle.Curl, CURLOPT_NOSIGNAL, 1L);  // timeouts without signals
  curl_easy_setopt(handle.Curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle.Curl, CURLOPT_WRITEFUNCTION, AppendBody);
  curl_easy_setopt(handle.Curl, CURLOPT_WRITEDATA, &body);
  if (curl_easy_perform(handle.Curl) != CURLE_OK) return std::nullopt;
  long status = 0;
  curl_easy_getinfo(handle.Curl, CURLINFO_RESPONSE_CODE, &status);
  if (status < 200 || status > 299) return std::nullopt;
  return body;
}
