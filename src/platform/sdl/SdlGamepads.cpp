#include "platform/sdl/SdlGamepads.h"

std::optional<PadButton> PadButtonFromSdl(uint8_t button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
      return PadButton::A;
    case SDL_CONTROLLER_BUTTON_B:
      return PadButton::B;
    case SDL_CONTROLLER_BUTTON_X:
      return PadButton::X;
    case SDL_CONTROLLER_BUTTON_Y:
      return PadButton::Y;
    case SDL_CONTROLLER_BUTTON_BACK:
      return PadButton::Back;
    case SDL_CONTROLLER_BUTTON_START:
      return PadButton::Start;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return PadButton::DpadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return PadButton::DpadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return PadButton::DpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return PadButton::DpadRight;
    default:
      return std::nullopt;
  }
}

std::optional<PadAxis> PadAxisFromSdl(uint8_t axis) {
  switch (axis) {
    case SDL_CONTROLLER_AXIS_LEFTX:
      return PadAxis::LeftX;
    case SDL_CONTROLLER_AXIS_LEFTY:
      return PadAxis::LeftY;
    case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
      return PadAxis::LeftTrigger;
    case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
      return PadAxis::RightTrigger;
    default:
      return std::nullopt;
  }
}

SdlGamepads::~SdlGamepads() {
  for (const auto& [id, controller] : Open_) SDL_GameControllerClose(controller);
}

bool SdlGamepads::Deliver(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      Open(event.cdevice.which);
      return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      Close(event.cdevice.which);
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (Open_.count(event.cbutton.which) == 0) return true;
      if (const auto button = PadButtonFromSdl(event.cbutton.button)) {
        Sink_.PadButtonChanged(event.cbutton.which, *button,
                               event.type == SDL_CONTROLLERBUTTONDOWN);
      }
      return true;
    case SDL_CONTROLLERAXISMOTION:
      if (Open_.count(event.caxis.which) == 0) return true;
      if (const auto axis = PadAxisFromSdl(event.caxis.axis)) {
        Sink_.PadAxisMoved(event.caxis.which, *axis, event.caxis.value);
      }
      return true;
    default:
      return false;
  }
}

void SdlGamepads::Open(int deviceIndex) {
  // SDL may announce a pad that was there at start twice.
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (id < 0 || Open_.count(id) != 0) return;
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (controller == nullptr) return;
  Open_[id] = controller;
  Sink_.PadPlugged(id, true);
}

void SdlGamepads::Close(SDL_JoystickID id) {
  const auto it = Open_.find(id);
  if (it == Open_.end()) return;
  SDL_GameControllerClose(it->second);
  Open_.erase(it);
  Sink_.PadPlugged(id, false);
}
