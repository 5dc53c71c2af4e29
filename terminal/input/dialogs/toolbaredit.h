// The edits the "Button Tools" dialog makes to its working copy of the toolbar tables:
// the list of tools in bar order (buttons and the group gaps before them), changing,
// inserting and deleting buttons and gaps, and adding and removing pictures from
// ".bmp" files. Nothing here touches the live tables; OK hands the copy back whole.
#pragma once

#include "terminal/input/bars/toolbarmodel.h"

// Item data of a gap entry in the tool list and the command list (also the id of the
// text "    [Space]    " such an entry shows).
constexpr i32 kToolGapEntry = 2867;

// A spacing read from a profile can be any number; the list shows at most this many
// gap entries before one button, so a damaged value cannot flood it.
constexpr int kToolGapEntriesPerButton = 16;
constexpr int kToolListCapacity = kToolbarButtonSlots * (kToolGapEntriesPerButton + 1);

// The tool list in bar order: for each button, one gap entry for every full group gap
// in its spacing (when that is at least a group gap), then the button's index. The
// number of entries written.
int ToolListEntries(const ToolbarTables& tables, i32* entries, int capacity);
// The first button at or after list position `position`, or the button count.
int ButtonAtOrAfter(const ToolbarTables& tables, const i32* entries, int count, int position);
// The list position of button `button`, or -1.
int ToolListPosition(const i32* entries, int count, int button);

// "Change Current" on button `button`: its image, its action (when `action` is not
// negative) and its text: `typed` when that is not empty and differs, ignoring case,
// from `shown` (the text the dialog showed for the tool), else none. The text is cut to
// what a button holds.
void ChangeToolButton(ToolbarTables& tables, int button, u32 image, i32 action, const wchar16* typed,
                      const wchar16* shown);
// Makes room for a button at `at` (0..count): a new last record (the last button moved
// right by the small width and its spacing, or `first` for the first button ever) and
// every button from `at` on moves up one record, each record keeping its rectangle.
// False when the table is full.
bool InsertToolButton(ToolbarTables& tables, int at, const ToolbarRect& first, i32 smallWidth);
// A gap before button `button`: its spacing grows by a group gap, or becomes one.
void InsertToolGap(ToolbarTables& tables, int button);
// Removes one group gap before button `button`, never leaving less than the gap.
void DeleteToolGap(ToolbarTables& tables, int button);
// Removes button `button`: the following ones move down a record, rectangles staying.
void DeleteToolButton(ToolbarTables& tables, int button);

// A picture loaded from a file: it has a bitmap and its name has a dot.
bool IsFileImage(const ToolbarTables& tables, int image);
// Whether any button shows image `image`.
bool ImageInUse(const ToolbarTables& tables, int image);
// The image whose file name (".bmp" added when it has no dot) equals `path`'s, ignoring
// case; -1 when none.
int FindImageFile(const ToolbarTables& tables, const wchar16* path);
// Puts a file's bitmap into the first free image slot, named by `path` (".bmp" added
// when it has no dot). Its index, or -1 when every slot is taken.
int AddFileImage(ToolbarTables& tables, HBITMAP bitmap, const wchar16* path);
// Removes file image `image`: the following images move down and the buttons follow
// them. The bitmap it held (the caller deletes it when the edit is kept), or nullptr
// when `image` is not a file image or a button still shows it.
HBITMAP RemoveFileImage(ToolbarTables& tables, int image);
