#include "terminal/emulations/dec/keys/vtkeys.h"

#include <initializer_list>

#include "terminal/comms/serial/linebreak.h"
#include "terminal/comms/printing/printing.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/keys/ansikeys.h"
#include "terminal/emulations/dec/keys/keymodes.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr int kVtKeySlots = 46;
constexpr u16 kBs = 0x08, kHt = 0x09, kLf = 0x0A, kCr = 0x0D, kEsc = 0x1B, kDel = 0x7F;
constexpr u16 kSs3 = 0x8F, kCsi = 0x9B;
constexpr u32 kWmSysKeyDown = 0x0104;

u8 Id()
{
    return EmulationId;
}

// The one engine of Ansi BBS, SCO Console and AT 386; AIXTerm goes by its id.
bool AnsiEngine()
{
    return AnsiConsoleMode != 0;
}

bool Sco()
{
    return AnsiEngine() && Id() == kEmuScoConsole;
}

bool At386()
{
    return AnsiEngine() && Id() == kEmuAt386;
}

bool Aixterm()
{
    return Id() == kEmuAixterm;
}

bool Vt52()
{
    return Id() == kEmuVt52;
}

// VT52 and VT100 are the family's 7-bit terminals.
bool SevenBitVt(u8 id)
{
    return id == kEmuVt52 || id == kEmuVt100;
}

// The VT terminals in ANSI mode: VT100 and the two VT500s.
bool AnsiModeVt(u8 id)
{
    return IsVtFamily(id) && id != kEmuVt52;
}

bool Vt()
{
    return IsVtFamily(Id());
}

bool Modal()
{
    return ModalOpen != 0;
}

bool DisplayControls()
{
    return PaintSettings.displayControls != 0;
}

bool DecOrKeypadMode()
{
    return DecKeyModeOn() || KeypadApplication();
}

void Send(std::initializer_list<u16> units)
{
    HostSendString(units.begin(), static_cast<int>(units.size()));
}

void SendCsiTilde(int n)
{
    if (n >= 10)
        Send({kCsi, static_cast<u16>('0' + n / 10), static_cast<u16>('0' + n % 10), '~'});
    else
        Send({kCsi, static_cast<u16>('0' + n), '~'});
}

// Typed input: the unit reaches the host as if the user had typed it.
void Type(u16 c)
{
    PushKeyboardInput(c);
}

void TypeString(std::initializer_list<u16> units)
{
    PushKeyboardString(units.begin(), static_cast<int>(units.size()));
}

bool SendUserDefinedKeyOf(int keyNumber)
{
    return SendUserDefinedKey(FindUserDefinedKey(keyNumber)) != 0;
}

// The entry of a default key slot: the slot itself below 40; of the editing pad only
// Insert Here and Next Screen have entries of their own.
int UserDefinedEntryOfSlot(int slot)
{
    if (slot < 40)
        return slot;
    if (slot == 41)
        return FindUserDefinedKey(100);
    if (slot == 45)
        return FindUserDefinedKey(101);
    return -1;
}

void ToggleHoldScreen()
{
    OutputHeld = OutputHeld ? 0 : 1;
    RefreshHoldLockIndicator();
}

// Shift states 0-3 of the ANSI senders.
using Sender = void (*)(int, int);

// The function-key ranges SCO Console, AT 386 and AIXTerm share; false for an index
// outside them.
bool SendAnsiFunction(int index, Sender function, Sender editing, int plainState, int shiftedState)
{
    if (index >= 0 && index <= 6)
        function(index + 5, plainState);
    else if (index >= 15 && index <= 21 && shiftedState >= 0)
        function(index - 10, shiftedState);
    else if (index >= 30 && index <= 35)
        editing(index - 30, plainState);
    else if (index >= 36 && index <= 41 && shiftedState >= 0)
        editing(index - 36, shiftedState);
    else if (index == 42)
        function(4, plainState);
    else if (index == 43 && shiftedState >= 0)
        function(4, shiftedState);
    else
        return false;
    return true;
}

// The ANSI family's sender pair for the active emulation; false when none.
bool AnsiSenders(Sender& function, Sender& editing)
{
    if (Sco()) {
        function = ScoSendFunctionKey, editing = ScoSendEditingKey;
        return true;
    }
    if (At386()) {
        function = At386SendFunctionKey, editing = At386SendEditingKey;
        return true;
    }
    if (Aixterm()) {
        function = AixtermSendFunctionKey, editing = AixtermSendEditingKey;
        return true;
    }
    return false;
}

void SendPfCodeAnsi(int code, int state)
{
    if (Sco())
        ScoSendFunctionKey(code - 80, state);
    else if (At386())
        At386SendFunctionKey(code - 80, state);
    else if (Aixterm())
        AixtermSendFunctionKey(code - 80, state);
}

bool LocalEditKeysActive()
{
    return VtLocalEditing() && !DisplayControls() && !Modal();
}

void BackspaceOrDelete(bool opposite)
{
    const bool bs = BackarrowSendsBackspace() != opposite;
    Type(bs ? kBs : kDel);
}

}  // namespace

int VtKeySlotOf(int index)
{
    if (index >= 0 && index <= 14)
        return index + 5;
    if (index >= 15 && index <= 41)
        return index + 10;
    if (index == 42)
        return 4;
    if (index == 43)
        return 24;
    if (index >= 112 && index <= 115)
        return index - 112;
    if (index >= 80 && index <= 83)
        return index - 60;
    return kVtKeySlots;
}

int SendUserDefinedKey(int entry)
{
    if (!Vt() || entry < 0 || entry >= kUserDefinedKeyCount)
        return 0;
    // Break is the DEC key's own job on that keyboard while the DEC keys are in use.
    if (entry == 4 && KeyboardType == kKeyboard450 && DecOrKeypadMode())
        return 0;
    const UserDefinedKey key = UserDefinedKeyEntry(entry);
    if (key.length == 0 || !key.text)
        return 0;
    const bool local = LocalMode != 0;
    const u16* units = reinterpret_cast<const u16*>(key.text);
    if (Modal() || ((local || VtLocalEditing()) && !(key.sendFlag == 2 && !local)))
        PushKeyboardString(units, key.length);
    else
        HostSendString(units, key.length);
    return 1;
}

void SendVtDefaultKeyString(int slot)
{
    if (PrintingInProgress() || slot < 0 || slot >= kVtKeySlots)
        return;
    const u8 id = Id();
    const bool vt52or100 = SevenBitVt(id);
    switch (slot) {
    case 4:
        if (!Vt())
            return;
        if (DecOrKeypadMode())
            SendBreak();
        else
            SendCsiTilde(15);
        return;
    case 10:
        // F11, F12 and F13 are ESC, BS and LF on the keyboards of the older terminals.
        if (vt52or100) {
            Type(kEsc);
            return;
        }
        break;
    case 11:
        if (vt52or100) {
            Type(kBs);
            return;
        }
        break;
    case 12:
        if (vt52or100) {
            Type(kLf);
            return;
        }
        break;
    default: break;
    }
    const UserDefinedKey s = DefaultKeySlotText(slot);
    if (s.length == 0)
        return;
    const u16* units = reinterpret_cast<const u16*>(s.text);
    if (Modal())
        PushKeyboardString(units, s.length);
    else if (s.sendFlag == 1 || LocalMode) {
        if (!KeyStringActive())
            StartKeyString(units, s.length);
    } else
        HostSendString(units, s.length);
}

void SendVtKeySlot(int index)
{
    if (index == 39) {
        // Shifted Select switches local editing instead of sending anything.
        if (!Modal())
            SetLocalEditMode(!VtLocalEditing());
        return;
    }
    if (!VtLocalEditing()) {
        const int slot = VtKeySlotOf(index);
        if (!SendUserDefinedKey(UserDefinedEntryOfSlot(slot)))
            SendVtDefaultKeyString(slot);
        return;
    }
    HideCursorForUpdate();
    switch (index) {
    case 30:
        if (!Modal())
            EditCursorHome();
        return;
    case 31:
        if (!Modal())
            EditToggleInsertMode();
        return;
    case 32:
        if (!Modal()) {
            EditEraseUnprotected();
            RepaintScreen();
        }
        return;
    case 38:
        if (!Modal()) {
            EditClearField();
            RepaintCursorRow();
        }
        return;
    default: break;
    }
    const int slot = VtKeySlotOf(index);
    if (slot >= kVtKeySlots)
        return;
    if (SendUserDefinedKey(UserDefinedEntryOfSlot(slot)))
        return;
    switch (EditPfKeyMode()) {
    case 1: SendVtDefaultKeyString(slot); break;
    case 2:
        SendVtDefaultKeyString(slot);
        if (!Modal())
            TransmitEditBlock();
        break;
    case 3:
        if (!Modal())
            TransmitEditBlock();
        SendVtDefaultKeyString(slot);
        break;
    default: break;
    }
}

void KeyVtFunction(int index)
{
    if (AnsiEngine()) {
        Sender function = nullptr, editing = nullptr;
        if (!AnsiSenders(function, editing) || !SendAnsiFunction(index, function, editing, 0, 1))
            BbsSendEditingKey(index);
        return;
    }
    if (Aixterm()) {
        // The indexes AIXTerm has no string for keep their DEC meaning.
        if (SendAnsiFunction(index, AixtermSendFunctionKey, AixtermSendEditingKey, 0, 1))
            return;
    }
    SendVtKeySlot(index);
}

void KeyVtFunctionCtrl(int index)
{
    Sender function = nullptr, editing = nullptr;
    if (AnsiSenders(function, editing)) {
        SendAnsiFunction(index, function, editing, 2, -1);
        return;
    }
    if (AnsiEngine())
        BbsSendShiftEditingKey(index);
}

void KeyVtFunctionCtrlShift(int index)
{
    Sender function = nullptr, editing = nullptr;
    if (AnsiSenders(function, editing))
        SendAnsiFunction(index, function, editing, 3, -1);
}

void KeyVtFunctionAlt(int index)
{
    if (index == 3) {
        if (!Modal())
            PostExitCommand();
        return;
    }
    if (!Vt())
        return;
    switch (index) {
    case 5: SendCsiTilde(35); break;
    case 6: SendCsiTilde(36); break;
    case 20: Send({kCsi, '3', '5', ';', '2', '~'}); break;
    case 21: Send({kCsi, '3', '6', ';', '2', '~'}); break;
    default: break;
    }
}

void KeyVtPf(int code)
{
    if (Sco() || At386() || Aixterm()) {
        SendPfCodeAnsi(code, 0);
        return;
    }
    if (AnsiEngine()) {
        BbsSendCtrlFunctionKey(code);
        return;
    }
    if (VtLocalEditing() && !KeypadApplication() && !DisplayControls() && !Modal()) {
        HideCursorForUpdate();
        switch (code) {
        case 80: EditTabKey(); break;
        case 81: EditInsertLines(1); break;
        case 82: EditDeleteLines(1); break;
        case 83: EditDeleteChars(1); break;
        default: break;
        }
        return;
    }
    if (Vt()) {
        if (!DecOrKeypadMode()) {
            SendVtKeySlot(code + 32);
            return;
        }
        // The DEC top-row keys: Hold Screen and Print Screen.
        if (Modal())
            return;
        if (code == 80)
            ToggleHoldScreen();
        else if (code == 81)
            PostMainCommand(kCmdPrintScreenAsSet);
        return;
    }
}

namespace {
void KeyVtPfModified(int code, int state)
{
    if (Sco() || At386() || Aixterm()) {
        SendPfCodeAnsi(code, state);
        return;
    }
    if (AnsiEngine()) {
        if (state == 1)
            BbsSendShiftFunctionKey(code);
        else
            BbsSendCtrlFunctionKey(code);
        return;
    }
    if (state == 1)
        SendVtKeySlot(code);
}
}  // namespace

void KeyVtPfShift(int code)
{
    KeyVtPfModified(code, 1);
}

void KeyVtPfCtrl(int code)
{
    KeyVtPfModified(code, 2);
}

void KeyVtPfCtrlShift(int code)
{
    KeyVtPfModified(code, 3);
}

namespace {
// F1-F4 of a VT420-class terminal follow their key modes; other models use the DEC
// local functions.
int TopRowMode(int n)
{
    return IsVt420Class() ? Vt420FunctionKeyMode(n) : 1;
}
}  // namespace

void KeyVtHold()
{
    if (Modal())
        return;
    const int mode = TopRowMode(0);
    if (mode == 3)
        SendCsiTilde(11);
    else if (mode == 1)
        ToggleHoldScreen();
}

void KeyVtPrint()
{
    if (Modal())
        return;
    const int mode = TopRowMode(1);
    if (mode == 3)
        SendCsiTilde(12);
    else if (mode == 1)
        PostMainCommand(kCmdPrintScreenAsSet);
}

void KeyVtSetup()
{
    if (Modal())
        return;
    const int mode = TopRowMode(2);
    if (mode == 3)
        SendCsiTilde(13);
    else if (mode == 1)
        // Alt+S as Windows would report it: the main window opens its Settings menu.
        PostMainKeyMessage(kWmSysKeyDown, 'S', 1u | (0x1Fu << 16) | (1u << 29));
}

void SendFunctionKeySequence()
{
    if (!Modal() && IsVt420Class() && Vt420FunctionKeyMode(3) == 3)
        SendCsiTilde(14);
}

void KeyVtExitF4()
{
    if (Modal())
        return;
    if (!(IsVt420Class() && Vt420FunctionKeyMode(3) != 1))
        PostExitCommand();
    SendFunctionKeySequence();
}

void KeyVtPrintScreen(int)
{
    KeyVtPrint();
}

void KeyVtPause(int shift)
{
    if (shift == 2 || shift == 6)
        SendBreak();
    else
        KeyVtHold();
}

void KeyVtDoKey(int code)
{
    if (!Vt())
        return;
    if (code == kKeyDo1324)
        Send({kSs3, 'M'});
    else if (code == kKeyDo1325)
        SendCsiTilde(29);
}

void KeyVtCursor(int letter)
{
    if (AnsiEngine()) {
        SendCsiKey(letter);
        return;
    }
    if (SendUserDefinedKeyOf(letter))
        return;
    const u8 id = Id();
    if (id == kEmuVt52) {
        Send({kEsc, static_cast<u16>(letter)});
        return;
    }
    if (AnsiModeVt(id) || id == kEmuAixterm) {
        if (LocalEditKeysActive()) {
            HideCursorForUpdate();
            switch (letter) {
            case 'A': CursorUp(1); break;
            case 'B': CursorDown(1); break;
            case 'C': CursorForward(1); break;
            case 'D': CursorBackward(1); break;
            default: break;
            }
            return;
        }
        Send({CursorKeysApplication() ? kSs3 : kCsi, static_cast<u16>(letter)});
        return;
    }
}

void KeyVtCursorShift(int letter)
{
    SendUserDefinedKeyOf(letter);
}

void KeyVtCursorCtrl(int letter)
{
    if (!IsVtOrAnsiFamily(Id()) || Modal() || (IsVt420Class() && Vt420CursorPanMode() == 2))
        return;
    switch (letter) {
    case 'A': PanViewUp(1); break;
    case 'B': PanViewDown(1); break;
    case 'C': PanViewRight(1); break;
    case 'D': PanViewLeft(1); break;
    default: break;
    }
}

void KeyVtHome(int shift)
{
    if (shift == 0) {
        if (SendUserDefinedKeyOf(71))
            return;
        if (Vt52())
            Send({kEsc, 'H'});
        else if (Vt())
            Send({kCsi, 'H'});
    } else if (shift == 1) {
        SendUserDefinedKeyOf(5);
    }
}

void KeyVtDelete(int shift)
{
    if (shift == 0) {
        if (!SendUserDefinedKeyOf(104))
            Type(kDel);
    } else if (shift == 1) {
        SendUserDefinedKeyOf(21);
    }
}

void KeyVtBackspace()
{
    if (SendUserDefinedKeyOf(86))
        return;
    if (VtLocalEditing() && !DisplayControls())
        EditBackspaceKey();
    else
        BackspaceOrDelete(false);
}

void KeyVtBackspaceShift()
{
    if (SendUserDefinedKeyOf(2))
        return;
    if (VtLocalEditing() && !DisplayControls())
        EditBackspaceKey();
    else
        BackspaceOrDelete(true);
}

void KeyVtBackspaceAlt()
{
    if (VtLocalEditing() && !DisplayControls())
        EditBackspaceKey();
    else
        BackspaceOrDelete(false);
}

void KeyVtTab(int c)
{
    if (SendUserDefinedKeyOf(85))
        return;
    if (VtLocalEditing() && !Modal())
        EditTabKey();
    else
        Type(kHt);
}

void KeyVtBackTab(int c)
{
    if (Sco()) {
        ScoSendTabKey(1);
        return;
    }
    if (At386()) {
        At386SendTabKey(1);
        return;
    }
    if (Aixterm()) {
        AixtermSendTabKey(1);
        return;
    }
    if (SendUserDefinedKeyOf(1))
        return;
    if (VtLocalEditing())
        EditTabKey();
    else
        Type(kHt);
}

void KeyVtTabCtrlShift(int)
{
    if (Vt())
        Send({kCsi, 'Z'});
}

void KeyVtEscape(int c)
{
    if (PrintingInProgress()) {
        PostMainCommand(kCmdCancelPrint);
        return;
    }
    if (!SendUserDefinedKeyOf(80))
        Type(kEsc);
}

void KeyVtEscapeShift(int)
{
    if (!SendUserDefinedKeyOf(39))
        KeyVtFunction(12);
}

void KeyVtEscapeCtrl(int) {}

void KeyVtReturn(int c)
{
    if (SendUserDefinedKeyOf(88))
        return;
    if (VtMode.newLineMode)
        TypeString({kCr, kLf});
    else
        Type(kCr);
}

void KeyVtReturnCtrl(int)
{
    KeyVtKeypad(kCr);
}

void KeySendSs3M()
{
    Send({kSs3, 'M'});
}

void KeyShiftKeypadEnter()
{
    if (!SendUserDefinedKeyOf(16))
        Type(kCr);
}

void KeyVtKeypad(int c)
{
    if (IsVtOrAnsiFamily(Id())) {
        if (c == kCr && SendUserDefinedKeyOf(99))
            return;
        if (c == kCr && LocalEditKeysActive()) {
            if (EditCursorToColumn0OnEnter())
                MoveCursorAbsolute(Screen.cursorRow, 0);
            TransmitEditBlock();
            return;
        }
        if (c == '/' || c == '*') {
            Type(static_cast<u16>(c));
            return;
        }
        if (KeypadApplication()) {
            const int key = c == '+' ? '-' : c;
            const u16 final = static_cast<u16>(key + 0x40);
            if (Vt52())
                Send({kEsc, '?', final});
            else
                Send({kSs3, final});
            return;
        }
        if (c == kCr) {
            if (VtMode.newLineMode)
                TypeString({kCr, kLf});
            else
                Type(kCr);
        } else if (c == '.') {
            Type(KeypadDecimalChar);
        } else if (c == ',') {
            Type(KeypadSeparatorChar);
        } else {
            Type(static_cast<u16>(c));
        }
        return;
    }
}

void KeyVtKeypadShift(int c)
{
    if (c == kCr && SendUserDefinedKeyOf(4))
        return;
    if (!IsVtOrAnsiFamily(Id()) || NumLockState) {
        KeyVtKeypad(c);
        return;
    }
    // Shift with Num Lock off: the keypad is the editing pad.
    switch (c) {
    case '0': KeyVtFunction(30); break;
    case '7': KeyVtFunction(31); break;
    case '9': KeyVtFunction(32); break;
    case '.': KeyVtFunction(33); break;
    case '1': KeyVtFunction(34); break;
    case '3': KeyVtFunction(35); break;
    case '8': KeyVtCursor('A'); break;
    case '2': KeyVtCursor('B'); break;
    case '6': KeyVtCursor('C'); break;
    case '4': KeyVtCursor('D'); break;
    default: KeyVtKeypad(c); break;
    }
}

void KeyVtKeypadPf(int code, int shift, int fromHostKey)
{
    if (Vt() && !fromHostKey && !DecOrKeypadMode()) {
        // The PC keypad's top row types its characters until the DEC keys are asked for.
        if (code == 81)
            Type('/');
        else if (code == 82)
            Type('*');
        else if (code == 83)
            Type('-');
        return;
    }
    const u8 id = Id();
    if (id == kEmuVt52) {
        Send({kEsc, static_cast<u16>('P' + code - 80)});
        return;
    }
    if (!AnsiModeVt(id))
        return;
    if (shift == kAltBit && code >= 81 && code <= 83) {
        KeyVtKeypad(code == 81 ? '/' : code == 82 ? '*' : '-');
        return;
    }
    Send({kSs3, static_cast<u16>('P' + code - 80)});
}

void KeyVtNumLock(int shift)
{
    if (!Vt())
        return;
    if (shift >= 0 && shift <= 3)
        KeyVtKeypadPf(80, shift, 0);
    else if (shift == 4 || (shift == 5 && KeyboardType == kKeyboard122))
        SetDecKeyMode(!DecKeyModeOn());
}

int FilterReceivedByte(int byte)
{
    if (byte < 0)
        return byte;
    int b = byte & 0xFF;
    const u8 id = Id();
    const u8 characterSet = PaintSettings.characterMode;
    if (IsVtFamily(id) && characterSet != 3 && characterSet != 4 && !DisplayControls()) {
        if (SevenBitVt(id)) {
            // The older terminals are 7-bit.
            b &= 0x7F;
        } else if (b >= 0x80 && b <= 0x9F && !PrinterControllerOn()) {
            // An 8-bit control is read as its 7-bit form: ESC now, the rest next.
            PushHostByte(static_cast<u16>(b - 0x40));
            b = kEsc;
        }
    }
    if (b == 0 && Vt300Values.ignnulls)
        return -1;
    return b;
}
