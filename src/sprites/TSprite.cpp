#include "sprites/TSprite.h"

#include <algorithm>
#include <cassert>
#include <stdexcept>
#include <string>

#include "sprites/SpriteMath.h"
#include "sprites/TSpriteEngine.h"

namespace {

// Drops one entry, looking from the back where the newest entries are.
void EraseLast(std::vector<TSprite*>& list, TSprite* sprite) {
  auto it = std::find(list.rbegin(), list.rend(), sprite);
  if (it != list.rend()) list.erase(std::next(it).base());
}

bool Contains(const SurfaceRect& box, int x, int y) {
  return x >= box.Left && x <= box.Right && y >= box.Top && y <= box.Bottom;
}

}  // namespace

TSprite::TSprite(TSprite* parent) : Parent_(parent) {
  assert(parent != nullptr);
  Engine_ = parent->Engine_ != nullptr ? parent->Engine_ : static_cast<TSpriteEngine*>(parent);
  parent->Children_.push_back(this);
  parent->InsertInDrawOrder(this);
  ++Engine_->SpriteCount_;
}

TSprite::~TSprite() {
  DestroyChildren();
  if (Parent_ == nullptr) return;
  --Engine_->SpriteCount_;
  EraseLast(Parent_->Children_, this);
  Parent_->LeaveDrawOrder(this);
  if (Parent_->Children_.empty()) {
    std::vector<TSprite*>().swap(Parent_->Children_);
    std::vector<TSprite*>().swap(Parent_->DrawOrder_);
  }
  if (Removed_) EraseLast(Engine_->RemovalList_, this);
}

void TSprite::Destroy(TSprite* sprite) {
  sprite->DestroyChildren();
  delete sprite;
}

void TSprite::DestroyChildren() {
  while (!Children_.empty()) Destroy(Children_.back());
}

TSprite* TSprite::Child(int index) const {
  if (index < 0 || index >= ChildCount())
    throw std::out_of_range("Index of the list exceeds the range. (" + std::to_string(index) + ")");
  return Children_[static_cast<size_t>(index)];
}

void TSprite::InsertInDrawOrder(TSprite* child) {
  // The first place whose Z is not below the newcomer's: among equal Z the newest goes first.
  auto at = std::lower_bound(DrawOrder_.begin(), DrawOrder_.end(), child->Z_,
                             [](const TSprite* s, int z) { return s->Z_ < z; });
  DrawOrder_.insert(at, child);
}

void TSprite::LeaveDrawOrder(TSprite* child) {
  auto first = std::lower_bound(DrawOrder_.begin(), DrawOrder_.end(), child->Z_,
                                [](const TSprite* s, int z) { return s->Z_ < z; });
  auto it = std::find(first, DrawOrder_.end(), child);
  if (it != DrawOrder_.end()) DrawOrder_.erase(it);
}

void TSprite::SetZ(int z) {
  if (z == Z_) return;
  if (Parent_ == nullptr) {
    Z_ = z;
    return;
  }
  Parent_->LeaveDrawOrder(this);
  Z_ = z;
  Parent_->InsertInDrawOrder(this);
}

double TSprite::WorldX() const {
  return Parent_ != nullptr ? X + Parent_->WorldX() : X;
}
double TSprite::WorldY() const {
  return Parent_ != nullptr ? Y + Parent_->WorldY() : Y;
}

void TSprite::MarkRemoved() {
  if (Engine_ == nullptr || Removed_) return;
  Removed_ = true;
  Engine_->RemovalList_.push_back(this);
}

void TSprite::Move(int lagCount) {
  if (!Movable) return;
  OnMove(lagCount);
  // Children made during the pass wait for the next one. The size check guards a list that
  // shrank under us.
  const size_t count = Children_.size();
  for (size_t i = 0; i < count && i < Children_.size(); ++i) Children_[i]->Move(lagCount);
}

bool TSprite::DrawsOnScreen() const {
  if (!Visible || Engine_ == nullptr) return false;
  const SurfaceRect box = GetBounds();
  const SurfaceRect& screen = Engine_->SurfaceBounds();
  return box.Left < screen.Right && screen.Left < box.Right && box.Top < screen.Bottom &&
         screen.Top < box.Bottom;
}

void TSprite::Draw() {
  if (!Visible) return;
  if (DrawsOnScreen()) {
    OnDraw();
    ++Engine_->DrawnCount_;
  }
  const size_t count = DrawOrder_.size();
  for (size_t i = 0; i < count && i < DrawOrder_.size(); ++i) DrawOrder_[i]->Draw();
}

SurfaceRect TSprite::GetBounds() const {
  const int left = RoundToInt(WorldX());
  const int top = RoundToInt(WorldY());
  return {left, top, left + Width, top + Height};
}

TSprite* TSprite::SpriteAt(double x, double y) {
  TSprite* result = nullptr;
  for (TSprite* child : Children_) child->TestPoint(x - X, y - Y, result);
  return result;
}

void TSprite::TestPoint(double px, double py, TSprite*& result) {
  if (Visible) {
    const int left = RoundToInt(X);
    const int top = RoundToInt(Y);
    if (Contains({left, top, left + Width, top + Height}, RoundToInt(px), RoundToInt(py)) &&
        (result == nullptr || Z_ > result->Z_))
      result = this;
  }
  for (TSprite* child : Children_) child->TestPoint(px - X, py - Y, result);
}
