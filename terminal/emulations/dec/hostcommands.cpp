// The host commands of the VT family that live beside the emulation switch. They run on
// the host-data thread and only record requests for the user-interface thread.
#include "terminal/emulations/dec/hostcommands.h"

#include "terminal/core/host/capture.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/escparser.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/settings/store/profilevalues.h"

ConnectTimeFieldPlace ConnectTimeField{0, 20};

void HostSelectEmulation()
{
    const int code = NextEmulationByte();
    if (code < 0 || !ReplayFileOpen())
        return;  // outside a replay the code byte is consumed and nothing else happens
    u8 to = kNoEmulation;
    // clang-format off
    switch (code) {
    case '1': case '2': case '5': to = kEmuVt100; break;
    case '3': to = kEmuVt52; break;
    case '6': case '7': to = kEmuVt500Bit7; break;
    case '8': case '<': to = kEmuVt500Bit8; break;
    case '9': to = kEmuAnsiBbs; break;
    case '=': to = kEmuHp70092; break;
    case '>': to = kEmuDg410; break;
    case 0x40: {
        const int digit = NextEmulationByte();
        if (digit >= '0' && digit <= '9')
            LockKeyboardTimed(static_cast<u32>(digit - '0'));
        return;
    }
    default: return;
    }
    // clang-format on
    RequestEmulation(EmulationId, to);
}

bool VtPageModeForModel()
{
    if (!IsVt500Emulation(EmulationId))
        return false;
    // vt340, vt420, vt510, vt520 and vt525 have pages.
    // clang-format off
    switch (TerminalId) {
    case 7: case 8: case 12: case 13: case 14: return true;
    default: return false;
    }
    // clang-format on
}

void VtShowPage()
{
    const int p1 = CsiParameters.slots[1].value;
    ShowScreenPage(p1 == 0 ? 0 : p1 - 1);
}

void SelectNationalSet()
{
    // The sets p2 = 19 ... 39 select, in the order of the code table.
    static constexpr struct {
        u16 code;
        u8 set;
    } kExtraSets[] = {{19, 20}, {22, 22}, {29, 24}, {31, 33}, {33, 27},
                      {34, 26}, {35, 28}, {36, 34}, {38, 35}, {39, 25}};
    const bool vt510Class = IsVt500Emulation(EmulationId) && IsVt510ClassModel(TerminalId);
    if (!vt510Class || CsiParameters.slots[1].value != 2 || Vt300Values.mltnat)
        return;
    const u16 p2 = CsiParameters.count >= 2 ? CsiParameters.slots[2].value : 0;
    if (p2 >= 2 && p2 <= 16) {
        KeyboardTypeIndex = static_cast<u8>(p2 - 1);
        return;
    }
    for (const auto& entry : kExtraSets)
        if (entry.code == p2)
            KeyboardTypeIndex = entry.set;
}

void PlaceConnectTimeField()
{
    if (CsiParameters.slots[1].marker != ' ')
        return;
    const int columns = Screen.lastColumn + 1;
    const int p1 = CsiParameters.slots[1].value;
    const int p2 = CsiParameters.count >= 2 ? CsiParameters.slots[2].value : 0;
    // The host may send any 16-bit number; a field that would start outside the line or
    // be wider than it is refused and the old place kept.
    if (p1 > columns || p2 > columns)
        return;
    ConnectTimeField.column = static_cast<u16>(p1 == 0 ? 0 : p1 - 1);
    ConnectTimeField.width = static_cast<u16>(p2 == 0 ? 20 : p2);
    DrawConnectTimeField("");
}

void DrawConnectTimeField(const char* text)
{
    ScreenLineRecord* line = LineAt(kStatusLineSlot);
    if (!line || !text)
        return;
    const int last = Screen.lastColumn < kStoreColumns ? Screen.lastColumn : kStoreColumns - 1;
    const int end = ConnectTimeField.column + ConnectTimeField.width;
    const ScreenCell blank = BlankCell();
    for (int column = ConnectTimeField.column, i = 0; column < end && column <= last; ++column) {
        ScreenCell& cell = line->cells[column];
        const u8 lineFlags = column == 0 ? static_cast<u8>(cell.flags & kLineAttrBits) : 0;
        cell = blank;
        if (text[i])
            cell.ch = static_cast<u8>(text[i++]);
        cell.flags = static_cast<u8>((cell.flags & ~kLineAttrBits) | lineFlags);
    }
}

void HpAmpersandEscape()
{
    for (int b = NextSequenceByte(); b != 0 && (b & 0x20); b = NextSequenceByte()) {
    }
}
