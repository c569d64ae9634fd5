// A small synthesis kit for the baker's sounds and instruments: noise, filters, looping phase,
// envelopes and conversion to 16-bit samples. Everything is deterministic: noise comes from a
// seeded generator of its own.
#pragma once

#include <cstdint>
#include <vector>

using Signal = std::vector<double>;

constexpr double kTwoPi = 6.283185307179586;

// Noise and random choices for sound design; a fixed seed gives the same sound on every bake.
class SynthRandom {
 public:
  explicit SynthRandom(uint32_t seed) : State_(seed ? seed : 0x9E3779B9u) {}
  uint32_t NextBits();
  double Uniform();  // -1 .. 1
  double Unit();     // 0 .. 1

 private:
  uint32_t State_;
};

// A second-order filter section (the usual audio cookbook designs).
class Biquad {
 public:
  static Biquad LowPass(double hz, double q, double rate);
  static Biquad HighPass(double hz, double q, double rate);
  static Biquad BandPass(double hz, double q, double rate);  // 0 dB at the centre
  static Biquad Peak(double hz, double q, double gainDb, double rate);

  double Step(double x);
  // Takes another design's coefficients but keeps this filter's state, for sweeps.
  void Retune(const Biquad& design);

 private:
  static Biquad FromCookbook(double b0, double b1, double b2, double a0, double a1, double a2);

  double B0_ = 1, B1_ = 0, B2_ = 0, A1_ = 0, A2_ = 0;
  double Z1_ = 0, Z2_ = 0;
};

Signal Filtered(const Signal& in, Biquad filter);
// Filters a loop as a ring, so the filter's state at the end flows into the start and the loop
// stays seamless.
Signal FilteredLoop(const Signal& in, Biquad filter);

// Slow wander of a looped tone's frequency: a sine of a whole number of cycles a loop.
struct Wobble {
  int CyclesPerLoop = 1;
  double Depth = 0;  // relative, e.g. 0.02 for 2 %
  double PhaseCycles = 0;
};

// The running phase (in cycles) of a tone near hz over a loop of length samples, with
// wobbles; the phase at the loop's end is a whole multiple of cycleMultiple cycles, so every
// harmonic, and the sub-harmonic 1/cycleMultiple, closes the loop. Has length + 1 entries.
std::vector<double> LoopPhase(int length, double hz, double rate,
                              const std::vector<Wobble>& wobbles, int cycleMultiple = 1);

// The nearest frequency that fits a whole number of cycles in a loop.
double FitToLoop(double hz, int length, double rate);

// A band-limited sum of harmonics at the given phase (cycles): harmonic n has amplitude
// amps[n - 1]; harmonics above the limit frequency are left out.
double HarmonicSum(double phaseCycles, const std::vector<double>& amps, double hz, double limitHz);

void MixInto(Signal& into, const Signal& add, double gain, int offset = 0);
// Adds add into a loop, wrapping what passes the end round to the start.
void MixIntoLoop(Signal& loop, const Signal& add, double gain, int offset);
double PeakOf(const Signal& s);
void ScaleToPeak(Signal& s, double peak);
// Short raised-cosine fades so one-shots start and end at rest.
void FadeEnds(Signal& s, int fadeInSamples, int fadeOutSamples);
// Gentle saturation that stays below 1.
double SoftClip(double x);

// An attack/decay shape: rises over attack seconds, then falls exponentially with the time
// constant decay seconds.
double AttackDecay(double t, double attack, double decay);

// Clamped and rounded 16-bit samples of a signal in -1 .. 1.
std::vector<int16_t> ToPcm16(const Signal& s);
