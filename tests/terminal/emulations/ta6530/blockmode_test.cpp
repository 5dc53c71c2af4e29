// Block and protected block mode: writing, fields, reads and local editing.
#include "ta6530_fixture.h"

#include "terminal/emulations/ta6530/tastate.h"

namespace {

class BlockMode : public Ta6530Test {
protected:
    void SetUp() override
    {
        Ta6530Test::SetUp();
        Feed("\x01"
             "B\x03"
             "x\x1B"
             "b");
        Sent();
    }
};

TEST_F(Ta6530Test, RepeatsWriteTheirCountsAndNothingBelowZero)
{
    UseSerialLine();
    Feed(Frame(1, "B") + Frame(2, "\x14\x45|\x14\x05|", 0x20));  // DC4: five blanks, five zeros
    EXPECT_EQ(Row(0), "     |00000|");
    Feed(Frame(2, "\x11\x21\x20\x12\x25X\x12\x10Y.", 0x21));  // DC2 0x25 X: five X; DC2 0x10: none
    EXPECT_EQ(Row(1), "XXXXX.");
}

TEST_F(BlockMode, TheBufferAddressWrapsToThePageStart)
{
    Feed("\x11\x37\x6FZA");  // row 23, column 79
    EXPECT_EQ(Row(23), std::string(79, ' ') + "Z");
    EXPECT_EQ(Row(0), "A");
}

TEST_F(BlockMode, TypedTextStaysOnThePage)
{
    Type("ab");
    EXPECT_EQ(Sent(), "");
    EXPECT_EQ(Row(0), "ab");
    Key(89);  // Up: typed ESC A, applied locally
    EXPECT_EQ(CursorRow(), 23);
}

TEST_F(BlockMode, PagesInUseFollowThePageCount)
{
    Feed("\x1Bp3\x1Bq\x1B"
         "b");
    Feed("\x1B;$");  // page 4 does not exist
    EXPECT_EQ(Ta.displayPage, 1);
    Feed("\x1B;#\x1B:#P3");
    EXPECT_EQ(Ta.displayPage, 3);
    EXPECT_EQ(Row(0), "P3");
}

class ProtectedMode : public BlockMode {
protected:
    void SetUp() override
    {
        BlockMode::SetUp();
        // A protected label, then a numeric field (data type 2) of five positions.
        Feed("\x1BW\x1B"
             "b\x11\x20\x20\x1D\x20\x20Name\x1D\x20\x44     \x1D\x20\x20");
        Sent();
    }
};

TEST_F(ProtectedMode, TheCursorGoesToTheUnprotectedField)
{
    Feed("\x13\x20\x20");
    EXPECT_EQ(CursorColumn(), 6);
}

TEST_F(ProtectedMode, RejectedCharactersShowTheErrorLine)
{
    Feed("\x13\x20\x20");
    Type("x");
    EXPECT_EQ(Row(0), " Name");
    EXPECT_NE(Status().find("#7579"), std::string::npos) << Status();  // "INVALID DATA"
    Type("12");
    EXPECT_EQ(Row(0), " Name 12");
}

TEST_F(ProtectedMode, ReadOfModifiedFieldsSendsOnlyTypedFields)
{
    Feed("\x1B>\x1B=  7o");
    EXPECT_EQ(Sent(), "04");
    Feed("\x13\x20\x20");
    Key(92);  // Right, then a digit: the field's first position stays blank
    Type("4");
    Feed("\x1B=  7o");
    // DC1 at the field's first position, the leading blank kept, the trailing ones not.
    EXPECT_EQ(Sent(), "11 20 26 20 34 04");
}

}  // namespace
