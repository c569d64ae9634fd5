// The few file-system calls the save folder makes, behind one small interface so tests can make
// any of them fail (or stop the process) at a chosen moment. Calls answer like the POSIX ones:
// -1 with errno set on failure.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <string>
#include <vector>

class SaveFileSystem {
 public:
  virtual ~SaveFileSystem() = default;
  virtual int Open(const std::string& path, int flags, mode_t mode);
  virtual ssize_t Read(int fd, void* buffer, size_t size);
  virtual ssize_t Write(int fd, const void* data, size_t size);
  virtual int Fstat(int fd, struct stat* info);
  // Does not follow a symbolic link.
  virtual int Lstat(const std::string& path, struct stat* info);
  // Follows symbolic links.
  virtual int Stat(const std::string& path, struct stat* info);
  virtual int Fchmod(int fd, mode_t mode);
  virtual int Fsync(int fd);
  virtual int Close(int fd);
  virtual int Rename(const std::string& from, const std::string& to);
  virtual int Link(const std::string& from, const std::string& to);
  virtual int Unlink(const std::string& path);
  virtual int MakeFolders(const std::string& path);
  // An exclusive advisory lock on an open file or folder; never waits.
  virtual int TryLock(int fd);
  // The names in a folder (not "." and ".."); empty when it cannot be listed.
  virtual std::vector<std::string> List(const std::string& folder);
  // A fresh random token for temporary file names.
  virtual std::string NewToken();
};
