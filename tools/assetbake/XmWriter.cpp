#include "XmWriter.h"

#include <cmath>
#include <stdexcept>

namespace {

constexpr int kXmHeaderSize = 276;  // counted from the size field: fields, then the order table
constexpr int kXmPatternHeaderSize = 9;
constexpr int kXmInstrumentHeaderSize = 263;
constexpr int kXmSampleHeaderSize = 40;
constexpr int kXmMaxEnvelopePoints = 12;
constexpr double kXmMiddleCRate = 8363.0;  // samples a second at note 49 before tuning

class ByteSink {
 public:
  void U8(unsigned v) { Bytes_.push_back(static_cast<char>(v & 0xFF)); }
  void U16(unsigned v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  // A fixed-width text field, cut or padded with zeros.
  void Text(const std::string& s, size_t width, char pad = '\0') {
    for (size_t i = 0; i < width; ++i) Bytes_.push_back(i < s.size() ? s[i] : pad);
  }
  void Zeros(size_t n) { Bytes_.append(n, '\0'); }
  void Append(const std::string& s) { Bytes_ += s; }
  size_t Size() const { return Bytes_.size(); }
  std::string Take() { return std::move(Bytes_); }

 private:
  std::string Bytes_;
};

void Check(bool ok, const char* what) {
  if (!ok) throw std::invalid_argument(std::string("XM module: ") + what);
}

// A cell packs to a mask byte and the fields present, or to all five bytes when every field is.
std::string PackPattern(const XmPattern& pattern) {
  ByteSink out;
  for (const XmCell& c : pattern.Cells) {
    const uint8_t fields[5] = {c.Note, c.Instrument, c.Volume, c.Effect, c.Param};
    unsigned mask = 0;
    for (int i = 0; i < 5; ++i) {
      if (fields[i] != 0) mask |= 1u << i;
    }
    if (mask == 0x1F) {
      for (uint8_t f : fields) out.U8(f);
      continue;
    }
    out.U8(0x80 | mask);
    for (int i = 0; i < 5; ++i) {
      if (mask & (1u << i)) out.U8(fields[i]);
    }
  }
  return out.Take();
}

void WriteEnvelopePoints(ByteSink& out, const XmEnvelope& env) {
  for (int i = 0; i < kXmMaxEnvelopePoints; ++i) {
    if (i < static_cast<int>(env.Points.size())) {
      out.U16(env.Points[i].Tick);
      out.U16(env.Points[i].Value);
    } else {
      out.U32(0);
    }
  }
}

void CheckEnvelope(const XmEnvelope& env) {
  const int n = static_cast<int>(env.Points.size());
  Check(n <= kXmMaxEnvelopePoints, "too many envelope points");
  for (int i = 0; i < n; ++i) {
    Check(env.Points[i].Value <= 64, "envelope value above 64");
    Check(i == 0 || env.Points[i].Tick > env.Points[i - 1].Tick, "envelope ticks must rise");
  }
  Check(env.SustainPoint < n, "envelope sustain point past the last point");
  Check((env.LoopStart < 0) == (env.LoopEnd < 0), "envelope loop needs a start and an end");
  Check(env.LoopEnd < n && env.LoopStart <= env.LoopEnd, "envelope loop out of range");
}

uint8_t EnvelopeType(const XmEnvelope& env) {
  if (env.Points.empty()) return 0;
  uint8_t type = 1;
  if (env.SustainPoint >= 0) type |= 2;
  if (env.LoopStart >= 0) type |= 4;
  return type;
}

uint8_t PointIndex(int i) {
  return static_cast<uint8_t>(i < 0 ? 0 : i);
}

void WriteInstrument(ByteSink& out, const XmInstrument& ins) {
  Check(!ins.Samples.empty() && ins.Samples.size() <= 16, "an instrument holds 1 to 16 samples");
  for (uint8_t s : ins.SampleForNote) Check(s < ins.Samples.size(), "note mapped to no sample");
  CheckEnvelope(ins.VolumeEnvelope);
  CheckEnvelope(ins.PanningEnvelope);

  const size_t start = out.Size();
  out.U32(kXmInstrumentHeaderSize);
  out.Text(ins.Name, 22);
  out.U8(0);
  out.U16(static_cast<unsigned>(ins.Samples.size()));
  out.U32(kXmSampleHeaderSize);
  for (uint8_t s : ins.SampleForNote) out.U8(s);
  WriteEnvelopePoints(out, ins.VolumeEnvelope);
  WriteEnvelopePoints(out, ins.PanningEnvelope);
  out.U8(static_cast<unsigned>(ins.VolumeEnvelope.Points.size()));
  out.U8(static_cast<unsigned>(ins.PanningEnvelope.Points.size()));
  out.U8(PointIndex(ins.VolumeEnvelope.SustainPoint));
  out.U8(PointIndex(ins.VolumeEnvelope.LoopStart));
  out.U8(PointIndex(ins.VolumeEnvelope.LoopEnd));
  out.U8(PointIndex(ins.PanningEnvelope.SustainPoint));
  out.U8(PointIndex(ins.PanningEnvelope.LoopStart));
  out.U8(PointIndex(ins.PanningEnvelope.LoopEnd));
  out.U8(EnvelopeType(ins.VolumeEnvelope));
  out.U8(EnvelopeType(ins.PanningEnvelope));
  out.U8(ins.VibratoType);
  out.U8(ins.VibratoSweep);
  out.U8(ins.VibratoDepth);
  out.U8(ins.VibratoRate);
  out.U16(ins.Fadeout);
  out.Zeros(kXmInstrumentHeaderSize - (out.Size() - start));

  for (const XmSample& s : ins.Samples) {
    const int length = static_cast<int>(s.Data.size());
    Check(s.LoopStart >= 0 && s.LoopLength >= 0 && s.LoopStart + s.LoopLength <= length,
          "sample loop outside the sample");
    Check(s.Volume <= 64, "sample volume above 64");
    const bool looped = s.LoopLength > 0;
    out.U32(static_cast<uint32_t>(length) * 2);  // lengths count bytes: 16-bit data
    out.U32(looped ? static_cast<uint32_t>(s.LoopStart) * 2 : 0);
    out.U32(looped ? static_cast<uint32_t>(s.LoopLength) * 2 : 0);
    out.U8(s.Volume);
    out.U8(static_cast<uint8_t>(s.Finetune));
    out.U8((looped ? 1 : 0) | 0x10);  // forward loop; 16-bit
    out.U8(s.Panning);
    out.U8(static_cast<uint8_t>(s.RelativeNote));
    out.U8(0);
    out.Text(s.Name, 22);
  }
  // Sample data is stored as the difference from the previous sample.
  for (const XmSample& s : ins.Samples) {
    int16_t previous = 0;
    for (int16_t v : s.Data) {
      out.U16(static_cast<uint16_t>(v - previous));
      previous = v;
    }
  }
}

}  // namespace

std::string WriteXm(const XmModule& m) {
  Check(m.Channels >= 1 && m.Channels <= 32, "1 to 32 channels");
  Check(!m.Orders.empty() && m.Orders.size() <= 256, "1 to 256 orders");
  Check(!m.Patterns.empty() && m.Patterns.size() <= 256, "1 to 256 patterns");
  Check(m.Instruments.size() <= 128, "at most 128 instruments");
  Check(m.RestartPosition >= 0 && m.RestartPosition < static_cast<int>(m.Orders.size()),
        "restart position outside the order table");
  Check(m.Speed >= 1 && m.Speed <= 31, "speed 1 to 31 ticks a row");
  Check(m.Bpm >= 32 && m.Bpm <= 255, "32 to 255 beats a minute");
  for (uint8_t o : m.Orders) Check(o < m.Patterns.size(), "order names a missing pattern");

  ByteSink out;
  out.Text("Extended Module: ", 17);
  out.Text(m.Name, 20);
  out.U8(0x1A);
  out.Text("GearRush assetbake", 20, ' ');
  out.U16(0x0104);
  out.U32(kXmHeaderSize);
  out.U16(static_cast<unsigned>(m.Orders.size()));
  out.U16(static_cast<unsigned>(m.RestartPosition));
  out.U16(static_cast<unsigned>(m.Channels));
  out.U16(static_cast<unsigned>(m.Patterns.size()));
  out.U16(static_cast<unsigned>(m.Instruments.size()));
  out.U16(m.LinearFrequencies ? 1 : 0);
  out.U16(static_cast<unsigned>(m.Speed));
  out.U16(static_cast<unsigned>(m.Bpm));
  for (int i = 0; i < 256; ++i) out.U8(i < static_cast<int>(m.Orders.size()) ? m.Orders[i] : 0);

  for (const XmPattern& p : m.Patterns) {
    Check(p.Rows >= 1 && p.Rows <= 256, "1 to 256 rows a pattern");
    Check(p.Channels == m.Channels &&
              p.Cells.size() == static_cast<size_t>(p.Rows) * static_cast<size_t>(p.Channels),
          "pattern size does not match the channel count");
    for (const XmCell& c : p.Cells) {
      Check(c.Note <= kXmKeyOff, "note out of range");
      Check(c.Instrument <= m.Instruments.size(), "cell names a missing instrument");
    }
    const std::string packed = PackPattern(p);
    Check(packed.size() <= 0xFFFF, "pattern too large");
    out.U32(kXmPatternHeaderSize);
    out.U8(0);
    out.U16(static_cast<unsigned>(p.Rows));
    out.U16(static_cast<unsigned>(packed.size()));
    out.Append(packed);
  }
  for (const XmInstrument& ins : m.Instruments) WriteInstrument(out, ins);
  return out.Take();
}

void TuneXmSample(XmSample& sample, double samplesPerSecond) {
  const double semitones = 12.0 * std::log2(samplesPerSecond / kXmMiddleCRate);
  const double whole = std::round(semitones);
  Check(whole >= -96 && whole <= 95, "sample rate out of tuning range");
  sample.RelativeNote = static_cast<int8_t>(whole);
  sample.Finetune = static_cast<int8_t>(std::lround((semitones - whole) * 128.0));
}
