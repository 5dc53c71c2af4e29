// The 5250 emulation in the running program: switching it on and off, the host-data
// thread's turn (keys, received bytes, the unlock delay, idle work), the status bar,
// the block cursor and the ruler, and the window following the session's screen size.
#include <chrono>
#include <new>
#include <thread>

#include "terminal/core/paint/palette.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/comms/telnet/recordsession.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/comms/telnet/socketio.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/program/mainwindow.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/ibmhost/5250/printer/printerwindow5250.h"
#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/fieldedit5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/keys5250.h"
#include "terminal/emulations/ibmhost/5250/lifecycle5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/nvt5250.h"
#include "terminal/emulations/ibmhost/5250/screen/paint5250.h"
#include "terminal/emulations/ibmhost/5250/services5250.h"
#include "terminal/emulations/ibmhost/5250/settings5250.h"
#include "terminal/emulations/ibmhost/5250/screen/status5250.h"
#include "terminal/emulations/ibmhost/station/hostframe.h"
#include "terminal/emulations/ibmhost/station/hostpaint.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/defaults.h"
#include "terminal/settings/store/hls.h"

namespace {
constexpr u32 kOutOfMemory = 7100;

IbmSavedScreen g_saved;
IbmCursor g_cursor;

// The 5250 factory palette (hue the DEC way: 0 blue, 120 red, 240 green): green text,
// white bold, red blink, turquoise column separators, yellow and pink.
void SetPalette5250()
{
    const bool swap = Colours.bwswap != 0;
    const HlsPalette palette{{
        swap ? HlsEntry{0, 100, 100} : HlsEntry{0, 0, 0},
        {120, 50, 100},
        {240, 50, 100},
        {0, 50, 100},
        {60, 50, 100},
        {180, 50, 100},
        {300, 50, 100},
        swap ? HlsEntry{0, 0, 0} : HlsEntry{0, 100, 100},
        {0, 50, 0},
        {120, 50, 50},
        {240, 50, 50},
        {0, 50, 50},
        {50, 50, 50},
        {180, 30, 50},
        {300, 30, 50},
        {0, 75, 0},
    }};
    ApplyHlsPalette(palette);
}

void InvertCursor()
{
    if (const I5250Session* s = I5250ActiveSession)
        I5250InvertCursorCell(s);
}

// A character-mode byte; false when the session went away meanwhile.
bool NvtByte(int b)
{
    I5250Session* s = I5250ActiveSession;
    if (!s)
        return false;
    if (!s->blockMode)
        I5250NvtHostCharacter(s, static_cast<u8>(b));
    return I5250ActiveSession == s;
}
}  // namespace

void I5250Delay()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(1010));
}

bool I5250ApplyPalette()
{
    if (!I5250ActiveSession)
        return false;
    SetPalette5250();
    return true;
}

void I5250Activate(u8)
{
    HideCursorForUpdate();
    g_saved = IbmSaveScreen();
    I5250ReadEnvironValues(I5250Config);
    I5250Session* s = new (std::nothrow) I5250Session{};
    if (!s) {
        MessageBoxById(kOutOfMemory);
        PostExitCommand();
        return;
    }
    g_cursor.drawn = false;
    s->deferRepaint = I5250Config.cacheClears ? 1 : 0;
    I5250ActiveSession = s;
    Tn5250ActiveSession = s;
    I5250ApplyPalette();
    InvalidateColourCache();
    if (!I5250InitSession(s))
        return;
    s->deferRepaint = I5250Config.cacheClears ? 1 : 0;
    I5250ApplyScreenSize(s);
    if (IbmTelnetConnected())
        TelnetSendCommand(SocketIndex, tn::DONT, tn::ECHO);
    Tn5250UpdateTelnetModes();
    I5250TerminalType();
    I5250UpdatePrinterWindow(s);
}

void I5250Deactivate()
{
    I5250Session* s = I5250ActiveSession;
    I5250ActiveSession = nullptr;
    Tn5250ActiveSession = nullptr;
    g_cursor.drawn = false;
    if (s) {
        I5250EndPrintJob(s);
        I5250DestroyPrinterWindow(s);
        I5250FreeSession(s);
        delete s;
    }
    IbmRestoreScreen(g_saved);
    if (IbmTelnetConnected())
        TelnetSendCommand(SocketIndex, tn::DO, tn::ECHO);
    RefitScreenFont();
}

int I5250CommLoop(int)
{
    I5250Session* s = I5250ActiveSession;
    if (!s)
        return 0;
    if (I5250UnlockTimerDue(s)) {
        HideCursorForUpdate();
        I5250SetInhibitNow(s, 0);
    }
    const bool busy = I5250HandleKeyEvents(s);
    if (I5250ActiveSession != s)
        return 0;
    IbmHostTurn(busy, NvtByte, I5250UnlockTimerDue(s));
    if (I5250ActiveSession == s)
        I5250UpdateDisplay(s, false);
    return 0;
}

void I5250ApplyScreenSize(I5250Session* s)
{
    if (!s->printerSession)
        IbmFitScreen(s->current.rows, s->current.columns);
}

void I5250UpdateStatusBar(HINSTANCE)
{
    IbmStatusBarLayout(L"IBM 5250 NVT");
    I5250TerminalType();
}

void I5250TerminalType()
{
    static const wchar_t* const kModels[15] = {
        L"IBM-5291-1",  L"IBM-5292-2",  L"IBM-5251-11",  L"IBM-3179-2",   L"IBM-3196-A1",
        L"IBM-3180-2",  L"IBM-3477-FC", L"IBM-3477-FG",  L"IBM-3486-BA",  L"IBM-3487-HA",
        L"IBM-3487-HC", L"IBM-3812-1",  L"IBM-5555-B01", L"IBM-5555-C01", L"IBM-5553-B01",
    };
    const I5250Session* s = I5250ActiveSession;
    IbmShowTerminalName(s && s->blockMode ? kModels[s->model % 15] : L"IBM 5250 NVT");
}

void I5250RepaintRegion(int r0, int c0, int r1, int c1)
{
    I5250Session* s = I5250ActiveSession;
    if (!s)
        return;
    for (int row = r0 < 0 ? 0 : r0; row <= r1 && row <= s->current.rows; ++row)
        I5250Paint(s, row, c0, c1);
    if (s->rulerDrawn)
        I5250DrawRuler(s);
}

void I5250InvertCursorCell(const I5250Session* s)
{
    if (s->current.columns <= 0)
        return;
    InvertHostCell(RowOf(s, s->cursor), ColumnOf(s, s->cursor), (PaintSettings.cursorStyle & 1) != 0);
}

void I5250DrawCursor(int argument)
{
    if (I5250ActiveSession && argument == 0)  // a block cursor that does not blink
        g_cursor.Toggle(InvertCursor);
}

void I5250HideCursor()
{
    g_cursor.Hide(InvertCursor);
}

void I5250ShowCursor()
{
    const I5250Session* s = I5250ActiveSession;
    if (s && !s->printerSession && !PaintSettings.displayOff)
        g_cursor.Show(InvertCursor);
}

bool I5250CursorDrawnAt(int row, int first, int last)
{
    const I5250Session* s = I5250ActiveSession;
    if (!g_cursor.drawn || !s || s->current.columns <= 0)
        return false;
    const int r = RowOf(s, s->cursor), c = ColumnOf(s, s->cursor);
    return r == row && c >= first && c <= last;
}

void I5250RedrawBlinkingRows()
{
    if (I5250Session* s = I5250ActiveSession)
        I5250RedrawBlinking(s);
}

void I5250DrawRuler(I5250Session* s)
{
    if (!ScreenDC || !s->rulerOn || PaintSettings.displayOff || s->current.columns <= 0)
        return;
    const int position = s->rulerFollow ? s->cursor : s->rulerPosition;
    const int row = position ? (position - 1) / s->current.columns : 0;
    const int column = position ? (position - 1) % s->current.columns : -1;
    ScreenPaintGuard guard;
    HPEN pen = CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(ScreenDC, pen);
    const int oldRop = SetROP2(ScreenDC, R2_XORPEN);
    if (s->rulerType & 0x01) {
        MoveToEx(ScreenDC, 0, (row + 1) * LineHeight - 1, nullptr);
        LineTo(ScreenDC, s->current.columns * CellWidth, (row + 1) * LineHeight - 1);
    }
    if ((s->rulerType & 0x02) && column >= 0) {
        MoveToEx(ScreenDC, column * CellWidth, 0, nullptr);
        LineTo(ScreenDC, column * CellWidth, s->current.rows * LineHeight);
    }
    SetROP2(ScreenDC, oldRop);
    SelectObject(ScreenDC, old);
    DeleteObject(pen);
}
