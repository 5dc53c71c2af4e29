// The terminal-state block's encoding: what the report sends, the restore accepts.
#include <gtest/gtest.h>

#include <cstring>

#include "terminal/emulations/dec/reports/statecodec.h"

namespace {

TEST(TerminalStateCodec, AReportedBlockDecodesToItself)
{
    u8 block[kTerminalStateBytes];
    for (int i = 0; i < kTerminalStateBytes; ++i)
        block[i] = static_cast<u8>(i * 37 + 11);
    u8 chars[kTerminalStateChars];
    EncodeTerminalState(block, chars);
    for (u8 c : chars)
        ASSERT_TRUE(c >= 0x40 && c <= 0x4F);
    // Low nibble first.
    EXPECT_EQ(chars[2], 0x40 + (block[1] & 15));
    EXPECT_EQ(chars[3], 0x40 + (block[1] >> 4));
    u8 back[kTerminalStateBytes] = {};
    ASSERT_TRUE(DecodeTerminalState(chars, kTerminalStateChars, back));
    EXPECT_EQ(std::memcmp(block, back, sizeof block), 0);
    // The data characters and the checksum byte add up to 0 modulo 256.
    u32 sum = 0;
    for (int i = 0; i < 2 * kTerminalStateBytes; ++i)
        sum += chars[i];
    sum += (chars[196] - 0x40) | ((chars[197] - 0x40) << 4);
    EXPECT_EQ(sum % 256, 0u);
}

TEST(TerminalStateCodec, CorruptOrMisshapenInputIsRefused)
{
    u8 block[kTerminalStateBytes] = {};
    block[94] = 8;
    u8 chars[kTerminalStateChars];
    EncodeTerminalState(block, chars);
    u8 out[kTerminalStateBytes];
    EXPECT_FALSE(DecodeTerminalState(chars, kTerminalStateChars - 1, out));
    u8 changed[kTerminalStateChars];
    std::memcpy(changed, chars, sizeof chars);
    changed[10] = 0x41;  // one nibble changed: the checksum no longer matches
    EXPECT_FALSE(DecodeTerminalState(changed, kTerminalStateChars, out));
    std::memcpy(changed, chars, sizeof chars);
    changed[50] = 0x50;  // outside 0x40-0x4F
    EXPECT_FALSE(DecodeTerminalState(changed, kTerminalStateChars, out));
}

TEST(TerminalStateCodec, CharsetCodesRoundTrip)
{
    struct Case {
        u8 code, report, set96;
    };
    for (const Case& c :
         {Case{1, 1, 0}, Case{2, 3, 0}, Case{3, 2, 0}, Case{4, 64, 2}, Case{5, 32, 0}, Case{6, 33, 1}}) {
        EXPECT_EQ(CharsetReportCode(c.code), c.report);
        EXPECT_EQ(CharsetFromReportCode(c.report).code, c.code);
        EXPECT_EQ(CharsetFromReportCode(c.report).set96, c.set96);
    }
    EXPECT_EQ(CharsetReportCode(7), 1);  // a soft set reports as ASCII
    EXPECT_EQ(CharsetFromReportCode(99).code, 1);
}

}  // namespace
