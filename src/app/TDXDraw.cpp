#include "app/TDXDraw.h"

TDXDraw::TDXDraw(DisplayDevice& device) : Device_(device) {}

bool TDXDraw::Initialize(bool fullScreen) {
  Finalize();
  if (!Device_.Initialize(fullScreen)) return false;
  BackBuffer_.Resize(kDisplayWidth, kDisplayHeight);
  Initialized_ = true;
  if (OnSurfaceChange) OnSurfaceChange(&BackBuffer_);
  return true;
}

void TDXDraw::Finalize() {
  if (!Initialized_) return;
  Initialized_ = false;
  if (OnSurfaceChange) OnSurfaceChange(nullptr);
  Device_.Finalize();
}

bool TDXDraw::CanDraw() {
  return Initialized_ && Device_.CanDraw();
}

void TDXDraw::Flip() {
  if (Initialized_) Device_.Present(BackBuffer_);
}
