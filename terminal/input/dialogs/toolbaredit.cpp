#include "terminal/input/dialogs/toolbaredit.h"

#include "terminal/core/base/corestate.h"

namespace {

wchar16 Fold(wchar16 c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<wchar16>(c - 0x20);
    return c;
}

bool SameIgnoringCase(const wchar16* a, const wchar16* b)
{
    for (; *a && *b; ++a, ++b)
        if (Fold(*a) != Fold(*b))
            return false;
    return *a == *b;
}

bool HasDot(const wchar16* name)
{
    for (; *name; ++name)
        if (*name == '.')
            return true;
    return false;
}

// A picture's name as a file name: ".bmp" added when it has no dot.
void FileName(wchar16* out, const wchar16* name)
{
    const std::size_t length = CopyText(out, kToolbarImageNameUnits - 4, name);
    if (!HasDot(out))
        CopyText(out + length, 5, VXT(".bmp"));
}

bool ValidButton(const ToolbarTables& tables, int button)
{
    return button >= 0 && button < tables.buttonCount && button < kToolbarButtonSlots;
}

// What a button is apart from its place in the floating bar.
void MoveContent(ToolbarButton& to, const ToolbarButton& from)
{
    const ToolbarRect keep = to.rect;
    to = from;
    to.rect = keep;
}

}  // namespace

int ToolListEntries(const ToolbarTables& tables, i32* entries, int capacity)
{
    int count = 0;
    for (int i = 0; i < tables.buttonCount && i < kToolbarButtonSlots; ++i) {
        const u32 spacing = tables.buttons[i].spacing;
        u32 gaps = spacing >= static_cast<u32>(kToolbarGroupGap) ? spacing / kToolbarGroupGap : 0;
        if (gaps > static_cast<u32>(kToolGapEntriesPerButton))
            gaps = kToolGapEntriesPerButton;
        for (; gaps > 0 && count < capacity; --gaps)
            entries[count++] = kToolGapEntry;
        if (count < capacity)
            entries[count++] = i;
    }
    return count;
}

int ButtonAtOrAfter(const ToolbarTables& tables, const i32* entries, int count, int position)
{
    for (int i = position < 0 ? 0 : position; i < count; ++i)
        if (entries[i] != kToolGapEntry)
            return entries[i];
    return tables.buttonCount;
}

int ToolListPosition(const i32* entries, int count, int button)
{
    for (int i = 0; i < count; ++i)
        if (entries[i] == button)
            return i;
    return -1;
}

void ChangeToolButton(ToolbarTables& tables, int button, u32 image, i32 action, const wchar16* typed,
                      const wchar16* shown)
{
    if (!ValidButton(tables, button))
        return;
    ToolbarButton& b = tables.buttons[button];
    b.isDefault = 0;
    b.image = image;
    if (action >= 0 && action < kToolbarActionSlots)
        b.action = static_cast<u32>(action);
    const bool ownText = typed && *typed && !(shown && SameIgnoringCase(typed, shown));
    CopyText(b.text, kToolbarTextUnits, ownText ? typed : VXT(""));
}

bool InsertToolButton(ToolbarTables& tables, int at, const ToolbarRect& first, i32 smallWidth)
{
    const int count = tables.buttonCount;
    if (count >= kToolbarButtonSlots || at < 0 || at > count)
        return false;
    ToolbarButton& added = tables.buttons[count];
    if (count == 0) {
        added = ToolbarButton{};
        added.rect = first;
        added.spacing = kToolbarGap;
    } else {
        added = tables.buttons[count - 1];
        const i32 step = smallWidth + static_cast<i32>(added.spacing);
        added.rect.left += step;
        added.rect.right += step;
    }
    for (int j = count; j > at; --j)
        MoveContent(tables.buttons[j], tables.buttons[j - 1]);
    tables.buttons[at].isDefault = 0;
    tables.buttonCount = count + 1;
    return true;
}

void InsertToolGap(ToolbarTables& tables, int button)
{
    if (!ValidButton(tables, button))
        return;
    ToolbarButton& b = tables.buttons[button];
    b.spacing = b.spacing > static_cast<u32>(kToolbarGap) ? b.spacing + kToolbarGroupGap : kToolbarGroupGap;
    b.isDefault = 0;
}

void DeleteToolGap(ToolbarTables& tables, int button)
{
    if (!ValidButton(tables, button))
        return;
    ToolbarButton& b = tables.buttons[button];
    const u32 least = kToolbarGap + kToolbarGroupGap;
    b.spacing = b.spacing >= least ? b.spacing - kToolbarGroupGap : kToolbarGap;
    b.isDefault = 0;
}

void DeleteToolButton(ToolbarTables& tables, int button)
{
    if (!ValidButton(tables, button))
        return;
    const int last = tables.buttonCount - 1;
    for (int j = button; j < last; ++j)
        MoveContent(tables.buttons[j], tables.buttons[j + 1]);
    tables.buttons[last] = ToolbarButton{};
    tables.buttonCount = last;
}

bool IsFileImage(const ToolbarTables& tables, int image)
{
    return image >= 0 && image < tables.imageCount && image < kToolbarImageSlots && tables.images[image].bitmap &&
           HasDot(tables.images[image].name);
}

bool ImageInUse(const ToolbarTables& tables, int image)
{
    for (int i = 0; i < tables.buttonCount && i < kToolbarButtonSlots; ++i)
        if (tables.buttons[i].image == static_cast<u32>(image))
            return true;
    return false;
}

int FindImageFile(const ToolbarTables& tables, const wchar16* path)
{
    wchar16 wanted[kToolbarImageNameUnits], name[kToolbarImageNameUnits];
    FileName(wanted, path);
    for (int i = 0; i < tables.imageCount && i < kToolbarImageSlots; ++i) {
        if (!tables.images[i].bitmap)
            continue;
        FileName(name, tables.images[i].name);
        if (SameIgnoringCase(name, wanted))
            return i;
    }
    return -1;
}

int AddFileImage(ToolbarTables& tables, HBITMAP bitmap, const wchar16* path)
{
    for (int i = 0; i < kToolbarImageSlots; ++i) {
        if (tables.images[i].bitmap)
            continue;
        wchar16 name[kToolbarImageNameUnits];
        FileName(name, path);
        SetToolbarImage(tables, i, bitmap, name, 0);
        ++tables.fileImageCount;
        return i;
    }
    return -1;
}

HBITMAP RemoveFileImage(ToolbarTables& tables, int image)
{
    if (!IsFileImage(tables, image) || ImageInUse(tables, image))
        return nullptr;
    HBITMAP bitmap = tables.images[image].bitmap;
    for (int i = 0; i < tables.buttonCount && i < kToolbarButtonSlots; ++i)
        if (tables.buttons[i].image > static_cast<u32>(image))
            --tables.buttons[i].image;
    const int last = tables.imageCount - 1;
    for (int i = image; i < last; ++i)
        tables.images[i] = tables.images[i + 1];
    tables.images[last] = ToolbarImage{};
    tables.imageCount = last;
    if (tables.fileImageCount > 0)
        --tables.fileImageCount;
    return bitmap;
}
