#include "Art.h"
#include "Canvas.h"

PictureItemSpec PlaceholderPicture(const std::string& name) {
  RgbImage image;
  image.Width = 1;
  image.Height = 1;
  image.Rgb = {kKeyColor & 0xFF, (kKeyColor >> 8) & 0xFF, (kKeyColor >> 16) & 0xFF};
  PictureItemSpec item;
  item.Name = name;
  item.Transparent = true;
  item.TransparentColor = kKeyColor;
  item.Dib = EncodeDib24(image);
  return item;
}
