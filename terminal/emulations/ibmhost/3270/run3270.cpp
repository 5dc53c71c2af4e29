// The 3270 emulation in the running program: switching it on and off, the host-data
// thread's turn (keys, received bytes, the unlock delay, idle work), the status bar,
// the block cursor, and the window following the session's screen size.
#include <new>

#include "terminal/core/base/handles.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/comms/telnet/socketio.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/paint/palette.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/ibmhost/3270/fieldedit3270.h"
#include "terminal/emulations/ibmhost/3270/keys3270.h"
#include "terminal/emulations/ibmhost/3270/models3270.h"
#include "terminal/emulations/ibmhost/3270/oia3270.h"
#include "terminal/emulations/ibmhost/3270/paint3270.h"
#include "terminal/emulations/ibmhost/3270/services3270.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/hls.h"

namespace {
constexpr u32 kOutOfMemory = 7100;
constexpr u32 kFieldTerminalName = 7409;

struct SavedScreen {
    int rows, lastColumn;
} g_saved{24, 79};

bool g_cursorDrawn = false;
bool g_wasInhibited = false;

// The 3270 factory palette (hue the DEC way: 0 blue, 120 red, 240 green), so that
// palette index n is the 3279's colour n: blue, red, pink, green, turquoise, yellow,
// white, and their paler forms.
void SetPalette3270()
{
    const bool swap = Colours.bwswap != 0;
    const HlsPalette palette{{
        swap ? HlsEntry{0, 100, 100} : HlsEntry{0, 0, 0},
        {0, 70, 100},
        {120, 50, 100},
        {60, 50, 100},
        {240, 50, 100},
        {300, 50, 100},
        {180, 50, 100},
        swap ? HlsEntry{0, 0, 0} : HlsEntry{0, 100, 100},
        {0, 50, 0},
        {0, 50, 50},
        {120, 50, 50},
        {60, 50, 50},
        {240, 50, 50},
        {300, 50, 50},
        {180, 50, 50},
        {0, 75, 0},
    }};
    ApplyHlsPalette(palette);
}

bool TelnetConnected()
{
    return Telnet.telnetMode && ConnectionType == 1 && SocketIndex != kNoSocket;
}

// Keys and typed characters; while the keyboard is inhibited they wait on the deferred
// stack (the Reset and attention keys still act), and the first turn after it comes
// back replays them.
bool TakeKeys(I3270Session* s)
{
    bool any = false;
    for (;;) {
        const bool inhibited = I3270InputInhibited(s);
        if (g_wasInhibited && !inhibited)
            FlushDeferredKeys();
        g_wasInhibited = inhibited;
        int value = -1, extra = -1;
        const int type = ExecuteInputEvent(value, extra, true);
        if (type != 1 && type != 3)
            return any;
        any = true;
        HideCursorForUpdate();
        if (type == 3)
            I3270KeyFunction(s, value, static_cast<u32>(extra < 0 ? 0 : extra));
        else if (I3270InputInhibited(s) && s->recordMode)
            PushDeferredKey(value, -1);
        else
            I3270TypedCharacter(s, static_cast<wchar16>(value));
    }
}
}  // namespace

bool I3270ApplyPalette()
{
    if (!I3270ActiveSession)
        return false;
    SetPalette3270();
    return true;
}

void I3270Activate(u8)
{
    HideCursorForUpdate();
    g_saved = {Screen.rows, Screen.lastColumn};
    I3270Session* s = new (std::nothrow) I3270Session{};
    if (!s) {
        MessageBoxById(kOutOfMemory);
        PostExitCommand();
        return;
    }
    g_cursorDrawn = false;
    g_wasInhibited = false;
    I3270ActiveSession = s;
    I3270ApplyPalette();
    InvalidateColourCache();
    Tn3270ActiveSession = s;
    I3270InitSession(s);
    // A 3270 in character mode shows what the host echoes.
    if (TelnetConnected() && !Telnet.remote[tn::ECHO])
        TelnetSendCommand(SocketIndex, tn::DO, tn::ECHO);
    Tn3270UpdateTelnetModes();
    I3270ShowModelName();
}

void I3270Deactivate()
{
    I3270Session* s = I3270ActiveSession;
    I3270ActiveSession = nullptr;
    Tn3270ActiveSession = nullptr;
    g_cursorDrawn = false;
    if (s) {
        I3270FreeSession(s);
        delete s;
    }
    SetScreenRowCount(g_saved.rows);
    SetScreenColumns(g_saved.lastColumn + 1);
    ApplyColourPalette();
    InvalidateColourCache();
    if (TelnetConnected())
        TelnetSendCommand(SocketIndex, tn::DO, tn::ECHO);
    RefitScreenFont();
}

int I3270CommLoop(int)
{
    I3270Session* s = I3270ActiveSession;
    if (!s)
        return 0;
    if (I3270UnlockTimerDue(s)) {
        HideCursorForUpdate();
        I3270UnlockKeyboardNow(s);
    }
    bool busy = TakeKeys(s);
    // Received bytes: records reach the session through the telnet layer inside the
    // read; what comes back here is character-mode data.
    for (int n = 0; n < 4096 && !HostHoldRequested(); ++n) {
        const int b = HostReceiveByte();
        if (b < 0)
            break;
        busy = true;
        HideCursorForUpdate();
        if (!s->recordMode)
            I3270NvtHostCharacter(s, static_cast<u8>(b));
        if (I3270ActiveSession != s)
            return 0;
    }
    if (busy)
        return 0;
    if (ConnectionStartState == 2) {
        ConnectionStartState = 3;
        StatusBarSetLinkState(3);
        if (ConnectNetworkSession(Connection.netproto, Connection.netname) == -1)
            ConnectionStartState = 0;
    }
    ShowCursorWhenIdle();
    RunIdleUpdates();
    RunSerialTransmitPump();
    if (!IsKeyboardInputPending() && NetBuffers.receiveCount <= 0 && !I3270UnlockTimerDue(s))
        HostWaitForInput();
    return 0;
}

void I3270ApplyScreenSize(I3270Session* s)
{
    if (s->model == k3287PrinterModel)
        return;
    SetScreenRowCount(s->current.rows);
    SetScreenColumns(s->current.columns);
    if (!MainWindowHandle)
        return;  // no window to lay out (a session painted into a picture of its own)
    RefitScreenFont();
    InvalidateTerminal();
}

void I3270UpdateStatusBar(HINSTANCE instance)
{
    (void)instance;
    StatusBarClear();
    wchar_t text[kStatusTextUnits];
    int x = 0;
    auto next = [&x](int right) {
        if (right >= 0)
            x = right;
    };
    next(StatusBarAddField(kFieldIndicator, x, 0, nullptr, L"offline"));
    next(StatusBarAddField(kFieldTerminalName, x, 0, L"IBM 3270 NVT", nullptr));
    next(StatusBarAddField(kFieldPrinter, x, 0, PrinterFieldText(text, kStatusTextUnits), nullptr));
    const int right = ComputeStatusBarRect().right - 2;
    if (right > x)
        StatusBarAddField(kFieldFiller, x, right - x, nullptr, nullptr);
    I3270ShowModelName();
}

void I3270ShowModelName()
{
    static const wchar_t* const kModels[13] = {
        L"3278-2",   L"3278-3", L"3278-4", L"3278-5", L"3278-2-E", L"3278-3-E", L"3278-4-E",
        L"3278-5-E", L"3279-2", L"3279-3", L"3279-4", L"3279-5",   L"3287-1",
    };
    const I3270Session* s = I3270ActiveSession;
    const wchar_t* name = s && s->recordMode ? kModels[s->model % 13] : L"IBM 3270 NVT";
    StatusBarSetText(kFieldTerminalName, name);
}

void I3270RepaintRegion(int r0, int c0, int r1, int c1)
{
    I3270Session* s = I3270ActiveSession;
    if (!s)
        return;
    for (int row = r0 < 0 ? 0 : r0; row <= r1 && row <= s->current.rows; ++row)
        PaintHostRow(s, row, c0, c1);
}

void I3270DrawCursor(int argument)
{
    I3270Session* s = I3270ActiveSession;
    if (!s || argument != 0)
        return;  // a block cursor that does not blink
    ScreenPaintGuard guard;
    I3270InvertCursorCell(s);
    g_cursorDrawn = !g_cursorDrawn;
}

void I3270HideCursor()
{
    if (g_cursorDrawn)
        I3270DrawCursor(0);
}

void I3270ShowCursor()
{
    I3270Session* s = I3270ActiveSession;
    if (!g_cursorDrawn && s && s->model != k3287PrinterModel && !PaintSettings.displayOff)
        I3270DrawCursor(0);
}

bool I3270CursorDrawnAt(int row, int first, int last)
{
    const I3270Session* s = I3270ActiveSession;
    if (!g_cursorDrawn || !s || s->current.columns <= 0)
        return false;
    const int r = s->cursor / s->current.columns, c = s->cursor % s->current.columns;
    return r == row && c >= first && c <= last;
}

void I3270RedrawBlinkingRows()
{
    if (I3270Session* s = I3270ActiveSession)
        I3270RedrawBlinking(s);
}
