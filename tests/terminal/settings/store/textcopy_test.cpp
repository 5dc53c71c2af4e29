// Copies between 8-bit texts and UTF-16: bytes above 127 stay themselves, units above
// 255 keep their low byte, and no copy passes its capacity.
#include <gtest/gtest.h>

#include <string>

#include "terminal/settings/store/textcopy.h"

namespace {

TEST(TextCopy, WideningAndNarrowingStayWithinTheirBuffers)
{
    wchar16 wide[6];
    for (auto& u : wide)
        u = 0x7777;
    // clang-format off
    EXPECT_EQ(WidenString(wide, 5, "\xE9\x9B" "abcdef"), 4u);
    // clang-format on
    EXPECT_EQ(std::basic_string<wchar16>(wide), (std::basic_string<wchar16>{0xE9, 0x9B, 'a', 'b'}));
    EXPECT_EQ(wide[5], 0x7777);
    EXPECT_EQ(WidenString(wide, 5, ""), 0u);
    EXPECT_EQ(wide[0], 0);

    const wchar16 text[] = {0x141, 'b', 0xFF, 0};
    char narrow[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(NarrowString(narrow, 3, text), 2u);
    EXPECT_EQ(std::string(narrow), "Ab");
    EXPECT_EQ(narrow[3], '#');

    const u8 bytes[3] = {0x9B, 0, 0x41};
    WidenBytes(wide, bytes, 3);
    EXPECT_EQ(wide[0], 0x9B);
    EXPECT_EQ(wide[1], 0);
    u8 back[3];
    NarrowUnits(back, text, 3);
    EXPECT_EQ(back[0], 0x41);
    EXPECT_EQ(back[2], 0xFF);
}

}  // namespace
