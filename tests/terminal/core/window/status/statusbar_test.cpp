#include "terminal/core/base/uiservices.h"
#include "terminal/core/window/status/statusbar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "terminal/core/base/corestate.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/window/status/statussources.h"
#include "terminal/core/testwindow.h"

namespace {

class StatusBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        BindEnglishModule();
        CreateStatusBar(GetModuleHandleW(nullptr));
        ASSERT_NE(StatusBarWindow(), nullptr);
    }
    void TearDown() override { StatusBarDestroy(); }

    std::wstring TextOf(u32 id)
    {
        wchar_t buffer[kStatusTextUnits];
        StatusBarGetText(id, buffer, kStatusTextUnits);
        return buffer;
    }

    // Wide enough for every field of the VT layout and the filler after them.
    TestMainWindow main_{1100, 600};
};

TEST_F(StatusBar, TheVtLayoutPutsItsFieldsInOrderLeftToRight)
{
    EmulationId = 2;
    VtLayoutStatusBar(GetModuleHandleW(nullptr));
    const std::vector<u32> fields = {kFieldIndicator, 7409, kFieldCursor, 7404, 7405,
                                     kFieldClock,     7415, 10161,        7421, kFieldFiller};
    int left = -1;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(StatusBarFieldIdAt(static_cast<int>(i)), static_cast<i64>(fields[i])) << "slot " << i;
        RECT r{};
        ASSERT_TRUE(StatusBarGetFieldRect(fields[i], &r));
        EXPECT_GT(r.left, left) << "field " << fields[i];
        left = r.left;
    }
    EXPECT_EQ(StatusBarFieldIdAt(10), -1);
    EXPECT_EQ(StatusBarButtonIdAt(0), 7402);
    EXPECT_EQ(StatusBarButtonIdAt(1), 7416);
    RECT indicator{}, name{};
    StatusBarGetFieldRect(kFieldIndicator, &indicator);
    StatusBarGetFieldRect(7409, &name);
    EXPECT_LT(indicator.right, name.left) << "the buttons sit between indicator and name";
    RECT filler{}, bar{};
    StatusBarGetFieldRect(kFieldFiller, &filler);
    GetClientRect(StatusBarWindow(), &bar);
    EXPECT_EQ(filler.right, bar.right - 2);

    EXPECT_EQ(TextOf(7409), L"VT500 7-Bit");
    EXPECT_EQ(TextOf(kFieldCursor), L"1 1(001,001) ");
    EXPECT_EQ(TextOf(7404), L"Overstrike Mode");
    EXPECT_EQ(TextOf(7405), L"") << "emptied outside local edit mode";
    EXPECT_EQ(TextOf(kFieldClock), L"");
    EXPECT_EQ(TextOf(7415), L"Printer:  None      ");
    EXPECT_EQ(TextOf(7421), L"Aux:  None  ");
}

TEST_F(StatusBar, AddingFieldsReplacesByIdAndStopsAtEighteen)
{
    int x = 0;
    for (u32 id = 1; id <= kStatusMaxFields; ++id) {
        x = StatusBarAddField(id, x, 0, L"ab", nullptr);
        ASSERT_GT(x, 0) << id;
    }
    EXPECT_EQ(StatusBarAddField(19, x, 0, L"x", nullptr), -1) << "a 19th field";
    EXPECT_EQ(StatusBarFindField(19), -1);
    const int slot = StatusBarFindField(5);
    EXPECT_GT(StatusBarAddField(5, 0, 0, L"again", nullptr), 0) << "replacing works when full";
    EXPECT_EQ(StatusBarFindField(5), slot);
    EXPECT_EQ(TextOf(5), L"again");
    int count = 0;
    for (int i = 0; i < kStatusMaxFields; ++i)
        count += StatusBarFieldIdAt(i) == 5;
    EXPECT_EQ(count, 1);

    StatusBarSetText(5, L"new");
    EXPECT_EQ(TextOf(5), L"new");
    StatusBarSetText(5, nullptr);
    EXPECT_EQ(TextOf(5), L"");
    EXPECT_EQ(StatusBarAddField(0, 0, 0, L"x", nullptr), -1) << "id 0";
    StatusBarClear();
    EXPECT_EQ(StatusBarFieldIdAt(0), -1);
}

TEST_F(StatusBar, FieldWidthsFollowTheirContentOrTheGivenWidth)
{
    const int natural = StatusBarAddField(1, 10, 0, L"Printer:  Ready     ", nullptr);
    EXPECT_GT(natural, 10 + 20 * 6) << "as wide as the text needs";
    EXPECT_EQ(StatusBarAddField(2, 10, 50, L"Printer:  Ready     ", nullptr), 62) << "the given width wins";
    EXPECT_EQ(StatusBarAddField(3, 10, 5, L"Printer:  Ready     ", nullptr), -1) << "too narrow for the text";
    const int withBitmap = StatusBarAddField(kFieldIndicator, 0, 0, nullptr, L"offline");
    EXPECT_EQ(withBitmap, 16 + 4 + 2) << "bitmap width + 4";
}

TEST_F(StatusBar, CursorFieldAtTheBottomRightCorner)
{
    if (!Screen.lines) {
        ASSERT_TRUE(AllocScreenStore());
    }
    EmulationId = 2;
    VtLayoutStatusBar(GetModuleHandleW(nullptr));
    Screen.cursorRow = 23;
    Screen.cursorColumn = 79;
    StatusBarShowCursorPos();
    EXPECT_EQ(TextOf(kFieldCursor), L"1 1(024,080) ");
    Screen.cursorRow = Screen.cursorColumn = 0;

    wchar_t text[kStatusTextUnits];
    FormatCursorField(text, kStatusTextUnits, 0, 24, 80);
    EXPECT_STREQ(text, L"1 1(024,080) ");
    FormatCursorField(text, kStatusTextUnits, 2, 1, 132);
    EXPECT_STREQ(text, L"1 3(001,132) ");
}

TEST_F(StatusBar, LinkStateRedrawsOnlyOnChange)
{
    EmulationId = 2;
    VtLayoutStatusBar(GetModuleHandleW(nullptr));
    StatusBarLoadIndicator();
    HWND bar = StatusBarWindow();
    ShowWindow(main_.hwnd(), SW_SHOWNOACTIVATE);
    ShowStatusBarWindow();
    ValidateRect(bar, nullptr);
    // A flood toggles active and idle with every buffer: the frame draws the last state.
    StatusBarSetLinkState(2);
    StatusBarSetLinkState(1);
    StatusBarSetLinkState(2);
    EXPECT_EQ(StatusBarLinkState(), 2);
    EXPECT_FALSE(GetUpdateRect(bar, nullptr, FALSE)) << "drawn by the next frame, not at once";
    StatusBarShowLinkState();
    EXPECT_TRUE(GetUpdateRect(bar, nullptr, FALSE));
    ValidateRect(bar, nullptr);
    StatusBarShowLinkState();
    StatusBarSetLinkState(2);
    StatusBarShowLinkState();
    EXPECT_FALSE(GetUpdateRect(bar, nullptr, FALSE)) << "the same state draws nothing";
    StatusBarSetLinkState(7);
    StatusBarSetLinkState(-1);
    EXPECT_EQ(StatusBarLinkState(), 2);
    StatusBarSetLinkState(3);
    StatusBarSetLinkState(1);
    EXPECT_EQ(StatusBarLinkState(), 3) << "idle while connecting still shows connecting";
}

TEST_F(StatusBar, TheLocalButtonSwitchesLocalModeAndShowsOnline)
{
    EmulationId = 2;
    SetStatusLocalMode(false);
    VtLayoutStatusBar(GetModuleHandleW(nullptr));
    const int index = StatusBarFindButton(7402);
    ASSERT_GE(index, 0);
    HWND button = GetDlgItem(StatusBarWindow(), 7402);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(StatusBarButtonState(7402), 0u);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(StatusLocalMode());
    EXPECT_EQ(StatusBarButtonState(7402), 1u) << "down: shows Online";
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5000, 2));
    EXPECT_TRUE(StatusLocalMode()) << "a release outside the button does nothing";
    SetStatusLocalMode(false);
}

}  // namespace
