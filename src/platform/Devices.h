// The platform services the game's components talk to. Each has an SDL implementation
// (platform/sdl) and a headless one (platform/headless); game code sees only these interfaces.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Surface.h"

// A millisecond clock; only the frame timer reads it.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t NowMs() = 0;
  // A seed for the game's random generator, taken from the time of day.
  virtual uint32_t SeedFromClock();
};

// The 800x600 picture on the desktop: a window at a whole multiple of its size, or full screen
// (exclusive 800x600 where offered, else desktop full screen, letterboxed).
class DisplayDevice {
 public:
  struct Placement {
    int X = 0, Y = 0;
  };

  virtual ~DisplayDevice() = default;
  // Opens the display in the given mode; false when it cannot be opened now.
  virtual bool Initialize(bool fullScreen) = 0;
  virtual void Finalize() = 0;
  // False while the picture cannot be shown (minimised in full screen, in a switch, released).
  virtual bool CanDraw() = 0;
  // Shows the back buffer, waiting for the vertical blank.
  virtual void Present(const Surface& backBuffer) = 0;
  // The refresh rate as the display reports it (may be 0 or 1 for "default").
  virtual int ReportedRefreshRate() = 0;
  virtual Placement GetPlacement() = 0;
  virtual void SetPlacement(const Placement& placement) = 0;
  virtual void CentreWindow() = 0;
  virtual void Minimize() = 0;
};

// Polled keyboard state: whether a key (game key code, platform/KeyCodes.h) is down now.
class KeyboardDevice {
 public:
  virtual ~KeyboardDevice() = default;
  virtual bool IsKeyDown(uint16_t key) = 0;
};

// Sound effect voices. The game's wave items decide which voice plays (copies, looping); the
// device only loads, starts and stops them. Voices are numbered by the device.
class SoundDevice {
 public:
  virtual ~SoundDevice() = default;
  // Loads a RIFF WAVE file image as a voice for the given collection item; -1 on failure.
  virtual int CreateVoice(int itemIndex, const std::string& riffWave, bool looped) = 0;
  virtual void Play(int voice) = 0;  // from the beginning
  virtual void Stop(int voice) = 0;
  virtual bool IsPlaying(int voice) = 0;
};

// The module music player: one handle per loaded song, 0 for none.
class MusicDevice {
 public:
  virtual ~MusicDevice() = default;
  virtual uint32_t SongLoadFromFile(const std::string& path) = 0;
  virtual void SongPlay(uint32_t song) = 0;
  virtual void SongFree(uint32_t song) = 0;
};

// One HTTP GET at a time, run beside the frame loop so the game keeps drawing while it waits.
// The game needs only to know when the request has ended, not its answer.
class HttpClient {
 public:
  enum class State { Idle, Running, Ended };
  virtual ~HttpClient() = default;
  // Starts a GET; only while Idle.
  virtual void StartGet(const std::string& url) = 0;
  // Running until the request has ended in any way: answered, failed, or out of time (a few
  // seconds at most). Never waits.
  virtual State Poll() = 0;
  // Back to Idle once the request has ended.
  virtual void Release() = 0;
};

// The desktop's "open this document or link" request.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual bool Open(const std::string& target) = 0;
};

// Anti-aliased text in fonts requested by face name; the game blends the coverage into its
// back buffer itself.
struct TextMask {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Coverage;  // Width * Height values, 0 (none) to 255 (full)
};

class TextRenderer {
 public:
  virtual ~TextRenderer() = default;
  // Face name as the game asks for it ("BancoDi", "Courier"); size in points at 96 dots an inch.
  virtual void SetFont(const std::string& face, int points, bool bold) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;
  // The text in the current font, TextWidth by TextHeight; valid until the next call.
  virtual const TextMask& Render(const std::string& text) = 0;
};

// Odds and ends of the operating system the form asks for.
class SystemServices {
 public:
  virtual ~SystemServices() = default;
  // Asks for a higher scheduling priority; a refusal is ignored.
  virtual void RaisePriority() = 0;
  // Shows or hides the system mouse cursor over the window and returns the new display counter
  // (shown while it is at least 0).
  virtual int ShowCursor(bool show) = 0;
  // The start-up error box: a message box and the same text on standard error.
  virtual void ShowErrorBox(const std::string& message) = 0;
};

// Everything the form needs from the platform, handed over at construction.
struct Platform {
  std::unique_ptr<Clock> clock;
  std::unique_ptr<DisplayDevice> display;
  std::unique_ptr<KeyboardDevice> keyboard;
  std::unique_ptr<SoundDevice> sound;
  std::unique_ptr<MusicDevice> music;
  std::unique_ptr<HttpClient> http;
  std::unique_ptr<Shell> shell;
  std::unique_ptr<SystemServices> system;
  std::unique_ptr<TextRenderer> text;
};

// A game controller's buttons and axes, named after the usual pad layout (A the lower face
// button, B the right one).
enum class PadButton : uint8_t { A, B, X, Y, Back, Start, DpadUp, DpadDown, DpadLeft, DpadRight };
constexpr int kPadButtonCount = 10;
// Sticks from -32768 (left, up) to 32767; triggers from 0 (released) to 32767.
enum class PadAxis : uint8_t { LeftX, LeftY, LeftTrigger, RightTrigger };
constexpr int kPadAxisCount = 4;

// Window events, delivered by the platform's event loop to the form between ticks.
class WindowEventSink {
 public:
  virtual ~WindowEventSink() = default;
  virtual void FormKeyDown(uint16_t key, uint8_t shift) = 0;
  virtual void FormKeyUp(uint16_t key, uint8_t shift) = 0;
  virtual void FormKeyPress(char ch) = 0;
  virtual void MDXDrawMouseDown(uint8_t shift, int x, int y) = 0;
  virtual void MDXDrawMouseMove(uint8_t shift, int x, int y) = 0;
  virtual void MDXDrawMouseUp(uint8_t shift, int x, int y) = 0;
  // Click and double click both arrive here.
  virtual void MDXDrawClick() = 0;
  virtual void WMSysCommand(uint32_t command) = 0;
  virtual void WMSize(int sizeType) = 0;
  // A close request; the answer is whether the window may close (the game always says no).
  virtual bool FormCloseQuery() = 0;
  // The application was activated or deactivated.
  virtual void ApplicationActivate(bool active) = 0;
  // Game controllers, told apart by a number the platform gives each while it is plugged in.
  virtual void PadPlugged(int pad, bool plugged) = 0;
  virtual void PadButtonChanged(int pad, PadButton button, bool down) = 0;
  virtual void PadAxisMoved(int pad, PadAxis axis, int value) = 0;
};
