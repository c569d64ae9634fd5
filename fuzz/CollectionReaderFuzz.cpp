// Feeds arbitrary bytes to both collection readers. Only the readers' own error may come out;
// any other exception, a crash or a broken invariant of the loaded items is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "resources/CollectionError.h"
#include "resources/ImageCollection.h"
#include "resources/WaveCollection.h"

namespace {

// Every pattern the drawing code may ask for lies inside its picture.
void CheckPatterns(const TPictureCollectionItem& item) {
  if (!item.Ready()) return;
  const int count = item.PatternCount();
  if (count < 0) std::abort();
  constexpr int kPatternsChecked = 64;
  for (int p = 0; p < count && p < kPatternsChecked; ++p) {
    const SurfaceRect r = item.PatternRect(p);
    if (r.Left < 0 || r.Top < 0 || r.Right > item.Picture.Width() ||
        r.Bottom > item.Picture.Height() || r.Width() <= 0 || r.Height() <= 0) {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    TDXImageList images;
    images.LoadFromBytes(data, size);
    for (const TPictureCollectionItem& item : images.Items) CheckPatterns(item);
  } catch (const CollectionError&) {
  }
  try {
    TDXWaveList waves;
    waves.LoadFromBytes(data, size);
    for (const TWaveCollectionItem& item : waves.Items) {
      if (item.DataOffset > item.Wave.size() ||
          item.DataSize > item.Wave.size() - item.DataOffset) {
        std::abort();
      }
    }
  } catch (const CollectionError&) {
  }
  return 0;
}
