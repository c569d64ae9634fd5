// Writes picture and sound collections in the format the game reads (used by the asset baker
// and by the tests).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A 24-bit picture, top row first, 3 bytes a pixel in the order red, green, blue.
struct RgbImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Rgb;
};

struct PictureItemSpec {
  std::string Name;
  int PatternWidth = 0;
  int PatternHeight = 0;
  int SkipWidth = 0;
  int SkipHeight = 0;
  bool Transparent = true;
  uint32_t TransparentColor = 0;  // red + 256 * green + 65536 * blue
  std::vector<uint8_t> Dib;       // a DIB without file header; see EncodeDib24
};

struct WaveItemSpec {
  std::string Name;
  bool Looped = false;
  int MaxPlayingCount = 0;
  std::string Wave;  // RIFF WAVE file image; see EncodeWavePcm16
};

// An uncompressed bottom-up 24-bit DIB with a 40-byte information header.
std::vector<uint8_t> EncodeDib24(const RgbImage& image);
// A RIFF WAVE file of 16-bit PCM samples (interleaved when channels is 2).
std::string EncodeWavePcm16(const std::vector<int16_t>& samples, int channels, int sampleRate);

std::vector<uint8_t> WriteImageCollection(const std::vector<PictureItemSpec>& items);
std::vector<uint8_t> WriteWaveCollection(const std::vector<WaveItemSpec>& items);
// Writes bytes to a file, replacing it whole: they go to a file beside it that then takes its
// name, so a game starting meanwhile reads the old file or the new one, never half of one, and
// a failed write leaves the old one. Throws std::runtime_error on failure.
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
