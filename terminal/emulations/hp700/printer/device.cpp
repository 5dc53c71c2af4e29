#include "terminal/emulations/hp700/printer/device.h"

#include <algorithm>

#include "terminal/comms/printing/printing.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/hostpath.h"
#include "terminal/emulations/hp700/replies/replies.h"

namespace {

constexpr u8 kNul = 0, kEnq = 5, kAck = 6, kLf = 10, kFf = 12, kCr = 13, kDel = 127;
constexpr int kUntilLineFeed = 0;  // transparentCount of ESC & p 0 W

// The job this emulation opened, kept while logging or Record Mode print into it.
bool g_jobOpen = false;

bool OpenJob()
{
    if (g_jobOpen)
        return true;
    if (!CheckPrinterAvailable())
        return false;
    StartPrinterController();
    g_jobOpen = true;
    return true;
}

void FinishJob()
{
    if (!g_jobOpen)
        return;
    g_jobOpen = false;
    StopPrinting();
}

// Logging and Record Mode keep the job between their lines.
void FinishJobUnlessLogging()
{
    if (!Hp700.logTop && !Hp700.logBottom && !Hp700.recordMode)
        FinishJob();
}

void Complete(bool ok, bool fromKey)
{
    Hp700.completionLetter = ok ? 'S' : 'F';
    Hp700.completionFromKey = fromKey;
    if (!fromKey)
        Hp700Request(kHpReplyCompletion);
}

// The alternate set's line pieces as the printer can show them: rules as "-" and "|",
// corners, tees and the cross as "+".
u8 PrintedAlternate(u8 ch)
{
    switch (ch) {
    case ',': return '-';
    case '.': return '|';
    case 'f':
    case 'g':
    case 'r':
    case 't':
    case '/':
    case '5':
    case '6':
    case '7':
    case '8': return '+';
    default: return ch;
    }
}

u8 PrintedCell(const ScreenCell& cell)
{
    const u8 ch = cell.ch;
    if (ch == 0 || (cell.rendition & kHpSecurity))
        return ' ';
    if (ch == kFf && Hp700.settings.printff)
        return ch;
    if (ch < 32 || ch == kDel)
        return ' ';
    if (cell.rendition & kHpAltSet)
        return PrintedAlternate(ch);
    return ch;
}

void PrintLine(const HpLine& line)
{
    u8 text[kHpLineCells + 2];
    const int n = Hp700PrintedLine(line, text, static_cast<int>(sizeof text));
    for (int i = 0; i < n; ++i)
        PrintChar(text[i]);
}

// Memory lines 0 up to the last used one, in one job.
void CopyMemory(bool fromKey)
{
    if (!OpenJob()) {
        Complete(false, fromKey);
        return;
    }
    const int last = Hp700LastUsedLine();
    Hp700.copyMode = 2;
    for (int k = 0; k <= last && k < Hp700.memoryLines; ++k)
        PrintLine(*Hp700Line(k));
    Hp700.copyMode = 0;
    FinishJobUnlessLogging();
    Complete(true, fromKey);
}

void CopyCursorLine(bool fromKey)
{
    if (!OpenJob()) {
        Complete(false, fromKey);
        return;
    }
    PrintLine(*Hp700CursorLine());
    FinishJobUnlessLogging();
    Complete(true, fromKey);
}

void Advance(int lines, bool page, bool fromKey)
{
    if (!OpenJob()) {
        Complete(false, fromKey);
        return;
    }
    for (int i = 0; i < lines; ++i) {
        PrintChar(kCr);
        PrintChar(kLf);
    }
    if (page)
        PrintChar(kFf);
    FinishJobUnlessLogging();
    Complete(true, fromKey);
}

void StartLogging(bool top, bool bottom)
{
    Hp700.logTop = top;
    Hp700.logBottom = bottom;
    if (!top && !bottom)
        FinishJobUnlessLogging();
}

void StartRecordMode()
{
    Hp700.logTop = Hp700.logBottom = false;
    if (!Hp700.settings.remote || !Hp700.recordLine || !OpenJob()) {
        FinishJobUnlessLogging();
        return;
    }
    Hp700.recordMode = true;
    Hp700.recordCount = 0;
}

void FlushRecordLine()
{
    for (int i = 0; i < Hp700.recordCount; ++i)
        PrintChar(Hp700.recordLine[i]);
    Hp700.recordCount = 0;
}

bool RecordByte(u8 b)
{
    // The reader drops NUL and DEL and answers ENQ before Record Mode sees a byte.
    if (b == kNul || b == kDel || b == kEnq)
        return false;
    if (b == static_cast<u8>(Hp700.pValue)) {
        FlushRecordLine();
        Hp700.recordMode = false;
        Hp700.logTop = Hp700.logBottom = false;
        FinishJob();
        return true;
    }
    Hp700.recordLine[Hp700.recordCount++] = b;
    if (b == kLf || Hp700.recordCount >= kHpRecordLine)
        FlushRecordLine();
    return true;
}

void StartTransparentWrite(int count)
{
    if (!OpenJob()) {
        Complete(false, false);
        return;
    }
    Hp700.transparentCount = std::max(count, 0);
}

void EndTransparentWrite()
{
    Hp700.transparentCount = -1;
    FinishJobUnlessLogging();
    Complete(true, false);
}

bool TransparentByte(u8 b)
{
    if (b == kEnq && Hp700.settings.enqack) {
        Hp700SendByte(kAck);
        return true;
    }
    if (Hp700.transparentCount == kUntilLineFeed) {
        if (!((b == kNul || b == kDel) && !Hp700.settings.enqack))
            PrintChar(b);
        if (b == kLf)
            EndTransparentWrite();
        return true;
    }
    PrintChar(b);
    if (--Hp700.transparentCount == 0)
        EndTransparentWrite();
    return true;
}

}  // namespace

int Hp700PrintedLine(const HpLine& line, u8* out, int capacity)
{
    int last = -1;
    for (int c = 0; c < kHpLineCells; ++c)
        if (PrintedCell(line.cells[c]) != ' ')
            last = c;
    int n = 0;
    for (int c = 0; c <= last && n + 2 < capacity; ++c)
        out[n++] = PrintedCell(line.cells[c]);
    if (n + 2 <= capacity) {
        out[n++] = kCr;
        out[n++] = kLf;
    }
    return n;
}

void Hp700DeviceCommand(u8 letter, int value, bool fromKey)
{
    switch (letter) {
    case 'B': CopyCursorLine(fromKey); break;
    case 'C':
        if (value == 1)
            Advance(fromKey ? 1 : std::max(Hp700.pValue, 1), false, fromKey);
        else if (value == 0 || (value >= 2 && value <= 10))
            Advance(0, true, fromKey);
        else if (value == 11)
            StartLogging(false, true);
        else if (value == 12)
            StartLogging(true, false);
        else if (value == 13)
            StartLogging(false, false);
        else if (value == 20)
            StartRecordMode();
        break;
    case 'D':
    case 'U':
        if (value == 3)
            Hp700.toDisplay = true;
        else if (value == 4 || value == 6)
            Hp700.toExtDev = true;
        else if (letter == 'D')
            Hp700.toDisplay = Hp700.toExtDev = false;
        break;
    case 'F': CopyMemory(fromKey); break;
    case 'M':
        Hp700HomeUp();
        Hp700.cursorColumn = 0;
        CopyMemory(fromKey);
        break;
    case 'P': Hp700.pValue = std::clamp(value, 0, 255); break;
    case 'W':
        if (!fromKey)
            StartTransparentWrite(value);
        break;
    case '^':
        if (value == 4 || value == 6) {
            Hp700.deviceAsked = static_cast<u8>(value);
            Hp700Request(kHpReplyDevice);
        }
        break;
    default: break;
    }
}

void Hp700DeviceControl(const Hp700GroupParameters& groups)
{
    for (int i = 0; i < groups.count && i < kHpGroups; ++i) {
        const Hp700Group& g = groups.groups[i];
        // Lower-case letters continue the sequence; "^" has no case.
        u8 letter = g.terminator;
        if (letter >= 'a' && letter <= 'z')
            letter = static_cast<u8>(letter - 'a' + 'A');
        Hp700DeviceCommand(letter, g.hasDigits ? g.value : 0, false);
    }
}

void Hp700CopyAll()
{
    CopyMemory(false);
}

void Hp700LogLine(int line)
{
    // A line feed logs the cursor's line (Log Bottom); memory running full logs the line
    // it loses, which is never the cursor's (Log Top).
    const bool logged = Hp700.logBottom ? line == Hp700.cursorRow : Hp700.logTop && line != Hp700.cursorRow;
    if (!logged || line < 0 || line >= Hp700.memoryLines || !OpenJob())
        return;
    PrintLine(*Hp700Line(line));
}

bool Hp700PrinterTakesByte(u8 b)
{
    if (!Hp700Running())
        return false;
    if (Hp700.transparentCount >= 0)
        return TransparentByte(b);
    if (Hp700.recordMode)
        return RecordByte(b);
    return false;
}

void Hp700PrinterReset()
{
    if (Hp700.recordMode)
        FlushRecordLine();
    Hp700.recordMode = Hp700.logTop = Hp700.logBottom = false;
    Hp700.transparentCount = -1;
    Hp700.recordCount = 0;
    Hp700.copyMode = 0;
    FinishJob();
}
