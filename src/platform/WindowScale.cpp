#include "platform/WindowScale.h"

#include <algorithm>

int LargestFittingWindowScale(int usableWidth, int usableHeight, const WindowBorders& borders) {
  const int clientWidth = usableWidth - std::max(borders.Left, 0) - std::max(borders.Right, 0);
  const int clientHeight = usableHeight - std::max(borders.Top, 0) - std::max(borders.Bottom, 0);
  const int scale = std::min(clientWidth / kPictureWidth, clientHeight / kPictureHeight);
  return std::clamp(scale, 1, kMaxWindowScale);
}

bool ShownAtWholeMultiple(int outputWidth, int outputHeight) {
  if (outputWidth < kPictureWidth || outputHeight < kPictureHeight) return false;
  // The narrower side of the output decides the stretch; the other one holds the bars.
  const bool widthDecides = static_cast<long long>(outputWidth) * kPictureHeight <=
                            static_cast<long long>(outputHeight) * kPictureWidth;
  return widthDecides ? outputWidth % kPictureWidth == 0 : outputHeight % kPictureHeight == 0;
}
