// State the game shell shares with every screen: which screen and dialog are shown, the item
// selection, the per-tick key edges and the frame timing.
#pragma once

#include <array>
#include <cstdint>

class TMenuButton;
class TMyImageSprite;
class TSprite;

enum ScreenKind : uint8_t {
  ScreenNone = 0,
  ScreenMainMenu = 1,
  ScreenBikeSelect = 2,
  ScreenOptions = 3,
  ScreenHighScores = 4,
  ScreenHelp = 5,
  ScreenRace = 6,
};

enum DialogKind : uint8_t {
  DialogNone = 0,
  DialogExitGame = 1,
  DialogExitToMenu = 2,
  DialogTimeOver = 3,
  DialogClearHighScores = 4,
  DialogPause = 5,
  DialogLevelStart = 6,
  DialogGameOver = 7,
  DialogEnterName = 8,
  DialogSendScore = 9,
  DialogSending = 10,
  DialogLevelResults = 11,
  DialogRaceFinished = 12,
};

// Item numbers: 1..6 the main menu buttons (a side menu on the sub-screens), 7.. a sub-screen's
// own items, 11 and 12 a dialog's Yes and No, 16 and 17 the screen's title pictures.
constexpr int kItemSlots = 17;
constexpr int kItemYes = 11;
constexpr int kItemNo = 12;

struct TInputEdges {
  bool Up = false, Down = false, Left = false, Right = false;
  bool PauseKey = false, YesKey = false, NoKey = false, EscapeKey = false, EnterKey = false;
};

struct TSavedSelection {
  int SelectedItem = 0, FirstItem = 0, LastItem = 0;
};

extern ScreenKind CurrentScreen;
extern DialogKind ActiveDialog;
extern int SelectedItem;
extern int FirstItem;
extern int LastItem;
// Sprite of each item, indexed 1..17 (slot 0 unused).
extern std::array<TSprite*, kItemSlots + 1> ItemSprites;
extern int HoveredTab;
extern bool MenuIntroActive;
extern TSavedSelection SavedSelection;
extern int DialogTimerMs;
extern TMyImageSprite* DialogPanel;
extern TInputEdges InputEdges;

// Frame timing: motion is tuned to 85 frames a second and scaled by MotionFactor; countdowns in
// milliseconds drop by FrameMs each tick.
extern int MeasuredFrameRate;
extern int RefreshRate;
extern double MotionFactor;
extern int FrameMs;

// Resets every value above to its state before start-up (for tests and the headless runner).
void ResetShellState();

// Item-number helpers over the bounds lo..hi.
int NextItemWrap(int v, int lo, int hi);
int PreviousItemWrap(int v, int lo, int hi);
int StepUpWithin(int v, int hi);
int StepDownWithin(int v, int lo);
int SnapToFirst(int v, int lo, int hi);
int SnapToLast(int v, int lo, int hi);
