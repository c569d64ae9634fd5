#include "storage/SaveFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

std::string TextFileReader::ReadLine() {
  const size_t end = Text_.find_first_of("\r\n", At_);
  std::string line = Text_.substr(At_, end == std::string::npos ? std::string::npos : end - At_);
  if (end == std::string::npos) {
    At_ = Text_.size();
  } else {
    At_ = end + 1;
    if (Text_[end] == '\r' && At_ < Text_.size() && Text_[At_] == '\n') ++At_;
  }
  return line;
}

std::optional<long long> TextFileReader::ReadInteger() {
  while (At_ < Text_.size() && std::strchr(" \t\r\n", Text_[At_]) != nullptr) ++At_;
  if (At_ >= Text_.size()) return 0;
  size_t end = At_;
  if (Text_[end] == '-' || Text_[end] == '+') ++end;
  const size_t digits = end;
  while (end < Text_.size() && end - digits < 18 && Text_[end] >= '0' && Text_[end] <= '9') ++end;
  const bool terminated = end >= Text_.size() || std::strchr(" \t\r\n", Text_[end]) != nullptr;
  if (end == digits || !terminated) return std::nullopt;
  const long long value = std::stoll(Text_.substr(At_, end - At_));
  At_ = end;
  return value;
}

std::optional<std::string> ReadSaveFile(const std::string& path) {
  if (path.empty()) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return content.str();
}

void WriteSaveFile(const std::string& path, const std::string& content) {
  namespace fs = std::filesystem;
  auto fail = [&](const std::string& reason) {
    return std::runtime_error("Cannot save \"" + path + "\". " + reason);
  };
  std::error_code error;
  const fs::path target(path);
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), error);
  const std::string temporary = path + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) throw fail(std::strerror(errno));
  size_t written = 0;
  while (written < content.size()) {
    const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const std::string reason = std::strerror(n < 0 ? errno : ENOSPC);
      ::close(fd);
      ::unlink(temporary.c_str());
      throw fail(reason);
    }
    written += static_cast<size_t>(n);
  }
  const int syncError = ::fsync(fd) == 0 ? 0 : errno;
  const int closeError = ::close(fd) == 0 ? 0 : errno;
  if (syncError != 0 || closeError != 0) {
    ::unlink(temporary.c_str());
    throw fail(std::strerror(syncError != 0 ? syncError : closeError));
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    ::unlink(temporary.c_str());
    throw fail(reason);
  }
}

std::string SavePath(const std::string& folder, const char* file) {
  return (std::filesystem::path(folder) / file).string();
}
