// Block-mode sends and the keys: field addresses, whole pages, a send longer than one
// block, the function keys' default and defined strings, and keys in Block mode.
#include "ibm3151_fixture.h"

#include "support/doubles_network.h"
#include "terminal/emulations/ibm3151/keys/keys.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/emulations/ibm3151/output/send.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/keyevents.h"

namespace {

const std::string kEsc = "\x1b";

std::string Cup(int row, int column)
{
    return kEsc + "Y" + static_cast<char>(row + 32) + static_cast<char>(column + 32);
}

TEST_F(I3151Test, SendPageAddressesTheModifiedFields)
{
    // A protected field from the top, the modified field at row 2, column 10 (its
    // attribute in column 9), and a protected one after it.
    Feed(Cup(0, 0) + kEsc + "3 B" + "title" + Cup(2, 9) + kEsc + "3 A" + "data" + Cup(2, 16) + kEsc + "3 B" +
         kEsc + "8");
    EXPECT_EQ(TakeSent(), kEsc + "X\"*" + "data  \r");
    EXPECT_FALSE(I3151FieldAttributeAt(Page(), 2, 10)->rendition & kI51Mdt) << "the send resets the MDT";
    Feed(kEsc + "8");
    EXPECT_EQ(TakeSent(), "\r") << "nothing modified: the turnaround alone";
}

TEST_F(I3151Test, SendOfAnUnformattedPageIsWholeOrTrimmed)
{
    Feed(Cup(0, 0) + "top" + Cup(23, 78) + "e" + kEsc + "#9" + Bytes({0x40}) + kEsc + "8");
    const std::string whole = TakeSent();
    ASSERT_EQ(whole.size(), 1921u);
    EXPECT_EQ(whole.substr(0, 4), "top ");
    EXPECT_EQ(whole.substr(1918), "e \r");
    Feed(kEsc + "#9" + Bytes({0x44}) + kEsc + "8");  // trimming on, turnaround CR: rows end with RS
    const std::string trimmed = TakeSent();
    EXPECT_EQ(trimmed.substr(0, 4), "top\x1e");
    const std::string lastRow = "\x1e" + std::string(78, ' ') + "e\r";
    EXPECT_EQ(trimmed.substr(trimmed.size() - lastRow.size()), lastRow);
}

// 1,650 one-character fields of 25 x 132: far more than one block of 4,096 units, all
// of which arrive, the turnaround last.
TEST_F(I3151Test, ALongSendArrivesWhole)
{
    Feed(kEsc + " r!! 9$D");
    ASSERT_EQ(I3151.lastColumn, 131);
    std::string fields;
    for (int i = 0; i < 1650; ++i)
        fields += kEsc + "3 A" + static_cast<char>('a' + i % 26);
    Feed(kEsc + "H" + fields);
    TakeSent();
    Feed(kEsc + "8");
    const std::string sent = TakeSent();
    std::string expected;
    for (int i = 0; i < 1650; ++i) {
        const int cell = 2 * i + 1, row = cell / 132, column = cell % 132;
        u16 order[6];
        const int n = I3151EncodeAddress(order, 'X', row, column);
        for (int k = 0; k < n; ++k)
            expected += static_cast<char>(order[k]);
        expected += static_cast<char>('a' + i % 26);
    }
    expected += "\r";
    EXPECT_GT(expected.size(), 4096u);
    EXPECT_EQ(sent, expected);
}

TEST_F(I3151Test, AddressOrdersShortAndLong)
{
    struct Case {
        int row, column;
        std::string order;
    };
    const Case cases[] = {
        {0, 0, kEsc + "X  "},     {4, 94, kEsc + "X$~"},     {4, 95, kEsc + "x $\"_"},
        {4, 100, kEsc + "x $#D"}, {24, 131, kEsc + "x 8$C"},
    };
    for (const Case& c : cases) {
        u16 out[6];
        const int n = I3151EncodeAddress(out, 'X', c.row, c.column);
        EXPECT_EQ(std::string(out, out + n), c.order) << c.row << "," << c.column;
    }
}

TEST_F(I3151Test, FunctionKeysSendTheirStrings)
{
    struct Case {
        int keyCode, shift;
        std::string sent;
    };
    const Case cases[] = {
        {kKeyF1, 0, kEsc + "a\r"},        {kKeyF5, 0, kEsc + "e\r"},          {kKeyF12, 0, kEsc + "l\r"},
        {kKeyF1, 1, kEsc + "!a\r"},       {kKeyF12, 1, kEsc + "!l\r"},        {kKeyF1, 3, kEsc + "\"a\r"},
        {kKeyUp, 0, kEsc + "A"},          {kKeyLeft, 0, kEsc + "D"},          {kKeyEditPad, 0, kEsc + "P \x08"},
        {kKeyEditPad + 1, 0, kEsc + "H"}, {kKeyEditPad + 2, 0, kEsc + "L\r"}, {kKeyEditPad + 3, 0, kEsc + "Q"},
        {kKeyEditPad + 4, 0, kEsc + "2"}, {kKeyEditPad + 5, 0, kEsc + "I"},   {kKeyReturn, 0, "\r"},
    };
    for (const Case& c : cases) {
        Key(c.keyCode, c.shift);
        EXPECT_EQ(TakeSent(), c.sent) << c.keyCode << " shift " << c.shift;
    }
}

TEST_F(I3151Test, KeysInBlockModeActOnTheLocalPage)
{
    Feed(kEsc + " 9B" + Cup(3, 3));
    Key(kKeyUp);
    Key(kKeyF1);
    EXPECT_EQ(TakeSent(), "") << "the cursor key and an undefined PF key stay local";
    EXPECT_EQ(Page()->cursorRow, 2);
    EXPECT_EQ(PageRow(2), "") << "ESC a does nothing locally";
    Type("hi");
    Feed("");
    Key(kKeyPadEnter, 2);  // Send: the page goes out at once, rows trimmed
    EXPECT_EQ(TakeSent(), std::string(2, '\x1e') + "hi" + std::string(21, '\x1e') + "\r");
    EXPECT_EQ(Page()->cursorRow, 0) << "after a page send the cursor goes home";
}

TEST_F(I3151Test, InsertKeyTogglesInsertModeWhenInsertCharacterIsMode)
{
    Feed(kEsc + "\"9" + Bytes({0x2C, 0x4B}));  // byte 4: Insert Character = Mode
    Key(kKeyEditPad);
    EXPECT_TRUE(I3151.insertMode);
    Type("q");
    Feed("");
    EXPECT_EQ(TakeSent(), kEsc + "Pq") << "typed in insert mode: ESC P and the character";
    Key(kKeyF1);
    EXPECT_FALSE(I3151.insertMode) << "a key that sends ends insert mode";
    // In Block mode the characters are inserted locally, one after the other.
    TakeSent();
    Feed(kEsc + " 9B" + "end");
    Feed(kEsc + "H");
    Key(kKeyEditPad);
    Type("ab");
    Feed("");
    EXPECT_EQ(PageRow(0), "abend");
    EXPECT_EQ(TakeSent(), "");
}

// The define-key prompt: a key's number, its new text, and a cancel; a key defined there
// sends its text without the turnaround.
TEST_F(I3151Test, TheDefineKeyPromptTakesANumberAndAText)
{
    QueueInputEvent(3, kKeyEscape, 1);  // Shift+Esc opens the prompt
    Type("02");
    QueueInputEvent(3, kKeyReturn, 0);
    Type("hi");
    QueueInputEvent(3, kKeyReturn, 0);
    QueueInputEvent(3, kKeyEscape, 1);  // and ends it
    Feed("");
    EXPECT_FALSE(I3151.definingKey);
    EXPECT_EQ(I3151.statusRowMode, 1) << "the status row shows what it showed before";
    Key(kKeyF1 + 1);
    EXPECT_EQ(TakeSent(), "hi");
}

}  // namespace
