// Image list 3: the track map's road pieces, the rider markers and the two masks that frame
// the map window in the right panel.
#pragma once

#include <vector>

#include "resources/CollectionWriter.h"

// `rightPanel` is the right panel frame; the masks are cut from it so they match it exactly.
std::vector<PictureItemSpec> BakeTrackMapItems(const RgbImage& rightPanel);
