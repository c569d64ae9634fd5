// A sprite showing one pattern of a picture item, optionally stepping through the item's
// patterns as an animation.
#pragma once

#include "resources/ImageCollection.h"
#include "sprites/TSprite.h"

class TImageSprite : public TSprite {
 public:
  explicit TImageSprite(TSprite* parent);

  const TPictureCollectionItem* Image() const { return Image_; }
  // Takes the item's pattern size as the sprite's size (0 by 0 for none).
  virtual void SetImage(const TPictureCollectionItem* item);

  // The pattern drawn now: AnimFirst plus the rounded animation position.
  int ShownPattern() const;

  int AnimLength = 0;
  bool AnimLoop = false;
  double AnimPosition = 0.0;
  double AnimRate = 0.0;  // patterns per millisecond of lag
  int AnimFirst = 0;
  bool Transparent = true;  // kept for the record; the item's own flag decides

 protected:
  ~TImageSprite() override = default;
  void OnMove(int lagCount) override;
  void OnDraw() override;

 private:
  const TPictureCollectionItem* Image_ = nullptr;
};
