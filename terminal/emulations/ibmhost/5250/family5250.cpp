// What the 5250 family hands the core: its own communications loop and keyboard, its
// own screen (painted from the session's display rows, with the status row below), and
// the telnet engine's record and mode calls.
#include "terminal/emulations/ibmhost/5250/family5250.h"

#include <cstring>
#include <string>

#include "terminal/core/base/emulationids.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/display.h"
#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/fieldedit5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/keys5250.h"
#include "terminal/emulations/ibmhost/5250/lifecycle5250.h"
#include "terminal/emulations/ibmhost/5250/printer/printscreen5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/records5250.h"
#include "terminal/emulations/ibmhost/5250/screen/screentext5250.h"
#include "terminal/emulations/ibmhost/5250/services5250.h"
#include "terminal/emulations/ibmhost/5250/settings5250.h"
#include "terminal/emulations/ibmhost/5250/screen/status5250.h"
#include "terminal/settings/setup/setupfamily.h"

I5250Session* I5250ActiveSession = nullptr;

namespace {
// The telnet terminal types of the models 0-14.
constexpr const char* kTerminalTypes[15] = {
    "IBM-5291-1",  "IBM-5292-2",  "IBM-5251-11",  "IBM-3179-2",   "IBM-3196-A1",
    "IBM-3180-2",  "IBM-3477-FC", "IBM-3477-FG",  "IBM-3486-BA",  "IBM-3487-HA",
    "IBM-3487-HC", "IBM-3812-1",  "IBM-5555-B01", "IBM-5555-C01", "IBM-5553-B01",
};

I5250Session* Session()
{
    return I5250ActiveSession;
}

bool KeyboardLocked()
{
    I5250Session* s = Session();
    return s && I5250IsKeyboardLocked(s);
}

void DispatchKey(int keyCode, int shift)
{
    if (I5250Session* s = Session())
        I5250KeyFunction(s, keyCode, static_cast<u32>(shift));
}

void ClearScreen()
{
    if (I5250Session* s = Session())
        I5250ClearUnit(s, s->current.bufferSize != s->defaults.bufferSize, true);
}

// Reset Terminal: the keyboard comes back and the screen is drawn again.
void Reset()
{
    if (I5250Session* s = Session()) {
        I5250KeyReset(s);
        I5250SetInhibitNow(s, 0);
        I5250RepaintScreen(s);
    }
}

void IdleRefresh()
{
    if (I5250Session* s = Session()) {
        s->cursorPosOn = 1;
        I5250RefreshCursorPos(s);
    }
}

void SaveSettings(int)
{
    I5250SaveSettings();
}

int ExtraRows(int* extraPixels)
{
    if (extraPixels)
        *extraPixels = 0;
    return 1;  // the status row
}

int Columns()
{
    I5250Session* s = Session();
    return s && s->current.columns > 0 ? s->current.columns : 80;
}

int BackgroundIndex()
{
    return I5250Config.colours[0][1] & 0x0F;
}

void Dimensions(int* rows, int* pageLength, int* lineCount)
{
    I5250Session* s = Session();
    const int n = s && s->current.rows > 0 ? s->current.rows : 24;
    if (rows)
        *rows = n;
    if (pageLength)
        *pageLength = n;
    if (lineCount)
        *lineCount = 28;
}

void ScreenText(std::string& out)
{
    I5250Session* s = Session();
    if (!s || s->current.columns <= 0)
        return;
    out += "cursor " + std::to_string(RowOf(s, s->cursor)) + " " + std::to_string(ColumnOf(s, s->cursor)) +
           " emulation 7\n";
    for (int r = 0; r < s->current.rows; ++r)
        out += I5250RowText(s, r) + "\n";
    out += "oia " + I5250StatusText(s) + "\n";
}

// The telnet engine's calls.
int TerminalType(char* buffer, int capacity)
{
    const Tn5250Session* s = Tn5250ActiveSession;
    const char* name = kTerminalTypes[(s ? s->model : I5250Config.model) % 15];
    int n = 0;
    for (; name[n] && n + 1 < capacity; ++n)
        buffer[n] = name[n];
    if (capacity > 0)
        buffer[n] = 0;
    return n;
}

bool BreakEndsInput()
{
    const I5250Session* s = Session();
    return s && s->blockMode;
}

void Record(const u8* bytes, int length)
{
    if (I5250Session* s = Session()) {
        HideCursorForUpdate();
        I5250HandleRecords(s, bytes, length);
    }
}

void ResetSessionForModel(int model)
{
    if (I5250Session* s = Session()) {
        I5250ResetSession(s, model);
        I5250RepaintScreen(s);
    }
}

// Block mode came or went: the screen starts afresh, and the keyboard waits for the
// host's first write in block mode.
void RecordModeChanged(bool on)
{
    I5250Session* s = Session();
    if (!s || s->printerSession)
        return;
    HideCursorForUpdate();
    I5250ClearUnit(s, false, true);
    I5250SetInputState(s, on ? 5 : 1);
    if (!on)
        I5250SetInhibitNow(s, 0);
    I5250TerminalType();
}

// The telnet engine's word on a printer session: connected (2) or not (0), and the
// end of its job when the connection's modes change.
void PrinterState(int state)
{
    I5250Session* s = Session();
    if (s && s->printerSession)
        I5250SetPrinterState(s, static_cast<u16>(state));
}

void EndPrintJob()
{
    I5250Session* s = Session();
    if (s && s->printerSession)
        I5250EndPrintJob(s);
}

void IndicatorsChanged()
{
    if (I5250Session* s = Session())
        I5250RedrawIndicators(s);
}

constexpr TelnetHooks kTelnet{
    .terminalType = TerminalType,
    .breakEndsInput = BreakEndsInput,
    .record = Record,
    .resetSession = ResetSessionForModel,
    .setPrinterState = PrinterState,
    .endPrintJob = EndPrintJob,
    .recordModeChanged = RecordModeChanged,
    .modelShown = I5250TerminalType,
    .indicatorsChanged = IndicatorsChanged,
};

constexpr DisplayHooks kDisplay{
    .repaintRegion = I5250RepaintRegion,
    .drawCursor = I5250DrawCursor,
    .hideCursor = I5250HideCursor,
    .showCursor = I5250ShowCursor,
    .extraRows = ExtraRows,
    .columns = Columns,
    .backgroundIndex = BackgroundIndex,
    .dimensions = Dimensions,
    .screenText = ScreenText,
};

// Of the Setup dialog the 5250 has only its keys, which the macro editor offers.
const FamilySetup kSetup{
    .hostKeyNames = {kI5250FirstKeyName, kI5250LastKeyName},
};
}  // namespace

const FamilyHooks Ibm5250Family{
    .name = "IBM 5250",
    .emulations = EmulationBit(kEmuIbm5250),
    .commLoop = I5250CommLoop,
    .readsOwnKeyboard = true,
    .keyboardInhibited = KeyboardLocked,
    .movesOwnCursor = true,
    .display = &kDisplay,
    .activate = I5250Activate,
    .deactivate = I5250Deactivate,
    .layoutStatusBar = I5250UpdateStatusBar,
    .clearScreen = ClearScreen,
    .reset = Reset,
    .idleRefresh = IdleRefresh,
    .redrawBlinking = I5250RedrawBlinkingRows,
    .printScreen = I5250StartPrintScreen,
    .printStep = I5250PrintScreenRow,
    .windowMessage = I5250PrinterWindowMessage,
    .dispatchKey = DispatchKey,
    .keyMessage = Ibm5250KeyMessage,
    .hostKeyboardKeys = 2,
    .loadSettings = I5250LoadSettings,
    .saveSettings = SaveSettings,
    .applyPalette = I5250ApplyPalette,
    .telnet = &kTelnet,
    .setup = &kSetup,
};
