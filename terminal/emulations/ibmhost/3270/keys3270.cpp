#include "terminal/emulations/ibmhost/3270/keys3270.h"

#include <chrono>
#include <thread>

#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/emulations/ibmhost/3270/direction3270.h"
#include "terminal/emulations/ibmhost/3270/fieldedit3270.h"
#include "terminal/emulations/ibmhost/3270/services3270.h"
#include "terminal/input/keyboard/keydispatch.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/keyevents.h"

namespace {
// clang-format off
enum Op : u8 {
    kNo, kAid, kPf, kCtrlFn, kEnter, kClear, kSysReq, kAttn, kReset, kTab, kBackTab, kFieldTab,
    kHome, kNewLine, kUp, kDown, kLeft, kRight, kPrevWord, kNextWord, kEndField, kEraseEof,
    kEraseInput, kDelete, kDeleteWord, kType, kInsert, kDup, kFieldMark, kCursorSelect,
    kScrollLock, kPrintScreen, kCopy, kPaste, kCompose, kDelay, kSetup, kExit, kWindow,
    kRevInput, kRevCursorLine, kRevScreen, kLocalMap, kMagStripe, kNumLock, kPadPlusMinus, kPadAlt,
};
// clang-format on

struct Action {
    Op op;
    u16 arg;  // AID, first AID of a run, character, function number
};

// One row: a run of key codes and the action by shift state (none, Shift, Ctrl,
// Ctrl+Shift, Alt).
struct KeyRow {
    u16 first, last;
    Action plain, shift, ctrl, ctrlShift, alt;
};

constexpr Action N{kNo, 0};
// clang-format off
constexpr Action Aid(u8 aid) { return {kAid, aid}; }
constexpr Action Pf(u8 first) { return {kPf, first}; }
constexpr Action Type(u16 c) { return {kType, c}; }
constexpr Action Do(Op op) { return {op, 0}; }
// clang-format on

// Keys that act whatever the keyboard lock.
constexpr KeyRow kAlways[] = {
    {67, 67, N, N, N, N, Do(kCompose)},
    {116, 116, Do(kCopy), Do(kCopy), Do(kCopy), Do(kCopy), Do(kCopy)},
    {117, 117, Do(kPaste), Do(kPaste), Do(kPaste), Do(kPaste), Do(kPaste)},
    {127, 127, Do(kCompose), Do(kCompose), Do(kCompose), Do(kCompose), Do(kCompose)},
    {293, 295, Do(kWindow), Do(kWindow), Do(kWindow), Do(kWindow), Do(kWindow)},
    {80, 80, Do(kPrintScreen), N, Do(kPrintScreen), N, N},
    {88, 88, N, N, N, N, N},  // Alt: the ruler
    {113, 113, Do(kReset), Do(kAttn), Do(kReset), Do(kAttn), N},
    {128, 128, Do(kPrintScreen), N, Do(kPrintScreen), N, N},
    {129, 129, Do(kSetup), Do(kSetup), Do(kSetup), Do(kSetup), Do(kSetup)},
    {146, 146, Do(kSetup), Do(kSetup), Do(kSetup), Do(kSetup), Do(kSetup)},
    {130, 130, N, N, N, N, Do(kExit)},
    {138, 138, Do(kAttn), Do(kAttn), Do(kAttn), Do(kAttn), N},
    {144, 144, N, N, N, N, Do(kSetup)},
    {148, 148, Do(kReset), Do(kReset), Do(kReset), Do(kReset), N},
};

// The rest, on a PC keyboard.
constexpr KeyRow kKeys[] = {
    {68, 76, Pf(0xF1), Pf(0xC1), Do(kCtrlFn), Do(kCtrlFn), Do(kCtrlFn)},
    {77, 79, Pf(0x7A), Pf(0x4A), Do(kCtrlFn), Do(kCtrlFn), Do(kCtrlFn)},
    {151, 159, Pf(0xC1), Pf(0xC1), Do(kCtrlFn), Do(kCtrlFn), Do(kCtrlFn)},
    {160, 162, Pf(0x4A), Pf(0x4A), Do(kCtrlFn), Do(kCtrlFn), Do(kCtrlFn)},
    {81, 81, Do(kScrollLock), N, N, N, N},
    {83, 83, Do(kInsert), Do(kDup), Do(kInsert), Do(kDup), N},
    {84, 84, Do(kHome), Do(kFieldMark), Do(kHome), Do(kFieldMark), N},
    {85, 85, Aid(0x6C), Aid(0x6B), N, N, N},
    {86, 86, Do(kDelete), Do(kDelete), Do(kDelete), Do(kDelete), Do(kDeleteWord)},
    {87, 87, Do(kEraseEof), Do(kEndField), Do(kEraseEof), Do(kEraseEof), Do(kEraseInput)},
    {88, 88, Aid(0x6E), Aid(0x6E), Aid(0x6E), Aid(0x6E), N},
    {89, 89, Do(kUp), Do(kUp), Do(kUp), Do(kUp), N},
    {90, 90, Do(kLeft), Do(kLeft), Do(kLeft), Do(kLeft), Do(kPrevWord)},
    {91, 91, Do(kDown), Do(kDown), Do(kDown), Do(kDown), N},
    {92, 92, Do(kRight), Do(kRight), Do(kRight), Do(kRight), Do(kNextWord)},
    {93, 93, Do(kNumLock), Do(kNumLock), Do(kNumLock), Do(kNumLock), Do(kNumLock)},
    {94, 94, Type('/'), Do(kRevInput), Type('/'), Type('/'), Type('/')},
    {95, 95, Type('*'), Do(kRevCursorLine), Type('*'), Type('*'), Type('*')},
    {96, 96, Type('-'), Do(kLocalMap), Type('-'), Type('-'), N},
    {97, 106, Do(kType), Do(kType), Do(kType), Do(kType), Do(kPadAlt)},
    {107, 107, Do(kPadPlusMinus), Do(kPadPlusMinus), Do(kPadPlusMinus), Do(kPadPlusMinus), Do(kPadPlusMinus)},
    {108, 108, Type('-'), Type('-'), Type('-'), Type('-'), N},
    {109, 109, Type(0xFFFE), Type(0xFFFE), Type(0xFFFE), Type(0xFFFE), Type(0x7F)},
    {110, 110, Do(kPadPlusMinus), Do(kPadPlusMinus), Do(kPadPlusMinus), Do(kPadPlusMinus), Do(kPadPlusMinus)},
    {111, 111, Do(kEnter), Do(kEnter), Do(kEnter), Do(kEnter), N},
    {166, 166, Do(kEnter), Do(kEnter), Do(kEnter), Do(kEnter), N},
    {112, 112, Type(8), Do(kRevScreen), Type(8), Type(8), N},
    {114, 114, Type(13), Type(13), Type(13), Type(13), N},
    {115, 115, Type(9), Do(kBackTab), Do(kFieldTab), Do(kFieldTab), N},
    {128, 128, Do(kSysReq), Do(kSysReq), Do(kSysReq), Do(kSysReq), N},
    {138, 138, Do(kSysReq), Do(kSysReq), Do(kSysReq), Do(kSysReq), N},
    {139, 139, Do(kClear), Do(kClear), Do(kClear), Do(kClear), Do(kClear)},
    {140, 140, Do(kCursorSelect), Do(kCursorSelect), Do(kCursorSelect), Do(kCursorSelect), Do(kCursorSelect)},
    {141, 141, Do(kEraseInput), Do(kEraseInput), Do(kEraseInput), Do(kEraseInput), N},
    {167, 167, Do(kEraseInput), Do(kEraseInput), Do(kEraseInput), Do(kEraseInput), N},
    {143, 143, Do(kEraseEof), Do(kEraseEof), Do(kEraseEof), Do(kEraseEof), Do(kEraseEof)},
    {168, 168, Do(kEraseEof), Do(kEraseEof), Do(kEraseEof), Do(kEraseEof), Do(kEraseEof)},
    {149, 149, Aid(0x6C), Do(kDup), Aid(0x6C), Do(kDup), N},
    {150, 150, Do(kHome), Do(kHome), Do(kHome), Do(kHome), N},
    {163, 163, Do(kBackTab), Do(kBackTab), Do(kBackTab), Do(kBackTab), N},
    {164, 164, Aid(0x6E), Do(kFieldMark), Aid(0x6E), Do(kFieldMark), N},
    {165, 165, Aid(0x6B), Aid(0x6B), Aid(0x6B), Aid(0x6B), N},
    {291, 291, Do(kMagStripe), Do(kMagStripe), Do(kMagStripe), Do(kMagStripe), Do(kMagStripe)},
    {292, 292, Aid(0xE6), Aid(0xE6), Aid(0xE6), Aid(0xE6), Aid(0xE6)},
};

// The editing pad under Num Lock with Alt, keypad 0-9.
// clang-format off
constexpr Action kPadAltActions[10] = {
    Do(kInsert), Do(kEraseEof), Do(kDown), Aid(0x6E), Do(kLeft),
    N,           Do(kRight),    Do(kHome), Do(kUp),   Aid(0x6C),
};
// clang-format on

const Action* Find(const KeyRow* rows, std::size_t n, int key, u32 shift)
{
    for (std::size_t i = 0; i < n; ++i) {
        const KeyRow& r = rows[i];
        if (key < r.first || key > r.last)
            continue;
        switch (shift) {
        case 0: return &r.plain;
        case kShiftBit: return &r.shift;
        case kCtrlBit: return &r.ctrl;
        case kCtrlBit | kShiftBit: return &r.ctrlShift;
        default: return &r.alt;
        }
    }
    return nullptr;
}

void TypeUnit(I3270Session* s, wchar16 c)
{
    if (c == 0xFFFE)
        c = KeypadDecimalChar.load();
    I3270TypedCharacter(s, c);
}

void CtrlFunction(I3270Session* s, int n, u32 shift)
{
    if (n <= 12 && (shift & kShiftBit))
        n += 12;
    switch (n) {
    case 4: s->monocase = s->monocase ? 0 : 1; return;
    case 21: I3270CursorSelect(s); return;
    // The cursor shape keys: steady or blinking, underline or block.
    case 22: PaintSettings.cursorStyle ^= 2; return;
    case 23: PaintSettings.cursorStyle ^= 1; return;
    default: return;
    }
}

void Run(I3270Session* s, const KeyRow* row, const Action& a, int key, u32 shift)
{
    const bool shifted = (DispatchShiftState.load() & kShiftBit) != 0;
    switch (a.op) {
    case kNo: return;
    case kAid: I3270KeyAid(s, static_cast<u8>(a.arg)); return;
    case kPf: I3270KeyAid(s, static_cast<u8>(a.arg + (key - row->first))); return;
    case kCtrlFn: CtrlFunction(s, key >= 151 ? key - 138 : key - 67, shift); return;
    case kEnter: I3270KeyEnter(s); return;
    case kClear: I3270ClearKey(s); return;
    case kSysReq: I3270KeySysReq(s); return;
    case kAttn: I3270KeyAttention(s); return;
    case kReset: I3270KeyReset(s); return;
    case kTab: I3270Tab(s); return;
    case kBackTab: I3270BackTab(s); return;
    case kFieldTab: I3270FieldTab(s); return;
    case kHome: I3270Home(s); return;
    case kNewLine: I3270NewLine(s); return;
    case kUp: I3270CursorUp(s); return;
    case kDown: I3270CursorDown(s); return;
    case kLeft: I3270CursorLeft(s); return;
    case kRight: I3270CursorRight(s); return;
    case kPrevWord: I3270PreviousWord(s); return;
    case kNextWord: I3270NextWord(s); return;
    case kEndField: I3270EndOfField(s); return;
    case kEraseEof: I3270EraseEof(s); return;
    case kEraseInput: I3270EraseInput(s); return;
    case kDelete: I3270DeleteCharacter(s); return;
    case kDeleteWord: I3270DeleteWord(s); return;
    case kType: TypeUnit(s, a.arg ? a.arg : static_cast<wchar16>('0' + key - 97)); return;
    case kInsert: I3270InsertOn(s); return;
    case kDup: I3270Dup(s); return;
    case kFieldMark: I3270FieldMark(s); return;
    case kCursorSelect: I3270CursorSelect(s); return;
    case kScrollLock: return;  // no hold-screen on a block-mode screen
    case kPrintScreen: PostMainCommand(kCmdPrintScreen); return;
    case kCopy: PostMainCommand(kCmdCopy); return;
    case kPaste: PostMainCommand(kCmdPaste); return;
    case kCompose: ComposeKey(0); return;
    case kDelay: std::this_thread::sleep_for(std::chrono::milliseconds(1010)); return;
    case kSetup: PostMainCommand(kCmdIbm3270); return;
    case kExit: PostExitCommand(); return;
    case kWindow: I3270WindowKey(key); return;
    case kRevInput: I3270ReverseInput(s); return;
    case kRevCursorLine: I3270ReverseCursorLine(s); return;
    case kRevScreen: I3270ReverseScreen(s); return;
    case kLocalMap: I3270LocalMapToggle(s); return;
    case kMagStripe: I3270MagStripeAttribute(s); return;
    case kNumLock: return;
    case kPadPlusMinus: {
        const u32 type = KeyboardType.load();
        const bool tabTypes = type == 1 || type == 3 || type == 250 || type == 251;
        const bool plusTypes = type == 2 || (type >= 4 && type <= 6) || type == 450;
        if (key == 107)
            TypeUnit(s, tabTypes ? 9 : '-');
        else
            TypeUnit(s, tabTypes ? '-' : plusTypes ? '+' : type == 122 ? 9 : '+');
        return;
    }
    case kPadAlt: {
        const int digit = key - 97;
        if (digit == 0 && shifted)
            I3270Dup(s);
        else if (digit == 7 && shifted)
            I3270FieldMark(s);
        else if (digit == 9)
            I3270KeyAid(s, shifted ? 0x6B : 0x6C);
        else
            Run(s, row, kPadAltActions[digit], key, shift);
        return;
    }
    }
}
}  // namespace

void I3270KeyFunction(I3270Session* s, int key, u32 shift)
{
    DispatchShiftState = shift;
    if (KeyboardStackCount() > 0)
        return;
    if (shift > kAltBit && !(key == 82 && shift == 7))
        shift = kAltBit;
    if (key == 82 && shift == 7) {
        Run(s, nullptr, Do(kDelay), key, shift);
        return;
    }
    if ((key == 88 || key == 150) && shift == (key == 88 ? kAltBit : 0))
        return;  // the ruler is not drawn
    for (const KeyRow& r : kAlways)
        if (key >= r.first && key <= r.last) {
            const Action* a = Find(&r, 1, key, shift);
            if (a->op != kNo) {
                Run(s, &r, *a, key, shift);
                return;
            }
            break;
        }
    if (I3270InputInhibited(s)) {
        PushDeferredKey(key, static_cast<int>(shift));
        return;
    }
    for (const KeyRow& r : kKeys)
        if (key >= r.first && key <= r.last) {
            const Action* a = Find(&r, 1, key, shift);
            if (a)
                Run(s, &r, *a, key, shift);
            return;
        }
}
