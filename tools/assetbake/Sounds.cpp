// The sound collection: engine loops, the horn, the brake, menu and race effects, all
// synthesised here.
#include <algorithm>
#include <cmath>
#include <functional>

#include "Art.h"
#include "Synth.h"

namespace {

constexpr int kSoundRate = 22050;

int Samples(double seconds) {
  return static_cast<int>(std::lround(seconds * kSoundRate));
}

double Seconds(int sample) {
  return static_cast<double>(sample) / kSoundRate;
}

// Equal-tempered pitch of a note counted in semitones from A4 (440 Hz).
double Pitch(int semitonesFromA4) {
  return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

std::string Wave(const Signal& s) {
  return EncodeWavePcm16(ToPcm16(s), 1, kSoundRate);
}

// One-shots end at rest, so stopping or restarting them never clicks.
std::string OneShot(Signal s, double peak) {
  ScaleToPeak(s, peak);
  FadeEnds(s, Samples(0.002), Samples(0.02));
  return Wave(s);
}

// Loops start at their quietest rising zero crossing, so starting one never clicks; turning a
// seamless loop round keeps it seamless.
std::string Loop(Signal s, double peak) {
  ScaleToPeak(s, peak);
  const size_t n = s.size();
  size_t start = 0;
  double best = 1e9;
  for (size_t i = 0; i < n; ++i) {
    const double before = s[(i + n - 1) % n];
    const double jump = std::fabs(s[i]) + std::fabs(s[i] - before);
    if (before < 0 && s[i] >= 0 && jump < best) {
      best = jump;
      start = i;
    }
  }
  std::rotate(s.begin(), s.begin() + static_cast<long>(start), s.end());
  return Wave(s);
}

// Engine loops are levelled by what carries over the music, the part above the low rumble,
// rather than by their peaks: a lumpy low gear has tall peaks but little presence. presenceDb
// is the RMS above about 400 Hz against full scale; peaks never pass maxPeak.
std::string EngineWave(Signal s, double presenceDb, double maxPeak) {
  Signal upper = FilteredLoop(s, Biquad::HighPass(400, 0.7, kSoundRate));
  upper = FilteredLoop(upper, Biquad::HighPass(400, 0.7, kSoundRate));
  double sum = 0;
  for (double x : upper) sum += x * x;
  const double rms = std::sqrt(sum / static_cast<double>(upper.size()));
  double gain = std::pow(10.0, presenceDb / 20.0) / rms;
  gain = std::min(gain, maxPeak / PeakOf(s));
  for (double& x : s) x *= gain;
  return Loop(s, PeakOf(s));
}

// White noise of n samples.
Signal Noise(int n, SynthRandom& rng) {
  Signal s(static_cast<size_t>(n));
  for (double& x : s) x = rng.Uniform();
  return s;
}

// A decaying sine partial starting at sample offset, its pitch gliding exponentially from
// hz to endHz over its decay.
void AddPartial(Signal& s, int offset, double hz, double endHz, double amp, double attack,
                double decay) {
  double phase = 0;
  const int n = static_cast<int>(s.size());
  for (int i = std::max(offset, 0); i < n; ++i) {
    const double t = Seconds(i - offset);
    const double env = AttackDecay(t, attack, decay);
    if (t > attack && env < 1e-4) break;
    const double f = endHz + (hz - endHz) * std::exp(-t / decay);
    phase += f / kSoundRate;
    s[i] += amp * env * std::sin(kTwoPi * phase);
  }
}

// Noise through a band-pass whose centre moves along centreHz(t), shaped by gain(t).
Signal SweptNoise(int n, SynthRandom& rng, double q, const std::function<double(double)>& centreHz,
                  const std::function<double(double)>& gain) {
  Signal s(static_cast<size_t>(n));
  Biquad f = Biquad::BandPass(centreHz(0), q, kSoundRate);
  for (int i = 0; i < n; ++i) {
    const double t = Seconds(i);
    if (i % 16 == 0) f.Retune(Biquad::BandPass(centreHz(t), q, kSoundRate));
    s[i] = gain(t) * f.Step(rng.Uniform());
  }
  return s;
}

// A brassy or reedy note: a sawtooth-like sum of harmonics whose brightness opens at the
// attack, with a delayed vibrato; detune > 0 adds a second, slightly sharp voice.
Signal SynthNote(double hz, double seconds, double brightHz, double attack, double release,
                 double detune) {
  const int n = Samples(seconds);
  Signal s(static_cast<size_t>(n));
  const double limit = 0.45 * kSoundRate;
  double phaseA = 0, phaseB = 0;
  for (int i = 0; i < n; ++i) {
    const double t = Seconds(i);
    const double vibrato = 1.0 + 0.006 * std::min(1.0, t / 0.4) * std::sin(kTwoPi * 5.2 * t);
    phaseA += hz * vibrato / kSoundRate;
    phaseB += hz * (1.0 + detune) * vibrato / kSoundRate;
    // The filter opens quickly, then settles a little darker.
    const double cutoff =
        brightHz * (0.25 + 0.95 * (1 - std::exp(-t / attack)) - 0.2 * (1 - std::exp(-t / 0.3)));
    double v = 0;
    for (int h = 1; h * hz < limit && h <= 40; ++h) {
      const double r = h * hz / cutoff;
      const double g = 1.0 / (h * (1.0 + r * r * r));
      v += g * (std::sin(kTwoPi * h * phaseA) + (detune > 0 ? std::sin(kTwoPi * h * phaseB) : 0));
    }
    const double env = std::min(1.0, t / 0.008) * std::min(1.0, (seconds - t) / release);
    s[i] = v * env;
  }
  return s;
}

// ---- Engine loops --------------------------------------------------------------------------

// The character of one engine loop. Each firing of the cylinders is a pop: a low body
// resonance, a sharper bark and a little rasp; the pops' rate sets the pitch.
struct EngineVoice {
  double FiringHz = 50;
  double LoopSeconds = 1.0;
  double BodyHz = 110, BodyDecayS = 0.009;
  double BarkHz = 480, BarkDecayS = 0.003, Bark = 0.5;
  double Rasp = 0.15;
  double Unevenness = 0.15;  // the lilt of alternate firings
  double Jitter = 0.1;       // pop-to-pop roughness
  double Whine = 0.0;        // gearbox whine, a high harmonic of the firing rate
  int WhineOrder = 8;
  double Mechanics = 0.05;  // valve-train clatter
  double Wind = 0.0;
  double ToneHz = 5000;  // the final low-pass
  double Drive = 1.2;    // saturation
  // The growl: a tone locked to the firing phase whose harmonics give each gear its own
  // colour; Roughness makes its strength stumble from pop to pop, Lilt sways it over each pair
  // of firings.
  std::vector<double> Growl;
  double GrowlGain = 0.0;
  double Roughness = 0.0;
  double Lilt = 0.0;
  std::vector<Wobble> Wobbles;
  uint32_t Seed = 1;
};

Signal EngineLoop(const EngineVoice& v) {
  SynthRandom rng(v.Seed);
  const int n = Samples(v.LoopSeconds);
  // Firings come in pairs so the alternate-pop lilt also closes the loop.
  const std::vector<double> phase = LoopPhase(n, v.FiringHz, kSoundRate, v.Wobbles, 2);
  Signal loop(static_cast<size_t>(n), 0.0);

  const double popSeconds = 5 * std::max(v.BodyDecayS, v.BarkDecayS) + 0.002;
  const int popLength = Samples(popSeconds);
  const int firings = static_cast<int>(std::lround(phase[n]));
  int i = 0;
  for (int k = 0; k < firings; ++k) {
    while (i < n && phase[i + 1] < k) ++i;
    // The firing falls between samples i and i + 1.
    const double frac = (k - phase[i]) / (phase[i + 1] - phase[i]);
    const double at = i + frac;
    const double amp = (k % 2 ? 1.0 - v.Unevenness : 1.0) * (1.0 + v.Jitter * rng.Uniform());
    const double barkPhase = rng.Unit();
    Signal pop(static_cast<size_t>(popLength + 2));
    const int first = i + 1;
    for (int j = 0; j < popLength + 2; ++j) {
      const double t = (first + j - at) / kSoundRate;
      const double body = AttackDecay(t, 0.0008, v.BodyDecayS) * std::sin(kTwoPi * v.BodyHz * t);
      const double bark =
          AttackDecay(t, 0.0004, v.BarkDecayS) * std::sin(kTwoPi * (v.BarkHz * t + barkPhase));
      const double rasp = AttackDecay(t, 0.0002, 0.0025) * rng.Uniform();
      pop[j] = body + v.Bark * bark + v.Rasp * rasp;
    }
    MixIntoLoop(loop, pop, amp, first);
  }

  // Gearbox whine and valve clatter ride on the firing phase, so they close the loop too.
  Signal clatter = FilteredLoop(Noise(n, rng), Biquad::BandPass(2600, 1.2, kSoundRate));
  for (int j = 0; j < n; ++j) {
    const double p = phase[j];
    loop[j] += v.Whine * std::sin(kTwoPi * v.WhineOrder * p);
    loop[j] += v.Mechanics * clatter[j] * (0.5 + 0.5 * std::cos(kTwoPi * p));
  }
  if (v.GrowlGain > 0) {
    // Irregular from firing to firing: noise smoothed to about the firing rate, as a ring.
    Signal stumble =
        FilteredLoop(Noise(n, rng), Biquad::LowPass(0.7 * v.FiringHz, 0.7, kSoundRate));
    ScaleToPeak(stumble, 1.0);
    for (int j = 0; j < n; ++j) {
      const double p = phase[j];
      const double sway = 1.0 + v.Lilt * std::cos(kTwoPi * 0.5 * p);
      const double strength = sway * (1.0 + v.Roughness * stumble[j]);
      loop[j] += v.GrowlGain * strength * HarmonicSum(p, v.Growl, v.FiringHz, 9000);
    }
  }
  if (v.Wind > 0) {
    Signal wind = FilteredLoop(Noise(n, rng), Biquad::LowPass(700, 0.7, kSoundRate));
    wind = FilteredLoop(wind, Biquad::HighPass(120, 0.7, kSoundRate));
    for (int j = 0; j < n; ++j) {
      const double gust = 0.75 + 0.25 * std::sin(kTwoPi * 2 * j / n);
      loop[j] += v.Wind * gust * wind[j];
    }
  }

  loop = FilteredLoop(loop, Biquad::LowPass(v.ToneHz, 0.7, kSoundRate));
  loop = FilteredLoop(loop, Biquad::HighPass(30, 0.7, kSoundRate));
  ScaleToPeak(loop, 1.0);
  for (double& x : loop) x = SoftClip(v.Drive * x);
  return loop;
}

EngineVoice IdleVoice() {
  EngineVoice v;
  v.FiringHz = 29;
  v.LoopSeconds = 0.8;
  v.BodyHz = 85;
  v.BodyDecayS = 0.012;
  v.BarkHz = 330;
  v.Bark = 0.35;
  v.Rasp = 0.12;
  v.Unevenness = 0.3;
  v.Jitter = 0.18;
  v.Mechanics = 0.06;
  v.ToneHz = 2400;
  v.Wobbles = {{2, 0.03, 0.0}, {5, 0.012, 0.3}};
  v.Seed = 41;
  return v;
}

// The accelerating gears: one engine whose voice hardens as the revs climb, and in each gear a
// growl of its own.
EngineVoice GearVoice(double firingHz, double load, uint32_t seed) {
  EngineVoice v;
  v.FiringHz = firingHz;
  v.LoopSeconds = 1.0;
  v.BodyHz = 95 + 40 * load;
  v.BodyDecayS = 0.008 - 0.003 * load;
  v.BarkHz = 420 + 260 * load;
  v.BarkDecayS = 0.003;
  v.Bark = 0.45 + 0.35 * load;
  v.Rasp = 0.12 + 0.18 * load;
  v.Unevenness = 0.18 - 0.1 * load;
  v.Jitter = 0.12;
  v.Whine = 0.015 + 0.03 * load;
  v.WhineOrder = 9;
  v.Mechanics = 0.05;
  v.ToneHz = 3800 + 2500 * load;
  v.Drive = 1.4 + 0.8 * load;
  v.Wobbles = {{1, 0.006, 0.1}, {3, 0.004, 0.6}};
  v.Seed = seed;
  return v;
}

// First gear lugs: a deep, lumpy beat, strong in its low odd harmonics.
EngineVoice FirstGear() {
  EngineVoice v = GearVoice(62, 0.2, 91);
  v.Growl = {1.0, 0.55, 0.8, 0.3, 0.5, 0.2, 0.3, 0.12, 0.15};
  v.GrowlGain = 0.5;
  v.Roughness = 0.35;
  v.Lilt = 0.35;
  v.Unevenness = 0.3;
  v.Jitter = 0.18;
  v.Wobbles = {{1, 0.008, 0.1}, {3, 0.006, 0.6}, {7, 0.003, 0.2}};
  return v;
}

// Second gear pulls round and full: the even harmonics come up.
EngineVoice SecondGear() {
  EngineVoice v = GearVoice(80, 0.4, 92);
  v.Growl = {0.8, 1.0, 0.5, 0.7, 0.3, 0.4, 0.15, 0.2, 0.1, 0.1};
  v.GrowlGain = 0.45;
  v.Roughness = 0.3;
  v.Lilt = 0.25;
  v.Wobbles = {{1, 0.007, 0.3}, {4, 0.005, 0.1}, {9, 0.002, 0.5}};
  return v;
}

// Third gear snarls: the middle harmonics lead.
EngineVoice ThirdGear() {
  EngineVoice v = GearVoice(100, 0.6, 93);
  v.Growl = {0.25, 0.5, 1.0, 0.9, 0.55, 0.35, 0.3, 0.2, 0.15, 0.1, 0.08, 0.06};
  v.GrowlGain = 0.85;
  v.Roughness = 0.28;
  v.Lilt = 0.18;
  v.BarkHz = 640;
  v.Wobbles = {{1, 0.006, 0.7}, {3, 0.005, 0.2}, {8, 0.002, 0.4}};
  return v;
}

// Fourth gear and up: a hard, buzzing howl with the gearbox singing over it.
EngineVoice FourthGear() {
  EngineVoice v = GearVoice(121, 0.8, 94);
  v.Growl = {0.2, 0.3, 0.5, 1.0, 1.0, 0.6, 0.4, 0.45, 0.3, 0.25, 0.2, 0.15, 0.12, 0.1};
  v.GrowlGain = 0.9;
  v.Roughness = 0.22;
  v.Lilt = 0.12;
  v.Whine = 0.06;
  v.WhineOrder = 11;
  v.Wobbles = {{1, 0.005, 0.4}, {5, 0.004, 0.9}, {11, 0.0015, 0.3}};
  return v;
}

// Flat out: a thin, bright scream with a little flutter.
EngineVoice TopSpeedVoice() {
  EngineVoice v = GearVoice(150, 1.0, 95);
  v.Growl = {0.15, 0.2, 0.3, 0.4, 0.7, 1.0, 0.9, 0.7, 0.6, 0.5, 0.4, 0.3, 0.25, 0.2, 0.15, 0.1};
  v.GrowlGain = 1.0;
  v.Roughness = 0.18;
  v.Lilt = 0.08;
  v.Whine = 0.07;
  v.WhineOrder = 13;
  v.Wobbles = {{1, 0.004, 0.2}, {6, 0.004, 0.5}, {17, 0.0015, 0.8}};
  return v;
}

EngineVoice CoastVoice() {
  EngineVoice v = GearVoice(52, 0.1, 61);
  v.Bark = 0.2;
  v.Rasp = 0.25;  // off throttle the pops turn to a burble
  v.Jitter = 0.3;
  v.BodyDecayS = 0.006;
  v.Wind = 0.55;
  v.ToneHz = 2600;
  v.Drive = 1.1;
  v.Growl = {1.0, 0.5, 0.35, 0.2, 0.12};
  v.GrowlGain = 0.2;
  v.Roughness = 0.5;
  v.Lilt = 0.3;
  v.Wobbles = {{1, 0.01, 0.0}, {4, 0.006, 0.4}};
  return v;
}

// The clutch is out for a moment: the engine spins free, light and steady, under a rush of air
// and the whirr of the gearbox. It sits at fourth gear's pitch, where most changes happen (two
// of them inside the fourth-to-sixth band that shares one loop), so it never sounds like the
// revs dropping; from the lower gears it is a brief flare.
EngineVoice ShiftVoice() {
  EngineVoice v = GearVoice(128, 0.3, 53);
  v.LoopSeconds = 0.36;
  v.Bark = 0.12;
  v.Rasp = 0.08;
  v.BodyDecayS = 0.004;
  v.Growl = {0.2, 0.35, 0.5, 0.45, 0.35, 0.25, 0.15};
  v.GrowlGain = 0.25;
  v.Roughness = 0.2;
  v.Whine = 0.08;
  v.WhineOrder = 12;
  v.Mechanics = 0.1;
  v.Wind = 0.7;
  v.ToneHz = 4200;
  v.Drive = 1.0;
  v.Wobbles = {{2, 0.004, 0.3}};
  return v;
}

// ---- Other loops ---------------------------------------------------------------------------

// Tyres squealing over a scrubbing hiss.
Signal BrakeLoop() {
  SynthRandom rng(71);
  const int n = Samples(0.8);
  const std::vector<double> squeal =
      LoopPhase(n, 1240, kSoundRate, {{5, 0.012, 0.0}, {2, 0.018, 0.3}, {13, 0.005, 0.7}});
  const std::vector<double> upper =
      LoopPhase(n, 1860, kSoundRate, {{3, 0.015, 0.5}, {7, 0.008, 0.1}});
  // The grip comes and goes: slow random swells that close the loop.
  Signal grip = FilteredLoop(Noise(n, rng), Biquad::LowPass(9, 0.7, kSoundRate));
  ScaleToPeak(grip, 1.0);
  Signal hiss = FilteredLoop(Noise(n, rng), Biquad::BandPass(3200, 0.9, kSoundRate));
  Signal rumble = FilteredLoop(Noise(n, rng), Biquad::LowPass(160, 0.8, kSoundRate));
  ScaleToPeak(hiss, 1.0);
  ScaleToPeak(rumble, 1.0);
  Signal s(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const double a = squeal[i], b = upper[i];
    const double tone = std::sin(kTwoPi * a) + 0.35 * std::sin(kTwoPi * 2 * a) +
                        0.18 * std::sin(kTwoPi * 3 * a) + 0.3 * std::sin(kTwoPi * b);
    const double swell = 0.7 + 0.3 * grip[i];
    s[i] = 0.55 * swell * tone + 0.35 * (1.2 - swell) * hiss[i] + 0.3 * rumble[i];
  }
  s = FilteredLoop(s, Biquad::LowPass(6000, 0.7, kSoundRate));
  ScaleToPeak(s, 1.0);
  for (double& x : s) x = SoftClip(1.3 * x);
  return s;
}

// A two-tone horn: buzzy diaphragm notes a minor third apart through a bright bell. Each
// note has a slightly sharp twin, so the pair beats; the bell flutters. Every rate is a whole
// number of cycles a loop.
Signal HornLoop() {
  const int n = Samples(0.4);
  const double loopHz = 1.0 / Seconds(n);
  const double low = FitToLoop(415, n, kSoundRate);
  const double high = FitToLoop(520, n, kSoundRate);
  std::vector<double> amps;
  for (int h = 1; h <= 30; ++h) amps.push_back((h % 2 ? 1.0 : 0.45) / h);
  Signal s(static_cast<size_t>(n));
  const double limit = 0.45 * kSoundRate;
  for (int i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kSoundRate;
    // The notes' wave fronts are kept apart so they never jump together.
    const double lowPair = HarmonicSum(low * t, amps, low, limit) +
                           0.6 * HarmonicSum((low + loopHz) * t + 0.21, amps, low, limit);
    const double highPair = HarmonicSum(high * t + 0.3, amps, high, limit) +
                            0.6 * HarmonicSum((high + 2 * loopHz) * t + 0.55, amps, high, limit);
    const double flutter = 1.0 + 0.06 * std::sin(kTwoPi * 30 * loopHz * t);
    s[i] = flutter * (lowPair + 0.85 * highPair);
  }
  s = FilteredLoop(s, Biquad::Peak(2300, 1.2, 7, kSoundRate));
  s = FilteredLoop(s, Biquad::Peak(3400, 3, 4, kSoundRate));
  s = FilteredLoop(s, Biquad::HighPass(300, 0.7, kSoundRate));
  ScaleToPeak(s, 1.0);
  // A little asymmetry in the clipping: the diaphragm rattles.
  for (double& x : s) x = SoftClip(1.8 * x + 0.15 * x * x);
  return FilteredLoop(s, Biquad::HighPass(80, 0.7, kSoundRate));
}

// ---- One-shots -----------------------------------------------------------------------------

// The main menu's arrival: a rising rush of air over an engine rev.
Signal MenuWhoosh() {
  SynthRandom rng(11);
  const int n = Samples(1.05);
  Signal air = SweptNoise(
      n, rng, 1.4,
      [](double t) {
        return t < 0.45 ? 300 * std::pow(12.0, t / 0.45) : 3600 * std::exp(-(t - 0.45) * 2.4);
      },
      [](double t) { return AttackDecay(t, 0.4, 0.25); });
  Signal rev(static_cast<size_t>(n));
  double phase = 0;
  std::vector<double> amps;
  for (int h = 1; h <= 60; ++h) amps.push_back(std::pow(h, -0.9) * (h % 2 ? 1.0 : 0.7));
  for (int i = 0; i < n; ++i) {
    const double t = Seconds(i);
    const double revs = t < 0.35 ? t / 0.35 : std::exp(-(t - 0.35) * 2.2);
    const double hz = 45 + 120 * revs;
    phase += hz / kSoundRate;
    rev[i] = AttackDecay(t, 0.08, 0.5) * HarmonicSum(phase, amps, hz, 5000);
  }
  rev = Filtered(rev, Biquad::LowPass(1800, 0.9, kSoundRate));
  ScaleToPeak(air, 1.0);
  ScaleToPeak(rev, 1.0);
  Signal s(static_cast<size_t>(n), 0.0);
  MixInto(s, air, 0.8);
  MixInto(s, rev, 0.45);
  return s;
}

// A soft tick for moving the highlight.
Signal HighlightTick() {
  Signal s(static_cast<size_t>(Samples(0.06)), 0.0);
  AddPartial(s, 0, 2100, 1900, 1.0, 0.001, 0.012);
  AddPartial(s, 0, 3150, 3000, 0.35, 0.0005, 0.006);
  AddPartial(s, 0, 900, 880, 0.3, 0.001, 0.015);
  return s;
}

// A firm click-clack for confirming.
Signal ConfirmClick() {
  SynthRandom rng(23);
  Signal s(static_cast<size_t>(Samples(0.16)), 0.0);
  AddPartial(s, 0, 1500, 900, 1.0, 0.001, 0.025);
  AddPartial(s, 0, 430, 400, 0.6, 0.001, 0.04);
  AddPartial(s, Samples(0.055), 1900, 1700, 0.55, 0.001, 0.02);
  Signal tap = Filtered(Noise(Samples(0.02), rng), Biquad::BandPass(4200, 1.5, kSoundRate));
  for (int i = 0; i < static_cast<int>(tap.size()); ++i)
    tap[i] *= AttackDecay(Seconds(i), 0.0003, 0.004);
  MixInto(s, tap, 1.2);
  return s;
}

// A swish for sliding bikes and stamping result lines.
Signal Swish() {
  SynthRandom rng(31);
  const double length = 0.36;
  Signal s = SweptNoise(
      Samples(length), rng, 2.2, [](double t) { return 4200 * std::exp(-t * 5.5) + 600; },
      [](double t) { return AttackDecay(t, 0.06, 0.09); });
  Signal air = Filtered(Noise(Samples(length), rng), Biquad::HighPass(5000, 0.7, kSoundRate));
  for (int i = 0; i < static_cast<int>(air.size()); ++i)
    air[i] *= 0.12 * AttackDecay(Seconds(i), 0.03, 0.07);
  MixInto(s, air, 1.0);
  return s;
}

// A bright bell for a score bonus: a quick rising pair, then the top note rings on with the
// inharmonic partials of a struck bar and a shimmer of high sparkle.
Signal BonusChime() {
  Signal s(static_cast<size_t>(Samples(0.4)), 0.0);
  const double notes[3] = {Pitch(19), Pitch(26), Pitch(31)};  // E6, B6, E7
  for (int k = 0; k < 3; ++k) {
    const int at = Samples(0.055 * k);
    const double f = notes[k];
    const double ring = k == 2 ? 0.2 : 0.09;
    AddPartial(s, at, f, f, 1.0, 0.002, ring);
    AddPartial(s, at, 2 * f, 2 * f, 0.35, 0.001, ring * 0.45);
    AddPartial(s, at, 2.76 * f, 2.76 * f, 0.22, 0.001, ring * 0.3);
    AddPartial(s, at, 5.4 * f, 5.4 * f, 0.1, 0.0005, 0.02);
    AddPartial(s, at, f * 1.003, f * 1.003, 0.3, 0.002, ring);  // a slow beat on the ring
  }
  SynthRandom rng(47);
  Signal sparkle = Filtered(Noise(Samples(0.3), rng), Biquad::HighPass(7000, 0.7, kSoundRate));
  for (int i = 0; i < static_cast<int>(sparkle.size()); ++i)
    sparkle[i] *= 0.12 * AttackDecay(Seconds(i), 0.01, 0.06);
  MixInto(s, sparkle, 1.0, Samples(0.11));
  return s;
}

// A rising run of notes and a sparkling top note for an extra life.
Signal LifeBonus() {
  const int n = Samples(0.9);
  Signal s(static_cast<size_t>(n), 0.0);
  const int run[7] = {3, 7, 10, 15, 19, 22, 27};  // C5 E5 G5 C6 E6 G6 C7
  for (int k = 0; k < 7; ++k) {
    const bool last = (k == 6);
    const double hz = Pitch(run[k]);
    Signal note(static_cast<size_t>(Samples(last ? 0.4 : 0.14)), 0.0);
    double phase = 0;
    for (int i = 0; i < static_cast<int>(note.size()); ++i) {
      const double t = Seconds(i);
      const double f =
          hz * (1.0 + (last ? 0.01 * std::sin(kTwoPi * 7 * t) * std::min(1.0, t / 0.1) : 0));
      phase += f / kSoundRate;
      // A square-ish tone: odd harmonics, band-limited.
      double v = 0;
      for (int h = 1; h <= 9 && h * f < 9500; h += 2) {
        v += std::sin(kTwoPi * h * phase) / h;
        v += 0.5 * std::sin(kTwoPi * h * phase * 1.004 + 1.0) / h;  // a chorus twin
      }
      note[i] = v * AttackDecay(t, 0.003, last ? 0.16 : 0.06);
    }
    MixInto(s, note, last ? 0.8 : 0.6, Samples(0.065 * k));
  }
  // Sparkles around the top note.
  SynthRandom rng(59);
  for (int k = 0; k < 9; ++k) {
    const int at = Samples(0.4 + 0.04 * k + 0.02 * rng.Unit());
    const double f = Pitch(27 + 5 * (k % 3)) * (1.0 + 0.004 * rng.Uniform());
    AddPartial(s, at, f, f, 0.18 - 0.012 * k, 0.001, 0.05);
  }
  // The glide underneath joins the run into one gesture.
  double phase = 0;
  for (int i = 0; i < Samples(0.46); ++i) {
    const double t = Seconds(i);
    const double f = Pitch(3) * std::pow(4.0, t / 0.46);
    phase += f / kSoundRate;
    s[i] += 0.25 * std::sin(kTwoPi * phase) * std::min(1.0, t / 0.05) *
            std::min(1.0, (0.46 - t) / 0.05);
  }
  return s;
}

// A metallic thud as bike and car touch.
Signal Bump() {
  SynthRandom rng(17);
  Signal s(static_cast<size_t>(Samples(0.36)), 0.0);
  AddPartial(s, 0, 95, 52, 1.0, 0.002, 0.07);
  const double plate[4][3] = {
      {523, 0.35, 0.09}, {1187, 0.25, 0.06}, {1935, 0.18, 0.045}, {2840, 0.1, 0.03}};
  for (const auto& p : plate) AddPartial(s, 0, p[0], p[0] * 0.99, p[1], 0.001, p[2]);
  Signal knock = Filtered(Noise(Samples(0.08), rng), Biquad::LowPass(1500, 0.8, kSoundRate));
  for (int i = 0; i < static_cast<int>(knock.size()); ++i)
    knock[i] *= AttackDecay(Seconds(i), 0.0005, 0.015);
  MixInto(s, knock, 1.5);
  for (double& x : s) x = SoftClip(2.0 * x);
  return s;
}

// A clean digital beep of the race clock.
Signal TimerBeep() {
  const int n = Samples(0.08);
  Signal s(static_cast<size_t>(n));
  const double hz = Pitch(15);  // C6
  std::vector<double> amps = {1.0, 0.0, 0.22, 0.0, 0.08, 0.0, 0.03};
  for (int i = 0; i < n; ++i) {
    const double t = Seconds(i);
    s[i] = HarmonicSum(hz * t, amps, hz, 9000) * std::min(1.0, t / 0.004);
  }
  return s;
}

// A gear lever clack and a short chirp of the rear tyre.
Signal GearShift() {
  SynthRandom rng(29);
  const int n = Samples(0.3);
  Signal s(static_cast<size_t>(n), 0.0);
  for (double at : {0.0, 0.032}) {
    const int o = Samples(at);
    Signal click = Filtered(Noise(Samples(0.04), rng), Biquad::BandPass(2500, 3, kSoundRate));
    for (int i = 0; i < static_cast<int>(click.size()); ++i)
      click[i] *= AttackDecay(Seconds(i), 0.0002, 0.006);
    MixInto(s, click, 2.0, o);
    AddPartial(s, o, 1850, 1850, 0.25, 0.0005, 0.025);
    AddPartial(s, o, 3100, 3100, 0.15, 0.0005, 0.018);
    AddPartial(s, o, 150, 120, 0.6, 0.001, 0.03);
  }
  const int chirpAt = Samples(0.06);
  double phase = 0;
  for (int i = chirpAt; i < n; ++i) {
    const double t = Seconds(i - chirpAt);
    const double f = 1500 - 250 * t / 0.24;
    phase += f / kSoundRate;
    s[i] += 0.35 * AttackDecay(t, 0.01, 0.045) *
            (std::sin(kTwoPi * phase) + 0.3 * std::sin(kTwoPi * 2 * phase));
  }
  Signal scrub = Filtered(Noise(n - chirpAt, rng), Biquad::BandPass(3000, 1, kSoundRate));
  for (int i = 0; i < static_cast<int>(scrub.size()); ++i)
    scrub[i] *= 0.4 * AttackDecay(Seconds(i), 0.01, 0.04);
  MixInto(s, scrub, 1.0, chirpAt);
  return s;
}

// Impact, clang and the crack of fairings; the bike bounces once, the engine dies, and it
// scrapes and rattles to a stop over gravel.
Signal Crash() {
  SynthRandom rng(37);
  const int n = Samples(1.45);
  Signal s(static_cast<size_t>(n), 0.0);
  // Two impacts: the hit and, a moment later, the bounce.
  for (const auto& [at, gain] : {std::pair{0.0, 1.0}, std::pair{0.23, 0.55}}) {
    const int o = Samples(at);
    AddPartial(s, o, 70, 38, gain, 0.003, 0.16);
    AddPartial(s, o, 140, 90, 0.4 * gain, 0.002, 0.06);
    Signal burst = Filtered(Noise(Samples(0.4), rng), Biquad::LowPass(3200, 0.7, kSoundRate));
    for (int i = 0; i < static_cast<int>(burst.size()); ++i)
      burst[i] *= AttackDecay(Seconds(i), 0.001, 0.05 + 0.02 * gain);
    MixInto(s, burst, 1.6 * gain, o);
  }
  const double clang[6][3] = {{311, 0.3, 0.5},   {743, 0.28, 0.35}, {1290, 0.22, 0.25},
                              {2033, 0.16, 0.2}, {2950, 0.1, 0.15}, {4120, 0.06, 0.1}};
  for (const auto& p : clang) AddPartial(s, 0, p[0], p[0] * 0.985, p[1], 0.001, p[2]);
  for (const auto& p : clang) {
    AddPartial(s, Samples(0.23), p[0] * 1.06, p[0] * 1.04, 0.5 * p[1], 0.001, 0.6 * p[2]);
  }
  // Plastic cracking: a few sharp, bright snaps in the first tenth of a second.
  for (int k = 0; k < 5; ++k) {
    const int at = Samples(0.005 + 0.02 * k + 0.01 * rng.Unit());
    Signal snap = Filtered(Noise(Samples(0.03), rng),
                           Biquad::BandPass(2500 + 2500 * rng.Unit(), 2.5, kSoundRate));
    for (int i = 0; i < static_cast<int>(snap.size()); ++i)
      snap[i] *= AttackDecay(Seconds(i), 0.0002, 0.004);
    MixInto(s, snap, 1.4 - 0.2 * k, at);
  }
  // The engine dies: its note falls and fades under the scrape.
  {
    std::vector<double> amps = {1.0, 0.6, 0.5, 0.3, 0.25, 0.15, 0.1, 0.08};
    double phase = 0;
    for (int i = 0; i < Samples(0.7); ++i) {
      const double t = Seconds(i);
      const double hz = 30 + 90 * std::exp(-t / 0.2);
      phase += hz / kSoundRate;
      s[i] += 0.3 * AttackDecay(t, 0.01, 0.22) * HarmonicSum(phase, amps, hz, 4000);
    }
  }
  // The scrape: grinding noise whose roughness comes from a slow random gain, over gravel.
  Signal grind = FilteredLoop(Noise(n, rng), Biquad::BandPass(1800, 1.4, kSoundRate));
  Signal rough = Filtered(Noise(n, rng), Biquad::LowPass(28, 0.7, kSoundRate));
  Signal gravel = Filtered(Noise(n, rng), Biquad::BandPass(5200, 0.8, kSoundRate));
  ScaleToPeak(grind, 1.0);
  ScaleToPeak(rough, 1.0);
  ScaleToPeak(gravel, 1.0);
  Signal slide = Filtered(Noise(n, rng), Biquad::LowPass(600, 0.7, kSoundRate));
  ScaleToPeak(slide, 1.0);
  for (int i = 0; i < n; ++i) {
    const double t = Seconds(i);
    const double scrape =
        std::min(1.0, std::max(0.0, (t - 0.08) / 0.06)) * std::exp(-std::max(0.0, t - 0.3) * 2.4);
    // Gravel comes in grains: the noise is gated by a fast random pulse.
    const double grain = rng.Unit() < 0.08 ? 1.0 : 0.15;
    s[i] += 0.5 * scrape * (0.6 + 0.4 * rough[i]) * grind[i];
    s[i] += 0.35 * scrape * slide[i];
    s[i] += 0.25 * scrape * grain * gravel[i];
  }
  // Bits of debris bouncing away.
  for (int k = 0; k < 11; ++k) {
    const int at = Samples(0.15 + 0.95 * rng.Unit());
    const double f = 900 + 2600 * rng.Unit();
    AddPartial(s, at, f, f * 0.97, 0.12 + 0.1 * rng.Unit(), 0.0005, 0.02 + 0.03 * rng.Unit());
  }
  ScaleToPeak(s, 1.0);
  for (double& x : s) x = SoftClip(2.2 * x);  // dense enough to be heard over engine and music
  return s;
}

// A short brass fanfare for finishing the last level: G C E G - E G, then the held chord.
Signal Fanfare() {
  const int n = Samples(2.85);
  Signal s(static_cast<size_t>(n), 0.0);
  struct Note {
    double At, Length;
    int Semitones;  // from A4
    double Gain;
  };
  const Note melody[] = {{0.00, 0.15, -2, 0.8}, {0.16, 0.15, 3, 0.8},  {0.32, 0.15, 7, 0.8},
                         {0.48, 0.42, 10, 1.0}, {0.96, 0.15, 7, 0.85}, {1.12, 1.7, 10, 1.0}};
  for (const Note& m : melody) {
    MixInto(s, SynthNote(Pitch(m.Semitones), m.Length, 2600, 0.05, 0.05, 0.004), 0.5 * m.Gain,
            Samples(m.At));
  }
  // The band joins on the last note: C major under the melody.
  for (int semis : {-21, -9, -5, -2, 3}) {
    MixInto(s, SynthNote(Pitch(semis), 1.7, 1500, 0.08, 0.6, 0.003), 0.22, Samples(1.12));
  }
  AddPartial(s, Samples(1.12), 98, 92, 0.9, 0.004, 0.35);
  SynthRandom rng(43);
  Signal cymbal = Filtered(Noise(Samples(1.6), rng), Biquad::HighPass(5500, 0.7, kSoundRate));
  for (int i = 0; i < static_cast<int>(cymbal.size()); ++i)
    cymbal[i] *= AttackDecay(Seconds(i), 0.002, 0.45);
  MixInto(s, cymbal, 0.35, Samples(1.12));
  return s;
}

}  // namespace

std::vector<WaveItemSpec> BakeSounds() {
  constexpr double kEffectPeak = 0.7;   // leaves headroom when effects and music play together
  // Engines run all race long under the music: each a little more present than the one below.
  constexpr double kEngineMaxPeak = 0.6;
  std::vector<WaveItemSpec> items;
  auto add = [&](const char* name, bool looped, int maxPlaying, std::string wave) {
    items.push_back({name, looped, maxPlaying, std::move(wave)});
  };
  auto engine = [&](const EngineVoice& v, double presenceDb) {
    return EngineWave(EngineLoop(v), presenceDb, kEngineMaxPeak);
  };
  add("MenuIntro", false, 1, OneShot(MenuWhoosh(), kEffectPeak));
  add("Highlight", false, 2, OneShot(HighlightTick(), 0.45));
  add("Confirm", false, 2, OneShot(ConfirmClick(), 0.6));
  add("Swish", false, 2, OneShot(Swish(), 0.6));
  add("EngineIdle", true, 1, engine(IdleVoice(), -29));
  add("GearChange", true, 1, engine(ShiftVoice(), -26));
  add("Coasting", true, 1, engine(CoastVoice(), -28));
  add("ExtraBrake", true, 1, Loop(BrakeLoop(), 0.4));
  add("Horn", true, 1, Loop(HornLoop(), 0.5));
  add("Gear1", true, 1, engine(FirstGear(), -25.5));
  add("Gear2", true, 1, engine(SecondGear(), -25));
  add("Gear3", true, 1, engine(ThirdGear(), -24.5));
  add("Gear4", true, 1, engine(FourthGear(), -24));
  add("TopSpeed", true, 1, engine(TopSpeedVoice(), -23.5));
  add("ScoreBonus", false, 2, OneShot(BonusChime(), 0.6));
  add("LifeBonus", false, 1, OneShot(LifeBonus(), 0.65));
  add("Unused", false, 1, Wave(Signal(static_cast<size_t>(Samples(0.1)), 0.0)));
  add("Bump", false, 2, OneShot(Bump(), 0.8));
  add("TimerBeep", false, 2, OneShot(TimerBeep(), 0.35));
  add("GearShift", false, 1, OneShot(GearShift(), 0.65));
  add("Crash", false, 2, OneShot(Crash(), 0.85));
  add("RaceFinished", false, 1, OneShot(Fanfare(), 0.8));
  return items;
}
