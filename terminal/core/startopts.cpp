#include "terminal/core/startopts.h"

#include "terminal/comms/connsettings.h"
#include "terminal/comms/netsession.h"
#include "terminal/core/corestate.h"
#include "terminal/core/language.h"
#include "terminal/core/stringids.h"

StartupOptionValues StartupOptions;

namespace {
// "-Tnport23": the number after the switch's letters, -1 when there is none.
i32 SwitchNumber(const wchar16* word, std::size_t prefix)
{
    i32 value = -1;
    for (const wchar16* p = word + prefix; *p >= '0' && *p <= '9'; ++p)
        value = (value < 0 ? 0 : value) * 10 + (*p - '0') % 100000;
    return value > 65535 ? -1 : value;
}

bool HasPrefix(const wchar16* word, const char* prefix)
{
    for (; *prefix; ++word, ++prefix) {
        wchar16 c = *word;
        if (c >= 'A' && c <= 'Z')
            c = static_cast<wchar16>(c + 32);
        if (c != static_cast<wchar16>(*prefix))
            return false;
    }
    return true;
}

// The connection target word: "host" or "host/protocol" (default "winsock").
void TakeTarget(const wchar16* word)
{
    wchar16 target[kSlotUnits];
    std::size_t n = 0;
    while (word[n] && word[n] != '/' && n + 1 < kSlotUnits) {
        target[n] = word[n];
        ++n;
    }
    target[n] = 0;
    while (n > 0 && target[n - 1] <= ' ')
        target[--n] = 0;
    const wchar16* protocol = word[n] == '/' ? word + n + 1 : VXT("winsock");
    if (HasPrefix(protocol, "none")) {
        Slots.connectionTarget[0] = 0;
        StartupOptions.targetGiven = 0;
        StartupOptions.connectionsOff = 1;
        return;
    }
    if (!HasPrefix(protocol, "winsock"))
        return;  // serial targets come with the serial line
    CopyText(Slots.connectionTarget, kSlotUnits, target);
    StartupOptions.networkProtocol = 0;
    StartupOptions.targetGiven = target[0] != 0;
    StartupOptions.startMode = 0;
}
}  // namespace

// The least form of the command line: the connection target and the telnet and local
// ports; every other switch is left for the full start-up options.
int ReadStartupOptions(const wchar16* commandLine, HINSTANCE instance)
{
    StartupOptions = StartupOptionValues{};
    CopyText(Slots.startupSetName, kSlotUnits, VXT("Default"));
    // The title is the program's own description, whatever the language module says.
    if (LoadProgramString(kStrTerminalEmulation, Slots.windowTitle, kSlotUnits) <= 0)
        CopyText(Slots.windowTitle, kSlotUnits, VXT("vexaNT"));
    const wchar16* p = commandLine ? commandLine : VXT("");
    for (int steps = 0; *p && steps < 254; ++steps) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        wchar16 word[kCommandLineUnits];
        std::size_t n = 0;
        if (*p == '"' || *p == '\'') {
            const wchar16 quote = *p++;
            while (*p && *p != quote && n + 1 < kCommandLineUnits)
                word[n++] = *p++;
            if (*p == quote)
                ++p;
        } else {
            while (*p && *p != ' ' && n + 1 < kCommandLineUnits)
                word[n++] = *p++;
        }
        word[n] = 0;
        if (word[0] == '-') {
            if (HasPrefix(word + 1, "tnport"))
                StartupOptions.telnetPort = SwitchNumber(word, 7);
            else if (HasPrefix(word + 1, "localport"))
                StartupOptions.localPort = SwitchNumber(word, 10);
        } else if (word[0] != '+' && word[0] > ' ') {
            TakeTarget(word);
        }
    }
    return 1;
}

void ApplyStartTarget()
{
    if (!StartupOptions.targetGiven || StartupOptions.connectionsOff)
        return;
    CopyText(Connection.netname, kHostNameUnits, Slots.connectionTarget);
    if (Slots.connectionTarget[0] && StartupOptions.networkProtocol == 0 && StartupOptions.serialPort == 255)
        ConnectionStartState = 1;
}
