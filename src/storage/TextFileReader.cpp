#include "storage/TextFileReader.h"

#include <cstring>

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
