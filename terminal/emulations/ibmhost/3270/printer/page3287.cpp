#include "terminal/emulations/ibmhost/3270/printer/page3287.h"

#include <cstring>

#include "terminal/comms/printing/printing.h"
#include "terminal/emulations/ibmhost/3270/services3270.h"

namespace {
I3287Job& Job(I3270Session* s)
{
    return s->printer;
}

void Blanks(I3287Job& j, i32 upTo)
{
    if (upTo > kPrintLineCapacity)
        upTo = kPrintLineCapacity;
    while (j.column < upTo)
        j.printLine[j.column++] = ' ';
}

void ToLeftMargin(I3287Job& j)
{
    Blanks(j, j.leftMargin - 1);
}

// A new-line step: the line out, the next line, blanks to the left margin.
void NewLine(I3270Session* s)
{
    I3270PrintLineOut(s);
    I3270AdvancePrintLine(s, kLayoutLineFeed);
    ToLeftMargin(Job(s));
}

void PageEnd(I3287Job& j)
{
    j.line = 0;
    PrintChar(12);
}
}  // namespace

void I3270ResetPageFormat(I3270Session* s)
{
    I3287Job& j = Job(s);
    j.column = 0;
    j.line = 0;
    j.mpp = kMaxPrintPosition;
    j.rightMargin = kMaxPrintPosition;
    j.leftMargin = 1;
    std::memset(j.horizontalTabs, 0, sizeof j.horizontalTabs);
    j.linesPerPage = 1;
    j.topMargin = 1;
    j.bottomMargin = 1;
    std::memset(j.verticalTabs, 0, sizeof j.verticalTabs);
    j.lineDensity = 6;
}

void I3270PutPrintChar(I3270Session* s, u8 code)
{
    if (!I3287PrintingCancelled())
        I3270PrintLayoutChar(s, code);
}

void I3270PrintLayoutChar(I3270Session* s, u8 code)
{
    I3287Job& j = Job(s);
    const bool printable = (code >= 0x20 && code <= 0x7F) || code >= 0xA0 || code == 0x1B;
    if (printable) {
        if (!j.bypassOn && j.column >= j.mpp)
            NewLine(s);
        // Under print bypass the line is never wrapped: a full line goes out as it is (no
        // CR is added under bypass, so the bytes sent stay the same).
        if (j.column >= kPrintLineCapacity)
            I3270PrintLineOut(s);
        j.printLine[j.column++] = code;
        return;
    }
    switch (code) {
    case kLayoutBackspace:
        if (j.column == 0)
            return;
        if (j.printLine[j.column - 1] == ' ') {
            --j.column;
            return;
        }
        {
            // Overprint: the line goes out without a line feed, and the next character
            // lands on the old one's place.
            const i32 column = j.column;
            I3270PrintLineOut(s);
            Blanks(j, column - 1);
        }
        return;
    case kLayoutTab: {
        if (j.column >= j.mpp) {
            NewLine(s);
            Blanks(j, j.column + 1);
            return;
        }
        i32 stop = -1;
        for (i32 p = j.column + 2; p <= j.mpp && p <= kMaxPrintPosition; ++p)
            if (j.horizontalTabs[p] == kPrintTabMark) {
                stop = p - 1;
                break;
            }
        Blanks(j, stop < 0 ? j.column + 1 : stop);
        return;
    }
    case kLayoutLineFeed:
    case kLayoutVerticalTab: {
        const i32 column = j.column;
        I3270PrintLineOut(s);
        I3270AdvancePrintLine(s, code);
        ToLeftMargin(j);
        Blanks(j, column);
        return;
    }
    case kLayoutFormFeed:
        I3270PrintLineOut(s);
        I3270AdvancePrintLine(s, kLayoutFormFeed);
        ToLeftMargin(j);
        return;
    case kLayoutReturn:
        I3270PrintLineOut(s);
        ToLeftMargin(j);
        return;
    case kLayoutNewLine:
    case kLayoutNextLine: NewLine(s); return;
    case kLayoutEndOfMedium:
        if (j.column != 0)
            NewLine(s);
        return;
    default: return;
    }
}

void I3270PrintLineOut(I3270Session* s)
{
    I3287Job& j = Job(s);
    i32 length = j.column;
    if (!j.bypassOn)
        while (length > 0 && j.printLine[length - 1] == ' ')
            --length;
    j.column = 0;
    if (length == 0 && !j.bypassOn)
        return;
    // The line goes no higher than the top margin.
    while (j.line < j.topMargin - 1) {
        PrintChar(10);
        ++j.line;
    }
    for (i32 i = 0; i < length; ++i)
        PrintChar(j.printLine[i]);
    if (!j.bypassOn)
        PrintChar(13);
}

bool I3270AdvancePrintLine(I3270Session* s, u8 control)
{
    I3287Job& j = Job(s);
    const bool paged = j.linesPerPage > 1;
    i32 target = j.line + 1;
    if (control == kLayoutVerticalTab && paged) {
        for (i32 m = j.line + 2; m <= j.bottomMargin && m <= kMaxPageLines; ++m)
            if (j.verticalTabs[m] == kPrintTabMark) {
                target = m - 1;
                break;
            }
    }
    if ((control == kLayoutLineFeed || control == kLayoutVerticalTab) && paged && target >= j.bottomMargin)
        target = j.linesPerPage;
    // A form feed always ends the page, also before the host has set a page length.
    if (control == kLayoutFormFeed) {
        PageEnd(j);
        return !I3287PrintingCancelled();
    }
    if (paged && target >= j.linesPerPage) {
        PageEnd(j);
        return !I3287PrintingCancelled();
    }
    for (i32 n = j.line; n < target; ++n)
        PrintChar(10);
    j.line = target;
    return true;
}

void I3270TransparentOut(I3270Session* s, const u8* bytes, int count)
{
    I3287Job& j = Job(s);
    const i32 column = j.column;
    if (j.column > 0)
        I3270PrintLineOut(s);
    for (int i = 0; i < count; ++i)
        PrintChar(bytes[i]);
    if (j.column > 0)
        I3270PrintLineOut(s);
    Blanks(j, column);
}

void I3270VerticalChannel(I3270Session* s, int channel)
{
    I3287Job& j = Job(s);
    if (j.linesPerPage <= 1) {
        I3270PrintLayoutChar(s, kLayoutFormFeed);
        return;
    }
    i32 found = 0, seen = 0;
    for (i32 m = 1; m <= kMaxPageLines && !found; ++m)
        if (j.verticalTabs[m] == kPrintTabMark && ++seen == channel)
            found = m;
    if (!found) {
        I3270PrintLayoutChar(s, kLayoutFormFeed);
        return;
    }
    if (found - 1 <= j.line)
        I3270PrintLayoutChar(s, kLayoutFormFeed);
    // Line feeds up to the channel's line; a page end on the way stops them.
    for (i32 guard = 0; j.line < found - 1 && guard <= kMaxPageLines; ++guard)
        I3270PrintLayoutChar(s, kLayoutLineFeed);
}
