#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "../../tools/assetbake/Art.h"
#include "XmReader.h"

namespace {

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

INSTANTIATE_TEST_SUITE_P(Songs, BakedSong, ::testing::ValuesIn(kSongs),
                         [](const ::testing::TestParamInfo<Song>& info) {
                           return std::string(info.param.Name);
                         });

}  // namespace
