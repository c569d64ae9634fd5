#include "app/Dispatch.h"

#include "app/Audio.h"
#include "app/ScreenHooks.h"
#include "app/TMForm.h"
#include "race/RiderState.h"
#include "screens/Dialogs.h"
#include "sprites/TMenuButton.h"
#include "sprites/TMyCursor.h"
#include "sprites/TMyImageSprite.h"
#include "storage/GameOptions.h"
#include "storage/HighScores.h"

bool MusicResumePending = false;
TMyCursor* NameCursor = nullptr;

namespace {
constexpr int kMenuList = 1;
constexpr int kPanelPicture = 33;
constexpr int kYesPicture = 34;
constexpr int kNoPicture = 35;
constexpr int kCursorPicture = 22;
constexpr int kCursorBlinkMs = 600;
constexpr int kLevelStartMs = 2000;
constexpr int kTimedMessageMs = 3000;
constexpr int kConfirmSound = 2;
constexpr int kBikeArrowSound = 3;

bool HasPanel(DialogKind kind) {
  switch (kind) {
    case DialogExitGame:
    case DialogExitToMenu:
    case DialogClearHighScores:
    case DialogEnterName:
    case DialogSendScore:
    case DialogSending:
    case DialogLevelResults:
    case DialogRaceFinished:
      return true;
    default:
      return false;
  }
}

bool IsYesNo(DialogKind kind) {
  return kind == DialogExitGame || kind == DialogExitToMenu || kind == DialogClearHighScores ||
         kind == DialogSendScore;
}

TMenuButton* MenuButton(int item) {
  return static_cast<TMenuButton*>(ItemSprites[item]);
}

void RequestRemovalOfItem(int item) {
  if (auto* button = MenuButton(item)) button->RequestRemoval();
  ItemSprites[item] = nullptr;
}

void CreateDialogButton(int item, int picture, int x, bool dialogZ) {
  auto* button = TMenuButton::Create(&MForm->MDXSpriteEngine, kMenuList, picture, picture,
                                     /*normalPattern=*/1, /*highPattern=*/0, x, /*y=*/306);
  button->SetZ(15);
  button->DialogZ = dialogZ;
  ItemSprites[item] = button;
}

// The six menu buttons' own screen on the side menu.
int OwnSideButton(ScreenKind screen) {
  switch (screen) {
    case ScreenBikeSelect:
      return 1;
    case ScreenOptions:
      return 3;
    case ScreenHighScores:
      return 4;
    case ScreenHelp:
      return 2;
    default:
      return 0;
  }
}

void LeaveSubScreen(ScreenKind screen) {
  switch (screen) {
    case ScreenBikeSelect:
      LeaveBikeSelect();
      break;
    case ScreenOptions:
      LeaveOptions();
      break;
    case ScreenHighScores:
      LeaveHighScores();
      break;
    case ScreenHelp:
      LeaveHelp();
      break;
    default:
      break;
  }
}

void ActAsMainMenu(int item) {
  switch (item) {
    case 1:
      EnterBikeSelect();
      break;
    case 2:
      EnterHelp();
      break;
    case 3:
      EnterOptions();
      break;
    case 4:
      EnterHighScores();
      break;
    case 5:
      OpenHomePage();
      break;
    case 6:
      OpenDialog(DialogExitGame);
      break;
    default:
      break;
  }
}

void EndRaceToMainMenu(int item) {
  EndRace();
  EnterMainMenu(/*intro=*/false, item, /*create=*/true);
}

void ConfirmInDialog() {
  const DialogKind kind = ActiveDialog;
  const bool yes = SelectedItem == kItemYes;
  const bool no = SelectedItem == kItemNo;
  if (!IsYesNo(kind) || (!yes && !no)) return;
  CloseDialog();
  if (no) {
    if (kind == DialogSendScore) {
      EndRaceToMainMenu(4);
      EnterHighScores();
    }
    return;
  }
  switch (kind) {
    case DialogExitGame:
      LeaveMainMenu();
      MForm->ShutDown();
      break;
    case DialogExitToMenu:
      if (QualifiesForHighScores(Score)) {
        OpenDialog(DialogEnterName);
      } else {
        EndRaceToMainMenu(1);
      }
      break;
    case DialogClearHighScores:
      ResetHighScores();
      break;
    case DialogSendScore:
      OpenDialog(DialogSending);
      break;
    default:
      break;
  }
}

void ConfirmOnScreen() {
  switch (CurrentScreen) {
    case ScreenMainMenu:
      if (!MenuIntroActive) ActAsMainMenu(SelectedItem);
      break;
    case ScreenBikeSelect:
      if (BikeChangeState != 0) break;
      switch (SelectedItem) {
        case 7:
          PreviousBike();
          break;
        case 8:
          NextBike();
          break;
        case 9:
          LeaveBikeSelect();
          EnterMainMenu(false, 1, false);
          LeaveMainMenu();
          StartRace();
          break;
        case 10:
          LeaveBikeSelect();
          EnterMainMenu(false, 1, false);
          break;
      }
      break;
    case ScreenOptions:
      switch (SelectedItem) {
        case 7:
          GameOptions.FullScreen = !GameOptions.FullScreen;
          MForm->ApplyDisplayMode();
          break;
        case 8:
          GameOptions.MusicOn = !GameOptions.MusicOn;
          StopMusic();
          PlayScreenMusic();
          break;
        case 9:
          GameOptions.SoundOn = !GameOptions.SoundOn;
          break;
        case 10:
          ToggleCountryEntry();
          break;
        case 11:
          ToggleBossCapture();
          break;
        case 12:
          LeaveOptions();
          EnterMainMenu(false, 3, false);
          break;
      }
      break;
    case ScreenHighScores:
      switch (SelectedItem) {
        case 7:
          OpenDialog(DialogClearHighScores);
          break;
        case 8:
          OpenOnlineHighScores();
          break;
        case 9:
          LeaveHighScores();
          EnterMainMenu(false, 4, false);
          break;
      }
      break;
    case ScreenHelp:
      switch (SelectedItem) {
        case 7:
          PreviousHelpPage();
          break;
        case 8:
          NextHelpPage();
          break;
        case 9:
          LeaveHelp();
          EnterMainMenu(false, 2, false);
          break;
      }
      break;
    default:
      break;
  }
}

// The mouse rests on another side-menu button of a sub-screen: go straight to that screen.
void SwitchBySideMenu() {
  const ScreenKind screen = CurrentScreen;
  const int own = OwnSideButton(screen);
  if (own == 0 || HoveredTab == 0 || SelectedItem != 0 || HoveredTab == own) return;
  const int target = HoveredTab;
  LeaveSubScreen(screen);
  EnterMainMenu(false, 1, false);
  if (auto* button = MenuButton(own)) button->ShowNormal();
  if (auto* button = MenuButton(target)) button->ShowHighlighted();
  ActAsMainMenu(target);
}
}  // namespace

void OpenDialog(DialogKind kind) {
  if (ActiveDialog != DialogNone) return;
  StopBikeSounds();
  ActiveDialog = kind;
  SavedSelection = {SelectedItem, FirstItem, LastItem};
  TSpriteEngine& engine = MForm->MDXSpriteEngine;
  if (HasPanel(kind)) {
    DialogPanel = TMyImageSprite::CreateAt(&engine, kMenuList, kPanelPicture, /*x=*/185,
                                           /*y=*/219, /*z=*/14);
  }
  if (kind == DialogEnterName) ShowMouseCursor();
  if (IsYesNo(kind)) {
    ShowMouseCursor();
    FirstItem = kItemYes;
    LastItem = kItemNo;
    SelectedItem = kind == DialogSendScore ? kItemYes : kItemNo;
    const bool dialogZ = kind == DialogExitGame;
    CreateDialogButton(kItemYes, kYesPicture, 249, dialogZ);
    CreateDialogButton(kItemNo, kNoPicture, 377, dialogZ);
  }
  if (kind == DialogLevelStart) DialogTimerMs = kLevelStartMs;
  if (kind == DialogTimeOver || kind == DialogGameOver) DialogTimerMs = kTimedMessageMs;
  if (kind == DialogEnterName) {
    NameCursor = TMyCursor::Create(&engine, kMenuList, kCursorPicture, /*x=*/221, /*y=*/314,
                                   /*z=*/15, kCursorBlinkMs);
    NameCursor->Blinking = true;
  }
  if (kind == DialogExitToMenu || kind == DialogPause) StopBikeSounds();
  SendingStarted = false;
}

void CloseDialog() {
  const DialogKind kind = ActiveDialog;
  SelectedItem = SavedSelection.SelectedItem;
  FirstItem = SavedSelection.FirstItem;
  LastItem = SavedSelection.LastItem;
  if (HasPanel(kind) && DialogPanel) {
    DialogPanel->RequestRemoval();
    DialogPanel = nullptr;
  }
  if (kind == DialogEnterName) {
    HideMouseCursor();
    if (NameCursor) {
      NameCursor->Visible = false;
      NameCursor->RequestRemoval();
      NameCursor = nullptr;
    }
  }
  if (IsYesNo(kind)) {
    if (CurrentScreen == ScreenRace) HideMouseCursor();
    RequestRemovalOfItem(kItemYes);
    RequestRemovalOfItem(kItemNo);
  }
  if (kind == DialogExitToMenu || kind == DialogPause) ResumeBikeSounds();
  ActiveDialog = DialogNone;
  if (MusicResumePending) {
    MusicResumePending = false;
    PlayScreenMusic();
  }
}

void ConfirmSelection() {
  const bool raceWithoutDialog = CurrentScreen == ScreenRace && ActiveDialog == DialogNone;
  if (!raceWithoutDialog) {
    const bool bikeArrow =
        CurrentScreen == ScreenBikeSelect && (SelectedItem == 7 || SelectedItem == 8);
    PlaySound(bikeArrow ? kBikeArrowSound : kConfirmSound);
  }
  if (ActiveDialog != DialogNone) {
    ConfirmInDialog();
    return;
  }
  ConfirmOnScreen();
  SwitchBySideMenu();
}

void ConfirmItem(int item) {
  SelectedItem = item;
  ConfirmSelection();
}

void ShowMouseCursor() {
  while (MForm->ShowCursor(true) < 0) {
  }
}

void HideMouseCursor() {
  while (MForm->ShowCursor(false) >= 0) {
  }
}
