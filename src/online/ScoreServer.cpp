#include "online/ScoreServer.h"

#include <cctype>
#include <charconv>
#include <stdexcept>
#include <string_view>

#ifndef GR_DEFAULT_SCORE_SERVER
#define GR_DEFAULT_SCORE_SERVER "www.gearrush.example"
#endif

namespace {
constexpr unsigned kMaxPort = 65535;

bool IsHostCharacter(char ch) {
  return std::isalnum(static_cast<unsigned char>(ch)) || ch == '-' || ch == '.';
}

bool IsPathCharacter(char ch) {
  return std::isalnum(static_cast<unsigned char>(ch)) || ch == '-' || ch == '.' || ch == '_' ||
         ch == '~' || ch == '/';
}

// "name", "1.2.3.4" or "[::1]".
bool IsHost(std::string_view host) {
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
    for (char ch : host.substr(1, host.size() - 2)) {
      if (!std::isxdigit(static_cast<unsigned char>(ch)) && ch != ':' && ch != '.') return false;
    }
    return true;
  }
  if (host.empty() || host.front() == '-' || host.front() == '.') return false;
  for (char ch : host) {
    if (!IsHostCharacter(ch)) return false;
  }
  return true;
}

bool IsPort(std::string_view port) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
  return !port.empty() && error == std::errc() && end == port.data() + port.size() && value >= 1 &&
         value <= kMaxPort && port.front() != '0';
}
}  // namespace

std::string DefaultScoreServer() {
  return GR_DEFAULT_SCORE_SERVER;
}

std::optional<std::string> ScoreServerBaseUrl(const std::string& address) {
  std::string_view rest = address;
  std::string scheme = "http://";
  for (std::string_view known : {"http://", "https://"}) {
    if (rest.substr(0, known.size()) == known) {
      scheme = known;
      rest.remove_prefix(known.size());
    }
  }
  const size_t slash = rest.find('/');
  const std::string_view authority = rest.substr(0, slash);
  std::string_view path = slash == std::string_view::npos ? "" : rest.substr(slash);
  while (!path.empty() && path.back() == '/') path.remove_suffix(1);
  for (char ch : path) {
    if (!IsPathCharacter(ch)) return std::nullopt;
  }

  std::string_view host = authority;
  const size_t colon = authority.rfind(':');
  if (colon != std::string_view::npos && authority.find(']', colon) == std::string_view::npos) {
    host = authority.substr(0, colon);
    if (!IsPort(authority.substr(colon + 1))) return std::nullopt;
  }
  if (!IsHost(host)) return std::nullopt;
  return scheme + std::string(authority) + std::string(path);
}

std::string ChooseScoreServer(const char* option, const char* variable) {
  std::string address = DefaultScoreServer();
  std::string from = "the built-in score server";
  if (variable != nullptr && *variable != '\0') {
    address = variable;
    from = kScoreServerVariable;
  }
  if (option != nullptr) {
    address = option;
    from = kScoreServerOption;
  }
  const std::optional<std::string> base = ScoreServerBaseUrl(address);
  if (!base) throw std::invalid_argument(from + ": not a score server address: '" + address + "'");
  return *base;
}
