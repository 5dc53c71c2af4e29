// The operations of the keyboard-macro page of Setup over its controls: the combo box of
// key names, the macro text that names are inserted into, and the list of the macros
// with their keys. The page itself (its template and its OK) belongs to Setup.
#pragma once

#include "terminal/core/base/win32.h"

constexpr int kMacroKeyNameField = 2307;  // "<C+VK_F1>": the key the macro is for
constexpr int kMacroLocalCheck = 2308;    // "Local": the text stays in the terminal
constexpr int kMacroTextField = 2310;     // the macro, in Setup's escaped form
constexpr int kMacroKeyNameCombo = 2312;  // key names to insert into the macro
constexpr int kMacroList = 2313;          // "Key Code", "Local", "Defined Macro"
constexpr int kMacroInfoLine = 2317;      // what the chosen name stands for
constexpr int kMacroInfoLine2 = 2318;
constexpr int kSoftButtonCommandField = 3114;

// On `init` fills the combo box with the PC key names and the key names of the
// emulation's group, then selects the name chosen last; on a selection change
// (CBN_SELCHANGE) remembers it and shows what it stands for. Without `showInfo` the
// information line is hidden.
void FillKeyNameCombo(HWND dialog, int control, bool init, int notification, u8 emulationId, bool showInfo);
// Replaces the macro text's selection (or the soft-button command's) with "<name>".
void InsertKeyNameInMacro(HWND dialog);
// On `init` sets up the list's columns and adds a row for every keyboard macro.
void FillMacroList(HWND dialog, int control, bool init);
// Adds the row of the fields' key and macro and clears the fields; a row for the same
// key is replaced once the user agrees. False when a field is empty, the key has no
// name, or the user kept the old row.
bool AddMacroFromFields(HWND dialog);
// With one row selected its key, Local flag and macro go back into the fields; every
// selected row leaves the list.
void EditSelectedMacros(HWND dialog);
void ClearMacroList(HWND dialog);
