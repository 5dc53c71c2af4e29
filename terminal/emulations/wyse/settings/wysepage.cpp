// The "Wyse Settings" page (Setup slot 21) and the family's part of the Setup dialog:
// the page's combos, check boxes and check list over the family's working copy, which
// controls the live personality offers, "&Default", the Attributes page's lists and
// the palette.
#include <initializer_list>
#include <iterator>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/wyse/family.h"
#include "terminal/emulations/wyse/keys/wysekeys.h"
#include "terminal/emulations/wyse/settings/answerback.h"
#include "terminal/emulations/wyse/settings/colourlists.h"
#include "terminal/emulations/wyse/settings/setupcopy.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setupdialog.h"
#include "terminal/settings/setup/setuppagehelpers.h"

namespace {

// clang-format off
enum : u16 {
    kDefault = 3, kSetTabs = 8, kLinesLabel = 2699, kLines = 2700, kPageLabel = 2709, kPage = 2710,
    kStatusLabel = 2719, kStatus = 2720, kBlockEndLabel = 2729, kBlockEnd = 2730, kAttrLabel = 2739,
    kAttr = 2740, kCodePageLabel = 2750, kCodePage = 2751, kFontLabel = 2765, kFont = 2766, kOptions = 2769,
    kProtLabel = 2770, kDim = 2771, kInvisible = 2772, kReverse = 2773, kUnderline = 2774, kBlink = 2775,
};
// clang-format on
constexpr int kTabStopsSlot = 25;
constexpr int kWyseSlot = 21;

WyseSetupWorking& W = WySetup;

const IndexCombo kCombos[] = {
    {kLines, 2701, 2704}, {kPage, 2711, 2714},     {kStatus, 2721, 2723}, {kBlockEnd, 2731, 2732},
    {kAttr, 2741, 2743},  {kCodePage, 2752, 2762}, {kFont, 2767, 2768},
};
const bool kCombosRegistered = (RegisterIndexCombos(kCombos, static_cast<int>(std::size(kCombos))), true);

const CheckListRow kRows[kWyCheckRows] = {
    {2780, &W.rows[kWyRowMultiPage]},  {2781, &W.rows[kWyRowWidthClears]},     {2782, &W.rows[kWyRowEconomy]},
    {2783, &W.rows[kWyRowAutoScroll]}, {2784, &W.rows[kWyRowAutoPage]},        {2785, &W.rows[kWyRowAutoWrap]},
    {2786, &W.rows[kWyRowDestBs]},     {2787, &W.rows[kWyRowMarginBell]},      {2788, &W.rows[kWyRowEnhance]},
    {2789, &W.rows[kWyRowAnswerback]}, {2790, &W.rows[kWyRowSendAck]},         {2791, &W.rows[kWyRowBlockMode]},
    {2792, &W.rows[kWyRowColour]},     {2793, &W.rows[kWyRowApplicationKeys]}, {2794, &W.rows[kWyRowCrNull]},
};

void DefaultButton(HWND window, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    WyseDefaultSetupCopy();
    if (SetupDialogSession* session = SetupSessionOf(window)) {
        CheckListRefresh(session->checkList);
        ShowSetupValues(window, *session);
    }
}

void OpenTabStops(HWND window, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    RunSetupPage(window, kTabStopsSlot, true, kSerialOwnerConnection, nullptr);
}

void Enable(HWND window, std::initializer_list<u16> ids, bool on)
{
    for (u16 id : ids)
        if (HWND control = GetDlgItem(window, id))
            EnableWindow(control, on ? TRUE : FALSE);
}

// What the live personality offers.
void InitDisplay(HWND window)
{
    const u8 id = EmulationId;
    if (!IsWyseFamily(id))
        return;
    const bool plusOr60 = id == kEmuWy50Plus || id == kEmuWy60;
    const bool notWy50 = id != kEmuWy50;
    const bool attrType = id == kEmuWy50Plus || id == kEmuTvi910 || id == kEmuTvi920 || id == kEmuTvi925 ||
                          id == kEmuWy60;
    Enable(window, {kLinesLabel, kLines, kPageLabel, kPage, kFontLabel, kFont}, plusOr60);
    Enable(window, {kInvisible, kUnderline, kBlink}, notWy50);
    Enable(window, {kAttrLabel, kAttr}, attrType);
    SetupDialogSession* session = SetupSessionOf(window);
    if (!session)
        return;
    CheckList& list = session->checkList;
    for (int row : {kWyRowWidthClears, kWyRowEconomy, kWyRowDestBs})
        CheckListSetDisabled(list, row, !plusOr60);
    for (int row : {kWyRowMultiPage, kWyRowAutoPage})
        CheckListSetDisabled(list, row, !notWy50);
    CheckListSetDisabled(list, kWyRowApplicationKeys, SetupCopy.national == 0);
}

const SetupControlEntry kControls[] = {
    SetupButton(IDOK),
    SetupButton(IDCANCEL),
    SetupButton(kDefault, DefaultButton),
    SetupButton(kSetTabs, OpenTabStops),
    SetupLabel(kLinesLabel),
    SetupList(kLines, ComboIndexHandler, &W.lines),
    SetupLabel(kPageLabel),
    SetupList(kPage, ComboIndexHandler, &W.pageFormat),
    SetupLabel(kStatusLabel),
    SetupList(kStatus, ComboIndexHandler, &W.statusLine),
    SetupLabel(kBlockEndLabel),
    SetupList(kBlockEnd, ComboIndexHandler, &W.blockEnd),
    SetupLabel(kAttrLabel),
    SetupList(kAttr, ComboIndexHandler, &W.attrType),
    SetupLabel(kCodePageLabel),
    SetupList(kCodePage, ComboIndexHandler, &W.national),
    SetupLabel(kFontLabel),
    SetupList(kFont, ComboIndexHandler, &W.asciiFont),
    SetupLabel(kProtLabel),
    SetupCheck(kDim, &W.protDim),
    SetupCheck(kInvisible, &W.protBlank),
    SetupCheck(kReverse, &W.protReverse),
    SetupCheck(kUnderline, &W.protUnderline),
    SetupCheck(kBlink, &W.protBlink),
    SetupCheckList(kOptions),
    SetupEnd(),
};

const SetupPage kWysePage{2340,    kControls,   kLines,  kOptions, kRows,  kWyCheckRows,
                          nullptr, InitDisplay, nullptr, nullptr,  nullptr};
const FamilySetupPage kPages[] = {{kWyseSlot, &kWysePage}};

void Fill()
{
    WyseFillSetupCopy();
    WyseFillColourCopy();
}

HlsPalette* RunningPalette()
{
    return WyseRunningPalette();
}

HlsPalette FactoryPalette()
{
    return WyseRunningFactoryPalette();
}

// The Terminal page for a personality: no character-set list (the set codes choose), the
// width list offered, no tab ruler there (this page has its own); the modes a Wyse keeps
// on its own page are greyed, "Ignore Nulls" is offered.
const u8 kTerminalRowsOff[] = {kRowAutoWrap,      kRowAutoNewLine,  kRowApplicationKeypad, kRowApplicationCursor,
                               kRowDisplayErrors, kRowBackspaceDel, kTerminalModeRows};
const u8 kTerminalRowsOn[] = {kRowIgnoreNulls, kTerminalModeRows};
constexpr TerminalPageLook kTerminalLook{false, true, false, kTerminalRowsOff, kTerminalRowsOn};

const TerminalPageLook* TerminalPage(u8)
{
    return &kTerminalLook;
}

}  // namespace

const FamilySetup WyseSetup{
    .pages = kPages,
    .pageCount = 1,
    .fill = Fill,
    .apply = WyseApplySetupCopy,
    .applyColours = WyseApplyColourCopy,
    .attributeList = WyseAttributeList,
    .defaultColours = WyseDefaultColoursToCopy,
    .tabLine = WySetup.tabLine,
    .palette = RunningPalette,
    .factoryPalette = FactoryPalette,
    .answerbackChars = WyseAnswerbackChars,
    .hostKeyNames = {kWyseFirstKeyName, kWyseLastKeyName},
    .terminalPage = TerminalPage,
};
