// The options screen. Its settings take effect at once and are saved at shutdown; the
// dispatcher toggles them, this screen shows them and moves the highlight.
#include "screens/OptionsScreen.h"

#include "app/Dispatch.h"
#include "app/InputState.h"
#include "app/ScreenHooks.h"
#include "app/ShellState.h"
#include "app/TMForm.h"
#include "platform/KeyCodes.h"
#include "screens/MenuItems.h"
#include "screens/Text.h"
#include "sprites/GameImages.h"
#include "sprites/TMenuButton.h"
#include "sprites/TMyCursor.h"
#include "storage/GameOptions.h"

TMyCursor* TextCursor = nullptr;
TMyImageSprite* DisplayState = nullptr;
TMyImageSprite* MusicState = nullptr;
TMyImageSprite* SoundState = nullptr;

namespace {
constexpr int kMenuList = 1;
constexpr int kTitleSlot = 16;
constexpr int kPanelSlot = 17;
constexpr int kLabelStyle = 12;
constexpr int kSelectedLabelStyle = 16;
constexpr int kValueStyle = 13;
constexpr int kCursorBlinkMs = 600;
constexpr int kCountryX = 580;
constexpr int kCountryY = 417;
constexpr int kBossKeyTextX = 575;
constexpr int kBossKeyTextY = 494;
// Gap between the end of the country text and the cursor.
constexpr int kCursorGapPx = 2;

enum Item { kDisplay = 7, kMusic = 8, kSound = 9, kCountry = 10, kBossKey = 11, kBack = 12 };

constexpr int kHitAreaPicture = 0;  // draws nothing
constexpr int kWindowPicture = 14;
constexpr int kFullScreenPicture = 15;
constexpr int kMusicOnPicture = 16;
constexpr int kMusicOffPicture = 17;
constexpr int kSoundOnPicture = 18;
constexpr int kSoundOffPicture = 19;
constexpr int kCountryFieldPicture = 20;
constexpr int kBossKeyFieldPicture = 21;
constexpr int kCursorPicture = 22;
constexpr int kTitlePicture = 26;
constexpr int kBackPicture = 36;
constexpr int kPanelPicture = 51;

// The settings' items are bare hit areas: the label's colour shows the selection.
struct HitArea {
  int Item, X, Y, Width, Height;
};
constexpr HitArea kHitAreas[] = {{kDisplay, 530, 154, 94, 70},
                                 {kMusic, 459, 257, 84, 70},
                                 {kSound, 604, 257, 84, 70},
                                 {kCountry, 486, 365, 170, 70},
                                 {kBossKey, 510, 441, 120, 70}};

struct Label {
  const char* Text;
  int X, Y, Item;
};
constexpr Label kLabels[] = {{"Display:", 574, 168, kDisplay},
                             {"Music:", 504, 272, kMusic},
                             {"Sound:", 646, 272, kSound},
                             {"Country:", 575, 380, kCountry},
                             {"Boss Key:", 570, 458, kBossKey}};

// The fields the country and the boss key are written on.
TMyImageSprite* CountryField = nullptr;
TMyImageSprite* BossKeyField = nullptr;

// No more than the entry lets the player type, however long the text that was read.
std::string ShownCountry() {
  return GameOptions.Country.substr(0, kMaxCountryLength);
}

void RemoveSprite(TMyImageSprite*& sprite) {
  if (sprite) sprite->RequestRemoval();
  sprite = nullptr;
}

void ShowState(TMyImageSprite* sprite, int picture) {
  if (!sprite) return;
  TDXImageList* list = GameImageList(kMenuList);
  // Only on a change: a new picture starts again from its first pattern.
  if (list && sprite->Image() != list->Item(picture)) sprite->SetPicture(picture);
}

void Centred(const std::string& text, int x, int y) {
  PrintText(text, x, y, /*centerX=*/true, /*centerY=*/true);
}

void MoveByKeys() {
  const TInputEdges& e = InputEdges;
  if (e.Up) {
    if (SelectedItem == kMusic || SelectedItem == kSound) SelectedItem = kDisplay;
    if (SelectedItem == kCountry) SelectedItem = kMusic;
    if (SelectedItem == kBossKey) SelectedItem = kCountry;
    if (SelectedItem == kBack) SelectedItem = kBossKey;
  }
  if (e.Down) {
    if (SelectedItem == kBossKey) SelectedItem = kBack;
    if (SelectedItem == kCountry) SelectedItem = kBossKey;
    if (SelectedItem == kMusic || SelectedItem == kSound) SelectedItem = kCountry;
    if (SelectedItem == kDisplay) SelectedItem = kMusic;
  }
  if (e.Left && SelectedItem == kSound) SelectedItem = kMusic;
  if (e.Right && SelectedItem == kMusic) SelectedItem = kSound;
}
}  // namespace

std::string BossKeyText(uint8_t modifier, uint16_t key) {
  std::string text;
  if (modifier & ss::Alt) {
    text = "ALT+";
  } else if (modifier & ss::Ctrl) {
    text = "CTRL+";
  } else if (modifier & ss::Shift) {
    text = "SHIFT+";
  }
  if (key >= vk::F1 && key <= vk::F12) {
    text += 'F';
    text += std::to_string(key - vk::F1 + 1);
  }
  if (text.empty()) return "?";
  if (text.back() == '+') text += '?';
  return text;
}

std::string BossKeyText() {
  return BossKeyText(BossModifier, BossKey);
}

void EnterOptions() {
  CurrentScreen = ScreenOptions;
  FirstItem = kDisplay;
  LastItem = kBack;
  SelectedItem = kBack;
  TSpriteEngine* engine = &MForm->MDXSpriteEngine;
  ItemSprites[kTitleSlot] = TMyImageSprite::CreateAt(engine, kMenuList, kTitlePicture, 406, 42, 3);
  ItemSprites[kPanelSlot] = TMyImageSprite::CreateAt(engine, kMenuList, kPanelPicture, 358, 130, 3);
  CountryField = TMyImageSprite::CreateAt(engine, kMenuList, kCountryFieldPicture, 392, 400, 4);
  BossKeyField = TMyImageSprite::CreateAt(engine, kMenuList, kBossKeyFieldPicture, 468, 478, 4);
  DisplayState = TMyImageSprite::CreateAt(
      engine, kMenuList, GameOptions.FullScreen ? kFullScreenPicture : kWindowPicture, 456, 192, 4);
  MusicState = TMyImageSprite::CreateAt(
      engine, kMenuList, GameOptions.MusicOn ? kMusicOnPicture : kMusicOffPicture, 444, 296, 4);
  SoundState = TMyImageSprite::CreateAt(
      engine, kMenuList, GameOptions.SoundOn ? kSoundOnPicture : kSoundOffPicture, 590, 296, 4);
  TextCursor = TMyCursor::Create(engine, kMenuList, kCursorPicture, 392, 406, 5, kCursorBlinkMs);
  TextCursor->Blinking = false;
  for (const HitArea& area : kHitAreas) {
    auto* button = TMenuButton::Create(engine, kMenuList, kHitAreaPicture, kHitAreaPicture,
                                       /*normalPattern=*/0,
                                       /*highPattern=*/0, area.X, area.Y);
    button->HitWidth = area.Width;
    button->HitHeight = area.Height;
    ItemSprites[area.Item] = button;
  }
  ItemSprites[kBack] =
      TMenuButton::Create(engine, kMenuList, kBackPicture, kBackPicture, /*normalPattern=*/1,
                          /*highPattern=*/0, 661, 542);
  CountryEntryOn = false;
  BossCaptureMode = false;
}

void RunOptions(int lagCount) {
  HighlightSelection(/*mouseTest=*/true);
  const TInputEdges& e = InputEdges;
  if ((e.Left || e.Right || e.Up || e.Down) && (SelectedItem < kDisplay || SelectedItem > kBack)) {
    SelectedItem = kDisplay;
  }
  if (!CountryEntryOn) MoveByKeys();
  if (e.EscapeKey) ConfirmItem(CountryEntryOn ? kCountry : kBack);
  if (CurrentScreen != ScreenOptions) return;  // Escape went back to the main menu
  MForm->MDXSpriteEngine.Move(lagCount);
  DrawOptionsTexts();
  if (TextCursor) {
    TextCursor->X = StyledTextWidth(ShownCountry(), kValueStyle) / 2.0 + kCountryX + kCursorGapPx;
  }
}

void DrawOptionsTexts() {
  for (const Label& label : kLabels) {
    SetTextStyle(label.Item == SelectedItem ? kSelectedLabelStyle : kLabelStyle);
    Centred(label.Text, label.X, label.Y);
  }
  SetTextStyle(kValueStyle);
  Centred(ShownCountry(), kCountryX, kCountryY);
  Centred(BossKeyText(), kBossKeyTextX, kBossKeyTextY);
  ShowState(DisplayState, GameOptions.FullScreen ? kFullScreenPicture : kWindowPicture);
  ShowState(MusicState, GameOptions.MusicOn ? kMusicOnPicture : kMusicOffPicture);
  ShowState(SoundState, GameOptions.SoundOn ? kSoundOnPicture : kSoundOffPicture);
}

void LeaveOptions() {
  CurrentScreen = ScreenNone;
  RemoveItems();
  RemoveMenuBackdrop();
  for (TMyImageSprite** sprite :
       {&DisplayState, &MusicState, &SoundState, &CountryField, &BossKeyField}) {
    RemoveSprite(*sprite);
  }
  for (int slot : {kTitleSlot, kPanelSlot}) {
    if (auto* sprite = dynamic_cast<TMyImageSprite*>(ItemSprites[slot])) sprite->RequestRemoval();
    ItemSprites[slot] = nullptr;
  }
  if (TextCursor) TextCursor->RequestRemoval();
  TextCursor = nullptr;
}

void ToggleCountryEntry() {
  CountryEntryOn = !CountryEntryOn;
  if (TextCursor) TextCursor->Blinking = !TextCursor->Blinking;
}

void EndOptionsEditing() {
  if (BossCaptureMode) ToggleBossCapture();
  if (CountryEntryOn) ToggleCountryEntry();
}
