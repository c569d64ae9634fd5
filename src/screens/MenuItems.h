// What every menu-like screen does with its items: refresh their looks, and remove them.
#pragma once

class TMenuButton;
class TScrollBackground;

// The item's button, or nullptr for an empty slot or a number outside the table.
TMenuButton* ItemButton(int item);
// Normal look for every item but the selected one, which lights up; with mouseTest also finds
// the side-menu button under the mouse (HoveredTab).
void HighlightSelection(bool mouseTest);
// Requests the removal of items FirstItem..LastItem and empties their slots.
void RemoveItems();

// The menu screens' full-screen backdrop, or nullptr.
extern TScrollBackground* MenuBackdrop;
void CreateMenuBackdrop();
void RemoveMenuBackdrop();
