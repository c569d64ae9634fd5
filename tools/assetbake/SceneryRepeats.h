// How often a race view shows the same scenery picture twice: the generator's tracks of all
// ten levels, viewed from every row the bike passes, counted per kind of scenery.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct RepeatCount {
  std::string Group;             // "roadside objects", "scatter tiles", ...
  int Views = 0;                 // views looked at
  int WithRepeat = 0;            // views in which some picture of the group shows at least twice
  int WithAny = 0;               // views in which the group shows at all
  double MeanShown = 0;          // mean number of the group's pictures (instances) in a view
  std::map<int, int> ByPicture;  // views in which that picture (its first kind) shows twice
};

struct RepeatReport {
  std::string Window;  // which part of the screen counts as the view
  std::vector<RepeatCount> Groups;
};

// Builds every level of every seed and counts, for the visible road window between the panels
// and for the whole 800x600 screen, the views that repeat a picture.
std::vector<RepeatReport> MeasureSceneryRepeats(const std::vector<uint32_t>& seeds);

// The reports as lines of text.
std::string FormatRepeatReports(const std::vector<RepeatReport>& reports,
                                const std::vector<uint32_t>& seeds);
