// `gearrush-headless track`: builds one level's track from a seed and writes it to a file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Runs the command with the arguments after the word "track"; returns the exit status and
// reports usage and file errors on standard error.
int RunTrackCommand(int argc, char** argv);

// The track state in the command's file layout: the level numbers, the grid, the row kinds, the
// centre lines and the generator's seed, all integers little-endian.
std::vector<uint8_t> SerializeTrack();
