// Which of SDL's renderers shows the picture. A GPU renderer where the machine has a GPU; SDL's
// software renderer, drawing straight into the window's own framebuffer, where the GPU path
// would only be OpenGL on a software rasteriser (no GPU driver, as under Xvfb, VNC and most
// virtual machines): that costs several times the CPU and memory for the same picture.
#pragma once

#include <SDL.h>

#include <optional>
#include <string_view>

enum class RendererKind { Gpu, Software };

struct PresentingRenderer {
  SDL_Renderer* Renderer = nullptr;  // nullptr when no renderer could be made
  RendererKind Kind = RendererKind::Software;
};

// Makes the renderer for the window. The first call chooses (probing OpenGL only where a GPU
// driver may answer); later calls pass the kind chosen then, so a display mode switch makes
// the same kind again without a second probe.
PresentingRenderer CreatePresentingRenderer(SDL_Window* window,
                                            std::optional<RendererKind> chosenBefore);

// Whether an OpenGL renderer string (GL_RENDERER) names a rasteriser that runs on the CPU.
bool IsSoftwareRasteriser(std::string_view glRenderer);
