#include "terminal/settings/setup/tabruler.h"

namespace {
// The scroll-bar codes of the ruler's WM_HSCROLL.
enum : int { kLineLeft = 0, kLineRight = 1, kPageLeft = 2, kPageRight = 3, kThumbPosition = 4, kThumbTrack = 5 };

int LastOffset(const wchar16* line)
{
    const int last = TabLineColumns(line) - kRulerColumnsShown;
    return last > 0 ? last : 0;
}

int Bounded(const wchar16* line, int offset)
{
    const int last = LastOffset(line);
    return offset < 0 ? 0 : offset > last ? last : offset;
}
}  // namespace

RulerCells FitRuler(int width, int height, int frameX, int frameY, int scrollHeight)
{
    RulerCells r{};
    // A box narrower than its columns still gets a cell a pixel wide: every click and
    // scroll divides by it.
    r.cellWidth = (width - 2 * frameX) / kRulerColumnsShown + (width % kRulerColumnsShown >= 50 ? 1 : 0);
    if (r.cellWidth < 1)
        r.cellWidth = 1;
    r.rowHeight = (height - 2 * frameY - scrollHeight) / 3;
    if (r.rowHeight < 1)
        r.rowHeight = 1;
    r.width = kRulerColumnsShown * r.cellWidth + 2 * frameX;
    r.height = 3 * r.rowHeight + 2 * frameY + scrollHeight;
    return r;
}

int TabLineColumns(const wchar16* line)
{
    const int n = line[0] & 0xFF;
    return n > kMaxTabLineColumns + 1 ? kMaxTabLineColumns : n > 0 ? n - 1 : 0;
}

void MakeTabLine(wchar16* line, const wchar16* stops, int columns)
{
    if (columns < 0)
        columns = 0;
    if (columns > kMaxTabLineColumns)
        columns = kMaxTabLineColumns;
    line[0] = static_cast<wchar16>(columns + 1);
    bool ended = false;
    for (int c = 1; c <= columns; ++c) {
        ended = ended || stops[c - 1] == 0;
        line[c] = !ended && stops[c - 1] == 'T' ? VXT('T') : VXT(' ');
    }
    line[columns + 1] = 0;
}

int RulerColumnAt(const wchar16* line, int x, int cellWidth, int offset)
{
    if (x < 0 || cellWidth < 1)
        return 0;
    const int column = x / cellWidth + offset + 1;
    return column <= TabLineColumns(line) ? column : 0;
}

bool ToggleTabStop(wchar16* line, int column)
{
    if (column < 1 || column > TabLineColumns(line))
        return false;
    line[column] = line[column] == 'T' ? VXT(' ') : VXT('T');
    return true;
}

void SetTabsEvery(wchar16* line, int k)
{
    const int columns = TabLineColumns(line);
    for (int c = 1; c <= columns; ++c)
        line[c] = k > 0 && (c - 1) % k == 0 ? VXT('T') : VXT(' ');
    line[columns + 1] = 0;
}

int ScrollRuler(const wchar16* line, int offset, int code, int position, int cellWidth)
{
    if (cellWidth < 1)
        cellWidth = 1;
    switch (code) {
    case kLineLeft: return Bounded(line, offset - 1);
    case kLineRight: return Bounded(line, offset + 1);
    case kPageLeft: return 0;
    case kPageRight: return LastOffset(line);
    case kThumbPosition: return Bounded(line, position / cellWidth);
    case kThumbTrack: {
        const int p = position / cellWidth;
        if (p == offset)
            return -1;
        if (p > offset)
            return Bounded(line, p);
        if (position == 0)
            return 0;
        // Dragging left moves only once the thumb has left the column it was in.
        return (position - 1) / cellWidth <= offset - 2 ? Bounded(line, p) : -1;
    }
    default: return offset;
    }
}
