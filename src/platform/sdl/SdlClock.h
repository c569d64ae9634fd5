// The millisecond clock of the frame timer.
#pragma once

#include <memory>

#include "platform/Devices.h"
#include "platform/sdl/SdlSession.h"

class SdlClock final : public Clock {
 public:
  explicit SdlClock(std::shared_ptr<SdlSession> session) : Session_(std::move(session)) {}
  uint32_t NowMs() override;

 private:
  std::shared_ptr<SdlSession> Session_;
};
