// The window's key and mouse events: Alt+Enter, the boss key, Enter and the mouse highlight.
#include "app/Audio.h"
#include "app/Dispatch.h"
#include "app/InputState.h"
#include "app/ScreenHooks.h"
#include "app/TMForm.h"
#include "platform/KeyCodes.h"
#include "screens/Text.h"
#include "sprites/TMenuButton.h"
#include "storage/GameOptions.h"

int MouseX = 0;
int MouseY = 0;
bool BossCaptureMode = false;
bool CountryEntryOn = false;
std::string NameEntry;
char LastTypedChar = 0;

namespace {
constexpr int kHighlightSound = 1;
constexpr int kCountryStyle = 4;
constexpr int kNameStyle = 10;
constexpr char kBackspace = '\b';

// The boss key as it was when the capture started, put back if no F-key was caught.
uint8_t CaptureOldModifier = 0;
uint16_t CaptureOldKey = 0;

bool IsFunctionKey(uint16_t key) {
  return key >= vk::F1 && key <= vk::F12;
}

void EditText(std::string& text, char ch, size_t maxLength, int maxWidth, int style) {
  if (ch == kBackspace) {
    if (!text.empty()) text.pop_back();
  } else if (IsAllowedCharacter(ch) && text.size() < maxLength &&
             StyledTextWidth(text, style) <= maxWidth) {
    text += ch;
  }
}
}  // namespace

bool IsAllowedCharacter(char ch) {
  return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') ||
         ch == ' ';
}

void TypeCharacter(char ch) {
  if (ActiveDialog == DialogEnterName) LastTypedChar = ch;
  if (CurrentScreen == ScreenOptions && CountryEntryOn) {
    EditText(GameOptions.Country, ch, kMaxCountryLength, kMaxCountryWidth, kCountryStyle);
  }
  if (ActiveDialog == DialogEnterName) {
    EditText(NameEntry, ch, kMaxNameLength, kMaxNameWidth, kNameStyle);
  }
}

void ToggleBossCapture() {
  if (!BossCaptureMode) {
    CaptureOldModifier = BossModifier;
    CaptureOldKey = BossKey;
    BossModifier = 0;
    BossKey = 0;
    BossCaptureMode = true;
    return;
  }
  BossCaptureMode = false;
  if (BossKey == 0) {
    BossModifier = CaptureOldModifier;
    BossKey = CaptureOldKey;
  }
}

void FormKeyBoss(uint16_t key, uint8_t shift, bool pressed) {
  BossModifier = (shift & ss::Alt)     ? ss::Alt
                 : (shift & ss::Ctrl)  ? ss::Ctrl
                 : (shift & ss::Shift) ? ss::Shift
                                       : 0;
  if (pressed) {
    BossKey = IsFunctionKey(key) ? key : 0;
    if (BossKey != 0) ToggleBossCapture();
  } else if (IsFunctionKey(key)) {
    BossKey = 0;
  }
}

void BossHide() {
  StopMusic();
  if (CurrentScreen == ScreenRace) {
    if (ActiveDialog == DialogLevelStart) CloseDialog();
    OpenDialog(DialogPause);
  }
  MusicResumePending = true;
  if (GameOptions.FullScreen) {
    GameOptions.FullScreen = false;
    MForm->EnterWindowed();
  }
  MForm->MinimizeApplication();
}

bool ItemContainsPoint(int item, int x, int y) {
  const auto* button = dynamic_cast<const TMenuButton*>(ItemSprites[item]);
  return button && button->HitBoxContains(x, y);
}

void UpdateHover(bool keep) {
  if (!keep) SelectedItem = 0;
  for (int i = FirstItem; i <= LastItem; ++i) {
    if (i < 1 || i > kItemSlots) continue;
    if (ItemContainsPoint(i, MouseX, MouseY)) {
      SelectedItem = i;
      return;
    }
  }
}

void TMForm::FormKeyDown(uint16_t key, uint8_t shift) {
  if (BossCaptureMode) {
    FormKeyBoss(key, shift, /*pressed=*/true);
  } else if (shift == BossModifier && key == BossKey) {
    BossHide();
  }
  if ((shift & ss::Alt) && key == vk::Return) {
    GameOptions.FullScreen = !GameOptions.FullScreen;
    if (CurrentScreen == ScreenRace) OpenDialog(DialogPause);
    ApplyDisplayMode();
  }
}

void TMForm::FormKeyUp(uint16_t key, uint8_t shift) {
  if (BossCaptureMode) FormKeyBoss(key, shift, /*pressed=*/false);
}

void TMForm::FormKeyPress(char ch) {
  TypeCharacter(ch);
  if (ch == '\r') ConfirmItem(SelectedItem);
}

void TMForm::MDXDrawMouseDown(uint8_t, int, int) {}
void TMForm::MDXDrawMouseUp(uint8_t, int, int) {}

void TMForm::MDXDrawMouseMove(uint8_t, int x, int y) {
  MouseX = x;
  MouseY = y;
  const int selectedBefore = SelectedItem;
  UpdateHover(/*keep=*/CurrentScreen == ScreenMainMenu);
  const bool introRunning = CurrentScreen == ScreenMainMenu && MenuIntroActive;
  if (SelectedItem != selectedBefore && !introRunning) PlaySound(kHighlightSound);
}

void TMForm::MDXDrawClick() {
  ConfirmSelection();
}
