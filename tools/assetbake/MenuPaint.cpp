#include "MenuPaint.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <vector>

#include "Canvas.h"
#include "Fonts.h"

namespace {

constexpr uint8_t kKeyR = kKeyColor & 0xFF;
constexpr uint8_t kKeyG = (kKeyColor >> 8) & 0xFF;
constexpr uint8_t kKeyB = (kKeyColor >> 16) & 0xFF;

uint8_t* PixelAt(RgbImage& image, int x, int y) {
  return &image.Rgb[(static_cast<size_t>(y) * image.Width + x) * 3];
}
const uint8_t* PixelAt(const RgbImage& image, int x, int y) {
  return &image.Rgb[(static_cast<size_t>(y) * image.Width + x) * 3];
}

RgbImage BlankImage(int width, int height) {
  RgbImage image;
  image.Width = width;
  image.Height = height;
  image.Rgb.assign(static_cast<size_t>(width) * height * 3, 0);
  return image;
}

// The game compares colours after reducing them to 16 bits, so a visible pixel must stay
// clear of the key there too.
void AvoidKey(uint8_t* rgb) {
  if (rgb[0] >= 248 && rgb[1] < 4 && rgb[2] >= 248) rgb[1] = 4;
}

void SetKey(uint8_t* rgb) {
  rgb[0] = kKeyR;
  rgb[1] = kKeyG;
  rgb[2] = kKeyB;
}

// The layer's pixels with the given coverage rule; BG gives the colour under a pixel.
template <typename Background>
RgbImage Flatten(cairo_surface_t* layer, int minAlpha, bool keyed, Background bg) {
  cairo_surface_flush(layer);
  const int width = cairo_image_surface_get_width(layer);
  const int height = cairo_image_surface_get_height(layer);
  const int stride = cairo_image_surface_get_stride(layer);
  const unsigned char* data = cairo_image_surface_get_data(layer);
  RgbImage out = BlankImage(width, height);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const uint32_t p = row[x];
      const int a = static_cast<int>(p >> 24);
      uint8_t* o = PixelAt(out, x, y);
      if (keyed && a < minAlpha) {
        SetKey(o);
        continue;
      }
      // Cairo keeps premultiplied colour, so "over" is source + background * (1 - alpha).
      const int src[3] = {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                          static_cast<int>(p & 0xFF)};
      const uint8_t* under = bg(x, y);
      for (int c = 0; c < 3; ++c) {
        const int v = src[c] + (under[c] * (255 - a) + 127) / 255;
        o[c] = static_cast<uint8_t>(std::min(v, 255));
      }
      if (keyed) AvoidKey(o);
    }
  }
  return out;
}

void BoxPass(std::vector<uint32_t>& px, int width, int height, int stride, int count, int step,
             int radius) {
  // Blurs COUNT lines of WIDTH-or-HEIGHT samples; STRIDE separates lines, STEP samples.
  const int length = step == 1 ? width : height;
  std::vector<uint32_t> line(length);
  const int window = 2 * radius + 1;
  for (int l = 0; l < count; ++l) {
    const size_t base = static_cast<size_t>(l) * stride;
    for (int i = 0; i < length; ++i) line[i] = px[base + static_cast<size_t>(i) * step];
    for (int shift = 0; shift < 32; shift += 8) {
      int sum = 0;
      for (int i = -radius; i <= radius; ++i) {
        if (i >= 0 && i < length) sum += (line[i] >> shift) & 0xFF;
      }
      for (int i = 0; i < length; ++i) {
        uint32_t& dst = px[base + static_cast<size_t>(i) * step];
        const uint32_t v = static_cast<uint32_t>((sum + window / 2) / window);
        dst = (dst & ~(0xFFu << shift)) | (v << shift);
        const int out = i - radius;
        const int in = i + radius + 1;
        if (out >= 0) sum -= (line[out] >> shift) & 0xFF;
        if (in < length) sum += (line[in] >> shift) & 0xFF;
      }
    }
  }
}

void EnsureCaptionFont() {
  // Checked once: a missing face would otherwise be replaced silently by whatever fontconfig
  // finds, and the baked pictures would differ from machine to machine.
  static const bool checked = (InstalledFontFile(kDisplayFamily, "Bold"), true);
  (void)checked;
}

void SelectCaptionFont(cairo_t* cr, double size) {
  EnsureCaptionFont();
  cairo_select_font_face(cr, kDisplayFamily, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, size);
  // Fixed options, so the machine's own font settings do not change the outlines.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

// Fills a copy of the current path, moved by (dx, dy), on a scratch layer the size of the
// target, blurs it and paints it; the path is consumed.
void SoftFill(cairo_t* cr, Colour c, double alpha, double dx, double dy, int radius) {
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_path_t* path = cairo_copy_path(cr);
  cairo_new_path(cr);
  cairo_surface_t* target = cairo_get_target(cr);
  SurfacePtr scratch =
      NewSurface(cairo_image_surface_get_width(target), cairo_image_surface_get_height(target));
  cairo_t* s = cairo_create(scratch.get());
  cairo_translate(s, dx, dy);
  cairo_append_path(s, path);
  SetSource(s, c, alpha);
  cairo_fill(s);
  cairo_destroy(s);
  cairo_path_destroy(path);
  Blur(scratch.get(), radius);
  cairo_set_source_surface(cr, scratch.get(), 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
}

}  // namespace

void SetSource(cairo_t* cr, Colour c, double alpha) {
  cairo_set_source_rgba(cr, c.R, c.G, c.B, alpha);
}

PatternPtr VerticalGradient(double y0, double y1, std::initializer_list<Colour> stops) {
  PatternPtr pattern(cairo_pattern_create_linear(0, y0, 0, y1), cairo_pattern_destroy);
  const double last = stops.size() > 1 ? static_cast<double>(stops.size() - 1) : 1.0;
  int i = 0;
  for (const Colour& c : stops) {
    cairo_pattern_add_color_stop_rgb(pattern.get(), i++ / last, c.R, c.G, c.B);
  }
  return pattern;
}

SurfacePtr NewSurface(int width, int height) {
  return SurfacePtr(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height),
                    cairo_surface_destroy);
}

SurfacePtr SurfaceFromRgb(const RgbImage& image) {
  SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.Width, image.Height),
                     cairo_surface_destroy);
  cairo_surface_flush(surface.get());
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < image.Height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < image.Width; ++x) {
      const uint8_t* p = PixelAt(image, x, y);
      row[x] = 0xFF000000u | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }
  }
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

void Blit(RgbImage& screen, const RgbImage& picture, int x, int y) {
  for (int j = 0; j < picture.Height; ++j) {
    for (int i = 0; i < picture.Width; ++i) {
      const int dx = x + i;
      const int dy = y + j;
      if (dx < 0 || dy < 0 || dx >= screen.Width || dy >= screen.Height) continue;
      std::copy_n(PixelAt(picture, i, j), 3, PixelAt(screen, dx, dy));
    }
  }
}

RgbImage KeyedOver(cairo_surface_t* layer, const RgbImage& screen, int x, int y, int minAlpha) {
  static const uint8_t kBlack[3] = {0, 0, 0};
  return Flatten(layer, minAlpha, true, [&](int i, int j) -> const uint8_t* {
    const int sx = x + i;
    const int sy = y + j;
    if (sx < 0 || sy < 0 || sx >= screen.Width || sy >= screen.Height) return kBlack;
    return PixelAt(screen, sx, sy);
  });
}

RgbImage KeyedAlone(cairo_surface_t* layer) {
  // Un-premultiplied, so an edge pixel keeps its own colour instead of darkening.
  cairo_surface_flush(layer);
  const int width = cairo_image_surface_get_width(layer);
  const int height = cairo_image_surface_get_height(layer);
  const int stride = cairo_image_surface_get_stride(layer);
  const unsigned char* data = cairo_image_surface_get_data(layer);
  RgbImage out = BlankImage(width, height);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const uint32_t p = row[x];
      const int a = static_cast<int>(p >> 24);
      uint8_t* o = PixelAt(out, x, y);
      if (a < 128) {
        SetKey(o);
        continue;
      }
      for (int c = 0; c < 3; ++c) {
        const int v = static_cast<int>((p >> (16 - 8 * c)) & 0xFF);
        o[c] = static_cast<uint8_t>(std::min((v * 255 + a / 2) / a, 255));
      }
      AvoidKey(o);
    }
  }
  return out;
}

RgbImage OpaqueOver(cairo_surface_t* layer, const RgbImage& screen, int x, int y) {
  static const uint8_t kBlack[3] = {0, 0, 0};
  return Flatten(layer, 0, false, [&](int i, int j) -> const uint8_t* {
    const int sx = x + i;
    const int sy = y + j;
    if (sx < 0 || sy < 0 || sx >= screen.Width || sy >= screen.Height) return kBlack;
    return PixelAt(screen, sx, sy);
  });
}

void Blur(cairo_surface_t* surface, int radius) {
  if (radius <= 0) return;
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface) / 4;
  auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface));
  std::vector<uint32_t> px(data, data + static_cast<size_t>(stride) * height);
  // Three box passes of half the radius each come close to a Gaussian.
  const int box = std::max(1, radius / 2);
  for (int pass = 0; pass < 3; ++pass) {
    BoxPass(px, width, height, stride, height, 1, box);
    BoxPass(px, width, height, 1, width, stride, box);
  }
  std::copy(px.begin(), px.end(), data);
  cairo_surface_mark_dirty(surface);
}

void CaptionPath(cairo_t* cr, const std::string& text, double cx, double cy, double size,
                 double slant) {
  SelectCaptionFont(cr, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_matrix_t shear;
  cairo_matrix_init(&shear, 1, 0, -slant, 1, 0, 0);
  cairo_transform(cr, &shear);
  cairo_move_to(cr, -(e.x_bearing + e.width / 2), -(e.y_bearing + e.height / 2));
  cairo_text_path(cr, text.c_str());
  cairo_restore(cr);
}

double CaptionWidth(cairo_t* cr, const std::string& text, double size, double slant) {
  SelectCaptionFont(cr, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  return e.width + slant * e.height;
}

void CaptionPathLeft(cairo_t* cr, const std::string& text, double x, double cy, double size,
                     double slant) {
  CaptionPath(cr, text, x + CaptionWidth(cr, text, size, slant) / 2, cy, size, slant);
}

void CaptionPathRight(cairo_t* cr, const std::string& text, double right, double cy, double size,
                      double slant) {
  CaptionPath(cr, text, right - CaptionWidth(cr, text, size, slant) / 2, cy, size, slant);
}

void SlantedRect(cairo_t* cr, double x, double y, double width, double height, double slant) {
  cairo_move_to(cr, x + slant, y);
  cairo_line_to(cr, x + width, y);
  cairo_line_to(cr, x + width - slant, y + height);
  cairo_line_to(cr, x, y + height);
  cairo_close_path(cr);
}

void RoundedRect(cairo_t* cr, double x, double y, double width, double height, double radius) {
  constexpr double kQuarter = 1.5707963267948966;
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + width - radius, y + radius, radius, -kQuarter, 0);
  cairo_arc(cr, x + width - radius, y + height - radius, radius, 0, kQuarter);
  cairo_arc(cr, x + radius, y + height - radius, radius, kQuarter, 2 * kQuarter);
  cairo_arc(cr, x + radius, y + radius, radius, 2 * kQuarter, 3 * kQuarter);
  cairo_close_path(cr);
}

void GearPath(cairo_t* cr, double cx, double cy, double outer, double inner, int teeth,
              double hole) {
  constexpr double kTurn = 6.283185307179586;
  const double step = kTurn / teeth;
  // Each tooth: a flat top over 30% of the pitch, flanks over 20% each, the root the rest.
  cairo_new_sub_path(cr);
  for (int t = 0; t < teeth; ++t) {
    const double a = t * step - kTurn / 4;
    const double pts[4][2] = {
        {a, inner}, {a + step * 0.18, outer}, {a + step * 0.48, outer}, {a + step * 0.66, inner}};
    for (const auto& p : pts) {
      const double x = cx + p[1] * std::cos(p[0]);
      const double y = cy + p[1] * std::sin(p[0]);
      if (t == 0 && &p == &pts[0]) {
        cairo_move_to(cr, x, y);
      } else {
        cairo_line_to(cr, x, y);
      }
    }
    cairo_arc(cr, cx, cy, inner, a + step * 0.66, a + step);
  }
  cairo_close_path(cr);
  if (hole > 0) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, hole, 0, kTurn);
    cairo_close_path(cr);
  }
}

void GlowPath(cairo_t* cr, Colour c, double alpha, int radius) {
  SoftFill(cr, c, alpha, 0, 0, radius);
}

void ShadowPath(cairo_t* cr, double dx, double dy, int radius, double alpha) {
  SoftFill(cr, Palette::kInk, alpha, dx, dy, radius);
}

void AddGrain(RgbImage& image, uint32_t seed, int amount) {
  uint32_t state = seed;
  for (size_t i = 0; i < image.Rgb.size(); i += 3) {
    state = state * 1664525u + 1013904223u;
    const int delta =
        static_cast<int>((state >> 16) % static_cast<uint32_t>(2 * amount + 1)) - amount;
    for (int c = 0; c < 3; ++c) {
      image.Rgb[i + c] = static_cast<uint8_t>(std::clamp(image.Rgb[i + c] + delta, 0, 255));
    }
  }
}

PictureItemSpec KeyedItem(const std::string& name, const RgbImage& image, int patternWidth) {
  PictureItemSpec item;
  item.Name = name;
  item.PatternWidth = patternWidth;
  item.PatternHeight = patternWidth > 0 ? image.Height : 0;
  item.Transparent = true;
  item.TransparentColor = kKeyColor;
  item.Dib = EncodeDib24(image);
  return item;
}

PictureItemSpec OpaqueItem(const std::string& name, const RgbImage& image) {
  PictureItemSpec item;
  item.Name = name;
  item.Transparent = false;
  item.TransparentColor = kKeyColor;
  item.Dib = EncodeDib24(image);
  return item;
}

RgbImage SideBySide(const RgbImage& left, const RgbImage& right) {
  assert(left.Height == right.Height);
  RgbImage out = BlankImage(left.Width + right.Width, left.Height);
  Blit(out, left, 0, 0);
  Blit(out, right, left.Width, 0);
  return out;
}
