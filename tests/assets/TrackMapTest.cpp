// The track map's road pieces: each stroke follows the centre line the map's alignment
// assumes, so pieces join from row to row and the bike's piece sits under the player marker.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "BakedData.h"

namespace {

constexpr int kW = 10;
constexpr int kH = 15;

struct Piece {
  int Left;            // list 3 index of the left tile of the pair, or -1
  int Right;           // index of the right tile, or -1
  double Top, Bottom;  // centre x at the top and bottom edge, from the pair's left edge
};

// Mean x of the stroke's pixels in one row of the pair.
double StrokeCentre(const Piece& p, int y) {
  double sum = 0;
  int count = 0;
  for (int half = 0; half < 2; ++half) {
    const int index = half == 0 ? p.Left : p.Right;
    if (index < 0) continue;
    const TPictureCollectionItem& tile = BakedList(3).Items.at(static_cast<size_t>(index));
    for (int x = 0; x < kW; ++x) {
      if (tile.Picture.At(x, y) == tile.ColorKey()) continue;
      sum += half * kW + x + 0.5;
      ++count;
    }
  }
  return count > 0 ? sum / count : -100.0;
}

TEST(TrackMapPieces, StrokesFollowTheMapsCentreLines) {
  const Piece pieces[] = {
      {0, 1, 9.0, 3.6},   // drift right, half-step row
      {2, 3, 14.0, 8.6},  // drift right, shifted row
      {7, 6, 8.0, 13.4},  // drift left, half-step row
      {9, 8, 3.0, 8.4},   // drift left, shifted row
      {4, -1, 4.0, 4.0},  // straight
      {5, -1, 4.0, 4.0},  // start or finish line
  };
  for (const Piece& p : pieces) {
    SCOPED_TRACE("pieces " + std::to_string(p.Left) + " and " + std::to_string(p.Right));
    for (int y : {0, kH - 1}) {
      const double expected = p.Top + (p.Bottom - p.Top) * (y + 0.5) / kH;
      EXPECT_NEAR(StrokeCentre(p, y), expected, 1.0) << "row " << y;
    }
  }
}

TEST(TrackMapPieces, MarkersPointUpCentredOnTheirMiddle) {
  for (int index : {10, 11}) {
    SCOPED_TRACE("marker " + std::to_string(index));
    const TPictureCollectionItem& m = BakedList(3).Items.at(static_cast<size_t>(index));
    int top = -1;
    int widest = 0;
    double centre = 0;
    for (int y = 0; y < m.Picture.Height(); ++y) {
      int count = 0;
      double sum = 0;
      for (int x = 0; x < m.Picture.Width(); ++x) {
        if (m.Picture.At(x, y) == m.ColorKey()) continue;
        ++count;
        sum += x + 0.5;
      }
      if (count > 0 && top < 0) top = y;
      if (count > widest) {
        widest = count;
        centre = sum / count;
      }
    }
    // The tip at the top edge, the wide end below it, centred on x 9.
    EXPECT_LE(top, 1);
    EXPECT_NEAR(centre, 9.0, 1.0);
    const TPictureCollectionItem& other = BakedList(3).Items.at(index == 10 ? 11 : 10);
    EXPECT_NE(m.Picture.At(9, 8), other.Picture.At(9, 8)) << "the two markers look alike";
  }
}

}  // namespace
