#include "terminal/emulations/ibmhost/5250/fields/wordwrap5250.h"

#include <algorithm>
#include <vector>

#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/fieldedit5250.h"
#include "terminal/emulations/ibmhost/5250/fields/format5250.h"

namespace {
constexpr u8 kSpace = 0x40;

struct Line {
    int first, last;  // indexes into the field's cells
};

// The field's lines: each extent, split at row ends.
std::vector<Line> Lines(const I5250Session* s, const std::vector<i32>& cells)
{
    std::vector<Line> out;
    for (int i = 0; i < static_cast<int>(cells.size()); ++i) {
        const bool start = i == 0 ||
                           cells[static_cast<std::size_t>(i)] != cells[static_cast<std::size_t>(i - 1)] + 1 ||
                           ColumnOf(s, cells[static_cast<std::size_t>(i)]) == 0;
        if (start)
            out.push_back({i, i});
        else
            out.back().last = i;
    }
    return out;
}
}  // namespace

i32 I5250ReflowWordWrapField(I5250Session* s, i32 address, bool move, bool remove, bool forward)
{
    const I5250FieldAt at = I5250FindField(s, address);
    if (at.field < 0)
        return address;
    I5250Field& f = s->fields[static_cast<std::size_t>(at.field)];
    const std::vector<i32> cells = I5250FieldCells(f);
    const int n = static_cast<int>(cells.size());
    std::vector<u8> text(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        text[static_cast<std::size_t>(i)] =
            s->cells[static_cast<std::size_t>(cells[static_cast<std::size_t>(i)])].character;
    int index = static_cast<int>(std::find(cells.begin(), cells.end(), address) - cells.begin());
    if (index >= n)
        index = n - 1;
    if (remove) {
        int k = index;
        while (k >= 0 && k < n && text[static_cast<std::size_t>(k)] == 0)
            k += forward ? 1 : -1;
        if (k >= 0 && k < n)
            text[static_cast<std::size_t>(k)] = 0;
    }
    // Squeeze the nulls out of the text; the cursor follows its character.
    std::vector<u8> chars;
    int cursorChar = 0;
    for (int i = 0; i < n; ++i) {
        if (i == index)
            cursorChar = static_cast<int>(chars.size());
        if (text[static_cast<std::size_t>(i)])
            chars.push_back(text[static_cast<std::size_t>(i)]);
    }
    // Lay the words over the lines.
    const std::vector<Line> lines = Lines(s, cells);
    std::vector<u8> out(static_cast<std::size_t>(n), 0);
    std::vector<int> placed(chars.size(), -1);
    std::size_t line = 0;
    int position = lines.empty() ? n : lines[0].first;
    bool complete = true;
    std::size_t c = 0;
    while (c < chars.size()) {
        std::size_t wordEnd = c;
        while (wordEnd < chars.size() && chars[wordEnd] != kSpace)
            ++wordEnd;
        const int length = static_cast<int>(std::max<std::size_t>(wordEnd - c, 1));
        if (line < lines.size() && chars[c] != kSpace && position + length - 1 > lines[line].last &&
            length <= lines[line].last - lines[line].first + 1) {
            if (line + 1 >= lines.size() || lines[line + 1].first + static_cast<int>(chars.size() - c) - 1 >= n) {
                complete = false;  // the rest keeps its place
            } else {
                ++line;
                position = lines[line].first;
            }
        }
        const std::size_t stop = complete ? std::max(wordEnd, c + 1) : chars.size();
        for (; c < stop && position < n; ++c) {
            placed[c] = position;
            out[static_cast<std::size_t>(position++)] = chars[c];
            if (line + 1 < lines.size() && position > lines[line].last) {
                ++line;
                position = lines[line].first;
            }
        }
        if (position >= n)
            break;
    }
    const bool asData = (f.control & 0x08) != 0;
    for (int i = 0; i < n; ++i)
        if (out[static_cast<std::size_t>(i)] != text[static_cast<std::size_t>(i)] ||
            out[static_cast<std::size_t>(i)] !=
                s->cells[static_cast<std::size_t>(cells[static_cast<std::size_t>(i)])].character)
            I5250WriteCell(s, out[static_cast<std::size_t>(i)], cells[static_cast<std::size_t>(i)], asData);
    if (remove || (move && complete)) {
        f.ffw[0] |= kFfwMdt;
        s->anyModified = 1;
    }
    i32 result = address;
    if (cursorChar < static_cast<int>(placed.size()) && placed[static_cast<std::size_t>(cursorChar)] >= 0)
        result = cells[static_cast<std::size_t>(placed[static_cast<std::size_t>(cursorChar)])];
    else {
        // The cursor was after the text: it goes after its last character.
        int last = -1;
        for (int p : placed)
            last = std::max(last, p);
        result = cells[static_cast<std::size_t>(std::min(last + 1, n - 1))];
    }
    if (move)
        I5250MoveCursor(s, result);
    return result;
}
