// Stand-ins for the bake functions whose real art has not landed yet, so the baker links and
// the game starts on baked data meanwhile. A real definition anywhere in the baker replaces
// the stand-in; this file goes once every one of them exists.
#include "Art.h"
#include "VehicleArt.h"

#define GR_INTERIM __attribute__((weak))

GR_INTERIM std::vector<PictureItemSpec> BakeImageList1() {
  return {};
}
GR_INTERIM std::vector<PictureItemSpec> BakeImageList2() {
  return {};
}
GR_INTERIM std::vector<PictureItemSpec> BakeImageList3() {
  return {};
}
GR_INTERIM std::vector<WaveItemSpec> BakeSounds() {
  return {};
}
GR_INTERIM std::string BakeMenuSong() {
  return {};
}
GR_INTERIM std::string BakeRaceSong() {
  return {};
}
GR_INTERIM PictureItemSpec BakeBikeUpright(int) {
  return PlaceholderPicture("Bike");
}
GR_INTERIM PictureItemSpec BakeBikeLean(int, bool) {
  return PlaceholderPicture("BikeLean");
}
GR_INTERIM PictureItemSpec BakeBikeCrash(int) {
  return PlaceholderPicture("BikeCrash");
}
GR_INTERIM PictureItemSpec BakeTyreMark() {
  return PlaceholderPicture("TyreMark");
}
GR_INTERIM PictureItemSpec BakeBonus(int) {
  return PlaceholderPicture("Bonus");
}
GR_INTERIM PictureItemSpec BakeBonusIcon(int) {
  return PlaceholderPicture("BonusIcon");
}
GR_INTERIM PictureItemSpec BakeBikePortrait(int) {
  return PlaceholderPicture("Portrait");
}
