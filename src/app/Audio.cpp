#include "app/Audio.h"

#include "app/ShellState.h"
#include "app/TMForm.h"
#include "storage/GameOptions.h"

uint32_t CurrentSong = 0;

namespace {
constexpr int kFirstBikeSound = 4;
constexpr int kLastBikeSound = 17;
}  // namespace

void PlaySound(int index) {
  if (!GameOptions.SoundOn) return;
  MForm->MDXSound.Stop(index);
  MForm->MDXSound.Play(index);
}

void StopSound(int index) {
  if (!GameOptions.SoundOn) return;
  MForm->MDXSound.Stop(index);
}

void StopBikeSounds() {
  for (int i = kFirstBikeSound; i <= kLastBikeSound; ++i) StopSound(i);
}

void PlayMusic(const std::string& file) {
  if (!GameOptions.MusicOn) return;
  MusicDevice& music = MForm->Music();
  if (CurrentSong != 0) music.SongFree(CurrentSong);
  CurrentSong = music.SongLoadFromFile(file);
  if (CurrentSong != 0) music.SongPlay(CurrentSong);
}

void StopMusic() {
  if (CurrentSong != 0) MForm->Music().SongFree(CurrentSong);
  CurrentSong = 0;
}

void PlayScreenMusic() {
  PlayMusic(CurrentScreen == ScreenRace ? RaceSongPath() : MenuSongPath());
}

std::string MenuSongPath() {
  return MForm->Folders().Song("Menu.xm");
}
std::string RaceSongPath() {
  return MForm->Folders().Song("Race.xm");
}
