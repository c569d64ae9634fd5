#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include <libmodplug/modplug.h>

#include <cmath>

#include "../../tools/assetbake/Art.h"
#include "XmReader.h"

namespace {

constexpr int kMixRate = 44100;

// One pass through a song as the game hears it: libmodplug, stereo at the mixer's rate, with
// the settings SDL_mixer gives it and the music at full volume. Left and right interleaved.
std::vector<int16_t> Render(const std::string& xm) {
  ModPlug_Settings settings;
  ModPlug_GetSettings(&settings);
  settings.mFlags = MODPLUG_ENABLE_OVERSAMPLING;
  settings.mChannels = 2;
  settings.mBits = 16;
  settings.mFrequency = kMixRate;
  settings.mResamplingMode = MODPLUG_RESAMPLE_FIR;
  settings.mReverbDepth = 0;
  settings.mBassAmount = 0;
  settings.mSurroundDepth = 0;
  settings.mLoopCount = 0;
  ModPlug_SetSettings(&settings);
  ModPlugFile* file = ModPlug_Load(xm.data(), static_cast<int>(xm.size()));
  if (!file) return {};
  ModPlug_SetMasterVolume(file, 512);
  std::vector<int16_t> out, block(8192);
  while (out.size() < static_cast<size_t>(kMixRate) * 2 * 300) {
    const int got = ModPlug_Read(file, block.data(), static_cast<int>(block.size() * 2));
    if (got <= 0) break;
    out.insert(out.end(), block.begin(), block.begin() + got / 2);
  }
  ModPlug_Unload(file);
  return out;
}

double RmsDb(const std::vector<int16_t>& s, size_t from, size_t to) {
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += static_cast<double>(s[i]) * s[i];
  return 10 * std::log10(std::max(sum / static_cast<double>(to - from), 1.0) / (32768.0 * 32768.0));
}

struct Song {
  const char* Name;
  std::string (*Bake)();
};

const Song kSongs[] = {{"Menu", BakeMenuSong}, {"Race", BakeRaceSong}};

class BakedSong : public ::testing::TestWithParam<Song> {
 protected:
  static const XmFile& File(const Song& song) {
    static XmFile menu = ReadXm(BakeMenuSong());
    static XmFile race = ReadXm(BakeRaceSong());
    return song.Bake == BakeMenuSong ? menu : race;
  }
};

TEST_P(BakedSong, ParsesBackAsAnExtendedModuleWithLinearPitch) {
  const XmFile& f = File(GetParam());
  EXPECT_EQ(f.Version, 0x0104);
  EXPECT_EQ(f.HeaderSize, 276);
  EXPECT_EQ(f.Flags & 1, 1);
  EXPECT_GE(f.Module.Channels, 4);
  EXPECT_LT(f.Module.RestartPosition, static_cast<int>(f.Module.Orders.size()));
  EXPECT_GE(f.Module.Instruments.size(), 6u);
}

TEST_P(BakedSong, PlaysAtLeastAMinuteBeforeItRepeats) {
  const double seconds = SongSeconds(File(GetParam()).Module);
  EXPECT_GE(seconds, 60.0);
  // A module this long is a mistake in the order table rather than a song.
  EXPECT_LE(seconds, 300.0);
}

TEST_P(BakedSong, EveryInstrumentIsPlayedAndEveryNoteHasASoundingSample) {
  const XmModule& m = File(GetParam()).Module;
  std::set<int> used;
  for (uint8_t order : m.Orders) {
    for (const XmCell& c : m.Patterns[order].Cells) {
      if (c.Note == 0 || c.Note == kXmKeyOff) continue;
      ASSERT_GE(c.Instrument, 1) << "a note without an instrument stays silent";
      const XmInstrument& ins = m.Instruments[c.Instrument - 1];
      const XmSample& s = ins.Samples[ins.SampleForNote[c.Note - 1]];
      ASSERT_FALSE(s.Data.empty()) << ins.Name;
      ASSERT_GT(s.Volume, 0) << ins.Name;
      used.insert(c.Instrument);
    }
  }
  EXPECT_EQ(used.size(), m.Instruments.size());
}

// Instrument loops repeat many times a second under a held note: a jump at the seam buzzes.
TEST_P(BakedSong, InstrumentLoopsAreSeamless) {
  for (const XmInstrument& ins : File(GetParam()).Module.Instruments) {
    for (const XmSample& s : ins.Samples) {
      if (s.LoopLength == 0) continue;
      SCOPED_TRACE(ins.Name);
      std::vector<int> steps;
      for (size_t i = 1; i < s.Data.size(); ++i)
        steps.push_back(std::abs(s.Data[i] - s.Data[i - 1]));
      std::sort(steps.begin(), steps.end());
      const int typical = steps[steps.size() * 99 / 100];
      const int seam = std::abs(s.Data[s.LoopStart] - s.Data[s.LoopStart + s.LoopLength - 1]);
      EXPECT_LE(seam, typical);
    }
  }
}

TEST_P(BakedSong, TwoBakesAreIdentical) {
  EXPECT_EQ(GetParam().Bake(), GetParam().Bake());
}

// Effects play on top of the music, and the mixer only adds: a song that already reaches full
// scale would crackle.
TEST_P(BakedSong, PlaysWithoutClipping) {
  const std::vector<int16_t> pcm = Render(GetParam().Bake());
  ASSERT_FALSE(pcm.empty());
  const auto atFullScale = std::count_if(pcm.begin(), pcm.end(),
                                         [](int16_t v) { return v >= 32767 || v <= -32767; });
  EXPECT_EQ(atFullScale, 0);
}

// The race song is its own band, not the menu's kit in another key.
TEST(BakedSongs, RaceSongPlaysInstrumentsOfItsOwn) {
  const XmModule menu = ReadXm(BakeMenuSong()).Module;
  const XmModule race = ReadXm(BakeRaceSong()).Module;
  for (const XmInstrument& r : race.Instruments) {
    for (const XmInstrument& m : menu.Instruments) {
      EXPECT_NE(r.Samples.front().Data, m.Samples.front().Data)
          << "race " << r.Name << " is the menu's " << m.Name;
    }
  }
}

// A song that keeps one loudness for minutes tires the ear: after its intro the race song has
// a passage that steps well back before the band comes in again.
TEST(BakedSongs, RaceSongBreaksDownToAQuieterPassage) {
  const XmModule race = ReadXm(BakeRaceSong()).Module;
  const std::vector<int16_t> pcm = Render(BakeRaceSong());
  ASSERT_FALSE(pcm.empty());
  // Every pattern has the same rows and the song keeps one speed and tempo.
  const double patternSeconds = race.Patterns.front().Rows * race.Speed * 2.5 / race.Bpm;
  const size_t window = static_cast<size_t>(patternSeconds * kMixRate) * 2;
  std::vector<double> levels;
  for (size_t at = window; at + window <= pcm.size(); at += window) {
    levels.push_back(RmsDb(pcm, at, at + window));
  }
  ASSERT_GE(levels.size(), 8u);
  std::vector<double> sorted = levels;
  std::sort(sorted.begin(), sorted.end());
  const double median = sorted[sorted.size() / 2];
  EXPECT_LE(sorted.front(), median - 4.0);
  // Only a passage: most of the song drives at full strength.
  EXPECT_GE(std::count_if(levels.begin(), levels.end(),
                          [&](double db) { return db >= median - 1.5; }),
            static_cast<long>(levels.size() * 3 / 4));
}

INSTANTIATE_TEST_SUITE_P(Songs, BakedSong, ::testing::ValuesIn(kSongs),
                         [](const ::testing::TestParamInfo<Song>& info) {
                           return std::string(info.param.Name);
                         });

}  // namespace
