#include "terminal/core/base/memblock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <thread>
#include <vector>

#include "support/test_doubles.h"
#include "terminal/core/base/stringids.h"

namespace {

class MemBlockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MemFreeAllBlocks();
        MemInjectFailures(0);
        doubles::Reset();
    }
    void TearDown() override { MemFreeAllBlocks(); }
};

TEST_F(MemBlockTest, BlocksAreZeroFilledAndTheTableGrowsBy64WithoutMovingBlocks)
{
    std::vector<unsigned char*> blocks;
    for (int i = 0; i < 64; ++i) {
        auto* b = static_cast<unsigned char*>(MemAllocBlock(100));
        ASSERT_NE(b, nullptr);
        EXPECT_TRUE(std::all_of(b, b + 100, [](unsigned char c) { return c == 0; }));
        b[0] = static_cast<unsigned char>(i);
        blocks.push_back(b);
    }
    EXPECT_EQ(MemTableInfo().pairs, 64);
    void* sixtyFifth = MemAllocBlock(8);
    ASSERT_NE(sixtyFifth, nullptr);
    EXPECT_EQ(MemTableInfo().pairs, 128);
    EXPECT_EQ(MemTableInfo().liveBlocks, 65);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(blocks[i][0], i) << "block " << i << " moved or was overwritten";
    // Freeing an earlier block makes its pair the next one used: the table does not grow.
    MemFreeBlock(blocks[3]);
    for (int i = 0; i < 63; ++i)
        ASSERT_NE(MemAllocBlock(4), nullptr);
    EXPECT_EQ(MemTableInfo().pairs, 128);
    EXPECT_TRUE(doubles::Recorded().messageBoxes.empty());
}

TEST_F(MemBlockTest, FreeingWhatTheTableDoesNotHoldDoesNothing)
{
    void* a = MemAllocBlock(16);
    int foreign = 0;
    MemFreeBlock(nullptr);
    MemFreeBlock(&foreign);
    EXPECT_EQ(MemTableInfo().liveBlocks, 1);
    MemFreeBlock(a);
    MemFreeBlock(a);
    EXPECT_EQ(MemTableInfo().liveBlocks, 0);
    EXPECT_FALSE(MemTableLocked());
    EXPECT_NE(MemAllocBlock(16), nullptr);
}

TEST_F(MemBlockTest, TwoThreadsNeverReceiveTheSameBlock)
{
    constexpr int kPerThread = 5000;
    std::vector<void*> first(kPerThread), second(kPerThread);
    auto work = [](std::vector<void*>& out) {
        for (auto& p : out)
            p = MemAllocBlock(24);
    };
    std::thread a(work, std::ref(first)), b(work, std::ref(second));
    a.join();
    b.join();
    std::set<void*> distinct(first.begin(), first.end());
    distinct.insert(second.begin(), second.end());
    EXPECT_EQ(distinct.count(nullptr), 0u);
    EXPECT_EQ(distinct.size(), 2u * kPerThread);
    EXPECT_EQ(MemTableInfo().liveBlocks, 2 * kPerThread);
}

TEST_F(MemBlockTest, FailuresShowOneMessageWithTheLockReleased)
{
    struct Case {
        bool lockFailure;
        u32 message;
    };
    for (Case c : {Case{false, kStrOutOfMemory}, Case{true, kStrMemoryLockFailure}}) {
        doubles::Reset();
        std::atomic<bool> lockedDuringMessage{false};
        std::atomic<void*> allocatedFromMessage{nullptr};
        // The message box runs a message loop that can allocate again: that must not
        // find the table locked (it would spin for ever).
        doubles::Recorded().onMessageBox = [&](u32) {
            lockedDuringMessage = MemTableLocked();
            allocatedFromMessage = MemAllocBlock(32);
        };
        MemInjectFailures(1, c.lockFailure);
        EXPECT_EQ(MemAllocBlock(64), nullptr);
        ASSERT_EQ(doubles::Recorded().messageBoxes.size(), 1u);
        EXPECT_EQ(doubles::Recorded().messageBoxes[0].id, c.message);
        EXPECT_FALSE(lockedDuringMessage);
        EXPECT_NE(allocatedFromMessage.load(), nullptr);
        EXPECT_FALSE(MemTableLocked());
    }
}

}  // namespace
