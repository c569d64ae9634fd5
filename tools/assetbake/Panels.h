// The race HUD: the left and right panel frames, the speedometer needle and the rating mark.
#pragma once

#include "resources/CollectionWriter.h"

constexpr int kPanelWidth = 174;
constexpr int kPanelHeight = 600;
// The right panel sits at screen x 626; the map's masks are cut from it at these rows.
constexpr int kMapTopMaskHeight = 46;
constexpr int kMapBottomMaskTop = 195;
constexpr int kMapBottomMaskHeight = 20;

RgbImage BakeLeftPanelImage();
RgbImage BakeRightPanelImage();
// The map window's background colour, which map tiles and markers are smoothed against.
constexpr uint8_t kMapWindowRgb[3] = {14, 22, 34};

PictureItemSpec BakeNeedle();
PictureItemSpec BakeRatingMark();
