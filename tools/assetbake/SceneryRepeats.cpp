#include "SceneryRepeats.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "app/Random.h"
#include "race/TrackGenerator.h"
#include "race/TrackState.h"

namespace {

// The bike is drawn at (400,400) and is about 63x68: its middle is near (431,434). The road
// keeps it there, so a view's world rectangle is found from the bike's world position. The
// bike rides in the left lane, on the centre line or in the right lane (it starts in the
// right one): a view is counted for each.
constexpr int kBikeMiddleX = 431;
constexpr int kBikeMiddleY = 434;
constexpr int kLaneOffsets[] = {-72, 0, 72};

struct Window {
  const char* Name;
  int Left, Right;  // screen x range [Left, Right)
};
// The road shows between the side panels; the panels hide the rest of the 800 pixels.
constexpr Window kWindows[] = {
    {"visible road window, screen x 174..626 (the panels hide the rest)", 174, 626},
    {"whole 800x600 screen, counting cells under the panels", 0, 800}};

// One picture placed on the track: its picture id and the cells it covers.
struct Placed {
  int Picture;
  int Row0, Col0, Row1, Col1;  // inclusive cell range
  // Pixels of the first and last column that the picture leaves bare: a roadside variant
  // draws its object on the ground beside the wall, x 0..38 of a left roadside tile and
  // 36..72 of a right one; the wall itself looks the same in every variant.
  int TrimLeft = 0, TrimRight = 0;
};

Placed RoadsidePicture(int picture, int kind, int r, int c) {
  const bool left = kind <= 9;
  return {picture, r, c, r, c, left ? 0 : 36, left ? kTilePx - 38 : 0};
}

enum Group { Roadside, RoadsideMirrored, Scatter, Objects, GroupCount };
const char* const kGroupNames[GroupCount] = {
    "roadside variants 2-9, 14-21 (each kind its own picture)",
    "roadside variants, a left kind and its right partner (k, k+12) as one object",
    "scatter tiles 49-51",
    "ground objects (shed 52-54, plot 60-64 alone or in a paddock, paddock fence 55-59, copse "
    "65-73)"};

// Every scenery picture of the current track, by group.
std::vector<Placed> FindPictures(Group group) {
  std::vector<Placed> found;
  const int top = kTrackRows - TrackLength + 1;
  for (int r = top; r <= kTrackRows; ++r) {
    for (int c = 1; c <= kTrackColumns; ++c) {
      const int k = TrackGrid[r][c];
      switch (group) {
        case Roadside:
          if ((k >= 2 && k <= 9) || (k >= 14 && k <= 21)) {
            found.push_back(RoadsidePicture(k, k, r, c));
          }
          break;
        case RoadsideMirrored:
          if (k >= 2 && k <= 9) found.push_back(RoadsidePicture(k, k, r, c));
          if (k >= 14 && k <= 21) found.push_back(RoadsidePicture(k - 12, k, r, c));
          break;
        case Scatter:
          if (k >= 49 && k <= 51) found.push_back({k, r, c, r, c});
          break;
        case Objects:
          // Each object is found by one piece that it holds exactly once.
          if (k == 52) found.push_back({52, r, c, r + 1, c + 1});
          if (k == 60) found.push_back({60, r, c, r + 1, c + 1});
          if (k == 58) found.push_back({55, r - 3, c - 3, r, c});
          if (k == 65) found.push_back({65, r, c, r + 2, c + 2});
          break;
        case GroupCount:
          break;
      }
    }
  }
  return found;
}

bool Overlaps(const Placed& p, int x0, int y0, int x1, int y1) {
  // Cell (r, c) covers world x 72c .. 72c + 72 (the road centre's own measure) and y likewise.
  const int px0 = p.Col0 * kTilePx + p.TrimLeft;
  const int px1 = (p.Col1 + 1) * kTilePx - p.TrimRight;
  const int py0 = p.Row0 * kTilePx;
  const int py1 = (p.Row1 + 1) * kTilePx;
  return px0 < x1 && x0 < px1 && py0 < y1 && y0 < py1;
}

}  // namespace

std::vector<RepeatReport> MeasureSceneryRepeats(const std::vector<uint32_t>& seeds) {
  std::vector<RepeatReport> reports;
  for (const Window& w : kWindows) reports.push_back({w.Name, {}});
  for (RepeatReport& report : reports) {
    for (int g = 0; g < GroupCount; ++g) {
      RepeatCount count;
      count.Group = kGroupNames[g];
      report.Groups.push_back(count);
    }
  }
  for (const uint32_t seed : seeds) {
    for (int level = 1; level <= kLevelCount; ++level) {
      RandSeed = seed;
      BuildLevel(level);
      const int finishRow = kTrackRows + 50 - TrackLength;
      // Each picture filed under its bottom-right cell, which no other picture of its group
      // shares, so a view only looks at the cells it covers and a few beyond.
      std::vector<Placed> pictures[GroupCount];
      std::vector<int> byCorner[GroupCount];
      for (int g = 0; g < GroupCount; ++g) {
        pictures[g] = FindPictures(static_cast<Group>(g));
        byCorner[g].assign(static_cast<size_t>(kTrackRows + 1) * (kTrackColumns + 1), -1);
        for (size_t i = 0; i < pictures[g].size(); ++i) {
          const Placed& p = pictures[g][i];
          byCorner[g][p.Row1 * (kTrackColumns + 1) + p.Col1] = static_cast<int>(i);
        }
      }
      // Every row the bike rides through, from the start line to the finish line.
      for (int row = kTrackRows - 20; row >= finishRow; --row) {
        const int bikeY = row * kTilePx + kTilePx / 2;
        for (const int lane : kLaneOffsets) {
          const int bikeX = TrackCenterX[row] + lane;
          for (size_t v = 0; v < reports.size(); ++v) {
            const int x0 = bikeX - kBikeMiddleX + kWindows[v].Left;
            const int x1 = bikeX - kBikeMiddleX + kWindows[v].Right;
            const int y0 = bikeY - kBikeMiddleY;
            const int y1 = y0 + 600;
            for (int g = 0; g < GroupCount; ++g) {
              std::map<int, int> shown;
              int total = 0;
              for (int r = std::max(1, y0 / kTilePx); r <= std::min(kTrackRows, y1 / kTilePx + 3);
                   ++r) {
                for (int c = std::max(1, x0 / kTilePx);
                     c <= std::min(kTrackColumns, x1 / kTilePx + 3); ++c) {
                  const int i = byCorner[g][r * (kTrackColumns + 1) + c];
                  if (i < 0 || !Overlaps(pictures[g][i], x0, y0, x1, y1)) continue;
                  ++shown[pictures[g][i].Picture];
                  ++total;
                }
              }
              RepeatCount& count = reports[v].Groups[g];
              ++count.Views;
              count.MeanShown += total;
              if (total > 0) ++count.WithAny;
              bool repeated = false;
              for (const auto& [picture, n] : shown) {
                if (n < 2) continue;
                repeated = true;
                ++count.ByPicture[picture];
              }
              if (repeated) ++count.WithRepeat;
            }
          }
        }
      }
    }
  }
  for (RepeatReport& report : reports) {
    for (RepeatCount& count : report.Groups) {
      if (count.Views > 0) count.MeanShown /= count.Views;
    }
  }
  return reports;
}

std::string FormatRepeatReports(const std::vector<RepeatReport>& reports,
                                const std::vector<uint32_t>& seeds) {
  std::string out =
      "Views from every row the bike rides through, in each lane and on the centre line, levels "
      "1-10, seeds";
  for (const uint32_t s : seeds) out += " " + std::to_string(s);
  out += "\n";
  char line[256];
  for (const RepeatReport& report : reports) {
    out += "\n" + report.Window + "\n";
    for (const RepeatCount& c : report.Groups) {
      std::snprintf(line, sizeof line,
                    "  %-95s views %6d  showing any %5.1f%%  mean shown %5.2f  showing one "
                    "twice %5.1f%%\n",
                    c.Group.c_str(), c.Views, 100.0 * c.WithAny / c.Views, c.MeanShown,
                    100.0 * c.WithRepeat / c.Views);
      out += line;
      std::string worst = "    twice, by picture (its first tile kind):";
      for (const auto& [picture, views] : c.ByPicture) {
        std::snprintf(line, sizeof line, " %d %.1f%%", picture, 100.0 * views / c.Views);
        worst += line;
      }
      out += worst + "\n";
    }
  }
  return out;
}
