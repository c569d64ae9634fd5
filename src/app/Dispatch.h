// Dialogs over the screens, and the one place where a confirmed item becomes an action.
#pragma once

#include "app/ShellState.h"

// Shows a dialog over the current screen; nothing while another dialog is open.
void OpenDialog(DialogKind kind);
void CloseDialog();
// Acts on SelectedItem: a click, Enter or a screen's own key confirmed it.
void ConfirmSelection();
void ConfirmItem(int item);

// The system mouse cursor keeps a display counter; these move it to shown or hidden.
void ShowMouseCursor();
void HideMouseCursor();

class TMyCursor;
// The blinking cursor of the name entry while that dialog is open.
extern TMyCursor* NameCursor;

// Set by the boss key; the next dialog that closes starts the screen's music again.
extern bool MusicResumePending;
