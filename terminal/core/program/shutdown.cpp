#include "terminal/core/program/shutdown.h"

#include "terminal/comms/aux/auxport.h"
#include "terminal/comms/aux/auxportlist.h"
#include "terminal/comms/capture/loginscript.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/comms/printing/printing.h"
#include "terminal/comms/telnet/sockets.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/memblock.h"
#include "terminal/core/program/commands.h"
#include "terminal/core/window/dialogs/dialogs.h"
#include "terminal/core/window/emuswitch.h"
#include "terminal/input/keyboard/kbhookbind.h"
#include "terminal/core/window/messageloop.h"
#include "terminal/core/window/selection/selection.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/core/window/timers.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/paint/textcursor.h"

int ShutdownTerminal(int warnOnExit)
{
    if (!ConfirmClose(warnOnExit))
        return 0;
    // Every worker stops before anything it writes into is released.
    StopHostDataThread();
    ShutdownPrinting();
    StopLoginScript();
    StopWorkerThreads();
    WaitForPasteThread();
    CloseAuxPort();
    FreeAuxPorts();
    ReleaseSerialPorts();

    CursorDisabled = 1;
    if (StatusBarWindow())
        ShowWindow(StatusBarWindow(), SW_HIDE);
    if (MainWindowHandle)
        ShowWindow(MainWindowHandle, SW_HIDE);
    if (EmulationId != kDefaultEmulationId || !VtFamilyRunning()) {
        const u8 from = EmulationId;
        RequestEmulation(from, kDefaultEmulationId);
        SelectEmulation(from, kDefaultEmulationId);
    }
    if (SocketIndex >= 0) {
        DisconnectNetworkSession(SocketIndex);
        SocketIndex = kNoSocket;
    }
    FreeLanguageModule();
    StatusBarDestroy();
    StopAllTimers(MainWindowHandle);
    FreeHookModule();
    MemFreeAllBlocks();
    if (StartupOptions.menuBar)
        DestroyMenus();
    ShuttingDown = 1;
    SocketCleanup();
    return 1;
}
