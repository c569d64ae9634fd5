// The blinking text cursor of the name and country entries.
#pragma once

#include "sprites/TMyImageSprite.h"

class TMyCursor : public TMyImageSprite {
 public:
  // Created hidden and still; setting Blinking starts it.
  TMyCursor(TSpriteEngine* engine, int selector, int picture, double x, double y, int z,
            int blinkMs);
  static TMyCursor* Create(TSpriteEngine* engine, int selector, int picture, double x, double y,
                           int z, int blinkMs);

  int BlinkMs = 0;  // half a blink period
  int BlinkLeftMs = 0;
  bool Blinking = false;

 protected:
  ~TMyCursor() override = default;
  void OnMove(int lagCount) override;
};
