// The telnet engine in both directions: a host sends arbitrary bytes (commands, options,
// subnegotiations, records) in chunks of any size while the terminal sends data, records,
// timing marks and breaks of its own, in a 3270, a 5250 or a plain session.
//
// Checked besides the sanitizers: every buffer stays within its bound, the data bytes of
// a plain session are the host's bytes with the telnet commands taken out (RFC 854), and
// what the terminal sends reads back as the data it handed in.
#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

#include "fuzz/check.h"
#include "support/doubles_host.h"
#include "support/doubles_telnet.h"
#include "support/test_doubles.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/socketio.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/corestate.h"
#include "terminal/comms/telnet/recordsession.h"

namespace {

u64 g_now = 0;
u64 FakeTicks()
{
    return g_now;
}

// The host's data bytes with the telnet commands taken out: what a plain session must
// hand to the emulation.
struct CommandStripper {
    int state = 0;  // 0 data, 1 IAC, 2 option byte, 3 in SB, 4 IAC in SB
    void Take(u8 b, std::vector<u8>& out)
    {
        switch (state) {
        case 0:
            if (b == 255)
                state = 1;
            else
                out.push_back(b);
            break;
        case 1:
            state = 0;
            if (b == 255)
                out.push_back(b);
            else if (b == 250)
                state = 3;
            else if (b >= 251)
                state = 2;
            break;
        case 2: state = 0; break;
        case 3:
            if (b == 255)
                state = 4;
            break;
        case 4: state = b == 240 ? 0 : 3; break;
        }
    }
};

// What the terminal sent, read back: IAC IAC is one data byte, IAC EOR ends a record.
std::vector<u8> ReadBack(const std::vector<u8>& sent, std::size_t from, bool* endOfRecord)
{
    std::vector<u8> data;
    *endOfRecord = false;
    for (std::size_t i = from; i < sent.size(); ++i) {
        if (sent[i] != 255) {
            data.push_back(sent[i]);
            continue;
        }
        VX_FUZZ_CHECK(i + 1 < sent.size());
        ++i;
        if (sent[i] == 255)
            data.push_back(255);
        else
            *endOfRecord = sent[i] == 239 && i + 1 == sent.size();
    }
    return data;
}

void CheckBounds()
{
    VX_FUZZ_CHECK(Telnet.subLength <= kSubnegotiationMax);
    VX_FUZZ_CHECK(Telnet.receiveState <= 8);
    VX_FUZZ_CHECK(Telnet.held.size() <= kHeldDataMax);
    VX_FUZZ_CHECK(Telnet.heldIndex <= Telnet.heldDeliver && Telnet.heldDeliver <= Telnet.held.size());
    VX_FUZZ_CHECK(Telnet.record.size() <= kRecordMax);
    VX_FUZZ_CHECK(Telnet.timingMarks >= 0);
    VX_FUZZ_CHECK(NetBuffers.receiveCount >= 0 && NetBuffers.receiveIndex >= 0);
    VX_FUZZ_CHECK(NetBuffers.receiveIndex + NetBuffers.receiveCount <= kReceiveBufferSize);
    VX_FUZZ_CHECK(NetBuffers.sendCount >= 0 && NetBuffers.sendCount <= kSendBufferSize);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    doubles::Reset();
    // The recording doubles keep what the engine sent (the capture's copy of every sent
    // block, posted commands): kept from input to input they grew without end.
    doubles::ResetHost();
    doubles::ResetTelnet();
    TelnetTickCount = FakeTicks;
    g_now = 1000;

    // The session: plain (the VT family), 3270 or 5250, with a few of the profile's choices.
    static Tn3270Session s3270;
    static Tn5250Session s5250;
    const int session = in.ConsumeIntegralInRange<int>(0, 2);
    if (session == 1) {
        s3270 = Tn3270Session{};
        s3270.model = in.ConsumeIntegralInRange<u8>(0, 12);
        Tn3270ActiveSession = &s3270;
        EmulationId = 6;
    } else if (session == 2) {
        s5250 = Tn5250Session{};
        s5250.printerSession = in.ConsumeBool();
        Tn5250ActiveSession = &s5250;
        EmulationId = 7;
    }
    const u8 settings = in.ConsumeIntegral<u8>();
    TelnetConfig.binary = settings & 3;
    TelnetConfig.eor = (settings >> 2) & 3;
    TelnetConfig.tn3270e = (settings >> 4) & 1;
    TelnetConfig.regimeSuppress = (settings >> 5) & 1;
    TelnetConfig.newEnvSuppress = (settings >> 6) & 1;
    TelnetConfig.sendBreakTM = settings >> 7;
    if (in.ConsumeBool())
        TelnetConfig.sendLocn[0] = 'X';
    doubles::Peer().acceptLimit = in.ConsumeBool() ? -1 : in.ConsumeIntegralInRange<int>(1, 8);
    TelnetStartNegotiation(SocketIndex);

    CommandStripper stripper;
    std::vector<u8> expected, received;
    bool marksSent = false;
    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange<int>(0, 7)) {
        case 0:
        case 1:
        case 2: {  // a chunk from the host, then the reader takes what it can
            std::vector<u8> chunk = in.ConsumeBytes<u8>(in.ConsumeIntegralInRange<std::size_t>(1, 600));
            for (u8 b : chunk)
                stripper.Take(b, expected);
            doubles::Peer().chunks.push_back(std::move(chunk));
            for (int calls = 0; calls < 2000; ++calls) {
                const int b = TelnetGetByte(SocketIndex, 1);
                if (b >= 0) {
                    VX_FUZZ_CHECK(b <= 255);
                    received.push_back(static_cast<u8>(b));
                } else if (b == -2 || (doubles::Peer().chunks.empty() && NetBuffers.receiveCount == 0 &&
                                       Telnet.heldDeliver == 0)) {
                    break;
                }
            }
            break;
        }
        case 3: {  // data or a record from the terminal
            const std::vector<u8> bytes = in.ConsumeBytes<u8>(in.ConsumeIntegralInRange<std::size_t>(0, 300));
            std::vector<u16> units(bytes.begin(), bytes.end());
            const bool record = in.ConsumeBool();
            const bool whole = doubles::Peer().acceptLimit < 0 && NetBuffers.sendCount == 0;
            const std::size_t from = doubles::Peer().sent.size();
            TelnetSendData(SocketIndex, units.data(), static_cast<int>(units.size()), record);
            if (whole && Telnet.telnetMode) {
                bool endOfRecord = false;
                VX_FUZZ_CHECK(ReadBack(doubles::Peer().sent, from, &endOfRecord) == bytes);
                VX_FUZZ_CHECK(endOfRecord == record);
            }
            break;
        }
        case 4:
            TelnetSendTimingMark(SocketIndex);
            marksSent = true;
            break;
        case 5: g_now += in.ConsumeIntegralInRange<u64>(0, 8000); break;
        case 6:
            switch (in.ConsumeIntegralInRange<int>(0, 2)) {
            case 0: TelnetSendBreak(SocketIndex); break;
            case 1: TelnetSendAbortOutput(SocketIndex); break;
            default: TelnetSendInterruptProcess(SocketIndex); break;
            }
            marksSent = true;  // a break may be followed by a timing mark
            break;
        default: doubles::Peer().lost = true; break;
        }
        CheckBounds();
    }
    // A plain session hands over every data byte the host sent, in order, unless held
    // data of a timing mark was cut to its last line or the connection went.
    if (session == 0 && !marksSent && Telnet.telnetMode)
        VX_FUZZ_CHECK(received ==
                      std::vector<u8>(expected.begin(), expected.begin() + static_cast<long>(received.size())));
    doubles::ResetTelnet();
    return 0;
}
