// The serial line's tables, transmit pacing and the transmit ring.
#include <gtest/gtest.h>

#include "terminal/comms/serial/serialline.h"
#include "terminal/comms/serial/transmitring.h"
#include "terminal/core/host/hostread.h"

TEST(SerialLine, PacingFollowsTheTransmitAndLineSpeeds)
{
    struct Case {
        u32 etx, com;
        i32 delay;
    };
    // clang-format off
    const Case cases[] = {
        {0, 6, 90},    // 110 under 9600: the time of a 10-bit character
        {1, 6, 33},    {2, 6, 16}, {3, 6, 8}, {4, 6, 4},
        {5, 6, 2},     // 4800 under 9600: 2 ms after each byte
        {6, 7, 1},     // 9600 under 19200
        {7, 10, -6},   // 19200 under 115200: one by one, no sleep
        {8, 10, -3},   {9, 10, -2},
        {6, 6, 0},     // equal speeds: no pacing
        {7, 6, 0},     // faster than the line
        {10, 10, 0},   // 115200 is unlimited
        {11, 6, 0},    // outside the table
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(TransmitPacingFor(c.etx, c.com), c.delay) << "etx " << c.etx << " com " << c.com;
}

TEST(SerialLine, SpeedsFlowModesAndDataBits)
{
    EXPECT_EQ(SerialSpeedOf(0), 110u);
    EXPECT_EQ(SerialSpeedOf(7), 19200u);
    EXPECT_EQ(SerialSpeedOf(10), 115200u);
    EXPECT_EQ(SerialSpeedOf(11), 0u);
    struct Flow {
        u8 outX, inX, cts, rts;
    };
    const Flow flows[] = {{0, 0, 0, 0}, {0, 1, 0, 0}, {1, 0, 0, 0}, {1, 1, 0, 0}, {0, 0, 1, 1}};
    for (u32 mode = 0; mode < 5; ++mode) {
        const FlowControlMode& m = FlowControlModeOf(mode);
        EXPECT_EQ(m.outX, flows[mode].outX) << mode;
        EXPECT_EQ(m.inX, flows[mode].inX) << mode;
        EXPECT_EQ(m.ctsFlow, flows[mode].cts) << mode;
        EXPECT_EQ(m.rtsHandshake, flows[mode].rts) << mode;
    }
    EXPECT_EQ(FlowControlModeOf(9).inX, 0);
    EXPECT_EQ(DataBitsOf(0), 6);
    EXPECT_EQ(DataBitsOf(1), 7);
    EXPECT_EQ(DataBitsOf(2), 8);
}

TEST(SerialLine, PortNumbersCountFromZero)
{
    struct Case {
        const char16_t* name;
        int number;
    };
    const Case cases[] = {
        {u"COM1:", 0}, {u"COM12", 11}, {u"COM12:", 11}, {u"COM255", 254}, {u"COM256", -1},
        {u"COM0", -1}, {u"COM", -1},   {u"CO", -1},     {u"COMx", -1},    {u"COM7x", 6},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SerialPortNumberOf(reinterpret_cast<const wchar16*>(c.name)), c.number);
    EXPECT_EQ(SerialPortNumberOf(nullptr), -1);
}

class TransmitRingTest : public ::testing::Test {
protected:
    TransmitRing ring;
    void SetUp() override { SetKeyboardLocked(false); }
    void TearDown() override { SetKeyboardLocked(false); }
    void Fill(int n)
    {
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(TransmitRingPut(ring, static_cast<u8>(i)));
    }
};

TEST_F(TransmitRingTest, EmptyRingHasAllRoomAndKeepsOrder)
{
    EXPECT_EQ(TransmitRingFree(ring), kTransmitRingSize);
    EXPECT_EQ(TransmitRingPeek(ring), -1);
    // Wrap around the end twice, reading back in order.
    for (int round = 0; round < 3; ++round) {
        Fill(1000);
        for (int i = 0; i < 1000; ++i) {
            ASSERT_EQ(TransmitRingPeek(ring), i & 0xFF);
            TransmitRingAdvance(ring);
        }
    }
    EXPECT_TRUE(TransmitRingEmpty(ring));
    EXPECT_EQ(TransmitRingFree(ring), kTransmitRingSize);
}

TEST_F(TransmitRingTest, LowRoomLocksTheKeyboardAndAFullRingTakesNoMore)
{
    Fill(kTransmitRingSize - 200);
    EXPECT_EQ(TransmitRingFree(ring), 200);
    EXPECT_FALSE(KeyboardLocked());
    Fill(1);  // stored with 200 free; 199 left now
    EXPECT_FALSE(KeyboardLocked());
    Fill(1);  // stored with 199 free
    EXPECT_TRUE(KeyboardLocked());
    EXPECT_TRUE(ring.blocked);
    Fill(TransmitRingFree(ring) - 1);
    EXPECT_EQ(TransmitRingFree(ring), 1);
    EXPECT_FALSE(TransmitRingPut(ring, 0x55));
    EXPECT_EQ(TransmitRingFree(ring), 1);
    // Sending part of it does not unlock; an empty ring does.
    TransmitRingAdvance(ring);
    EXPECT_FALSE(TransmitRingRelease(ring));
    EXPECT_TRUE(KeyboardLocked());
    const u32 discards = ring.discards;
    TransmitRingDiscard(ring);
    EXPECT_EQ(ring.discards, discards + 1);
    EXPECT_TRUE(TransmitRingRelease(ring));
    EXPECT_FALSE(KeyboardLocked());
    EXPECT_FALSE(ring.blocked);
}

TEST_F(TransmitRingTest, AKeyboardLockedElsewhereIsLeftToItsOwner)
{
    SetKeyboardLocked(true);
    Fill(kTransmitRingSize - 150);
    EXPECT_TRUE(ring.blocked);
    // The ring locked nothing, but it unlocks when it empties: the sender must not stay
    // locked out by a ring that has gone.
    TransmitRingDiscard(ring);
    EXPECT_TRUE(TransmitRingRelease(ring));
    EXPECT_FALSE(KeyboardLocked());
}
