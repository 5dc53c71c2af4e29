#include "terminal/emulations/ibmhost/3270/printer/buffer3287.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "terminal/core/base/hexparse.h"
#include "terminal/emulations/ibmhost/3270/address3270.h"
#include "terminal/emulations/ibmhost/3270/printer/page3287.h"
#include "terminal/emulations/ibmhost/3270/settings3270.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"

namespace {
constexpr int kSequenceBytes = 149;
constexpr wchar16 kAnyNonHex[] = VXT("ANY NON HEX");
constexpr int kAnyNonHexLength = 11;

struct BypassRules {
    int startLength = 0, endLength = 0;
    bool endOnNonHex = false;
    int skip = 0;
    bool endAfterPair = false;  // end method 0 without an end sequence
};

int Length(const u8* bytes)
{
    return static_cast<int>(std::strlen(reinterpret_cast<const char*>(bytes)));
}

// A decimal number at the start of a text, 0 when none.
int LeadingNumber(const wchar16* text)
{
    while (*text == ' ')
        ++text;
    int n = 0;
    for (; *text >= '0' && *text <= '9' && n < 100000; ++text)
        n = n * 10 + (*text - '0');
    return n;
}

BypassRules ReadRules(I3270Session* s)
{
    I3287Job& j = s->printer;
    BypassRules r;
    I3270ConvertBypassText(s, I3270Config.printBypassSeq, j.bypassStart, kSequenceBytes);
    const wchar16* endText = I3270Config.printBypassEnd;
    bool keyword = true;
    for (int i = 0; i < kAnyNonHexLength && keyword; ++i)
        keyword = endText[i] == kAnyNonHex[i];
    if (keyword) {
        r.endOnNonHex = true;
        r.skip = LeadingNumber(endText + kAnyNonHexLength);
        j.bypassEnd[0] = 0;
    } else {
        I3270ConvertBypassText(s, endText, j.bypassEnd, kSequenceBytes);
        if (I3270Config.printBypassEndMethod == 2) {
            r.endOnNonHex = true;
            r.skip = LeadingNumber(endText);
        }
    }
    r.startLength = Length(j.bypassStart);
    r.endLength = Length(j.bypassEnd);
    r.endAfterPair = I3270Config.printBypassEndMethod == 0 && r.endLength == 0 && !r.endOnNonHex;
    j.bypassOn = r.startLength > 0 ? 1 : 0;
    return r;
}

bool HexCharacter(wchar16 u)
{
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F') || u == ' ';
}

// The code a cell prints as (0: a blank); the cell takes its field's look first.
u8 CellCode(I3270Session* s, HostCell& c, const HostCell*& field, bool unformatted, bool lineStart)
{
    if (IsAttribute(c)) {
        field = &c;
        return 0;
    }
    if (field) {
        if (!(c.flags & kCellDisplayBits))
            c.flags = static_cast<u8>(c.flags | (field->flags & kCellDisplayBits));
        if (!c.highlighting)
            c.highlighting = field->highlighting;
        if (!c.colour)
            c.colour = field->colour;
        if (!c.charset)
            c.charset = field->charset;
    }
    if ((c.flags & kCellDisplayBits) == kCellDisplayBits)
        return 0;
    const u8 b = c.character;
    if (b < 0x40 || b == 0xFF) {
        // clang-format off
        switch (b) {
        case 0x0C: return unformatted && lineStart ? kLayoutFormFeed : 0;
        case 0x15: return unformatted ? kLayoutNextLine : 0;
        case 0x19: return unformatted ? kLayoutEndOfMedium : 0;
        case 0x0D: return unformatted ? kLayoutReturn : 0;
        case 0x1C: return ';';
        case 0x1E: return '*';
        default: return 0;
        }
        // clang-format on
    }
    return static_cast<u8>(HostByteToUnicode(s->s2u, b) & 0xFF);
}

bool EndsLine(u8 code)
{
    return code == kLayoutFormFeed || code == kLayoutReturn || code == kLayoutNextLine ||
           code == kLayoutEndOfMedium;
}

// One pair of cells read as a hexadecimal byte: the two characters are written out
// as the printer's own byte. False when the pair reads 0, which ends the bypass.
bool BypassPair(I3270Session* s, i32 at)
{
    wchar16 text[3] = {HostByteToUnicode(s->s2u, s->cells[static_cast<std::size_t>(at)].character),
                       HostByteToUnicode(s->s2u, s->cells[static_cast<std::size_t>(at) + 1].character), 0};
    const wchar16 shown[3] = {text[0], text[1], 0};
    int digits = 0;
    const i64 parsed = ParseHexString(text, &digits);
    const u8 value = parsed < 0 ? 0xFF : static_cast<u8>(parsed);
    if (value == 0) {
        char narrow[64];
        std::snprintf(narrow, sizeof narrow, "Invalid ByPass [%c%c]", static_cast<char>(shown[0] & 0x7F),
                      static_cast<char>(shown[1] & 0x7F));
        wchar16 message[64] = {};
        for (int i = 0; narrow[i] && i < 63; ++i)
            message[i] = static_cast<wchar16>(static_cast<u8>(narrow[i]));
        I3270AppendPrinterLog(s, message);
        return false;
    }
    I3287Job& j = s->printer;
    I3270PrintLineOut(s);
    j.printLine[0] = value;
    j.column = 1;
    I3270PrintLineOut(s);
    return true;
}
}  // namespace

void I3270ConvertBypassText(const I3270Session* s, const wchar16* text, u8* bytes, int maximum)
{
    int n = 0;
    for (; text && text[n] && n < maximum; ++n)
        bytes[n] = UnicodeToHostByte(s->u2s, text[n]);
    bytes[n] = 0;
}

bool I3270MatchCells(const I3270Session* s, i32 at, const u8* bytes)
{
    const i32 size = std::min(s->current.bufferSize, static_cast<i32>(s->cells.size()));
    for (i32 i = 0; bytes[i]; ++i)
        if (at + i >= size || s->cells[static_cast<std::size_t>(at + i)].character != bytes[i])
            return false;
    return true;
}

void I3270PrintBuffer(I3270Session* s)
{
    I3287Job& j = s->printer;
    const BypassRules rules = ReadRules(s);
    const i32 size = std::min(s->current.bufferSize, static_cast<i32>(s->cells.size()));
    const i32 lineLength = s->current.columns > 0 ? s->current.columns : kMaxPrintPosition;
    const bool unformatted = lineLength == kMaxPrintPosition;
    const i32 g = GoverningAttribute(*s, 0);
    const HostCell* field = g < 0 ? nullptr : &s->cells[static_cast<std::size_t>(g)];
    bool inBypass = false, stop = false;
    i32 pos = 0;
    while (pos < size && !stop) {
        const i32 end = std::min(pos + lineLength, size);
        bool hasContent = unformatted, lineEnded = false;
        int pending = 0;
        i32 i = pos;
        while (i < end) {
            HostCell& c = s->cells[static_cast<std::size_t>(i)];
            const u8 code = CellCode(s, c, field, unformatted, i == pos);
            if (code == 0) {
                ++pending;
                ++i;
                continue;
            }
            for (; pending > 0; --pending)
                I3270PutPrintChar(s, ' ');
            hasContent = true;
            const u8 b = c.character;
            if (!inBypass && rules.startLength > 0 && b == j.bypassStart[0] &&
                I3270MatchCells(s, i, j.bypassStart)) {
                inBypass = true;
                i += rules.startLength;
                continue;
            }
            if (inBypass && rules.endOnNonHex && !HexCharacter(HostByteToUnicode(s->s2u, b))) {
                inBypass = false;
                i += rules.skip;
                continue;
            }
            if (inBypass && rules.endLength > 0 && b == j.bypassEnd[0] && I3270MatchCells(s, i, j.bypassEnd)) {
                inBypass = false;
                i += rules.endLength;
                continue;
            }
            // A pair needs its second cell: one begun on the buffer's last cell prints as
            // a character.
            if (inBypass && pos < size - 2 && i + 1 < size) {
                if (!BypassPair(s, i) || rules.endAfterPair)
                    inBypass = false;
                i += 2;
                continue;
            }
            I3270PutPrintChar(s, code);
            if (EndsLine(code)) {
                hasContent = false;
                lineEnded = true;
                stop = code == kLayoutEndOfMedium;
                pos = i + 1;
                break;
            }
            ++i;
        }
        if (!lineEnded) {
            if (rules.startLength == 0 && hasContent)
                I3270PutPrintChar(s, kLayoutNextLine);
            pos = std::max(i, end);
        }
    }
    if (rules.startLength > 0)
        I3270PrintLineOut(s);
}
