#include "terminal/input/keycodes.h"

#include "terminal/core/corestate.h"
#include "terminal/core/emuhooks.h"
#include "terminal/core/emulationids.h"
#include "terminal/emulations/dec/keymodes.h"

std::atomic<u32> KeyboardType{4};
std::atomic<u32> ShiftState{0};
std::atomic<u32> CapsLockState{0};
std::atomic<u32> NumLockState{0};
std::atomic<u16> KeypadDecimalChar{'.'};
std::atomic<u16> KeypadSeparatorChar{','};

namespace {

// Windows virtual keys the rules below name.
constexpr int kVkCancel = 0x03, kVkPause = 0x13, kVkPrior = 0x21, kVkNext = 0x22, kVkEnd = 0x23, kVkHome = 0x24,
              kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28, kVkInsert = 0x2D, kVkDelete = 0x2E,
              kVkMenu = 0x12;

bool DecKeysInUse()
{
    return DecKeyModeOn() || KeypadApplication();
}

bool IbmHostActive()
{
    return EmulationActiveFlags.ibm3270 || EmulationActiveFlags.ibm5250;
}

}  // namespace

bool HostKeyboardActive(bool withIbm3151)
{
    return KeyboardType == kKeyboard122 && (IbmHostActive() || (withIbm3151 && EmulationActiveFlags.ibm3151));
}

int VirtualKeyToKeyCode(int vk)
{
    if (vk < 3 || vk > 254)
        return 0;
    const bool pcEditKeys = IsVtFamily(EmulationId) && !DecKeysInUse();
    if (vk >= 0x60 && vk <= 0x69)
        return 97 + vk - 0x60;
    if (vk >= 0x70 && vk <= 0x7B)
        return 68 + vk - 0x70;
    if (vk >= 0x7C && vk <= 0x83)
        return 151 + vk - 0x7C;
    if (vk >= 0x84 && vk <= 0x87)
        return HostKeyboardActive(false) ? 159 + vk - 0x84 : 0;
    if (vk >= 0x94 && vk <= 0x96)
        return HostKeyboardActive(false) ? 163 + vk - 0x94 : 0;
    if (vk >= kVkEditPadFirst && vk <= kVkCursorRight)
        return kKeyEditPad + vk - kVkEditPadFirst;
    switch (vk) {
    case 0x03: case 0xED: return kKeyBreak;
    case 0x08: return kKeyBackspace;
    case 0x09: return kKeyTab;
    case 0x0C: case 0xFE: return 139;
    case 0x0D: return kKeyReturn;
    case 0x13: return kKeyPause;
    case 0x1B: return kKeyEscape;
    case 0x24: return pcEditKeys ? kKeyHome : 0;
    case 0x2A: case 0x99: return HostKeyboardActive(true) ? 144 : 0;
    case 0x2C: return kKeyPrintScreen;
    case 0x2E: return pcEditKeys ? kKeyDelete : 0;
    case 0x41: return kKeyA;
    case 0x43: return kKeyC;
    case 0x6A: return kKeyPadStar;
    case 0x6B: return kKeyPadPlus;
    case 0x6C: return kKeyPadEnter;
    case 0x6D: return KeyboardType == kKeyboard122 ? kKeyPadMinus122 : kKeyPadMinus;
    case 0x6E: return kKeyPadPeriod;
    case 0x6F: return kKeyPadSlash;
    case 0x90: return kKeyNumLock;
    case 0x91: return kKeyScrollLock;
    case 0x93: return 135;
    case 0x97: return IbmHostActive() ? 166 : 0;
    case 0x98: return HostKeyboardActive(true) ? 167 : 0;
    case 0x9A: return 150;
    case 0x9B: return kKeyCopy;
    case 0x9C: return kKeyPaste;
    case 0xB1: return HostKeyboardActive(false) ? 168 : 0;
    case 0xCC: return 149;
    case 0xEA: return 128;
    case 0xEB: return 129;
    case 0xEC: return 130;
    case 0xF0: return 108;
    case 0xF2: return 148;
    case 0xF6: return 138;
    case 0xF7: return 140;
    case 0xF8: return 142;
    case 0xF9: return 143;
    case 0xFA: return 145;
    case 0xFB: return 146;
    case 0xFC: return 147;
    case 0xFD: return HostKeyboardActive(false) ? 149 : 0;
    default: return 0;
    }
}

int SubstituteNavigationVirtualKey(int vk, bool altHeld)
{
    if (vk == kVkPause)
        return altHeld ? kVkCancel : vk;
    // The VT family gets the DEC editing-pad meaning of each PC key, the others the PC
    // key's position; Home and Delete stay PC keys until the DEC keys are in use.
    const bool vt = IsVtFamily(EmulationId);
    const int pad = kVkEditPadFirst;
    switch (vk) {
    case kVkInsert: return vt ? pad + 1 : pad;
    case kVkHome: return vt ? (DecKeysInUse() ? pad : vk) : pad + 1;
    case kVkPrior: return vt ? pad + 4 : pad + 2;
    case kVkDelete: return vt ? (DecKeysInUse() ? pad + 2 : vk) : pad + 3;
    case kVkEnd: return vt ? pad + 3 : pad + 4;
    case kVkNext: return pad + 5;
    case kVkUp: return kVkCursorUp;
    case kVkLeft: return kVkCursorLeft;
    case kVkDown: return kVkCursorDown;
    case kVkRight: return kVkCursorRight;
    default: return vk;
    }
}

int CtrlDigitControlCode(int vk, u32 shift)
{
    if (shift != kCtrlBit || !IsVtFamily(EmulationId))
        return -1;
    switch (vk) {
    case '2': return 0;
    case '3': return 27;
    case '4': return 28;
    case '5': return 29;
    case '6': return 30;
    case '7': return 31;
    case '8': return 127;
    default: return -1;
    }
}

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
        constexpr Oem kOem[] = {{0xBA, ';', ':'}, {0xBB, '=', '+'}, {0xBC, ',', '<'}, {0xBD, '-', '_'},
                                {0xBE, '.', '>'}, {0xBF, '/', '?'}, {0xC0, '\'', '"'}, {0xDB, '[', '{'},
                                {0xDC, '\\', '|'}, {0xDD, ']', '}'}, {0xDE, '`', '~'}, {0xDF, '`', 0xAC}};
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

int GetKeyboardLanguageIndex(int stringId)
{
    return stringId >= 1361 && stringId <= 1376 ? stringId - 1361 : 0;
}
