// The DG 410/412 host byte path: host data goes through the generic reader, the DG
// received-byte filter and per-byte entry (native RS commands and the ANSI-mode parser),
// and in printer-controller mode through the DG controller filter.
//
// Input: byte 0 chooses the mode (native or ANSI), the profile's 8-bit setting and
// whether the printer controller is wired (bytes then go to the DG filter while it is
// on); byte 1 the keyboard-language code; the rest is what the host sends. Afterwards
// the cursor, the margins, every view and the window table must lie on the screen, the
// windows must cover it top to bottom, and a cursor request sent after the data must
// still be answered.
#include <string>

#include "fuzz/check.h"
#include "support/doubles_host.h"
#include "support/doubles_network.h"
#include "support/hostreset.h"
#include "support/test_doubles.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/emulations/dg/dgstate.h"
#include "terminal/emulations/dg/family.h"
#include "terminal/input/macros/keyevents.h"

namespace {

void Feed(const u8* data, std::size_t size)
{
    {
        doubles::NetworkDouble& n = doubles::Network();
        std::lock_guard<std::mutex> guard(n.lock);
        n.incoming.insert(n.incoming.end(), data, data + size);
    }
    for (std::size_t guard = 0; guard < 8 * size + 100; ++guard) {
        doubles::Ui().held = false;
        if (!ProcessHostChar() || doubles::Ui().held)
            break;
    }
    doubles::Ui().held = false;
}

void CheckView(int viewLeft, int viewRight, int width)
{
    VX_FUZZ_CHECK(width == kDgNormalWidth || width == kDgCompressedWidth);
    VX_FUZZ_CHECK(viewLeft >= 0 && viewRight == viewLeft + width && viewRight <= kDgLastColumn);
}

void CheckScreen()
{
    const DgWindow& w = Dg.window;
    VX_FUZZ_CHECK(Dg.row >= w.top && Dg.row <= w.bottom);
    VX_FUZZ_CHECK(Dg.column >= 0 && Dg.column <= kDgLastColumn);
    VX_FUZZ_CHECK(w.top >= 0 && w.top <= w.bottom && w.bottom <= kDgLastRow);
    VX_FUZZ_CHECK(w.left >= 0 && w.left <= w.right && w.right <= kDgLastColumn);
    CheckView(w.viewLeft, w.viewRight, w.width);
    // The windows in use follow each other from row 0 to row 23, and every row knows
    // its window.
    int next = 0, used = 0;
    for (int i = 0; i < kDgWindows; ++i) {
        const DgWindowEntry& e = Dg.windows[i];
        if (e.index < 0)
            continue;
        VX_FUZZ_CHECK(e.index == i && e.top == next && e.bottom >= e.top && e.bottom <= kDgLastRow);
        if (i != w.index)
            CheckView(e.viewLeft, e.viewRight, e.width);
        next = e.bottom + 1;
        ++used;
    }
    VX_FUZZ_CHECK(used >= 1 && next == kDgRows);
    for (int r = 0; r < kDgRows; ++r) {
        const int i = Dg.rowWindow[r];
        VX_FUZZ_CHECK(i >= 0 && i < kDgWindows && Dg.windows[i].index == i);
        VX_FUZZ_CHECK(Dg.rows[r] >= Dg.block && Dg.rows[r] < Dg.block + kDgRows);
    }
}

bool EndsWith(const std::vector<u8>& bytes, const std::string& tail)
{
    return bytes.size() >= tail.size() && std::equal(tail.begin(), tail.end(), bytes.end() - tail.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    if (size < 2)
        return 0;
    ResetHostPath();
    VX_FUZZ_CHECK(AllocScreenStore() && AllocInputQueues() && InitialiseTerminal(1));
    const bool ansi = data[0] & 1;
    DataBitsSetting = data[0] & 2 ? 2 : 1;
    const bool controllerWired = data[0] & 4;
    KeyboardTypeIndex = static_cast<u8>(data[1] % 16);
    EmulationId = kEmuDg410;
    SetActiveFamily(&DgFamily);
    VX_FUZZ_CHECK(DgEnter());
    SocketIndex = 5;
    if (ansi)
        Feed(reinterpret_cast<const u8*>("\036F@"), 3);

    // The controller, once the host turns it on, takes the bytes that follow while the
    // input says it is wired; otherwise they go on to the screen.
    doubles::Comms().printerController = false;
    const u8* host = data + 2;
    std::size_t left = size - 2;
    while (left > 0) {
        const std::size_t n = left < 64 ? left : 64;
        Feed(host, n);
        host += n;
        left -= n;
        doubles::Comms().printerController = controllerWired && Dg.controllerOn;
        CheckScreen();
    }
    doubles::Comms().printerController = false;

    // Whatever the data left open ends (CAN, then an ESC and a final byte that no state
    // takes), then the cursor request of the mode in force.
    Dg.escInProgress = 0;
    doubles::Network().sent.clear();
    const std::string ask = Dg.mode == kDgModeAnsi ? "\x1b~\x1b[6n" : "~\036Fb";
    Feed(reinterpret_cast<const u8*>(ask.data()), ask.size());
    CheckScreen();
    if (Dg.mode == kDgModeAnsi)
        VX_FUZZ_CHECK(EndsWith(doubles::Network().sent, "R"));
    else
        VX_FUZZ_CHECK(doubles::Network().sent.size() >= 7);

    LeaveDgState();
    ResetHostPath();
    return 0;
}
