// Escape sequences: the byte after ESC, and the two-character groups ESC SP .. ESC ,.
// Each handler reads what it needs through I3151NextByte; a byte that ends nothing
// meaningful ends the sequence with no effect.
#include <initializer_list>

#include "terminal/emulations/ibm3151/charsets.h"
#include "terminal/emulations/ibm3151/host/hostpath.h"
#include "terminal/emulations/ibm3151/screen/indicators.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/emulations/ibm3151/host/partition.h"
#include "terminal/emulations/ibm3151/keys/pfkeys.h"
#include "terminal/emulations/ibm3151/output/print3151.h"
#include "terminal/emulations/ibm3151/output/send.h"
#include "terminal/emulations/ibm3151/host/setcontrol.h"
#include "terminal/emulations/ibm3151/lifecycle.h"

namespace {

int Clamp(int v, int lo, int hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

void Reply(std::initializer_list<u16> units)
{
    I3151SendReply(units.begin(), static_cast<int>(units.size()), true);
}

// Reads row and column bytes (each the value + 32); false when abandoned.
bool ReadShortAddress(I3151PageRecord* page, int* row, int* column)
{
    const int r = I3151NextByte();
    if (r < 0)
        return false;
    const int c = I3151NextByte();
    if (c < 0)
        return false;
    *row = Clamp(r - 32, 0, page->lastRowIndex);
    *column = Clamp(c - 32, 0, I3151.lastColumn);
    return true;
}

// The long form: two row bytes, then two column bytes unless the second row byte is
// 64 or above (the column stays); both 1-based.
bool ReadLongAddress(I3151PageRecord* page, int* row, int* column)
{
    const int r1 = I3151NextByte();
    if (r1 < 0)
        return false;
    const int r2 = I3151NextByte();
    if (r2 < 0)
        return false;
    *row = Clamp(32 * r1 + (r2 % 32) - 1023, 1, page->lastRowIndex + 1) - 1;
    if (r2 >= 64)
        return true;
    const int c1 = I3151NextByte();
    if (c1 < 0)
        return false;
    const int c2 = I3151NextByte();
    if (c2 < 0)
        return false;
    *column = Clamp(32 * c1 + (c2 % 32) - 1023, 1, I3151.lastColumn + 1) - 1;
    return true;
}

void SetAddress(I3151PageRecord* page, bool buffer, bool longForm)
{
    int row = 0, column = I3151WriteColumn(page);
    if (!(longForm ? ReadLongAddress(page, &row, &column) : ReadShortAddress(page, &row, &column)))
        return;
    I3151FlushPage(page);
    if (buffer) {
        I3151.writePosition = true;
        page->bufferRow = row;
        page->bufferColumn = column;
    } else {
        I3151.writePosition = false;
        I3151SetCursor(page, row, column);
    }
}

// ESC < and ESC > with the set's letter.
void SelectSet(I3151PageRecord* page, bool g1)
{
    const int b = I3151NextByte();
    u8 set;
    switch (b) {
    case '@': set = kI51SetNational; break;
    case 'A': set = kI51SetLines; break;
    case 'B': set = I3151NationalSet(); break;
    default: return;
    }
    (g1 ? page->g1 : page->g0) = set;
}

void ReadCursorAddress(I3151PageRecord* page)
{
    u16 order[8];
    const int n = I3151EncodeAddress(order, 'Y', I3151WriteRow(page), I3151WriteColumn(page));
    I3151SendReply(order, n, true);
}

void ParameterCommand(I3151PageRecord* page, bool field)
{
    u8 values[kI3151ParameterBytes];
    const int n = I3151ReadParameterList(values);
    if (n < 1)
        return;
    if (field)
        I3151SetFieldAttribute(page, values, n);
    else
        I3151SetCharacterAttribute(page, values, n);
}

void CursorKeyMove(I3151PageRecord* page, void (*move)(I3151PageRecord*))
{
    I3151FlushPage(page);
    I3151.writePosition = false;
    move(page);
}

// The page letter after ESC SP q / ESC ! q: A, B or C, within the pages there are.
int ReadPageLetter()
{
    const int b = I3151NextByte();
    const int index = b - 'A';
    if (b < 0 || index < 0 || index > 2 || index >= I3151.pageCount)
        return -1;
    return index;
}

void SetControlFromHost(int control)
{
    u8 values[kI3151ParameterBytes];
    const int n = I3151ReadParameterList(values);
    if (n > 0)
        I3151SetControl(control, values, n);
}

void ReadControl(int control)
{
    u16 report[8];
    const int n = I3151ControlReport(control, report);
    I3151SendReply(report, n, true);
}

void TerminalIdReply()
{
    u16 reply[40];
    int n = 0;
    reply[n++] = kI51Esc;
    reply[n++] = '!';
    reply[n++] = '6';
    for (int i = 0; i < 29 && I3151.terminalId[i]; ++i)
        reply[n++] = static_cast<u16>(I3151.terminalId[i] & 0xFF);
    reply[n++] = kI51Esc;
    reply[n++] = '6';
    I3151SendReply(reply, n, true);
}

void Toggle(bool& flag, u8 second)
{
    if (second == ':')
        flag = true;
    else if (second == ';')
        flag = false;
}

void GroupSpace(I3151PageRecord* page, u8 second)
{
    switch (second) {
    case '1': I3151ClearTabStops(page); break;
    case '6': Reply({kI51Esc, ' ', '6', 'T'}); break;
    case '7': ReadControl(1); break;
    case '8': I3151SendOperation(I3151Send::Message); break;
    case '9': SetControlFromHost(1); break;
    case ':':
    case ';':
        Toggle(I3151.trace, second);
        if (I3151.trace)
            I3151StartPrinting();
        else if (I3151.passThrough == 0)
            I3151StopPrinting();
        I3151UpdateIndicators(true);
        break;
    case 'M': I3151LineFeed(page); break;
    case 'S': I3151HardReset(); break;
    case 'W': I3151PrintAll(); break;
    case 'Z':
        I3151FlushPage(page);
        I3151.writePosition = false;
        break;
    case 'q':
        if (const int index = ReadPageLetter(); index >= 0)
            I3151.hostPage = index;
        break;
    case 'r': I3151PartitionScreen(); break;
    case 't': I3151ClearAllPfKeys(); break;
    default: break;
    }
}

void GroupExclamation(I3151PageRecord* page, u8 second)
{
    switch (second) {
    case '6': TerminalIdReply(); break;
    case '7': ReadControl(2); break;
    case '8': I3151SendOperation(I3151Send::Line); break;
    case '9': SetControlFromHost(2); break;
    case '=': I3151DefineFromHost(); break;
    case 'L': I3151ClearAllPages(); break;
    case 'M': I3151ReverseLineFeed(page); break;
    case 'S': I3151EndPendingSend(false); break;
    case 'q':
        if (const int index = ReadPageLetter(); index >= 0) {
            I3151.displayPage = index;
            I3151UpdateIndicators(true);
        }
        break;
    default: break;
    }
}

void GroupQuote(u8 second)
{
    switch (second) {
    case '6': Reply({kI51Esc, '"', '6', static_cast<u16>(I3151.model ? '&' : '%'), '(', '!', ' ', 'B'}); break;
    case '7': ReadControl(3); break;
    case '9': SetControlFromHost(3); break;
    case ':':
    case ';': Toggle(I3151.displayNul, second); break;
    case 'A':
        if (I3151.pageCount > 1) {
            I3151.displayPage = (I3151.displayPage + 1) % I3151.pageCount;
            I3151UpdateIndicators(true);
        }
        break;
    default: break;
    }
}

}  // namespace

void I3151DispatchEscapeGroup(I3151PageRecord* page, u8 group)
{
    const int b = I3151NextByte();
    if (b < 0)
        return;
    if (b == kI51Esc) {
        I3151GiveBackEscape();
        return;
    }
    const u8 second = static_cast<u8>(b);
    switch (group) {
    case ' ': GroupSpace(page, second); break;
    case '!': GroupExclamation(page, second); break;
    case '"': GroupQuote(second); break;
    case '#':
        if (second == '7')
            ReadControl(4);
        else if (second == '8')
            I3151SendOperation(I3151Send::All);
        else if (second == '9')
            SetControlFromHost(4);
        else if (second == ':' || second == ';')
            I3151SetStatusRowMode(second == ':' ? 1 : 2);
        break;
    case '$':
        if (second == '7')
            ReadControl(5);
        else if (second == '9')
            SetControlFromHost(5);
        break;
    case '%':
        if (second == '7')
            ReadControl(6);
        else if (second == '9')
            SetControlFromHost(6);
        else
            Toggle(I3151.sendAllFields, second);
        break;
    case '&':
        if (second == '7')
            ReadControl(7);
        else if (second == '9')
            SetControlFromHost(7);
        else
            Toggle(I3151.protectEnforce, second);
        break;
    case '\'':
        if (second == ':' || second == ';') {
            I3151.noFieldWrap = second == ':';
            I3151SetDefaultField(page, I3151.noFieldWrap);
        }
        break;
    case '(': Toggle(I3151.altKeyReply, second); break;
    case ')': Toggle(I3151.printKeysToHost, second); break;
    case '*':
        if (second == ':' || second == ';') {
            I3151.statusSeparator = second == ':';
            I3151RepaintStatusRow();
        }
        break;
    case '+':
        if (second == ':' || second == ';') {
            I3151.pageSeparators = second == ':';
            I3151RepaintAll();
        }
        break;
    case ',':
        if (second == ':') {
            I3151.fieldAttributesShown = true;
            I3151ShowFieldAttributes();
        } else if (second == ';') {
            I3151.fieldAttributesShown = false;
            page->fieldRendition |= kI51NotShown;
        }
        break;
    default: break;
    }
}

void I3151DispatchEscape(I3151PageRecord* page)
{
    const int b = I3151NextByte();
    if (b < 0)
        return;
    if (b == kI51Esc) {
        I3151GiveBackEscape();
        return;
    }
    if (b < 32 || b > 127)
        return;
    if (b >= ' ' && b <= ',') {
        I3151DispatchEscapeGroup(page, static_cast<u8>(b));
        return;
    }
    switch (b) {
    case '0': page->tabs[I3151WriteColumn(page)] = 1; break;
    case '1': page->tabs[I3151WriteColumn(page)] = 0; break;
    case '2': I3151BackTab(page); break;
    case '3': ParameterCommand(page, true); break;
    case '4': ParameterCommand(page, false); break;
    case '5': ReadCursorAddress(page); break;
    case '6': Reply({kI51Esc, '6', ' ', '@'}); break;
    case '8': I3151SendOperation(I3151Send::Page); break;
    case ':':
    case ';':
        I3151.keysLocked = b == ':';
        I3151UpdateIndicators(true);
        break;
    case '<': SelectSet(page, false); break;
    case '>': SelectSet(page, true); break;
    case '=': I3151WriteStatusText(); break;
    case 'A': CursorKeyMove(page, I3151CursorUp); break;
    case 'B': CursorKeyMove(page, I3151CursorDown); break;
    case 'C': CursorKeyMove(page, I3151CursorRight); break;
    case 'D': CursorKeyMove(page, I3151CursorLeft); break;
    case 'E': I3151SetStartOfMessage(page, I3151WriteRow(page), I3151WriteColumn(page)); break;
    case 'H': I3151Home(page); break;
    case 'I': I3151EraseToEndOfField(page); break;
    case 'J': I3151EraseToEndOfPage(page); break;
    case 'K': I3151EraseUnprotected(page); break;
    case 'L': I3151ClearPage(page); break;
    case 'M': I3151NewLine(page); break;
    case 'N': I3151InsertLine(page); break;
    case 'O': I3151DeleteLine(page); break;
    case 'P': {
        const int c = I3151NextByte();
        if (c >= 0)
            I3151InsertCharacter(page, static_cast<u8>(c));
        break;
    }
    case 'Q': I3151DeleteCharacter(page); break;
    case 'S': I3151EndPendingSend(true); break;
    case 'U': I3151PrintLine(page, I3151WriteRow(page)); break;
    case 'V': I3151PrintMessage(page); break;
    case 'W': I3151PrintPage(page); break;
    case 'X': SetAddress(page, true, false); break;
    case 'Y': SetAddress(page, false, false); break;
    case 'Z':
        I3151FlushPage(page);
        I3151.writePosition = false;
        I3151SetCursor(page, page->bufferRow, page->bufferColumn);
        break;
    case '[': I3151ParseCsi(page); break;
    case 't': I3151ClearPfKeyFromHost(); break;
    case 'x': SetAddress(page, true, true); break;
    case 'y': SetAddress(page, false, true); break;
    default: break;
    }
}
