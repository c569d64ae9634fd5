// What the processor offers beyond the baseline the game is built for, found once while running.
#pragma once

// Whether this compiler can build functions for AVX2 beside the baseline ones.
#if defined(__x86_64__) && defined(__GNUC__)
#define GR_WIDE_VECTORS 1
#else
#define GR_WIDE_VECTORS 0
#endif

// Whether 32-byte AVX2 vectors may be used: the processor and the system support them, and
// GEARRUSH_NARROW_VECTORS is unset or empty (anything else keeps the 16-byte paths, so that they
// are tested on machines with AVX2 too).
bool WideVectorsAvailable();
