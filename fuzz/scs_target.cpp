// The 3287 printer's readers: SCS records (the structured-field envelope, the SCS
// controls and their parameters) and 3270 data-stream buffers printed with start print,
// under print bypass sequences of the input's choice, over TN3270E or plain TN3270.
//
// Input, from the back: TN3270E or plain, the LU type of the BIND, the bypass start and
// end sequences and end method, then records (their bytes from the front), each sent
// as SCS-DATA or 3270-DATA, or an end of job. Checked besides the sanitizers: the print
// line stays within its capacity, the page format within its
// limits, and every record under RESPONSES with the response flag 2 gets one answer.
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
#include "terminal/emulations/ibmhost/3270/models3270.h"
#include "terminal/emulations/ibmhost/3270/settings3270.h"
#include "terminal/emulations/ibmhost/3270/tn3270e.h"
#include "terminal/input/macros/keyevents.h"

namespace {
I3270Session g_session;

void Start(bool tn3270e, const std::string& start, const std::string& end, u16 method)
{
    doubles::Reset();
    doubles::ResetTelnet();
    doubles::UseBuilt3270Family();
    doubles::ResetIbmHost();
    I3270SetFactorySettings(I3270Config, 0);
    I3270Config.mode = k3287PrinterModel;
    for (std::size_t i = 0; i < 20; ++i) {
        I3270Config.printBypassSeq[i] = i < start.size() ? static_cast<u8>(start[i]) : 0;
        I3270Config.printBypassEnd[i] = i < end.size() ? static_cast<u8>(end[i]) : 0;
    }
    I3270Config.printBypassEndMethod = method;
    I3270FreeSession(&g_session);
    g_session = I3270Session{};
    I3270ActiveSession = &g_session;
    Tn3270ActiveSession = &g_session;
    EmulationId = 6;
    Telnet.eorPermit3270 = 1;
    for (u8 o : {0, 25})
        Telnet.local[o] = Telnet.remote[o] = 1;
    if (tn3270e) {
        Telnet.local[40] = 1;
        Telnet.tn3270eState = 4;
        for (int f = 0; f < 4; ++f)
            Telnet.functions[f] = 1;
    }
    I3270InitSession(&g_session);
    g_session.connectionMode = 1;
    Tn3270UpdateTelnetModes();
}

void Send(const std::vector<u8>& record)
{
    doubles::Peer().sent.clear();
    doubles::Comms().printCalls.clear();
    I3270HandleRecord(&g_session, record.data(), static_cast<int>(record.size()));
}

void CheckPrinter(const I3287Job& j)
{
    VX_FUZZ_CHECK(j.column >= 0 && j.column <= kPrintLineCapacity);
    VX_FUZZ_CHECK(j.line >= 0);
    VX_FUZZ_CHECK(j.mpp >= 1 && j.mpp <= kMaxPrintPosition);
    VX_FUZZ_CHECK(j.leftMargin >= 1 && j.leftMargin <= j.mpp);
    VX_FUZZ_CHECK(j.linesPerPage >= 1 && j.linesPerPage <= kMaxPageLines);
    VX_FUZZ_CHECK(j.topMargin >= 1 && j.topMargin <= j.linesPerPage);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    static const bool queues = AllocInputQueues();
    VX_FUZZ_CHECK(queues);
    FuzzedDataProvider in(data, size);
    const bool tn3270e = in.ConsumeBool();
    const int lu = in.ConsumeBool() ? 3 : 1;
    const std::string start = in.ConsumeRandomLengthString(20);
    const std::string end = in.ConsumeRandomLengthString(20);
    const u16 method = in.ConsumeIntegralInRange<u16>(0, 2);
    Start(tn3270e, start, end, method);
    if (tn3270e) {
        std::vector<u8> bind = {3, 0, 0, 0, 0};
        bind.resize(5 + 26, 0);
        bind[5] = 0x31;
        bind[5 + 14] = static_cast<u8>(lu);
        bind[5 + 24] = lu == 3 ? in.ConsumeIntegralInRange<u8>(0, 2) : 0;
        Send(bind);
    }
    u16 sequence = 1;
    for (int steps = 0; steps < 32 && in.remaining_bytes() > 0; ++steps) {
        const int kind = in.ConsumeIntegralInRange<int>(0, 2);
        std::vector<u8> record;
        if (kind == 2) {
            record = {8, 0, 0, 0, 0};  // PRINT-EOJ
        } else {
            const std::string bytes = in.ConsumeRandomLengthString(8192);
            if (tn3270e)
                record = {static_cast<u8>(kind == 0 ? 1 : 0), 0, 2, static_cast<u8>(sequence >> 8),
                          static_cast<u8>(sequence)};
            else if (kind == 0)
                record = {0};  // plain TN3270: a leading 0 marks SCS
            record.insert(record.end(), bytes.begin(), bytes.end());
            ++sequence;
        }
        Send(record);
        if (tn3270e && kind != 2) {
            const std::vector<u8>& sent = doubles::Peer().sent;
            VX_FUZZ_CHECK(sent.size() >= 8 && sent[0] == 0x02);
        }
        CheckPrinter(g_session.printer);
    }
    I3270ActiveSession = nullptr;
    Tn3270ActiveSession = nullptr;
    return 0;
}
