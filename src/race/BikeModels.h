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
};

constexpr int kBikeModelCount = 5;
// Indexed by model 1..5; entry 0 is unused.
extern const std::array<TBikeModel, kBikeModelCount + 1> BikeModels;
