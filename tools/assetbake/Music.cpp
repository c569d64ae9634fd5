// The two songs: synthesised instruments and composed patterns, written as XM modules. The
// menu theme is a bright mid-tempo tune in C; the race theme drives along in E minor on a
// harder kit of its own and steps back for a breakdown before the bridge.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Art.h"
#include "Synth.h"
#include "XmWriter.h"

namespace {

constexpr double kMiddleCHz = 261.6256;
constexpr double kDrumRate = 32000;  // drums play at their own rate on middle C
constexpr int kRowsPerBar = 16;      // a row is a sixteenth note
constexpr int kBarsPerPattern = 4;
constexpr int kRowsPerPattern = kRowsPerBar * kBarsPerPattern;
constexpr double kSamplePeak = 0.92;
// Every note's volume is scaled by a song's share of 64: the mix at full volume would leave
// too little headroom for the sound effects on top, and its loudest beats would clip.
constexpr int kMenuBandVolume = 46;
constexpr int kRaceBandVolume = 52;

// ---- Instruments ---------------------------------------------------------------------------

// A pitched sample made of harmonics: an attack in which the harmonics may change, then a
// loop of whole cycles with the harmonics frozen. Extra voices a whole number of cycles apart
// over the loop give a chorus that still loops without a seam.
struct ToneDesign {
  int Period = 64;        // samples a cycle
  double RefHz = 523.25;  // the pitch the attack's timing is written for
  int AttackCycles = 0;
  int LoopCycles = 1;  // 0 = a one-shot that dies away within the attack
  int Harmonics = 24;
  std::vector<int> Voices = {0};           // cycles each voice gains over the loop
  std::function<double(int, double)> Amp;  // harmonic, seconds -> amplitude
};

XmSample MakeTone(const std::string& name, const ToneDesign& d) {
  const int loopCycles = std::max(d.LoopCycles, 1);
  const int attackLength = d.AttackCycles * d.Period;
  const int loopLength = d.LoopCycles * d.Period;
  const int total = attackLength + loopLength;
  const double samplesPerSecond = d.RefHz * d.Period;
  const double freezeAt = static_cast<double>(attackLength) / samplesPerSecond;
  Signal s(static_cast<size_t>(total), 0.0);
  std::vector<double> amps(static_cast<size_t>(d.Harmonics) + 1, 0.0);
  for (int i = 0; i < total; ++i) {
    const double t =
        std::min(static_cast<double>(i) / samplesPerSecond, d.LoopCycles ? freezeAt : 1e9);
    if (i <= attackLength) {
      for (int h = 1; h <= d.Harmonics; ++h) amps[h] = d.Amp(h, t);
    }
    double v = 0;
    for (size_t k = 0; k < d.Voices.size(); ++k) {
      const double speed = static_cast<double>(loopCycles + d.Voices[k]) / loopCycles;
      const double cycles = speed * (i - attackLength) / d.Period + 0.37 * k;
      const double frac = cycles - std::floor(cycles);
      for (int h = 1; h <= d.Harmonics; ++h) v += amps[h] * std::sin(kTwoPi * h * frac);
    }
    s[i] = v;
  }
  if (d.LoopCycles == 0) FadeEnds(s, 0, total / 8);
  ScaleToPeak(s, kSamplePeak);
  XmSample out;
  out.Name = name;
  out.Data = ToPcm16(s);
  if (d.LoopCycles > 0) {
    out.LoopStart = attackLength;
    out.LoopLength = loopLength;
  }
  TuneXmSample(out, kMiddleCHz * d.Period);
  return out;
}

XmInstrument Instrument(const std::string& name, XmSample sample) {
  XmInstrument ins;
  ins.Name = name;
  ins.Samples.push_back(std::move(sample));
  return ins;
}

// A one-pole-like roll-off of harmonic h above the cutoff harmonic hc.
double RollOff(double h, double hc, double order = 2) {
  return 1.0 / std::sqrt(1.0 + std::pow(h / hc, 2 * order));
}

double PulseHarmonic(int h, double duty) {
  return std::fabs(std::sin(3.141592653589793 * h * duty)) / h;
}

XmSample DrumSample(const std::string& name, Signal s) {
  FadeEnds(s, 0, static_cast<int>(s.size() / 10));
  ScaleToPeak(s, kSamplePeak);
  XmSample out;
  out.Name = name;
  out.Data = ToPcm16(s);
  TuneXmSample(out, kDrumRate);
  return out;
}

int DrumSamples(double seconds) {
  return static_cast<int>(seconds * kDrumRate);
}

XmInstrument Kick(double punch) {
  const int n = DrumSamples(0.45);
  Signal s(static_cast<size_t>(n));
  SynthRandom rng(101);
  Biquad click = Biquad::LowPass(4000, 0.7, kDrumRate);
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    const double t = i / kDrumRate;
    phase += (46 + 130 * punch * std::exp(-t / 0.03)) / kDrumRate;
    const double body = std::sin(kTwoPi * phase) * AttackDecay(t, 0.001, 0.17);
    s[i] = SoftClip(1.6 * body) + 0.4 * click.Step(rng.Uniform()) * std::exp(-t / 0.003);
  }
  return Instrument("Kick", DrumSample("Kick", s));
}

XmInstrument Snare(double snap) {
  const int n = DrumSamples(0.35);
  Signal s(static_cast<size_t>(n));
  SynthRandom rng(102);
  Biquad hiss = Biquad::BandPass(4200, 0.6, kDrumRate);
  Biquad low = Biquad::HighPass(900, 0.7, kDrumRate);
  for (int i = 0; i < n; ++i) {
    const double t = i / kDrumRate;
    const double body = 0.8 * std::sin(kTwoPi * 185 * t) * std::exp(-t / 0.045) +
                        0.35 * std::sin(kTwoPi * 330 * t) * std::exp(-t / 0.03);
    const double noise = low.Step(hiss.Step(rng.Uniform())) * 2.2;
    s[i] = SoftClip(body * AttackDecay(t, 0.0008, 1) + snap * noise * AttackDecay(t, 0.0005, 0.11));
  }
  return Instrument("Snare", DrumSample("Snare", s));
}

// Hats and cymbals: detuned square partials and noise through a high band, as metal rings.
Signal Metal(double seconds, double decay, double highPassHz, uint32_t seed, double ratio = 2.7) {
  const int n = DrumSamples(seconds);
  Signal s(static_cast<size_t>(n));
  SynthRandom rng(seed);
  const double partials[6] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
  Biquad hp1 = Biquad::HighPass(highPassHz, 0.7, kDrumRate);
  Biquad hp2 = Biquad::HighPass(highPassHz, 0.7, kDrumRate);
  for (int i = 0; i < n; ++i) {
    const double t = i / kDrumRate;
    double ring = 0;
    for (double f : partials) ring += std::sin(kTwoPi * f * ratio * t) > 0 ? 1 : -1;
    const double v = 0.5 * ring / 6 + rng.Uniform();
    s[i] = hp2.Step(hp1.Step(v)) * AttackDecay(t, 0.0005, decay);
  }
  return s;
}

XmInstrument ClosedHat() {
  return Instrument("Hat", DrumSample("Hat", Metal(0.12, 0.028, 7000, 103)));
}
XmInstrument OpenHat() {
  return Instrument("OpenHat", DrumSample("OpenHat", Metal(0.6, 0.2, 6500, 104)));
}
XmInstrument CrashCymbal() {
  return Instrument("Crash", DrumSample("Crash", Metal(2.0, 0.55, 3800, 105)));
}

XmEnvelope Envelope(std::vector<XmEnvelopePoint> points, int sustain) {
  XmEnvelope e;
  e.Points = std::move(points);
  e.SustainPoint = sustain;
  return e;
}

// A round plucked bass: the filter closes after the pluck; bright makes it growl.
XmInstrument Bass(double bright) {
  ToneDesign d;
  d.Period = 128;
  d.RefHz = 65.4;  // C2
  d.AttackCycles = 24;
  d.LoopCycles = 2;
  d.Harmonics = 48;
  d.Amp = [bright](int h, double t) {
    const double hc = 2.5 + bright * 3 + (14 + 20 * bright) * std::exp(-t / 0.07);
    const double wave = (1.0 / h) * (h % 2 ? 1.0 : 0.55 + 0.45 * bright);  // saw into square
    return wave * RollOff(h, hc) * (h == 1 ? 1.6 : 1.0);
  };
  XmInstrument ins = Instrument("Bass", MakeTone("Bass", d));
  ins.VolumeEnvelope = Envelope({{0, 64}, {6, 54}, {30, 42}, {120, 26}, {320, 0}}, -1);
  ins.Fadeout = 2048;
  return ins;
}

XmInstrument PulseLead() {
  ToneDesign d;
  d.Period = 64;
  d.RefHz = 523.25;  // C5
  d.AttackCycles = 60;
  d.LoopCycles = 256;
  d.Harmonics = 20;
  d.Voices = {0, 1};
  d.Amp = [](int h, double t) {
    return PulseHarmonic(h, 0.3) * RollOff(h, 6 + 6 * std::exp(-t / 0.06), 1.5);
  };
  XmInstrument ins = Instrument("Lead", MakeTone("Lead", d));
  ins.VolumeEnvelope = Envelope({{0, 40}, {2, 64}, {12, 52}, {60, 46}}, 3);
  ins.Fadeout = 1400;
  ins.VibratoType = 0;
  ins.VibratoSweep = 40;
  ins.VibratoDepth = 3;
  ins.VibratoRate = 12;
  return ins;
}

// A warm chorused pad that swells in and fades after its key is released.
XmInstrument Pad(double warmth) {
  ToneDesign d;
  d.Period = 128;
  d.RefHz = kMiddleCHz;
  d.AttackCycles = 0;
  d.LoopCycles = 128;
  d.Harmonics = 28;
  d.Voices = {-1, 0, 1};
  d.Amp = [warmth](int h, double) { return std::pow(h, -1.2) * RollOff(h, 7 - 3 * warmth, 2); };
  XmInstrument ins = Instrument("Pad", MakeTone("Pad", d));
  ins.VolumeEnvelope = Envelope({{0, 0}, {20, 56}, {40, 64}}, 2);
  ins.Fadeout = 700;
  return ins;
}

// A bell-like pluck for the arpeggios: high harmonics die first.
XmInstrument Pluck() {
  ToneDesign d;
  d.Period = 64;
  d.RefHz = 523.25;
  d.AttackCycles = 300;  // about 0.57 s at C5
  d.LoopCycles = 0;
  d.Harmonics = 16;
  d.Amp = [](int h, double t) {
    const double bell = (h == 1 ? 1.0 : h == 2 ? 0.5 : h == 4 ? 0.25 : 0.6 / h);
    return bell * std::exp(-t * (4 + 2.5 * h)) * std::min(1.0, t / 0.002);
  };
  return Instrument("Pluck", MakeTone("Pluck", d));
}

// ---- The race kit: harder drums and synthesizers of its own -------------------------------

// A tight, driven kick with a beater click on top.
XmInstrument RaceKick() {
  const int n = DrumSamples(0.34);
  Signal s(static_cast<size_t>(n));
  SynthRandom rng(111);
  Biquad click = Biquad::HighPass(2500, 0.7, kDrumRate);
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    const double t = i / kDrumRate;
    phase += (50 + 170 * std::exp(-t / 0.018)) / kDrumRate;
    const double body = std::sin(kTwoPi * phase) * AttackDecay(t, 0.0008, 0.11);
    const double thock = std::sin(kTwoPi * 1150 * t) * std::exp(-t / 0.004);
    s[i] = SoftClip(2.6 * body) + 0.3 * thock + 0.5 * click.Step(rng.Uniform()) * std::exp(-t / 0.002);
  }
  return Instrument("RaceKick", DrumSample("RaceKick", s));
}

// A snare layered with a hand clap: a few quick bursts, then the tail.
XmInstrument ClapSnare() {
  const int n = DrumSamples(0.32);
  Signal s(static_cast<size_t>(n));
  SynthRandom rng(112);
  Biquad clapBand = Biquad::BandPass(1400, 1.3, kDrumRate);
  Biquad wires = Biquad::HighPass(5000, 0.7, kDrumRate);
  for (int i = 0; i < n; ++i) {
    const double t = i / kDrumRate;
    double bursts = 0;
    for (double at : {0.0, 0.011, 0.023}) bursts += AttackDecay(t - at, 0.0004, 0.005);
    const double clapEnv = bursts + 0.6 * AttackDecay(t - 0.03, 0.002, 0.08);
    const double noise = rng.Uniform();
    const double body = std::sin(kTwoPi * 205 * t) * std::exp(-t / 0.04);
    s[i] = SoftClip(2.4 * clapBand.Step(noise) * clapEnv + 0.5 * body * AttackDecay(t, 0.0008, 1) +
                    0.5 * wires.Step(noise) * AttackDecay(t, 0.0005, 0.07));
  }
  return Instrument("ClapSnare", DrumSample("ClapSnare", s));
}

XmInstrument TickHat() {
  return Instrument("TickHat", DrumSample("TickHat", Metal(0.09, 0.018, 8500, 113, 3.9)));
}
XmInstrument Ride() {
  return Instrument("Ride", DrumSample("Ride", Metal(0.8, 0.25, 5200, 114, 4.6)));
}
XmInstrument China() {
  return Instrument("China", DrumSample("China", Metal(1.8, 0.45, 2400, 115, 1.9)));
}

// A resonant, squelchy bass: a sawtooth whose filter peak sweeps down after each pluck.
XmInstrument AcidBass() {
  ToneDesign d;
  d.Period = 128;
  d.RefHz = 65.4;  // C2
  d.AttackCycles = 24;
  d.LoopCycles = 2;
  d.Harmonics = 48;
  d.Amp = [](int h, double t) {
    const double peak = 5 + 13 * std::exp(-t / 0.09);
    const double resonance = 1.6 * std::exp(-std::pow((h - peak) / 1.6, 2));
    return (1.0 / h) * (RollOff(h, peak, 3) + resonance) * (h == 1 ? 1.4 : 1.0);
  };
  XmInstrument ins = Instrument("AcidBass", MakeTone("AcidBass", d));
  ins.VolumeEnvelope = Envelope({{0, 64}, {8, 56}, {40, 44}, {140, 30}, {300, 0}}, -1);
  ins.Fadeout = 2400;
  return ins;
}

// A hard-synced lead: a sawtooth with a formant that starts high and settles, two voices.
XmInstrument SyncLead() {
  ToneDesign d;
  d.Period = 64;
  d.RefHz = 523.25;
  d.AttackCycles = 80;
  d.LoopCycles = 256;
  d.Harmonics = 24;
  d.Voices = {0, 2};
  d.Amp = [](int h, double t) {
    const double formant = 4 + 7 * std::exp(-t / 0.1);
    return (1.0 / h) * (0.35 + 1.3 * std::exp(-std::pow((h - formant) / 2.2, 2))) *
           RollOff(h, 14, 2);
  };
  XmInstrument ins = Instrument("SyncLead", MakeTone("SyncLead", d));
  ins.VolumeEnvelope = Envelope({{0, 56}, {2, 64}, {10, 56}, {40, 52}}, 3);
  ins.Fadeout = 1800;
  ins.VibratoSweep = 30;
  ins.VibratoDepth = 4;
  ins.VibratoRate = 16;
  return ins;
}

// Organ chords in the pad's place: drawbar harmonics that speak at once and hold.
XmInstrument OrganStab() {
  ToneDesign d;
  d.Period = 128;
  d.RefHz = kMiddleCHz;
  d.AttackCycles = 0;
  d.LoopCycles = 128;
  d.Harmonics = 16;
  d.Voices = {0, 1};
  d.Amp = [](int h, double) {
    switch (h) {
      case 1: return 0.9;
      case 2: return 1.0;
      case 3: return 0.55;
      case 4: return 0.5;
      case 6: return 0.3;
      case 8: return 0.25;
      case 16: return 0.08;
      default: return 0.0;
    }
  };
  XmInstrument ins = Instrument("Organ", MakeTone("Organ", d));
  ins.VolumeEnvelope = Envelope({{0, 0}, {2, 64}, {12, 50}, {40, 44}}, 3);
  ins.Fadeout = 1500;
  return ins;
}

// A square pluck for the arpeggios: its filter snaps shut.
XmInstrument SquarePluck() {
  ToneDesign d;
  d.Period = 64;
  d.RefHz = 523.25;
  d.AttackCycles = 220;
  d.LoopCycles = 0;
  d.Harmonics = 20;
  d.Amp = [](int h, double t) {
    return PulseHarmonic(h, 0.5) * std::exp(-t * (5 + 3.5 * h)) * std::min(1.0, t / 0.001);
  };
  return Instrument("SquarePluck", MakeTone("SquarePluck", d));
}

// ---- Composition ---------------------------------------------------------------------------

enum Channel {
  kKickCh,
  kSnareCh,
  kHatCh,
  kBassCh,
  kLeadCh,
  kArpCh,
  kPadCh1,
  kPadCh2,
  kPadCh3,
  kCrashCh,
  kChannelCount
};
enum InstrumentNumber { kKick = 1, kSnare, kHat, kOpenHat, kCrash, kBass, kLead, kPad, kPluck };

struct Chord {
  int Root = 0;  // semitone above C
  bool Minor = false;
  int Tone(int index) const {  // 0 root, 1 third, 2 fifth, then the same an octave up
    const int steps[3] = {0, Minor ? 3 : 4, 7};
    return Root + steps[index % 3] + 12 * (index / 3);
  }
};

int SemitoneOf(char letter) {
  static const int kSemis[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (letter < 'A' || letter > 'G') throw std::invalid_argument("bad note letter");
  return kSemis[letter - 'A'];
}

Chord ParseChord(const std::string& name) {
  Chord c;
  size_t i = 0;
  c.Root = SemitoneOf(name.at(i++));
  if (i < name.size() && name[i] == '#') c.Root = (c.Root + 1) % 12, ++i;
  if (i < name.size() && name[i] == 'b') c.Root = (c.Root + 11) % 12, ++i;
  c.Minor = i < name.size() && name[i] == 'm';
  return c;
}

uint8_t ParseNote(const std::string& token) {
  size_t i = 0;
  int semi = SemitoneOf(token.at(i++));
  if (token.at(i) == '#') ++semi, ++i;
  if (token.at(i) == 'b') --semi, ++i;
  const int octave = token.at(i) - '0';
  return XmNote(octave, semi);
}

std::vector<std::string> Tokens(const char* text) {
  std::vector<std::string> out;
  std::string cur;
  for (const char* p = text; *p; ++p) {
    if (*p == ' ' || *p == '|') {
      if (!cur.empty()) out.push_back(cur), cur.clear();
    } else {
      cur += *p;
    }
  }
  if (!cur.empty()) out.push_back(cur);
  return out;
}

// The character at a row of a one-bar (16) or one-pattern (64) rhythm string.
char Step(const char* rhythm, int row) {
  if (!rhythm) return '.';
  const size_t n = std::strlen(rhythm);
  if (n != kRowsPerBar && n != kRowsPerPattern) throw std::invalid_argument("rhythm length");
  return rhythm[row % n];
}

// Drum hits: X accent, x normal, g ghost, o open hat, 1..9 rising volumes for rolls.
int DrumVolume(char c) {
  switch (c) {
    case 'X':
      return 64;
    case 'x':
    case 'o':
      return 46;
    case 'g':
      return 22;
    default:
      return (c >= '1' && c <= '9') ? 7 * (c - '0') : 0;
  }
}

struct Section {
  const char* Chords = "";  // four chords, one a bar
  const char* Kick = nullptr;
  const char* Snare = nullptr;
  const char* Hat = nullptr;
  const char* Bass = nullptr;  // 1 root, 3 third, 5 fifth, 7 flat seventh, 8 octave, - release
  int BassOctave = 2;
  const char* Arp = nullptr;  // chord tone 0..6 from the chord's root in ArpOctave
  int ArpOctave = 5;
  int ArpVolume = 30;
  bool Pad = false;
  int PadVolume = 36;
  const char* Lead = nullptr;  // 64 tokens: a note, "." hold, "^" release
  int LeadVolume = 48;
  bool Crash = false;
  int Level = 64;  // scales every note of the section, for quieter passages
};

void SetCellAt(XmPattern& p, int row, int ch, uint8_t note, uint8_t ins, int volume, int level) {
  // level folds the song's band volume and the section's level into one share of 64 * 64.
  XmCell& c = p.At(row, ch);
  c.Note = note;
  c.Instrument = note == kXmKeyOff ? 0 : ins;
  c.Volume = note == kXmKeyOff ? 0 : XmVolume(volume * level / (64 * 64));
}

XmPattern BuildPattern(const Section& s, int bandVolume) {
  XmPattern p(kRowsPerPattern, kChannelCount);
  auto SetCell = [&](XmPattern& pattern, int row, int ch, uint8_t note, uint8_t ins, int volume) {
    SetCellAt(pattern, row, ch, note, ins, volume, s.Level * bandVolume);
  };
  const std::vector<std::string> chordNames = Tokens(s.Chords);
  if (chordNames.size() != kBarsPerPattern) throw std::invalid_argument("four chords a section");
  std::vector<Chord> chords;
  for (const std::string& n : chordNames) chords.push_back(ParseChord(n));

  std::array<uint8_t, 3> padNotes{};
  for (int row = 0; row < kRowsPerPattern; ++row) {
    const Chord& chord = chords[row / kRowsPerBar];
    const uint8_t middleC = XmNote(4, 0);
    if (int v = DrumVolume(Step(s.Kick, row))) SetCell(p, row, kKickCh, middleC, kKick, v);
    if (int v = DrumVolume(Step(s.Snare, row))) SetCell(p, row, kSnareCh, middleC, kSnare, v);
    const char hat = Step(s.Hat, row);
    if (int v = DrumVolume(hat)) SetCell(p, row, kHatCh, middleC, hat == 'o' ? kOpenHat : kHat, v);

    const char b = Step(s.Bass, row);
    if (b == '-') {
      SetCell(p, row, kBassCh, kXmKeyOff, 0, 0);
    } else if (b != '.') {
      const int offsets[10] = {0, 0, 2, chord.Minor ? 3 : 4, 5, 7, 9, 10, 12, 14};
      const int semis = chord.Root + offsets[b - '0'];
      SetCell(p, row, kBassCh, XmNote(s.BassOctave, semis), kBass, 60);
    }

    const char a = Step(s.Arp, row);
    if (a != '.') {
      SetCell(p, row, kArpCh, XmNote(s.ArpOctave, chord.Tone(a - '0')), kPluck, s.ArpVolume);
    }

    if (s.Pad && row % kRowsPerBar == 0) {
      // Close voicing around middle C; a voice whose note the new chord shares holds on, so
      // only the moving voices swell in again.
      std::vector<uint8_t> fresh;
      for (int k = 0; k < 3; ++k) {
        int semis = chord.Tone(k) % 12;
        if (semis > 7) semis -= 12;
        fresh.push_back(XmNote(4, semis));
      }
      std::array<bool, 3> keep{};
      for (int v = 0; v < 3; ++v) {
        auto held = std::find(fresh.begin(), fresh.end(), padNotes[v]);
        if (row > 0 && held != fresh.end()) {
          keep[v] = true;
          fresh.erase(held);
        }
      }
      for (int v = 0; v < 3; ++v) {
        if (keep[v]) continue;
        padNotes[v] = fresh.front();
        fresh.erase(fresh.begin());
        SetCell(p, row, kPadCh1 + v, padNotes[v], kPad, s.PadVolume);
      }
    }
  }
  if (s.Lead) {
    const std::vector<std::string> notes = Tokens(s.Lead);
    if (notes.size() != kRowsPerPattern) throw std::invalid_argument("64 lead steps a section");
    for (int row = 0; row < kRowsPerPattern; ++row) {
      const std::string& t = notes[row];
      if (t == ".") continue;
      SetCell(p, row, kLeadCh, t == "^" ? kXmKeyOff : ParseNote(t), kLead, s.LeadVolume);
    }
  }
  if (s.Crash) SetCell(p, 0, kCrashCh, XmNote(4, 0), kCrash, 40);
  // Spread the band: arpeggio and one pad voice left, hats and another pad voice right.
  const std::pair<int, int> pans[] = {
      {kHatCh, 0xA8}, {kArpCh, 0x50}, {kPadCh1, 0x60}, {kPadCh3, 0xA0}, {kLeadCh, 0x88}};
  for (auto [ch, pan] : pans) {
    XmCell& c = p.At(0, ch);
    c.Effect = kXmEffectSetPanning;
    c.Param = static_cast<uint8_t>(pan);
  }
  return p;
}

XmModule Band(const std::string& name, int bpm, std::vector<XmInstrument> instruments) {
  XmModule m;
  m.Name = name;
  m.Channels = kChannelCount;
  m.Speed = 6;  // four rows a beat: the module's beats a minute are the song's
  m.Bpm = bpm;
  m.Instruments = std::move(instruments);
  return m;
}

// ---- The menu theme: C major, 112 beats a minute -------------------------------------------

XmModule MenuSong() {
  XmModule m = Band("Gear Rush Menu", 112,
                    {Kick(0.8), Snare(0.9), ClosedHat(), OpenHat(), CrashCymbal(), Bass(0.2),
                     PulseLead(), Pad(0.8), Pluck()});
  const char* kick = "X.....x.X.......";
  const char* snare = "....X.......X...";
  const char* snareFill = "....X.......X.......X.......X.......X.......X.......X.....x.XgxX";
  const char* hats = "x.x.x.x.x.x.x.xo";
  const char* bass = "1..1..5.8..1..5.";
  const char* arp = "0.1.2.3.2.1.2.4.";

  Section intro;
  intro.Chords = "Am F C G";
  intro.Hat = "....x.......x...";
  intro.Arp = arp;
  intro.Pad = true;
  intro.Crash = true;

  Section verse;
  verse.Chords = "Am F C G";
  verse.Kick = kick;
  verse.Snare = snare;
  verse.Hat = hats;
  verse.Bass = bass;
  verse.Arp = arp;
  verse.ArpVolume = 22;
  verse.Pad = true;
  verse.PadVolume = 28;
  verse.Lead =
      "E5 . . . C5 . D5 . E5 . . . A4 . . . | F5 . . . E5 . D5 . C5 . . . A4 . C5 . |"
      "G5 . . . E5 . . . C5 . D5 . E5 . G5 . | D5 . . . . . . . B4 . C5 . D5 . . .";
  verse.Crash = true;

  Section verse2 = verse;
  verse2.Snare = snareFill;
  verse2.Crash = false;
  verse2.Lead =
      "E5 . . . C5 . D5 . E5 . . . A5 . . . | A5 . G5 . F5 . E5 . F5 . . . C5 . . . |"
      "E5 . . . G5 . . . E5 . D5 . C5 . . . | D5 . . . . . . . ^ . . . . . . .";

  Section chorus;
  chorus.Chords = "C G Am F";
  chorus.Kick = "X...x...X...x...";
  chorus.Snare = snare;
  chorus.Hat = "x.X.x.X.x.X.x.Xo";
  chorus.Bass = "1.1.8.1.1.1.5.8.";
  chorus.Arp = "0.2.3.2.4.2.3.2.";
  chorus.ArpOctave = 5;
  chorus.ArpVolume = 20;
  chorus.Pad = true;
  chorus.PadVolume = 30;
  chorus.LeadVolume = 52;
  chorus.Crash = true;
  chorus.Lead =
      "G5 . . . G5 . A5 . G5 . E5 . . . C5 . | D5 . . . D5 . E5 . D5 . B4 . . . G4 . |"
      "C5 . . . E5 . . . A5 . . . G5 . E5 . | F5 . . . E5 . . . D5 . . . C5 . D5 .";

  Section chorus2 = chorus;
  chorus2.Crash = false;
  chorus2.Snare = snareFill;
  chorus2.Lead =
      "G5 . . . G5 . A5 . G5 . E5 . . . C6 . | B5 . . . A5 . G5 . D5 . . . . . G5 . |"
      "A5 . . . G5 . E5 . C5 . . . E5 . . . | F5 . E5 . D5 . . . C5 . . . ^ . . .";

  Section breakdown;
  breakdown.Chords = "F G Em Am";
  breakdown.Hat = "..x...x...x...x.";
  breakdown.Bass = "1.......5.......";
  breakdown.Arp = "0.1.2.3.4.3.2.1.";
  breakdown.ArpVolume = 32;
  breakdown.Pad = true;
  breakdown.PadVolume = 40;
  breakdown.LeadVolume = 36;
  breakdown.Lead =
      "A5 . . . . . . . G5 . . . F5 . . . | D5 . . . . . . . B4 . . . . . . . |"
      "E5 . . . . . . . G5 . . . B5 . . . | A5 . . . . . . . ^ . . . . . . .";

  Section bridge;
  bridge.Chords = "Dm Em F G";
  bridge.Kick = kick;
  bridge.Snare = "....X.......X.......X.......X.......X.......X.......X...3.4.5678";
  bridge.Hat = hats;
  bridge.Bass = "1..1..1.5..5..5.";
  bridge.Arp = arp;
  bridge.ArpVolume = 22;
  bridge.Pad = true;
  bridge.PadVolume = 30;
  bridge.Lead =
      "F5 . . . A5 . . . D5 . . . F5 . E5 . | G5 . . . B5 . . . E5 . . . G5 . F5 . |"
      "A5 . . . C6 . . . A5 . G5 . F5 . . . | G5 . . . . . . . B5 . . . D6 . . .";

  Section outro = intro;
  outro.Kick = "X.......X.......";
  outro.Hat = hats;
  outro.Bass = "1.......5.......";
  outro.Crash = true;

  for (const Section* s :
       {&intro, &verse, &verse2, &chorus, &chorus2, &breakdown, &bridge, &outro}) {
    m.Patterns.push_back(BuildPattern(*s, kMenuBandVolume));
  }
  // intro, verse twice, chorus, break, bridge, chorus, verse, outro; then back to the verse.
  m.Orders = {0, 1, 2, 3, 4, 5, 6, 3, 4, 1, 2, 7};
  m.RestartPosition = 1;
  return m;
}

// ---- The race theme: E minor, 150 beats a minute -------------------------------------------

XmModule RaceSong() {
  XmModule m = Band("Gear Rush Race", 150,
                    {RaceKick(), ClapSnare(), TickHat(), Ride(), China(), AcidBass(), SyncLead(),
                     OrganStab(), SquarePluck()});
  const char* kick = "X...X...X...X...";
  const char* snare = "....X.......X...";
  const char* fill = "....X.......X.......X.......X.......X.......X.......X.....X.XgXX";
  const char* hats = "x.X.x.X.x.X.x.X.";
  const char* hats16 = "xgXgxgXgxgXgxgXo";
  const char* drive = "1.8.1.8.1.8.1.8.";
  const char* arp = "0.1.2.1.3.1.2.1.";

  Section intro;
  intro.Chords = "Em Em C D";
  intro.Kick = kick;
  intro.Hat = hats;
  intro.Bass = drive;
  intro.Crash = true;

  Section intro2 = intro;
  intro2.Snare = fill;
  intro2.Hat = hats16;
  intro2.Pad = true;
  intro2.PadVolume = 26;
  intro2.Arp = arp;
  intro2.ArpVolume = 20;
  intro2.Crash = false;

  Section verse;
  verse.Chords = "Em C D Em";
  verse.Kick = kick;
  verse.Snare = snare;
  verse.Hat = hats16;
  verse.Bass = drive;
  verse.Pad = true;
  verse.PadVolume = 24;
  verse.Crash = true;
  verse.Lead =
      "B4 . B4 . E5 . B4 . G5 . F#5 . E5 . B4 . | C5 . . . E5 . G5 . E5 . . . C5 . E5 . |"
      "D5 . F#5 . A5 . F#5 . D5 . . . A4 . D5 . | E5 . . . . . . . B4 . . . E5 . G5 .";

  Section verse2 = verse;
  verse2.Chords = "Em C D B";
  verse2.Snare = fill;
  verse2.Crash = false;
  verse2.Arp = "....0.1.....0.1.";
  verse2.ArpVolume = 18;
  verse2.Lead =
      "B5 . . . A5 . G5 . F#5 . G5 . E5 . . . | E5 . G5 . C6 . B5 . G5 . . . E5 . . . |"
      "F#5 . A5 . D6 . C6 . A5 . F#5 . D5 . . . | D#5 . . . F#5 . . . B5 . . . A5 . F#5 .";

  Section chorus;
  chorus.Chords = "C D Em Em";
  chorus.Kick = kick;
  chorus.Snare = snare;
  chorus.Hat = "x.o.x.o.x.o.x.o.";
  chorus.Bass = "1818181818181818";
  chorus.Arp = "0.1.2.3.0.1.2.3.";
  chorus.ArpOctave = 5;
  chorus.ArpVolume = 18;
  chorus.Pad = true;
  chorus.PadVolume = 30;
  chorus.LeadVolume = 52;
  chorus.Crash = true;
  chorus.Lead =
      "E5 . . . G5 . . . C6 . . . B5 . G5 . | A5 . . . F#5 . . . D5 . . . A5 . B5 . |"
      "B5 . . . . . . . G5 . . . E5 . . . | B5 . A5 . G5 . F#5 . E5 . . . D5 . E5 .";

  Section chorus2 = chorus;
  chorus2.Chords = "C D B B";
  chorus2.Crash = false;
  chorus2.Snare = fill;
  chorus2.Lead =
      "E5 . . . G5 . . . C6 . . . B5 . G5 . | A5 . . . B5 . . . D6 . . . C6 . A5 . |"
      "B5 . . . . . . . D#6 . . . F#6 . . . | F#6 . E6 . D#6 . B5 . A5 . . . F#5 . D#5 .";

  Section riffSection;
  riffSection.Chords = "Em C D B";
  riffSection.Kick = kick;
  riffSection.Snare = snare;
  riffSection.Hat = hats16;
  riffSection.Bass = "1.18.11.1.18.5.8";
  riffSection.Arp = "0123210123432101";
  riffSection.ArpVolume = 22;
  riffSection.Pad = true;
  riffSection.PadVolume = 22;
  riffSection.Crash = true;

  Section breakdown;
  breakdown.Chords = "Am Em C D";
  breakdown.Hat = "..x...x...x...x.";
  breakdown.Bass = "1.......1.......";
  breakdown.Arp = "0.1.2.3.4.3.2.1.";
  breakdown.ArpVolume = 30;
  breakdown.Pad = true;
  breakdown.PadVolume = 38;
  // The drums drop out and the band steps back, so the build and the bridge hit harder.
  breakdown.Level = 36;

  Section build = breakdown;
  build.Level = 52;
  build.Kick = "X...X...X...X...";
  build.Snare = "....2.......3.......3...3...4...4.4.4.4.5.5.5.5.6666777788889999";
  build.Hat = "x.x.x.x.x.x.x.x.";
  build.Bass = "1.1.1.1.1.1.1.1.";
  build.Lead =
      "A4 . . . . . . . C5 . . . E5 . . . | B4 . . . . . . . E5 . . . G5 . . . |"
      "C5 . . . E5 . . . G5 . . . C6 . . . | D6 . . . . . . . F#5 . A5 . D6 . F#6 .";

  Section bridge;
  bridge.Chords = "Am Em C D";
  bridge.Kick = kick;
  bridge.Snare = snare;
  bridge.Hat = hats16;
  bridge.Bass = drive;
  bridge.Pad = true;
  bridge.PadVolume = 26;
  bridge.Crash = true;
  bridge.LeadVolume = 44;
  bridge.Lead =
      "A5 . C6 . E6 . C6 . A5 . C6 . E6 . C6 . | G5 . B5 . E6 . B5 . G5 . B5 . E6 . B5 . |"
      "G5 . C6 . E6 . C6 . G5 . C6 . E6 . G6 . | F#6 . . . D6 . . . A5 . . . F#5 . . .";

  for (const Section* s : {&intro, &intro2, &verse, &verse2, &chorus, &chorus2, &riffSection,
                           &breakdown, &build, &bridge}) {
    m.Patterns.push_back(BuildPattern(*s, kRaceBandVolume));
  }
  // intro; verse and chorus twice with a riff between; a break, a build, the bridge; a last
  // double chorus and the riff to lead back round to the verse.
  m.Orders = {0, 1, 2, 3, 4, 5, 6, 2, 3, 4, 5, 7, 8, 9, 9, 4, 5, 4, 5, 6};
  m.RestartPosition = 2;
  return m;
}

}  // namespace

std::string BakeMenuSong() {
  return WriteXm(MenuSong());
}
std::string BakeRaceSong() {
  return WriteXm(RaceSong());
}
