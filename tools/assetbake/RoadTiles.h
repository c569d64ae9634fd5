// The road tile sheet of the race: pattern n is the picture of track tile kind n.
#pragma once

#include "resources/CollectionWriter.h"

constexpr int kRoadSheetColumns = 10;
constexpr int kRoadSheetRows = 8;
constexpr int kRoadTileCount = kRoadSheetColumns * kRoadSheetRows;

// All tiles, 72x72 each, ten to a row.
RgbImage BakeRoadSheetImage();
