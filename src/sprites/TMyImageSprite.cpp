#include "sprites/TMyImageSprite.h"

#include <algorithm>

#include "app/ShellState.h"
#include "resources/ImageCollection.h"
#include "sprites/GameImages.h"
#include "sprites/ImageDrawing.h"
#include "sprites/SpriteMath.h"
#include "sprites/TSpriteEngine.h"

TMyImageSprite::TMyImageSprite(TSpriteEngine* engine, int selector)
    : TImageSprite(engine), ImageListSel(static_cast<uint8_t>(selector)) {
  AnimLoop = true;
  AnimPosition = 0;
  AnimRate = 0;
}

TMyImageSprite::TMyImageSprite(TSpriteEngine* engine, int selector, int picture, double x, double y,
                               int z)
    : TMyImageSprite(engine, selector) {
  SetPicture(picture);
  X = x;
  Y = y;
  SetZ(z);
}

TMyImageSprite* TMyImageSprite::Create(TSpriteEngine* engine, int selector) {
  return Make<TMyImageSprite>(engine, selector);
}

TMyImageSprite* TMyImageSprite::CreateAt(TSpriteEngine* engine, int selector, int picture, double x,
                                         double y, int z) {
  return Make<TMyImageSprite>(engine, selector, picture, x, y, z);
}

TMyImageSprite* TMyImageSprite::CreateCentred(TSpriteEngine* engine, int selector, int picture,
                                              double centreX, double centreY, int z) {
  TMyImageSprite* sprite = Make<TMyImageSprite>(engine, selector, picture, 0.0, 0.0, z);
  sprite->X = centreX - sprite->Width / 2.0;
  sprite->Y = centreY - sprite->Height / 2.0;
  return sprite;
}

void TMyImageSprite::SetPicture(int picture) {
  if (ImageListSel == 1 || ImageListSel == 2) {
    TDXImageList* list = GameImageList(ImageListSel);
    SetImage(list != nullptr ? list->Item(picture) : nullptr);
  }
  const TPictureCollectionItem* item = Image();
  Width = item != nullptr ? item->GetPatternWidth() : 0;
  Height = item != nullptr ? item->GetPatternHeight() : 0;
  AnimPosition = 0;
  AnimLength = item != nullptr ? item->PatternCount() : 0;
}

void TMyImageSprite::StartAnimation(int picture, int speedPercent) {
  SetPicture(picture);
  AnimPosition = 0;
  AnimLoop = true;
  AnimLength = Image() != nullptr ? Image()->PatternCount() : 0;
  AnimSpeedPercent = speedPercent;
}

void TMyImageSprite::RequestRemoval() {
  if (RemovalRequested) return;
  RemovalRequested = true;
  MarkRemoved();
}

void TMyImageSprite::OnMove(int lagCount) {
  TImageSprite::OnMove(lagCount);
  // The wrap leaves positions in the last half pattern, which would round past the end.
  if (AnimPosition > AnimLength - 0.5) AnimPosition = 0;
  // A frame of FrameMs should advance AnimSpeedPercent / 100 patterns; a zero FrameMs would
  // make the rate infinite.
  if (AnimSpeedPercent > 0) AnimRate = (1.0 / std::max(FrameMs, 1)) * AnimSpeedPercent / 100.0;
}

void TMyImageSprite::OnDraw() {
  if (!Visible) return;
  if (AlphaOn && Alpha != 255) {
    ::Surface* surface = Engine()->Surface();
    if (Image() == nullptr || surface == nullptr) return;
    // The blended path truncates where the plain one rounds.
    const SurfaceRect rect{TruncToInt(X), TruncToInt(Y), TruncToInt(X + Width),
                           TruncToInt(Y + Height)};
    DrawAlpha(*Image(), *surface, rect, TruncToInt(AnimPosition), Alpha);
    return;
  }
  TImageSprite::OnDraw();
}
