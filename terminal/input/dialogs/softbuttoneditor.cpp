#include "terminal/input/dialogs/softbuttoneditor.h"

#include <commctrl.h>

#include <cwchar>
#include <string>
#include <vector>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/window/dialogs/listview.h"
#include "terminal/input/bars/softbar.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/dialogs/macroeditor.h"
#include "terminal/input/bars/softbuttons.h"
#include "terminal/settings/store/setuptext.h"

namespace {

constexpr u32 kStrReplaceButton = 7181;
constexpr ListColumn kColumns[] = {{7176, 30}, {7177, 20}, {7178, 20}, {7179, 75}, {7180, 100}};
constexpr int kFieldUnits = 256 * kSetupEscapeUnits;

HWND List(HWND dialog)
{
    return GetDlgItem(dialog, kSoftButtonList);
}

std::wstring Field(HWND dialog, int control)
{
    std::vector<wchar_t> text(kFieldUnits + 1, 0);
    GetDlgItemTextW(dialog, control, text.data(), kFieldUnits + 1);
    return text.data();
}

std::wstring Number(int n)
{
    wchar_t text[8];
    _snwprintf(text, 8, L"%d", n);
    text[7] = 0;
    return text;
}

void AddRow(HWND list, int code, bool local, const wchar16* name, const wchar16* escapedCommand)
{
    const int row = AddListRow(list, Number(SoftButtonNumber(code)).c_str(), code);
    if (row < 0)
        return;
    SetListCell(list, row, 1, Number(SoftButtonLevel(code)).c_str());
    SetListCell(list, row, 2, local ? L"L" : L" ");
    SetListCell(list, row, 3, name);
    SetListCell(list, row, 4, escapedCommand);
}

std::wstring Escaped(const KeyDefinition& d)
{
    std::vector<wchar16> raw(d.text, d.text + d.length);
    raw.push_back(0);
    std::vector<wchar16> escaped(static_cast<std::size_t>(CountedTextUnits(static_cast<int>(d.length))));
    EncodeSetupText(escaped.data(), raw.data(), static_cast<int>(d.length));
    return escaped.data() + 1;
}

void ClearFields(HWND dialog)
{
    SetDlgItemTextW(dialog, kSoftButtonNameField, L"");
    SetDlgItemTextW(dialog, kSoftButtonCommandField, L"");
    CheckDlgButton(dialog, kSoftButtonLocalCheck, BST_UNCHECKED);
}

void ShowInFields(HWND dialog, int number, bool local, const wchar16* name, const wchar16* command)
{
    SendDlgItemMessageW(dialog, kSoftButtonNumberCombo, CB_SETCURSEL, static_cast<WPARAM>(number - 1), 0);
    CheckDlgButton(dialog, kSoftButtonLocalCheck, local ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextW(dialog, kSoftButtonNameField, name);
    SetDlgItemTextW(dialog, kSoftButtonCommandField, command);
}

bool AskToReplace(HWND dialog)
{
    wchar_t question[512] = L"";
    LoadLanguageString(InstanceHandle, kStrReplaceButton, question, 512);
    SetModalFlag(1);
    const int answer = MessageBoxW(dialog, question, nullptr, MB_YESNO | MB_ICONEXCLAMATION);
    SetModalFlag(0);
    return answer == IDYES;
}

}  // namespace

void FillSoftButtonList(HWND dialog, int control, bool init)
{
    HWND list = GetDlgItem(dialog, control);
    if (!init || !list)
        return;
    AddListColumns(list, kColumns, static_cast<int>(std::size(kColumns)));
    KeyDefinitionsLock locked;
    for (const KeyDefinition* d = KeyDefinitions; d; d = d->next)
        if (d->Kind() == kSoftButton && SoftButtonNumber(static_cast<int>(d->keyCode)))
            AddRow(list, static_cast<int>(d->keyCode), d->SendType() == 2, d->label ? d->label : L"",
                   Escaped(*d).c_str());
}

bool AddSoftButtonFromFields(HWND dialog, int level)
{
    const LRESULT index = SendDlgItemMessageW(dialog, kSoftButtonNumberCombo, CB_GETCURSEL, 0, 0);
    const int code = index == CB_ERR ? -1 : SoftButtonCode(static_cast<int>(index) + 1, level);
    wchar16 name[kSoftButtonLabelUnits] = {};
    GetDlgItemTextW(dialog, kSoftButtonNameField, name, kSoftButtonLabelUnits);
    const std::wstring command = Field(dialog, kSoftButtonCommandField);
    // A button may show only a caption, but it shows something.
    if (code < 0 || (!name[0] && command.empty()))
        return false;
    HWND list = List(dialog);
    const int old = FindListRow(list, code);
    if (old >= 0) {
        if (!AskToReplace(dialog))
            return false;
        SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(old), 0);
    }
    AddRow(list, code, IsDlgButtonChecked(dialog, kSoftButtonLocalCheck) == BST_CHECKED, name, command.c_str());
    ClearFields(dialog);
    return true;
}

int EditSelectedSoftButtons(HWND dialog)
{
    HWND list = List(dialog);
    int level = 0;
    if (SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0) == 1) {
        const int row = static_cast<int>(
            SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        const int code = static_cast<int>(ListRowData(list, row));
        level = SoftButtonLevel(code);
        ShowInFields(dialog, SoftButtonNumber(code), ListCellText(list, row, 2) == L"L",
                     ListCellText(list, row, 3).c_str(), ListCellText(list, row, 4).c_str());
    }
    for (int row; (row = static_cast<int>(
                       SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED))) >= 0;)
        SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    return level;
}

void ClearSoftButtonList(HWND dialog)
{
    SendMessageW(List(dialog), LVM_DELETEALLITEMS, 0, 0);
}

int InitSoftButtonEditor(HWND dialog)
{
    const int code = SoftButtonEditorCode;
    SoftButtonEditorCode = -1;
    if (!SoftButtonNumber(code))
        return 0;
    KeyDefinitionsLock locked;
    if (const KeyDefinition* d = FindKeyDefinition(static_cast<u32>(code), kSoftButton, -1))
        ShowInFields(dialog, SoftButtonNumber(code), d->SendType() == 2, d->label ? d->label : L"",
                     Escaped(*d).c_str());
    else
        SendDlgItemMessageW(dialog, kSoftButtonNumberCombo, CB_SETCURSEL,
                            static_cast<WPARAM>(SoftButtonNumber(code) - 1), 0);
    return SoftButtonLevel(code);
}
