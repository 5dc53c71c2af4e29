// A list of check boxes: an owner-drawn list box whose rows each show a box and a text
// and mirror one u16 working flag. A click in a row's box, or Space on the selected row,
// flips it; a click on the text only selects the row, and moving the selection with the
// keys never changes a flag.
#pragma once

#include "terminal/core/base/win32.h"

struct CheckListRow;

constexpr int kCheckListTextUnits = 256;

struct CheckListItem {
    u32 checked;   // 0/1
    u32 disabled;  // 0/1: drawn grey, never flipped
    wchar16 text[kCheckListTextUnits];
};

struct CheckList {
    HWND list = nullptr;
    const CheckListRow* rows = nullptr;
    int count = 0;
    CheckListItem* items = nullptr;  // one per row while the page is open
    WNDPROC previous = nullptr;      // the list box's own procedure
    // Called after a row flipped (the page may disable other rows).
    void (*changed)(CheckList& list, int row) = nullptr;
};

// Fills the list box `listId` of `dialog` with the rows and their flags and takes over
// its mouse and keyboard. False when the block cannot be allocated: the list then stays
// empty and nothing touches memory.
bool CheckListInit(HWND dialog, CheckList& list, int listId, const CheckListRow* rows, int count);
// Writes each row's checked state into its variable, in row order.
void CheckListStore(const CheckList& list);
// Reads the rows' variables again.
void CheckListRefresh(CheckList& list);
void CheckListFree(CheckList& list);
void CheckListSetChecked(CheckList& list, int row, bool checked);
void CheckListSetDisabled(CheckList& list, int row, bool disabled);
bool CheckListChecked(const CheckList& list, int row);

// The dialog's owner-draw messages for the list.
void CheckListMeasureItem(MEASUREITEMSTRUCT* measure);
bool CheckListDrawItem(const CheckList& list, const DRAWITEMSTRUCT* draw);

// The row whose box holds `point` (client coordinates of the list), or -1: rows of
// `rowHeight` from `topIndex`, each box `boxSize` square at (2, 1) in its row.
int CheckListBoxAt(POINT point, int rowHeight, int topIndex, int count, int boxSize);
// The pixel size of a row and of its box.
int CheckListRowHeight();
int CheckListBoxSize(int rowHeight);
