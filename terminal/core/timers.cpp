#include "terminal/core/timers.h"

#include "terminal/core/testsource.h"

#include "terminal/core/corestate.h"
#include "terminal/core/hostio.h"
#include "terminal/core/language.h"
#include "terminal/core/mainwindow.h"
#include "terminal/core/painting.h"
#include "terminal/core/paintsettings.h"
#include "terminal/core/memblock.h"
#include "terminal/core/startopts.h"
#include "terminal/core/statusbar.h"
#include "terminal/core/uiservices.h"

std::atomic<u8> BlinkPhaseOn{1};

namespace {
std::atomic<int> g_deferredScrolls{0};
constexpr int kDeferredScrollLimit = 33;
bool g_tickRunning = false;
bool g_soundScheme = false;
}  // namespace

void StartProgramTimers(HWND window)
{
    EnsureTickTimer(window);
}

void EnsureTickTimer(HWND window)
{
    if (!g_tickRunning && window)
        g_tickRunning = SetTimer(window, kTimerTick, 250, TimerProc) != 0;
}

void CALLBACK TimerProc(HWND window, UINT, UINT_PTR id, DWORD)
{
    if (id == kTimerTick && window)
        PostMessageW(window, WM_APP, 0, 0);
}

void UpdateWindowTitle(HWND window)
{
    if (!window)
        return;
    wchar_t title[2 * kSlotUnits + 8];
    const wchar16* subtitle = Slots.windowSubtitle;
    bool blankSubtitle = true;
    for (const wchar16* p = subtitle; *p; ++p)
        blankSubtitle = blankSubtitle && *p == L' ';
    if (subtitle[0] && !blankSubtitle)
        _snwprintf(title, std::size(title) - 1, L"%s - %s", Slots.windowTitle, subtitle);
    else if (!subtitle[0] && Slots.profileName[0])
        _snwprintf(title, std::size(title) - 1, L"%s (%s)", Slots.windowTitle, Slots.profileName);
    else
        _snwprintf(title, std::size(title) - 1, L"%s", Slots.windowTitle);
    title[std::size(title) - 1] = 0;
    SetWindowTextW(window, title);
}

int ShutdownTerminal(int)
{
    if (g_tickRunning)
        g_tickRunning = false;
    FreeLanguageModule();
    ShuttingDown = 1;
    return 1;
}

void DetectSoundScheme()
{
    HKEY key;
    g_soundScheme = RegOpenKeyExW(HKEY_CURRENT_USER, L"AppEvents\\Schemes\\Apps\\.Default\\.Default\\.Current",
                                  0, KEY_READ, &key) == ERROR_SUCCESS;
    if (g_soundScheme)
        RegCloseKey(key);
}

void RingBell()
{
    // The sound must block the user-interface thread, never the host-data thread.
    if (g_soundScheme)
        MessageBeep(0);
    else if (MainWindowHandle)
        PostMessageW(MainWindowHandle, kMsgBeep, 1000, 150);
}

void RunIdleUpdates()
{
    if (BellPending.exchange(0) && StartupOptions.bell)
        RingBell();
    StatusBarShowCursorPos();
    TestScreenDump();
}

void CountDeferredScroll()
{
    if (!PaintSettings.jumpScroll)
        return;
    if (++g_deferredScrolls >= kDeferredScrollLimit)
        FlushDeferredScroll();
}

bool DeferredScrollPending()
{
    return g_deferredScrolls > 0;
}

void FlushDeferredScroll()
{
    if (g_deferredScrolls.exchange(0) == 0)
        return;
    RepaintScreenRegion(0, 0, 64, 131);
    RefreshScrollThumb();
}
