// The five bike models: handling figures and pictures, shared by the player and the opponents.
#pragma once

#include <array>

struct TBikeModel {
  int Max;    // top speed rating
  int Steer;  // handling rating
  int Accel;
  int Brake;
  int UprightImage;  // pictures of image list 2
  int LeanLeftImage;
  int LeanRightImage;
  int CrashImage;
  int CrashFrames;
  int CollisionWidth;  // pixels
  double CornerFactor;
  // How large the opponents are drawn, riding and knocked out (pixels).
  int RidingWidth;
  int RidingHeight;
  int KnockedOutWidth;
  int KnockedOutHeight;
  // The opponents' collision outline: distance of the corners from the centre (pixels) and
  // their angle off the heading (256ths of a turn).
  double OutlineRadius;
  double OutlineAngle;
};

constexpr int kBikeModelCount = 5;
// Indexed by model 1..5; entry 0 is unused.
extern const std::array<TBikeModel, kBikeModelCount + 1> BikeModels;

// Handling of a model (1..5) at speed s, per frame at 85 frames a second.
// Top speed is reached where the speed passes MaxFactor * 160.
double MaxFactor(int model);
// Added to the speed per frame while accelerating; at most 0.3.
double AccelAt(int model, double s);
// Taken off the speed per frame while rolling forward with neither throttle nor brake.
double DragAt(int model, double s);
double BrakeDecel(int model);
// Change of twice the heading per frame while steering; at most 0.8.
double SteerRateAt(int model, double s);
