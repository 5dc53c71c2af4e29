// The soft-font decoder: geometry by model, sixel rows, the set's positions and the
// erase rules.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "terminal/emulations/dec/controls/softfont.h"

namespace {

constexpr u8 kVt420 = 8, kVt220 = 4, kVt320 = 6, kVt100 = 0;

bool Begin(std::vector<u16> p, u8 model)
{
    return BeginSoftFontLoad(p.data(), static_cast<int>(p.size()), model);
}

void Load(const std::string& name, const std::string& data)
{
    SetSoftFontName(reinterpret_cast<const u8*>(name.data()), static_cast<int>(name.size()));
    for (char c : data)
        FeedSoftFontByte(static_cast<u8>(c));
    EndSoftFontLoad();
}

const u16* Glyph(int c)
{
    return SoftFont.glyphs[(c - 32) & 127];
}

class SoftFontTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SoftFont = SoftFontState{};
        ResetSoftFont();
    }
};

TEST_F(SoftFontTest, ResetGivesBlankSpaceAndTheDefaultGlyphElsewhere)
{
    for (int r = 0; r < kSoftFontRows; ++r)
        EXPECT_EQ(Glyph(32)[r], 0);
    // Ten rows shown twice: rows 2k and 2k+1 agree, and the glyph is not blank.
    int ink = 0;
    for (int r = 0; r < kSoftFontRows; r += 2) {
        EXPECT_EQ(Glyph(65)[r], Glyph(65)[r + 1]);
        ink |= Glyph(65)[r];
    }
    EXPECT_NE(ink, 0);
    EXPECT_EQ(std::memcmp(Glyph(33), Glyph(126), sizeof(u16) * kSoftFontRows), 0);
    EXPECT_EQ(SoftFontMatrixWidth(), 8);
    EXPECT_EQ(SoftFontMatrixHeight(), 20);
}

TEST_F(SoftFontTest, GeometryByModelAndParameters)
{
    struct Case {
        std::vector<u16> p;
        u8 model;
        bool valid;
        int maxWidth = 0, width = 0, rows = 0, multiplier = 0, startBit = 0, startRow = 0;
    };
    const Case cases[] = {
        // Model defaults (Pcmw 0), text cell.
        {{1, 1, 1, 0, 0, 0, 0, 0}, kVt220, true, 8, 7, 10, 2, 0x8000, 0},
        {{1, 1, 1, 0, 0, 0, 0, 0}, kVt320, true, 15, 12, 12, 1, 0x8000 >> 1, 0},
        {{1, 1, 1, 0, 2, 2, 0, 0}, kVt320, true, 9, 9, 12, 1, 0x8000, 0},
        {{1, 1, 1, 0, 1, 1, 0, 0}, kVt420, true, 10, 8, 16, 1, 0x8000 >> 1, 0},
        {{1, 1, 1, 0, 12, 1, 0, 0}, kVt420, true, 6, 5, 10, 2, 0x8000, 0},
        {{1, 1, 1, 0, 21, 2, 0, 0}, kVt420, true, 10, 10, 8, 2, 0x8000, 0},
        {{1, 1, 1, 0, 1, 1, 0, 0}, kVt100, true, 10, 9, 20, 1, 0x8000, 0},
        // Explicit cells; the text cell centres a smaller height.
        {{1, 1, 1, 3, 1, 1, 0, 0}, kVt420, true, 8, 6, 10, 2, 0x8000 >> 1, 0},
        {{1, 1, 1, 2, 1, 1, 8, 0}, kVt100, true, 8, 5, 10, 2, 0x8000 >> 1, 1},
        {{1, 1, 1, 8, 1, 1, 10, 0}, kVt420, true, 10, 8, 10, 2, 0x8000 >> 1, 0},
        {{1, 1, 1, 8, 1, 1, 12, 0}, kVt420, true, 10, 8, 16, 1, 0x8000 >> 1, 2},
        {{1, 1, 1, 10, 1, 1, 16, 0}, kVt100, true, 10, 10, 20, 1, 0x8000, 2},
        {{1, 1, 1, 12, 1, 2, 12, 0}, kVt420, true, 15, 12, 12, 1, 0x8000, 0},
        // Invalid: parameters out of range, a width the model lacks, too tall a cell.
        {{2}, kVt420, false},
        {{1, 96}, kVt420, false},
        {{1, 1, 3}, kVt420, false},
        {{1, 1, 1, 1}, kVt420, false},
        {{1, 1, 1, 16}, kVt420, false},
        {{1, 1, 1, 0, 11}, kVt100, false},
        {{1, 1, 1, 0, 3}, kVt420, false},
        {{1, 1, 1, 0, 1, 3}, kVt420, false},
        {{1, 1, 1, 0, 1, 1, 21}, kVt100, false},
        {{1, 1, 1, 9, 1, 1, 0}, kVt220, false},
        {{1, 1, 1, 8, 1, 1, 14}, kVt320, false},
        {{1, 1, 1, 12, 1, 1, 13}, kVt420, false},
        {{1, 1, 1, 0, 1, 1, 18}, kVt420, false},
        {{1, 1, 1, 0, 1, 1, 0, 2}, kVt420, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.p) + " model " + std::to_string(c.model));
        ASSERT_EQ(Begin(c.p, c.model), c.valid);
        if (!c.valid)
            continue;
        const SoftFontLoadParameters& p = SoftFont.params;
        EXPECT_EQ(p.maxWidth, c.maxWidth);
        EXPECT_EQ(p.width, c.width);
        EXPECT_EQ(p.maxRows, c.rows);
        EXPECT_EQ(p.multiplier, c.multiplier);
        EXPECT_EQ(p.startBit, c.startBit);
        EXPECT_EQ(p.startRow, c.startRow);
    }
}

TEST_F(SoftFontTest, SixelsFillColumnsFromTheLeftSixRowsAtATime)
{
    // vt420, full cell 10 x 16: '~' sets all six bits, '@' only the top one, '?' none.
    ASSERT_TRUE(Begin({1, 1, 1, 10, 1, 2, 16, 0}, kVt420));
    Load(" @", "~@?~/@;~");
    const u16* a = Glyph(33);
    EXPECT_EQ(a[0], 0x8000 | 0x4000 | 0x1000);
    for (int r = 1; r < 6; ++r)
        EXPECT_EQ(a[r], 0x8000 | 0x1000) << r;
    EXPECT_EQ(a[6], 0x8000);  // the second sixel row
    EXPECT_EQ(a[7], 0);
    EXPECT_EQ(Glyph(34)[0], 0x8000);
    EXPECT_EQ(SoftFont.set96, 0);
    EXPECT_EQ(SoftFont.changed, 1);
}

TEST_F(SoftFontTest, TheFourthSixelRowOfATwentyRowGlyphStaysInsideTheGlyph)
{
    // A model with 20-row glyphs: the fourth sixel row covers rows 18-23, and a text
    // cell 16 rows high starts two rows down, reaching further still.
    for (u8 cellHeight : {0, 16}) {
        SCOPED_TRACE(cellHeight);
        SoftFont = SoftFontState{};
        ResetSoftFont();
        ASSERT_TRUE(Begin({1, 1, 1, 10, 1, 1, cellHeight, 0}, kVt100));
        std::string sixelRow(10, '~');
        Load("B", sixelRow + "/" + sixelRow + "/" + sixelRow + "/" + sixelRow + "/" + sixelRow + ";~");
        const int start = SoftFont.params.startRow;
        for (int r = 0; r < kSoftFontRows; ++r)
            EXPECT_EQ(Glyph(33)[r], r >= start ? 0xFFC0 : 0) << r;
        // The glyph after it is loaded intact.
        EXPECT_EQ(Glyph(34)[start], 0x8000);
        EXPECT_EQ(Glyph(34)[start + 6], 0);
    }
}

TEST_F(SoftFontTest, LoadingStopsAtTheLastPositionOfTheSet)
{
    // A 96-character set may fill 32-127, a 94-character set 33-126; glyphs beyond
    // the set's end are dropped, whatever the start position.
    struct Case {
        u16 startPcn, setSize;
        int firstStored, lastStored;
    };
    for (const Case& c :
         {Case{0, 1, 32, 127}, Case{94, 1, 126, 127}, Case{1, 0, 33, 126}, Case{94, 0, 126, 126}}) {
        SCOPED_TRACE(c.startPcn * 10 + c.setSize);
        SoftFont = SoftFontState{};
        ResetSoftFont();
        ASSERT_TRUE(Begin({1, c.startPcn, 2, 10, 1, 2, 16, c.setSize}, kVt420));
        std::string data;
        for (int i = 0; i < 110; ++i)
            data += "@;";  // every glyph: a single pixel top left
        Load("A", data);
        for (int ch = 32; ch < 128; ++ch) {
            const bool stored = ch >= c.firstStored && ch <= c.lastStored;
            EXPECT_EQ(Glyph(ch)[0] == 0x8000, stored) << ch;
        }
        // The slots no character of a set reaches are never written.
        for (int slot = 96; slot < kSoftFontSlots; ++slot)
            for (int r = 0; r < kSoftFontRows; ++r)
                ASSERT_EQ(SoftFont.glyphs[slot][r], 0) << slot;
        EXPECT_EQ(SoftFont.set96, c.setSize);
    }
}

TEST_F(SoftFontTest, EraseControlAndNameDecideWhatIsKept)
{
    ASSERT_TRUE(Begin({1, 1, 1, 10, 1, 2, 16, 0}, kVt420));
    Load("A", "~;~");  // 33 and 34
    const u16 loaded = Glyph(33)[0];
    const u16 defaultTop = Glyph(40)[0];
    // Same name, erase control 1: only the character it loads changes.
    ASSERT_TRUE(Begin({1, 2, 1, 10, 1, 2, 16, 0}, kVt420));
    Load("A", "@");
    EXPECT_EQ(Glyph(33)[0], loaded);
    EXPECT_EQ(Glyph(34)[0], 0x8000);
    // Same name, erase control 0: everything else returns to the default glyph.
    ASSERT_TRUE(Begin({1, 2, 0, 10, 1, 2, 16, 0}, kVt420));
    Load("A", "~");
    EXPECT_EQ(Glyph(33)[0], defaultTop);
    // A new name erases all, even with erase control 1.
    ASSERT_TRUE(Begin({1, 1, 1, 10, 1, 2, 16, 0}, kVt420));
    Load("B", "@");
    EXPECT_EQ(Glyph(34)[0], defaultTop);
    const u16 nameB[] = {'B'};
    const u16 nameA[] = {'A'};
    EXPECT_TRUE(SoftFontNameMatches(nameB, 1));
    EXPECT_FALSE(SoftFontNameMatches(nameA, 1));
    ForgetSoftFontName();
    EXPECT_FALSE(SoftFontNameMatches(nameB, 1));
    EXPECT_EQ(Glyph(33)[0], 0x8000);  // the glyphs stay
}

}  // namespace
