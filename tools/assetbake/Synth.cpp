#include "Synth.h"

#include <algorithm>
#include <cassert>
#include <cmath>

uint32_t SynthRandom::NextBits() {
  // xorshift32: small, fast and the same everywhere.
  State_ ^= State_ << 13;
  State_ ^= State_ >> 17;
  State_ ^= State_ << 5;
  return State_;
}

double SynthRandom::Uniform() {
  return Unit() * 2.0 - 1.0;
}

double SynthRandom::Unit() {
  return (NextBits() >> 8) * (1.0 / 16777216.0);
}

Biquad Biquad::LowPass(double hz, double q, double rate) {
  const double w = kTwoPi * hz / rate;
  const double alpha = std::sin(w) / (2 * q);
  const double cw = std::cos(w);
  return FromCookbook((1 - cw) / 2, 1 - cw, (1 - cw) / 2, 1 + alpha, -2 * cw, 1 - alpha);
}

Biquad Biquad::HighPass(double hz, double q, double rate) {
  const double w = kTwoPi * hz / rate;
  const double alpha = std::sin(w) / (2 * q);
  const double cw = std::cos(w);
  return FromCookbook((1 + cw) / 2, -(1 + cw), (1 + cw) / 2, 1 + alpha, -2 * cw, 1 - alpha);
}

Biquad Biquad::BandPass(double hz, double q, double rate) {
  const double w = kTwoPi * hz / rate;
  const double alpha = std::sin(w) / (2 * q);
  const double cw = std::cos(w);
  return FromCookbook(alpha, 0, -alpha, 1 + alpha, -2 * cw, 1 - alpha);
}

Biquad Biquad::Peak(double hz, double q, double gainDb, double rate) {
  const double a = std::pow(10.0, gainDb / 40.0);
  const double w = kTwoPi * hz / rate;
  const double alpha = std::sin(w) / (2 * q);
  const double cw = std::cos(w);
  return FromCookbook(1 + alpha * a, -2 * cw, 1 - alpha * a, 1 + alpha / a, -2 * cw, 1 - alpha / a);
}

double Biquad::Step(double x) {
  // Transposed direct form II.
  const double y = B0_ * x + Z1_;
  Z1_ = B1_ * x - A1_ * y + Z2_;
  Z2_ = B2_ * x - A2_ * y;
  return y;
}

Biquad Biquad::FromCookbook(double b0, double b1, double b2, double a0, double a1, double a2) {
  Biquad f;
  f.B0_ = b0 / a0;
  f.B1_ = b1 / a0;
  f.B2_ = b2 / a0;
  f.A1_ = a1 / a0;
  f.A2_ = a2 / a0;
  return f;
}

void Biquad::Retune(const Biquad& design) {
  B0_ = design.B0_;
  B1_ = design.B1_;
  B2_ = design.B2_;
  A1_ = design.A1_;
  A2_ = design.A2_;
}

Signal Filtered(const Signal& in, Biquad filter) {
  Signal out(in.size());
  for (size_t i = 0; i < in.size(); ++i) out[i] = filter.Step(in[i]);
  return out;
}

Signal FilteredLoop(const Signal& in, Biquad filter) {
  // The first lap only settles the filter; the loops are long against its decay.
  for (double x : in) filter.Step(x);
  return Filtered(in, filter);
}

std::vector<double> LoopPhase(int length, double hz, double rate,
                              const std::vector<Wobble>& wobbles, int cycleMultiple) {
  assert(length > 0 && cycleMultiple > 0);
  std::vector<double> phase(static_cast<size_t>(length) + 1, 0.0);
  for (int i = 0; i < length; ++i) {
    double f = hz;
    for (const Wobble& w : wobbles) {
      f *=
          1.0 + w.Depth * std::sin(kTwoPi * (w.CyclesPerLoop * double(i) / length + w.PhaseCycles));
    }
    phase[i + 1] = phase[i] + f / rate;
  }
  // Stretch the phase so the loop holds a whole number of cycleMultiple-cycle groups.
  const double groups = std::max(1.0, std::round(phase[length] / cycleMultiple));
  const double scale = groups * cycleMultiple / phase[length];
  for (double& p : phase) p *= scale;
  return phase;
}

double FitToLoop(double hz, int length, double rate) {
  const double cycles = std::max(1.0, std::round(hz * length / rate));
  return cycles * rate / length;
}

double HarmonicSum(double phaseCycles, const std::vector<double>& amps, double hz, double limitHz) {
  const double frac = phaseCycles - std::floor(phaseCycles);
  double sum = 0;
  for (size_t n = 1; n <= amps.size(); ++n) {
    if (hz * n > limitHz) break;
    sum += amps[n - 1] * std::sin(kTwoPi * frac * n);
  }
  return sum;
}

void MixInto(Signal& into, const Signal& add, double gain, int offset) {
  for (size_t i = 0; i < add.size(); ++i) {
    const long j = offset + static_cast<long>(i);
    if (j >= 0 && j < static_cast<long>(into.size())) into[j] += gain * add[i];
  }
}

void MixIntoLoop(Signal& loop, const Signal& add, double gain, int offset) {
  const long n = static_cast<long>(loop.size());
  for (size_t i = 0; i < add.size(); ++i) {
    long j = (offset + static_cast<long>(i)) % n;
    if (j < 0) j += n;
    loop[j] += gain * add[i];
  }
}

double PeakOf(const Signal& s) {
  double peak = 0;
  for (double x : s) peak = std::max(peak, std::fabs(x));
  return peak;
}

void ScaleToPeak(Signal& s, double peak) {
  const double p = PeakOf(s);
  if (p <= 0) return;
  for (double& x : s) x *= peak / p;
}

void FadeEnds(Signal& s, int fadeInSamples, int fadeOutSamples) {
  const int n = static_cast<int>(s.size());
  fadeInSamples = std::min(fadeInSamples, n);
  fadeOutSamples = std::min(fadeOutSamples, n);
  for (int i = 0; i < fadeInSamples; ++i) {
    s[i] *= 0.5 - 0.5 * std::cos(kTwoPi * 0.5 * i / fadeInSamples);
  }
  for (int i = 0; i < fadeOutSamples; ++i) {
    s[n - 1 - i] *= 0.5 - 0.5 * std::cos(kTwoPi * 0.5 * i / fadeOutSamples);
  }
}

double SoftClip(double x) {
  return std::tanh(x);
}

double AttackDecay(double t, double attack, double decay) {
  if (t < 0) return 0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / decay);
}

std::vector<int16_t> ToPcm16(const Signal& s) {
  std::vector<int16_t> out(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    const double v = std::clamp(s[i], -1.0, 1.0) * 32767.0;
    out[i] = static_cast<int16_t>(std::lround(v));
  }
  return out;
}
