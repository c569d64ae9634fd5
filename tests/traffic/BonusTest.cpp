// The bonuses: where and how many a level gets, the one life, the pickup square against the
// bike's box, what each kind gives, the spin and the drawing.
#include <gtest/gtest.h>

#include "TrafficFixture.h"
#include "app/Random.h"
#include "app/ShellState.h"
#include "race/RiderState.h"
#include "race/TBonus.h"
#include "race/TPlayer.h"
#include "race/TrackState.h"
#include "resources/ImageCollection.h"
#include "sprites/GameImages.h"
#include "sprites/ImageDrawing.h"

namespace {

int LifeBonuses() {
  int lives = 0;
  for (int n = 1; n <= BonusCount; ++n)
    lives += Bonuses->Active[n] && Bonuses->Kind[n] == TBonus::BonusLife ? 1 : 0;
  return lives;
}

class BonusTest : public TrafficTest {
 protected:
  // One bonus of `kind` whose picture's top-left corner is at screen (x, y) with the view at
  // its start; the road's offset takes up what whole tiles do not.
  void PutBonus(int kind, int x, int y) {
    BonusCount = 1;
    Bonuses->Active.fill(false);
    Bonuses->Active[1] = true;
    Bonuses->Kind[1] = static_cast<uint8_t>(kind);
    Bonuses->Anim[1] = 0;
    Bonuses->Col[1] = ViewCol + 5;
    Bonuses->Row[1] = ViewRow + 5;
    Road->X = x - 19 - 5 * 72;
    Road->Y = y - 19 - 5 * 72;
    ASSERT_EQ(Bonuses->ScreenX(1), x);
    ASSERT_EQ(Bonuses->ScreenY(1), y);
  }
};

TEST_F(BonusTest, EachLevelPlacesItsBonusesOnStraightRoadBetweenStartAndFinish) {
  for (int level = 1; level <= 10; ++level) {
    BuildTrack(level, 1000 + level);
    if (Bonuses == nullptr) CreateRace(false);
    Bonuses->PlaceBonuses();
    ASSERT_EQ(BonusCount, 10 * level);
    const int lo = 1549 - TrackLength;
    int active = 0;
    for (int n = 1; n <= TBonus::kSlots; ++n) {
      if (!Bonuses->Active[n]) continue;
      ASSERT_LE(n, BonusCount) << "slots above the level's count stay empty";
      ++active;
      const int row = Bonuses->Row[n];
      const int col = Bonuses->Col[n];
      EXPECT_GE(row, lo);
      EXPECT_LT(row, 1495);
      // On one of the four road cells from a left edge on.
      int edge = 0;
      for (int c = col - 3; c <= col; ++c) edge = TrackCell(row, c) == kTileLeftEdge ? c : edge;
      EXPECT_NE(edge, 0) << "level " << level << " row " << row << " col " << col;
      EXPECT_TRUE(IsRoadKind(TrackCell(row, col)));
      EXPECT_GE(Bonuses->Kind[n], 1);
      EXPECT_LE(Bonuses->Kind[n], 5);
      EXPECT_GE(Bonuses->Anim[n], 0.0);
      EXPECT_LE(Bonuses->Anim[n], 3.9);
    }
    // Drift rows have no left edge of kind 10, so a few slots may stay empty, not most.
    EXPECT_LE(active, BonusCount);
    EXPECT_GE(active, BonusCount / 2) << "level " << level;
    EXPECT_LE(LifeBonuses(), 1);
  }
}

TEST_F(BonusTest, ARaceHasAtMostOneLifeBonus) {
  int racesWithLife = 0;
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    BuildTrack(10, seed);
    if (Bonuses == nullptr) CreateRace(false);
    Bonuses->PlaceBonuses();
    ASSERT_LE(LifeBonuses(), 1) << "seed " << seed;
    racesWithLife += LifeBonuses();
  }
  // With a hundred bonuses a race nearly always draws its life.
  EXPECT_GE(racesWithLife, 25);
}

// On a straight track every row has one left edge, so each slot draws, in this order, its row
// in lo .. 1494, its cell among the four from the edge, its kind (again while a second life
// comes up) and its spin position in tenths from 0 to 3.9. The draws replayed here with the
// generator's own arithmetic.
TEST_F(BonusTest, PlacementDrawsRowCellKindAndSpinInTurn) {
  LayStraightTrack(4);
  CreateRace(false);
  RandSeed = 4242;
  Bonuses->PlaceBonuses();
  uint32_t seed = 4242;
  auto next = [&seed](uint32_t n) {
    seed = seed * 134775813u + 1;
    return static_cast<int>((static_cast<uint64_t>(seed) * n) >> 32);
  };
  const int lo = 1549 - TrackLength;
  int lives = 0;
  for (int n = 1; n <= BonusCount; ++n) {
    SCOPED_TRACE(n);
    const int row = lo + next(1495 - lo);
    const int col = kStraightLeftEdge + next(4);
    int kind = 1 + next(5);
    while (kind == 5 && lives >= 1) kind = 1 + next(5);
    lives += kind == 5;
    const double spin = next(40) / 10.0;
    ASSERT_TRUE(Bonuses->Active[n]);
    EXPECT_EQ(Bonuses->Row[n], row);
    EXPECT_EQ(Bonuses->Col[n], col);
    EXPECT_EQ(Bonuses->Kind[n], kind);
    EXPECT_DOUBLE_EQ(Bonuses->Anim[n], spin);
  }
  EXPECT_EQ(RandSeed, seed);
}

TEST_F(BonusTest, RowsWithoutStraightRoadLeaveSlotsEmptyAfterOneDrawEach) {
  LayStraightTrack(3);
  CreateRace(false);
  for (int row = 1; row <= kTrackRows; ++row) TrackGrid[row][kStraightLeftEdge] = kTileLane;
  RandSeed = 77;
  Bonuses->PlaceBonuses();
  EXPECT_EQ(Bonuses->ActiveCount(), 0);
  uint32_t expected = 77;
  for (int n = 0; n < 30; ++n) expected = expected * 134775813u + 1;
  EXPECT_EQ(RandSeed, expected) << "only the row is drawn for a slot with no road edge";
}

TEST_F(BonusTest, PickupNeedsACornerOfTheSquareOnTheBikesBox) {
  LayStraightTrack(1);
  CreateRace();
  const int right = 400 + Player->Width;  // the box's edges count
  struct Case {
    int X, Y;
    bool Collected;
  } cases[] = {
      {400 - 35, 420, true}, {399 - 35, 420, false},   // square left of the bike
      {right, 420, true},    {right + 1, 420, false},  // square right of it
      {420, 400 - 34, true}, {420, 399 - 34, false},   // square above it
  };
  for (const Case& c : cases) {
    Score = 0;
    PutBonus(TBonus::Bonus50, c.X, c.Y);
    Bonuses->Move(FrameMs);
    EXPECT_EQ(!Bonuses->Active[1], c.Collected) << c.X << ", " << c.Y;
    EXPECT_EQ(Score, c.Collected ? 50 : 0);
    EXPECT_EQ(SoundsPlayed(), c.Collected ? std::vector<int>{14} : std::vector<int>{});
  }
}

TEST_F(BonusTest, ASpriteAboveTheBikeHidesItFromThePickup) {
  LayStraightTrack(1);
  CreateRace();
  PutBonus(TBonus::Bonus10, 420, 420);
  TMyImageSprite* panel = TMyImageSprite::CreateAt(&Engine(), 2, 3, 300, 300, 14);
  panel->Width = panel->Height = 300;
  Bonuses->Move(FrameMs);
  EXPECT_TRUE(Bonuses->Active[1]);
  panel->RequestRemoval();
  Engine().PurgeRemoved();
  Bonuses->Move(FrameMs);
  EXPECT_FALSE(Bonuses->Active[1]);
  EXPECT_EQ(Score, 10);
}

TEST_F(BonusTest, LifeBonusGivesFiftyPointsAndALifeOnlyBelowThree) {
  LayStraightTrack(1);
  CreateRace();
  for (const int lives : {2, 3}) {
    Lives = lives;
    Score = 100;
    PutBonus(TBonus::BonusLife, 420, 420);
    Bonuses->Move(FrameMs);
    EXPECT_EQ(Score, 150);
    EXPECT_EQ(Lives, 3) << "starting from " << lives;
    EXPECT_EQ(SoundsPlayed(), std::vector<int>{15});
  }
}

TEST_F(BonusTest, SpinStaysWithinItsFivePatternsAndRestartsAfterFour) {
  LayStraightTrack(1);
  CreateRace(false);
  PutBonus(TBonus::Bonus20, 200, 100);
  MotionFactor = 85.0 / 60.0;
  double previous = 0;
  int restarts = 0;
  for (int frame = 0; frame < 200; ++frame) {
    Bonuses->Move(FrameMs);
    const double anim = Bonuses->Anim[1];
    ASSERT_GE(anim, 0.0);
    ASSERT_LE(anim, 4.0);
    if (anim < previous) {
      EXPECT_EQ(anim, 0.0);
      EXPECT_GT(previous + 0.1 * MotionFactor, 4.0);
      ++restarts;
    }
    previous = anim;
  }
  EXPECT_GE(restarts, 6);
  // Landing exactly on 4.0 keeps it for a frame; the baked picture has that pattern.
  const TPictureCollectionItem* picture = GameImageList(2)->Item(12);
  EXPECT_GE(picture->PatternCount(), 5);
}

TEST_F(BonusTest, DrawsItsKindsPictureAtItsSquareOnlyWhileItsCellIsInView) {
  LayStraightTrack(1);
  CreateRace(false);
  PutBonus(TBonus::Bonus100, 250, 130);
  Bonuses->Anim[1] = 2.7;
  Surface& screen = *Engine().Surface();
  Surface expected(screen.Width(), screen.Height());
  DrawPattern(*GameImageList(2)->Item(14), expected, 250, 130, 2);
  screen.Fill(0);
  Bonuses->Draw();
  EXPECT_TRUE(
      std::equal(screen.Data(), screen.Data() + screen.Width() * screen.Height(), expected.Data()));

  Bonuses->Col[1] = ViewCol + 14;
  screen.Fill(0);
  Bonuses->Draw();
  expected.Fill(0);
  EXPECT_TRUE(
      std::equal(screen.Data(), screen.Data() + screen.Width() * screen.Height(), expected.Data()));
}

}  // namespace
