#include "terminal/comms/capture/replayrecord.h"

#include <vector>

#include "terminal/comms/telnet/recordsession.h"
#include "terminal/comms/telnet/telnet.h"

namespace {
std::vector<u8> g_record;
bool g_afterIac = false;

void Append(u8 byte)
{
    if (static_cast<int>(g_record.size()) < kReplayRecordMax)
        g_record.push_back(byte);
}
}  // namespace

bool ReplayRecordByte(u8 byte)
{
    if (!g_afterIac) {
        if (byte == tn::IAC)
            g_afterIac = true;
        else
            Append(byte);
        return false;
    }
    g_afterIac = false;
    if (byte == tn::IAC) {
        Append(byte);
        return false;
    }
    if (byte != tn::EOR)
        return false;
    if (!g_record.empty())
        SessionReplayRecord(g_record.data(), static_cast<int>(g_record.size()));
    ResetReplayRecord();
    return true;
}

void ResetReplayRecord()
{
    g_record.clear();
    g_record.shrink_to_fit();
    g_afterIac = false;
}
