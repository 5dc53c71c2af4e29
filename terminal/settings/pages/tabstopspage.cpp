// The "Tab Stops" page (slot 25), opened from "Set &Tabs" of another page over that
// page's working copy: a ruler list box where a click toggles the stop of the column
// under it, "&Clear All" and "&Set Every" with its interval. The ruler takes no keys.
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setupfamily.h"
#include "terminal/settings/setup/setuppages.h"
#include "terminal/settings/setup/tabruler.h"

namespace {

constexpr u16 kRuler = 2581, kClearAll = 2582, kSetEvery = 2583, kInterval = 2584;
constexpr u32 kStrTens = 10148, kStrUnits = 10149;
constexpr int kTabLineRow = 2;

// The ruler while the page is open.
struct Ruler {
    WNDPROC previous = nullptr;
    HWND page = nullptr;
    HFONT font = nullptr;
    int cellWidth = 1;
    int offset = 0;  // columns scrolled out to the left
};
Ruler g_ruler;

// The family of the working emulation may keep a tab line of its own.
wchar16* TabLine()
{
    const FamilyHooks* family = FamilyFor(static_cast<u8>(SetupCopy.emulation));
    if (family && family->setup && family->setup->tabLine)
        return family->setup->tabLine;
    return SetupCopy.tabLine;
}

void ShowTabLine(HWND list)
{
    SendMessageW(list, LB_DELETESTRING, kTabLineRow, 0);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TabLine() + 1));
}

LRESULT CALLBACK TabRulerProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int x = static_cast<short>(LOWORD(lParam));
        if (ToggleTabStop(TabLine(), RulerColumnAt(TabLine(), x, g_ruler.cellWidth, g_ruler.offset)))
            ShowTabLine(list);
        return 0;
    }
    case WM_LBUTTONUP: return 0;
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SYSKEYDOWN: return 1;
    case WM_HSCROLL: {
        const int code = LOWORD(wParam);
        const int offset = ScrollRuler(TabLine(), g_ruler.offset, code, HIWORD(wParam), g_ruler.cellWidth);
        if (offset < 0)
            return 0;
        g_ruler.offset = offset;
        if (code == SB_THUMBPOSITION) {
            const int position = offset * g_ruler.cellWidth;
            SetScrollPos(list, SB_HORZ, position, TRUE);
            wParam = MAKEWPARAM(code, position);
        }
        break;
    }
    default: break;
    }
    return CallWindowProcW(g_ruler.previous, list, message, wParam, lParam);
}

void SubclassTabRuler(HWND page)
{
    HWND list = GetDlgItem(page, kRuler);
    if (g_ruler.previous || !list)
        return;
    g_ruler.previous = SubclassControl(list, TabRulerProc);
    g_ruler.page = page;
    g_ruler.offset = 0;
}

void UnsubclassTabRuler(HWND page)
{
    if (g_ruler.previous)
        RestoreControlProc(GetDlgItem(page, kRuler), g_ruler.previous);
    if (g_ruler.font)
        DeleteObject(g_ruler.font);
    g_ruler = Ruler{};
}

// Sizes the box to whole cells of 80 columns, keeps its centre, and fills it.
void InitTabRuler(HWND page, const SetupControlEntry& entry, u8 init, WPARAM, LPARAM)
{
    HWND list = GetDlgItem(page, entry.id);
    if (!init || !list)
        return;
    RECT box{};
    GetWindowRect(list, &box);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&box), 2);
    const int frameX = GetSystemMetrics(SM_CXDLGFRAME), frameY = GetSystemMetrics(SM_CYDLGFRAME);
    const RulerCells cells = FitRuler(box.right - box.left, box.bottom - box.top, frameX, frameY,
                                      GetSystemMetrics(SM_CYHSCROLL));
    const int left = box.left + (box.right - box.left - cells.width) / 2;
    const int lost = (box.bottom - box.top) - cells.height;
    const int top = box.top + (lost > 0 ? lost / 2 : 0);
    MoveWindow(list, left, top, cells.width, cells.height, TRUE);
    g_ruler.cellWidth = cells.cellWidth;

    LOGFONTW face{};
    face.lfHeight = cells.rowHeight;
    face.lfWidth = cells.cellWidth;
    face.lfWeight = FW_NORMAL;
    face.lfCharSet = ANSI_CHARSET;
    face.lfPitchAndFamily = FIXED_PITCH;
    CopyText(face.lfFaceName, LF_FACESIZE, L"Raster Fonts");
    if (!g_ruler.font)
        g_ruler.font = CreateFontIndirectW(&face);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(g_ruler.font), TRUE);
    SendMessageW(list, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(cells.cellWidth), 0);
    SendMessageW(list, LB_SETITEMHEIGHT, 0, cells.rowHeight);
    const int columns = TabLineColumns(TabLine());
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(columns * cells.cellWidth), 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    // The ruler's digits are cut to the line's columns.
    for (u32 id : {kStrTens, kStrUnits}) {
        wchar16 digits[kTabLineUnits] = {};
        if (LoadLanguageString(InstanceHandle, id, digits, columns + 1) > 0)
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(digits));
    }
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TabLine() + 1));
}

bool Clicked(const SetupControlEntry& entry, WPARAM wParam)
{
    return LOWORD(wParam) == entry.id && HIWORD(wParam) == BN_CLICKED;
}

void ClearAllTabs(HWND page, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    if (init || !Clicked(entry, wParam))
        return;
    SetTabsEvery(TabLine(), 0);
    ShowTabLine(GetDlgItem(page, kRuler));
}

void SetEvery(HWND page, const SetupControlEntry& entry, u8 init, WPARAM wParam, LPARAM)
{
    if (init || !Clicked(entry, wParam))
        return;
    BOOL read = FALSE;
    const int k = static_cast<int>(GetDlgItemInt(page, kInterval, &read, TRUE));
    SetTabsEvery(TabLine(), read ? k : 0);
    ShowTabLine(GetDlgItem(page, kRuler));
}

// The interval starts at 8 every time the page opens.
void Interval(HWND page, const SetupControlEntry& entry, u8 init, WPARAM, LPARAM)
{
    if (!init)
        return;
    SetDlgItemTextW(page, entry.id, L"8");
    SendDlgItemMessageW(page, entry.id, EM_LIMITTEXT, 3, 0);
}

bool Ok(HWND page)
{
    UnsubclassTabRuler(page);
    return true;
}

const SetupControlEntry kControls[] = {
    SetupButton(IDOK),
    SetupButton(IDCANCEL),
    SetupList(kRuler, InitTabRuler),
    SetupButton(kClearAll, ClearAllTabs),
    {SetupControlKind::TextEdit, kInterval, Interval, nullptr, 0, 0, 0},
    SetupButton(kSetEvery, SetEvery),
    SetupEnd(),
};

// Edits go straight into the tab line: the page's Cancel keeps them, the outer page's
// Cancel drops them.
// clang-format off
const SetupPage kPage{2380, kControls, 0, 0, nullptr, 0, SubclassTabRuler, nullptr, Ok, UnsubclassTabRuler,
                      nullptr};
// clang-format on
const bool kRegistered = (RegisterSetupPage(25, &kPage), true);

}  // namespace
