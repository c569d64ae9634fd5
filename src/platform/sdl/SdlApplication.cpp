#include "platform/sdl/SdlApplication.h"

#include "app/TMForm.h"
#include "platform/sdl/CurlHttpClient.h"
#include "platform/sdl/SdlClock.h"
#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlEventLoop.h"
#include "platform/sdl/SdlKeyboard.h"
#include "platform/sdl/SdlMusic.h"
#include "platform/sdl/SdlSession.h"
#include "platform/sdl/SdlShell.h"
#include "platform/sdl/SdlSound.h"
#include "platform/sdl/SdlSystemServices.h"

Platform CreateSdlPlatform(const SdlDisplayOptions& display) {
  const std::shared_ptr<SdlSession> session = SdlSession::Start();
  Platform platform;
  platform.clock = std::make_unique<SdlClock>(session);
  platform.display = std::make_unique<SdlDisplay>(session, display);
  platform.keyboard = std::make_unique<SdlKeyboard>(session);
  platform.sound = std::make_unique<SdlSound>(session);
  platform.music = std::make_unique<SdlMusic>(session);
  platform.http = std::make_unique<CurlHttpClient>();
  platform.shell = std::make_unique<SdlShell>();
  platform.system = std::make_unique<SdlSystemServices>(session);
  return platform;
}

void RunSdlApplication(TMForm& form) {
  SdlLoopHooks hooks;
  hooks.Terminated = [&form] { return form.Terminated(); };
  hooks.Idle = [&form] { form.Idle(); };
  hooks.Active = [&form] { return form.ApplicationActive(); };
  RunSdlEventLoop(form, hooks);
}
