// Where the game reads its pictures, sounds, songs and fonts, and where it keeps its saves.
#pragma once

#include <filesystem>
#include <string>

class GameFolders {
 public:
  // Data/ below the working directory, with the saves in Data/Save: the headless runner and the
  // tests, which move into the folder they play in.
  static GameFolders WorkingDirectory();
  // For the program in programDir: run from a build tree when a Data/ folder stands beside it
  // (its saves stay in Data/Save); otherwise installed, reading programDir/installedData and
  // keeping its saves in xdgDataHome/gearrush, or home/.local/share/gearrush when xdgDataHome
  // is empty or relative.
  static GameFolders ForProgram(const std::filesystem::path& programDir,
                                const std::filesystem::path& installedData,
                                const std::string& xdgDataHome, const std::string& home);
  // The same for the running program, with its environment.
  static GameFolders ForThisProgram(const std::filesystem::path& installedData);

  bool Installed() const { return Installed_; }
  // A collection file of Res/, a song of Music/, the fonts folder.
  std::string Resource(const char* file) const;
  std::string Song(const char* file) const;
  std::string Fonts() const;
  // The 64-pixel desktop icon, which lies beside the data folder: icons/ beside the build tree's
  // Data/, share/icons/ beside an install's share/gearrush/.
  std::string WindowIcon() const;
  // The folder of the options and high-score files; made when they are first saved.
  const std::string& Saves() const { return Saves_; }
  // The link file opened at shutdown when it exists, beside the game's data.
  const std::string& LinkFile() const { return LinkFile_; }

 private:
  std::filesystem::path Data_;
  std::string Saves_;
  std::string LinkFile_;
  bool Installed_ = false;
};
