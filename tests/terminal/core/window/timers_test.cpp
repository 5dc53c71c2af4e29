// Timers, idle work, the bell and the window title, in-process.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <string>
#include <thread>
#include <vector>

#include "frame_support.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/ticks.h"
#include "terminal/core/program/commands.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/window/bell.h"
#include "terminal/core/window/timers.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/paint/geometry.h"
#include "terminal/settings/store/connsettings.h"

using namespace frame_test;

namespace {

struct BeepCall {
    DWORD frequency, duration, thread;
};
std::vector<BeepCall> g_beeps;

BOOL WINAPI RecordBeep(DWORD frequency, DWORD duration)
{
    g_beeps.push_back({frequency, duration, GetCurrentThreadId()});
    return TRUE;
}

std::wstring WindowTitle()
{
    wchar_t text[512] = L"";
    GetWindowTextW(MainWindowHandle, text, 512);
    return text;
}

int ThreadsOfThisProcess()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int n = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        n += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return n;
}

TEST(Bell, AHostBelBeepsOnTheUserInterfaceThread)
{
    StartHost();
    BeepSound = RecordBeep;
    SoundSchemePresent = 0;
    StartupOptions.bell = 1;
    g_beeps.clear();
    FeedHost("\a");
    ASSERT_TRUE(PumpUntil([] { return !g_beeps.empty(); }, 5000));
    EXPECT_EQ(g_beeps[0].frequency, 1000u);
    EXPECT_EQ(g_beeps[0].duration, 150u);
    EXPECT_EQ(g_beeps[0].thread, GetCurrentThreadId());

    // The "Bell" option off swallows it; with a sound scheme the system beep sounds.
    for (auto [bell, scheme] : {std::pair{0u, 0u}, std::pair{1u, 1u}}) {
        StartupOptions.bell = bell;
        SoundSchemePresent = scheme;
        g_beeps.clear();
        FeedHost("\a");
        PumpUntil([] { return false; }, 600);
        EXPECT_TRUE(g_beeps.empty()) << bell << scheme;
        EXPECT_EQ(BellPending.load(), 0);
    }
    StartupOptions.bell = 1;
    SoundSchemePresent = 0;
    BeepSound = Beep;
}

TEST(WindowTitle, FromTitleSubtitleAndProfile)
{
    MainWindow();
    const StringSlots saved = Slots;
    struct Case {
        const wchar_t *title, *subtitle, *profile, *want;
    } cases[] = {
        {L"Foo", L"Bar", L"P", L"Foo - Bar"},
        {L"Foo", L"   ", L"P", L"Foo"},
        {L"Foo", L"", L"P", L"Foo (P)"},
        {L"Foo", L"", L"", L"Foo"},
    };
    for (const Case& c : cases) {
        CopyText(Slots.windowTitle, kSlotUnits, c.title);
        CopyText(Slots.windowSubtitle, kSlotUnits, c.subtitle);
        CopyText(Slots.profileName, kSlotUnits, c.profile);
        UpdateWindowTitle(MainWindowHandle);
        EXPECT_EQ(WindowTitle(), c.want);
    }
    // Full slots on every side still fit.
    CopyText(Slots.windowTitle, kSlotUnits, std::wstring(600, L't').c_str());
    CopyText(Slots.windowSubtitle, kSlotUnits, std::wstring(600, L's').c_str());
    UpdateWindowTitle(MainWindowHandle);
    EXPECT_EQ(WindowTitle(), std::wstring(kSlotUnits - 1, L't') + L" - " + std::wstring(kSlotUnits - 1, L's'));

    // From another thread the title is posted, and set when this thread runs its queue.
    CopyText(Slots.windowTitle, kSlotUnits, L"From");
    CopyText(Slots.windowSubtitle, kSlotUnits, L"Worker");
    std::thread([] { UpdateWindowTitle(MainWindowHandle); }).join();
    EXPECT_NE(WindowTitle(), L"From - Worker");
    PumpMessages();
    EXPECT_EQ(WindowTitle(), L"From - Worker");
    Slots = saved;
}

TEST(Timers, TheTickCountsDownAndWakesTheLoop)
{
    MainWindow();
    PumpMessages();
    // The host-data thread (when another test started it) runs the idle step, which
    // re-arms some countdowns: it waits while they are counted here.
    ASSERT_TRUE(HoldHostDataThread(HostGate::Switch, 5000));
    TimerCountdownSet& c = Countdowns;
    c.secondDivider = 4;
    c.seconds = 0;
    c.printJobIdle = 2;
    c.printer3270Idle = 0;
    c.blink = 3;
    c.cursorPosition = 1;
    for (int tick = 0; tick < 8; ++tick)
        TimerTick();
    EXPECT_EQ(c.seconds.load(), 2u);
    EXPECT_EQ(c.printJobIdle.load(), 0u);
    EXPECT_EQ(c.printer3270Idle.load(), 0u);
    EXPECT_EQ(c.blink.load(), 0);
    EXPECT_EQ(c.cursorPosition.load(), 0u);
    ReleaseHostDataThread(HostGate::Switch);
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, MainWindowHandle, WM_APP, WM_APP, PM_REMOVE));
}

TEST(Timers, CellRectangles)
{
    int r0, c0, r1, c1;
    EXPECT_EQ(CellRectFromPixels(RECT{0, 0, 80, 32}, 8, 16, 79, &r0, &c0, &r1, &c1), 2);
    EXPECT_EQ(std::vector<int>({r0, c0, r1, c1}), std::vector<int>({0, 0, 2, 10}));
    EXPECT_EQ(CellRectFromPixels(RECT{9, 17, 85, 40}, 8, 16, 79, &r0, &c0, &r1, &c1), 2);
    EXPECT_EQ(std::vector<int>({r0, c0, r1, c1}), std::vector<int>({1, 1, 3, 11}));
    CellRectFromPixels(RECT{0, 0, 2000, 16}, 8, 16, 79, &r0, &c0, &r1, &c1);
    EXPECT_EQ(c1, 79);
}

TEST(Timers, AKeyboardLockFromAWorkerIsPostedAndTimesOut)
{
    MainWindow();
    SetKeyboardLocked(false);
    std::thread([] { LockKeyboardTimed(1); }).join();
    EXPECT_FALSE(KeyboardLocked());
    PumpMessages();
    EXPECT_TRUE(KeyboardLocked());
    EXPECT_TRUE(PumpUntil([] { return !KeyboardLocked(); }, 3000));
}

TEST(Commands, ConnectTwiceStartsOneHostDataThread)
{
    MainWindow();
    const int before = ThreadsOfThisProcess();
    const bool running = HostDataThreadRunning();
    PostMessageW(MainWindowHandle, WM_COMMAND, MAKEWPARAM(kCmdConnect, 3), 0);
    PostMessageW(MainWindowHandle, WM_COMMAND, MAKEWPARAM(kCmdConnect, 3), 0);
    PumpMessages();
    EXPECT_TRUE(HostDataThreadRunning());
    EXPECT_LE(ThreadsOfThisProcess(), before + (running ? 0 : 1));
}

}  // namespace

namespace {

TEST(Commands, FactoryDefaultAsksFirstThenStartsAfresh)
{
    StartHost();
    FeedHost("\r\nbefore-factory");
    ASSERT_TRUE(PumpUntil([] { return OnScreen("before-factory"); }, 5000));
    LocalEcho = 1;
    {
        MessageBoxAnswerer cancel(IDCANCEL);
        FactoryDefault(MainWindowHandle, true);
        ASSERT_EQ(cancel.Texts(), std::vector<std::wstring>{L"Confirm Factory Default"});
    }
    EXPECT_EQ(LocalEcho.load(), 1u) << "Cancel changes nothing";
    {
        MessageBoxAnswerer ok(IDOK);
        FactoryDefault(MainWindowHandle, true);
        EXPECT_EQ(ok.Texts().size(), 1u);
    }
    EXPECT_EQ(LocalEcho.load(), 0u);
    EXPECT_EQ(EmulationId.load(), 2);
    for (const std::string& line : StoreLines())
        EXPECT_EQ(line.find("before-factory"), std::string::npos);
    FeedHost("\r\nafter-factory");
    EXPECT_TRUE(PumpUntil([] { return OnScreen("after-factory"); }, 5000));
}

}  // namespace
