#include "sprites/TImageSprite.h"

#include <cmath>

#include "sprites/ImageDrawing.h"
#include "sprites/SpriteMath.h"
#include "sprites/TSpriteEngine.h"

TImageSprite::TImageSprite(TSprite* parent) : TSprite(parent) {}

void TImageSprite::SetImage(const TPictureCollectionItem* item) {
  Image_ = item;
  Width = item != nullptr ? item->GetPatternWidth() : 0;
  Height = item != nullptr ? item->GetPatternHeight() : 0;
}

int TImageSprite::ShownPattern() const {
  return AnimFirst + RoundToInt(AnimPosition);
}

void TImageSprite::OnMove(int lagCount) {
  AnimPosition += AnimRate * lagCount;
  if (AnimLoop) {
    if (AnimLength > 0) {
      AnimPosition -= std::nearbyint(AnimPosition / AnimLength) * AnimLength;
      if (AnimPosition < 0) AnimPosition += AnimLength;
    } else {
      AnimPosition = 0;
    }
  } else {
    if (AnimPosition >= AnimLength) {
      AnimPosition = AnimLength - 1;
      AnimRate = 0;
    }
    if (AnimPosition < 0) {
      AnimPosition = 0;
      AnimRate = 0;
    }
  }
}

void TImageSprite::OnDraw() {
  ::Surface* surface = Engine()->Surface();
  if (Image_ == nullptr || surface == nullptr) return;
  const SurfaceRect box = GetBounds();
  // A sprite sized apart from its picture keeps the picture centred in its box.
  const int shiftX = (Width - Image_->GetPatternWidth()) / 2;
  const int shiftY = (Height - Image_->GetPatternHeight()) / 2;
  DrawPattern(*Image_, *surface, box.Left + shiftX, box.Top + shiftY, ShownPattern());
}
