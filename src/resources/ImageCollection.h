// Picture collections (Data/Res/Res*.dxg): items with their pattern layout and transparency,
// decoded to RGB565 surfaces.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Surface.h"

class TPictureCollectionItem {
 public:
  std::string Name;
  int PatternWidth = 0;   // 0 = the picture's width
  int PatternHeight = 0;  // 0 = the picture's height
  int SkipWidth = 0;
  int SkipHeight = 0;
  bool SystemMemory = false;
  bool Transparent = true;
  uint32_t TransparentColor = 0;  // red + 256 * green + 65536 * blue
  Surface Picture;                // the decoded picture

  // Pattern layout after the cutting rule of the collection format.
  int GetPatternWidth() const;
  int GetPatternHeight() const;
  int PatternCount() const;
  SurfaceRect PatternRect(int pattern) const;  // requires 0 <= pattern < PatternCount()
  // PatternRect when 0 <= pattern < PatternCount(), false otherwise: what a draw asks first.
  bool FindPattern(int pattern, SurfaceRect& rect) const;
  // The transparent colour in the picture's 16-bit format.
  uint16_t ColorKey() const { return ColorRefTo565(TransparentColor); }
  // Drawable: the picture is not empty.
  bool Ready() const { return !Picture.Empty(); }
};

// An image collection component (MDXImageList1..3).
class TDXImageList {
 public:
  std::vector<TPictureCollectionItem> Items;

  // Replaces the whole content. Throws CollectionError with the game's messages.
  void LoadFromFile(const std::string& path);
  void LoadFromBytes(const uint8_t* data, size_t size);
  int Count() const { return static_cast<int>(Items.size()); }
  // Item i, or nullptr outside the collection.
  TPictureCollectionItem* Item(int i);
};
