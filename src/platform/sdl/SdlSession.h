// The SDL and mixer libraries' lifetime, shared by every SDL device so the libraries shut
// down only after the last device is gone.
#pragma once

#include <cstdint>
#include <memory>

class SdlSession {
 public:
  // Starts SDL's video and events; throws std::runtime_error when video cannot start. Audio is
  // optional: without a device the game runs silent.
  static std::shared_ptr<SdlSession> Start();
  // The running session, if any (the event loop reads the frame counter through it).
  static std::shared_ptr<SdlSession> Current();

  // Only Start makes one.
  struct StartKey {
    explicit StartKey() = default;
  };
  explicit SdlSession(StartKey) {}
  ~SdlSession();
  SdlSession(const SdlSession&) = delete;
  SdlSession& operator=(const SdlSession&) = delete;

  bool AudioOpen() const { return AudioOpen_; }

  // Frames shown so far; the event loop uses it to notice a turn that presented nothing.
  uint64_t PresentedFrames() const { return PresentedFrames_; }
  void CountPresentedFrame() { ++PresentedFrames_; }

 private:
  void OpenAudio();

  bool AudioOpen_ = false;
  uint64_t PresentedFrames_ = 0;
};
