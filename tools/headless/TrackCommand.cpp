#include "TrackCommand.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <string_view>

#include "app/Random.h"
#include "race/RiderState.h"
#include "race/TrackGenerator.h"
#include "race/TrackState.h"

namespace {

constexpr char kUsage[] = "usage: gearrush-headless track --seed N --level L --out FILE\n";

void PutUint32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutInt32(std::vector<uint8_t>& out, int32_t v) {
  PutUint32(out, static_cast<uint32_t>(v));
}

// A whole decimal number within [lo, hi], or nothing.
std::optional<int64_t> ParseNumber(std::string_view text, int64_t lo, int64_t hi) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < lo || value > hi) {
    return std::nullopt;
  }
  return value;
}

int UsageError(const char* message, std::string_view detail = "") {
  const std::string text = std::string(message) + std::string(detail);
  std::fprintf(stderr, "gearrush-headless track: %s\n", text.c_str());
  std::fputs(kUsage, stderr);
  return 2;
}

}  // namespace

std::vector<uint8_t> SerializeTrack() {
  std::vector<uint8_t> out;
  out.reserve(4 * 5 + kTrackRows * kTrackColumns + kTrackRows + 4 * kTrackRows + 4);
  PutInt32(out, TrackLength);
  PutInt32(out, TimeLeftMs);
  PutInt32(out, BonusCount);
  PutInt32(out, ViewCol);
  PutInt32(out, ViewRow);
  for (int r = 1; r <= kTrackRows; ++r) {
    for (int k = 1; k <= kTrackColumns; ++k) out.push_back(static_cast<uint8_t>(TrackGrid[r][k]));
  }
  for (int r = 1; r <= kTrackRows; ++r) out.push_back(TrackRowKind[r]);
  for (int r = 1; r <= kTrackRows; ++r) PutInt32(out, TrackCenterX[r]);
  PutUint32(out, RandSeed);
  return out;
}

int RunTrackCommand(int argc, char** argv) {
  std::optional<int64_t> seed, level;
  std::optional<std::string> outPath;
  for (int i = 0; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option != "--seed" && option != "--level" && option != "--out") {
      return UsageError("unknown argument ", option);
    }
    if (i + 1 >= argc) return UsageError("missing value for ", option);
    const std::string_view value = argv[++i];
    if (option == "--seed") {
      seed = ParseNumber(value, 0, UINT32_MAX);
      if (!seed) return UsageError("the seed must be a whole number 0..4294967295: ", value);
    } else if (option == "--level") {
      level = ParseNumber(value, 1, kLevelCount);
      if (!level) return UsageError("the level must be 1..10: ", value);
    } else {
      if (value.empty()) return UsageError("empty file name for --out");
      outPath = std::string(value);
    }
  }
  if (!seed) return UsageError("missing --seed");
  if (!level) return UsageError("missing --level");
  if (!outPath) return UsageError("missing --out");

  // A fresh process: rows above a short track hold no earlier track's data.
  ResetTrackState();
  ResetRiderState();
  RandSeed = static_cast<uint32_t>(*seed);
  BuildLevel(static_cast<int>(*level));

  const std::vector<uint8_t> bytes = SerializeTrack();
  std::ofstream file(*outPath, std::ios::binary | std::ios::trunc);
  if (file) file.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (file) file.close();
  if (!file) {
    std::fprintf(stderr, "gearrush-headless track: cannot write %s: %s\n", outPath->c_str(),
                 std::strerror(errno));
    return 1;
  }
  return 0;
}
