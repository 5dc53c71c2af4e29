// AIXTerm: a VT-based emulation with tables of its own, the high-function-terminal
// (HFT) mode that switches part of them, a host-writable status line from the start and
// window titles set by the host. It collects its parameters with the VT collector.
#include "terminal/emulations/dec/ansi/aixterm.h"

#include <array>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/paint/palette.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/ansi/ansipalettes.h"
#include "terminal/emulations/dec/controls/controls.h"
#include "terminal/emulations/dec/controls/cursorcmds.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/controls/rendition.h"
#include "terminal/emulations/dec/reports/reports.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/pages/statusline.h"
#include "terminal/emulations/dec/controls/vtcharsets.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/settings/setup/setupcopy.h"

AixtermState Aixterm;

namespace {

constexpr int kAixtermRows = 25;

bool Hft()
{
    return Aixterm.hftMode != 0;
}

// clang-format off
void Nothing() {}
void SaveCursor() { SaveCursorState(); }
void RestoreCursor() { RestoreCursorState(); }
void Index() { IndexDown(); }
void NextLineCommand() { NextLine(); }
void TabSet() { SetTabStop(); }
void ReverseIndexCommand() { ReverseIndex(); }
void Designate0() { DesignateG0(); }
void Designate1() { DesignateG1(); }
void Designate2() { DesignateG2(); }
void Designate3() { DesignateG3(); }
// clang-format on
void KeypadApplication()
{
    if (!Hft())
        KeypadApplicationMode();
}
void KeypadNumeric()
{
    if (!Hft())
        KeypadNumericMode();
}
void Shift2()
{
    if (!Hft())
        SingleShift2();
}
void Shift3()
{
    if (!Hft())
        SingleShift3();
}
void InvokeG2()
{
    if (!Hft())
        VtMode.glSet = 2;
}
void InvokeG3()
{
    if (!Hft())
        VtMode.glSet = 3;
}
void Alignment()
{
    for (int row = 0; row < Screen.pageLength; ++row) {
        ScreenLineRecord* line = LineAt(row);
        if (!line)
            continue;
        for (int c = 0; c <= Screen.lastColumn; ++c)
            line->cells[c].ch = 'E';
    }
    RepaintScreen();
}
// clang-format off
void ResetCommand() { ResetAixterm(); }
void WindowTitle() { ReadAixtermTitle(); }

// CSI with an intermediate SP: accepted and dropped.
void DropSequence() { SkipSequenceBytesFrom(0x20, 0x3F, NextSequenceByte); }
// clang-format on

void CsiFinal();

extern const ParserRange kCsiState[];
extern const ParserRange kHashState[];

constexpr auto kCsiParameters = CsiParameterActions(kCsiState, Nothing, kCsiState);
constexpr auto kCsiIntermediate = SameActions<1>(DropSequence);
constexpr auto kCsiFinals = SameActions<0x7A - 0x40 + 1>(CsiFinal);
constexpr std::array<ParserAction, 1> kAlignment{{{Alignment, nullptr}}};

constexpr std::array<ParserAction, 1> kHash{{{Nothing, kHashState}}};
constexpr std::array<ParserAction, 4> kDesignate{
    {{Designate0, nullptr}, {Designate1, nullptr}, {Designate2, nullptr}, {Designate3, nullptr}}};
constexpr std::array<ParserAction, 2> kSaveRestore{{{SaveCursor, nullptr}, {RestoreCursor, nullptr}}};
constexpr std::array<ParserAction, 2> kKeypad{{{KeypadApplication, nullptr}, {KeypadNumeric, nullptr}}};
// D E F G H I J K L M N O P
constexpr std::array<ParserAction, 13> kUpper{{{Index, nullptr},
                                               {NextLineCommand, nullptr},
                                               {Nothing, nullptr},
                                               {Nothing, nullptr},
                                               {TabSet, nullptr},
                                               {Nothing, nullptr},
                                               {Nothing, nullptr},
                                               {Nothing, nullptr},
                                               {Nothing, nullptr},
                                               {ReverseIndexCommand, nullptr},
                                               {Shift2, nullptr},
                                               {Shift3, nullptr},
                                               {Nothing, nullptr}}};
constexpr std::array<ParserAction, 1> kCsi{{{Nothing, kCsiState}}};
constexpr std::array<ParserAction, 1> kTitle{{{WindowTitle, nullptr}}};
constexpr std::array<ParserAction, 1> kReset{{{ResetCommand, nullptr}}};
constexpr std::array<ParserAction, 2> kInvoke{{{InvokeG2, nullptr}, {InvokeG3, nullptr}}};

const ParserRange kHashState[] = {
    {0x38, 0x38, kAlignment.data()},
    {0, 0, nullptr},
};

const ParserRange kCsiState[] = {
    {0x20, 0x20, kCsiIntermediate.data()},
    {0x30, 0x3F, kCsiParameters.data()},
    {0x40, 0x7A, kCsiFinals.data()},
    {0, 0, nullptr},
};

// clang-format off
const ParserRange kEscState[] = {
    {0x23, 0x23, kHash.data()},
    {0x28, 0x2B, kDesignate.data()},
    {0x37, 0x38, kSaveRestore.data()},
    {0x3D, 0x3E, kKeypad.data()},
    {0x44, 0x50, kUpper.data()},
    {0x5B, 0x5B, kCsi.data()},
    {0x5D, 0x5D, kTitle.data()},
    {0x63, 0x63, kReset.data()},
    {0x6E, 0x6F, kInvoke.data()},
    {0, 0, nullptr},
};
// clang-format on

// ---- CSI operations ----

bool StatusWritable()
{
    return StatusDisplayType() == kStatusHostWritable;
}

void EraseDisplay(int n)
{
    const int row = Screen.cursorRow, column = Screen.cursorColumn;
    switch (n) {
    case 0:
        if (row == 0 && column == 0 && !StatusDisplayActive()) {
            ClearLines(0, Screen.pageLength - 1);
        } else {
            EraseCharacters(column, Screen.lastColumn - column + 1);
            if (row + 1 < Screen.pageLength)
                ClearLines(row + 1, Screen.pageLength - 1);
            MoveCursorAbsolute(row, column);
        }
        break;
    case 1:
        if (row > 0)
            ClearLines(0, row - 1);
        EraseCharacters(0, column + 1);
        MoveCursorAbsolute(row, column);
        break;
    case 2:
        ClearLines(0, Screen.pageLength - 1);
        MoveCursorAbsolute(row, column);
        break;
    default: return;
    }
    RepaintScreen();
}

void ApplyAixtermSgr(int p)
{
    static constexpr u8 kOrder[8] = {0, 2, 3, 6, 1, 4, 5, 7};
    switch (p) {
    case 0:
        // The normal colours come back with the normal rendition (terminfo's sgr0).
        ResetGraphicRendition();
        CurrentColour = static_cast<u8>((AttributeColourTable.frg[0] & 0x0F) |
                                        ((AttributeColourTable.bck[0] & 0x0F) << 4));
        return;
    case 1: CurrentRendition |= kRendBold; return;
    case 4: CurrentRendition |= kRendUnderline; return;
    case 5: CurrentRendition |= kRendBlink; return;
    case 7: CurrentRendition |= kRendReverse; return;
    default: break;
    }
    // Invisible and the colours are the HFT's.
    if (!Hft())
        return;
    auto foreground = [](u8 c) { CurrentColour = static_cast<u8>((CurrentColour & 0xF0) | (c & 0x0F)); };
    auto background = [](u8 c) { CurrentColour = static_cast<u8>((CurrentColour & 0x0F) | ((c & 0x0F) << 4)); };
    if (p == 8)
        CurrentRendition |= kRendInvisible;
    else if (p >= 30 && p <= 37)
        foreground(kOrder[p - 30]);
    else if (p == 39)
        foreground(AttributeColourTable.frg[0]);
    else if (p >= 40 && p <= 47)
        background(kOrder[p - 40]);
    else if (p == 49)
        background(AttributeColourTable.bck[0]);
    else if (p >= 90 && p <= 97)
        foreground(static_cast<u8>(kOrder[p - 90] | 8));
    else if (p >= 100 && p <= 107)
        background(static_cast<u8>(kOrder[p - 100] | 8));
}

// The HFT's direction: right to left with multinational characters off, or left to right
// with them on.
void SelectTextDirection(int p)
{
    if (p == 0 || p == 1) {
        VtMode.rightToLeft = static_cast<u8>(p);
        Vt300Values.mltnat = static_cast<u8>(p == 0);
    }
}

void SetModes(bool set)
{
    const u8 marker = ParamMarker();
    for (int i = 1; i <= ParamCount(); ++i) {
        const int p = Param(i);
        if (marker == ' ') {
            if (p == 4)
                VtMode.insertMode = set;
            else if (p == 20)
                VtMode.newLineMode = set;
            continue;
        }
        if (marker != '?')
            continue;
        switch (p) {
        case 1: Vt300Values.curskeyapp = set; break;
        case 3: set ? SetColumns132() : SetColumns80(); break;
        case 6: SetOriginMode(set); break;
        case 7: VtMode.autoWrap = set; break;
        case 40: SetColumns80(); break;
        case 42:
            // The host shows or hides the scroll bar.
            Aixterm.scrollBar = set;
            RefreshScrollRange();
            RefreshScrollThumb();
            break;
        case 43: Aixterm.modeByte43 = set; break;
        case 45: Aixterm.modeByte45 = set; break;
        case 48: SetHostStatusLineReverse(set); break;
        default: break;
        }
    }
}

void CsiFinal()
{
    const u8 marker = ParamMarker();
    const bool plain = marker == ' ', query = marker == '?';
    const int n = CountParam(1);
    // clang-format off
    switch (CurrentByte()) {
    case '@': if (plain) InsertCharacters(n); break;
    case 'A': if (plain) CursorUp(n); break;
    case 'B': if (plain) CursorDown(n); break;
    case 'C': if (plain) CursorForward(n); break;
    case 'D': if (plain) CursorBackward(n); break;
    case 'E': if (query) ClearAixtermStatusLine(); break;
    case 'F':
        if (plain) {
            CarriageReturn();
            CursorUp(n);
        } else if (query) {
            SelectActiveDisplay(0);
        }
        break;
    case 'G': if (plain) MoveCursorAbsolute(Screen.cursorRow, n - 1); break;
    case 'H':
    case 'f':
        if (plain)
            MoveCursor(n - 1, CountParam(2) - 1);
        else if (query)
            SelectStatusDisplayType(kStatusNone);
        break;
    case 'J':
    case 'O': if (plain) EraseDisplay(Param(1)); break;
    case 'K':
    case 'N': if (plain) EraseInLine(); break;
    case 'L': if (plain) InsertLines(n); break;
    case 'M': if (plain) DeleteLines(n); break;
    case 'P': if (plain) DeleteCharacters(n); break;
    case 'S':
        if (query)
            SelectStatusDisplayType(kStatusHostWritable);
        else if (plain && Hft() && ParamCount() >= 2 && Param(2) == 1)
            SelectTextDirection(Param(1));
        else if (plain)
            ScrollUpLines(n);
        break;
    case 'T':
        if (query && StatusWritable()) {
            SelectActiveDisplay(1);
            MoveCursorAbsolute(0, n - 1);
        } else if (plain) {
            ScrollDownLines(n);
        }
        break;
    case 'X':
        if (plain) {
            const int room = Screen.lastColumn - Screen.cursorColumn + 1;
            EraseCharacters(Screen.cursorColumn, n < room ? n : room);
        }
        break;
    case 'Z': if (plain) CursorTabBackward(n & 0xFF); break;
    case 'c':
        if (plain && Param(1) == 0)
            SendReport(VXT("\x1b[?1;2c"));
        break;
    case 'g':
        if (plain && (Param(1) == 0 || Param(1) == 3))
            ClearTabStops();
        break;
    case 'h': SetModes(true); break;
    case 'l': SetModes(false); break;
    case 'm':
        if (plain)
            for (int i = 1; i <= ParamCount(); ++i)
                ApplyAixtermSgr(Param(i));
        break;
    case 'n':
        if (plain && Param(1) == 5)
            SendReport(VXT("\x1b[0n"));
        else if (plain && Param(1) == 6)
            DeviceStatusReport();
        break;
    case 'r': if (plain) SetTopBottomMargins(Param(1), Param(2)); break;
    case 's': if (plain) SaveCursorState(); break;
    case 'u': if (plain) RestoreCursorState(); break;
    default: break;
    }
    // clang-format on
}

}  // namespace

void AixtermBeginEscape()
{
    ResetCsiCollector();
    ParseWithStateTableFrom(kEscState, NextSequenceByte);
}

void AixtermExecuteControl(int c)
{
    switch (c) {
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
    case 27: ExecuteC0Control(c); break;
    default: break;
    }
}

void ReadAixtermTitle()
{
    // ESC ] Ps ; text, ended by BEL, ST (ESC \ or 0x9C), CAN or SUB. Ps is 0, 1 or 2; any
    // other form is read as far as a valid one could go and dropped.
    wchar16 title[kAixtermTitleUnits + 1];
    int n = 0;
    int position = 0;
    bool valid = true;
    for (;;) {
        const int b = HostReadSequenceByte();
        if (b < 0 || b == 7 || b == 0x9C || b == 24 || b == 26)
            break;
        if (b == 27) {
            const int next = HostReadSequenceByte();
            if (next >= 0 && next != '\\')
                PushBackInputByte(static_cast<u8>(next));
            break;
        }
        if (position == 0)
            valid = b == '0' || b == '1' || b == '2';
        else if (position == 1)
            valid = valid && b == ';';
        else if (n < kAixtermTitleUnits)
            title[n++] = static_cast<wchar16>(b);
        ++position;
        // A title never runs on past its room: what follows arrives as data.
        if (position >= kAixtermTitleUnits + 2)
            break;
    }
    title[n] = 0;
    if (valid && n > 0)
        SetHostWindowTitle(title, n);
}

bool AixtermScrollBarOff()
{
    return AixtermMode > 0 && !Aixterm.scrollBar;
}

void ClearAixtermStatusLine()
{
    const MainDisplayScope keep;
    ResetHostStatusLine();
}

void EnterAixterm(u8 id)
{
    AixtermState& a = Aixterm;
    a.savedRows = Screen.rows;
    a.savedPageLength = Screen.pageLength;
    a.savedStatusType = StatusDisplayType();
    SetDecEmulationId(id);
    AixtermMode = 1;
    a.hftMode = ReadAixHftModeFromProfile();
    LoadConsolePaletteFromProfile(id);
    ApplyColourPalette();
    a.scrollBar = 0;
    ResetCharsets();
    HomeCursor();
    BlankAllScreenLines();
    ResizeWindowToRows(kAixtermRows);
    if (Screen.rows == kAixtermRows)
        SetPageLengthIfChanged(kAixtermRows);
    SetMarginLinePointers(0, kAixtermRows - 1);
    SetLeftRightMargins(0, 0);
    if (a.savedStatusType != kStatusHostWritable)
        SelectStatusDisplayType(kStatusHostWritable);
    ClearAixtermStatusLine();
    MoveCursor(0, 0);
    UpdateVtStatusFields();
}

void LeaveAixterm()
{
    AixtermState& a = Aixterm;
    SelectActiveDisplay(0);
    if (a.savedStatusType != StatusDisplayType())
        SelectStatusDisplayType(a.savedStatusType);
    AixtermMode = 0;
    ApplyColourPalette();
    ResetCharsets();
    HomeCursor();
    BlankAllScreenLines();
    if (a.savedRows > 0) {
        ResizeWindowToRows(a.savedRows);
        SetSetupSizeText(SetupCopy.rows, a.savedRows);
    }
    if (a.savedPageLength > 0)
        SetPageLengthIfChanged(a.savedPageLength);
}

void ResetAixterm()
{
    SelectActiveDisplay(0);
    ResetCharsets();
    ResetGraphicRendition();
    HomeCursor();
    ClearLines(0, Screen.pageLength - 1);
    SetTopBottomMargins(0, 0);
    VtMode.insertMode = 0;
    Aixterm.scrollBar = 0;
    RefreshScrollRange();
    Aixterm.hftMode = ReadAixHftModeFromProfile();
    LoadConsolePaletteFromProfile(kEmuAixterm);
    ApplyColourPalette();
    if (StatusDisplayType() != kStatusHostWritable)
        SelectStatusDisplayType(kStatusHostWritable);
    ClearAixtermStatusLine();
    RepaintScreen();
}
