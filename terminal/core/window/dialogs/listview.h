// Report-style list views as the Setup pages use them: rows of text cells with a number
// of their own (the item data), read and written by row and column.
#pragma once

#include <string>

#include "terminal/core/base/win32.h"

struct ListColumn {
    u32 title;  // language string
    int width;
};
// Full-row selection and the columns, titled from the language module.
void AddListColumns(HWND list, const ListColumn* columns, int count);
// Appends a row: its first cell and its item data; the row's index, or -1.
int AddListRow(HWND list, const wchar16* text, LPARAM data);
void SetListCell(HWND list, int row, int column, const wchar16* text);
std::wstring ListCellText(HWND list, int row, int column);
LPARAM ListRowData(HWND list, int row);
int ListRowCount(HWND list);
// The row whose item data equals `data`, -1 when none.
int FindListRow(HWND list, LPARAM data);
// Selects (and focuses) one row alone and scrolls it into view.
void SelectListRow(HWND list, int row);
