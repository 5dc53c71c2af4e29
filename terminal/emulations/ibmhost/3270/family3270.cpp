// What the 3270 family hands the core: its own communications loop and keyboard, its
// own screen (painted from the session's display rows, with the operator information
// area below it), and the telnet engine's record and mode calls.
#include "terminal/emulations/ibmhost/3270/family3270.h"

#include <string>

#include "terminal/comms/telnet/recordsession.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/screen/display.h"
#include "terminal/emulations/ibmhost/3270/datastream3270.h"
#include "terminal/emulations/ibmhost/3270/fieldedit3270.h"
#include "terminal/emulations/ibmhost/3270/keys3270.h"
#include "terminal/emulations/ibmhost/3270/models3270.h"
#include "terminal/emulations/ibmhost/3270/oia3270.h"
#include "terminal/emulations/ibmhost/3270/printer/job3287.h"
#include "terminal/emulations/ibmhost/3270/screentext3270.h"
#include "terminal/emulations/ibmhost/3270/services3270.h"
#include "terminal/emulations/ibmhost/3270/setup3270.h"
#include "terminal/emulations/ibmhost/3270/tn3270e.h"

I3270Session* I3270ActiveSession = nullptr;

namespace {
I3270Session* Session()
{
    return I3270ActiveSession;
}

bool KeyboardInhibited()
{
    I3270Session* s = Session();
    return s && I3270InputInhibited(s);
}

void DispatchKey(int keyCode, int shift)
{
    if (I3270Session* s = Session())
        I3270KeyFunction(s, keyCode, static_cast<u32>(shift));
}

void ClearScreen()
{
    if (I3270Session* s = Session())
        I3270EraseScreen(s, s->alternateInUse != 0);
}

// Reset Terminal: the keyboard comes back and the screen is drawn again.
void Reset()
{
    if (I3270Session* s = Session()) {
        I3270UnlockKeyboardNow(s);
        I3270RedrawOiaNow(s);
    }
}

void IdleRefresh()
{
    if (I3270Session* s = Session()) {
        s->cursorPosOn = 1;
        I3270ShowCursorPosition(s);
    }
}

void SaveSettings(int)
{
    I3270SaveSettings();
}

// The display hooks that need no painting.
int ExtraRows(int* extraPixels)
{
    if (extraPixels)
        *extraPixels = 0;
    return 1;  // the operator information area
}

int Columns()
{
    I3270Session* s = Session();
    return s && s->current.columns > 0 ? s->current.columns : 80;
}

int BackgroundIndex()
{
    I3270Session* s = Session();
    return s ? s->attributeColours[1] & 0x0F : 0;
}

void Dimensions(int* rows, int* pageLength, int* lineCount)
{
    I3270Session* s = Session();
    const int n = s && s->current.rows > 0 ? s->current.rows : 24;
    if (rows)
        *rows = n;
    if (pageLength)
        *pageLength = n;
    if (lineCount)
        *lineCount = 44;
}

void ScreenText(std::string& out)
{
    I3270Session* s = Session();
    if (!s || s->current.columns <= 0)
        return;
    out += "cursor " + std::to_string(s->cursor / s->current.columns) + " " +
           std::to_string(s->cursor % s->current.columns) + " emulation 6\n";
    for (int r = 0; r < s->current.rows; ++r)
        out += I3270RowText(s, r) + "\n";
    out += "oia " + I3270OiaText(s) + "\n";
}

// The telnet engine's calls.
// TERMINAL-TYPE names the model of the session the telnet engine sees, or the configured
// one before it runs.
int TerminalType(char* buffer, int capacity)
{
    const Tn3270Session* s = Tn3270ActiveSession;
    const char* name = Model3270Name((s ? s->model : Configured3270Model) % 13);
    int n = 0;
    for (; name[n] && n + 1 < capacity; ++n)
        buffer[n] = name[n];
    if (capacity > 0)
        buffer[n] = 0;
    return n;
}

void Record(const u8* bytes, int length)
{
    if (I3270Session* s = Session()) {
        HideCursorForUpdate();
        I3270HandleRecord(s, bytes, length);
    }
}

void ResetSessionForModel(int model)
{
    if (I3270Session* s = Session())
        I3270ResetSession(s, model);
}

// The telnet engine's word on the printer: connected (2) or not (0), and the end of
// the job when the connection's modes change.
void PrinterState(int state)
{
    I3270Session* s = Session();
    if (!s)
        return;
    if (s->model == k3287PrinterModel)
        I3270SetPrinterState(s, static_cast<u16>(state));
    else
        s->printerState = static_cast<u16>(state);
}

void EndPrintJob()
{
    I3270Session* s = Session();
    if (!s)
        return;
    if (s->model == k3287PrinterModel)
        I3270EndPrintJob(s);
    s->printJobState = 0;
}

// Data-stream mode came or went: the screen starts afresh, and a new 3270 phase keeps
// the keyboard until the host's first Write restores it.
void RecordModeChanged(bool on)
{
    I3270Session* s = Session();
    if (!s)
        return;
    s->bound = on ? 1 : 0;
    I3270EraseScreen(s, false);
    if (on) {
        s->systemLock = 1;
        I3270ShowInhibit(s);
    }
    I3270ShowModelName();
}

void IndicatorsChanged()
{
    if (I3270Session* s = Session())
        I3270RedrawIndicators(s);
}

void LuNameShown(const wchar16* name)
{
    if (I3270Session* s = Session())
        I3270ShowLuName(s, name);
}

constexpr TelnetHooks kTelnet{
    .terminalType = TerminalType,
    .record = Record,
    .resetSession = ResetSessionForModel,
    .setPrinterState = PrinterState,
    .endPrintJob = EndPrintJob,
    .recordModeChanged = RecordModeChanged,
    .modelShown = I3270ShowModelName,
    .indicatorsChanged = IndicatorsChanged,
    .luNameShown = LuNameShown,
};

constexpr DisplayHooks kDisplay{
    .repaintRegion = I3270RepaintRegion,
    .drawCursor = I3270DrawCursor,
    .hideCursor = I3270HideCursor,
    .showCursor = I3270ShowCursor,
    .extraRows = ExtraRows,
    .columns = Columns,
    .backgroundIndex = BackgroundIndex,
    .dimensions = Dimensions,
    .screenText = ScreenText,
};
}  // namespace

const FamilyHooks Ibm3270Family{
    .name = "IBM 3270",
    .emulations = EmulationBit(kEmuIbm3270),
    .commLoop = I3270CommLoop,
    .readsOwnKeyboard = true,
    .keyboardInhibited = KeyboardInhibited,
    .movesOwnCursor = true,
    .display = &kDisplay,
    .activate = I3270Activate,
    .deactivate = I3270Deactivate,
    .layoutStatusBar = I3270UpdateStatusBar,
    .clearScreen = ClearScreen,
    .reset = Reset,
    .idleRefresh = IdleRefresh,
    .redrawBlinking = I3270RedrawBlinkingRows,
    .windowMessage = I3270PrinterWindowMessage,
    .dispatchKey = DispatchKey,
    .keyMessage = Ibm3270KeyMessage,
    .hostKeyboardKeys = 2,
    .loadSettings = I3270LoadSettings,
    .saveSettings = SaveSettings,
    .applyPalette = I3270ApplyPalette,
    .telnet = &kTelnet,
    .setup = &Ibm3270Setup,
};
