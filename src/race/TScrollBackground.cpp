#include "race/TScrollBackground.h"

#include "app/ShellState.h"
#include "race/TrackState.h"
#include "resources/ImageCollection.h"
#include "sprites/GameImages.h"
#include "sprites/SpriteMath.h"
#include "sprites/TSpriteEngine.h"

TScrollBackground* Road = nullptr;

namespace {

// The road lies under every other race sprite.
constexpr int kRoadZ = 2;
// The road moves by half the scroll velocity the race derives from the bike.
constexpr double kScrollShare = 0.5;
// How far opponents look for roadside tiles around them, in tiles.
constexpr int kTrafficReachTiles = 3;

}  // namespace

TScrollBackground::TScrollBackground(TSpriteEngine* engine, int listNo, int imageIndex,
                                     int mapWidth, int mapHeight)
    : TBackgroundSprite(engine), ImageListSel(static_cast<uint8_t>(listNo)) {
  SetMapSize(mapWidth, mapHeight);
  SelectTileImage(imageIndex);
  X = 0.0;
  Y = 0.0;
  SetZ(kRoadZ);
  ScrollVX = 0.0;
  ScrollVY = 0.0;
}

TScrollBackground* TScrollBackground::Create(TSpriteEngine* engine, int listNo, int imageIndex,
                                             int mapWidth, int mapHeight) {
  return Make<TScrollBackground>(engine, listNo, imageIndex, mapWidth, mapHeight);
}

TScrollBackground::~TScrollBackground() {
  if (Road == this) Road = nullptr;
}

void TScrollBackground::SelectTileImage(int imageIndex) {
  TDXImageList* list =
      ImageListSel == 1 || ImageListSel == 2 ? GameImageList(ImageListSel) : nullptr;
  SetImage(list != nullptr ? list->Item(imageIndex) : nullptr);
  const TPictureCollectionItem* item = Image();
  Width = item != nullptr ? item->GetPatternWidth() : 0;
  Height = item != nullptr ? item->GetPatternHeight() : 0;
}

void TScrollBackground::SetListAndImage(int imageIndex, int listNo) {
  ImageListSel = static_cast<uint8_t>(listNo);
  SelectTileImage(imageIndex);
}

void TScrollBackground::RequestRemoval() {
  if (RemovalRequested) return;
  RemovalRequested = true;
  MarkRemoved();
}

void TScrollBackground::RefreshRoadWindow() {
  for (int v = 0; v < MapRows(); ++v) {
    for (int u = 0; u < MapColumns(); ++u) SetCell(u, v, TrackCell(ViewRow + v, ViewCol + u));
  }
}

void TScrollBackground::OnMove(int lagCount) {
  (void)lagCount;  // the scroll is scaled by MotionFactor instead
  X += ScrollVX * kScrollShare * MotionFactor;
  Y += ScrollVY * kScrollShare * MotionFactor;

  // Once the offset passes a whole tile the view steps a column or row the other way; at the
  // edges of the grid the view stays and the picture jumps back a tile.
  auto stepColumn = [] {
    if (ScrollVX > 0 && ViewCol > 0) --ViewCol;
    if (ScrollVX < 0 && ViewCol + kRoadColumns < kTrackColumns) ++ViewCol;
  };
  auto stepRow = [] {
    if (ScrollVY > 0 && ViewRow > 0) --ViewRow;
    if (ScrollVY < 0 && ViewRow + kRoadRows < kTrackRows) ++ViewRow;
  };
  if (X > 0) {
    X -= kTilePx;
    stepColumn();
  }
  if (X < -kTilePx) {
    X += kTilePx;
    stepColumn();
  }
  if (Y > 0) {
    Y -= kTilePx;
    stepRow();
  }
  if (Y < -kTilePx) {
    Y += kTilePx;
    stepRow();
  }

  if (CurrentScreen != ScreenRace) return;
  TestRiderContacts();
  TestTrafficContacts();
}

void TScrollBackground::TestRiderContacts() {
  if (Rider == nullptr) return;
  const TQuad body = Rider->RoadsideCorners();
  for (int v = 1; v <= kRoadRows; ++v) {
    for (int u = 1; u <= kRoadColumns; ++u) {
      const int shape = RoadsideIndex(TrackCell(ViewRow + v, ViewCol + u));
      if (shape == -1) continue;
      const TQuad tile = RoadsideQuad(shape, kTilePx * u + X, kTilePx * v + Y);
      // Every contact is reported; after the first the bike is already down.
      if (QuadsOverlap(body, tile) && Rider->CanTakeRoadsideHit()) Rider->TakeRoadsideHit();
    }
  }
}

void TScrollBackground::TestTrafficContacts() {
  if (Traffic == nullptr) return;
  for (int slot = 1; slot <= TRoadsideTraffic::kSlots; ++slot) {
    if (!Traffic->SlotActive(slot)) continue;
    const TFloatPoint centre = Traffic->SlotCenter(slot);
    const int c0 = TruncToInt(centre.X / kTilePx);
    const int r0 = TruncToInt(centre.Y / kTilePx);
    const TQuad outline = Traffic->SlotOutline(slot);
    for (int dr = -kTrafficReachTiles; dr <= kTrafficReachTiles; ++dr) {
      for (int dc = -kTrafficReachTiles; dc <= kTrafficReachTiles; ++dc) {
        const int shape = RoadsideIndex(TrackCell(r0 + dr, c0 + dc));
        if (shape == -1) continue;
        const TQuad tile = RoadsideQuad(shape, kTilePx * (c0 + dc), kTilePx * (r0 + dr));
        if (QuadsOverlap(outline, tile) && !Traffic->SlotKnockedOut(slot)) {
          Traffic->KnockOutOnRoadside(slot);
        }
      }
    }
  }
}
