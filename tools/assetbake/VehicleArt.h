// The bikes with their riders, their crash strips and portraits, the tyre mark and the bonuses.
// Models are numbered 1..5; bonus kinds 0..4 are 10, 20, 50 and 100 points and the extra life.
#pragma once

#include "resources/CollectionWriter.h"

PictureItemSpec BakeBikeUpright(int model);             // race sprites, one pattern
PictureItemSpec BakeBikeLean(int model, bool right);    // 7 patterns, deepest lean first
PictureItemSpec BakeBikeCrash(int model);               // the crash strip
PictureItemSpec BakeTyreMark();
PictureItemSpec BakeBonus(int kind);                    // 5 patterns, the last a copy of the first
PictureItemSpec BakeBonusIcon(int kind);                // the help page's still icon
PictureItemSpec BakeBikePortrait(int model);            // the bike selection screen's portrait
