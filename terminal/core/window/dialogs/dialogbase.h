// What every dialog of the program shares: it runs modal with the modal flag set, so
// the host-data thread pauses; its templates carry layout and control ids only and its
// texts come from the language module by control id; its per-dialog state hangs in
// DWLP_USER, so a dialog opened from inside another keeps its own; and controls are
// subclassed through the pointer-sized window-long calls.
#pragma once

#include "terminal/core/base/win32.h"

// DialogBoxParamW over the program's own template, bracketed by the modal flag. The
// dialog's result, or -1 when the template cannot be created.
INT_PTR RunModalDialog(HWND owner, int templateId, DLGPROC procedure, LPARAM parameter = 0);

// Sets a control's text from language string `stringId` when that string exists (a
// missing one leaves the template's text). True when the text was set.
bool SetTextFromString(HWND dialog, int control, u32 stringId, int capacity = 255);
// The same for the dialog's own caption.
bool SetCaptionFromString(HWND dialog, u32 stringId);
// Every control listed gets the language string with its own id.
void SetLabelsById(HWND dialog, const u16* controls, int count);

// Per-dialog state: whatever the dialog procedure keeps in DWLP_USER.
void SetDialogState(HWND dialog, void* state);
template <typename T>
T* DialogState(HWND dialog)
{
    return reinterpret_cast<T*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// Replaces a control's window procedure; returns the previous one (nullptr on failure).
WNDPROC SubclassControl(HWND control, WNDPROC procedure);
void RestoreControlProc(HWND control, WNDPROC previous);

// Adds an item with its data; its index, or CB_ERR.
int AddComboItem(HWND combo, const wchar16* text, LRESULT data);
// The same with the language string `stringId` as the text; CB_ERR when it is missing.
int AddComboString(HWND combo, u32 stringId, LRESULT data);
// Empties a combo box and adds the language strings firstId..lastId that exist.
void FillComboFromStrings(HWND combo, u32 firstId, u32 lastId, bool upperCase = false);
// Enables or shows a run of controls.
void EnableControls(HWND dialog, const u16* controls, int count, bool enable);
void ShowControls(HWND dialog, const u16* controls, int count, bool show);
void EnableControl(HWND dialog, int control, bool enable);
void ShowControl(HWND dialog, int control, bool show);
// A combo box's selection (CB_ERR when none) and its item data.
int ComboSelection(HWND dialog, int control);
LRESULT ComboSelectionData(HWND dialog, int control, LRESULT fallback);
// Selects the item whose data equals `data`; -1 when none does.
int SelectComboByData(HWND dialog, int control, LRESULT data);
// Reads a control's text into `buffer` (capacity in units, always terminated).
int ControlText(HWND dialog, int control, wchar16* buffer, int capacity);
// A decimal number typed into a control; `fallback` when it holds none.
u32 ControlNumber(HWND dialog, int control, u32 fallback);
