// What the "Button Tools" dialog keeps while it runs (in DWLP_USER), shared by its
// procedure and its lists.
#pragma once

#include "terminal/core/base/win32.h"
#include "terminal/input/dialogs/toolbaredit.h"

struct ButtonBarDialogState {
    ToolbarTables work;            // the working copy OK makes live
    i32 tools[kToolListCapacity];  // the tool list: button indexes and gap entries
    int toolCount = 0;
    int current = 0;                   // the current tool's position in that list
    wchar16 shown[kToolbarTextUnits];  // the text shown for the current tool
    bool listShown = false;
    // Bitmaps loaded from files in this session (Cancel deletes them), and bitmaps of
    // removed file images (OK deletes them).
    HBITMAP loaded[kToolbarImageSlots];
    int loadedCount = 0;
    HBITMAP removed[kToolbarImageSlots];
    int removedCount = 0;
    HBITMAP arrows[3] = {};  // tool-list button: closed, open, pressed
    COLORREF window = 0, windowText = 0, highlight = 0, highlightText = 0;
    WNDPROC previewProc = nullptr;
};

// The lists and drawing of the dialog (bardialoglists.cpp).
// The menu text of a command without its "&" marks ("About" with the program's name).
void CommandMenuText(u32 command, wchar16* text, int capacity);
// The text a tool shows: a gap's "    [Space]    ", a button's own text or the menu
// text of its command.
void ToolText(const ButtonBarDialogState& state, i32 tool, wchar16* text, int capacity);
void FillCommandList(HWND dialog, const ButtonBarDialogState& state);
void FillImageList(HWND dialog, const ButtonBarDialogState& state);
void FillToolList(HWND dialog, ButtonBarDialogState& state);
// Selects the list item whose data is `data` (none when no item has it).
void SelectListData(HWND dialog, int control, LRESULT data);
// The selected item's data, or `fallback` when nothing is selected.
LRESULT SelectedListData(HWND dialog, int control, LRESULT fallback);
void LoadDialogPictures(HWND dialog, ButtonBarDialogState& state);
void FreeDialogPictures(ButtonBarDialogState& state);
void ReadSystemColours(ButtonBarDialogState& state);
void SetListItemHeights(HWND dialog, const ButtonBarDialogState& state);
// WM_DRAWITEM for the two owner-drawn lists and the tool-list button.
bool DrawDialogItem(const ButtonBarDialogState& state, const DRAWITEMSTRUCT& item);
// The preview frame draws the current tool's button inside itself.
void HookPreview(HWND dialog, ButtonBarDialogState& state);
