// The baked bikes, crash strips, tyre mark, bonuses and bike portraits, read back through the
// game's own collection reader, as the game will see them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "race/BikeModels.h"
#include "resources/ImageCollection.h"

namespace {

// Riding and knocked-out drawing sizes of the opponents, by model.
struct DrawSizes {
  int RideWidth, RideHeight, CrashWidth, CrashHeight;
};
constexpr DrawSizes kSizes[kBikeModelCount + 1] = {
    {0, 0, 0, 0},      {63, 68, 64, 152}, {60, 67, 72, 158},
    {68, 69, 88, 204}, {60, 62, 86, 154}, {56, 68, 68, 184},
};
constexpr int kTyreMarkImage = 10;
constexpr int kFirstBonusImage = 11;
constexpr int kFirstPortraitImage = 28;
// Help icons of the bonus kinds 10, 20, 50, 100 points and the life.
constexpr int kHelpIconImages[5] = {41, 40, 39, 38, 42};

TDXImageList& List(int number) {
  static TDXImageList lists[4];
  TDXImageList& list = lists[number];
  if (list.Count() == 0) {
    const auto path = std::filesystem::path(GR_BINARY_DIR) / "Data" / "Res" /
                      ("Res" + std::to_string(number) + ".dxg");
    list.LoadFromFile(path.string());
  }
  return list;
}

TPictureCollectionItem& Item(int list, int index) {
  TPictureCollectionItem* item = List(list).Item(index);
  EXPECT_NE(item, nullptr) << "list " << list << " item " << index;
  return *item;
}

// One pattern of a keyed picture: which pixels show.
class Pattern {
 public:
  Pattern(const TPictureCollectionItem& item, int pattern)
      : Item_(item), Rect_(item.PatternRect(pattern)) {}
  int Width() const { return Rect_.Width(); }
  int Height() const { return Rect_.Height(); }
  uint16_t At(int x, int y) const { return Item_.Picture.At(Rect_.Left + x, Rect_.Top + y); }
  bool Shows(int x, int y) const { return !Item_.Transparent || At(x, y) != Item_.ColorKey(); }
  int Count() const {
    int n = 0;
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x) n += Shows(x, y);
    return n;
  }
  double CentreX() const {
    double sum = 0;
    int n = 0;
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x)
        if (Shows(x, y)) {
          sum += x;
          ++n;
        }
    return n ? sum / n : -1;
  }
  // The middle of the box around what shows.
  std::array<double, 2> BoxCentre() const {
    int x0 = Width(), y0 = Height(), x1 = -1, y1 = -1;
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x)
        if (Shows(x, y)) {
          x0 = std::min(x0, x);
          x1 = std::max(x1, x);
          y0 = std::min(y0, y);
          y1 = std::max(y1, y);
        }
    return {(x0 + x1) / 2.0, (y0 + y1) / 2.0};
  }
  int TopRow() const {
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x)
        if (Shows(x, y)) return y;
    return -1;
  }
  bool SameAs(const Pattern& other) const {
    if (Width() != other.Width() || Height() != other.Height()) return false;
    for (int y = 0; y < Height(); ++y)
      for (int x = 0; x < Width(); ++x)
        if (At(x, y) != other.At(x, y)) return false;
    return true;
  }
  // Nothing shows on the outermost columns and rows, so nothing was cut off.
  bool ClearBorder() const {
    for (int x = 0; x < Width(); ++x)
      if (Shows(x, 0) || Shows(x, Height() - 1)) return false;
    for (int y = 0; y < Height(); ++y)
      if (Shows(0, y) || Shows(Width() - 1, y)) return false;
    return true;
  }

 private:
  const TPictureCollectionItem& Item_;
  SurfaceRect Rect_;
};

int Red(uint16_t c) {
  return (c >> 11) << 3;
}
int Green(uint16_t c) {
  return ((c >> 5) & 63) << 2;
}
int Blue(uint16_t c) {
  return (c & 31) << 3;
}

// Anti-aliased edges blended toward the key colour would show as pink fringes.
int PinkPixels(const Pattern& p) {
  int n = 0;
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x) {
      const uint16_t c = p.At(x, y);
      if (p.Shows(x, y) && Red(c) > 160 && Blue(c) > 160 && Green(c) < 110) ++n;
    }
  return n;
}

void ExpectKeyedBikeItem(const TPictureCollectionItem& item, int width, int height, int patterns,
                         int leastShown, const std::string& what) {
  SCOPED_TRACE(what);
  EXPECT_TRUE(item.Transparent);
  EXPECT_NE(item.TransparentColor, 0u) << "a black key swallows near-black pixels";
  EXPECT_EQ(item.GetPatternWidth(), width);
  EXPECT_EQ(item.GetPatternHeight(), height);
  EXPECT_EQ(item.PatternCount(), patterns);
  for (int i = 0; i < item.PatternCount(); ++i) {
    const Pattern p(item, i);
    EXPECT_GT(p.Count(), leastShown) << "pattern " << i << " is nearly empty";
    EXPECT_TRUE(p.ClearBorder()) << "pattern " << i << " is cut off at its edge";
    EXPECT_EQ(PinkPixels(p), 0) << "pattern " << i;
  }
}

TEST(BikeArt, EveryModelHasItsSizesPatternsAndKeyedPictures) {
  for (int model = 1; model <= kBikeModelCount; ++model) {
    const TBikeModel& m = BikeModels[model];
    const DrawSizes& s = kSizes[model];
    const std::string name = "model " + std::to_string(model);
    // A bike and rider cover at least a fifth of the riding picture, in every frame.
    const int least = s.RideWidth * s.RideHeight / 5;
    ExpectKeyedBikeItem(Item(2, m.UprightImage), s.RideWidth, s.RideHeight, 1, least,
                        name + " upright");
    ExpectKeyedBikeItem(Item(2, m.LeanLeftImage), s.RideWidth, s.RideHeight, 7, least,
                        name + " left");
    ExpectKeyedBikeItem(Item(2, m.LeanRightImage), s.RideWidth, s.RideHeight, 7, least,
                        name + " right");
    ExpectKeyedBikeItem(Item(2, m.CrashImage), s.CrashWidth, s.CrashHeight, m.CrashFrames, least,
                        name + " crash");
  }
}

TEST(BikeArt, RearTyreLiesWhereTheGameLaysTyreMarks) {
  for (int model = 1; model <= kBikeModelCount; ++model) {
    SCOPED_TRACE("model " + std::to_string(model));
    const Pattern p(Item(2, BikeModels[model].UprightImage), 0);
    // Half the picture's diagonal less 25 pixels behind its centre, on the centre line.
    const double h = p.Height() / 2.0;
    const double w = p.Width() / 2.0;
    const int y = static_cast<int>(std::lround(h + std::sqrt(h * h + w * w) - 25));
    const int x = p.Width() / 2;
    ASSERT_TRUE(p.Shows(x, y));
    const uint16_t c = p.At(x, y);
    EXPECT_LT(Red(c) + Green(c) + Blue(c), 3 * 90) << "not dark rubber at the mark point";
    // The tyre goes on behind the mark point, so the marks trail from visible rubber.
    EXPECT_TRUE(p.Shows(x, y + 4));
  }
}

TEST(BikeArt, LeanStripsGoFromDeepestToNearlyUprightTowardTheirSide) {
  for (int model = 1; model <= kBikeModelCount; ++model) {
    SCOPED_TRACE("model " + std::to_string(model));
    const TBikeModel& m = BikeModels[model];
    const double upright = Pattern(Item(2, m.UprightImage), 0).CentreX();
    const TPictureCollectionItem& left = Item(2, m.LeanLeftImage);
    const TPictureCollectionItem& right = Item(2, m.LeanRightImage);
    for (int i = 0; i < 7; ++i) {
      SCOPED_TRACE("pattern " + std::to_string(i));
      const double l = Pattern(left, i).CentreX();
      const double r = Pattern(right, i).CentreX();
      EXPECT_LT(l, upright);
      EXPECT_GT(r, upright);
      if (i > 0) {
        // Each pattern leans less than the one before it.
        EXPECT_GT(l, Pattern(left, i - 1).CentreX());
        EXPECT_LT(r, Pattern(right, i - 1).CentreX());
      }
    }
    // The deepest lean is plainly a lean; the last is all but upright.
    EXPECT_GT(upright - Pattern(left, 0).CentreX(), 3.0);
    EXPECT_GT(Pattern(right, 0).CentreX() - upright, 3.0);
    EXPECT_LT(upright - Pattern(left, 6).CentreX(), 1.0);
    EXPECT_LT(Pattern(right, 6).CentreX() - upright, 1.0);
  }
}

TEST(BikeArt, CrashThrowsTheRiderAheadAndEndsAtRest) {
  for (int model = 1; model <= kBikeModelCount; ++model) {
    SCOPED_TRACE("model " + std::to_string(model));
    const TBikeModel& m = BikeModels[model];
    const TPictureCollectionItem& crash = Item(2, m.CrashImage);
    const int last = m.CrashFrames - 1;
    // The rider flies up the picture, frame after frame.
    for (int i = 1; i <= last; ++i) {
      EXPECT_LT(Pattern(crash, i).TopRow(), Pattern(crash, i - 1).TopRow()) << "frame " << i;
    }
    // The picture is centred on the riding picture's top edge: the fallen bike stays in the
    // lower half, where the bike was, and the resting rider lies in the upper half.
    const Pattern rest(crash, last);
    int lower = 0;
    for (int y = rest.Height() / 2; y < rest.Height(); ++y)
      for (int x = 0; x < rest.Width(); ++x) lower += rest.Shows(x, y);
    EXPECT_GT(lower, 300);
    EXPECT_LT(rest.TopRow(), rest.Height() / 4);
  }
}

TEST(BikeArt, CrashStartsWhereTheBikeWasRiding) {
  // The crash picture is drawn centred on the riding picture's top edge, so the first frame's
  // bike must lie over the riding picture, in the lower half, or the bike jumps as it falls.
  for (int model = 1; model <= kBikeModelCount; ++model) {
    SCOPED_TRACE("model " + std::to_string(model));
    const TBikeModel& m = BikeModels[model];
    const Pattern ride(Item(2, m.UprightImage), 0);
    const Pattern fall(Item(2, m.CrashImage), 0);
    const int dx = (fall.Width() - ride.Width()) / 2;
    const int dy = fall.Height() / 2;
    int shared = 0;
    for (int y = 0; y < ride.Height(); ++y)
      for (int x = 0; x < ride.Width(); ++x)
        shared += ride.Shows(x, y) && fall.Shows(x + dx, y + dy);
    EXPECT_GT(shared, ride.Count() / 2);
    EXPECT_EQ(fall.TopRow() >= dy, true) << "the first frame reaches above the riding picture";
  }
}

// The average colour of the strongly coloured pixels of a picture: the paint, not the tyres,
// chrome or dark background.
std::array<double, 3> PaintColour(const Pattern& p) {
  std::array<double, 3> sum = {0, 0, 0};
  int n = 0;
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x) {
      const uint16_t c = p.At(x, y);
      const int r = Red(c), g = Green(c), b = Blue(c);
      if (!p.Shows(x, y) || std::max({r, g, b}) - std::min({r, g, b}) < 80) continue;
      sum[0] += r;
      sum[1] += g;
      sum[2] += b;
      ++n;
    }
  for (double& v : sum) v /= std::max(n, 1);
  return sum;
}

TEST(PortraitArt, ShowsTheSameBikeAsTheRaceSprites) {
  std::array<double, 3> sprite[kBikeModelCount + 1];
  for (int model = 1; model <= kBikeModelCount; ++model)
    sprite[model] = PaintColour(Pattern(Item(2, BikeModels[model].UprightImage), 0));
  for (int model = 1; model <= kBikeModelCount; ++model) {
    const auto portrait = PaintColour(Pattern(Item(1, kFirstPortraitImage + model - 1), 0));
    int nearest = 0;
    double best = 1e9;
    for (int other = 1; other <= kBikeModelCount; ++other) {
      const double d = std::hypot(portrait[0] - sprite[other][0], portrait[1] - sprite[other][1],
                                  portrait[2] - sprite[other][2]);
      if (d < best) {
        best = d;
        nearest = other;
      }
    }
    EXPECT_EQ(nearest, model) << "portrait " << model << " looks like race bike " << nearest;
  }
}

TEST(BikeArt, ModelsLookDifferentFromEachOther) {
  // The average colour of what shows of each upright bike.
  double colour[kBikeModelCount + 1][3] = {};
  for (int model = 1; model <= kBikeModelCount; ++model) {
    const Pattern p(Item(2, BikeModels[model].UprightImage), 0);
    int n = 0;
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x)
        if (p.Shows(x, y)) {
          colour[model][0] += Red(p.At(x, y));
          colour[model][1] += Green(p.At(x, y));
          colour[model][2] += Blue(p.At(x, y));
          ++n;
        }
    for (double& c : colour[model]) c /= n;
  }
  for (int a = 1; a <= kBikeModelCount; ++a)
    for (int b = a + 1; b <= kBikeModelCount; ++b) {
      const double d = std::hypot(colour[a][0] - colour[b][0], colour[a][1] - colour[b][1],
                                  colour[a][2] - colour[b][2]);
      EXPECT_GT(d, 20) << "models " << a << " and " << b << " look alike";
    }
}

TEST(BikeArt, RidersAndCrashesHaveADarkSoftRim) {
  // The game turns these pictures without smoothing, so their outermost pixels, those that
  // touch the colour key, are a dark rim with the picture's own edge blended into it: never
  // a bright fringe that would stair-step against the road.
  for (int model = 1; model <= kBikeModelCount; ++model) {
    const TBikeModel& m = BikeModels[model];
    for (int image : {m.UprightImage, m.LeanLeftImage, m.LeanRightImage, m.CrashImage}) {
      const TPictureCollectionItem& item = Item(2, image);
      for (int i = 0; i < item.PatternCount(); ++i) {
        SCOPED_TRACE("model " + std::to_string(model) + " image " + std::to_string(image) +
                     " pattern " + std::to_string(i));
        const Pattern p(item, i);
        int rim = 0;
        int brightest = 0;
        long sum = 0;
        for (int y = 1; y + 1 < p.Height(); ++y) {
          for (int x = 1; x + 1 < p.Width(); ++x) {
            if (!p.Shows(x, y)) continue;
            if (p.Shows(x - 1, y) && p.Shows(x + 1, y) && p.Shows(x, y - 1) && p.Shows(x, y + 1)) {
              continue;
            }
            const uint16_t c = p.At(x, y);
            const int v = std::max({Red(c), Green(c), Blue(c)});
            brightest = std::max(brightest, v);
            sum += v;
            ++rim;
          }
        }
        ASSERT_GT(rim, 0);
        EXPECT_LT(sum / rim, 60);
        EXPECT_LE(brightest, 150);
      }
    }
  }
}

TEST(TyreMarkArt, IsAKeyedStreakThatNeverTurnsBlack) {
  const TPictureCollectionItem& item = Item(2, kTyreMarkImage);
  ASSERT_EQ(item.PatternCount(), 1);
  const Pattern p(item, 0);
  EXPECT_EQ(p.Width(), 10);
  EXPECT_EQ(p.Height(), 14);
  EXPECT_TRUE(item.Transparent);
  EXPECT_NE(item.TransparentColor, 0u);
  EXPECT_GT(p.Count(), 40);
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x) {
      if (p.Shows(x, y)) {
        EXPECT_NE(p.At(x, y), 0) << x << "," << y;
      }
    }
  }
  // Marks laid 12 pixels apart must join: the streak runs from the top row to the bottom.
  EXPECT_TRUE(p.Shows(5, 0));
  EXPECT_TRUE(p.Shows(5, 13));
}

TEST(BonusArt, SpinsThroughFourFramesAndRepeatsTheFirstAsTheFifth) {
  for (int kind = 0; kind < 5; ++kind) {
    SCOPED_TRACE("bonus " + std::to_string(kind));
    const TPictureCollectionItem& item = Item(2, kFirstBonusImage + kind);
    EXPECT_TRUE(item.Transparent);
    EXPECT_NE(item.TransparentColor, 0u);
    ASSERT_EQ(item.PatternCount(), 5);
    // The pickup square is 36 by 35 from the drawn corner; the picture stays inside it.
    EXPECT_LE(item.GetPatternWidth(), 36);
    EXPECT_LE(item.GetPatternHeight(), 35);
    EXPECT_TRUE(Pattern(item, 4).SameAs(Pattern(item, 0)));
    // Drawn at +19 in a 72-pixel tile, the face sits in the middle of the tile.
    const Pattern face(item, 0);
    EXPECT_NEAR(face.BoxCentre()[0], (face.Width() - 1) / 2.0, 1.0);
    EXPECT_NEAR(face.BoxCentre()[1], (face.Height() - 1) / 2.0, 1.0);
    for (int a = 0; a < 4; ++a) {
      EXPECT_GT(Pattern(item, a).Count(), 40) << "frame " << a;
      EXPECT_EQ(PinkPixels(Pattern(item, a)), 0) << "frame " << a;
      for (int b = a + 1; b < 4; ++b)
        EXPECT_FALSE(Pattern(item, a).SameAs(Pattern(item, b))) << a << " and " << b;
    }
  }
}

TEST(BonusArt, HelpIconsShowTheBonusesAsTheyLieOnTheRoad) {
  for (int kind = 0; kind < 5; ++kind) {
    SCOPED_TRACE("icon " + std::to_string(kHelpIconImages[kind]));
    const TPictureCollectionItem& icon = Item(2, kHelpIconImages[kind]);
    ASSERT_EQ(icon.PatternCount(), 1);
    EXPECT_LE(icon.GetPatternWidth(), 60);
    EXPECT_LE(icon.GetPatternHeight(), 58);
    EXPECT_TRUE(Pattern(icon, 0).SameAs(Pattern(Item(2, kFirstBonusImage + kind), 0)));
  }
}

TEST(PortraitArt, OpaquePicturesWithTheWholeBikeInside) {
  for (int model = 1; model <= kBikeModelCount; ++model) {
    SCOPED_TRACE("model " + std::to_string(model));
    const TPictureCollectionItem& item = Item(1, kFirstPortraitImage + model - 1);
    // The cross-fade draws it with alpha and no colour key.
    EXPECT_FALSE(item.Transparent);
    ASSERT_EQ(item.PatternCount(), 1);
    const Pattern p(item, 0);
    EXPECT_LE(p.Width(), 256);
    EXPECT_LE(p.Height(), 210);
    // The edges show only the dark window behind the bike, so the bike is not cut off.
    for (int y : {0, 1}) {
      for (int x = 0; x < p.Width(); ++x) {
        const uint16_t c = p.At(x, y);
        EXPECT_LT(Red(c) + Green(c) + Blue(c), 3 * 60) << x << "," << y;
      }
    }
    for (int y = 0; y < p.Height(); ++y) {
      for (int x : {0, p.Width() - 1}) {
        const uint16_t c = p.At(x, y);
        EXPECT_LT(Red(c) + Green(c) + Blue(c), 3 * 60) << x << "," << y;
      }
    }
  }
}

}  // namespace
