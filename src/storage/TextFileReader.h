// Reads a save file's text the way the game always read it: whole lines, and integers that may
// start after blanks and line ends.
#pragma once

#include <optional>
#include <string>

class TextFileReader {
 public:
  explicit TextFileReader(std::string content) : Text_(std::move(content)) {}
  // The rest of the current line (without its line end), moving to the next line.
  std::string ReadLine();
  // An integer after blanks and line ends; 0 at the end of the file; nullopt when something
  // else stands there.
  std::optional<long long> ReadInteger();

 private:
  std::string Text_;
  size_t At_ = 0;
};
