#include "sprites/GameImages.h"

#include <array>
#include <cstddef>

namespace {

std::array<TDXImageList*, 3> ImageLists{};

}  // namespace

TDXImageList* GameImageList(int selector) {
  if (selector < 1 || selector > static_cast<int>(ImageLists.size())) return nullptr;
  return ImageLists[static_cast<size_t>(selector - 1)];
}

void SetGameImageLists(TDXImageList* list1, TDXImageList* list2, TDXImageList* list3) {
  ImageLists = {list1, list2, list3};
}
