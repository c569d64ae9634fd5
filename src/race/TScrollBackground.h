// The scrolling road: a 13 x 10 window of the track grid drawn at a fractional offset, stepped
// a tile at a time as the bike rides, and the roadside contact tests. With a 1 x 1 map and no
// scroll it is also the menu screens' backdrop.
#pragma once

#include <cstdint>

#include "race/CollisionGeometry.h"
#include "sprites/TBackgroundSprite.h"

class TSpriteEngine;

// The bike as the roadside test sees it.
class TRoadsideRider {
 public:
  // The bike's collision outline this frame, in screen pixels.
  virtual TQuad RoadsideCorners() const = 0;
  // Whether a roadside contact can still crash it: hits left and not crashed.
  virtual bool CanTakeRoadsideHit() const = 0;
  // A roadside contact costs a life at once and crashes the bike with a fresh crash heading.
  virtual void TakeRoadsideHit() = 0;

 protected:
  ~TRoadsideRider() = default;
};

// The opponents' slots as the roadside test sees them; slots are numbered 1..kSlots.
class TRoadsideTraffic {
 public:
  static constexpr int kSlots = 5;
  virtual bool SlotActive(int slot) const = 0;
  // World centre of the rider's picture.
  virtual TFloatPoint SlotCenter(int slot) const = 0;
  // Collision corners in world pixels.
  virtual TQuad SlotOutline(int slot) const = 0;
  virtual bool SlotKnockedOut(int slot) const = 0;
  // Knocks the rider off at a roadside contact.
  virtual void KnockOutOnRoadside(int slot) = 0;

 protected:
  ~TRoadsideTraffic() = default;
};

class TScrollBackground final : public TBackgroundSprite {
 public:
  // Map size of the race road, in tiles.
  static constexpr int kRoadColumns = 13;
  static constexpr int kRoadRows = 10;

  TScrollBackground(TSpriteEngine* engine, int listNo, int imageIndex, int mapWidth, int mapHeight);
  // A road or backdrop under the engine showing item imageIndex of image list listNo (1 or 2).
  static TScrollBackground* Create(TSpriteEngine* engine, int listNo, int imageIndex, int mapWidth,
                                   int mapHeight);

  // Takes item imageIndex of the stored image list as the tile picture; the sprite's size
  // becomes one tile's.
  void SelectTileImage(int imageIndex);
  void SetListAndImage(int imageIndex, int listNo);
  // Hands the sprite to the end-of-tick purge; later calls do nothing.
  void RequestRemoval();

  // Copies the grid around ViewCol, ViewRow into the map.
  void RefreshRoadWindow();

  // The roadside tests of one frame; Move runs them on the race screen.
  void TestRiderContacts();
  void TestTrafficContacts();

  uint8_t ImageListSel = 0;
  bool RemovalRequested = false;
  // The bodies tested against the roadside; the bike and the opponents register themselves.
  TRoadsideRider* Rider = nullptr;
  TRoadsideTraffic* Traffic = nullptr;

 protected:
  ~TScrollBackground() override;
  void OnMove(int lagCount) override;
};

// The race road, or nullptr outside a race; the track build refreshes it. Cleared when the road
// is destroyed.
extern TScrollBackground* Road;
