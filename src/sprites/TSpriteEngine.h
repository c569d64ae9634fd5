// The root of the sprite tree: owns every sprite, draws them onto the back buffer and destroys
// the ones whose removal was asked for.
#pragma once

#include <vector>

#include "platform/Surface.h"
#include "sprites/TSprite.h"
#include "sprites/TurnCache.h"

class TSpriteEngine : public TSprite {
 public:
  TSpriteEngine();
  ~TSpriteEngine() override;

  // The back buffer, or nullptr while the display is down.
  ::Surface* Surface() const { return Surface_; }
  // Also takes the surface's size as the engine's size and the screen for culling.
  virtual void SetSurface(::Surface* surface);
  const SurfaceRect& SurfaceBounds() const { return SurfaceBounds_; }
  // Where the sprites' rotated draws keep their turned patterns from frame to frame.
  TurnCache& Turned() { return Turned_; }

  // Draws the whole tree; does nothing while there is no surface.
  void Draw() override;
  // Whether the first sprite drawn paints the whole surface opaquely, so that clearing the
  // surface before Draw would change no pixel.
  bool DrawCoversSurface() const;
  // During Draw: whether the sprites drawn after the first paint every pixel of the area
  // opaquely, so that the first sprite may leave it out. False for any other sprite.
  bool PaintedOverLater(const TSprite& sprite, const SurfaceRect& area) const;
  // Destroys the sprites on the removal list, newest first.
  void PurgeRemoved();

  int SpriteCount() const { return SpriteCount_; }
  int DrawnCount() const { return DrawnCount_; }
  const std::vector<TSprite*>& RemovalList() const { return RemovalList_; }

 private:
  friend class TSprite;

  ::Surface* Surface_ = nullptr;
  SurfaceRect SurfaceBounds_;
  std::vector<TSprite*> RemovalList_;
  std::vector<SurfaceRect> PaintedOver_;  // by the sprites after the first, this frame
  TurnCache Turned_;
  int SpriteCount_ = 0;
  int DrawnCount_ = 0;
};
