// The Attributes page in-process: colours dropped on an element from the grids, the
// palette colour redefined with the colour dialog, and what OK and Cancel make of them.
// Xvfb is true-colour: results are read as RGB.
#include <gtest/gtest.h>

#include <colordlg.h>

#include <cstring>
#include <utility>

#include "terminal/settings/modaldriver.h"
#include "terminal/settings/setupfixture.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/program/commands.h"
#include "terminal/emulations/dec/ansi/ansiconsole.h"
#include "terminal/emulations/dec/ansi/ansipalettes.h"
#include "terminal/emulations/dec/family.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/core/paint/palette.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/setup/setupcopy.h"

namespace {

using modal::Click;
using modal::Enabled;
using modal::Next;

constexpr int kAttributes = 1016;

class AttributesPage : public SetupTest {
protected:
    void SetUp() override
    {
        SetupTest::SetUp();
        SetFactoryAttributeColours();
        Colours = ColourFlags{};
        Colours.keepcolours = 0;
        ApplyColourPalette();
    }
    void TearDown() override
    {
        SetFactoryAttributeColours();
        ApplyColourPalette();
        SetupTest::TearDown();
    }
};

void SelectElement(HWND page, int entry)
{
    SendDlgItemMessageW(page, 2160, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(2160, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, 2160)));
}

// A colour dragged onto a swatch, as the mouse does it.
void DropOn(HWND page, int swatch)
{
    RECT r{};
    GetWindowRect(GetDlgItem(page, swatch), &r);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(page, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(page, WM_LBUTTONUP, 0, at);
}

// The colour dialog that opens next answers dark green.
void NextColourIsGreen()
{
    Next([](HWND colours) {
        SetDlgItemInt(colours, COLOR_RED, 0, FALSE);
        SetDlgItemInt(colours, COLOR_GREEN, 128, FALSE);
        SetDlgItemInt(colours, COLOR_BLUE, 0, FALSE);
        Click(colours, IDOK);
    });
}

COLORREF Rgb(int index)
{
    const u32 bgr = PaletteRgb(index);
    return RGB(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

TEST_F(AttributesPage, ANormalBackgroundAndARedefinedColourReachTheTerminalOnOk)
{
    for (int button : {IDCANCEL, IDOK}) {
        COLORREF previewed = 0;
        Next([&](HWND page) {
            // "Ansi Palette" marks no colour: nothing to redefine.
            EXPECT_FALSE(Enabled(page, 4));
            SelectElement(page, 1);          // "Normal"
            EXPECT_FALSE(Enabled(page, 4));  // colour 0 is marked
            EXPECT_FALSE(Enabled(page, 2211));
            DropOn(page, 2064);
            EXPECT_TRUE(Enabled(page, 4));
            NextColourIsGreen();
            Click(page, 4);
            previewed = Rgb(4);
            Click(page, button);
        });
        OpenSettingsDialog(main_.hwnd(), kAttributes);
        EXPECT_EQ(previewed, RGB(0, 128, 0));
        if (button == IDCANCEL) {
            EXPECT_EQ(AttributeColourTable.bck[0], 0);
            EXPECT_EQ(Rgb(4), RGB(255, 0, 255));
            EXPECT_EQ(VtPalette, FactoryVtPalette(false));
        } else {
            EXPECT_EQ(AttributeColourTable.bck[0], 0x84);
            EXPECT_EQ(Rgb(4), RGB(0, 128, 0));
            EXPECT_EQ(VtPalette.entry[4], (HlsEntry{240, 25, 100}));
        }
    }
}

TEST_F(AttributesPage, TheBoxesFollowTheElementAndChangeItsBytes)
{
    Next([](HWND page) {
        SelectElement(page, 7);  // "UL+IN"
        for (int id : {2215, 2213, 2211})
            EXPECT_TRUE(Enabled(page, id)) << id;
        for (int id : {2212, 2214, 2217, 2218})
            EXPECT_FALSE(Enabled(page, id)) << id;
        EXPECT_EQ(IsDlgButtonChecked(page, 2213), BST_CHECKED);  // factory: underlined
        Click(page, 2213);
        Click(page, 2211);
        SelectElement(page, 2);  // "Screen": one colour, no attributes
        for (int id : {2215, 2213, 2211})
            EXPECT_FALSE(Enabled(page, id)) << id;
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kAttributes);
    EXPECT_EQ(AttributeColourTable.frg[3], 0x87);  // underline gone, intensity kept
    EXPECT_EQ(AttributeColourTable.bck[3], 0x80);
}

TEST_F(AttributesPage, NormalBackgroundIsOfferedWhereTheEmulationsListSaysSo)
{
    // The VT list leaves "Attributes use Normal B&G" off; the 3270's list offers it.
    const u8 running = EmulationId;
    for (auto [emulation, offered] : {std::pair{kEmuVt100, false}, std::pair{kEmuIbm3270, true}}) {
        EmulationId = emulation;
        bool enabled = !offered;
        Next([&](HWND page) {
            enabled = Enabled(page, 2226);
            Click(page, IDCANCEL);
        });
        OpenSettingsDialog(main_.hwnd(), kAttributes);
        EXPECT_EQ(enabled, offered) << int(emulation);
    }
    EmulationId = running;
}

TEST_F(AttributesPage, DefaultAndSwapAreTakenBackByCancel)
{
    AttributeColourTable.frg[1] = 0x8C;
    Next([](HWND page) {
        Click(page, 2222);
        EXPECT_EQ(Rgb(0), RGB(255, 255, 255));
        Click(page, 2222);
        Click(page, 2222);
        Click(page, 3);  // "&Default"
        EXPECT_EQ(SetupCopy.attributeColours[3], 135);
        EXPECT_EQ(SetupCopy.swapBlackWhite, 0);
        Click(page, IDCANCEL);
    });
    OpenSettingsDialog(main_.hwnd(), kAttributes);
    EXPECT_EQ(AttributeColourTable.frg[1], 0x8C);
    EXPECT_EQ(Colours.bwswap, 0);
    EXPECT_EQ(Rgb(0), RGB(0, 0, 0));
}

TEST_F(AttributesPage, WhileAConsoleRunsThePageEditsThePaletteItShows)
{
    // SCO Console runs (as far as the palette goes).
    SetActiveFamily(&AnsiConsoleFamily);
    AnsiConsoleMode = 1;
    AnsiConsole.variant = kEmuScoConsole;
    ScoPalette = FactoryConsolePalette(false);
    ApplyColourPalette();
    Next([](HWND page) {
        SelectElement(page, 1);
        DropOn(page, 2064);
        NextColourIsGreen();
        Click(page, 4);
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kAttributes);
    EXPECT_EQ(ScoPalette.entry[4], (HlsEntry{240, 25, 100}));
    EXPECT_EQ(VtPalette, FactoryVtPalette(false));
    EXPECT_EQ(Rgb(4), RGB(0, 128, 0));
    // "&Default" gives the console's factory colours, not the VT ones.
    ScoPalette.entry[5] = HlsEntry{0, 0, 0};
    Next([](HWND page) {
        Click(page, 3);
        Click(page, IDOK);
    });
    OpenSettingsDialog(main_.hwnd(), kAttributes);
    EXPECT_EQ(ScoPalette, FactoryConsolePalette(false));
    AnsiConsoleMode = 0;
    SetActiveFamily(nullptr);
    ApplyColourPalette();
    EXPECT_EQ(Rgb(4), RGB(255, 0, 255));
}

}  // namespace
