// The bike's draw routine: tyre marks, the bike, the opponents, the side panels and the track
// map in the right-hand panel.
#include <utility>

#include "race/TCar.h"
#include "race/TPlayer.h"
#include "race/TrackState.h"
#include "resources/ImageCollection.h"
#include "sprites/GameImages.h"
#include "sprites/ImageDrawing.h"
#include "sprites/SpriteMath.h"
#include "sprites/TSpriteEngine.h"

namespace {
constexpr int kRaceList = 2;
constexpr int kMapList = 3;
constexpr double kBikeScreenX = 400.0;
constexpr double kBikeScreenY = 400.0;

constexpr int kMarkPicture = 10;
constexpr int kMarkWidthPx = 10;
constexpr int kMarkHeightPx = 14;

constexpr int kLeftPanelPicture = 2;
constexpr int kRightPanelPicture = 3;
constexpr int kRightPanelX = 626;

// The map: one 10 x 15 tile per track cell, rows 1..11 drawn (row 6 is the bike's).
constexpr int kMapTileWidth = 10;
constexpr int kMapTileHeight = 15;
constexpr int kBikeMapRow = 6;
constexpr int kDrawnMapRows = 11;
// Sideways slope of a diagonal road piece on the map, map pixels per vertical map pixel.
constexpr double kMapSlope = 0.36208;
// The player marker's left edge; the road under the bike is aligned under it.
constexpr int kPlayerMarkerX = 708;
constexpr int kPlayerMarkerY = 116;
// With no road in the bike's map row the map keeps the shift of a straight start.
constexpr double kNoRoadShift = 52.0;
// The opponent markers are drawn only while their reference lies within the map window.
constexpr int kMarkerTop = 0;
constexpr int kMarkerBottom = 192;

constexpr int kOpponentMarkerPicture = 10;
constexpr int kPlayerMarkerPicture = 11;
constexpr int kTopMaskPicture = 12;
constexpr int kBottomMaskPicture = 13;
constexpr int kBottomMaskY = 195;

// Where the road stroke of a tile starts, in map pixels from the tile's left edge.
double AlignmentOffset(int code) {
  switch (code) {
    case 1:
      return 9;
    case 3:
      return 14;
    case 20:
      return 8;
    case 40:
      return 3;
    case 6:
    case 7:
      return 4;
    default:
      return 0;
  }
}

// The same for an opponent marker, which sits a little left of the stroke.
double MarkerOffset(int code) {
  switch (code) {
    case 1:
      return 9;
    case 3:
      return 14;
    case 20:
      return 4;
    case 40:
      return -1;
    default:
      return 0;
  }
}

// Diagonal pieces lean one way or the other as the road slides down a map row.
int SlopeSign(int code) {
  if (code == 1 || code == 3) return 1;
  if (code == 20 || code == 40) return -1;
  return 0;
}

const TPictureCollectionItem* Picture(int list, int index) {
  TDXImageList* images = GameImageList(list);
  return images != nullptr ? images->Item(index) : nullptr;
}

void DrawAt(Surface& surface, int list, int index, int x, int y) {
  const TPictureCollectionItem* item = Picture(list, index);
  if (item != nullptr) DrawPattern(*item, surface, x, y, 0);
}

// First map column with a tile in a map row, 0 if the row is empty.
int FirstTileColumn(const TPlayer::TMapTiles& tiles, int row) {
  for (int column = 1; column <= TPlayer::kMapColumns; ++column) {
    if (tiles[column][row] != 0) return column;
  }
  return 0;
}
}  // namespace

int TrackMapPicture(int code) {
  switch (code) {
    case 1:
      return 0;
    case 2:
      return 1;
    case 3:
      return 2;
    case 4:
      return 3;
    case 6:
      return 4;
    case 7:
      return 5;
    case 10:
      return 6;
    case 20:
      return 7;
    case 30:
      return 8;
    case 40:
      return 9;
    default:
      return -1;
  }
}

void TPlayer::OnDraw() {
  Surface* surface = Engine()->Surface();
  if (surface == nullptr) return;
  DrawMarks();
  X = kBikeScreenX;
  Y = kBikeScreenY;
  DrawBike();
  if (Opponents != nullptr) Opponents->DrawOpponents(*surface, Engine()->Turned());
  DrawAt(*surface, kRaceList, kLeftPanelPicture, 0, 0);
  DrawAt(*surface, kRaceList, kRightPanelPicture, kRightPanelX, 0);
  BuildTrackMap();
  DrawTrackMap();
}

void TPlayer::AddOpaqueAreas(std::vector<SurfaceRect>& areas) const {
  for (const auto& [index, x] :
       {std::pair{kLeftPanelPicture, 0}, {kRightPanelPicture, kRightPanelX}}) {
    const TPictureCollectionItem* item = Picture(kRaceList, index);
    if (item == nullptr) continue;
    const SurfaceRect box = OpaquePatternBox(*item, x, 0, 0);
    if (box.Left < box.Right && box.Top < box.Bottom) areas.push_back(box);
  }
}

void TPlayer::DrawMarks() const {
  const TPictureCollectionItem* item = Picture(kRaceList, kMarkPicture);
  if (item == nullptr) return;
  for (int i = 1; i <= kSkidMarkSlots; ++i) {
    const TSkidMark& mark = SkidMarks[i];
    if (!mark.Used) continue;
    DrawRotated(*item, *Engine()->Surface(), TruncToInt(mark.X), TruncToInt(mark.Y), kMarkWidthPx,
                kMarkHeightPx, 0, 0.5, 0.5, mark.Angle, &Engine()->Turned());
  }
}

void TPlayer::DrawBike() {
  const TPictureCollectionItem* item = Image();
  if (item == nullptr) return;
  const int width = item->GetPatternWidth();
  const int height = item->GetPatternHeight();
  // The crash strip runs up the road from the bike's top edge until the bike is placed again.
  const double centreY = Crashed && !RespawnPlaced ? Y : Y + height / 2.0;
  DrawRotated(*item, *Engine()->Surface(), TruncToInt(X + Width / 2.0), TruncToInt(centreY), width,
              height, TruncToInt(AnimPosition), 0.5, 0.5, Heading, &Engine()->Turned());
}

void TPlayer::BuildTrackMap() {
  for (auto& column : MapTiles) column.fill(0);
  for (int r = 1; r <= kMapRows; ++r) {
    const int row = ViewRow + r;
    if (row > kTrackRows) continue;
    for (int c = 1; c <= kMapColumns; ++c) {
      const int kind = TrackCell(row, ViewCol + c);
      if (kind == kTileLine) {
        if (c < kMapColumns) MapTiles[c + 1][r] = 7;
        break;
      }
      if (kind != kTileLane) continue;
      // The row's left road edge tells which piece of road this row shows.
      switch (TrackCell(row, ViewCol + c - 1)) {
        case 10:
          MapTiles[c][r] = 6;
          break;
        case 33:
          if (c > 1) MapTiles[c - 1][r] = 20;
          MapTiles[c][r] = 10;
          break;
        case 27:
          MapTiles[c][r] = 40;
          if (c < kMapColumns) MapTiles[c + 1][r] = 30;
          break;
        case 45:
          MapTiles[c][r] = 1;
          if (c < kMapColumns) MapTiles[c + 1][r] = 2;
          break;
        case 39:
          if (c > 1) MapTiles[c - 1][r] = 3;
          MapTiles[c][r] = 4;
          break;
        default:
          break;
      }
      break;
    }
  }
}

void TPlayer::DrawTrackMap() const {
  Surface& surface = *Engine()->Surface();
  // The road's vertical offset in map pixels slides the tiles down by up to one row.
  const double v = RoadOffsetY() / kTilePx * kMapTileHeight;
  const int shiftY = RoundToInt(v);

  // Shift the map sideways so that the road in the bike's row lies under the player marker.
  double m = kNoRoadShift;
  const int d = FirstTileColumn(MapTiles, kBikeMapRow);
  if (d != 0) {
    const int code = MapTiles[d][kBikeMapRow];
    const double f = AlignmentOffset(code) + SlopeSign(code) * v * kMapSlope;
    m = kPlayerMarkerX - (f + (d - 1) * kMapTileWidth + 631) + 9;
  }
  const int shiftX = RoundToInt(m);

  for (int r = 1; r <= kDrawnMapRows; ++r) {
    for (int c = 1; c <= kMapColumns; ++c) {
      const int picture = TrackMapPicture(MapTiles[c][r]);
      if (picture < 0) continue;
      DrawAt(surface, kMapList, picture, shiftX + kMapTileWidth * c + 621,
             shiftY + kMapTileHeight * r + 31);
    }
  }

  if (Opponents != nullptr) {
    int column = 0;  // an opponent in an empty map row uses the column found for an earlier one
    for (int slot = 1; slot <= TCar::kSlots; ++slot) {
      const TOpponent& car = Opponents->Slots[slot];
      if (!car.Active || !car.NearView) continue;
      const double mapY = (car.PosY - ViewRow * kTilePx) / kTilePx * kMapTileHeight;
      const int q = RoundToInt(mapY - 14 + 32) / kMapTileHeight;
      if (q < 1 || q > kMapRows) continue;
      const int found = FirstTileColumn(MapTiles, q);
      if (found != 0) column = found;
      if (column == 0) continue;
      const int code = MapTiles[column][q];
      const double e = (RoundToInt(mapY - 14 + 32) % kMapTileHeight) * kMapSlope;
      const double u = MarkerOffset(code) - SlopeSign(code) * e;
      const int reference = shiftY + RoundToInt(mapY) + 32;
      if (reference < kMarkerTop || reference > kMarkerBottom) continue;
      DrawAt(surface, kMapList, kOpponentMarkerPicture,
             RoundToInt(u + column * kMapTileWidth + 631 + m - 15),
             shiftY + RoundToInt(mapY - 14) + 46);
    }
  }

  DrawAt(surface, kMapList, kTopMaskPicture, kRightPanelX, 0);
  DrawAt(surface, kMapList, kBottomMaskPicture, kRightPanelX, kBottomMaskY);
  DrawAt(surface, kMapList, kPlayerMarkerPicture, kPlayerMarkerX, kPlayerMarkerY);
}
