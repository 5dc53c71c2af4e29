// The ANSI consoles' host path: the bytes a host sends to Ansi BBS, SCO Console or AT 386
// go through the reader, the family's parser (quoted texts, host-defined keys, capture
// control, virtual screens) and the VT writer into the screen store.
//
// Input: byte 0 chooses the console (bits 0-1: Ansi BBS, SCO Console, AT 386, AIXTerm) and the PC
// code page (bits 2-4), byte 1 the character mode (PC characters or not) and the capture
// service's answer; the rest is what the host sends. Afterwards the store must be whole
// (cursor on the page, line pointers a permutation of the records, the shown virtual
// screen one of six), and after CAN ends whatever the data left open a status request
// must still be answered.
#include <set>
#include <string>

#include "fuzz/check.h"
#include "support/doubles_host.h"
#include "support/doubles_network.h"
#include "support/hostreset.h"
#include "support/test_doubles.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/emulations/dec/ansi/aixterm.h"
#include "terminal/emulations/dec/ansi/ansiconsole.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

void Read(const u8* data, std::size_t size)
{
    {
        doubles::NetworkDouble& n = doubles::Network();
        std::lock_guard<std::mutex> guard(n.lock);
        n.incoming.insert(n.incoming.end(), data, data + size);
    }
    for (std::size_t guard = 0; guard < 10 * size + 10; ++guard) {
        doubles::Ui().held = false;
        if (!ProcessHostChar())
            break;
    }
}

void CheckConsole()
{
    const ScreenStoreState& s = Screen;
    VX_FUZZ_CHECK(AnsiConsoleMode == 1 || AnsiConsoleMode == 2 || AixtermMode == 1);
    VX_FUZZ_CHECK(s.cursorRow >= 0 && s.cursorRow < s.pageLength);
    VX_FUZZ_CHECK(s.cursorColumn >= 0 && s.cursorColumn <= s.lastColumn);
    VX_FUZZ_CHECK(s.top >= 0 && s.top <= s.bottom && s.bottom < s.pageLength);
    VX_FUZZ_CHECK(ScoShownVirtualScreen() >= 0 && ScoShownVirtualScreen() < kScoVirtualScreens);
    std::set<const ScreenLineRecord*> seen;
    for (int slot = 0; slot < s.lineCount; ++slot) {
        VX_FUZZ_CHECK(s.lines[slot] != nullptr);
        VX_FUZZ_CHECK(seen.insert(s.lines[slot]).second);
    }
    for (const auto& key : AnsiConsole.keyStrings)
        VX_FUZZ_CHECK(key[kScoKeyStringUnits] == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    if (size < 2)
        return 0;
    ResetDecState();
    ResetHostPath();
    static const u8 kConsoles[4] = {kEmuAnsiBbs, kEmuScoConsole, kEmuAt386, kEmuAixterm};
    Vt300Values.ansi386_codepage = static_cast<u8>((data[0] >> 2) % 5);
    Vt300Values.ansi386_upss = data[1] & 1 ? 0 : 4;
    VX_FUZZ_CHECK(AllocScreenStore() && AllocInputQueues() && InitialiseTerminal(1));
    SocketIndex = 7;
    doubles::ResetHost();
    doubles::Comms().hostCaptureResult = (data[1] & 2) != 0;
    SetScreenRowCount(kAnsiConsoleRows);
    SetScreenPageLength(kAnsiConsoleRows);
    const u8 console = kConsoles[data[0] & 3];
    if (console == kEmuAixterm)
        EnterAixterm(console);
    else
        EnterAnsiConsole(console);

    Read(data + 2, size - 2);
    CheckConsole();

    doubles::Network().sent.clear();
    static const u8 kAsk[] = "\x18\x1b[5n";
    Read(kAsk, sizeof kAsk - 1);
    CheckConsole();
    const auto& sent = doubles::Network().sent;
    static const std::string kAnswer = "\x1b[0n";
    VX_FUZZ_CHECK(sent.size() >= kAnswer.size() &&
                  std::equal(kAnswer.begin(), kAnswer.end(), sent.end() - kAnswer.size()));

    if (console == kEmuAixterm)
        LeaveAixterm();
    else
        LeaveAnsiConsole();
    ResetHostPath();
    return 0;
}
