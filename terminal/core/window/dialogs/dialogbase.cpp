#include "terminal/core/window/dialogs/dialogbase.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/language.h"

namespace {
constexpr int kLabelUnits = 256;
}  // namespace

INT_PTR RunModalDialog(HWND owner, int templateId, DLGPROC procedure, LPARAM parameter)
{
    // A dialog opened from inside another leaves the flag set for its parent.
    const u32 was = ModalOpen;
    SetModalFlag(1);
    // The templates are the program's own, whatever language module is bound.
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner,
                                           procedure, parameter);
    SetModalFlag(was);
    return result;
}

bool SetTextFromString(HWND dialog, int control, u32 stringId, int capacity)
{
    wchar16 text[kLabelUnits];
    if (capacity > kLabelUnits)
        capacity = kLabelUnits;
    if (LoadLanguageString(InstanceHandle, stringId, text, capacity) <= 0)
        return false;
    return SetDlgItemTextW(dialog, control, text) != 0;
}

bool SetCaptionFromString(HWND dialog, u32 stringId)
{
    wchar16 text[kLabelUnits];
    if (LoadLanguageString(InstanceHandle, stringId, text, kLabelUnits) <= 0)
        return false;
    return SetWindowTextW(dialog, text) != 0;
}

void SetLabelsById(HWND dialog, const u16* controls, int count)
{
    for (int i = 0; i < count; ++i)
        SetTextFromString(dialog, controls[i], controls[i]);
}

void SetDialogState(HWND dialog, void* state)
{
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
}

WNDPROC SubclassControl(HWND control, WNDPROC procedure)
{
    if (!control)
        return nullptr;
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

void RestoreControlProc(HWND control, WNDPROC previous)
{
    if (control && previous)
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
}

int AddComboItem(HWND combo, const wchar16* text, LRESULT data)
{
    const LRESULT index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (index >= 0)
        SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
    return index >= 0 ? static_cast<int>(index) : CB_ERR;
}

int AddComboString(HWND combo, u32 stringId, LRESULT data)
{
    wchar16 text[128];
    if (LoadLanguageString(InstanceHandle, stringId, text, 128) <= 0)
        return CB_ERR;
    return AddComboItem(combo, text, data);
}

void FillComboFromStrings(HWND combo, u32 firstId, u32 lastId, bool upperCase)
{
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (u32 id = firstId; id <= lastId; ++id) {
        wchar16 text[128];
        if (LoadLanguageString(InstanceHandle, id, text, 128) <= 0)
            continue;
        if (upperCase)
            CharUpperW(text);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

void EnableControl(HWND dialog, int control, bool enable)
{
    if (HWND item = GetDlgItem(dialog, control))
        EnableWindow(item, enable ? TRUE : FALSE);
}

void ShowControl(HWND dialog, int control, bool show)
{
    if (HWND item = GetDlgItem(dialog, control))
        ShowWindow(item, show ? SW_SHOW : SW_HIDE);
}

void EnableControls(HWND dialog, const u16* controls, int count, bool enable)
{
    for (int i = 0; i < count; ++i)
        EnableControl(dialog, controls[i], enable);
}

void ShowControls(HWND dialog, const u16* controls, int count, bool show)
{
    for (int i = 0; i < count; ++i)
        ShowControl(dialog, controls[i], show);
}

int ComboSelection(HWND dialog, int control)
{
    return static_cast<int>(SendDlgItemMessageW(dialog, control, CB_GETCURSEL, 0, 0));
}

LRESULT ComboSelectionData(HWND dialog, int control, LRESULT fallback)
{
    const int index = ComboSelection(dialog, control);
    if (index == CB_ERR)
        return fallback;
    return SendDlgItemMessageW(dialog, control, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

int SelectComboByData(HWND dialog, int control, LRESULT data)
{
    const int count = static_cast<int>(SendDlgItemMessageW(dialog, control, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (SendDlgItemMessageW(dialog, control, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data) {
            SendDlgItemMessageW(dialog, control, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return i;
        }
    return -1;
}

int ControlText(HWND dialog, int control, wchar16* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    buffer[0] = 0;
    const int n = static_cast<int>(GetDlgItemTextW(dialog, control, buffer, capacity));
    buffer[capacity - 1] = 0;
    return n;
}

u32 ControlNumber(HWND dialog, int control, u32 fallback)
{
    BOOL ok = FALSE;
    const UINT value = GetDlgItemInt(dialog, control, &ok, FALSE);
    return ok ? value : fallback;
}
