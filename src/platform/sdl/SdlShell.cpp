#include "platform/sdl/SdlShell.h"

#include <SDL.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {
// "http:", "mailto:"... A scheme has at least two letters, so nothing here is taken for a drive.
bool HasScheme(const std::string& target) {
  const size_t colon = target.find(':');
  if (colon == std::string::npos || colon < 2) return false;
  if (!std::isalpha(static_cast<unsigned char>(target[0]))) return false;
  for (size_t i = 1; i < colon; ++i) {
    const auto c = static_cast<unsigned char>(target[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

// Escapes everything but the characters a path may show as they are.
std::string EscapePath(const std::string& path) {
  std::string escaped;
  for (const char ch : path) {
    const auto c = static_cast<unsigned char>(ch);
    if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
      escaped += ch;
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      escaped += hex;
    }
  }
  return escaped;
}
}  // namespace

std::string OpenableTarget(const std::string& target, const std::string& currentDir) {
  if (target.empty()) return {};
  if (HasScheme(target)) return target;
  std::filesystem::path path(target);
  if (path.is_relative()) path = std::filesystem::path(currentDir) / path;
  return "file://" + EscapePath(path.lexically_normal().string());
}

bool SdlShell::Open(const std::string& target) {
  std::error_code error;
  const std::filesystem::path currentDir = std::filesystem::current_path(error);
  const std::string url = OpenableTarget(target, error ? std::string("/") : currentDir.string());
  return !url.empty() && SDL_OpenURL(url.c_str()) == 0;
}
