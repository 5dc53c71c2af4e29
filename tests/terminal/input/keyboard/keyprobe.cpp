// Prints the bytes the key path sends for keys read from standard input, one line
// "emulation keyCode shift" each, as hexadecimal pairs (an empty line for no bytes).
// Tests compare them with independent descriptions of the terminals' keys.
#include <cstdio>
#include <mutex>
#include <string>

#include "terminal/core/hostpath_fixture.h"
#include "support/doubles_network.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/input/macros/keyevents.h"

int main()
{
    ResetHostPath();
    if (!AllocScreenStore() || !AllocInputQueues() || !InitialiseTerminal(1))
        return 1;
    SocketIndex = 7;
    DataBitsSetting = 1;
    int emulation = 0, keyCode = 0, shift = 0;
    while (std::scanf("%d %d %d", &emulation, &keyCode, &shift) == 3) {
        EmulationId = static_cast<u8>(emulation);
        RequestedEmulationId = static_cast<u8>(emulation);
        // Ansi BBS, SCO Console and AT 386 run on one engine; AIXTerm on its own.
        AnsiConsoleMode = FamilyOf(static_cast<u8>(emulation)) == EmulationFamily::AnsiConsole ? 1 : 0;
        AixtermMode = emulation == kEmuAixterm ? 1 : 0;
        QueueInputEvent(3, static_cast<u16>(keyCode), static_cast<u16>(shift));
        for (int guard = 0; guard < 100 && IsKeyboardInputPending(); ++guard) {
            doubles::Ui().held = false;
            ProcessHostChar();
        }
        SendBatchFlush();
        std::string sent;
        {
            doubles::NetworkDouble& n = doubles::Network();
            std::lock_guard<std::mutex> guard(n.lock);
            for (u8 b : n.sent) {
                char hex[4];
                std::snprintf(hex, sizeof hex, "%02x", b);
                sent += hex;
            }
            n.sent.clear();
        }
        std::printf("%s\n", sent.c_str());
        std::fflush(stdout);
    }
    return 0;
}
