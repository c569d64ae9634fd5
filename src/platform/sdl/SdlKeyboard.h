// The polled keyboard: SDL's key state, read through the game's key codes.
#pragma once

#include <memory>

#include "platform/Devices.h"
#include "platform/sdl/SdlSession.h"

class SdlKeyboard final : public KeyboardDevice {
 public:
  explicit SdlKeyboard(std::shared_ptr<SdlSession> session) : Session_(std::move(session)) {}
  bool IsKeyDown(uint16_t key) override;

 private:
  std::shared_ptr<SdlSession> Session_;
};
