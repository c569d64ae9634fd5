#include "Fonts.h"

#include <fontconfig/fontconfig.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

#include "resources/CollectionWriter.h"

namespace {

struct ShippedFont {
  const char* Requested;  // the face name the game asks for
  const char* Family;     // the free face that answers it
  const char* Style;
  const char* Package;  // the Debian package that installs it
  const char* FileName;
  bool ForceBold;  // every request gets the bold cut, even where the system has others
};

// Only the bold cut of the display face ships: the game asks for "BancoDi" in its regular
// weight nearly everywhere, and the face must look the same whether or not the machine has the
// family's lighter cuts installed too.
constexpr ShippedFont kShippedFonts[] = {
    {"BancoDi", kDisplayFamily, "Bold", "fonts-yanone-kaffeesatz", "YanoneKaffeesatz-Bold.otf",
     true},
    {"Courier", kMonospaceFamily, "Regular", "fonts-liberation2", "LiberationMono-Regular.ttf",
     false},
};

constexpr const char* kFontsFolder = "Data/Fonts";

using PatternPtr = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteString(const std::string& path, const std::string& bytes) {
  WriteFileBytes(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

}  // namespace

std::string InstalledFontFile(const std::string& family, const std::string& style) {
  std::string package = "a package that provides it";
  for (const ShippedFont& font : kShippedFonts) {
    if (family == font.Family) package = font.Package;
  }
  const std::string missing =
      "font \"" + family + "\" " + style + " is not installed (install " + package + ")";

  PatternPtr pattern(FcPatternCreate(), FcPatternDestroy);
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddString(pattern.get(), FC_STYLE, reinterpret_cast<const FcChar8*>(style.c_str()));
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result), FcPatternDestroy);
  if (!match) throw std::runtime_error(missing);

  // fontconfig always answers with something; only the asked-for family in the asked-for
  // style keeps the baked files the same on every machine.
  FcChar8* matchedFamily = nullptr;
  FcChar8* matchedStyle = nullptr;
  FcChar8* file = nullptr;
  if (FcPatternGetString(match.get(), FC_FAMILY, 0, &matchedFamily) != FcResultMatch ||
      FcPatternGetString(match.get(), FC_STYLE, 0, &matchedStyle) != FcResultMatch ||
      FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch ||
      family != reinterpret_cast<const char*>(matchedFamily) ||
      style != reinterpret_cast<const char*>(matchedStyle)) {
    throw std::runtime_error(missing);
  }
  return reinterpret_cast<const char*>(file);
}

std::string FontsConfText() {
  std::string text =
      "<?xml version=\"1.0\"?>\n"
      "<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
      "<!-- The faces Gear Rush asks for by name, bound to the free faces shipped here. -->\n"
      "<fontconfig>\n"
      "  <dir prefix=\"relative\">.</dir>\n"
      // Without a cache folder fontconfig complains on every start; the user's own one is
      // where it keeps the caches of every other font anyway.
      "  <cachedir prefix=\"xdg\">fontconfig</cachedir>\n";
  for (const ShippedFont& font : kShippedFonts) {
    text += std::string("  <match target=\"pattern\">\n") +
            "    <test qual=\"any\" name=\"family\"><string>" + font.Requested +
            "</string></test>\n" +
            "    <edit name=\"family\" mode=\"prepend\" binding=\"strong\"><string>" + font.Family +
            "</string></edit>\n";
    if (font.ForceBold) {
      text +=
          "    <edit name=\"weight\" mode=\"assign\" binding=\"strong\"><const>bold</const>"
          "</edit>\n";
    }
    text += "  </match>\n";
  }
  for (const ShippedFont& font : kShippedFonts) {
    text += std::string("  <alias binding=\"strong\">\n") + "    <family>" + font.Requested +
            "</family>\n" + "    <prefer><family>" + font.Family + "</family></prefer>\n" +
            "  </alias>\n";
  }
  // Generic names, for any face the game might ask for that is not shipped.
  text += std::string("  <alias>\n    <family>sans-serif</family>\n    <prefer><family>") +
          kDisplayFamily + "</family></prefer>\n  </alias>\n" +
          "  <alias>\n    <family>monospace</family>\n    <prefer><family>" + kMonospaceFamily +
          "</family></prefer>\n  </alias>\n";
  text += "</fontconfig>\n";
  return text;
}

std::vector<std::string> BakedFontFiles() {
  std::vector<std::string> files;
  for (const ShippedFont& font : kShippedFonts) {
    files.push_back(std::string(kFontsFolder) + "/" + font.FileName);
  }
  files.push_back(std::string(kFontsFolder) + "/fonts.conf");
  return files;
}

void BakeFonts(const std::string& outDir) {
  const std::filesystem::path folder = std::filesystem::path(outDir) / kFontsFolder;
  std::filesystem::create_directories(folder);
  for (const ShippedFont& font : kShippedFonts) {
    WriteString((folder / font.FileName).string(),
                ReadFileBytes(InstalledFontFile(font.Family, font.Style)));
  }
  WriteString((folder / "fonts.conf").string(), FontsConfText());
}
