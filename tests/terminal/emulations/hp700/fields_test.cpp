// The HP 700/92's forms: fields in format mode, enhancements and block transfers.
#include "hp700_fixture.h"

#include "terminal/core/host/hostio.h"
#include "terminal/emulations/hp700/fields/fields.h"
#include "terminal/emulations/hp700/memory/memory.h"

namespace {

// Three labelled fields on one line: "Name: [     ] Age: [   ] Town: [      ]".
std::string Form()
{
    return Esc("H") + Esc("J") + "Name: " + Esc("[") + "     " + Esc("]") + " Age: " + Esc("[") + "   " +
           Esc("]") + " Town: " + Esc("[") + "      " + Esc("]") + "\r\n";
}

TEST_F(Hp700Test, TypedTextOverALabelLandsInTheNextField)
{
    Feed(Form() + Esc("W"));
    ASSERT_TRUE(Hp700.formatMode);
    EXPECT_EQ(Hp700.cursorColumn, 6) << "format mode homes to the first field";
    Feed(Esc("&a0C") + "J");
    EXPECT_EQ(MemoryLine(0).substr(0, 7), "Name: J");
    Feed(Esc("&a34C") + "K");
    EXPECT_EQ(Hp700.cursorRow, 0) << "no field after the cursor: home up";
    EXPECT_EQ(Hp700.cursorColumn, 6);
    EXPECT_EQ(MemoryLine(0).find('K'), std::string::npos);
}

TEST_F(Hp700Test, PageOfFieldsSendsEachFieldThenTheTerminator)
{
    Feed(Form() + Esc("W") + "Ann" + "\t" + "42" + "\t" + "Oslo");
    Feed(Esc("&k1B") + Esc("&s1D") + Esc("h") + Esc("d"));
    TakeSent();
    Feed("\x11");
    EXPECT_EQ(TakeSent(), "Ann  \x1f"
                          "42 \x1f"
                          "Oslo  \x1f\x1e");
}

TEST_F(Hp700Test, LineTransferInCharacterMode)
{
    Feed("hello" + Esc("&a0C") + Esc("d") + "\x11");
    EXPECT_EQ(TakeSent(), "hello\r");
    EXPECT_EQ(Hp700.cursorColumn, 0);
    Feed(Esc("&a5Y") + Esc("d") + "\x11");
    EXPECT_EQ(TakeSent(), "\x1e") << "no used line at or below the cursor: only the terminator";
}

TEST_F(Hp700Test, ClearInFormatModeKeepsTheLabels)
{
    Feed(Form() + Esc("W") + "Ann" + Esc("&a0C") + Esc("K"));
    EXPECT_EQ(MemoryLine(0).substr(0, 6), "Name: ") << "the cursor cell is protected: nothing is cleared";
    Feed(Esc("&a6C") + Esc("K"));
    EXPECT_EQ(MemoryLine(0).substr(0, 17), "Name:       Age: ");
}

TEST_F(Hp700Test, EnhancementRunsEndAtTheNextMark)
{
    Feed(Esc("&dB") + "abc" + Esc("&d@") + "de");
    const ScreenCell* c = Hp700Line(0)->cells;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(c[i].rendition & kHpEnhMask, 2) << i;
    for (int i = 3; i < 5; ++i)
        EXPECT_EQ(c[i].rendition & kHpEnhMask, 0) << i;
    Feed(Esc("W") + Esc("&dS"));
    EXPECT_EQ(Hp700Line(0)->cells[0].rendition & kHpSecurity, 0) << "no security in format mode";
}

TEST_F(Hp700Test, FieldCommandsRingInFormatMode)
{
    Feed(Esc("W"));
    BellPending = 0;
    Feed(Esc("["));
    EXPECT_NE(BellPending.load(), 0);
    EXPECT_EQ(Hp700Line(0)->cells[0].flags & kHpMarkField, 0);
}

}  // namespace
