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

 protected:
  ~TBackgroundSprite() override = default;
  void OnDraw() override;

 private:
  const TPictureCollectionItem* Image_ = nullptr;
  std::vector<int> CellMap_;
  int MapColumns_ = 0;
  int MapRows_ = 0;
};
