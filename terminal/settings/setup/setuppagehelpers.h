// What the handlers of several Setup pages share: the test for their own selection
// change, and the combo boxes that store their list position as a working index.
#pragma once

#include "terminal/settings/setup/setuppages.h"

// The command is the entry's own combo box reporting a new selection.
bool IsSelectionChange(const SetupControlEntry& entry, WPARAM wParam);

// A combo box listing language strings first..last whose position is the entry's u16
// working variable.
struct IndexCombo {
    u16 combo;
    u16 firstString, lastString;
};
// Pages register their index combos once; the handler finds its range by control id.
void RegisterIndexCombos(const IndexCombo* combos, int count);
// Init fills the list and selects the low byte of the variable; a selection change
// stores the new position. Any other command is not its own.
void ComboIndexHandler(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM lParam);
