#include "app/ShellState.h"

ScreenKind CurrentScreen = ScreenNone;
DialogKind ActiveDialog = DialogNone;
int SelectedItem = 0;
int FirstItem = 0;
int LastItem = 0;
std::array<TSprite*, kItemSlots + 1> ItemSprites{};
int HoveredTab = 0;
bool MenuIntroActive = false;
TSavedSelection SavedSelection;
int DialogTimerMs = 0;
TMyImageSprite* DialogPanel = nullptr;
TInputEdges InputEdges;

int MeasuredFrameRate = 0;
int RefreshRate = 0;
double MotionFactor = 1.0;
int FrameMs = 15;

void ResetShellState() {
  CurrentScreen = ScreenNone;
  ActiveDialog = DialogNone;
  SelectedItem = FirstItem = LastItem = 0;
  ItemSprites.fill(nullptr);
  HoveredTab = 0;
  MenuIntroActive = false;
  SavedSelection = {};
  DialogTimerMs = 0;
  DialogPanel = nullptr;
  InputEdges = {};
  MeasuredFrameRate = 0;
  RefreshRate = 0;
  MotionFactor = 1.0;
  FrameMs = 15;
}

int NextItemWrap(int v, int lo, int hi) {
  return (v < lo || v >= hi) ? lo : v + 1;
}
int PreviousItemWrap(int v, int lo, int hi) {
  return (v <= lo || v > hi) ? hi : v - 1;
}
int StepUpWithin(int v, int hi) {
  return v + 1 <= hi ? v + 1 : v;
}
int StepDownWithin(int v, int lo) {
  return v - 1 >= lo ? v - 1 : v;
}
int SnapToFirst(int v, int lo, int hi) {
  return (v < lo || v > hi) ? lo : v;
}
int SnapToLast(int v, int lo, int hi) {
  return (v < lo || v > hi) ? hi : v;
}
