// The TA6530's host path in every mode and framing: the bytes a host sends go through the
// family's reader, the block protocol (full framing on a serial line or with ta_telserv
// 0, reduced framing on telnet), the control characters, the escape commands and the
// ANSI parser into its page store; typed bytes take the keyboard's way.
//
// Input: byte 0 chooses the line and the settings (bit 0 serial, bit 1 ta_telserv 0,
// bits 2-5 ta_packet_block 0-15 as a profile may hold it, bits 6-7 the default mode),
// byte 1 the keyboard (bit 0 local echo, bit 1 eight data bits, bits 2-7 a function key
// typed half way); the rest is what the host sends. Afterwards every page's cursor and
// buffer address must lie inside its page, the receive buffer must not have been
// written past, the reply chain must stay bounded, and after EOT a poll must still be
// answered as the mode says.
#include <string>

#include "fuzz/check.h"
#include "support/doubles_host.h"
#include "support/doubles_network.h"
#include "support/doubles_ta6530.h"
#include "support/hostreset.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/ta6530/family.h"
#include "terminal/emulations/ta6530/tamodes.h"
#include "terminal/emulations/ta6530/screen/tapages.h"
#include "terminal/emulations/ta6530/protocol/taprotocol.h"
#include "terminal/emulations/ta6530/settings/tasettings.h"
#include "terminal/emulations/ta6530/tatables.h"
#include "terminal/input/macros/keyevents.h"

namespace {

bool g_serial = false;

void Read(const u8* data, std::size_t size)
{
    if (g_serial) {
        doubles::Comms().serialIncoming.insert(doubles::Comms().serialIncoming.end(), data, data + size);
    } else {
        doubles::NetworkDouble& n = doubles::Network();
        std::lock_guard<std::mutex> guard(n.lock);
        n.incoming.insert(n.incoming.end(), data, data + size);
    }
    for (std::size_t guard = 0; guard < 20 * size + 20; ++guard) {
        doubles::Ui().held = false;
        if (!ProcessHostChar())
            break;
    }
}

void CheckPage(const TaPage& p)
{
    VX_FUZZ_CHECK(p.first >= 0 && p.first <= p.last && p.last < kTaLines);
    VX_FUZZ_CHECK(p.cursorLine >= p.first && p.cursorLine <= p.last);
    VX_FUZZ_CHECK(p.bufferLine >= p.first && p.bufferLine <= p.last);
    VX_FUZZ_CHECK(p.cursorColumn >= 0 && p.cursorColumn < kTaColumns);
    VX_FUZZ_CHECK(p.bufferColumn >= 0 && p.bufferColumn < kTaColumns);
    VX_FUZZ_CHECK(p.top >= p.first &&
                  p.top + kTaRows - 1 <= (p.last < p.first + kTaRows ? p.first + kTaRows - 1 : p.last));
}

void Check()
{
    VX_FUZZ_CHECK(Ta.mode <= kTaAnsi);
    VX_FUZZ_CHECK(Ta.writePage >= 0 && Ta.writePage <= kTaMaxPages);
    VX_FUZZ_CHECK(Ta.displayPage >= 0 && Ta.displayPage <= kTaMaxPages);
    VX_FUZZ_CHECK(Ta.pagesInUse >= 1 && Ta.pagesInUse <= kTaMaxPages);
    VX_FUZZ_CHECK(Ta.lastColumn == 39 || Ta.lastColumn == 79);
    CheckPage(TaWritePage());
    CheckPage(TaDisplayPage());
    VX_FUZZ_CHECK(TaProtocol.maxBlock <= kTaReceiveBuffer);
    VX_FUZZ_CHECK(TaProtocol.stored <= TaProtocol.maxBlock);
    VX_FUZZ_CHECK(TaProtocol.handOutCount <= kTaReceiveBuffer);
    VX_FUZZ_CHECK(TaReplyBytes() <= kTaMaxReplyBytes);
    for (TaLine* line : Ta.screen)
        VX_FUZZ_CHECK(line != nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    if (size < 2)
        return 0;
    ResetHostPath();
    VX_FUZZ_CHECK(AllocScreenStore() && AllocInputQueues() && InitialiseTerminal(1));
    doubles::ResetHost();
    doubles::Ta6530() = doubles::Ta6530Double{};
    g_serial = (data[0] & 1) != 0;
    SocketIndex = g_serial ? kNoSocket : 7;
    doubles::Comms().serialRecord = doubles::Comms().serialOpen = g_serial;
    TaProfileSettings = TaFactorySettings();
    TaProfileSettings.telserv = (data[0] & 2) ? 0 : 1;
    TaProfileSettings.packetBlock = (data[0] >> 2) & 15u;
    TaProfileSettings.defMode = (data[0] >> 6) & 3u;
    LocalEcho = data[1] & 1;
    DataBitsSetting = (data[1] & 2) ? 2 : 1;
    EmulationId = kEmuTa6530;
    SetActiveFamily(&Ta6530Family);
    TaEnter();

    const std::size_t half = (size - 2) / 2;
    Read(data + 2, half);
    Check();
    if (data[1] >> 2)
        QueueInputEvent(3, static_cast<u16>(67 + (data[1] >> 2)), 0);
    Read(data + 2 + half, size - 2 - half);
    Check();

    // The protocol is still there: EOT, then a poll, gets the terminal's answer when a
    // function key waits.
    static const u8 kEnd[] = {0x18, 0x04, 0x05};
    Read(kEnd, sizeof kEnd);
    Check();

    TaLeave();
    SetActiveFamily(nullptr);
    EmulationId = kDefaultEmulationId;
    LocalEcho = 0;
    ResetHostPath();
    return 0;
}
