#include "race/BikeModels.h"

#include <algorithm>
#include <cmath>

const std::array<TBikeModel, kBikeModelCount + 1> BikeModels = {{
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0, 0, 0, 0, 0, 0.0, 0.0},
    {6, 8, 9, 7, 5, 24, 25, 23, 5, 23, 0.92, 63, 68, 64, 152, 37.0, 12.0},
    {11, 4, 3, 8, 6, 27, 28, 26, 7, 28, 0.82, 60, 67, 72, 158, 36.0, 11.0},
    {6, 6, 8, 10, 7, 30, 31, 29, 5, 34, 0.78, 68, 69, 88, 204, 38.0, 13.0},
    {9, 5, 10, 9, 8, 33, 34, 32, 5, 24, 0.9, 60, 62, 86, 154, 35.0, 11.0},
    {8, 11, 8, 9, 9, 36, 37, 35, 5, 28, 0.8, 56, 68, 68, 184, 35.0, 12.0},
}};

namespace {
// The gain a standing or reversing bike gets, and the most any speed gets.
constexpr double kMaxAccel = 0.3;
constexpr double kMinDrag = 0.05;
constexpr double kMaxSteerRate = 0.8;

const TBikeModel& ModelOf(int model) {
  return BikeModels[std::clamp(model, 1, kBikeModelCount)];
}
}  // namespace

double MaxFactor(int model) {
  return ModelOf(model).Max / 11.0 / 10.0 + 0.9;
}

double AccelAt(int model, double s) {
  if (s <= 0) return kMaxAccel;
  return std::min(kMaxAccel, (3.0 * ModelOf(model).Accel + 80.0) / (s * std::sqrt(2.0 * s)));
}

double DragAt(int model, double s) {
  if (s <= 0) return 0.0;
  return std::max(kMinDrag, (kMaxAccel - AccelAt(model, s)) / 2.0);
}

double BrakeDecel(int model) {
  return (11.0 - ModelOf(model).Brake) / 40.0 + 0.25;
}

double SteerRateAt(int model, double s) {
  const double rate =
      s > 0 ? 1000.0 / (s * std::sqrt(s * (4.0 - ModelOf(model).Steer / 10.0))) : -s / 5.0;
  return std::min(kMaxSteerRate, rate);
}
