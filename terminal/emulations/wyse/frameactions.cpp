// The frame's commands that change the Wyse screen from the user-interface thread: the
// host-data thread is held meanwhile, as it alone writes the store otherwise.
#include "terminal/core/host/hostthread.h"
#include "terminal/emulations/wyse/escapes/escapes.h"
#include "terminal/emulations/wyse/platform.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysestore.h"

void WyseClearScreenCommand()
{
    HoldHostDataThread(HostGate::Switch, 2000);
    if (WyseStoreActive()) {
        WyseClearScreen();
        WyseRepaintDirtyRows();
    }
    ReleaseHostDataThread(HostGate::Switch);
}
