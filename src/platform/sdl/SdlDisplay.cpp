#include "platform/sdl/SdlDisplay.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/PixelWidening.h"
#include "platform/sdl/SdlWindowIcon.h"

namespace {
constexpr char kCaption[] = "Gear Rush";
// Used to pace frames when the display does not say its refresh rate, or says nonsense.
constexpr int kFallbackRefreshHz = 60;
constexpr int kMinPlausibleRefreshHz = 24;
constexpr int kMaxPlausibleRefreshHz = 500;
// A frame that took nearly a whole refresh period was held by the vertical blank, or is simply
// slow; either way it needs no sleep.
constexpr auto kVsyncSlack = std::chrono::milliseconds(2);

// The display's 800x600 mode closest in refresh rate to the desktop's, if it offers one.
std::optional<SDL_DisplayMode> FindPictureSizedMode(int display) {
  SDL_DisplayMode desktop{};
  const int desktopHz =
      SDL_GetDesktopDisplayMode(display, &desktop) == 0 ? desktop.refresh_rate : 0;
  std::optional<SDL_DisplayMode> best;
  const int count = SDL_GetNumDisplayModes(display);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode{};
    if (SDL_GetDisplayMode(display, i, &mode) != 0) continue;
    if (mode.w != kPictureWidth || mode.h != kPictureHeight) continue;
    if (!best ||
        std::abs(mode.refresh_rate - desktopHz) < std::abs(best->refresh_rate - desktopHz)) {
      best = mode;
    }
  }
  return best;
}
}  // namespace

SdlDisplay::SdlDisplay(std::shared_ptr<SdlSession> session, const SdlDisplayOptions& options)
    : Session_(std::move(session)), ForcedScale_(options.WindowScale) {
  // Shown by the first Initialize, so the player never sees an empty window.
  Window_ = SDL_CreateWindow(kCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             kPictureWidth, kPictureHeight, SDL_WINDOW_HIDDEN);
  if (Window_ == nullptr) {
    throw std::runtime_error(std::string("Cannot create the window: ") + SDL_GetError());
  }
  SetWindowIcon(Window_, options.IconPath);
  HandCursor_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
  if (HandCursor_ != nullptr) SDL_SetCursor(HandCursor_);
}

SdlDisplay::~SdlDisplay() {
  Finalize();
  if (HandCursor_ != nullptr) SDL_FreeCursor(HandCursor_);
  SDL_DestroyWindow(Window_);
}

bool SdlDisplay::IsFullScreen() const {
  return (SDL_GetWindowFlags(Window_) & SDL_WINDOW_FULLSCREEN) != 0;
}

bool SdlDisplay::Initialize(bool fullScreen) {
  Finalize();
  if (fullScreen) {
    EnterFullScreen();
  } else {
    EnterWindow();
  }
  if (!Shown_) {
    SDL_ShowWindow(Window_);
    SDL_RaiseWindow(Window_);
    Shown_ = true;
    // A window manager tells the size of its decorations once the window is mapped, in an
    // event SDL reads when pumped (the events stay queued for the event loop).
    if (!fullScreen) {
      SDL_PumpEvents();
      SizeWindow();
    }
  }
  Initialized_ = CreateRenderer();
  const int hz = ReportedRefreshRate();
  RefreshHz_ =
      hz >= kMinPlausibleRefreshHz && hz <= kMaxPlausibleRefreshHz ? hz : kFallbackRefreshHz;
  LastPresent_ = {};
  return Initialized_;
}

void SdlDisplay::EnterFullScreen() {
  if (!IsFullScreen()) WindowedPlacement_ = GetPlacement();
  const int display = std::max(SDL_GetWindowDisplayIndex(Window_), 0);
  // Exclusive 800x600 where the display has it; otherwise the desktop's own mode, letterboxed.
  if (const std::optional<SDL_DisplayMode> mode = FindPictureSizedMode(display)) {
    if (SDL_SetWindowDisplayMode(Window_, &*mode) == 0 &&
        SDL_SetWindowFullscreen(Window_, SDL_WINDOW_FULLSCREEN) == 0) {
      return;
    }
  }
  SDL_SetWindowFullscreen(Window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void SdlDisplay::EnterWindow() {
  SDL_SetWindowFullscreen(Window_, 0);
  SizeWindow();
  if (PendingCentre_) {
    CentreWindow();
  } else if (PendingPlacement_) {
    SetPlacement(*PendingPlacement_);
  }
}

WindowBorders SdlDisplay::Decorations() {
  // Unknown decorations (no window manager, or one that does not say) count as none.
  WindowBorders now;
  if (SDL_GetWindowBordersSize(Window_, &now.Top, &now.Left, &now.Bottom, &now.Right) != 0) {
    now = {};
  }
  if (now.Top > 0 || now.Left > 0 || now.Bottom > 0 || now.Right > 0) KnownBorders_ = now;
  return KnownBorders_;
}

int SdlDisplay::WindowScale() {
  if (ForcedScale_) return *ForcedScale_;
  const int display = std::max(SDL_GetWindowDisplayIndex(Window_), 0);
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(display, &usable) != 0) return 1;
  return LargestFittingWindowScale(usable.w, usable.h, Decorations());
}

void SdlDisplay::SizeWindow() {
  const int scale = WindowScale();
  int width = 0, height = 0;
  SDL_GetWindowSize(Window_, &width, &height);
  if (width != scale * kPictureWidth || height != scale * kPictureHeight) {
    SDL_SetWindowSize(Window_, scale * kPictureWidth, scale * kPictureHeight);
  }
}

bool SdlDisplay::CreateRenderer() {
  const PresentingRenderer made = CreatePresentingRenderer(Window_, RendererKind_);
  if (made.Renderer == nullptr) return false;
  Renderer_ = made.Renderer;
  RendererKind_ = made.Kind;
  SDL_RenderSetLogicalSize(Renderer_, kPictureWidth, kPictureHeight);
  // A window of 32-bit pixels (nearly every one) gets a texture of its own format, which the
  // game widens its pixels into: widening is several times quicker than SDL's conversion, which
  // would otherwise run over the whole picture every frame.
  const uint32_t windowFormat = SDL_GetWindowPixelFormat(Window_);
  WideTexture_ = windowFormat == SDL_PIXELFORMAT_RGB888 || windowFormat == SDL_PIXELFORMAT_ARGB8888;
  Texture_ = WideTexture_ ? SDL_CreateTexture(Renderer_, windowFormat, SDL_TEXTUREACCESS_STREAMING,
                                              kPictureWidth, kPictureHeight)
                          : nullptr;
  if (Texture_ == nullptr) {
    WideTexture_ = false;
    Texture_ = SDL_CreateTexture(Renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                 kPictureWidth, kPictureHeight);
  }
  // Opaque whatever the format: ARGB8888 textures would otherwise be blended.
  if (Texture_ != nullptr) SDL_SetTextureBlendMode(Texture_, SDL_BLENDMODE_NONE);
  if (Texture_ == nullptr) {
    SDL_DestroyRenderer(Renderer_);
    Renderer_ = nullptr;
    return false;
  }
  OutputWidth_ = OutputHeight_ = 0;
  return true;
}

void SdlDisplay::FitToOutput() {
  int width = 0, height = 0;
  if (SDL_GetRendererOutputSize(Renderer_, &width, &height) != 0) return;
  if (width == OutputWidth_ && height == OutputHeight_) return;
  OutputWidth_ = width;
  OutputHeight_ = height;
  // Smoothed only when stretched by a fraction: at a whole multiple every picture pixel becomes
  // a square block of screen pixels, sharp as the picture itself.
  const bool sharp = ShownAtWholeMultiple(width, height);
  SDL_SetTextureScaleMode(Texture_, sharp ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
  Letterboxed_ =
      static_cast<int64_t>(width) * kPictureHeight != static_cast<int64_t>(height) * kPictureWidth;
}

void SdlDisplay::Finalize() {
  Initialized_ = false;
  if (Texture_ != nullptr) SDL_DestroyTexture(Texture_);
  if (Renderer_ != nullptr) SDL_DestroyRenderer(Renderer_);
  Texture_ = nullptr;
  Renderer_ = nullptr;
}

bool SdlDisplay::CanDraw() {
  if (!Initialized_) return false;
  const uint32_t flags = SDL_GetWindowFlags(Window_);
  return !((flags & SDL_WINDOW_FULLSCREEN) && (flags & SDL_WINDOW_MINIMIZED));
}

void SdlDisplay::Present(const Surface& backBuffer) {
  if (!Initialized_) return;
  // Never read past a back buffer of another size.
  const SDL_Rect area{0, 0, std::min(backBuffer.Width(), kPictureWidth),
                      std::min(backBuffer.Height(), kPictureHeight)};
  if (area.w > 0 && area.h > 0) UpdateTexture(backBuffer, area);
  FitToOutput();
  if (Letterboxed_) {
    SDL_SetRenderDrawColor(Renderer_, 0, 0, 0, SDL_ALPHA_OPAQUE);
    SDL_RenderClear(Renderer_);  // the bars
  }
  SDL_RenderCopy(Renderer_, Texture_, nullptr, nullptr);
  SDL_RenderPresent(Renderer_);
  Session_->CountPresentedFrame();
  PaceToRefresh();
}

void SdlDisplay::UpdateTexture(const Surface& backBuffer, const SDL_Rect& area) {
  if (!WideTexture_) {
    SDL_UpdateTexture(Texture_, &area, backBuffer.Data(),
                      backBuffer.Pitch() * static_cast<int>(sizeof(uint16_t)));
    return;
  }
  const auto widen = [&](void* pixels, int pitch) {
    for (int y = 0; y < area.h; ++y) {
      WidenRgb565Row(backBuffer.Row(y),
                     reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) +
                                                 static_cast<ptrdiff_t>(y) * pitch),
                     area.w);
    }
  };
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(Texture_, &area, &pixels, &pitch) == 0) {
    widen(pixels, pitch);
    SDL_UnlockTexture(Texture_);
    return;
  }
  // A texture that will not lock still takes the widened rows as an update.
  std::vector<uint32_t> widened(static_cast<size_t>(area.w) * static_cast<size_t>(area.h));
  const int widenedPitch = area.w * static_cast<int>(sizeof(uint32_t));
  widen(widened.data(), widenedPitch);
  SDL_UpdateTexture(Texture_, &area, widened.data(), widenedPitch);
}

void SdlDisplay::PaceToRefresh() {
  using std::chrono::steady_clock;
  const auto period = std::chrono::nanoseconds(1'000'000'000LL / RefreshHz_);
  const steady_clock::time_point now = steady_clock::now();
  const steady_clock::time_point due = LastPresent_ + period;
  // A wait that returned early means the vertical blank did not hold us: sleep off the rest, and
  // keep the cadence exact so the measured frame rate matches the refresh rate.
  if (LastPresent_ != steady_clock::time_point{} && now + kVsyncSlack < due) {
    std::this_thread::sleep_until(due);
    LastPresent_ = due;
  } else {
    LastPresent_ = now;
  }
}

int SdlDisplay::ReportedRefreshRate() {
  const int display = SDL_GetWindowDisplayIndex(Window_);
  if (display < 0) return 0;
  SDL_DisplayMode mode{};
  if (SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0;
  return mode.refresh_rate;
}

DisplayDevice::Placement SdlDisplay::GetPlacement() {
  if (IsFullScreen()) return WindowedPlacement_;
  Placement placement;
  SDL_GetWindowPosition(Window_, &placement.X, &placement.Y);
  return placement;
}

void SdlDisplay::SetPlacement(const Placement& placement) {
  PendingCentre_ = false;
  PendingPlacement_.reset();
  if (IsFullScreen()) {
    PendingPlacement_ = placement;  // applied when the game is back in a window
    return;
  }
  SDL_SetWindowPosition(Window_, placement.X, placement.Y);
}

void SdlDisplay::CentreWindow() {
  PendingCentre_ = false;
  PendingPlacement_.reset();
  if (IsFullScreen()) {
    PendingCentre_ = true;
    return;
  }
  const int display = std::max(SDL_GetWindowDisplayIndex(Window_), 0);
  SDL_SetWindowPosition(Window_, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                        SDL_WINDOWPOS_CENTERED_DISPLAY(display));
}

void SdlDisplay::Minimize() {
  SDL_MinimizeWindow(Window_);
}
