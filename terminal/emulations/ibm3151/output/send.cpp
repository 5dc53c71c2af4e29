#include "terminal/emulations/ibm3151/output/send.h"

#include "terminal/core/host/hostio.h"
#include "terminal/emulations/ibm3151/host/hostpath.h"
#include "terminal/emulations/ibm3151/screen/indicators.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/pages.h"

namespace {

// The data stream goes out in blocks of at most this many units: a long send arrives
// whole, in pieces, with its turnaround.
u16 g_buffer[kI3151SendUnits];
int g_count = 0;

void Flush()
{
    if (g_count > 0)
        HostSendBlock(g_buffer, g_count);
    g_count = 0;
}

void Put(u16 unit)
{
    if (g_count >= kI3151SendUnits)
        Flush();
    g_buffer[g_count++] = unit;
}

void PutCharacter(u8 c)
{
    Put(c == 0 || c == kI51Soh || c == kI51Sub ? u' ' : c);
}

void PutAddress(int row, int column)
{
    u16 order[6];
    const int n = I3151EncodeAddress(order, 'X', row, column);
    for (int i = 0; i < n; ++i)
        Put(order[i]);
}

void PutAttributeOrder(const ScreenCell& attribute)
{
    const u8 r = attribute.rendition;
    Put(kI51Esc);
    Put('3');
    Put(static_cast<u16>(0x20 | ((r & kI51Invisible) ? 16 : 0) | ((r & kI51Bold) ? 8 : 0) |
                         ((r & kI51Blink) ? 4 : 0) | ((r & kI51Underline) ? 2 : 0) | ((r & kI51Reverse) ? 1 : 0)));
    Put(static_cast<u16>(0x40 | ((attribute.flags & kI51Numeric) ? 8 : 0) | ((r & kI51Protected) ? 2 : 0) |
                         ((r & kI51Mdt) ? 1 : 0)));
}

void PutLineSeparator()
{
    if (I3151Turnaround() == kI51Cr) {
        Put(kI51Rs);
        return;
    }
    Put(kI51Cr);
    if (!(I3151.setup[3] & 0x02))
        Put(kI51Lf);
}

bool Trimming()
{
    return (I3151.setup[5] & 0x04) != 0;
}

bool KeepMdt()
{
    return (I3151.setup[5] & 0x02) != 0;
}

// A row segment of the send: columns c0..c1 of a page row.
struct Segment {
    int row, c0, c1;
};

// The unformatted data of a segment, whole or up to its last character.
void PutRowText(I3151PageRecord* page, const Segment& s, bool trim)
{
    const I3151Row* line = I3151PageRow(page, s.row);
    if (!line)
        return;
    int end = s.c1;
    if (trim) {
        int last = s.c0 - 1;
        for (int c = s.c0; c <= s.c1; ++c) {
            if (I3151IsAttributeCell(line->cells[c]))
                break;
            if (line->cells[c].ch != 0)
                last = c;
        }
        end = last;
    }
    for (int c = s.c0; c <= end; ++c)
        PutCharacter(line->cells[c].ch);
}

// The fields of a run of segments, walked as one stream.
class FieldWalk {
public:
    FieldWalk(I3151PageRecord* page, bool all) : page_(page), all_(all) {}

    void Begin(const Segment& first)
    {
        if (all_) {
            sending_ = true;
            if (I3151.noFieldWrap && first.row == 0 && first.c0 == 0)
                PutAttributeOrder(page_->defaultCell);
            return;
        }
        const ScreenCell* cell = I3151Cell(page_, first.row, first.c0);
        if (cell && I3151IsAttributeCell(*cell)) {
            sending_ = false;
            return;
        }
        ScreenCell* field = (first.row == 0 && I3151.noFieldWrap)
                                ? &page_->defaultCell
                                : I3151FieldAttributeAt(page_, first.row, first.c0);
        Decide(*field, first.row, first.c0);
    }

    void Walk(const Segment& s)
    {
        const I3151Row* line = I3151PageRow(page_, s.row);
        for (int c = s.c0; line && c <= s.c1; ++c) {
            ScreenCell& cell = I3151PageRow(page_, s.row)->cells[c];
            if (I3151IsAttributeCell(cell)) {
                int r = s.row, start = c + 1;
                if (start > I3151.lastColumn) {
                    start = 0;
                    r = r >= page_->lastRowIndex ? 0 : r + 1;
                }
                Decide(cell, r, start);
            } else if (sending_) {
                PutCharacter(cell.ch);
            }
        }
    }

private:
    void Decide(ScreenCell& attribute, int row, int column)
    {
        if (all_) {
            PutAttributeOrder(attribute);
            sending_ = true;
        } else if ((attribute.rendition & kI51Mdt) && !I3151.sendAllFields) {
            PutAddress(row, (attribute.flags & kI51RowStartField) ? 0 : column);
            if (!KeepMdt())
                attribute.rendition &= static_cast<u8>(~kI51Mdt);
            sending_ = true;
        } else if ((attribute.rendition & kI51Protected) || !I3151.sendAllFields) {
            sending_ = false;
        } else {
            PutAttributeOrder(attribute);
            sending_ = true;
        }
    }

    I3151PageRecord* page_;
    bool all_;
    bool sending_ = false;
};

void PutSegments(I3151PageRecord* page, const Segment* segments, int count, bool all, bool separateRows)
{
    if (count < 1)
        return;
    if (I3151IsPageFormatted(page)) {
        FieldWalk walk(page, all);
        walk.Begin(segments[0]);
        for (int i = 0; i < count; ++i)
            walk.Walk(segments[i]);
        return;
    }
    const bool trim = Trimming();
    for (int i = 0; i < count; ++i) {
        PutRowText(page, segments[i], trim);
        // Trimmed rows are told apart by separators; the cursor row's part of a
        // message ends the data.
        if (trim && separateRows && i + 1 < count)
            PutLineSeparator();
    }
}

void PutPage(I3151PageRecord* page, bool all)
{
    Segment segments[kI3151PageRows];
    int n = 0;
    for (int r = 0; r <= page->lastRowIndex; ++r)
        segments[n++] = {r, 0, I3151.lastColumn};
    PutSegments(page, segments, n, all, true);
}

void PutLine(I3151PageRecord* page)
{
    const Segment s{I3151WriteRow(page), 0, I3151.lastColumn};
    PutSegments(page, &s, 1, false, false);
}

void PutMessage(I3151PageRecord* page)
{
    const int rows = page->lastRowIndex + 1;
    const int cursorRow = I3151WriteRow(page), cursorColumn = I3151WriteColumn(page);
    int markRow = -1, markColumn = -1;
    bool marker = I3151FindStartOfMessage(page, &markRow, &markColumn);
    // On an unformatted page only a marker before the cursor counts.
    if (marker && !I3151IsPageFormatted(page) &&
        (markRow > cursorRow || (markRow == cursorRow && markColumn >= cursorColumn)))
        marker = false;
    Segment segments[kI3151PageRows + 1];
    int n = 0;
    if (I3151IsPageFormatted(page)) {
        // A formatted page's message may run round the page's end.
        int r = marker ? (markRow + 1) % rows : 0;
        for (int guard = 0; r != cursorRow && guard < rows; ++guard, r = (r + 1) % rows)
            segments[n++] = {r, 0, I3151.lastColumn};
    } else {
        for (int r = marker ? markRow + 1 : 0; r < cursorRow; ++r)
            segments[n++] = {r, 0, I3151.lastColumn};
    }
    if (cursorColumn > 0)
        segments[n++] = {cursorRow, 0, cursorColumn - 1};
    PutSegments(page, segments, n, false, true);
}

void PostSendAction(I3151PageRecord* page, I3151Send operation)
{
    switch (operation) {
    case I3151Send::Line:
        I3151.writePosition = false;
        I3151SetCursor(page, page->cursorRow, 0);
        if (I3151.setup[3] & 0x02)
            I3151LineFeed(page);
        break;
    case I3151Send::Page: I3151HomeToField(page); break;
    case I3151Send::Message:
        I3151.writePosition = false;
        I3151SetStartOfMessage(page, page->cursorRow, page->cursorColumn);
        I3151NewLine(page);
        break;
    default: break;
    }
}

void PutPageSelection(I3151PageRecord* page)
{
    const int index = static_cast<int>(page - I3151GetPage(0));
    if (index == I3151.hostPage && index != I3151.announcedHostPage) {
        Put(kI51Esc);
        Put(' ');
        Put('q');
        Put(static_cast<u16>('A' + index));
        I3151.announcedHostPage = index;
    } else if (index == I3151.displayPage && index != I3151.announcedDisplayPage) {
        Put(kI51Esc);
        Put('!');
        Put('q');
        Put(static_cast<u16>('A' + index));
        I3151.announcedDisplayPage = index;
    }
}

}  // namespace

int I3151EncodeAddress(u16* out, char letter, int row, int column)
{
    if (column < 95) {
        out[0] = kI51Esc;
        out[1] = static_cast<u16>(letter);
        out[2] = static_cast<u16>(row + 32);
        out[3] = static_cast<u16>(column + 32);
        return 4;
    }
    out[0] = kI51Esc;
    out[1] = static_cast<u16>(letter - 'A' + 'a');
    out[2] = static_cast<u16>(row / 32 + 32);
    out[3] = static_cast<u16>(row % 32 + 32);
    out[4] = static_cast<u16>(column / 32 + 32);
    out[5] = static_cast<u16>(column % 32 + 64);
    return 6;
}

void I3151SendOperation(I3151Send operation)
{
    if (!I3151PagesAllocated())
        return;
    I3151PageRecord* page = I3151GetCurrentPage();
    I3151FlushPage(page);
    I3151.sending = operation;
    I3151UpdateIndicators(true);
    g_count = 0;
    PutPageSelection(page);
    switch (operation) {
    case I3151Send::All: PutPage(page, true); break;
    case I3151Send::Page: PutPage(page, false); break;
    case I3151Send::Line: PutLine(page); break;
    case I3151Send::Message: PutMessage(page); break;
    default: break;
    }
    Put(I3151Turnaround());
    if (I3151.setup[5] & 0x02) {
        I3151.pendingSend = operation;
    } else {
        PostSendAction(page, operation);
        I3151.sending = I3151Send::None;
    }
    Flush();
    I3151UpdateIndicators(true);
}

void I3151EndPendingSend(bool escS)
{
    if (!I3151PagesAllocated())
        return;
    I3151PageRecord* page = I3151GetCurrentPage();
    if (I3151.pendingSend != I3151Send::None)
        PostSendAction(page, I3151.pendingSend);
    I3151.pendingSend = I3151Send::None;
    for (int p = 0; p < kI3151Pages; ++p)
        I3151ClearAllMdt(I3151GetPage(p));
    I3151.sending = I3151Send::None;
    if (escS) {
        I3151.printing = false;
        I3151.keysLocked = false;
    }
    I3151UpdateIndicators(true);
}
