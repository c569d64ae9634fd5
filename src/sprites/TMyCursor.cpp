#include "sprites/TMyCursor.h"

#include "app/ShellState.h"
#include "sprites/TSpriteEngine.h"

TMyCursor::TMyCursor(TSpriteEngine* engine, int selector, int picture, double x, double y, int z,
                     int blinkMs)
    : TMyImageSprite(engine, selector, picture, x, y, z), BlinkMs(blinkMs) {
  Visible = false;
}

TMyCursor* TMyCursor::Create(TSpriteEngine* engine, int selector, int picture, double x, double y,
                             int z, int blinkMs) {
  return Make<TMyCursor>(engine, selector, picture, x, y, z, blinkMs);
}

// Counted in whole frames, so the first move of a blinking cursor shows it.
void TMyCursor::OnMove(int lagCount) {
  TMyImageSprite::OnMove(lagCount);
  if (!Blinking) {
    Visible = false;
  } else if (BlinkLeftMs - FrameMs >= 0) {
    BlinkLeftMs -= FrameMs;
  } else {
    BlinkLeftMs = BlinkMs;
    Visible = !Visible;
  }
}
