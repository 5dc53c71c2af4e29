// The TVI keyboard: each key code with its shift state to what the terminal's key does.
// The editing keys send their loadable sequences, the function keys run the programmable
// keys, and a few keys with Alt or Ctrl send the SOH code CR sequences the terminal's
// function keys use.
#include "terminal/emulations/tvi/keys/tvikeys.h"

#include "terminal/comms/serial/linebreak.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/tvi/keys/editkeys.h"
#include "terminal/emulations/tvi/keys/fkeys.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/inputpump.h"

namespace {

constexpr u16 kSoh = 0x01, kBs = 0x08, kLf = 0x0A, kCr = 0x0D, kEsc = 0x1B, kDel = 0x7F;
constexpr u32 kWmSysKeyDown = 0x0104;

enum class Do : u8 {
    None,
    Edit,         // editing entry n
    Function,     // programmable key n
    Code,         // SOH n CR
    Type,         // n typed
    TypeDecimal,  // the keypad's decimal character typed
    EscapeKey,    // ESC typed while the host lets the Esc key send it
    InsertLine,
    DeleteLine,
    Hold,
    Break,
    BreakKey,  // a break while the host lets this key send one
    Compose,
    Command,  // main-window command n
    Setup,
    Exit,
};

struct Act {
    Do what = Do::None;
    u16 n = 0;
};

constexpr Act E(int n)
{
    return {Do::Edit, static_cast<u16>(n)};
}
constexpr Act F(int n)
{
    return {Do::Function, static_cast<u16>(n)};
}
constexpr Act C(int c)
{
    return {Do::Code, static_cast<u16>(c)};
}
constexpr Act T(int c)
{
    return {Do::Type, static_cast<u16>(c)};
}
constexpr Act X{};
constexpr Act kHold{Do::Hold};
constexpr Act kCompose{Do::Compose};
constexpr Act kExit{Do::Exit};

// A key's actions by shift state: none, Shift, Ctrl, Ctrl+Shift, Alt; `any` acts the same
// for every shift state.
struct KeyRow {
    u8 code;
    Act act[5];
    bool any = false;
};

// clang-format off
constexpr KeyRow kKeyMap[] = {
    {67,  {X,     X,     X,     X,     kCompose}},
    {68,  {F(0),  F(16), F(10), F(26), X}},  // F1
    {69,  {F(1),  F(17), F(11), F(27), X}},
    {70,  {F(2),  F(18), F(12), F(28), X}},
    {71,  {F(3),  F(19), F(13), F(29), kExit}},  // F4: Alt+F4 ends the program as anywhere else
    {72,  {F(4),  F(20), F(14), F(30), X}},
    {73,  {F(5),  F(21), F(15), F(31), X}},
    {74,  {F(6),  F(22), X,     X,     X}},  // F7
    {75,  {F(7),  F(23), X,     X,     X}},
    {76,  {F(8),  F(24), X,     X,     X}},
    {77,  {F(9),  F(25), X,     X,     X}},
    {78,  {F(10), F(26), X,     X,     X}},
    {79,  {F(11), F(27), X,     X,     X}},  // F12
    {80,  {E(8),  E(28), E(8),  E(28), E(8)}},  // Print Screen
    {81,  {kHold, X,     X,     X,     kHold}},
    {82,  {{Do::BreakKey}, X, X, X, {Do::BreakKey}}},
    {83,  {E(9),  E(11), X,     E(31), X}},  // Insert
    {84,  {E(0),  E(20), E(0),  E(20), E(0)}},  // Home
    {85,  {E(35), E(36), X,     X,     X}},  // Page Up
    {86,  {E(10), E(12), E(30), E(32), X}},  // Delete
    {87,  {E(13), E(14), X,     E(34), X}},  // End
    {88,  {E(15), E(35), X,     X,     X}},  // Page Down
    {89,  {E(2),  X,     {Do::InsertLine}, X, X}},  // Up
    {90,  {E(3),  X,     X,     X,     X}},  // Left
    {91,  {E(1),  X,     {Do::DeleteLine}, X, X}},  // Down
    {92,  {E(4),  E(16), X,     X,     X}},  // Right
    {94,  {T('/'), X,    X,     X,     X}},
    {95,  {T('*'), X,    X,     X,     X}},
    {96,  {T('-'), X,    X,     X,     X}},
    {97,  {T('0'), X,    C('0'), C(')'), C('0')}},  // keypad 0
    {98,  {T('1'), X,    C('1'), C('!'), C('1')}},
    {99,  {T('2'), X,    C('2'), C('@'), C('2')}},
    {100, {T('3'), X,    C('3'), C('#'), C('3')}},
    {101, {T('4'), X,    C('4'), C('$'), C('4')}},
    {102, {T('5'), X,    C('5'), C('%'), C('5')}},
    {103, {T('6'), X,    C('6'), C('^'), C('6')}},
    {104, {T('7'), X,    C('7'), C('&'), C('7')}},
    {105, {T('8'), X,    C('8'), C('*'), C('8')}},
    {106, {T('9'), X,    C('9'), C('('), C('9')}},  // keypad 9
    {107, {T('+'), T('+'), X,   X,     C(',')}},
    {108, {T('+'), T('+'), X,   X,     C('-')}},
    {109, {{Do::TypeDecimal}, {Do::TypeDecimal}, X, X, C('.')}},
    {110, {T('+'), T('+'), X,   X,     C('+')}},
    {111, {E(19), E(39), E(21), X,     X}},  // keypad separator
    {112, {T(kBs), T(kBs), T(kDel), X, X}},  // Backspace
    {113, {{Do::EscapeKey}, X, X, X,   X}},  // Esc
    {114, {T(kCr), T(kCr), T(kLf), X,  X}},  // Return
    {115, {E(5),  E(6),  E(25), E(26), X}},  // Tab
    {116, {{Do::Command, static_cast<u16>(kCmdCopy)}}, true},
    {117, {{Do::Command, static_cast<u16>(kCmdPaste)}}, true},
    {127, {kCompose}, true},
    {128, {E(8),  E(28), E(8),  E(28), E(8)}},
    {129, {{Do::Setup}}, true},
    {130, {X,     X,     X,     X,     kExit}},
    {135, {kHold}, true},
    {136, {{Do::Break}}, true},
};
// clang-format on

const KeyRow* RowOf(int code)
{
    for (const KeyRow& row : kKeyMap)
        if (row.code == code)
            return &row;
    return nullptr;
}

void Type(u16 c)
{
    PushKeyboardInput(c);
}

// Host input is a stack: the units go on in reverse so they come off in order.
void PushAsReceived(const u16* units, int n)
{
    for (int i = n - 1; i >= 0; --i)
        PushHostByte(units[i]);
}

void Run(const Act& act)
{
    switch (act.what) {
    case Do::None: break;
    case Do::Edit: TviSendEditKey(act.n); break;
    case Do::Function: TviRunFunctionKey(act.n); break;
    case Do::Code: TviSendFunctionKey(act.n); break;
    case Do::Type: Type(act.n); break;
    case Do::TypeDecimal: Type(KeypadDecimalChar.load()); break;
    case Do::EscapeKey:
        if (Tvi.escKeySends)
            Type(kEsc);
        break;
    case Do::InsertLine:
    case Do::DeleteLine: {
        // The terminal's own insert and delete line, carried out at once on the screen.
        const u16 sequence[2] = {kEsc, act.what == Do::InsertLine ? u16{'E'} : u16{'R'}};
        PushAsReceived(sequence, 2);
        break;
    }
    case Do::Hold:
        OutputHeld = OutputHeld ? 0 : 1;
        RefreshHoldLockIndicator();
        break;
    case Do::BreakKey:
        if (Tvi.breakKey)
            SendBreak();
        break;
    case Do::Break: SendBreak(); break;
    case Do::Compose: ComposeKey(0); break;
    case Do::Command: PostMainCommand(act.n); break;
    case Do::Setup:
        // Alt+S as Windows reports it: the main window opens its Settings menu.
        PostMainKeyMessage(kWmSysKeyDown, 'S', 1u | (0x1Fu << 16) | (1u << 29));
        break;
    case Do::Exit: PostExitCommand(); break;
    }
}

}  // namespace

void TviKeyHandler(int keyCode, int shift)
{
    const KeyRow* row = RowOf(keyCode);
    if (!row)
        return;
    if (row->any) {
        Run(row->act[0]);
        return;
    }
    if (shift >= 0 && shift <= 4)
        Run(row->act[shift]);
}

void TviRunFunctionKey(int key)
{
    int length = 0;
    const u16* text = TviFunctionKeyText(key, kTviLiveKeys, &length);
    if (!text || length <= 0)
        return;
    const u8 flags = TviFunctionKeyFlags(key, kTviLiveKeys);
    if ((flags & kTviKeySends) && !LocalMode) {
        for (int i = 0; i < length; ++i)
            HostSendBlock(text + i, 1);
    }
    if (flags & kTviKeyShows) {
        // Through the reader as received data, so a sequence in the text is read whole.
        u8 bytes[kTviFunctionKeyUnits];
        for (int i = 0; i < length; ++i)
            bytes[i] = static_cast<u8>(text[i]);
        InjectHostText(bytes, length);
    }
}

void TviSendEditKey(int entry)
{
    const TviEditKeyTable* table = TviEditKeysOf(kTviLiveKeys);
    if (entry < 0 || entry >= kTviEditKeys)
        return;
    u16 units[kTviEditUnits];
    int n = 0;
    for (u16 unit : table->units[entry])
        if (unit)
            units[n++] = unit;
    // The host may make the Down key send LF (CSI = 9 h) whatever its entry holds.
    if (entry == 1 && Tvi.editKey1Lf) {
        units[0] = kLf;
        n = 1;
    }
    if (n == 0)
        return;
    if (Tvi.set.localEditKeys)
        PushAsReceived(units, n);
    else
        PushKeyboardString(units, n);
}

void TviSendFunctionKey(u16 character)
{
    const u16 sequence[3] = {kSoh, character, kCr};
    HostSendString(sequence, 3);
}
