// The "Soft Buttons" page (slot 6): the soft-button editor's list and fields, the four
// level names edited one at a time through the level buttons, and the bar's visible
// levels and attachment. OK makes the list the soft buttons.
#include <cwchar>

#include "terminal/core/base/corestate.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/core/window/dialogs/listview.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/dialogs/macroeditor.h"
#include "terminal/input/dialogs/softbuttoneditor.h"
#include "terminal/input/bars/softbuttons.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setupdialog.h"
#include "terminal/settings/setup/setuppagehelpers.h"
#include "terminal/settings/setup/setuppages.h"

namespace {

SetupWorkingCopy& W = SetupCopy;

constexpr int kMacroUnits = 253;
constexpr u16 kVisibleLevels = 3151;

const IndexCombo kIndexCombos[] = {
    {kSoftButtonNumberCombo, 3136, 3147},  // "1" ... "12"
    {kVisibleLevels, 3135, 3139},          // "0" ... "4"
};

// The level names while the page is open, and the level whose name the title field
// shows.
wchar16 g_levelNames[kSoftButtonLevels][kSoftButtonLabelUnits];
int g_shownLevel = 1;

void ShowLevelName(HWND window, int level)
{
    g_shownLevel = level;
    SetDlgItemTextW(window, kSoftButtonTitleField, g_levelNames[level - 1]);
    SendDlgItemMessageW(window, kSoftButtonTitleField, EM_LIMITTEXT, kSoftButtonLabelUnits - 1, 0);
}

void KeepShownName(HWND window)
{
    GetDlgItemTextW(window, kSoftButtonTitleField, g_levelNames[g_shownLevel - 1], kSoftButtonLabelUnits);
}

void SelectLevel(HWND window, int level)
{
    W.softButtonLevel = static_cast<u16>(level - 1);
    CheckRadioButton(window, kSoftButtonLevelGroup + 1, kSoftButtonLevelGroup + kSoftButtonLevels,
                     kSoftButtonLevelGroup + level);
    ShowLevelName(window, level);
}

void LevelGroup(HWND window, const SetupControlEntry&, u8 init, WPARAM, LPARAM)
{
    if (init) {
        for (int level = 1; level <= kSoftButtonLevels; ++level)
            GetSoftButtonLevelName(level, g_levelNames[level - 1]);
        SelectLevel(window, 1);
        return;
    }
    // The title typed belongs to the level that was shown.
    KeepShownName(window);
    ShowLevelName(window, W.softButtonLevel + 1);
}

void Prepare(HWND)
{
    RegisterIndexCombos(kIndexCombos, 2);
}

void InitDisplay(HWND window)
{
    SendDlgItemMessageW(window, kSoftButtonNameField, EM_LIMITTEXT, kSoftButtonLabelUnits - 1, 0);
    // Opened for a button the user right-clicked: its level and fields.
    if (const int level = InitSoftButtonEditor(window))
        SelectLevel(window, level);
}

bool Ok(HWND window)
{
    KeepShownName(window);
    HWND list = GetDlgItem(window, kSoftButtonList);
    KeyDefinitionsLock locked;
    DeleteSoftButtonDefinitions();
    const int rows = ListRowCount(list);
    for (int row = 0; row < rows; ++row) {
        const int number = static_cast<int>(std::wcstol(ListCellText(list, row, 0).c_str(), nullptr, 10));
        const int level = static_cast<int>(std::wcstol(ListCellText(list, row, 1).c_str(), nullptr, 10));
        const int code = SoftButtonCode(number, level);
        if (code < 0)
            continue;
        wchar16 label[kSoftButtonLabelUnits] = {};
        CopyText(label, kSoftButtonLabelUnits, ListCellText(list, row, 3).c_str());
        wchar16 text[kMacroUnits + 1] = {};
        const int length = DecodeSetupText(text, ListCellText(list, row, 4).c_str(), kMacroUnits);
        const bool local = ListCellText(list, row, 2) == L"L";
        AddKeyDefinition(static_cast<u32>(code), local ? 2 : 0, kSoftButton, 0, static_cast<u32>(length), text,
                         label[0] ? label : nullptr);
    }
    for (int level = 1; level <= kSoftButtonLevels; ++level)
        SetSoftButtonLevelName(level, g_levelNames[level - 1]);
    return true;
}

void KeyNames(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    if (init || LOWORD(wParam) == entry.id)
        FillKeyNameCombo(window, LOWORD(wParam), init != 0, HIWORD(wParam), static_cast<u8>(W.emulation), false);
}

void Buttons(HWND window, const SetupControlEntry& entry, u8 init, WPARAM, LPARAM)
{
    FillSoftButtonList(window, entry.id, init != 0);
}

void Insert(HWND window, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    InsertKeyNameInMacro(window);
}

void Add(HWND window, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    AddSoftButtonFromFields(window, W.softButtonLevel + 1);
}

void Remove(HWND window, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    // A button taken back for editing shows its own level.
    if (const int level = EditSelectedSoftButtons(window)) {
        KeepShownName(window);
        SelectLevel(window, level);
    }
}

void RemoveAll(HWND window, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    ClearSoftButtonList(window);
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
    SetupLabel(2311),
    SetupList(kMacroKeyNameCombo, KeyNames),
    SetupLabel(3120),
    SetupLabel(3122),
    SetupList(kSoftButtonNumberCombo, ComboIndexHandler, &W.softButtonNumber),
    SetupLabel(3163),
    SetupBufferEdit(kSoftButtonTitleField),
    SetupRadio(kSoftButtonLevelGroup, &W.softButtonLevel, LevelGroup),
    SetupCheck(3155, &W.softButtonsAttached),
    SetupLabel(3110),
    SetupLabel(3111),
    SetupBufferEdit(kSoftButtonNameField),
    SetupBufferEdit(kSoftButtonCommandField),
    SetupCheck(kSoftButtonLocalCheck, nullptr),
    SetupLabel(3150),
    SetupList(kVisibleLevels, ComboIndexHandler, &W.softButtonLevelsVisible),
    SetupList(kSoftButtonList, Buttons),
    SetupLabel(3125),
    SetupEnd(),
};

// clang-format off
const SetupPage kPage{2190, kControls, kSoftButtonNumberCombo, 0, nullptr, 0, Prepare, InitDisplay, Ok, nullptr,
                      nullptr};
// clang-format on
const bool kRegistered = (RegisterSetupPage(6, &kPage), true);

}  // namespace
