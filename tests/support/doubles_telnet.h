// The socket and registry services of the telnet engine as tests see them:
// bytes the host sends are queued as chunks, bytes sent are recorded.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "terminal/core/base/vxtypes.h"

namespace doubles {
struct TelnetPeer {
    std::deque<std::vector<u8>> chunks;  // each SocketReceive takes one
    bool lost = false;                   // -2 once the chunks are used up
    std::vector<u8> sent;
    int acceptLimit = -1;  // bytes one send accepts; -1 all
    int sendCalls = 0;
    bool abandoned = false;  // SocketWriteAbandoned
    int exitPosted = 0;

    // "Telnet" section stores: [machineWide][subkey] = ordered (name, value) pairs.
    std::map<std::u16string, std::vector<std::pair<std::u16string, std::u16string>>> environs[2];
    u32 deviceNameCount[2] = {0, 0};  // [0] 3270, [1] 5250
    std::u16string hostName = u"thinbox";
    std::u16string userName = u"operator";

    std::vector<std::vector<u8>> records3270, records5250;
    std::vector<int> resets3270;
};
TelnetPeer& Peer();
// Fresh telnet engine state, peer and sessions: telnet mode on over TCP socket 5.
void ResetTelnet();
// The 3270 id back to the family of this build (ResetTelnet gives it to a recording
// family).
void UseBuilt3270Family();
// The same for the 5250 id.
void UseBuilt5250Family();
// A family for the 3270 and 5250 ids whose telnet hooks record records, session resets
// and printer states into the peer (for the tests of the telnet engine's record
// sessions).
void RegisterRecordSessions();
std::u16string U16(const char* text);
}  // namespace doubles
