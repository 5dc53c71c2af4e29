// The table walker and the CSI collector, fed through the whole host path.
#include "terminal/core/hostpath_fixture.h"
#include "terminal/core/host/escparser.h"

namespace {

struct CsiCase {
    const char* name;
    std::string bytes;
    std::vector<CsiSlot> slots;  // slots 1..count
};

class CsiCollector : public HostPathTest, public ::testing::WithParamInterface<CsiCase> {};

TEST_P(CsiCollector, FillsTheSlots)
{
    const CsiCase& c = GetParam();
    Feed(c.bytes);
    ASSERT_EQ(CsiParameters.count, c.slots.size());
    for (std::size_t i = 0; i < c.slots.size(); ++i) {
        EXPECT_EQ(CsiParameters.slots[i + 1].value, c.slots[i].value) << "slot " << i + 1;
        EXPECT_EQ(CsiParameters.slots[i + 1].marker, c.slots[i].marker) << "slot " << i + 1;
    }
    EXPECT_EQ(Row(0), "") << "a sequence shows nothing";
}

std::string SixtyParameters()
{
    // 49 parameters of 7, then 0;0;...;0;5: from the 50th on they fold into slot 50.
    std::string s = "\x1b[";
    for (int i = 0; i < 49; ++i)
        s += "7;";
    for (int i = 0; i < 10; ++i)
        s += "0;";
    return s + "5m";
}

std::vector<CsiSlot> SixtySlots()
{
    std::vector<CsiSlot> slots(49, CsiSlot{7, ' '});
    slots.push_back(CsiSlot{5, ' '});
    return slots;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, CsiCollector,
    ::testing::Values(CsiCase{"ThreeParameters", "\x1b[1;2;3m", {{1, ' '}, {2, ' '}, {3, ' '}}},
                      CsiCase{"PrivateMarker", "\x1b[?25h", {{25, '?'}}},
                      CsiCase{"MarkerAfterDigitsIsMalformed", "\x1b[25?h", {{25, 'E'}}},
                      CsiCase{"MarkerCarriesToLaterSlots", "\x1b[>1;2c", {{1, '>'}, {2, '>'}}},
                      CsiCase{"EmptyParametersAreZero", "\x1b[;5;m", {{0, ' '}, {5, ' '}, {0, ' '}}},
                      CsiCase{"ValueWrapsAt16Bits", "\x1b[70000m", {{4464, ' '}}},
                      CsiCase{"ColonEndsTheCollection", "\x1b[1:2m", {{1, ' '}}},
                      CsiCase{"FiftyFirstParameterFoldsIntoSlot50", SixtyParameters(), SixtySlots()},
                      CsiCase{"EscRestartsTheSequence", "\x1b[1;2\x1b[7m", {{7, ' '}}},
                      CsiCase{"EightBitCsi", "\x9b" "4;5m", {{4, ' '}, {5, ' '}}}),
    [](const ::testing::TestParamInfo<CsiCase>& info) { return std::string(info.param.name); });

// clang-format on
using Walker = HostPathTest;

TEST_F(Walker, CanAndSubEndTheSequenceAndTheRestIsText)
{
    // clang-format off
    Feed("\x1b[12\x18m\x1b[3\x1a" "b");
    // clang-format on
    EXPECT_EQ(Row(0), "mb");
    EXPECT_EQ(InSequence, 0);
}

TEST_F(Walker, UnknownByteEndsTheSequenceAndIsDropped)
{
    // clang-format off
    Feed("\x1b[1\x7f" "A");  // DEL is in no range
    // clang-format on
    EXPECT_EQ(Row(0), "A");
}

// A private graph: ESC x then one of two branches, to check the walk itself.
std::string g_trace;
void Note()
{
    g_trace.push_back(static_cast<char>(CsiParameters.currentByte));
}
extern const ParserRange kSecond[];
const ParserAction kFirstActions[] = {{Note, kSecond}, {Note, EmptyParserState}, {Note, nullptr}};
const ParserAction kSecondActions[] = {{Note, nullptr}};
const ParserRange kFirst[] = {{'a', 'c', kFirstActions}, {0, 0, nullptr}};
const ParserRange kSecond[] = {{'z', 'z', kSecondActions}, {0, 0, nullptr}};

const char* g_input;
int NextFromInput()
{
    return *g_input ? *g_input++ : 0;
}

TEST(ParserWalk, FollowsNextStatesAndEndsOnEmptyOrUnknown)
{
    struct Case {
        const char* input;
        const char* trace;
        const char* left;  // what the walk did not read
    };
    // clang-format off
    const Case cases[] = {
        {"az!", "az", "!"},  // a leads on, z ends with no next state
        {"bz", "b", "z"},    // the empty state ends the walk
        {"cz", "c", "z"},
        {"ay", "a", ""},     // y is in no range of the second state: read and dropped
        {"q", "", ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        g_trace.clear();
        g_input = c.input;
        ParseWithStateTableFrom(kFirst, NextFromInput);
        EXPECT_EQ(g_trace, c.trace) << c.input;
        EXPECT_STREQ(g_input, c.left) << c.input;
    }
}

TEST(PairTable, MapsTheFirstMatchingPair)
{
    const u8 table[] = {'#', 0xA3, '@', 0xA7, '#', 'x', 0};
    EXPECT_EQ(MapByteByPairTable('#', table), 0xA3);
    EXPECT_EQ(MapByteByPairTable('@', table), 0xA7);
    EXPECT_EQ(MapByteByPairTable('A', table), 'A');
    EXPECT_EQ(MapByteByPairTable('A', nullptr), 'A');
}

}  // namespace
