// The IBM 3151's readers of outside bytes: its profile section and the host's data,
// with typed input in between, through the core's reader into the emulation.
//
// Input: byte 0 the operating mode (bits 0-1), the screen format (bits 2-3) and whether
// the next 64 bytes are the profile's values (bit 4); byte 1 how many of the data bytes
// are typed before the host's (in Block and Character mode they run through the
// emulation's parser); byte 2 seeds the chunk sizes. Afterwards every page must be whole
// (positions on the page, partitions in the screen, attribute counts true) and, once
// what the data left open is closed, ESC 6 must still be answered.
#include <string>
#include <vector>

#include "fuzz/check.h"
#include "support/doubles_host.h"
#include "support/doubles_ibm3151.h"
#include "support/doubles_network.h"
#include "support/doubles_registry.h"
#include "support/hostreset.h"
#include "support/test_doubles.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/comms/telnet/socketio.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/emulations/ibm3151/family.h"
#include "terminal/emulations/ibm3151/lifecycle.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/emulations/ibm3151/host/partition.h"
#include "terminal/input/macros/keyevents.h"

namespace {

constexpr std::size_t kProfileBytes = 64;

// Profile values from the input: the set-control bytes, format, model, cursor type, a
// terminal ID, a PF key and a palette component, each as the registry would hold them.
void SeedProfile(const u8* v)
{
    doubles::RegistryKey& key = doubles::Registry().keys[VXT("IBM3151")];
    static const wchar16* const kNames[] = {
        VXT("i51_c1pa1"),    VXT("i51_c1pa2"), VXT("i51_c2pa1"), VXT("i51_c2pa2"),  VXT("i51_c3pa1"),
        VXT("i51_c3pa2"),    VXT("i51_c4pa1"), VXT("i51_c5pa1"), VXT("i51_c5pa2"),  VXT("i51_c5pa3"),
        VXT("i51_c5pa4"),    VXT("i51_c6pa1"), VXT("i51_c6pa2"), VXT("i51_c6pa3"),  VXT("i51_c6pa4"),
        VXT("i51_c7pa1"),    VXT("i51_c7pa2"), VXT("i51_c7pa3"), VXT("i51_format"), VXT("i51_model"),
        VXT("i51_curstype"),
    };
    std::size_t at = 0;
    for (const wchar16* name : kNames) {
        const u8 b = v[at++];
        key[name] = doubles::RegistryValue{kRegDword, {b, static_cast<u8>(b >> 7 ? 0xFF : 0), 0, 0}};
    }
    // Binary values of odd and even lengths, longer and shorter than their readers take.
    key[VXT("i51_termID")] = doubles::RegistryValue{kRegBinary, {v + at, v + at + 17}};
    at += 17;
    key[VXT("i51_pf_area1")] = doubles::RegistryValue{kRegBinary, {v + at, v + at + 20}};
    at += 20;
    key[VXT("hue")] = doubles::RegistryValue{kRegBinary, {v + at, v + kProfileBytes}};
}

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

void CheckPages()
{
    VX_FUZZ_CHECK(I3151.active && I3151PagesAllocated());
    VX_FUZZ_CHECK(I3151.rows == 24 || I3151.rows == 25);
    VX_FUZZ_CHECK(I3151.lastColumn == 79 || I3151.lastColumn == 131);
    VX_FUZZ_CHECK(I3151.pageCount >= 1 && I3151.pageCount <= kI3151Pages);
    VX_FUZZ_CHECK(I3151.hostPage < I3151.pageCount && I3151.displayPage < I3151.pageCount);
    int next = 0;
    for (int p = 0; p < I3151.pageCount; ++p) {
        I3151PageRecord* page = I3151GetPage(p);
        VX_FUZZ_CHECK(page->firstRow == next && page->lastRow >= page->firstRow);
        VX_FUZZ_CHECK(page->lastRowIndex == page->lastRow - page->firstRow);
        next = page->lastRow + 1;
        VX_FUZZ_CHECK(page->cursorRow >= 0 && page->cursorRow <= page->lastRowIndex);
        VX_FUZZ_CHECK(page->bufferRow >= 0 && page->bufferRow <= page->lastRowIndex);
        VX_FUZZ_CHECK(page->cursorColumn >= 0 && page->cursorColumn <= I3151.lastColumn);
        VX_FUZZ_CHECK(page->bufferColumn >= 0 && page->bufferColumn <= I3151.lastColumn);
        for (int r = 0; r <= page->lastRowIndex; ++r) {
            const I3151Row* row = I3151PageRow(page, r);
            int count = 0;
            for (int c = 0; c <= I3151.lastColumn; ++c)
                count += (row->cells[c].flags & kI51AttributeCell) ? 1 : 0;
            VX_FUZZ_CHECK(row->attributeCount == count);
        }
    }
    VX_FUZZ_CHECK(next == I3151.rows);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size)
{
    if (size < 3)
        return 0;
    ResetHostPath();
    doubles::ResetRegistry();
    doubles::ResetIbm3151();
    VX_FUZZ_CHECK(AllocScreenStore() && AllocInputQueues() && InitialiseTerminal(1));
    SocketIndex = 5;

    const u8 choices = data[0];
    std::size_t at = 3;
    if ((choices & 0x10) && size >= at + kProfileBytes) {
        SeedProfile(data + at);
        at += kProfileBytes;
    }
    EmulationId = kEmuIbm3151;
    SetActiveFamily(&Ibm3151Family);
    VX_FUZZ_CHECK(I3151StartEngine());
    I3151.mode = static_cast<u8>((I3151.mode & 0xFC) | (choices & 3));
    const int format = (choices >> 2) & 3;
    const int rows[1] = {format == 0 || format == 2 ? 24 : 25};
    VX_FUZZ_CHECK(I3151ApplyPartitions(1, rows, format >= 2 ? 132 : 80));

    const std::size_t typed = std::min<std::size_t>(data[1], size - at);
    for (std::size_t i = 0; i < typed; ++i)
        QueueInputEvent(1, data[at + i], 0);
    at += typed;
    {
        std::lock_guard<std::mutex> guard(doubles::Network().lock);
        doubles::Network().incoming.assign(data + at, data + size);
    }
    ReadEverything(size);
    CheckPages();

    // Close what the data left open: printer pass-through, transparent display.
    std::string ask;
    for (u32 i = 0; i < I3151.passThrough && i < 1000; ++i)
        ask += "\x10\x14";
    ask += "\x10\x03\x1b"
           "6";
    {
        std::lock_guard<std::mutex> guard(doubles::Network().lock);
        doubles::Network().sent.clear();
        doubles::Network().incoming.assign(ask.begin(), ask.end());
    }
    ReadEverything(ask.size());
    CheckPages();
    const std::vector<u8>& sent = doubles::Network().sent;
    const std::string answer = std::string("\x1b"
                                           "6 @") +
                               static_cast<char>(I3151Turnaround());
    VX_FUZZ_CHECK(sent.size() >= answer.size() &&
                  std::equal(answer.begin(), answer.end(), sent.end() - answer.size()));

    I3151StopEngine();
    SetActiveFamily(nullptr);
    EmulationId = kDefaultEmulationId;
    ResetHostPath();
    return 0;
}
