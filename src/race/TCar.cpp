#include "race/TCar.h"

#include "app/Audio.h"
#include "app/Random.h"
#include "app/ShellState.h"
#include "race/BikeModels.h"
#include "race/TPlayer.h"
#include "race/TrackState.h"
#include "resources/ImageCollection.h"
#include "sprites/GameImages.h"
#include "sprites/ImageDrawing.h"
#include "sprites/SpriteMath.h"

TCar* Opponents = nullptr;

namespace {

// The keeper sits under the bike; its picture (a placeholder) is never drawn.
constexpr int kCarZ = 9;
constexpr int kRaceImageList = 2;
constexpr int kPlaceholderPicture = 0;

// Riders keep their first lane and pace this long before they start to vary them.
constexpr int kFirstChangeMs = 5000;
constexpr int kKnockedOutMs = 1000;
constexpr int kCrashSound = 20;
// Speed that fills the speedometer, scaled by each model's top-speed factor.
constexpr double kTopSpeedScale = 160.0;
// Heading of the track's diagonal stretches: one column across per two rows up.
constexpr double kDiagonalHeading = 18.89;

// Where the riders stand at the start, relative to the view after a track build.
struct TStartPlace {
  int Columns;  // tiles right of ViewCol
  int ColumnShiftPx;
  int Rows;  // tiles below ViewRow
  int RowShiftPx;
  double LaneOffset;
};
constexpr std::array<TStartPlace, TCar::kSlots + 1> kStartPlaces = {{
    {0, 0, 0, 0, 0.0},
    {4, 0, 6, -32, -30.0},
    {6, -30, 4, -50, 60.0},
    {4, 0, 4, -50, -30.0},
    {6, -30, 2, -80, 60.0},
    {4, 0, 2, -80, -30.0},
}};

// Which slots race on a level: one rider on level 1, two on 2 and 4, three on 3, five from 5.
bool SlotRacesOnLevel(int slot, int level) {
  if (slot == 1) return level % 2 == 1 || level >= 5;
  if (slot <= 3) return level > 1;
  return level > 4;
}

double Sign(double v) {
  return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0);
}

double RoadX() {
  return Road != nullptr ? Road->X : 0.0;
}
double RoadY() {
  return Road != nullptr ? Road->Y : 0.0;
}

}  // namespace

TCar::TCar(TSpriteEngine* engine)
    : TMyImageSprite(engine, kRaceImageList, kPlaceholderPicture, 0.0, 0.0, kCarZ) {
  Opponents = this;
  if (Road != nullptr) Road->Traffic = this;
}

TCar::~TCar() {
  if (Opponents == this) Opponents = nullptr;
  if (Road != nullptr && Road->Traffic == this) Road->Traffic = nullptr;
}

TCar* TCar::Create(TSpriteEngine* engine) {
  TCar* cars = Make<TCar>(engine);
  cars->PlaceOpponents();
  return cars;
}

void TCar::PlaceOpponents() {
  for (TOpponent& car : Slots) {
    car = TOpponent{};
    car.LaneTimerMs = kFirstChangeMs;
    car.SpeedTimerMs = kFirstChangeMs;
  }
  for (int slot = 1; slot <= kSlots; ++slot) {
    if (!SlotRacesOnLevel(slot, Level)) continue;
    TOpponent& car = Slots[slot];
    const TStartPlace& place = kStartPlaces[slot];
    car.Active = true;
    car.Model = static_cast<uint8_t>(1 + Random(kBikeModelCount));
    car.Image = BikeModels[car.Model].UprightImage;
    car.NearView = true;
    car.PosX = kTilePx * (ViewCol + place.Columns) + place.ColumnShiftPx;
    car.PosY = kTilePx * (ViewRow + place.Rows) + place.RowShiftPx;
    car.LaneOffset = place.LaneOffset;
  }
  // One step at once, so centres, outlines and probes are valid before the first frame.
  OnMove(1);
}

void TCar::KnockOut(int slot) {
  TOpponent& car = Slots[slot];
  car.KnockedOut = true;
  car.Image = BikeModels[car.Model].CrashImage;
  car.AnimFrame = 0;
  car.KnockTimerMs = kKnockedOutMs;
  PlaySound(kCrashSound);
}

void TCar::KnockOutOnRoadside(int slot) {
  Slots[slot].HitCount = 2;
  KnockOut(slot);
}

void TCar::Respawn(int slot) {
  TOpponent& car = Slots[slot];
  car.KnockedOut = false;
  car.HitCount = 0;
  car.Image = BikeModels[car.Model].UprightImage;
  car.AnimFrame = 0;

  // The right shoulder of the rows around the rider: plain ground just right of the road, or
  // the shoulder tiles of bend and drift rows. A later row's find wins.
  const int r = TruncToInt(car.CenterY / kTilePx);
  for (int row = r - 1; row <= r + 1; ++row) {
    for (int column = kTrackColumns - 1; column >= 1; --column) {
      const int kind = TrackCell(row, column);
      double heading = 0.0;
      if (kind == kTileGround) {
        if (!IsRoadAtWorld(kTilePx * (column - 1), kTilePx * row)) continue;
      } else if (kind == 29) {
        heading = -kDiagonalHeading;
      } else if (kind == 47) {
        heading = kDiagonalHeading;
      } else if (kind != 23) {
        continue;
      }
      // Three columns left of the shoulder puts the picture in the left lane.
      car.PosY = kTilePx * row;
      car.PosX = kTilePx * (column - 3);
      car.Heading = heading;
      break;
    }
  }
}

void TCar::SteerLeft(int slot) {
  TOpponent& car = Slots[slot];
  car.Heading -= Sign(car.Step) * SteerRateAt(car.Model, car.Speed) * 2 * MotionFactor;
}

void TCar::SteerRight(int slot) {
  TOpponent& car = Slots[slot];
  car.Heading += Sign(car.Step) * SteerRateAt(car.Model, car.Speed) * 2 * MotionFactor;
}

void TCar::Accelerate(int slot) {
  TOpponent& car = Slots[slot];
  if (car.Speed <= MaxFactor(car.Model) * kTopSpeedScale)
    car.Speed += AccelAt(car.Model, car.Speed) * MotionFactor;
}

void TCar::DrawOpponents(Surface& surface, TurnCache& turned) const {
  TDXImageList* list = GameImageList(kRaceImageList);
  if (list == nullptr) return;
  const double left = kTilePx * ViewCol - RoadX();
  const double top = kTilePx * ViewRow - RoadY();
  // The fallen ones lie under the riding ones; their strip runs from the centre up the road.
  for (const bool knockedOut : {true, false}) {
    for (int slot = 1; slot <= kSlots; ++slot) {
      const TOpponent& car = Slots[slot];
      if (!car.Active || !car.NearView || car.KnockedOut != knockedOut) continue;
      const TPictureCollectionItem* item = list->Item(car.Image);
      if (item == nullptr) continue;
      const TBikeModel& model = BikeModels[car.Model];
      if (knockedOut) {
        DrawRotated(*item, surface, RoundToInt(car.CenterX - left),
                    RoundToInt(car.CenterY - top - model.KnockedOutHeight / 2.0),
                    model.KnockedOutWidth, model.KnockedOutHeight, TruncToInt(car.AnimFrame), 0.5,
                    0.5, 0, &turned);
      } else {
        DrawRotated(*item, surface, RoundToInt(car.CenterX - left), RoundToInt(car.CenterY - top),
                    model.RidingWidth, model.RidingHeight, TruncToInt(car.AnimFrame), 0.5, 0.5,
                    TruncToInt(car.Heading), &turned);
      }
    }
  }
}
