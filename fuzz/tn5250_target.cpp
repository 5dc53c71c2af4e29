// The 5250 session's readers: 5250 records from the host (headers, commands, Write To
// Display orders, structured fields, Save Screen images, text-assist definitions)
// interleaved with the operator's keys and typed characters, on a display or printer
// model, with or without the enhanced interface.
//
// Input, from the back: the model (0-14), the enhanced interface, then steps: a record
// (its bytes from the front), a key with a shift state, or a typed character. Checked
// besides the sanitizers: the geometry stays one of the model's two sizes, the cursor
// and the format table inside the buffer, every record sent is well formed, and a
// record is answered as the table gives: an error by exactly one negative response with
// its sense code, sent last; no error by none.
#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

#include "fuzz/check.h"
#include "support/doubles_ibmhost.h"
#include "support/doubles_telnet.h"
#include "support/test_doubles.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/ibmhost/5250/keyboard/fieldedit5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/keys5250.h"
#include "terminal/emulations/ibmhost/5250/lifecycle5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/records5250.h"
#include "terminal/emulations/ibmhost/5250/settings5250.h"
#include "terminal/input/macros/keyevents.h"

namespace {
I5250Session g_session;

void Start(int model, bool enhanced)
{
    doubles::Reset();
    doubles::ResetTelnet();
    doubles::UseBuilt5250Family();
    doubles::ResetIbmHost();
    ClearDeferredKeys();
    I5250SetFactorySettings(I5250Config);
    I5250Config.model = static_cast<u8>(model);
    I5250Config.enhancedUi = enhanced ? 1 : 0;
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

void CheckSession(const I5250Session& s)
{
    if (s.printerSession)
        return;
    const I5250Geometry& g = s.current;
    VX_FUZZ_CHECK((g.rows == s.defaults.rows && g.columns == s.defaults.columns) ||
                  (g.rows == s.alternate.rows && g.columns == s.alternate.columns));
    VX_FUZZ_CHECK(g.bufferSize == g.rows * g.columns);
    VX_FUZZ_CHECK(s.errorLineStart == g.bufferSize + 1);
    VX_FUZZ_CHECK(static_cast<std::size_t>(s.errorLineStart + g.columns) <= s.cells.size());
    VX_FUZZ_CHECK(s.rows.size() >= static_cast<std::size_t>(g.rows + 2));
    const bool onLine = s.cursor >= s.errorLineStart && s.cursor < s.errorLineStart + g.columns;
    VX_FUZZ_CHECK((s.cursor >= 1 && s.cursor <= g.bufferSize) || onLine);
    VX_FUZZ_CHECK(s.fields.size() <= s.maxInputFields);
    for (const I5250Field& f : s.fields)
        for (const I5250Extent& x : f.extents)
            VX_FUZZ_CHECK(x.start + x.length <= g.bufferSize);
}

// The records the session sent: each whole and of type 0x12A0; a negative response,
// when the record had an error, is the last one and carries the error.
void CheckSent(const std::vector<u8>& sent, u32 error, bool printer)
{
    std::vector<std::vector<u8>> records(1);
    for (std::size_t i = 0; i < sent.size(); ++i) {
        if (sent[i] == 0xFF && i + 1 < sent.size() && sent[i + 1] == 0xEF) {
            records.emplace_back();
            ++i;
            continue;
        }
        if (sent[i] == 0xFF && i + 1 < sent.size() && sent[i + 1] == 0xFF)
            ++i;
        records.back().push_back(sent[i]);
    }
    VX_FUZZ_CHECK(records.back().empty());  // everything sent ends with IAC EOR
    records.pop_back();
    int negatives = 0;
    for (const std::vector<u8>& r : records) {
        VX_FUZZ_CHECK(r.size() >= 10 && (r[0] << 8 | r[1]) == static_cast<int>(r.size()));
        VX_FUZZ_CHECK(r[2] == 0x12 && r[3] == 0xA0);
        if (!printer && (r[7] & 0x80)) {
            ++negatives;
            VX_FUZZ_CHECK(&r == &records.back() && r.size() == 14 && r[9] == 0);
            VX_FUZZ_CHECK(static_cast<u32>(r[10] << 24 | r[11] << 16 | r[12] << 8 | r[13]) == error);
        }
    }
    VX_FUZZ_CHECK(printer || negatives == (error ? 1 : 0));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    static const bool queues = AllocInputQueues();
    VX_FUZZ_CHECK(queues);
    FuzzedDataProvider in(data, size);
    const int model = in.ConsumeIntegralInRange<int>(0, 14);
    const bool enhanced = in.ConsumeBool();
    Start(model, enhanced);
    for (int steps = 0; steps < 64 && in.remaining_bytes() > 0; ++steps) {
        const int kind = in.ConsumeIntegralInRange<int>(0, 3);
        doubles::Peer().sent.clear();
        if (kind <= 1) {
            const std::string bytes = in.ConsumeRandomLengthString(8192);
            const std::vector<u8> record(bytes.begin(), bytes.end());
            const u32 error = I5250HandleRecords(&g_session, record.data(), static_cast<int>(record.size()));
            CheckSent(doubles::Peer().sent, error, g_session.printerSession != 0);
        } else if (kind == 2) {
            const int key = in.ConsumeIntegralInRange<int>(60, 200);
            const u32 shift = in.ConsumeIntegralInRange<u32>(0, 7);
            I5250KeyFunction(&g_session, key, shift);
        } else {
            I5250TypedCharacter(&g_session, static_cast<wchar16>(in.ConsumeIntegralInRange<int>(0, 0x17F)));
        }
        CheckSession(g_session);
    }
    ClearDeferredKeys();
    I5250FreeSession(&g_session);
    I5250ActiveSession = nullptr;
    Tn5250ActiveSession = nullptr;
    return 0;
}
