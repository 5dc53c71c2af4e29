#include "terminal/comms/telnet/recordsession.h"

#include <vector>

#include "terminal/comms/telnet/telnet.h"
#include "terminal/core/base/corestate.h"

Tn3270Session* Tn3270ActiveSession = nullptr;
Tn5250Session* Tn5250ActiveSession = nullptr;
u8 Configured3270Model = 0;
u8 Configured5250Model = 0;
u8 StepReplay3270 = 0, StepReplay5250 = 0;

const TelnetHooks* SessionTelnetHooks()
{
    const FamilyHooks* family = FamilyFor(EmulationId);
    return family ? family->telnet : nullptr;
}

namespace {
template <typename Hook, typename... Args>
void Call(Hook TelnetHooks::*hook, Args... args)
{
    const TelnetHooks* hooks = SessionTelnetHooks();
    if (hooks && hooks->*hook)
        (hooks->*hook)(args...);
}
}  // namespace

void SessionRecord(const u8* bytes, int length)
{
    Call(&TelnetHooks::record, bytes, length);
}

void SessionReset(int model)
{
    Call(&TelnetHooks::resetSession, model);
}

void SessionPrinterState(int state)
{
    Call(&TelnetHooks::setPrinterState, state);
}

void SessionEndPrintJob()
{
    Call(&TelnetHooks::endPrintJob);
}

void SessionRecordModeChanged(bool on)
{
    Call(&TelnetHooks::recordModeChanged, on);
}

void SessionModelShown()
{
    Call(&TelnetHooks::modelShown);
}

void SessionIndicatorsChanged()
{
    Call(&TelnetHooks::indicatorsChanged);
}

void SessionLuName(const wchar16* name)
{
    Call(&TelnetHooks::luNameShown, name);
}

void SessionReplayRecord(const u8* bytes, int length)
{
    const TelnetHooks* hooks = SessionTelnetHooks();
    if (hooks && hooks->replayRecord) {
        hooks->replayRecord(bytes, length);
        return;
    }
    std::vector<u16> units(bytes, bytes + length);
    TelnetSendData(SocketIndex, units.data(), length, true);
}
