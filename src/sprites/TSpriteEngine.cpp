#include "sprites/TSpriteEngine.h"

TSpriteEngine::TSpriteEngine() = default;

// The children go first, while the counters and the removal list they leave still exist.
TSpriteEngine::~TSpriteEngine() {
  DestroyChildren();
}

void TSpriteEngine::SetSurface(::Surface* surface) {
  Surface_ = surface;
  Width = surface != nullptr ? surface->Width() : 0;
  Height = surface != nullptr ? surface->Height() : 0;
  SurfaceBounds_ = {0, 0, Width, Height};
}

void TSpriteEngine::Draw() {
  if (Surface_ == nullptr) return;
  DrawnCount_ = 0;
  PaintedOver_.clear();
  const std::vector<TSprite*>& order = DrawOrder();
  for (size_t i = 1; i < order.size(); ++i)
    if (order[i]->DrawsOnScreen()) order[i]->AddOpaqueAreas(PaintedOver_);
  TSprite::Draw();
  PaintedOver_.clear();
}

bool TSpriteEngine::PaintedOverLater(const TSprite& sprite, const SurfaceRect& area) const {
  if (DrawOrder().empty() || DrawOrder().front() != &sprite) return false;
  for (const SurfaceRect& over : PaintedOver_) {
    if (over.Left <= area.Left && area.Right <= over.Right && over.Top <= area.Top &&
        area.Bottom <= over.Bottom)
      return true;
  }
  return false;
}

bool TSpriteEngine::DrawCoversSurface() const {
  if (Surface_ == nullptr || !Visible || DrawOrder().empty()) return false;
  const TSprite* first = DrawOrder().front();
  return first->Visible && first->CoversOpaquely(SurfaceBounds_);
}

void TSpriteEngine::PurgeRemoved() {
  while (!RemovalList_.empty()) Destroy(RemovalList_.back());
}
