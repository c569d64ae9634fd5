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

bool TBackgroundSprite::CellsInView(CellWindow& view) const {
  if (Image_ == nullptr || Engine() == nullptr || MapColumns_ == 0 || MapRows_ == 0) return false;
  const int w = Image_->GetPatternWidth();
  const int h = Image_->GetPatternHeight();
  if (w <= 0 || h <= 0) return false;
  const int x = RoundToInt(WorldX());
  const int y = RoundToInt(WorldY());
  view.CellWidth = w;
  view.CellHeight = h;
  // C++ division and remainder truncate toward zero, as the map walk wants.
  view.OffsetX = x % w;
  view.OffsetY = y % h;
  view.Column = x / w;
  view.Row = y / h;
  view.FirstColumn = 0;
  view.FirstRow = 0;
  if (view.Column < 0) {
    view.FirstColumn = -view.Column;
    view.Column = 0;
  }
  if (view.Row < 0) {
    view.FirstRow = -view.Row;
    view.Row = 0;
  }
  const SurfaceRect& screen = Engine()->SurfaceBounds();
  const int screenColumns = (screen.Right + w) / w + 1;
  const int screenRows = (screen.Bottom + h) / h + 1;
  view.EndColumn = std::min(view.Column + MapColumns_ - view.FirstColumn, screenColumns);
  view.EndRow = std::min(view.Row + MapRows_ - view.FirstRow, screenRows);
  return true;
}

void TBackgroundSprite::OnDraw() {
  ::Surface* surface = Engine()->Surface();
  CellWindow view;
  if (surface == nullptr || !CellsInView(view)) return;
  const SurfaceRect& screen = Engine()->SurfaceBounds();
  // Cells never overlap, so rows go outermost for the sake of the cache.
  for (int j = view.Row; j < view.EndRow; ++j) {
    for (int i = view.Column; i < view.EndColumn; ++i) {
      const int pattern = Cell(i - view.Column + view.FirstColumn, j - view.Row + view.FirstRow);
      if (pattern < 0) continue;
      const int left = i * view.CellWidth + view.OffsetX;
      const int top = j * view.CellHeight + view.OffsetY;
      // A cell that later sprites paint over opaquely (the race's side panels) is left out.
      const SurfaceRect seen{std::max(left, screen.Left), std::max(top, screen.Top),
                             std::min(left + view.CellWidth, screen.Right),
                             std::min(top + view.CellHeight, screen.Bottom)};
      if (Engine()->PaintedOverLater(*this, seen)) continue;
      DrawPattern(*Image_, *surface, left, top, pattern);
    }
  }
}

bool TBackgroundSprite::CoversOpaquely(const SurfaceRect& area) const {
  CellWindow view;
  if (!CellsInView(view) || Image_->Transparent || !Image_->Ready()) return false;
  if (view.Column * view.CellWidth + view.OffsetX > area.Left ||
      view.EndColumn * view.CellWidth + view.OffsetX < area.Right ||
      view.Row * view.CellHeight + view.OffsetY > area.Top ||
      view.EndRow * view.CellHeight + view.OffsetY < area.Bottom)
    return false;
  const int patterns = Image_->PatternCount();
  const Surface& picture = Image_->Picture;
  for (int j = view.Row; j < view.EndRow; ++j) {
    for (int i = view.Column; i < view.EndColumn; ++i) {
      const int pattern = Cell(i - view.Column + view.FirstColumn, j - view.Row + view.FirstRow);
      if (pattern < 0 || pattern >= patterns) return false;
      const SurfaceRect rect = Image_->PatternRect(pattern);
      if (rect.Width() != view.CellWidth || rect.Height() != view.CellHeight || rect.Left < 0 ||
          rect.Top < 0 || rect.Right > picture.Width() || rect.Bottom > picture.Height())
        return false;
    }
  }
  return true;
}
