// What the DEC VT family hands the core. The family writes the shared screen store and
// is painted by the core's painters; the host reads for it with the generic reader.
#include "terminal/emulations/dec/family.h"

#include "terminal/emulations/dec/ansi/aixterm.h"
#include "terminal/emulations/dec/ansi/ansiconsole.h"
#include "terminal/emulations/dec/ansi/ansiprofile.h"
#include "terminal/emulations/dec/ansi/consolesetup.h"

#include "terminal/comms/printing/printing.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/keys/keytable.h"
#include "terminal/emulations/dec/localedit/localedit.h"
#include "terminal/emulations/dec/reports/reports.h"
#include "terminal/emulations/dec/controls/rendition.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/pages/statusline.h"
#include "terminal/emulations/dec/profilepart.h"
#include "terminal/emulations/dec/vtchar.h"
#include "terminal/emulations/dec/keys/vtkeys.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/emulations/dec/vtsetup.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

bool KeyboardInhibited()
{
    return VtMode.hostKeyboardLock != 0;
}

// A keyboard the host locked loses the key, as the terminal's own would.
bool KeysRefused()
{
    if (!IsVtOrAnsiFamily(EmulationId) || !VtMode.hostKeyboardLock)
        return false;
    RequestBell();
    return true;
}

// A typed Tab is the Tab key: it may be a user-defined key or a local edit.
bool TakeTypedChar(int c)
{
    if (c != '\t' || !IsVtOrAnsiFamily(EmulationId))
        return false;
    SendBatchFlush();
    KeyVtTab('\t');
    return true;
}

// The VT420-class view mode 2 keeps the view where it is.
bool WheelPans()
{
    return Vt420ViewMode() != 2;
}

u8 MouseReports()
{
    const MouseReportFlagSet& f = MouseReportFlags;
    return static_cast<u8>((f.presses ? kMouseReportPress : 0) | (f.releases ? kMouseReportRelease : 0) |
                           (f.motion ? kMouseReportMotion : 0));
}

// The store is sized: the character sets, the rendition and the saved cursor start
// afresh, the local editor takes over the screen operations while local editing is
// on, and the status line is the one Setup chose.
void Initialised()
{
    ResetCharsets();
    ResetGraphicRendition();
    SaveCursorState();
    // The terminal starts in the width the profile keeps (132 columns stored as last
    // column 131); the 80-column font setting keeps 80 (SetLastColumn).
    SetLastColumn(Vt300Values.dspwdth == 131 ? 131 : 79);
    SetScreenColumns(Screen.lastColumn + 1);
    LocalEditor = LocalEditorHooks{EditPutChar,     EditInsertLines,   EditDeleteLines, EditInsertChars,
                                   EditDeleteChars, EditTabForward,    EditLineFeed,    EditReverseIndex,
                                   EditCursorHome,  EditWrapToNextLine};
    SyncLocalEditState();
    ResetStatusDisplay();
}

// The profile holds the editing state ("inedit") and the status line's save area
// starts from what it loaded.
void ProfileLoaded()
{
    SyncLocalEditState();
    InitStatusDisplayState();
}

int TerminalType(char* buffer, int capacity)
{
    static const char* const kNames[kTerminalModelCount] = {
        "vt100", "vt101", "vt102", "vt125", "vt220", "vt240", "vt320", "vt340",
        "vt420", "vt131", "vt132", "m2200", "vt510", "vt520", "vt525",
    };
    if (!buffer || capacity < 1)
        return 0;
    const char* name = kNames[TerminalId < kTerminalModelCount ? TerminalId : 0];
    int n = 0;
    for (; name[n] && n + 1 < capacity; ++n)
        buffer[n] = name[n];
    buffer[n] = 0;
    return n;
}

// Local editing keeps BREAK from adding the timing mark and the CR (not in VT52).
bool BreakEndsInput()
{
    return EmulationId != kEmuVt52 && VtLocalEditFlag == 1;
}

// The DEC print-extent mode, kept inverted: set means the whole screen.
bool PrintExtentIsRegion()
{
    return DecModes.printExtentInverted != 0;
}

// Print Screen and Print Buffer run line by line from the shared store.
void PrintScreenFromStore()
{
    StartPrintScreen();
}

void PrintBufferFromStore()
{
    StartPrintBuffer();
}

constexpr TelnetHooks kTelnet{
    .terminalType = TerminalType,
    .breakEndsInput = BreakEndsInput,
};

}  // namespace

const FamilyHooks DecFamily{
    .name = "DEC VT",
    .emulations = EmulationBit(kEmuVt52) | EmulationBit(kEmuVt100) | EmulationBit(kEmuVt500Bit7) |
                  EmulationBit(kEmuVt500Bit8),
    .processChar = VtProcessChar,
    .processText = VtWriteText,
    .filterReceivedByte = FilterReceivedByte,
    .filterPassesAscii = true,
    .typingStaysLocal = VtLocalEditing,
    .keyboardInhibited = KeyboardInhibited,
    .keysRefused = KeysRefused,
    .transmitPending = BufferedTransmitPending,
    .invalidateStatusLine = DecInvalidateStatusLine,
    .refreshStatusLine = DecRefreshStatusLine,
    .statusCursorTick = ShowStatusCursor,
    .statusLineText = StatusLineText,
    .softFont = CurrentSoftFont,
    .wheelPans = WheelPans,
    .mouseReports = MouseReports,
    .sendMouseReport = SendMouseReport,
    .activate = EnterVtEmulation,
    .showsScrollBar = true,
    .reset = ResetVtTerminal,
    .printScreen = PrintScreenFromStore,
    .printBuffer = PrintBufferFromStore,
    .printStep = PrintScreenLine,
    .nationalSet = NationalReplacementTable,
    .printExtentIsRegion = PrintExtentIsRegion,
    .dispatchKey = DecDispatchKey,
    .translateTypedChar = DecTranslateTypedChar,
    .takeTypedChar = TakeTypedChar,
    .loadSettings = DecLoadSettings,
    .saveSettings = DecSaveSettings,
    .profileLoaded = ProfileLoaded,
    .coloursChanged = FollowColourSettings,
    .allocateBuffers = AllocVtBuffers,
    .resetModes = ResetVtModes,
    .multiPage = TerminalModelHasPages,
    .initialised = Initialised,
    .telnet = &kTelnet,
    .setup = &DecSetup,
};

// The ANSI consoles run on the VT engine with a parser of their own; they share the
// VT key actions, which send each console's own key strings.
const FamilyHooks AnsiConsoleFamily{
    .name = "ANSI console",
    .emulations = EmulationBit(kEmuAnsiBbs) | EmulationBit(kEmuScoConsole) | EmulationBit(kEmuAt386),
    .processChar = VtProcessChar,
    .filterReceivedByte = FilterReceivedByte,
    .filterPassesAscii = true,
    .keyboardInhibited = KeyboardInhibited,
    .keysRefused = KeysRefused,
    .activate = EnterAnsiConsole,
    .deactivate = LeaveAnsiConsole,
    .reapply = ReapplyAnsiConsole,
    .statusBarName = AnsiConsoleName,
    .showsScrollBar = true,
    .reset = ResetAnsiConsole,
    .printScreen = ConsolePrintScreen,
    .printBuffer = PrintBufferFromStore,
    .printStep = ConsolePrintStep,
    .dispatchKey = DecDispatchKey,
    .translateTypedChar = DecTranslateTypedChar,
    .takeTypedChar = TakeTypedChar,
    .loadSettings = ConsoleLoadSettings,
    .saveSettings = ConsoleSaveSettings,
    .setup = &ConsoleSetup,
};

// AIXTerm: the VT engine with its own tables and a host-writable status line.
const FamilyHooks AixtermFamily{
    .name = "AIXTerm",
    .emulations = EmulationBit(kEmuAixterm),
    .processChar = VtProcessChar,
    .filterReceivedByte = FilterReceivedByte,
    .filterPassesAscii = true,
    .keyboardInhibited = KeyboardInhibited,
    .keysRefused = KeysRefused,
    .invalidateStatusLine = DecInvalidateStatusLine,
    .refreshStatusLine = DecRefreshStatusLine,
    .statusCursorTick = ShowStatusCursor,
    .statusLineText = StatusLineText,
    .scrollBarOff = AixtermScrollBarOff,
    .activate = EnterAixterm,
    .deactivate = LeaveAixterm,
    .statusBarName = AnsiConsoleName,
    .showsScrollBar = true,
    .reset = ResetAixterm,
    .printScreen = PrintScreenFromStore,
    .printBuffer = PrintBufferFromStore,
    .printStep = PrintScreenLine,
    .dispatchKey = DecDispatchKey,
    .translateTypedChar = DecTranslateTypedChar,
    .takeTypedChar = TakeTypedChar,
    .loadSettings = ConsoleLoadSettings,
    .saveSettings = ConsoleSaveSettings,
    .setup = &AixtermSetup,
};
