// Image lists 2 and 3: the race's road tiles, panels, needle, rating mark and track map, with
// the bikes and bonuses drawn by the vehicle art.
#include <string>

#include "Art.h"
#include "Canvas.h"
#include "RoadTiles.h"
#include "VehicleArt.h"

namespace {

PictureItemSpec Flat(const std::string& name, int width, int height, int patternWidth,
                     int patternHeight, bool keyed) {
  Canvas canvas(width, height);
  cairo_set_source_rgb(canvas.Cr(), 0.3, 0.3, 0.3);
  cairo_paint(canvas.Cr());
  PictureItemSpec item;
  item.Name = name;
  item.PatternWidth = patternWidth;
  item.PatternHeight = patternHeight;
  item.Transparent = keyed;
  item.TransparentColor = keyed ? kKeyColor : 0;
  item.Dib = EncodeDib24(canvas.ToRgb(keyed));
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
  items.push_back(Flat("PanelLeft", 174, 600, 0, 0, false));
  items.push_back(Flat("PanelRight", 174, 600, 0, 0, false));
  items.push_back(Flat("Needle", 101, 20, 0, 0, true));
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
  items.push_back(Flat("RatingMark", 14, 20, 0, 0, true));
  return items;
}

std::vector<PictureItemSpec> BakeImageList3() {
  std::vector<PictureItemSpec> items;
  for (int i = 0; i <= 9; ++i)
    items.push_back(Flat("MapTile" + std::to_string(i), 10, 15, 0, 0, true));
  items.push_back(Flat("OpponentMarker", 18, 14, 0, 0, true));
  items.push_back(Flat("PlayerMarker", 18, 14, 0, 0, true));
  items.push_back(Flat("MapTop", 174, 46, 0, 0, false));
  items.push_back(Flat("MapBottom", 174, 20, 0, 0, false));
  return items;
}
