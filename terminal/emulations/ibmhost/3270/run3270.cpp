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
#include "terminal/emulations/ibmhost/3270/printer/job3287.h"
#include "terminal/emulations/ibmhost/3270/printer/window3287.h"
#include "terminal/emulations/ibmhost/3270/services3270.h"
#include "terminal/emulations/ibmhost/station/hostframe.h"
#include "terminal/emulations/ibmhost/station/keyturn.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/hls.h"

namespace {
constexpr u32 kOutOfMemory = 7100;

IbmSavedScreen g_saved;
IbmCursor g_cursor;
u32 g_wasInhibited = 0;

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

void InvertCursor()
{
    if (const I3270Session* s = I3270ActiveSession)
        I3270InvertCursorCell(s);
}

// Keys and typed characters, held while the keyboard is inhibited.
bool TakeKeys(I3270Session* s)
{
    static constexpr auto kSession = [](void* p) { return static_cast<I3270Session*>(p); };
    const HostKeyTurn turn{
        s,
        [](void* p) { return I3270InputInhibited(kSession(p)); },
        [](void* p) { return kSession(p)->recordMode != 0; },
        [](void* p, int code, u32 shift) { I3270KeyFunction(kSession(p), code, shift); },
        [](void* p, wchar16 c) { I3270TypedCharacter(kSession(p), c); },
        nullptr,
    };
    return TakeHostKeys(turn, g_wasInhibited);
}

// A character-mode byte; false when the session went away meanwhile.
bool NvtByte(int b)
{
    I3270Session* s = I3270ActiveSession;
    if (!s)
        return false;
    if (!s->recordMode)
        I3270NvtHostCharacter(s, static_cast<u8>(b));
    return I3270ActiveSession == s;
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
    g_saved = IbmSaveScreen();
    I3270Session* s = new (std::nothrow) I3270Session{};
    if (!s) {
        MessageBoxById(kOutOfMemory);
        PostExitCommand();
        return;
    }
    g_cursor.drawn = false;
    g_wasInhibited = 0;
    I3270ActiveSession = s;
    I3270ApplyPalette();
    InvalidateColourCache();
    Tn3270ActiveSession = s;
    I3270InitSession(s);
    // A 3270 in character mode shows what the host echoes.
    if (IbmTelnetConnected() && !Telnet.remote[tn::ECHO]) {
        Telnet.echoAsked = 1;
        TelnetSendCommand(SocketIndex, tn::DO, tn::ECHO);
    }
    Tn3270UpdateTelnetModes();
    I3270ShowModelName();
    I3270UpdatePrinterWindow(s);
}

void I3270Deactivate()
{
    I3270Session* s = I3270ActiveSession;
    I3270ActiveSession = nullptr;
    Tn3270ActiveSession = nullptr;
    g_cursor.drawn = false;
    if (s) {
        if (s->printer.open)
            I3270EndPrintJob(s);
        I3270DestroyPrinterWindow(s);
        I3270FreeSession(s);
        delete s;
    }
    IbmRestoreScreen(g_saved);
    if (IbmTelnetConnected())
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
    if (s->printer.countdownRunning)
        I3270JobCountdownStep(s);
    const bool busy = TakeKeys(s);
    IbmHostTurn(busy, NvtByte, I3270UnlockTimerDue(s));
    return 0;
}

void I3270ApplyScreenSize(I3270Session* s)
{
    if (s->model != k3287PrinterModel)
        IbmFitScreen(s->current.rows, s->current.columns);
}

void I3270UpdateStatusBar(HINSTANCE)
{
    IbmStatusBarLayout(L"IBM 3270 NVT");
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
    IbmShowTerminalName(name);
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
    if (I3270ActiveSession && argument == 0)  // a block cursor that does not blink
        g_cursor.Toggle(InvertCursor);
}

void I3270HideCursor()
{
    g_cursor.Hide(InvertCursor);
}

void I3270ShowCursor()
{
    const I3270Session* s = I3270ActiveSession;
    if (s && s->model != k3287PrinterModel && !PaintSettings.displayOff)
        g_cursor.Show(InvertCursor);
}

bool I3270CursorDrawnAt(int row, int first, int last)
{
    const I3270Session* s = I3270ActiveSession;
    if (!g_cursor.drawn || !s || s->current.columns <= 0)
        return false;
    const int r = s->cursor / s->current.columns, c = s->cursor % s->current.columns;
    return r == row && c >= first && c <= last;
}

void I3270RedrawBlinkingRows()
{
    if (I3270Session* s = I3270ActiveSession)
        I3270RedrawBlinking(s);
}
