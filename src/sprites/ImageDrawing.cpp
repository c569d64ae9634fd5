#include "sprites/ImageDrawing.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numbers>
#include <vector>

#include "platform/CpuFeatures.h"

namespace {

// Eight pixels at a time; the compiler maps this onto the machine's 128-bit vectors.
using Pixels8 = uint16_t __attribute__((vector_size(16)));
constexpr int kLanes = 8;

Pixels8 Load8(const uint16_t* p) {
  Pixels8 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
void Store8(uint16_t* p, Pixels8 v) {
  std::memcpy(p, &v, sizeof v);
}
Pixels8 Splat(uint16_t value) {
  return Pixels8{} + value;
}
// All ones where the source shows the colour key.
Pixels8 KeyMask(Pixels8 source, Pixels8 key) {
  return __builtin_convertvector(source == key, Pixels8);
}

// round(x / 255) for 0 <= x <= 255 * 255, without a division.
template <class T>
T Div255(T x) {
  x += 128;
  return (x + (x >> 8)) >> 8;
}

// The pattern's pixels within the picture. Cut* say how much of the pattern's rectangle lay
// outside the picture (only a damaged file gives that).
struct Source {
  const uint16_t* Origin = nullptr;
  int Pitch = 0;
  int Width = 0;
  int Height = 0;
  int CutLeft = 0;
  int CutTop = 0;
  bool Keyed = false;
  uint16_t Key = 0;
};

bool FindSource(const TPictureCollectionItem& item, int pattern, Source& src) {
  SurfaceRect rect;
  if (!item.Ready() || !item.FindPattern(pattern, rect)) return false;
  const Surface& picture = item.Picture;
  const int left = std::max(rect.Left, 0);
  const int top = std::max(rect.Top, 0);
  const int right = std::min(rect.Right, picture.Width());
  const int bottom = std::min(rect.Bottom, picture.Height());
  if (left >= right || top >= bottom) return false;
  src.Origin = picture.Row(top) + left;
  src.Pitch = picture.Pitch();
  src.Width = right - left;
  src.Height = bottom - top;
  src.CutLeft = left - rect.Left;
  src.CutTop = top - rect.Top;
  src.Keyed = item.Transparent;
  src.Key = item.ColorKey();
  return true;
}

// Rows are copied with the widest vectors the processor has, chosen while running so that one
// build serves every x86-64: with AVX2, 32 bytes at a time copy a screen of road tiles in about
// four fifths of the time 16 bytes take. The row copiers are written once for any width and
// always inlined into the function that fixes the width, so that they are compiled for that
// function's instructions.
using Pixels16 = uint16_t __attribute__((vector_size(32)));

// Key pixels are left out by a mask, never by a branch: that would mispredict at every edge of a
// round sprite. The last vector is laid overlapping the one before: laying a pixel twice leaves
// what laying it once did.
template <class V>
[[gnu::always_inline]] inline void CopyKeyedRowAs(uint16_t* dest, const uint16_t* src, int count,
                                                  uint16_t key) {
  constexpr int lanes = sizeof(V) / sizeof(uint16_t);
  if (count < lanes) {
    if constexpr (lanes > kLanes) {
      CopyKeyedRowAs<Pixels8>(dest, src, count, key);
    } else {
      for (int i = 0; i < count; ++i) {
        const auto hole = static_cast<uint16_t>(-static_cast<int>(src[i] == key));
        dest[i] = static_cast<uint16_t>((dest[i] & hole) | (src[i] & ~hole));
      }
    }
    return;
  }
  const V keys = V{} + key;
  for (int i = 0; i < count; i += lanes) {
    const int at = std::min(i, count - lanes);
    V s;
    V d;
    std::memcpy(&s, src + at, sizeof s);
    std::memcpy(&d, dest + at, sizeof d);
    const V hole = __builtin_convertvector(s == keys, V);
    d = (d & hole) | (s & ~hole);
    std::memcpy(dest + at, &d, sizeof d);
  }
}

// Inline, not a library call: rows of sprites and tiles are short enough that a call per row
// costs as much as the copy.
template <class V>
[[gnu::always_inline]] inline void CopyOpaqueRowAs(uint16_t* dest, const uint16_t* src, int count) {
  constexpr int lanes = sizeof(V) / sizeof(uint16_t);
  if (count < lanes) {
    if constexpr (lanes > kLanes)
      CopyOpaqueRowAs<Pixels8>(dest, src, count);
    else
      for (int i = 0; i < count; ++i) dest[i] = src[i];
    return;
  }
  for (int i = 0; i < count; i += lanes) {
    const int at = std::min(i, count - lanes);
    V v;
    std::memcpy(&v, src + at, sizeof v);
    std::memcpy(dest + at, &v, sizeof v);
  }
}

// Rows of count pixels, a pitch apart on each side.
template <class V>
[[gnu::always_inline]] inline void CopyRowsAs(uint16_t* dest, ptrdiff_t destPitch,
                                              const uint16_t* src, ptrdiff_t srcPitch, int count,
                                              int rows, bool keyed, uint16_t key) {
  for (int r = 0; r < rows; ++r, dest += destPitch, src += srcPitch) {
    if (keyed)
      CopyKeyedRowAs<V>(dest, src, count, key);
    else
      CopyOpaqueRowAs<V>(dest, src, count);
  }
}

// The rows of a kept turn laid with its box's top-left corner at (left, top), left >= 0.
template <class V>
[[gnu::always_inline]] inline void LayTurnedAs(const TurnedPattern& turned, uint16_t key,
                                               Surface& dest, int left, int top) {
  const auto rows = static_cast<int64_t>(turned.Rows.size());
  const int64_t first = std::max<int64_t>(0, -int64_t{top});
  const int64_t last = std::min<int64_t>(rows, int64_t{dest.Height()} - top);
  for (int64_t i = first; i < last; ++i) {
    const TurnedRow& row = turned.Rows[static_cast<size_t>(i)];
    const int64_t column = int64_t{left} + row.First;
    const auto count = static_cast<int>(std::min<int64_t>(row.Count, dest.Width() - column));
    if (count <= 0) continue;
    uint16_t* to = dest.Row(static_cast<int>(top + i)) + column;
    const uint16_t* from = turned.Samples.data() + row.Offset;
    if (row.Solid)
      CopyOpaqueRowAs<V>(to, from, count);
    else
      CopyKeyedRowAs<V>(to, from, count, key);
  }
}

void CopyRowsNarrow(uint16_t* dest, ptrdiff_t destPitch, const uint16_t* src, ptrdiff_t srcPitch,
                    int count, int rows, bool keyed, uint16_t key) {
  CopyRowsAs<Pixels8>(dest, destPitch, src, srcPitch, count, rows, keyed, key);
}
void LayTurnedNarrow(const TurnedPattern& turned, uint16_t key, Surface& dest, int left, int top) {
  LayTurnedAs<Pixels8>(turned, key, dest, left, top);
}

#if GR_WIDE_VECTORS
[[gnu::target("avx2")]] void CopyRowsWide(uint16_t* dest, ptrdiff_t destPitch, const uint16_t* src,
                                          ptrdiff_t srcPitch, int count, int rows, bool keyed,
                                          uint16_t key) {
  CopyRowsAs<Pixels16>(dest, destPitch, src, srcPitch, count, rows, keyed, key);
}
[[gnu::target("avx2")]] void LayTurnedWide(const TurnedPattern& turned, uint16_t key, Surface& dest,
                                           int left, int top) {
  LayTurnedAs<Pixels16>(turned, key, dest, left, top);
}
#else
void CopyRowsWide(uint16_t* dest, ptrdiff_t destPitch, const uint16_t* src, ptrdiff_t srcPitch,
                  int count, int rows, bool keyed, uint16_t key) {
  CopyRowsNarrow(dest, destPitch, src, srcPitch, count, rows, keyed, key);
}
void LayTurnedWide(const TurnedPattern& turned, uint16_t key, Surface& dest, int left, int top) {
  LayTurnedNarrow(turned, key, dest, left, top);
}
#endif

void CopyRows(uint16_t* dest, ptrdiff_t destPitch, const uint16_t* src, ptrdiff_t srcPitch,
              int count, int rows, const Source& source) {
  if (WideVectorsAvailable())
    CopyRowsWide(dest, destPitch, src, srcPitch, count, rows, source.Keyed, source.Key);
  else
    CopyRowsNarrow(dest, destPitch, src, srcPitch, count, rows, source.Keyed, source.Key);
}

void CopyRow(uint16_t* dest, const uint16_t* src, int count, const Source& source) {
  CopyRows(dest, 0, src, 0, count, 1, source);
}

template <class T>
T Blend(T s, T d, T alpha, T rest) {
  const T red = Div255((s >> 11) * alpha + (d >> 11) * rest);
  const T green = Div255(((s >> 5) & 63) * alpha + ((d >> 5) & 63) * rest);
  const T blue = Div255((s & 31) * alpha + (d & 31) * rest);
  return static_cast<T>((red << 11) | (green << 5) | blue);
}

void BlendRow(uint16_t* dest, const uint16_t* src, int count, int alpha, const Source& source) {
  const Pixels8 a = Splat(static_cast<uint16_t>(alpha));
  const Pixels8 rest = Splat(static_cast<uint16_t>(255 - alpha));
  const Pixels8 keys = Splat(source.Key);
  int i = 0;
  for (; i + kLanes <= count; i += kLanes) {
    const Pixels8 s = Load8(src + i);
    const Pixels8 d = Load8(dest + i);
    Pixels8 out = Blend(s, d, a, rest);
    if (source.Keyed) {
      const Pixels8 hole = KeyMask(s, keys);
      out = (d & hole) | (out & ~hole);
    }
    Store8(dest + i, out);
  }
  for (; i < count; ++i) {
    if (source.Keyed && src[i] == source.Key) continue;
    dest[i] = static_cast<uint16_t>(
        Blend<unsigned>(src[i], dest[i], static_cast<unsigned>(alpha), 255u - alpha));
  }
}

// Rounds to the nearest integer, halves away from zero (as llround), for |v| < 2^62: the
// fraction v - trunc(v) is exact in floating point, so this is llround without the call.
int64_t RoundHalfAway(double v) {
  const auto whole = static_cast<int64_t>(v);
  const double fraction = v - static_cast<double>(whole);
  return whole + (fraction >= 0.5) - (fraction <= -0.5);
}

// One axis of a rotated walk in 16.16 fixed point: the step per screen pixel, the end of the
// pattern, and the step's reciprocal, worked out once per draw.
struct WalkAxis {
  int64_t Step = 0;
  int64_t Limit = 0;
  double Inverse = 0.0;
  WalkAxis(int64_t step, int64_t limit)
      : Step(step), Limit(limit), Inverse(step != 0 ? 1.0 / static_cast<double>(step) : 0.0) {}
  bool Inside(int64_t f, int64_t t) const {
    const int64_t p = f + t * Step;
    return p >= 0 && p < Limit;
  }
  // Cuts [first, last] to a floating estimate of the steps t with 0 <= f + t * Step < Limit;
  // false when no step is.
  bool Cut(int64_t f, double& first, double& last) const {
    if (Step == 0) return f >= 0 && f < Limit;
    const double a = static_cast<double>(-f) * Inverse;
    const double b = static_cast<double>(Limit - 1 - f) * Inverse;
    first = std::max(first, std::min(a, b));
    last = std::min(last, std::max(a, b));
    return true;
  }
};

// Narrows [lo, hi] to the steps t at which the walk from (fx, fy) is inside the pattern. Those
// steps form one run; its ends are estimated in floating point (off by at most two steps) and
// then settled with exact integer tests, so they are what integer division gives, without its
// cost. The callers keep |fx|, |fy| below 2^57 and lo, hi within a screen row.
inline bool NarrowSteps(int64_t fx, int64_t fy, const WalkAxis& alongX, const WalkAxis& alongY,
                        int64_t& lo, int64_t& hi) {
  const auto low = static_cast<double>(lo);
  const auto high = static_cast<double>(hi);
  double first = low;
  double last = high;
  if (!alongX.Cut(fx, first, last) || !alongY.Cut(fy, first, last)) return false;
  const auto inside = [&](int64_t t) { return alongX.Inside(fx, t) && alongY.Inside(fy, t); };
  // Truncation instead of ceil and floor: the settling below absorbs the difference.
  int64_t runLo = static_cast<int64_t>(std::clamp(first, low, high + 1.0));
  int64_t runHi = static_cast<int64_t>(std::clamp(last, low - 1.0, high));
  const int64_t guessHi = runHi;
  while (runLo > lo && inside(runLo - 1)) --runLo;
  while (runLo <= hi && runLo <= guessHi + 1 && !inside(runLo)) ++runLo;
  while (runHi < hi && inside(runHi + 1)) ++runHi;
  while (runHi >= runLo && !inside(runHi)) --runHi;
  lo = runLo;
  hi = runHi;
  return lo <= hi;
}

// Sine and cosine of a turn in 256ths, exact at the quarter turns.
void TurnSinCos(int angle, double& sine, double& cosine) {
  // The first quarter's 64 sines and cosines, worked out once.
  struct Quarter {
    std::array<double, 64> Sin, Cos;
  };
  static const Quarter quarter = [] {
    Quarter q;
    for (int i = 0; i < 64; ++i) {
      const double t = i * (2.0 * std::numbers::pi / 256.0);
      q.Sin[i] = std::sin(t);
      q.Cos[i] = std::cos(t);
    }
    return q;
  }();
  const int turn = angle & 255;
  const double s = quarter.Sin[turn & 63];
  const double c = quarter.Cos[turn & 63];
  switch (turn >> 6) {
    case 0:
      sine = s, cosine = c;
      break;
    case 1:
      sine = c, cosine = -s;
      break;
    case 2:
      sine = -s, cosine = -c;
      break;
    default:
      sine = -c, cosine = s;
      break;
  }
}

constexpr double kFixedOne = 65536.0;
constexpr int kFixedShift = 16;
// Sample positions further out than this cannot land in any picture.
constexpr double kFarSample = 1e12;

// Four sample positions or picture offsets. Inside the pattern a 16.16 position is below 2^31,
// so the lanes hold it exactly even where walking there wrapped around.
using Lanes4 = uint32_t __attribute__((vector_size(16)));

template <bool Keyed>
void RotatedSpan(uint16_t* dest, const Source& src, int64_t fx, int64_t fy, int64_t dfx,
                 int64_t dfy, int64_t count) {
  // Laid down masked, never by a branch on the key: that would mispredict at every edge.
  const auto lay1 = [&](int64_t t, uint16_t p) {
    const auto hole = static_cast<uint16_t>(-static_cast<int>(Keyed && p == src.Key));
    dest[t] = static_cast<uint16_t>((dest[t] & hole) | (p & ~hole));
  };
  const bool lanesFit = src.Width < 32768 && src.Height < 32768 &&
                        int64_t{src.Pitch} * src.Height < (int64_t{1} << 31);
  if (count < kLanes || !lanesFit) {
    for (int64_t t = 0; t < count; ++t, fx += dfx, fy += dfy)
      lay1(t, src.Origin[(fy >> kFixedShift) * src.Pitch + static_cast<int>(fx >> kFixedShift)]);
    return;
  }
  // Eight at a time: positions and offsets four lanes wide, the samples gathered one by one.
  const Lanes4 ramp = Lanes4{0, 1, 2, 3} * static_cast<uint32_t>(dfx);
  const Lanes4 rampY = Lanes4{0, 1, 2, 3} * static_cast<uint32_t>(dfy);
  const auto stepX = static_cast<uint32_t>(4 * dfx);
  const auto stepY = static_cast<uint32_t>(4 * dfy);
  const auto pitch = static_cast<uint32_t>(src.Pitch);
  const Pixels8 keys = Splat(src.Key);
  const auto lay8 = [&](int64_t t) {
    const Lanes4 x = static_cast<uint32_t>(fx + t * dfx) + ramp;
    const Lanes4 y = static_cast<uint32_t>(fy + t * dfy) + rampY;
    const Lanes4 a = (y >> kFixedShift) * pitch + (x >> kFixedShift);
    const Lanes4 b = ((y + stepY) >> kFixedShift) * pitch + ((x + stepX) >> kFixedShift);
    const uint16_t* o = src.Origin;
    const Pixels8 s = {o[a[0]], o[a[1]], o[a[2]], o[a[3]], o[b[0]], o[b[1]], o[b[2]], o[b[3]]};
    if (Keyed) {
      const Pixels8 hole = KeyMask(s, keys);
      Store8(dest + t, (Load8(dest + t) & hole) | (s & ~hole));
    } else {
      Store8(dest + t, s);
    }
  };
  int64_t t = 0;
  for (; t + kLanes <= count; t += kLanes) lay8(t);
  // The last few go in one more vector that ends with the span, over pixels already laid:
  // laying a pixel twice leaves what laying it once did.
  if (t < count) lay8(count - kLanes);
}

// A turned draw's walk, relative to the point (x, y) the pivot lands on.
struct TurnWalk {
  double Sine = 0.0;
  double Cosine = 1.0;
  double PivotX = 0.0;
  double PivotY = 0.0;
  double ScaleX = 1.0;
  double ScaleY = 1.0;
  WalkAxis AlongX{0, 0};
  WalkAxis AlongY{0, 0};
};

// Each destination pixel's centre is turned back into the box and scaled into the pattern; along
// a row that is a constant step, walked in 16.16 fixed point.
void SetSteps(TurnWalk& walk, const Source& src, int width, int height) {
  walk.ScaleX = static_cast<double>(src.Width) / width;
  walk.ScaleY = static_cast<double>(src.Height) / height;
  walk.AlongX = WalkAxis(RoundHalfAway(walk.Cosine * walk.ScaleX * kFixedOne),
                         int64_t{src.Width} << kFixedShift);
  walk.AlongY = WalkAxis(RoundHalfAway(-walk.Sine * walk.ScaleY * kFixedOne),
                         int64_t{src.Height} << kFixedShift);
}

// The walk along the row dv below y, over count pixels from the column dx right of x: the steps
// [lo, hi] that land in the pattern and the 16.16 position of step lo; false when none does.
bool WalkRow(const TurnWalk& walk, int64_t dx, int64_t dv, int64_t count, int64_t& lo, int64_t& hi,
             int64_t& fromX, int64_t& fromY) {
  const double u = static_cast<double>(dx) + 0.5;
  const double v = static_cast<double>(dv) + 0.5;
  const double fx = (walk.Cosine * u + walk.Sine * v + walk.PivotX) * walk.ScaleX;
  const double fy = (-walk.Sine * u + walk.Cosine * v + walk.PivotY) * walk.ScaleY;
  if (!(std::fabs(fx) < kFarSample && std::fabs(fy) < kFarSample)) return false;
  const int64_t startX = RoundHalfAway(fx * kFixedOne);
  const int64_t startY = RoundHalfAway(fy * kFixedOne);
  lo = 0;
  hi = count - 1;
  if (!NarrowSteps(startX, startY, walk.AlongX, walk.AlongY, lo, hi)) return false;
  fromX = startX + lo * walk.AlongX.Step;
  fromY = startY + lo * walk.AlongY.Step;
  return true;
}

// A turned draw's extent in whole screen pixels; right and bottom exclusive.
struct Box {
  double Left, Top, Right, Bottom;
};

// Bigger turned pictures are drawn afresh each time, so that a few of them cannot crowd the tyre
// marks and bikes out of the cache.
constexpr double kMostTurnedPixels = 256.0 * 256.0;

bool Cacheable(const Box& box, const Source& src) {
  return (box.Right - box.Left) * (box.Bottom - box.Top) <= kMostTurnedPixels &&
         static_cast<double>(src.Width) * src.Height <= kMostTurnedPixels;
}

// Whether the pattern still holds the pixels the entry was turned from.
bool SameSource(const TurnedPattern& turned, const Source& src) {
  if (turned.Source.size() != static_cast<size_t>(src.Width) * static_cast<size_t>(src.Height))
    return false;
  // A pattern that is its picture's whole width is one run of pixels.
  const bool packed = src.Pitch == src.Width;
  const int runs = packed ? 1 : src.Height;
  const int length = packed ? src.Width * src.Height : src.Width;
  const uint16_t* kept = turned.Source.data();
  if (length < kLanes) {
    uint16_t differ = 0;
    for (int run = 0; run < runs; ++run, kept += length) {
      const uint16_t* now = src.Origin + static_cast<size_t>(run) * src.Pitch;
      for (int i = 0; i < length; ++i) differ |= static_cast<uint16_t>(kept[i] ^ now[i]);
    }
    return differ == 0;
  }
  // Eight at a time to each run's end, the last eight overlapping.
  Pixels8 differ{};
  for (int run = 0; run < runs; ++run, kept += length) {
    const uint16_t* now = src.Origin + static_cast<size_t>(run) * src.Pitch;
    int i = 0;
    for (; i + kLanes <= length; i += kLanes) differ |= Load8(kept + i) ^ Load8(now + i);
    const int last = length - kLanes;
    differ |= Load8(kept + last) ^ Load8(now + last);
  }
  Pixels8 none{};
  return std::memcmp(&differ, &none, sizeof differ) == 0;
}

// The pattern turned as the walk says, over the key's box, with a copy of the pattern.
TurnedPattern Turn(const TurnWalk& walk, const Source& src, const TurnKey& key) {
  TurnedPattern turned;
  turned.Source.resize(static_cast<size_t>(src.Width) * static_cast<size_t>(src.Height));
  for (int row = 0; row < src.Height; ++row)
    std::memcpy(turned.Source.data() + static_cast<size_t>(row) * src.Width,
                src.Origin + static_cast<size_t>(row) * src.Pitch,
                static_cast<size_t>(src.Width) * sizeof(uint16_t));
  const int64_t count = key.Right - key.Left;
  turned.Rows.resize(static_cast<size_t>(key.Bottom - key.Top));
  for (int64_t dv = key.Top; dv < key.Bottom; ++dv) {
    int64_t lo = 0;
    int64_t hi = 0;
    int64_t fromX = 0;
    int64_t fromY = 0;
    if (!WalkRow(walk, key.Left, dv, count, lo, hi, fromX, fromY)) continue;
    const size_t offset = turned.Samples.size();
    const auto count = static_cast<size_t>(hi - lo + 1);
    turned.Samples.resize(offset + count);
    uint16_t* samples = turned.Samples.data() + offset;
    RotatedSpan<false>(samples, src, fromX, fromY, walk.AlongX.Step, walk.AlongY.Step,
                       static_cast<int64_t>(count));
    const auto shown = [&](size_t i) { return !src.Keyed || samples[i] != src.Key; };
    size_t begin = 0;
    size_t end = count;
    while (begin < end && !shown(begin)) ++begin;
    while (end > begin && !shown(end - 1)) --end;
    TurnedRow& row = turned.Rows[static_cast<size_t>(dv - key.Top)];
    row.First = static_cast<int>(lo + static_cast<int64_t>(begin));
    row.Count = static_cast<int>(end - begin);
    row.Offset = offset;
    for (size_t i = begin; i < end; ++i) row.Solid = row.Solid && shown(i);
    std::memmove(samples, samples + begin, (end - begin) * sizeof(uint16_t));
    turned.Samples.resize(offset + (end - begin));
  }
  return turned;
}

// Lays a turned pattern with its box's top-left corner at (left, top), left >= 0.
void LayTurned(const TurnedPattern& turned, const Source& src, Surface& dest, int left, int top) {
  if (WideVectorsAvailable())
    LayTurnedWide(turned, src.Key, dest, left, top);
  else
    LayTurnedNarrow(turned, src.Key, dest, left, top);
}

}  // namespace

void DrawPattern(const TPictureCollectionItem& item, Surface& dest, int x, int y, int pattern) {
  Source src;
  if (!FindSource(item, pattern, src)) return;
  const int64_t left = int64_t{x} + src.CutLeft;
  const int64_t top = int64_t{y} + src.CutTop;
  const int64_t x0 = std::max<int64_t>(left, 0);
  const int64_t x1 = std::min<int64_t>(left + src.Width, dest.Width());
  const int64_t y0 = std::max<int64_t>(top, 0);
  const int64_t y1 = std::min<int64_t>(top + src.Height, dest.Height());
  if (x0 >= x1 || y0 >= y1) return;
  const int count = static_cast<int>(x1 - x0);
  const uint16_t* from = src.Origin + (y0 - top) * src.Pitch + (x0 - left);
  if (!src.Keyed && count == src.Pitch && count == dest.Pitch()) {
    // Whole rows on both sides: one block.
    std::memcpy(dest.Row(static_cast<int>(y0)), from,
                static_cast<size_t>(count) * static_cast<size_t>(y1 - y0) * sizeof(uint16_t));
    return;
  }
  CopyRows(dest.Row(static_cast<int>(y0)) + x0, dest.Pitch(), from, src.Pitch, count,
           static_cast<int>(y1 - y0), src);
}

SurfaceRect OpaquePatternBox(const TPictureCollectionItem& item, int x, int y, int pattern) {
  Source src;
  if (!FindSource(item, pattern, src) || src.Keyed) return {};
  const int64_t left = int64_t{x} + src.CutLeft;
  const int64_t top = int64_t{y} + src.CutTop;
  constexpr int64_t kMost = std::numeric_limits<int>::max();
  if (left + src.Width > kMost || top + src.Height > kMost) return {};
  return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(left + src.Width),
          static_cast<int>(top + src.Height)};
}

void DrawAlpha(const TPictureCollectionItem& item, Surface& dest, const SurfaceRect& rect,
               int pattern, int alpha) {
  Source src;
  if (!FindSource(item, pattern, src)) return;
  alpha = std::clamp(alpha, 0, 255);
  const int64_t width = int64_t{rect.Right} - rect.Left;
  const int64_t height = int64_t{rect.Bottom} - rect.Top;
  if (alpha == 0 || width <= 0 || height <= 0) return;
  const int64_t x0 = std::max<int64_t>(rect.Left, 0);
  const int64_t x1 = std::min<int64_t>(rect.Right, dest.Width());
  const int64_t y0 = std::max<int64_t>(rect.Top, 0);
  const int64_t y1 = std::min<int64_t>(rect.Bottom, dest.Height());
  if (x0 >= x1 || y0 >= y1) return;
  const int count = static_cast<int>(x1 - x0);

  // Nearest source pixel to each destination pixel's centre: floor((i + 1/2) * source / rect).
  const bool sameWidth = width == src.Width;
  thread_local std::vector<int> columns;
  thread_local std::vector<uint16_t> gathered;
  if (!sameWidth) {
    columns.resize(static_cast<size_t>(count));
    gathered.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
      columns[static_cast<size_t>(i)] =
          static_cast<int>(((x0 - rect.Left + i) * 2 + 1) * src.Width / (2 * width));
  }
  for (int64_t row = y0; row < y1; ++row) {
    const int64_t sy = ((row - rect.Top) * 2 + 1) * src.Height / (2 * height);
    const uint16_t* line = src.Origin + sy * src.Pitch;
    const uint16_t* from = line + (x0 - rect.Left);
    if (!sameWidth) {
      for (int i = 0; i < count; ++i) gathered[static_cast<size_t>(i)] = line[columns[i]];
      from = gathered.data();
    }
    uint16_t* to = dest.Row(static_cast<int>(row)) + x0;
    if (alpha == 255)
      CopyRow(to, from, count, src);
    else
      BlendRow(to, from, count, alpha, src);
  }
}

void BlendCoverage(uint16_t* dest, const uint8_t* coverage, int count, uint16_t colour) {
  const Pixels8 text = Splat(colour);
  const Pixels8 full = Splat(255);
  const auto blend8 = [&](uint16_t* to, const uint8_t* weights) {
    using Coverage8 = uint8_t __attribute__((vector_size(8)));
    Coverage8 bytes;
    std::memcpy(&bytes, weights, sizeof bytes);
    const Pixels8 a = __builtin_convertvector(bytes, Pixels8);
    Store8(to, Blend(text, Load8(to), a, full - a));
  };
  int i = 0;
  for (; i + kLanes <= count; i += kLanes) blend8(dest + i, coverage + i);
  if (i >= count) return;
  // The last few pixels go through one vector too, padded with no coverage.
  const auto rest = static_cast<size_t>(count - i);
  uint16_t under[kLanes] = {};
  uint8_t weights[kLanes] = {};
  std::memcpy(under, dest + i, rest * sizeof(uint16_t));
  std::memcpy(weights, coverage + i, rest);
  blend8(under, weights);
  std::memcpy(dest + i, under, rest * sizeof(uint16_t));
}

void DrawRotated(const TPictureCollectionItem& item, Surface& dest, int x, int y, int width,
                 int height, int pattern, double centreX, double centreY, int angle,
                 TurnCache* cache) {
  if (width <= 0 || height <= 0) return;
  if (!std::isfinite(centreX) || !std::isfinite(centreY)) return;
  Source src;
  if (!FindSource(item, pattern, src)) return;

  TurnWalk walk;
  TurnSinCos(angle, walk.Sine, walk.Cosine);
  walk.PivotX = centreX * width;
  walk.PivotY = centreY * height;

  // The turned box's extent on screen.
  double minX = HUGE_VAL, maxX = -HUGE_VAL, minY = HUGE_VAL, maxY = -HUGE_VAL;
  for (const double bx : {-walk.PivotX, width - walk.PivotX}) {
    for (const double by : {-walk.PivotY, height - walk.PivotY}) {
      const double sx = x + walk.Cosine * bx - walk.Sine * by;
      const double sy = y + walk.Sine * bx + walk.Cosine * by;
      minX = std::min(minX, sx), maxX = std::max(maxX, sx);
      minY = std::min(minY, sy), maxY = std::max(maxY, sy);
    }
  }
  const Box box{std::floor(minX), std::floor(minY), std::ceil(maxX), std::ceil(maxY)};
  const double clipLeft = std::max(box.Left, 0.0);
  const double clipTop = std::max(box.Top, 0.0);
  const double clipRight = std::min(box.Right, static_cast<double>(dest.Width()));
  const double clipBottom = std::min(box.Bottom, static_cast<double>(dest.Height()));
  if (!(clipLeft < clipRight && clipTop < clipBottom)) return;

  // A row's walk starts at the box's first column on screen: a box cut on the left starts its
  // walk elsewhere, so only whole-left boxes are kept turned.
  if (cache != nullptr && box.Left >= 0 && Cacheable(box, src)) {
    const TurnKey key{src.Origin,
                      src.Width,
                      src.Height,
                      src.Keyed,
                      src.Key,
                      width,
                      height,
                      std::bit_cast<uint64_t>(centreX),
                      std::bit_cast<uint64_t>(centreY),
                      angle & 255,
                      static_cast<int64_t>(box.Left) - x,
                      static_cast<int64_t>(box.Top) - y,
                      static_cast<int64_t>(box.Right) - x,
                      static_cast<int64_t>(box.Bottom) - y};
    const TurnedPattern* turned = cache->Find(key);
    if (turned == nullptr || !SameSource(*turned, src)) {
      SetSteps(walk, src, width, height);
      turned = &cache->Keep(key, Turn(walk, src, key));
    }
    LayTurned(*turned, src, dest, static_cast<int>(box.Left), static_cast<int>(box.Top));
    return;
  }

  SetSteps(walk, src, width, height);
  const int x0 = static_cast<int>(clipLeft);
  const int64_t count = static_cast<int64_t>(clipRight) - x0;
  for (int row = static_cast<int>(clipTop); row < static_cast<int>(clipBottom); ++row) {
    int64_t lo = 0;
    int64_t hi = 0;
    int64_t fromX = 0;
    int64_t fromY = 0;
    if (!WalkRow(walk, int64_t{x0} - x, int64_t{row} - y, count, lo, hi, fromX, fromY)) continue;
    uint16_t* to = dest.Row(row) + x0 + lo;
    if (src.Keyed)
      RotatedSpan<true>(to, src, fromX, fromY, walk.AlongX.Step, walk.AlongY.Step, hi - lo + 1);
    else
      RotatedSpan<false>(to, src, fromX, fromY, walk.AlongX.Step, walk.AlongY.Step, hi - lo + 1);
  }
}
