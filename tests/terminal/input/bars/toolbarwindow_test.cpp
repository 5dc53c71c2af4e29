// The bars on the running main window: the attached toolbar above the screen, buttons
// run on release over them (a command, or a text typed instead), the tooltip and its
// delay, and switching to the floating "Button Tools" bar and back.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "terminal/core/base/handles.h"
#include "terminal/core/window/frame_support.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/program/commands.h"
#include "terminal/core/window/timers.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/input/macros/eventtext.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/input/bars/toolbarlayout.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/input/bars/toolbarstate.h"

namespace {

// The command the main window was sent by a button, taken off its queue (0 for none)
// so that nothing opens.
WPARAM TakeCommand()
{
    MSG msg;
    WPARAM command = 0;
    while (PeekMessageW(&msg, MainWindowHandle, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        command = msg.wParam;
    return command;
}

LPARAM Point(POINT p)
{
    return MAKELPARAM(p.x, p.y);
}

POINT Centre(int button)
{
    const ToolbarRect r = AttachedButtonRect(Toolbar, button, ToolbarFaces.small);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void Click(HWND bar, POINT down, POINT up)
{
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, Point(down));
    SendMessageW(bar, WM_LBUTTONUP, 0, Point(up));
}

int ScreenTop()
{
    RECT r;
    GetWindowRect(ScreenWindowHandle, &r);
    MapWindowPoints(nullptr, MainWindowHandle, reinterpret_cast<POINT*>(&r), 2);
    return r.top;
}

class ToolbarWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame_test::UseEnglishModule();
        frame_test::MainWindow();
        SetToolbarType(kToolbarAttached);
        ResetToolbarButtons(Toolbar, ToolbarFaces);
        frame_test::PumpMessages();
        bar = GetDlgItem(MainWindowHandle, kToolbarChildId);
        ASSERT_NE(bar, nullptr);
        TakeCommand();
    }
    void TearDown() override
    {
        DestroyToolTip();
        SetToolbarType(kToolbarAttached);
        ResetToolbarButtons(Toolbar, ToolbarFaces);
    }
    HWND bar = nullptr;
};

TEST_F(ToolbarWindow, AttachedBarSitsAboveTheScreenAndTakesItsHeight)
{
    wchar_t cls[32];
    GetClassNameW(bar, cls, 32);
    EXPECT_STREQ(cls, L"vexaNT1");
    EXPECT_TRUE(IsWindowVisible(bar));
    RECT r;
    GetWindowRect(bar, &r);
    MapWindowPoints(nullptr, MainWindowHandle, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.bottom - r.top, 24);
    EXPECT_EQ(GetToolbarHeight(), 24);
    EXPECT_GE(ScreenTop(), 24) << "the screen window starts below the toolbar";
}

TEST_F(ToolbarWindow, ButtonRunsOnlyWhenReleasedOverIt)
{
    const struct {
        int down, up;
        WPARAM command;
    } cases[] = {{12, 12, 1000}, {0, 0, 1015}, {3, 3, 1074}, {12, 11, 0}, {0, -1, 0}};
    for (const auto& c : cases) {
        const POINT up = c.up < 0 ? POINT{500, 100} : Centre(c.up);
        Click(bar, Centre(c.down), up);
        EXPECT_EQ(TakeCommand(), c.command) << c.down << " -> " << c.up;
        EXPECT_EQ(GetCapture(), nullptr);
    }
    // A press between buttons runs nothing either (it starts the bar's drag outline).
    Click(bar, POINT{28, 10}, POINT{28, 10});
    EXPECT_EQ(TakeCommand(), 0u);
}

TEST_F(ToolbarWindow, ButtonWithTextTypesItInsteadOfItsCommand)
{
    // The host-data thread, started with the window, reads typed input: it waits while
    // the event is taken here.
    ASSERT_TRUE(HoldHostDataThread(HostGate::Switch, 5000));
    ResetInputQueueCounters();
    CopyText(Toolbar.buttons[1].text, kToolbarTextUnits, L"ls^M");
    Click(bar, Centre(1), Centre(1));
    EXPECT_EQ(TakeCommand(), 0u) << "the Open Session command is not run";
    int type, value, extra;
    TakeInputEvent(type, value, extra);
    ReleaseHostDataThread(HostGate::Switch);
    ASSERT_EQ(type, 4) << "a macro-string event";
    const u32 handle = HandleOf(static_cast<u16>(value), static_cast<u16>(extra));
    ASSERT_NE(EventText(handle), nullptr);
    EXPECT_STREQ(EventText(handle), L"ls\r");
    FreeEventText(handle);
}

TEST_F(ToolbarWindow, ToolTipAppearsOnTheFourthTickBesideTheButton)
{
    SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    HWND tip = FindWindowW(L"ToolBarToolTip", nullptr);
    ASSERT_NE(tip, nullptr);
    wchar_t text[80];
    GetWindowTextW(tip, text, 80);
    EXPECT_STREQ(text, L"New Connection...");
    RECT r;
    GetWindowRect(tip, &r);
    POINT corner{2 + 26 - 5, 1 + 22 - 5};
    ClientToScreen(bar, &corner);
    EXPECT_EQ(r.left, corner.x);
    EXPECT_EQ(r.top, corner.y);
    EXPECT_GT(r.right - r.left, 0);
    for (int tick = 1; tick <= 3; ++tick) {
        TimerTick();
        EXPECT_FALSE(IsWindowVisible(tip)) << "tick " << tick;
    }
    TimerTick();
    EXPECT_TRUE(IsWindowVisible(tip));

    SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(20, 15));
    EXPECT_EQ(FindWindowW(L"ToolBarToolTip", nullptr), tip) << "moving within the button keeps it";
    EXPECT_TRUE(IsWindowVisible(tip));

    SendMessageW(bar, WM_MOUSEMOVE, 0, Point(Centre(12)));
    HWND about = FindWindowW(L"ToolBarToolTip", nullptr);
    EXPECT_FALSE(IsWindow(tip)) << "another button replaces it";
    ASSERT_NE(about, nullptr);
    GetWindowTextW(about, text, 80);
    EXPECT_EQ(std::wstring(text).rfind(L"About ", 0), 0u) << text;
    EXPECT_EQ(std::wstring(text).find(L'&'), std::wstring::npos);

    SendMessageW(bar, WM_RBUTTONDOWN, MK_RBUTTON, Point(Centre(12)));
    EXPECT_EQ(FindWindowW(L"ToolBarToolTip", nullptr), nullptr) << "a press removes it";
    SendMessageW(bar, WM_RBUTTONUP, 0, Point(Centre(12)));
}

TEST_F(ToolbarWindow, ButtonWithoutCommandOrTextShowsNoTip)
{
    Toolbar.buttons[2].action = 13;
    SendMessageW(bar, WM_MOUSEMOVE, 0, Point(Centre(2)));
    EXPECT_EQ(FindWindowW(L"ToolBarToolTip", nullptr), nullptr);
    SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(29, 5));  // between buttons
    EXPECT_EQ(FindWindowW(L"ToolBarToolTip", nullptr), nullptr);
}

TEST_F(ToolbarWindow, FloatingBarReplacesTheToolbarAndAttachesAgain)
{
    SetToolbarType(kToolbarFloating);
    frame_test::PumpMessages();
    EXPECT_EQ(GetDlgItem(MainWindowHandle, kToolbarChildId), nullptr);
    EXPECT_EQ(GetToolbarHeight(), 0);
    EXPECT_LT(ScreenTop(), 24) << "the screen window moves up into the toolbar's place";
    HWND floating = FindWindowW(L"vexaNT2", nullptr);
    ASSERT_NE(floating, nullptr);
    EXPECT_TRUE(IsButtonBarWindow(floating));
    EXPECT_TRUE(IsWindowVisible(floating));
    EXPECT_EQ(GetWindow(floating, GW_OWNER), MainWindowHandle);
    wchar_t caption[256];
    GetWindowTextW(floating, caption, 256);
    EXPECT_EQ(std::wstring(caption).rfind(L"Button Tools - ", 0), 0u) << caption;
    RECT client;
    GetClientRect(floating, &client);
    EXPECT_EQ(client.right, 4 * 26 + 5 * 2);
    EXPECT_EQ(client.bottom, 4 * 22 + 5 * 2);

    // The About button at its place in the grid.
    Click(floating, POINT{70, 85}, POINT{70, 85});
    EXPECT_EQ(TakeCommand(), 1000u);

    // Taller: fewer buttons a row, so narrower.
    RECT before;
    GetWindowRect(floating, &before);
    SetWindowPos(floating, nullptr, 0, 0, before.right - before.left, 260, SWP_NOMOVE | SWP_NOZORDER);
    frame_test::PumpMessages();
    GetClientRect(floating, &client);
    EXPECT_LT(client.right, 4 * 26 + 5 * 2);
    EXPECT_GT(client.bottom, 4 * 22 + 5 * 2);

    SendMessageW(floating, WM_SYSCOMMAND, 1, 0);  // "&Attach"
    frame_test::PumpMessages();
    EXPECT_FALSE(IsWindow(floating));
    EXPECT_NE(GetDlgItem(MainWindowHandle, kToolbarChildId), nullptr);
    EXPECT_EQ(GetToolbarHeight(), 24);
    EXPECT_GE(ScreenTop(), 24);
}

TEST_F(ToolbarWindow, PressBetweenButtonsDragsAnOutlineUntilReleased)
{
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(29, 10));
    EXPECT_EQ(GetCapture(), bar);
    // The screen window's moves belong to the drag while it runs.
    EXPECT_TRUE(TrackToolbarDrag(ScreenWindowHandle, MK_LBUTTON, POINT{100, 100}));
    SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, Point(Centre(0)));
    EXPECT_EQ(FindWindowW(L"ToolBarToolTip", nullptr), nullptr) << "no tooltip while dragging";
    SendMessageW(bar, WM_LBUTTONUP, 0, Point(Centre(0)));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(TrackToolbarDrag(ScreenWindowHandle, MK_LBUTTON, POINT{100, 100}));
    EXPECT_EQ(TakeCommand(), 0u);
    EXPECT_EQ(GetToolbarType(), kToolbarAttached) << "the drag leaves the bar where it was";
}

TEST_F(ToolbarWindow, FactoryDefaultBringsBackTheAttachedFactoryBar)
{
    SetToolbarType(kToolbarFloating);
    SetToolbarButton(Toolbar, 13, 2, ToolbarRect{2, 98, 28, 120}, 4, 4, L"x");
    FactoryDefault(MainWindowHandle, false);
    frame_test::PumpMessages();
    TakeCommand();
    EXPECT_EQ(GetToolbarType(), kToolbarAttached);
    EXPECT_NE(GetDlgItem(MainWindowHandle, kToolbarChildId), nullptr);
    EXPECT_EQ(FindWindowW(L"vexaNT2", nullptr), nullptr);
    EXPECT_TRUE(ToolbarButtonsAreFactory(Toolbar));
}

// Chosen while the main window is minimised (as at a minimised start), the floating
// bar stays out of sight and shows when the window is restored.
TEST_F(ToolbarWindow, FloatingBarWaitsForTheMinimisedWindow)
{
    ShowWindow(MainWindowHandle, SW_MINIMIZE);
    frame_test::PumpMessages();
    SetToolbarType(kToolbarFloating);
    HWND floating = FindWindowW(L"vexaNT2", nullptr);
    ASSERT_NE(floating, nullptr);
    EXPECT_FALSE(IsWindowVisible(floating));
    ShowWindow(MainWindowHandle, SW_RESTORE);
    frame_test::PumpMessages();
    EXPECT_TRUE(IsWindowVisible(floating));
}

TEST_F(ToolbarWindow, ClosingTheFloatingBarLeavesNoBar)
{
    SetToolbarType(kToolbarFloating);
    HWND floating = FindWindowW(L"vexaNT2", nullptr);
    ASSERT_NE(floating, nullptr);
    SendMessageW(floating, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(floating));
    EXPECT_EQ(GetToolbarType(), kToolbarNone);
    SetToolbarType(kToolbarNone);
    EXPECT_EQ(GetDlgItem(MainWindowHandle, kToolbarChildId), nullptr);
}

}  // namespace
