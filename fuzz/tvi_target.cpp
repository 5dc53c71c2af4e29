// The TVI 950/955's reader of host bytes, with typed input in between, through the
// core's reader into the emulation.
//
// Input: byte 0 the emulation (bit 0: TVI 950), the page size (bits 1-2: 4, 2 or 1 pages)
// and the width (bit 3: 132 columns); byte 1 how many of the data bytes are typed before
// the host's. Afterwards the cursor must lie in its page and within the column range,
// the view offset and the scroll region in the page, and the page map a permutation;
// once what the data left open is closed (printing, monitor mode, a line being loaded),
// CSI 6 n must still be answered.
#include <algorithm>
#include <string>
#include <vector>

#include "fuzz/check.h"
#include "support/doubles_host.h"
#include "support/doubles_network.h"
#include "support/doubles_registry.h"
#include "support/doubles_tvi.h"
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
#include "terminal/emulations/tvi/family.h"
#include "terminal/emulations/tvi/lifecycle.h"
#include "terminal/emulations/tvi/store/lines.h"
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

void CheckState()
{
    const TviSettings& s = Tvi.set;
    VX_FUZZ_CHECK(Tvi.active && TviLinesAllocated());
    VX_FUZZ_CHECK(s.pages == 1 || s.pages == 2 || s.pages == 4);
    VX_FUZZ_CHECK(s.rowsPerPage * s.pages == kTviPageLines);
    VX_FUZZ_CHECK(s.lastColumn == 79 || s.lastColumn == 131);
    VX_FUZZ_CHECK(s.displayHeight >= 0 && s.displayHeight < s.rowsPerPage);
    VX_FUZZ_CHECK(Tvi.currentPage >= 0 && Tvi.currentPage < s.pages);
    VX_FUZZ_CHECK(Tvi.cursorRow >= 0 && Tvi.cursorRow < s.rowsPerPage);
    VX_FUZZ_CHECK(Tvi.cursorColumn >= 0 && Tvi.cursorColumn <= s.lastColumn);
    VX_FUZZ_CHECK(Tvi.regionTop >= 0 && Tvi.regionTop < Tvi.regionBottom && Tvi.regionBottom < s.rowsPerPage);
    VX_FUZZ_CHECK(Tvi.scrollOffset >= 0 && Tvi.scrollOffset + s.displayHeight < s.rowsPerPage);
    VX_FUZZ_CHECK(s.topRow >= 0 && s.topRow < kTviLines && s.bottomRow >= 0 && s.bottomRow < kTviLines);
    VX_FUZZ_CHECK(s.marginBellColumn >= 0 && s.marginBellColumn < kTviCells);
    u8 seen = 0;
    for (u8 page : Tvi.pageMap) {
        VX_FUZZ_CHECK(page < 4);
        seen = static_cast<u8>(seen | (1 << page));
    }
    VX_FUZZ_CHECK(seen == 0x0F);
    if (Tvi.loadLine)
        VX_FUZZ_CHECK(Tvi.loadLine >= kTviStatusLine && Tvi.loadLine <= kTviUserLine2 && Tvi.loadColumn >= 0 &&
                      Tvi.loadColumn <= s.lastColumn);
    for (int i = 0; i < kTviLines; ++i)
        VX_FUZZ_CHECK(TviLineAt(i) != nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    if (size < 2)
        return 0;
    ResetHostPath();
    doubles::ResetRegistry();
    doubles::ResetTvi();
    VX_FUZZ_CHECK(AllocScreenStore() && AllocInputQueues() && InitialiseTerminal(1));
    SocketIndex = 5;

    const u8 choices = data[0];
    const u8 id = (choices & 1) ? kEmuTvi950 : kEmuTvi955;
    EmulationId = id;
    SetActiveFamily(&TviFamily);
    VX_FUZZ_CHECK(TviStartEngine(id));
    const int sizes[4] = {4, 2, 1, 4};
    TviSetPageSize(sizes[(choices >> 1) & 3]);
    if (choices & 8)
        TviSetColumns(131);
    CheckState();

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
    CheckState();

    // Close what the data left open: a print (ESC a ends every kind), monitor mode (ESC
    // u), a line being loaded (CR); the keyboard may have been locked (ESC ").
    const std::string ask = "\x1b"
                            "a\x1b"
                            "u\r\x1b\"\x1b[6n";
    LocalMode = 0;
    {
        std::lock_guard<std::mutex> guard(doubles::Network().lock);
        doubles::Network().sent.clear();
        doubles::Network().incoming.assign(ask.begin(), ask.end());
    }
    ReadEverything(ask.size() + 16);
    CheckState();
    const std::vector<u8>& sent = doubles::Network().sent;
    const std::string answer = "\x1b[" + std::to_string(Tvi.cursorRow) + ";" + std::to_string(Tvi.cursorColumn) +
                               "R";
    VX_FUZZ_CHECK(sent.size() >= answer.size() &&
                  std::equal(answer.begin(), answer.end(), sent.end() - answer.size()));

    TviStopEngine();
    SetActiveFamily(nullptr);
    EmulationId = kDefaultEmulationId;
    ResetHostPath();
    return 0;
}
