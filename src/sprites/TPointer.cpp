#include "sprites/TPointer.h"

#include "sprites/ImageDrawing.h"
#include "sprites/TSpriteEngine.h"

namespace {

constexpr int kPointerZ = 12;

}  // namespace

TPointer::TPointer(TSpriteEngine* engine, int selector, int picture, int x, int y, double pivotX,
                   double pivotY)
    : TMyImageSprite(engine, selector, picture, x, y, kPointerZ),
      PivotX(pivotX),
      PivotY(pivotY),
      BaseX(x),
      BaseY(y) {}

TPointer* TPointer::Create(TSpriteEngine* engine, int selector, int picture, int x, int y,
                           double pivotX, double pivotY) {
  return Make<TPointer>(engine, selector, picture, x, y, pivotX, pivotY);
}

// The pivot sits one picture size right of and below the base position.
void TPointer::OnDraw() {
  ::Surface* surface = Engine()->Surface();
  const TPictureCollectionItem* item = Image();
  if (item == nullptr || surface == nullptr) return;
  const int width = item->GetPatternWidth();
  const int height = item->GetPatternHeight();
  DrawRotated(*item, *surface, width + BaseX, height + BaseY, width, height, 0, PivotX, PivotY,
              Angle, &Engine()->Turned());
}
