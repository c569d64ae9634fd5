#include "screens/MenuItems.h"

#include "app/InputState.h"
#include "app/ScreenHooks.h"
#include "app/ShellState.h"
#include "app/TMForm.h"
#include "race/TScrollBackground.h"
#include "sprites/TMenuButton.h"

TScrollBackground* MenuBackdrop = nullptr;

namespace {
constexpr int kMenuList = 1;
constexpr int kBackdropPicture = 1;
constexpr int kBackdropZ = 2;
constexpr int kSideMenuButtons = 6;
}  // namespace

TMenuButton* ItemButton(int item) {
  if (item < 1 || item > kItemSlots) return nullptr;
  return dynamic_cast<TMenuButton*>(ItemSprites[item]);
}

void HighlightSelection(bool mouseTest) {
  for (int i = FirstItem; i <= LastItem; ++i) {
    TMenuButton* button = ItemButton(i);
    if (i == SelectedItem || !button) continue;
    button->ShowNormal();
    button->Highlighted = false;
  }
  if (SelectedItem != 0 && SelectedItem >= FirstItem && SelectedItem <= LastItem) {
    TMenuButton* button = ItemButton(SelectedItem);
    if (button && !button->Highlighted) {
      button->ShowHighlighted();
      button->Highlighted = true;
      if (CurrentScreen == ScreenOptions) EndOptionsEditing();
    }
  }
  HoveredTab = 0;
  if (!mouseTest) return;
  for (int i = 1; i <= kSideMenuButtons; ++i) {
    TMenuButton* button = ItemButton(i);
    if (button && button->HitBoxContains(MouseX, MouseY)) {
      HoveredTab = i;
      return;
    }
  }
}

void RemoveItems() {
  for (int i = FirstItem; i <= LastItem; ++i) {
    if (i < 1 || i > kItemSlots) continue;
    if (TMenuButton* button = ItemButton(i)) button->RequestRemoval();
    // The sprite is gone after this tick's purge; nothing may reach it through the table.
    ItemSprites[i] = nullptr;
  }
}

void CreateMenuBackdrop() {
  MenuBackdrop =
      TScrollBackground::Create(&MForm->MDXSpriteEngine, kMenuList, kBackdropPicture, 1, 1);
  MenuBackdrop->X = 0;
  MenuBackdrop->Y = 0;
  MenuBackdrop->SetZ(kBackdropZ);
}

void RemoveMenuBackdrop() {
  if (MenuBackdrop) MenuBackdrop->RequestRemoval();
  MenuBackdrop = nullptr;
}
