// The DG keyboard: the program's key codes into what a DG 410/412 keyboard sends, in
// native mode control codes and RS sequences, in ANSI mode CSI sequences.
#include "terminal/emulations/dg/dgkeys.h"

#include "terminal/comms/serial/linebreak.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/display.h"
#include "terminal/emulations/dg/dgio.h"
#include "terminal/emulations/dg/dgprint.h"
#include "terminal/emulations/dg/dgscreen.h"
#include "terminal/emulations/dg/dgstate.h"
#include "terminal/input/macros/inputpump.h"

namespace {

constexpr u8 kRs = 0x1E, kCsi = 0x9B, kEsc = 0x1B;
constexpr u32 kWmSysKeyDown = 0x0104;
constexpr int kShift = 1, kAlt = 4;  // shift-state bits (2 is Ctrl)

// clang-format off
// The byte after RS of the function keys (F1-F15, then Shift+F1-F15) and of the
// editing keys (index 30-35, then Shift 36-41); 0 sends nothing.
constexpr char kPlain[42] = {
    'q', 'r', 's', 't', 'u', 'v', 'w', 'x', 'y', 'z', '{', '|', '}', '~', 'p',
    'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l', 'm', 'n', '`',
    '\\', 0, ']', '^', 0x11, '_',
    'X', 0x08, 'Y', 'Z', 0x01, '[',
};
constexpr char kCtrlTable[15] = {'1', '2', '3', '4', '5', '6', '7', '8', '9', ':', ';', '<', '=', '>', '0'};
constexpr char kCtrlShiftTable[15] = {'!', '"', '#', '$', '%', '&', '\'', '(', ')', '*', '+', ',', '-', '.', ' '};
// The editing keys' numbers in the ANSI CSI n n n z sequences (0 CSI H or CSI i instead).
constexpr int kEditNumber[6] = {20, 0, 21, 22, 0, 23};
// clang-format on

bool Ansi()
{
    return Dg.mode == kDgModeAnsi;
}

void SendRs(char b)
{
    const u8 seq[2] = {kRs, static_cast<u8>(b)};
    DgSend(seq, 2);
}

// CSI, the text, then the final.
void SendCsi(const char* text)
{
    u8 seq[12];
    int n = 0;
    seq[n++] = kCsi;
    for (; *text && n < 12; ++text)
        seq[n++] = static_cast<u8>(*text);
    DgSend(seq, n);
}

// CSI d n n z: the shift digit and a two-digit number.
void SendCsiZ(int shiftDigit, int number)
{
    const char text[5] = {static_cast<char>('0' + shiftDigit), static_cast<char>('0' + number / 10 % 10),
                          static_cast<char>('0' + number % 10), 'z', 0};
    SendCsi(text);
}

void FunctionKey(int n, int state)
{
    // F15 is number 0 in the ANSI sequences, F1-F14 are 1-14.
    const int number = n == 14 ? 0 : n + 1;
    if (Ansi()) {
        SendCsiZ(state, number);
        return;
    }
    switch (state) {
    case 0: SendRs(kPlain[n]); break;
    case 1: SendRs(kPlain[n + 15]); break;
    case 2: SendRs(kCtrlTable[n]); break;
    default: SendRs(kCtrlShiftTable[n]); break;
    }
}

void EditingKey(int k, int shift)
{
    const int state = shift & 3;
    if (shift & kAlt) {
        if (k == 0) {
            if (Ansi())
                SendCsi("0J");
            else
                DgPushKey(0x0C);
        } else if (k == 2) {
            if (Ansi())
                SendCsi("K");
            else
                DgPushKey(0x0B);
        }
        return;
    }
    if (!Ansi()) {
        if (state == 0 && k == 1)
            DgPushKey(0x08);
        else if (state == 0)
            SendRs(kPlain[30 + k]);
        else if (state == kShift)
            SendRs(kPlain[36 + k]);
        return;
    }
    if (k == 1) {
        if (state == 0)
            SendCsi("H");
        return;
    }
    if (k == 4) {
        if (state <= kShift)
            SendCsi("i");
        return;
    }
    SendCsiZ(state, kEditNumber[k]);
}

void ArrowKey(int code, int shift)
{
    // Up, Left, Down, Right.
    static constexpr u8 kNative[4] = {0x17, 0x19, 0x1A, 0x18};
    static constexpr const char* kAnsi[4] = {"A", "D", "B", "C"};
    const int i = code - 89;
    if (shift == 0) {
        if (Ansi())
            SendCsi(kAnsi[i]);
        else
            DgPushKey(kNative[i]);
        return;
    }
    if (shift != kShift)
        return;
    if (!Ansi()) {
        SendRs(static_cast<char>(kNative[i]));
        return;
    }
    // Shifted in ANSI mode the arrows act on the screen here and send nothing.
    HideCursorForUpdate();
    switch (code) {
    case 89: DgScrollUp(1); break;
    case 91: DgScrollDown(1); break;
    case 92: DgPanView(-1); break;
    default: DgPanView(1); break;
    }
}

void HoldScreen()
{
    OutputHeld = OutputHeld ? 0 : 1;
    RefreshHoldLockIndicator();
}

void PrintKey()
{
    if (!ModalOpen)
        PostMainCommand(kCmdPrintScreenAsSet);
}

void SetupKey()
{
    // Alt+S as Windows would report it: the main window opens its Settings menu.
    PostMainKeyMessage(kWmSysKeyDown, 'S', 1u | (0x1Fu << 16) | (1u << 29));
}

// Pushes one of two bytes by the shift state: none, Shift, Alt.
void Keypad(int shift, u8 none, u8 shifted, u8 alt)
{
    if (shift == 0)
        DgPushKey(none);
    else if (shift == kShift)
        DgPushKey(shifted);
    else if (shift == kAlt)
        DgPushKey(alt);
}

}  // namespace

void DgKeyHandler(int code, int shift)
{
    if (Dg.mode == kDgModeOff)
        return;
    if (code >= 68 && code <= 79) {
        int n = code - 68;
        if (shift & kAlt) {
            if (n == 3) {
                PostExitCommand();
                return;
            }
            if (n > 2)
                return;
            n += 12;  // Alt+F1-F3 are F13-F15 in the shift state held
        }
        FunctionKey(n, shift & 3);
        return;
    }
    if (code >= 83 && code <= 88) {
        EditingKey(code - 83, shift);
        return;
    }
    if (code >= 89 && code <= 92) {
        ArrowKey(code, shift);
        return;
    }
    if (code >= 97 && code <= 106) {
        if (shift == 0 || shift == kShift)
            DgPushKey(static_cast<u8>('0' + code - 97));
        return;
    }
    switch (code) {
    case 67:
        if (shift == kAlt)
            ComposeKey(0);
        break;
    case 81:
        HideCursorForUpdate();
        if (shift == 0)
            Dg.storedEffect = static_cast<u8>((Dg.storedEffect + 1) % 3);
        else if (shift == kShift)
            Dg.cursorType = static_cast<u8>((Dg.cursorType + 3) % 4);
        break;
    case 82:
        HideCursorForUpdate();
        if (shift == 0)
            HoldScreen();
        else if (shift == kShift)
            DgSetWindowWidth(Dg.window.compressed == 0);
        break;
    case 107:
    case 110: Keypad(shift, ',', '-', '-'); break;
    case 108: Keypad(shift, '-', ',', ','); break;
    case 109:
        if (shift == 0 || shift == kShift)
            DgPushKey('.');
        break;
    case 111:
        if (shift == 0)
            DgPushKey(0x0A);
        break;
    case 112:
        if (shift == 0)
            DgPushKey(0x7F);
        break;
    case 113:
        if (shift == 0)
            DgPushKey(kEsc);
        break;
    case 114:
        if (shift == 0)
            DgPushKey(0x0D);
        break;
    case 115:
        if (shift == 0)
            DgPushKey(0x09);
        break;
    case 116: PostMainCommand(kCmdCopy); break;
    case 117: PostMainCommand(kCmdPaste); break;
    case 127: ComposeKey(0); break;
    case 128: PrintKey(); break;
    case 129: SetupKey(); break;
    case 130:
        if (shift == kAlt)
            PostExitCommand();
        break;
    case 132:
        if (shift == 0)
            DgPushKey('/');
        break;
    case 133:
        if (shift == 0)
            DgPushKey('*');
        break;
    case 134:
        if (shift == 0)
            DgPushKey('-');
        break;
    case 135: HoldScreen(); break;
    case 136: SendBreak(); break;
    case 1040:
        if (shift == 0) {
            HideCursorForUpdate();
            DgPrintKey();
        }
        break;
    default: break;
    }
}
