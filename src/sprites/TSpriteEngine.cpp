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
  TSprite::Draw();
}

bool TSpriteEngine::DrawCoversSurface() const {
  if (Surface_ == nullptr || !Visible || DrawOrder().empty()) return false;
  const TSprite* first = DrawOrder().front();
  return first->Visible && first->CoversOpaquely(SurfaceBounds_);
}

void TSpriteEngine::PurgeRemoved() {
  while (!RemovalList_.empty()) Destroy(RemovalList_.back());
}
