#include "platform/CpuFeatures.h"

#include <cstdlib>

bool WideVectorsAvailable() {
  static const bool wide = [] {
    const char* narrow = std::getenv("GEARRUSH_NARROW_VECTORS");
    if (narrow != nullptr && *narrow != '\0') return false;
#if GR_WIDE_VECTORS
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
#else
    return false;
#endif
  }();
  return wide;
}
