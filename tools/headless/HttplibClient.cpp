#include "HttplibClient.h"

#include <httplib.h>

namespace {
// The request blocks the runner's tick, so it must give up soon.
constexpr time_t kConnectTimeoutS = 5;
constexpr time_t kReadTimeoutS = 10;
constexpr int kFirstSuccess = 200;
constexpr int kLastSuccess = 299;
}  // namespace

std::optional<std::string> HttplibClient::Get(const std::string& url) {
  // "scheme://host:port" opens the connection; the rest is the request's target.
  const size_t hostStart = url.find("://");
  if (hostStart == std::string::npos) return std::nullopt;
  const size_t pathStart = url.find('/', hostStart + 3);
  const std::string origin = url.substr(0, pathStart);
  const std::string target = pathStart == std::string::npos ? "/" : url.substr(pathStart);
  try {
    httplib::Client client(origin);
    if (!client.is_valid()) return std::nullopt;
    client.set_connection_timeout(kConnectTimeoutS);
    client.set_read_timeout(kReadTimeoutS);
    client.set_write_timeout(kReadTimeoutS);
    const httplib::Result result = client.Get(target);
    if (!result || result->status < kFirstSuccess || result->status > kLastSuccess) {
      return std::nullopt;
    }
    return result->body;
  } catch (const std::exception&) {
    return std::nullopt;  // an address httplib cannot take is a failed request
  }
}
