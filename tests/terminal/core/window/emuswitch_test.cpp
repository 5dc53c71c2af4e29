// The emulation switch against a running host-data thread fed from the test source.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "frame_support.h"
#include "terminal/core/testfamily.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/window/emuswitch.h"
#include "terminal/core/host/escparser.h"
#include "terminal/emulations/dec/services.h"

using namespace frame_test;

namespace {

// CPU time of the whole process in milliseconds, summed over its threads.
double ProcessCpuMs()
{
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return ((static_cast<u64>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

class EmulationSwitchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartHost();
        SelectEmulation(kNoEmulation, 1);
        ASSERT_EQ(EmulationId.load(), 1);
    }
    void TearDown() override
    {
        // Leave the thread released on VT500 7-Bit for the next test.
        SelectEmulation(kNoEmulation, kDefaultEmulationId);
    }
};

TEST_F(EmulationSwitchTest, WithinTheVtFamilyTheScreenStays)
{
    FeedHost("\r\nkeep-me");
    ASSERT_TRUE(PumpUntil([] { return OnScreen("keep-me"); }, 5000));
    SelectEmulation(1, 2);
    EXPECT_EQ(EmulationId.load(), 2);
    EXPECT_TRUE(OnScreen("keep-me"));
    // The message loop carries out a request made from anywhere.
    RequestEmulation(2, 3);
    ASSERT_TRUE(PumpUntil([] { return EmulationId == kEmuVt500Bit8; }, 2000));
    EXPECT_TRUE(OnScreen("keep-me"));
    FeedHost("\r\nstill-read");
    EXPECT_TRUE(PumpUntil([] { return OnScreen("still-read"); }, 5000));
}

TEST_F(EmulationSwitchTest, AFamilyThatIsNotBuiltFallsBackAndTheReaderIdles)
{
    FreedEmulations unbuilt(EmulationBit(kEmuTvi955) | EmulationBit(kEmuTvi950));
    for (u8 id : {kEmuTvi955, kEmuTvi950, u8{200}}) {
        RequestEmulation(1, id);
        ASSERT_TRUE(PumpUntil([] { return EmulationId == RequestedEmulationId; }, 2000)) << int(id);
        EXPECT_EQ(EmulationId.load(), kDefaultEmulationId) << int(id);
        EXPECT_EQ(GetEmulationFromFlags(), 0);
        SelectEmulation(kDefaultEmulationId, 1);
    }
    RequestEmulation(1, 19);
    PumpUntil([] { return EmulationId == RequestedEmulationId; }, 2000);
    // Left on an emulation it cannot read for, the reader would spin without a pause.
    const double before = ProcessCpuMs();
    Sleep(1000);
    EXPECT_LT(ProcessCpuMs() - before, 300.0);
    FeedHost("\r\nafter-fallback");
    EXPECT_TRUE(PumpUntil([] { return OnScreen("after-fallback"); }, 5000));
}

TEST_F(EmulationSwitchTest, StoppingHoldsTheReaderUntilTheNextStart)
{
    SelectEmulation(1, 1);  // stop: nothing starts, the reader stays held
    EXPECT_EQ(EmulationId.load(), 1);
    FeedHost("\r\nwhile-held");
    PumpUntil([] { return false; }, 600);
    EXPECT_FALSE(OnScreen("while-held"));
    // The byte that arrived during the switch reaches the emulation started after it.
    FreedEmulations unbuilt(EmulationBit(kEmuDg410));
    SelectEmulation(1, kEmuDg410);  // not built now: VT500 7-Bit starts and releases
    EXPECT_EQ(EmulationId.load(), kDefaultEmulationId);
    EXPECT_TRUE(PumpUntil([] { return OnScreen("while-held"); }, 5000));
}

TEST_F(EmulationSwitchTest, AThousandSwitchesWhileBytesArriveLoseNothing)
{
    constexpr int kLines = 300;
    std::atomic<bool> done{false};
    std::thread feeder([&] {
        for (int n = 0; n < kLines; ++n) {
            char line[64];
            std::snprintf(line, sizeof line, "\r\nline%04d-abcdefghijklmnopqrstuvwxyz", n);
            FeedHost(line);
            if (n % 10 == 0)
                Sleep(5);
        }
        done = true;
    });
    static constexpr u8 kIds[] = {0, 2, 1, 3};
    u8 current = EmulationId;
    for (int i = 0; i < 1000; ++i) {
        const u8 next = kIds[i % 4];
        SelectEmulation(current, next);
        current = next;
        if (i % 50 == 0)
            PumpMessages();
    }
    feeder.join();
    char last[16];
    std::snprintf(last, sizeof last, "line%04d", kLines - 1);
    ASSERT_TRUE(PumpUntil([&] { return OnScreen(last); }, 10000));
    int expected = 0;
    for (const std::string& line : StoreLines()) {
        char want[64];
        std::snprintf(want, sizeof want, "line%04d-abcdefghijklmnopqrstuvwxyz", expected);
        if (line.rfind("line", 0) == 0) {
            ASSERT_EQ(line, want);
            ++expected;
        }
    }
    EXPECT_EQ(expected, kLines);
}

}  // namespace
