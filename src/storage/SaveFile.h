// Reading and writing the small text files in Data/Save.
#pragma once

#include <optional>
#include <string>

// Reads a text file the way the save files are read: whole lines, and integers that may start
// after blanks and line ends.
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

// The whole file, or nullopt when it cannot be opened for reading.
std::optional<std::string> ReadSaveFile(const std::string& path);
// Replaces the file with the content without ever leaving it half written: the content goes to
// a temporary file beside it, is flushed to disk and renamed over the old file. On failure the
// old file is untouched and a std::runtime_error says why.
void WriteSaveFile(const std::string& path, const std::string& content);
// The path of a save file in the given folder.
std::string SavePath(const std::string& folder, const char* file);
