#include "support/doubles_telnet.h"
#include "support/doubles_host.h"

#include <algorithm>
#include <cstring>

#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/devicename.h"
#include "terminal/comms/telnet/newenviron.h"
#include "terminal/comms/telnet/socketio.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/comms/telnet/recordsession.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/settings/store/profilevalues.h"

namespace doubles {
TelnetPeer& Peer()
{
    static TelnetPeer peer;
    return peer;
}

namespace {
// The record sessions as the telnet engine meets them: a family for the 3270 and 5250
// ids whose telnet hooks record what the engine hands over.
void RecordReceived(const u8* bytes, int length)
{
    auto& records = Tn3270ActiveSession ? Peer().records3270 : Peer().records5250;
    records.emplace_back(bytes, bytes + length);
}

void SessionReset(int model)
{
    if (!Tn3270ActiveSession)
        return;
    Peer().resets3270.push_back(model);
    Tn3270ActiveSession->model = static_cast<u8>(model);
}

void PrinterState(int state)
{
    if (Tn3270ActiveSession)
        Tn3270ActiveSession->printerState = static_cast<u16>(state);
    else if (Tn5250ActiveSession)
        Tn5250ActiveSession->printerState = static_cast<u16>(state);
}

// The families of this build that the recording family displaced from the 3270 and
// 5250 ids.
const FamilyHooks* g_displaced[2] = {nullptr, nullptr};
constexpr u8 kRecordIds[2] = {kEmuIbm3270, kEmuIbm5250};

// The terminal type is the displaced family's: it names the session's model.
int TerminalType(char* buffer, int capacity)
{
    const FamilyHooks* built = g_displaced[EmulationId == kEmuIbm5250 ? 1 : 0];
    if (built && built->telnet && built->telnet->terminalType)
        return built->telnet->terminalType(buffer, capacity);
    buffer[0] = 0;
    return 0;
}

constexpr TelnetHooks kRecordTelnet{
    .terminalType = TerminalType,
    .record = RecordReceived,
    .resetSession = SessionReset,
    .setPrinterState = PrinterState,
};

const FamilyHooks kRecordSessionFamily{
    .name = "record sessions (test)",
    .emulations = EmulationBit(kEmuIbm3270) | EmulationBit(kEmuIbm5250),
    .telnet = &kRecordTelnet,
};

void UseBuiltFamily(int which)
{
    if (!g_displaced[which])
        return;
    UnregisterFamily(&kRecordSessionFamily);
    RegisterFamily(g_displaced[which]);
    RegisterFamily(&kRecordSessionFamily);
}
}  // namespace

void RegisterRecordSessions()
{
    for (int i = 0; i < 2; ++i) {
        const FamilyHooks* built = FamilyFor(kRecordIds[i]);
        if (built && built != &kRecordSessionFamily) {
            g_displaced[i] = built;
            UnregisterFamily(built);
        }
    }
    RegisterFamily(&kRecordSessionFamily);
}

void UseBuilt3270Family()
{
    UseBuiltFamily(0);
}

void UseBuilt5250Family()
{
    UseBuiltFamily(1);
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
    RegisterRecordSessions();
    Peer() = TelnetPeer{};
    // The capture's copies of what the engine received and sent go with the peer (a fuzz
    // target that resets only the telnet side grew by them on every input).
    Comms().capturedRaw.clear();
    Comms().capturedSent.clear();
    Tn3270ActiveSession = nullptr;
    Tn5250ActiveSession = nullptr;
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
    if (n > 0)
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

bool TelnetEnvironValue(bool machineWide, const wchar16* subkey, const std::u16string& name, std::u16string& value)
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
