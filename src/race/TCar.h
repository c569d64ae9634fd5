// The opponent riders: up to five bikes of the player's models that follow the road's centre
// line at a wandering lateral offset, brake for bends, swerve around the bike and each other,
// fall at the roadside or after two hits and come back on the shoulder a second later. All five
// live in one sprite that moves them and draws nothing; the bike's draw routine draws them.
#pragma once

#include <array>
#include <cstdint>

#include "race/CollisionGeometry.h"
#include "race/TScrollBackground.h"
#include "sprites/TMyImageSprite.h"
#include "sprites/TurnCache.h"

class Surface;
class TSpriteEngine;

// One opponent. Positions are world pixels; angles 256ths of a turn, 0 up the screen, clockwise.
struct TOpponent {
  // The look-ahead points, in the order of Probes.
  enum ProbeIndex { FrontLeft = 0, FrontRight = 1, SideLeft = 2, SideRight = 3 };

  bool Active = false;  // takes part in this race
  uint8_t Model = 0;    // bike model 1..5
  int Image = 0;        // picture of image list 2 shown now
  double PosX = 0.0;    // top-left corner of the picture
  double PosY = 0.0;
  double Heading = 0.0;
  double Speed = 0.0;     // speedometer units, as the bike's
  double Step = 0.0;      // world pixels per frame, twice what the rider covers
  double Decel = 0.0;     // taken off Speed each frame
  bool NearView = false;  // in the area around the road window
  double CenterX = 0.0;
  double CenterY = 0.0;
  TQuad Outline{};  // collision corners: front-left, front-right, rear-right, rear-left
  TQuad Probes{};
  double LaneOffset = 0.0;  // aimed-for offset from the road's centre line
  int LookAhead = 0;        // extra rows looked ahead, 0..2
  int LaneTimerMs = 0;
  int SpeedTimerMs = 0;
  int SpeedJitter = 0;  // current variation of the speed, -5..4
  bool Avoiding = false;
  int AvoidTimerMs = 0;  // how long Avoiding outlasts the last probe contact
  bool Turning = false;
  double TurnStartHeading = 0.0;
  double Lean = 0.0;        // -6.5..6.5
  double LeanHold = 0.0;    // frames before the lean starts returning upright
  int LeanDir = 0;          // -1 left, 0 upright, 1 right
  double AnimFrame = 0.0;   // pattern position in the lean or crash picture
  bool TouchLatch = false;  // a contact with the bike has been counted
  uint8_t HitCount = 0;     // hits from the bike; 2 after a roadside contact
  bool KnockedOut = false;
  int KnockTimerMs = 0;  // time lying still before coming back
};

class TCar final : public TMyImageSprite, public TRoadsideTraffic {
 public:
  static constexpr int kSlots = TRoadsideTraffic::kSlots;

  explicit TCar(TSpriteEngine* engine);
  // StartRace calls this once, after the bike exists; it places the opponents for the current
  // Level and becomes Opponents and the road's traffic. EndRace calls RequestRemoval.
  static TCar* Create(TSpriteEngine* engine);

  // New riders for the current Level at the start of the track; the bike's RestartRace calls
  // it after building the new track.
  void PlaceOpponents();

  // Down at the roadside or after the second hit from the bike: the crash picture, a second on
  // the ground once the slide stops, then back on the road.
  void KnockOut(int slot);
  // Back on the right shoulder of the rows around the rider, upright and unhurt.
  void Respawn(int slot);
  void SteerLeft(int slot);
  void SteerRight(int slot);
  // Speeds up until the model's top speed is passed.
  void Accelerate(int slot);

  // Knocked-out riders first, then the riding ones over them; the bike's draw routine calls it
  // after drawing the bike.
  void DrawOpponents(Surface& surface, TurnCache& turned) const;

  // TRoadsideTraffic
  bool SlotActive(int slot) const override { return Slots[slot].Active; }
  TFloatPoint SlotCenter(int slot) const override {
    return {Slots[slot].CenterX, Slots[slot].CenterY};
  }
  TQuad SlotOutline(int slot) const override { return Slots[slot].Outline; }
  bool SlotKnockedOut(int slot) const override { return Slots[slot].KnockedOut; }
  void KnockOutOnRoadside(int slot) override;

  // Slots 1..5; slot 0 is unused.
  std::array<TOpponent, kSlots + 1> Slots{};

 protected:
  ~TCar() override;
  void OnMove(int lagCount) override;
  void OnDraw() override {}

 private:
  // The steps of one slot's move (TCarMove.cpp).
  void MoveSlot(int slot);
  void UpdateNearView(TOpponent& car) const;
  void Travel(TOpponent& car) const;
  void UpdateShape(TOpponent& car) const;
  void ChangeLane(TOpponent& car) const;
  void VarySpeed(TOpponent& car) const;
  void AvoidContacts(int slot);
  void RunLean(TOpponent& car) const;
  void ChoosePicture(TOpponent& car) const;
  void RunKnockedOut(int slot);
};

// The opponents of the race, nullptr outside a race.
extern TCar* Opponents;
