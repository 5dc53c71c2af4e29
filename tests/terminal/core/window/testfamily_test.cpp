// A family that exists only in this test, registered from here with no shared file
// changed: the emulation switch starts and stops it, the host-data thread hands it the
// host's bytes and its keys, and the core paints its rows through its display hooks.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "frame_support.h"
#include "terminal/core/testfamily.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/window/emuswitch.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/paint/paintrows.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/keyevents.h"

using namespace frame_test;

namespace {

struct Seen {
    std::mutex lock;
    std::string bytes;
    std::vector<std::pair<int, int>> keys;
    std::vector<int> paintedRows;
    int activations = 0, deactivations = 0;
};
Seen& Log()
{
    static Seen seen;
    return seen;
}

const DisplayHooks kDisplay{
    .repaintRegion =
        [](int r0, int, int r1, int) {
            std::lock_guard<std::mutex> guard(Log().lock);
            for (int r = r0; r <= r1; ++r)
                Log().paintedRows.push_back(r);
        },
};

// Runs one emulation, taken from the family of this build that runs it.
const FamilyHooks kTestFamily{
    .name = "test family",
    .emulations = EmulationBit(kEmuTa6530),
    .processChar =
        [](int value) {
            std::lock_guard<std::mutex> guard(Log().lock);
            Log().bytes.push_back(static_cast<char>(value));
        },
    .display = &kDisplay,
    .activate = [](u8) { ++Log().activations; },
    .deactivate = [] { ++Log().deactivations; },
    .dispatchKey =
        [](int keyCode, int shift) {
            std::lock_guard<std::mutex> guard(Log().lock);
            Log().keys.emplace_back(keyCode, shift);
        },
};

template <typename Read>
auto Locked(Read read)
{
    std::lock_guard<std::mutex> guard(Log().lock);
    return read(Log());
}

TEST(TestOnlyFamily, ReceivesHostBytesKeysAndPaintsItsRows)
{
    StartHost();
    SelectEmulation(kNoEmulation, kDefaultEmulationId);
    const FreedEmulations freed(kTestFamily.emulations);
    ASSERT_TRUE(RegisterFamily(&kTestFamily));

    RequestEmulation(EmulationId, kEmuTa6530);
    ASSERT_TRUE(PumpUntil([] { return EmulationId == kEmuTa6530; }, 3000));
    EXPECT_EQ(GetEmulationFromFlags(), kEmuTa6530);
    EXPECT_EQ(Log().activations, 1);

    FeedHost("family bytes");
    EXPECT_TRUE(PumpUntil([] { return Locked([](Seen& s) { return s.bytes; }) == "family bytes"; }, 5000));

    QueueInputEvent(3, kKeyF5, 2);
    EXPECT_TRUE(PumpUntil([] { return !Locked([](Seen& s) { return s.keys.empty(); }); }, 5000));
    EXPECT_EQ(Locked([](Seen& s) { return s.keys; }), (std::vector<std::pair<int, int>>{{kKeyF5, 2}}));

    // A repaint of the screen goes to the family's own painter, in the next frame.
    Locked([](Seen& s) {
        s.paintedRows.clear();
        return 0;
    });
    InvalidateTerminal();
    PumpUntil([] { return !Locked([](Seen& s) { return s.paintedRows.empty(); }); }, 3000);
    const std::vector<int> rows = Locked([](Seen& s) { return s.paintedRows; });
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), 0);

    // Back to the DEC VT family: the test family stops, and the shared store's painter
    // takes over again.
    SelectEmulation(kEmuTa6530, kDefaultEmulationId);
    EXPECT_EQ(Log().deactivations, 1);
    EXPECT_EQ(GetEmulationFromFlags(), 0);
    EXPECT_TRUE(GenericRowPainterActive());
    UnregisterFamily(&kTestFamily);
    FeedHost("\r\nback on the store");
    EXPECT_TRUE(PumpUntil([] { return OnScreen("back on the store"); }, 5000));
}

// A print command that arrives while another prints (the abort procedure of a running
// job dispatches messages, here sent from inside the first one) runs after it, not
// inside it and not never.
std::string PrintLog;
const FamilyHooks kPrintingFamily{
    .name = "printing test family",
    .emulations = EmulationBit(kEmuTa6530),
    .printScreen =
        [] {
            const bool first = PrintLog.empty();
            PrintLog += '<';
            if (first)
                SendMessageW(MainWindowHandle, WM_COMMAND, kCmdPrintScreen, 0);
            PrintLog += '>';
        },
};

TEST(TestOnlyFamily, APrintCommandWaitsForTheRunningOne)
{
    StartHost();
    SelectEmulation(kNoEmulation, kDefaultEmulationId);
    const FreedEmulations freed(kPrintingFamily.emulations);
    ASSERT_TRUE(RegisterFamily(&kPrintingFamily));
    RequestEmulation(EmulationId, kEmuTa6530);
    ASSERT_TRUE(PumpUntil([] { return EmulationId == kEmuTa6530; }, 3000));

    SendMessageW(MainWindowHandle, WM_COMMAND, kCmdPrintScreen, 0);
    EXPECT_EQ(PrintLog, "<>");
    EXPECT_TRUE(PumpUntil([] { return PrintLog.size() >= 4; }, 3000));
    EXPECT_EQ(PrintLog, "<><>");

    SelectEmulation(kEmuTa6530, kDefaultEmulationId);
    UnregisterFamily(&kPrintingFamily);
}

}  // namespace
