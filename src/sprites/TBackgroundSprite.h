// A rectangular map of cells, each showing one pattern of a picture item: the road and the
// menu backdrop.
#pragma once

#include <vector>

#include "resources/ImageCollection.h"
#include "sprites/TSprite.h"

class TBackgroundSprite : public TSprite {
 public:
  explicit TBackgroundSprite(TSprite* parent);

  const TPictureCollectionItem* Image() const { return Image_; }
  // Sizes the sprite to the map of the item's patterns.
  virtual void SetImage(const TPictureCollectionItem* item);

  int MapColumns() const { return MapColumns_; }
  int MapRows() const { return MapRows_; }
  // A new size clears every cell to pattern 0; a non-positive size empties the map.
  void SetMapSize(int columns, int rows);
  // A negative pattern leaves the cell empty. Writes outside the map are ignored.
  void SetCell(int column, int row, int pattern);
  // -1 outside the map.
  int Cell(int column, int row) const;

  SurfaceRect GetBounds() const override;
  // True when the item is opaque and the cells in view, all holding whole patterns, tile the
  // area.
  bool CoversOpaquely(const SurfaceRect& area) const override;

 protected:
  ~TBackgroundSprite() override = default;
  void OnDraw() override;

 private:
  // The cells OnDraw walks: screen cells [Column, EndColumn) x [Row, EndRow), the first showing
  // map cell (FirstColumn, FirstRow), cell (i, j) drawn at (i * CellWidth + OffsetX,
  // j * CellHeight + OffsetY).
  struct CellWindow {
    int CellWidth = 0, CellHeight = 0, OffsetX = 0, OffsetY = 0;
    int Column = 0, Row = 0, FirstColumn = 0, FirstRow = 0, EndColumn = 0, EndRow = 0;
  };
  // False when nothing is drawn.
  bool CellsInView(CellWindow& view) const;

  const TPictureCollectionItem* Image_ = nullptr;
  std::vector<int> CellMap_;
  int MapColumns_ = 0;
  int MapRows_ = 0;
};
