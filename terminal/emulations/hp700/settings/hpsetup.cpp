// The HP 700/92's part of the Setup dialog: its HP Settings page (slot 10), how the
// Terminal page shows for it, and the macro editor's group of its keys.
#include <array>
#include <iterator>
#include <utility>

#include "terminal/core/base/win32.h"
#include "terminal/emulations/hp700/family.h"
#include "terminal/emulations/hp700/hp700.h"
#include "terminal/emulations/hp700/memory/repaint.h"
#include "terminal/emulations/hp700/settings/setupcopy.h"
#include "terminal/emulations/hp700/window/run700.h"
#include "terminal/settings/setup/checklist.h"
#include "terminal/settings/setup/setupdialog.h"
#include "terminal/settings/setup/setupfamily.h"
#include "terminal/settings/setup/setuppagehelpers.h"
#include "terminal/settings/setup/setuppages.h"

namespace {

constexpr int kSlot = 10;
constexpr u16 kTemplate = 2230;
// clang-format off
enum : u16 {
    kOptions = 1669, kTerminalId = 1689, kTerminalIdLabel = 1690, kPagesGroup = 1700, kReturnLabel = 1710,
    kReturn = 1711, kStartLabel = 1720, kStart = 1721, kSeparatorLabel = 1730, kSeparator = 1731,
    kTerminatorLabel = 1740, kTerminator = 1741, kTypeahead = 1742, kPromptLabel = 1743, kPrompt = 1744,
};
// clang-format on
constexpr u32 kFirstRowString = 1670;
constexpr u32 kHostKeyFirst = 13207, kHostKeyLast = 13248;
constexpr u16 kRoman8String = 1573;

Hp700SetupFields& F = Hp700Setup;

template <std::size_t... I>
constexpr auto Rows(std::index_sequence<I...>)
{
    return std::array<CheckListRow, sizeof...(I)>{CheckListRow{kFirstRowString + I, &F.rows[I]}...};
}
const auto kRows = Rows(std::make_index_sequence<kHpCheckRows>{});

// "Terminal ID": the five built-in names, a custom identity in the place of the model it
// stands for; choosing an entry chooses the model.
void TerminalIdList(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    HWND combo = GetDlgItem(window, entry.id);
    if (init) {
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        const int model = F.model < kHpModels ? F.model : 2;
        bool custom = true;
        for (int m = 0; m < kHpModels; ++m) {
            wchar_t name[8] = {};
            for (int i = 0; kHp700ModelNames[m][i]; ++i)
                name[i] = static_cast<wchar_t>(kHp700ModelNames[m][i]);
            custom = custom && lstrcmpiW(name, reinterpret_cast<const wchar_t*>(F.terminalId)) != 0;
            const wchar_t* text = name;
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
        if (custom && F.terminalId[0]) {
            SendMessageW(combo, CB_DELETESTRING, model, 0);
            SendMessageW(combo, CB_INSERTSTRING, model, reinterpret_cast<LPARAM>(F.terminalId));
        }
        SendMessageW(combo, CB_SETCURSEL, model, 0);
    } else if (IsSelectionChange(entry, wParam)) {
        const LRESULT selection = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (selection >= 0 && selection < kHpModels)
            F.model = static_cast<u16>(selection);
    }
}

// "Display Form Feeds" means nothing while form feeds are ignored.
void RowChanged(CheckList& list, int row)
{
    if (row == kHpRowIgnoreFf)
        CheckListSetDisabled(list, kHpRowDisplayFf, CheckListChecked(list, kHpRowIgnoreFf));
}

void InitDisplay(HWND window)
{
    SetupDialogSession* session = SetupSessionOf(window);
    if (!session)
        return;
    session->checkList.changed = RowChanged;
    RowChanged(session->checkList, kHpRowIgnoreFf);
}

const SetupControlEntry kControls[] = {
    SetupButton(IDOK),
    SetupButton(IDCANCEL),
    SetupCheckList(kOptions),
    SetupLabel(kTerminalIdLabel),
    SetupCombo(kTerminalId, TerminalIdList, F.terminalId),
    SetupRadio(kPagesGroup, &F.pages),  // "&2", "&4", "&6"
    SetupLabel(kReturnLabel),
    SetupCountedEdit(kReturn, F.returnDef),
    SetupLabel(kStartLabel),
    SetupCountedEdit(kStart, F.startColumn),
    SetupLabel(kSeparatorLabel),
    SetupCountedEdit(kSeparator, F.fieldSeparator),
    SetupLabel(kTerminatorLabel),
    SetupCountedEdit(kTerminator, F.blockTerminator),
    SetupCheck(kTypeahead, &F.typeahead),
    SetupLabel(kPromptLabel),
    SetupCountedEdit(kPrompt, F.prompt),
    SetupEnd(),
};

const SetupPage kPage{kTemplate, kControls,   kTerminalId, kOptions, kRows.data(), kHpCheckRows,
                      nullptr,   InitDisplay, nullptr,     nullptr,  nullptr};
const FamilySetupPage kPages[] = {{kSlot, &kPage}};

void Applied()
{
    if (!Hp700ApplySetupCopy() || !Hp700Running())
        return;
    Hp700RepaintAll();
}

// The Terminal page: Roman-8 its only set, no Backspace/DEL choice (its Backspace is
// its own), the width list offered, its own tab stops.
constexpr u8 kRowsOff[] = {kRowBackspaceDel, kTerminalModeRows};
constexpr u16 kRoman8Only[] = {kRoman8String, 0};
constexpr TerminalPageLook kTerminalLook{true, true, false, kRowsOff, nullptr, kRoman8Only};

const TerminalPageLook* TerminalPage(u8)
{
    return &kTerminalLook;
}

}  // namespace

const FamilySetup Hp700FamilySetup{
    .pages = kPages,
    .pageCount = 1,
    .fill = Hp700FillSetupCopy,
    .applied = Applied,
    .hostKeyNames = {kHostKeyFirst, kHostKeyLast},
    .terminalPage = TerminalPage,
};
