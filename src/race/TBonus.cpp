#include "race/TBonus.h"

#include <algorithm>

#include "app/Audio.h"
#include "app/Random.h"
#include "app/ShellState.h"
#include "race/TPlayer.h"
#include "race/TScrollBackground.h"
#include "race/TrackState.h"
#include "resources/ImageCollection.h"
#include "sprites/GameImages.h"
#include "sprites/ImageDrawing.h"
#include "sprites/SpriteMath.h"
#include "sprites/TSpriteEngine.h"

TBonus* Bonuses = nullptr;

namespace {

// Above the road, under the bikes.
constexpr int kBonusZ = 5;
constexpr int kRaceImageList = 2;
// Pictures of the five kinds follow each other from the 10-point one.
constexpr int kFirstBonusPicture = 11;

// Bonuses lie between the finish line and the start area.
constexpr int kPlacementTopFromLength = 1549;
constexpr int kPlacementBottomRow = 1495;
// A bonus takes one of the four road cells from the left edge on.
constexpr int kRoadCells = 4;
constexpr int kKinds = 5;
// Starting spin positions 0.0 .. 3.9.
constexpr int kAnimStarts = 40;
constexpr double kAnimStartStep = 10.0;

constexpr double kAnimStep = 0.1;
constexpr double kAnimEnd = 4.0;
// The picture sits 19 pixels into its tile; the pickup square is 36 by 35.
constexpr int kInsetPx = 19;
constexpr int kPickupRightPx = 35;
constexpr int kPickupBottomPx = 34;
// Only bonuses this near the screen are tested against the bike.
constexpr int kTestLeft = -20;
constexpr int kTestRight = 720;
constexpr int kTestTop = -20;
constexpr int kTestBottom = 620;

constexpr std::array<int, kKinds + 1> kPoints = {0, 10, 20, 50, 100, 50};
constexpr int kScoreSound = 14;
constexpr int kLifeSound = 15;

double RoadX() {
  return Road != nullptr ? Road->X : 0.0;
}
double RoadY() {
  return Road != nullptr ? Road->Y : 0.0;
}

}  // namespace

TBonus::TBonus(TSpriteEngine* engine)
    : TMyImageSprite(engine, kRaceImageList, kFirstBonusPicture, 0.0, 0.0, kBonusZ) {
  Bonuses = this;
}

TBonus::~TBonus() {
  if (Bonuses == this) Bonuses = nullptr;
}

TBonus* TBonus::Create(TSpriteEngine* engine) {
  TBonus* bonuses = Make<TBonus>(engine);
  bonuses->PlaceBonuses();
  return bonuses;
}

int TBonus::UsedSlots() const {
  return std::clamp(BonusCount, 0, kSlots);
}

void TBonus::PlaceBonuses() {
  Active.fill(false);
  const int lo = kPlacementTopFromLength - TrackLength;
  const int hi = kPlacementBottomRow;
  int lifePlaced = 0;
  for (int n = 1; n <= UsedSlots(); ++n) {
    // A track too short for the range leaves the bonuses in the start area's top row.
    const int row = lo + static_cast<int>(Random(static_cast<uint32_t>(std::max(hi - lo, 0))));
    for (int c = 1; c <= kTrackColumns; ++c) {
      if (TrackCell(row, c) != kTileLeftEdge) continue;
      // Every left edge in the row draws; the last one keeps the slot.
      Active[n] = true;
      Col[n] = c + static_cast<int>(Random(kRoadCells));
      Row[n] = row;
      int kind = 1 + static_cast<int>(Random(kKinds));
      while (kind == BonusLife && lifePlaced >= 1) kind = 1 + static_cast<int>(Random(kKinds));
      if (kind == BonusLife) ++lifePlaced;
      Kind[n] = static_cast<uint8_t>(kind);
      Anim[n] = Random(kAnimStarts) / kAnimStartStep;
    }
  }
}

int TBonus::ScreenX(int n) const {
  return RoundToInt((Col[n] - ViewCol) * kTilePx + RoadX()) + kInsetPx;
}

int TBonus::ScreenY(int n) const {
  return RoundToInt((Row[n] - ViewRow) * kTilePx + RoadY()) + kInsetPx;
}

int TBonus::ActiveCount() const {
  return static_cast<int>(std::count(Active.begin() + 1, Active.begin() + 1 + UsedSlots(), true));
}

// The spin and the pickups; the sprite itself neither moves nor animates.
void TBonus::OnMove(int lagCount) {
  (void)lagCount;
  for (int n = 1; n <= UsedSlots(); ++n) {
    if (!Active[n]) continue;
    Anim[n] += kAnimStep * MotionFactor;
    if (Anim[n] > kAnimEnd) Anim[n] = 0;

    const int x = ScreenX(n);
    const int y = ScreenY(n);
    if (x < kTestLeft || x > kTestRight || y < kTestTop || y > kTestBottom) continue;
    if (Player == nullptr) continue;
    const TSprite* bike = Player;
    // The bike must be the topmost sprite at a corner of the pickup square.
    for (const auto& [dx, dy] :
         {std::pair{0, 0}, std::pair{kPickupRightPx, 0}, std::pair{0, kPickupBottomPx},
          std::pair{kPickupRightPx, kPickupBottomPx}}) {
      if (Engine()->SpriteAt(x + dx, y + dy) == bike) {
        Collect(n);
        break;
      }
    }
  }
}

void TBonus::Collect(int n) {
  Active[n] = false;
  Player->AddScore(kPoints[Kind[n]]);
  if (Kind[n] == BonusLife) {
    Player->AddLife();
    PlaySound(kLifeSound);
  } else {
    PlaySound(kScoreSound);
  }
}

void TBonus::OnDraw() {
  ::Surface* surface = Engine()->Surface();
  TDXImageList* list = GameImageList(kRaceImageList);
  if (surface == nullptr || list == nullptr) return;
  for (int n = 1; n <= UsedSlots(); ++n) {
    if (!Active[n]) continue;
    if (Col[n] < ViewCol || Col[n] > ViewCol + TScrollBackground::kRoadColumns) continue;
    if (Row[n] < ViewRow || Row[n] > ViewRow + TScrollBackground::kRoadRows) continue;
    const TPictureCollectionItem* item = list->Item(kFirstBonusPicture - 1 + Kind[n]);
    if (item == nullptr) continue;
    DrawPattern(*item, *surface, ScreenX(n), ScreenY(n), TruncToInt(Anim[n]));
  }
}
