#include "terminal/emulations/ta6530/commands/taescape.h"

#include "terminal/core/base/commandids.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/emulations/ta6530/commands/taansi.h"
#include "terminal/emulations/ta6530/commands/taconfig.h"
#include "terminal/emulations/ta6530/screen/tacursor.h"
#include "terminal/emulations/ta6530/screen/taedit.h"
#include "terminal/emulations/ta6530/screen/tafields.h"
#include "terminal/emulations/ta6530/keys/takeys.h"
#include "terminal/emulations/ta6530/tamodes.h"
#include "terminal/emulations/ta6530/screen/tapages.h"
#include "terminal/emulations/ta6530/protocol/taprotocol.h"
#include "terminal/emulations/ta6530/tareceive.h"
#include "terminal/emulations/ta6530/settings/tasettings.h"
#include "terminal/emulations/ta6530/screen/tastatus.h"
#include "terminal/emulations/ta6530/tatables.h"
#include "terminal/emulations/ta6530/screen/tawrite.h"
#include "terminal/core/host/capture.h"
#include "terminal/core/host/hostio.h"

#include <cstring>

namespace {

constexpr u8 kConv = 1, kBlock = 2, kProt = 4, kAll = kConv | kBlock | kProt, kBlocks = kBlock | kProt;

u8 ModeBit()
{
    switch (Ta.mode) {
    case kTaConversational: return kConv;
    case kTaBlock: return kBlock;
    case kTaProtected: return kProt;
    default: return 0;
    }
}

int Param()
{
    return TaReadParameter();
}

int Hex(int b)
{
    if (b >= '0' && b <= '9')
        return b - '0';
    if (b >= 'A' && b <= 'F')
        return b - 'A' + 10;
    if (b >= 'a' && b <= 'f')
        return b - 'a' + 10;
    return -1;
}

// Two hex digits; -1 abandons (a byte that is no hex digit ends the command as an error).
int HexByte()
{
    const int h = Param();
    if (h < 0)
        return -2;
    const int l = Param();
    if (l < 0)
        return -2;
    if (Hex(h) < 0 || Hex(l) < 0)
        return -1;
    return Hex(h) * 16 + Hex(l);
}

// ---- Reads ----

void StartRead(int startRow, int startColumn, int endRow, int endColumn, u8 mask, bool extended)
{
    TaReadRegion& r = TaProtocol.read;
    r = TaReadRegion{startRow, startColumn, endRow, endColumn, extended, mask};
    TaPrepareReadReply();
}

void ReadWholePage(u8 mask)
{
    StartRead(0, 0, kTaRows - 1, kTaColumns - 1, mask, false);
}

void ReadWithAddress(u8 mask, bool extended)
{
    int p[4];
    for (int& v : p) {
        v = Param();
        if (v < 0)
            return;
        v -= 32;
    }
    if (p[0] < 0 || p[0] >= kTaRows || p[2] < 0 || p[2] >= kTaRows || p[1] < 0 || p[1] >= kTaColumns || p[3] < 0 ||
        p[3] >= kTaColumns) {
        TaCommandError();
        return;
    }
    StartRead(p[0], p[1], p[2], p[3], mask, extended);
}

// ---- Commands ----

void ExtendedCommand();

void PrintScreen()
{
    PostMainCommand(kCmdPrintScreen);
}

int AddressColumn()
{
    return *TaCurrentAddress().column;
}

void SetTab()
{
    Ta.tabs[AddressColumn()] = 'T';
}

void ClearTab()
{
    Ta.tabs[AddressColumn()] = ' ';
}

void ClearTabs()
{
    std::memset(Ta.tabs, ' ', sizeof Ta.tabs);
}

void VideoAttribute()
{
    const int v = Param();
    if (v > 0)
        TaWriteAttribute(static_cast<u8>(v & kTaVideoBits), 0, 0);
}

void BaseAttribute()
{
    const int v = Param();
    if (v <= 0)
        return;
    TaPage& page = TaCurrentPage();
    page.baseVideo = static_cast<u8>(0x60 | (v & kTaVideoBits));
    page.baseData = kTaProtectedField;
    if (&page == &TaDisplayPage())
        TaShowPage();
}

void MarkLine(bool wide)
{
    if (!wide && Ta.lastColumn < kTaColumns - 1)
        return;
    const int line = *TaCurrentAddress().line;
    TaLineAt(line).doubleWidth = wide ? 1 : 0;
    TaMarkLineDirty(line, 0, kTaColumns - 1);
}

void DoubleWidth()
{
    MarkLine(true);
}

void SingleWidth()
{
    MarkLine(false);
}

void WritePage()
{
    const int p = Param();
    if (p < 0)
        return;
    const int n = p - 32;
    if (n >= 1 && n <= Ta.pagesInUse && n != Ta.writePage)
        TaSelectWritePage(n);
}

void DisplayPage()
{
    const int p = Param();
    if (p < 0)
        return;
    const int n = p - 32;
    if (n == Ta.displayPage)
        return;
    const int highest = TaBlockMode() ? Ta.pagesInUse : 1;
    if (n < 0 || n > highest) {
        if (Ta.mode == kTaConversational)
            TaCommandError();
        return;
    }
    TaSelectDisplayPage(n);
}

void ReadUnprotected()
{
    ReadWholePage(0x20);
}

void ReadModified()
{
    ReadWithAddress(0x01, false);
}

void ReadExtended()
{
    ReadWithAddress(0x01, true);
}

void ReadAll()
{
    ReadWithAddress(0, false);
}

void ResetModified()
{
    if (Ta.mode == kTaProtected)
        TaResetModifiedTags();
}

void LockOneSecond()
{
    LockKeyboardTimed(1);
}

void EraseOrClear()
{
    if (Ta.mode == kTaConversational) {
        TaClearPage(TaCurrentPage());
        return;
    }
    int p[4];
    for (int& v : p) {
        v = Param();
        if (v < 0)
            return;
        v -= 32;
    }
    if (Ta.fromKeyboard)
        return;
    if (!TaEraseRange(p[0], p[1], p[2], p[3]))
        TaCommandError();
}

void LineEditingOff()
{
    Ta.lineEditing = false;
}

void ProtectedMode()
{
    TaEnterMode(kTaProtected);
}

void BlockMode()
{
    TaEnterMode(kTaBlock);
}

// ESC [ v d x and ESC ` v d x h l items: a field start at the buffer address.
bool ReadFieldDefinition(u8* video, u8* data)
{
    const int v = Param();
    if (v < 0)
        return false;
    const int d = Param();
    if (d < 0)
        return false;
    const int x = Param();
    if (x < 0)
        return false;
    if (v == 0 || d == 0 || x == 0) {
        TaCommandError();
        return false;
    }
    *video = static_cast<u8>((v & kTaVideoBits) | 0x60);
    *data = static_cast<u8>((d & 63) | ((x & 1) ? kTaUpshift : 0));
    return true;
}

void StartField()
{
    u8 video, data;
    if (ReadFieldDefinition(&video, &data))
        TaWriteAttribute(video, data, 0);
}

void StartColouredField()
{
    u8 video, data;
    if (!ReadFieldDefinition(&video, &data))
        return;
    const int h = Param();
    if (h < 0)
        return;
    const int l = Param();
    if (l < 0)
        return;
    const int count = (h & 15) * 16 + (l & 15);
    u8 colour = 0;
    for (int i = 0; i < count; ++i) {
        const int item = Param();
        if (item < 0)
            return;
        if (item == 0)
            continue;
        const int value = item == 'B' || item == 'E' ? Param() : -1;
        if (value < 0 && (item == 'B' || item == 'E'))
            return;
        if (item == 'B')
            colour = static_cast<u8>((colour & 0xF8) | (value & 7));
        else if (item == 'E')
            colour = static_cast<u8>((colour & 0x8F) | ((value & 7) << 4));
        else
            return;  // the list is broken off: no field
    }
    TaWriteAttribute(video, data, colour);
}

void Ignore() {}

void Unlock()
{
    TaLockKeyboard(false);
}

void Lock()
{
    TaLockKeyboard(true);
}

void ActAsKey()
{
    const int k = Param();
    if (k > 0)
        TaSendFunctionKey(static_cast<u8>(k));
}

void PageCount()
{
    const int n = Param();
    if (n > '0')
        Ta.pageCount = n - '0' > kTaMaxPages ? kTaMaxPages : n - '0';
}

void PagesInUse()
{
    Ta.pagesInUse = Ta.pageCount;
    TaEnterMode(kTaBlock);
}

void LoadDataTypes()
{
    for (int c = 32; c < 128; ++c) {
        const int b = HexByte();
        if (b == -2)
            return;
        if (b < 0) {
            TaCommandError();
            return;
        }
        Ta.dataTypes[c] = static_cast<u8>(b);
    }
}

void FortyColumns()
{
    Ta.lastColumn = 39;
    if (TaBlockMode()) {
        const u8 was = Ta.previousMode;
        Ta.previousMode = Ta.mode;
        TaBuildPageTable();
        Ta.previousMode = was;
        std::memcpy(Ta.dataTypes, kTaFactoryDataTypes, sizeof Ta.dataTypes);
        return;
    }
    TaClearPage(TaCurrentPage());
}

void ReturnString()
{
    const int n = Param();
    if (n < 0)
        return;
    const int count = n - 32;
    if (count < 1 || count > 6) {
        TaCommandError();
        return;
    }
    u8 s[6] = {};
    int length = 0;
    for (; length < count; ++length) {
        const int b = Param();
        if (b < 0)
            return;
        if (b == 0)
            break;
        s[length] = static_cast<u8>(b);
    }
    std::memcpy(Ta.returnString, s, sizeof s);
    Ta.returnLength = static_cast<u8>(length);
}

void Reset()
{
    TaResetTerminal(false);
}

struct EscCommand {
    u8 byte;
    u8 modes;
    void (*run)();
};

// clang-format off
constexpr EscCommand kCommands[] = {
    {0, kAll, Ignore},            {'-', kAll, ExtendedCommand}, {'0', kAll, PrintScreen},
    {'1', kAll, SetTab},          {'2', kAll, ClearTab},        {'3', kAll, ClearTabs},
    {'6', kAll, VideoAttribute},  {'7', kAll, BaseAttribute},   {'8', kAll, DoubleWidth},
    {'9', kAll, SingleWidth},     {':', kBlocks, WritePage},    {';', kAll, DisplayPage},
    {'<', kBlocks, ReadUnprotected}, {'=', kBlocks, ReadModified}, {'>', kBlocks, ResetModified},
    {'?', kAll, TaStatusReport},  {'@', kAll, LockOneSecond},   {'A', kAll, TaCursorUp},
    {'C', kAll, TaCursorRight},   {'F', kAll, TaCursorLastLine}, {'H', kAll, TaCursorHome},
    {'I', kAll, EraseOrClear},    {'J', kAll, TaEraseToEndOfPage}, {'K', kAll, TaEraseToEndOfLine},
    {'L', kBlocks, TaInsertLine}, {'M', kBlocks, TaDeleteLine}, {'N', kBlocks, LineEditingOff},
    {'O', kBlocks, TaInsertChar}, {'P', kBlocks, TaDeleteChar}, {'Q', kBlocks, ReadExtended},
    {'S', kConv, TaScrollUp},     {'T', kConv, TaScrollDown},   {'U', kConv, TaNextPage},
    {'V', kConv, TaPreviousPage}, {'W', kBlocks, ProtectedMode}, {'X', kBlocks, BlockMode},
    {'[', kProt, StartField},     {'\\', kBlocks, Ignore},      {']', kBlocks, ReadAll},
    {'^', kAll, TaIdentify},      {'_', kAll, TaTerminalTypeReply}, {0x60, kProt, StartColouredField},
    {'a', kAll, TaCursorReport},  {'b', kAll, Unlock},          {'c', kAll, Lock},
    {'d', kAll, ActAsKey},        {'f', kAll, Ignore},          {'i', kBlocks, TaBackTab},
    {'o', kAll, TaMessageText},   {'p', kAll, PageCount},       {'q', kBlocks, PagesInUse},
    {'r', kBlocks, LoadDataTypes}, {'s', kBlocks, Ignore},      {'t', kAll, FortyColumns},
    {'u', kConv, ReturnString},   {'v', kAll, TaSetConfiguration}, {'x', kAll, Ignore},
    {'y', kAll, Ignore},          {'z', kAll, Reset},           {'{', kBlocks, Ignore},
    {'}', kBlocks, Ignore},
};
// clang-format on

// ---- Extended commands ----

constexpr int kExtendedSlots = 5;

void Capture(int mode)
{
    u8 name[127];
    int n = 0;
    for (;;) {
        const int b = Param();
        if (b < 0)
            return;
        if (b < 32) {
            if (b != 13)
                TaPushBack(static_cast<u8>(b));
            break;
        }
        if (n < static_cast<int>(sizeof name))
            name[n++] = static_cast<u8>(b);
    }
    if (mode == 0 || mode == 1)
        OpenHostCaptureFile(mode, name, n);
}

bool EntryRange(const int* p, int highest)
{
    return p[1] >= 1 && p[2] >= p[1] && p[2] <= highest;
}

void ColourMapCommand(const int* p)
{
    if (p[0] == 0) {
        if (!EntryRange(p, 32)) {
            TaCommandError();
            return;
        }
        for (int e = p[1]; e <= p[2]; ++e) {
            const int b = HexByte();
            if (b == -2)
                return;
            if (b < 0) {
                TaCommandError();
                break;
            }
            TaSetAttributeColour(e - 1, static_cast<u8>(b));
        }
    } else if (p[0] == 1) {
        TaResetColourMap();
    } else {
        TaCommandError();
        return;
    }
    TaRepaintRows(0, kTaRows - 1);
}

void FieldTableCommand(const int* p)
{
    if (!EntryRange(p, 32)) {
        TaCommandError();
        return;
    }
    for (int e = p[1]; e <= p[2]; ++e) {
        if (p[0] == 0) {
            std::memcpy(Ta.fieldTable[e], kTaFactoryFieldEntry, 3);
            continue;
        }
        if (p[0] != 1)
            return;
        u8 entry[3];
        for (u8& b : entry) {
            const int v = Param();
            if (v < 0)
                return;
            b = static_cast<u8>(v);
        }
        std::memcpy(Ta.fieldTable[e], entry, 3);
    }
}

void DropHexEntries(const int* p)
{
    if (p[0] != 1 || !EntryRange(p, 16))
        return;
    for (int e = p[1]; e <= p[2]; ++e)
        for (int i = 0; i < 4; ++i)
            if (Param() < 0)
                return;
}

void ColourReport()
{
    static const char kHex[] = "0123456789ABCDEF";
    TaBeginKeyReply('0');
    for (u8 c : Ta.attributeColours) {
        TaSendByte(static_cast<u8>(kHex[c >> 4]));
        TaSendByte(static_cast<u8>(kHex[c & 15]));
    }
    TaSendByte(13);
    TaEndTransmission();
}

void ExtendedCommand()
{
    int p[kExtendedSlots] = {};
    int slot = 0;
    int final = 0;
    for (;;) {
        const int b = Param();
        if (b < 0)
            return;
        if (b >= '0' && b <= '9') {
            // Further slots are read and dropped.
            if (slot < kExtendedSlots && p[slot] < 10000)
                p[slot] = p[slot] * 10 + (b - '0');
            continue;
        }
        if (b == ';') {
            ++slot;
            continue;
        }
        if (b == 0)
            continue;
        final = b;
        break;
    }
    const bool blocks = TaBlockMode();
    switch (final) {
    case 'C':
    case 'D':
    case 'r':
        if (!blocks)
            TaCommandError();
        break;
    case 'I':
        if (!blocks)
            TaCommandError();
        else if (!Ta.fromKeyboard)
            TaEraseRange(0, 0, kTaRows - 1, Ta.lastColumn);
        break;
    case 'J':
    case 'K':
        if (blocks)
            ReadWholePage(final == 'J' ? 0x01 : 0);
        else
            TaCommandError();
        break;
    case 'O':
    case 'V':
    case 'W':
    case 'c':
    case 'd':
    case 'e':
    case 'f':
    case 'z': break;
    case 'P': TaResetTerminal(false); break;
    case 'Z': Capture(p[0]); break;
    case 'q': ColourMapCommand(p); break;
    case 's':
        if (Ta.mode == kTaProtected)
            FieldTableCommand(p);
        else
            TaCommandError();
        break;
    case 't':
        if (blocks)
            DropHexEntries(p);
        else
            TaCommandError();
        break;
    case 'u':
        if (!blocks) {
            TaCommandError();
            break;
        }
        TaBeginKeyReply('1');
        TaSendString("00\r");
        TaEndTransmission();
        break;
    case 'v':
        if (blocks)
            ColourReport();
        else
            TaCommandError();
        break;
    case 'x':
        if (!blocks) {
            TaCommandError();
            break;
        }
        if (p[0] == 0 || p[0] == 1) {
            Ta.colourMode = p[0] == 1;
            TaRepaintRows(0, kTaRows - 1);
        }
        break;
    default: TaCommandError(); break;
    }
}

}  // namespace

void TaEscapeCommand()
{
    if (Ta.mode == kTaAnsi) {
        TaEnterAnsiParser();
        return;
    }
    TaHoldInput();
    const int b = TaReadParameter();
    if (b >= 0) {
        const EscCommand* found = nullptr;
        for (const EscCommand& c : kCommands)
            if (c.byte == b) {
                found = &c;
                break;
            }
        if (found && (found->modes & ModeBit()))
            found->run();
        else
            TaCommandError();
    }
    TaEndCommand();
}
