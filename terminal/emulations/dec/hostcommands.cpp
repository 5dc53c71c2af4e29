// The host commands of the VT family that live beside the emulation switch. They run on
// the host-data thread and only record requests for the user-interface thread.
#include "terminal/comms/capture.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/frame/emuswitch.h"
#include "terminal/core/host/escparser.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/frame/uiservices.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/settings/profilevalues.h"

u8 SwitchRequestedFrom = kDefaultEmulationId;
ConnectTimeFieldPlace ConnectTimeField{0, 20};

int RequestEmulation(u8 current, u8 requested)
{
    SwitchRequestedFrom = current;
    RequestedEmulationId = requested;
    return 1;
}

void HostSelectEmulation()
{
    const int code = NextEmulationByte();
    if (code < 0 || !ReplayFileOpen())
        return;  // outside a replay the code byte is consumed and nothing else happens
    u8 to = kNoEmulation;
    switch (code) {
    case '1': case '2': case '5': to = 1; break;
    case '3': to = 0; break;
    case '6': case '7': to = 2; break;
    case '8': case '<': to = 3; break;
    case '9': to = 4; break;
    case '=': to = 18; break;
    case '>': to = 20; break;
    case 0x40: {
        const int digit = NextEmulationByte();
        if (digit >= '0' && digit <= '9')
            LockKeyboardTimed(static_cast<u32>(digit - '0'));
        return;
    }
    default: return;
    }
    RequestEmulation(EmulationId, to);
}

bool VtPageModeForModel()
{
    const u8 id = EmulationId;
    if (id != 2 && id != 3)
        return false;
    // vt340, vt420, vt510, vt520 and vt525 have pages.
    switch (TerminalId) {
    case 7: case 8: case 12: case 13: case 14: return true;
    default: return false;
    }
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
    } kExtraSets[] = {{19, 20}, {22, 22}, {29, 24}, {31, 33}, {33, 27}, {34, 26}, {35, 28},
                      {36, 34}, {38, 35}, {39, 25}};
    const bool vt510Class = (EmulationId == 2 || EmulationId == 3) && TerminalId >= 12 && TerminalId <= 14;
    if (!vt510Class || CsiParameters.slots[1].value != 2 || Vt300Values.mltnat)
        return;
    const u16 p2 = CsiParameters.count >= 2 ? CsiParameters.slots[2].value : 0;
    if (p2 >= 2 && p2 <= 16) {
        VtMode.nationalSet = static_cast<u8>(p2 - 1);
        return;
    }
    for (const auto& entry : kExtraSets)
        if (entry.code == p2)
            VtMode.nationalSet = entry.set;
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
