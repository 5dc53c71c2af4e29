#include "terminal/input/keyboard/keycodes.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/settings/store/profilevalues.h"

std::atomic<u32> KeyboardType{4};
std::atomic<u32> ShiftState{0};
std::atomic<u32> CapsLockState{0};
std::atomic<u32> NumLockState{0};
std::atomic<u16> KeypadDecimalChar{'.'};
std::atomic<u16> KeypadSeparatorChar{','};

namespace {

// Windows virtual keys the rules below name.
constexpr int kVkCancel = 0x03, kVkPause = 0x13, kVkPrior = 0x21, kVkNext = 0x22, kVkEnd = 0x23, kVkHome = 0x24,
              kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28, kVkInsert = 0x2D, kVkDelete = 0x2E;

// The DEC keys (DecKeyMode) or the application keypad are in use.
bool DecKeysInUse()
{
    return Vt300Values.DecKeyMode != 0 || Vt300Values.kpadmode != 0;
}

}  // namespace

bool FamilyUsesHostKeyboard()
{
    return ActiveFamily().hostKeyboardKeys == 2;
}

bool HostKeyboardActive(bool alsoSomeKeys)
{
    const u8 keys = ActiveFamily().hostKeyboardKeys;
    return KeyboardType == kKeyboard122 && (keys == 2 || (alsoSomeKeys && keys == 1));
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
    // clang-format off
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
    case 0x97: return FamilyUsesHostKeyboard() ? 166 : 0;
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
    // clang-format on
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

int GetKeyboardLanguageIndex(int stringId)
{
    return stringId >= 1361 && stringId <= 1376 ? stringId - 1361 : 0;
}

namespace {

struct KeyRow {
    u16 virtualKey, keyCode, position;
};

// A plain key's row names its virtual key twice.
constexpr KeyRow Plain(u16 vk, u16 position)
{
    return {vk, vk, position};
}

// clang-format off
constexpr KeyRow kKeyTable[] = {
    {0x1B, 113, 0},
    {0x70, 68, 1}, {0x71, 69, 2}, {0x72, 70, 3}, {0x73, 71, 4}, {0x74, 72, 5}, {0x75, 73, 6},
    {0x76, 74, 7}, {0x77, 75, 8}, {0x78, 76, 9}, {0x79, 77, 10}, {0x7A, 78, 11}, {0x7B, 79, 12},
    {0x2C, 80, 13}, {0x91, 81, 14}, {0x13, 82, 15},
    Plain(0xC0, 16), Plain('1', 17), Plain('2', 18), Plain('3', 19), Plain('4', 20), Plain('5', 21),
    Plain('6', 22), Plain('7', 23), Plain('8', 24), Plain('9', 25), Plain('0', 26), Plain(0xBD, 27),
    Plain(0xBB, 28), {0x08, 112, 29},
    {0x09, 115, 30}, Plain('Q', 31), Plain('W', 32), Plain('E', 33), Plain('R', 34), Plain('T', 35),
    Plain('Y', 36), Plain('U', 37), Plain('I', 38), Plain('O', 39), Plain('P', 40), Plain(0xDB, 41),
    Plain(0xDD, 42), {0x0D, 114, 43},
    Plain('A', 45), Plain('S', 46), Plain('D', 47), Plain('F', 48), Plain('G', 49), Plain('H', 50),
    Plain('J', 51), Plain('K', 52), Plain('L', 53), Plain(0xBA, 54), Plain(0xDE, 55), Plain(0xDC, 56),
    Plain(0xA0, 57), Plain(0xE2, 58), Plain('Z', 59), Plain('X', 60), Plain('C', 61), Plain('V', 62),
    Plain('B', 63), Plain('N', 64), Plain('M', 65), Plain(0xBC, 66), Plain(0xBE, 67), Plain(0xBF, 68),
    Plain(0xA1, 69),
    Plain(0xA2, 70), Plain(0xA4, 71), Plain(0x20, 72), Plain(0xA5, 73), Plain(0xA3, 74),
    {0x2D, 83, 75}, {0x24, 84, 76}, {0x21, 85, 77}, {0x2E, 86, 78}, {0x23, 87, 79}, {0x22, 88, 80},
    {0x26, 89, 81}, {0x25, 90, 82}, {0x28, 91, 83}, {0x27, 92, 84},
    {0x90, 93, 85}, {0x6F, 94, 86}, {0x6A, 95, 87}, {0x6D, 96, 88}, {0x67, 104, 89}, {0x68, 105, 90},
    {0x69, 106, 91}, {0x6B, 110, 92}, {0x64, 101, 93}, {0x65, 102, 94}, {0x66, 103, 95}, {0x6C, 111, 96},
    {0x61, 98, 97}, {0x62, 99, 98}, {0x63, 100, 99}, {0x60, 97, 100}, {0x6E, 109, 101},
    // Keys beyond the PC keyboard: F13-F24 of the 122-key keyboard, then the program's
    // own keys (print, set-up, copy, paste, hold, break) that key names reach.
    {0x7C, 151, 102}, {0x7D, 152, 103}, {0x7E, 153, 104}, {0x7F, 154, 105}, {0x80, 155, 106}, {0x81, 156, 107},
    {0x82, 157, 108}, {0x83, 158, 109}, {0x84, 159, 110}, {0x85, 160, 111}, {0x86, 161, 112}, {0x87, 162, 113},
    {0xEA, 128, 124}, {0xEB, 129, 125}, {0x9B, 116, 126}, {0x9C, 117, 127}, {0x93, 135, 128}, {0x03, 136, 129},
};
// clang-format on

bool PlainRow(const KeyRow& r)
{
    return r.virtualKey == r.keyCode && r.virtualKey < 256;
}

}  // namespace

int KeyPositionToVirtualKey(int position)
{
    for (const KeyRow& r : kKeyTable)
        if (r.position == position)
            return r.virtualKey;
    return -1;
}

int VirtualKeyToKeyPosition(int virtualKey)
{
    for (const KeyRow& r : kKeyTable)
        if (r.virtualKey == virtualKey)
            return r.position;
    return -1;
}

int KeyCodeToKeyPosition(int keyCode)
{
    for (const KeyRow& r : kKeyTable)
        if (!PlainRow(r) && r.keyCode == keyCode)
            return r.position;
    return -1;
}

int VirtualKeyToKeyCodeByTable(int virtualKey)
{
    for (const KeyRow& r : kKeyTable)
        if (!PlainRow(r) && r.virtualKey == virtualKey)
            return r.keyCode;
    return 0;
}

int KeyCodeToVirtualKey(int keyCode)
{
    for (const KeyRow& r : kKeyTable)
        if (!PlainRow(r) && r.keyCode == keyCode)
            return r.virtualKey;
    return -1;
}
