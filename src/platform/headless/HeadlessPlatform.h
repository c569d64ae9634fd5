// The headless platform: a virtual clock, scripted keys, and recorders in place of the window,
// the audio device, the network and the desktop. Tests, the headless runner and the benchmarks
// run the real game on it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Devices.h"

class VirtualClock final : public Clock {
 public:
  uint32_t NowMs() override { return Now; }
  uint32_t SeedFromClock() override { return Seed; }
  uint32_t Now = 0;
  uint32_t Seed = 1;
};

class HeadlessDisplay final : public DisplayDevice {
 public:
  bool Initialize(bool fullScreen) override;
  void Finalize() override { Initialized = false; }
  bool CanDraw() override { return Initialized && !(FullScreen && Minimized); }
  void Present(const Surface& backBuffer) override;
  int ReportedRefreshRate() override { return RefreshRate; }
  Placement GetPlacement() override { return WindowPlacement; }
  void SetPlacement(const Placement& placement) override { WindowPlacement = placement; }
  void CentreWindow() override { WindowPlacement = {kCentredX, kCentredY}; }
  void Minimize() override { Minimized = true; }

  // Where a centred window stands on the virtual desktop.
  static constexpr int kCentredX = 240;
  static constexpr int kCentredY = 212;

  int RefreshRate = 85;
  bool Initialized = false;
  bool FullScreen = false;
  bool Minimized = false;
  int InitializeCount = 0;
  int PresentCount = 0;
  Placement WindowPlacement{kCentredX, kCentredY};
  // Whether Present keeps a copy of the picture; the runner sets it only for the ticks it
  // screenshots, as copying a whole frame costs a good part of a headless tick.
  bool KeepFrames = true;
  Surface LastFrame;  // the picture last presented while KeepFrames was set
  // The picture last presented: the copy if it was kept, else the presented surface itself,
  // which the game leaves alone until it draws its next frame. Empty before the first present.
  const Surface& LastPicture() const;

 private:
  const Surface* Presented_ = nullptr;
  bool PresentedKept_ = false;
};

class HeadlessKeyboard final : public KeyboardDevice {
 public:
  bool IsKeyDown(uint16_t key) override { return key < Keys.size() && Keys[key]; }
  std::array<bool, 256> Keys{};
};

// Voices "play" for their wave's duration on the virtual clock (looped ones until stopped), and
// every start is recorded by item index.
class HeadlessSound final : public SoundDevice {
 public:
  explicit HeadlessSound(Clock& clock) : Clock_(clock) {}
  int CreateVoice(int itemIndex, const std::string& riffWave, bool looped) override;
  void Play(int voice) override;
  void Stop(int voice) override;
  bool IsPlaying(int voice) override;
  // Whether any voice of the wave item is playing.
  bool ItemPlaying(int itemIndex);

  // Item indices started since the last call, in order.
  std::vector<int> TakePlayed();
  std::vector<int> Played;

 private:
  struct Voice {
    int Item = 0;
    bool Looped = false;
    uint32_t DurationMs = 0;
    bool Playing = false;
    uint32_t StartMs = 0;
  };
  Clock& Clock_;
  std::vector<Voice> Voices_;
};

// Songs load when their file can be read; the playing song is known by its file's base name.
class HeadlessMusic final : public MusicDevice {
 public:
  uint32_t SongLoadFromFile(const std::string& path) override;
  void SongPlay(uint32_t song) override;
  void SongFree(uint32_t song) override;
  // "Menu", "Race", or empty when nothing plays.
  std::string PlayingSong() const;
  std::vector<std::string> Calls;  // "load NAME", "play NAME", "free NAME"

 private:
  uint32_t NextHandle_ = 1;
  uint32_t Loaded_ = 0;
  std::string LoadedName_;
  bool Playing_ = false;
};

// Every request fails as if the network were down, at once or after a set number of polls (one
// a tick), so the wait is the same on every run; with a log file each URL is appended to it. Network,
// when set, really sends each request, and waits for it, as it starts.
class HeadlessHttp final : public HttpClient {
 public:
  void StartGet(const std::string& url) override;
  State Poll() override;
  void Release() override;
  std::string LogFile;
  std::vector<std::string> Requests;
  int PollsToEnd = 0;
  std::function<void(const std::string& url)> Network;

 private:
  State State_ = State::Idle;
  int Polls_ = 0;
};

class HeadlessShell final : public Shell {
 public:
  bool Open(const std::string& target) override;
  std::string LogFile;
  std::vector<std::string> Opened;
};

class HeadlessSystem final : public SystemServices {
 public:
  void RaisePriority() override { ++PriorityRequests; }
  int ShowCursor(bool show) override { return CursorCounter += show ? 1 : -1; }
  void ShowErrorBox(const std::string& message) override;
  int PriorityRequests = 0;
  int CursorCounter = 0;
  std::vector<std::string> Errors;
};

// A headless platform and direct access to its devices (owned by the Platform).
struct HeadlessDevices {
  VirtualClock* clock;
  HeadlessDisplay* display;
  HeadlessKeyboard* keyboard;
  HeadlessSound* sound;
  HeadlessMusic* music;
  HeadlessHttp* http;
  HeadlessShell* shell;
  HeadlessSystem* system;
};
Platform CreateHeadlessPlatform(HeadlessDevices& devices);
