// What the asset baker makes: every picture, sound and song the game loads. Each function is
// deterministic: the same source gives byte-identical output.
#pragma once

#include <string>
#include <vector>

#include "resources/CollectionWriter.h"

// Data/Res/Res1.dxg: menus, buttons, titles, dialog panel, bike portraits (items 0..53).
std::vector<PictureItemSpec> BakeImageList1();
// Data/Res/Res2.dxg: road tiles, bikes, bonuses, panels, needle, track map (items 0..54).
std::vector<PictureItemSpec> BakeImageList2();
// Data/Res/Res3.dxg: the bike's drawing effects (items 0..13).
std::vector<PictureItemSpec> BakeImageList3();
// Data/Res/Sounds.dxw (items 0..21).
std::vector<WaveItemSpec> BakeSounds();
// Data/Music/Menu.xm and Data/Music/Race.xm as XM module file images.
std::string BakeMenuSong();
std::string BakeRaceSong();

// A 1x1 transparent picture that keeps the numbering of an unused index.
PictureItemSpec PlaceholderPicture(const std::string& name);
