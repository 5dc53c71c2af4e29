// The user-defined key store: the built-in keys, closing gaps, and stored tables whose
// offsets and lengths do not fit the pool.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "terminal/emulations/dec/keys/keysequences.h"

namespace {

std::string KeyText(int index)
{
    const KeySequenceEntry& key = KeySequenceTable.keys[index];
    std::string text;
    for (int i = 0; i < key.length; ++i)
        text.push_back(static_cast<char>(key.text[i]));
    return text;
}

class KeySequences : public ::testing::Test {
protected:
    void SetUp() override { InstallVtDefaultKeys(); }
    void TearDown() override { InstallVtDefaultKeys(); }
};

TEST_F(KeySequences, BuiltInKeysAndClosingGaps)
{
    EXPECT_TRUE(UserDefinedKeysAreFactory());
    // clang-format off
    EXPECT_EQ(KeyText(0), "\x9B" "11~");
    EXPECT_EQ(KeyText(39), "\x9B" "34;2~");
    EXPECT_EQ(KeyText(45), "\x9B" "6~");
    // clang-format on
    EXPECT_EQ(KeySequenceTable.end, 20 * 4 + 20 * 6 + 6 * 3);

    const u16 endBefore = KeySequenceTable.end;
    DeleteUserDefinedKey(1);
    EXPECT_EQ(KeySequenceTable.end, endBefore - 4);
    EXPECT_EQ(KeySequenceTable.keys[1].length, 0);
    // clang-format off
    EXPECT_EQ(KeyText(2), "\x9B" "13~");  // later texts moved down with their keys
    EXPECT_EQ(KeyText(45), "\x9B" "6~");
    // clang-format on
    EXPECT_FALSE(UserDefinedKeysAreFactory());  // a cleared key is a change to keep

    InstallVtDefaultKeys();
    KeySequenceTable.keys[50] = {KeySequenceTable.pool, 1, 0};  // a key beyond the built-in ones
    EXPECT_FALSE(UserDefinedKeysAreFactory());

    InstallVtDefaultKeys();
    KeySequenceTable.keys[3].local = 1;  // its built-in text, kept on this side
    EXPECT_FALSE(UserDefinedKeysAreFactory()) << "the profile must keep the local flag";
}

TEST_F(KeySequences, StoredTablesAreBoundedByThePool)
{
    std::vector<u16> pool(kUdkPoolUnits, 0);
    pool[0] = 0x141;  // only the low byte is kept
    pool[1] = 'B';
    pool[kUdkPoolUnits - 1] = 'Z';
    u16 offsets[kUdkKeys] = {}, lengths[kUdkKeys] = {}, locals[kUdkKeys] = {};
    lengths[0] = 2;
    offsets[1] = 2 * (kUdkPoolUnits - 1);
    lengths[1] = 40;      // runs past the pool
    offsets[2] = 0xFFFE;  // starts past the pool
    lengths[2] = 0xFFFF;
    locals[3] = 0xFFFF;
    const u32 end = 100000;
    RestoreUserDefinedKeys(pool.data(), static_cast<int>(pool.size()), offsets, lengths, locals, &end);
    EXPECT_EQ(KeyText(0), "AB");
    EXPECT_EQ(KeyText(1), "Z");
    EXPECT_EQ(KeySequenceTable.keys[2].length, 0);
    EXPECT_EQ(KeySequenceTable.keys[3].local, 0xFF);
    EXPECT_EQ(KeySequenceTable.end, kUdkPoolUnits);

    // Parts that are absent leave the table as it was.
    InstallVtDefaultKeys();
    RestoreUserDefinedKeys(nullptr, 0, nullptr, lengths, nullptr, nullptr);
    // clang-format off
    EXPECT_EQ(KeyText(0), "\x9B" "1");  // built-in text, stored length
    // clang-format on
    EXPECT_EQ(KeySequenceTable.end, 20 * 4 + 20 * 6 + 6 * 3);
}

}  // namespace
