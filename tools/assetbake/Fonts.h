// The faces the game asks the system for by name ("BancoDi" and "Courier"), shipped beside the
// game as free substitutes, with a fontconfig file that binds the asked-for names to them.
#pragma once

#include <string>
#include <vector>

// The family that stands in for "BancoDi"; the menu captions are drawn in it too, so the
// pictures and the program's texts share one face.
inline constexpr const char* kDisplayFamily = "Yanone Kaffeesatz";
// The family that stands in for "Courier".
inline constexpr const char* kMonospaceFamily = "Liberation Mono";

// Copies the font files into OUTDIR/Data/Fonts and writes OUTDIR/Data/Fonts/fonts.conf.
void BakeFonts(const std::string& outDir);
// The files BakeFonts writes, relative to OUTDIR.
std::vector<std::string> BakedFontFiles();
// The fontconfig file that BakeFonts writes; its font folder is given relative to the file
// itself, so Data/ may move.
std::string FontsConfText();
// The installed file of a family in a style ("Bold", "Regular"). Throws std::runtime_error
// naming the Debian package to install when the family is missing, rather than letting
// fontconfig quietly pick another face.
std::string InstalledFontFile(const std::string& family, const std::string& style);
