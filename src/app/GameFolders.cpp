#include "app/GameFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "online/WebLinks.h"

namespace fs = std::filesystem;

namespace {
std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// $HOME, or the account's home folder when the variable is not set.
std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (!home.empty()) return home;
  if (const passwd* account = getpwuid(getuid()); account != nullptr && account->pw_dir)
    home = account->pw_dir;
  return home;
}
}  // namespace

GameFolders GameFolders::WorkingDirectory() {
  GameFolders folders;
  folders.Data_ = "Data";
  folders.Saves_ = (folders.Data_ / "Save").string();
  folders.LinkFile_ = kLinkFileName;
  return folders;
}

GameFolders GameFolders::ForProgram(const fs::path& programDir, const fs::path& installedData,
                                    const std::string& xdgDataHome, const std::string& home) {
  std::error_code error;
  GameFolders folders;
  if (fs::is_directory(programDir / "Data", error)) {
    folders.Data_ = programDir / "Data";
    folders.Saves_ = (folders.Data_ / "Save").string();
    folders.LinkFile_ = (programDir / kLinkFileName).string();
    return folders;
  }
  folders.Installed_ = true;
  folders.Data_ = (installedData.is_absolute() ? installedData : programDir / installedData)
                      .lexically_normal();
  // Relative values are to be ignored, as the XDG base directory rules say.
  const fs::path dataHome = !xdgDataHome.empty() && fs::path(xdgDataHome).is_absolute()
                                ? fs::path(xdgDataHome)
                                : fs::path(home) / ".local" / "share";
  folders.Saves_ = (dataHome / "gearrush").string();
  folders.LinkFile_ = (folders.Data_ / kLinkFileName).string();
  return folders;
}

GameFolders GameFolders::ForThisProgram(const fs::path& installedData) {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return WorkingDirectory();
  return ForProgram(program.parent_path(), installedData, Environment("XDG_DATA_HOME"),
                    HomeFolder());
}

std::string GameFolders::Resource(const char* file) const {
  return (Data_ / "Res" / file).string();
}

std::string GameFolders::Song(const char* file) const {
  return (Data_ / "Music" / file).string();
}

std::string GameFolders::Fonts() const {
  return (Data_ / "Fonts").string();
}

std::string GameFolders::WindowIcon() const {
  return (Data_ / ".." / "icons" / "hicolor" / "64x64" / "apps" / "gearrush.png")
      .lexically_normal()
      .string();
}
