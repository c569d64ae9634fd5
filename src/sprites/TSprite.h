// A node of the sprite tree: a position, a box, a Z order among its siblings, and the move and
// draw passes over its subtree.
#pragma once

#include <type_traits>
#include <utility>
#include <vector>

#include "platform/Surface.h"

class TSpriteEngine;

class TSprite {
 public:
  // A sprite belongs to its parent from construction on. It is never deleted by hand:
  // MarkRemoved hands it to the engine's purge, and a parent takes its children with it.
  template <class T, class... A>
  static T* Make(A&&... args) {
    static_assert(std::is_base_of_v<TSprite, T>);
    return new T(std::forward<A>(args)...);
  }

  explicit TSprite(TSprite* parent);
  TSprite(const TSprite&) = delete;
  TSprite& operator=(const TSprite&) = delete;

  TSpriteEngine* Engine() const { return Engine_; }
  TSprite* Parent() const { return Parent_; }
  bool Removed() const { return Removed_; }

  int Z() const { return Z_; }
  // Moves the sprite within its parent's draw order; among equal Z it goes under the others.
  void SetZ(int z);

  int ChildCount() const { return static_cast<int>(Children_.size()); }
  // Child in creation order; throws std::out_of_range for a bad index.
  TSprite* Child(int index) const;
  const std::vector<TSprite*>& Children() const { return Children_; }
  const std::vector<TSprite*>& DrawOrder() const { return DrawOrder_; }

  double WorldX() const;
  double WorldY() const;

  // Queues the sprite for the engine's next purge; a second call changes nothing.
  void MarkRemoved();

  void Move(int lagCount);
  virtual void Draw();
  // The topmost visible sprite below this one whose box holds the point, edges included.
  TSprite* SpriteAt(double x, double y);

  // The box on screen: the rounded world position and Width by Height.
  virtual SurfaceRect GetBounds() const;
  // Whether Draw calls OnDraw now: the sprite is visible and its box meets the surface.
  bool DrawsOnScreen() const;
  // Adds the areas that this sprite's own OnDraw paints with opaque pixels every time it runs.
  virtual void AddOpaqueAreas(std::vector<SurfaceRect>& areas) const { (void)areas; }
  // Whether drawing this sprite alone paints every pixel of the area with opaque pixels.
  virtual bool CoversOpaquely(const SurfaceRect& area) const {
    (void)area;
    return false;
  }

  bool Hittable = true;
  bool Movable = true;
  bool Visible = true;
  double X = 0.0;
  double Y = 0.0;
  int Width = 0;
  int Height = 0;

 protected:
  virtual ~TSprite();

  // Draws this sprite alone, on the engine's surface.
  virtual void OnDraw() {}
  // One move step; lagCount is the milliseconds since the previous tick.
  virtual void OnMove(int lagCount) { (void)lagCount; }

  // Children go first, while the whole of their parent still exists.
  static void Destroy(TSprite* sprite);
  // Last child first, as they would unwind.
  void DestroyChildren();

 private:
  friend class TSpriteEngine;
  TSprite() = default;  // the engine, the one root

  void InsertInDrawOrder(TSprite* child);
  void LeaveDrawOrder(TSprite* child);
  void TestPoint(double px, double py, TSprite*& result);

  TSpriteEngine* Engine_ = nullptr;
  TSprite* Parent_ = nullptr;
  std::vector<TSprite*> Children_;
  std::vector<TSprite*> DrawOrder_;
  bool Removed_ = false;
  int Z_ = 0;
};
