#include "resources/ImageCollection.h"

#include <algorithm>

#include "resources/CollectionError.h"
#include "resources/ColorIdents.h"
#include "resources/DibDecoder.h"
#include "resources/ObjectStream.h"

namespace {

constexpr const char* kImageCollectionClass = "TPictureCollectionComponent";

uint32_t ReadTransparentColor(const StreamProperty& property) {
  if (property.Value.Type == StreamValueType::Ident) {
    if (std::optional<uint32_t> color = ColorFromIdent(property.Value.Text)) return *color;
    throw CollectionError("Invalid property value");
  }
  // Stored as a signed 32-bit number; the colour is its bit pattern.
  return static_cast<uint32_t>(PropertyInt(property));
}

TPictureCollectionItem ReadPictureItem(const StreamPropertyList& properties, int64_t& pixelBudget) {
  TPictureCollectionItem item;
  for (const StreamProperty& p : properties) {
    if (p.Name == "Name") {
      item.Name = PropertyString(p);
    } else if (p.Name == "PatternWidth") {
      item.PatternWidth = PropertyInt(p);
    } else if (p.Name == "PatternHeight") {
      item.PatternHeight = PropertyInt(p);
    } else if (p.Name == "SkipWidth") {
      item.SkipWidth = PropertyInt(p);
    } else if (p.Name == "SkipHeight") {
      item.SkipHeight = PropertyInt(p);
    } else if (p.Name == "Picture.Data") {
      const std::span<const uint8_t> data = PropertyBinary(p);
      item.Picture = DecodePictureData(data.data(), data.size(), pixelBudget);
      pixelBudget -= static_cast<int64_t>(item.Picture.Width()) * item.Picture.Height();
    } else if (p.Name == "SystemMemory") {
      item.SystemMemory = PropertyBool(p);
    } else if (p.Name == "Transparent") {
      item.Transparent = PropertyBool(p);
    } else if (p.Name == "TransparentColor") {
      item.TransparentColor = ReadTransparentColor(p);
    }
  }
  return item;
}

// A pattern size of 0 (or a nonsensical negative one) means the whole picture.
int EffectiveSize(int patternSize, int pictureSize) {
  return patternSize > 0 ? patternSize : pictureSize;
}

// Columns or rows of the cutting rule; a negative gap counts as none so the step can never
// reach zero. Sizes and gaps are never negative here, so their sums fit 32 unsigned bits even
// for absurd gaps, and a 32-bit division is several times quicker than a 64-bit one.
int64_t PatternsAlong(int pictureSize, int patternSize, int skip) {
  const int64_t gap = std::max(skip, 0);
  const int64_t step = static_cast<int64_t>(patternSize) + gap;
  if (step <= 0 || pictureSize < 0) return 0;
  return static_cast<uint32_t>(pictureSize + gap) / static_cast<uint32_t>(step);
}

}  // namespace

int TPictureCollectionItem::GetPatternWidth() const {
  return EffectiveSize(PatternWidth, Picture.Width());
}

int TPictureCollectionItem::GetPatternHeight() const {
  return EffectiveSize(PatternHeight, Picture.Height());
}

int TPictureCollectionItem::PatternCount() const {
  const int pw = GetPatternWidth();
  const int ph = GetPatternHeight();
  if (pw == Picture.Width() && ph == Picture.Height()) return 1;
  const int64_t count = PatternsAlong(Picture.Width(), pw, SkipWidth) *
                        PatternsAlong(Picture.Height(), ph, SkipHeight);
  return static_cast<int>(count);  // at most the picture's pixel count
}

SurfaceRect TPictureCollectionItem::PatternRect(int pattern) const {
  const int pw = GetPatternWidth();
  const int ph = GetPatternHeight();
  const int64_t columns = std::max<int64_t>(PatternsAlong(Picture.Width(), pw, SkipWidth), 1);
  const int64_t column = pattern % columns;
  const int64_t row = pattern / columns;
  SurfaceRect rect;
  rect.Left = static_cast<int>(column * (static_cast<int64_t>(pw) + std::max(SkipWidth, 0)));
  rect.Top = static_cast<int>(row * (static_cast<int64_t>(ph) + std::max(SkipHeight, 0)));
  rect.Right = rect.Left + pw;
  rect.Bottom = rect.Top + ph;
  return rect;
}

bool TPictureCollectionItem::FindPattern(int pattern, SurfaceRect& rect) const {
  if (pattern < 0) return false;
  const int pw = GetPatternWidth();
  const int ph = GetPatternHeight();
  const int64_t stepX = static_cast<int64_t>(pw) + std::max(SkipWidth, 0);
  const int64_t stepY = static_cast<int64_t>(ph) + std::max(SkipHeight, 0);
  int64_t column = 0;
  int64_t row = 0;
  if (pattern == 0) {
    // Nearly every draw asks for the first pattern, which is there unless a pattern is bigger
    // than the picture; divisions cost more than the rest of a small draw.
    const bool whole = pw == Picture.Width() && ph == Picture.Height();
    if (!whole && (stepX <= 0 || stepY <= 0 || pw > Picture.Width() || ph > Picture.Height()))
      return false;
  } else {
    const int64_t columns = PatternsAlong(Picture.Width(), pw, SkipWidth);
    const int64_t rows = PatternsAlong(Picture.Height(), ph, SkipHeight);
    if (pattern >= columns * rows) return false;
    column = static_cast<uint32_t>(pattern) % static_cast<uint32_t>(columns);
    row = static_cast<uint32_t>(pattern) / static_cast<uint32_t>(columns);
  }
  rect.Left = static_cast<int>(column * stepX);
  rect.Top = static_cast<int>(row * stepY);
  rect.Right = rect.Left + pw;
  rect.Bottom = rect.Top + ph;
  return true;
}

TPictureCollectionItem* TDXImageList::Item(int i) {
  if (i < 0 || i >= Count()) return nullptr;
  return &Items[static_cast<size_t>(i)];
}

void TDXImageList::LoadFromFile(const std::string& path) {
  const CollectionFileBytes bytes = ReadCollectionFile(path);
  LoadFromBytes(bytes.data(), bytes.size());
}

void TDXImageList::LoadFromBytes(const uint8_t* data, size_t size) {
  StreamObject root = ReadCollectionStream(data, size);
  std::vector<TPictureCollectionItem> items;
  int64_t pixelBudget = kMaxCollectionPixels;
  for (const StreamPropertyList& properties : TakeCollectionList(root, kImageCollectionClass)) {
    items.push_back(ReadPictureItem(properties, pixelBudget));
  }
  // Only a fully read file replaces what was loaded before.
  Items = std::move(items);
}
