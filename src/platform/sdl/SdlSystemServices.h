// Process priority, the mouse cursor's show counter and the start-up error box.
#pragma once

#include <memory>

#include "platform/Devices.h"
#include "platform/sdl/SdlSession.h"

class SdlSystemServices final : public SystemServices {
 public:
  explicit SdlSystemServices(std::shared_ptr<SdlSession> session) : Session_(std::move(session)) {}
  void RaisePriority() override;
  int ShowCursor(bool show) override;
  // Blocks until the player dismisses the box.
  void ShowErrorBox(const std::string& message) override;

 private:
  std::shared_ptr<SdlSession> Session_;
  // Starts visible, as the desktop's own counter does.
  int CursorCounter_ = 0;
};
