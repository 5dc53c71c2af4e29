#include "terminal/core/window/scrollback.h"

#include <atomic>
#include <mutex>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/paint/geometry.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/window/layout.h"
#include "terminal/core/window/screenwindow.h"
#include "terminal/core/window/selection/selection.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/core/base/uirequests.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/input/bars/toolbars.h"

namespace {

HWND g_bar = nullptr;
bool g_visible = false;
int g_width = 0;
std::atomic<bool> g_refreshPosted{false};

bool Offered()
{
    return StartupOptions.scrollBar != 0;
}

bool OnUserInterfaceThread()
{
    return !MainWindowHandle || GetWindowThreadProcessId(MainWindowHandle, nullptr) == GetCurrentThreadId();
}

// From another thread the bar is refreshed by the user-interface thread: one post
// stands for any number of refreshes asked for meanwhile.
bool PostedInstead()
{
    if (OnUserInterfaceThread())
        return false;
    if (!g_refreshPosted.exchange(true))
        PostMessageW(MainWindowHandle, kMsgScrollBarRefresh, 0, 0);
    return true;
}

// The running family's own screen and scroll bar, or null for the shared store's.
const DisplayHooks* ScrollDisplay()
{
    return ActiveFamily().display;
}

// The ANSI consoles keep no history to scroll back into.
bool ConsoleWithoutHistory()
{
    return IsAnsiConsoleFamily(EmulationId) && FamilyRuns(EmulationId);
}

// Lines the user has scrolled back from the live screen.
int LinesBack()
{
    return Screen.historyTarget - Screen.historyCount;
}

void ApplyRange(int maximum)
{
    if (!g_bar)
        return;
    SetScrollBarVisible(maximum != 0, false);
    if (g_visible) {
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, 0, maximum, 0, ScrollThumbPosition(), 0};
        SetScrollInfo(g_bar, SB_CTL, &info, TRUE);
    }
}

int g_rangeShown = -1;

// Pans asked for on the user-interface thread (scroll bar, wheel) while the host-data
// thread runs. That thread owns the store and moves its line pointers as host data
// scrolls, so it runs the pans itself (ServeViewRequests), at the point where it would
// take a typed key: never under its own writes, never inside a sequence being read.
struct ViewRequest {
    int code;   // a scroll-bar code, or kWheelRequest
    int value;  // the thumb position, or the lines the wheel pans
};
constexpr int kWheelRequest = -1;
// Many more than a user can ask for between two host bytes; past this the reader is
// stuck in a long sequence and a further request is dropped.
constexpr int kMaxViewRequests = 64;
std::mutex g_requestLock;
ViewRequest g_requests[kMaxViewRequests];
int g_requestCount = 0;
// Read between every two host bytes, so the reader takes no lock while nothing waits.
std::atomic<bool> g_requestsWaiting{false};

bool QueuedForHostThread(int code, int value)
{
    if (!HostDataThreadRunning() || OnHostDataThread())
        return false;
    {
        std::lock_guard<std::mutex> guard(g_requestLock);
        ViewRequest* last = g_requestCount ? &g_requests[g_requestCount - 1] : nullptr;
        if (code == kWheelRequest && last && last->code == kWheelRequest)
            last->value += value;  // a spun wheel is one pan of all its lines: none is lost
        else if (g_requestCount < kMaxViewRequests)
            g_requests[g_requestCount++] = ViewRequest{code, value};
        g_requestsWaiting = true;
    }
    WakeHostReader();
    return true;
}

// A drag goes on over the panned view: the selection follows on the window's thread.
void ViewPanned()
{
    if (OnUserInterfaceThread())
        SelectionFollowsView();
    else
        PostUiRequest(kUiViewPanned, 0);
}

void RunScrollBarCommand(int code, int position)
{
    if (const DisplayHooks* display = ScrollDisplay()) {
        if (display->scroll)
            display->scroll(code, position);
        return;
    }
    VtScrollBack(code, position);
}

void RunWheelPan(int lines)
{
    if (lines > 0) {
        PanViewUp(lines);
    } else if (lines < 0) {
        const int room = Screen.multiPage ? Screen.historyCapacity - Screen.firstLine : LinesBack();
        const int n = -lines < room ? -lines : room;
        if (n > 0)
            PanViewDown(n);
    }
    UpdateScrollThumb();
}

}  // namespace

void CreateScrollBar(HINSTANCE instance)
{
    if (!Offered() || g_bar || !MainWindowHandle)
        return;
    const RECT r = ComputeScrollBarRect();
    g_bar = CreateWindowExW(0, L"scrollbar", nullptr, WS_CHILD | WS_CLIPSIBLINGS | SBS_VERT, r.left, r.top,
                            GetSystemMetrics(SM_CXVSCROLL), r.bottom - r.top, MainWindowHandle,
                            reinterpret_cast<HMENU>(kScrollBarId), instance, nullptr);
    g_visible = false;
    g_width = 0;
}

HWND ScrollBarWindow()
{
    return g_bar;
}

RECT ComputeScrollBarRect()
{
    RECT client;
    GetClampedClientRect(MainWindowHandle, &client);
    const int toolbar = GetToolbarHeight();
    const int height = client.bottom - toolbar - GetStatusBarHeight();
    const int width = g_visible ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    const int left = client.right - width;
    return RECT{left, toolbar, left + width, toolbar + (height - GetSoftButtonBarHeight())};
}

void PlaceScrollBar()
{
    if (!g_bar || !g_visible)
        return;
    const RECT r = ComputeScrollBarRect();
    MoveWindow(g_bar, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void InvalidateScrollBar()
{
    if (g_bar)
        InvalidateRect(g_bar, nullptr, FALSE);
}

int GetScrollBarWidth()
{
    return g_width;
}

int GetScrollBarHeight()
{
    const RECT r = ComputeScrollBarRect();
    return r.bottom - r.top;
}

void SetScrollBarVisible(bool show, bool force)
{
    if (!Offered() || !g_bar)
        return;
    if (show == g_visible && !force)
        return;
    g_visible = show;
    if (Iconic || ProfileLoadInProgress)
        return;
    g_width = show ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    if (show)
        PlaceScrollBar();
    ShowWindow(g_bar, show ? SW_SHOW : SW_HIDE);
    // The terminal area is centred in what the bar leaves.
    PlaceScreenWindow();
}

bool ScrollBarVisible()
{
    return g_visible;
}

int GetScrollRangeMax()
{
    if (!Offered())
        return 0;
    if (const DisplayHooks* display = ScrollDisplay())
        return display->scrollRangeMax ? display->scrollRangeMax() : 0;
    if (ConsoleWithoutHistory())
        return 0;
    if (const auto off = ActiveFamily().scrollBarOff; off && off())
        return 0;
    if (Screen.multiPage)
        return Screen.pageLength > Screen.rows ? Screen.pageLength - Screen.rows : 0;
    // The lines written into the history so far: the bar appears with the first one.
    return Screen.historyTarget > 0 ? Screen.historyTarget : 0;
}

int ScrollThumbPosition()
{
    if (const DisplayHooks* display = ScrollDisplay())
        return display->scrollThumb ? display->scrollThumb() : 0;
    if (ConsoleWithoutHistory())
        return 0;
    if (Screen.multiPage)
        return Screen.pageLength == Screen.rows ? 0 : Screen.firstLine;
    // 0 shows the oldest line at the top; the maximum is the live screen.
    return Screen.historyCount;
}

void ResetScrollRange()
{
    if (PostedInstead())
        return;
    g_rangeShown = GetScrollRangeMax();
    ApplyRange(g_rangeShown);
}

void UpdateScrollThumb()
{
    if (PostedInstead())
        return;
    if (!g_bar)
        return;
    // The range grows as the history fills; the bar appears with its first line.
    const int maximum = GetScrollRangeMax();
    if (maximum != g_rangeShown) {
        g_rangeShown = maximum;
        ApplyRange(maximum);
        return;
    }
    if (!g_visible)
        return;
    const int position = ScrollThumbPosition();
    if (GetScrollPos(g_bar, SB_CTL) != position)
        SetScrollPos(g_bar, SB_CTL, position, TRUE);
}

void ServeScrollBarRefresh()
{
    g_refreshPosted = false;
    UpdateScrollThumb();
}

void RefreshScrollRange()
{
    ResetScrollRange();
}

void RefreshScrollThumb()
{
    UpdateScrollThumb();
}

void DispatchScrollBarCommand(int code, int position)
{
    if (QueuedForHostThread(code, position))
        return;
    RunScrollBarCommand(code, position);
    ViewPanned();
}

void VtScrollBack(int code, int position)
{
    if (StatusLineWriting)
        return;
    const bool paged = Screen.multiPage != 0;
    if (paged ? Screen.pageLength <= Screen.rows : Screen.historyTarget <= 0)
        return;
    const bool regionSet = Screen.top != 0 || Screen.bottom != Screen.rows - 1;
    const int page = !paged && regionSet ? Screen.bottom - Screen.top + 1 : Screen.rows;
    // Towards the live screen the view stops there: panning further would push the
    // screen into the history and show the unused lines below it.
    auto down = [paged](int n) {
        const int room = paged ? Screen.historyCapacity - Screen.firstLine : LinesBack();
        if (n > room)
            n = room;
        if (n > 0)
            PanViewDown(n);
    };
    switch (code) {
    case SB_LINEUP: PanViewUp(1); break;
    case SB_LINEDOWN: down(1); break;
    case SB_PAGEUP: PanViewUp(page); break;
    case SB_PAGEDOWN: down(page); break;
    case SB_THUMBPOSITION: {
        const int current = ScrollThumbPosition();
        if (position > current)
            down(position - current);
        else if (position < current)
            PanViewUp(current - position);
        break;
    }
    default: return;
    }
    UpdateScrollThumb();
}

void PanHistoryView(int lines)
{
    if (QueuedForHostThread(kWheelRequest, lines))
        return;
    RunWheelPan(lines);
    ViewPanned();
}

void ServeViewRequests()
{
    if (!g_requestsWaiting)
        return;
    ViewRequest taken[kMaxViewRequests];
    int n = 0;
    {
        std::lock_guard<std::mutex> guard(g_requestLock);
        n = g_requestCount;
        for (int i = 0; i < n; ++i)
            taken[i] = g_requests[i];
        g_requestCount = 0;
        g_requestsWaiting = false;
    }
    for (int i = 0; i < n; ++i) {
        if (taken[i].code == kWheelRequest)
            RunWheelPan(taken[i].value);
        else
            RunScrollBarCommand(taken[i].code, taken[i].value);
    }
    if (n > 0)
        ViewPanned();
}

void RefitHistoryView(int)
{
    // A new row count recomputes the history capacity (and forgets the view), so the
    // bar starts over from the store.
    ResetScrollRange();
    UpdateScrollThumb();
}

void SetScreenRowsKeepCursor(int rows)
{
    const int oldRows = Screen.rows;
    const int column = Screen.cursorColumn;
    const bool keep = KeepWindowSize;
    KeepWindowSize = false;
    if (rows > Screen.pageLength)
        SetScreenPageLength(rows);
    ResizeWindowForRows(rows, true);
    KeepWindowSize = keep;
    RefitHistoryView(oldRows);
    SetMarginLinePointers(0, Screen.rows - 1);
    ResetSavedPageMargins();
    MoveCursorAbsolute(Screen.cursorRow > Screen.rows - 1 ? Screen.rows - 1 : Screen.cursorRow, column);
    FollowCursorInView();
}
