// How DG cells look: the colours of each attribute combination, reverse shown or not,
// the selection, dim as the other intensity, underline and blink by the colour settings,
// and the Setup copy the Attributes page edits.
#include "dg_fixture.h"

#include "terminal/core/base/family.h"
#include "terminal/emulations/dg/dglook.h"
#include "terminal/emulations/dg/dgsettings.h"
#include "terminal/settings/setup/attributelists.h"
#include "terminal/settings/setup/setupcolours.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setupfamily.h"

namespace {

constexpr u8 kColour = 0x42;  // foreground 2 on background 4

TEST_F(DgTest, ReverseIsShownByTheLookOfItsCombination)
{
    const struct {
        u8 frgiv;
        bool selected;
        DgRunLook look;
    } cases[] = {
        {39, false, {4, 2}},  // factory frgiv (0x27): exchanged
        {7, false, {2, 4}},   // without 0x20: as it is
        {39, true, {2, 4}},   // selected: exchanged twice
        {7, true, {4, 2}},
    };
    for (const auto& c : cases) {
        DgColours.frg[kDgReverse] = c.frgiv;
        const DgRunLook look = DgRunColours(c.selected, kDgReverse, kColour);
        EXPECT_EQ(look.foreground, c.look.foreground) << int(c.frgiv) << " " << c.selected;
        EXPECT_EQ(look.background, c.look.background) << int(c.frgiv) << " " << c.selected;
    }
}

TEST_F(DgTest, OwnColoursAndDimAsTheOtherIntensity)
{
    // The factory dim look: the colour's other intensity.
    EXPECT_EQ(DgRunColours(false, kDgDim, 0x07).foreground, 15);
    // A combination with colours of its own (bck 0x80) takes them.
    DgColours.frg[kDgUnderline] = 0x40 | 3;
    DgColours.bck[kDgUnderline] = 0x80 | 5;
    const DgRunLook look = DgRunColours(false, kDgUnderline, kColour);
    EXPECT_EQ(look.foreground, 3);
    EXPECT_EQ(look.background, 5);
    EXPECT_TRUE(DgRunShowsUnderline(kDgUnderline));
    DgColours.frg[kDgUnderline] = 3;
    EXPECT_FALSE(DgRunShowsUnderline(kDgUnderline)) << "the look lacks 0x40";
}

TEST_F(DgTest, BlinkingCellsBlankOnlyWhereTheirLookBlinks)
{
    EXPECT_TRUE(DgBlinkBlanks(3, kDgBlink, false));
    EXPECT_FALSE(DgBlinkBlanks(3, kDgBlink, true)) << "the on phase shows it";
    EXPECT_FALSE(DgBlinkBlanks(3, 0, false));
    DgColours.frg[kDgBlink] = 7;  // frgfl without 0x10: never blinks
    EXPECT_FALSE(DgBlinkBlanks(3, kDgBlink, false));
    DgColours.frg[kDgBlink] = 23;
    Dg.blinkDisabled = 1;
    EXPECT_FALSE(DgBlinkBlanks(3, kDgBlink, false));
    Dg.blinkDisabled = 0;
    // A row outside the cursor's window never blanks.
    Feed("\036FB0:00>0");
    EXPECT_FALSE(DgBlinkBlanks(15, kDgBlink, false));
    EXPECT_TRUE(DgBlinkBlanks(5, kDgBlink, false));
}

TEST_F(DgTest, TheAttributesPageEditsTheDgColoursNotTheVtTable)
{
    const AttributeElementList* list = DgSetup.attributeList(kEmuDg410);
    ASSERT_NE(list, nullptr);
    const u16 vtNormal = SetupCopy.attributeColours[kCopyFrgFirst];
    DgSetup.fill();
    // Entry 6 is "Inverse (IV)": frgiv.
    EXPECT_EQ(list->table[list->entries[6].foreground], 39);
    list->table[list->entries[1].foreground] = 0x02;  // "Normal" foreground colour 2
    list->table[list->entries[2].background] = 0x01;  // "Screen" colour 1
    Feed("ab");
    DgSetup.applyColours();
    EXPECT_EQ(DgColours.frg[0], 0x02);
    EXPECT_EQ(DgColours.bckscrn, 0x01);
    EXPECT_EQ(SetupCopy.attributeColours[kCopyFrgFirst], vtNormal) << "the VT copy is untouched";
    // Written cells keep their background, blank ones take the new screen colour; both
    // take the new normal foreground.
    EXPECT_EQ(Cell(0, 0).colour, 0x02);
    EXPECT_EQ(Cell(0, 5).colour, 0x12);
    // "&Default" puts the factory values back into the copy.
    DgSetup.defaultColours();
    EXPECT_EQ(list->table[list->entries[1].foreground], 7);
}

}  // namespace
