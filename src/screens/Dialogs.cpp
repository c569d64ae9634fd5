#include "screens/Dialogs.h"

#include <string>

#include "app/Audio.h"
#include "app/Dispatch.h"
#include "app/InputState.h"
#include "app/ScreenHooks.h"
#include "app/ShellState.h"
#include "app/TMForm.h"
#include "race/RiderState.h"
#include "race/TrackState.h"
#include "screens/MenuItems.h"
#include "screens/RaceHud.h"
#include "screens/Text.h"
#include "sprites/TMenuButton.h"
#include "sprites/TMyCursor.h"
#include "storage/HighScores.h"

int TimeBonus = 0;
int ResultsLines = 0;
int ResultsStepMs = 0;
int ResultsHoldMs = 0;
bool SendingStarted = false;

namespace {
constexpr int kResultLineSound = 3;
constexpr int kTimeBonusSound = 18;
constexpr int kRaceFinishedSound = 21;
constexpr int kResultLineMs = 1000;
constexpr int kResultsHoldMs = 2000;
constexpr int kRaceFinishedMs = 3200;
constexpr int kTimeBonusPerSecond = 5;
// The time left runs down this many times faster than real time during the tally.
constexpr int kTallySpeed = 10;
constexpr int kLastLevel = 10;
constexpr char kEnter = '\r';

bool IsYesNo(DialogKind kind) {
  return kind == DialogExitGame || kind == DialogExitToMenu || kind == DialogClearHighScores ||
         kind == DialogSendScore;
}

void Centred(const std::string& text, int x, int y) {
  PrintText(text, x, y, true, true);
}

void RunYesNoKeys(int lagCount) {
  for (int item : {kItemYes, kItemNo}) {
    if (ItemSprites[item]) ItemSprites[item]->Move(lagCount);
  }
  HighlightSelection(/*mouseTest=*/false);
  if (InputEdges.YesKey) ConfirmItem(kItemYes);
  if (InputEdges.NoKey) ConfirmItem(kItemNo);
  if (InputEdges.Left) {
    SelectedItem = SnapToFirst(SelectedItem, FirstItem, LastItem);
    SelectedItem = StepDownWithin(SelectedItem, FirstItem);
  }
  if (InputEdges.Right) {
    SelectedItem = SnapToLast(SelectedItem, FirstItem, LastItem);
    SelectedItem = StepUpWithin(SelectedItem, LastItem);
  }
}

// The end of a game: the name entry when the score makes the table, else the main menu.
void EndGame() {
  CloseDialog();
  if (QualifiesForHighScores(Score)) {
    OpenDialog(DialogEnterName);
  } else {
    EndRace();
    EnterMainMenu(/*intro=*/false, /*item=*/1, /*create=*/true);
  }
}

void RunNameEntry(int lagCount) {
  SetTextStyle(9);
  Centred("Your score is " + std::to_string(Score), 382, 253);
  Centred("Please enter your name: ", 382, 288);
  SetTextStyle(10);
  Centred(NameEntry, 382, 323);
  if (NameCursor) {
    NameCursor->X = GetTextWidth(NameEntry) / 2.0 + 384;
    NameCursor->Move(lagCount);
  }
  if (LastTypedChar == kEnter) {
    LastTypedChar = 0;
    HighScores[kPendingSlot] = {NameEntry, Score};
    InsertHighScore();
    CloseDialog();
    OpenDialog(DialogSendScore);
  }
}

void RunSending() {
  SetTextStyle(1);
  Centred("Sending...", 382, 269);
  if (!SendingStarted) {
    SendingStarted = true;  // this frame shows the text before the request is made
    return;
  }
  if (!SubmitScore()) return;  // the text stays on screen while the request runs
  CloseDialog();
  EndRace();
  EnterMainMenu(/*intro=*/false, /*item=*/1, /*create=*/true);
  EnterHighScores();
}

void RunResults() {
  if (ResultsStepMs > 0) {
    ResultsStepMs -= FrameMs;
  } else {
    ResultsStepMs = kResultLineMs;
    ++ResultsLines;
    if (ResultsLines < 5) PlaySound(kResultLineSound);
  }
  SetTextStyle(11);
  if (ResultsLines >= 1) Centred("Your rank is " + std::to_string(RacePlace), 382, 244);
  if (ResultsLines >= 2) Centred("Bonus: " + std::to_string(PlacePrize), 382, 274);
  if (ResultsLines >= 3) {
    PrintText("Time left: " + std::to_string(EndDelayMs / 1000), 307, 304, false, true);
  }
  if (ResultsLines >= 4) {
    PrintText("Time bonus: " + std::to_string(TimeBonus), 292, 334, false, true);
  }
  if (ResultsLines < 5) return;
  if (EndDelayMs >= 0) {
    const int step = kTallySpeed * FrameMs;
    const int before = static_cast<int>(EndDelayMs / 1000.0);
    const int after = static_cast<int>((EndDelayMs - step) / 1000.0);
    if (before > after) {
      TimeBonus += kTimeBonusPerSecond;
      PlaySound(kTimeBonusSound);
    }
    EndDelayMs -= step;
    ResultsHoldMs = kResultsHoldMs;
  } else if (ResultsHoldMs > 0) {
    ResultsHoldMs -= FrameMs;
  } else {
    Score += PlacePrize + TimeBonus;
    CloseDialog();
    if (Level < kLastLevel) {
      RestartRace(Level + 1);
    } else {
      EndDelayMs = kRaceFinishedMs;
      PlaySound(kRaceFinishedSound);
      OpenDialog(DialogRaceFinished);
    }
  }
}

void DrawAndAct(int lagCount) {
  switch (ActiveDialog) {
    case DialogExitGame:
      SetTextStyle(1);
      Centred("Exit the game?", 382, 269);
      break;
    case DialogExitToMenu:
      SetTextStyle(1);
      Centred("Exit to menu?", 382, 269);
      break;
    case DialogTimeOver:
      SetTextStyle(5);
      Centred("Your time is over,", 348, 217);
      Centred("Try again, please!", 348, 267);
      if (!CountDownDialogTimer()) {
        CloseDialog();
        RestartRace(Level);
      }
      break;
    case DialogClearHighScores:
      SetTextStyle(3);
      Centred("Do you want to clear", 382, 253);
      Centred("the High Score Table?", 382, 283);
      break;
    case DialogPause:
      SetTextStyle(5);
      Centred("Pause", 400, 300);
      if (InputEdges.PauseKey) CloseDialog();
      if (InputEdges.EscapeKey) CloseDialog();
      break;
    case DialogLevelStart:
      SetTextStyle(5);
      Centred("Level " + std::to_string(Level), 400, 300);
      if (!CountDownDialogTimer()) CloseDialog();
      break;
    case DialogGameOver:
      SetTextStyle(5);
      Centred("Game Over", 400, 300);
      if (!CountDownDialogTimer()) EndGame();
      break;
    case DialogEnterName:
      RunNameEntry(lagCount);
      break;
    case DialogSendScore:
      SetTextStyle(11);
      Centred("Send the result to World's", 382, 245);
      Centred("Highscores page?", 382, 281);
      break;
    case DialogSending:
      RunSending();
      break;
    case DialogLevelResults:
      RunResults();
      break;
    case DialogRaceFinished:
      SetTextStyle(9);
      Centred("CONGRATULATIONS!", 382, 259);
      Centred("You finished the race!", 382, 309);
      if (EndDelayMs > 0) {
        EndDelayMs -= FrameMs;
      } else {
        EndGame();
      }
      break;
    case DialogNone:
      break;
  }
}
}  // namespace

bool CountDownDialogTimer() {
  if (DialogTimerMs - FrameMs < 0) return false;
  DialogTimerMs -= FrameMs;
  return true;
}

void RunDialog(int lagCount) {
  if (IsYesNo(ActiveDialog)) RunYesNoKeys(lagCount);
  DrawAndAct(lagCount);
  if (CurrentScreen == ScreenRace) DrawRaceHud();
}

void ResetDialogState() {
  TimeBonus = ResultsLines = ResultsStepMs = ResultsHoldMs = 0;
  SendingStarted = false;
}
