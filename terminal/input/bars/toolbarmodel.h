// The toolbar's tables: the buttons, their pictures and the commands they post, as the
// attached toolbar and the floating "Button Tools" bar show them. A `ToolbarTables` is
// plain data, so the customisation dialog edits a copy and hands it back whole; the
// running bars show the live one (`Toolbar`).
#pragma once

#include "terminal/core/base/vxtypes.h"

// The same handle type <windows.h> declares, so platform code passes its bitmaps through.
struct HBITMAP__;
typedef HBITMAP__* HBITMAP;

constexpr int kToolbarButtonSlots = 64;
constexpr int kToolbarImageSlots = 128;
constexpr int kToolbarActionSlots = 80;
// A button's text with its terminator: 132 units of a macro string.
constexpr int kToolbarTextUnits = 133;
// An image's name: a resource name or a file path (a file name of 255 and ".bmp").
constexpr int kToolbarImageNameUnits = 264;

constexpr int kFactoryButtonCount = 13;
constexpr int kFactoryImageCount = 21;

// Pixels between buttons and before a group of buttons; the floating bar's grid.
constexpr int kToolbarGap = 2;
constexpr int kToolbarGroupGap = 6;
constexpr int kFloatingColumns = 4;
constexpr int kFloatingRows = 4;

// Toolbar types as stored in "Type".
constexpr u32 kToolbarNone = 0;
constexpr u32 kToolbarAttached = 1;
constexpr u32 kToolbarFloating = 2;

struct ToolbarRect {
    i32 left = 0, top = 0, right = 0, bottom = 0;
};

struct ToolbarSize {
    i32 cx = 0, cy = 0;
};

struct ToolbarButton {
    u32 spacing = 0;                       // pixels free before the button in the attached bar
    u32 isDefault = 0;                     // made by the factory defaults, not loaded or edited
    ToolbarRect rect;                      // place in the floating bar; its width picks the face size
    u32 image = 0;                         // index into the images
    u32 action = 0;                        // index into the actions
    wchar16 text[kToolbarTextUnits] = {};  // typed instead of the action when not empty
};

struct ToolbarImage {
    HBITMAP bitmap = nullptr;
    wchar16 name[kToolbarImageNameUnits] = {};  // resource name, or a path when it has a "."
    u32 builtIn = 0;
};

struct ToolbarTables {
    ToolbarButton buttons[kToolbarButtonSlots + 1];
    int buttonCount = 0;
    ToolbarImage images[kToolbarImageSlots + 1];
    int imageCount = 0;      // highest index with a bitmap + 1
    int fileImageCount = 0;  // images loaded from ".bmp" files
    u32 actions[kToolbarActionSlots + 1] = {};
    int actionCount = 0;  // highest index with a command + 1
};

// The three button sizes, measured from the "Sbup", "Mbup" and "Lbup" faces.
struct ToolbarFaceSizes {
    ToolbarSize small{26, 22}, medium{41, 22}, large{56, 22};
};

// The live tables the bars show and the sizes their faces have.
extern ToolbarTables Toolbar;
extern ToolbarFaceSizes ToolbarFaces;

// The factory image's resource name (0-20), or nullptr.
const wchar16* FactoryImageName(int index);
// The factory command of action `index` (0 for none or outside 0-79). With a fixed
// profile the File menu has no "Save Session As...", so the third button saves.
u32 FactoryToolbarAction(int index, bool fixedProfile);
// The command an action index posts: its id, 0 for none, -1 outside 0-79.
i32 ToolbarActionCommand(const ToolbarTables& tables, int action);

// The factory actions, and the 13 factory buttons in the floating bar's 4 x 4 grid.
void ResetToolbarActions(ToolbarTables& tables, bool fixedProfile);
void ResetToolbarButtons(ToolbarTables& tables, const ToolbarFaceSizes& faces);
// Whether the buttons are still exactly the factory ones (then none are saved).
bool ToolbarButtonsAreFactory(const ToolbarTables& tables);

// Sets button `index` (0-63; others are ignored) and keeps the count at the highest
// index set + 1. The text is cut to what a button holds.
void SetToolbarButton(ToolbarTables& tables, int index, u32 spacing, const ToolbarRect& rect, u32 image,
                      u32 action, const wchar16* text);
// The image named `name` (case-insensitive), or -1.
int FindToolbarImage(const ToolbarTables& tables, const wchar16* name);
// Puts a bitmap into image slot `index` (0-127; others are ignored) and keeps the count
// at the highest index with a bitmap + 1.
void SetToolbarImage(ToolbarTables& tables, int index, HBITMAP bitmap, const wchar16* name, u32 builtIn);

// The stored "Type": 0 and 2 as they are, anything else the attached toolbar.
u32 ToolbarTypeFromValue(u32 value);

// The floating bar's factory rectangle: the 4 x 4 grid of small buttons with the bar's
// frame, its top-left corner at `origin`.
ToolbarRect DefaultFloatingRect(i32 originX, i32 originY, const ToolbarFaceSizes& faces, ToolbarSize nonClient);
// Moves `rect` (keeping its size) so that it lies on `area`; a rectangle larger than
// the area keeps its top-left corner on it.
ToolbarRect BringOntoArea(const ToolbarRect& rect, const ToolbarRect& area);
