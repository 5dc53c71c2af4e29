#include "support/doubles_telnet.h"

#include <algorithm>
#include <cstring>

#include "terminal/comms/connsettings.h"
#include "terminal/comms/devicename.h"
#include "terminal/comms/newenviron.h"
#include "terminal/comms/socketio.h"
#include "terminal/comms/telnet.h"
#include "terminal/comms/telnetoptions.h"
#include "terminal/comms/telnetservices.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/core/base/corestate.h"
#include "terminal/emulations/ibmhost/telnetsession.h"

namespace doubles {
TelnetPeer& Peer()
{
    static TelnetPeer peer;
    return peer;
}

std::u16string U16(const char* text)
{
    std::u16string s;
    for (; text && *text; ++text)
        s.push_back(static_cast<u8>(*text));
    return s;
}

void ResetTelnet()
{
    Peer() = TelnetPeer{};
    I3270ActiveSession = nullptr;
    I5250ActiveSession = nullptr;
    EmulationId = 2;
    TerminalId = 0;  // vt100 (the profile's factory model is vt420)
    ResetConnectionSettings();
    SetTelnetDefaults(TelnetConfig);
    TelnetReset();
    SocketIndex = 5;
    ConnectionType = 1;
    Telnet.telnetMode = 1;
    LocalEcho = 0;
}
}  // namespace doubles

int SocketReceive(SocketHandle)
{
    auto& p = doubles::Peer();
    NetBuffers.receiveIndex = 0;
    NetBuffers.receiveCount = 0;
    if (p.chunks.empty())
        return p.lost ? -2 : -1;
    std::vector<u8> chunk = std::move(p.chunks.front());
    p.chunks.pop_front();
    const std::size_t n = std::min<std::size_t>(chunk.size(), kReceiveBufferSize);
    std::memcpy(NetBuffers.receive, chunk.data(), n);
    NetBuffers.receiveCount = static_cast<i32>(n);
    if (n < chunk.size())
        p.chunks.emplace_front(chunk.begin() + static_cast<std::ptrdiff_t>(n), chunk.end());
    return -1;
}

int SocketSend(SocketHandle, const u8* data, int length, int)
{
    auto& p = doubles::Peer();
    ++p.sendCalls;
    const int n = p.acceptLimit < 0 ? length : std::min(length, p.acceptLimit);
    p.sent.insert(p.sent.end(), data, data + n);
    return n;
}

bool SocketWriteAbandoned()
{
    return doubles::Peer().abandoned;
}

void StatusBarSetLinkState(int) {}

void PostExitCommand()
{
    ++doubles::Peer().exitPosted;
}

std::u16string LocalHostName()
{
    return doubles::Peer().hostName;
}

std::u16string WindowsUserName()
{
    return doubles::Peer().userName;
}

u32 ReadDeviceNameCount(bool session5250)
{
    return doubles::Peer().deviceNameCount[session5250 ? 1 : 0];
}

void WriteDeviceNameCount(bool session5250, u32 value)
{
    doubles::Peer().deviceNameCount[session5250 ? 1 : 0] = value;
}

std::vector<std::u16string> TelnetEnvironNames(bool machineWide, const wchar16* subkey)
{
    std::vector<std::u16string> names;
    auto& store = doubles::Peer().environs[machineWide ? 1 : 0];
    auto it = store.find(std::u16string(reinterpret_cast<const char16_t*>(subkey)));
    if (it != store.end())
        for (auto& [name, value] : it->second)
            names.push_back(name);
    return names;
}

bool TelnetEnvironValue(bool machineWide, const wchar16* subkey, const std::u16string& name,
                        std::u16string& value)
{
    auto& store = doubles::Peer().environs[machineWide ? 1 : 0];
    auto it = store.find(std::u16string(reinterpret_cast<const char16_t*>(subkey)));
    if (it == store.end())
        return false;
    for (auto& [n, v] : it->second)
        if (n == name) {
            value = v;
            return true;
        }
    return false;
}

void Tn3270eHandleRecord(I3270Session*, const u8* bytes, int length)
{
    doubles::Peer().records3270.emplace_back(bytes, bytes + length);
}
void I5250HandleRecords(I5250Session*, const u8* bytes, int length)
{
    doubles::Peer().records5250.emplace_back(bytes, bytes + length);
}
void I3270ResetSession(int model)
{
    doubles::Peer().resets3270.push_back(model);
    if (I3270ActiveSession)
        I3270ActiveSession->model = static_cast<u8>(model);
}
void I5250ResetSession(int) {}
void I3270SetPrinterState(I3270Session* session, int state)
{
    if (session)
        session->printerState = static_cast<u16>(state);
}
void I5250SetPrinterState(I5250Session* session, int state)
{
    if (session)
        session->printerState = static_cast<u16>(state);
}
void I3270EndPrintJob(I3270Session*) {}
void I5250EndPrintJob(I5250Session*) {}
void I3270ShowLuName(const wchar16*) {}
void I3270ShowModelName() {}
void I3270EraseScreen() {}
void I3270RedrawIndicators() {}
void I5250ClearUnit() {}
void I5250TerminalType() {}
void I5250LeaveBlockMode() {}
