// The main form: owns every component for the whole run and forwards window events and timer
// ticks to the game. Each concern lives in its own source file (start-up, window, frame loop,
// input, dispatch).
#pragma once

#include <memory>
#include <string>

#include "app/TDXDraw.h"
#include "app/TDXInput.h"
#include "app/GameFolders.h"
#include "app/TDXSound.h"
#include "app/TPadInput.h"
#include "platform/Devices.h"
#include "resources/ImageCollection.h"
#include "resources/WaveCollection.h"
#include "sprites/TDXTimer.h"
#include "sprites/TSpriteEngine.h"

class TMForm final : public WindowEventSink {
  // First, so the components below can be bound to its devices.
  Platform Platform_;

 public:
  explicit TMForm(Platform platform, GameFolders folders = GameFolders::WorkingDirectory());
  ~TMForm() override;
  TMForm(const TMForm&) = delete;
  TMForm& operator=(const TMForm&) = delete;

  // Start-up and shutdown (FormStartup.cpp).
  void FormCreate();
  void ShowStartupError(const std::string& message);
  void ApplyDisplayMode();
  void EnterFullScreen();
  void EnterWindowed();
  void ShutDown();
  void FormClose();
  bool Terminated() const { return Terminated_; }

  // One turn of the application's idle processing: one frame-timer opportunity.
  void Idle();
  bool ApplicationActive() const { return Active_; }

  // Window events (FormWindow.cpp, FormInput.cpp).
  void FormKeyDown(uint16_t key, uint8_t shift) override;
  void FormKeyUp(uint16_t key, uint8_t shift) override;
  void FormKeyPress(char ch) override;
  void MDXDrawMouseDown(uint8_t shift, int x, int y) override;
  void MDXDrawMouseMove(uint8_t shift, int x, int y) override;
  void MDXDrawMouseUp(uint8_t shift, int x, int y) override;
  void MDXDrawClick() override;
  void WMSysCommand(uint32_t command) override;
  void WMSize(int sizeType) override;
  bool FormCloseQuery() override;
  void ApplicationActivate(bool active) override;
  // Game controllers (FormPad.cpp).
  void PadPlugged(int pad, bool plugged) override;
  void PadButtonChanged(int pad, PadButton button, bool down) override;
  void PadAxisMoved(int pad, PadAxis axis, int value) override;
  // Minimises the whole application (the game's own request, as the boss key makes).
  void MinimizeApplication();

  // The frame timer's tick (FrameLoop.cpp).
  void MDXTimerTimer(int lagCount);
  void PollInput();

  // The system mouse cursor's display counter.
  int ShowCursor(bool show) { return Platform_.system->ShowCursor(show); }
  MusicDevice& Music() { return *Platform_.music; }
  HttpClient& MIdHTTP() { return *Platform_.http; }
  Shell& DesktopShell() { return *Platform_.shell; }
  const GameFolders& Folders() const { return Folders_; }
  // The text renderer, or nullptr on a platform without one.
  TextRenderer* Text() { return Platform_.text.get(); }
  // The score server's base URL (online/ScoreServer.h): the build's default until the program
  // entry sets the one chosen on its command line or in the environment.
  const std::string& ScoreServer() const { return ScoreServer_; }
  void SetScoreServer(std::string baseUrl) { ScoreServer_ = std::move(baseUrl); }

  TDXDraw MDXDraw;
  TDXImageList MDXImageList1;
  TDXImageList MDXImageList2;
  TDXImageList MDXImageList3;
  TDXInput MDXInput;
  TSpriteEngine MDXSpriteEngine;
  TDXTimer MDXTimer;
  TDXWaveList MDXWaveList;
  TDXSound MDXSound;

 private:
  // A race that leaves the screen or loses its controller is paused.
  void PauseRaceWhenHidden();
  // Whether the pads are in their driving layout (FormPad.cpp).
  bool PadDriving() const;

  GameFolders Folders_;
  TPadInput Pad_;
  bool Terminated_ = false;
  bool Active_ = true;
  // Where the window stood before full screen, restored when the game returns to a window.
  bool PlacementSaved_ = false;
  DisplayDevice::Placement SavedPlacement_;
  std::string ScoreServer_;
};

// The one main form, set while it exists.
extern TMForm* MForm;
