// The HP 700/92's characters: Roman-8 in memory, Latin-1 from a 7-bit host, what the
// painter shows and what is sent back.
#include "hp700_fixture.h"

#include "terminal/emulations/hp700/charset/roman8.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/screen/display.h"

namespace {

TEST_F(Hp700Test, EightBitBytesAreStoredAsRoman8)
{
    Feed(Esc("&k1I") + "\xa1\xba\xfa");
    const ScreenCell* c = Hp700Line(0)->cells;
    EXPECT_EQ(c[0].ch, 0xA1);
    EXPECT_EQ(Hp700Roman8Char(c[0].ch), 0x00C0) << "A";
    EXPECT_EQ(Hp700Roman8Char(c[1].ch), 0x20AC) << "the currency sign's place draws the euro";
    EXPECT_EQ(Hp700Roman8Char(c[2].ch), 0x00BA) << "0xFA stays the masculine ordinal";
}

// Of A0..FE, ten Roman-8 characters have no Latin-1 form: they draw as blanks.
TEST_F(Hp700Test, Roman8CharactersWithoutLatin1FormAreBlank)
{
    int blanks = 0;
    for (int code = 0xA0; code <= 0xFE; ++code)
        blanks += Hp700Roman8Char(static_cast<u8>(code)) == u' ';
    EXPECT_EQ(blanks, 10);
    EXPECT_EQ(Hp700Roman8Char(0xA9), u' ');
}

TEST_F(Hp700Test, SevenBitDataIsMasked)
{
    Feed("\xc1");
    EXPECT_EQ(Hp700Line(0)->cells[0].ch, 'A');
}

TEST_F(Hp700Test, WithoutTablesCodesPassUnchanged)
{
    Hp700SetRoman8Tables(nullptr, Hp700BuiltInRoman8ToLatin());
    EXPECT_EQ(Hp700LatinToRoman8(0xC9), 0xC9);
    EXPECT_EQ(Hp700Roman8ToLatin(0xDC), 0xDC) << "one table missing drops both";
    Hp700SetRoman8Tables(Hp700BuiltInLatinToRoman8(), Hp700BuiltInRoman8ToLatin());
    EXPECT_EQ(Hp700Roman8ToLatin(Hp700LatinToRoman8(0xC9)), 0xC9);
}

TEST_F(Hp700Test, AlternateSetCellsDrawLineGlyphs)
{
    Feed("\x0e"
         ",."
         "\x0f"
         ",");
    const ScreenCell* c = Hp700Line(0)->cells;
    EXPECT_EQ(Hp700CellGlyphSet(c[0]), 1);
    EXPECT_EQ(Hp700AlternateGlyph('q'), Hp700AlternateGlyph('Q')) << "lower case draws the upper-case glyph";
    EXPECT_EQ(Hp700CellGlyphSet(c[2]), 0) << "SI ends the run";
    EXPECT_EQ(Hp700CellChar(c[0]), 0x2500) << "terminfo's acsc sends ',' for the horizontal line";
    EXPECT_EQ(Hp700CellChar(c[1]), 0x2502);
    EXPECT_EQ(Hp700CellChar(c[2]), u',');
}

}  // namespace
