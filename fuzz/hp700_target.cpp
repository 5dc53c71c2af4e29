// The HP 700/92's reader of host bytes, with typed input in between, through the core's
// reader into the emulation.
//
// Input: byte 0 the page count (bits 0-2, 2 + value mod 7), the handshake straps (bit 3
// inhibits the DC1 handshake), 8-bit data (bit 4) and 132 columns (bit 5); byte 1 how
// many of the data bytes are typed before the host's. Afterwards display memory must be
// whole (cursor, window, margins and the locked range inside it, the group table and
// the send queue within their sizes) and, once what the data left open is closed, ESC ^
// must still be answered.
#include <string>
#include <vector>

#include "fuzz/check.h"
#include "support/doubles_host.h"
#include "support/doubles_network.h"
#include "support/doubles_registry.h"
#include "support/hostreset.h"
#include "support/test_doubles.h"
#include "terminal/comms/telnet/socketio.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/emulations/hp700/charset/roman8.h"
#include "terminal/emulations/hp700/family.h"
#include "terminal/emulations/hp700/lifecycle.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/input/macros/keyevents.h"

namespace {

void ReadEverything(std::size_t bytes)
{
    for (std::size_t guard = 0; guard < 8 * bytes + 1000; ++guard) {
        doubles::Ui().held = false;
        if (!ProcessHostChar())
            break;
        if (doubles::Ui().held && doubles::Network().incoming.empty() && !IsKeyboardInputPending())
            break;
    }
}

void CheckMemory()
{
    VX_FUZZ_CHECK(Hp700Running());
    VX_FUZZ_CHECK(Hp700.pages >= kHpMinPages && Hp700.pages <= kHpMaxPages);
    VX_FUZZ_CHECK(Hp700.memoryLines == Hp700.pages * kHpScreenRows);
    VX_FUZZ_CHECK(Hp700.viewTop >= 0 && Hp700.viewTop <= Hp700.memoryLines - kHpScreenRows);
    VX_FUZZ_CHECK(Hp700.cursorRow >= 0 && Hp700.cursorRow < Hp700.memoryLines);
    VX_FUZZ_CHECK(Hp700.lastColumn == 79 || Hp700.lastColumn == 131);
    VX_FUZZ_CHECK(Hp700.cursorColumn >= 0 && Hp700.cursorColumn <= Hp700.lastColumn);
    VX_FUZZ_CHECK(Hp700.leftMargin >= 0 && Hp700.rightMargin <= Hp700.lastColumn);
    VX_FUZZ_CHECK(!Hp700LockRangeSet() || (Hp700.lockFirst >= 0 && Hp700.lockLast < Hp700.memoryLines));
    VX_FUZZ_CHECK(Hp700.groups->count >= 0 && Hp700.groups->count <= kHpGroups);
    VX_FUZZ_CHECK(Hp700.sendCount >= 0 && Hp700.sendCount <= kHpSendUnits);
    // Every memory line is a record of its own.
    for (int k = 0; k < Hp700.memoryLines; ++k)
        for (int j = k + 1; j < Hp700.memoryLines && j < k + 3; ++j)
            VX_FUZZ_CHECK(Hp700.lines[k] != Hp700.lines[j]);
    // Outside the definition screen the window shows memory's own records.
    if (Hp700.menu != kHpMenuConfig)
        for (int k = 0; k < Hp700.memoryLines; ++k)
            VX_FUZZ_CHECK(Hp700.lines[k] >= Hp700.lineBlock &&
                          Hp700.lines[k] < Hp700.lineBlock + Hp700.memoryLines);
    VX_FUZZ_CHECK(Hp700.typeaheadCount >= 0 && Hp700.typeaheadCount < kHpTypeahead);
    for (const HpLine& l : Hp700.labelLines)
        VX_FUZZ_CHECK(l.cells[kHpLineCells - 1].ch == 0 || l.used);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    if (size < 2)
        return 0;
    ResetHostPath();
    doubles::ResetRegistry();
    VX_FUZZ_CHECK(AllocScreenStore() && AllocInputQueues() && InitialiseTerminal(1));
    SocketIndex = 5;

    const u8 choices = data[0];
    Hp700 = Hp700State{};
    Hp700SetRoman8Tables(Hp700BuiltInLatinToRoman8(), Hp700BuiltInRoman8ToLatin());
    EmulationId = kEmuHp70092;
    SetActiveFamily(&Hp700Family);
    VX_FUZZ_CHECK(Hp700StartEngine());
    VX_FUZZ_CHECK(Hp700SetMemoryPages(2 + (choices & 7) % 7));
    Hp700.settings.inhhndshk = (choices >> 3) & 1;
    Hp700.settings.eightBits = (choices >> 4) & 1;
    if (choices & 0x20)
        Hp700SetColumns(131);

    std::size_t at = 2;
    const std::size_t typed = std::min<std::size_t>(data[1], size - at);
    for (std::size_t i = 0; i < typed; ++i)
        QueueInputEvent(1, data[at + i], 0);
    at += typed;
    {
        std::lock_guard<std::mutex> guard(doubles::Network().lock);
        doubles::Network().incoming.assign(data + at, data + size);
    }
    ReadEverything(size);
    CheckMemory();

    // Close what the data left open: Display Functions (first: under it ESC is text),
    // format mode, insert mode, block mode and local mode; no handshake; then the status
    // request.
    // A host that put the terminal in local mode is no longer heard: the user goes online.
    LocalMode = 0;
    const std::string ask = "\x1b"
                            "Z\x1bX\x1bR\x1b&k0b1R\x1b&s1g1H\x11\x1b^";
    {
        std::lock_guard<std::mutex> guard(doubles::Network().lock);
        doubles::Network().sent.clear();
        doubles::Network().incoming.assign(ask.begin(), ask.end());
    }
    ReadEverything(ask.size());
    CheckMemory();
    const std::vector<u8>& sent = doubles::Network().sent;
    const std::string status = "\x1b\\";
    VX_FUZZ_CHECK(std::search(sent.begin(), sent.end(), status.begin(), status.end()) != sent.end());

    Hp700StopEngine();
    SetActiveFamily(nullptr);
    EmulationId = kDefaultEmulationId;
    ResetHostPath();
    return 0;
}
