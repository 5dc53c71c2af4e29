#include "terminal/emulations/ibmhost/station/hostframe.h"

#include "terminal/core/base/handles.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/comms/telnet/socketio.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/window/idle.h"
#include "terminal/core/program/mainwindow.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/paint/palette.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/settings/store/defaults.h"

namespace {
constexpr u32 kFieldTerminalName = 7409;
}  // namespace

bool IbmTelnetConnected()
{
    return Telnet.telnetMode && ConnectionType == 1 && SocketIndex != kNoSocket;
}

void IbmStatusBarLayout(const wchar_t* nvtName)
{
    StatusBarClear();
    wchar_t text[kStatusTextUnits];
    int x = 0;
    auto next = [&x](int right) {
        if (right >= 0)
            x = right;
    };
    next(StatusBarAddField(kFieldIndicator, x, 0, nullptr, L"offline"));
    next(StatusBarAddField(kFieldTerminalName, x, 0, nvtName, nullptr));
    next(StatusBarAddField(kFieldPrinter, x, 0, PrinterFieldText(text, kStatusTextUnits), nullptr));
    const int right = ComputeStatusBarRect().right - 2;
    if (right > x)
        StatusBarAddField(kFieldFiller, x, right - x, nullptr, nullptr);
}

void IbmShowTerminalName(const wchar_t* name)
{
    StatusBarSetText(kFieldTerminalName, name);
}

IbmSavedScreen IbmSaveScreen()
{
    return {Screen.rows, Screen.lastColumn};
}

void IbmRestoreScreen(const IbmSavedScreen& saved)
{
    SetScreenRowCount(saved.rows);
    SetScreenColumns(saved.lastColumn + 1);
    ApplyColourPalette();
    InvalidateColourCache();
}

void IbmFitScreen(int rows, int columns)
{
    SetScreenRowCount(rows);
    SetScreenColumns(columns);
    if (!MainWindowHandle)
        return;  // no window to lay out (a session painted into a picture of its own)
    RefitScreenFont();
    InvalidateTerminal();
}

void IbmCursor::Toggle(void (*invert)())
{
    ScreenPaintGuard guard;
    invert();
    drawn = !drawn;
}

void IbmCursor::Hide(void (*invert)())
{
    if (drawn)
        Toggle(invert);
}

void IbmCursor::Show(void (*invert)())
{
    if (!drawn)
        Toggle(invert);
}

void IbmHostTurn(bool busy, bool (*byte)(int value), bool unlockDue)
{
    for (int n = 0; n < 4096 && !HostHoldRequested(); ++n) {
        const int b = HostReceiveByte();
        if (b < 0)
            break;
        busy = true;
        HideCursorForUpdate();
        if (!byte(b))
            return;
    }
    if (busy)
        return;
    if (ConnectionStartState == 2) {
        ConnectionStartState = 3;
        StatusBarSetLinkState(3);
        if (ConnectNetworkSession(Connection.netproto, Connection.netname) == -1)
            ConnectionStartState = 0;
    }
    ShowCursorWhenIdle();
    RunIdleUpdates();
    RunSerialTransmitPump();
    if (!IsKeyboardInputPending() && NetBuffers.receiveCount <= 0 && !unlockDue)
        HostWaitForInput();
}
