// The soft-button bar on the real main window: where it stands, what a click does
// (rotation, the editor's request, latching), the visible levels and their rotation,
// floating and attaching again, the on-screen labels, and the values it saves.
#include <gtest/gtest.h>

#include <set>

#include "terminal/core/window/frame_support.h"
#include "terminal/core/testfamily.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/program/commands.h"
#include "terminal/core/window/emuswitch.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/bars/keylabels.h"
#include "terminal/input/bars/softbar.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/settings/store/profile.h"
#include "terminal/core/base/registry.h"

using namespace frame_test;

namespace {

class SoftBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        main_ = MainWindow();
        ASSERT_NE(main_, nullptr);
        SetSoftButtonBarAttached(true, true);
        SetSoftButtonLevels(1, 0, true);
        PumpMessages();
    }
    void TearDown() override
    {
        SetSoftButtonLabelsOnScreen(false);
        SetSoftButtonBarAttached(true, true);
        SetSoftButtonLevels(1, 0, true);
        DeleteSoftButtonDefinitions();
        PumpMessages();
    }
    static std::set<int> Visible()
    {
        std::set<int> codes;
        for (int code = 0; code < 56; ++code)
            if (IsWindowVisible(SoftButtonWindow(code)))
                codes.insert(code);
        return codes;
    }
    static std::set<int> Level(int level)
    {
        std::set<int> codes;
        for (int slot = 0; slot < 14; ++slot)
            codes.insert(level * 14 + slot);
        return codes;
    }
    static void Release(int code, UINT message)
    {
        SendMessageW(SoftButtonWindow(code), message, 0, MAKELPARAM(3, 3));
    }
    static RECT ScreenRect(HWND window)
    {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }
    // A button's place in the bar's client area.
    static RECT BarRect(int code)
    {
        RECT r = ScreenRect(SoftButtonWindow(code));
        MapWindowPoints(nullptr, SoftButtonBarWindow(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // The profile's SOFTBUTTONS values taken as a profile load takes them.
    static void LoadValues()
    {
        KeepCurrentValues = 0;
        LoadSoftButtonSettings();
        ApplySoftButtonSettings();
        PumpMessages();
    }
    HWND main_ = nullptr;
};

TEST_F(SoftBar, AttachedItSitsOnTheStatusBarAndTakesItsHeightFromTheTerminalArea)
{
    HWND bar = SoftButtonBarWindow();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetDlgCtrlID(bar), 9000);
    EXPECT_EQ(GetParent(bar), main_);
    const RECT r = ScreenRect(bar);
    EXPECT_EQ(r.bottom, ScreenRect(StatusBarWindow()).top);
    EXPECT_EQ(GetSoftButtonBarHeight(), r.bottom - r.top);
    EXPECT_EQ(Visible(), Level(0));
    // Two rows of seven across the whole width.
    EXPECT_EQ(ScreenRect(SoftButtonWindow(7)).top, ScreenRect(SoftButtonWindow(0)).bottom);
    EXPECT_EQ(ScreenRect(SoftButtonWindow(6)).right - r.left, (r.right - r.left) / 7 * 7);
}

TEST_F(SoftBar, LevelsRotateFromTheLevelAndNameButtonsUnlessAllShow)
{
    const RECT before = ScreenRect(main_);
    SetSoftButtonLevels(2, 3, true);
    PumpMessages();
    EXPECT_EQ(Visible().size(), 28u);
    EXPECT_EQ(ScreenRect(SoftButtonWindow(42)).top, ScreenRect(SoftButtonBarWindow()).top);  // level 4 first
    // The terminal keeps its rows: the main window grew by the second level's rows.
    const RECT grown = ScreenRect(main_);
    EXPECT_EQ(grown.bottom - grown.top - (before.bottom - before.top), GetSoftButtonBarHeight() / 2);

    Release(42, WM_LBUTTONUP);  // the level button
    EXPECT_EQ(GetSoftButtonLevelOrder(), 0);
    Release(7, WM_LBUTTONUP);  // the level-name button steps back
    EXPECT_EQ(GetSoftButtonLevelOrder(), 3);
    Release(7, WM_MBUTTONUP);
    EXPECT_EQ(GetSoftButtonLevelOrder(), 2);

    SetSoftButtonLevels(4, 2, true);
    SendMessageW(SoftButtonBarWindow(), WM_SYSCOMMAND, kSoftBarNextLevelCommand, 0);
    Release(28, WM_LBUTTONUP);
    EXPECT_EQ(GetSoftButtonLevelOrder(), 2);
    EXPECT_EQ(Visible().size(), 56u);

    SetSoftButtonLevels(0, 2, true);
    EXPECT_EQ(GetVisibleSoftButtonLevels(), 0);
    EXPECT_FALSE(IsWindowVisible(SoftButtonBarWindow()));
    EXPECT_EQ(GetSoftButtonBarHeight(), 0);
}

TEST_F(SoftBar, ARightClickAsksTheEditorForTheButtonAndALatchingButtonStaysDown)
{
    MSG stale;
    while (PeekMessageW(&stale, main_, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
    }
    SoftButtonEditorCode = -1;
    Release(5, WM_RBUTTONUP);
    EXPECT_EQ(SoftButtonEditorCode, 5);
    MSG posted{};
    ASSERT_TRUE(PeekMessageW(&posted, main_, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(LOWORD(posted.wParam), kCmdSoftButtons);
    SoftButtonEditorCode = -1;

    SetSoftButtonLatching(3, true);
    Release(3, WM_LBUTTONUP);
    EXPECT_TRUE(SoftButtonLatched(3));
    Release(3, WM_LBUTTONUP);
    EXPECT_FALSE(SoftButtonLatched(3));
    // A release outside the button is no click.
    SendMessageW(SoftButtonWindow(3), WM_LBUTTONUP, 0, MAKELPARAM(-5, 3));
    EXPECT_FALSE(SoftButtonLatched(3));
    SetSoftButtonLatching(3, false);
}

TEST_F(SoftBar, FloatingItFitsItsButtonsClosesAndAttachesAgain)
{
    SetSoftButtonBarAttached(false, true);
    PumpMessages();
    HWND bar = SoftButtonBarWindow();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(bar, GWL_STYLE) & WS_CHILD, 0);
    EXPECT_EQ(GetSoftButtonBarHeight(), 0);
    EXPECT_EQ(GetDlgItem(main_, 9000), nullptr);

    // Narrowed to three buttons, a level takes five rows of three.
    RECT button;
    GetClientRect(SoftButtonWindow(0), &button);
    RECT frame{0, 0, button.right * 3 + button.right / 2, 50};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(bar, GWL_STYLE)), FALSE, 0);
    SetWindowPos(bar, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    RECT client;
    GetClientRect(bar, &client);
    EXPECT_EQ(client.right, button.right * 3);
    EXPECT_EQ(client.bottom, button.bottom * 5);
    EXPECT_EQ(ScreenRect(SoftButtonWindow(3)).left, ScreenRect(SoftButtonWindow(0)).left);
    EXPECT_EQ(ScreenRect(SoftButtonWindow(3)).top, ScreenRect(SoftButtonWindow(0)).bottom);

    SendMessageW(bar, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindowVisible(bar));
    EXPECT_EQ(GetVisibleSoftButtonLevels(), 0);
    SendMessageW(bar, WM_SYSCOMMAND, kSoftBarAttachCommand, 0);
    PumpMessages();
    EXPECT_TRUE(IsSoftButtonBarAttached());
    EXPECT_EQ(GetDlgItem(main_, 9000), SoftButtonBarWindow());
    EXPECT_TRUE(IsWindowVisible(SoftButtonBarWindow()));
}

TEST_F(SoftBar, OnScreenLabelsLayOutBelowTheRowsAndAPressOnALabelActs)
{
    SetSoftButtonLevels(2, 1, true);
    SetSoftButtonLabelsOnScreen(true);
    const KeyLabelRect* rects = nullptr;
    const int* codes = nullptr;
    ASSERT_EQ(SoftButtonLabelRects(&rects, &codes), 28);
    EXPECT_EQ(codes[0], 14);  // the order starts at level 2
    EXPECT_EQ(codes[14], 28);
    EXPECT_EQ(rects[7].top, rects[0].bottom);
    EXPECT_EQ(rects[14].top, rects[7].bottom);

    const POINT levelLabel{(rects[0].left + rects[0].right) / 2, (rects[0].top + rects[0].bottom) / 2};
    const POINT elsewhere{(rects[3].left + rects[3].right) / 2, levelLabel.y};
    // Released away from the label it pressed: nothing.
    EXPECT_TRUE(ClickScreenKeyLabel(levelLabel, 0));
    EXPECT_TRUE(ClickScreenKeyLabel(elsewhere, 1));
    EXPECT_EQ(GetSoftButtonLevelOrder(), 1);
    EXPECT_TRUE(ClickScreenKeyLabel(levelLabel, 0));
    EXPECT_TRUE(ClickScreenKeyLabel(levelLabel, 1));
    EXPECT_EQ(GetSoftButtonLevelOrder(), 2);
    SoftButtonLabelRects(&rects, &codes);
    EXPECT_EQ(codes[0], 28);
    // Above the labels the screen keeps its clicks.
    EXPECT_FALSE(ClickScreenKeyLabel(POINT{levelLabel.x, rects[0].top - 1}, 0));
    EXPECT_FALSE(ClickScreenKeyLabel(levelLabel, 1));
}

TEST_F(SoftBar, SavedValuesAreThoseThatDifferFromTheFactory)
{
    SetSoftButtonBarAttached(false, true);
    SetSoftButtonLevels(3, 2, true);
    PumpMessages();
    HKEY key = SettingsCreateSection(CurrentProfileName(), L"SOFTBUTTONS");
    ASSERT_NE(key, nullptr);
    SaveSoftButtonSettings();
    KeepCurrentValues = 0;
    EXPECT_EQ(SettingsReadDword(key, L"Attached", 9, 1), 0u);
    EXPECT_EQ(SettingsReadDword(key, L"cSoftButtonLevelView", 9, 1), 3u);
    EXPECT_EQ(SettingsReadDword(key, L"Order", 9, 0), 2u);
    EXPECT_GT(SettingsReadDword(key, L"w", 0, 0), 0u);
    // The other tests load this profile: what was saved here goes again.
    for (const wchar_t* name : {L"Attached", L"cSoftButtonLevelView", L"Order", L"x", L"y", L"w", L"h",
                                L"Level0Vis", L"Level1Vis", L"Level2Vis", L"Level3Vis"})
        SettingsDeleteValue(key, name);
    SettingsCloseKey(key);
}

// The buttons are made again with the new language's texts and stand where they stood.
TEST_F(SoftBar, ALanguageChangeMakesTheButtonsAgain)
{
    HWND before = SoftButtonWindow(1);
    LanguageModuleTable[1].found = 1;
    SelectLanguage(1);
    PumpMessages();
    EXPECT_FALSE(IsWindow(before));
    ASSERT_NE(SoftButtonWindow(1), nullptr);
    EXPECT_EQ(Visible(), Level(0));
    EXPECT_EQ(ScreenRect(SoftButtonBarWindow()).bottom, ScreenRect(StatusBarWindow()).top);
    wchar_t caption[kSoftButtonCaptionUnits];
    SoftButtonCaption(0, caption);
    EXPECT_STREQ(caption, L"Level 1");
    SelectLanguage(0);
    LanguageModuleTable[1].found = 0;
    PumpMessages();
}

// A printer session's own window takes the keys: the bar goes while it runs, the
// terminal area takes its rows, and both come back after it.
TEST_F(SoftBar, APrinterSessionHidesTheBar)
{
    static const FamilyHooks kPrinter{
        .name = "printer session",
        .emulations = EmulationBit(kEmuTa6530),
        .windowTakesKeys = [] { return true; },
    };
    StartHost();
    const FreedEmulations freed(kPrinter.emulations);
    ASSERT_TRUE(RegisterFamily(&kPrinter));
    ASSERT_TRUE(IsWindowVisible(SoftButtonBarWindow()));
    const u8 was = EmulationId;
    SelectEmulation(was, kEmuTa6530);
    PumpMessages();
    EXPECT_FALSE(IsWindowVisible(SoftButtonBarWindow()));
    EXPECT_EQ(GetSoftButtonBarHeight(), 0);
    SelectEmulation(kEmuTa6530, kDefaultEmulationId);
    PumpMessages();
    UnregisterFamily(&kPrinter);
    EXPECT_TRUE(IsWindowVisible(SoftButtonBarWindow()));
    EXPECT_GT(GetSoftButtonBarHeight(), 0);
    EXPECT_EQ(ScreenRect(SoftButtonBarWindow()).bottom, ScreenRect(StatusBarWindow()).top);
}

// A floating bar takes a button's own place from the profile, under the levels shown
// above that button's level; the other buttons keep their cells.
TEST_F(SoftBar, AFloatingBarKeepsTheButtonPlacesOfItsProfile)
{
    HKEY key = SettingsCreateSection(CurrentProfileName(), L"SOFTBUTTONS");
    ASSERT_NE(key, nullptr);
    const i32 place[4] = {5, 3, 60, 20};
    SettingsWriteBinaryBytes(key, L"3", place, sizeof place);
    SettingsWriteDword(key, L"Attached", 0);
    LoadValues();
    ASSERT_FALSE(IsSoftButtonBarAttached());
    RECT r = BarRect(3);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 3);
    EXPECT_EQ(r.right, 60);
    EXPECT_EQ(r.bottom, 20);
    EXPECT_EQ(BarRect(4).left, BarRect(2).right + (BarRect(2).right - BarRect(2).left)) << "a cell between";

    SetSoftButtonLevels(2, 3, true);  // level 4 on top, then level 1
    PumpMessages();
    r = BarRect(3);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top - BarRect(0).top, 3);
    EXPECT_GT(BarRect(0).top, 0);

    SettingsDeleteValue(key, L"3");
    SettingsDeleteValue(key, L"Attached");
    SettingsCloseKey(key);
    LoadValues();
}

}  // namespace
