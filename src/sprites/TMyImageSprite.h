// The base of the game's own sprites: pictures chosen by number from image collection 1 or 2,
// alpha-blended drawing, an animation speed in patterns per frame, and a once-only removal.
#pragma once

#include <cstdint>

#include "sprites/TImageSprite.h"

class TSpriteEngine;

class TMyImageSprite : public TImageSprite {
 public:
  // An empty sprite under the engine, looping, not moving through its patterns.
  TMyImageSprite(TSpriteEngine* engine, int selector);
  // Shows the picture with its top-left corner at (x, y), at the given Z.
  TMyImageSprite(TSpriteEngine* engine, int selector, int picture, double x, double y, int z);

  static TMyImageSprite* Create(TSpriteEngine* engine, int selector);
  static TMyImageSprite* CreateAt(TSpriteEngine* engine, int selector, int picture, double x,
                                  double y, int z);
  // As CreateAt, but the picture's centre lands on (centreX, centreY).
  static TMyImageSprite* CreateCentred(TSpriteEngine* engine, int selector, int picture,
                                       double centreX, double centreY, int z);

  // Picture number `picture` of the selected collection, from its first pattern.
  void SetPicture(int picture);
  // Runs through the picture's patterns at speedPercent hundredths of a pattern per frame.
  void StartAnimation(int picture, int speedPercent);
  // Hands the sprite to the end-of-tick purge; later calls do nothing.
  void RequestRemoval();

  bool AlphaOn = false;
  int Alpha = 0;
  int AnimSpeedPercent = 0;  // 0 keeps AnimRate as set
  uint8_t ImageListSel = 0;
  bool RemovalRequested = false;

 protected:
  ~TMyImageSprite() override = default;
  void OnMove(int lagCount) override;
  void OnDraw() override;
};
