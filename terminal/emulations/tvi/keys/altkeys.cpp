// The TeleVideo's Alt keys: each sends SOH, a character and CR.
#include "terminal/emulations/tvi/keys/altkeys.h"

#include "terminal/input/macros/eventtext.h"
#include "terminal/input/keyboard/keycodes.h"

namespace {
constexpr int kVkMenu = 0x12;
}  // namespace

int TviAltKeyCharacter(int vk, u32 shift)
{
    if (vk < 0x20 || vk > 0xFE || vk == kVkMenu)
        return -1;
    const bool shifted = (shift & kShiftBit) != 0;
    int c = -2;
    if (vk >= 0x60 && vk <= 0x69) {
        c = '0' + vk - 0x60;
    } else if (vk >= 0x6A && vk <= 0x6F) {
        constexpr char kKeypad[] = "*+\0-./";
        c = vk == 0x6C ? -2 : kKeypad[vk - 0x6A];
    } else if (vk >= 0x80) {
        struct Oem {
            int vk;
            int plain, shifted;
        };
        constexpr Oem kOem[] = {{0xBA, ';', ':'},  {0xBB, '=', '+'}, {0xBC, ',', '<'},  {0xBD, '-', '_'},
                                {0xBE, '.', '>'},  {0xBF, '/', '?'}, {0xC0, '\'', '"'}, {0xDB, '[', '{'},
                                {0xDC, '\\', '|'}, {0xDD, ']', '}'}, {0xDE, '`', '~'},  {0xDF, '`', 0xAC}};
        for (const Oem& o : kOem)
            if (o.vk == vk)
                c = shifted ? o.shifted : o.plain;
    } else if (vk >= 'A' && vk <= 'Z') {
        c = shifted ? vk : vk + 32;
    } else if (vk >= '0' && vk <= '9') {
        constexpr char kShiftedDigits[] = ")!@#$%^&*(";
        c = shifted ? kShiftedDigits[vk - '0'] : vk;
    } else if (vk == ' ') {
        c = ' ';
    }
    if (c >= 0 && (shift & kCtrlBit)) {
        if (c >= 0x40 && c <= 0x5F)
            c -= 0x40;
        else if (c >= 0x60 && c <= 0x7F)
            c -= 0x60;
    }
    return c;
}

bool TviAltKey(int vk, u32 shift)
{
    const int c = TviAltKeyCharacter(vk, shift);
    if (c == -1)
        return false;
    if (c >= 0) {
        // The keys travel as text like any typed key, so the user-interface thread
        // never writes to the line.
        const wchar16 text[] = {0x01, static_cast<wchar16>(c), 0x0D};
        QueueStringEvent(text, 7, 3);
    }
    return true;
}
