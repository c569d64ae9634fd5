#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "../../tools/assetbake/Art.h"
#include "resources/CollectionWriter.h"
#include "resources/WaveCollection.h"

namespace {

constexpr int kSoundCount = 22;
constexpr int kUnusedSound = 16;
constexpr int kFullScale = 32767;

// The sounds as the game sees them: baked, written and loaded through its collection reader.
const TDXWaveList& BakedList() {
  static const TDXWaveList list = [] {
    const std::vector<uint8_t> file = WriteWaveCollection(BakeSounds());
    TDXWaveList l;
    l.LoadFromBytes(file.data(), file.size());
    return l;
  }();
  return list;
}

std::vector<int> SamplesOf(const TWaveCollectionItem& item) {
  std::vector<int> out(item.DataSize / 2);
  for (size_t i = 0; i < out.size(); ++i) {
    int16_t v;
    std::memcpy(&v, item.Wave.data() + item.DataOffset + 2 * i, 2);
    out[i] = v;
  }
  return out;
}

double Seconds(const TWaveCollectionItem& item) {
  return static_cast<double>(item.DataSize / 2) / item.Format.SamplesPerSec;
}

double Rms(const std::vector<int>& s) {
  double sum = 0;
  for (int v : s) sum += static_cast<double>(v) * v;
  return s.empty() ? 0 : std::sqrt(sum / s.size()) / kFullScale;
}

bool IsLoopedSound(int index) {
  return index >= 4 && index <= 13;
}

// The firing rate of an engine loop: the first strong peak of its circular autocorrelation.
double EngineHz(const TWaveCollectionItem& item) {
  const std::vector<int> s = SamplesOf(item);
  const int n = static_cast<int>(s.size());
  const int rate = static_cast<int>(item.Format.SamplesPerSec);
  const int shortest = rate / 500, longest = std::min(rate / 20, n / 2);
  std::vector<double> r(longest + 2, 0.0);
  double energy = 0;
  for (int v : s) energy += static_cast<double>(v) * v;
  for (int lag = shortest - 1; lag <= longest + 1; ++lag) {
    double c = 0;
    for (int i = 0; i < n; ++i) c += static_cast<double>(s[i]) * s[(i + lag) % n];
    r[lag] = c / energy;
  }
  const double best = *std::max_element(r.begin() + shortest, r.begin() + longest);
  for (int lag = shortest; lag <= longest; ++lag) {
    if (r[lag] >= 0.8 * best && r[lag] >= r[lag - 1] && r[lag] >= r[lag + 1]) {
      return static_cast<double>(rate) / lag;
    }
  }
  return 0;
}

// The power of each of the first count harmonics of hz: the strongest line within 3 % of each
// multiple, from a direct Fourier sum over the whole loop (its lines are 1/length apart).
std::vector<double> HarmonicPowers(const TWaveCollectionItem& item, double hz, int count) {
  const std::vector<int> s = SamplesOf(item);
  const double rate = item.Format.SamplesPerSec;
  const double lineHz = rate / static_cast<double>(s.size());
  std::vector<double> powers;
  for (int k = 1; k <= count; ++k) {
    double best = 0;
    for (double f = std::ceil(k * hz * 0.97 / lineHz) * lineHz; f <= k * hz * 1.03; f += lineHz) {
      double re = 0, im = 0;
      for (size_t i = 0; i < s.size(); ++i) {
        const double a = 6.283185307179586 * f * static_cast<double>(i) / rate;
        re += s[i] * std::cos(a);
        im += s[i] * std::sin(a);
      }
      best = std::max(best, re * re + im * im);
    }
    powers.push_back(best);
  }
  return powers;
}

// Sound with its rumble taken off (a first difference): roughly what cuts through a mix.
double Presence(const TWaveCollectionItem& item) {
  const std::vector<int> s = SamplesOf(item);
  std::vector<int> d;
  for (size_t i = 1; i < s.size(); ++i) d.push_back(s[i] - s[i - 1]);
  return Rms(d);
}

constexpr int kGearLoops[] = {9, 10, 11, 12, 13};  // gears 1 to 4, top speed
constexpr int kGearChange = 5;

TEST(BakedSounds, CollectionHoldsEveryIndexWithLoopsWhereTheGameExpectsThem) {
  const TDXWaveList& list = BakedList();
  ASSERT_EQ(list.Count(), kSoundCount);
  for (int i = 0; i < kSoundCount; ++i) {
    SCOPED_TRACE(i);
    // Engine sounds and the horn are started once and stopped explicitly, so they must repeat;
    // everything else must end by itself.
    EXPECT_EQ(list.Items[i].Looped, IsLoopedSound(i));
    EXPECT_GE(list.Items[i].MaxPlayingCount, 1);
    if (IsLoopedSound(i)) {
      EXPECT_EQ(list.Items[i].MaxPlayingCount, 1);
    }
  }
}

TEST(BakedSounds, EveryItemIsMono16BitPcm) {
  for (const TWaveCollectionItem& item : BakedList().Items) {
    SCOPED_TRACE(item.Name);
    EXPECT_EQ(item.Format.FormatTag, 1);
    EXPECT_EQ(item.Format.Channels, 1);
    EXPECT_EQ(item.Format.BitsPerSample, 16);
    EXPECT_TRUE(item.Format.SamplesPerSec == 22050 || item.Format.SamplesPerSec == 44100);
    EXPECT_GT(item.DataSize, 0u);
  }
}

TEST(BakedSounds, EverySoundButTheUnusedOneIsAudibleAndNeverClips) {
  const TDXWaveList& list = BakedList();
  for (int i = 0; i < kSoundCount; ++i) {
    SCOPED_TRACE(list.Items[i].Name);
    const std::vector<int> s = SamplesOf(list.Items[i]);
    if (i == kUnusedSound) {
      EXPECT_EQ(Rms(s), 0.0);
      EXPECT_LE(Seconds(list.Items[i]), 0.2);
      continue;
    }
    EXPECT_GT(Rms(s), 0.03);
    // A run of samples pinned at full scale is audible distortion.
    int run = 0, longest = 0;
    for (int v : s) {
      run = std::abs(v) >= kFullScale - 1 ? run + 1 : 0;
      longest = std::max(longest, run);
    }
    EXPECT_LT(longest, 2);
  }
}

TEST(BakedSounds, LoopsCloseWithoutAClick) {
  const TDXWaveList& list = BakedList();
  for (int i = 0; i < kSoundCount; ++i) {
    if (!IsLoopedSound(i)) continue;
    SCOPED_TRACE(list.Items[i].Name);
    const std::vector<int> s = SamplesOf(list.Items[i]);
    std::vector<int> steps;
    for (size_t k = 1; k < s.size(); ++k) steps.push_back(std::abs(s[k] - s[k - 1]));
    std::sort(steps.begin(), steps.end());
    const int typical = steps[steps.size() * 99 / 100];
    EXPECT_LE(std::abs(s.front() - s.back()), typical);
    // Cut at a zero crossing, so starting the loop does not click either.
    EXPECT_LE(std::abs(s.front()), 256);
    // Long enough not to buzz, short enough to keep the collection small.
    EXPECT_GE(Seconds(list.Items[i]), 0.3);
    EXPECT_LE(Seconds(list.Items[i]), 1.2);
  }
}

TEST(BakedSounds, OneShotsStartAndEndAtRest) {
  const TDXWaveList& list = BakedList();
  for (int i = 0; i < kSoundCount; ++i) {
    if (IsLoopedSound(i)) continue;
    SCOPED_TRACE(list.Items[i].Name);
    const std::vector<int> s = SamplesOf(list.Items[i]);
    EXPECT_LE(std::abs(s.front()), 64);
    EXPECT_LE(std::abs(s.back()), 64);
  }
}

TEST(BakedSounds, OneShotsFitTheMomentsThatPlayThem) {
  const TDXWaveList& list = BakedList();
  // Results lines are stamped one second apart.
  EXPECT_LT(Seconds(list.Items[3]), 1.0);
  // The time-bonus count beeps about ten times a second.
  EXPECT_LE(Seconds(list.Items[18]), 0.1);
  // Highlight ticks follow each other as fast as keys repeat.
  EXPECT_LE(Seconds(list.Items[1]), 0.1);
  // The fanfare must be over before its dialog closes after 3200 ms.
  EXPECT_LE(Seconds(list.Items[21]), 3.2);
  EXPECT_GE(Seconds(list.Items[21]), 2.0);
}

TEST(BakedSounds, EnginePitchRisesFromIdleThroughTheGearsToTopSpeed) {
  const TDXWaveList& list = BakedList();
  const int order[] = {4, 6, 9, 10, 11, 12, 13};  // idle, coasting, gears 1 to 4, top speed
  double previous = 0;
  for (int index : order) {
    SCOPED_TRACE(list.Items[index].Name);
    const double hz = EngineHz(list.Items[index]);
    EXPECT_GT(hz, previous * 1.1);
    previous = hz;
  }
  EXPECT_LT(EngineHz(list.Items[4]), 40.0);  // idle is a low rumble
}

// A steady sine would be one whistle; an engine growls in many harmonics of its firing rate.
TEST(BakedSounds, EveryGearLoopGrowlsInSeveralHarmonics) {
  const TDXWaveList& list = BakedList();
  for (int index : kGearLoops) {
    SCOPED_TRACE(list.Items[index].Name);
    const std::vector<double> p = HarmonicPowers(list.Items[index], EngineHz(list.Items[index]), 8);
    const double strongest = *std::max_element(p.begin(), p.end());
    const long within20Db =
        std::count_if(p.begin(), p.end(), [&](double x) { return x >= strongest / 100; });
    EXPECT_GE(within20Db, 4);
  }
}

// Each gear has a colour of its own, not one voice transposed: compared harmonic by harmonic
// (each against its strongest), two gears differ somewhere by at least 6 dB.
TEST(BakedSounds, NoTwoGearsShareOneGrowl) {
  const TDXWaveList& list = BakedList();
  std::vector<std::vector<double>> profiles;
  for (int index : kGearLoops) {
    std::vector<double> p = HarmonicPowers(list.Items[index], EngineHz(list.Items[index]), 8);
    const double strongest = *std::max_element(p.begin(), p.end());
    for (double& x : p) x = 10 * std::log10(std::max(x / strongest, 1e-6));
    profiles.push_back(p);
  }
  for (size_t a = 0; a < profiles.size(); ++a) {
    for (size_t b = a + 1; b < profiles.size(); ++b) {
      double widest = 0;
      for (size_t k = 0; k < profiles[a].size(); ++k)
        widest = std::max(widest, std::fabs(profiles[a][k] - profiles[b][k]));
      EXPECT_GE(widest, 6.0) << "gears " << a + 1 << " and " << b + 1;
    }
  }
}

// The gear-change loop also plays twice inside the fourth-to-sixth band, which shares the
// fourth-gear loop: a note below that loop would sound like the revs dropping with no shift.
TEST(BakedSounds, GearChangeNeverDipsBelowFourthGearAndIsShort) {
  const TDXWaveList& list = BakedList();
  const double shift = EngineHz(list.Items[kGearChange]);
  EXPECT_GE(shift, EngineHz(list.Items[12]));
  EXPECT_LE(shift, EngineHz(list.Items[13]));  // nor above the top-speed scream
  // The faster gear changes pass in a fraction of a second.
  EXPECT_LE(Seconds(list.Items[kGearChange]), 0.5);
}

// A crash, a bonus or the horn must be heard over the engine that runs under it.
TEST(BakedSounds, EffectsCarryOverTheEngine) {
  const TDXWaveList& list = BakedList();
  double loudestEngine = 0;
  for (int index : kGearLoops) loudestEngine = std::max(loudestEngine, Presence(list.Items[index]));
  for (int effect : {8, 14, 15, 17, 20}) {  // horn, score, life, bump, crash
    SCOPED_TRACE(list.Items[effect].Name);
    EXPECT_GT(Presence(list.Items[effect]), loudestEngine);
  }
}

TEST(BakedSounds, TwoBakesAreIdentical) {
  const std::vector<WaveItemSpec> a = BakeSounds();
  const std::vector<WaveItemSpec> b = BakeSounds();
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].Wave, b[i].Wave) << a[i].Name;
    EXPECT_EQ(a[i].Looped, b[i].Looped);
    EXPECT_EQ(a[i].MaxPlayingCount, b[i].MaxPlayingCount);
  }
}

}  // namespace
