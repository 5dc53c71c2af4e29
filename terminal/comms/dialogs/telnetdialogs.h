// The telnet settings dialogs of the current profile: the telnet options (opened from
// the New Connection page), and from them the TN3270 options, the TN5250 options of a
// display session and those of a 5250 printer session. Their templates are the
// program's own; every text is a language string set by control id.
#pragma once

#include "terminal/core/base/win32.h"

constexpr int kDlgTelnetOptions = 2151;
constexpr int kDlgTn3270Options = 2152;
constexpr int kDlgTn5250Options = 2153;
constexpr int kDlgTn5250PrinterOptions = 2156;

INT_PTR CALLBACK TelnetOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK Tn3270OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK Tn5250OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK Tn5250PrinterOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// One choice of a choice combo: its label's language string.
struct ChoiceLabel {
    u16 stringId;
};
// Empties the combo, adds each choice's label in order and selects `selected`.
void FillChoiceCombo(HWND dialog, int control, const ChoiceLabel* choices, int count, int selected);
