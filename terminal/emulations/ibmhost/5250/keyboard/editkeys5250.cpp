#include "terminal/emulations/ibmhost/5250/keyboard/editkeys5250.h"

#include <algorithm>
#include <vector>

#include "terminal/core/host/hostio.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/display.h"
#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/fieldedit5250.h"
#include "terminal/emulations/ibmhost/5250/fields/format5250.h"
#include "terminal/emulations/ibmhost/5250/lifecycle5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/nvt5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/records5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/replies5250.h"
#include "terminal/emulations/ibmhost/5250/fields/selection5250.h"
#include "terminal/emulations/ibmhost/5250/services5250.h"
#include "terminal/emulations/ibmhost/5250/screen/status5250.h"
#include "terminal/emulations/ibmhost/5250/textassist/textassist5250.h"
#include "terminal/emulations/ibmhost/5250/textassist/textentry5250.h"
#include "terminal/emulations/ibmhost/5250/fields/wordwrap5250.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"

namespace {
constexpr u8 kOperatorTextOutside = 0x72, kOperatorPrompt = 0x74;
constexpr u8 kSysReqAttribute = 0x34, kNormalAttribute = 0x27;

u8 Cell(const I5250Session* s, i32 a)
{
    return s->cells[static_cast<std::size_t>(a)].character;
}

// The System Request line's usable cells: from its second cell to its last but one.
i32 LineFirst(const I5250Session* s)
{
    return s->errorLineStart + 1;
}
i32 LineLast(const I5250Session* s)
{
    return s->errorLineStart + s->current.columns - 2;
}
bool OnLine(const I5250Session* s)
{
    return s->cursor >= LineFirst(s) && s->cursor <= LineLast(s);
}

// The gate of the editing keys in data-stream mode; text-assist and character mode are
// the callers' own.
bool EditGate(I5250Session* s)
{
    return I5250KeyGate(s);
}

// The AID keys' checks: the field adjusted on Enter when set so, the field left, the
// mandatory-entry fields.
bool AidChecks(I5250Session* s)
{
    I5250EnterInFill(s);
    return I5250CheckFieldOnExit(s) && I5250CheckMandatoryEnter(s);
}

void Move(I5250Session* s, i32 address)
{
    I5250MoveCursor(s, address);
}

i32 Wrap(const I5250Session* s, i32 a)
{
    const i32 last = s->current.bufferSize;
    return ((a - 1) % last + last) % last + 1;
}

// Text-assist codes of the word-processing keys (key codes 169-188): a code sent to the
// host, a control code entered, an attribute toggled, or the key refused.
enum WpKind : u8 { kWpCode, kWpEnter, kWpToggle, kWpEndAttribute, kWpRefuse };
struct WpKey {
    WpKind kind;
    u8 value;
};
// clang-format off
constexpr WpKey kWordProcessing[20] = {
    {kWpEndAttribute, 0},  // 169 Alt+A
    {kWpToggle, 0x02},     // 170 Alt+B bold
    {kWpCode, 237},        // 171 Alt+C centre
    {kWpEnter, 1},         // 172 Alt+D half-index down
    {kWpEnter, 9},         // 173 Alt+H half-index up
    {kWpRefuse, 0x74},     // 174 Alt+J next column
    {kWpCode, 231},        // 175 Alt+N new page
    {kWpCode, 231},        // 176 Alt+P required page
    {kWpCode, 216},        // 177 Alt+R required tab
    {kWpCode, 214},        // 178 Alt+S stop code
    {kWpToggle, 0x04},     // 179 Alt+U underline
    {kWpEnter, 29},        // 180 Alt+W word underline
    {kWpCode, 213},        // 181 Alt+Y symbols
    {kWpCode, 233},        // 182 Alt+Left begin line
    {kWpCode, 234},        // 183 Alt+Right end line
    {kWpCode, 229},        // 184 Alt+Up top page
    {kWpCode, 230},        // 185 Alt+Down end page
    {kWpCode, 238},        // 186 Alt+Return return
    {kWpEnter, 65},        // 187 Alt+Space required space
    {kWpCode, 224},        // 188 Alt+Tab find stop
};
// clang-format on

void ShiftLineLeft(I5250Session* s)
{
    for (i32 a = s->cursor; a < LineLast(s); ++a)
        I5250WriteCell(s, Cell(s, a + 1), a, false);
    I5250WriteCell(s, 0, LineLast(s), false);
}
}  // namespace

void I5250KeyAid(I5250Session* s, u8 aid)
{
    if (!EditGate(s))
        return;
    if (s->text.mode) {
        if (aid >= 0x31 && aid <= 0x3C)
            I5250TextFunctionKey(s, aid - 0x31, aid);
        else if (aid >= 0xB1 && aid <= 0xBC)
            I5250TextFunctionKey(s, 12 + aid - 0xB1, aid);
        else
            I5250BuildTextReply(s, aid);
        return;
    }
    if (s->inputState == 4) {
        I5250OperatorError(s, kOpSysReqKey);
        return;
    }
    if (AidChecks(s))
        I5250SendAid(s, aid);
}

void I5250KeyEnter(I5250Session* s)
{
    if (!s->blockMode) {
        I5250TypedCharacter(s, 13);
        return;
    }
    if (s->inputState == 4 && !s->inhibited) {
        I5250SendSystemRequest(s);
        I5250SetInputState(s, static_cast<u8>(s->sysreqState ? s->sysreqState : 3));
        s->errorLineInUse = 0;
        I5250ClearMessageLine(s);
        I5250RepaintRows(s, s->coveredRow, s->coveredRow);
        s->cursor = s->savedCursor;
        return;
    }
    if (!EditGate(s))
        return;
    if (s->text.mode) {
        I5250BuildTextReply(s, s->text.promptActive ? s->text.promptAid : 0xF1);
        return;
    }
    if (AidChecks(s))
        I5250SendAid(s, 0xF1);
}

void I5250KeyHelp(I5250Session* s)
{
    // Help in an operator error sends the error's code; it acts before the gate, which
    // stops every key in that state.
    if (s->blockMode && s->inputState == 6) {
        const i32 line = s->errorLineStart;
        I5250WriteCell(s, 0x22, line, false);
        u16 code = 0;
        for (int i = 1; i <= 4; ++i)
            code = static_cast<u16>(code << 4 | (Cell(s, line + i) & 0x0F));
        I5250SendHelpCode(s, code);
        I5250SetInputState(s, 7);
        I5250ClearPendingAid(s);
        I5250SetInhibit(s, 1);
        if (!s->text.mode)
            I5250SetInsertMode(s, 0);
        I5250UpdateDisplay(s, false);
        return;
    }
    if (!EditGate(s))
        return;
    if (s->text.mode) {
        I5250BuildTextReply(s, 243);
        return;
    }
    if (s->inputState == 3 && !I5250CheckFieldOnExit(s))
        return;
    I5250SendAid(s, 0xF3);
}

void I5250ClearKey(I5250Session* s)
{
    if (!s->blockMode) {
        I5250ClearUnit(s, s->current.bufferSize != s->defaults.bufferSize, true);
        s->cursor = 1;
        return;
    }
    if (!EditGate(s))
        return;
    if (s->text.mode) {
        I5250BuildTextReply(s, 189);
        return;
    }
    I5250SendAid(s, 0xBD);
}

void I5250KeyPrint(I5250Session* s)
{
    if (!EditGate(s))
        return;
    if (s->text.mode) {
        I5250BuildTextReply(s, 246);
        return;
    }
    if (AidChecks(s))
        I5250SendAid(s, 0xF6);
}

void I5250KeyAttention(I5250Session* s)
{
    if (s->blockMode)
        I5250SendFlagsRecord(s, 0x40, nullptr, 0);
}

void I5250KeyTestRequest(I5250Session* s)
{
    if (!EditGate(s))
        return;
    I5250SetInputState(s, 5);
    I5250SendFlagsRecord(s, 0x02, nullptr, 0);
}

void I5250KeySysReq(I5250Session* s)
{
    if (!s->blockMode)
        return;
    const u8 st = s->inputState;
    if (st != 2 && st != 3 && st != 5)
        return;
    if (st == 3 && !I5250CheckFieldOnExit(s))
        return;
    HideCursorForUpdate();
    s->sysreqState = st;
    s->savedCursor = s->cursor;
    I5250SetInputState(s, 4);
    I5250ClearMessageLine(s);
    const i32 line = s->errorLineStart;
    const int columns = s->current.columns;
    I5250WriteCell(s, kSysReqAttribute, line, false);
    for (i32 a = LineFirst(s); a <= LineLast(s); ++a)
        s->cells[static_cast<std::size_t>(a)].flags |= kCellInField;
    I5250WriteCell(s, kNormalAttribute, line + columns - 1, false);
    for (int c = 0; c < columns; ++c)
        I5250MarkCell(s, line + c);
    s->errorLineInUse = 1;
    s->coveredRow = s->errorRow;
    s->cursor = LineFirst(s);
    I5250UpdateDisplay(s, false);
    I5250RepaintRows(s, s->coveredRow, s->coveredRow);
}

int I5250SysReqLineCharacter(I5250Session* s, u8 b)
{
    if (!OnLine(s)) {
        I5250OperatorError(s, kOpNotInField);
        return 0;
    }
    if (s->insertMode) {
        if (Cell(s, LineLast(s)) != 0) {
            I5250OperatorError(s, kOpInsertFull);
            return 0;
        }
        for (i32 a = LineLast(s); a > s->cursor; --a)
            I5250WriteCell(s, Cell(s, a - 1), a, false);
    }
    I5250WriteCell(s, b, s->cursor, false);
    s->cursor = s->cursor + 1 > LineLast(s) ? LineFirst(s) : s->cursor + 1;
    return 1;
}

void I5250KeyInsert(I5250Session* s)
{
    if (!s->blockMode || s->inhibited)
        return;
    const u8 st = s->inputState;
    if (st == 3 && !I5250CurrentField(s) && !s->text.mode) {
        I5250OperatorError(s, kOpNotInField);
        return;
    }
    if (st == 4 && !OnLine(s)) {
        I5250OperatorError(s, kOpNotInField);
        return;
    }
    if (st == 2 || st == 3 || st == 4)
        I5250SetInsertMode(s, s->insertMode ? 0 : 1);
}

void I5250KeyHome(I5250Session* s)
{
    if (!s->blockMode) {
        s->cursor = 1;
        return;
    }
    if (!EditGate(s))
        return;
    if (s->text.mode) {
        I5250BuildTextReply(s, 236);
        return;
    }
    if (s->inputState == 4) {
        s->cursor = LineFirst(s);
        return;
    }
    const i32 home = I5250HomeAddress(s);
    if (s->inputState == 3 && s->cursor == home) {
        if (I5250CheckFieldOnExit(s))
            I5250SendAid(s, 0xF8);
        return;
    }
    Move(s, home);
}

void I5250KeyNewLine(I5250Session* s)
{
    if (!s->blockMode) {
        I5250NvtCarriageReturn(s);
        return;
    }
    if (!EditGate(s))
        return;
    if (s->inputState == 4) {
        I5250OperatorError(s, kOpSysReqKey);
        return;
    }
    const int columns = s->current.columns;
    i32 next = (RowOf(s, s->cursor) + 1) * columns + 1;
    if (next > s->current.bufferSize)
        next = 1;
    for (const I5250Field& f : s->fields)
        if (!(f.ffw[0] & kFfwBypass))
            for (i32 a : I5250FieldCells(f))
                if (a >= next) {
                    Move(s, a);
                    return;
                }
    for (const I5250Field& f : s->fields)
        if (!(f.ffw[0] & kFfwBypass)) {
            Move(s, I5250FieldFirst(f));
            return;
        }
    Move(s, next);
}

void I5250KeyTab(I5250Session* s)
{
    if (!s->blockMode) {
        I5250NvtTab(s);
        return;
    }
    if (!EditGate(s) || !I5250SelectionFieldKey(s, 115, s->cursor))
        return;
    if (s->text.mode) {
        I5250TextEnterCharacter(s, 0x05);
        return;
    }
    if (s->inputState == 4) {
        s->cursor = LineFirst(s);
        return;
    }
    if (s->inputState == 3 && !I5250CheckFieldOnExit(s))
        return;
    I5250FieldAdvanceProgression(s);
}

void I5250KeyBackTab(I5250Session* s)
{
    if (!EditGate(s))
        return;
    if (s->inputState == 4) {
        s->cursor = LineFirst(s);
        return;
    }
    if (s->inputState == 3 && !I5250CheckFieldOnExit(s))
        return;
    I5250FieldBackspaceProgression(s);
}

void I5250CursorUp(I5250Session* s)
{
    if (!s->blockMode) {
        s->cursor = Wrap(s, s->cursor - s->current.columns);
        return;
    }
    if (!EditGate(s) || !I5250SelectionFieldKey(s, 89, s->cursor) || s->inputState == 4)
        return;
    Move(s, Wrap(s, s->cursor - s->current.columns));
}

void I5250CursorDown(I5250Session* s)
{
    if (!s->blockMode) {
        s->cursor = Wrap(s, s->cursor + s->current.columns);
        return;
    }
    if (!EditGate(s) || !I5250SelectionFieldKey(s, 91, s->cursor) || s->inputState == 4)
        return;
    Move(s, Wrap(s, s->cursor + s->current.columns));
}

void I5250CursorLeft(I5250Session* s)
{
    if (!s->blockMode) {
        s->cursor = Wrap(s, s->cursor - 1);
        return;
    }
    if (!EditGate(s) || !I5250SelectionFieldKey(s, 90, s->cursor))
        return;
    if (s->inputState == 4) {
        s->cursor = s->cursor <= s->errorLineStart ? s->errorLineStart + s->current.columns - 1 : s->cursor - 1;
        return;
    }
    Move(s, Wrap(s, s->cursor - 1));
}

void I5250CursorRight(I5250Session* s)
{
    if (!s->blockMode) {
        s->cursor = Wrap(s, s->cursor + 1);
        return;
    }
    if (!EditGate(s) || !I5250SelectionFieldKey(s, 92, s->cursor))
        return;
    if (s->inputState == 4) {
        s->cursor = s->cursor >= s->errorLineStart + s->current.columns - 1 ? s->errorLineStart : s->cursor + 1;
        return;
    }
    Move(s, Wrap(s, s->cursor + 1));
}

void I5250FastLeft(I5250Session* s)
{
    for (int i = 0; i < 3; ++i) {
        const i32 before = s->cursor;
        I5250CursorLeft(s);
        if (s->cursor == before || s->inputState == 1 || s->inputState >= 5)
            return;
    }
}

void I5250FastRight(I5250Session* s)
{
    for (int i = 0; i < 3; ++i) {
        const i32 before = s->cursor;
        I5250CursorRight(s);
        if (s->cursor == before || s->inputState == 1 || s->inputState >= 5)
            return;
    }
}

void I5250KeyBackspace(I5250Session* s, bool destructive)
{
    if (!s->blockMode) {
        I5250NvtBackspace(s);
        return;
    }
    if (!EditGate(s))
        return;
    if (s->inputState == 4) {
        if (s->cursor > LineFirst(s))
            --s->cursor;
        if (destructive)
            ShiftLineLeft(s);
        return;
    }
    if (!I5250SelectionFieldKey(s, 112, s->cursor))
        return;
    I5250Field* f = I5250CurrentField(s);
    if (f) {
        const std::vector<i32> cells = I5250FieldCells(*f);
        const auto it = std::find(cells.begin(), cells.end(), s->cursor);
        if (it != cells.end() && it != cells.begin()) {
            Move(s, *(it - 1));
        } else {
            I5250FieldBackspace(s);
            if (I5250Field* g = I5250CurrentField(s)) {
                const std::vector<i32> previous = I5250FieldCells(*g);
                const bool sign = (g->ffw[0] & kFfwShift) == kShiftSigned && previous.size() > 1;
                Move(s, sign ? previous[previous.size() - 2] : previous.back());
            }
        }
    } else {
        Move(s, Wrap(s, s->cursor - 1));
    }
    if (destructive)
        I5250KeyDeleteChar(s);
}

void I5250KeyDeleteChar(I5250Session* s)
{
    if (!s->blockMode) {
        I5250NvtTypedCharacter(s, 127);
        return;
    }
    if (!EditGate(s))
        return;
    if (s->text.mode) {
        I5250BuildTextReply(s, 232);
        return;
    }
    if (s->inputState == 4) {
        if (OnLine(s))
            ShiftLineLeft(s);
        return;
    }
    I5250Field* f = I5250CurrentField(s);
    if (!f) {
        I5250OperatorError(s, kOpNotInField);
        return;
    }
    f->ffw[0] |= kFfwMdt;
    s->anyModified = 1;
    s->fieldTouched = 1;
    if (f->control & 0x40) {
        I5250ReflowWordWrapField(s, s->cursor, true, true, true);
        return;
    }
    const std::vector<i32> cells = I5250FieldCells(*f);
    auto it = std::find(cells.begin(), cells.end(), s->cursor);
    if (it == cells.end())
        return;
    auto lastData = cells.end() - 1;
    while (lastData > it && Cell(s, *lastData) == 0)
        --lastData;
    const bool asData = (f->control & 0x08) != 0;
    for (auto p = it; p < lastData; ++p)
        I5250WriteCell(s, Cell(s, *(p + 1)), *p, asData);
    I5250WriteCell(s, 0, *lastData, asData);
}

void I5250KeyEraseEof(I5250Session* s)
{
    if (!EditGate(s) || s->text.mode)
        return;
    if (s->inputState == 4) {
        if (!OnLine(s)) {
            I5250OperatorError(s, kOpNotInField);
            return;
        }
        for (i32 a = s->cursor; a <= LineLast(s); ++a)
            I5250WriteCell(s, 0, a, false);
        return;
    }
    I5250Field* f = I5250CurrentField(s);
    if (s->inputState != 3 || !f) {
        I5250OperatorError(s, kOpNotInField);
        return;
    }
    f->ffw[0] |= kFfwMdt;
    s->anyModified = 1;
    s->fieldTouched = 1;
    const std::vector<i32> cells = I5250FieldCells(*f);
    const auto it = std::find(cells.begin(), cells.end(), s->cursor);
    for (auto p = it; p != cells.end(); ++p)
        I5250WriteCell(s, 0, *p, (f->control & 0x08) != 0);
    if (f->control & 0x40)
        I5250ReflowWordWrapField(s, s->cursor > 1 ? s->cursor - 1 : 1, true, false, false);
}

void I5250KeyEraseInput(I5250Session* s)
{
    if (!EditGate(s) || s->text.mode)
        return;
    if (s->inputState == 4) {
        if (!OnLine(s)) {
            I5250OperatorError(s, kOpNotInField);
            return;
        }
        for (i32 a = LineFirst(s); a <= LineLast(s); ++a)
            I5250WriteCell(s, 0, a, false);
        s->cursor = LineFirst(s);
        return;
    }
    if (s->inputState != 3)
        return;
    I5250NullFields(s, false);
    Move(s, I5250HomeAddress(s));
}

void I5250KeyEndOfField(I5250Session* s)
{
    if (!EditGate(s))
        return;
    if (s->inputState != 3 || !I5250CurrentField(s)) {
        I5250OperatorError(s, kOpNotInField);
        return;
    }
    i32 a = s->currentLast;
    while (a >= s->currentFirst && Cell(s, a) == 0)
        --a;
    Move(s, a < s->currentFirst ? s->currentFirst : std::min(a + 1, s->currentLast));
}

void I5250CursorSelect(I5250Session* s)
{
    if (!EditGate(s))
        return;
    if (s->inputState == 4) {
        I5250OperatorError(s, kOpSysReqKey);
        return;
    }
    if (!I5250SelectionFieldKey(s, 140, s->cursor))
        return;
    I5250Field* f = I5250CurrentField(s);
    if (!f) {
        I5250OperatorError(s, kOpNotInField);
        return;
    }
    if (f->selectFlags & 0x04) {
        if (I5250CheckFieldOnExit(s) && I5250CheckMandatoryEnter(s))
            I5250SendAid(s, f->selectAid);
        return;
    }
    if (!(f->selectFlags & 0x02)) {
        I5250OperatorError(s, kOpNotSelectable);
        return;
    }
    const u8 b = Cell(s, s->cursor);
    if (b == 0x6E) {
        I5250WriteCell(s, 0x6F, s->cursor, false);
        f->ffw[0] &= static_cast<u8>(~kFfwMdt);
    } else if (b == 0x6F || b == 0x40) {
        I5250WriteCell(s, 0x6E, s->cursor, false);
        f->ffw[0] |= kFfwMdt;
        s->anyModified = 1;
    } else {
        I5250OperatorError(s, kOpNotSelectable);
    }
}

void I5250KeyRuler(I5250Session* s)
{
    if (s->rulerDrawn)
        I5250DrawRuler(s);
    s->rulerDrawn = 0;
    s->rulerOn = s->rulerOn ? 0 : 1;
    if (s->rulerOn) {
        s->rulerPosition = static_cast<u16>(s->cursor);
        I5250DrawRuler(s);
        s->rulerDrawn = 1;
    }
}

void I5250KeyMono(I5250Session* s)
{
    s->monocase = s->monocase ? 0 : 1;
    I5250RepaintScreen(s);
}

void I5250KeyAlternateCodePage(I5250Session* s)
{
    if (!s->altCodePage)
        return;
    std::vector<u8> s2u, u2s;
    if (!HostCodePageAvailable(s->altCodePage) || !LoadHostCodePage(s->altCodePage, s2u, u2s))
        return;
    s->ccsid = s->altCodePage;
    s->s2u = std::move(s2u);
    s->u2s = std::move(u2s);
    I5250RepaintScreen(s);
}

void I5250KeyWordProcessing(I5250Session* s, int keyCode)
{
    if (!s->text.mode || keyCode < 169 || keyCode > 188 || !EditGate(s))
        return;
    const WpKey& k = kWordProcessing[keyCode - 169];
    I5250TextAssist& t = s->text;
    if ((t.promptActive || t.characterWait) && k.kind != kWpRefuse) {
        I5250OperatorError(s, kOperatorPrompt);
        return;
    }
    switch (k.kind) {
    case kWpCode:
        if (k.value == 224)
            t.busy = 0;
        I5250BuildTextReply(s, k.value);
        return;
    case kWpEnter:
        if (t.characterRefusal) {
            I5250OperatorError(s, 0x77);
            return;
        }
        I5250TextEnterCharacter(s, k.value);
        return;
    case kWpToggle:
    case kWpEndAttribute: {
        if (s->cursor < t.textStart || s->cursor > t.textEnd) {
            I5250OperatorError(s, kOperatorTextOutside);
            return;
        }
        HostCell& c = s->cells[static_cast<std::size_t>(s->cursor)];
        const u8 bits = static_cast<u8>(c.extended & 0x1F);
        const u8 now = k.kind == kWpToggle ? static_cast<u8>(bits ^ k.value) : static_cast<u8>(bits & ~0x06);
        c.extended = static_cast<u8>(0x80 | now);
        I5250MarkCell(s, s->cursor);
        return;
    }
    case kWpRefuse: I5250OperatorError(s, k.value); return;
    }
}
