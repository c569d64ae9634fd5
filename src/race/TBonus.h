// The pickups on the road: score bonuses of 10, 20, 50 and 100 points and at most one life a
// race. All of them live in one sprite that spins, collects and draws each in track cells.
#pragma once

#include <array>
#include <cstdint>

#include "sprites/TMyImageSprite.h"

class TSpriteEngine;

class TBonus final : public TMyImageSprite {
 public:
  static constexpr int kSlots = 400;
  enum KindValue : uint8_t {
    Bonus10 = 1,
    Bonus20 = 2,
    Bonus50 = 3,
    Bonus100 = 4,
    BonusLife = 5,
  };

  explicit TBonus(TSpriteEngine* engine);
  // StartRace calls this once, right after BuildLevel; it places the bonuses on the new track
  // and becomes Bonuses. EndRace calls RequestRemoval.
  static TBonus* Create(TSpriteEngine* engine);

  // BonusCount bonuses on rows with a straight left road edge, between the start area and the
  // finish; the bike's RestartRace calls it after building the new track.
  void PlaceBonuses();

  // Where slot n's picture has its top-left corner on the screen now.
  int ScreenX(int n) const;
  int ScreenY(int n) const;
  // Number of bonuses still lying on the road.
  int ActiveCount() const;

  // Slots 1..400 (slot 0 unused); only the first BonusCount take part.
  std::array<bool, kSlots + 1> Active{};
  std::array<int32_t, kSlots + 1> Col{};
  std::array<int32_t, kSlots + 1> Row{};
  std::array<uint8_t, kSlots + 1> Kind{};
  std::array<double, kSlots + 1> Anim{};  // pattern position, 0..4

 protected:
  ~TBonus() override;
  void OnMove(int lagCount) override;
  void OnDraw() override;

 private:
  // The slots in use, never more than the table holds.
  int UsedSlots() const;
  void Collect(int n);
};

// The bonuses of the race, nullptr outside a race.
extern TBonus* Bonuses;
