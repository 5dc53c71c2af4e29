#include "terminal/emulations/ibm3151/keys/keys.h"

#include <initializer_list>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/ibm3151/host/hostpath.h"
#include "terminal/emulations/ibm3151/screen/indicators.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/emulations/ibm3151/host/partition.h"
#include "terminal/emulations/ibm3151/keys/pfkeys.h"
#include "terminal/emulations/ibm3151/output/print3151.h"
#include "terminal/emulations/ibm3151/output/send.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/keyevents.h"

namespace {

constexpr u16 kDel = 0x7F;

bool Modal()
{
    return ModalOpen != 0;
}

bool Is122()
{
    return KeyboardType == kKeyboard122;
}

void Send(std::initializer_list<u16> units)
{
    I3151SendKeyUnits(units.begin(), static_cast<int>(units.size()));
}

// The sequence and then the turnaround character.
void SendWithTurnaround(std::initializer_list<u16> units)
{
    u16 buffer[8];
    int n = 0;
    for (u16 unit : units)
        buffer[n++] = unit;
    buffer[n++] = I3151Turnaround();
    I3151SendKeyUnits(buffer, n);
}

// Insert mode ends before a key that sends.
void InsertOff()
{
    if (Modal() || !I3151.insertMode)
        return;
    I3151.insertMode = false;
    I3151UpdateIndicators(true);
}

// A send key: run the send locally in block mode (unless set-control byte 5 says the
// keys send to the host), else its sequence to the host.
void SendKey(I3151Send operation, std::initializer_list<u16> sequence)
{
    InsertOff();
    if (I3151IsBlockMode() && !(I3151.setup[5] & 0x01) && !Modal()) {
        I3151SendOperation(operation);
        return;
    }
    u16 units[8];
    int n = 0;
    for (u16 unit : sequence)
        units[n++] = unit;
    units[n++] = I3151Turnaround();
    if (!LocalMode && !Modal())
        HostSendBlock(units, n);
    else
        I3151SendKeyUnits(units, n);
}

int PfIndex(int code, int base)
{
    if (code >= 80 && code <= 83)
        return base + code - 80;
    if (code == 42)
        return base + 4;
    return base + code + 5;
}

void StepDisplayPage()
{
    I3151.displayPage = (I3151.displayPage + 1) % I3151.pageCount;
    I3151UpdateIndicators(true);
}

}  // namespace

void I3151SendKeyUnits(const u16* units, int count)
{
    if (!units || count < 1)
        return;
    const u8 literal = KeyStringSendType.load();
    if (!LocalMode && !Modal() && literal != 1 && literal != 2 && I3151OperatingMode() == kI51Echo) {
        HostSendBlock(units, count);
        return;
    }
    PushKeyboardString(units, count);
}

bool I3151CheckKeysLocked()
{
    if (I3151.sending == I3151Send::None && !I3151.keysLocked)
        return false;
    RequestBell();
    return true;
}

bool I3151TakeTypedChar(int c)
{
    if (!I3151.insertMode || c < 0 || c > 0xFF)
        return false;
    Send({kI51Esc, 'P', static_cast<u16>(c)});
    return true;
}

void I3151KeyPf(int index)
{
    if (index < 0 || index >= kI3151PfKeys)
        return;
    if (I3151PfKeyDefined(index)) {
        I3151SendPfKey(index);
        return;
    }
    InsertOff();
    const u16 letter = static_cast<u16>('a' + index % 12);
    switch (index / 12) {
    case 0: SendWithTurnaround({kI51Esc, letter}); break;
    case 1: SendWithTurnaround({kI51Esc, '!', letter}); break;
    default: SendWithTurnaround({kI51Esc, '"', letter}); break;
    }
}

void I3151KeyPf1To12(int code)
{
    I3151KeyPf(PfIndex(code, 0));
}

void I3151KeyPf13To24(int code)
{
    if (code >= 80 && code <= 83)
        I3151KeyPf(12 + code - 80);
    else if (code == 43)
        I3151KeyPf(16);
    else
        I3151KeyPf(code + 2);
}

void I3151KeyPf25To36(int code)
{
    I3151KeyPf(PfIndex(code, 24));
}

void I3151KeyCtrlFunction(int code)
{
    switch (PfIndex(code, 0)) {
    case 0: I3151KeyPrintAll(); break;
    case 1: I3151KeySendMessage(); break;
    case 2: I3151KeySendLine(); break;
    case 4:
        if (!Modal())
            I3151NextStatusRowMode();
        break;
    default: break;
    }
}

void I3151KeyAltFunction(int function)
{
    if (function == 0) {
        if (I3151.altKeyReply) {
            SendWithTurnaround({kI51Esc, '!', 'z'});
        } else if (!Modal()) {
            I3151.insertMode = false;
            I3151SetStatusRowMode(0);
            I3151UpdateIndicators(true);
        }
    } else if (function == 1) {
        Send({kI51Esc, 'S'});
    }
}

void I3151KeyEditPad(int code)
{
    if (Is122()) {
        switch (code) {
        case 30: I3151KeyBackTab(); break;
        case 31: Send({kI51Esc, 'I'}); break;
        case 32: I3151KeyJump(); break;
        case 33: I3151KeyLineFeed(); break;
        case 34: I3151KeyInsert(); break;
        case 35: Send({kI51Esc, 'Q'}); break;
        default: break;
        }
        return;
    }
    switch (code) {
    case 30: I3151KeyInsert(); break;
    case 31: I3151KeyHome(); break;
    case 32: I3151KeyClear(); break;
    case 33: Send({kI51Esc, 'Q'}); break;
    case 34: I3151KeyBackTab(); break;
    case 35: Send({kI51Esc, 'I'}); break;
    default: break;
    }
}

void I3151KeyEditPadCtrl(int code)
{
    if (Is122()) {
        switch (code) {
        case 30: SendWithTurnaround({kI51Esc, '!', 'm'}); break;
        case 31: SendWithTurnaround({kI51Esc, '!', 'n'}); break;
        case 32: SendWithTurnaround({kI51Esc, '!', 'o'}); break;
        case 33: Send({kI51Esc, 'J'}); break;
        case 34: Send({kI51Esc, 'N'}); break;
        case 35: Send({kI51Esc, 'O'}); break;
        default: break;
        }
        return;
    }
    switch (code) {
    case 30: Send({kI51Esc, 'N'}); break;
    case 31: Send({kDel}); break;
    case 32: Send({kI51Esc, 'K'}); break;
    case 33: Send({kI51Esc, 'O'}); break;
    case 35: Send({kI51Esc, 'J'}); break;
    default: break;
    }
}

void I3151KeyKeypadChar(int c)
{
    switch (c) {
    case kI51Cr: I3151KeyEnter(); break;
    case '*': I3151KeySendLine(); break;
    case '+':
    case '-': Send({'-'}); break;
    case '.': Send({static_cast<u16>(KeypadDecimalChar.load())}); break;
    case ',': Send({static_cast<u16>(KeypadSeparatorChar.load())}); break;
    default:
        if (c == '/' || (c >= '0' && c <= '9'))
            Send({static_cast<u16>(c)});
        break;
    }
}

void I3151KeyKeypadFunction(int c)
{
    switch (c) {
    case kI51Cr:
        if (I3151.setup[5] & 0x08)
            I3151KeySendLine();
        else
            I3151KeySend();
        break;
    case '*': I3151KeySendMessage(); break;
    case '-': PostMainCommand(kCmdIbm3151); break;
    case '/': I3151KeyJump(); break;
    case '1':
    case '2':
    case '3':
        if (!Is122())
            SendWithTurnaround({kI51Esc, '!', static_cast<u16>('m' + c - '1')});
        break;
    case '9':
        if (!Modal())
            I3151NextStatusRowMode();
        break;
    default: break;
    }
}

void I3151KeyCursor(int letter)
{
    Send({kI51Esc, static_cast<u16>(letter)});
}

void I3151KeyEscape()
{
    Send({kI51Esc});
}

void I3151KeyPrint()
{
    if (I3151.printKeysToHost) {
        InsertOff();
        SendWithTurnaround({kI51Esc, 'W'});
    } else if (!Modal()) {
        I3151PrintPage(I3151GetPage(I3151.displayPage));
    }
}

void I3151KeyPrintLine()
{
    if (I3151.printKeysToHost) {
        InsertOff();
        SendWithTurnaround({kI51Esc, 'U'});
    } else if (!Modal()) {
        I3151PageRecord* page = I3151GetPage(I3151.displayPage);
        I3151PrintLine(page, page->cursorRow);
    }
}

void I3151KeyPrintAll()
{
    if (I3151.printKeysToHost) {
        InsertOff();
        SendWithTurnaround({kI51Esc, ' ', 'W'});
    } else if (!Modal()) {
        I3151PrintAll();
    }
}

void I3151KeyHoldScreen()
{
    if (Modal())
        return;
    OutputHeld = OutputHeld ? 0 : 1;
    RefreshHoldLockIndicator();
    I3151UpdateIndicators(true);
}

void I3151KeyBackspace()
{
    Send({kI51Bs});
}

void I3151KeyTab()
{
    Send({kI51Ht});
}

void I3151KeyReturn()
{
    if (I3151.setup[4] & 0x01)
        Send({kI51Cr, kI51Lf});
    else
        Send({kI51Cr});
}

void I3151KeyLineFeed()
{
    if (I3151.setup[3] & 0x01)
        Send({kI51Lf, kI51Cr});
    else
        Send({kI51Lf});
}

void I3151KeyHome()
{
    Send({kI51Esc, 'H'});
}

void I3151KeyBackTab()
{
    Send({kI51Esc, '2'});
}

void I3151KeyClear()
{
    InsertOff();
    const u16 units[3] = {kI51Esc, 'L', I3151Turnaround()};
    if (I3151IsBlockMode() && !LocalMode && !Modal())
        HostSendBlock(units, 3);
    I3151SendKeyUnits(units, 3);
}

void I3151KeyInsert()
{
    if (!(I3151.setup[4] & 0x04) && !Modal()) {
        I3151.insertMode = !I3151.insertMode;
        I3151UpdateIndicators(true);
        return;
    }
    Send({kI51Esc, 'P', ' ', kI51Bs});
}

void I3151KeySendMessage()
{
    SendKey(I3151Send::Message, {kI51Esc, ' ', '8'});
}

void I3151KeySendLine()
{
    SendKey(I3151Send::Line, {kI51Esc, '!', '8'});
}

void I3151KeySend()
{
    SendKey(I3151Send::Page, {kI51Esc, '8'});
}

void I3151KeyEnter()
{
    if (I3151.setup[1] & 0x08)
        I3151KeyReturn();
    else if (I3151.setup[5] & 0x08)
        I3151KeySendLine();
    else
        I3151KeySend();
}

void I3151KeyJump()
{
    if (I3151.pageCount > 1 && !Modal()) {
        if (I3151IsBlockMode()) {
            StepDisplayPage();
            return;
        }
        if (I3151OperatingMode() == kI51Character)
            StepDisplayPage();
    }
    Send({kI51Esc, '"', 'A'});
}
