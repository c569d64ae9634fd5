// The frame timer's tick: everything the game does happens here, once per displayed frame.
#include "app/Audio.h"
#include "app/FrameTiming.h"
#include "app/ScreenHooks.h"
#include "app/ShellState.h"
#include "app/TMForm.h"

namespace {
constexpr uint16_t kBlack = 0;
constexpr int kHighlightSound = 1;

// Whether each edge's key was down in the previous tick.
struct HeldKeys {
  bool Up, Down, Left, Right, PauseKey, YesKey, NoKey, EscapeKey, EnterKey;
} Held{};

void Edge(bool& edge, bool& held, bool down) {
  edge = down && !held;
  held = down;
}

void RunScreen(int lagCount) {
  switch (CurrentScreen) {
    case ScreenMainMenu:
      RunMainMenu();
      break;
    case ScreenBikeSelect:
      RunBikeSelect();
      break;
    case ScreenOptions:
      RunOptions(lagCount);
      break;
    case ScreenHighScores:
      RunHighScores(lagCount);
      break;
    case ScreenHelp:
      RunHelp(lagCount);
      break;
    case ScreenRace:
      RunRace(lagCount);
      break;
    case ScreenNone:
      break;
  }
}
}  // namespace

void ResetHeldKeys() {
  Held = {};
}

void TMForm::PollInput() {
  MDXInput.Update(Pad_, PadDriving());
  Edge(InputEdges.Up, Held.Up, MDXInput.Held(isUp));
  Edge(InputEdges.Down, Held.Down, MDXInput.Held(isDown));
  Edge(InputEdges.Left, Held.Left, MDXInput.Held(isLeft));
  Edge(InputEdges.Right, Held.Right, MDXInput.Held(isRight));
  Edge(InputEdges.PauseKey, Held.PauseKey, MDXInput.Held(isButton6));
  Edge(InputEdges.YesKey, Held.YesKey, MDXInput.Held(isButton7));
  Edge(InputEdges.NoKey, Held.NoKey, MDXInput.Held(isButton8));
  Edge(InputEdges.EscapeKey, Held.EscapeKey, MDXInput.Held(isButton9));
  Edge(InputEdges.EnterKey, Held.EnterKey, MDXInput.Held(isButton11));
}

void TMForm::MDXTimerTimer(int lagCount) {
  const int selectedBefore = SelectedItem;
  if (!MDXDraw.CanDraw()) return;
  // The road and the menu backdrop repaint every pixel; a clear under them is wasted.
  if (!MDXSpriteEngine.DrawCoversSurface()) MDXDraw.Fill(kBlack);
  MDXSpriteEngine.Draw();
  PollInput();
  if (ActiveDialog != DialogNone) {
    RunDialog(lagCount);
    if (CurrentScreen == ScreenOptions) DrawOptionsTexts();
  } else {
    RunScreen(lagCount);
  }
  if (SelectedItem != selectedBefore) PlaySound(kHighlightSound);
  MDXSpriteEngine.PurgeRemoved();
  MeasuredFrameRate = MDXTimer.FrameRate();
  UpdateFrameTiming();
  MDXDraw.Flip();
}
