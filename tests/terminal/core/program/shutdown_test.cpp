// Shut-down with the host-data thread busy: every worker stops before anything it
// writes into is released.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "terminal/core/window/frame_support.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/base/memblock.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/program/shutdown.h"

using namespace frame_test;

namespace {

TEST(Shutdown, WorkersStopBeforeTheirMemoryIsFreed)
{
    StartHost();
    std::atomic<bool> stop{false};
    std::thread feeder([&] {
        while (!stop) {
            FeedHost("streaming bytes while the program closes\r\n");
            Sleep(1);
        }
    });
    ASSERT_TRUE(PumpUntil([] { return Screen.historyCount > 0; }, 5000));
    ASSERT_TRUE(HostDataThreadRunning());
    // The start-up failure path calls this directly, with no window procedure before it.
    EXPECT_EQ(ShutdownTerminal(0), 1);
    EXPECT_FALSE(HostDataThreadRunning());
    EXPECT_EQ(ShuttingDown.load(), 1);
    stop = true;
    feeder.join();
    // The bytes still arriving find no reader and nothing freed is touched.
    Sleep(200);
    EXPECT_FALSE(HostDataThreadRunning());
}

}  // namespace
