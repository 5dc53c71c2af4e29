#include "terminal/core/window/dialogs/listview.h"

#include <commctrl.h>

#include <vector>

#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"

namespace {
// A cell holds a macro text escaped: 256 units of six each at most.
constexpr int kCellUnits = 256 * 6;
}  // namespace

void AddListColumns(HWND list, const ListColumn* columns, int count)
{
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int i = 0; i < count; ++i) {
        wchar_t title[64] = L"";
        LoadLanguageString(InstanceHandle, columns[i].title, title, 64);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = columns[i].width;
        column.pszText = title;
        column.iSubItem = i;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
}

int AddListRow(HWND list, const wchar16* text, LPARAM data)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = ListRowCount(list);
    item.pszText = const_cast<wchar16*>(text);
    item.lParam = data;
    return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetListCell(HWND list, int row, int column, const wchar16* text)
{
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar16*>(text);
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::wstring ListCellText(HWND list, int row, int column)
{
    std::vector<wchar_t> text(kCellUnits + 1, 0);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = kCellUnits + 1;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text.data();
}

LPARAM ListRowData(HWND list, int row)
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

int ListRowCount(HWND list)
{
    return list ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

int FindListRow(HWND list, LPARAM data)
{
    const int count = ListRowCount(list);
    for (int row = 0; row < count; ++row)
        if (ListRowData(list, row) == data)
            return row;
    return -1;
}

void SelectListRow(HWND list, int row)
{
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}
