#include "platform/sdl/SdlRendererChoice.h"

#include <SDL_syswm.h>

#include <cstdlib>
#include <string>

namespace {
constexpr unsigned kGlRenderer = 0x1F01;  // GL_RENDERER

bool SoftwareOpenGlForced() {
  const char* flag = std::getenv("LIBGL_ALWAYS_SOFTWARE");
  return flag != nullptr && *flag != '\0' && std::string_view(flag) != "0" &&
         std::string_view(flag) != "false";
}

// An X server without a direct rendering extension (Xvfb, Xvnc, a remote desktop without a
// GPU) can only give OpenGL through a software rasteriser. NV-GLX is the vendor driver's own.
bool ServerMayRenderOnGpu(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    return true;  // not known here: the probe decides
  }
  for (const char* extension : {"DRI3", "DRI2", "NV-GLX"}) {
    int opcode = 0, firstEvent = 0, firstError = 0;
    if (XQueryExtension(info.info.x11.display, extension, &opcode, &firstEvent, &firstError)) {
      return true;
    }
  }
  return false;
}

// Whether an OpenGL renderer is worth trying; a "no" spares loading the OpenGL driver at all.
bool MayHaveGpu(SDL_Window* window) {
  if (SoftwareOpenGlForced()) return false;
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr) return false;
  const std::string_view name(driver);
  if (name == "dummy" || name == "offscreen") return false;
  if (name == "x11") return ServerMayRenderOnGpu(window);
  return true;
}

// What the renderer's OpenGL context says it runs on; empty for a renderer without OpenGL.
std::string OpenGlRendererName(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || info.name == nullptr ||
      std::string_view(info.name).rfind("opengl", 0) != 0) {
    return {};
  }
  // SDL's OpenGL renderers keep their context current.
  if (SDL_GL_GetCurrentContext() == nullptr) return {};
  using GetString = const unsigned char* (*)(unsigned);
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString != nullptr ? getString(kGlRenderer) : nullptr;
  return name != nullptr ? reinterpret_cast<const char*>(name) : std::string();
}

SDL_Renderer* CreateGpuRenderer(SDL_Window* window) {
  SDL_Renderer* renderer =
      SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
  if (renderer == nullptr) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
  return renderer;
}

// Without vertical-blank waits: the display paces its frames itself.
SDL_Renderer* CreateSoftwareRenderer(SDL_Window* window) {
  // The window's own framebuffer (shared memory on X11). Left to itself SDL would probe
  // OpenGL once more and put the framebuffer on a texture.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

RendererKind KindOf(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  const bool software =
      SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
  return software ? RendererKind::Software : RendererKind::Gpu;
}
}  // namespace

bool IsSoftwareRasteriser(std::string_view glRenderer) {
  for (const std::string_view cpu : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer",
                                     "SWR (", "GDI Generic"}) {
    if (glRenderer.find(cpu) != std::string_view::npos) return true;
  }
  return false;
}

PresentingRenderer CreatePresentingRenderer(SDL_Window* window,
                                            std::optional<RendererKind> chosenBefore) {
  PresentingRenderer made;
  // A renderer the player named (SDL_RENDER_DRIVER) is taken as it is.
  if (const char* named = SDL_GetHint(SDL_HINT_RENDER_DRIVER); named != nullptr && *named) {
    made.Renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (made.Renderer == nullptr) made.Renderer = SDL_CreateRenderer(window, -1, 0);
    if (made.Renderer != nullptr) made.Kind = KindOf(made.Renderer);
    return made;
  }
  const bool tryGpu = chosenBefore ? *chosenBefore == RendererKind::Gpu : MayHaveGpu(window);
  if (tryGpu) {
    made.Renderer = CreateGpuRenderer(window);
    if (made.Renderer != nullptr && !chosenBefore &&
        IsSoftwareRasteriser(OpenGlRendererName(made.Renderer))) {
      SDL_DestroyRenderer(made.Renderer);
      made.Renderer = nullptr;
    }
    if (made.Renderer != nullptr) {
      made.Kind = KindOf(made.Renderer);
      return made;
    }
  }
  made.Renderer = CreateSoftwareRenderer(window);
  made.Kind = RendererKind::Software;
  return made;
}
