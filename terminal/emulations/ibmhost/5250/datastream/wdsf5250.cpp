#include "terminal/emulations/ibmhost/5250/datastream/wdsf5250.h"

#include <algorithm>

#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/fields/format5250.h"
#include "terminal/emulations/ibmhost/5250/fields/selection5250.h"
#include "terminal/emulations/ibmhost/5250/settings5250.h"
#include "terminal/emulations/ibmhost/5250/fields/wordwrap5250.h"

namespace {
constexpr u8 kClass = 0xD9;
constexpr int kSelectionFixed = 21;  // the selection field's bytes before its minor structures
constexpr std::size_t kMaxSelectionFields = 50, kMaxChoices = 200;
// A window frame drawn with periods and colons, in high intensity.
constexpr u8 kBorderCharacters[8] = {0x4B, 0x4B, 0x4B, 0x7A, 0x7A, 0x7A, 0x4B, 0x7A};
constexpr u8 kBorderAttribute = 0x22;

struct Minor {
    const u8* p;
    int length;
};

// The minor structures from `at`; false when one runs past the field or is shorter than
// its length byte and type.
bool Minors(const u8* f, int length, int at, std::vector<Minor>& out)
{
    for (int i = at; i < length;) {
        const int n = f[i];
        if (n < 2 || i + n > length)
            return false;
        out.push_back({f + i, n});
        i += n;
    }
    return true;
}

u32 SelectionField(I5250Session* s, const u8* f, int length, i32 address)
{
    if (!I5250Config.enhancedUi)
        return kSenseEnhancedOff;
    if (length < 25)
        return kSenseStructuredLength;
    if (f[4] & 0x80)
        return 0;
    if (s->selections.size() >= kMaxSelectionFields)
        return kSenseParameter;
    I5250SelectionField field{};
    field.fieldFlags[0] = f[4];
    field.fieldFlags[1] = f[5];
    field.fieldFlags[2] = f[6];
    field.kind = f[7];
    field.multiple = (f[7] & 0x0F) == 2;
    field.textWidth = std::min<u8>(f[11], 200);
    field.rows = f[12] ? f[12] : 1;
    field.columns = f[13] ? f[13] : 1;
    field.trailingNulls = f[14];
    field.separator = f[15] ? f[15] : 0x4B;
    field.restrictCursor = (f[5] & 0x80) ? 1 : 0;
    const u8 defaults[3][3] = {{0x22, 0x21, 0x22}, {0x22, 0x21, 0x20}, {0x22, 0x21, 0x22}};
    for (int k = 0; k < 3; ++k) {
        field.indicatorAttributes[k] = defaults[0][k];
        field.textAttributes[k] = defaults[1][k];
        field.thirdAttributes[k] = defaults[2][k];
    }
    std::vector<Minor> minors;
    if (!Minors(f, length, kSelectionFixed, minors))
        return kSenseParameter;
    struct Text {
        I5250Choice choice;
        const u8* text;
        int length;
    };
    std::vector<Text> texts;
    std::vector<Minor> separators;
    for (const Minor& m : minors) {
        const u8 type = m.p[1];
        if (type == 0x01) {
            if (m.length >= 19 && m.p[3] == 0x40)
                for (int k = 0; k < 3; ++k)
                    field.indicatorAttributes[k] = field.textAttributes[k] = field.thirdAttributes[k] =
                        m.p[5 + 2 * k];
        } else if (type == 0x10) {
            if (m.length < 5)
                return kSenseEntry;
            if (!(m.p[2] & 0x40))
                continue;  // text for another kind of station
            I5250Choice c{};
            const u8 flags = m.p[3];
            c.state = static_cast<u8>((flags & 0x03) == 1 ? 0 : (flags & 0x03) == 2 ? 2 : 1);
            if (flags & 0x10)
                c.flags |= 0x80;
            int at = 5;
            if (flags & 0x80) {
                if (at >= m.length)
                    return kSenseEntry;
                c.flags |= 0x08;
                c.mnemonicOffset = m.p[at++];
            }
            if (flags & 0x40) {
                if (at >= m.length)
                    return kSenseEntry;
                c.flags |= 0x04;
                c.aid = m.p[at++];
            }
            if (flags & 0x20) {
                if (at >= m.length)
                    return kSenseEntry;
                c.flags |= 0x01;
                c.indicator = m.p[at++];
            }
            if (texts.size() >= kMaxChoices)
                return kSenseEntry;
            texts.push_back({c, m.p + at, m.length - at});
        } else if (type == 0x09) {
            separators.push_back(m);
        } else {
            return kSenseParameter;
        }
    }
    // Every choice must fit on the screen before anything is drawn.
    const int columns = s->current.columns;
    const int row0 = address >= 1 ? RowOf(s, address) : 0, column0 = address >= 1 ? ColumnOf(s, address) : 0;
    const int perRow = field.columns;
    int width = 0;
    for (const Text& t : texts)
        width = std::max(width, I5250ChoiceWidth(field, t.choice));
    const int rowsNeeded = texts.empty() ? 1 : (static_cast<int>(texts.size()) + perRow - 1) / perRow;
    if (address < 1 || column0 + perRow * width > columns || row0 + rowsNeeded > s->current.rows)
        return kSenseParameter;
    for (const Minor& m : separators) {
        const int column = m.length > 4 ? m.p[4] : 0, len = m.length > 5 ? m.p[5] : 0;
        if (len < 1 || column + len > columns)
            return kSenseParameter;
    }
    field.row = static_cast<i16>(row0);
    field.column = static_cast<i16>(column0);
    field.first = static_cast<u16>(address);
    std::vector<u8> padded(field.textWidth, 0x40);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        Text& t = texts[i];
        t.choice.start = static_cast<u16>(
            AddressOf(s, row0 + static_cast<int>(i) / perRow, column0 + static_cast<int>(i) % perRow * width));
        std::fill(padded.begin(), padded.end(), 0x40);
        std::copy_n(t.text, std::min<int>(t.length, field.textWidth), padded.begin());
        field.choices.push_back(t.choice);
        I5250DrawChoice(s, padded.data(), 0x20, field.choices.back(), field);
    }
    for (const Minor& m : separators) {
        const bool noAttribute = m.length <= 6 || (m.p[3] & 0x40);
        const u8 attribute = m.length > 6 && !(m.p[3] & 0x40) ? m.p[7] : 0x3A;
        const u8 fill = m.length > 8 && m.p[8] == 0 ? 0x00 : 0x60;
        I5250DrawSeparatorLine(s, row0, m.p[4], m.p[5], fill, attribute, noAttribute);
    }
    field.last = static_cast<u16>(field.choices.empty() ? address : field.end);
    s->selections.push_back(std::move(field));
    return 0;
}

u32 CreateWindow(I5250Session* s, const u8* f, int length, i32 address)
{
    if (!I5250Config.enhancedUi)
        return kSenseEnhancedOff;
    if (length < 9)
        return kSenseStructuredLength;
    const int depth = f[7], width = f[8];
    u8 border = kBorderAttribute;
    u8 characters[8];
    std::copy(std::begin(kBorderCharacters), std::end(kBorderCharacters), characters);
    std::vector<Minor> minors;
    if (!Minors(f, length, 9, minors))
        return kSenseEntry;
    const Minor* title = nullptr;
    const Minor* footer = nullptr;
    for (const Minor& m : minors) {
        if (m.p[1] == 0x01) {
            if (m.length < 4 || m.length > 13)
                return kSenseEntry;
            border = s->monochrome ? m.p[3] : (m.length > 4 ? m.p[4] : m.p[3]);
            for (int i = 0; i < 8 && 5 + i < m.length; ++i)
                characters[i] = m.p[5 + i];
        } else if (m.p[1] == 0x10) {
            if (m.length < 7 || m.length > 138)
                return kSenseEntry;
            ((m.p[2] & 0x10) ? footer : title) = &m;
        }
    }
    if (!IsAttributeByte(border))
        border = kBorderAttribute;
    // The frame and the attribute cells around it must lie on the screen.
    const int top = address >= 1 ? RowOf(s, address) : -1, left = address >= 1 ? ColumnOf(s, address) : -1;
    const int bottom = top + depth + 1, right = left + width + 1;
    if (address < 1 || depth < 1 || width < 1 || left < 1 || right + 1 >= s->current.columns ||
        bottom >= s->current.rows)
        return kSenseParameter;
    I5250DrawWindowBorder(s, top, left, bottom, right, false, border, characters);
    for (const Minor* m : {title, footer}) {
        if (!m)
            continue;
        const int placement = (m->p[2] & 0xC0) == 0x40 ? 1 : (m->p[2] & 0xC0) == 0x80 ? 2 : 0;
        const u8 attribute = s->monochrome ? m->p[3] : m->p[4];
        I5250WriteWindowTitle(s, (m == title ? top : bottom) + 1, left, right, border,
                              IsAttributeByte(attribute) ? attribute : 0, placement, m->p + 6, m->length - 6);
    }
    s->windows.insert(s->windows.begin(),
                      I5250Window{static_cast<i16>(left), static_cast<i16>(top), static_cast<i16>(right),
                                  static_cast<i16>(bottom), static_cast<u8>((f[4] & 0x80) ? 1 : 0)});
    I5250UpdateDisplay(s, false);
    return 0;
}

u32 WriteData(I5250Session* s, const u8* f, int length, i32 address)
{
    if (!(f[4] & 0x80))
        return kSenseType;
    if (length < 7)
        return kSenseStructuredLength;
    const I5250FieldAt at = I5250FindField(s, address);
    if (at.field < 0)
        return kSenseNoInputField;
    I5250Field& field = s->fields[static_cast<std::size_t>(at.field)];
    const bool asData = (field.control & 0x08) != 0;
    int i = 6;
    for (const I5250Extent& x : field.extents)
        for (i32 a = std::max<i32>(x.start + 1, address); a <= x.start + x.length; ++a)
            I5250WriteCell(s, i < length ? f[i++] : 0, a, asData);
    if (field.control & 0x40)
        I5250ReflowWordWrapField(s, address, false, false, false);
    return 0;
}
}  // namespace

u32 I5250WriteDisplayStructuredField(I5250Session* s, const u8* f, int length, i32 address)
{
    if (length < 4 || f[2] != kClass)
        return kSenseType;
    const u8 type = f[3];
    auto zero = [&](int from, int to) {
        for (int i = from; i <= to; ++i)
            if (i < length && f[i])
                return false;
        return true;
    };
    switch (type) {
    case 0x50: return SelectionField(s, f, length, address);
    case 0x51: return CreateWindow(s, f, length, address);
    case 0x52:
        if (length != 6)
            return kSenseStructuredLength;
        if (s->windows.empty() || !zero(4, 5))
            return kSenseType;
        s->windows.front().restrictCursor = 0;
        return 0;
    case 0x54: return WriteData(s, f, length, address);
    case 0x58:
        if (!zero(4, 5))
            return kSenseType;
        I5250RemoveSelectionFields(s, address >= 1 ? RowOf(s, address) : 0);
        return 0;
    case 0x59: {
        if (length < 5 || (f[4] & ~0x40) || !zero(5, 6))
            return kSenseType;
        const int row = RowOf(s, address), column = ColumnOf(s, address);
        for (std::size_t i = 0; i < s->windows.size(); ++i)
            if (s->windows[i].top == row && s->windows[i].left == column) {
                s->windows.erase(s->windows.begin() + static_cast<std::ptrdiff_t>(i));
                break;
            }
        return 0;
    }
    case 0x5F:
        if (length != 7)
            return kSenseStructuredLength;
        if ((f[4] & 0x7F) || !zero(5, 6))
            return kSenseType;
        I5250RemoveSelectionFields(s, -1);
        s->windows.clear();
        return 0;
    default: return kSenseType;
    }
}
