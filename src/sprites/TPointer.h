// A gauge needle: pattern 0 of its picture turned about a pivot, the race's speedometer.
#pragma once

#include "sprites/TMyImageSprite.h"

class TPointer : public TMyImageSprite {
 public:
  // At Z 12; the pivot is given as fractions of the picture's width and height.
  TPointer(TSpriteEngine* engine, int selector, int picture, int x, int y, double pivotX,
           double pivotY);
  static TPointer* Create(TSpriteEngine* engine, int selector, int picture, int x, int y,
                          double pivotX, double pivotY);

  double PivotX = 0.0;
  double PivotY = 0.0;
  int BaseX = 0;
  int BaseY = 0;
  int Angle = 0;  // 256ths of a turn, clockwise

 protected:
  ~TPointer() override = default;
  void OnDraw() override;
};
