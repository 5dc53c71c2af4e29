#include "terminal/emulations/ibmhost/5250/datastream/savescreen5250.h"

#include <cstring>

#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/fields/format5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/records5250.h"
#include "terminal/emulations/ibmhost/5250/services5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/wtd5250.h"

namespace {
constexpr u8 kRunMark = 0x3F;
constexpr u8 kImageStart = 0x05, kGeometryEnd = 0x53;
constexpr std::size_t kMaxWindows = 64;

// The program's build date as the image's stamp: month << 8 | day << 3 |
// ((year + 2) mod 16) << 12 | 0x000A0004.
u32 BuildStamp()
{
    static constexpr const char* kMonths = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const char* date = __DATE__;  // "Mmm dd yyyy"
    u32 month = 1;
    for (u32 m = 0; m < 12; ++m)
        if (std::memcmp(kMonths + 3 * m, date, 3) == 0)
            month = m + 1;
    const u32 day = (date[4] == ' ' ? 0 : static_cast<u32>(date[4] - '0')) * 10 + static_cast<u32>(date[5] - '0');
    const u32 year = static_cast<u32>((date[7] - '0') * 1000 + (date[8] - '0') * 100 + (date[9] - '0') * 10 +
                                      (date[10] - '0'));
    return (month << 8 | day << 3 | ((year + 2) % 16) << 12) | 0x000A0004u;
}

struct Writer {
    std::vector<u8> out;
    void Byte(u32 v) { out.push_back(static_cast<u8>(v)); }
    void Word(u32 v)
    {
        Byte(v >> 8);
        Byte(v);
    }
};

struct Reader {
    const std::vector<u8>& in;
    std::size_t at = 0;
    bool ok = true;
    u8 Byte()
    {
        if (at >= in.size()) {
            ok = false;
            return 0;
        }
        return in[at++];
    }
    u16 Word()
    {
        const u8 high = Byte();
        return static_cast<u16>(high << 8 | Byte());
    }
};

void PutLine(Writer& w, const I5250LineRecord& l)
{
    w.Word(l.row);
    w.Word(l.value);
    w.Word(l.key >> 16);
    w.Word(l.key & 0xFFFF);
    w.Byte(l.flags1);
    w.Byte(l.flags2);
    w.Byte(l.spare);
    for (u8 b : l.further)
        w.Byte(b);
    w.Byte(0);
}

I5250LineRecord GetLine(Reader& r)
{
    I5250LineRecord l{};
    l.row = r.Word();
    l.value = r.Word();
    l.key = static_cast<u32>(r.Word()) << 16;
    l.key |= r.Word();
    l.flags1 = r.Byte();
    l.flags2 = r.Byte();
    l.spare = r.Byte();
    for (u8& b : l.further)
        b = r.Byte();
    r.Byte();
    return l;
}

std::vector<u8> Image(const I5250Session* s)
{
    Writer w;
    w.Byte(kImageStart);
    const u32 stamp = BuildStamp();
    for (int i = 0; i < 4; ++i)
        w.Byte(stamp >> (8 * i));
    const I5250TextAssist& t = s->text;
    w.Byte(t.defined ? 1 : 0);
    if (t.defined) {
        w.Byte(t.mode ? 1 : 0);
        w.Byte(t.screen[0]);
        w.Byte(t.screen[1]);
        w.Byte(t.lineCount);
        w.Word(t.value);
        for (u8 b : {t.statusRow, t.scaleRow, t.scaleOffset, t.tagColumn, t.firstRow, t.lastRow})
            w.Byte(b);
        for (int r = 0; r < s->current.rows; ++r)
            PutLine(w, s->lines[static_cast<std::size_t>(r)]);
    }
    w.Byte(s->current.code);
    w.Byte(s->selector);
    w.Word(s->current.rows);
    w.Word(s->current.columns);
    w.Byte(kGeometryEnd);
    w.Word(s->ccsid);
    w.Word(s->charSet);
    const i32 last = s->current.bufferSize;
    for (int plane = 0; plane < 5; ++plane)
        for (i32 a = 0; a <= last; ++a) {
            const HostCell& c = s->cells[static_cast<std::size_t>(a)];
            const u8 bytes[5] = {c.character, static_cast<u8>(c.flags & ~kCellChanged), c.extended, c.textAssist,
                                 c.foreground};
            w.Byte(bytes[plane]);
        }
    w.Word(static_cast<u32>(s->cursor));
    w.Word(static_cast<u32>(s->insertCursor));
    w.Word(static_cast<u32>(s->homeAddress));
    w.Byte(static_cast<u32>(s->errorRow));
    w.Byte(s->headerLength);
    for (u8 b : s->header)
        w.Byte(b);
    w.Byte(static_cast<u32>(s->windows.size()));
    for (const I5250Window& win : s->windows) {
        w.Word(static_cast<u16>(win.left));
        w.Word(static_cast<u16>(win.top));
        w.Word(static_cast<u16>(win.right));
        w.Word(static_cast<u16>(win.bottom));
        w.Byte(win.restrictCursor);
    }
    w.Word(static_cast<u32>(s->fields.size()));
    for (const I5250Field& f : s->fields) {
        for (u8 b : {f.ffw[0], f.ffw[1], f.controlWords, f.entryFlags, f.resequence, f.selection, f.progression,
                     f.monoEntry, f.colourEntry, f.pointer, f.selfCheck, f.attribute, f.control, f.selectFlags,
                     f.selectAid})
            w.Byte(b);
        w.Word(static_cast<u32>(f.extents.size()));
        for (const I5250Extent& x : f.extents) {
            w.Word(x.start);
            w.Word(x.length);
            w.Byte(x.continued);
            w.Byte(x.savedAttribute);
        }
    }
    return w.out;
}

// What an image holds, read and checked before anything of the session changes.
struct Restored {
    I5250Geometry size;
    bool textDefined = false;
    I5250TextAssist text;
    std::vector<I5250LineRecord> lines;
    std::vector<HostCell> cells;
    i32 cursor = 1, insertCursor = 0, homeAddress = 0;
    i16 errorRow = 0;
    u8 headerLength = 0, header[7] = {};
    std::vector<I5250Window> windows;
    std::vector<I5250Field> fields;
};

bool Parse(const I5250Session* s, const std::vector<u8>& body, Restored& out)
{
    Reader r{body};
    if (r.Byte() != kImageStart)
        return false;
    for (int i = 0; i < 4; ++i)
        r.Byte();
    const u8 text = r.Byte();
    if (text > 1)
        return false;
    std::vector<u8> textBytes;
    if (text) {
        out.textDefined = true;
        out.text.mode = r.Byte();
        out.text.screen[0] = r.Byte();
        out.text.screen[1] = r.Byte();
        out.text.lineCount = r.Byte();
        out.text.value = r.Word();
        for (u8* b : {&out.text.statusRow, &out.text.scaleRow, &out.text.scaleOffset, &out.text.tagColumn,
                      &out.text.firstRow, &out.text.lastRow})
            *b = r.Byte();
    }
    // The line records follow the text-assist state, one per row of the saved size; the
    // size comes after them, so they are read once it is known.
    const std::size_t linesAt = r.at;
    // Find the geometry: it is one of the session's two sizes.
    bool found = false;
    for (const I5250Geometry* g : {&s->defaults, &s->alternate}) {
        Reader probe{body, linesAt + (text ? static_cast<std::size_t>(g->rows) * 16 : 0)};
        const u8 code = probe.Byte();
        probe.Byte();
        const u16 rows = probe.Word(), columns = probe.Word();
        if (probe.ok && code == g->code && rows == g->rows && columns == g->columns &&
            probe.Byte() == kGeometryEnd) {
            out.size = *g;
            found = true;
            break;
        }
    }
    if (!found)
        return false;
    if (text) {
        for (int row = 0; row < out.size.rows; ++row)
            out.lines.push_back(GetLine(r));
        if (out.text.lastRow > out.size.rows || out.text.statusRow > out.size.rows ||
            out.text.scaleRow > out.size.rows)
            return false;
    }
    r.at += 6;  // size code, selector, rows, columns (checked above)
    if (r.Byte() != kGeometryEnd)
        return false;
    r.Word();  // CCSID and character set: the session's own stay
    r.Word();
    const i32 last = out.size.bufferSize;
    out.cells.assign(static_cast<std::size_t>(last + 1), HostCell{});
    for (int plane = 0; plane < 5; ++plane)
        for (i32 a = 0; a <= last; ++a) {
            HostCell& c = out.cells[static_cast<std::size_t>(a)];
            const u8 b = r.Byte();
            if (plane == 0)
                c.character = b;
            else if (plane == 1)
                c.flags = static_cast<u8>(b | kCellChanged);
            else if (plane == 2)
                c.extended = b;
            else if (plane == 3)
                c.textAssist = b;
            else
                c.foreground = b;
        }
    out.cursor = r.Word();
    out.insertCursor = r.Word();
    out.homeAddress = r.Word();
    out.errorRow = static_cast<i16>(r.Byte());
    out.headerLength = r.Byte();
    for (u8& b : out.header)
        b = r.Byte();
    if (out.cursor < 1 || out.cursor > last || out.insertCursor > last || out.homeAddress > last ||
        out.errorRow >= out.size.rows || out.headerLength > 7)
        return false;
    const std::size_t windows = r.Byte();
    if (windows > kMaxWindows)
        return false;
    for (std::size_t i = 0; i < windows; ++i) {
        I5250Window w{};
        w.left = static_cast<i16>(r.Word());
        w.top = static_cast<i16>(r.Word());
        w.right = static_cast<i16>(r.Word());
        w.bottom = static_cast<i16>(r.Word());
        w.restrictCursor = r.Byte();
        if (w.left < 0 || w.top < 0 || w.right >= out.size.columns || w.bottom >= out.size.rows ||
            w.left > w.right || w.top > w.bottom)
            return false;
        out.windows.push_back(w);
    }
    const std::size_t fields = r.Word();
    if (fields > s->maxInputFields)
        return false;
    for (std::size_t i = 0; i < fields && r.ok; ++i) {
        I5250Field f{};
        for (u8* b : {&f.ffw[0], &f.ffw[1], &f.controlWords, &f.entryFlags, &f.resequence, &f.selection,
                      &f.progression, &f.monoEntry, &f.colourEntry, &f.pointer, &f.selfCheck, &f.attribute,
                      &f.control, &f.selectFlags, &f.selectAid})
            *b = r.Byte();
        const std::size_t extents = r.Word();
        if (extents == 0 || extents > static_cast<std::size_t>(out.size.rows))
            return false;
        for (std::size_t e = 0; e < extents; ++e) {
            I5250Extent x{};
            x.start = r.Word();
            x.length = r.Word();
            x.continued = r.Byte();
            x.savedAttribute = r.Byte();
            if (x.length == 0 || x.start + x.length > last || x.continued > 3)
                return false;
            f.extents.push_back(x);
        }
        out.fields.push_back(std::move(f));
    }
    return r.ok && r.at == body.size();
}
}  // namespace

std::vector<u8> I5250Compress(const std::vector<u8>& body)
{
    std::vector<u8> out;
    out.reserve(body.size());
    std::size_t i = 0;
    while (i < body.size()) {
        const u8 b = body[i];
        std::size_t n = 1;
        while (i + n < body.size() && body[i + n] == b && n < 255)
            ++n;
        if (n > 3 || b == kRunMark) {
            out.push_back(kRunMark);
            out.push_back(static_cast<u8>(n));
            out.push_back(b);
        } else {
            out.insert(out.end(), n, b);
        }
        i += n;
    }
    return out;
}

int I5250Expand(const u8* data, int count, std::size_t size, std::vector<u8>& out)
{
    out.clear();
    int i = 0;
    while (out.size() < size && i < count) {
        if (data[i] == kRunMark && count - i >= 3) {
            if (out.size() + data[i + 1] > size)
                return -1;
            out.insert(out.end(), data[i + 1], data[i + 2]);
            i += 3;
        } else {
            out.push_back(data[i++]);
        }
    }
    return out.size() == size ? i : -1;
}

u32 I5250SaveScreen(I5250Session* s, bool partial)
{
    if (const u32 e = I5250StateRule(s))
        return e;
    I5250UpdateDisplay(s, false);
    const std::vector<u8> body = Image(s);
    // The body is packed into a buffer of its own: a lone 0x3F grows to three bytes.
    const std::vector<u8> packed = I5250Compress(body);
    I5250BuildDisplayHeader(s, 0, 4);
    I5250Put(s, 0x04);
    I5250Put(s, partial ? 0x13 : 0x12);
    if (partial)
        I5250Put(s, 0x00);  // the byte Restore Partial Screen passes over
    for (u8 b : {0xF0, 0x01, 0x43, 0x55})
        I5250Put(s, b);
    I5250Put16(s, static_cast<u16>(body.size() + 2));
    for (u8 b : packed)
        I5250Put(s, b);
    I5250SendRecord(s);
    return 0;
}

u32 I5250RestoreScreen(I5250Session* s, const u8*& p, int& remaining)
{
    if (const u32 e = I5250StateRule(s))
        return e;
    if (remaining < 6 || (p[0] & 0x0F) || p[1] != 0x01 || p[2] != 0x43 || p[3] != 0x55)
        return kSenseCommand;
    const int length = p[4] << 8 | p[5];
    std::vector<u8> body;
    const int used = length < 2 ? -1
                                : I5250Expand(p + 6, remaining - 6, static_cast<std::size_t>(length - 2), body);
    if (used < 0)
        return kSenseCommand;
    Restored r;
    if (!Parse(s, body, r))
        return kSenseCommand;
    p += 6 + used;
    remaining -= 6 + used;
    const bool resized = r.size.bufferSize != s->current.bufferSize || r.size.columns != s->current.columns;
    s->current = r.size;
    s->errorLineStart = s->current.rows * s->current.columns + 1;
    s->defaultErrorRow = static_cast<i16>(s->current.rows - 1);
    for (std::size_t a = 0; a < r.cells.size(); ++a)
        s->cells[a] = r.cells[a];
    s->insertCursor = r.insertCursor;
    s->homeAddress = r.homeAddress;
    s->errorRow = r.errorRow;
    s->headerLength = r.headerLength;
    std::memcpy(s->header, r.header, sizeof s->header);
    s->windows = std::move(r.windows);
    s->fields = std::move(r.fields);
    s->currentField = -1;
    s->entryShown = 0;
    if (r.textDefined) {
        I5250TextAssist& t = s->text;
        t.defined = 1;
        t.mode = r.text.mode;
        t.screen[0] = r.text.screen[0];
        t.screen[1] = r.text.screen[1];
        t.lineCount = r.text.lineCount;
        t.value = r.text.value;
        t.statusRow = r.text.statusRow;
        t.scaleRow = r.text.scaleRow;
        t.scaleOffset = r.text.scaleOffset;
        t.tagColumn = r.text.tagColumn;
        t.firstRow = r.text.firstRow;
        t.lastRow = r.text.lastRow;
        for (std::size_t i = 0; i < r.lines.size() && i < s->lines.size(); ++i)
            s->lines[i] = r.lines[i];
    }
    if (resized)
        I5250ApplyScreenSize(s);
    s->cursor = r.cursor;
    I5250TrackCursorField(s);
    I5250RepaintScreen(s);
    return 0;
}
