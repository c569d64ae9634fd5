#include "platform/sdl/SdlEventTranslator.h"

#include "platform/KeyCodes.h"
#include "platform/sdl/SdlKeyMap.h"

bool InsidePicture(int x, int y) {
  return x >= 0 && x < kPictureWidth && y >= 0 && y < kPictureHeight;
}

void SdlEventTranslator::Deliver(const SDL_Event& event, uint16_t sdlModifiers) {
  if (Pads_.Deliver(event)) return;
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const uint16_t key = GameKeyFromKeycode(event.key.keysym.sym);
      if (key == 0) return;
      const uint8_t shift = ShiftStateFrom(event.key.keysym.mod, HeldButtons_);
      if (event.type == SDL_KEYUP) {
        Sink_.FormKeyUp(key, shift);
        return;
      }
      Sink_.FormKeyDown(key, shift);
      // These keys type no text in SDL, but the game reads them as characters.
      if (const char ch = CharacterForKey(key, shift); ch != 0) Sink_.FormKeyPress(ch);
      return;
    }
    case SDL_TEXTINPUT:
      DeliverText(event.text.text, sdlModifiers);
      return;
    case SDL_MOUSEMOTION:
      DeliverMotion(event.motion, sdlModifiers);
      return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      DeliverButton(event.button, sdlModifiers);
      return;
    case SDL_WINDOWEVENT:
      DeliverWindowEvent(event.window);
      return;
    case SDL_QUIT:
      Sink_.FormCloseQuery();  // the answer is the form's; the window stays
      return;
    default:
      return;
  }
}

void SdlEventTranslator::DeliverText(const char* text, uint16_t sdlModifiers) {
  // With Alt or Ctrl held a key is a command, and commands type nothing.
  if (sdlModifiers & (KMOD_ALT | KMOD_CTRL)) return;
  for (const char* p = text; *p != '\0'; ++p) {
    const auto byte = static_cast<unsigned char>(*p);
    // Only printable ASCII: every byte of a longer UTF-8 character is 0x80 or above.
    if (byte >= 0x20 && byte < 0x7F) Sink_.FormKeyPress(*p);
  }
}

void SdlEventTranslator::DeliverMotion(const SDL_MouseMotionEvent& event, uint16_t sdlModifiers) {
  HeldButtons_ = event.state;
  CapturedButtons_ &= HeldButtons_;
  if (!InsidePicture(event.x, event.y) && CapturedButtons_ == 0) return;
  Sink_.MDXDrawMouseMove(ShiftStateFrom(sdlModifiers, HeldButtons_), event.x, event.y);
}

void SdlEventTranslator::DeliverButton(const SDL_MouseButtonEvent& event, uint16_t sdlModifiers) {
  const uint32_t mask = SDL_BUTTON(event.button);
  const bool left = event.button == SDL_BUTTON_LEFT;
  const bool inside = InsidePicture(event.x, event.y);

  if (event.type == SDL_MOUSEBUTTONDOWN) {
    HeldButtons_ |= mask;
    if (!inside) {
      if (left) ClickPending_ = false;
      return;
    }
    CapturedButtons_ |= mask;
    uint8_t shift = ShiftStateFrom(sdlModifiers, HeldButtons_);
    // SDL counts clicks 1, 2, 3...; a desktop pairs them, so every second one is a double click.
    const bool doubleClick = event.clicks >= 2 && event.clicks % 2 == 0;
    if (doubleClick) shift |= ss::Double;
    if (left) {
      // A double click confirms on its second press; its release is no click.
      ClickPending_ = !doubleClick;
      if (doubleClick) Sink_.MDXDrawClick();
    }
    Sink_.MDXDrawMouseDown(shift, event.x, event.y);
    return;
  }

  HeldButtons_ &= ~mask;
  const bool captured = (CapturedButtons_ & mask) != 0;
  CapturedButtons_ &= ~mask;
  if (left) {
    const bool click = ClickPending_ && inside;
    ClickPending_ = false;
    if (click) Sink_.MDXDrawClick();
  }
  if (inside || captured) {
    Sink_.MDXDrawMouseUp(ShiftStateFrom(sdlModifiers, HeldButtons_), event.x, event.y);
  }
}

void SdlEventTranslator::DeliverWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_MINIMIZED:
      if (Minimized_) return;
      Minimized_ = true;
      Sink_.WMSysCommand(kSysCommandMinimize);
      Sink_.WMSize(kSizeMinimized);
      return;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SHOWN:
      // Some window managers only unmap and map a minimised window.
      if (!Minimized_) return;
      Minimized_ = false;
      Sink_.WMSysCommand(kSysCommandRestore);
      return;
    case SDL_WINDOWEVENT_CLOSE:
      Sink_.FormCloseQuery();
      return;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      Sink_.ApplicationActivate(true);
      return;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      Sink_.ApplicationActivate(false);
      return;
    default:
      return;
  }
}
