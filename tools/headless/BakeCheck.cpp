#include "BakeCheck.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <vector>

#include "resources/ImageCollection.h"
#include "resources/WaveCollection.h"

namespace {

std::string Hex6(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(value & 0xFFFFFF));
  return text;
}

void ListPictures(const std::string& name, const TDXImageList& list, std::ostream& out) {
  out << name << ": " << list.Count() << " items\n";
  for (int i = 0; i < list.Count(); ++i) {
    const TPictureCollectionItem& item = list.Items[static_cast<size_t>(i)];
    out << name << " #" << i << " picture " << item.Picture.Width() << "x" << item.Picture.Height()
        << " pattern " << item.GetPatternWidth() << "x" << item.GetPatternHeight() << " patterns "
        << item.PatternCount() << " "
        << (item.Transparent ? "transparent key " + Hex6(item.TransparentColor) : "opaque") << "\n";
  }
}

void ListWaves(const std::string& name, const TDXWaveList& list, std::ostream& out) {
  out << name << ": " << list.Count() << " items\n";
  for (int i = 0; i < list.Count(); ++i) {
    const TWaveCollectionItem& item = list.Items[static_cast<size_t>(i)];
    const WaveFormat& f = item.Format;
    const double seconds = f.SamplesPerSec > 0 && f.BlockAlign > 0
                               ? static_cast<double>(item.DataSize) / f.BlockAlign / f.SamplesPerSec
                               : 0.0;
    char length[32];
    std::snprintf(length, sizeof length, "%.3f", seconds);
    out << name << " #" << i << " format " << f.FormatTag << " channels " << f.Channels << " rate "
        << f.SamplesPerSec << " bits " << f.BitsPerSample << " seconds " << length
        << (item.Looped ? " looped" : " once") << " max " << item.MaxPlayingCount << "\n";
  }
}

}  // namespace

bool ListCollections(const std::string& dataRoot, std::ostream& out, std::ostream& err) {
  const std::filesystem::path res = std::filesystem::path(dataRoot) / "Data" / "Res";
  std::error_code ec;
  if (!std::filesystem::is_directory(res, ec)) {
    err << "bake-check: no folder " << res.string() << "\n";
    return false;
  }
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(res, ec)) {
    const std::string ext = entry.path().extension().string();
    if (entry.is_regular_file() && (ext == ".dxg" || ext == ".dxw")) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  bool ok = true;
  for (const std::filesystem::path& file : files) {
    const std::string name = file.filename().string();
    try {
      if (file.extension() == ".dxg") {
        TDXImageList list;
        list.LoadFromFile(file.string());
        ListPictures(name, list, out);
      } else {
        TDXWaveList list;
        list.LoadFromFile(file.string());
        ListWaves(name, list, out);
      }
    } catch (const std::exception& e) {
      err << name << ": " << e.what() << "\n";
      ok = false;
    }
  }
  return ok;
}

int RunBakeCheckCommand(int argc, char** argv) {
  std::string data = ".";
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
      data = argv[++i];
    } else {
      std::cerr << "usage: gearrush-headless bake-check [--data DIR]\n";
      return 2;
    }
  }
  return ListCollections(data, std::cout, std::cerr) ? 0 : 1;
}
