// The 3270 session's readers: TN3270E and plain TN3270 records from the host (headers,
// BIND images, commands, orders, structured fields, character-mode data) interleaved with
// the operator's keys and typed characters, on a display or printer model.
//
// Input, from the back: the model (0-12), TN3270E or plain TN3270, the agreed functions,
// then steps: a record (its bytes from the front), a key with a shift state, or a typed
// character. Checked besides the sanitizers: the screen's geometry stays within what the
// record holds, the cursor and buffer address inside the buffer, and a record under
// TN3270E with RESPONSES that asks for an answer gets exactly one, as the table gives.
#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

#include "fuzz/check.h"
#include "support/doubles_ibmhost.h"
#include "support/doubles_telnet.h"
#include "support/test_doubles.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/corestate.h"
#include "terminal/emulations/ibmhost/3270/fieldedit3270.h"
#include "terminal/emulations/ibmhost/3270/keys3270.h"
#include "terminal/emulations/ibmhost/3270/models3270.h"
#include "terminal/emulations/ibmhost/3270/settings3270.h"
#include "terminal/emulations/ibmhost/3270/tn3270e.h"
#include "terminal/input/macros/keyevents.h"

namespace {
I3270Session g_session;

void Start(int model, bool tn3270e, u8 functions)
{
    doubles::Reset();
    doubles::ResetTelnet();
    doubles::UseBuilt3270Family();
    doubles::ResetIbmHost();
    ClearDeferredKeys();
    I3270SetFactorySettings(I3270Config, 0);
    I3270Config.mode = static_cast<u8>(model);
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
        for (int f = 0; f < 5; ++f)
            Telnet.functions[f] = (functions >> f) & 1;
    }
    I3270InitSession(&g_session);
    g_session.connectionMode = 1;
    Tn3270UpdateTelnetModes();
}

void CheckSession(const I3270Session& s)
{
    if (s.cells.empty())
        return;  // refused a model it could not hold
    // A printer's rows are its print layout (the buffer cut at the line length Start Print
    // names), not a display: they may pass a display's 43 but never the buffer.
    VX_FUZZ_CHECK(s.current.rows >= 1 &&
                  (s.current.rows <= 43 ||
                   (s.model == k3287PrinterModel && s.current.rows * s.current.columns <= s.current.bufferSize)));
    VX_FUZZ_CHECK(s.current.columns >= 1 && s.current.columns <= 132);
    VX_FUZZ_CHECK(s.current.bufferSize <= s.capacity);
    VX_FUZZ_CHECK(static_cast<std::size_t>(s.capacity) <= s.cells.size());
    VX_FUZZ_CHECK(s.rows.size() > static_cast<std::size_t>(s.current.rows) || s.model == k3287PrinterModel);
    VX_FUZZ_CHECK(s.cursor >= 0 && s.cursor < s.current.bufferSize);
    VX_FUZZ_CHECK(s.bufferAddress >= 0 && s.bufferAddress < s.current.bufferSize);
}

// A record with a TN3270E header under RESPONSES: the answer its response flag and error
// call for, and nothing else in its place.
void CheckAnswer(const std::vector<u8>& record, const std::vector<u8>& sent, u32 error)
{
    const bool hostAnswer = record[0] == 2 || record[0] == 6;  // never answered
    const bool wantsAnswer = !hostAnswer && (record[2] == 2 || (record[2] == 1 && error));
    const bool isResponse = sent.size() >= 8 && sent[0] == 0x02;
    VX_FUZZ_CHECK(isResponse == wantsAnswer);
    if (!wantsAnswer)
        return;
    VX_FUZZ_CHECK(sent[2] == (error ? 1 : 0));
    std::size_t at = 3;
    for (int k = 0; k < 2; ++k, ++at) {
        VX_FUZZ_CHECK(sent[at] == record[3 + k]);
        if (record[3 + k] == 0xFF)
            ++at;
    }
    VX_FUZZ_CHECK(sent[at] == (error ? I3270ResponseReason(error) : 0));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    static const bool queues = AllocInputQueues();
    VX_FUZZ_CHECK(queues);
    FuzzedDataProvider in(data, size);
    const int model = in.ConsumeIntegralInRange<int>(0, 12);
    const bool tn3270e = in.ConsumeBool();
    const u8 functions = in.ConsumeIntegral<u8>();
    Start(model, tn3270e, functions);
    const bool responses = tn3270e && (functions & 0x04);
    for (int steps = 0; steps < 64 && in.remaining_bytes() > 0; ++steps) {
        const int kind = in.ConsumeIntegralInRange<int>(0, 3);
        doubles::Peer().sent.clear();
        if (kind <= 1) {
            const std::string bytes = in.ConsumeRandomLengthString(8192);
            const std::vector<u8> record(bytes.begin(), bytes.end());
            const bool agreed = Telnet.local[40] != 0;
            const u32 error = I3270HandleRecord(&g_session, record.data(), static_cast<int>(record.size()));
            if (responses && agreed && record.size() >= 5)
                CheckAnswer(record, doubles::Peer().sent, error);
        } else if (kind == 2) {
            const int key = in.ConsumeIntegralInRange<int>(60, 300);
            const u32 shift = in.ConsumeIntegralInRange<u32>(0, 7);
            // Ctrl+Shift+Alt+Pause waits a second on purpose (the macro delay key).
            if (!(key == 82 && shift == 7))
                I3270KeyFunction(&g_session, key, shift);
        } else {
            I3270TypedCharacter(&g_session, static_cast<wchar16>(in.ConsumeIntegralInRange<int>(0, 0x17F)));
        }
        CheckSession(g_session);
    }
    ClearDeferredKeys();
    I3270ActiveSession = nullptr;
    Tn3270ActiveSession = nullptr;
    return 0;
}
