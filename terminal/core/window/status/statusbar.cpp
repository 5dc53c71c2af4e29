#include "terminal/core/window/status/statusbar.h"

#include <atomic>
#include <cwchar>
#include <mutex>

#include "terminal/comms/aux/auxport.h"
#include "terminal/comms/printing/printstatus.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/paint/damage.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/memblock.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/window/status/statussources.h"

namespace {

constexpr wchar_t kClassName[] = L"vxtmwinStatus";
constexpr int kIndicatorStates = 4;
const wchar_t* const kIndicatorNames[kIndicatorStates] = {L"offline", L"idle", L"active", L"connecting"};

struct StatusBarField {
    u32 id;
    RECT field;
    wchar_t text[kStatusTextUnits];
    RECT textRect;
    HBITMAP bitmap;
    wchar_t bitmapName[kStatusTextUnits];
    RECT bitmapRect;
};

struct StatusBarButton {
    u32 id;
    HWND window;
    RECT rect;
    u32 twoState;
    u32 state;
    wchar_t upText[kStatusTextUnits];
    RECT upTextRect;
    HBITMAP upBitmap;
    wchar_t upBitmapName[kStatusTextUnits];
    RECT upBitmapRect;
    wchar_t downText[kStatusTextUnits];
    HBITMAP downBitmap;
    wchar_t downBitmapName[kStatusTextUnits];
    RECT downBitmapRect;
    WNDPROC previousProc;
    void (*action)();
};

HWND g_bar = nullptr;
RECT g_barRect{};
StatusBarField* g_fields = nullptr;
StatusBarButton* g_buttons = nullptr;
int g_fieldCount = 0, g_buttonCount = 0;
// Texts are set from the host-data thread while the bar paints on the user-interface
// thread.
std::recursive_mutex g_lock;

HBITMAP g_indicator[kIndicatorStates] = {};
bool g_indicatorLoaded = false;
RECT g_indicatorRect{};
std::atomic<int> g_linkState{-1};
std::atomic<bool> g_linkShown{true};  // the bar shows g_linkState
bool g_cursorFieldStale = true;       // a new layout shows the cursor again

bool BarOffered()
{
    return StartupOptions.statusLine && StartupOptions.statusBarAllowed;
}

void Copy(wchar_t* target, const wchar_t* source)
{
    CopyText(target, kStatusTextUnits, source);
}

bool Empty(const wchar_t* text)
{
    return !text || !text[0];
}

StatusBarField* Fields()
{
    if (!g_fields)
        g_fields = static_cast<StatusBarField*>(MemAllocBlock(sizeof(StatusBarField) * kStatusMaxFields));
    return g_fields;
}

StatusBarButton* Buttons()
{
    if (!g_buttons)
        g_buttons = static_cast<StatusBarButton*>(MemAllocBlock(sizeof(StatusBarButton) * kStatusMaxButtons));
    return g_buttons;
}

int BarHeight()
{
    return GetSystemMetrics(SM_CYHSCROLL) + 2 * GetSystemMetrics(SM_CYBORDER);
}

struct TextMeasure {
    int width, average, maximum;
};

TextMeasure Measure(const wchar_t* text)
{
    TextMeasure m{0, 7, 7};
    HDC dc = GetDC(g_bar);
    HFONT font = CreateStatusFont();
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    m.average = tm.tmAveCharWidth;
    m.maximum = tm.tmMaxCharWidth;
    SIZE size{};
    if (text)
        GetTextExtentPoint32W(dc, text, static_cast<int>(std::wcslen(text)), &size);
    m.width = size.cx;
    if (old)
        SelectObject(dc, old);
    if (font)
        DeleteObject(font);
    ReleaseDC(g_bar, dc);
    return m;
}

int BitmapWidth(HBITMAP bitmap)
{
    BITMAP info{};
    return bitmap && GetObjectW(bitmap, sizeof info, &info) ? info.bmWidth : 0;
}

void DeleteFieldBitmap(StatusBarField& f)
{
    // The indicator's state bitmaps belong to the indicator, not to its field.
    for (HBITMAP b : g_indicator)
        if (b && b == f.bitmap)
            f.bitmap = nullptr;
    if (f.bitmap)
        DeleteObject(f.bitmap);
    f.bitmap = nullptr;
}

void RemoveFieldAt(int index)
{
    StatusBarField& f = g_fields[index];
    if (g_bar)
        InvalidateRect(g_bar, &f.field, TRUE);
    DeleteFieldBitmap(f);
    f = StatusBarField{};
    --g_fieldCount;
}

void RemoveButtonAt(int index)
{
    StatusBarButton& b = g_buttons[index];
    if (b.window)
        DestroyWindow(b.window);
    if (b.downBitmap && b.downBitmap != b.upBitmap)
        DeleteObject(b.downBitmap);
    if (b.upBitmap)
        DeleteObject(b.upBitmap);
    b = StatusBarButton{};
    --g_buttonCount;
}

// The field and button tables work alike: an entry is found by its id, 0 marks a free
// slot.
template <typename Entry, int N>
int FindEntry(const Entry* table, u32 id)
{
    if (!table || id == 0)
        return -1;
    for (int i = 0; i < N; ++i)
        if (table[i].id == id)
            return i;
    return -1;
}

template <typename Entry, int N>
i64 EntryIdAt(const Entry* table, int index)
{
    if (!table || index < 0 || index >= N || table[index].id == 0)
        return -1;
    return table[index].id;
}

// The slot an entry with `id` goes to: its old entry removed first (replacing must work
// even when the table is full), then the first free slot; -1 when none is free.
template <typename Entry, int N>
int SlotFor(const Entry* table, u32 id, void (*removeAt)(int))
{
    const int existing = FindEntry<Entry, N>(table, id);
    if (existing >= 0)
        removeAt(existing);
    for (int i = 0; i < N; ++i)
        if (table[i].id == 0)
            return i;
    return -1;
}

void DrawFrame(HDC dc, const RECT& r, bool sunken, int inset)
{
    HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    const int l = r.left + inset, t = r.top + inset, rr = r.right - 1 - inset, b = r.bottom - 1 - inset;
    SetROP2(dc, R2_COPYPEN);
    HGDIOBJ old = SelectObject(dc, sunken ? shadow : light);
    const POINT topLeft[3] = {{l, b}, {l, t}, {rr + 1, t}};
    Polyline(dc, topLeft, 3);
    SelectObject(dc, sunken ? light : shadow);
    const POINT bottomRight[3] = {{l, b}, {rr, b}, {rr, t - 1}};
    Polyline(dc, bottomRight, 3);
    SelectObject(dc, old);
    DeleteObject(shadow);
    DeleteObject(light);
}

// Draws a bitmap centred in a rectangle with a margin, shrunk to fit when larger.
void DrawCentredBitmap(HDC dc, HBITMAP bitmap, const RECT& r, int margin, int shrinkX, int shrinkY)
{
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info))
        return;
    int w = info.bmWidth, h = info.bmHeight;
    const int roomW = r.right - r.left - shrinkX, roomH = r.bottom - r.top - shrinkY;
    if (w > roomW)
        w = roomW;
    if (h > roomH)
        h = roomH;
    if (w <= 0 || h <= 0)
        return;
    const int x = r.left + margin + (r.right - r.left - 2 * margin - w) / 2;
    const int y = r.top + margin + (r.bottom - r.top - 2 * margin - h) / 2;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory)
        return;
    HGDIOBJ old = SelectObject(memory, bitmap);
    StretchBlt(dc, x, y, w, h, memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void DrawCentredText(HDC dc, const wchar_t* text, const RECT& r, COLORREF colour, int shift)
{
    if (Empty(text))
        return;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    SIZE size{};
    const int n = static_cast<int>(std::wcslen(text));
    GetTextExtentPoint32W(dc, text, n, &size);
    int x = r.left + (r.right - r.left - size.cx) / 2;
    int y = r.top + (r.bottom - r.top - size.cy) / 2;
    if (x < r.left + 1)
        x = r.left + 1;
    if (y < r.top)
        y = r.top;
    RECT clip = r;
    ExtTextOutW(dc, x + shift, y + shift, ETO_CLIPPED, &clip, text, n, nullptr);
}

void DrawField(HDC dc, const StatusBarField& f)
{
    RECT inner = f.field;
    InflateRect(&inner, -1, -1);
    FillRect(dc, &inner, GetSysColorBrush(COLOR_BTNFACE));
    HBITMAP bitmap = f.bitmap;
    const int state = g_linkState;
    if (f.id == kFieldIndicator && g_indicatorLoaded && state >= 0 && state < kIndicatorStates)
        bitmap = g_indicator[state];
    DrawCentredBitmap(dc, bitmap, f.bitmapRect, 2, 4, 4);
    DrawCentredText(dc, f.text, f.textRect, GetSysColor(COLOR_BTNTEXT), 0);
    DrawFrame(dc, f.field, true, 0);
}

void PaintBar(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    HFONT font = CreateStatusFont();
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    {
        std::lock_guard<std::recursive_mutex> guard(g_lock);
        if (g_fields)
            for (int i = 0; i < kStatusMaxFields; ++i)
                if (g_fields[i].id)
                    DrawField(dc, g_fields[i]);
    }
    if (old)
        SelectObject(dc, old);
    if (font)
        DeleteObject(font);
    EndPaint(window, &ps);
}

StatusBarButton* ButtonOfWindow(HWND window)
{
    if (!g_buttons)
        return nullptr;
    for (int i = 0; i < kStatusMaxButtons; ++i)
        if (g_buttons[i].id && g_buttons[i].window == window)
            return &g_buttons[i];
    return nullptr;
}

void DrawButton(const DRAWITEMSTRUCT& item)
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    StatusBarButton* b = ButtonOfWindow(item.hwndItem);
    if (!b)
        return;
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool down = b->twoState && b->state == 1;
    HFONT font = CreateStatusFont();
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    if (!pressed && !down) {
        DrawFrame(dc, r, false, 0);
        DrawCentredBitmap(dc, b->upBitmap, b->upBitmapRect, 2, 6, 4);
        DrawCentredText(dc, b->upText, b->upTextRect, GetSysColor(COLOR_BTNTEXT), 0);
    } else {
        DrawFrame(dc, r, true, 1);
        if (down) {
            RECT inside{r.left + 3, r.top + 2, r.right - 3, r.bottom - 2};
            HBRUSH grey = CreateSolidBrush(RGB(0xBF, 0xBF, 0xBF));
            FillRect(dc, &inside, grey);
            DeleteObject(grey);
            DrawCentredBitmap(dc, b->downBitmap, b->downBitmapRect, 3, 6, 4);
            DrawCentredText(dc, b->downText, b->upTextRect, RGB(0, 0, 0x80), 1);
        } else {
            DrawCentredBitmap(dc, b->upBitmap, b->upBitmapRect, 3, 6, 4);
            DrawCentredText(dc, b->upText, b->upTextRect, GetSysColor(COLOR_BTNTEXT), 1);
        }
    }
    if (old)
        SelectObject(dc, old);
    if (font)
        DeleteObject(font);
}

LRESULT ButtonMessage(StatusBarButton* b, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC previous = b->previousProc;
    if (message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP) {
        if (MainWindowHandle)
            SetFocus(MainWindowHandle);
        RECT client;
        GetClientRect(window, &client);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&client, at)) {
            void (*action)() = b->action;
            if (b->twoState) {
                b->state ^= 1;
                InvalidateRect(window, nullptr, TRUE);
            }
            if (action)
                action();
        }
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

void LoadIndicatorBitmaps()
{
    for (int i = 0; i < kIndicatorStates; ++i)
        if (!g_indicator[i])
            g_indicator[i] = LoadAppBitmap(kIndicatorNames[i]);
}

// Language text into a buffer; empty when the id is unknown.
const wchar_t* Text(u32 id, wchar_t* buffer, int capacity)
{
    LoadLanguageString(InstanceHandle, id, buffer, capacity);
    return buffer;
}

}  // namespace

bool RegisterStatusBarClass(HINSTANCE instance)
{
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = StatusBarWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void CreateStatusBar(HINSTANCE instance)
{
    if (!BarOffered() || g_bar || !MainWindowHandle || !RegisterStatusBarClass(instance))
        return;
    const RECT r = ComputeStatusBarRect();
    g_bar = CreateWindowExW(0, kClassName, nullptr, WS_CHILD | WS_CLIPSIBLINGS, r.left, r.top, r.right - r.left,
                            r.bottom - r.top, MainWindowHandle, reinterpret_cast<HMENU>(kStatusBarId), instance,
                            nullptr);
    g_barRect = r;
}

void ShowStatusBarWindow()
{
    if (g_bar)
        ShowWindow(g_bar, SW_SHOW);
}

HWND StatusBarWindow()
{
    return g_bar;
}

RECT ComputeStatusBarRect()
{
    RECT client{};
    if (MainWindowHandle)
        GetClientRect(MainWindowHandle, &client);
    const int h = BarOffered() ? BarHeight() : 0;
    return RECT{0, client.bottom - h, client.right, client.bottom};
}

int GetStatusBarHeight()
{
    return g_bar ? BarHeight() : 0;
}

void StatusBarResize()
{
    if (!g_bar)
        return;
    g_barRect = ComputeStatusBarRect();
    {
        std::lock_guard<std::recursive_mutex> guard(g_lock);
        const int filler = StatusBarFindField(kFieldFiller);
        const int right = g_barRect.right - 2;
        if (filler >= 0 && g_fields[filler].field.left < right) {
            const int left = g_fields[filler].field.left;
            StatusBarAddField(kFieldFiller, left, right - left, nullptr, nullptr);
        }
    }
    MoveWindow(g_bar, g_barRect.left, g_barRect.top, g_barRect.right - g_barRect.left,
               g_barRect.bottom - g_barRect.top, TRUE);
}

void StatusBarDestroy()
{
    StatusBarClear();
    StatusBarReleaseIndicator();
    {
        std::lock_guard<std::recursive_mutex> guard(g_lock);
        if (g_fields)
            for (int i = 0; i < kStatusMaxFields; ++i)
                DeleteFieldBitmap(g_fields[i]);
        MemFreeBlock(g_fields);
        MemFreeBlock(g_buttons);
        g_fields = nullptr;
        g_buttons = nullptr;
        g_fieldCount = g_buttonCount = 0;
    }
    for (HBITMAP& b : g_indicator) {
        if (b)
            DeleteObject(b);
        b = nullptr;
    }
    g_indicatorLoaded = false;
    g_linkState = -1;
    if (g_bar)
        DestroyWindow(g_bar);
    g_bar = nullptr;
}

void InvalidateStatusBar()
{
    if (g_bar)
        InvalidateRect(g_bar, nullptr, TRUE);
}

HFONT CreateStatusFont()
{
    LOGFONTW lf{};
    lf.lfHeight = 14;
    lf.lfWidth = 7;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    CopyText(lf.lfFaceName, LF_FACESIZE, TerminalFaceName());
    return CreateFontIndirectW(&lf);
}

HBITMAP LoadAppBitmap(const wchar_t* name)
{
    return Empty(name) ? nullptr : LoadBitmapW(InstanceHandle ? InstanceHandle : GetModuleHandleW(nullptr), name);
}

int StatusBarAddField(u32 id, int x, int width, const wchar_t* text, const wchar_t* bitmapName)
{
    if (!g_bar || id == 0)
        return -1;
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    if (!Fields())
        return -1;
    const int slot = SlotFor<StatusBarField, kStatusMaxFields>(g_fields, id, RemoveFieldAt);
    if (slot < 0)
        return -1;

    StatusBarField f{};
    const int bottom = BarHeight() - 1;
    f.field = f.textRect = f.bitmapRect = RECT{x, 1, x + width, bottom};
    int right = x;
    if (!Empty(bitmapName)) {
        f.bitmap = LoadAppBitmap(bitmapName);
        if (f.bitmap) {
            int w = BitmapWidth(f.bitmap) + 4;
            if (w < 12)
                w = 12;
            f.bitmapRect.right = x + w;
            right = f.bitmapRect.right;
        }
    }
    if (!Empty(text)) {
        const TextMeasure m = Measure(text);
        int w = m.width + 2 * m.average;
        if (w < 12)
            w = 12;
        f.textRect.left = right;
        f.textRect.right = right + w;
        right = f.textRect.right;
    }
    if (Empty(text) && !f.bitmap)
        right = x + width;
    f.field.right = right;
    f.id = id;
    Copy(f.text, text);
    Copy(f.bitmapName, bitmapName);
    if (width > 0) {
        f.field.right = x + width;
        if (right > f.field.right) {
            if (!Empty(text))
                f.textRect.right = f.field.right;
            else if (f.bitmap)
                f.bitmapRect.right = f.field.right;
        }
        const int textWidth = Empty(text) ? 0 : f.textRect.right - f.textRect.left;
        const int bitmapWidth = f.bitmap ? f.bitmapRect.right - f.bitmapRect.left : 0;
        if (right > f.field.right && textWidth < 13 && bitmapWidth < 5) {
            if (f.bitmap)
                DeleteObject(f.bitmap);
            return -1;
        }
    }
    g_fields[slot] = f;
    ++g_fieldCount;
    InvalidateRect(g_bar, &f.field, TRUE);
    return f.field.right + 2;
}

void StatusBarSetText(u32 id, const wchar_t* text)
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    const int i = StatusBarFindField(id);
    if (i < 0)
        return;
    Copy(g_fields[i].text, text);
    if (g_bar)
        InvalidateRect(g_bar, &g_fields[i].textRect, TRUE);
}

void StatusBarRemoveField(u32 id)
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    const int i = StatusBarFindField(id);
    if (i >= 0)
        RemoveFieldAt(i);
}

bool StatusBarHasField(u32 id)
{
    return StatusBarFindField(id) >= 0;
}

int StatusBarFindField(u32 id)
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    return FindEntry<StatusBarField, kStatusMaxFields>(g_fields, id);
}

i64 StatusBarFieldIdAt(int index)
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    return EntryIdAt<StatusBarField, kStatusMaxFields>(g_fields, index);
}

bool StatusBarGetFieldRect(u32 id, RECT* rect)
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    const int i = StatusBarFindField(id);
    if (i < 0 || !rect)
        return false;
    *rect = g_fields[i].field;
    return true;
}

int StatusBarGetText(u32 id, wchar_t* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    buffer[0] = 0;
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    const int i = StatusBarFindField(id);
    if (i < 0)
        return 0;
    return static_cast<int>(CopyText(buffer, static_cast<std::size_t>(capacity), g_fields[i].text));
}

int StatusBarAddButton(HINSTANCE instance, u32 id, int x, int width, bool twoState, u32 state, void (*action)(),
                       const wchar_t* upText, const wchar_t* upBitmap, const wchar_t* downText,
                       const wchar_t* downBitmap)
{
    if (!g_bar || id == 0)
        return -1;
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    if (!Buttons())
        return -1;
    const int slot = SlotFor<StatusBarButton, kStatusMaxButtons>(g_buttons, id, RemoveButtonAt);
    if (slot < 0)
        return -1;

    StatusBarButton b{};
    const int bottom = BarHeight() - 1;
    b.rect = b.upTextRect = b.upBitmapRect = b.downBitmapRect = RECT{x, 1, x + width, bottom};
    int right = x;
    b.upBitmap = LoadAppBitmap(upBitmap);
    if (!Empty(downBitmap) && !(upBitmap && std::wcscmp(upBitmap, downBitmap) == 0))
        b.downBitmap = LoadAppBitmap(downBitmap);
    if (b.upBitmap || b.downBitmap) {
        // A missing bitmap takes the other's.
        if (!b.downBitmap) {
            b.downBitmap = b.upBitmap;
            Copy(b.downBitmapName, upBitmap);
        } else {
            Copy(b.downBitmapName, downBitmap);
        }
        if (!b.upBitmap)
            b.upBitmap = b.downBitmap;
        int w = BitmapWidth(b.upBitmap) + 6;
        if (BitmapWidth(b.downBitmap) + 6 > w)
            w = BitmapWidth(b.downBitmap) + 6;
        if (w < 12)
            w = 12;
        b.upBitmapRect.right = b.downBitmapRect.right = x + w;
        right = x + w;
    }
    Copy(b.upText, upText);
    Copy(b.downText, Empty(downText) ? upText : downText);
    Copy(b.upBitmapName, upBitmap);
    if (!Empty(b.upText)) {
        const TextMeasure up = Measure(b.upText);
        const TextMeasure down = Measure(b.downText);
        int w = (up.width > down.width ? up.width : down.width) + up.maximum;
        if (w < 12)
            w = 12;
        b.upTextRect.left = right;
        b.upTextRect.right = right + w;
        right = b.upTextRect.right;
    }
    b.rect.right = right;
    if (width > 0) {
        b.rect.right = x + width;
        if (right > b.rect.right) {
            const int textWidth = b.upTextRect.right - b.upTextRect.left;
            const int bitmapWidth = b.upBitmap ? b.upBitmapRect.right - b.upBitmapRect.left : 0;
            if (textWidth < 13 && bitmapWidth < 7) {
                if (b.downBitmap && b.downBitmap != b.upBitmap)
                    DeleteObject(b.downBitmap);
                if (b.upBitmap)
                    DeleteObject(b.upBitmap);
                return -1;
            }
            b.upTextRect.right = b.rect.right;
        }
    }
    b.id = id;
    b.twoState = twoState ? 1 : 0;
    b.state = state;
    b.action = action;
    // The rectangles inside the button are relative to the button.
    for (RECT* r : {&b.upTextRect, &b.upBitmapRect, &b.downBitmapRect})
        OffsetRect(r, -x, -1);
    b.window = CreateWindowExW(0, L"button", nullptr, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, b.rect.left,
                               b.rect.top, b.rect.right - b.rect.left, b.rect.bottom - b.rect.top, g_bar,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
    if (!b.window)
        return -1;
    g_buttons[slot] = b;
    ++g_buttonCount;
    g_buttons[slot].previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(b.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StatusBarWndProc)));
    return b.rect.right;
}

void StatusBarSetButtonText(u32 id, const wchar_t* text, bool down)
{
    HWND window = nullptr;
    {
        std::lock_guard<std::recursive_mutex> guard(g_lock);
        const int i = StatusBarFindButton(id);
        if (i < 0)
            return;
        StatusBarButton& b = g_buttons[i];
        if (down) {
            Copy(b.downText, text);
            if (b.twoState)
                b.state = 1;
        } else {
            Copy(b.upText, text);
            b.state = 0;
        }
        window = b.window;
    }
    if (window)
        InvalidateRect(window, nullptr, TRUE);
}

void StatusBarRemoveButton(u32 id)
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    const int i = StatusBarFindButton(id);
    if (i >= 0)
        RemoveButtonAt(i);
}

bool StatusBarHasButton(u32 id)
{
    return StatusBarFindButton(id) >= 0;
}

int StatusBarFindButton(u32 id)
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    return FindEntry<StatusBarButton, kStatusMaxButtons>(g_buttons, id);
}

i64 StatusBarButtonIdAt(int index)
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    return EntryIdAt<StatusBarButton, kStatusMaxButtons>(g_buttons, index);
}

u32 StatusBarButtonState(u32 id)
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    const int i = StatusBarFindButton(id);
    return i >= 0 ? g_buttons[i].state : 0;
}

void StatusBarClear()
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    if (g_fields)
        for (int i = 0; i < kStatusMaxFields; ++i)
            if (g_fields[i].id)
                RemoveFieldAt(i);
    if (g_buttons)
        for (int i = 0; i < kStatusMaxButtons; ++i)
            if (g_buttons[i].id)
                RemoveButtonAt(i);
}

void StatusBarSetLinkState(int state)
{
    // While a connection is being made an idle report still shows "connecting".
    if (state == 1 && g_linkState == 3)
        state = 3;
    if (!g_bar || state < 0 || state > 3 || state == g_linkState)
        return;
    if (state == 3)
        StatusBarLoadIndicator();
    g_linkState = state;
    // Shown by the next frame: a flood toggles between active and idle with every
    // buffer, and the bar is drawn again at most once per display refresh. (This may be
    // the host-data thread, which must not draw into another thread's window.)
    g_linkShown.store(false, std::memory_order_release);
    RequestFrame();
    if (state == 0)
        StatusBarReleaseIndicator();
}

void StatusBarShowLinkState()
{
    if (!g_linkShown.exchange(true, std::memory_order_acq_rel) && g_bar)
        InvalidateRect(g_bar, &g_indicatorRect, FALSE);
}

int StatusBarLinkState()
{
    return g_linkState;
}

void StatusBarLoadIndicator()
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    if (!g_indicatorLoaded) {
        LoadIndicatorBitmaps();
        g_indicatorLoaded = g_indicator[0] != nullptr;
    }
    const int i = StatusBarFindField(kFieldIndicator);
    if (i < 0)
        return;
    const RECT& room = g_fields[i].bitmapRect;
    BITMAP info{};
    int w = 16, h = 16;
    if (g_indicator[0] && GetObjectW(g_indicator[0], sizeof info, &info)) {
        w = info.bmWidth;
        h = info.bmHeight;
    }
    if (w > room.right - room.left - 4)
        w = room.right - room.left - 4;
    if (h > room.bottom - room.top - 4)
        h = room.bottom - room.top - 4;
    const int x = room.left + 2 + (room.right - room.left - 4 - w) / 2;
    const int y = room.top + 2 + (room.bottom - room.top - 4 - h) / 2;
    g_indicatorRect = RECT{x, y, x + w, y + h};
}

void StatusBarReleaseIndicator()
{
    std::lock_guard<std::recursive_mutex> guard(g_lock);
    const int i = StatusBarFindField(kFieldIndicator);
    if (i >= 0) {
        DeleteFieldBitmap(g_fields[i]);
        g_fields[i].bitmap = LoadAppBitmap(kIndicatorNames[0]);
    }
    for (HBITMAP& b : g_indicator) {
        if (b)
            DeleteObject(b);
        b = nullptr;
    }
    g_indicatorLoaded = false;
}

void FormatCursorField(wchar_t* text, int capacity, int page, int row, int column)
{
    wchar_t field[kStatusTextUnits];
    if (LoadLanguageString(InstanceHandle, kFieldCursor, field, kStatusTextUnits) < 13)
        std::wcscpy(field, L"1 1(001,001) ");
    field[2] = static_cast<wchar_t>(L'1' + (page < 0 ? 0 : page % 9));
    // Right-aligned in three places, keeping the zeros before the number.
    auto put = [&](int at, int value) {
        for (int i = 2; i >= 0 && value > 0; --i, value /= 10)
            field[at + i] = static_cast<wchar_t>(L'0' + value % 10);
    };
    put(4, row > 999 ? 999 : row);
    put(8, column > 999 ? 999 : column);
    CopyText(text, static_cast<std::size_t>(capacity), field);
}

void StatusBarShowCursorPos()
{
    if (!g_bar || StatusBarFindField(kFieldCursor) < 0)
        return;
    const StatusCursor c = CurrentStatusCursor();
    // Called between host bytes: only a change is worth a redraw.
    static StatusCursor shown{-1, -1, -1};
    if (c.page == shown.page && c.row == shown.row && c.column == shown.column && !g_cursorFieldStale)
        return;
    shown = c;
    g_cursorFieldStale = false;
    wchar_t text[kStatusTextUnits];
    FormatCursorField(text, kStatusTextUnits, c.page, c.row + 1, c.column + 1);
    StatusBarSetText(kFieldCursor, text);
}

void VtLayoutStatusBar(HINSTANCE instance)
{
    StatusBarClear();
    g_cursorFieldStale = true;
    wchar_t a[kStatusTextUnits], b[kStatusTextUnits];
    int x = 0;
    auto next = [&x](int right) {
        if (right >= 0)
            x = right;
    };
    next(StatusBarAddField(kFieldIndicator, x, 0, nullptr, L"offline"));
    next(StatusBarAddButton(instance, 7402, x, 0, true, StatusLocalMode() ? 1 : 0, ToggleLocalMode,
                            Text(2316, a, kStatusTextUnits), nullptr, Text(7402, b, kStatusTextUnits), nullptr));
    next(StatusBarAddButton(instance, 7416, x, 0, true, 0, ToggleHoldScreen, Text(6101, a, kStatusTextUnits),
                            nullptr, Text(6100, b, kStatusTextUnits), nullptr));
    static const u32 kNames[4] = {7407, 7408, 11333, 11334};
    const u8 id = EmulationId;
    if (const auto familyName = ActiveFamily().statusBarName)
        lstrcpynW(a, familyName(id), kStatusTextUnits);
    else if (IsVtFamily(id))
        Text(kNames[id], a, kStatusTextUnits);
    else
        std::wcscpy(a, L"           ");
    next(StatusBarAddField(kFieldEmulationName, x, 0, a, nullptr));
    next(StatusBarAddField(kFieldCursor, x, 0, Text(kFieldCursor, a, kStatusTextUnits), nullptr));
    next(StatusBarAddField(7404, x, 0, Text(StatusInsertMode() ? 7403 : 7404, a, kStatusTextUnits), nullptr));
    next(StatusBarAddField(7405, x, 0, Text(7405, a, kStatusTextUnits), nullptr));
    if (!StatusLocalEditMode())
        StatusBarSetText(7405, nullptr);
    next(StatusBarAddField(kFieldClock, x, 0, L"00:00", nullptr));
    StatusBarSetText(kFieldClock, nullptr);
    next(StatusBarAddField(kFieldPrinter, x, 0, PrinterFieldText(a, kStatusTextUnits), nullptr));
    next(StatusBarAddField(10161, x, 0, Text(10161, a, kStatusTextUnits), nullptr));
    if (!StatusDecKeyMode())
        StatusBarSetText(10161, nullptr);
    next(StatusBarAddField(kFieldAux, x, 0, AuxFieldText(a, kStatusTextUnits), nullptr));
    const int right = ComputeStatusBarRect().right - 2;
    if (right > x)
        StatusBarAddField(kFieldFiller, x, right - x, nullptr, nullptr);
    StatusBarShowCursorPos();
}

const wchar_t* PrinterFieldText(wchar_t* text, int capacity)
{
    u32 id = 7415;  // "Printer:  Ready     "
    switch (StatusPrinter()) {
    case StatusPrinterState::None: id = 7412; break;
    case StatusPrinterState::AutoPrint: id = 7413; break;
    case StatusPrinterState::Controller: id = 7414; break;
    case StatusPrinterState::Ready: break;
    case StatusPrinterState::Status: {
        // "Printer: " and the status text, as the printer itself would show it.
        wchar_t status[kStatusTextUnits];
        PrinterStatusText(status, kStatusTextUnits);
        Text(7417, text, capacity);
        const int used = lstrlenW(text);
        lstrcpynW(text + used, status, capacity - used);
        return text;
    }
    }
    return Text(id, text, capacity);
}

// "Aux: " with the port's status text while a write fails or its line is held, else the
// state's own text.
const wchar_t* AuxFieldText(wchar_t* text, int capacity)
{
    const StatusAuxState state = StatusAuxPort();
    const i32 status = AuxPortStatus();
    if (state != StatusAuxState::None && status != 0) {
        wchar_t reason[kStatusTextUnits];
        PrinterStatusTextOf(status, reason, kStatusTextUnits);
        Text(7419, text, capacity);
        const int used = lstrlenW(text);
        lstrcpynW(text + used, reason, capacity - used);
        return text;
    }
    return Text(state == StatusAuxState::None    ? 7418
                : state == StatusAuxState::InUse ? 7420
                                                 : 7421,
                text, capacity);
}

void RefreshPrinterStatus()
{
    wchar_t text[kStatusTextUnits];
    if (StatusBarHasField(kFieldPrinter))
        StatusBarSetText(kFieldPrinter, PrinterFieldText(text, kStatusTextUnits));
    RefreshPrinterIndicator();
}

void RefreshPrinterIndicator()
{
    if (!StatusBarHasField(kFieldAux))
        return;
    wchar_t text[kStatusTextUnits];
    StatusBarSetText(kFieldAux, AuxFieldText(text, kStatusTextUnits));
}

void StatusBarRefresh()
{
    if (!g_bar)
        return;
    if (auto layout = ActiveFamily().layoutStatusBar)
        layout(InstanceHandle);
    else
        VtLayoutStatusBar(InstanceHandle);
    StatusBarLoadIndicator();
    InvalidateStatusBar();
}

void ToggleLocalMode()
{
    SetStatusLocalMode(!StatusLocalMode());
}

void ToggleHoldScreen()
{
    if (ModalOpen)
        return;
    FlipHoldScreen();
}

LRESULT CALLBACK StatusBarWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    StatusBarButton* button = nullptr;
    {
        std::lock_guard<std::recursive_mutex> guard(g_lock);
        button = window != g_bar ? ButtonOfWindow(window) : nullptr;
    }
    if (button)
        return ButtonMessage(button, window, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: PaintBar(window); return 0;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && item->CtlType == ODT_BUTTON) {
            DrawButton(*item);
            return TRUE;
        }
        break;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kCmdRepaint) {
            HDC dc = GetDC(window);
            RECT client;
            GetClientRect(window, &client);
            FillStatusBarBackground(dc, client);
            ReleaseDC(window, dc);
            return 0;
        }
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The hold/lock indicator is read from the buttons' state when the bar is laid out.
void RefreshHoldLockIndicator() {}
