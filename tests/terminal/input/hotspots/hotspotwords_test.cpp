// Words of a screen row and the built-in hot-spot definitions.
#include <gtest/gtest.h>

#include <string>

#include "terminal/input/hotspots/hotspotwords.h"

namespace {

using Text = std::basic_string<wchar16>;

Text W(const char* s)
{
    return Text(s, s + std::char_traits<char>::length(s));
}

TEST(HotspotWords, WordsEndAtSeparatorsAndTheBlank)
{
    const Text row = W("F1=Help  Menu (x) [PF3]");
    struct Case {
        int column;
        bool found;
        int first, last;
    };
    const Case cases[] = {
        {0, true, 0, 1},   {1, true, 0, 1},    {2, false, 0, 0},  {3, true, 3, 6},    {7, false, 0, 0},
        {11, true, 9, 12}, {15, true, 15, 15}, {16, false, 0, 0}, {20, true, 19, 21},
    };
    const Text separators = W(" /,:=()[]");
    for (const Case& c : cases) {
        int first = -1, last = -1;
        EXPECT_EQ(HotspotWordBounds(row.c_str(), 0, static_cast<int>(row.size()) - 1, c.column, separators.c_str(),
                                    &first, &last),
                  c.found)
            << c.column;
        if (c.found) {
            EXPECT_EQ(first, c.first) << c.column;
            EXPECT_EQ(last, c.last) << c.column;
        }
    }
    // A word stops at the view's edges; a separator list without the blank still has it.
    int first = 0, last = 0;
    ASSERT_TRUE(HotspotWordBounds(row.c_str(), 4, 5, 4, W("=").c_str(), &first, &last));
    EXPECT_EQ(first, 4);
    EXPECT_EQ(last, 5);
    EXPECT_FALSE(HotspotWordBounds(row.c_str(), 0, 22, 7, W("=").c_str(), &first, &last));
}

std::string Lookup(const HotspotTable* table, const char* word)
{
    const Text w = W(word);
    std::string out;
    for (const wchar16* d = LookupHotspotDefault(table, w.c_str(), static_cast<int>(w.size())); *d; ++d)
        out.push_back(static_cast<char>(*d));
    return out;
}

TEST(HotspotWords, BuiltInDefinitionsByEmulation)
{
    const HotspotTable general = GeneralHotspotTable();
    struct Case {
        const HotspotTable* table;
        const char* word;
        const char* definition;
    };
    const Case cases[] = {
        {&general, "F1", "<VK_F1>"},
        {&general, "f12", "<VK_F12>"},
        {&general, "F13", ""},
        {&general, "F", ""},
        {EmulationHotspotTable(2), "help", "<VT_HELP>"},
        {EmulationHotspotTable(3), "F15", "<VT_HELP>"},
        {EmulationHotspotTable(2), "DO", "<VT_DO>"},
        {EmulationHotspotTable(2), "F1", ""},
        {EmulationHotspotTable(6), "PF20", "<IB_F20>"},
        {EmulationHotspotTable(6), "F20", "<IB_F20>"},
        {EmulationHotspotTable(7), "SysRq", "<AS_SYSREQ>"},
        {EmulationHotspotTable(15), "Send", "<WY_SEND>"},
        {EmulationHotspotTable(18), "SEND", "<HP_SEND>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Lookup(c.table, c.word), c.definition) << c.word;
    EXPECT_EQ(EmulationHotspotTable(0), nullptr);
    EXPECT_EQ(EmulationHotspotTable(1), nullptr);
    EXPECT_EQ(Lookup(nullptr, "F1"), "");
}

}  // namespace
