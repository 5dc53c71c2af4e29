#include "terminal/settings/setup/checklist.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/memblock.h"
#include "terminal/settings/setup/setuppages.h"

namespace {

const wchar_t kListProperty[] = L"vxCheckList";

CheckList* ListOf(HWND window)
{
    return static_cast<CheckList*>(GetPropW(window, kListProperty));
}

void InvalidateRow(const CheckList& list, int row)
{
    RECT r{};
    if (SendMessageW(list.list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r)) != LB_ERR)
        InvalidateRect(list.list, &r, FALSE);
}

void Flip(CheckList& list, int row)
{
    if (row < 0 || row >= list.count || !list.items || list.items[row].disabled)
        return;
    list.items[row].checked = !list.items[row].checked;
    InvalidateRow(list, row);
    if (list.changed)
        list.changed(list, row);
}

LRESULT CALLBACK CheckListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CheckList* list = ListOf(window);
    if (!list)
        return DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC previous = list->previous;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const int height = CheckListRowHeight();
        const int top = static_cast<int>(SendMessageW(window, LB_GETTOPINDEX, 0, 0));
        const int row = CheckListBoxAt(point, height, top, list->count, CheckListBoxSize(height));
        const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
        Flip(*list, row);
        return result;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            const int row = static_cast<int>(SendMessageW(window, LB_GETCURSEL, 0, 0));
            if (row != LB_ERR)
                Flip(*list, row);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L' ')
            return 0;  // Space flips the row; the list box must not search for it
        break;
    case WM_NCDESTROY:
        RemovePropW(window, kListProperty);
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        list->list = nullptr;
        return CallWindowProcW(previous, window, message, wParam, lParam);
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

}  // namespace

int CheckListRowHeight()
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight > 0 ? metrics.tmHeight : 16;
}

int CheckListBoxSize(int rowHeight)
{
    const int size = rowHeight - 2;
    return size > 13 ? 13 : (size < 6 ? 6 : size);
}

int CheckListBoxAt(POINT point, int rowHeight, int topIndex, int count, int boxSize)
{
    if (rowHeight <= 0 || point.y < 0 || point.x < 2 || point.x >= 2 + boxSize)
        return -1;
    const int shown = point.y / rowHeight;
    const int within = point.y - shown * rowHeight;
    const int row = topIndex + shown;
    if (within < 1 || within >= 1 + boxSize || row < 0 || row >= count)
        return -1;
    return row;
}

bool CheckListInit(HWND dialog, CheckList& list, int listId, const CheckListRow* rows, int count)
{
    CheckListFree(list);
    list.list = GetDlgItem(dialog, listId);
    if (!list.list)
        return false;
    SendMessageW(list.list, LB_RESETCONTENT, 0, 0);
    list.items = static_cast<CheckListItem*>(
        MemAllocBlock(sizeof(CheckListItem) * static_cast<std::size_t>(count)));
    if (!list.items)
        return false;
    list.rows = rows;
    list.count = count;
    for (int row = 0; row < count; ++row) {
        CheckListItem& item = list.items[row];
        LoadLanguageString(InstanceHandle, rows[row].stringId, item.text, kCheckListTextUnits);
        item.checked = rows[row].variable && *rows[row].variable ? 1 : 0;
        item.disabled = 0;
        SendMessageW(list.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text));
        SendMessageW(list.list, LB_SETITEMDATA, static_cast<WPARAM>(row), row);
    }
    SetPropW(list.list, kListProperty, &list);
    list.previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(list.list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CheckListProc)));
    return true;
}

void CheckListStore(const CheckList& list)
{
    for (int row = 0; list.items && row < list.count; ++row)
        if (u16* variable = list.rows[row].variable)
            *variable = static_cast<u16>(list.items[row].checked);
}

void CheckListRefresh(CheckList& list)
{
    for (int row = 0; list.items && row < list.count; ++row)
        if (const u16* variable = list.rows[row].variable)
            list.items[row].checked = *variable ? 1 : 0;
    if (list.list)
        InvalidateRect(list.list, nullptr, TRUE);
}

void CheckListFree(CheckList& list)
{
    if (list.list && list.previous) {
        RemovePropW(list.list, kListProperty);
        SetWindowLongPtrW(list.list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(list.previous));
    }
    if (list.items)
        MemFreeBlock(list.items);
    const auto changed = list.changed;
    list = CheckList{};
    list.changed = changed;
}

void CheckListSetChecked(CheckList& list, int row, bool checked)
{
    if (!list.items || row < 0 || row >= list.count)
        return;
    list.items[row].checked = checked ? 1 : 0;
    InvalidateRow(list, row);
}

void CheckListSetDisabled(CheckList& list, int row, bool disabled)
{
    if (!list.items || row < 0 || row >= list.count)
        return;
    list.items[row].disabled = disabled ? 1 : 0;
    InvalidateRow(list, row);
}

bool CheckListChecked(const CheckList& list, int row)
{
    return list.items && row >= 0 && row < list.count && list.items[row].checked;
}

void CheckListMeasureItem(MEASUREITEMSTRUCT* measure)
{
    measure->itemHeight = static_cast<UINT>(CheckListRowHeight());
}

bool CheckListDrawItem(const CheckList& list, const DRAWITEMSTRUCT* draw)
{
    if (!list.items || draw->hwndItem != list.list ||
        !(draw->itemAction & (ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS)))
        return false;
    const int row = static_cast<int>(draw->itemID);
    if (row < 0 || row >= list.count)
        return true;
    const CheckListItem& item = list.items[row];
    const RECT& r = draw->rcItem;
    const bool selected = (draw->itemState & ODS_SELECTED) && !item.disabled;
    FillRect(draw->hDC, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(draw->hDC, TRANSPARENT);
    SetTextColor(draw->hDC, GetSysColor(selected        ? COLOR_HIGHLIGHTTEXT
                                        : item.disabled ? COLOR_GRAYTEXT
                                                        : COLOR_WINDOWTEXT));
    const int box = CheckListBoxSize(r.bottom - r.top);
    RECT boxRect{r.left + 2, r.top + 1, r.left + 2 + box, r.top + 1 + box};
    DrawFrameControl(draw->hDC, &boxRect, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT | (item.checked ? DFCS_CHECKED : 0) |
                         (item.disabled ? DFCS_INACTIVE : 0));
    RECT text = r;
    text.left += 2 + box + 4;
    DrawTextW(draw->hDC, item.text, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (!item.disabled && (draw->itemAction & ODA_FOCUS) && (draw->itemState & ODS_FOCUS)) {
        RECT focus{r.left, r.top, r.right - 1, r.bottom - 1};
        DrawFocusRect(draw->hDC, &focus);
    }
    return true;
}
