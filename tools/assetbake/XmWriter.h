// A writer of extended module (XM) songs: patterns, sampled instruments and the order table,
// in the layout module players load.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Note numbers: 1 is C-0, 49 is C-4 (a sample plays at 8363 Hz there before tuning).
constexpr uint8_t kXmKeyOff = 97;

// The note number of a semitone (0 = C .. 11 = B) in an octave (0..7).
constexpr uint8_t XmNote(int octave, int semitone) {
  return static_cast<uint8_t>(octave * 12 + semitone + 1);
}

// Effect types (the effect column's first byte).
constexpr uint8_t kXmEffectVibrato = 0x4;
constexpr uint8_t kXmEffectSetPanning = 0x8;
constexpr uint8_t kXmEffectPositionJump = 0xB;
constexpr uint8_t kXmEffectSetVolume = 0xC;
constexpr uint8_t kXmEffectPatternBreak = 0xD;
constexpr uint8_t kXmEffectSetSpeed = 0xF;  // below 32: ticks a row; from 32: beats a minute

// The volume column holds 0x10 + volume (0..64) to set a note's volume.
constexpr uint8_t XmVolume(int volume) {
  return static_cast<uint8_t>(0x10 + (volume < 0 ? 0 : volume > 64 ? 64 : volume));
}

struct XmCell {
  uint8_t Note = 0;        // 0 none, 1..96, or kXmKeyOff
  uint8_t Instrument = 0;  // 0 none, else 1-based
  uint8_t Volume = 0;      // volume column byte
  uint8_t Effect = 0;
  uint8_t Param = 0;
  bool operator==(const XmCell&) const = default;
};

struct XmPattern {
  int Rows = 64;
  int Channels = 0;
  std::vector<XmCell> Cells;  // row by row, Channels cells a row

  XmPattern() = default;
  XmPattern(int rows, int channels)
      : Rows(rows), Channels(channels), Cells(static_cast<size_t>(rows * channels)) {}
  XmCell& At(int row, int channel) {
    return Cells.at(static_cast<size_t>(row * Channels + channel));
  }
  const XmCell& At(int row, int channel) const {
    return Cells.at(static_cast<size_t>(row * Channels + channel));
  }
};

struct XmEnvelopePoint {
  uint16_t Tick = 0;
  uint16_t Value = 0;  // 0..64
};

struct XmEnvelope {
  std::vector<XmEnvelopePoint> Points;  // at most 12, ticks rising; none = envelope off
  int SustainPoint = -1;                // -1 = no sustain
  int LoopStart = -1;                   // -1 = no loop
  int LoopEnd = -1;
};

struct XmSample {
  std::string Name;
  std::vector<int16_t> Data;
  int LoopStart = 0;   // in samples
  int LoopLength = 0;  // in samples; 0 = plays once
  uint8_t Volume = 64;
  int8_t Finetune = 0;  // 1/128 semitone
  uint8_t Panning = 128;
  int8_t RelativeNote = 0;
};

struct XmInstrument {
  std::string Name;
  std::vector<XmSample> Samples;            // 1..16
  std::array<uint8_t, 96> SampleForNote{};  // 0-based sample index per note
  XmEnvelope VolumeEnvelope;
  XmEnvelope PanningEnvelope;
  uint8_t VibratoType = 0;  // 0 sine, 1 square, 2 ramp down, 3 ramp up
  uint8_t VibratoSweep = 0;
  uint8_t VibratoDepth = 0;
  uint8_t VibratoRate = 0;
  uint16_t Fadeout = 0;
};

struct XmModule {
  std::string Name;
  int Channels = 8;
  int Speed = 6;  // ticks a row
  int Bpm = 125;  // a tick lasts 2.5 / Bpm seconds
  int RestartPosition = 0;
  bool LinearFrequencies = true;
  std::vector<uint8_t> Orders;
  std::vector<XmPattern> Patterns;
  std::vector<XmInstrument> Instruments;
};

// The module file image. Throws std::invalid_argument for a module the format cannot hold
// (counts out of range, an order naming a missing pattern, a loop outside its sample).
std::string WriteXm(const XmModule& module);

// Tunes a sample so that middle C (note 49) plays it at samplesPerSecond.
void TuneXmSample(XmSample& sample, double samplesPerSecond);
