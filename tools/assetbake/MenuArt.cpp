// Image list 1: the menu backdrop, buttons, titles, fields, panels and dialog pictures.
#include <cstdint>
#include <string>
#include <vector>

#include "Art.h"
#include "Canvas.h"
#include "VehicleArt.h"

namespace {

PictureItemSpec Flat(const std::string& name, int width, int height, uint8_t r, uint8_t g,
                     uint8_t b, int patternWidth, bool transparent) {
  RgbImage image;
  image.Width = width;
  image.Height = height;
  image.Rgb.resize(static_cast<size_t>(width) * height * 3);
  for (size_t i = 0; i < image.Rgb.size(); i += 3) {
    image.Rgb[i] = r;
    image.Rgb[i + 1] = g;
    image.Rgb[i + 2] = b;
  }
  PictureItemSpec item;
  item.Name = name;
  item.PatternWidth = patternWidth;
  item.PatternHeight = patternWidth > 0 ? height : 0;
  item.Transparent = transparent;
  item.TransparentColor = kKeyColor;
  item.Dib = EncodeDib24(image);
  return item;
}

}  // namespace

std::vector<PictureItemSpec> BakeImageList1() {
  std::vector<PictureItemSpec> items(54);
  items[0] = Flat("HitArea", 1, 1, 255, 0, 255, 0, true);
  items[1] = Flat("Backdrop", 800, 600, 20, 22, 26, 0, false);
  for (int i = 2; i <= 13; ++i) items[i] = Flat("MenuButton", 280, 52, 60, 60, 70, 0, true);
  items[14] = Flat("Window", 240, 30, 40, 40, 40, 0, true);
  items[15] = Flat("FullScreen", 240, 30, 40, 40, 40, 0, true);
  for (int i = 16; i <= 17; ++i) items[i] = Flat("Music", 114, 30, 40, 40, 40, 0, true);
  for (int i = 18; i <= 19; ++i) items[i] = Flat("Sound", 112, 30, 40, 40, 40, 0, true);
  items[20] = Flat("CountryField", 376, 34, 10, 10, 12, 0, false);
  items[21] = Flat("BossKeyField", 214, 32, 10, 10, 12, 0, false);
  items[22] = Flat("Cursor", 3, 20, 0, 255, 174, 0, false);
  items[23] = Flat("Unused", 1, 1, 255, 0, 255, 0, true);
  items[24] = Flat("TitleHelp", 192, 80, 50, 50, 50, 0, true);
  items[25] = Flat("TitleBike", 478, 80, 50, 50, 50, 0, true);
  items[26] = Flat("TitleOptions", 338, 80, 50, 50, 50, 0, true);
  items[27] = Flat("TitleHighScores", 467, 80, 50, 50, 50, 0, true);
  for (int model = 1; model <= 5; ++model) items[27 + model] = BakeBikePortrait(model);
  items[33] = Flat("DialogPanel", 394, 140, 30, 30, 36, 0, false);
  items[34] = Flat("Yes", 240, 40, 70, 70, 80, 120, true);
  items[35] = Flat("No", 240, 40, 70, 70, 80, 120, true);
  items[36] = Flat("Back", 260, 45, 70, 70, 80, 130, true);
  items[37] = Flat("PreviousBike", 128, 200, 70, 70, 80, 64, true);
  items[38] = Flat("NextBike", 128, 200, 70, 70, 80, 64, true);
  items[39] = Flat("StartRace", 360, 45, 70, 70, 80, 180, true);
  items[40] = Flat("ClearTable", 280, 55, 70, 70, 80, 140, true);
  items[41] = Flat("OnlineList", 280, 55, 70, 70, 80, 140, true);
  items[42] = Flat("PreviousPage", 280, 45, 70, 70, 80, 140, true);
  items[43] = Flat("NextPage", 280, 45, 70, 70, 80, 140, true);
  for (int i = 44; i <= 49; ++i) items[i] = Flat("Unused", 1, 1, 255, 0, 255, 0, true);
  items[50] = Flat("About", 95, 95, 80, 80, 80, 0, true);
  items[51] = Flat("ContentPanel", 432, 395, 30, 30, 36, 0, false);
  items[52] = Flat("BikePanel", 432, 395, 30, 30, 36, 0, false);
  items[53] = Flat("ScorePanel", 434, 395, 30, 30, 36, 0, false);
  return items;
}
