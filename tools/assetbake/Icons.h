// The game's icon for the desktop's menus, in the hicolor theme's sizes.
#pragma once

#include <string>
#include <vector>

// The square sizes the icon is drawn at, in pixels.
const std::vector<int>& IconSizes();
// Writes OUTDIR/icons/hicolor/NxN/apps/gearrush.png for every size.
void BakeIcons(const std::string& outDir);
