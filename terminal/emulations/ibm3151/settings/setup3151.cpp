// The IBM 3151's part of the Setup dialog: its Settings page (slot 19), its colours
// after the Attributes page, the palette that page edits, and how the Terminal page
// shows for it.
#include "terminal/core/base/win32.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/emulations/ibm3151/settings/profile3151.h"
#include "terminal/emulations/ibm3151/window/run3151.h"
#include "terminal/emulations/ibm3151/settings/setupbytes.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setupdialog.h"
#include "terminal/settings/setup/setupfamily.h"
#include "terminal/settings/setup/setuppagehelpers.h"
#include "terminal/settings/setup/setuppages.h"

namespace {

constexpr int kSlot = 19;
constexpr u16 kTemplate = 2320;
constexpr u16 kDefaults = 3;

I3151SetupFields& F = I3151Setup;

constexpr IndexCombo kCombos[] = {
    {2600, 2601, 2603}, {2610, 2611, 2614}, {2620, 2621, 2624}, {2630, 2631, 2634}, {2640, 2641, 2642},
    {2650, 2651, 2652}, {2660, 2661, 2662}, {2670, 2671, 2672}, {2680, 2681, 2682},
};

// The model list: "11" and "31", texts of its own.
void ModelList(HWND window, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    HWND combo = GetDlgItem(window, entry.id);
    if (init) {
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"11"));
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"31"));
        SendMessageW(combo, CB_SETCURSEL, F.model ? 1 : 0, 0);
    } else if (IsSelectionChange(entry, wParam)) {
        const LRESULT selection = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        F.model = selection == 1 ? 1 : 0;
    }
}

void DefaultsButton(HWND window, const SetupControlEntry&, u8, WPARAM, LPARAM)
{
    I3151DefaultSetupFields();
    if (SetupDialogSession* session = SetupSessionOf(window))
        ShowSetupValues(window, *session);
}

constexpr SetupControlEntry Check(u16 id, u16* variable, u16 label)
{
    return {SetupControlKind::CheckBox, id, nullptr, variable, 0, label, 0};
}

const SetupControlEntry kControls[] = {
    SetupButton(IDOK),
    SetupButton(IDCANCEL),
    SetupButton(kDefaults, DefaultsButton),
    SetupLabel(2599),
    SetupList(2600, ComboIndexHandler, &F.mode),
    SetupLabel(2609),
    SetupList(2610, ComboIndexHandler, &F.format),
    SetupLabel(2619),
    SetupList(2620, ComboIndexHandler, &F.turnaround),
    SetupLabel(2629),
    SetupList(2630, ComboIndexHandler, &F.forcingInsert),
    SetupLabel(2639),
    SetupList(2640, ComboIndexHandler, &F.insertCharacter),
    SetupLabel(2649),
    SetupList(2650, ComboIndexHandler, &F.tab),
    SetupLabel(2659),
    SetupList(2660, ComboIndexHandler, &F.enter),
    SetupLabel(2669),
    SetupList(2670, ComboIndexHandler, &F.returnKey),
    SetupLabel(2679),
    SetupList(2680, ComboIndexHandler, &F.send),
    SetupLabel(2684),
    SetupList(2685, ModelList, &F.model),
    Check(2690, &F.autoWrap, 2691),
    Check(2692, &F.autoLf, 2693),
    Check(2694, &F.autoNewLine, 2695),
    SetupLabel(2696),
    SetupCountedEdit(2697, F.terminalId),
    SetupEnd(),
};

const SetupPage kPage{kTemplate, kControls, 2600, 0, nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr};
const FamilySetupPage kPages[] = {{kSlot, &kPage}};

const bool kRegistered = [] {
    RegisterIndexCombos(kCombos, static_cast<int>(sizeof(kCombos) / sizeof(kCombos[0])));
    return true;
}();

void Fill()
{
    I3151UnpackSetupBytes();
}

// OK: the fields into the set-control bytes, and what changed takes effect.
void Apply()
{
    I3151PackSetupBytes();
}

void ApplyColours()
{
    if (I3151.active)
        I3151ApplySetupValues();
}

void Recolour(u8 oldForeground, u8 oldWrittenBackground, u8 oldBlankBackground)
{
    if (!I3151.active || !I3151PagesAllocated())
        return;
    I3151ApplySetupValues();
    const I3151AttributeColourSet& c = I3151AttributeColours;
    I3151RecolourCells(oldForeground & 0x0F, oldWrittenBackground & 0x0F, oldBlankBackground & 0x0F, c.foreground,
                       c.writtenBackground, c.blankBackground);
}

HlsPalette* Palette()
{
    return I3151.active ? &I3151Palette : nullptr;
}

// The Terminal page: the 3151 sets its own width, keeps its own tab stops and takes
// none of the VT modes but NUL filtering.
constexpr u8 kRowsOff[] = {kRowAutoWrap,          kRowAutoNewLine,       kRowAutoLineFeed,
                           kRowApplicationKeypad, kRowApplicationCursor, kRowDisplayControls,
                           kRowDisplayErrors,     kRowBackspaceDel,      kTerminalModeRows};
constexpr u8 kRowsOn[] = {kRowIgnoreNulls, kTerminalModeRows};
constexpr TerminalPageLook kTerminalLook{true, false, false, kRowsOff, kRowsOn};

const TerminalPageLook* TerminalPage(u8)
{
    return &kTerminalLook;
}

}  // namespace

const FamilySetup I3151FamilySetup{
    .pages = kPages,
    .pageCount = 1,
    .fill = Fill,
    .apply = Apply,
    .applyColours = ApplyColours,
    .recolour = Recolour,
    .palette = Palette,
    .factoryPalette = I3151FactoryPalette,
    .terminalPage = TerminalPage,
};
