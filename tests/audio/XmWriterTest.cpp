#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "XmReader.h"

namespace {

XmInstrument TwoSampleInstrument() {
  XmInstrument ins;
  ins.Name = "Keys";
  XmSample low;
  low.Name = "low";
  // Extremes next to each other: their differences wrap round in 16 bits.
  low.Data = {0, 32767, -32768, 32767, -1, 1, 0, 12345};
  low.LoopStart = 2;
  low.LoopLength = 5;
  low.Volume = 40;
  low.Finetune = -17;
  low.Panning = 200;
  low.RelativeNote = 12;
  XmSample high;
  high.Name = "high";
  high.Data = {-5, 5, -5, 5};
  ins.Samples = {low, high};
  for (int n = 48; n < 96; ++n) ins.SampleForNote[n] = 1;
  ins.VolumeEnvelope.Points = {{0, 0}, {4, 64}, {20, 32}, {60, 0}};
  ins.VolumeEnvelope.SustainPoint = 2;
  ins.PanningEnvelope.Points = {{0, 32}, {10, 40}};
  ins.PanningEnvelope.LoopStart = 0;
  ins.PanningEnvelope.LoopEnd = 1;
  ins.VibratoType = 1;
  ins.VibratoSweep = 9;
  ins.VibratoDepth = 3;
  ins.VibratoRate = 20;
  ins.Fadeout = 1234;
  return ins;
}

XmModule SmallModule() {
  XmModule m;
  m.Name = "Round trip";
  m.Channels = 3;
  m.Speed = 5;
  m.Bpm = 140;
  m.Orders = {1, 0, 1};
  m.RestartPosition = 1;
  m.Instruments = {TwoSampleInstrument()};
  XmPattern a(16, 3);
  a.At(0, 0) = {XmNote(4, 0), 1, XmVolume(48), kXmEffectVibrato, 0x44};  // every field set
  a.At(0, 2) = {XmNote(7, 11), 1, 0, 0, 0};                              // highest note
  a.At(3, 1) = {kXmKeyOff, 0, 0, 0, 0};
  a.At(5, 2) = {0, 0, 0, 0, 0x37};  // a parameter without an effect type
  a.At(15, 0) = {XmNote(0, 0), 1, XmVolume(99), 0, 0};
  XmPattern b(64, 3);
  b.At(63, 1) = {0, 0, XmVolume(0), kXmEffectSetSpeed, 0x80};
  m.Patterns = {a, b};
  return m;
}

TEST(XmWriter, ModuleReadsBackFieldForField) {
  const XmModule m = SmallModule();
  const XmFile f = ReadXm(WriteXm(m));
  EXPECT_EQ(f.Name, "Round trip");
  EXPECT_EQ(f.Version, 0x0104);
  EXPECT_EQ(f.HeaderSize, 276);
  EXPECT_EQ(f.Flags, 1);  // linear frequencies
  EXPECT_EQ(f.Module.Channels, 3);
  EXPECT_EQ(f.Module.Speed, 5);
  EXPECT_EQ(f.Module.Bpm, 140);
  EXPECT_EQ(f.Module.Orders, m.Orders);
  EXPECT_EQ(f.Module.RestartPosition, 1);
  ASSERT_EQ(f.Module.Patterns.size(), 2u);
  for (size_t p = 0; p < 2; ++p) {
    EXPECT_EQ(f.Module.Patterns[p].Rows, m.Patterns[p].Rows);
    EXPECT_EQ(f.Module.Patterns[p].Cells, m.Patterns[p].Cells) << "pattern " << p;
  }
  // The volume column clamps to 64.
  EXPECT_EQ(f.Module.Patterns[0].At(15, 0).Volume, 0x10 + 64);

  ASSERT_EQ(f.Module.Instruments.size(), 1u);
  const XmInstrument& in = f.Module.Instruments[0];
  const XmInstrument want = TwoSampleInstrument();
  EXPECT_EQ(in.Name, "Keys");
  EXPECT_EQ(in.SampleForNote, want.SampleForNote);
  ASSERT_EQ(in.VolumeEnvelope.Points.size(), 4u);
  EXPECT_EQ(in.VolumeEnvelope.Points[1].Tick, 4);
  EXPECT_EQ(in.VolumeEnvelope.Points[1].Value, 64);
  EXPECT_EQ(in.VolumeEnvelope.SustainPoint, 2);
  EXPECT_EQ(in.VolumeEnvelope.LoopStart, -1);
  EXPECT_EQ(in.PanningEnvelope.LoopEnd, 1);
  EXPECT_EQ(in.PanningEnvelope.SustainPoint, -1);
  EXPECT_EQ(in.VibratoType, 1);
  EXPECT_EQ(in.VibratoRate, 20);
  EXPECT_EQ(in.Fadeout, 1234);
  ASSERT_EQ(in.Samples.size(), 2u);
  for (size_t k = 0; k < 2; ++k) {
    SCOPED_TRACE(k);
    const XmSample &got = in.Samples[k], &sent = want.Samples[k];
    EXPECT_EQ(got.Name, sent.Name);
    EXPECT_EQ(got.Data, sent.Data);
    EXPECT_EQ(got.LoopStart, sent.LoopStart);
    EXPECT_EQ(got.LoopLength, sent.LoopLength);
    EXPECT_EQ(got.Volume, sent.Volume);
    EXPECT_EQ(got.Finetune, sent.Finetune);
    EXPECT_EQ(got.Panning, sent.Panning);
    EXPECT_EQ(got.RelativeNote, sent.RelativeNote);
  }
}

TEST(XmWriter, EmptyCellsPackToOneByteAndFullCellsToFive) {
  XmModule m = SmallModule();
  m.Patterns = {XmPattern(64, 3)};
  m.Orders = {0};
  m.RestartPosition = 0;
  const size_t emptySize = WriteXm(m).size();
  m.Patterns[0].At(10, 1) = {XmNote(3, 3), 1, XmVolume(10), kXmEffectSetVolume, 0x20};
  EXPECT_EQ(WriteXm(m).size(), emptySize + 4);
  m.Patterns[0].At(11, 1) = {XmNote(3, 3), 0, 0, 0, 0};
  EXPECT_EQ(WriteXm(m).size(), emptySize + 5);
}

TEST(XmWriter, RefusesWhatTheFormatCannotHold) {
  auto rejects = [](void (*spoil)(XmModule&)) {
    XmModule m = SmallModule();
    spoil(m);
    EXPECT_THROW(WriteXm(m), std::invalid_argument);
  };
  rejects([](XmModule& m) { m.Orders.clear(); });
  rejects([](XmModule& m) { m.Orders.push_back(2); });
  rejects([](XmModule& m) { m.RestartPosition = 3; });
  rejects([](XmModule& m) { m.Patterns[0].At(1, 1).Instrument = 2; });
  rejects([](XmModule& m) { m.Patterns[0].At(1, 1).Note = 98; });
  rejects([](XmModule& m) { m.Patterns[1].Cells.pop_back(); });
  rejects([](XmModule& m) { m.Instruments[0].Samples.clear(); });
  rejects([](XmModule& m) { m.Instruments[0].Samples[0].LoopLength = 7; });
  rejects([](XmModule& m) { m.Instruments[0].SampleForNote[5] = 2; });
  rejects([](XmModule& m) { m.Instruments[0].VolumeEnvelope.Points.resize(13); });
  rejects([](XmModule& m) { m.Instruments[0].VolumeEnvelope.Points[2].Tick = 4; });
  rejects([](XmModule& m) { m.Instruments[0].VolumeEnvelope.SustainPoint = 4; });
  rejects([](XmModule& m) { m.Bpm = 300; });
}

TEST(XmWriter, TuningPutsMiddleCAtTheRequestedRate) {
  for (double rate : {8363.0, 16726.0, 32000.0, 261.6256 * 64, 261.6256 * 128, 4000.0}) {
    SCOPED_TRACE(rate);
    XmSample s;
    TuneXmSample(s, rate);
    EXPECT_GE(s.Finetune, -64);
    EXPECT_LE(s.Finetune, 64);
    const double played = 8363.0 * std::pow(2.0, (s.RelativeNote + s.Finetune / 128.0) / 12.0);
    // Within a sixteenth of a semitone: finetune's own step is 1/128.
    EXPECT_NEAR(std::log2(played / rate) * 12.0, 0.0, 1.0 / 16);
  }
  XmSample octave;
  TuneXmSample(octave, 16726.0);
  EXPECT_EQ(octave.RelativeNote, 12);
  EXPECT_EQ(octave.Finetune, 0);
}

TEST(XmReader, SongTimeFollowsTempoBreaksAndJumps) {
  XmModule m;
  m.Channels = 1;
  m.Speed = 6;
  m.Bpm = 125;  // a row lasts 6 * 2.5 / 125 = 0.12 s
  m.Patterns = {XmPattern(64, 1), XmPattern(32, 1)};
  m.Orders = {0, 1, 0};
  EXPECT_NEAR(SongSeconds(m), 160 * 0.12, 1e-9);  // the third order repeats the first

  m.Patterns[1].At(7, 0) = {0, 0, 0, kXmEffectPatternBreak, 0x16};  // row 16 of the next order
  m.Patterns.push_back(XmPattern(64, 1));
  m.Orders = {1, 2};
  EXPECT_NEAR(SongSeconds(m), (8 + 48) * 0.12, 1e-9);

  m.Patterns[1].At(7, 0) = {0, 0, 0, kXmEffectSetSpeed, 3};
  m.Patterns[1].At(8, 0) = {0, 0, 0, kXmEffectPositionJump, 0};
  EXPECT_NEAR(SongSeconds(m), 7 * 0.12 + 2 * 0.06, 1e-9);
}

}  // namespace
