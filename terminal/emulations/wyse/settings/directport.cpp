// The host's ESC d 0 / ESC d 1: printing goes straight to a port of the machine.
#include "terminal/comms/printing/portlist.h"
#include "terminal/emulations/wyse/platform.h"
#include "terminal/settings/store/profilevalues.h"

void WyseDirectPortPrinting(const wchar16* port)
{
    PrintingSection& p = PrintingValues;
    const wchar16* wanted = port ? port : p.Port;
    PortRecord record{};
    // The list is read afresh: a port may have come or gone since the last print. A job
    // looks its port up by the exact name, so the name the list gives is kept.
    const bool found = wanted[0] && BuildPortList(nullptr, 0) > 0 && FindPortByName(wanted, &record);
    if (found)
        lstrcpynW(p.Port, record.name, kPortNameUnits);
    p.DirectToPort = found ? 1 : 0;
}
