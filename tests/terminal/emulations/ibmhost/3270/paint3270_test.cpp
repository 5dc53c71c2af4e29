// The 3270 row painter into a DIB section: colours by attribute pair and extended
// attribute, non-display fields, graphic-escape symbols, and the national code page a
// session's files give.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/winepath.h"
#include "terminal/core/screen/codepagefiles.h"
#include "terminal/core/base/ticks.h"
#include "terminal/emulations/ibmhost/3270/datastream3270.h"
#include "terminal/emulations/ibmhost/3270/fieldedit3270.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"
#include "terminal/emulations/ibmhost/3270/models3270.h"
#include "terminal/emulations/ibmhost/3270/settings3270.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/dibcanvas.h"

namespace {
constexpr int kCell = 9, kLine = 16;

class Paint3270 : public ::testing::Test {
protected:
    I3270Session s{};
    int savedWidth = 0, savedHeight = 0;

    void SetUp() override
    {
        lstrcpynW(CodePageDirectory, (WindowsPath(VX_TEST_CODEPAGE_DIR) + L"\\").c_str(), kCodePagePathUnits);
        savedWidth = CellWidth;
        savedHeight = LineHeight;
        CellWidth = kCell;
        LineHeight = kLine;
        BlinkPhaseOn = 1;
    }
    void TearDown() override
    {
        CellWidth = savedWidth;
        LineHeight = savedHeight;
        I3270FreeSession(&s);
    }

    void Start(u16 ccsid)
    {
        I3270SetFactorySettings(I3270Config, 0);
        I3270Config.mode = 8;
        I3270Config.sbcsCodePage = I3270Config.sbcsCcsid = ccsid;
        s = I3270Session{};
        I3270InitSession(&s);
        s.recordMode = 1;
    }

    void Command(std::initializer_list<u8> bytes)
    {
        std::vector<u8> b(bytes);
        ASSERT_EQ(I3270ExecuteCommand(&s, b.data() + 1, static_cast<int>(b.size()) - 1, b[0]), 0u);
    }
};
}  // namespace

TEST_F(Paint3270, FieldsPaintByAttributeAndExtendedColours)
{
    DibCanvas canvas(80 * kCell, 25 * kLine);
    Start(37);
    canvas.Clear(5);
    // Reverse red protected text; a non-display field; graphic-escape corners.
    Command({0xF5, 0xC3, 0x29, 0x03, 0xC0, 0x60, 0x41, 0xF2, 0x42, 0xF2, 0xC1,
             0xC1, 0x1D, 0x4C, 0xC2, 0xC2, 0x1D, 0x40, 0x08, 0xC5, 0x08, 0xC5});
    const int cellArea = kCell * kLine;
    // Reverse: the cell's red is the background, the glyph is in the pair's black.
    EXPECT_GT(canvas.Count(2, 1 * kCell, 0, 2 * kCell, kLine), cellArea / 2);
    EXPECT_GT(canvas.Count(0, 1 * kCell, 0, 2 * kCell, kLine), 0);
    // Non-display: blanks on the field's background.
    EXPECT_EQ(canvas.Count(0, 4 * kCell, 0, 6 * kCell, kLine), 2 * cellArea);
    // The upper-left corner symbol has ink only from the middle down and rightwards,
    // where the letter of the same byte would have some at the top.
    EXPECT_EQ(canvas.Count(4, 7 * kCell, 0, 8 * kCell, kLine / 4), 0);
    EXPECT_GT(canvas.Count(4, 7 * kCell, kLine / 2, 8 * kCell, kLine), 0);
    // The operator information area below the screen was painted too.
    EXPECT_LT(canvas.Count(5, 0, 24 * kLine, 80 * kCell, 25 * kLine), 80 * cellArea);
}

TEST_F(Paint3270, NationalCodePageFromItsFiles)
{
    Start(273);
    ASSERT_EQ(s.ccsid, 273);
    Command({0xF5, 0xC3, 0x1D, 0x40, 0x4A, 0x13});
    EXPECT_EQ(HostByteToUnicode(s.s2u, s.cells[1].character), L'\u00C4');
    I3270TypedCharacter(&s, L'\u00C4');
    EXPECT_EQ(s.cells[2].character, 0x4A);
}
