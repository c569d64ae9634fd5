#include "platform/PixelWidening.h"

#include <cstring>

#include "platform/CpuFeatures.h"
#include "platform/Surface.h"

namespace {

using Pixels8 = uint16_t __attribute__((vector_size(16)));
using Pixels16 = uint16_t __attribute__((vector_size(32)));

// Xrgb8888From565 on a vector: each lane's low half (green and blue) and high half (0xFF and red)
// are worked out as 16-bit lanes, then interleaved into 32-bit pixels. Inlined into the function
// that fixes the width, so that it is compiled for that function's instructions.
template <class V>
[[gnu::always_inline]] inline void WidenAs(const uint16_t* from, uint32_t* to, int count) {
  constexpr int lanes = sizeof(V) / sizeof(uint16_t);
  int i = 0;
  for (; i + lanes <= count; i += lanes) {
    V p;
    std::memcpy(&p, from + i, sizeof p);
    const V r = p >> 11, g = (p >> 5) & 63, b = p & 31;
    const V low = (((g << 2) | (g >> 4)) << 8) | (b << 3) | (b >> 2);
    const V high = (r << 3) | (r >> 2) | 0xFF00;
    V first, second;
    if constexpr (lanes == 8) {
      first = __builtin_shufflevector(low, high, 0, 8, 1, 9, 2, 10, 3, 11);
      second = __builtin_shufflevector(low, high, 4, 12, 5, 13, 6, 14, 7, 15);
    } else {
      first = __builtin_shufflevector(low, high, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7,
                                      23);
      second = __builtin_shufflevector(low, high, 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14,
                                       30, 15, 31);
    }
    std::memcpy(to + i, &first, sizeof first);
    std::memcpy(to + i + lanes / 2, &second, sizeof second);
  }
  for (; i < count; ++i) to[i] = Xrgb8888From565(from[i]);
}

void WidenNarrow(const uint16_t* from, uint32_t* to, int count) {
  WidenAs<Pixels8>(from, to, count);
}

#if GR_WIDE_VECTORS
[[gnu::target("avx2")]] void WidenWide(const uint16_t* from, uint32_t* to, int count) {
  WidenAs<Pixels16>(from, to, count);
}
#else
void WidenWide(const uint16_t* from, uint32_t* to, int count) {
  WidenNarrow(from, to, count);
}
#endif

}  // namespace

void WidenRgb565Row(const uint16_t* from, uint32_t* to, int count) {
  if (WideVectorsAvailable())
    WidenWide(from, to, count);
  else
    WidenNarrow(from, to, count);
}
