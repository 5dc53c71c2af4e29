#include "terminal/core/paint/monobitmap.h"

#include <gtest/gtest.h>

#include <cstring>

#include "terminal/core/base/memblock.h"

namespace {

class MonoBitmapTest : public ::testing::Test {
protected:
    void SetUp() override { MemFreeAllBlocks(); }
    void TearDown() override { MemFreeAllBlocks(); }

    // A 3 x 2 glyph: row 0 "#.#", row 1 ".#.".
    u8* Glyph()
    {
        auto* bits = static_cast<u8*>(MemAllocBlock(2));
        bits[0] = 0xA0;
        bits[1] = 0x40;
        return bits;
    }
};

TEST_F(MonoBitmapTest, EqualSizesGiveTheSameBlockBackStillOwned)
{
    u8* bits = Glyph();
    const int live = MemTableInfo().liveBlocks;
    u8* same = ScaleMonoBitmap(bits, 3, 2, 3, 2, false);
    ASSERT_EQ(same, bits);
    EXPECT_EQ(MemTableInfo().liveBlocks, live) << "the returned block must not have been freed";
    EXPECT_EQ(same[0], 0xA0);
    MemFreeBlock(same);
    EXPECT_EQ(MemTableInfo().liveBlocks, live - 1);
}

TEST_F(MonoBitmapTest, ScalingTakesTheNearestPixelAndReplacesTheInput)
{
    u8* bits = Glyph();
    const int live = MemTableInfo().liveBlocks;
    u8* big = ScaleMonoBitmap(bits, 3, 2, 6, 4, false);
    ASSERT_NE(big, nullptr);
    ASSERT_NE(big, bits);
    EXPECT_EQ(MemTableInfo().liveBlocks, live) << "input freed, result allocated";
    const u8 want[4] = {0xCC, 0xCC, 0x30, 0x30};  // "##..##", "..##.."
    EXPECT_EQ(std::memcmp(big, want, 4), 0);
    MemFreeBlock(big);

    u8* filled = ScaleMonoBitmap(Glyph(), 3, 2, 3, 2, true);
    ASSERT_NE(filled, nullptr);
    EXPECT_EQ(filled[0], 0xFF);
    EXPECT_EQ(filled[1], 0xFF);
    MemFreeBlock(filled);
    EXPECT_EQ(ScaleMonoBitmap(Glyph(), 3, 2, 0, 4, false), nullptr);
    EXPECT_EQ(MemTableInfo().liveBlocks, live - 1) << "a failed scale leaks nothing";
}

TEST_F(MonoBitmapTest, UnpackPackAndTheLowerHalf)
{
    u8* bits = Glyph();
    u32* pixels = UnpackMonoBitmap(bits, 3, 2);
    ASSERT_NE(pixels, nullptr);
    const u32 want[6] = {1, 0, 1, 0, 1, 0};
    EXPECT_EQ(std::memcmp(pixels, want, sizeof want), 0);
    u8* again = PackMonoBitmap(pixels, 3, 2);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(std::memcmp(again, bits, 2), 0);
    MoveLowerHalfUp(again, 3, 2);
    EXPECT_EQ(again[0], 0x40);
    EXPECT_EQ(again[1], 0x00);
}

}  // namespace
