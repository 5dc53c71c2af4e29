#include "terminal/input/bars/softbar.h"

#include <windowsx.h>

#include <cwchar>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/paint/overlays.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/bars/softbarlayout.h"
#include "terminal/input/bars/softbarvalues.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/input/bars/toolbarstate.h"
#include "terminal/settings/store/profile.h"
#include "terminal/core/base/registry.h"

int SoftButtonEditorCode = -1;

namespace {
constexpr wchar_t kClassName[] = L"vxtmwinButtons";
constexpr int kIconId = 700;
constexpr u32 kStrLevel = 3130, kStrSoftButtons = 5018, kStrNextLevel = 6363, kStrAttach = 10125;
constexpr int kFirstButtonId = 1000;
constexpr int kDefaultButtonWidth = 72;
constexpr DWORD kFloatingStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;

struct SoftButtonRecord {
    HWND window;
    WNDPROC previous;
    bool latching, latched;
};

SoftButtonRecord g_buttons[kSoftBarCodes];
HWND g_bar;
SoftBarValues g_values;
bool g_attached = true;
bool g_shown;                             // the bar is wanted on screen
int g_levels = 1;                         // levels shown while the bar is
int g_order;                              // the first visible level
int g_columns = kSoftBarAttachedColumns;  // a floating bar's columns
int g_rowHeight;
bool g_fitting;  // the floating bar is being sized to its buttons

int RowHeight()
{
    if (g_rowHeight)
        return g_rowHeight;
    g_rowHeight = 22;
    if (HDC dc = GetDC(nullptr)) {
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICW metrics;
        if (GetTextMetricsW(dc, &metrics))
            g_rowHeight = metrics.tmHeight + 8;
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
    }
    return g_rowHeight;
}

int ButtonWidth()
{
    return g_values.buttonWidth > 0 ? g_values.buttonWidth : kDefaultButtonWidth;
}

// Printer sessions have no keyboard of their own to stand in for: the bar never shows.
bool BarAllowed()
{
    return !FamilyWindowTakesKeys();
}

bool BarOnScreen()
{
    return g_bar && g_shown && g_levels > 0 && BarAllowed();
}

int CodeOf(HWND button)
{
    for (int code = 0; code < kSoftBarCodes; ++code)
        if (g_buttons[code].window == button)
            return code;
    return -1;
}

void DrawSoftButton(const DRAWITEMSTRUCT& item)
{
    const int code = CodeOf(item.hwndItem);
    if (code < 0)
        return;
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    const bool down = (item.itemState & ODS_SELECTED) || g_buttons[code].latched;
    wchar_t text[kSoftButtonCaptionUnits];
    SoftButtonCaption(code, text);
    HGDIOBJ oldFont = SelectObject(item.hDC, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    RECT textRect = r;
    if (down)
        OffsetRect(&textRect, 1, 1);
    DrawTextW(item.hDC, text, -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(item.hDC, oldFont);
    DrawEdge(item.hDC, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);
}

// Lays the buttons out for the visible levels: seven columns across an attached bar,
// as many as the width holds on a floating one.
void LayOutButtons()
{
    if (!g_bar)
        return;
    RECT client;
    GetClientRect(g_bar, &client);
    const int columns = g_attached ? kSoftBarAttachedColumns : g_columns;
    const int width = g_attached ? client.right / kSoftBarAttachedColumns : ButtonWidth();
    const int height = RowHeight();
    const int visible = g_shown ? g_levels : 0;
    for (int code = 0; code < kSoftBarCodes; ++code) {
        HWND button = g_buttons[code].window;
        if (!button)
            continue;
        SoftBarCell cell;
        const SoftBarButtonPlace& place = g_values.places[code];
        if (SoftBarButtonCell(code, g_order, visible, columns, &cell)) {
            RECT r{cell.column * width, cell.row * height, (cell.column + 1) * width, (cell.row + 1) * height};
            // A place laid out by hand holds in a floating bar, below the levels above it.
            if (!g_attached && place.present) {
                const int level = SoftBarLevelPosition(g_order, visible, code / kSoftButtonSlots);
                const int top = level * SoftBarRowsPerLevel(columns) * height;
                r = RECT{place.left, top + place.top, place.right, top + place.bottom};
            }
            SetWindowPos(button, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            InvalidateRect(button, nullptr, FALSE);
        } else {
            ShowWindow(button, SW_HIDE);
        }
    }
}

// A floating bar takes the size its buttons need.
void FitFloatingBar()
{
    if (!g_bar || g_attached || g_levels < 1)
        return;
    RECT r{0, 0, g_columns * ButtonWidth(), g_levels * SoftBarRowsPerLevel(g_columns) * RowHeight()};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(g_bar, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(g_bar, GWL_EXSTYLE)));
    g_fitting = true;
    SetWindowPos(g_bar, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    g_fitting = false;
}

void ShowBar()
{
    if (!g_bar)
        return;
    if (BarOnScreen() && g_attached)
        ShowWindow(g_bar, SW_SHOWNOACTIVATE);
    else if (BarOnScreen())
        // Above the main window it belongs to, even when that was shown after it.
        SetWindowPos(g_bar, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    else
        ShowWindow(g_bar, SW_HIDE);
}

// The terminal area gives up (or takes back) the attached bar's rows.
void LayOutMainWindow()
{
    if (!MainWindowHandle || StartingUp)
        return;
    ForgetLayout();
    MainWindowSized(MainWindowHandle);
    InvalidateRect(MainWindowHandle, nullptr, TRUE);
}

// A window saved partly off the screen comes back wholly onto the work area.
void KeepOnWorkArea(RECT& r)
{
    const ToolbarRect rect{r.left, r.top, r.right, r.bottom};
    const ToolbarRect kept = BringOntoArea(rect, WorkAreaNear(rect));
    r = RECT{kept.left, kept.top, kept.right, kept.bottom};
}

RECT FloatingRect()
{
    if (g_values.w > 0 && g_values.h > 0) {
        RECT r{g_values.x, g_values.y, g_values.x + g_values.w, g_values.y + g_values.h};
        KeepOnWorkArea(r);
        return r;
    }
    // Never placed: under the main window, as wide as seven buttons.
    RECT main{0, 0, 0, 0};
    if (MainWindowHandle)
        GetWindowRect(MainWindowHandle, &main);
    RECT r{0, 0, kSoftBarAttachedColumns * ButtonWidth(), g_levels * 2 * RowHeight()};
    AdjustWindowRectEx(&r, kFloatingStyle, FALSE, 0);
    OffsetRect(&r, main.left - r.left, main.bottom - r.top);
    KeepOnWorkArea(r);
    return r;
}

void AdjustSystemMenu()
{
    HMENU menu = GetSystemMenu(g_bar, FALSE);
    if (!menu)
        return;
    DeleteMenu(menu, SC_RESTORE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MINIMIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    wchar_t text[64];
    int position = 0;
    if (!StartupOptions.fullScreen) {
        if (LoadLanguageString(InstanceHandle, kStrAttach, text, 64) <= 0)
            std::wcscpy(text, L"Attach");
        InsertMenuW(menu, position++, MF_BYPOSITION | MF_STRING, kSoftBarAttachCommand, text);
    }
    if (LoadLanguageString(InstanceHandle, kStrNextLevel, text, 64) <= 0)
        std::wcscpy(text, L"&Next Level");
    InsertMenuW(menu, position++, MF_BYPOSITION | MF_STRING, kSoftBarNextLevelCommand, text);
    // Close is the last item; the separator goes just before it.
    const int count = GetMenuItemCount(menu);
    if (count > 0)
        InsertMenuW(menu, count - 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

LRESULT CALLBACK SoftButtonBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void CreateSoftButtons()
{
    for (int code = 0; code < kSoftBarCodes; ++code) {
        SoftButtonRecord& b = g_buttons[code];
        b.window = CreateWindowExW(0, L"button", L"", WS_CHILD | BS_OWNERDRAW, 0, 0, 0, 0, g_bar,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButtonId + code)),
                                   InstanceHandle, nullptr);
        if (b.window)
            b.previous = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(b.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SoftButtonBarProc)));
    }
}

void CreateBarWindow()
{
    if (!MainWindowHandle)
        return;
    if (g_attached) {
        g_bar = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, MainWindowHandle,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSoftBarId)), InstanceHandle,
                                nullptr);
    } else {
        const RECT r = FloatingRect();
        g_bar = CreateWindowExW(0, kClassName, L"", kFloatingStyle, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, MainWindowHandle, nullptr, InstanceHandle, nullptr);
        if (g_bar)
            AdjustSystemMenu();
    }
    if (!g_bar)
        return;
    CreateSoftButtons();
    UpdateSoftButtonBarCaption();
    if (g_attached) {
        PositionSoftButtonBar();
    } else {
        RECT client;
        GetClientRect(g_bar, &client);
        g_columns = FloatingSoftBarColumns(client.right, ButtonWidth());
        FitFloatingBar();
        LayOutButtons();
    }
}

void DestroyBarWindow()
{
    HWND bar = g_bar;
    g_bar = nullptr;
    for (SoftButtonRecord& b : g_buttons)
        b.window = nullptr, b.previous = nullptr;
    if (bar)
        DestroyWindow(bar);
}

// Attaching and floating are different kinds of window: the bar is made again.
void RebuildBar()
{
    DestroyBarWindow();
    CreateBarWindow();
    ShowBar();
    LayOutMainWindow();
}

LRESULT ButtonMessage(HWND window, int code, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC previous = g_buttons[code].previous;
    if (message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP) {
        RECT r;
        GetClientRect(window, &r);
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (PtInRect(&r, at))
            PressSoftButton(code, message == WM_RBUTTONUP);
    }
    return previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                    : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT BarMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM: DrawSoftButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_SYSCOMMAND:
        if (wParam == kSoftBarAttachCommand) {
            SetSoftButtonBarAttached(true, true);
            return 0;
        }
        if (wParam == kSoftBarNextLevelCommand) {
            RotateSoftButtonLevels(1);
            return 0;
        }
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            g_shown = false;
            ShowWindow(window, SW_HIDE);
            return 0;
        }
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(window, &ps);
        return 0;
    }
    case WM_MOVE:
    case WM_EXITSIZEMOVE:
        if (!g_attached && window == g_bar && !IsIconic(window)) {
            RECT r;
            GetWindowRect(window, &r);
            g_values.x = r.left, g_values.y = r.top;
            g_values.w = r.right - r.left, g_values.h = r.bottom - r.top;
        }
        break;
    case WM_SIZE:
        if (wParam == SIZE_RESTORED && !g_attached && window == g_bar && !g_fitting) {
            const int columns = FloatingSoftBarColumns(LOWORD(lParam), ButtonWidth());
            if (columns != g_columns) {
                g_columns = columns;
                FitFloatingBar();
            }
            LayOutButtons();
            RECT r;
            GetWindowRect(window, &r);
            g_values.w = r.right - r.left, g_values.h = r.bottom - r.top;
        }
        return 0;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK SoftButtonBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int code = CodeOf(window);
    if (code >= 0)
        return ButtonMessage(window, code, message, wParam, lParam);
    return BarMessage(window, message, wParam, lParam);
}

bool RegisterSoftButtonClass(HINSTANCE instance)
{
    WNDCLASSW wc{};
    if (GetClassInfoW(instance, kClassName, &wc))
        return true;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = SoftButtonBarProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconId));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kClassName;
    return RegisterClassW(&wc) != 0;
}

// The runtime state the values stand for.
void TakeValues()
{
    g_order = static_cast<int>(g_values.order);
    g_attached = g_values.attached != 0;
    g_levels = g_values.levelView < 0 ? 1 : g_values.levelView;
    g_shown = g_values.levelView > 0;
    // A start-up option locks the levels for this run without changing the profile.
    if (StartupOptions.softButtonLevels >= 0) {
        g_levels = StartupOptions.softButtonLevels;
        g_shown = g_levels > 0;
    }
    if (StartupOptions.fullScreen)
        g_shown = false;
}
}  // namespace

void SoftButtonCaption(int code, wchar_t* text)
{
    text[0] = 0;
    const int slot = code % kSoftButtonSlots;
    {
        KeyDefinitionsLock locked;
        const KeyDefinition* d = FindKeyDefinition(static_cast<u32>(code), kSoftButton, -1);
        if (d && d->label && d->label[0]) {
            std::wcsncpy(text, d->label, kSoftButtonCaptionUnits - 1);
            text[kSoftButtonCaptionUnits - 1] = 0;
            return;
        }
    }
    if (slot == 0) {
        wchar_t level[kSoftButtonCaptionUnits];
        if (LoadLanguageString(InstanceHandle, kStrLevel, level, kSoftButtonCaptionUnits) <= 0)
            std::wcscpy(level, L"Level");
        _snwprintf(text, kSoftButtonCaptionUnits - 1, L"%s %d", level, code / kSoftButtonSlots + 1);
        text[kSoftButtonCaptionUnits - 1] = 0;
    }
}

void PressSoftButton(int code, bool right)
{
    if (MainWindowHandle)
        SetFocus(MainWindowHandle);
    if (right) {
        SoftButtonEditorCode = code;
        PostMessageW(MainWindowHandle, WM_COMMAND, kCmdSoftButtons, 0);
        return;
    }
    const int slot = code % kSoftButtonSlots;
    if (slot == 0) {
        RotateSoftButtonLevels(1);
    } else if (slot == kLevelNameSlot) {
        RotateSoftButtonLevels(-1);
    } else {
        {
            KeyDefinitionsLock locked;
            QueueKeyDefinition(FindKeyDefinition(static_cast<u32>(code), kSoftButton, -1));
        }
        SoftButtonRecord& b = g_buttons[code];
        if (b.latching) {
            b.latched = !b.latched;
            InvalidateRect(b.window, nullptr, FALSE);
        }
    }
}

void PrepareSoftButtonBar()
{
    DestroyBarWindow();
    for (SoftButtonRecord& b : g_buttons)
        b = SoftButtonRecord{};
    g_values = SoftBarValues{};
    g_rowHeight = 0;
    // The profile named at start; one chosen with the connection is read when it loads.
    if (CurrentProfileName()[0]) {
        const u32 savedRoot = SettingsRootIsUser(), savedKeep = KeepCurrentValues;
        const int passes = AdministratorMode == 1 && PerUserProfile == 0 ? 1 : 2;
        for (int pass = 0; pass < passes; ++pass) {
            SettingsSelectRoot(static_cast<u32>(pass));
            KeepCurrentValues = static_cast<u32>(pass);
            LoadSoftButtonSettings();
        }
        KeepCurrentValues = savedKeep;
        SettingsSelectRoot(savedRoot);
    }
    TakeValues();
}

void LoadSoftButtonSettings()
{
    HKEY key = SettingsOpenSection(CurrentProfileName(), VXT("SOFTBUTTONS"));
    ReadSoftBarValues(key, g_values);
    SettingsCloseKey(key);
}

void ApplySoftButtonSettings()
{
    const bool attached = g_attached, shown = g_shown;
    const int levels = g_levels, order = g_order;
    TakeValues();
    if (!g_bar)
        return;
    if (attached != g_attached || !g_attached) {
        RebuildBar();
    } else if (shown != g_shown || levels != g_levels || order != g_order) {
        PositionSoftButtonBar();
        ShowBar();
        LayOutMainWindow();
    }
    RefreshSoftButtonBar();
}

void CreateSoftButtonBar(HWND, bool minimised)
{
    if (g_bar || !RegisterSoftButtonClass(InstanceHandle))
        return;
    CreateBarWindow();
    // A floating bar shows once the main window it stands above is shown.
    if (!minimised && g_attached)
        ShowBar();
}

void RebuildSoftButtonBar()
{
    if (g_bar)
        RebuildBar();
}

void SoftButtonBarFollowsSession()
{
    if (!g_bar)
        return;
    const bool shown = (GetWindowLongPtrW(g_bar, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown == BarOnScreen())
        return;
    ShowBar();
    LayOutMainWindow();
}

int FloatingSoftBarStartHeight()
{
    if (StartupOptions.fullScreen || StartupOptions.startState == 3 || g_attached || !g_shown || g_levels < 1)
        return 0;
    RECT r{0, 0, kSoftBarAttachedColumns * ButtonWidth(), g_levels * 2 * RowHeight()};
    AdjustWindowRectEx(&r, kFloatingStyle, FALSE, 0);
    return r.bottom - r.top;
}

void ShowSoftButtonBar(bool minimised)
{
    // Only a bar that should show and does not: the main window's every resize comes
    // here and must not raise a floating bar over other windows.
    if (!minimised && BarOnScreen() && !IsWindowVisible(g_bar))
        ShowBar();
}

void SaveSoftButtonSettings()
{
    SoftBarValues v = g_values;
    v.order = static_cast<u32>(g_order);
    v.attached = g_attached ? 1 : 0;
    if (StartupOptions.softButtonLevels < 0)
        v.levelView = g_shown ? g_levels : g_levels == 0 ? 0 : -1;
    for (int level = 0; level < kSoftButtonLevels; ++level)
        v.levelShown[level] = SoftBarLevelPosition(g_order, v.levelView < 0 ? 1 : v.levelView, level) >= 0;
    HKEY key = SettingsCreateSection(CurrentProfileName(), VXT("SOFTBUTTONS"));
    if (!key)
        return;
    WriteSoftBarValues(key, v);
    SettingsCloseKey(key);
}

int GetSoftButtonBarHeight()
{
    return g_attached && BarOnScreen() ? g_levels * 2 * RowHeight() : 0;
}

void PositionSoftButtonBar()
{
    if (!g_bar || !g_attached || !MainWindowHandle)
        return;
    RECT client;
    GetClientRect(MainWindowHandle, &client);
    const int height = g_levels * 2 * RowHeight();
    SetWindowPos(g_bar, nullptr, 0, client.bottom - GetStatusBarHeight() - height, client.right, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutButtons();
}

HWND SoftButtonBarWindow()
{
    return g_bar;
}

HWND SoftButtonWindow(int code)
{
    return code >= 0 && code < kSoftBarCodes ? g_buttons[code].window : nullptr;
}

int GetVisibleSoftButtonLevels()
{
    return g_shown ? g_levels : 0;
}

int GetSoftButtonLevelOrder()
{
    return g_order;
}

void SetSoftButtonLevels(int count, int order, bool apply)
{
    if (count < 0 || count > kSoftButtonLevels || order < 0 || order >= kSoftButtonLevels)
        return;
    const int oldHeight = GetSoftButtonBarHeight();
    g_order = order;
    if (count == 0) {
        g_shown = false;
    } else {
        g_levels = count;
        g_shown = true;
    }
    if (!g_attached)
        FitFloatingBar();
    else
        PositionSoftButtonBar();
    LayOutButtons();
    ShowBar();
    const int newHeight = GetSoftButtonBarHeight();
    if (newHeight != oldHeight && MainWindowHandle && !IsZoomed(MainWindowHandle) && !IsIconic(MainWindowHandle)) {
        // The terminal keeps its rows: the window grows or shrinks by the bar's change.
        RECT r;
        GetWindowRect(MainWindowHandle, &r);
        SetWindowPos(MainWindowHandle, nullptr, 0, 0, r.right - r.left, r.bottom - r.top + newHeight - oldHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (apply)
        LayOutMainWindow();
}

void SetSoftButtonBarVisible(int levels, bool apply)
{
    SetSoftButtonLevels(levels, g_order, apply);
}

void RotateSoftButtonLevels(int step)
{
    const int order = RotateSoftBarOrder(g_order, step, GetVisibleSoftButtonLevels());
    if (order == g_order)
        return;
    g_order = order;
    LayOutButtons();
    LayoutScreenKeyLabels();
    RedrawSoftButtonLabels();
}

bool IsSoftButtonBarAttached()
{
    return g_attached;
}

void SetSoftButtonBarAttached(bool attach, bool)
{
    g_attached = attach;
    // Attaching brings a closed bar back; floating shows it again unless it had no levels.
    g_shown = g_levels > 0;
    if (g_bar)
        RebuildBar();
}

void RefreshSoftButtonBar()
{
    if (g_bar)
        RedrawWindow(g_bar, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void UpdateSoftButtonBarCaption()
{
    if (!g_bar)
        return;
    wchar_t name[64], title[512], caption[600];
    if (LoadLanguageString(InstanceHandle, kStrSoftButtons, name, 64) <= 0)
        std::wcscpy(name, L"Soft Buttons");
    title[0] = 0;
    if (MainWindowHandle)
        GetWindowTextW(MainWindowHandle, title, 512);
    _snwprintf(caption, 599, L"%s - %s", name, title);
    caption[599] = 0;
    SetWindowTextW(g_bar, caption);
}

void SetSoftButtonLatching(int code, bool latching)
{
    if (code < 0 || code >= kSoftBarCodes)
        return;
    g_buttons[code].latching = latching;
    g_buttons[code].latched = false;
    if (g_buttons[code].window)
        InvalidateRect(g_buttons[code].window, nullptr, FALSE);
}

bool SoftButtonLatched(int code)
{
    return code >= 0 && code < kSoftBarCodes && g_buttons[code].latched;
}

void DestroySoftButtonBar()
{
    DestroyBarWindow();
}
