// The operations of the Soft Buttons page of Setup over its controls: the list of the
// buttons defined, and the fields of the one being edited (its number, level, Local
// flag, name and command). The page itself and its OK belong to Setup.
#pragma once

#include "terminal/core/base/win32.h"

constexpr int kSoftButtonNameField = 3113;
constexpr int kSoftButtonLocalCheck = 3112;
constexpr int kSoftButtonNumberCombo = 3121;  // "1" ... "12": the number less one
constexpr int kSoftButtonList = 3126;         // "Button", "Level", "Local", "Name", "Command"
constexpr int kSoftButtonLevelGroup = 3130;   // its buttons "&1" ... "&4" follow it
constexpr int kSoftButtonTitleField = 3164;   // the level's name

// On `init` sets up the columns and adds a row for every soft button (not the level
// buttons or names); the row's item data is its code.
void FillSoftButtonList(HWND dialog, int control, bool init);
// Adds the row of the fields' button on `level` (1-4) and clears the fields; a row for
// the same button is replaced once the user agrees. False when the fields name nothing.
bool AddSoftButtonFromFields(HWND dialog, int level);
// With one row selected its button goes back into the fields (and its level is
// returned, else 0); every selected row leaves the list.
int EditSelectedSoftButtons(HWND dialog);
void ClearSoftButtonList(HWND dialog);
// Fills the fields from the button SoftButtonEditorCode names; its level, 0 for none.
int InitSoftButtonEditor(HWND dialog);
