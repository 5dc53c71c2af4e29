// The key table of the DEC VT and ANSI console family: each special key with its shift
// state to the key action that serves it.
#include "terminal/emulations/dec/keys/keytable.h"

#include "terminal/comms/serial/linebreak.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/emulations/dec/keys/keymodes.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/emulations/dec/keys/vtkeys.h"

namespace {

constexpr int kCr = 0x0D, kHt = 0x09, kEsc = 0x1B, kCan = 0x18;

// F1-F12 and F13-F20 by shift state: the DEC function-key index each state reaches,
// and which key action takes it. F1-F4 without Alt are the PF keys.
enum class Act { None, Fn, CtrlFn, CtrlShiftFn, AltFn };
struct FunctionCell {
    Act act;
    int index;
};

void Run(const FunctionCell& cell)
{
    switch (cell.act) {
    case Act::Fn: KeyVtFunction(cell.index); break;
    case Act::CtrlFn: KeyVtFunctionCtrl(cell.index); break;
    case Act::CtrlShiftFn: KeyVtFunctionCtrlShift(cell.index); break;
    case Act::AltFn: KeyVtFunctionAlt(cell.index); break;
    case Act::None: break;
    }
}

// F1-F4: n 0-3.
void TopFunctionKey(int n, int shift)
{
    const int code = 80 + n;
    switch (shift) {
    case 0: KeyVtPf(code); break;
    case 1: KeyVtPfShift(code); break;
    case 2: KeyVtPfCtrl(code); break;
    case 3: KeyVtPfCtrlShift(code); break;
    case 4: KeyVtFunction(5 + n); break;
    case 5: KeyVtFunction(20 + n); break;
    case 6: KeyVtFunctionCtrl(5 + n); break;
    case 7: KeyVtFunctionCtrlShift(5 + n); break;
    default: break;
    }
}

// F5-F12 and F13-F20 by key code and shift state.
FunctionCell FunctionKey(int keyCode, int shift)
{
    if (keyCode == kKeyF5) {
        const FunctionCell row[8] = {{Act::Fn, 42}, {Act::Fn, 43}, {Act::CtrlFn, 42}, {Act::CtrlShiftFn, 42},
                                     {Act::Fn, 9},  {Act::Fn, 24}, {Act::CtrlFn, 9},  {Act::CtrlShiftFn, 9}};
        return row[shift];
    }
    if (keyCode >= 73 && keyCode <= 77) {
        const int n = keyCode - 73;
        const FunctionCell row[8] = {{Act::Fn, n},          {Act::Fn, 15 + n},         {Act::CtrlFn, n},
                                     {Act::CtrlShiftFn, n}, {Act::Fn, 10 + n},         {Act::Fn, 25 + n},
                                     {Act::CtrlFn, 10 + n}, {Act::CtrlShiftFn, 10 + n}};
        return row[shift];
    }
    if (keyCode == kKeyF11 || keyCode == kKeyF12) {
        const int n = keyCode - 73;
        const FunctionCell row[8] = {{Act::Fn, n},          {Act::Fn, 15 + n}, {Act::CtrlFn, n},
                                     {Act::CtrlShiftFn, n}, {Act::AltFn, n},   {Act::AltFn, 15 + n},
                                     {Act::None, 0},        {Act::None, 0}};
        return row[shift];
    }
    if (keyCode >= kKeyF13 && keyCode <= 158) {
        const int n = keyCode - kKeyF13 + 7;
        const FunctionCell row[4] = {{Act::Fn, n}, {Act::Fn, 15 + n}, {Act::CtrlFn, n}, {Act::CtrlShiftFn, n}};
        return shift < 4 ? row[shift] : FunctionCell{Act::None, 0};
    }
    return {Act::None, 0};
}

void EditingPadKey(int n, int shift)
{
    switch (shift) {
    case 0: KeyVtFunction(30 + n); break;
    case 1: KeyVtFunction(36 + n); break;
    case 2: KeyVtFunctionCtrl(30 + n); break;
    case 3: KeyVtFunctionCtrlShift(30 + n); break;
    case 4: KeyVtFunctionAlt(30 + n); break;
    default: break;
    }
}

void CursorKey(int letter, int shift)
{
    switch (shift) {
    case 0: KeyVtCursor(letter); break;
    case 1: KeyVtCursorShift(letter); break;
    case 2: KeyVtCursorCtrl(letter); break;
    default: break;
    }
}

// Keypad keys in the states 0 (plain) and 1 (Shift).
void KeypadKey(int c, int shift)
{
    switch (shift) {
    case 0: KeyVtKeypad(c); break;
    case 1: KeyVtKeypadShift(c); break;
    default: break;
    }
}

void ToggleDecKeyMode()
{
    SetDecKeyMode(!DecKeyModeOn());
}

void ReturnKey(int shift)
{
    switch (shift) {
    case 0: KeyVtReturn(kCr); break;
    case 1: KeySendSs3M(); break;
    case 2: KeyVtReturnCtrl(kCr); break;
    case 3:
    case 4: KeyVtKeypad(kCr); break;
    default: break;
    }
}

}  // namespace

void DecDispatchKey(int keyCode, int shift)
{
    if (keyCode == kKeyDo1324 || keyCode == kKeyDo1325) {
        KeyVtDoKey(keyCode);
        return;
    }
    if (keyCode < 67 || keyCode > 167 || shift < 0 || shift > 7)
        return;
    const bool vt = IsVtFamily(EmulationId);

    // clang-format off
    switch (keyCode) {
    case kKeyC:
        if (shift == 4)
            ComposeKey(0);
        return;
    case 68: case 69: case 70: case 71:
        TopFunctionKey(keyCode - 68, shift);
        return;
    case kKeyPrintScreen:
        KeyVtPrintScreen(shift);
        return;
    case kKeyScrollLock:
        return;
    case kKeyPause:
        KeyVtPause(shift);
        return;
    case 83: case 84: case 85: case 86: case 87: case 88:
        EditingPadKey(keyCode - kKeyEditPad, shift);
        return;
    case kKeyUp:
        CursorKey('A', shift);
        return;
    case kKeyLeft:
        CursorKey('D', shift);
        return;
    case kKeyDown:
        CursorKey('B', shift);
        return;
    case kKeyRight:
        CursorKey('C', shift);
        return;
    case kKeyNumLock:
        KeyVtNumLock(shift);
        return;
    case kKeyPadSlash: case kKeyPadStar: case kKeyPadMinus: {
        const int n = keyCode - kKeyPadSlash;
        // The VT keypad's top row is PF2-PF4 whatever the shift state.
        if (vt)
            KeyVtKeypadPf(81 + n, shift, 0);
        else
            KeypadKey(n == 0 ? '/' : n == 1 ? '*' : '-', shift);
        return;
    }
    case 97: case 98: case 99: case 100: case 101: case 102: case 103: case 104: case 105: case 106:
        KeypadKey('0' + keyCode - kKeyPad0, shift);
        return;
    case kKeyPadMinus122:
        if (shift == 0) KeyVtKeypad(',');
        else if (shift == 1 || shift == 4) KeyVtKeypad('-');
        return;
    case 108:
        if (shift == 0) KeyVtKeypad('-');
        else if (shift == 1 || shift == 4) KeyVtKeypad(',');
        return;
    case kKeyPadPeriod:
        KeypadKey('.', shift);
        return;
    case kKeyPadPlus:
        if (shift == 0) KeyVtKeypad('+');
        else if (shift == 1) KeyVtKeypad('-');
        else if (shift == 4) KeyVtKeypad(',');
        return;
    case kKeyPadEnter:
        if (shift == 0)
            KeyVtKeypad(kCr);
        else if (shift == 1)
            KeyShiftKeypadEnter();
        else if (shift == 2 || shift == 3)
            KeySendSs3M();
        return;
    case kKeyBackspace:
        if (shift == 0) KeyVtBackspace();
        else if (shift == 1) KeyVtBackspaceShift();
        else if (shift == 2 || shift == 3) PushKeyboardInput(kCan);
        else if (shift == 4) KeyVtBackspaceAlt();
        return;
    case kKeyEscape:
        if (shift == 0) KeyVtEscape(kEsc);
        else if (shift == 1) KeyVtEscapeShift(kEsc);
        else if (shift == 2) KeyVtEscapeCtrl(kEsc);
        return;
    case kKeyReturn:
        ReturnKey(shift);
        return;
    case kKeyTab:
        if (shift == 0 || shift == 2) KeyVtTab(kHt);
        else if (shift == 1) KeyVtBackTab(kHt);
        else if (shift == 3) KeyVtTabCtrlShift(kHt);
        return;
    case kKeyCopy:
        PostMainCommand(kCmdCopy);
        return;
    case kKeyPaste:
        PostMainCommand(kCmdPaste);
        return;
    case kKeyHome:
        KeyVtHome(shift);
        return;
    case kKeyDelete:
        KeyVtDelete(shift);
        return;
    case kKeyCompose:
        ComposeKey(0);
        return;
    case 128:
        KeyVtPrint();
        return;
    case 129:
        KeyVtSetup();
        return;
    case 130:
        if (shift == 0) SendFunctionKeySequence();
        else if (shift == 4) KeyVtExitF4();
        return;
    case 131: case 132: case 133: case 134:
        if (!vt) {
            if (shift <= 3)
                TopFunctionKey(keyCode - 131, shift);
        } else if (keyCode == 131 && KeyboardType == kKeyboard450 && shift == 4) {
            ToggleDecKeyMode();
        } else {
            KeyVtKeypadPf(80 + keyCode - 131, shift, 1);
        }
        return;
    case 135:
        KeyVtHold();
        return;
    case kKeyBreak:
        SendBreak();
        return;
    case 139: case 144: case 147: case 148: case 150: case 167:
        return;  // keys of the 122-key host keyboard the DEC terminals do not have
    case 149:
        KeyVtBackTab(kHt);
        return;
    default:
        Run(FunctionKey(keyCode, shift));
        return;
    }
    // clang-format on
}
