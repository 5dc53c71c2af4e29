#include "terminal/input/bars/toolbarmodel.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/commandids.h"

ToolbarTables Toolbar;
ToolbarFaceSizes ToolbarFaces;

namespace {
// clang-format off
const wchar16* const kFactoryImages[kFactoryImageCount] = {
    VXT("Connect"), VXT("Open"),  VXT("Save"),   VXT("Copy"),   VXT("Paste"),   VXT("Prints"), VXT("Print"),
    VXT("Colour"),  VXT("keybrd"), VXT("Button"), VXT("Mouse"),  VXT("tools"),   VXT("help"),   VXT("Reset"),
    VXT("Clear"),   VXT("capture"), VXT("replay"), VXT("cube"),  VXT("smile"),   VXT("hand"),   VXT("sblank"),
};

// Action index -> the main window's command; 0 is no command. Index 2 is decided by the
// profile mode (see FactoryToolbarAction).
const u16 kFactoryActions[kToolbarActionSlots] = {
    /*  0 */ 1015, 1019, 1020, 1074, 1010, 1049, 1040, 1016, 1017, 1018,
    /* 10 */ 1032, 1090, 1000,    0,    0,    0,    0,    0,    0,    0,
    /* 20 */    0,    0,    0,    0,    0,    0, 1002, 1044, 1085, 1004,
    /* 30 */ 1005, 1001, 1011,    0, 1006, 1007, 1048, 1057, 1041, 1072,
    /* 40 */ 1083, 1008, 1058, 1069, 1043, 1012, 1013, 1014, 1087, 1075,
    /* 50 */ 1076, 1077, 1088, 1075, 1022, 1023, 1024,    0,    0,    0,
    /* 60 */ 1028, 1031, 1033,    0, 1035, 1036,    0,    0,    0,    0,
    /* 70 */    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
};

// The factory buttons by floating-grid row: button number and the pixels before it in
// the attached bar (a wider gap starts a group).
struct FactoryButton {
    int row;
    u32 spacing;
};
const FactoryButton kFactoryButtons[kFactoryButtonCount] = {
    {0, 2}, {0, 2}, {0, 2}, {0, 6},
    {1, 2}, {1, 6},
    {2, 2}, {2, 6}, {2, 2}, {2, 2},
    {3, 2}, {3, 6}, {3, 6},
};
// clang-format on

wchar16 Fold(wchar16 c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<wchar16>(c - 'a' + 'A') : c;
}

bool SameName(const wchar16* a, const wchar16* b)
{
    for (; *a && *b; ++a, ++b)
        if (Fold(*a) != Fold(*b))
            return false;
    return *a == *b;
}
}  // namespace

const wchar16* FactoryImageName(int index)
{
    return index >= 0 && index < kFactoryImageCount ? kFactoryImages[index] : nullptr;
}

u32 FactoryToolbarAction(int index, bool fixedProfile)
{
    if (index < 0 || index >= kToolbarActionSlots)
        return 0;
    if (index == 2 && fixedProfile)
        return kCmdSave;
    return kFactoryActions[index];
}

i32 ToolbarActionCommand(const ToolbarTables& tables, int action)
{
    if (action < 0 || action >= kToolbarActionSlots)
        return -1;
    return static_cast<i32>(tables.actions[action]);
}

void ResetToolbarActions(ToolbarTables& tables, bool fixedProfile)
{
    tables.actionCount = 0;
    for (int i = 0; i < kToolbarActionSlots; ++i) {
        tables.actions[i] = FactoryToolbarAction(i, fixedProfile);
        if (tables.actions[i])
            tables.actionCount = i + 1;
    }
}

void ResetToolbarButtons(ToolbarTables& tables, const ToolbarFaceSizes& faces)
{
    for (ToolbarButton& b : tables.buttons)
        b = ToolbarButton{};
    const ToolbarSize size = faces.small;
    int previousRow = -1;
    ToolbarRect rect;
    for (int i = 0; i < kFactoryButtonCount; ++i) {
        const int row = kFactoryButtons[i].row;
        if (row != previousRow) {
            rect.left = kToolbarGap;
            rect.top = row * size.cy + (row + 1) * kToolbarGap;
        } else {
            rect.left += size.cx + kToolbarGap;
        }
        rect.right = rect.left + size.cx;
        rect.bottom = rect.top + size.cy;
        previousRow = row;
        ToolbarButton& b = tables.buttons[i];
        b.spacing = kFactoryButtons[i].spacing;
        b.isDefault = 1;
        b.rect = rect;
        b.image = static_cast<u32>(i);
        b.action = static_cast<u32>(i);
    }
    tables.buttonCount = kFactoryButtonCount;
}

bool ToolbarButtonsAreFactory(const ToolbarTables& tables)
{
    if (tables.buttonCount != kFactoryButtonCount)
        return false;
    for (int i = 0; i < tables.buttonCount; ++i)
        if (!tables.buttons[i].isDefault)
            return false;
    return true;
}

void SetToolbarButton(ToolbarTables& tables, int index, u32 spacing, const ToolbarRect& rect, u32 image,
                      u32 action, const wchar16* text)
{
    if (index < 0 || index >= kToolbarButtonSlots)
        return;
    ToolbarButton& b = tables.buttons[index];
    b.spacing = spacing;
    b.isDefault = 0;
    b.rect = rect;
    b.image = image;
    b.action = action;
    CopyText(b.text, kToolbarTextUnits, text ? text : VXT(""));
    if (index >= tables.buttonCount)
        tables.buttonCount = index + 1;
}

int FindToolbarImage(const ToolbarTables& tables, const wchar16* name)
{
    if (!name || !*name)
        return -1;
    for (int i = 0; i < tables.imageCount && i < kToolbarImageSlots; ++i)
        if (tables.images[i].bitmap && SameName(tables.images[i].name, name))
            return i;
    return -1;
}

void SetToolbarImage(ToolbarTables& tables, int index, HBITMAP bitmap, const wchar16* name, u32 builtIn)
{
    if (index < 0 || index >= kToolbarImageSlots)
        return;
    ToolbarImage& image = tables.images[index];
    image.bitmap = bitmap;
    CopyText(image.name, kToolbarImageNameUnits, name ? name : VXT(""));
    image.builtIn = builtIn;
    if (bitmap && index >= tables.imageCount)
        tables.imageCount = index + 1;
}

u32 ToolbarTypeFromValue(u32 value)
{
    return value == kToolbarNone || value == kToolbarFloating ? value : kToolbarAttached;
}

ToolbarRect DefaultFloatingRect(i32 originX, i32 originY, const ToolbarFaceSizes& faces, ToolbarSize nonClient)
{
    const ToolbarSize size = faces.small;
    ToolbarRect r;
    r.left = originX;
    r.top = originY;
    r.right = originX + kFloatingColumns * size.cx + nonClient.cx + 5 * kToolbarGap;
    r.bottom = originY + kFloatingRows * size.cy + nonClient.cy + 5 * kToolbarGap;
    return r;
}

ToolbarRect BringOntoArea(const ToolbarRect& rect, const ToolbarRect& area)
{
    const i32 width = rect.right - rect.left, height = rect.bottom - rect.top;
    i32 left = rect.left, top = rect.top;
    if (left + width > area.right)
        left = area.right - width;
    if (top + height > area.bottom)
        top = area.bottom - height;
    if (left < area.left)
        left = area.left;
    if (top < area.top)
        top = area.top;
    return ToolbarRect{left, top, left + width, top + height};
}
