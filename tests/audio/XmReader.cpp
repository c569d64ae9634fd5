#include "XmReader.h"

#include <cstdint>
#include <set>
#include <stdexcept>
#include <utility>

namespace {

class Cursor {
 public:
  explicit Cursor(const std::string& bytes) : Bytes_(bytes) {}

  void Need(size_t n, const char* what) const {
    if (n > Bytes_.size() - Pos_) throw std::runtime_error(std::string("XM cut short in ") + what);
  }
  unsigned U8(const char* what) {
    Need(1, what);
    return static_cast<uint8_t>(Bytes_[Pos_++]);
  }
  unsigned U16(const char* what) {
    const unsigned lo = U8(what);
    return lo | (U8(what) << 8);
  }
  uint32_t U32(const char* what) {
    const uint32_t lo = U16(what);
    return lo | (static_cast<uint32_t>(U16(what)) << 16);
  }
  std::string Text(size_t n, const char* what) {
    Need(n, what);
    std::string s = Bytes_.substr(Pos_, n);
    Pos_ += n;
    return s;
  }
  void Seek(size_t pos, const char* what) {
    if (pos > Bytes_.size())
      throw std::runtime_error(std::string("XM seeks past its end in ") + what);
    Pos_ = pos;
  }
  size_t Pos() const { return Pos_; }
  size_t Size() const { return Bytes_.size(); }

 private:
  const std::string& Bytes_;
  size_t Pos_ = 0;
};

std::string Trimmed(std::string s) {
  while (!s.empty() && (s.back() == '\0' || s.back() == ' ')) s.pop_back();
  return s;
}

void Expect(bool ok, const std::string& what) {
  if (!ok) throw std::runtime_error("XM: " + what);
}

XmPattern ReadPattern(Cursor& in, int channels) {
  const size_t start = in.Pos();
  const uint32_t headerLength = in.U32("pattern header");
  Expect(headerLength >= 9, "pattern header too short");
  Expect(in.U8("packing") == 0, "unknown pattern packing");
  const int rows = static_cast<int>(in.U16("rows"));
  Expect(rows >= 1 && rows <= 256, "pattern rows out of range");
  const unsigned packedSize = in.U16("packed size");
  in.Seek(start + headerLength, "pattern header");
  in.Need(packedSize, "pattern data");
  const size_t end = in.Pos() + packedSize;

  XmPattern p(rows, channels);
  for (XmCell& c : p.Cells) {
    Expect(in.Pos() < end, "pattern data ends before its last cell");
    const unsigned first = in.U8("cell");
    uint8_t* fields[5] = {&c.Note, &c.Instrument, &c.Volume, &c.Effect, &c.Param};
    if (first & 0x80) {
      for (int i = 0; i < 5; ++i) {
        if (first & (1u << i)) *fields[i] = static_cast<uint8_t>(in.U8("cell field"));
      }
    } else {
      *fields[0] = static_cast<uint8_t>(first);
      for (int i = 1; i < 5; ++i) *fields[i] = static_cast<uint8_t>(in.U8("cell field"));
    }
    Expect(in.Pos() <= end, "a cell runs past the pattern data");
  }
  Expect(in.Pos() == end, "pattern data longer than its cells");
  return p;
}

XmEnvelope ReadEnvelopePoints(Cursor& in) {
  XmEnvelope e;
  for (int i = 0; i < 12; ++i) {
    XmEnvelopePoint pt;
    pt.Tick = static_cast<uint16_t>(in.U16("envelope"));
    pt.Value = static_cast<uint16_t>(in.U16("envelope"));
    e.Points.push_back(pt);
  }
  return e;
}

void FinishEnvelope(XmEnvelope& e, unsigned count, unsigned sustain, unsigned loopStart,
                    unsigned loopEnd, unsigned type) {
  Expect(count <= 12, "more than 12 envelope points");
  e.Points.resize(type & 1 ? count : 0);
  e.SustainPoint = (type & 2) ? static_cast<int>(sustain) : -1;
  e.LoopStart = (type & 4) ? static_cast<int>(loopStart) : -1;
  e.LoopEnd = (type & 4) ? static_cast<int>(loopEnd) : -1;
  Expect(e.SustainPoint < static_cast<int>(e.Points.size()), "sustain point past the envelope");
  Expect(e.LoopEnd < static_cast<int>(e.Points.size()), "envelope loop past the envelope");
}

XmInstrument ReadInstrument(Cursor& in) {
  const size_t start = in.Pos();
  const uint32_t headerSize = in.U32("instrument header");
  XmInstrument ins;
  ins.Name = Trimmed(in.Text(22, "instrument name"));
  in.U8("instrument type");
  const unsigned sampleCount = in.U16("sample count");
  Expect(sampleCount <= 16, "more than 16 samples in an instrument");
  std::vector<uint32_t> lengths;
  std::vector<bool> sixteenBit;
  if (sampleCount > 0) {
    Expect(in.U32("sample header size") == 40, "sample header size is not 40");
    for (uint8_t& s : ins.SampleForNote) {
      s = static_cast<uint8_t>(in.U8("note map"));
      Expect(s < sampleCount, "note mapped to a missing sample");
    }
    ins.VolumeEnvelope = ReadEnvelopePoints(in);
    ins.PanningEnvelope = ReadEnvelopePoints(in);
    const unsigned volCount = in.U8("envelope"), panCount = in.U8("envelope");
    const unsigned vs = in.U8("envelope"), vls = in.U8("envelope"), vle = in.U8("envelope");
    const unsigned ps = in.U8("envelope"), pls = in.U8("envelope"), ple = in.U8("envelope");
    const unsigned volType = in.U8("envelope"), panType = in.U8("envelope");
    FinishEnvelope(ins.VolumeEnvelope, volCount, vs, vls, vle, volType);
    FinishEnvelope(ins.PanningEnvelope, panCount, ps, pls, ple, panType);
    ins.VibratoType = static_cast<uint8_t>(in.U8("vibrato"));
    ins.VibratoSweep = static_cast<uint8_t>(in.U8("vibrato"));
    ins.VibratoDepth = static_cast<uint8_t>(in.U8("vibrato"));
    ins.VibratoRate = static_cast<uint8_t>(in.U8("vibrato"));
    ins.Fadeout = static_cast<uint16_t>(in.U16("fadeout"));
    Expect(in.Pos() - start <= headerSize, "instrument header larger than its size");
  }
  in.Seek(start + headerSize, "instrument header");

  for (unsigned k = 0; k < sampleCount; ++k) {
    XmSample s;
    const uint32_t length = in.U32("sample length");
    const uint32_t loopStart = in.U32("loop start");
    const uint32_t loopLength = in.U32("loop length");
    s.Volume = static_cast<uint8_t>(in.U8("sample volume"));
    Expect(s.Volume <= 64, "sample volume above 64");
    s.Finetune = static_cast<int8_t>(in.U8("finetune"));
    const unsigned type = in.U8("sample type");
    s.Panning = static_cast<uint8_t>(in.U8("panning"));
    s.RelativeNote = static_cast<int8_t>(in.U8("relative note"));
    in.U8("reserved");
    s.Name = Trimmed(in.Text(22, "sample name"));
    const bool wide = type & 0x10;
    const unsigned width = wide ? 2 : 1;
    Expect(length % width == 0 && loopStart % width == 0 && loopLength % width == 0,
           "16-bit sample sizes must be even");
    if ((type & 3) != 0) {
      Expect(loopLength > 0 && loopStart + loopLength <= length, "sample loop outside its sample");
      s.LoopStart = static_cast<int>(loopStart / width);
      s.LoopLength = static_cast<int>(loopLength / width);
    }
    lengths.push_back(length / width);
    sixteenBit.push_back(wide);
    ins.Samples.push_back(std::move(s));
  }
  for (unsigned k = 0; k < sampleCount; ++k) {
    int previous = 0;
    for (uint32_t i = 0; i < lengths[k]; ++i) {
      if (sixteenBit[k]) {
        previous = static_cast<int16_t>(previous + in.U16("sample data"));
        ins.Samples[k].Data.push_back(static_cast<int16_t>(previous));
      } else {
        previous = static_cast<int8_t>(previous + in.U8("sample data"));
        ins.Samples[k].Data.push_back(static_cast<int16_t>(previous * 256));
      }
    }
  }
  return ins;
}

}  // namespace

XmFile ReadXm(const std::string& bytes) {
  Cursor in(bytes);
  XmFile f;
  Expect(in.Text(17, "id") == "Extended Module: ", "not an extended module");
  f.Name = Trimmed(in.Text(20, "name"));
  Expect(in.U8("marker") == 0x1A, "no 0x1A after the name");
  f.Tracker = Trimmed(in.Text(20, "tracker"));
  f.Version = static_cast<int>(in.U16("version"));
  const size_t headerStart = in.Pos();
  f.HeaderSize = static_cast<int>(in.U32("header size"));
  XmModule& m = f.Module;
  m.Name = f.Name;
  const unsigned songLength = in.U16("song length");
  m.RestartPosition = static_cast<int>(in.U16("restart"));
  m.Channels = static_cast<int>(in.U16("channels"));
  const unsigned patternCount = in.U16("pattern count");
  const unsigned instrumentCount = in.U16("instrument count");
  f.Flags = static_cast<int>(in.U16("flags"));
  m.LinearFrequencies = f.Flags & 1;
  m.Speed = static_cast<int>(in.U16("speed"));
  m.Bpm = static_cast<int>(in.U16("bpm"));
  Expect(songLength >= 1 && songLength <= 256, "song length out of range");
  Expect(m.Channels >= 1 && m.Channels <= 32, "channel count out of range");
  Expect(patternCount <= 256 && instrumentCount <= 128, "too many patterns or instruments");
  for (unsigned i = 0; i < 256; ++i) {
    const unsigned order = in.U8("order table");
    if (i < songLength) {
      Expect(order < patternCount, "order names a missing pattern");
      m.Orders.push_back(static_cast<uint8_t>(order));
    }
  }
  in.Seek(headerStart + f.HeaderSize, "header");
  for (unsigned i = 0; i < patternCount; ++i) m.Patterns.push_back(ReadPattern(in, m.Channels));
  for (unsigned i = 0; i < instrumentCount; ++i) m.Instruments.push_back(ReadInstrument(in));
  Expect(in.Pos() == in.Size(), "bytes left over after the last instrument");
  for (const XmPattern& p : m.Patterns) {
    for (const XmCell& c : p.Cells) {
      Expect(c.Instrument <= instrumentCount, "cell names a missing instrument");
      Expect(c.Note <= kXmKeyOff, "note out of range");
    }
  }
  return f;
}

double SongSeconds(const XmModule& m) {
  int speed = m.Speed;
  int bpm = m.Bpm;
  double seconds = 0;
  std::set<int> played;
  int order = 0;
  int row = 0;
  while (played.insert(order).second) {
    const XmPattern& p = m.Patterns.at(m.Orders.at(order));
    int nextOrder = order + 1;
    int nextRow = 0;
    bool leave = false;
    for (; row < p.Rows && !leave; ++row) {
      for (int ch = 0; ch < p.Channels; ++ch) {
        const XmCell& c = p.At(row, ch);
        if (c.Effect == kXmEffectSetSpeed) {
          if (c.Param == 0) return seconds;  // F00 stops the song
          if (c.Param < 32)
            speed = c.Param;
          else
            bpm = c.Param;
        } else if (c.Effect == kXmEffectPositionJump) {
          nextOrder = c.Param;
          leave = true;
        } else if (c.Effect == kXmEffectPatternBreak) {
          nextRow = (c.Param >> 4) * 10 + (c.Param & 0xF);
          leave = true;
        }
      }
      seconds += speed * 2.5 / bpm;
    }
    if (nextOrder >= static_cast<int>(m.Orders.size())) nextOrder = m.RestartPosition;
    order = nextOrder;
    row = nextRow;
  }
  return seconds;
}
