// The IBM 3151's screen: the host's editing strings (those of terminfo's ibm3151),
// renditions, character sets, fields and typed input in the three operating modes.
#include "ibm3151_fixture.h"

#include "support/doubles_ibm3151.h"
#include "terminal/emulations/ibm3151/screen/indicators.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/pages.h"

namespace {

const std::string kEsc = "\x1b";

std::string Cup(int row, int column)
{
    return kEsc + "Y" + static_cast<char>(row + 32) + static_cast<char>(column + 32);
}

TEST_F(I3151Test, EditingStringsOfTheTerminfoEntry)
{
    const std::string screen = Cup(0, 0) + "line0" + Cup(1, 0) + "line1" + Cup(2, 0) + "line2";
    struct Case {
        const char* name;
        std::string bytes;
        std::string row0, row1, row2;
    };
    const Case cases[] = {
        {"clear", kEsc + "H" + kEsc + "J", "", "", ""},
        {"el", Cup(1, 2) + kEsc + "I", "line0", "li", "line2"},
        {"ed", Cup(1, 2) + kEsc + "J", "line0", "li", ""},
        {"il1", Cup(1, 3) + kEsc + "N", "line0", "", "line1"},
        {"dl1", Cup(0, 3) + kEsc + "O", "line1", "line2", ""},
        {"dch1", Cup(1, 1) + kEsc + "Q", "line0", "lne1", "line2"},
        // With forcing insert character off, as the terminal leaves the factory.
        {"ich1", kEsc + "!9?/b" + Cup(1, 1) + kEsc + "P \x08" + "X", "line0", "lXine1", "line2"},
        {"cursor moves", Cup(1, 1) + kEsc + "A" + kEsc + "C" + kEsc + "B" + kEsc + "B" + kEsc + "D" + "*", "line0",
         "line1", "l*ne2"},
        {"home", kEsc + "H" + "H", "Hine0", "line1", "line2"},
    };
    for (const Case& c : cases) {
        Feed(kEsc + "L" + screen + c.bytes);
        EXPECT_EQ(PageRow(0), c.row0) << c.name;
        EXPECT_EQ(PageRow(1), c.row1) << c.name;
        EXPECT_EQ(PageRow(2), c.row2) << c.name;
    }
}

TEST_F(I3151Test, CharacterAttributesOfTheTerminfoEntry)
{
    struct Case {
        const char* name;
        std::string on;
        u8 rendition;
    };
    const Case cases[] = {
        {"rev", kEsc + "4!a", kI51Reverse},     {"smul", kEsc + "4\"a", kI51Underline},
        {"blink", kEsc + "4$a", kI51Blink},     {"bold", kEsc + "4(a", kI51Bold},
        {"invis", kEsc + "40a", kI51Invisible}, {"sgr0", kEsc + "4@" + kEsc + ">B", 0},
    };
    for (const Case& c : cases) {
        Feed(kEsc + "H" + kEsc + "4@" + c.on + "x");
        EXPECT_EQ(I3151PageRow(Page(), 0)->cells[0].rendition, c.rendition) << c.name;
    }
    Feed(kEsc + "H" + kEsc + "4(a" + kEsc + "4\"a" + "y" + kEsc + "4=b" + "z");
    EXPECT_EQ(I3151PageRow(Page(), 0)->cells[0].rendition, kI51Bold | kI51Underline) << "OR adds";
    EXPECT_EQ(I3151PageRow(Page(), 0)->cells[1].rendition, kI51Bold) << "rmul's AND takes underline away";
}

TEST_F(I3151Test, LineDrawingBetweenSmacsAndRmacs)
{
    Feed(kEsc + ">A" + Bytes({0xEA, 0xF1, 0xF8}) + kEsc + ">B" + Bytes({0xEA}) + "q");
    const I3151Row* row = I3151PageRow(Page(), 0);
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(row->cells[c].flags & kI51GlyphMask, kI51GlyphLines) << c;
    EXPECT_EQ(PageRow(0).substr(0, 3), "jqx");
    EXPECT_NE(row->cells[3].flags & kI51GlyphMask, kI51GlyphLines) << "G1 back to the national set";
    EXPECT_EQ(row->cells[4].flags & kI51GlyphMask, kI51GlyphPlain) << "G0 was never line drawing";
}

TEST_F(I3151Test, TabsAndInsertsByTheSetControlBytes)
{
    Feed(kEsc + "\"9" + Bytes({0x2B, 0x62}));  // Auto Wrap off
    Feed(Cup(0, 10) + "\t");
    EXPECT_EQ(Page()->cursorColumn, 79) << "no stops, no wrap: the last column";
    Feed("\t");
    EXPECT_EQ(Page()->cursorColumn, 0) << "and from there column 0";
    Feed(Cup(0, 20) + kEsc + "0" + Cup(0, 5) + "\t");
    EXPECT_EQ(Page()->cursorColumn, 20);

    Feed(kEsc + "L" + Cup(0, 0) + "ab" + Cup(0, 0) + kEsc + "Px");
    EXPECT_EQ(PageRow(0), " ab") << "Insert Character = Space inserts a space";

    // Every row written: a line insert needs forcing, and then the last row is lost.
    Feed(kEsc + "L");
    for (int r = 0; r < 24; ++r)
        Feed(Cup(r, 0) + "r" + std::to_string(r));
    Feed(kEsc + "!9" + Bytes({0x2F, 0x62}) + Cup(5, 0) + kEsc + "N");  // forcing insert line off
    EXPECT_EQ(PageRow(5), "r5") << "no empty row: nothing";
    Feed(kEsc + "!9" + Bytes({0x30, 0x61}) + Cup(5, 0) + kEsc + "N");
    EXPECT_EQ(PageRow(5), "");
    EXPECT_EQ(PageRow(23), "r22");
}

TEST_F(I3151Test, ScrollingOnlyOnAnUnformattedPage)
{
    Feed(Cup(23, 0) + "last\n");
    EXPECT_EQ(PageRow(22), "last") << "a line feed at the bottom scrolls";
    Feed(kEsc + "H" + kEsc + "3 A" + "f" + Cup(23, 0) + "\n");
    EXPECT_EQ(Page()->cursorRow, 0) << "a formatted page wraps to the top instead";
}

// A numeric field: the first typed letter is refused, a digit modifies the field.
TEST_F(I3151Test, TypedCharactersObeyTheFieldTheyGoInto)
{
    Feed(kEsc + " 9B");  // Block mode: typed characters stay local
    Feed(Cup(2, 9) + kEsc + "3 H" + Cup(2, 20) + kEsc + "3 B" + Cup(2, 10));
    ASSERT_TRUE(I3151IsPageFormatted(Page()));
    Type("A");
    Feed("");
    EXPECT_EQ(I3151PageRow(Page(), 2)->cells[10].ch, 0);
    EXPECT_EQ(doubles::Ibm3151().fields[kI51FieldState], u"#7594");
    EXPECT_FALSE(I3151FieldAttributeAt(Page(), 2, 10)->rendition & kI51Mdt);
    Type("7");
    Feed("");
    EXPECT_EQ(I3151PageRow(Page(), 2)->cells[10].ch, '7');
    EXPECT_TRUE(I3151FieldAttributeAt(Page(), 2, 10)->rendition & kI51Mdt);
    EXPECT_TRUE(TakeSent().empty());
    // A character that fills a one-character field modifies that field, not the next.
    Feed(Cup(4, 9) + kEsc + "3 @" + Cup(4, 11) + kEsc + "3 @" + Cup(4, 10));
    Type("1");
    Feed("");
    EXPECT_TRUE(I3151PageRow(Page(), 4)->cells[9].rendition & kI51Mdt);
    EXPECT_FALSE(I3151PageRow(Page(), 4)->cells[11].rendition & kI51Mdt);
}

TEST_F(I3151Test, TypedBytesByOperatingMode)
{
    Type("x");
    Feed("");
    EXPECT_EQ(TakeSent(), "x") << "Echo: to the host only";
    EXPECT_EQ(PageRow(0), "");
    Feed(kEsc + " 9A");
    Type("y");
    Feed("");
    EXPECT_EQ(TakeSent(), "y") << "Character: sent";
    EXPECT_EQ(PageRow(0), "y") << "and shown";
    Feed(kEsc + " 9B");
    Type("z\x0e\x03");
    Feed("");
    EXPECT_EQ(TakeSent(), "") << "Block: nothing leaves";
    EXPECT_EQ(PageRow(0), "z");
    EXPECT_EQ(Page()->shift, 1) << "SO passes the keyboard";
    EXPECT_EQ(doubles::Ibm3151().fields[kI51FieldState], u"#7593") << "ETX is an invalid key";
}

}  // namespace
