#include "terminal/emulations/ibmhost/5250/keyboard/keys5250.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/emulations/ibmhost/5250/keyboard/editkeys5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/fieldedit5250.h"
#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/services5250.h"
#include "terminal/emulations/ibmhost/station/keyturn.h"
#include "terminal/input/keyboard/keydispatch.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/input/macros/keynames.h"

namespace {
// clang-format off
enum Op : u8 {
    kNo, kAid, kFKey, kEnter, kHelp, kClear, kPrint, kPrintScreen, kCopy, kPaste, kCompose, kDelay,
    kSetup, kExit, kReset, kAttn, kSysReq, kTestReq, kRuler, kMacro, kInsert, kDup, kFieldMark, kHome,
    kDelete, kEraseEof, kEraseInput, kGoEol, kUp, kDown, kLeft, kRight, kFastLeft, kFastRight,
    kScrollLock, kTestThenScroll, kFieldMinus, kFieldPlus, kFieldExit, kNewLine, kTab, kBackTab,
    kDigit, kDecimal, kType, kBackspace, kCursorSelect, kMono, kCursorStyle, kAltCodePage, kPadAlt,
    kWordProcessing, kIgnore,
};
// clang-format on

// Shift states a row applies to, one bit per state (bit 1 Shift, 2 Ctrl, 4 Alt).
constexpr u8 S0 = 1 << 0, SS = 1 << 1, SC = 1 << 2, SCS = 1 << 3, SA = 1 << 4, SCSA = 1 << 7, SAny = 0xFF;

// Which keyboards a row applies to.
enum Board : u8 {
    kAnyBoard,
    kPc,        // every keyboard type but 122
    k122,       // the 122-key host keyboard
    kResetNum,  // types 1, 3, 250, 251: Num Lock acts as Reset
    kPlainNum,  // types 2, 4-6, 122, 450
};

struct Row {
    u16 first, last;
    u8 states;
    Board board;
    Op op;
    u16 arg;
};

// The keys that act before the lock test.
constexpr Row kAlways[] = {
    {80, 80, SC, kPc, kPrintScreen, 0},
    {80, 80, SAny, k122, kPrintScreen, 0},
    {88, 88, SA, kAnyBoard, kRuler, 0},
    {93, 93, S0 | SC, kResetNum, kReset, 0},
    {113, 113, S0, kPc, kReset, 0},
    {116, 116, SAny, kAnyBoard, kCopy, 0},
    {128, 128, SC, kAnyBoard, kPrintScreen, 0},
    {130, 130, SA, kAnyBoard, kExit, 0},
    {144, 144, SC, kAnyBoard, kPrintScreen, 0},
    {148, 148, S0, kAnyBoard, kReset, 0},
    {150, 150, S0, kAnyBoard, kRuler, 0},
};

// The keys that act whatever the keyboard lock.
constexpr Row kUnlocked[] = {
    {67, 67, SA, kAnyBoard, kCompose, 0},
    {71, 72, SA, kPc, kMacro, 0},
    {80, 80, S0, kPc, kPrint, 0},
    {80, 80, SC, kPc, kPrintScreen, 0},
    {80, 80, SA, kPc, kSysReq, 0},
    {80, 80, SAny, k122, kPrintScreen, 0},
    {82, 82, SCSA, kAnyBoard, kDelay, 0},
    {82, 82, SS, kPc, kMacro, 0},
    {93, 93, S0 | SC, kResetNum, kReset, 0},
    {93, 93, SS | SCS, kResetNum, kAttn, 0},
    {95, 95, S0 | SC | SCS, kPc, kHelp, 0},
    {113, 113, S0, kPc, kReset, 0},
    {113, 113, SS, kPc, kAttn, 0},
    {113, 113, SA, kPc, kMacro, 0},
    {117, 117, SAny, kAnyBoard, kPaste, 0},
    {127, 127, SAny, kAnyBoard, kCompose, 0},
    {128, 128, S0, kAnyBoard, kPrint, 0},
    {128, 128, SC, kAnyBoard, kPrintScreen, 0},
    {128, 128, SA, kAnyBoard, kSysReq, 0},
    {129, 129, SAny, kAnyBoard, kSetup, 0},
    {146, 146, SAny, kAnyBoard, kSetup, 0},
    {130, 130, SA, kAnyBoard, kExit, 0},
    {138, 138, S0 | SC, kAnyBoard, kAttn, 0},
    {138, 138, SS | SCS, kAnyBoard, kSysReq, 0},
    {142, 142, SA, kAnyBoard, kSetup, 0},
    {144, 144, S0, kAnyBoard, kPrint, 0},
    {144, 144, SC, kAnyBoard, kPrintScreen, 0},
    {145, 145, SA, kAnyBoard, kTestReq, 0},
    {145, 145, static_cast<u8>(~SA), kAnyBoard, kMacro, 0},
    {147, 147, SAny, kAnyBoard, kMacro, 0},
    {148, 148, S0, kAnyBoard, kReset, 0},
    {148, 148, SA, kAnyBoard, kMacro, 0},
    {168, 168, S0 | SS | SC | SCS, kAnyBoard, kHelp, 0},
    {189, 189, SAny, kAnyBoard, kMacro, 0},
};

// The rest.
constexpr Row kKeys[] = {
    {68, 79, S0, kAnyBoard, kFKey, 0x31},
    {68, 79, SS, kAnyBoard, kFKey, 0xB1},
    {71, 71, SC, kAnyBoard, kMono, 0},
    {76, 76, SC, kAnyBoard, kCursorSelect, 0},
    {77, 77, SC, kAnyBoard, kCursorStyle, 0x02},
    {78, 78, SC, kAnyBoard, kCursorStyle, 0x01},
    {68, 68, SA, kAnyBoard, kMacro, 0},
    {81, 81, S0 | SS | SC, kAnyBoard, kScrollLock, 0},
    {81, 81, SA, kAnyBoard, kTestThenScroll, 0},
    {82, 82, S0, kPc, kClear, 0},
    {82, 82, SS, k122, kEraseInput, 0},
    {83, 83, S0, kAnyBoard, kInsert, 0},
    {83, 83, SS, kAnyBoard, kDup, 0},
    {83, 83, SA, kAnyBoard, kAid, 0x6C},
    {84, 84, S0, kAnyBoard, kHome, 0},
    {84, 84, SS, kAnyBoard, kFieldMark, 0},
    {84, 84, SA, kAnyBoard, kAid, 0x6E},
    {85, 85, S0, kAnyBoard, kAid, 0xF4},
    {85, 85, SA, kAnyBoard, kAid, 0x6B},
    {86, 86, S0, kAnyBoard, kDelete, 0},
    {86, 86, SA, k122, kEraseEof, 0},
    {87, 87, S0, kAnyBoard, kEraseEof, 0},
    {87, 87, SS, kPc, kGoEol, 0},
    {87, 87, SA, kAnyBoard, kEraseInput, 0},
    {88, 88, S0, kAnyBoard, kAid, 0xF5},
    {89, 89, S0, kAnyBoard, kUp, 0},
    {89, 89, SS, k122, kAid, 0xF5},
    {89, 89, SA, kPc, kAid, 0xF5},
    {90, 90, S0, kAnyBoard, kLeft, 0},
    {90, 90, SS | SA, kAnyBoard, kFastLeft, 0},
    {91, 91, S0, kAnyBoard, kDown, 0},
    {91, 91, SS, k122, kAid, 0xF4},
    {91, 91, SA, kPc, kAid, 0xF4},
    {92, 92, S0, kAnyBoard, kRight, 0},
    {92, 92, SS | SA, kAnyBoard, kFastRight, 0},
    {93, 93, SA, kPlainNum, kIgnore, 0},
    {94, 94, SAny, kResetNum, kIgnore, 0},
    {96, 96, S0, kAnyBoard, kFieldMinus, 0},
    {96, 96, SCSA, kAnyBoard, kAltCodePage, 0},
    {97, 106, S0 | SS | SC, kAnyBoard, kDigit, 0},
    {97, 106, SA, kAnyBoard, kPadAlt, 0},
    {107, 107, S0, kPc, kFieldPlus, 0},
    {107, 107, SS, kPc, kFieldExit, 0},
    {108, 108, S0, kAnyBoard, kFieldMinus, 0},
    {109, 109, S0 | SS | SC, kAnyBoard, kDecimal, 0},
    {109, 109, SA, kAnyBoard, kType, 0x7F},
    {110, 110, S0, kPc, kFieldPlus, 0},
    {110, 110, S0, k122, kFieldMinus, 0},
    {110, 110, SS, kPc, kFieldExit, 0},
    {111, 111, S0 | SCS, kPc, kEnter, 0},
    {111, 111, S0 | SCS, k122, kFieldPlus, 0},
    {111, 111, SS, kAnyBoard, kFieldPlus, 0},
    {111, 111, SC, kAnyBoard, kEnter, 0},
    {112, 112, S0, kAnyBoard, kType, 0x08},
    {112, 112, SA, kAnyBoard, kBackspace, 0},
    {114, 114, S0, kAnyBoard, kFieldExit, 0},
    {114, 114, SS, kAnyBoard, kNewLine, 0},
    {115, 115, S0, kAnyBoard, kTab, 0},
    {115, 115, SS, kAnyBoard, kBackTab, 0},
    {136, 136, S0, kAnyBoard, kClear, 0},
    {139, 139, S0 | SS | SC | SA, kAnyBoard, kClear, 0},
    {140, 140, S0 | SS | SC | SA, kAnyBoard, kCursorSelect, 0},
    {141, 141, SA, kAnyBoard, kEraseInput, 0},
    {143, 143, S0 | SS | SC | SA, kAnyBoard, kEraseEof, 0},
    {148, 148, SA, kAnyBoard, kMacro, 0},
    {149, 149, S0, kAnyBoard, kBackTab, 0},
    {149, 149, SA, kAnyBoard, kAid, 0x6C},
    {150, 150, SA, kAnyBoard, kHome, 0},
    {151, 162, S0, kAnyBoard, kFKey, 0xB1},
    {163, 163, S0, kAnyBoard, kNewLine, 0},
    {164, 164, S0, kAnyBoard, kDup, 0},
    {164, 164, SA, kAnyBoard, kAid, 0x6E},
    {165, 165, S0, kAnyBoard, kFieldMark, 0},
    {165, 165, SA, kAnyBoard, kAid, 0x6B},
    {166, 166, S0, kAnyBoard, kEnter, 0},
    {167, 167, SS, kAnyBoard, kEraseInput, 0},
    {169, 188, SAny, kAnyBoard, kWordProcessing, 0},
};

bool BoardMatches(Board board)
{
    const u32 type = KeyboardType.load();
    switch (board) {
    case kAnyBoard: return true;
    case kPc: return type != 122;
    case k122: return type == 122;
    case kResetNum: return type == 1 || type == 3 || type == 250 || type == 251;
    case kPlainNum: return type == 2 || (type >= 4 && type <= 6) || type == 122 || type == 450;
    }
    return false;
}

template <std::size_t N>
const Row* Find(const Row (&rows)[N], int key, u32 shift)
{
    const u8 bit = static_cast<u8>(1u << (shift & 7));
    for (const Row& r : rows)
        if (key >= r.first && key <= r.last && (r.states & bit) && BoardMatches(r.board))
            return &r;
    return nullptr;
}

// The PC editing pad under Num Lock with Alt, keypad 0-9 (the Shift bit of the shift
// state picks the second function of 0, 4, 6 and 7).
void PadAlt(I5250Session* s, int digit)
{
    const bool shifted = (DispatchShiftState.load() & kShiftBit) != 0;
    switch (digit) {
    case 0:
        if (shifted)
            I5250EnterCharacter(s, 0x1C);
        else
            I5250KeyInsert(s);
        return;
    case 1: I5250KeyEraseEof(s); return;
    case 2: I5250CursorDown(s); return;
    case 3: I5250KeyAid(s, 0xF5); return;
    case 4:
        if (shifted)
            I5250FastLeft(s);
        else
            I5250CursorLeft(s);
        return;
    case 6:
        if (shifted)
            I5250FastRight(s);
        else
            I5250CursorRight(s);
        return;
    case 7:
        if (shifted)
            I5250EnterCharacter(s, 0x1E);
        else
            I5250KeyHome(s);
        return;
    case 8: I5250CursorUp(s); return;
    case 9: I5250KeyAid(s, 0xF4); return;
    default: return;
    }
}

void Run(I5250Session* s, const Row& r, int key, u32 shift)
{
    (void)shift;
    switch (r.op) {
    case kNo:
    case kIgnore:
    case kMacro:
    case kScrollLock: return;
    case kAid: I5250KeyAid(s, static_cast<u8>(r.arg)); return;
    case kFKey: I5250KeyAid(s, static_cast<u8>(r.arg + (key - r.first))); return;
    case kEnter: I5250KeyEnter(s); return;
    case kHelp: I5250KeyHelp(s); return;
    case kClear: I5250ClearKey(s); return;
    case kPrint: I5250KeyPrint(s); return;
    case kPrintScreen: PostMainCommand(kCmdPrintScreen); return;
    case kCopy: PostMainCommand(kCmdCopy); return;
    case kPaste: PostMainCommand(kCmdPaste); return;
    case kCompose: ComposeKey(0); return;
    case kDelay: I5250Delay(); return;
    case kSetup: PostMainCommand(kCmdIbm5250); return;
    case kExit: PostExitCommand(); return;
    case kReset: I5250KeyReset(s); return;
    case kAttn: I5250KeyAttention(s); return;
    case kSysReq: I5250KeySysReq(s); return;
    case kTestReq: I5250KeyTestRequest(s); return;
    case kTestThenScroll: I5250KeyTestRequest(s); return;
    case kRuler: I5250KeyRuler(s); return;
    case kInsert: I5250KeyInsert(s); return;
    case kDup: I5250EnterCharacter(s, 0x1C); return;
    case kFieldMark: I5250EnterCharacter(s, 0x1E); return;
    case kHome: I5250KeyHome(s); return;
    case kDelete: I5250KeyDeleteChar(s); return;
    case kEraseEof: I5250KeyEraseEof(s); return;
    case kEraseInput: I5250KeyEraseInput(s); return;
    case kGoEol: I5250KeyEndOfField(s); return;
    case kUp: I5250CursorUp(s); return;
    case kDown: I5250CursorDown(s); return;
    case kLeft: I5250CursorLeft(s); return;
    case kRight: I5250CursorRight(s); return;
    case kFastLeft: I5250FastLeft(s); return;
    case kFastRight: I5250FastRight(s); return;
    case kFieldMinus: I5250FieldExit(s, '-'); return;
    case kFieldPlus: I5250FieldExit(s, '+'); return;
    case kFieldExit: I5250FieldExit(s, 0); return;
    case kNewLine: I5250KeyNewLine(s); return;
    case kTab: I5250KeyTab(s); return;
    case kBackTab: I5250KeyBackTab(s); return;
    case kDigit: I5250TypedCharacter(s, static_cast<wchar16>('0' + key - 97)); return;
    case kDecimal: I5250TypedCharacter(s, static_cast<wchar16>(KeypadDecimalChar.load())); return;
    case kType: I5250TypedCharacter(s, static_cast<wchar16>(r.arg)); return;
    case kBackspace: I5250KeyBackspace(s, false); return;
    case kCursorSelect: I5250CursorSelect(s); return;
    case kMono: I5250KeyMono(s); return;
    case kCursorStyle: PaintSettings.cursorStyle ^= static_cast<u8>(r.arg); return;
    case kAltCodePage: I5250KeyAlternateCodePage(s); return;
    case kPadAlt: PadAlt(s, key - 97); return;
    case kWordProcessing: I5250KeyWordProcessing(s, key); return;
    }
}
}  // namespace

bool I5250KeyFunctionAlways(I5250Session* s, int key, u32 shift)
{
    const Row* r = Find(kAlways, key, shift);
    if (!r)
        return false;
    Run(s, *r, key, shift);
    return true;
}

void I5250KeyFunction(I5250Session* s, int key, u32 shift)
{
    DispatchShiftState = shift;
    // A printer session has no screen for the keys to act on.
    if (KeyboardStackCount() > 0 || s->printerSession || s->cells.empty())
        return;
    if (ModalOpen) {
        PushKeyNameText(key, static_cast<int>(shift), 13551, 13643);
        return;
    }
    if (I5250KeyFunctionAlways(s, key, shift))
        return;
    if (const Row* r = Find(kUnlocked, key, shift)) {
        Run(s, *r, key, shift);
        return;
    }
    if (I5250IsKeyboardLocked(s)) {
        PushDeferredKey(key, static_cast<int>(shift));
        return;
    }
    if (const Row* r = Find(kKeys, key, shift))
        Run(s, *r, key, shift);
}

bool I5250HandleKeyEvents(I5250Session* s)
{
    static constexpr auto kSession = [](void* p) { return static_cast<I5250Session*>(p); };
    const HostKeyTurn turn{
        s,
        [](void* p) { return I5250IsKeyboardLocked(kSession(p)); },
        [](void* p) { return kSession(p)->blockMode != 0; },
        [](void* p, int code, u32 shift) { I5250KeyFunction(kSession(p), code, shift); },
        [](void* p, wchar16 c) { I5250TypedCharacter(kSession(p), c); },
        [](void* p) {
            I5250UpdateDisplay(kSession(p), false);
            return I5250ActiveSession == kSession(p);
        },
    };
    return TakeHostKeys(turn, s->keysWereLocked);
}
