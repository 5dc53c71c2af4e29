// The DG family in the program: its rows painted into a DIB section (the colours of a
// reverse cell by its look and the selection, compressed rows in cells of 1/135 of the
// width), and its "DG410" section in the test prefix's registry.
#include <gtest/gtest.h>

#include "../../core/dibcanvas.h"
#include "../../settings/regfixture.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/ticks.h"
#include "terminal/core/window/idle.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/emulations/dg/dgcolours.h"
#include "terminal/emulations/dg/dgpaint.h"
#include "terminal/emulations/dg/dgscreen.h"
#include "terminal/emulations/dg/dgstate.h"

namespace {

constexpr int kCell = 9, kLine = 16;

class DgPaint : public regtest::RegistryTest {
protected:
    int savedWidth = 0, savedHeight = 0;
    void SetUp() override
    {
        RegistryTest::SetUp();
        savedWidth = BaseCellWidth;
        savedHeight = BaseLineHeight;
        SetCellSize(kCell, kLine);
        BlinkPhaseOn = 1;
        ASSERT_TRUE(DgEnter());
    }
    void TearDown() override
    {
        DgReleaseFonts();
        LeaveDgState();
        SetCellSize(savedWidth, savedHeight);
        RegistryTest::TearDown();
    }
    // A blank cell of the colour byte and rendition at (row, column).
    static void Put(int row, int column, u8 colour, u8 rendition)
    {
        Dg.rows[row]->cells[column] = ScreenCell{' ', colour, rendition, 0};
    }
};

TEST_F(DgPaint, AReverseCellShowsItsColoursExchangedOnlyWhereItsLookSaysSo)
{
    DibCanvas canvas(81 * kCell, 24 * kLine);
    const int area = kCell * kLine;
    // Colour byte 0x42: foreground 2 on background 4.
    Put(0, 0, 0x42, kDgReverse);
    Put(0, 1, 0x42, kDgReverse);
    Dg.rows[0]->cells[1].flags |= kCellSelected;
    DgRepaintRegion(0, 0, 0, 1);
    EXPECT_EQ(canvas.Count(2, 0, 0, kCell, kLine), area) << "factory frgiv: exchanged";
    EXPECT_EQ(canvas.Count(4, kCell, 0, 2 * kCell, kLine), area) << "selected: exchanged twice";

    DgColours.frg[kDgReverse] = 7;  // frgiv without 0x20
    DgRepaintRegion(0, 0, 0, 1);
    EXPECT_EQ(canvas.Count(4, 0, 0, kCell, kLine), area) << "not exchanged";
}

TEST_F(DgPaint, ACompressedRowPaintsToColumn134InCellsOf1Of135OfTheWidth)
{
    DibCanvas canvas(81 * kCell, 24 * kLine);
    DgSetWindowWidth(true);
    for (int c = 0; c < kDgColumns; ++c)
        Put(3, c, 0x30, 0);
    Put(3, 134, 0x50, 0);
    DgRepaintRegion(3, 0, 3, 200);
    const int narrow = 81 * kCell / 135;
    EXPECT_EQ(canvas.Count(3, 0, 3 * kLine, 134 * narrow, 4 * kLine), 134 * narrow * kLine);
    EXPECT_EQ(canvas.Count(5, 134 * narrow, 3 * kLine, 135 * narrow, 4 * kLine), narrow * kLine);
    EXPECT_EQ(canvas.Count(0, 135 * narrow, 3 * kLine, 81 * kCell, 4 * kLine), (81 * kCell - 135 * narrow) * kLine)
        << "nothing past column 134";
    // A normal row: 81 columns of the full cell.
    Put(4, 80, 0x50, 0);
    DgSetWindowWidth(false);
    DgRepaintRegion(4, 0, 4, 200);
    EXPECT_EQ(canvas.Count(5, 80 * kCell, 4 * kLine, 81 * kCell, 5 * kLine), kCell * kLine);
}

TEST_F(DgPaint, FactoryColoursLeaveTheProfileWithoutTheSection)
{
    CopyText(Slots.profileName, kSlotUnits, L"P");
    PerUserProfile = 1;
    SettingsSelectRoot(1);
    DgColours = DgFactoryColours();
    DgPalette = DgFactoryPalette();
    SaveDgColours();
    EXPECT_FALSE(regtest::KeyExists(HKEY_CURRENT_USER, L"Profiles\\P\\DG410"));
    // A changed value is written alone; back at the factory value it is deleted.
    DgColours.bckscrn = 4;
    SaveDgColours();
    EXPECT_EQ(regtest::ValueNames(HKEY_CURRENT_USER, L"Profiles\\P\\DG410"),
              std::vector<std::wstring>{L"bckscrn"});
    DgColours.bckscrn = 0;
    SaveDgColours();
    EXPECT_TRUE(regtest::ValueNames(HKEY_CURRENT_USER, L"Profiles\\P\\DG410").empty());
}

TEST_F(DgPaint, APaletteWithoutItsSaturationLoadsTheFactoryPalette)
{
    CopyText(Slots.profileName, kSlotUnits, L"P");
    const u16 hue[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    const u16 lightness[16] = {50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50};
    regtest::Seed(HKEY_CURRENT_USER, L"Profiles\\P\\DG410", L"hue", REG_BINARY, hue, sizeof hue);
    regtest::Seed(HKEY_CURRENT_USER, L"Profiles\\P\\DG410", L"lightness", REG_BINARY, lightness, sizeof lightness);
    regtest::SeedDword(HKEY_CURRENT_USER, L"Profiles\\P\\DG410", L"frgiv", 7);
    DgPalette.entry[3] = HlsEntry{1, 2, 3};
    SettingsSelectRoot(1);
    KeepCurrentValues = 0;
    LoadDgColours();
    EXPECT_EQ(DgPalette, DgFactoryPalette());
    EXPECT_EQ(DgColours.frg[kDgReverse], 7) << "the other values are read";
    // With the saturation too, the stored palette counts.
    regtest::Seed(HKEY_CURRENT_USER, L"Profiles\\P\\DG410", L"saturation", REG_BINARY, lightness,
                  sizeof lightness);
    LoadDgColours();
    EXPECT_EQ(DgPalette.entry[0], (HlsEntry{1, 50, 50}));
}

}  // namespace
