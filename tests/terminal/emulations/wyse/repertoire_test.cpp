// The escape repertoire on the screen: editing, clearing, protect, attributes, labels,
// the status line, screen sends and character banks.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/doubles_network.h"
#include "support/doubles_wyse.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/wyse/charsets/charsets.h"
#include "terminal/emulations/wyse/lifecycle.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "wyse_fixture.h"

namespace {

using Repertoire = WyseTest;

TEST_F(Repertoire, InsertAndDeleteCharactersAndLines)
{
    Start(kEmuWy50);
    Feed("abcdef" + At(0, 2) + E("Q") + "X");
    EXPECT_EQ(Text(0), "abXcdef");
    Feed(At(0, 0) + E("W"));
    EXPECT_EQ(Text(0), "bXcdef");
    Feed(At(1, 0) + "one" + At(2, 0) + "two" + At(1, 0) + E("E") + "new");
    EXPECT_EQ(Text(1), "new");
    EXPECT_EQ(Text(2), "one");
    EXPECT_EQ(Text(3), "two");
    Feed(At(1, 0) + E("R"));
    EXPECT_EQ(Text(1), "one");
    // Inserting in a line that ends at column 79 loses what stood there.
    Feed(At(5, 79) + "Z" + At(5, 0) + E("Q"));
    EXPECT_EQ(Text(5), "");
}

TEST_F(Repertoire, ClearsStopAtProtectedCellsInProtectMode)
{
    Start(kEmuWy50);
    Feed("aaaa" + E(")") + "PP" + E("(") + "bbbb");
    Feed(E("&") + At(0, 0) + E("T"));
    EXPECT_EQ(Text(0), "    PPbbbb");
    Feed(E("'") + E(";"));
    EXPECT_EQ(Text(0), "");
}

TEST_F(Repertoire, ProtectModeSkipsProtectedCellsWhenWriting)
{
    Start(kEmuWy50);
    Feed(E(")") + "PP" + E("(") + E("&") + At(0, 0) + "x");
    EXPECT_EQ(Text(0), "PPx");
}

TEST_F(Repertoire, EmbeddedAttributeTakesACell)
{
    Start(kEmuTvi925);
    Feed("a" + E("G4") + "b");
    EXPECT_EQ(Text(0), "a b");
    EXPECT_TRUE(WyStore.row[1]->cells[1].rendition & kWyAttrCell);
    Feed(At(0, 1) + E("G "));
    EXPECT_FALSE(WyStore.row[1]->cells[1].rendition & kWyAttrCell);
}

TEST_F(Repertoire, CharacterAttributesTakeNoCell)
{
    Start(kEmuWy60);
    Feed("a" + E("G4") + "b" + E("G0") + "c");
    EXPECT_EQ(Text(0), "abc");
    EXPECT_TRUE(WyStore.row[1]->cells[1].rendition & kWyReverse);
    EXPECT_FALSE(WyStore.row[1]->cells[2].rendition & kWyReverse);
}

TEST_F(Repertoire, BoxOfOneColumnIsAVerticalLine)
{
    Start(kEmuWy60);
    Feed(At(2, 5) + E("cG") + "\x25\x25");  // to row 5, column 5
    for (int r = 2; r <= 5; ++r)
        EXPECT_EQ(WyStore.row[r + 1]->cells[5].ch, 22) << r;
}

TEST_F(Repertoire, LabelLinesAndTheStatusMessage)
{
    Start(kEmuWy60);
    Feed(E("z0") + "Edit\r");  // tput -T wy60 pln 1 Edit
    EXPECT_EQ(Labels(), "Edit");
    Feed(E("F") + "hi\r");  // tsl, hi, fsl
    EXPECT_NE(Status().find("hi"), std::string::npos);
    // Field 9 of an 80-column line lands where field 1 is.
    LeaveWyse();
    Start(kEmuWy50);
    Feed(E("z8") + "nine\r");
    EXPECT_EQ(Labels(), " nine");
}

TEST_F(Repertoire, StatusLineTypes)
{
    Start(kEmuWy50Plus);
    Feed(E("`c"));
    EXPECT_EQ(Status(), "");
    Feed(E("`a") + E("q"));
    // " INS" in columns 27-30, as the test texts name the string.
    EXPECT_EQ(Status().substr(27, 4), "#761");
    Feed(E("r"));
    EXPECT_EQ(Status().size(), 13u);  // the insert field is blank again: the comm field ends the text
}

TEST_F(Repertoire, ScreenSendBracketsProtectedRuns)
{
    Start(kEmuWy50);
    Feed(E(")") + "xx" + E("(") + "yy");
    // The line from column 0 through the cursor, the blank under it included.
    EXPECT_EQ(Answer(E("6")), "\x1b)xx\x1b(yy \r");
    Feed(At(1, 0) + E(")") + "pp" + E("(") + "uu");
    EXPECT_EQ(Answer(E("4")), "\x1cuu \r");
}

// A WY50+ economy page of 145 lines, cells alternating protected and unprotected, is
// three units a cell: more than one piece of a send, every cell in order.
TEST_F(Repertoire, LongScreenSendLosesNothing)
{
    Start(kEmuWy50Plus);
    Feed(E("eG") + E("wJ") + E("K"));
    ASSERT_EQ(WyActiveWindow().state.length, 145);
    std::string page;
    for (int i = 0; i < 145 * 80; ++i) {
        // The last line without auto wrap, so that the cursor stays on the page's end.
        if (i == 144 * 80)
            page += E("d.");
        page += i % 2 ? E("(") + "u" : E(")") + "p";
    }
    Feed(page);
    EXPECT_EQ(Cursor(), "23,79");  // the window shows the page's last lines
    const std::string sent = Answer(E("7"));
    std::string expected;
    for (int line = 0; line < 145; ++line) {
        for (int c = 0; c < 80; ++c)
            expected += c % 2 ? "\x1b(u" : "\x1b)p";
        expected += line < 144 ? "\x1f" : "\r";
    }
    ASSERT_EQ(sent.size(), expected.size());
    EXPECT_TRUE(sent == expected) << "first difference at "
                                  << std::mismatch(sent.begin(), sent.end(), expected.begin()).first -
                                         sent.begin();
}

TEST_F(Repertoire, PrintControlsSetTheRegionStartAndDirectPorts)
{
    Start(kEmuWy60);
    doubles::Wyse().directPorts.clear();
    Feed(E("d0") + E("d1") + E("d&"));
    EXPECT_EQ(doubles::Wyse().directPorts, (std::vector<std::string>{"", "COM1"}));
    EXPECT_EQ(WyMode.regionStart, 0);
    Feed(E("d'"));
    EXPECT_EQ(WyMode.regionStart, 1);
    EXPECT_EQ(Answer(E("d\"")), "60\r");  // the printer state
    Feed(E("d2") + "x");                  // no control: nothing shown of it
    EXPECT_EQ(Text(0), "x");
}

TEST_F(Repertoire, DownloadedGlyphsStayInsideTheirBank)
{
    Start(kEmuWy60);
    const std::string rows = "FF00FF00FF00FF00FF00FF00FF00FF00";
    Feed(E("cA0") + "80" + rows + "\x19");  // code 0x80: past the 128 glyphs of a bank
    EXPECT_EQ(WyseSoftGlyphRows(kWyseSoftGlyph | 0x80), nullptr);
    Feed(E("cA0") + "41" + rows + "\x19");
    EXPECT_NE(WyseSoftGlyphRows(kWyseSoftGlyph | 0x41), nullptr);
}

TEST_F(Repertoire, PersonalityRequestsFromEscTilde)
{
    Start(kEmuWy50);
    Feed(E("~4"));
    EXPECT_EQ(RequestedEmulationId, kEmuWy60);
    Feed(E("~<"));
    EXPECT_EQ(RequestedEmulationId, kEmuVt500Bit7);
}

}  // namespace
