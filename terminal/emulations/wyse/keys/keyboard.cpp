// The Wyse keys: a key code with its shift state becomes a Wyse key, a byte, a local
// command or a command of the program.
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/serial/linebreak.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/wyse/escapes/escapes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/keys/keysequences.h"
#include "terminal/emulations/wyse/keys/wysekeys.h"
#include "terminal/emulations/wyse/screen/labels.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/keyboard/keycodes.h"

namespace {

constexpr u32 kWmSysKeyDown = 0x104;

bool Modal()
{
    return ModalOpen != 0;
}

void HoldScreen()
{
    if (Modal())
        return;
    OutputHeld = OutputHeld ? 0 : 1;
    RefreshHoldLockIndicator();
    WyseShowCommModeField();
}

void OpenSettingsMenu()
{
    if (!Modal())
        PostMainKeyMessage(kWmSysKeyDown, 'S', 1u | (0x1Fu << 16) | (1u << 29));
}

void PushByte(int b)
{
    PushKeyboardInput(static_cast<u16>(b));
}

// Pause: a break, the answerback, or block mode by Shift and Ctrl.
void PauseKey()
{
    if (Modal())
        return;
    switch (WyseStoredShift() & 3) {
    case 0: SendBreak(); break;
    case 1: WyseSendAnswerback(); break;
    case 3:
        if (WySet.inEdit)
            WyseEscBlockModeOff();
        else
            WyseEscBlockModeOn();
        break;
    default: break;
    }
}

// F1-F16 as the function-key rows place them.
void FunctionKey(int index, int state, bool hasAlt)
{
    const int shifted = state & 1;
    if (state <= 1) {
        WyseSendKey(kWyseFirstKey + index, shifted);
        return;
    }
    if (state == 2) {
        PushByte(128 + index);
        return;
    }
    if (state == 3) {
        PushByte(144 + index);
        return;
    }
    if (!hasAlt || index > 5)
        return;
    if (state == 4 || state == 5)
        WyseSendKey(kWyseFirstKey + 10 + index, shifted);
    else if (state == 6)
        PushByte(138 + index);
    else
        PushByte(154 + index);
}

// The Wyse key a keypad digit stands for with Alt: End, Down, Page Down, Left, 5,
// Right, Home, Up, Page Up.
constexpr int kPadKeys[9] = {kWyseKeyEnd,   kWyseKeyDown, kWyseKeyPageDown, kWyseKeyLeft,  kWyseKeyKeypad5,
                             kWyseKeyRight, kWyseKeyHome, kWyseKeyUp,       kWyseKeyPageUp};

void CtrlFormOf(int number)
{
    switch (number) {
    case kWyseKeyEnd: WyseEditingKey(kWyseKeyEnd, 2); break;
    case kWyseKeyKeypad5: WyseKeypadKey('5'); break;
    default: WyseEditingKey(number, 2); break;
    }
}

}  // namespace

void WyseKeyFunction(int key, int shift)
{
    if (KeyboardStackCount() > 0)
        return;
    const int state = shift & 7;
    WyseSetStoredShift(state);
    const bool alt = (state & 4) != 0;
    const int shifted = state & 1;
    const bool keyboard122 = KeyboardType == kKeyboard122;
    if (key >= kWyseFirstKey && key <= kWyseLastKey) {
        WyseSendKey(key, shifted);
        return;
    }
    if (key >= 68 && key <= 79) {
        FunctionKey(key - 68, state, !keyboard122);
        return;
    }
    if (key >= 151 && key <= 154) {
        if (state <= 3)
            FunctionKey(12 + key - 151, state, false);
        return;
    }
    if (key >= 98 && key <= 106) {
        const int digit = key - 97;
        if (state <= 3)
            WyseKeypadKey('0' + digit);
        else if (state <= 5)
            WyseSendKey(kPadKeys[digit - 1], shifted);
        else
            CtrlFormOf(kPadKeys[digit - 1]);
        return;
    }
    switch (key) {
    case kKeyC:
        if (alt)
            ComposeKey(0);
        break;
    case kKeyPrintScreen:
    case 128: WyseSendKey(kWyseKeyPrint, shifted); break;
    case kKeyScrollLock:
        if (alt)
            HoldScreen();
        else
            WyMode.functionCodeRequest = 1;
        break;
    case kKeyPause:
    case kKeyBreak: PauseKey(); break;
    case kKeyEditPad:  // Insert
        if (state <= 3)
            WyseSendKey(kWyseKeyInsert, shifted);
        else
            WyseEditingKey(kWyseKeyInsert, 4);
        break;
    case 84:  // Home
        if (state <= 3)
            WyseSendKey(kWyseKeyHome, shifted);
        break;
    case 85:  // Page Up
    case 88:  // Page Down
        if (state <= 1)
            WyseSendKey(key == 85 ? kWyseKeyPageUp : kWyseKeyPageDown, shifted);
        else if (state <= 3 && !Modal())
            WyseSelectWindow(WyStore.active ^ 1);
        break;
    case 86:  // Delete
        if (state <= 1)
            WyseSendKey(kWyseKeyDelete, shifted);
        else if (state <= 3)
            WyseEditingKey(kWyseKeyDelete, state);
        break;
    case 87:  // End
        if (state <= 1)
            WyseSendKey(kWyseKeyEnd, shifted);
        else if (state <= 3)
            WyseEditingKey(kWyseKeyEnd, 2);
        break;
    case kKeyUp:
    case kKeyDown:
        if (state <= 1)
            WyseSendKey(key == kKeyUp ? kWyseKeyUp : kWyseKeyDown, shifted);
        else if (state == 2)
            WyseEditingKey(key == kKeyUp ? kWyseKeyUp : kWyseKeyDown, 2);
        break;
    case kKeyLeft:
        if (state <= 1)
            WyseSendKey(kWyseKeyLeft, shifted);
        else if (state <= 3)
            WyseEditingKey(kWyseKeyLeft, 2);
        break;
    case kKeyRight:
        if (state <= 1)
            WyseSendKey(kWyseKeyRight, shifted);
        else if (state <= 3)
            WyseEditingKey(kWyseKeyRight, 2);
        break;
    case kKeyPadSlash: PushByte('/'); break;
    case kKeyPadStar: PushByte('*'); break;
    case kKeyPadMinus:
        if (state == 0 || state >= 4)
            PushByte('-');
        else if (state == 3)
            WyseLocalCommand3(0x1B, 'x', 'C');
        break;
    case kKeyPad0:
        if (state <= 3)
            WyseKeypadKey('0');
        else if (state <= 5)
            WyseSendKey(kWyseKeyInsert, state == 4 ? 1 : 0);
        else
            WyseEditingKey(kWyseKeyInsert, 2);
        break;
    case kKeyPadMinus122: WyseKeypadKey(keyboard122 ? '-' : '+'); break;
    case kKeyPadPlus:
    case 108: WyseKeypadKey('+'); break;
    case kKeyPadPeriod:
        if (state <= 3)
            WyseKeypadKey('.');
        else if (state == 4)
            WyseSendKey(kWyseKeyDel, 0);
        else if (state == 5)
            WyseSendKey(kWyseKeyDelete, 1);
        else
            WyseEditingKey(kWyseKeyDelete, state & 1 ? 3 : 2);
        break;
    case kKeyPadEnter:
        if (state <= 1)
            WyseSendKey(kWyseKeyEnter, shifted);
        else if (state <= 3)
            WyseSendReturn();
        break;
    case kKeyBackspace:
        if (state <= 1)
            WyseSendKey(kWyseKeyBackspace, shifted);
        else if (state <= 3)
            WyseKeyByte(0x08);
        else
            WyseSendKey(kWyseKeyDel, 0);
        break;
    case kKeyEscape:
        if (state <= 1)
            WyseSendKey(kWyseKeyEsc, shifted);
        else if (state <= 3)
            WyseKeyByte(0x1B);
        break;
    case kKeyReturn:
        if (state <= 1)
            WyseSendKey(kWyseKeyReturn, shifted);
        else if (state <= 3)
            WyseSendReturn();
        break;
    case kKeyTab:
        if (state <= 1)
            WyseSendKey(kWyseKeyTab, shifted);
        else if (state <= 3) {
            if (state & 1)
                WyseKeySequence2(0x1B, 'I');
            else
                WyseKeyByte(0x09);
        }
        break;
    case kKeyCopy: PostMainCommand(kCmdCopy); break;
    case kKeyPaste: PostMainCommand(kCmdPaste); break;
    case kKeyCompose: ComposeKey(0); break;
    case 129: OpenSettingsMenu(); break;
    case 130:
        if (alt)
            PostExitCommand();
        break;
    case 135: HoldScreen(); break;
    case kKeyA:
        if (state == 4)
            WyseSendKey(kWyseKeyEighthBit, 0);
        break;
    default: break;
    }
}
