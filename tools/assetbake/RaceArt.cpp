// Image lists 2 and 3: the race's road tiles, panels, needle, rating mark and track map, with
// the bikes and bonuses drawn by the vehicle art.
#include <string>

#include "Art.h"
#include "Canvas.h"
#include "Panels.h"
#include "RoadTiles.h"
#include "TrackMap.h"
#include "VehicleArt.h"

namespace {

PictureItemSpec Opaque(const std::string& name, const RgbImage& image) {
  PictureItemSpec item;
  item.Name = name;
  item.Transparent = false;
  item.Dib = EncodeDib24(image);
  return item;
}

}  // namespace

std::vector<PictureItemSpec> BakeImageList2() {
  std::vector<PictureItemSpec> items;
  items.push_back(PlaceholderPicture("Keeper"));
  PictureItemSpec road;
  road.Name = "Road";
  road.PatternWidth = 72;
  road.PatternHeight = 72;
  road.Transparent = false;
  road.Dib = EncodeDib24(BakeRoadSheetImage());
  items.push_back(road);
  items.push_back(Opaque("PanelLeft", BakeLeftPanelImage()));
  items.push_back(Opaque("PanelRight", BakeRightPanelImage()));
  items.push_back(BakeNeedle());
  for (int model = 1; model <= 5; ++model) items.push_back(BakeBikeUpright(model));
  items.push_back(BakeTyreMark());
  for (int kind = 0; kind < 5; ++kind) items.push_back(BakeBonus(kind));
  for (int i = 16; i <= 22; ++i) items.push_back(PlaceholderPicture("Unused" + std::to_string(i)));
  for (int model = 1; model <= 5; ++model) {
    items.push_back(BakeBikeCrash(model));
    items.push_back(BakeBikeLean(model, false));
    items.push_back(BakeBikeLean(model, true));
  }
  for (int kind : {3, 2, 1, 0, 4}) items.push_back(BakeBonusIcon(kind));
  for (int i = 43; i <= 53; ++i) items.push_back(PlaceholderPicture("Unused" + std::to_string(i)));
  items.push_back(BakeRatingMark());
  return items;
}

std::vector<PictureItemSpec> BakeImageList3() {
  return BakeTrackMapItems(BakeRightPanelImage());
}
