// The Wyse family's host path: the bytes a host sends to one of the eight personalities
// go through the reader, the printer-controller filter, the control and escape tables
// and the handlers into the page store.
//
// Input: byte 0 chooses the personality (bits 0-2: WY50 ... WY60), enhance (bit 3),
// colour (bit 4), economy (bit 5) and auto page (bit 6); byte 1 the page format (bits
// 0-1), the display size (bits 2-3: 24, 25, 42, 43) and the attribute type (bits 4-5);
// the rest is what the host sends. Afterwards the store must be whole: the cursor inside
// the active window's region and its line's width, the regions and pages inside the page
// memory, every screen row on a record, the windows on the display's rows.
#include "fuzz/check.h"
#include "support/doubles_host.h"
#include "support/doubles_network.h"
#include "support/doubles_registry.h"
#include "support/hostreset.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/emulations/wyse/family.h"
#include "terminal/emulations/wyse/lifecycle.h"
#include "terminal/emulations/wyse/settings/zara.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/core/base/registry.h"
#include "terminal/input/macros/keyevents.h"

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

void CheckWindow(const WyseWindowRecord& w)
{
    if (w.rows == 0)
        return;
    VX_FUZZ_CHECK(w.firstRow >= 1 && w.lastRow <= WyStore.displaySize && w.firstRow <= w.lastRow);
    VX_FUZZ_CHECK(w.state.first <= w.state.last && w.state.last < kWysePageMemoryLines);
    VX_FUZZ_CHECK(w.state.top >= w.state.first && w.state.top + w.rows - 1 <= w.state.last);
}

void CheckStore()
{
    const WyseStoreState& s = WyStore;
    VX_FUZZ_CHECK(WyseStoreActive());
    VX_FUZZ_CHECK(s.pageCount >= 1 && s.pageCount <= kWyseMaxPages);
    for (int p = 0; p < s.pageCount; ++p)
        VX_FUZZ_CHECK(s.page[p].first <= s.page[p].last && s.page[p].last < s.pageMemorySize);
    VX_FUZZ_CHECK(s.regionFirst >= 0 && s.regionFirst <= s.regionLast && s.regionLast < kWysePageMemoryLines);
    VX_FUZZ_CHECK(s.cursorLine >= s.regionFirst && s.cursorLine <= s.regionLast);
    VX_FUZZ_CHECK(s.cursorColumn >= 0 && s.cursorColumn <= s.lineLast && s.lineLast <= s.columnsLast);
    VX_FUZZ_CHECK(s.columnsLast == 79 || s.columnsLast == 131);
    VX_FUZZ_CHECK(s.rowsInUse == 26 || s.rowsInUse == 44);
    for (int r = 0; r < kWyseScreenRows; ++r) {
        VX_FUZZ_CHECK(s.row[r] != nullptr);
        VX_FUZZ_CHECK(Screen.lines[r] == s.row[r]);
    }
    CheckWindow(s.window[0]);
    CheckWindow(s.window[1]);
    const WyseWindowRecord& active = s.window[s.active & 1];
    VX_FUZZ_CHECK(active.rows > 0);
    VX_FUZZ_CHECK(s.cursorRow >= active.firstRow && s.cursorRow <= active.lastRow);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    if (size < 2)
        return 0;
    ResetHostPath();
    doubles::ResetRegistry();
    DeleteAllKeyDefinitions();
    HKEY zara = doubles::RegistryKeyHandle(VXT("ZARA"));
    SettingsWriteDword(zara, VXT("wy_enhance"), (data[0] >> 3) & 1);
    SettingsWriteDword(zara, VXT("wy_usecolour"), (data[0] >> 4) & 1);
    SettingsWriteDword(zara, VXT("wy_economy"), (data[0] >> 5) & 1);
    SettingsWriteDword(zara, VXT("wy_auto_page"), (data[0] >> 6) & 1);
    SettingsWriteDword(zara, VXT("wy_page_format"), data[1] & 3);
    static const u32 kLines[4] = {24, 25, 42, 43};
    SettingsWriteDword(zara, VXT("wy_disp_size"), kLines[(data[1] >> 2) & 3]);
    SettingsWriteDword(zara, VXT("wy_attr_type"), (data[1] >> 4) & 3);
    VX_FUZZ_CHECK(AllocScreenStore() && AllocInputQueues() && InitialiseTerminal(1));
    SocketIndex = 7;
    doubles::ResetHost();
    const u8 id = static_cast<u8>(kEmuWy50 + (data[0] & 7));
    EmulationId = id;
    RequestedEmulationId = id;
    SetActiveFamily(&WyseFamily);
    VX_FUZZ_CHECK(WyseStart());
    CheckStore();

    Read(data + 2, size - 2);
    if (WyseStoreActive())
        CheckStore();

    LeaveWyse();
    DeleteAllKeyDefinitions();
    ResetHostPath();
    return 0;
}
