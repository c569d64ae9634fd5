// Sound effects by index of the sound collection, and the one song that plays at a time.
#pragma once

#include <cstdint>
#include <string>

// Handle of the loaded song, 0 for none.
extern uint32_t CurrentSong;

// Restarts a sound effect from its beginning (nothing with sound off).
void PlaySound(int index);
// Stops a sound effect (nothing with sound off).
void StopSound(int index);
// Stops the sounds of the bike that dialogs silence (indices 4 to 17).
void StopBikeSounds();

// Loads and plays a song file, replacing the current one (nothing with music off).
void PlayMusic(const std::string& file);
void StopMusic();
// The race song in a race, the menu song everywhere else.
void PlayScreenMusic();

std::string MenuSongPath();
std::string RaceSongPath();
