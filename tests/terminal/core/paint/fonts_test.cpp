#include "terminal/core/paint/fonts.h"

#include <gtest/gtest.h>

#include <cwchar>

#include "terminal/core/dibcanvas.h"
#include "terminal/core/screen/charsets.h"
#include "terminal/core/screen/paintsettings.h"

namespace {

TEST(Fonts, DoubleSizeVariantsKeepTheLinePitch)
{
    DibCanvas canvas(100, 100);
    SetCellSize(10, 20);
    SelectLineFont(0, 0);
    EXPECT_EQ(CellWidth, 10);
    const int normalHeight = FontHeight();
    SelectLineFont(0, kFontTopHalf);
    EXPECT_GE(FontHeight(), 2 * normalHeight - 2);
    EXPECT_EQ(LineHeight, 20);
    SelectLineFont(0, kFontDoubleWidth | kFontBottomHalf);
    EXPECT_EQ(CellWidth, 20);
    EXPECT_EQ(AdvanceArray()[131], 20) << "every character advances by the current cell";
    SelectWidthFont(false);
    EXPECT_EQ(CellWidth, 10);
    EXPECT_EQ(LineWidthPixels, 800);
}

TEST(Fonts, FaceListsAndTheFaceIndexAreClamped)
{
    DibCanvas canvas(10, 10);
    ASSERT_GT(EnumFontFacesForList(0), 0);
    for (int i = 0; i < FontFaceCount(); ++i)
        EXPECT_NE(FontFaceAt(i), nullptr);
    EXPECT_STREQ(FaceNameForIndex(-5), FontFaceAt(0));
    EXPECT_STREQ(FaceNameForIndex(10000), FontFaceAt(0)) << "a stored index past the list";
    SelectedFaceIndex = 10000;
    EnumFontFacesForList(0);
    EXPECT_EQ(SelectedFaceIndex, 0);
    EXPECT_EQ(FontCharsetForMode(kCharModeGreek), GREEK_CHARSET);
    EXPECT_EQ(FontCharsetForIbmCodePage(29), ANSI_CHARSET);
    EXPECT_EQ(FontCharsetForIbmCodePage(23), RUSSIAN_CHARSET);
    EXPECT_EQ(FontCharsetForIbmCodePage(99), ANSI_CHARSET);
}

TEST(Fonts, AVariablePitchFaceIsNarrowedToTheCell)
{
    DibCanvas canvas(10, 10);
    // Every TrueType face that has Greek is listed, proportional ones too.
    EnumFontFacesForList(kCharModeGreek);
    int proportional = -1;
    for (int i = 0; i < FontFaceCount(); ++i)
        if (std::wcscmp(FontFaceAt(i), L"Liberation Sans") == 0)
            proportional = i;
    ASSERT_GE(proportional, 0) << "Liberation Sans is installed with the test fonts";
    SelectedFaceIndex = proportional;
    MeasureTerminalFont(20, 8, false);
    TEXTMETRICW tm{};
    GetTextMetricsW(ScreenDC, &tm);
    EXPECT_LE(tm.tmMaxCharWidth, 9);
    SelectedFaceIndex = 0;
    EnumFontFacesForList(0);
}

TEST(Fonts, PaletteEndsSnapAndReverseScreenSwapsTheSetters)
{
    DibCanvas canvas(10, 10);
    SetPaletteColour(3, 90, 90, 95);
    EXPECT_EQ(PaletteRgb(3), RGB(255, 255, 255));
    SetPaletteColour(3, 9, 5, 9);
    EXPECT_EQ(PaletteRgb(3), RGB(0, 0, 0));
    SetPaletteColour(3, 50, 0, 100);
    EXPECT_EQ(PaletteRgb(3), RGB(128, 0, 255));
    EXPECT_EQ(TerminalPalette[3], RGB(128, 0, 255)) << "a true-colour display uses the colour itself";

    SetCellForeground(1);
    SetCellBackground(2);
    EXPECT_EQ(GetTextColor(ScreenDC), PaletteRgb(1));
    PaintSettings.reverseScreen = 1;
    InvalidateColourCache();
    SetCellForeground(3);
    EXPECT_EQ(GetBkColor(ScreenDC), PaletteRgb(3));
    PaintSettings.reverseScreen = 0;
    InvalidateColourCache();
}

}  // namespace
