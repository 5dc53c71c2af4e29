// The host byte path of every emulation built: host data arrives through the real telnet
// engine in chunks of any size and goes through the reader, the parser and the DEC
// emulation into the screen store.
//
// Input: byte 0 chooses the emulation (VT52, VT100, VT500 7-Bit, VT500 8-Bit) and the
// terminal model, byte 1 a few settings, byte 2 the screen's shape, byte 3 seeds the chunk
// sizes (its top bits choose the local-editing setting); the rest is what the host sends.
// Afterwards the store must be whole (cursor and margins on the page, line pointers a
// permutation of the records, the history within its capacity) and a status request
// sent after a reset of whatever the data left open must still be answered.
#include <set>
#include <string>
#include <vector>

#include "fuzz/check.h"
#include "support/doubles_host.h"
#include "support/doubles_network.h"
#include "support/doubles_telnet.h"
#include "support/hostreset.h"
#include "support/test_doubles.h"
#include "terminal/comms/telnet/socketio.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

// The host's bytes in chunks of 1 to 64 bytes, sized by a small generator so that the
// same input always splits the same way.
void QueueChunks(const u8* data, std::size_t size, u32 seed)
{
    u32 state = seed * 2654435761u + 1;
    for (std::size_t at = 0; at < size;) {
        state = state * 1103515245u + 12345u;
        const std::size_t n = std::min<std::size_t>(1 + (state >> 16) % 64, size - at);
        doubles::Peer().chunks.emplace_back(data + at, data + at + n);
        at += n;
    }
}

bool NothingLeftToRead()
{
    return doubles::Peer().chunks.empty() && NetBuffers.receiveCount == 0 && Telnet.heldDeliver == 0;
}

void ReadEverything(std::size_t bytes)
{
    for (std::size_t guard = 0; guard < 8 * bytes + 1000; ++guard) {
        doubles::Ui().held = false;
        if (!ProcessHostChar())
            break;
        if (doubles::Ui().held && NothingLeftToRead())
            break;
    }
}

void CheckStore()
{
    const ScreenStoreState& s = Screen;
    VX_FUZZ_CHECK(s.lines != nullptr);
    VX_FUZZ_CHECK(s.rows >= 1 && s.rows <= kMaxVtRows && s.pageLength >= s.rows);
    VX_FUZZ_CHECK(s.lineCount >= s.pageLength && s.lineCount <= kScreenLineSlots);
    VX_FUZZ_CHECK(s.lastColumn == 79 || s.lastColumn == 131);
    VX_FUZZ_CHECK(s.cursorRow >= 0 && s.cursorRow < s.pageLength);
    VX_FUZZ_CHECK(s.cursorColumn >= 0 && s.cursorColumn <= s.lastColumn);
    VX_FUZZ_CHECK(s.top >= 0 && s.top < s.bottom && s.bottom < s.pageLength);
    VX_FUZZ_CHECK(s.left >= 0 && s.left < s.right && s.right <= s.lastColumn);
    VX_FUZZ_CHECK(s.historyCount >= 0 && s.historyCount <= s.historyCapacity);
    VX_FUZZ_CHECK(s.historyCapacity <= s.lineCount - s.rows);
    VX_FUZZ_CHECK(s.firstLine >= 0 && s.firstLine <= s.historyCapacity);
    std::set<const ScreenLineRecord*> seen;
    for (int slot = 0; slot < s.lineCount; ++slot) {
        VX_FUZZ_CHECK(s.lines[slot] != nullptr);
        VX_FUZZ_CHECK(seen.insert(s.lines[slot]).second);
    }
}

bool EndsWith(const std::vector<u8>& bytes, const std::string& tail)
{
    return bytes.size() >= tail.size() && std::equal(tail.begin(), tail.end(), bytes.end() - tail.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    if (size < 4)
        return 0;
    ResetDecState();
    ResetHostPath();
    doubles::ResetTelnet();

    // Emulation and terminal model (vt100 ... vt525).
    const u8 emulation = data[0] & 3;
    TerminalId = static_cast<u8>((data[0] >> 2) % 15);
    // Settings: 8 or 7 data bits, auto wrap, new-line mode, auto line feed, right to
    // left, reverse wrap, display errors, scrolled lines kept from a region.
    const u8 settings = data[1];
    DataBitsSetting = settings & 1 ? 1 : 2;
    Vt300Values.autowrap = (settings >> 1) & 1;
    Vt300Values.autonl = (settings >> 2) & 1;
    Vt300Values.autolf = (settings >> 3) & 1;
    Vt300Values.cursr2l = (settings >> 4) & 1;
    Vt300Values.bswrap = (settings >> 5) & 1;
    Vt300Values.disp_errors = (settings >> 6) & 1;
    Vt300Values.savescrolled = settings >> 7;
    // Shape: rows, 80 or 132 columns, scroll-back on or off, history size.
    const u8 shape = data[2];
    static const int kRows[] = {24, 24, 25, 36, 48, 64, 2, 1};
    Screen.rows = kRows[shape & 7];
    Screen.lastColumn = shape & 8 ? 131 : 79;
    Screen.scrollBarOn = (shape >> 4) & 1 ? 0 : 1;
    Screen.maxLineCount = (shape >> 5) * 64 + 64;
    // Local editing (the top bits of the chunk seed): off or on for the host to switch,
    // or fixed off, as the factory profile has it.
    Vt300Values.inedit = static_cast<u8>(data[3] >> 6 < 2 ? data[3] >> 6 : 2);

    VX_FUZZ_CHECK(AllocScreenStore() && AllocInputQueues() && InitialiseTerminal(1));
    SetDecEmulationId(emulation);
    SocketIndex = 5;
    doubles::Network().throughTelnet = true;

    QueueChunks(data + 4, size - 4, data[3]);
    ReadEverything(size);
    // The status line, when the host writes it, is a one-line display: the store is
    // checked with the main display back in place.
    SelectActiveDisplay(0);
    CheckStore();

    // Whatever the data left open (a telnet subnegotiation, an escape sequence, a
    // control string, display-controls mode, VT52 mode, 8-bit reports) is closed, then
    // the status request.
    doubles::Peer().sent.clear();
    std::string ask = "\xff\xf0\xff\xf0\x18\x1b\\\x1b[3l";
    std::string answer;
    if (EmulationId == kEmuVt52) {
        ask += "\x1bZ";
        answer = "\x1b/Z";
    } else {
        ask += "\x1b<\x1b F\x1b[5n";
        answer = "\x1b[0n";
    }
    doubles::Peer().chunks.emplace_back(ask.begin(), ask.end());
    ReadEverything(ask.size());
    CheckStore();
    VX_FUZZ_CHECK(EndsWith(doubles::Peer().sent, answer));

    ResetHostPath();
    doubles::ResetTelnet();
    return 0;
}
