#include "race/TPlayer.h"

#include <algorithm>
#include <cmath>

#include "race/BikeModels.h"
#include "race/RiderState.h"
#include "race/TrackState.h"
#include "sprites/TSpriteEngine.h"

TPlayer* Player = nullptr;

namespace {
constexpr int kPlayerList = 2;
constexpr int kPlayerZ = 12;
constexpr int kHitsPerLife = 3;
constexpr int kMaxLives = 3;
constexpr double kAngleToRadians = 2.0 * M_PI / 256.0;
// The rear tyre lies this much inside the picture's half diagonal.
constexpr double kTraceInsetPx = 25.0;

constexpr std::array<int, 7> kPlacePrizes = {0, 800, 600, 400, 300, 200, 100};

int ChosenModel() {
  return std::clamp(BikeModel, 1, kBikeModelCount);
}
}  // namespace

bool IsRoadKind(int kind) {
  switch (kind) {
    case 10:
    case 11:
    case 12:
    case 24:
    case 27:
    case 28:
    case 29:
    case 32:
    case 33:
    case 34:
    case 38:
    case 39:
    case 40:
    case 45:
    case 46:
    case 47:
      return true;
    default:
      return false;
  }
}

bool IsRoadAtWorld(int worldX, int worldY) {
  const int column = worldX / kTilePx;
  const int row = worldY / kTilePx;
  if (column == 0 || row == 0) return false;
  return IsRoadKind(TrackCell(row, column));
}

int PlacePrizeFor(int place) {
  if (place < 1 || place >= static_cast<int>(kPlacePrizes.size())) return 0;
  return kPlacePrizes[place];
}

double RoadOffsetX() {
  return Road != nullptr ? Road->X : 0.0;
}

double RoadOffsetY() {
  return Road != nullptr ? Road->Y : 0.0;
}

TPlayer::TPlayer(TSpriteEngine* engine, double x, double y)
    : TMyImageSprite(engine, kPlayerList, BikeModels[ChosenModel()].UprightImage, x, y, kPlayerZ),
      Model(ChosenModel()) {
  HitsLeft = kHitsPerLife;
  ClearSkidMarks();
  // The outline and the tyre point come from the upright picture as the bike is made.
  const double halfWidth = Width / 2.0;
  const double halfHeight = Height / 2.0;
  const double halfModelWidth = BikeModels[Model].CollisionWidth / 2.0;
  CenterX = X + halfWidth;
  CenterY = Y + halfHeight;
  CornerRadius = std::sqrt(halfHeight * halfHeight + halfModelWidth * halfModelWidth);
  CornerAngle = halfHeight > 0 ? std::atan(halfModelWidth / halfHeight) / kAngleToRadians : 0.0;
  TraceRadius = std::sqrt(halfHeight * halfHeight + halfWidth * halfWidth) - kTraceInsetPx;
}

TPlayer* TPlayer::Create(TSpriteEngine* engine, double x, double y) {
  Player = Make<TPlayer>(engine, x, y);
  return Player;
}

TPlayer::~TPlayer() {
  if (Player == this) Player = nullptr;
  if (Road != nullptr && Road->Rider == this) Road->Rider = nullptr;
}

double TPlayer::MaxFactor() const {
  return ::MaxFactor(Model);
}

void TPlayer::AddScore(int points) {
  Score += points;
}

void TPlayer::AddLife() {
  if (Lives < kMaxLives) ++Lives;
}

void TPlayer::TakeRoadsideHit() {
  CrashHeadingSet = false;
  TakeHits(HitsLeft);
}
