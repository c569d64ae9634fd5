// SDL events as the form sees them: keys, typed characters, the mouse with its clicks, and the
// window's own events.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "platform/KeyCodes.h"
#include "platform/sdl/SdlEventTranslator.h"

using ::testing::InSequence;
using ::testing::StrictMock;

namespace {
class MockSink : public WindowEventSink {
 public:
  MOCK_METHOD(void, FormKeyDown, (uint16_t key, uint8_t shift), (override));
  MOCK_METHOD(void, FormKeyUp, (uint16_t key, uint8_t shift), (override));
  MOCK_METHOD(void, FormKeyPress, (char ch), (override));
  MOCK_METHOD(void, MDXDrawMouseDown, (uint8_t shift, int x, int y), (override));
  MOCK_METHOD(void, MDXDrawMouseMove, (uint8_t shift, int x, int y), (override));
  MOCK_METHOD(void, MDXDrawMouseUp, (uint8_t shift, int x, int y), (override));
  MOCK_METHOD(void, MDXDrawClick, (), (override));
  MOCK_METHOD(void, WMSysCommand, (uint32_t command), (override));
  MOCK_METHOD(void, WMSize, (int sizeType), (override));
  MOCK_METHOD(bool, FormCloseQuery, (), (override));
  MOCK_METHOD(void, ApplicationActivate, (bool active), (override));
  MOCK_METHOD(void, PadPlugged, (int pad, bool plugged), (override));
  MOCK_METHOD(void, PadButtonChanged, (int pad, PadButton button, bool down), (override));
  MOCK_METHOD(void, PadAxisMoved, (int pad, PadAxis axis, int value), (override));
};

SDL_Event Key(Uint32 type, SDL_Keycode keycode, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
  SDL_Event event{};
  event.type = type;
  event.key.keysym.sym = keycode;
  event.key.keysym.mod = mod;
  event.key.repeat = repeat;
  return event;
}

SDL_Event Text(const char* text) {
  SDL_Event event{};
  event.type = SDL_TEXTINPUT;
  std::strncpy(event.text.text, text, sizeof event.text.text - 1);
  return event;
}

SDL_Event Button(Uint32 type, Uint8 button, int x, int y, Uint8 clicks = 1) {
  SDL_Event event{};
  event.type = type;
  event.button.button = button;
  event.button.clicks = clicks;
  event.button.x = x;
  event.button.y = y;
  return event;
}

SDL_Event Motion(int x, int y, Uint32 buttons = 0) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.x = x;
  event.motion.y = y;
  event.motion.state = buttons;
  return event;
}

SDL_Event Window(SDL_WindowEventID id) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = id;
  return event;
}

class SdlEventTranslatorTest : public ::testing::Test {
 protected:
  void Deliver(const SDL_Event& event, Uint16 mod = KMOD_NONE) { Translator.Deliver(event, mod); }
  void LeftClick(int x, int y, Uint8 clicks) {
    Deliver(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, x, y, clicks));
    Deliver(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, x, y, clicks));
  }

  StrictMock<MockSink> Sink;
  SdlEventTranslator Translator{Sink};
};
}  // namespace

TEST_F(SdlEventTranslatorTest, EnterGoesDownAndThenTypesItsCharacter) {
  InSequence order;
  EXPECT_CALL(Sink, FormKeyDown(vk::Return, 0));
  EXPECT_CALL(Sink, FormKeyPress('\r'));
  EXPECT_CALL(Sink, FormKeyUp(vk::Return, 0));
  Deliver(Key(SDL_KEYDOWN, SDLK_RETURN));
  Deliver(Key(SDL_KEYUP, SDLK_RETURN));
}

TEST_F(SdlEventTranslatorTest, AltEnterIsAKeyButNoConfirmation) {
  EXPECT_CALL(Sink, FormKeyDown(vk::Return, ss::Alt));
  Deliver(Key(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT));
}

TEST_F(SdlEventTranslatorTest, HeldKeysRepeatTheirPressesAndCharacters) {
  EXPECT_CALL(Sink, FormKeyDown(vk::Back, 0)).Times(3);
  EXPECT_CALL(Sink, FormKeyPress('\b')).Times(3);
  Deliver(Key(SDL_KEYDOWN, SDLK_BACKSPACE));
  Deliver(Key(SDL_KEYDOWN, SDLK_BACKSPACE, KMOD_NONE, 1));
  Deliver(Key(SDL_KEYDOWN, SDLK_BACKSPACE, KMOD_NONE, 1));
}

TEST_F(SdlEventTranslatorTest, TheBossKeyArrivesWithItsExactShiftState) {
  InSequence order;
  EXPECT_CALL(Sink, FormKeyDown(vk::F1 + 8, ss::Alt));
  EXPECT_CALL(Sink, FormKeyDown(vk::F1 + 8, ss::Alt | ss::Ctrl));
  Deliver(Key(SDL_KEYDOWN, SDLK_F9, KMOD_LALT));
  Deliver(Key(SDL_KEYDOWN, SDLK_F9, KMOD_LALT | KMOD_LCTRL));
}

TEST_F(SdlEventTranslatorTest, KeysWithoutAGameCodeAreDropped) {
  Deliver(Key(SDL_KEYDOWN, SDLK_AUDIOPLAY));
  Deliver(Key(SDL_KEYUP, SDLK_AUDIOPLAY));
}

TEST_F(SdlEventTranslatorTest, AKeyPressedWithTheMouseButtonHeldCarriesTheButton) {
  EXPECT_CALL(Sink, MDXDrawMouseDown(ss::Left, 10, 10));
  EXPECT_CALL(Sink, FormKeyDown(vk::Escape, ss::Left));
  EXPECT_CALL(Sink, FormKeyPress('\x1b'));
  Deliver(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 10));
  Deliver(Key(SDL_KEYDOWN, SDLK_ESCAPE));
}

TEST_F(SdlEventTranslatorTest, TypedTextKeepsPrintableAsciiOnly) {
  InSequence order;
  EXPECT_CALL(Sink, FormKeyPress('a'));
  EXPECT_CALL(Sink, FormKeyPress('Z'));
  EXPECT_CALL(Sink, FormKeyPress(' '));
  EXPECT_CALL(Sink, FormKeyPress('9'));
  EXPECT_CALL(Sink, FormKeyPress('.'));
  EXPECT_CALL(Sink, FormKeyPress('b'));
  Deliver(Text("aZ 9"));
  Deliver(Text("\xC3\xA9"));  // e acute
  Deliver(
      Text(".\xE2\x82\xAC"
           "b"));  // the euro sign between two characters
}

TEST_F(SdlEventTranslatorTest, TextTypedWithAltOrCtrlHeldIsACommandNotText) {
  Deliver(Text("x"), KMOD_LALT);
  Deliver(Text("x"), KMOD_RCTRL);
  EXPECT_CALL(Sink, FormKeyPress('X'));
  Deliver(Text("X"), KMOD_LSHIFT);
}

TEST_F(SdlEventTranslatorTest, AClickConfirmsOnReleaseBeforeTheButtonGoesUp) {
  InSequence order;
  EXPECT_CALL(Sink, MDXDrawMouseDown(ss::Left, 100, 200));
  EXPECT_CALL(Sink, MDXDrawClick());
  EXPECT_CALL(Sink, MDXDrawMouseUp(0, 100, 200));
  LeftClick(100, 200, 1);
}

TEST_F(SdlEventTranslatorTest, ADoubleClickConfirmsTwiceAndATripleClickThreeTimes) {
  InSequence order;
  // First click: confirmed on release.
  EXPECT_CALL(Sink, MDXDrawMouseDown(ss::Left, 5, 6));
  EXPECT_CALL(Sink, MDXDrawClick());
  EXPECT_CALL(Sink, MDXDrawMouseUp(0, 5, 6));
  // Second: confirmed on the press, flagged double; its release confirms nothing.
  EXPECT_CALL(Sink, MDXDrawClick());
  EXPECT_CALL(Sink, MDXDrawMouseDown(ss::Left | ss::Double, 5, 6));
  EXPECT_CALL(Sink, MDXDrawMouseUp(0, 5, 6));
  // Third: a single click again.
  EXPECT_CALL(Sink, MDXDrawMouseDown(ss::Left, 5, 6));
  EXPECT_CALL(Sink, MDXDrawClick());
  EXPECT_CALL(Sink, MDXDrawMouseUp(0, 5, 6));
  LeftClick(5, 6, 1);
  LeftClick(5, 6, 2);
  LeftClick(5, 6, 3);
}

TEST_F(SdlEventTranslatorTest, OtherButtonsNeverConfirm) {
  InSequence order;
  EXPECT_CALL(Sink, MDXDrawMouseDown(ss::Right, 1, 1));
  EXPECT_CALL(Sink, MDXDrawMouseUp(0, 1, 1));
  EXPECT_CALL(Sink, MDXDrawMouseDown(ss::Middle | ss::Double, 1, 1));
  EXPECT_CALL(Sink, MDXDrawMouseUp(0, 1, 1));
  Deliver(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, 1));
  Deliver(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 1, 1));
  Deliver(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1, 1, 2));
  Deliver(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 1, 1, 2));
}

TEST_F(SdlEventTranslatorTest, ThePictureRunsFromTheTopLeftPixelToTheBottomRightOne) {
  EXPECT_TRUE(InsidePicture(0, 0));
  EXPECT_TRUE(InsidePicture(799, 599));
  EXPECT_FALSE(InsidePicture(800, 0));
  EXPECT_FALSE(InsidePicture(0, 600));
  EXPECT_FALSE(InsidePicture(-1, 300));
  EXPECT_FALSE(InsidePicture(400, -1));
}

TEST_F(SdlEventTranslatorTest, TheMouseOverALetterboxBarIsNotOverThePicture) {
  InSequence order;
  EXPECT_CALL(Sink, MDXDrawMouseMove(0, 799, 599));
  EXPECT_CALL(Sink, MDXDrawMouseMove(ss::Shift, 0, 0));
  Deliver(Motion(-20, 300));
  Deliver(Motion(799, 599));
  Deliver(Motion(800, 599));
  Deliver(Motion(0, 0), KMOD_LSHIFT);
  // A press on a bar is no press on the picture, so its release there is no click.
  Deliver(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 810, 10));
  Deliver(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 810, 10));
}

TEST_F(SdlEventTranslatorTest, ADragOffThePictureIsFollowedButConfirmsNothing) {
  InSequence order;
  EXPECT_CALL(Sink, MDXDrawMouseDown(ss::Left, 700, 300));
  EXPECT_CALL(Sink, MDXDrawMouseMove(ss::Left, 900, 300));
  EXPECT_CALL(Sink, MDXDrawMouseUp(0, 900, 300));
  Deliver(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 700, 300));
  Deliver(Motion(900, 300, SDL_BUTTON_LMASK));
  Deliver(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 900, 300));
  Deliver(Motion(950, 300));  // released: no longer followed
}

TEST_F(SdlEventTranslatorTest, APressStartedOnABarAndReleasedOnThePictureIsNoClick) {
  EXPECT_CALL(Sink, MDXDrawMouseUp(0, 10, 10));
  Deliver(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, -10, 10));
  Deliver(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 10, 10));
}

TEST_F(SdlEventTranslatorTest, MinimisingAndRestoringReachTheFormOnceEach) {
  InSequence order;
  EXPECT_CALL(Sink, WMSysCommand(kSysCommandMinimize));
  EXPECT_CALL(Sink, WMSize(kSizeMinimized));
  EXPECT_CALL(Sink, WMSysCommand(kSysCommandRestore));
  Deliver(Window(SDL_WINDOWEVENT_RESTORED));  // not minimised: nothing to restore
  Deliver(Window(SDL_WINDOWEVENT_MINIMIZED));
  EXPECT_TRUE(Translator.Minimized());
  Deliver(Window(SDL_WINDOWEVENT_MINIMIZED));
  Deliver(Window(SDL_WINDOWEVENT_SHOWN));  // mapped again: the restore
  Deliver(Window(SDL_WINDOWEVENT_RESTORED));
  EXPECT_FALSE(Translator.Minimized());
}

TEST_F(SdlEventTranslatorTest, CloseRequestsAskTheFormAndFocusActivatesTheApplication) {
  InSequence order;
  EXPECT_CALL(Sink, FormCloseQuery()).WillOnce(::testing::Return(false));
  EXPECT_CALL(Sink, FormCloseQuery()).WillOnce(::testing::Return(false));
  EXPECT_CALL(Sink, ApplicationActivate(false));
  EXPECT_CALL(Sink, ApplicationActivate(true));
  Deliver(Window(SDL_WINDOWEVENT_CLOSE));
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  Deliver(quit);
  Deliver(Window(SDL_WINDOWEVENT_FOCUS_LOST));
  Deliver(Window(SDL_WINDOWEVENT_FOCUS_GAINED));
}
