#include "terminal/settings/setup/setupapply.h"

#include <iterator>

#include "terminal/core/window/layout.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/comms/serial/serialport.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/window/emuswitch.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/session/instances.h"
#include "terminal/core/paint/jumpscroll.h"
#include "terminal/core/base/language.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/input/bars/softbar.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/settings/setup/attributelists.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/defaults.h"
#include "terminal/settings/store/mouseactions.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/settings/setup/setupcolours.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setuprules.h"

bool SetupConnectPending = false;

namespace {

SetupWorkingCopy& W = SetupCopy;
constexpr u32 kFirstVtModelName = 6801;  // "vt100" ... "vt525" in the program's own table
constexpr u32 kLastVtModelName = 6815;
constexpr int kHiddenCursor = 4;

// The Save Session As page's "Saved Items", in its order.
u8* const kSavedItemFlags[] = {&SavedItems.savemacros,  &SavedItems.savebuttons, &SavedItems.saveattrs,
                               &SavedItems.savewindow,  &SavedItems.saverows,    &SavedItems.savebuffer,
                               &SavedItems.savenetwork, &SavedItems.savesettings};
static_assert(std::size(kSavedItemFlags) == std::size(SetupWorkingCopy{}.savedItems));

void CopyUnits(wchar16* to, int capacity, const wchar16* from)
{
    CopyText(to, static_cast<std::size_t>(capacity), from);
}

bool StoreOwned()
{
    return SetupStoreOwned(static_cast<u8>(W.emulation), GetEmulationFromFlags());
}

SetupGeometry CurrentGeometry()
{
    SetupGeometry g{};
    GetScreenDimensions(&g.rows, &g.pageLength, &g.lineCount);
    g.pageColumns = Screen.lastColumn + 1;
    g.multiPage = Screen.multiPage != 0;
    g.memorySizeAllowed = StartupOptions.scrollBar != 0 && !g.multiPage;
    const int most = static_cast<int>(StartupOptions.historyLines);
    g.maxLineCount = most > kMaxLineCount ? kMaxLineCount : most;
    return g;
}

void ApplyGeometry()
{
    SetupGeometryPlan plan = PlanSetupGeometry(CurrentGeometry(), SetupSizeNumber(W.rows),
                                               SetupSizeNumber(W.memoryRows), SetupSizeNumber(W.pageSize),
                                               SetupSizeNumber(W.pageWidth), StoreOwned());
    // A page never holds fewer lines than the screen shows: a page that grows takes its
    // size before the rows, one that shrinks after them.
    const auto applyPageLength = [&plan] {
        if (plan.pageLength > 0 && SetScreenPageLength(plan.pageLength)) {
            SetMarginLinePointers(0, Screen.pageLength - 1);
            ResetSavedPageMargins();
            SettingsChangedFlag = 1;
        }
        plan.pageLength = -1;
    };
    if (plan.pageLength >= Screen.rows)
        applyPageLength();
    if (plan.rows > 0) {
        // The window keeps its size: the font follows the new row count.
        const bool keep = KeepWindowSize;
        KeepWindowSize = true;
        ResizeWindowForRows(plan.rows, false);
        KeepWindowSize = keep;
        SetSetupSizeText(W.rows, Screen.rows);
        SetMarginLinePointers(0, Screen.rows - 1);
        SettingsChangedFlag = 1;
    }
    if (plan.lineCount > 0) {
        SetMaximumLineCount(plan.lineCount);
        ResizeScreenLines(plan.lineCount);
    }
    applyPageLength();
    if (plan.pageColumns > 0) {
        SetScreenColumns(plan.pageColumns);
        SetLeftRightMargins(0, 0);
    }
}

void ApplyNationalMode()
{
    // mltnat is the inverse of "National": equal means the choice changed.
    if (Vt300Values.mltnat != W.national)
        return;
    Vt300Values.mltnat = W.national ? 0 : 1;
    SetupCharsetsChanged = 1;
    SettingsChangedFlag = 1;
}

void ApplyStatusLineType()
{
    if (W.statusLine != Vt300Values.sl_type)
        RowsChangedFlag = 1;
}

void ApplyCharacterSets()
{
    const bool setChanged = W.characterSet != PaintSettings.characterMode;
    const bool pageChanged = W.ansiCodePage != Vt300Values.ansi386_codepage;
    const bool fontChanged = W.font != SelectedFaceIndex;
    if (setChanged || pageChanged) {
        Vt300Values.ansi386_codepage = static_cast<u8>(W.ansiCodePage);
        PaintSettings.characterMode = static_cast<u8>(W.characterSet);
        SetupCharsetsChanged = 1;
        SettingsChangedFlag = 1;
    }
    if (fontChanged) {
        SelectedFaceIndex = W.font;
        SettingsChangedFlag = 1;
    }
}

void ApplySoftButtonBar()
{
    if (W.softButtonLevelsVisible != GetVisibleSoftButtonLevels())
        SetSoftButtonBarVisible(W.softButtonLevelsVisible, true);
    if ((W.softButtonsAttached != 0) != IsSoftButtonBarAttached())
        SetSoftButtonBarAttached(W.softButtonsAttached != 0, true);
    // The Soft Buttons page may have changed the captions.
    RefreshSoftButtonBar();
}

void ApplyOnLine()
{
    // "On Line" is the inverse of the local mode: equal means the state changes.
    if (W.onLine == LocalMode)
        RowsChangedFlag = 1;
    LocalMode = W.onLine ? 0 : 1;
    ConnectionValues.vdulocal = LocalMode;
}

void ApplyEmulationChoice()
{
    const u8 live = EmulationId;
    const u8 working = static_cast<u8>(W.emulation);
    if (working == live)
        return;
    if (IsVtFamily(live))
        RowsChangedFlag = 1;
    if (!RequestEmulation(live, working)) {
        W.emulation = live;
        return;
    }
    SelectEmulation(live, working);
}

void ApplyCursorType()
{
    if (W.cursorType == kHiddenCursor) {
        CursorDisabled = 1;
        return;
    }
    const bool changed = CursorDisabled || W.cursorType != PaintSettings.cursorStyle;
    CursorDisabled = 0;
    PaintSettings.cursorStyle = static_cast<u8>(W.cursorType);
    Vt300Values.curstyle = static_cast<u8>(W.cursorType);
    if (changed)
        InvalidateTerminal();
}

}  // namespace

void FillSetupCopy()
{
    FillSetupCopyFields();
    W.emulation = EmulationId;
    W.onLine = LocalMode == 0;
    W.localEcho = LocalEcho != 0;
    W.transport = static_cast<u16>(Connection.netproto == 1 ? 1 : 0);
    W.noConnection = Connection.noConnection != 0 || Connection.netproto == 2;
    for (int i = 0; i < 3; ++i)
        CopyUnits(W.rolloverHost[i], kSetupHostUnits, Connection.rollover[i]);
    int rows = 0, pageLength = 0, lineCount = 0;
    GetScreenDimensions(&rows, &pageLength, &lineCount);
    SetSetupSizeText(W.rows, rows);
    SetSetupSizeText(W.memoryRows, lineCount);
    SetSetupSizeText(W.pageSize, pageLength);
    SetSetupSizeText(W.pageWidth, Screen.lastColumn + 1);
    W.columns132 = Screen.lastColumn != 79;
    MakeTabLine(W.tabLine, Vt300Values.tabstops, Screen.lastColumn + 1);
    W.cursorType = CursorDisabled ? kHiddenCursor : PaintSettings.cursorStyle.load();
    W.characterSet = PaintSettings.characterMode;
    W.font = static_cast<u16>(SelectedFaceIndex >= 0 ? SelectedFaceIndex : 0);
    W.modes[kRowHighFunction] = 0;
    for (int i = 0; i < kMouseSlots; ++i)
        W.mouseActions[i] = MouseActions[i];
    W.highlightWhenActioned = HighlightWhenActioned != 0;
    for (std::size_t i = 0; i < std::size(kSavedItemFlags); ++i)
        W.savedItems[i] = *kSavedItemFlags[i] != 0;
    W.saveAsDefault = 0;
    FillAttributeColourCopy(W.attributeColours);
    const ColourFlags& c = Colours;
    W.inverseColours = c.invcolour != 0;
    W.swapBlackWhite = c.bwswap != 0;
    W.autoColour = c.autocolour != 0;
    W.ansiColoursDisabled = c.noansicolours != 0;
    W.coloursClearedWithAttributes = c.keepcolours == 0;
    W.attributesNormalBackground = c.attribsnormbg != 0;
    W.italicWithIntensity = c.bolditalic != 0;
    W.boldFont = c.boldfont != 0;
    SetupPalette = RunningHlsPalette();
    SetupScreenElement = 0;
    LoadAttributeColourPair(0);
    ColoursEditedFlag = 0;
    W.softButtonLevel = 0;
    W.softButtonNumber = 0;
    W.softButtonLevelsVisible = static_cast<u16>(GetVisibleSoftButtonLevels());
    W.softButtonsAttached = IsSoftButtonBarAttached() ? 1 : 0;
    FillSetupCopyEmulation();
}

void StoreSerialSetup()
{
    ConnectionSection& c = ConnectionValues;
    const SetupLineChoice& line = W.line[kLineConnection];
    // On a serial connection without a port nothing is stored.
    if (W.transport == 1 && !W.noConnection && W.device == kNoSerialDevice)
        return;
    const bool lineChanged = c.comspeed != line.speed || c.comparity != line.parity ||
                             c.comstopb != line.stopBits || c.comdatab != line.dataBits ||
                             c.comflowc != line.flow || c.comdevice != W.device || c.comdeviceType != W.deviceKind;
    c.etxspeed = static_cast<u8>(W.transmitRate);
    if (!lineChanged) {
        ComputeTransmitPacing();
        return;
    }
    c.comspeed = static_cast<u8>(line.speed);
    c.comparity = static_cast<u8>(line.parity);
    c.comstopb = static_cast<u8>(line.stopBits);
    c.comdatab = static_cast<u8>(line.dataBits);
    c.comflowc = static_cast<u8>(line.flow);
    c.comdevice = static_cast<u8>(W.device);
    c.comdeviceType = W.deviceKind;
    DataBitsSetting = c.comdatab;
    // The port in use takes the new line at once (the host-data thread, which alone
    // reads it, configures it again); the pacing follows the transmit rate.
    if (Connection.netproto == 1 && !Connection.noConnection && HostSerialPort == c.comdevice)
        RequestSerialConnection();
    else
        ComputeTransmitPacing();
}

void ApplySetupTerminal()
{
    // A terminal id that names a built-in model is that model, not a custom id.
    if (W.terminalIdText[0] && IsLanguageStringInRange(W.terminalIdText, kFirstVtModelName, kLastVtModelName))
        W.terminalIdText[0] = 0;
    StoreSetupCopyFields();
    const int tabColumns = TabLineColumns(W.tabLine);
    for (int c = 1; c <= tabColumns && c <= kTabStopColumns; ++c)
        Vt300Values.tabstops[c - 1] = W.tabLine[c];
    PaintSettings.displayControls = Vt300Values.dspctrl;
    ApplyJumpScrollSetting(Vt300Values.JumpScroll);
    ApplyCursorType();
}

void ApplySetupSession()
{
    if (Connection.hostrollover)
        for (int i = 0; i < 3; ++i)
            CopyUnits(Connection.rollover[i], kRolloverHostUnits, W.rolloverHost[i]);
    LocalEcho = W.localEcho ? 1 : 0;
    ConnectionValues.vdulocal = W.onLine ? 0 : 1;
    Connection.noConnection = W.noConnection ? 1 : 0;
    Connection.netproto = W.noConnection ? 2 : W.transport;
    HighlightWhenActioned = W.highlightWhenActioned ? 1 : 0;
    for (std::size_t i = 0; i < std::size(kSavedItemFlags); ++i)
        *kSavedItemFlags[i] = W.savedItems[i] ? 1 : 0;
    ColourFlags& c = Colours;
    c.autocolour = W.autoColour ? 1 : 0;
    c.noansicolours = W.ansiColoursDisabled ? 1 : 0;
    StoreAttributeColourCopy(W.attributeColours);
    c.invcolour = W.inverseColours ? 1 : 0;
    c.bwswap = W.swapBlackWhite ? 1 : 0;
    c.keepcolours = W.coloursClearedWithAttributes ? 0 : 1;
    c.attribsnormbg = W.attributesNormalBackground ? 1 : 0;
    c.bolditalic = W.italicWithIntensity ? 1 : 0;
    c.boldfont = W.boldFont ? 1 : 0;
}

void RelayoutTerminal(u16& settingsChanged, u16& rowsChanged)
{
    if (!settingsChanged && !rowsChanged)
        return;
    settingsChanged = rowsChanged = 0;
    InvalidateFontCache();
    RefitScreenFont();
    RefreshScrollRange();
    InvalidateTerminal();
    StatusBarRefresh();
}

void ApplySetupCopy()
{
    StoreSerialSetup();
    ApplyGeometry();
    ApplyNationalMode();
    ApplyStatusLineType();
    ApplyCharacterSets();
    ApplySoftButtonBar();
    ApplyColoursIfEdited();
    ApplyOnLine();
    ApplyEmulationChoice();
    ApplySetupTerminal();
    ApplySetupSession();
    FinishSetupCopyFamilies();
    SetupCharsetsChanged = 0;
    RelayoutTerminal(SettingsChangedFlag, RowsChangedFlag);
}

void ConnectFromSetup()
{
    SetupConnectPending = false;
    // The running session ends first; the host-data thread then opens the new one.
    DisconnectSession();
    if (Connection.noConnection)
        return;
    if (Connection.netproto == 1)
        RequestSerialConnection();
    else if (Connection.netname[0])
        ConnectionStartState = 2;
}
