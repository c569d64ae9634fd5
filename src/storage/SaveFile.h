// The Data/Save folder: bounded reads of its files, and the options and high-score files replaced
// together as one pair, so that a failure or a crash never leaves a new file beside an old one.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "storage/SaveFileSystem.h"

struct SaveFileContent {
  std::string Name;  // inside the folder
  std::string Content;
};

class SaveFolder {
 public:
  // The largest save file read; the game writes a few hundred bytes.
  static constexpr size_t kMaxFileBytes = 8192;
  // How long reading or saving waits for another running game that is saving into the folder.
  static constexpr int kLockWaitMs = 2000;

  // Data/Save below the working directory, on the real file system.
  SaveFolder();
  // The given folder, on the real file system.
  explicit SaveFolder(std::string path);
  SaveFolder(std::string path, std::unique_ptr<SaveFileSystem> files);

  std::string PathOf(const std::string& name) const;

  // The file's bytes; nullopt when it is missing, cannot be read, is not a regular file (a
  // folder, a pipe, a device) or is larger than kMaxFileBytes. Never waits on the file.
  std::optional<std::string> Read(const std::string& name);

  // Whether the second file's new content belongs with the first file's current content.
  using PairCheck = std::function<bool(const std::string& second, const std::string& first)>;

  // Both files of the pair, after finishing or undoing a replacement that a crash interrupted:
  // the old pair or the new one, never a mix.
  std::array<std::optional<std::string>, 2> ReadPair(const std::string& first,
                                                     const std::string& second,
                                                     const PairCheck& belongTogether);

  // Replaces both files or neither: both new contents are written and synced to temporary files
  // before either replaces its file (first, then second). Returns one message for every file not
  // saved; empty when both were.
  std::vector<std::string> ReplacePair(const SaveFileContent& first, const SaveFileContent& second);

 private:
  class Lock;
  // The temporary file of a replacement, and the first file's old content kept for an undo.
  std::string TempName(const std::string& name, const std::string& token) const;
  std::string KeptName(const std::string& name, const std::string& token) const;
  // Creates a temporary file for the token; -1 with errno (EEXIST when the name is taken).
  int CreateTemp(const std::string& name, const std::string& token);
  // Writes, syncs and closes; an empty text on success, else why not.
  std::string WriteAll(int fd, const std::string& content);
  void Recover(const std::string& first, const std::string& second,
               const PairCheck& belongTogether);
  bool IsRegularFile(const std::string& name);
  void SyncFolder();

  std::string Path_;
  std::unique_ptr<SaveFileSystem> Files_;
};
