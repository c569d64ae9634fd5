// Sound effects by item and the one song at a time.
#include <gtest/gtest.h>

#include "GameFixture.h"
#include "app/Audio.h"
#include "storage/GameOptions.h"

class SoundTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    StartGame();
    Devices.sound->TakePlayed();
  }
};

TEST_F(SoundTest, EveryPlayRestartsTheItemOnOneVoice) {
  PlaySound(14);
  PlaySound(14);
  PlaySound(14);
  EXPECT_EQ(Form->MDXSound.CopyCount(14), 1) << "the item is stopped before it starts again";
  EXPECT_EQ(Devices.sound->TakePlayed(), (std::vector<int>{14, 14, 14}));
}

TEST_F(SoundTest, CopiesOfAnItemOverlapUpToItsLimitThenTheOldestRestarts) {
  TDXSound& sound = Form->MDXSound;
  sound.Play(6);  // limit two
  sound.Play(6);
  sound.Play(6);
  EXPECT_EQ(sound.CopyCount(6), 2);
  sound.Play(7);  // no limit
  sound.Play(7);
  sound.Play(7);
  EXPECT_EQ(sound.CopyCount(7), 3);
  Devices.clock->Now += 500;  // the 0.1 s waves have ended: free copies are used again
  sound.Play(7);
  EXPECT_EQ(sound.CopyCount(7), 3);
}

TEST_F(SoundTest, LoopedItemRewindsItsOneVoice) {
  TDXSound& sound = Form->MDXSound;
  sound.Play(5);
  Devices.clock->Now += 5000;
  sound.Play(5);
  EXPECT_EQ(sound.CopyCount(5), 1);
}

TEST_F(SoundTest, SoundOffSilencesPlayAndStop) {
  GameOptions.SoundOn = false;
  PlaySound(2);
  EXPECT_TRUE(Devices.sound->TakePlayed().empty());
}

TEST_F(SoundTest, IndicesOutsideTheCollectionAreIgnored) {
  PlaySound(-1);
  PlaySound(22);
  StopSound(99);
  EXPECT_TRUE(Devices.sound->TakePlayed().empty());
}

TEST_F(SoundTest, MusicOffAndOnRestartsTheMenuSong) {
  CurrentScreen = ScreenMainMenu;
  PlayScreenMusic();
  EXPECT_EQ(Devices.music->PlayingSong(), "Menu");
  GameOptions.MusicOn = false;
  StopMusic();
  PlayScreenMusic();
  EXPECT_EQ(Devices.music->PlayingSong(), "");
  EXPECT_EQ(CurrentSong, 0u);
  GameOptions.MusicOn = true;
  StopMusic();
  PlayScreenMusic();
  EXPECT_EQ(Devices.music->PlayingSong(), "Menu");
  EXPECT_EQ(Devices.music->Calls.back(), "play Menu");
}

TEST_F(SoundTest, RaceSongReplacesTheMenuSongAfterFreeingIt) {
  ASSERT_EQ(Devices.music->PlayingSong(), "Menu") << "the main menu starts its song";
  Devices.music->Calls.clear();
  CurrentScreen = ScreenRace;
  PlayScreenMusic();
  const std::vector<std::string> expected = {"free Menu", "load Race", "play Race"};
  EXPECT_EQ(Devices.music->Calls, expected);
}

TEST_F(SoundTest, MissingSongLeavesTheGameSilent) {
  std::filesystem::remove(Dir / "Data" / "Music" / "Menu.xm");
  PlayMusic(MenuSongPath());
  EXPECT_EQ(CurrentSong, 0u);
  EXPECT_EQ(Devices.music->PlayingSong(), "");
}
