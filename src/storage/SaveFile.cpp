#include "storage/SaveFile.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

namespace {
constexpr int kLockPollMs = 10;
// Random names that are all taken mean something else is going on; give up then.
constexpr int kTokenAttempts = 16;
constexpr mode_t kPermissionBits = 0777;
constexpr mode_t kNewFileMode = 0644;  // before the umask
constexpr mode_t kPrivateMode = 0600;

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}
}  // namespace

// Keeps two running games from saving into, or reading from, the folder at the same time. A
// game that holds it too long is not waited for.
class SaveFolder::Lock {
 public:
  explicit Lock(SaveFolder& folder) : Files_(*folder.Files_) {
    Fd_ = Files_.Open(folder.Path_, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (Fd_ < 0) return;
    for (int waitedMs = 0; Files_.TryLock(Fd_) != 0; waitedMs += kLockPollMs) {
      if (errno != EWOULDBLOCK || waitedMs >= kLockWaitMs) {
        Files_.Close(Fd_);
        Fd_ = -1;
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(kLockPollMs));
    }
  }
  ~Lock() {
    if (Fd_ >= 0) Files_.Close(Fd_);
  }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
  bool Held() const { return Fd_ >= 0; }

 private:
  SaveFileSystem& Files_;
  int Fd_ = -1;
};

SaveFolder::SaveFolder() : SaveFolder((std::filesystem::path("Data") / "Save").string()) {}

SaveFolder::SaveFolder(std::string path)
    : SaveFolder(std::move(path), std::make_unique<SaveFileSystem>()) {}

SaveFolder::SaveFolder(std::string path, std::unique_ptr<SaveFileSystem> files)
    : Path_(std::move(path)), Files_(std::move(files)) {}

std::string SaveFolder::PathOf(const std::string& name) const {
  return (std::filesystem::path(Path_) / name).string();
}

std::string SaveFolder::TempName(const std::string& name, const std::string& token) const {
  return name + ".tmp-" + token;
}

std::string SaveFolder::KeptName(const std::string& name, const std::string& token) const {
  return name + ".old-" + token;
}

std::optional<std::string> SaveFolder::Read(const std::string& name) {
  if (name.empty()) return std::nullopt;
  // Not blocking: a pipe without a writer must not hold the start-up.
  const int fd = Files_->Open(PathOf(name), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  if (Files_->Fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      info.st_size > static_cast<off_t>(kMaxFileBytes)) {
    Files_->Close(fd);
    return std::nullopt;
  }
  // One byte more than allowed tells a file that grew since it was measured.
  std::string content(kMaxFileBytes + 1, '\0');
  size_t got = 0;
  while (got < content.size()) {
    const ssize_t n = Files_->Read(fd, content.data() + got, content.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      Files_->Close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  Files_->Close(fd);
  if (got > kMaxFileBytes) return std::nullopt;
  content.resize(got);
  return content;
}

bool SaveFolder::IsRegularFile(const std::string& name) {
  struct stat info {};
  return Files_->Lstat(PathOf(name), &info) == 0 && S_ISREG(info.st_mode);
}

void SaveFolder::SyncFolder() {
  // Makes the renames themselves survive a power loss. A folder that cannot be synced still
  // holds the files; the next start finds the old pair or the new one either way.
  const int fd = Files_->Open(Path_, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return;
  Files_->Fsync(fd);
  Files_->Close(fd);
}

std::array<std::optional<std::string>, 2> SaveFolder::ReadPair(const std::string& first,
                                                               const std::string& second,
                                                               const PairCheck& belongTogether) {
  const Lock lock(*this);
  // Without the lock another game may be saving right now: its files are not ours to touch.
  if (lock.Held()) Recover(first, second, belongTogether);
  return {Read(first), Read(second)};
}

void SaveFolder::Recover(const std::string& first, const std::string& second,
                         const PairCheck& belongTogether) {
  const std::vector<std::string> names = Files_->List(Path_);
  auto present = [&names](const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  bool changed = false;
  const std::string secondTemp = TempName(second, "");
  for (const std::string& name : names) {
    if (!StartsWith(name, secondTemp) || !IsRegularFile(name)) continue;
    const std::string token = name.substr(secondTemp.size());
    // The first temporary file is still there: neither file was replaced yet.
    if (present(TempName(first, token))) continue;
    // The first file was replaced: the second one's new content completes the pair if it was
    // written whole (it was synced before anything was renamed) and belongs with it.
    const std::optional<std::string> next = Read(name);
    const std::optional<std::string> current = Read(first);
    if (next && current && belongTogether(*next, *current) &&
        Files_->Rename(PathOf(name), PathOf(second)) == 0) {
      changed = true;
      continue;
    }
    const std::string kept = KeptName(first, token);
    if (present(kept) && IsRegularFile(kept) && Files_->Rename(PathOf(kept), PathOf(first)) == 0) {
      changed = true;
    }
  }
  // Whatever is left of replacements that ended, failed or never got as far as renaming.
  for (const std::string& name : Files_->List(Path_)) {
    const bool leftOver = StartsWith(name, TempName(first, "")) || StartsWith(name, secondTemp) ||
                          StartsWith(name, KeptName(first, ""));
    if (leftOver && IsRegularFile(name) && Files_->Unlink(PathOf(name)) == 0) changed = true;
  }
  if (changed) SyncFolder();
}

int SaveFolder::CreateTemp(const std::string& name, const std::string& token) {
  struct stat old {};
  const bool hasOld = Files_->Stat(PathOf(name), &old) == 0 && S_ISREG(old.st_mode);
  // Exclusive and never through a link: whatever already has this name is left alone. A file
  // the player made private stays private from its first byte.
  const std::string path = PathOf(TempName(name, token));
  const int fd = Files_->Open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              hasOld ? kPrivateMode : kNewFileMode);
  if (fd < 0 || !hasOld) return fd;
  if (Files_->Fchmod(fd, old.st_mode & kPermissionBits) != 0) {
    const int error = errno;
    Files_->Close(fd);
    Files_->Unlink(path);
    errno = error;
    return -1;
  }
  return fd;
}

std::string SaveFolder::WriteAll(int fd, const std::string& content) {
  int error = 0;
  size_t written = 0;
  while (written < content.size()) {
    const ssize_t n = Files_->Write(fd, content.data() + written, content.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : ENOSPC;
      break;
    }
    written += static_cast<size_t>(n);
  }
  if (error == 0 && Files_->Fsync(fd) != 0) error = errno;
  if (Files_->Close(fd) != 0 && error == 0) error = errno;
  return error == 0 ? std::string() : std::strerror(error);
}

std::vector<std::string> SaveFolder::ReplacePair(const SaveFileContent& first,
                                                 const SaveFileContent& second) {
  const std::array<const SaveFileContent*, 2> files{&first, &second};
  std::array<std::string, 2> why;
  auto report = [&] {
    std::vector<std::string> messages;
    for (int i = 0; i < 2; ++i) {
      const std::string path = PathOf(files[i]->Name);
      const std::string reason = !why[i].empty() ? why[i]
                                                 : "It is saved only together with \"" +
                                                       PathOf(files[1 - i]->Name) +
                                                       "\", which could not be saved.";
      messages.push_back("Cannot save \"" + path + "\". " + reason);
    }
    return messages;
  };

  if (Files_->MakeFolders(Path_) != 0) {
    why[0] = why[1] = std::strerror(errno);
    return report();
  }
  const Lock lock(*this);

  // Both temporary files under one fresh token, so the next start knows they belong together.
  std::string token;
  std::array<int, 2> fds{-1, -1};
  for (int attempt = 0; attempt < kTokenAttempts; ++attempt) {
    token = Files_->NewToken();
    why = {};
    bool taken = false;
    for (int i = 0; i < 2; ++i) {
      fds[i] = CreateTemp(files[i]->Name, token);
      if (fds[i] < 0) {
        taken = taken || errno == EEXIST;
        why[i] = std::strerror(errno);
      }
    }
    if (!taken) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i] < 0) continue;
      Files_->Close(fds[i]);
      Files_->Unlink(PathOf(TempName(files[i]->Name, token)));
      fds[i] = -1;
    }
  }
  for (int i = 0; i < 2; ++i) {
    if (fds[i] >= 0) why[i] = WriteAll(fds[i], files[i]->Content);
  }
  if (!why[0].empty() || !why[1].empty()) {
    for (int i = 0; i < 2; ++i) {
      if (fds[i] >= 0) Files_->Unlink(PathOf(TempName(files[i]->Name, token)));
    }
    return report();
  }
  SyncFolder();

  // The first file's old content stays reachable until the second is in place, so a failed
  // second step can be undone.
  const std::string firstPath = PathOf(first.Name);
  const std::string keptPath = PathOf(KeptName(first.Name, token));
  struct stat info {};
  const bool firstExisted = Files_->Lstat(firstPath, &info) == 0;
  const bool kept = firstExisted && Files_->Link(firstPath, keptPath) == 0;
  const std::string secondTempPath = PathOf(TempName(second.Name, token));

  if (Files_->Rename(PathOf(TempName(first.Name, token)), firstPath) != 0) {
    why[0] = std::strerror(errno);
    Files_->Unlink(PathOf(TempName(first.Name, token)));
    Files_->Unlink(secondTempPath);
    if (kept) Files_->Unlink(keptPath);
    return report();
  }
  if (Files_->Rename(secondTempPath, PathOf(second.Name)) != 0) {
    why[1] = std::strerror(errno);
    const bool undone = kept ? Files_->Rename(keptPath, firstPath) == 0
                             : !firstExisted && Files_->Unlink(firstPath) == 0;
    // Not undone: the second file's temporary stays, and the next start completes the pair.
    if (undone) Files_->Unlink(secondTempPath);
    SyncFolder();
    return report();
  }
  if (kept) Files_->Unlink(keptPath);
  SyncFolder();
  return {};
}
