// The IBM 3151's keyboard: each special key with its shift state to the key function
// that serves it. Function keys reach the PF keys by the function-key indexes the
// program's keyboard gives them (0-14 F6-F20, 15-29 the same shifted, 30-35 the
// editing pad, 42 and 43 F5 and Shift+F5).
#include "terminal/comms/serial/linebreak.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/ibm3151/host/hostpath.h"
#include "terminal/emulations/ibm3151/keys/keys.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/keyboard/keycodes.h"

namespace {

constexpr u16 kCan = 0x18, kDel = 0x7F;
constexpr u32 kCommandCopy = 1074, kCommandPaste = 1010;

enum class Act : u8 { None, Fn, CtrlFn, CtrlShiftFn, AltFn };
struct Cell {
    Act act;
    int index;
};

void Function(int index)
{
    if (index >= 0 && index <= 14)
        I3151KeyPf1To12(index);
    else if (index >= 15 && index <= 29)
        I3151KeyPf13To24(index);
    else if (index >= 30 && index <= 35)
        I3151KeyEditPad(index);
    else if (index == 42)
        I3151KeyPf1To12(42);
    else if (index == 43)
        I3151KeyPf13To24(43);
}

void Run(const Cell& cell)
{
    switch (cell.act) {
    case Act::Fn: Function(cell.index); break;
    case Act::CtrlFn:
        if (cell.index >= 30 && cell.index <= 35)
            I3151KeyEditPadCtrl(cell.index);
        else
            I3151KeyCtrlFunction(cell.index);
        break;
    case Act::CtrlShiftFn: I3151KeyPf25To36(cell.index); break;
    case Act::AltFn:
        // Alt with F11 and F12: the two Alt functions.
        if (cell.index == 5 || cell.index == 6)
            I3151KeyAltFunction(cell.index - 5);
        break;
    case Act::None: break;
    }
}

// F1-F4, n 0-3: the PF keys by shift state; with Alt the function indexes beyond.
void TopFunctionKey(int n, int shift)
{
    const int code = 80 + n;
    switch (shift) {
    case 0: I3151KeyPf1To12(code); break;
    case 1: I3151KeyPf13To24(code); break;
    case 2: I3151KeyCtrlFunction(code); break;
    case 3: I3151KeyPf25To36(code); break;
    case 4: Function(5 + n); break;
    case 5: Function(20 + n); break;
    case 6: Run({Act::CtrlFn, 5 + n}); break;
    case 7: Run({Act::CtrlShiftFn, 5 + n}); break;
    default: break;
    }
}

Cell FunctionKey(int keyCode, int shift)
{
    if (keyCode == 72) {
        const Cell row[8] = {{Act::Fn, 42}, {Act::Fn, 43}, {Act::CtrlFn, 42}, {Act::CtrlShiftFn, 42},
                             {Act::Fn, 9},  {Act::Fn, 24}, {Act::CtrlFn, 9},  {Act::CtrlShiftFn, 9}};
        return row[shift];
    }
    if (keyCode >= 73 && keyCode <= 77) {
        const int n = keyCode - 73;
        const Cell row[8] = {{Act::Fn, n},          {Act::Fn, 15 + n},         {Act::CtrlFn, n},
                             {Act::CtrlShiftFn, n}, {Act::Fn, 10 + n},         {Act::Fn, 25 + n},
                             {Act::CtrlFn, 10 + n}, {Act::CtrlShiftFn, 10 + n}};
        return row[shift];
    }
    if (keyCode == 78 || keyCode == 79) {
        const int n = keyCode - 73;
        const Cell row[8] = {{Act::Fn, n},    {Act::Fn, 15 + n},    {Act::CtrlFn, n}, {Act::CtrlShiftFn, n},
                             {Act::AltFn, n}, {Act::AltFn, 15 + n}, {Act::None, 0},   {Act::None, 0}};
        return row[shift];
    }
    if (keyCode >= kKeyF13 && keyCode <= 158) {
        const int n = keyCode - kKeyF13 + 7;
        const Cell row[4] = {{Act::Fn, n}, {Act::Fn, 15 + n}, {Act::CtrlFn, n}, {Act::CtrlShiftFn, n}};
        return shift < 4 ? row[shift] : Cell{Act::None, 0};
    }
    return {Act::None, 0};
}

// A keypad key: its character, or with Ctrl its function.
void Keypad(int c, int shift)
{
    if (shift & kCtrlBit)
        I3151KeyKeypadFunction(c);
    else
        I3151KeyKeypadChar(c);
}

void ReturnKey(int shift)
{
    const bool keyboard122 = KeyboardType == kKeyboard122;
    switch (shift) {
    case 0: I3151KeyReturn(); break;
    case 1: I3151KeyKeypadChar(kI51Cr); break;
    case 2:
        if (keyboard122)
            I3151KeyKeypadFunction(kI51Cr);
        else
            I3151KeyLineFeed();
        break;
    case 3: I3151KeyKeypadFunction(kI51Cr); break;
    case 4:
        if (keyboard122)
            I3151KeyKeypadChar(kI51Cr);
        break;
    default: break;
    }
}

}  // namespace

void I3151DispatchKey(int keyCode, int shift)
{
    if (keyCode < 67 || keyCode > 167 || shift < 0 || shift > 7)
        return;
    // clang-format off
    switch (keyCode) {
    case kKeyC:
        if (shift == 4)
            ComposeKey(0);
        return;
    case 68: case 69: case 70: case 71: TopFunctionKey(keyCode - 68, shift); return;
    case kKeyPrintScreen: I3151KeyPrint(); return;
    case kKeyScrollLock:
        if (KeyboardType != kKeyboard122)
            I3151KeyPrintLine();
        return;
    case kKeyPause: I3151KeyHoldScreen(); return;
    case 83: case 84: case 85: case 86: case 87: case 88: {
        const int n = keyCode - kKeyEditPad;
        const Cell row[5] = {{Act::Fn, 30 + n}, {Act::Fn, 36 + n}, {Act::CtrlFn, 30 + n},
                             {Act::CtrlShiftFn, 30 + n}, {Act::AltFn, 30 + n}};
        if (shift < 5)
            Run(row[shift]);
        return;
    }
    case kKeyUp: if (shift == 0) I3151KeyCursor('A'); return;
    case kKeyLeft: if (shift == 0) I3151KeyCursor('D'); return;
    case kKeyDown: if (shift == 0) I3151KeyCursor('B'); return;
    case kKeyRight: if (shift == 0) I3151KeyCursor('C'); return;
    case kKeyPadSlash: case kKeyPadStar: case kKeyPadMinus:
        if (shift <= 2)
            Keypad(keyCode == kKeyPadSlash ? '/' : keyCode == kKeyPadStar ? '*' : '-', shift);
        return;
    case 97: case 98: case 99: case 100: case 101: case 102: case 103: case 104: case 105: case 106:
        if (shift <= 2)
            Keypad('0' + keyCode - kKeyPad0, shift);
        return;
    case kKeyPadMinus122:
        if (shift == 0 || shift == 2) Keypad(',', shift);
        else if (shift == 1 || shift == 4) Keypad('-', 0);
        return;
    case 108:
        if (shift == 0 || shift == 2) Keypad('-', shift);
        else if (shift == 1 || shift == 4) Keypad(',', 0);
        return;
    case kKeyPadPeriod: if (shift <= 2) Keypad('.', shift); return;
    case kKeyPadPlus:
        if (shift == 0 || shift == 2) Keypad('+', shift);
        else if (shift == 1) Keypad('-', 0);
        else if (shift == 4) Keypad(',', 0);
        return;
    case kKeyPadEnter:
        if (shift == 0) I3151KeyKeypadChar(kI51Cr);
        else if (shift == 1) I3151KeyReturn();
        else if (shift == 2 || shift == 3) I3151KeyKeypadFunction(kI51Cr);
        return;
    case kKeyBackspace:
        if (shift == 0 || shift == 4) I3151KeyBackspace();
        else if (shift == 1) PushKeyboardInput(kDel);
        else if (shift == 2 || shift == 3) PushKeyboardInput(kCan);
        return;
    case kKeyEscape:
        if (shift == 0) I3151KeyEscape();
        else if (shift == 1 || shift == 2) I3151DefinePfKey();
        return;
    case kKeyReturn: ReturnKey(shift); return;
    case kKeyTab:
        if (shift == 0 || shift == 2) I3151KeyTab();
        else if (shift == 1) I3151KeyBackTab();
        return;
    case kKeyCopy: PostMainCommand(kCommandCopy); return;
    case kKeyPaste: PostMainCommand(kCommandPaste); return;
    case kKeyHome: if (shift == 0) I3151KeyHome(); return;
    case kKeyDelete: if (shift == 0) I3151KeyEditPad(KeyboardType == kKeyboard122 ? 35 : 33); return;
    case kKeyCompose: ComposeKey(0); return;
    case 128: I3151KeyPrint(); return;
    case 131: case 132: case 133: case 134: if (shift < 4) TopFunctionKey(keyCode - 131, shift); return;
    case 135: I3151KeyHoldScreen(); return;
    case kKeyBreak: SendBreak(); return;
    case 144: I3151KeyPrint(); return;
    case 149: I3151KeyBackTab(); return;
    default: break;
    }
    // clang-format on
    Run(FunctionKey(keyCode, shift));
}
