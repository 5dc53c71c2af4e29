#include "terminal/core/session/terminalinit.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/emulations/dec/vtmodes.h"

#include "terminal/settings/store/connsettings.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/escparser.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/emulations/dec/vtservices.h"
#include "terminal/emulations/dec/controls/cursorcmds.h"
#include "terminal/emulations/dec/localedit/localedit.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/controls/rendition.h"
#include "terminal/emulations/dec/reports/reportbuffer.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/controls/vtcharsets.h"
#include "terminal/emulations/dec/pages/statusline.h"
#include "terminal/emulations/dec/vtparts.h"

DecModeSet DecModes;

namespace {

bool IsOneOfIds(std::initializer_list<int> ids)
{
    for (int id : ids)
        if (TerminalId == id)
            return true;
    return false;
}

bool PagesExist()
{
    return Screen.multiPage && Screen.pages.pageCount > 0;
}

void SetScreenReverse(bool on)
{
    if ((PaintSettings.reverseScreen != 0) == on)
        return;
    PaintSettings.reverseScreen = on ? 1 : 0;
    RepaintScreen();
}

void SetPageCoupling(u8& flag, bool on, bool pageCursorCoupling)
{
    if (!PagesExist())
        return;
    flag = on ? 1 : 0;
    if (!on)
        return;
    FollowCursorInView();
    if (pageCursorCoupling && Screen.pageShown != ActivePage()) {
        Screen.pageShown = ActivePage();
        InvalidateStatusLine();
        RepaintScreen();
    }
}

void SetAnsiMode(int mode, bool set)
{
    switch (mode) {
    case 1: DecModes.gatm = set; break;
    case 2:
        VtMode.hostKeyboardLock = set;
        ShowLockStatus();
        break;
    case 3:
        // Control representation can only be switched on from the host; the terminal
        // itself leaves it when it sees CSI 3 l.
        if (set) {
            DecModes.controlRepresentation = 1;
            PaintSettings.displayControls = 1;
        }
        break;
    case 4:
        VtMode.insertMode = set;
        ShowInsertModeStatus();
        break;
    case 6: DecModes.erm = set; break;
    case 12: LocalEcho = set ? 0 : 1; break;
    case 15: DecModes.ansi15 = set; break;
    case 16: DecModes.ansi16 = set; break;
    case 17: DecModes.ansi17Inverted = !set; break;
    case 20: VtMode.newLineMode = set; break;
    case 42:
        if (set)
            RequestEmulation(EmulationId, kEmuWy60);
        break;
    default: break;
    }
}

void SetDecPrivateMode(int mode, bool set)
{
    switch (mode) {
    case 1: Vt300Values.curskeyapp = set; break;
    case 2:
        if (!set)
            EnterVt52Mode();
        break;
    case 3: set ? SetColumns132() : SetColumns80(); break;
    case 4: DecModes.smoothScroll = set; break;
    case 5: SetScreenReverse(set); break;
    case 6: SetOriginMode(set); break;
    case 7: VtMode.autoWrap = set; break;
    case 8: Vt300Values.kbdrpt = set; break;
    case 10: SetLocalEditState(set); break;
    case 11: DecModes.editFlag11 = set; break;
    case 13: DecModes.editFlag13 = set; break;
    case 14: DecModes.editFlag14Inverted = !set; break;
    case 16: DecModes.editFlag16Inverted = !set; break;
    case 18:
        // DECPFF is the printer's form-feed terminator setting itself.
        DecModes.printFormFeed = set;
        PrintingValues.PrintTerminator = set ? 1 : 0;
        break;
    case 19: DecModes.printExtentInverted = !set; break;
    case 25:
    case 50: set ? EnableTextCursor() : DisableTextCursor(); break;
    case 42: {
        const u8 multinational = set ? 0 : 1;
        if (Vt300Values.mltnat != multinational) {
            Vt300Values.mltnat = multinational;
            ResetCharsets();
        }
        break;
    }
    case 53: DecModes.editFlag53 = set; break;
    case 60: SetPageCoupling(Screen.horizontalCoupling, set, false); break;
    case 61: SetPageCoupling(Screen.verticalCoupling, set, false); break;
    case 64: SetPageCoupling(Screen.pageCoupling, set, true); break;
    case 66: Vt300Values.kpadmode = set; break;
    case 67: DecModes.backarrowSendsBs = set; break;
    case 68: DecModes.keyboardUsage = set; break;
    case 69: SetLeftRightMarginMode(set ? 0 : 1); break;
    case 73: DecModes.transmitRateLimit = set; break;
    case 75: set ? ScreenDisplayOn() : ScreenDisplayOff(); break;
    case 99: DecModes.mode99 = set; break;
    default: break;  // 9, 38, 43-47 and the rest: no effect
    }
}

void ChangeModes(bool set)
{
    const u8 marker = ParamMarker();
    for (int i = 1; i <= ParamCount(); ++i) {
        const int mode = Param(i);
        if (marker == ' ')
            SetAnsiMode(mode, set);
        else if (marker == '?')
            SetDecPrivateMode(mode, set);
        else if (marker == '<' && mode == 1)
            DecModes.privateLt1 = set;
    }
}

void SwitchVtConformance(u8 id)
{
    SelectActiveDisplay(0);
    SoftReset();
    SetDecEmulationId(id);
    ShowVtEmulationName();
}

// The local-function commands take their parameters in pairs; a pair with a value out
// of range is passed over.
template <typename Apply>
void ForEachPair(Apply apply)
{
    for (int i = 1; i + 1 <= ParamCount(); i += 2)
        apply(Param(i), Param(i + 1));
}

}  // namespace

bool IsVt500Emulation()
{
    return IsVt500Emulation(EmulationId);
}

bool IsVt420Class()
{
    return IsVt500Emulation() && IsOneOfIds({8, 12, 13, 14});
}

bool IsVt510Class()
{
    return IsVt500Emulation() && IsOneOfIds({12, 13, 14});
}

bool IsVt340OrLaterClass()
{
    return IsVt500Emulation() && IsOneOfIds({7, 8, 12, 13, 14});
}

void SetVtScreenRows(int n)
{
    if (!IsVtFamily(EmulationId) || n == Screen.rows || n < 1 || n > kMaxVtRows)
        return;
    if (IsVt420Class())
        SetLinesPerScreen(n);
    else
        ResizeWindowToRows(n);
}

void SetDecEmulationId(u8 id)
{
    EmulationId = id;
    RequestedEmulationId = id;
    VtMode.ansiMode = id == kEmuVt52 ? 0 : 1;
}

void SetModes()
{
    ChangeModes(true);
}

void ResetModes()
{
    ChangeModes(false);
}

void KeypadApplicationMode()
{
    Vt300Values.kpadmode = 1;
}

void KeypadNumericMode()
{
    Vt300Values.kpadmode = 0;
}

void LockKeyboard()
{
    VtMode.hostKeyboardLock = 1;
    ShowLockStatus();
}

void UnlockKeyboard()
{
    VtMode.hostKeyboardLock = 0;
    ShowLockStatus();
}

void LoadLeds()
{
    if (ParamMarker() != ' ')
        return;
    for (int i = 1; i <= ParamCount(); ++i) {
        const int p = Param(i);
        if (p == 0)
            DecModes.leds &= static_cast<u8>(~0x7C);
        else if (p >= 1 && p <= 5)
            DecModes.leds |= static_cast<u8>(1 << (p + 1));
        else if (p >= 21 && p <= 25)
            DecModes.leds &= static_cast<u8>(~(1 << (p - 19)));
    }
}

void EnableTextCursor()
{
    CursorDisabled = 0;
}

void DisableTextCursor()
{
    HideCursorForUpdate();
    CursorDisabled = 1;
}

void Select7BitControls()
{
    if (EmulationId == kEmuVt500Bit8) {
        SetDecEmulationId(2);
        ShowVtEmulationName();
    }
}

void Select8BitControls()
{
    if (EmulationId == kEmuVt500Bit7) {
        SetDecEmulationId(3);
        ShowVtEmulationName();
    }
}

void SetConformanceLevel()
{
    if (ParamMarker() != ' ')
        return;
    const int level = Param(1), controls = Param(2);
    if (level == 61) {
        SwitchVtConformance(1);
        ApplyPageModeSetting();
        return;
    }
    if (level < 62 || level > 65)
        return;
    if (controls == 1)
        SwitchVtConformance(2);
    else if (controls == 0 || controls == 2)
        SwitchVtConformance(3);
    else
        return;
    if (level == 64 || level == 65)
        TerminalId = level == 64 ? 8 : 12;
    ApplyPageModeSetting();
}

void SoftResetHandler()
{
    if (IsVt500Emulation())
        SoftResetCommand();
}

void SoftResetCommand()
{
    if (ParamMarker() == ' ' && Param(1) == 0)
        SoftReset();
}

void SoftReset()
{
    SelectActiveDisplay(0);
    const int row = Screen.cursorRow, column = Screen.cursorColumn;
    EnableTextCursor();
    VtMode.insertMode = 0;
    VtMode.cursorOrigin = 1;
    VtMode.autoWrap = 0;
    VtMode.hostKeyboardLock = 0;
    Vt300Values.kpadmode = 0;
    Vt300Values.curskeyapp = 0;
    ResetGraphicRendition();
    ResetCharsets();
    CurrentRendition &= static_cast<u8>(~kRendProtected);
    SetTopBottomMargins(1, Screen.rows);
    HomeCursor();
    SaveCursorState();
    MoveCursorAbsolute(row, column);
    InitStatusDisplayState();
    if (DecModes.localEditState == 1)
        SetLocalEditState(false);
    DecModes.editFlag11 = DecModes.editFlag13 = DecModes.editFlag53 = 0;
    DecModes.editFlag14Inverted = DecModes.editFlag16Inverted = DecModes.ansi17Inverted = 1;
    DecModes.erm = 1;
    DecModes.gatm = DecModes.ansi15 = DecModes.ansi16 = 0;
    for (int row2 = 0; row2 < Screen.pageLength; ++row2)
        if (ScreenLineRecord* line = LineAt(row2))
            for (ScreenCell& cell : line->cells)
                cell.rendition &= 0x7F;
}

void SecureReset()
{
    if (!IsVt420Class() || Param(1) > 16383)
        return;
    const int pr = Param(1);
    SoftResetCommand();
    ResetGraphicRendition();
    ClearScreenHome();
    RepaintScreen();
    BeginReport(kCsiUnit);
    AppendDecimal(static_cast<u32>(pr));
    AppendText("*q");
    SendReportBuffer();
}

void ResetVtTerminal()
{
    const u8 id = EmulationId;
    const int rows = Screen.rows, lineCount = Screen.maxLineCount;
    DecModes.fullReset = 1;
    ClearScreenHome();
    InitialiseTerminal(0);
    if (!IsVtFamily(EmulationId))
        SetDecEmulationId(id);
    else
        VtMode.ansiMode = EmulationId == kEmuVt52 ? 0 : 1;
    if (Screen.rows != rows)
        SetScreenRowCount(rows);
    if (Screen.maxLineCount != lineCount)
        ResizeScreenLines(lineCount);
    SetTopBottomMargins(1, Screen.pageLength);
    RefreshScrollRange();
    if (EmulationId != id)
        RequestEmulation(id, EmulationId);
    UpdateVtStatusFields();
    DecModes.fullReset = 0;
    RepaintScreenRegion(0, 0, 64, 131);
    VtMode.insertMode = 0;
    ResetCharsets();
    ResetGraphicRendition();
    ClearTabCommandFlags();
}

void EnterVt52Mode()
{
    if (DecModes.emulationLock)
        return;
    SelectActiveDisplay(0);
    SetDecEmulationId(0);
    ResetCharsets();
    ShowVtEmulationName();
}

void LeaveVt52Mode()
{
    if (DecModes.emulationLock)
        return;
    SetDecEmulationId(1);
    ResetCharsets();
    ShowVtEmulationName();
}

void SetOriginMode(bool on)
{
    VtMode.cursorOrigin = on ? 0 : 1;
    HomeCursor();
}

void SetLastColumn(int n)
{
    // A family with a screen of its own keeps its columns.
    if (ActiveFamily().display)
        return;
    if (Vt300Values.font80)
        n = 79;
    Screen.lastColumn = static_cast<i16>(n);
    Screen.horizontalOffset = 0;
    UpdateCursorCellPointer();
    RefitScreenFont();
    SetLeftRightMargins(0, 0);
}

namespace {
void SetColumns(int lastColumn)
{
    const MainDisplayScope mainDisplay;
    const int row = Screen.cursorRow, column = Screen.cursorColumn;
    if (Screen.lastColumn == lastColumn && !Screen.multiPage && Vt300Values.clrscrnsave) {
        EraseDisplayAll();
    } else {
        InvalidateTerminal();
        if (Vt300Values.clrwdth)
            BlankAllScreenLines();
        SetLastColumn(lastColumn);
    }
    UpdateVtStatusFields();
    SetScreenColumns(lastColumn + 1);
    SetLeftRightMargins(0, 0);
    HomeCursor();
    RepaintScreen();
    if (!Vt300Values.clrwdth) {
        MoveCursorAbsolute(row, column > lastColumn ? lastColumn : column);
        FollowCursorInView();
    }
}
}  // namespace

void SetColumns132()
{
    SetColumns(131);
}

void SetColumns80()
{
    SetColumns(79);
}

void SetColumnsPerPage()
{
    if (!PagesExist() || ParamMarker() != ' ')
        return;
    const int n = Param(1);
    if ((n == 0 || n == 80) && Screen.lastColumn != 79)
        SetColumns80();
    else if (n == 132 && Screen.lastColumn != 131)
        SetColumns132();
}

void SelectLocalFunctions()
{
    if (!IsVt420Class())
        return;
    ForEachPair([](int function, int action) {
        if (function > 3 || action > 2)
            return;
        for (int i = 0; i < 3; ++i)
            if (function == 0 || function == i + 1)
                DecModes.localFunction[i] = static_cast<u8>(action);
    });
}

void SelectLocalFunctionKeys()
{
    if (!IsVt420Class())
        return;
    ForEachPair([](int key, int function) {
        if (key > 4 || function > 3)
            return;
        for (int i = 0; i < 4; ++i)
            if (key == 0 || key == i + 1)
                DecModes.localFunctionKey[i] = static_cast<u8>(function);
    });
}

void SelectModifierKeys()
{
    if (!IsVt420Class())
        return;
    ForEachPair([](int key, int function) {
        if (key > 8 || function > 3)
            return;
        if (key == 0) {
            if (function == 2) {
                // The terminal's own modifier layout is asked for: it has none to tell.
                BeginReport(kApcUnit);
                AppendText(":000000000");
                AppendUnit(kStUnit);
                SendReportBuffer();
                return;
            }
            const u8 value = static_cast<u8>(function == 3 ? 2 : function);
            for (u8& m : DecModes.modifierKey)
                m = value;
            return;
        }
        DecModes.modifierKey[key - 1] = static_cast<u8>(function);
    });
}

void EnterVtEmulation(u8 id)
{
    SetDecEmulationId(id);
    BlankAllScreenLines();
    ResetCharsets();
    SetScreenPageLength(Screen.pageLength);
    ResetSavedPageMargins();
    UpdateVtStatusFields();
    RefitScreenFont();
    SetMarginLinePointers(0, Screen.rows - 1);
    SetLeftRightMargins(0, 0);
    MoveCursor(0, 0);
}

void ResetDecModes()
{
    const DecModeSet keep = DecModes;
    DecModes = DecModeSet{};
    // Not modes of the host's: they survive a reset.
    DecModes.emulationLock = keep.emulationLock;
    DecModes.fullReset = keep.fullReset;
}
