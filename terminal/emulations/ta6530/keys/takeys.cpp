#include "terminal/emulations/ta6530/keys/takeys.h"

#include <cstring>

#include "terminal/comms/serial/linebreak.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/ta6530/screen/tafields.h"
#include "terminal/emulations/ta6530/tamodes.h"
#include "terminal/emulations/ta6530/screen/tapages.h"
#include "terminal/emulations/ta6530/protocol/taprotocol.h"
#include "terminal/emulations/ta6530/screen/tastatus.h"
#include "terminal/emulations/ta6530/screen/tawrite.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/keyboard/keycodes.h"

namespace {

constexpr u32 kWmSysKeyDown = 0x104;
constexpr u32 kCmdWindowKey1074 = 1074, kCmdWindowKey1010 = 1010;
constexpr int kShiftNone = 0, kShiftShift = 1, kShiftCtrl = 2, kShiftCtrlShift = 3, kShiftAlt = 4;

bool Modal()
{
    return ModalOpen != 0;
}

bool Ansi()
{
    return Ta.mode == kTaAnsi;
}

bool Blocks()
{
    return TaBlockMode();
}

bool ShiftHeld()
{
    return (Ta.keyShift & kShiftBit) != 0;
}

bool CtrlHeld()
{
    return (Ta.keyShift & kCtrlBit) != 0;
}

// Bytes typed back into the keyboard input, read in order.
void Type(const char* text, int n = -1)
{
    if (n < 0)
        n = static_cast<int>(std::strlen(text));
    u16 units[16];
    n = n > 16 ? 16 : n;
    for (int i = 0; i < n; ++i)
        units[i] = static_cast<u8>(text[i]);
    PushKeyboardString(units, n);
}

void TypeByte(u8 b)
{
    const u16 unit = b;
    PushKeyboardString(&unit, 1);
}

// ESC x in modes 0-2, CSI y in ANSI mode.
void Edit(const char* escape, const char* ansi)
{
    Type(Ansi() ? ansi : escape);
}

void HoldScreen()
{
    if (Modal())
        return;
    OutputHeld = OutputHeld ? 0 : 1;
    RefreshHoldLockIndicator();
    TaShowModeField();
}

void SetupKey()
{
    if (!Modal())
        PostMainKeyMessage(kWmSysKeyDown, 'S', 1u | (0x1Fu << 16) | (1u << 29));
}

// ---- Key actions ----

void InsertLineKey()
{
    if (Ansi())
        Type("\033[L");
    else if (Ta.mode == kTaBlock && Ta.lineEditing)
        Type("\033L");
    else if (Blocks())
        TaSendFunctionKey('T');
}

void DeleteLineKey()
{
    if (Ansi())
        Type("\033[M");
    else if (Ta.mode == kTaBlock && Ta.lineEditing)
        Type("\033M");
    else if (Blocks())
        TaSendFunctionKey('t');
}

void InsertKey()
{
    if (CtrlHeld()) {
        InsertLineKey();
        return;
    }
    if (Ansi()) {
        Type("\033[@");
        return;
    }
    if (!Blocks())
        return;
    if (ShiftHeld()) {
        Ta.insert = true;
    } else if (Ta.insert) {
        Ta.insert = false;
    } else {
        Type("\033O");
        return;
    }
    TaShowInsertField();
}

void DeleteKey()
{
    if (CtrlHeld()) {
        DeleteLineKey();
        return;
    }
    if (Ansi())
        Type("\033[P");
    else if (Blocks())
        Type("\033P");
}

void HomeKey()
{
    if (Ansi()) {
        Type("\033[H");
        return;
    }
    if (CtrlHeld()) {
        if (!Modal()) {
            const bool was = Ta.fromKeyboard;
            Ta.fromKeyboard = true;
            TaHomeDown();
            TaUpdateCursor();
            Ta.fromKeyboard = was;
        }
        return;
    }
    Type("\033H");
}

void EndKey()
{
    Edit("\033F", "\033[24H");
}

void PagingKey(const char* conversational, u8 code, const char* ansi)
{
    if (Ansi())
        Type(ansi);
    else if (Blocks())
        TaSendFunctionKey(static_cast<u8>(ShiftHeld() ? code | 0x20 : code));
    else
        Type(conversational);
}

void PageUpKey()
{
    PagingKey("\033V", 'S', "\033[V");
}

void PageDownKey()
{
    PagingKey("\033U", 'R', "\033[U");
}

void RollUpKey()
{
    PagingKey("\033S", 'P', "\033[S");
}

void RollDownKey()
{
    PagingKey("\033T", 'Q', "\033[T");
}

void BackspaceKey()
{
    if (Blocks() && Ta.insert)
        Type("\b\033P");
    else
        TypeByte(8);
}

void EscKey()
{
    if (!Blocks())
        TypeByte(27);
}

void TabKey()
{
    if (Ta.mode != kTaConversational || Modal()) {
        TypeByte(9);
        return;
    }
    // The conversational page takes the tab as blanks up to the next stop.
    const int column = TaDisplayPage().cursorColumn;
    int stop = Ta.lastColumn;
    for (int c = column + 1; c <= Ta.lastColumn; ++c)
        if (Ta.tabs[c] == 'T') {
            stop = c;
            break;
        }
    char blanks[80];
    const int n = stop - column > 0 ? stop - column : 0;
    std::memset(blanks, ' ', sizeof blanks);
    for (int sent = 0; sent < n; sent += 16)
        Type(blanks + sent, n - sent < 16 ? n - sent : 16);
}

void BackTabKey()
{
    if (Ansi())
        Type("\033[Z");
    else if (Blocks())
        Type("\033i");
}

void TabStopKey()
{
    const int s = Ta.keyShift & (kShiftBit | kCtrlBit);
    if (s == kShiftCtrl)
        return;
    static const char* const kEscape[4] = {"\0331", "\0332", nullptr, "\0333"};
    static const char* const kAnsi[4] = {"\033[0W", "\033[2W", nullptr, "\033[3W"};
    Type(Ansi() ? kAnsi[s] : kEscape[s]);
}

void EndOfData()
{
    if (Modal())
        return;
    const bool was = Ta.fromKeyboard;
    Ta.fromKeyboard = true;
    TaEndOfData();
    TaUpdateCursor();
    Ta.fromKeyboard = was;
}

void ReturnKey(bool enter)
{
    if (Ansi()) {
        TypeByte(13);
        return;
    }
    if (CtrlHeld()) {
        EndOfData();
        return;
    }
    if (!Blocks()) {
        Type(reinterpret_cast<const char*>(Ta.returnString), Ta.returnLength);
        return;
    }
    if (TaSettings.returnFunc) {
        TaSendFunctionKey(ShiftHeld() ? 'v' : 'V');
        return;
    }
    if (ShiftHeld()) {
        if (!Modal()) {
            const bool was = Ta.fromKeyboard;
            Ta.fromKeyboard = true;
            TaStartOfField();
            TaUpdateCursor();
            Ta.fromKeyboard = was;
        }
        return;
    }
    if (enter)
        TypeByte(9);
    else
        Type("\r\n");
}

void KeyByNumber(int keyCode);

void KeypadKey(int digit)
{
    if (NumLockState) {
        TypeByte(static_cast<u8>(digit < 0 ? KeypadDecimalChar.load() : '0' + digit));
        return;
    }
    static const int kKeys[10] = {83, 87, 91, 88, 90, 0, 92, 84, 89, 85};
    KeyByNumber(digit < 0 ? 86 : kKeys[digit]);
}

// A keypad key with Alt, or Num Lock off: the editing key it stands for, unshifted.
void KeyByNumber(int keyCode)
{
    if (keyCode == 0)
        return;
    const int was = Ta.keyShift;
    Ta.keyShift = 0;
    Ta6530Keyboard(keyCode, 0);
    Ta.keyShift = was;
}

void FunctionKey(int index, int state)
{
    // F1-F6 with Alt: J-O (j-o with Shift held).
    if (state == kShiftAlt) {
        if (index < 6)
            TaSendFunctionKey(static_cast<u8>((ShiftHeld() ? 'j' : 'J') + index));
        return;
    }
    const bool shifted = state == kShiftShift || state == kShiftCtrlShift;
    TaSendFunctionKey(static_cast<u8>((shifted ? 0x60 : '@') + index));
}

}  // namespace

void TaSendFunctionKey(u8 code)
{
    const TaPage& page = TaDisplayPage();
    const u8 row = static_cast<u8>(TaPageRow(page, page.cursorLine) + 32);
    const u8 column = static_cast<u8>(page.cursorColumn + 32);
    if (!Blocks()) {
        if (LocalMode || Modal()) {
            char typed[5] = {1, static_cast<char>(code), static_cast<char>(row), static_cast<char>(column), 13};
            if (Ansi()) {
                typed[2] = 13;
                Type(typed, 3);
            } else {
                Type(typed, 5);
            }
            return;
        }
        TaQueueOutput(kSoh);
        TaSendByte(code);
        if (!Ansi()) {
            TaSendByte(row);
            TaSendByte(column);
        }
        TaSendByte(13);
        return;
    }
    if (Modal())
        return;
    TaProtocol.pendingKey = code;
    TaLockKeyboard(true);
    if (TaProtocol.lastControl == kEnq)
        TaSendStatusBlock();
}

void Ta6530Keyboard(int keyCode, int shift)
{
    if (KeyboardStackCount() > 0 || keyCode < 67 || keyCode > 136)
        return;
    Ta.keyShift = shift;
    const int state = shift > kShiftAlt ? kShiftAlt : shift;
    const bool alt = state == kShiftAlt;
    const bool plainOrCtrl = state == kShiftNone || state == kShiftCtrl;
    switch (keyCode) {
    case 67:
        if (alt)
            ComposeKey(0);
        break;
    case 68:
    case 69:
    case 70:
    case 71:
    case 72:
    case 73: FunctionKey(keyCode - 68, state); break;
    case 74:
    case 75:
    case 76:
    case 77:
    case 78:
    case 79:
        if (!alt)
            FunctionKey(keyCode - 68, state);
        break;
    case 80:
    case 128:
        if (!alt)
            Edit("\0330", "\033[i");
        break;
    case 81:
        if (state == kShiftCtrl)
            Edit("\033K", "\033[K");
        else if (state == kShiftCtrlShift)
            Edit("\033J", "\033[J");
        else if (alt)
            HoldScreen();
        break;
    case 82:
    case 136:
        if (state == kShiftNone)
            SendBreak();
        break;
    case 83:
        if (state == kShiftNone || state == kShiftShift)
            InsertKey();
        else if (!alt)
            InsertLineKey();
        break;
    case 84:
        if (state == kShiftShift)
            EndKey();
        else if (!alt)
            HomeKey();
        break;
    case 85:
        if (!alt)
            PageUpKey();
        break;
    case 86:
        if (state == kShiftNone || state == kShiftShift)
            DeleteKey();
        else if (!alt)
            DeleteLineKey();
        break;
    case 87:
        if (!alt)
            EndKey();
        else if (ShiftHeld())
            DeleteLineKey();
        else
            InsertLineKey();
        break;
    case 88:
        if (!alt)
            PageDownKey();
        break;
    case 89:
        if (alt)
            RollUpKey();
        else
            Edit("\033A", "\033[A");
        break;
    case 90:
        if (!alt)
            Ansi() ? Type("\033[D") : TypeByte(8);
        break;
    case 91:
        if (alt)
            RollDownKey();
        else
            Ansi() ? Type("\033[B") : TypeByte(10);
        break;
    case 92:
        if (!alt)
            Edit("\033C", "\033[C");
        break;
    case 94: alt ? RollDownKey() : TypeByte('/'); break;
    case 95: alt ? RollUpKey() : TypeByte('*'); break;
    case 96:
        if (!alt)
            TypeByte('-');
        break;
    case 97:
    case 98:
    case 99:
    case 100:
    case 101:
    case 102:
    case 103:
    case 104:
    case 105:
    case 106: {
        static const int kAltKeys[10] = {83, 87, 91, 88, 90, 0, 92, 84, 89, 85};
        if (alt)
            KeyByNumber(kAltKeys[keyCode - 97]);
        else
            KeypadKey(keyCode - 97);
        break;
    }
    case 107: TypeByte(static_cast<u8>(KeypadSeparatorChar.load())); break;
    case 108:
    case 110: TypeByte(static_cast<u8>(alt ? KeypadSeparatorChar.load() : keyCode == 108 ? '-' : '+')); break;
    case 109: alt ? DeleteKey() : KeypadKey(-1); break;
    case 111:
        if (!alt)
            ReturnKey(true);
        break;
    case 112:
        if (!alt)
            BackspaceKey();
        break;
    case 113:
        if (plainOrCtrl)
            EscKey();
        else if (!alt)
            TypeByte(127);
        break;
    case 114:
        if (!alt)
            ReturnKey(false);
        break;
    case 115:
        if (alt)
            TabStopKey();
        else if (plainOrCtrl)
            TabKey();
        else
            BackTabKey();
        break;
    case 116: PostMainCommand(kCmdWindowKey1074); break;
    case 117: PostMainCommand(kCmdWindowKey1010); break;
    case 127: ComposeKey(0); break;
    case 129: SetupKey(); break;
    case 130:
        if (alt)
            PostExitCommand();
        break;
    case 135: HoldScreen(); break;
    default: break;
    }
}

int TaTranslateTypedChar(int c)
{
    if (c < 0 || c > 255)
        return -1;
    if (c < 128 || (Ta.g0 == 0 && Ta.g1 == 11))
        return c;
    // A national character is typed as the 7-bit code it replaces.
    for (int code = 0x20; code < 0x80; ++code)
        if (TaMapNational(static_cast<u8>(code)) == c)
            return code;
    return Ta.g1 == 11 ? c : -1;
}

bool TaKeysRefused()
{
    if (!Ta.keyboardLocked && TaPageShown())
        return false;
    RequestBell();
    return true;
}
