#include "storage/SaveFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

int SaveFileSystem::Open(const std::string& path, int flags, mode_t mode) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

ssize_t SaveFileSystem::Read(int fd, void* buffer, size_t size) {
  return ::read(fd, buffer, size);
}

ssize_t SaveFileSystem::Write(int fd, const void* data, size_t size) {
  return ::write(fd, data, size);
}

int SaveFileSystem::Fstat(int fd, struct stat* info) {
  return ::fstat(fd, info);
}

int SaveFileSystem::Lstat(const std::string& path, struct stat* info) {
  return ::lstat(path.c_str(), info);
}

int SaveFileSystem::Stat(const std::string& path, struct stat* info) {
  return ::stat(path.c_str(), info);
}

int SaveFileSystem::Fchmod(int fd, mode_t mode) {
  return ::fchmod(fd, mode);
}

int SaveFileSystem::Fsync(int fd) {
  return ::fsync(fd);
}

int SaveFileSystem::Close(int fd) {
  return ::close(fd);
}

int SaveFileSystem::Rename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str());
}

int SaveFileSystem::Link(const std::string& from, const std::string& to) {
  return ::link(from.c_str(), to.c_str());
}

int SaveFileSystem::Unlink(const std::string& path) {
  return ::unlink(path.c_str());
}

int SaveFileSystem::MakeFolders(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  if (!error) return 0;
  errno = error.value();
  return -1;
}

int SaveFileSystem::TryLock(int fd) {
  return ::flock(fd, LOCK_EX | LOCK_NB);
}

std::vector<std::string> SaveFileSystem::List(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

std::string SaveFileSystem::NewToken() {
  static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  constexpr int kTokenLength = 10;
  std::random_device entropy;
  std::uniform_int_distribution<int> pick(0, sizeof kAlphabet - 2);
  std::string token;
  for (int i = 0; i < kTokenLength; ++i) token += kAlphabet[pick(entropy)];
  return token;
}
