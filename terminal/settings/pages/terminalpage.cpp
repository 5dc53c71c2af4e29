// The "Terminal Settings" page (slot 2): screen geometry, status line, cursor, the
// preferred character set, font and ANSI code page, Num Lock handling and the check
// list of terminal modes.
#include <cwchar>

#include <initializer_list>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/input/keyboard/kbhookbind.h"
#include "terminal/core/base/language.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setupdialog.h"
#include "terminal/settings/setup/setuppagehelpers.h"
#include "terminal/settings/setup/setupfamily.h"

namespace {

// clang-format off
enum : u16 {
    kSetTabs = 8, kDisplayLabel = 1520, kRowsLabel = 1521, kRowsList = 1522, kColumnsLabel = 1530,
    kColumnsList = 1516, kFont80 = 1517, kMemoryLabel = 1540, kMemoryRowsLabel = 1541, kMemoryRows = 1542,
    kPageSizeLabel = 1553, kPageSizeList = 1554, kPageWidthLabel = 1555, kPageWidthList = 1556,
    kStatusLabel = 1560, kStatusList = 1561, kCursorLabel = 1600, kCursorList = 1601, kPreferences = 1609,
    kCharsetLabel = 1570, kCharsetList = 1571, kFontLabel = 1591, kFontList = 1590, kCodePageLabel = 1592,
    kCodePageList = 1593, kFreezeNumLock = 1632, kNumLockLabel = 1633, kModeList = 1639,
};
// clang-format on
constexpr u16 kFirstCharsetString = kFirstCharacterSetName;  // the index is string id - 1571
constexpr u16 kHpRoman8String = 1573;
constexpr u16 kLastCharsetString = 1582;
constexpr u16 kTabStopsSlot = 25;
constexpr int kRepaintCommand = 1056;

SetupWorkingCopy& W = SetupCopy;

bool IsIbmHost(u8 emulation)
{
    return emulation == kEmuIbm3270 || emulation == kEmuIbm5250;
}

const IndexCombo kIndexCombos[] = {
    {kStatusList, 1561, 1563},  // "None", "Unavailable", "Host Writable"
    {kCursorList, 1602, 1606},  // "Underline" ... "Hidden"
};

void AddIfMissing(HWND combo, const wchar16* text)
{
    if (text[0] &&
        SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)) == CB_ERR)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void SelectText(HWND combo, const wchar16* text)
{
    const LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text));
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (index == CB_ERR)
        SetWindowTextW(combo, text);
}

void FillNumbers(HWND combo, std::initializer_list<const wchar16*> items)
{
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const wchar16* item : items)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
}

void RowsList(HWND window, const SetupControlEntry& entry, u8 init, WPARAM, LPARAM)
{
    if (!init)
        return;
    HWND combo = GetDlgItem(window, entry.id);
    FillNumbers(combo, {L"24", L"25", L"36", L"48"});
    AddIfMissing(combo, W.rows + 1);
    SelectText(combo, W.rows + 1);
}

void PageSizeList(HWND window, const SetupControlEntry& entry, u8 init, WPARAM, LPARAM)
{
    if (!init)
        return;
    HWND combo = GetDlgItem(window, entry.id);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    if (Screen.multiPage) {
        const int memory = SetupSizeNumber(W.memoryRows);
        for (int size : {24, 25, 36, 48, 72, 144})
            if (memory >= size) {
                wchar16 text[8];
                _snwprintf(text, 8, L"%d", size);
                AddIfMissing(combo, text);
            }
        AddIfMissing(combo, W.rows + 1);
        AddIfMissing(combo, W.memoryRows + 1);
        AddIfMissing(combo, W.pageSize + 1);
        SelectText(combo, W.pageSize + 1);
    } else {
        // One page: its size is the memory.
        AddIfMissing(combo, W.memoryRows + 1);
        SelectText(combo, W.memoryRows + 1);
    }
}

void PageWidthList(HWND window, const SetupControlEntry& entry, u8 init, WPARAM, LPARAM)
{
    if (!init)
        return;
    HWND combo = GetDlgItem(window, entry.id);
    FillNumbers(combo, {L"80", L"132"});
    AddIfMissing(combo, W.pageWidth + 1);
    SelectText(combo, W.pageWidth + 1);
}

void ColumnsList(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    if (init) {
        FillNumbers(GetDlgItem(window, entry.id), {L"80", L"132"});
        SendDlgItemMessageW(window, entry.id, CB_SETCURSEL, W.columns132 ? 1 : 0, 0);
    } else if (IsSelectionChange(entry, wParam)) {
        W.columns132 = ComboSelection(window, entry.id) == 1;
    }
}

// How the page shows for the emulations whose family gives no look of its own yet:
// the HP offers only Roman-8.
constexpr u8 kBackspaceDelOff[] = {kRowBackspaceDel, kTerminalModeRows};
constexpr u16 kRoman8Only[] = {kHpRoman8String, 0};
constexpr TerminalPageLook kHpLook{true, true, false, kBackspaceDelOff, nullptr, kRoman8Only};
constexpr struct {
    u8 emulation;
    const TerminalPageLook* look;
} kLooksOutsideFamilies[] = {{kEmuHp70092, &kHpLook}};

// The Terminal page as the emulation's family describes it, null for the page's own
// rules.
const TerminalPageLook* FamilyLook(u8 emulation)
{
    const FamilyHooks* family = FamilyFor(emulation);
    if (family && family->setup && family->setup->terminalPage)
        if (const TerminalPageLook* look = family->setup->terminalPage(emulation))
            return look;
    for (const auto& entry : kLooksOutsideFamilies)
        if (entry.emulation == emulation)
            return entry.look;
    return nullptr;
}

bool HasOwnCharsets(u8 emulation)
{
    if (const TerminalPageLook* look = FamilyLook(emulation))
        return look->characterSets;
    return IsVtOrAnsiFamily(emulation);
}

void EnableCodePage(HWND window)
{
    const u8 emulation = static_cast<u8>(W.emulation);
    bool charsets = HasOwnCharsets(emulation);
    bool codePage = HasOwnCharsets(emulation) && (IsAnsiConsoleFamily(emulation) || W.characterSet == 4);
    EnableControl(window, kCharsetLabel, charsets);
    EnableControl(window, kCharsetList, charsets);
    EnableControl(window, kCodePageLabel, codePage);
    EnableControl(window, kCodePageList, codePage);
}

void FontList(HWND window)
{
    HWND combo = GetDlgItem(window, kFontList);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    const int count = EnumFontFacesForList(W.characterSet);
    for (int i = 0; i < count; ++i)
        if (const wchar_t* face = FontFaceAt(i))
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face));
    if (W.font >= count)
        W.font = 0;
    // The IBM host displays draw with their own font.
    const bool ibm = IsIbmHost(static_cast<u8>(W.emulation));
    SendMessageW(combo, CB_SETCURSEL, ibm ? 0 : W.font, 0);
    EnableControl(window, kFontList, !ibm);
    EnableControl(window, kFontLabel, !ibm);
}

void CharsetList(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    HWND combo = GetDlgItem(window, entry.id);
    if (init) {
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        auto add = [combo](u16 id) { AddComboString(combo, id, id); };
        const TerminalPageLook* look = FamilyLook(static_cast<u8>(W.emulation));
        if (look && look->characterSetNames) {
            for (const u16* id = look->characterSetNames; *id; ++id)
                add(*id);
        } else {
            // HP Roman-8 is the HP's own set.
            for (u16 id = kFirstCharsetString; id <= kLastCharsetString; ++id)
                if (id != kHpRoman8String)
                    add(id);
        }
        if (SelectComboByData(window, entry.id, kFirstCharsetString + W.characterSet) < 0) {
            SendMessageW(combo, CB_SETCURSEL, 0, 0);
            W.characterSet = static_cast<u16>(ComboSelectionData(window, entry.id, kFirstCharsetString) -
                                              kFirstCharsetString);
        }
    } else if (IsSelectionChange(entry, wParam)) {
        W.characterSet = static_cast<u16>(
            ComboSelectionData(window, entry.id, kFirstCharsetString + W.characterSet) - kFirstCharsetString);
    } else {
        return;
    }
    EnableCodePage(window);
    FontList(window);
}

void FontHandler(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    if (!init && IsSelectionChange(entry, wParam)) {
        const int index = ComboSelection(window, entry.id);
        if (index != CB_ERR)
            W.font = static_cast<u16>(index);
    }
}

void CodePageList(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    if (init) {
        HWND combo = GetDlgItem(window, entry.id);
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (u32 i = 0; i < 5; ++i)
            AddComboString(combo, 1594 + i, static_cast<LRESULT>(i));  // "437" ... "852"
        SelectComboByData(window, entry.id, W.ansiCodePage);
    } else if (IsSelectionChange(entry, wParam)) {
        W.ansiCodePage = static_cast<u16>(ComboSelectionData(window, entry.id, W.ansiCodePage));
    }
}

void OpenTabStops(HWND window, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    RunSetupPage(window, kTabStopsSlot, true, kSerialOwnerConnection, nullptr);
}

void SetRows(CheckList& list, std::initializer_list<int> rows, bool enabled)
{
    for (int row : rows)
        CheckListSetDisabled(list, row, !enabled);
}

void InitDisplay(HWND window)
{
    SetupDialogSession* session = SetupSessionOf(window);
    CheckList& list = session->checkList;
    const u8 emulation = static_cast<u8>(W.emulation);
    const u8 engine = GetEmulationFromFlags();
    const bool engineActive = engine != kEmuVt52 && engine != kEmuAixterm;
    const bool multiPage = Screen.multiPage != 0;
    // Rows that need the shared store's own history and pages.
    if (engineActive || multiPage || Screen.rows == Screen.lineCount) {
        CheckListSetChecked(list, kRowSaveScrolled, true);
        CheckListSetDisabled(list, kRowSaveScrolled, true);
    }
    const bool pages = multiPage && !engineActive;
    for (u16 id : {kPageSizeLabel, kPageSizeList})
        EnableControl(window, id, pages);
    SetRows(list, {kRowVerticalCoupling, kRowPageCoupling}, pages);
    for (u16 id : {kFont80, kPageWidthLabel, kPageWidthList, kStatusLabel, kStatusList, kRowsLabel, kRowsList,
                   kMemoryRowsLabel, kMemoryRows})
        EnableControl(window, id, !engineActive);
    SetRows(list, {kRowSaveBeforeClear, kRowHorizontalCoupling}, !engineActive);
    if (engine == kEmuAixterm) {
        // AIXterm keeps the shared store: its memory may take another size.
        EnableControl(window, kMemoryRowsLabel, true);
        EnableControl(window, kMemoryRows, true);
    }

    SetRows(list, {kRowRightToLeft}, IsVtOrAnsiFamily(emulation) && W.characterSet < 12);
    SetRows(list, {kRowIgnoreNulls}, false);
    SetRows(list, {kRowHighFunction}, engine == kEmuAixterm);
    bool tabs = false;
    if (const TerminalPageLook* look = FamilyLook(emulation)) {
        tabs = look->tabStops;
        EnableControl(window, kColumnsLabel, look->columns);
        EnableControl(window, kColumnsList, look->columns);
        for (const u8* row = look->rowsOff; row && *row != kTerminalModeRows; ++row)
            CheckListSetDisabled(list, *row, true);
        for (const u8* row = look->rowsOn; row && *row != kTerminalModeRows; ++row)
            CheckListSetDisabled(list, *row, false);
    } else if (IsVtFamily(emulation)) {
        tabs = true;
        SetRows(list, {kRowBackspaceDel, kRowIgnoreNulls}, true);
    } else if (IsAnsiConsoleFamily(emulation)) {
        tabs = true;
        SetRows(list, {kRowAutoWrap}, false);
        SetRows(list, {kRowBackspaceDel, kRowIgnoreNulls}, true);
    } else if (IsIbmHost(emulation)) {
        EnableControl(window, kColumnsLabel, false);
        EnableControl(window, kColumnsList, false);
        SetRows(list, {kRowBackspaceDel}, false);
    } else {
        SetRows(list, {kRowBackspaceDel}, false);
    }
    EnableControl(window, kSetTabs, tabs);
    // Num Lock can only be held while the keyboard hook module is bound.
    EnableControl(window, kFreezeNumLock, HookActive != 0);
}

bool OkWork(HWND)
{
    if (W.font != static_cast<u16>(SelectedFaceIndex) && MainWindowHandle) {
        PostMessageW(MainWindowHandle, WM_SIZE, 0, 0);
        PostMessageW(MainWindowHandle, WM_COMMAND, MAKEWPARAM(kRepaintCommand, 0xFFF9),
                     reinterpret_cast<LPARAM>(MainWindowHandle));
    }
    return true;
}

void OkHandler(HWND, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    Vt300Values.FreezeNumLock = static_cast<u8>(W.freezeNumLock);
    SetPreventNumLockToggle(W.freezeNumLock);
}

const CheckListRow kModeRows[kTerminalModeRows] = {
    {1610, &W.modes[kRowSaveBeforeClear]},   {1611, &W.modes[kRowSaveScrolled]},
    {1612, &W.modes[kRowVerticalCoupling]},  {1613, &W.modes[kRowHorizontalCoupling]},
    {1614, &W.modes[kRowPageCoupling]},      {1615, &W.modes[kRowAutoWrap]},
    {1616, &W.modes[kRowAutoNewLine]},       {1617, &W.modes[kRowAutoLineFeed]},
    {1618, &W.modes[kRowApplicationKeypad]}, {1619, &W.modes[kRowApplicationCursor]},
    {1620, &W.modes[kRowDisplayControls]},   {1621, &W.modes[kRowDisplayErrors]},
    {1622, &W.modes[kRowJumpScroll]},        {1623, &W.modes[kRowWidthClears]},
    {1624, &W.modes[kRowBackspaceDel]},      {1625, &W.modes[kRowIgnoreNulls]},
    {1626, &W.modes[kRowHighFunction]},      {1627, &W.modes[kRowRightToLeft]},
};

const SetupControlEntry kControls[] = {
    SetupButton(IDOK, OkHandler),
    SetupButton(IDCANCEL),
    SetupButton(kSetTabs, OpenTabStops),
    SetupLabel(kDisplayLabel),
    SetupLabel(kRowsLabel),
    SetupCombo(kRowsList, RowsList, W.rows, kEntryCounted),
    SetupLabel(kColumnsLabel),
    SetupList(kColumnsList, ColumnsList, &W.columns132),
    SetupCheck(kFont80, &W.font80),
    SetupLabel(kMemoryLabel),
    SetupLabel(kMemoryRowsLabel),
    SetupCountedEdit(kMemoryRows, W.memoryRows),
    SetupLabel(kPageSizeLabel),
    SetupCombo(kPageSizeList, PageSizeList, W.pageSize, kEntryCounted),
    SetupLabel(kPageWidthLabel),
    SetupCombo(kPageWidthList, PageWidthList, W.pageWidth, kEntryCounted),
    SetupLabel(kStatusLabel),
    SetupList(kStatusList, ComboIndexHandler, &W.statusLine),
    SetupLabel(kCursorLabel),
    SetupList(kCursorList, ComboIndexHandler, &W.cursorType),
    SetupLabel(kPreferences),
    SetupLabel(kCharsetLabel),
    SetupList(kCharsetList, CharsetList, &W.characterSet),
    SetupLabel(kFontLabel),
    SetupList(kFontList, FontHandler, &W.font),
    SetupLabel(kCodePageLabel),
    SetupList(kCodePageList, CodePageList, &W.ansiCodePage),
    SetupCheck(kFreezeNumLock, &W.freezeNumLock),
    SetupLabel(kNumLockLabel),
    SetupCheckList(kModeList),
    SetupEnd(),
};

// clang-format off
const SetupPage kPage{2140,    kControls,   kCursorList,  kModeList, kModeRows, kTerminalModeRows,
                      nullptr, InitDisplay, OkWork,       nullptr,   nullptr};
// clang-format on
const bool kRegistered = [] {
    RegisterIndexCombos(kIndexCombos, 2);
    RegisterSetupPage(2, &kPage);
    return true;
}();

}  // namespace
