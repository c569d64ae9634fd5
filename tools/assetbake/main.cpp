// assetbake OUTDIR: writes every picture collection, the sound collection and the songs into
// OUTDIR/Data, and the desktop icons into OUTDIR/icons. assetbake --contact-sheets OUTDIR DIR:
// also writes PNG sheets of the pictures. assetbake --scenery-repeats [SEED...]: counts how
// often a race view shows one scenery picture twice (seeds 1 2 3 unless given).
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "Art.h"
#include "ContactSheets.h"
#include "Fonts.h"
#include "Icons.h"
#include "SceneryRepeats.h"

namespace {

void WriteText(const std::filesystem::path& path, const std::string& bytes) {
  WriteFileBytes(path.string(), std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

void BakeAll(const std::filesystem::path& outDir) {
  const std::filesystem::path res = outDir / "Data" / "Res";
  const std::filesystem::path music = outDir / "Data" / "Music";
  std::filesystem::create_directories(res);
  std::filesystem::create_directories(music);
  WriteFileBytes((res / "Res1.dxg").string(), WriteImageCollection(BakeImageList1()));
  WriteFileBytes((res / "Res2.dxg").string(), WriteImageCollection(BakeImageList2()));
  WriteFileBytes((res / "Res3.dxg").string(), WriteImageCollection(BakeImageList3()));
  WriteFileBytes((res / "Sounds.dxw").string(), WriteWaveCollection(BakeSounds()));
  WriteText(music / "Menu.xm", BakeMenuSong());
  WriteText(music / "Race.xm", BakeRaceSong());
  BakeFonts(outDir.string());
  BakeIcons(outDir.string());
}

int Usage() {
  std::fprintf(stderr,
               "usage: assetbake OUTDIR\n       assetbake --contact-sheets OUTDIR DIR\n"
               "       assetbake --scenery-repeats [SEED...]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc >= 2 && std::string(argv[1]) == "--scenery-repeats") {
      std::vector<uint32_t> seeds;
      for (int i = 2; i < argc; ++i) seeds.push_back(static_cast<uint32_t>(std::stoul(argv[i])));
      if (seeds.empty()) seeds = {1, 2, 3};
      std::fputs(FormatRepeatReports(MeasureSceneryRepeats(seeds), seeds).c_str(), stdout);
      return 0;
    }
    if (argc == 2) {
      BakeAll(argv[1]);
      return 0;
    }
    if (argc == 4 && std::string(argv[1]) == "--contact-sheets") {
      BakeAll(argv[2]);
      WriteContactSheets(argv[2], argv[3]);
      return 0;
    }
    return Usage();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "assetbake: %s\n", e.what());
    return 1;
  }
}
