#include "ScorePages.h"

#include <ctime>

namespace {
constexpr const char* kStyle =
    "<style>body{font-family:sans-serif;margin:2em auto;max-width:40em;padding:0 1em}"
    "table{border-collapse:collapse;width:100%}th,td{padding:.2em .6em;text-align:left}"
    "td.n{text-align:right}tr:nth-child(even){background:#eee}</style>";

std::string Head(const char* title) {
  return std::string("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">") +
         "<meta name=\"viewport\" content=\"width=device-width\"><title>" + title + "</title>" +
         kStyle + "</head><body>\n";
}
}  // namespace

std::string HtmlEscape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char ch : text) {
    switch (ch) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += ch;
    }
  }
  return escaped;
}

std::string UtcDate(int64_t unixTime) {
  const std::time_t time = static_cast<std::time_t>(unixTime);
  std::tm utc{};
  if (gmtime_r(&time, &utc) == nullptr) return "";
  char text[16];
  if (std::strftime(text, sizeof text, "%Y-%m-%d", &utc) == 0) return "";
  return text;
}

std::string HomePage() {
  return Head("Gear Rush") +
         "<h1>Gear Rush</h1>\n"
         "<p>A 2D arcade motorbike race seen from above: steer your bike along a randomly built "
         "road, pick up bonuses, race up to five riders and cross the finish line before the "
         "time runs out, ten levels and three lives long.</p>\n"
         "<p>After a game with a score for the table the game offers to send it here.</p>\n"
         "<p><a href=\"" +
         HtmlEscape(kListLink) +
         "\">The online high scores</a></p>\n"
         "</body></html>\n";
}

std::string ListPage(const std::vector<StoredScore>& best) {
  std::string page = Head("Gear Rush: online high scores");
  page += "<h1>Gear Rush: online high scores</h1>\n";
  if (best.empty()) {
    page += "<p>No scores yet.</p>\n";
  } else {
    page +=
        "<table>\n<tr><th>Rank</th><th>Name</th><th>Score</th><th>Country</th>"
        "<th>Date</th></tr>\n";
    int rank = 0;
    for (const StoredScore& row : best) {
      page += "<tr><td class=\"n\">" + std::to_string(++rank) + "</td><td>" +
              HtmlEscape(row.Entry.Name) + "</td><td class=\"n\">" +
              std::to_string(row.Entry.Score) + "</td><td>" + HtmlEscape(row.Entry.Country) +
              "</td><td>" + UtcDate(row.UnixTime) + "</td></tr>\n";
    }
    page += "</table>\n";
  }
  page += "<p><a href=\"../\">Gear Rush</a></p>\n</body></html>\n";
  return page;
}
