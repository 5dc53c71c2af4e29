#include "terminal/emulations/ibmhost/5250/fields/selection5250.h"

#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/fields/format5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/replies5250.h"

namespace {
constexpr u8 kOpen = 0x4C, kClose = 0x6E, kBlank = 0x40, kSlash = 0x61;

int Frame(const I5250SelectionField& f)
{
    return f.kind >> 4;
}

// The attribute in force before an address: the nearest attribute position at or
// before it, else `fallback`.
u8 AttributeBefore(const I5250Session* s, i32 from, u8 fallback)
{
    for (i32 a = from; a >= 1; --a) {
        const HostCell& c = s->cells[static_cast<std::size_t>(a)];
        if (IsAttributeByte(c.character) && !(c.flags & kCellIsData))
            return c.character;
    }
    return fallback;
}

void Redraw(I5250Session* s, I5250SelectionField& f, std::size_t choice)
{
    I5250DrawChoice(s, nullptr, 0x20, f.choices[choice], f);
}

// Selecting a choice: another choice of a single-choice field gives way first.
void Select(I5250Session* s, I5250SelectionField& f, std::size_t choice, bool onlySelected)
{
    I5250Choice& c = f.choices[choice];
    if (c.state == 2 || (onlySelected && c.state != 0))
        return;
    if (!f.multiple) {
        if (c.state == 0)
            return;
        for (std::size_t i = 0; i < f.choices.size(); ++i)
            if (f.choices[i].state == 0) {
                f.choices[i].state = 1;
                Redraw(s, f, i);
            }
    }
    c.state = c.state == 0 ? 1 : 0;
    Redraw(s, f, choice);
}
}  // namespace

int I5250ChoiceWidth(const I5250SelectionField& f, const I5250Choice& c)
{
    const int frame = Frame(f);
    int width = 0;
    if (frame != 0xF)
        width += 1 + (frame == 0 ? 1 : frame == 2 || frame == 4 ? 3 : frame == 3 || frame == 5 ? 2 : 0);
    if (c.flags & 0x03)
        width += 2;
    width += 1 + f.textWidth;
    width += frame == 2 || frame == 4 ? 3 : frame == 3 || frame == 5 ? 2 : 0;
    return width + 1 + f.trailingNulls;
}

i32 I5250DrawChoice(I5250Session* s, const u8* text, u8 defaultAttribute, I5250Choice& c, I5250SelectionField& f)
{
    const int st = c.state < 3 ? c.state : 1;
    const u8 indicator = static_cast<u8>(f.indicatorAttributes[st] | 0x20);
    const u8 textAttribute = static_cast<u8>(f.textAttributes[st] | 0x20);
    const int frame = Frame(f);
    i32 a = c.start;
    auto put = [&](u8 b) { I5250WriteCell(s, b, a++, false); };
    bool closing = false;
    if (frame != 0xF) {
        put(indicator);
        if (frame == 0) {
            put(kSlash);
        } else if (frame == 2 || frame == 4) {
            put(kOpen);
            put(kBlank);
            put(indicator);
            closing = true;
        } else if (frame == 3 || frame == 5) {
            put(kOpen);
            put(indicator);
            closing = true;
        }
        if (c.flags & 0x03) {
            put(c.indicator);
            put(f.separator);
        }
    }
    put(textAttribute);
    const i32 textStart = a;
    if (text) {
        c.mnemonic = text[c.mnemonicOffset < f.textWidth ? c.mnemonicOffset : 0];
        for (int i = 0; i < f.textWidth; ++i)
            put(text[i]);
        if ((c.flags & 0x08) && c.mnemonicOffset < f.textWidth) {
            HostCell& m = s->cells[static_cast<std::size_t>(textStart + c.mnemonicOffset)];
            m.extended = static_cast<u8>(m.extended | textAttribute | 0x04);
            I5250MarkCell(s, textStart + c.mnemonicOffset);
        }
    } else {
        a += f.textWidth;
    }
    if (closing) {
        put(indicator);
        if (frame == 2 || frame == 4)
            put(kBlank);
        put(kClose);
    }
    if (!text) {
        f.flags |= 0x01;
        s->fieldModified = 1;
        if (st == 0 && (c.flags & 0x04) && c.aid)
            I5250SendAid(s, c.aid);
        else if (st == 0 && (f.fieldFlags[0] & 0x20))
            I5250SendAid(s, 0xF1);  // an auto-enter field sends Enter on a selection
        return a + 1;
    }
    put(AttributeBefore(s, c.start - 1, defaultAttribute));
    c.end = static_cast<u16>(a);
    f.end = static_cast<u16>(a);
    for (int i = 0; i < f.trailingNulls; ++i)
        put(0);
    return a;
}

void I5250DrawSeparatorLine(I5250Session* s, int row, int column, int length, u8 fill, u8 attribute,
                            bool noAttribute)
{
    const i32 start = AddressOf(s, row, column);
    if (noAttribute) {
        for (i32 a = start; a < start + length; ++a)
            I5250WriteCell(s, fill, a, false);
        return;
    }
    const u8 found = AttributeBefore(s, start, 0x20);
    I5250WriteCell(s, static_cast<u8>(attribute | 0x20), start, false);
    for (i32 a = start + 1; a < start + length; ++a)
        I5250WriteCell(s, fill, a, false);
    I5250WriteCell(s, found, start + length - 1, false);
}

int I5250SelectionFieldKey(I5250Session* s, int code, i32 address)
{
    if (code == kSelectionMove) {
        const I5250ChoiceAt at = I5250FindChoice(s, address);
        if (at.field < 0 || at.choice < 0)
            return 1;
        const I5250Choice& c =
            s->selections[static_cast<std::size_t>(at.field)].choices[static_cast<std::size_t>(at.choice)];
        return (c.flags & 0x80) ? 0 : 1;
    }
    const I5250ChoiceAt at = I5250FindChoice(s, s->cursor);
    if (at.field < 0)
        return 1;
    I5250SelectionField& f = s->selections[static_cast<std::size_t>(at.field)];
    switch (code) {
    case kSelectionBlank:
    case 114:  // Field Exit
    case 140:  // Cursor Select
        if (at.choice >= 0)
            Select(s, f, static_cast<std::size_t>(at.choice), false);
        return 0;
    case 0:
    case 112: return 0;
    case 87:
        if (f.multiple && (f.fieldFlags[0] & 0x01))
            for (std::size_t i = 0; i < f.choices.size(); ++i)
                if (f.choices[i].state == 0) {
                    f.choices[i].state = 1;
                    Redraw(s, f, i);
                }
        return 0;
    case 89:
    case 90:
    case 91:
    case 92: {
        static constexpr u8 kAidFlags[4] = {0x40, 0x10, 0x20, 0x08};  // up, left, down, right
        static constexpr u8 kAids[4] = {0xF4, 0xD9, 0xF5, 0xDA};
        const int k = code - 89;
        if (at.choice >= 0 && (f.choices[static_cast<std::size_t>(at.choice)].flags & kAidFlags[k])) {
            I5250SendAid(s, kAids[k]);
            return 0;
        }
        if (!f.restrictCursor)
            return 1;
        const i32 step = k == 0 ? -s->current.columns : k == 2 ? s->current.columns : k == 1 ? -1 : 1;
        const i32 last = s->current.bufferSize;
        i32 a = s->cursor;
        for (int n = 0; n < 5000; ++n) {
            a = ((a - 1 + step) % last + last) % last + 1;
            const I5250ChoiceAt next = I5250FindChoice(s, a);
            if (next.field == at.field && next.choice >= 0 && next.choice != at.choice &&
                f.choices[static_cast<std::size_t>(next.choice)].state != 2) {
                s->cursor = f.choices[static_cast<std::size_t>(next.choice)].start;
                break;
            }
        }
        return 0;
    }
    case 115: return (f.fieldFlags[0] & 0x08) ? 0 : 1;
    default: return 1;
    }
}

bool I5250SelectionMnemonic(I5250Session* s, u8 character)
{
    const I5250ChoiceAt at = I5250FindChoice(s, s->cursor);
    if (at.field < 0)
        return false;
    I5250SelectionField& f = s->selections[static_cast<std::size_t>(at.field)];
    for (std::size_t i = 0; i < f.choices.size(); ++i)
        if ((f.choices[i].flags & 0x08) && f.choices[i].mnemonic == character) {
            s->cursor = f.choices[i].start;
            Select(s, f, i, false);
            return true;
        }
    return false;
}
