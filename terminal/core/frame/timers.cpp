#include "terminal/core/frame/timers.h"

#include <cwchar>

#include "terminal/core/host/testsource.h"

#include "terminal/comms/loginscript.h"
#include "terminal/comms/netsession.h"
#include "terminal/comms/network.h"
#include "terminal/comms/printing.h"
#include "terminal/comms/printjob.h"
#include "terminal/comms/serial.h"
#include "terminal/comms/sockets.h"
#include "terminal/core/paint/cellcolours.h"
#include "terminal/core/frame/commands.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/frame/dialogs.h"
#include "terminal/core/base/family.h"
#include "terminal/core/frame/emuswitch.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/frame/kbhookbind.h"
#include "terminal/core/base/language.h"
#include "terminal/core/frame/mainwindow.h"
#include "terminal/core/frame/selection.h"
#include "terminal/core/paint/painting.h"
#include "terminal/core/paint/paintsettings.h"
#include "terminal/core/base/memblock.h"
#include "terminal/core/frame/messageloop.h"
#include "terminal/core/paint/painting.h"
#include "terminal/core/paint/paintsettings.h"
#include "terminal/core/paint/palette.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/frame/startopts.h"
#include "terminal/core/frame/startup.h"
#include "terminal/core/frame/statusbar.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/frame/uiservices.h"

TimerCountdownSet Countdowns;
std::atomic<u8> BlinkPhaseOn{1};
std::atomic<u32> SoundSchemePresent{0};
BOOL(WINAPI* BeepSound)(DWORD frequency, DWORD duration) = Beep;

namespace {
bool g_tickRunning = false;
bool g_keyboardTimerRunning = false;
constexpr int kSmallIconId = 702;

// -1 while above 0; true when this step took it to 0.
template <typename T>
bool CountDown(std::atomic<T>& counter)
{
    T value = counter.load();
    while (value > 0)
        if (counter.compare_exchange_weak(value, static_cast<T>(value - 1)))
            return value == 1;
    return false;
}

// A family with blinking text of its own redraws it itself.
bool FamilyRedrawsBlinking()
{
    auto redraw = ActiveFamily().redrawBlinking;
    if (!redraw)
        return false;
    redraw();
    return true;
}

// Repaints the runs of blinking cells of one line of the shared store.
void RedrawBlinkingLine(ScreenLineRecord* line, int row)
{
    if (!line || !(line->cells[0].flags & kLineBlinks))
        return;
    const u8 lineFlags = line->cells[0].flags & kLineAttrBits;
    const bool doubleWidth = lineFlags & kLineDoubleWidth;
    const int first = doubleWidth ? 0 : Screen.horizontalOffset;
    int last = first + Screen.windowColumns - 1;
    if (doubleWidth)
        last = first + Screen.windowColumns / 2 - 1;
    if (last > Screen.lastColumn)
        last = Screen.lastColumn;
    bool any = false;
    for (int c = first; c <= last;) {
        if (!RenditionBlinks(line->cells[c].rendition)) {
            ++c;
            continue;
        }
        int end = c;
        while (end + 1 <= last && RenditionBlinks(line->cells[end + 1].rendition))
            ++end;
        any = true;
        PaintRowSegment(line->cells + first, row, c - first, end - first, lineFlags);
        c = end + 1;
    }
    if (!any)
        line->cells[0].flags &= static_cast<u8>(~kLineBlinks);
}

void IdleDisplayRefresh()
{
    if (auto refresh = ActiveFamily().idleRefresh) {
        refresh();
        return;
    }
    // The generic emulations refresh the cursor position of their status line about once
    // a second.
    if (Countdowns.cursorPosition == 0) {
        Countdowns.cursorPosition = 4;
        StatusBarShowCursorPos();
    }
}

void FormatTitle(wchar_t* title, std::size_t capacity)
{
    const wchar16* subtitle = Slots.windowSubtitle;
    bool blankSubtitle = true;
    for (const wchar16* p = subtitle; *p; ++p)
        blankSubtitle = blankSubtitle && *p == L' ';
    const bool serialOpen = ConfiguredSerialPortOpen();
    if (subtitle[0]) {
        if (blankSubtitle)
            _snwprintf(title, capacity - 1, L"%s", Slots.windowTitle);
        else
            _snwprintf(title, capacity - 1, L"%s - %s", Slots.windowTitle, subtitle);
    } else if (!NetworkConnectionOpen() && !serialOpen) {
        if (Slots.profileName[0])
            _snwprintf(title, capacity - 1, L"%s (%s)", Slots.windowTitle, Slots.profileName);
        else
            _snwprintf(title, capacity - 1, L"%s", Slots.windowTitle);
    } else {
        _snwprintf(title, capacity - 1, L"%s (%s) %s", Slots.windowTitle, Slots.profileName,
                   serialOpen ? Slots.connectionTarget : Slots.networkHostShown);
    }
    title[capacity - 1] = 0;
}

}  // namespace

bool PostUiRequest(WPARAM request, LPARAM argument)
{
    return MainWindowHandle && PostMessageW(MainWindowHandle, kMsgUiRequest, request, argument);
}

void StartProgramTimers(HWND window)
{
    StartTickTimer(window);
}

void StartTickTimer(HWND window)
{
    if (!g_tickRunning && window)
        g_tickRunning = SetTimer(window, kTimerTick, 250, TimerProc) != 0;
}

void EnsureTickTimer(HWND window)
{
    StartTickTimer(window);
}

void StopTickTimer(HWND window)
{
    if (g_tickRunning && window)
        KillTimer(window, kTimerTick);
    g_tickRunning = false;
}

void CALLBACK TimerProc(HWND window, UINT, UINT_PTR id, DWORD)
{
    switch (id) {
    case kTimerTick:
        TimerTick();
        break;
    case kTimerKeyboardUnlock:
        SetKeyboardLocked(false);
        KillTimer(window, kTimerKeyboardUnlock);
        g_keyboardTimerRunning = false;
        break;
    case kTimerSerialBreak:
        KillTimer(window, kTimerSerialBreak);
        break;
    }
}

void TimerTick()
{
    TimerCountdownSet& c = Countdowns;
    u32 divider = c.secondDivider.load();
    divider = divider > 0 ? divider - 1 : 0;
    if (divider < 1) {
        divider = 4;
        ++c.seconds;
        CountDown(c.printJobIdle);
        CountDown(c.printer3270Idle);
    }
    c.secondDivider = divider;
    // The message loop turns at least four times a second, so a pending emulation
    // switch is served and the host-data thread is woken.
    if (!InWindowProc && MainWindowHandle)
        PostMessageW(MainWindowHandle, WM_APP, 0, 0);
    CountDown(c.tooltip);
    CountDown(c.keyEvent);
    CountDown(c.cursorPosition);
    CountDown(c.blink);
    CountDown(JumpScroll.countdown);
    c.selectionUpdateDue = 1;
    TestStatusDump();
    // A drag held beyond the screen's edge goes on scrolling the view.
    UpdateSelectionDrag();
}

void RunIdleUpdates()
{
    if (BellPending.exchange(0) && StartupOptions.bell)
        RingBell();
    TestScreenDump();
    if (!CursorUpdatesSuspended)
        IdleDisplayRefresh();
    if (!Iconic) {
        TimerCountdownSet& c = Countdowns;
        if (c.blink == 0) {
            if (CursorShown && PaintSettings.cursorStyle < 2 && CursorScreenColumn() != -1)
                ToggleTextCursor(1);
            if (c.blinkPhase == 0)
                BlinkTick();
            c.blinkPhase = c.blinkPhase ? 0 : 1;
            c.blink = 1;
        }
        if (JumpScroll.countdown == 0)
            FlushDeferredScroll();
    }
    if (PrintJob.delayed && Countdowns.printJobIdle == 0)
        CloseDelayedPrintJob();
}

void RingBell()
{
    // The sound blocks the user-interface thread, never the host-data thread.
    if (SoundSchemePresent)
        MessageBeep(static_cast<UINT>(-1));
    else if (MainWindowHandle)
        PostMessageW(MainWindowHandle, kMsgBeep, 1000, 150);
}

void BlinkTick()
{
    BlinkPhaseOn = BlinkPhaseOn ? 0 : 1;
    if (FamilyRedrawsBlinking() || !Screen.lines)
        return;
    const int pageIndex = Screen.multiPage ? ActivePage() : 0;
    const int base = Screen.firstLine + (Screen.multiPage ? pageIndex * Screen.pageLength : 0);
    for (int row = 0; row < Screen.rows; ++row)
        RedrawBlinkingLine(LineAt(base + row), row);
}

int CellRectFromPixels(const RECT& pixels, int cellWidth, int cellHeight, int lastColumn, int* firstRow,
                       int* firstColumn, int* lastRow, int* lastColumnOut)
{
    if (cellWidth < 1 || cellHeight < 1)
        return 0;
    *firstColumn = pixels.left / cellWidth;
    int last = pixels.right / cellWidth + (pixels.right % cellWidth ? 1 : 0);
    *lastColumnOut = last > lastColumn ? lastColumn : last;
    *firstRow = pixels.top / cellHeight;
    *lastRow = pixels.bottom / cellHeight + (pixels.bottom % cellHeight ? 1 : 0);
    return pixels.bottom / cellHeight;
}

void LockKeyboardTimed(u32 seconds)
{
    if (!OnUserInterfaceThread()) {
        PostUiRequest(kUiLockKeyboard, static_cast<LPARAM>(seconds));
        return;
    }
    if (!MainWindowHandle || KeyboardLocked())
        return;
    if (SetTimer(MainWindowHandle, kTimerKeyboardUnlock, seconds * 1000, TimerProc)) {
        g_keyboardTimerRunning = true;
        SetKeyboardLocked(true);
    }
}

void UnlockKeyboardTimer(HWND window)
{
    if (!KeyboardLocked())
        return;
    if (g_keyboardTimerRunning)
        KillTimer(window, kTimerKeyboardUnlock);
    g_keyboardTimerRunning = false;
    SetKeyboardLocked(false);
}

void UpdateWindowTitle(HWND window)
{
    if (!window)
        return;
    if (!OnUserInterfaceThread()) {
        // SetWindowTextW would send to the user-interface thread.
        PostUiRequest(kUiUpdateTitle, 0);
        return;
    }
    wchar_t title[3 * kSlotUnits + 8];
    FormatTitle(title, std::size(title));
    if (HICON icon = LoadIconW(InstanceHandle, MAKEINTRESOURCEW(kSmallIconId)))
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SetWindowTextW(window, title);
}

void HandleUiRequest(WPARAM request, LPARAM argument)
{
    switch (request) {
    case kUiUpdateTitle: UpdateWindowTitle(MainWindowHandle); break;
    case kUiLockKeyboard: LockKeyboardTimed(static_cast<u32>(argument)); break;
    case kUiUpdateConnectionMenu: UpdateConnectionMenu(); break;
    case kUiPrintWindows: ServePrintWindowRequest(argument); break;
    case kUiClearSelection: ClearSelectionMarks(); break;
    }
}

int ShutdownTerminal(int warnOnExit)
{
    if (!ConfirmClose(warnOnExit))
        return 0;
    // Every worker stops before anything it writes into is released.
    StopHostDataThread();
    ShutdownPrinting();
    StopLoginScript();
    StopWorkerThreads();
    WaitForPasteThread();

    CursorDisabled = 1;
    if (StatusBarWindow())
        ShowWindow(StatusBarWindow(), SW_HIDE);
    if (MainWindowHandle)
        ShowWindow(MainWindowHandle, SW_HIDE);
    if (EmulationId != kDefaultEmulationId || GetEmulationFromFlags() != 0) {
        const u8 from = EmulationId;
        RequestEmulation(from, kDefaultEmulationId);
        SelectEmulation(from, kDefaultEmulationId);
    }
    if (SocketIndex >= 0) {
        DisconnectNetworkSession(SocketIndex);
        SocketIndex = kNoSocket;
    }
    FreeLanguageModule();
    StatusBarDestroy();
    if (MainWindowHandle) {
        KillTimer(MainWindowHandle, kTimerSerialBreak);
        KillTimer(MainWindowHandle, kTimerKeyboardUnlock);
    }
    StopTickTimer(MainWindowHandle);
    g_keyboardTimerRunning = false;
    FreeHookModule();
    MemFreeAllBlocks();
    if (StartupOptions.menuBar)
        DestroyMenus();
    ShuttingDown = 1;
    SocketCleanup();
    return 1;
}

void StopActiveEmulation()
{
    // The family that runs is stopped (none but the DEC VT family's: it has nothing to
    // stop).
    const u8 running = GetEmulationFromFlags();
    const u8 id = IsVtFamily(running) ? kNoEmulation : running;
    const u32 starting = StartingUp.exchange(1);
    const u32 loading = ProfileLoadInProgress.exchange(1);
    RequestEmulation(id, kDefaultEmulationId);
    SelectEmulation(id, kDefaultEmulationId);
    ProfileLoadInProgress = loading;
    StartingUp = starting;
}

u8 GetDefaultEmulationId()
{
    return kDefaultEmulationId;
}

void SetPaletteFromHls(const HlsPalette& table)
{
    for (int i = 0; i < kPaletteEntries; ++i) {
        const HlsEntry& e = table.entry[i];
        const RgbPercent rgb = HlsToRgb(e.hue, e.lightness, e.saturation);
        SetPaletteColour(i, rgb.red, rgb.green, rgb.blue);
    }
}

void DetectSoundScheme()
{
    HKEY key;
    const bool present = RegOpenKeyExW(HKEY_CURRENT_USER, L"AppEvents\\Schemes\\Apps\\.Default\\.Default\\.Current",
                                       0, KEY_READ, &key) == ERROR_SUCCESS;
    if (present)
        RegCloseKey(key);
    SoundSchemePresent = present ? 1 : 0;
}
