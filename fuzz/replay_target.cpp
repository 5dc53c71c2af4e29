// Replay files and the names a host gives its capture: a file replayed into a 3270
// session in place of the socket (stepped or not, the step answered any way), the same
// bytes collected into records for the host, and capture names of any content.
//
// Checked besides the sanitizers: a replay that ends gives the connection back its
// buffers and telnet mode; records sent to the host read back as the file's data up to
// its last IAC EOR, cut at their bound; a name accepted as plain can reach no other
// directory and no device.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

#include "fuzz/check.h"
#include "support/doubles_host.h"
#include "support/doubles_telnet.h"
#include "support/test_doubles.h"
#include "terminal/comms/capture/capturename.h"
#include "terminal/comms/telnet/recordsession.h"
#include "terminal/comms/capture/replayrecord.h"
#include "terminal/comms/telnet/socketio.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/comms/telnet/telnetreplay.h"
#include "terminal/core/base/corestate.h"

namespace {
void CheckName(std::u16string name)
{
    name = name.substr(0, name.find(u'\0'));  // the name ends at a NUL, as the host's does
    if (!IsPlainCaptureName(reinterpret_cast<const wchar16*>(name.c_str())))
        return;
    VX_FUZZ_CHECK(!name.empty() && name.size() < 256);
    for (char16_t c : name)
        VX_FUZZ_CHECK(c >= 32 && c != u'\\' && c != u'/' && c != u':');
    VX_FUZZ_CHECK(name != u"." && name != u"..");
}

// Records the file holds: IAC IAC a data byte 255, IAC EOR the end, IAC and another byte
// dropped.
std::vector<std::vector<u8>> Records(const std::vector<u8>& file)
{
    std::vector<std::vector<u8>> records(1);
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] != 255) {
            records.back().push_back(file[i]);
            continue;
        }
        if (++i == file.size())
            break;
        if (file[i] == 255)
            records.back().push_back(255);
        else if (file[i] == 239)
            records.emplace_back();
    }
    records.pop_back();  // the part after the last IAC EOR is no record yet
    std::vector<std::vector<u8>> sent;
    for (auto& r : records)
        if (!r.empty()) {
            if (r.size() > static_cast<std::size_t>(kReplayRecordMax))
                r.resize(kReplayRecordMax);
            sent.push_back(r);
        }
    return sent;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    doubles::Reset();
    doubles::ResetTelnet();
    doubles::ResetHost();
    ResetReplayRecord();

    const std::string name = in.ConsumeRandomLengthString(300);
    CheckName(std::u16string(name.begin(), name.end()));

    static Tn3270Session session;
    session = Tn3270Session{};
    for (u8 option : {tn::BINARY, tn::END_OF_RECORD})
        Telnet.local[option] = Telnet.remote[option] = in.ConsumeBool();
    Telnet.eorPermit3270 = 1;
    session.recordMode = in.ConsumeBool();
    Tn3270ActiveSession = &session;
    EmulationId = 6;
    StepReplay3270 = in.ConsumeBool();
    doubles::Comms().replayStepAnswer = in.ConsumeIntegralInRange<int>(3, 5);
    const u32 modeBefore = Telnet.telnetMode = in.ConsumeBool();
    const std::vector<u8> file = in.ConsumeRemainingBytes<u8>();

    // Into the session.
    doubles::Comms().replayOpen = true;
    doubles::Comms().replay.assign(file.begin(), file.end());
    for (int calls = 0; calls < 100000 && (doubles::Comms().replayOpen || TelnetReplaySwapped()); ++calls) {
        TelnetGetByte(SocketIndex, 1);
        VX_FUZZ_CHECK(NetBuffers.receiveIndex + NetBuffers.receiveCount <= kReceiveBufferSize);
    }
    VX_FUZZ_CHECK(!TelnetReplaySwapped());
    VX_FUZZ_CHECK(Telnet.telnetMode == modeBefore);
    StepReplay3270 = 0;

    // To the host.
    doubles::ResetTelnet();
    doubles::Peer().sent.clear();
    std::vector<u8> sentData;
    for (const std::vector<u8>& record : Records(file)) {
        sentData.insert(sentData.end(), record.begin(), record.end());
    }
    for (u8 b : file)
        ReplayRecordByte(b);
    std::vector<u8> readBack;
    const std::vector<u8>& sent = doubles::Peer().sent;
    for (std::size_t i = 0; i < sent.size(); ++i) {
        if (sent[i] != 255) {
            readBack.push_back(sent[i]);
            continue;
        }
        VX_FUZZ_CHECK(i + 1 < sent.size());
        if (sent[++i] == 255)
            readBack.push_back(255);
        else
            VX_FUZZ_CHECK(sent[i] == 239);
    }
    VX_FUZZ_CHECK(readBack == sentData);
    ResetReplayRecord();
    Tn3270ActiveSession = nullptr;
    return 0;
}
