// The 5250 printer session's readers: the host's start-up answer and the print records
// with their print data (variable header, chaining, blocks), with the printer's status
// and Cancel Printing of the input's choice.
//
// Input, from the back: whether a valid start-up answer comes first, then steps: a
// record (its bytes from the front), the printer's status for the next records, or
// Cancel Printing. Checked besides the sanitizers: every reply the session sends is a
// whole 5250 record of its own length, the state stays among the printer's states,
// and a block's remainder never outlives the chain that owns it.
#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

#include "fuzz/check.h"
#include "support/doubles_host.h"
#include "support/doubles_ibmhost.h"
#include "support/doubles_telnet.h"
#include "support/test_doubles.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/corestate.h"
#include "terminal/emulations/ibmhost/5250/datastream/records5250.h"
#include "terminal/emulations/ibmhost/5250/lifecycle5250.h"
#include "terminal/emulations/ibmhost/5250/settings5250.h"
#include "terminal/input/macros/keyevents.h"

namespace {
I5250Session g_session;
constexpr u8 kStartup[] = {0x00, 0x26, 0x12, 0xA0, 0x90, 0x00, 0x05, 0x60, 0x06, 0x00, 0x20, 0xC0, 0x00,
                           0x1A, 0x00, 0x00, 0xC9, 0xF9, 0xF0, 0xF2, 0xE2, 0xE8, 0xE2, 0xE3, 0xC5, 0xD4,
                           0x40, 0x40, 0xD7, 0xD9, 0xE3, 0xF0, 0xF1, 0x40, 0x40, 0x40, 0x40, 0x40};

void Start()
{
    doubles::Reset();
    doubles::ResetTelnet();
    doubles::UseBuilt5250Family();
    doubles::ResetIbmHost();
    I5250SetFactorySettings(I5250Config);
    I5250Config.model = k5250PrinterModel;
    I5250FreeSession(&g_session);
    g_session = I5250Session{};
    I5250ActiveSession = &g_session;
    Tn5250ActiveSession = &g_session;
    EmulationId = 7;
    Telnet.eorPermit5250 = 1;
    for (u8 o : {0, 25})
        Telnet.local[o] = Telnet.remote[o] = 1;
    I5250InitSession(&g_session);
    Tn5250UpdateTelnetModes();
}

// The bytes sent are whole records (IAC EOR after each), each as long as it says.
void CheckReplies(const std::vector<u8>& sent)
{
    std::size_t at = 0;
    while (at < sent.size()) {
        VX_FUZZ_CHECK(sent.size() - at >= 12);
        const std::size_t length = static_cast<std::size_t>(sent[at] << 8 | sent[at + 1]);
        VX_FUZZ_CHECK(length >= 10 && at + length + 2 <= sent.size());
        VX_FUZZ_CHECK(sent[at + length] == 0xFF && sent[at + length + 1] == 0xEF);
        at += length + 2;
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    static const bool queues = AllocInputQueues();
    VX_FUZZ_CHECK(queues);
    FuzzedDataProvider in(data, size);
    Start();
    if (in.ConsumeBool())
        I5250HandleRecords(&g_session, kStartup, static_cast<int>(sizeof kStartup));
    for (int steps = 0; steps < 32 && in.remaining_bytes() > 0; ++steps) {
        const int kind = in.ConsumeIntegralInRange<int>(0, 3);
        doubles::Peer().sent.clear();
        doubles::Comms().printCalls.clear();
        if (kind <= 1) {
            const std::string bytes = in.ConsumeRandomLengthString(4096);
            const std::vector<u8> record(bytes.begin(), bytes.end());
            I5250HandleRecords(&g_session, record.data(), static_cast<int>(record.size()));
            CheckReplies(doubles::Peer().sent);
        } else if (kind == 2) {
            doubles::IbmHost().printerStatus = in.ConsumeBool() ? 28 : 0;
        } else {
            doubles::IbmHost().printingStopped = in.ConsumeBool();
        }
        const I5250Printer& p = g_session.printer;
        VX_FUZZ_CHECK(g_session.printerState <= k5250Aborting);
        VX_FUZZ_CHECK(p.blockRemainder == 0 || p.jobOpen || p.chain);
    }
    I5250ActiveSession = nullptr;
    Tn5250ActiveSession = nullptr;
    return 0;
}
