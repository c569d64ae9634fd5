// The player's bike: it stays at one place on the screen while the road scrolls under it by the
// velocity its speed and heading give. It reads the controls, leans, tests contacts, crashes,
// rolls out at the end of a race, lays tyre marks and draws itself, the opponents, the side
// panels and the track map.
#pragma once

#include <array>
#include <cstdint>

#include "race/CollisionGeometry.h"
#include "race/TScrollBackground.h"
#include "sprites/TMyImageSprite.h"

class TSpriteEngine;

// Which engine loop runs; SetEngineSound keeps exactly one set, a crash clears them all.
struct TEngineStage {
  bool Top = false;           // sound 13
  bool Idle = false;          // sound 4
  bool Acceleration = false;  // sounds 9 to 12
  bool GearChange = false;    // sound 5
  bool Coasting = false;      // sound 6
  bool Brake = false;         // sound 7

  bool Any() const { return Top || Idle || Acceleration || GearChange || Coasting || Brake; }
};

// One tyre mark on the road, in screen pixels; it scrolls with the road.
struct TSkidMark {
  double X = 0.0;
  double Y = 0.0;
  int Angle = 0;  // the bike's heading when it was laid
  bool Used = false;
};

constexpr int kSkidMarkSlots = 100;
// Slots 1..100 (slot 0 unused).
extern std::array<TSkidMark, kSkidMarkSlots + 1> SkidMarks;
// The slot of the newest mark; the fall test reads it.
extern int LastMark;

// Whether a tile kind counts as road for the on-road test (edges, lanes, the lines and the
// shoulders the diagonal asphalt cuts into).
bool IsRoadKind(int kind);
// The road test at a world pixel: column and row are its whole tiles; row or column 0 is never
// road.
bool IsRoadAtWorld(int worldX, int worldY);

// Prize points by the place reached, places 1..6; any other place wins nothing.
int PlacePrizeFor(int place);

// Picture of image list 3 for a track-map tile code, or -1 for codes that draw nothing.
int TrackMapPicture(int code);

class TPlayer final : public TMyImageSprite, public TRoadsideRider {
 public:
  // The track map: 16 columns by 12 rows of map tile codes, 1-based (0 = empty).
  static constexpr int kMapColumns = 16;
  static constexpr int kMapRows = 12;
  using TMapTiles = std::array<std::array<int, kMapRows + 1>, kMapColumns + 1>;

  TPlayer(TSpriteEngine* engine, double x, double y);
  // The bike of model BikeModel at screen position (x, y); it becomes Player.
  static TPlayer* Create(TSpriteEngine* engine, double x, double y);

  // Bonuses add to the score and give a life while fewer than three are left.
  void AddScore(int points);
  void AddLife();

  // Down on the road: the crash picture runs and the bike lies for 3000 ms. Costs no life.
  void Crash();
  // One hit; the third since the last lost life costs a life and crashes the bike.
  void TakeHit();
  void TakeHits(int count);
  // Scales the speed and the travel rate, restarting the running engine loop.
  void ScaleSpeed(double factor, bool withSound);
  // Back on the wheels, standing, upright.
  void ResetAfterCrash();
  // Looks back along the track from just ahead of the bike for a shoulder to restart on.
  void ChooseRestartPosition();
  // Stops the engine loops; with all, also the horn, the bonus, push and spare sounds.
  void StopRiderSounds(bool all);
  // Starts engine loop `index` alone and records its stage.
  void SetEngineSound(int index);
  // Builds `level` afresh and puts the bike, the bonuses and the opponents at its start.
  void RestartRace(int level);
  // Starts again the engine loop and horn that a dialog silenced.
  void ResumeSounds();

  // Handling of this bike's model.
  double MaxFactor() const;

  // TRoadsideRider
  TQuad RoadsideCorners() const override { return Corners; }
  bool CanTakeRoadsideHit() const override { return HitsLeft > 0 && !Crashed; }
  void TakeRoadsideHit() override;

  int Model = 1;  // BikeModel when the bike was made

  double Speed = 0.0;     // speedometer units, never below -8
  double Step = 0.0;      // MaxFactor * Speed / 8; the road scrolls by half of it per frame
  double SteerAcc = 0.0;  // twice the heading, -128..128
  int Heading = 0;        // 256ths of a turn, 0 up the screen
  double Decel = 0.0;
  int Lean = 0;  // -1 left, 0 upright, 1 right
  double LeanStartHeading = 0.0;
  bool PrevLeft = false;
  bool PrevRight = false;

  // Controls, copied from the keys by the race screen each tick.
  bool KeyLeft = false;
  bool KeyRight = false;
  bool KeyUp = false;
  bool KeyDown = false;
  bool KeyExtraBrake = false;
  bool KeyHorn = false;

  bool HornOn = false;
  TEngineStage EngineStage;
  int EngineSound = 0;  // the loop SetEngineSound started last, for resuming after a dialog
  bool OnRoad = false;
  bool Finished = false;

  bool Crashed = false;
  bool TimeUp = false;
  int HitsLeft = 3;
  int CrashTimerMs = 0;
  int PushTimerMs = 0;
  bool Pushed = false;
  bool EndStarted = false;
  bool RespawnPlaced = false;
  bool CrashHeadingSet = false;

  // Fixed at creation from the upright picture and the model's collision width.
  double CenterX = 0.0;
  double CenterY = 0.0;
  double CornerRadius = 0.0;
  double CornerAngle = 0.0;
  double TraceRadius = 0.0;

  TQuad Corners{};     // collision outline this frame, screen pixels
  TFloatPoint TraceA;  // rear tyre points for the marks
  TFloatPoint TraceB;
  bool ShiftSkid = false;  // the first hard gear change asks for a tyre mark

  TMapTiles MapTiles{};

 protected:
  ~TPlayer() override;
  void OnMove(int lagCount) override;
  void OnDraw() override;
  // The two side panels, which OnDraw lays over everything drawn before them.
  void AddOpaqueAreas(std::vector<SurfaceRect>& areas) const override;

 private:
  // Steps of the move.
  void RunLean();
  void TestFinishLine();
  void ComputeRacePlace();
  void ComputeCorners();
  void RunPushTimer();
  void TestOpponents();
  void RunCrash();
  void ApplyControls();
  void RunEndOfRace();
  bool CornersOnRoad() const;
  void ChooseEngineSound();
  void LayTyreMarks();
  void TestFall();
  void ApplySpeed();

  // Lean pictures: does nothing when Lean already is `lean`.
  void SwitchLean(int lean);
  void EaseTowardUpright();
  // A push from behind or a bump into an opponent changes the speed by `delta`.
  void ChangeSpeedBy(double delta, bool withSound);

  // Drawing.
  void DrawMarks() const;
  void DrawBike();
  void DrawOpponents() const;
  void DrawPanels() const;
  void BuildTrackMap();
  void DrawTrackMap() const;
};

// The one bike of the race, nullptr outside a race.
extern TPlayer* Player;

// The scrolling road's offset in pixels, 0 without a road.
double RoadOffsetX();
double RoadOffsetY();

// Tyre marks (TyreMarks.cpp).
void ClearSkidMarks();
// Every slot moves with the road by half this frame's scroll velocity.
void ScrollMarks();
// Takes the first free slot; with all 100 in use nothing is laid.
void LayMark(double x, double y, int heading);
// Frees the marks that left the screen.
void PurgeMarks();
