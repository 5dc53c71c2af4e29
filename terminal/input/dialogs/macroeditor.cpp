#include "terminal/input/dialogs/macroeditor.h"

#include <commctrl.h>

#include <cwchar>
#include <vector>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/window/dialogs/listview.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/macros/keynames.h"
#include "terminal/settings/store/setuptext.h"
#include "terminal/settings/setup/setupfamily.h"

namespace {

constexpr u32 kStrKeyCode = 7167, kStrLocal = 7168, kStrDefinedMacro = 7169;
constexpr u32 kStrReplaceMacro = 7161;
constexpr int kHostBindingBase = 300;
constexpr int kTextUnits = 256;
constexpr int kMacroUnits = 253;

// The key names a macro may use, by group.
struct NameRange {
    u32 first, last;
};
constexpr NameRange kPcKeys{13001, 13122};
// Names the combo box leaves out: Menu and Alt (the Alt modifier is the combination's
// own), the 102nd key and Caps Lock (no terminal key is sent for either).
constexpr u32 kLeftOut[] = {13002, 13003, 13099, 13100};

// The emulation's own group of host keys: its family's names in the key-name table.
NameRange HostKeyGroup(u8 id)
{
    if (const FamilyHooks* family = FamilyFor(id); family && family->setup && family->setup->hostKeyNames.first)
        return {family->setup->hostKeyNames.first, family->setup->hostKeyNames.last};
    // The groups of the families that do not give theirs yet.
    // clang-format off
    switch (FamilyOf(id)) {
    case EmulationFamily::Hp700: return {13207, 13248};
    default: return {13148, 13206};  // the DEC keys
    }
    // clang-format on
}

int g_rememberedName = 0;

void AddStringRange(HWND combo, NameRange range)
{
    for (u32 id = range.first; id <= range.last; ++id) {
        bool leftOut = false;
        for (u32 out : kLeftOut)
            leftOut = leftOut || out == id;
        if (leftOut)
            continue;
        wchar_t name[40];
        if (LoadLanguageString(InstanceHandle, id, name, 40) > 0)
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
}

std::wstring ControlText(HWND dialog, int control)
{
    wchar_t text[kTextUnits * 6 + 1] = L"";
    GetDlgItemTextW(dialog, control, text, static_cast<int>(sizeof text / sizeof text[0]));
    return text;
}

// What a key name stands for on the PC keyboard: "<S+VK_F1>", or the number of a key
// without a place there.
void ShowNameInformation(HWND dialog, const wchar16* name)
{
    const int index = KeyNameToIndex(name);
    if (index < 0) {
        SetDlgItemTextW(dialog, kMacroInfoLine, L"");
        return;
    }
    const KeyNameEntry entry = KeyNameEntryAt(index);
    const int position = entry.number >= kHostBindingBase ? entry.number - kHostBindingBase : entry.number;
    const int virtualKey = KeyPositionToVirtualKey(position);
    wchar_t text[64] = L"";
    wchar16 combination[40];
    if (virtualKey >= 0 && FormatKeyCombinationName(virtualKey, entry.shift, combination) > 0)
        _snwprintf(text, 63, L"<%ls>", combination);
    else
        _snwprintf(text, 63, L"< 0x%04x>", entry.number);
    text[63] = 0;
    SetDlgItemTextW(dialog, kMacroInfoLine, text);
}

HWND List(HWND dialog)
{
    return GetDlgItem(dialog, kMacroList);
}

// A row of the list; the item data is (shift << 16) | virtual key.
void AddRow(HWND list, int virtualKey, int shift, bool local, const wchar_t* escapedText)
{
    wchar16 name[40];
    if (FormatKeyCombinationName(virtualKey, shift, name) <= 0)
        return;
    const int row = AddListRow(list, name, static_cast<LPARAM>(shift) << 16 | virtualKey);
    if (row < 0)
        return;
    SetListCell(list, row, 1, local ? L"L" : L" ");
    SetListCell(list, row, 2, escapedText);
}

bool AskToReplace(HWND dialog, const wchar_t* keyName, const std::wstring& oldText)
{
    wchar_t format[kTextUnits], question[kTextUnits * 8];
    LoadLanguageString(InstanceHandle, kStrReplaceMacro, format, kTextUnits);
    _snwprintf(question, sizeof question / sizeof question[0] - 1, format, keyName, oldText.c_str());
    question[sizeof question / sizeof question[0] - 1] = 0;
    SetModalFlag(1);
    const int answer = MessageBoxW(dialog, question, nullptr, MB_YESNO | MB_ICONEXCLAMATION);
    SetModalFlag(0);
    return answer == IDYES;
}

}  // namespace

void FillKeyNameCombo(HWND dialog, int control, bool init, int notification, u8 emulationId, bool showInfo)
{
    HWND combo = GetDlgItem(dialog, kMacroKeyNameCombo);
    if (init) {
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        AddStringRange(combo, kPcKeys);
        AddStringRange(combo, HostKeyGroup(emulationId));
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(g_rememberedName), 0);
    } else if (control == kMacroKeyNameCombo && notification == CBN_SELCHANGE) {
        const LRESULT chosen = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (chosen != CB_ERR)
            g_rememberedName = static_cast<int>(chosen);
    }
    for (int line : {kMacroInfoLine, kMacroInfoLine2})
        ShowWindow(GetDlgItem(dialog, line), showInfo ? SW_SHOW : SW_HIDE);
    if (showInfo)
        ShowNameInformation(dialog, ControlText(dialog, kMacroKeyNameCombo).c_str());
}

void InsertKeyNameInMacro(HWND dialog)
{
    const std::wstring name = ControlText(dialog, kMacroKeyNameCombo);
    if (name.empty())
        return;
    const std::wstring token = L"<" + name + L">";
    HWND target = GetDlgItem(dialog, kSoftButtonCommandField);
    if (!target)
        target = GetDlgItem(dialog, kMacroTextField);
    SendMessageW(target, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(token.c_str()));
}

void FillMacroList(HWND dialog, int control, bool init)
{
    HWND list = GetDlgItem(dialog, control);
    if (!init || !list)
        return;
    const ListColumn columns[] = {{kStrKeyCode, 75}, {kStrLocal, 20}, {kStrDefinedMacro, 100}};
    AddListColumns(list, columns, 3);
    KeyDefinitionsLock locked;
    for (const KeyDefinition* d = KeyDefinitions; d; d = d->next) {
        if (d->Kind() != kKeyMacro)
            continue;
        std::vector<wchar16> raw(d->text, d->text + d->length);
        raw.push_back(0);
        std::vector<wchar16> escaped(static_cast<std::size_t>(CountedTextUnits(static_cast<int>(d->length))));
        EncodeSetupText(escaped.data(), raw.data(), static_cast<int>(d->length));
        AddRow(list, static_cast<int>(d->keyCode), static_cast<int>(d->ShiftState()), d->SendType() == 2,
               escaped.data() + 1);
    }
}

bool AddMacroFromFields(HWND dialog)
{
    const std::wstring keyName = ControlText(dialog, kMacroKeyNameField);
    const std::wstring text = ControlText(dialog, kMacroTextField);
    int virtualKey = 0, shift = 0;
    if (keyName.empty() || text.empty() || !ParseKeyCombinationName(keyName.c_str(), &virtualKey, &shift))
        return false;
    HWND list = List(dialog);
    const LPARAM data = static_cast<LPARAM>(shift) << 16 | virtualKey;
    const int old = FindListRow(list, data);
    if (old >= 0) {
        wchar16 name[40];
        FormatKeyCombinationName(virtualKey, shift, name);
        if (!AskToReplace(dialog, name, ListCellText(list, old, 2)))
            return false;
        SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(old), 0);
    }
    AddRow(list, virtualKey, shift, IsDlgButtonChecked(dialog, kMacroLocalCheck) == BST_CHECKED, text.c_str());
    SetDlgItemTextW(dialog, kMacroKeyNameField, L"");
    SetDlgItemTextW(dialog, kMacroTextField, L"");
    CheckDlgButton(dialog, kMacroLocalCheck, BST_UNCHECKED);
    return true;
}

void EditSelectedMacros(HWND dialog)
{
    HWND list = List(dialog);
    if (SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0) == 1) {
        const int row = static_cast<int>(
            SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        const std::wstring keyName = L"<" + ListCellText(list, row, 0) + L">";
        SetDlgItemTextW(dialog, kMacroKeyNameField, keyName.c_str());
        CheckDlgButton(dialog, kMacroLocalCheck, ListCellText(list, row, 1) == L"L" ? BST_CHECKED : BST_UNCHECKED);
        SetDlgItemTextW(dialog, kMacroTextField, ListCellText(list, row, 2).c_str());
    }
    for (int row; (row = static_cast<int>(
                       SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED))) >= 0;)
        SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

void ClearMacroList(HWND dialog)
{
    SendMessageW(List(dialog), LVM_DELETEALLITEMS, 0, 0);
}
