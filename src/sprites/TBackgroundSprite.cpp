#include "sprites/TBackgroundSprite.h"

#include <algorithm>

#include "sprites/ImageDrawing.h"
#include "sprites/SpriteMath.h"
#include "sprites/TSpriteEngine.h"

TBackgroundSprite::TBackgroundSprite(TSprite* parent) : TSprite(parent) {
  Hittable = false;
}

void TBackgroundSprite::SetImage(const TPictureCollectionItem* item) {
  Image_ = item;
  Width = item != nullptr ? item->GetPatternWidth() * MapColumns_ : 0;
  Height = item != nullptr ? item->GetPatternHeight() * MapRows_ : 0;
}

void TBackgroundSprite::SetMapSize(int columns, int rows) {
  if (columns == MapColumns_ && rows == MapRows_) return;
  if (columns <= 0 || rows <= 0) columns = rows = 0;
  MapColumns_ = columns;
  MapRows_ = rows;
  CellMap_.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows), 0);
}

void TBackgroundSprite::SetCell(int column, int row, int pattern) {
  if (column < 0 || column >= MapColumns_ || row < 0 || row >= MapRows_) return;
  CellMap_[static_cast<size_t>(row) * MapColumns_ + column] = pattern;
}

int TBackgroundSprite::Cell(int column, int row) const {
  if (column < 0 || column >= MapColumns_ || row < 0 || row >= MapRows_) return -1;
  return CellMap_[static_cast<size_t>(row) * MapColumns_ + column];
}

SurfaceRect TBackgroundSprite::GetBounds() const {
  if (Image_ == nullptr) return {};
  const int left = RoundToInt(WorldX());
  const int top = RoundToInt(WorldY());
  return {left, top, left + Image_->GetPatternWidth() * MapColumns_,
          top + Image_->GetPatternHeight() * MapRows_};
}

void TBackgroundSprite::OnDraw() {
  ::Surface* surface = Engine()->Surface();
  if (Image_ == nullptr || surface == nullptr || MapColumns_ == 0 || MapRows_ == 0) return;
  const int w = Image_->GetPatternWidth();
  const int h = Image_->GetPatternHeight();
  if (w <= 0 || h <= 0) return;
  const int x = RoundToInt(WorldX());
  const int y = RoundToInt(WorldY());
  // C++ division and remainder truncate toward zero, as the map walk wants.
  const int offsetX = x % w;
  const int offsetY = y % h;
  int screenColumn = x / w;
  int screenRow = y / h;
  int firstColumn = 0;
  int firstRow = 0;
  if (screenColumn < 0) {
    firstColumn = -screenColumn;
    screenColumn = 0;
  }
  if (screenRow < 0) {
    firstRow = -screenRow;
    screenRow = 0;
  }
  const SurfaceRect& screen = Engine()->SurfaceBounds();
  const int screenColumns = (screen.Right + w) / w + 1;
  const int screenRows = (screen.Bottom + h) / h + 1;
  const int endColumn = std::min(screenColumn + MapColumns_ - firstColumn, screenColumns);
  const int endRow = std::min(screenRow + MapRows_ - firstRow, screenRows);
  // Cells never overlap, so rows go outermost for the sake of the cache.
  for (int j = screenRow; j < endRow; ++j) {
    for (int i = screenColumn; i < endColumn; ++i) {
      const int pattern = Cell(i - screenColumn + firstColumn, j - screenRow + firstRow);
      if (pattern >= 0) DrawPattern(*Image_, *surface, i * w + offsetX, j * h + offsetY, pattern);
    }
  }
}
