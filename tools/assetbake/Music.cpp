#include <cmath>
#include <numbers>

#include "Art.h"
#include "XmWriter.h"

namespace {

std::string QuietSong(const char* name) {
  XmModule m;
  m.Name = name;
  m.Channels = 2;
  m.Orders = {0};
  m.Patterns.emplace_back(64, 2);
  XmInstrument ins;
  ins.Name = "Sine";
  XmSample s;
  for (int i = 0; i < 64; ++i) {
    s.Data.push_back(static_cast<int16_t>(8000 * std::sin(2 * std::numbers::pi * i / 64)));
  }
  s.LoopLength = 64;
  TuneXmSample(s, 261.6256 * 64);
  ins.Samples.push_back(s);
  m.Instruments.push_back(ins);
  m.Patterns[0].At(0, 0) = {kXmMiddleC, 1, 0, 0, 0};
  return WriteXm(m);
}

}  // namespace

std::string BakeMenuSong() {
  return QuietSong("Menu");
}
std::string BakeRaceSong() {
  return QuietSong("Race");
}
