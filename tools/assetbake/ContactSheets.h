// PNG sheets for looking at the baked pictures: every pattern of every item of each image list,
// and a stretch of generated track laid from the road tiles.
#pragma once

#include <string>

// Reads the collections under dataRoot/Data/Res and writes the PNGs into sheetDir.
void WriteContactSheets(const std::string& dataRoot, const std::string& sheetDir);
