// The TVI's key tables: the programmable function keys in their shared buffer, the
// host's loading of function and editing keys, the editing keys' two factory sets, and
// the Alt keys' characters.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "terminal/emulations/tvi/keys/altkeys.h"
#include "terminal/emulations/tvi/keys/editkeys.h"
#include "terminal/emulations/tvi/keys/fkeys.h"
#include "terminal/emulations/tvi/keys/hostload.h"
#include "terminal/input/keyboard/keycodes.h"

namespace {

std::deque<int> g_bytes;

// The rest of a sequence as the parser hands it over; a stop value when it runs out.
int NextByte()
{
    if (g_bytes.empty())
        return -1;
    const int b = g_bytes.front();
    g_bytes.pop_front();
    return b;
}

void Bytes(const std::string& s)
{
    g_bytes.assign(s.begin(), s.end());
}

std::string Key(int key, int copy = kTviLiveKeys)
{
    int length = 0;
    const u16* text = TviFunctionKeyText(key, copy, &length);
    std::string s;
    for (int i = 0; text && i < length; ++i)
        s.push_back(static_cast<char>(text[i]));
    return s;
}

std::vector<u16> Units(const std::string& s)
{
    return {s.begin(), s.end()};
}

class TviKeyTables : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_bytes.clear();
        Tvi = TviState{};
        TviSetup = TviSetupCopy{};
        TviDefaultFunctionKeys(kTviLiveKeys);
        TviDefaultFunctionKeys(kTviSetupKeys);
    }
};

TEST_F(TviKeyTables, FactoryKeysSendSohALetterAndCrInBothBanks)
{
    EXPECT_EQ(Key(0), "\x01@\r");
    EXPECT_EQ(Key(10), "\x01J\r");  // Ctrl+F1
    EXPECT_EQ(Key(16), "\x01`\r");  // Shift+F1
    EXPECT_EQ(Key(31), "\x01o\r");
    EXPECT_EQ(Key(32), "");
    TviSelectFunctionKeyBank(1, kTviLiveKeys);
    EXPECT_EQ(Key(0), "\x01P\r");
    EXPECT_EQ(Key(31), "\x01\x7f\r");
    for (int k = 0; k < kTviFunctionKeys; ++k) {
        EXPECT_EQ(TviFunctionKeyFlags(k, kTviLiveKeys), kTviKeySends);
        EXPECT_TRUE(TviFunctionKeyIsFactory(k, kTviLiveKeys)) << k;
    }
    TviSelectFunctionKeyBank(2, kTviLiveKeys);
    EXPECT_EQ(Tvi.functionKeys.current, 1) << "no third bank";
}

TEST_F(TviKeyTables, ATextThatGrowsOrShrinksMovesTheKeysAfterIt)
{
    const std::vector<u16> ten = Units("0123456789");
    ASSERT_TRUE(TviSetFunctionKey(3, ten.data(), 10, kTviKeyShows, kTviLiveKeys));
    EXPECT_EQ(Key(2), "\x01"
                      "B\r");
    EXPECT_EQ(Key(3), "0123456789");
    EXPECT_EQ(Key(4), "\x01"
                      "D\r");
    EXPECT_EQ(Key(31), "\x01o\r");
    ASSERT_TRUE(TviSetFunctionKey(3, ten.data(), 1, kTviKeySends, kTviLiveKeys));
    EXPECT_EQ(Key(3), "0");
    EXPECT_EQ(Key(4), "\x01"
                      "D\r");
    EXPECT_EQ(Key(31), "\x01o\r");
    EXPECT_EQ(Tvi.functionKeys.banks[0].start[kTviFunctionKeys], 32u * 3 - 2);
    // The other bank and the Setup copy are untouched.
    EXPECT_EQ(Key(3, kTviSetupKeys), "\x01"
                                     "C\r");
    u16 buffer[8];
    EXPECT_EQ(TviGetFunctionKey(buffer, 8, 3, kTviLiveKeys), 2);
    EXPECT_EQ(buffer[0], kTviKeySends);
    EXPECT_EQ(buffer[1], '0');
    EXPECT_EQ(TviGetFunctionKey(buffer, 8, 32, kTviLiveKeys), 1) << "an empty key is its flags alone";
    EXPECT_EQ(TviGetFunctionKey(buffer, 8, 33, kTviLiveKeys), -1);
    EXPECT_FALSE(TviSetFunctionKey(33, ten.data(), 1, 1, kTviLiveKeys));
    EXPECT_FALSE(TviSetFunctionKey(-1, ten.data(), 1, 1, kTviLiveKeys));
}

// The 256 units are shared: a long text pushes the last keys' texts out of the buffer,
// and a text is cut where the buffer ends.
TEST_F(TviKeyTables, TextsBeyondTheBufferAreCut)
{
    const std::vector<u16> long200(200, 'x');
    ASSERT_TRUE(TviSetFunctionKey(0, long200.data(), 200, 1, kTviLiveKeys));
    EXPECT_EQ(Key(0).size(), 200u);
    // 200 + 31 keys of 3 units would need 293: keys past unit 256 lose their text.
    EXPECT_EQ(Key(18), "\x01"
                       "b\r");  // units 251-253
    EXPECT_EQ(Key(19), "\x01"
                       "c");  // cut at 256
    EXPECT_EQ(Key(20), "");
    EXPECT_EQ(Key(31), "");
    const auto& bank = Tvi.functionKeys.banks[0];
    for (int k = 0; k <= kTviFunctionKeys; ++k)
        EXPECT_LE(bank.start[k], static_cast<u32>(kTviFunctionKeyUnits)) << k;
    const std::vector<u16> long300(300, 'y');
    ASSERT_TRUE(TviSetFunctionKey(5, long300.data(), 300, 1, kTviLiveKeys));
    EXPECT_EQ(Key(5).size(), 256u - bank.start[5]);
    EXPECT_EQ(Key(6), "");
    // Shrinking brings nothing back from beyond the end, but frees the room.
    ASSERT_TRUE(TviSetFunctionKey(0, nullptr, 0, 1, kTviLiveKeys));
    EXPECT_EQ(Key(1), "\x01"
                      "A\r");
    EXPECT_EQ(Key(5).size(), 256u - 200u - 12u);
    EXPECT_EQ(Key(6), "");
}

TEST_F(TviKeyTables, TheHostLoadsFunctionKeys)
{
    struct Case {
        const char* name;
        bool tvi950;
        int first;
        std::string bytes;
        int key;
        std::string text;
        u8 flags;
        std::string rest;  // what the loader leaves to the host data
    };
    // clang-format off
    const Case cases[] = {
        {"955 key 1",            false, '1', "1ABC\x19" "Z",   0,  "ABC", 1, "Z"},
        {"955 key P",            false, 'P', "3XY\x19",        31, "XY",  3, ""},
        {"950 key ; is 10",      true,  ';', "2Q\x19",         10, "Q",   2, ""},
        {"950 key G is 11",      true,  'G', "1G\x19",         11, "G",   1, ""},
        {"950 key < is 16",      true,  '<', "1L\x19",         16, "L",   1, ""},
        {"950 key L is 32",      true,  'L', "1K\x19",         32, "K",   1, ""},
        {"DLE quotes FS and EM", false, '2', "1a\x10\x1c" "b\x10\x19\x19", 1, "a\x1c" "b\x19", 1, ""},
        {"FS ends the keyed form", false, '3', "1ab\x1c" "cd", 2, "ab",  1, "cd"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SetUp();
        Tvi.tvi950 = c.tvi950;
        Bytes(c.bytes);
        TviLoadFunctionKeys(c.first, NextByte);
        EXPECT_EQ(Key(c.key), c.text) << c.name;
        EXPECT_EQ(TviFunctionKeyFlags(c.key, kTviLiveKeys), c.flags) << c.name;
        EXPECT_EQ(std::string(g_bytes.begin(), g_bytes.end()), c.rest) << c.name;
    }
}

TEST_F(TviKeyTables, KeyBytesThatNameNoKeyLoadNothing)
{
    for (int b : {int{'0' - 1}, int{'Q'}, int{'a'}}) {
        SetUp();
        Bytes("1ABC\x19");
        TviLoadFunctionKeys(b, NextByte);
        EXPECT_TRUE(g_bytes.empty()) << "the text is read and dropped";
        for (int k = 0; k < kTviFunctionKeys; ++k)
            EXPECT_TRUE(TviFunctionKeyIsFactory(k, kTviLiveKeys)) << b << " " << k;
    }
    Tvi.tvi950 = true;
    for (int b : {int{'M'}, int{'P'}, int{'0' - 1}})
        EXPECT_EQ(TviFunctionKeyNumber(b, true), -1) << b;
}

TEST_F(TviKeyTables, LoadingFromKeyZeroGoesOnAfterEachSeparator)
{
    Bytes("1A\x1c"
          "2B\x1c"
          "3C\x19"
          "rest");
    TviLoadFunctionKeys('0', NextByte);
    EXPECT_EQ(Key(0), "A");
    EXPECT_EQ(Key(1), "B");
    EXPECT_EQ(TviFunctionKeyFlags(1, kTviLiveKeys), 2);
    EXPECT_EQ(Key(2), "C");
    EXPECT_EQ(Key(3), "") << "the bank was emptied first";
    EXPECT_EQ(std::string(g_bytes.begin(), g_bytes.end()), "rest");
    // Key 31 is the last one loaded: the text after its separator is the host's again.
    std::string all;
    for (int k = 0; k < 32; ++k)
        all += "1k\x1c";
    Bytes(all + "after");
    TviLoadFunctionKeys('0', NextByte);
    EXPECT_EQ(Key(31), "k");
    EXPECT_EQ(Key(32), "");
    EXPECT_EQ(std::string(g_bytes.begin(), g_bytes.end()), "after");
    // A blank empties the bank and reads nothing more.
    Bytes("1X\x19");
    TviLoadFunctionKeys(' ', NextByte);
    EXPECT_EQ(Key(0), "");
    EXPECT_EQ(g_bytes.size(), 3u);
}

TEST_F(TviKeyTables, AStoppedOrEndlessLoadStoresNothingHalfRead)
{
    Bytes("1ABC");  // the stop value comes before EM
    TviLoadFunctionKeys('1', NextByte);
    EXPECT_TRUE(TviFunctionKeyIsFactory(0, kTviLiveKeys));
    // A text longer than a key can hold ends the loading; what follows is data again.
    Bytes("1" + std::string(300, 'z'));
    TviLoadFunctionKeys('1', NextByte);
    EXPECT_EQ(Key(0).size(), 256u - 0u) << "cut to the buffer";
    EXPECT_EQ(g_bytes.size(), 300u + 1 - 258);
}

TEST_F(TviKeyTables, TheHostLoadsEditingKeys)
{
    TviDefaultEditKeysInSet(kTviLiveKeys, true);
    const auto entry = [](int e) {
        const u16* u = Tvi.editKeys.units[e];
        return std::vector<u16>{u[0], u[1], u[2]};
    };
    Bytes("1x");
    TviLoadEditKey(NextByte);
    EXPECT_EQ(entry(16), (std::vector<u16>{0x1B, 'x', 0}));
    Bytes("2y");
    TviLoadEditKey(NextByte);
    EXPECT_EQ(entry(36), (std::vector<u16>{0x1B, 'y', 0}));
    Bytes("Aabc");
    TviLoadEditKey(NextByte);
    EXPECT_EQ(entry(1), (std::vector<u16>{'a', 'b', 'c'}));
    Bytes("sdef");
    TviLoadEditKey(NextByte);
    EXPECT_EQ(entry(39), (std::vector<u16>{'d', 'e', 'f'}));
    Bytes("Tghi");
    TviLoadEditKey(NextByte);
    EXPECT_EQ(g_bytes.size(), 3u) << "an unknown key byte takes nothing more";
    Bytes("Bxy");  // stopped before the third unit
    TviLoadEditKey(NextByte);
    EXPECT_EQ(entry(2), (std::vector<u16>{0x0B, 0, 0}));

    std::string sixty;
    for (int i = 0; i < 60; ++i)
        sixty.push_back(static_cast<char>('!' + i));
    Bytes("0" + sixty);
    TviLoadEditKeys(NextByte);
    EXPECT_EQ(entry(0), (std::vector<u16>{'!', '"', '#'}));
    EXPECT_EQ(entry(19)[2], '!' + 59);
    Bytes("1" + sixty.substr(0, 59));  // one unit short: nothing changes
    TviLoadEditKeys(NextByte);
    EXPECT_EQ(entry(20), (std::vector<u16>{0x1A, 0, 0}));
    Bytes("9" + sixty);
    TviLoadEditKeys(NextByte);
    EXPECT_EQ(entry(20), (std::vector<u16>{'!', '"', '#'}));
}

TEST_F(TviKeyTables, TheOptionBitChoosesTheEditingKeySet)
{
    struct Case {
        int entry;
        std::vector<u16> second, first;
    };
    const Case cases[] = {
        {1, {0x16, 0, 0}, {0x01, 0, 0}},        {2, {0x0B, 0, 0}, {0x10, 0, 0}},
        {3, {0x08, 0, 0}, {0x02, 0, 0}},        {4, {0x0C, 0, 0}, {0x06, 0, 0}},
        {19, {0x0D, 0, 0}, {0x07, 0, 0}},       {20, {0x1A, 0, 0}, {0x1B, '[', 'H'}},
        {23, {0x1B, '[', 'D'}, {0x1B, 'b', 0}}, {39, {0x0D, 0x0A, 0}, {0x0D, 0x0A, 0}},
        {9, {0x1B, 'Q', 0}, {0x1B, 'Q', 0}},
    };
    Tvi.set.options = kTviOptEditSet;
    TviDefaultEditKeys(kTviLiveKeys);
    TviSetup.set.options = 0;
    TviDefaultEditKeys(kTviSetupKeys);
    for (const Case& c : cases) {
        const u16* live = Tvi.editKeys.units[c.entry];
        const u16* setup = TviSetup.editKeys.units[c.entry];
        EXPECT_EQ(std::vector<u16>(live, live + 3), c.second) << c.entry;
        EXPECT_EQ(std::vector<u16>(setup, setup + 3), c.first) << c.entry;
    }
}

TEST(TviAltKeys, KeysBecomeTheCharacterOfTheUsLayout)
{
    struct Case {
        int vk;
        u32 shift;
        int c;
    };
    // clang-format off
    const Case cases[] = {{'A', 0, 'a'},   {'A', kShiftBit, 'A'}, {'A', kCtrlBit, 1},
                          {'2', kShiftBit, '@'}, {'9', kShiftBit, '('}, {0x65, 0, '5'},
                          {0x6F, 0, '/'}, {0xBA, kShiftBit, ':'}, {0xDF, kShiftBit, 0xAC},
                          {0xA6, 0, -2},  {0x12, 0, -1},     {0x0D, 0, -1}};
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(TviAltKeyCharacter(c.vk, c.shift), c.c) << std::hex << c.vk;
}

}  // namespace
