// audiodump: writes the baked sounds and songs as WAV files, for listening and for measuring
// them with ordinary audio tools.
//   audiodump sounds Sounds.dxw OUTDIR   one NN-Name.wav per item of the sound collection
//   audiodump song FILE.xm OUT.wav       one pass through the song, as the game's mixer hears it
#include <libmodplug/modplug.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "resources/WaveCollection.h"

namespace {

constexpr int kMixRate = 44100;  // the rate the game opens its mixer at
constexpr int kMaxSeconds = 600;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

void Put(std::string& s, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string StereoWave(const std::vector<int16_t>& frames) {
  const uint32_t data = static_cast<uint32_t>(frames.size() * 2);
  std::string w = "RIFF";
  Put(w, 36 + data, 4);
  w += "WAVEfmt ";
  Put(w, 16, 4);
  Put(w, 1, 2);
  Put(w, 2, 2);
  Put(w, kMixRate, 4);
  Put(w, kMixRate * 4, 4);
  Put(w, 4, 2);
  Put(w, 16, 2);
  w += "data";
  Put(w, data, 4);
  w.append(reinterpret_cast<const char*>(frames.data()), data);
  return w;
}

int DumpSounds(const std::string& collection, const std::filesystem::path& outDir) {
  TDXWaveList list;
  list.LoadFromFile(collection);
  std::filesystem::create_directories(outDir);
  for (int i = 0; i < list.Count(); ++i) {
    char name[128];
    std::snprintf(name, sizeof name, "%02d-%s.wav", i, list.Items[i].Name.c_str());
    WriteAll((outDir / name).string(), list.Items[i].Wave);
  }
  return 0;
}

// The settings the game's mixer (SDL_mixer over libmodplug) plays songs with, at full music
// volume; the song is played once, without following its restart position.
int RenderSong(const std::string& song, const std::string& out) {
  const std::string bytes = ReadAll(song);
  ModPlug_Settings settings;
  ModPlug_GetSettings(&settings);
  settings.mFlags = MODPLUG_ENABLE_OVERSAMPLING;
  settings.mChannels = 2;
  settings.mBits = 16;
  settings.mFrequency = kMixRate;
  settings.mResamplingMode = MODPLUG_RESAMPLE_FIR;
  settings.mReverbDepth = 0;
  settings.mBassAmount = 0;
  settings.mSurroundDepth = 0;
  settings.mLoopCount = 0;
  ModPlug_SetSettings(&settings);
  ModPlugFile* file = ModPlug_Load(bytes.data(), static_cast<int>(bytes.size()));
  if (!file) throw std::runtime_error("libmodplug cannot load " + song);
  ModPlug_SetMasterVolume(file, 128 * 4);
  std::vector<int16_t> frames;
  std::vector<int16_t> block(4096);
  while (frames.size() < static_cast<size_t>(kMaxSeconds) * kMixRate * 2) {
    const int got = ModPlug_Read(file, block.data(), static_cast<int>(block.size() * 2));
    if (got <= 0) break;
    frames.insert(frames.end(), block.begin(), block.begin() + got / 2);
  }
  std::printf("%s: %u instruments, %u samples, %u channels, %.1f s\n", song.c_str(),
              ModPlug_NumInstruments(file), ModPlug_NumSamples(file), ModPlug_NumChannels(file),
              static_cast<double>(frames.size()) / 2 / kMixRate);
  ModPlug_Unload(file);
  WriteAll(out, StereoWave(frames));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc == 4 && mode == "sounds") return DumpSounds(argv[2], argv[3]);
    if (argc == 4 && mode == "song") return RenderSong(argv[2], argv[3]);
    std::fprintf(stderr,
                 "usage: audiodump sounds Sounds.dxw OUTDIR\n"
                 "       audiodump song FILE.xm OUT.wav\n");
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "audiodump: %s\n", e.what());
    return 1;
  }
}
