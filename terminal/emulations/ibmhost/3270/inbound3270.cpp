#include "terminal/emulations/ibmhost/3270/inbound3270.h"

#include "terminal/emulations/ibmhost/3270/address3270.h"
#include "terminal/emulations/ibmhost/3270/cells3270.h"
#include "terminal/emulations/ibmhost/3270/oia3270.h"

namespace {
// clang-format off
HostCell& At(I3270Session* s, i32 a) { return s->cells[static_cast<std::size_t>(a)]; }

bool IsReadModified(u8 command) { return command == 0x06 || command == 0xF6 || command == 0x6E; }
bool IsShortReadAid(u8 aid) { return aid == 0x6C || aid == 0x6E || aid == 0x6B || aid == 0x6D; }
// clang-format on

void PutAddress(I3270Session* s, i32 address)
{
    u8 code[2];
    EncodeAddress(*s, address, code);
    I3270Put(s, code[0]);
    I3270Put(s, code[1]);
}

// In character reply mode each change of an extended attribute the host asked for is
// announced with Set Attribute before the character.
void PutCharacter(I3270Session* s, const HostCell& c, u8 sent[3])
{
    if (s->replyMode == 2) {
        const u8 values[3] = {c.highlighting, c.colour, c.charset};
        for (int t = 0; t < 3; ++t)
            if ((s->charModeTypes & (1 << t)) && values[t] != sent[t]) {
                I3270Put(s, 0x28);
                I3270Put(s, static_cast<u8>(0x41 + t));
                I3270Put(s, values[t]);
                sent[t] = values[t];
            }
    }
    if (c.flags & kCellGraphicEscape)
        I3270Put(s, 0x08);
    I3270Put(s, c.character);
}

void PutFieldAttribute(I3270Session* s, const HostCell& c)
{
    const u8 attribute = kSixBitCode[c.flags & kFieldAttributeBits];
    if (s->replyMode == 0) {
        I3270Put(s, 0x1D);
        I3270Put(s, attribute);
        return;
    }
    const u8 values[3] = {c.highlighting, c.colour, c.charset};
    u8 count = 1;
    for (u8 v : values)
        count += v != 0;
    I3270Put(s, 0x29);
    I3270Put(s, count);
    I3270Put(s, 0xC0);
    I3270Put(s, attribute);
    // Colour before highlighting, as the 3279 and its hosts' readers order them.
    for (int t : {1, 0, 2})
        if (values[t]) {
            I3270Put(s, static_cast<u8>(0x41 + t));
            I3270Put(s, values[t]);
        }
}

void PutWord(I3270Session* s, u32 v)
{
    I3270Put(s, static_cast<u8>(v >> 8));
    I3270Put(s, static_cast<u8>(v));
}

bool IsDisplay(const I3270Session* s)
{
    return s->sessionKind == 2;
}

constexpr u8 kDisplayReplies[8] = {0x80, 0x81, 0x85, 0x86, 0x87, 0x88, 0x99, 0xA6};
constexpr u8 kPrinterReplies[8] = {0x80, 0x81, 0x85, 0x86, 0x87, 0x88, 0x9F, 0xA6};
const u8* ReplyList(const I3270Session* s)
{
    return IsDisplay(s) ? kDisplayReplies : kPrinterReplies;
}

bool InList(const I3270Session* s, u8 code)
{
    for (int i = 0; i < 8; ++i)
        if (ReplyList(s)[i] == code)
            return true;
    return false;
}

// Whether a code of the list would give a reply on this session.
bool Replies(const I3270Session* s, u8 code)
{
    switch (code) {
    case 0x86: return s->extLevel && (s->supportedTypes & 0x02);
    case 0x87: return s->extLevel && (s->supportedTypes & 0x01);
    case 0x88: return s->extLevel != 0;
    default: return true;
    }
}

// (code page, character set) of a printer by keyboard language.
constexpr u16 kPrinterCodePages[16] = {37, 285, 500, 37, 277, 278, 273, 37, 280, 500, 500, 278, 277, 297, 284, 37};
}  // namespace

void I3270Put(I3270Session* s, u8 byte)
{
    // The output grows as a reply needs: a character-mode Read Buffer can take eleven
    // units a cell, far beyond an ordinary reply.
    s->output.push_back(byte);
    s->outputLength = static_cast<i32>(s->output.size());
}

void I3270ClearOutput(I3270Session* s)
{
    s->output.clear();
    s->outputLength = 0;
}

u32 I3270ReadCommand(I3270Session* s, const u8*, int length, u8 command)
{
    if (length > 0)
        return kErrBadAttribute;
    s->lastRead = command;
    I3270BuildReadReply(s, command);
    return 0;
}

void I3270BuildReadReply(I3270Session* s, u8 command)
{
    I3270ClearOutput(s);
    const u8 aid = s->aid;
    if (aid == 0x88 || aid == 0x8B) {
        I3270BuildQueryReplies(s);
        return;
    }
    const bool modified = IsReadModified(command);
    if ((command == 0x06 || command == 0xF6) && IsShortReadAid(aid)) {
        I3270Put(s, aid);
        return;
    }
    std::size_t lengthAt = 0;
    if (aid == 0x61) {
        I3270Put(s, 0x88);
        lengthAt = s->output.size();
        I3270Put(s, 0);
        I3270Put(s, 0);
        I3270Put(s, 0x80);
        I3270Put(s, 0x00);
    }
    if (aid == 0xF0) {
        for (u8 b : {0x01, 0x6C, 0x61, 0x02})
            I3270Put(s, b);
    } else {
        I3270Put(s, aid);
        PutAddress(s, s->cursor);
    }
    const bool formatted = IsFormatted(*s);
    i32 start = FirstAddress(*s);
    if (modified && formatted)
        start = NextAttribute(*s, s->bufferAddress);
    const bool onlyFields = modified && formatted;
    bool sending = !onlyFields;
    u8 sent[3] = {0, 0, 0};
    i32 a = start;
    for (i32 n = 0; n < s->current.bufferSize; ++n, a = StepForward(*s, a)) {
        const HostCell& c = At(s, a);
        if (IsAttribute(c)) {
            if (modified) {
                sending = (c.flags & kCellModified) != 0;
                if (sending && onlyFields) {
                    I3270Put(s, 0x11);
                    PutAddress(s, StepForward(*s, a));
                }
                if (!onlyFields)
                    sending = true;
            } else {
                PutFieldAttribute(s, c);
            }
            continue;
        }
        if (!sending || (aid == 0x7E && modified))
            continue;
        if (modified && c.character == 0)
            continue;
        PutCharacter(s, c, sent);
    }
    if (aid == 0x61) {
        const std::size_t n = s->output.size() - lengthAt;
        s->output[lengthAt] = static_cast<u16>(n >> 8 & 0xFF);
        s->output[lengthAt + 1] = static_cast<u16>(n & 0xFF);
    }
    if (modified)
        s->bufferAddress = start;
}

u32 I3270QueryRequest(I3270Session* s, u8 requestType, int listLength, const u8* list, u8 aid)
{
    for (u8& r : s->requested)
        r = 0;
    if (requestType != 0x00 && requestType != 0x40 && requestType != 0x80)
        return 0;
    if (requestType != 0x00)
        for (int i = 0; i < 8; ++i)
            s->requested[ReplyList(s)[i]] = 1;
    if (requestType != 0x80)
        for (int i = 0; i < listLength; ++i)
            s->requested[list[i]] = 1;
    s->requested[0xFF] = 1;
    s->aid = aid;
    I3270BuildReadReply(s, 0x06);
    return 0;
}

void I3270BuildQueryReplies(I3270Session* s)
{
    I3270ClearOutput(s);
    if (s->aid == 0x8B)
        for (u8 b : {0x06, 0x01, 0x00, 0x8B, 0x60, 0x00})
            I3270Put(s, b);
    else
        I3270Put(s, s->aid);
    for (int code = 0; code < 256; ++code)
        if (s->requested[code])
            I3270BuildQueryReply(s, static_cast<u8>(code));
}

void I3270BuildQueryReply(I3270Session* s, u8 code)
{
    if (!InList(s, code) || !Replies(s, code))
        return;
    const std::size_t at = s->output.size();
    I3270Put(s, 0);
    I3270Put(s, 0);
    I3270Put(s, 0x81);
    I3270Put(s, code);
    const I3270Geometry& d = s->defaults;
    const I3270Geometry& alt = s->alternate;
    switch (code) {
    case 0x80:
        for (int i = 0; i < 8; ++i)
            if (Replies(s, ReplyList(s)[i]))
                I3270Put(s, ReplyList(s)[i]);
        break;
    case 0x81:
        if (IsDisplay(s)) {
            I3270Put(s, 0x03);
            I3270Put(s, 0x00);
            PutWord(s, static_cast<u32>(d.columns));
            PutWord(s, static_cast<u32>(d.rows));
            for (u8 b : {0x01, 0x00, 0x01, 0x00, 0x03, 0x00, 0x04, 0x00, 0x09})
                I3270Put(s, b);
            I3270Put(s, static_cast<u8>(d.cellWidth));
            I3270Put(s, static_cast<u8>(d.cellHeight));
            if (alt.bufferSize == d.bufferSize) {
                PutWord(s, static_cast<u32>(d.bufferSize));
            } else {
                // The buffer holds the larger (alternate) screen: a host sizing its
                // buffers from this field must not read 0. The four bytes of partition
                // limits stay 0.
                PutWord(s, static_cast<u32>(alt.bufferSize > d.bufferSize ? alt.bufferSize : d.bufferSize));
                for (int i = 0; i < 4; ++i)
                    I3270Put(s, 0);
                for (u8 b : {0x13, 0x02, 0x00, 0x01})
                    I3270Put(s, b);
                PutWord(s, static_cast<u32>(alt.columns));
                PutWord(s, static_cast<u32>(alt.rows));
                for (u8 b : {0x01, 0x00, 0x01, 0x00, 0x03, 0x00, 0x04, 0x00, 0x09})
                    I3270Put(s, b);
                I3270Put(s, static_cast<u8>(alt.cellWidth));
                I3270Put(s, static_cast<u8>(alt.cellHeight));
            }
        } else {
            const bool scs = s->sessionKind != 3;
            I3270Put(s, scs ? 0x1F : 0x13);
            I3270Put(s, 0x00);
            PutWord(s, 132);
            PutWord(s, scs ? 127 : 102);
            for (u8 b : {0x01, 0x00, 0x01, 0x00, 0x64, 0x00, 0x02, 0x00, 0x8C})
                I3270Put(s, b);
            I3270Put(s, static_cast<u8>(d.cellWidth));
            I3270Put(s, static_cast<u8>(d.cellHeight));
            PutWord(s, scs ? 0 : static_cast<u32>(s->capacity));
        }
        break;
    case 0x85:
        if (IsDisplay(s)) {
            const bool apl2 = s->apl2 && (s->supportedTypes & 0x04);
            I3270Put(s, apl2 ? 0x82 : 0x02);
            I3270Put(s, 0x10);
            I3270Put(s, static_cast<u8>(d.cellWidth));
            I3270Put(s, static_cast<u8>(d.cellHeight));
            for (u8 b : {0x00, 0x00, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00})
                I3270Put(s, b);
            // A CGCSGID is the character set, then the code page.
            PutWord(s, s->charSet);
            PutWord(s, s->hostCodePage);
            PutWord(s, s->ccsid);
            if (apl2) {
                for (u8 b : {0x01, 0x00, 0xF1})
                    I3270Put(s, b);
                PutWord(s, s->apl2CodeSet);
                PutWord(s, s->apl2CodePage);
                PutWord(s, s->apl2Ccsid);
            }
        } else {
            I3270Put(s, 0x02);
            I3270Put(s, 0x00);
            I3270Put(s, static_cast<u8>(d.cellWidth));
            I3270Put(s, static_cast<u8>(d.cellHeight));
            for (u8 b : {0x00, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00})
                I3270Put(s, b);
            PutWord(s, 697);
            PutWord(s, kPrinterCodePages[s->language & 0x0F]);
        }
        break;
    case 0x86: {
        I3270Put(s, 0x00);
        const std::size_t countAt = s->output.size();
        I3270Put(s, 0);
        u8 count = 1;
        I3270Put(s, 0x00);
        if (IsDisplay(s)) {
            I3270Put(s, static_cast<u8>(0xF0 + (s->attributeColours[0] & 0x0F)));
            for (int i = 1; i < 16; ++i)
                if (s->colourMap[i]) {
                    I3270Put(s, static_cast<u8>(0xF0 + i));
                    I3270Put(s, s->colourMap[i]);
                    ++count;
                }
        } else {
            I3270Put(s, 0xF7);
            for (int i = 1; i < 8; ++i)
                if (s->colourMap[i]) {
                    I3270Put(s, static_cast<u8>(0xF0 + i));
                    I3270Put(s, s->colourMap[i]);
                    ++count;
                }
        }
        s->output[countAt] = count;
        break;
    }
    case 0x87: {
        const std::size_t countAt = s->output.size();
        I3270Put(s, 0);
        u8 count = 1;
        I3270Put(s, 0x00);
        I3270Put(s, s->highlightMap[0]);
        for (int i = 1; i < 16; ++i)
            if (s->highlightMap[i]) {
                I3270Put(s, static_cast<u8>(0xF0 + i));
                I3270Put(s, s->highlightMap[i]);
                ++count;
            }
        s->output[countAt] = count;
        break;
    }
    case 0x88:
        for (int m = 0; m <= s->extLevel; ++m)
            I3270Put(s, static_cast<u8>(m));
        break;
    case 0x99:
        I3270Put(s, 0x00);
        I3270Put(s, 0x00);
        break;
    case 0x9F: I3270Put(s, 0x00); break;
    case 0xA6:
        for (u8 b : {0x00, 0x00, 0x0B})
            I3270Put(s, b);
        if (IsDisplay(s)) {
            I3270Put(s, 0x01);
            I3270Put(s, 0x00);
            PutWord(s, static_cast<u32>(d.columns));
            PutWord(s, static_cast<u32>(d.rows));
            PutWord(s, static_cast<u32>(alt.columns));
            PutWord(s, static_cast<u32>(alt.rows));
        } else {
            I3270Put(s, 0x03);
            I3270Put(s, 0x00);
            for (int twice = 0; twice < 2; ++twice) {
                PutWord(s, static_cast<u32>(s->capacity) >> 16);
                PutWord(s, static_cast<u32>(s->capacity) & 0xFFFF);
            }
        }
        break;
    default: break;
    }
    const std::size_t n = s->output.size() - at;
    s->output[at] = static_cast<u16>(n >> 8 & 0xFF);
    s->output[at + 1] = static_cast<u16>(n & 0xFF);
}

u8 I3270TranslateTyped(const I3270Session* s, u8 character)
{
    if (!(s->direction & 0x08) || s->national.empty() || character == 0)
        return character;
    const std::vector<u8>& t = s->national;
    std::size_t n = 0;
    while (n < t.size() && t[n])
        ++n;
    const std::size_t second = n + 1;
    for (std::size_t i = 0; i < n; ++i)
        if (t[i] == character)
            return second + i < t.size() ? t[second + i] : character;
    return character;
}

int I3270EnterCharacter(I3270Session* s, u8 character, int, u8 characterSet)
{
    const i32 size = s->current.bufferSize;
    if (size <= 0)
        return 0;
    const i32 g = GoverningAttribute(*s, s->cursor);
    const HostCell* field = g < 0 ? nullptr : &At(s, g);
    if (IsAttribute(At(s, s->cursor)) || (field && (field->flags & kCellProtected) && !s->protectionOverride)) {
        I3270SetOperatorError(s, kOperatorProtected);
        return 0;
    }
    if (s->numericCheck && field && (field->flags & kCellNumeric) && !(field->flags & kCellProtected)) {
        const bool allowed = character == 0x1C || character == 0x4B || character == 0x60 || character == 0x6B ||
                             (character >= 0xF0 && character <= 0xF9);
        if (!allowed) {
            I3270SetOperatorError(s, kOperatorNumeric);
            return 0;
        }
    }
    if (s->insertMode || (character >= 0xF0 && character <= 0xF9))
        character = I3270TranslateTyped(s, character);
    if (character == 0)
        return 0;
    if (s->insertMode && s->insertShifting && At(s, s->cursor).character != 0) {
        i32 free = -1, a = s->cursor, last = s->cursor;
        if (s->recordMode) {
            for (i32 n = 0; n < size; ++n) {
                if (At(s, a).character == 0 && !IsAttribute(At(s, a))) {
                    free = a;
                    break;
                }
                const i32 next = InputForward(*s, a);
                last = a;
                if (IsAttribute(At(s, next)) || next == s->cursor)
                    break;
                a = next;
            }
            if (free < 0) {
                if (At(s, last).character != 0x40) {
                    I3270SetOperatorError(s, kOperatorNoRoom);
                    return 0;
                }
                free = last;
            }
        } else {
            i32 rowEnd = (s->cursor / s->current.columns + 1) * s->current.columns - 1;
            if (rowEnd >= size)
                rowEnd = size - 1;
            for (; a <= rowEnd && At(s, a).character != 0; ++a) {
            }
            free = a <= rowEnd ? a : rowEnd;
        }
        // Shift the cells between the cursor and the free position one place on.
        i32 to = free;
        for (i32 n = 0; to != s->cursor && n < size; ++n) {
            const i32 from = InputBackward(*s, to);
            At(s, to) = At(s, from);
            I3270MarkCell(s, to);
            to = from;
        }
    }
    HostCell cell = s->typedTemplate;
    cell.character = character;
    cell.charset = characterSet;
    cell.flags = kCellRepaint | (characterSet == 0xF1 ? kCellGraphicEscape : 0);
    At(s, s->cursor) = cell;
    s->changed = 1;
    s->cursor = InputForward(*s, s->cursor);
    if (!s->recordMode && !s->insertMode && s->cursor == 0 && s->current.rows > 0) {
        s->cursor = (s->current.rows - 1) * s->current.columns;
        I3270ScrollCellsUp(s);
    }
    if (field) {
        HostCell& f = At(s, g);
        if (!(f.flags & kCellModified)) {
            f.flags |= kCellModified | kCellRepaint;
            s->changed = 1;
        }
    }
    if (IsAttribute(At(s, s->cursor))) {
        const HostCell& here = At(s, s->cursor);
        if ((here.flags & kCellNumeric) && (here.flags & kCellProtected)) {
            for (i32 n = 0; n < size && (At(s, s->cursor).flags & kCellProtected); ++n)
                s->cursor = NextAttribute(*s, InputForward(*s, s->cursor));
        }
        s->cursor = InputForward(*s, s->cursor);
    }
    return 1;
}

void I3270ToggleDisplayMode(I3270Session* s)
{
    s->displayToggle ^= 1;
    I3270RepaintRows(s, 0, s->current.rows - 1);
}
