// The colour tools of the Attributes page: the colour dialog over the working palette
// and the preview's pixels and blink timer. Xvfb is true-colour, so results are RGB.
#include <gtest/gtest.h>

#include <colordlg.h>

#include <cstring>

#include "terminal/settings/modaldriver.h"
#include "terminal/core/dibcanvas.h"
#include "terminal/core/paint/palette.h"
#include "terminal/core/testwindow.h"
#include "terminal/settings/setup/colourchooser.h"
#include "terminal/settings/store/colours.h"

namespace {

class ColourTools : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = SetupPalette;
        SetupPalette = FactoryVtPalette(false);
    }
    void TearDown() override
    {
        SetupPalette = saved_;
        SetupSelectedPaletteIndex = 0;
    }
    HlsPalette saved_;
    TestMainWindow main_;
};

TEST_F(ColourTools, EntryZeroCannotBeRedefined)
{
    SetupSelectedPaletteIndex = 0;
    bool opened = false;
    modal::Next([&](HWND dialog) {
        opened = true;
        modal::Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(ChooseSetupPaletteColour(main_.hwnd()));
    EXPECT_FALSE(opened);
    modal::Queue().clear();
}

TEST_F(ColourTools, TheDialogStartsAtTheEntryAndCancelKeepsEverything)
{
    SetupSelectedPaletteIndex = 4;  // hue 60 in the DEC order: magenta
    // A first use creates the custom colours; the second must leave them as they are.
    modal::Next([](HWND dialog) { modal::Click(dialog, IDCANCEL); });
    ChooseSetupPaletteColour(main_.hwnd());
    ASSERT_NE(SetupCustomColours(), nullptr);
    COLORREF custom[16];
    std::memcpy(custom, SetupCustomColours(), sizeof custom);
    const HlsPalette before = SetupPalette;

    int red = -1, green = -1, blue = -1;
    modal::Next([&](HWND dialog) {
        red = static_cast<int>(GetDlgItemInt(dialog, COLOR_RED, nullptr, FALSE));
        green = static_cast<int>(GetDlgItemInt(dialog, COLOR_GREEN, nullptr, FALSE));
        blue = static_cast<int>(GetDlgItemInt(dialog, COLOR_BLUE, nullptr, FALSE));
        modal::Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(ChooseSetupPaletteColour(main_.hwnd()));
    EXPECT_EQ(red, 255);
    EXPECT_EQ(green, 0);
    EXPECT_EQ(blue, 255);
    EXPECT_TRUE(SetupPalette == before);
    EXPECT_EQ(std::memcmp(custom, SetupCustomColours(), sizeof custom), 0);
}

// The preview drawn into a DIB: its background and whether the sample's colour shows.
class PreviewPixels : public ::testing::Test {
protected:
    static constexpr RECT kSample{0, 0, 160, 40};
    DibCanvas canvas_{160, 40};

    void Paint(u8 fore, u8 back)
    {
        const AttributeLook look = AttributeEffects(fore, back, {});
        PaintAttributePreview(canvas_.dc(), nullptr, kSample, look, 0);
    }
    int Count(int index)
    {
        int n = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 160; ++x)
                n += canvas_.At(x, y) == PaletteRgb(index);
        return n;
    }
};

TEST_F(PreviewPixels, NormalInverseAndHidden)
{
    Paint(0x02, 0x04);  // green text on blue
    EXPECT_EQ(canvas_.At(0, 0), PaletteRgb(4));
    EXPECT_GT(Count(2), 20);
    Paint(0x22, 0x04);  // inverse: blue text on green
    EXPECT_EQ(canvas_.At(0, 0), PaletteRgb(2));
    EXPECT_GT(Count(4), 20);
    Paint(0x02, 0x14);  // hidden: nothing but the background
    EXPECT_EQ(Count(4), 160 * 40);
}

TEST_F(ColourTools, FlashingRunsTheBlinkTimer)
{
    const RECT sample{0, 0, 100, 20};
    DrawAttributePreview(main_.hwnd(), sample, 0x17, 0x00, {}, 0);
    EXPECT_TRUE(PreviewBlinkRunning());
    DrawAttributePreview(main_.hwnd(), sample, 0x07, 0x00, {}, 0);
    EXPECT_FALSE(PreviewBlinkRunning());
    EXPECT_FALSE(KillTimer(main_.hwnd(), kPreviewBlinkTimer)) << "stopping killed timer 100";
    DrawAttributePreview(main_.hwnd(), sample, 0x17, 0x00, {}, 0);
    EXPECT_TRUE(KillTimer(main_.hwnd(), kPreviewBlinkTimer)) << "timer 100 runs while the sample flashes";
    StopPreviewBlink(main_.hwnd());
}

}  // namespace
