#include "terminal/core/paint/cellcolours.h"

#include <gtest/gtest.h>

#include "terminal/core/screen/charsets.h"
#include "terminal/settings/store/colours.h"

namespace {

class CellColoursTest : public ::testing::Test {
protected:
    void SetUp() override { SetFactoryAttributeColours(); }
    void TearDown() override { SetFactoryAttributeColours(); }
};

constexpr u8 kBlink = 0x01, kReverse = 0x02, kUnderline = 0x04, kBold = 0x08, kInvisible = 0x10;

TEST_F(CellColoursTest, FactoryColoursOfEachRendition)
{
    struct Case {
        const char* what;
        u8 rendition;
        bool marked, phaseOn, r4;
        CellColourPair want;
    } cases[] = {
        {"plain", 0, false, true, false, {7, 4}},
        {"bold is bright", kBold, false, true, false, {15, 4}},
        {"reverse", kReverse, false, true, false, {4, 7}},
        {"marked", 0, true, true, false, {4, 7}},
        {"marked reverse shows normal colours", kReverse, true, true, false, {7, 4}},
        {"bold reverse", kBold | kReverse, false, true, false, {4, 15}},
        {"blink keeps colours in either phase", kBlink, false, false, false, {7, 4}},
        {"R4 brightens a blinking background", kBlink, false, false, true, {7, 12}},
        {"written and protected bits play no part", 0x60, false, true, false, {7, 4}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComputeCellColours(0x47, c.rendition, c.marked, c.phaseOn, c.r4), c.want) << c.what;
}

TEST_F(CellColoursTest, TableBytesDecideWhichEffectsShow)
{
    AttributeColours& t = AttributeColourTable;
    // Reverse with colours of its own: green on red, then exchanged.
    t.frg[AttributeIndexOf(kReverse)] = 0x20 | 2;
    t.bck[AttributeIndexOf(kReverse)] = 0x80 | 1;
    EXPECT_EQ(ComputeCellColours(0x47, kReverse, false, true, false), (CellColourPair{1, 2}));
    // Reverse not honoured without the inverse flag.
    t.frg[AttributeIndexOf(kReverse)] = 7;
    t.bck[AttributeIndexOf(kReverse)] = 0;
    EXPECT_EQ(ComputeCellColours(0x47, kReverse, false, true, false), (CellColourPair{7, 4}));
    // Bold not brightened without the bright flag.
    t.frg[AttributeIndexOf(kBold)] = 7;
    EXPECT_EQ(ComputeCellColours(0x47, kBold, false, true, false), (CellColourPair{7, 4}));
    // Flashing with own colours exchanges them in the off phase only.
    t.frg[AttributeIndexOf(kBlink)] = 0x10 | 3;
    t.bck[AttributeIndexOf(kBlink)] = 0x80 | 5;
    EXPECT_EQ(ComputeCellColours(0x47, kBlink, false, true, false), (CellColourPair{3, 5}));
    EXPECT_EQ(ComputeCellColours(0x47, kBlink, false, false, false), (CellColourPair{5, 3}));
    // The table is indexed by combination: underline bold is its own entry.
    t.frg[AttributeIndexOf(kUnderline | kBold)] = 0x40 | 2;
    t.bck[AttributeIndexOf(kUnderline | kBold)] = 0x80 | 6;
    EXPECT_EQ(ComputeCellColours(0x47, kUnderline | kBold, false, true, false), (CellColourPair{2, 6}));
    EXPECT_EQ(ComputeCellColours(0x47, kUnderline, false, true, false), (CellColourPair{7, 4}));
}

TEST_F(CellColoursTest, UnderlineBlinkAndTheCharacterShown)
{
    EXPECT_TRUE(RenditionShowsUnderline(0, kUnderline));
    EXPECT_FALSE(RenditionShowsUnderline(0x10, kUnderline)) << "top half of double height";
    EXPECT_TRUE(RenditionShowsUnderline(0x20, kUnderline)) << "bottom half";
    EXPECT_FALSE(RenditionShowsUnderline(0, kBold));
    AttributeColourTable.frg[AttributeIndexOf(kUnderline)] = 7;
    EXPECT_FALSE(RenditionShowsUnderline(0, kUnderline)) << "table says no underline";

    EXPECT_TRUE(RenditionBlinks(kBlink));
    EXPECT_FALSE(RenditionBlinks(kBlink | kInvisible));
    EXPECT_FALSE(RenditionBlinks(kBold));

    EXPECT_EQ(CellDisplayChar('A', kInvisible, true, false), ' ');
    EXPECT_EQ(CellDisplayChar('A', kBlink, true, false), 'A');
    EXPECT_EQ(CellDisplayChar('A', kBlink, false, false), ' ') << "off phase blanks";
    EXPECT_EQ(CellDisplayChar('A', kBlink, false, true), 'A') << "R4 never blanks";
    EXPECT_EQ(CellDisplayChar('A', 0, false, false), 'A');
    AttributeColourTable.bck[AttributeIndexOf(kBlink)] = 0x80;
    EXPECT_EQ(CellDisplayChar('A', kBlink, false, false), 'A') << "own colours blink instead";
}

TEST_F(CellColoursTest, ControlPicturesOutsidePcModeOrWhenDisplayed)
{
    EXPECT_TRUE(IsControlGlyph(1, 0, false));
    EXPECT_FALSE(IsControlGlyph(1, kCharModePcCodePage, false));
    EXPECT_TRUE(IsControlGlyph(1, kCharModePcCodePage, true));
    EXPECT_FALSE(IsControlGlyph(' ', 0, true));
}

}  // namespace
