#include "terminal/core/base/commandids.h"
#include "terminal/core/window/dialogs/dialogs.h"

#include <gtest/gtest.h>

#include <string>

#include "terminal/comms/telnet/netsession.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/testwindow.h"

namespace {

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[300] = {};
    GetDlgItemTextW(dialog, id, text, 300);
    return text;
}

std::wstring Caption(HWND window)
{
    wchar_t text[300] = {};
    GetWindowTextW(window, text, 300);
    return text;
}

class SmallDialogs : public ::testing::Test {
protected:
    void SetUp() override { BindEnglishModule(); }
    HWND Open(int templateId, DLGPROC procedure)
    {
        return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), main_.hwnd(), procedure,
                                  0);
    }
    TestMainWindow main_;
};

TEST_F(SmallDialogs, VersionLineCarriesTheSystemSuffixAndTheBuildStamp)
{
    struct Case {
        i32 code;
        const wchar_t* line;
    } cases[] = {
        {34, L" Version 1.6.1 (Windows 2000 - [x86]) Build A4CBC"},
        {36, L" Version 1.6.1 (Windows XP - [x86]) Build A4CBC"},
        {32, L" Version 1.6.1 (Windows NT3.x - [x86]) Build A4CBC"},
        {16, L" Version 1.6.1 (Win9x\\Me) Build A4CBC"},
        {0, L" Version 1.6.1 (Win32 - [x86]) Build A4CBC"},
        {33, L" Version 1.6.1 (Windows NT4.0 - [x86]) Build A4CBC"},
    };
    for (const Case& c : cases) {
        wchar_t line[255];
        FormatVersionLine(line, 255, c.code);
        EXPECT_STREQ(line, c.line) << c.code;
    }
}

TEST_F(SmallDialogs, AboutBoxTexts)
{
    const i32 saved = OsVersionCode;
    OsVersionCode = 34;
    HWND about = Open(kDlgAbout, AboutDialogProc);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(Caption(about), L"About Terminal Emulation ");
    EXPECT_EQ(ItemText(about, kCtlAboutDescription), L"Terminal Emulation");
    EXPECT_EQ(ItemText(about, kCtlAboutVersion), L" Version 1.6.1 (Windows 2000 - [x86]) Build A4CBC");
    EXPECT_EQ(ItemText(about, IDOK), L"OK");
    DestroyWindow(about);
    OsVersionCode = saved;
}

TEST_F(SmallDialogs, ClosingAsksOnlyWithWarnOnExitAndAnOpenConnection)
{
    // No connection is open in the test: neither setting asks.
    EXPECT_TRUE(ConfirmClose(0));
    EXPECT_TRUE(ConfirmClose(1));

    HWND ask = Open(kDlgConfirmExit, ConfirmExitProc);
    ASSERT_NE(ask, nullptr);
    EXPECT_EQ(ItemText(ask, kCtlExitQuestion),
              L"Your network session is still active. Exiting vexaterm  will close the connection.");
    EXPECT_EQ(ItemText(ask, IDCANCEL), L"Cancel");
    DestroyWindow(ask);

    HWND session = Open(kDlgConfirmSessionClose, ConfirmSessionCloseProc);
    ASSERT_NE(session, nullptr);
    EXPECT_EQ(ItemText(session, kCtlSessionCloseText), L"Your current session will be closed.");
    DestroyWindow(session);
}

TEST_F(SmallDialogs, HostClosedReconnectsOrExitsThroughTheCloseCommand)
{
    HWND closed = Open(kDlgHostClosed, HostClosedProc);
    ASSERT_NE(closed, nullptr);
    EXPECT_EQ(ItemText(closed, kCtlHostClosedText), L"The Host has closed the connection");
    EXPECT_EQ(ItemText(closed, kCtlReconnect), L"&Reconnect");
    EXPECT_EQ(ItemText(closed, kCtlExitProgram), L"&Exit");
    ConnectionStartState = 0;
    SendMessageW(closed, WM_COMMAND, kCtlReconnect, 0);
    EXPECT_EQ(ConnectionStartState.load(), 2u);
    DestroyWindow(closed);

    closed = Open(kDlgHostClosed, HostClosedProc);
    SendMessageW(closed, WM_COMMAND, kCtlExitProgram, 0);
    MSG msg{};
    bool exitPosted = false;
    while (PeekMessageW(&msg, main_.hwnd(), WM_COMMAND, WM_COMMAND, PM_REMOVE))
        exitPosted = exitPosted || LOWORD(msg.wParam) == kCmdExit;
    EXPECT_TRUE(exitPosted);
    DestroyWindow(closed);
    ConnectionStartState = 0;
}

}  // namespace
