// The game's window: the 800x600 picture at the largest whole multiple that fits the desktop (or
// at the multiple the player asked for), or stretched, centred and letterboxed into full screen;
// shown at the vertical blank (or paced to the refresh rate where the renderer cannot wait for
// it).
#pragma once

#include <SDL.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "platform/Devices.h"
#include "platform/WindowScale.h"
#include "platform/sdl/SdlRendererChoice.h"
#include "platform/sdl/SdlSession.h"

// Mouse positions arrive in the picture's own 800x600 pixels whatever the window's size: SDL
// scales them to the renderer's logical size.

struct SdlDisplayOptions {
  // The multiple of the picture a window shows; by default the largest that fits the desktop.
  std::optional<int> WindowScale;
  // A PNG picture for the window's icon; a drawn gear when it cannot be read.
  std::string IconPath;
};

class SdlDisplay final : public DisplayDevice {
 public:
  // Creates the hidden window; throws std::runtime_error if it cannot.
  explicit SdlDisplay(std::shared_ptr<SdlSession> session, const SdlDisplayOptions& options = {});
  ~SdlDisplay() override;
  SdlDisplay(const SdlDisplay&) = delete;
  SdlDisplay& operator=(const SdlDisplay&) = delete;

  bool Initialize(bool fullScreen) override;
  void Finalize() override;
  bool CanDraw() override;
  void Present(const Surface& backBuffer) override;
  int ReportedRefreshRate() override;
  Placement GetPlacement() override;
  void SetPlacement(const Placement& placement) override;
  void CentreWindow() override;
  void Minimize() override;

  SDL_Window* Window() const { return Window_; }

 private:
  bool IsFullScreen() const;
  void EnterFullScreen();
  void EnterWindow();
  WindowBorders Decorations();
  int WindowScale();
  void SizeWindow();
  bool CreateRenderer();
  void FitToOutput();
  void UpdateTexture(const Surface& backBuffer, const SDL_Rect& area);
  void PaceToRefresh();

  std::shared_ptr<SdlSession> Session_;
  // The multiple of the picture the player asked for on the command line.
  std::optional<int> ForcedScale_;
  // The window manager's decorations as last told; in full screen, and just after it, it
  // tells none.
  WindowBorders KnownBorders_;
  SDL_Window* Window_ = nullptr;
  SDL_Renderer* Renderer_ = nullptr;
  SDL_Texture* Texture_ = nullptr;
  // The texture holds the window's 32-bit pixels rather than the picture's 16-bit ones.
  bool WideTexture_ = false;
  // Chosen with the first renderer and kept for the whole run.
  std::optional<RendererKind> RendererKind_;
  // The renderer's output size the texture's filtering was set for, and whether the picture
  // leaves bars there.
  int OutputWidth_ = 0;
  int OutputHeight_ = 0;
  bool Letterboxed_ = false;
  SDL_Cursor* HandCursor_ = nullptr;
  bool Initialized_ = false;
  bool Shown_ = false;
  int RefreshHz_ = 0;
  // Where the window goes when it next is a window (asked for while in full screen), and where
  // it stood when it left for full screen.
  std::optional<Placement> PendingPlacement_;
  bool PendingCentre_ = false;
  Placement WindowedPlacement_;
  // When the last frame was shown, for displays whose vertical-blank wait returns at once.
  std::chrono::steady_clock::time_point LastPresent_{};
};
