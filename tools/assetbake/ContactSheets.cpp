#include "ContactSheets.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Random.h"
#include "platform/Surface.h"
#include "race/TPlayer.h"
#include "race/TrackGenerator.h"
#include "race/TrackState.h"
#include "resources/ImageCollection.h"
#include "sprites/ImageDrawing.h"

namespace {

constexpr int kSheetWidth = 1400;
constexpr int kLabelHeight = 14;
constexpr int kGap = 8;
constexpr int kCheckSize = 8;

void FillChecker(Surface& s) {
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      const bool dark = ((x / kCheckSize) + (y / kCheckSize)) % 2 == 0;
      s.At(x, y) = dark ? Rgb565(150, 150, 150) : Rgb565(205, 205, 205);
    }
  }
}

// Copies a 16-bit surface onto the cairo target at (x, y).
void Blit(cairo_surface_t* target, const Surface& s, int x, int y) {
  cairo_surface_flush(target);
  unsigned char* data = cairo_image_surface_get_data(target);
  const int stride = cairo_image_surface_get_stride(target);
  const int tw = cairo_image_surface_get_width(target);
  const int th = cairo_image_surface_get_height(target);
  for (int row = 0; row < s.Height(); ++row) {
    if (y + row < 0 || y + row >= th) continue;
    auto* out = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y + row) * stride);
    for (int col = 0; col < s.Width(); ++col) {
      if (x + col < 0 || x + col >= tw) continue;
      out[x + col] = Xrgb8888From565(s.At(col, row));
    }
  }
  cairo_surface_mark_dirty(target);
}

void Label(cairo_t* cr, const std::string& text, double x, double y) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 10);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_move_to(cr, x, y + 10);
  cairo_show_text(cr, text.c_str());
}

struct Cell {
  int Item;
  int Pattern;
  int W, H;
};

void WriteListSheet(TDXImageList& list, const std::string& path) {
  std::vector<Cell> cells;
  for (int i = 0; i < list.Count(); ++i) {
    TPictureCollectionItem& item = *list.Item(i);
    const int count = item.Ready() ? item.PatternCount() : 0;
    if (count == 0) cells.push_back({i, -1, 40, 10});
    for (int p = 0; p < count; ++p) {
      cells.push_back({i, p, item.GetPatternWidth(), item.GetPatternHeight()});
    }
  }
  // Flow the cells into rows.
  struct Placed {
    Cell C;
    int X, Y;
  };
  std::vector<Placed> placed;
  int x = kGap, y = kGap, rowHeight = 0;
  for (const Cell& c : cells) {
    const int w = std::max(c.W, 44);
    if (x + w + kGap > kSheetWidth && x > kGap) {
      x = kGap;
      y += rowHeight + kLabelHeight + kGap;
      rowHeight = 0;
    }
    placed.push_back({c, x, y});
    x += w + kGap;
    rowHeight = std::max(rowHeight, c.H);
  }
  const int height = y + rowHeight + kLabelHeight + kGap;
  const int width = std::max(kSheetWidth, x);
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.12, 0.12, 0.16);
  cairo_paint(cr);
  for (const Placed& p : placed) {
    std::string text = std::to_string(p.C.Item);
    if (p.C.Pattern >= 0) {
      text += ':';
      text += std::to_string(p.C.Pattern);
    } else {
      text += " -";
    }
    Label(cr, text, p.X, p.Y);
    if (p.C.Pattern < 0) continue;
    Surface s(p.C.W, p.C.H);
    FillChecker(s);
    DrawPattern(*list.Item(p.C.Item), s, 0, 0, p.C.Pattern);
    Blit(sheet, s, p.X, p.Y + kLabelHeight);
  }
  cairo_destroy(cr);
  cairo_surface_write_to_png(sheet, path.c_str());
  cairo_surface_destroy(sheet);
}

// A window of a generated track: `rows` x `cols` tiles with (topRow, leftCol) at its corner.
void DrawTrackWindow(TPictureCollectionItem& tiles, Surface& s, int ox, int topRow, int leftCol,
                     int rows, int cols) {
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      DrawPattern(tiles, s, ox + c * kTilePx, r * kTilePx, TrackCell(topRow + r, leftCol + c));
    }
  }
}

// The first row, from the start upward, that begins a section of the given kind.
int FindSection(int kind) {
  for (int row = kTrackRows - 1; row > kTrackRows - TrackLength; --row) {
    if (TrackRowKind[row] == kind && TrackRowKind[row + 1] != kind) return row;
  }
  return -1;
}

void WriteRoadSheet(TDXImageList& list2, const std::string& path) {
  TPictureCollectionItem* tiles = list2.Item(1);
  if (tiles == nullptr || !tiles->Ready()) return;
  constexpr int kRows = 22;
  constexpr int kCols = 12;
  constexpr int kPanels = 3;
  Surface s(kPanels * kCols * kTilePx + (kPanels - 1) * 16, kRows * kTilePx);
  s.Fill(Rgb565(30, 30, 40));
  // Panel 1: the start straight with its line and the first bend entry above it.
  RandSeed = 7;
  BuildLevel(3);
  DrawTrackWindow(*tiles, s, 0, kTrackRows - kRows, 316, kRows, kCols);
  // Panels 2 and 3: a drift left and a drift right with their entry and exit rows, searched
  // over a few seeds.
  int panel = 1;
  for (int kind : {static_cast<int>(SectionDriftLeft), static_cast<int>(SectionDriftRight)}) {
    for (uint32_t seed = 1; seed < 200; ++seed) {
      RandSeed = seed;
      BuildLevel(3);
      const int row = FindSection(kind);
      if (row < 0 || row > kTrackRows - 30) continue;
      const int top = row - kRows + 8;
      const int left = TrackCenterX[row] / kTilePx - kCols / 2;
      DrawTrackWindow(*tiles, s, panel * (kCols * kTilePx + 16), top, left, kRows, kCols);
      break;
    }
    ++panel;
  }
  cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, s.Width(), s.Height());
  Blit(out, s, 0, 0);
  cairo_surface_write_to_png(out, path.c_str());
  cairo_surface_destroy(out);
}

// The track map of the right panel for a view whose top-left cell is (viewRow, viewCol), laid
// out as the race lays it: the first lane or line cell of each row picks the map pieces.
void DrawTrackMap(TDXImageList& list3, Surface& s, int viewRow, int viewCol) {
  int tiles[17][13] = {};
  for (int r = 1; r <= 12; ++r) {
    for (int c = 1; c <= 16; ++c) {
      const int kind = TrackCell(viewRow + r, viewCol + c);
      if (kind == kTileLane) {
        switch (TrackCell(viewRow + r, viewCol + c - 1)) {
          case 10:
            tiles[c][r] = 6;
            break;
          case 33:
            if (c > 1) tiles[c - 1][r] = 20;
            tiles[c][r] = 10;
            break;
          case 27:
            tiles[c][r] = 40;
            if (c < 16) tiles[c + 1][r] = 30;
            break;
          case 45:
            tiles[c][r] = 1;
            if (c < 16) tiles[c + 1][r] = 2;
            break;
          case 39:
            if (c > 1) tiles[c - 1][r] = 3;
            tiles[c][r] = 4;
            break;
          default:
            break;
        }
        break;
      }
      if (kind == kTileLine) {
        if (c < 16) tiles[c + 1][r] = 7;
        break;
      }
    }
  }
  double f = 4;
  int d = 1;
  for (int c = 1; c <= 16; ++c) {
    if (tiles[c][6] == 0) continue;
    d = c;
    switch (tiles[c][6]) {
      case 1:
        f = 9;
        break;
      case 3:
        f = 14;
        break;
      case 20:
        f = 8;
        break;
      case 40:
        f = 3;
        break;
      default:
        f = 4;
        break;
    }
    break;
  }
  const double m = 708 - (f + (d - 1) * 10 + 631) + 9;
  for (int r = 1; r <= 11; ++r) {
    for (int c = 1; c <= 16; ++c) {
      const int image = TrackMapPicture(tiles[c][r]);
      if (image < 0) continue;
      DrawPattern(*list3.Item(image), s, static_cast<int>(std::lround(m)) + 10 * c + 621,
                  15 * r + 31, 0);
    }
  }
  DrawPattern(*list3.Item(10), s, static_cast<int>(std::lround(m)) + 10 * d + 631 - 15 - 4,
              15 * 3 + 46, 0);
  DrawPattern(*list3.Item(12), s, 626, 0, 0);
  DrawPattern(*list3.Item(13), s, 626, 195, 0);
  DrawPattern(*list3.Item(11), s, 708, 116, 0);
}

// A race frame put together from the baked pictures: road, bike, panels, map and needle.
void WriteRaceMock(TDXImageList& list2, TDXImageList& list3, const std::string& path) {
  if (list2.Count() < 55 || list3.Count() < 14) return;
  RandSeed = 11;
  BuildLevel(3);
  int row = FindSection(SectionDriftLeft);
  if (row < 0) row = kTrackRows - 30;
  const int viewRow = row - 4;
  const int viewCol = TrackCenterX[row] / kTilePx - 6;
  Surface s(800, 600);
  s.Fill(0);
  DrawTrackWindow(*list2.Item(1), s, 0, viewRow, viewCol, 10, 13);
  TPictureCollectionItem& bike = *list2.Item(5);
  DrawRotated(bike, s, 400 + bike.Picture.Width() / 2, 400 + bike.Picture.Height() / 2,
              bike.Picture.Width(), bike.Picture.Height(), 0, 0.5, 0.5, 0);
  DrawPattern(*list2.Item(2), s, 0, 0, 0);
  DrawPattern(*list2.Item(3), s, 626, 0, 0);
  DrawTrackMap(list3, s, viewRow, viewCol);
  // The needle at 150 km/h.
  TPictureCollectionItem& needle = *list2.Item(4);
  const int w = needle.Picture.Width();
  const int h = needle.Picture.Height();
  const int angle = static_cast<int>(std::lround(150.0 / 1.9 * 0.76875 + 28));
  DrawRotated(needle, s, w - 10, h + 510, w, h, 0, 0.7, 0.5, angle);
  cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 800, 600);
  Blit(out, s, 0, 0);
  cairo_surface_write_to_png(out, path.c_str());
  cairo_surface_destroy(out);
}

}  // namespace

void WriteContactSheets(const std::string& dataRoot, const std::string& sheetDir) {
  std::filesystem::create_directories(sheetDir);
  const std::filesystem::path res = std::filesystem::path(dataRoot) / "Data" / "Res";
  const std::filesystem::path dir(sheetDir);
  TDXImageList lists[3];
  for (int n = 1; n <= 3; ++n) {
    TDXImageList& list = lists[n - 1];
    list.LoadFromFile((res / ("Res" + std::to_string(n) + ".dxg")).string());
    WriteListSheet(list, (dir / ("list" + std::to_string(n) + ".png")).string());
  }
  WriteRoadSheet(lists[1], (dir / "road-assembled.png").string());
  WriteRaceMock(lists[1], lists[2], (dir / "race-frame.png").string());
}
