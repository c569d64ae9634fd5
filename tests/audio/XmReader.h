// Reads an XM module back, strictly, for checking what the baker writes: every count, size and
// offset must agree and every byte must be accounted for.
#pragma once

#include <string>
#include <vector>

#include "../../tools/assetbake/XmWriter.h"

struct XmFile {
  std::string Name;
  std::string Tracker;
  int Version = 0;
  int HeaderSize = 0;
  int Flags = 0;
  XmModule Module;  // orders, patterns, instruments and samples as read
};

// Throws std::runtime_error naming the first thing that does not fit.
XmFile ReadXm(const std::string& bytes);

// The playing time in seconds from the first order until the song comes back to an order
// already played (through its end and restart position, or a jump), following speed, tempo,
// pattern-break and position-jump effects.
double SongSeconds(const XmModule& module);
