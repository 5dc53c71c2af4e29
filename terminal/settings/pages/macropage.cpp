// The "Define Keyboard Macros" page (slot 5): the key field takes the next key pressed
// (its name is shown, nothing is typed into it), the macro editor's operations fill the
// list, and OK makes the list the keyboard macros.
#include <string>

#include "terminal/core/base/corestate.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/input/keyboard/kbhookbind.h"
#include "terminal/core/window/dialogs/listview.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/macros/keynames.h"
#include "terminal/input/dialogs/macroeditor.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setupdialog.h"
#include "terminal/settings/setup/setuppages.h"

namespace {

constexpr int kMacroUnits = 253;

// The key capture of the key field: its window's previous procedure, the last key
// pressed in it.
WNDPROC g_previous = nullptr;
HWND g_field = nullptr;
int g_lastDown = 0;

bool Down(int virtualKey)
{
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

// The keyboard's own key for a message: the keypad Enter and the right Ctrl are told
// apart by the extended-key bit.
int CapturedKey(WPARAM wParam, LPARAM lParam)
{
    const bool extended = (lParam & (1 << 24)) != 0;
    if (wParam == VK_RETURN && extended)
        return VK_SEPARATOR;
    if (wParam == VK_CONTROL && extended)
        return VK_RCONTROL;
    return static_cast<int>(wParam);
}

bool IsControlKey(int key)
{
    return key == VK_CONTROL || key == VK_LCONTROL || key == VK_RCONTROL;
}

// Shows "<C+S+NAME>" for the key released; a modifier alone names nothing, except Ctrl
// released right after it was pressed.
bool ShowCapturedKey(HWND dialog, int key)
{
    // clang-format off
    switch (key) {
    case VK_SHIFT: case VK_MENU: case VK_CAPITAL: case VK_LSHIFT: case VK_RSHIFT: case VK_LMENU: case VK_RMENU:
        return false;
    default:
        break;
    }
    // clang-format on
    if (IsControlKey(key) && !IsControlKey(g_lastDown))
        return false;
    int shift = 0;
    if (Down(VK_CONTROL) && key != VK_CANCEL && !IsControlKey(key))
        shift |= 2;
    if (Down(VK_SHIFT))
        shift |= 1;
    if (Down(VK_MENU))
        shift |= 4;
    wchar16 name[40];
    if (FormatKeyCombinationName(key, shift, name) <= 0)
        return false;
    const std::wstring shown = L"<" + std::wstring(name) + L">";
    SetDlgItemTextW(dialog, kMacroKeyNameField, shown.c_str());
    return true;
}

LRESULT CALLBACK KeyFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    case WM_CHAR:
    case WM_SYSCHAR: return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: g_lastDown = CapturedKey(wParam, lParam); return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (ShowCapturedKey(GetParent(field), CapturedKey(wParam, lParam)))
            SetFocus(GetDlgItem(GetParent(field), kMacroTextField));
        return 0;
    default: return CallWindowProcW(g_previous, field, message, wParam, lParam);
    }
}

void Unsubclass()
{
    if (g_previous && g_field)
        RestoreControlProc(g_field, g_previous);
    g_previous = nullptr;
    g_field = nullptr;
}

void Prepare(HWND window)
{
    if (g_previous)
        return;
    g_field = GetDlgItem(window, kMacroKeyNameField);
    g_lastDown = 0;
    if (g_field)
        g_previous = SubclassControl(g_field, KeyFieldProc);
}

// The keypad keys the hook module turns around reach the page, not the field, while
// Num Lock is held steady: they are named all the same.
bool Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR*)
{
    if ((message != WM_KEYUP && message != WM_SYSKEYUP) || !HookActive || !NumLockProtectionSetting() ||
        GetFocus() != GetDlgItem(window, kMacroKeyNameField))
        return false;
    const int key = CapturedKey(wParam, lParam);
    const bool keypad = key == VK_NUMLOCK || (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) || key == VK_DECIMAL ||
                        (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_CLEAR || key == VK_INSERT ||
                        key == VK_DELETE;
    if (keypad)
        ShowCapturedKey(window, key);
    return false;
}

// The list becomes the keyboard macros.
bool Ok(HWND window)
{
    Unsubclass();
    HWND list = GetDlgItem(window, kMacroList);
    KeyDefinitionsLock locked;
    DeleteKeyMacros();
    const int rows = ListRowCount(list);
    for (int row = 0; row < rows; ++row) {
        const LPARAM data = ListRowData(list, row);
        const u32 key = static_cast<u32>(data) & 0xFFFF;
        const u32 shift = (static_cast<u32>(data) >> 16) & 7;
        const bool local = ListCellText(list, row, 1) == L"L";
        wchar16 text[kMacroUnits + 1] = {};
        const int length = DecodeSetupText(text, ListCellText(list, row, 2).c_str(), kMacroUnits);
        if (length > 0)
            AddKeyDefinition(key, local ? 2 : 0, kKeyMacro, shift, static_cast<u32>(length), text, nullptr);
    }
    return true;
}

void Cancel(HWND)
{
    Unsubclass();
}

void KeyNames(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    if (init || LOWORD(wParam) == entry.id)
        FillKeyNameCombo(window, LOWORD(wParam), init != 0, HIWORD(wParam), static_cast<u8>(SetupCopy.emulation),
                         false);
}

void Macros(HWND window, const SetupControlEntry& entry, u8 init, WPARAM, LPARAM)
{
    FillMacroList(window, entry.id, init != 0);
}

void Insert(HWND window, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    InsertKeyNameInMacro(window);
}

void Add(HWND window, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    AddMacroFromFields(window);
}

void Remove(HWND window, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    EditSelectedMacros(window);
}

void RemoveAll(HWND window, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    ClearMacroList(window);
}

// Entries 2-6 are routed by position: 1134, then "Apply", "Add ->", "<- Remove", "Remove All".
const SetupControlEntry kControls[] = {
    SetupButton(IDOK),
    SetupButton(IDCANCEL),
    SetupButton(1134),
    SetupButton(4, Insert),
    SetupButton(5, Add),
    SetupButton(6, Remove),
    SetupButton(7, RemoveAll),
    SetupLabel(2314),
    SetupLabel(2311),
    SetupLabel(2300),
    SetupBufferEdit(kMacroKeyNameField),
    SetupCheck(kMacroLocalCheck, nullptr),
    SetupLabel(2309),
    SetupBufferEdit(kMacroTextField),
    SetupList(kMacroKeyNameCombo, KeyNames),
    SetupLabel(2315),
    SetupList(kMacroList, Macros),
    SetupEnd(),
};

const SetupPage kPage{2180, kControls, kMacroKeyNameField, 0, nullptr, 0, Prepare, nullptr, Ok, Cancel, Message};
const bool kRegistered = (RegisterSetupPage(5, &kPage), true);

}  // namespace
