#include "platform/Devices.h"

#include <chrono>

uint32_t Clock::SeedFromClock() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}
