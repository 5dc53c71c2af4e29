#include "terminal/emulations/ibmhost/5250/fields/format5250.h"

#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/fieldedit5250.h"
#include "terminal/emulations/ibmhost/5250/fields/selection5250.h"
#include "terminal/emulations/ibmhost/5250/screen/status5250.h"
#include "terminal/emulations/ibmhost/5250/textassist/textentry5250.h"

namespace {
i32 Beyond(const I5250Session* s)
{
    return s->current.columns + s->current.bufferSize + 1;
}

bool IsBypass(const I5250Field& f)
{
    return (f.ffw[0] & kFfwBypass) != 0;
}

// The entry attribute for the display kind, 0 when the field has none.
u8 EntryAttribute(const I5250Session* s, const I5250Field& f)
{
    if (s->monochrome)
        return (f.entryFlags & 0x01) ? f.monoEntry : 0;
    return (f.entryFlags & 0x02) ? f.colourEntry : 0;
}

// Writes an attribute back at an extent's start, keeping the cell's data flag.
void PutAttribute(I5250Session* s, i32 address, u8 attribute)
{
    const bool data = (s->cells[static_cast<std::size_t>(address)].flags & kCellIsData) != 0;
    I5250WriteCell(s, attribute, address, data);
}

void GoTo(I5250Session* s, i32 address)
{
    s->cursor = address;
    I5250TrackCursorField(s);
}
}  // namespace

i32 I5250FieldFirst(const I5250Field& f)
{
    return f.extents.empty() ? 0 : f.extents.front().start + 1;
}

i32 I5250FieldLast(const I5250Field& f)
{
    return f.extents.empty() ? 0 : f.extents.back().start + f.extents.back().length;
}

I5250FieldAt I5250FindField(const I5250Session* s, i32 address)
{
    for (std::size_t i = 0; i < s->fields.size(); ++i) {
        const I5250Field& f = s->fields[i];
        for (std::size_t e = 0; e < f.extents.size(); ++e) {
            const I5250Extent& x = f.extents[e];
            if (address > x.start && address <= x.start + x.length)
                return {static_cast<i32>(i), static_cast<i32>(e), x.start + 1, x.start + x.length};
        }
    }
    return {-1, 0, Beyond(s), Beyond(s)};
}

int I5250FindFieldStartingAt(const I5250Session* s, i32 address)
{
    for (std::size_t i = 0; i < s->fields.size(); ++i)
        for (const I5250Extent& x : s->fields[i].extents) {
            if (x.start > address)
                break;
            if (x.start == address)
                return static_cast<int>(i) + 1;
        }
    return 0;
}

I5250Field* I5250CurrentField(I5250Session* s)
{
    if (s->currentField < 0 || s->currentField >= static_cast<i32>(s->fields.size()))
        return nullptr;
    return &s->fields[static_cast<std::size_t>(s->currentField)];
}

void I5250TrackCursorField(I5250Session* s)
{
    if (I5250Field* f = I5250CurrentField(s); f && s->entryShown) {
        for (I5250Extent& x : f->extents)
            if (x.savedAttribute)
                PutAttribute(s, x.start, x.savedAttribute);
    }
    s->entryShown = 0;
    const I5250FieldAt at = I5250FindField(s, s->cursor);
    s->currentField = at.field;
    s->currentExtent = at.extent;
    s->currentFirst = at.first;
    s->currentLast = at.last;
    I5250Field* f = I5250CurrentField(s);
    if (!f || IsBypass(*f))
        return;
    const u8 entry = EntryAttribute(s, *f);
    if (!entry)
        return;
    s->entryShown = 1;
    for (I5250Extent& x : f->extents) {
        x.savedAttribute = s->cells[x.start].character;
        PutAttribute(s, x.start, entry);
    }
}

bool I5250IsOutsideCurrentExtent(const I5250Session* s, i32 address)
{
    return s->currentField >= 0 && (address < s->currentFirst || address > s->currentLast);
}

int I5250MoveCursor(I5250Session* s, i32 address)
{
    if (!I5250SelectionFieldKey(s, 1, address))
        return 0;
    if (s->text.mode)
        return I5250MoveTextCursor(s, address);
    const int columns = s->current.columns;
    if (!s->windows.empty() && s->windows.front().restrictCursor) {
        const I5250Window& w = s->windows.front();
        int row = RowOf(s, address), column = ColumnOf(s, address);
        const int cursorRow = RowOf(s, s->cursor);
        if (row >= w.bottom)
            row = w.top + 1;
        else if (row <= w.top)
            row = w.bottom - 1;
        if (column >= w.right) {
            row = cursorRow;
            column = w.left + 1;
        } else if (column <= w.left) {
            row = cursorRow;
            column = w.right - 1;
        }
        address = AddressOf(s, row, column);
    }
    if (address < 1 || address > s->current.bufferSize)
        address = 1;
    (void)columns;
    const bool leaving = s->currentField < 0 || I5250IsOutsideCurrentExtent(s, address);
    if (s->currentField >= 0 && leaving && !I5250CheckMandatoryFill(s))
        return 0;
    s->cursor = address;
    if (leaving)
        I5250TrackCursorField(s);
    return 1;
}

int I5250FieldAdvance(I5250Session* s)
{
    const int n = static_cast<int>(s->fields.size());
    if (n == 0) {
        GoTo(s, 1);
        return 0;
    }
    int start = 0;
    for (int i = 0; i < n; ++i)
        if (s->fields[static_cast<std::size_t>(i)].extents.front().start + 1 > s->cursor) {
            start = i;
            break;
        }
    for (int k = 0; k < n; ++k) {
        const I5250Field& f = s->fields[static_cast<std::size_t>((start + k) % n)];
        if (!IsBypass(f)) {
            GoTo(s, I5250FieldFirst(f));
            return 1;
        }
    }
    GoTo(s, 1);
    return 0;
}

int I5250FieldAdvanceProgression(I5250Session* s)
{
    const I5250Field* f = I5250CurrentField(s);
    if (f && (f->controlWords & kFcwProgression) && s->header[2] == 0 && f->progression >= 1 &&
        f->progression <= s->fields.size()) {
        const I5250Field& next = s->fields[f->progression - 1u];
        if (!IsBypass(next)) {
            GoTo(s, I5250FieldFirst(next));
            return 1;
        }
    }
    return I5250FieldAdvance(s);
}

int I5250FieldBackspace(I5250Session* s)
{
    const int n = static_cast<int>(s->fields.size());
    if (n == 0) {
        GoTo(s, 1);
        return 0;
    }
    int start = n - 1;
    for (int i = n - 1; i >= 0; --i)
        if (I5250FieldFirst(s->fields[static_cast<std::size_t>(i)]) < s->cursor) {
            start = i;
            break;
        }
    for (int k = 0; k < n; ++k) {
        const I5250Field& f = s->fields[static_cast<std::size_t>((start - k + n) % n)];
        if (!IsBypass(f)) {
            GoTo(s, I5250FieldFirst(f));
            return 1;
        }
    }
    GoTo(s, 1);
    return 0;
}

int I5250FieldBackspaceProgression(I5250Session* s)
{
    if (s->progressionDefined && s->currentField >= 0 && s->header[2] == 0) {
        const int current = s->currentField + 1;
        for (const I5250Field& f : s->fields)
            if ((f.controlWords & kFcwProgression) && f.progression == current && !IsBypass(f)) {
                GoTo(s, I5250FieldFirst(f));
                return 1;
            }
    }
    return I5250FieldBackspace(s);
}

i32 I5250HomeAddress(const I5250Session* s)
{
    if (s->homeAddress)
        return s->homeAddress;
    for (const I5250Field& f : s->fields)
        if (!IsBypass(f))
            return I5250FieldFirst(f);
    return 1;
}

void I5250ResetFieldMdt(I5250Session* s, bool all)
{
    for (I5250Field& f : s->fields)
        if (all || !IsBypass(f))
            f.ffw[0] &= static_cast<u8>(~kFfwMdt);
}

void I5250NullFields(I5250Session* s, bool all)
{
    for (I5250Field& f : s->fields) {
        if (IsBypass(f) || (!all && !(f.ffw[0] & kFfwMdt)))
            continue;
        for (const I5250Extent& x : f.extents)
            for (i32 a = x.start + 1; a <= x.start + x.length; ++a)
                I5250WriteCell(s, 0, a, false);
    }
}

void I5250RecheckModified(I5250Session* s)
{
    if (!s->fieldModified)
        return;
    s->fieldModified = 0;
    for (const I5250Field& f : s->fields)
        if ((f.ffw[0] & (kFfwBypass | kFfwMdt)) == (kFfwBypass | kFfwMdt))
            s->fieldModified = 1;
}

void I5250ClearFormatTableEntries(I5250Session* s)
{
    I5250SetInhibit(s, 1);
    I5250RemoveSelectionFields(s, -1);
    for (const I5250Field& f : s->fields)
        for (const I5250Extent& x : f.extents)
            for (i32 a = x.start + 1; a <= x.start + x.length && a < static_cast<i32>(s->cells.size()); ++a)
                s->cells[static_cast<std::size_t>(a)].flags &= static_cast<u8>(~kCellInField);
    s->fields.clear();
    for (u8& b : s->header)
        b = 0;
    s->headerLength = 0;
    s->pendingAid = 0;
    s->pendingRead = 0;
    s->currentField = -1;
    s->entryShown = 0;
    s->progressionDefined = 0;
    s->text.mode = 0;
    s->fieldModified = 0;
    I5250TrackCursorField(s);
}

void I5250RemoveSelectionFields(I5250Session* s, int row)
{
    if (row < 0) {
        s->selections.clear();
        return;
    }
    for (std::size_t i = 0; i < s->selections.size();) {
        if (s->selections[i].row == row)
            s->selections.erase(s->selections.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
}

I5250ChoiceAt I5250FindChoice(const I5250Session* s, i32 address)
{
    for (std::size_t i = 0; i < s->selections.size(); ++i) {
        const I5250SelectionField& f = s->selections[i];
        if (address < f.first || address > f.last)
            continue;
        for (std::size_t c = 0; c < f.choices.size(); ++c)
            if (address >= f.choices[c].start && address < f.choices[c].end)
                return {static_cast<i32>(i), static_cast<i32>(c)};
        return {static_cast<i32>(i), -1};
    }
    return {-1, -1};
}
