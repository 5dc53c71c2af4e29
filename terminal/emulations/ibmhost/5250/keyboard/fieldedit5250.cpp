#include "terminal/emulations/ibmhost/5250/keyboard/fieldedit5250.h"

#include <algorithm>

#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/display.h"
#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/editkeys5250.h"
#include "terminal/emulations/ibmhost/5250/fields/format5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/monocase5250.h"
#include "terminal/emulations/ibmhost/5250/keyboard/nvt5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/replies5250.h"
#include "terminal/emulations/ibmhost/5250/fields/selection5250.h"
#include "terminal/emulations/ibmhost/5250/settings5250.h"
#include "terminal/emulations/ibmhost/5250/screen/status5250.h"
#include "terminal/emulations/ibmhost/5250/textassist/textassist5250.h"
#include "terminal/emulations/ibmhost/5250/textassist/textentry5250.h"
#include "terminal/emulations/ibmhost/5250/fields/wordwrap5250.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"
#include "terminal/emulations/ibmhost/station/nationalvariant.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/macros/keyevents.h"

namespace {
constexpr u8 kDup = 0x1C, kFieldMark = 0x1E, kMinus = 0x60;
constexpr u8 kErrorAttribute = 0x2A, kNormalAttribute = 0x27;

// The characters an alphabetic-only field takes, in CCSID 37 positions.
bool AlphabeticAllowed(u8 b)
{
    static constexpr u8 kRanges[][2] = {
        {0x00, 0x00}, {0x1C, 0x1C}, {0x1E, 0x1E}, {0x40, 0x49}, {0x51, 0x59}, {0x60, 0x60},
        {0x62, 0x69}, {0x6B, 0x6B}, {0x70, 0x78}, {0x80, 0x89}, {0x8C, 0x8E}, {0x91, 0x99},
        {0x9C, 0x9C}, {0x9E, 0x9E}, {0xA0, 0xA0}, {0xA2, 0xA9}, {0xAC, 0xAE}, {0xC1, 0xC9},
        {0xCB, 0xCF}, {0xD1, 0xD9}, {0xDB, 0xDF}, {0xE2, 0xE9}, {0xEB, 0xEF}, {0xFB, 0xFE},
    };
    for (const auto& r : kRanges)
        if (b >= r[0] && b <= r[1])
            return true;
    return false;
}

bool Digit(u8 b)
{
    return b >= 0xF0 && b <= 0xF9;
}

bool NumericAllowed(u8 b)
{
    return b == 0x00 || b == kDup || b == kFieldMark || b == 0x40 || b == 0x4B || b == 0x4E || b == kMinus ||
           b == 0x6B || Digit(b);
}

u8 Shift(const I5250Field& f)
{
    return f.ffw[0] & kFfwShift;
}

u8 Adjust(const I5250Field& f)
{
    return f.ffw[1] & kFfw2Adjust;
}

bool RightAdjust(const I5250Field& f)
{
    return Adjust(f) == kAdjustZeroFill || Adjust(f) == kAdjustBlankFill;
}

u8 Cell(const I5250Session* s, i32 a)
{
    return s->cells[static_cast<std::size_t>(a)].character;
}

// The field's last position that takes data (a signed-numeric field's last is its sign).
i32 LastDataCell(const I5250Field& f, const std::vector<i32>& cells)
{
    return Shift(f) == kShiftSigned && cells.size() > 1 ? cells[cells.size() - 2] : cells.back();
}

int IndexOf(const std::vector<i32>& cells, i32 a)
{
    const auto it = std::find(cells.begin(), cells.end(), a);
    return it == cells.end() ? -1 : static_cast<int>(it - cells.begin());
}

void MarkModified(I5250Session* s, I5250Field& f)
{
    f.ffw[0] |= kFfwMdt;
    s->anyModified = 1;
    s->fieldTouched = 1;
}

u32 SelfCheckSum(const I5250Session* s, const I5250Field& f, const std::vector<i32>& cells, bool& dup)
{
    const int end = static_cast<int>(cells.size()) - (Shift(f) == kShiftSigned ? 2 : 1);
    u32 sum = 0;
    dup = false;
    static constexpr u8 kWeights11[6] = {2, 3, 4, 5, 6, 7};
    static constexpr u8 kDoubled[10] = {0, 2, 4, 6, 8, 1, 3, 5, 7, 9};
    for (int k = end, i = 0; k >= 0; --k, ++i) {
        const u8 b = Cell(s, cells[static_cast<std::size_t>(k)]);
        if (b == kDup)
            dup = true;
        const u8 n = b & 0x0F;
        if (n < 1 || n > 9)
            continue;
        if (f.selfCheck == 0x40)
            sum += n * (i == 0 ? 1u : kWeights11[(i - 1) % 6]);
        else
            sum += (i & 1) ? kDoubled[n] : n;
    }
    return sum;
}

// Moves on from the current field after it was ended.
void LeaveField(I5250Session* s)
{
    I5250FieldAdvanceProgression(s);
}
}  // namespace

std::vector<i32> I5250FieldCells(const I5250Field& f)
{
    std::vector<i32> out;
    for (const I5250Extent& x : f.extents)
        for (i32 a = x.start + 1; a <= x.start + x.length; ++a)
            out.push_back(a);
    return out;
}

bool I5250IsKeyboardLocked(const I5250Session* s)
{
    if (s->inhibited)
        return true;
    return s->blockMode && ((s->inputState == 3 && !s->invite) || s->inputState == 6 || s->inputState == 7);
}

bool I5250KeyGate(I5250Session* s)
{
    if (ModalOpen || s->inhibited || !s->blockMode)
        return false;
    const u8 st = s->inputState;
    return !(st == 1 || st >= 5);
}

void I5250OperatorError(I5250Session* s, u16 code)
{
    HideCursorForUpdate();
    if (s->inputState == 4)
        s->cursor = s->savedCursor;
    I5250SetInputState(s, 6);
    I5250ClearMessageLine(s);
    const i32 line = s->errorLineStart;
    I5250WriteCell(s, kErrorAttribute, line, false);
    for (int i = 0; i < 4; ++i) {
        const int digit = code >> (12 - 4 * i) & 0x0F;
        I5250WriteCell(s, static_cast<u8>(digit < 10 ? 0xF0 + digit : 0xC1 + digit - 10), line + 1 + i, false);
    }
    I5250WriteCell(s, kNormalAttribute, line + 5, false);
    for (int c = 0; c < s->current.columns; ++c)
        I5250MarkCell(s, line + c);
    s->errorLineInUse = 1;
    s->coveredRow = s->errorRow;
    for (int c = 0; c < s->current.columns; ++c)
        I5250MarkCell(s, AddressOf(s, s->coveredRow, c));
    I5250UpdateDisplay(s, false);
    I5250RepaintRows(s, s->coveredRow, s->coveredRow);
    RequestBell();
}

void I5250ResetInputState(I5250Session* s)
{
    // A help request for an error (state 7) ends with Reset as the error itself does.
    const u8 st = s->inputState;
    if (st == 1 || st == 5)
        return;
    if (st == 2 || st == 3 || st > 8) {
        I5250ClearInsertMode(s);
        return;
    }
    if (st == 4)
        s->cursor = s->savedCursor;
    // Restore: the state before the error, the row the message line covered.
    HideCursorForUpdate();
    I5250SetInputState(s, s->stateBeforeError ? s->stateBeforeError : 3);
    const bool shown = s->errorLineInUse != 0;
    s->errorLineInUse = 0;
    I5250ClearMessageLine(s);
    if (shown)
        for (int c = 0; c < s->current.columns; ++c)
            I5250MarkCell(s, AddressOf(s, s->coveredRow, c));
    I5250UpdateDisplay(s, true);
    I5250TrackCursorField(s);
    s->fieldExitPosition = st == 6 || st == 7 ? 0 : s->savedFieldExit;
    s->fieldTouched = s->savedFieldTouched;
    I5250ClearInsertMode(s);
}

void I5250KeyReset(I5250Session* s)
{
    if (s->text.mode && s->blockMode) {
        I5250BuildTextReply(s, 228);
        s->text.promptActive = s->text.characterRefusal = 0;
        return;
    }
    I5250ResetInputState(s);
    if (s->lockStart)
        I5250SetInhibitNow(s, 0);
    ClearDeferredKeys();
}

bool I5250CheckMandatoryFill(I5250Session* s)
{
    I5250Field* f = I5250CurrentField(s);
    if (!f || Adjust(*f) != kAdjustMandatoryFill || !(f->ffw[0] & kFfwMdt))
        return true;
    const std::vector<i32> cells = I5250FieldCells(*f);
    int nulls = 0;
    for (i32 a : cells)
        nulls += Cell(s, a) == 0;
    if (nulls == 0 || nulls == static_cast<int>(cells.size()))
        return true;
    s->cursor = cells.front();
    I5250OperatorError(s, kOpMandatoryFill);
    return false;
}

bool I5250CheckFieldOnExit(I5250Session* s)
{
    I5250Field* f = I5250CurrentField(s);
    if (!f || !s->fieldTouched)
        return true;
    if (!I5250CheckMandatoryFill(s))
        return false;
    const std::vector<i32> cells = I5250FieldCells(*f);
    if ((f->ffw[0] & kFfwMdt) && (f->entryFlags & 0x08) && (f->selfCheck == 0x40 || f->selfCheck == 0xA0)) {
        bool dup = false;
        const u32 sum = SelfCheckSum(s, *f, cells, dup);
        if (!dup && sum % (f->selfCheck == 0x40 ? 11 : 10) != 0) {
            s->cursor = cells.front();
            s->fieldExitPosition = 0;
            I5250OperatorError(s, kOpSelfCheck);
            return false;
        }
    }
    if ((f->ffw[0] & kFfwMdt) && !s->fieldExitPosition && (Shift(*f) == kShiftSigned || RightAdjust(*f))) {
        I5250OperatorError(s, kOpExitRequired);
        return false;
    }
    if (f->control & 0x40)
        I5250ReflowWordWrapField(s, s->cursor, false, false, false);
    return true;
}

bool I5250CheckMandatoryEnter(I5250Session* s)
{
    if (!s->anyModified)
        return true;
    for (const I5250Field& f : s->fields)
        if ((f.ffw[1] & kFfw2MandatoryEnter) && !(f.ffw[0] & kFfwMdt)) {
            s->cursor = I5250FieldFirst(f);
            I5250TrackCursorField(s);
            I5250OperatorError(s, kOpMandatoryEnter);
            return false;
        }
    return true;
}

void I5250EnterInFill(I5250Session* s)
{
    const u32 setting = I5250Config.enterInFill;
    I5250Field* f = I5250CurrentField(s);
    if (!setting || !f || !Adjust(*f))
        return;
    if (setting & 0x02) {
        f->ffw[1] &= static_cast<u8>(~kFfw2Adjust);
        return;
    }
    s->cursor = I5250FieldLast(*f) + 1 <= s->current.bufferSize ? I5250FieldLast(*f) + 1 : I5250FieldLast(*f);
    I5250FieldExit(s, '!');
}

int I5250EnterCharacter(I5250Session* s, u8 b)
{
    const u8 st = s->inputState;
    if (s->inhibited || st == 1 || st >= 5)
        return 0;
    if (st == 4)
        return I5250SysReqLineCharacter(s, b);
    if (s->text.mode)
        return I5250TextEnterCharacter(s, b);
    if (I5250SelectionMnemonic(s, b))
        return 1;
    I5250Field* f = I5250CurrentField(s);
    if (!f) {
        I5250OperatorError(s, kOpNotInField);
        return 0;
    }
    if ((b == kDup || b == kFieldMark) && (!(f->ffw[0] & kFfwDup) || s->insertMode)) {
        I5250OperatorError(s, kOpDupNotAllowed);
        return 0;
    }
    if (s->cursor == s->fieldExitPosition) {
        I5250OperatorError(s, kOpAlreadyExited);
        return 0;
    }
    s->fieldExitPosition = 0;
    const std::vector<i32> cells = I5250FieldCells(*f);
    const int index = IndexOf(cells, s->cursor);
    if (index < 0) {
        I5250OperatorError(s, kOpNotInField);
        return 0;
    }
    switch (Shift(*f)) {
    case kShiftAlphaOnly: {
        const u8 base = ApplyEbcdicNationalVariant(b, s->ccsid);
        if (!AlphabeticAllowed(base ? base : b)) {
            I5250OperatorError(s, kOpAlphaOnly);
            return 0;
        }
        break;
    }
    case kShiftNumericOnly:
        if (!NumericAllowed(b)) {
            I5250OperatorError(s, kOpNumericOnly);
            return 0;
        }
        break;
    case kShiftDigitsOnly:
        if (!(b == kDup || b == kFieldMark || Digit(b))) {
            I5250OperatorError(s, kOpNumericOnly);
            return 0;
        }
        break;
    case kShiftIo: I5250OperatorError(s, kOpIoField); return 0;
    case kShiftSigned:
        if (s->cursor == cells.back()) {
            I5250OperatorError(s, kOpSignPosition);
            return 0;
        }
        if (!(b == kDup || b == kFieldMark || Digit(b))) {
            I5250OperatorError(s, kOpNumericOnly);
            return 0;
        }
        break;
    default: break;
    }
    const i32 lastData = LastDataCell(*f, cells);
    const int lastIndex = IndexOf(cells, lastData);
    if (s->insertMode && b != kDup) {
        // The cell that takes the last character must be free; the rest move right.
        int target = lastIndex;
        if (f->control & 0x20) {
            target = -1;
            bool data = false;
            for (int i = index; i <= lastIndex; ++i) {
                data = data || Cell(s, cells[static_cast<std::size_t>(i)]) != 0;
                if (data && Cell(s, cells[static_cast<std::size_t>(i)]) == 0) {
                    target = i;
                    break;
                }
            }
            if (target < 0)
                target = lastIndex;
        }
        if (Cell(s, cells[static_cast<std::size_t>(target)]) != 0) {
            I5250OperatorError(s, kOpInsertFull);
            return 0;
        }
        for (int i = target; i > index; --i)
            I5250WriteCell(s, Cell(s, cells[static_cast<std::size_t>(i - 1)]), cells[static_cast<std::size_t>(i)],
                           (f->control & 0x08) != 0);
    }
    const bool asData = (f->control & 0x08) != 0;
    I5250WriteCell(s, b, s->cursor, asData);
    MarkModified(s, *f);
    i32 at = s->cursor;
    if (b == kDup) {
        for (int i = index; i <= lastIndex; ++i)
            I5250WriteCell(s, kDup, cells[static_cast<std::size_t>(i)], asData);
        at = lastData;
        s->cursor = at;
    }
    if (f->control & 0x40) {
        // The cursor follows what comes after the typed character.
        const i32 next = index + 1 < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(index + 1)]
                                                                    : s->cursor;
        I5250ReflowWordWrapField(s, next, true, false, false);
        return 1;
    }
    if (at == lastData) {
        if ((f->ffw[1] & kFfw2ExitRequired) || Shift(*f) == kShiftSigned || RightAdjust(*f)) {
            s->fieldExitPosition = at;
        } else if (f->ffw[1] & kFfw2AutoEnter) {
            if (I5250CheckFieldOnExit(s) && I5250CheckMandatoryEnter(s))
                I5250SendAid(s, 0xF1);
        } else if (f->control & 0x10) {
            if (I5250CheckFieldOnExit(s) && I5250CheckMandatoryEnter(s))
                I5250SendAid(s, 0x50);
        } else if (I5250CheckFieldOnExit(s)) {
            LeaveField(s);
        }
        return 1;
    }
    I5250MoveCursor(s, cells[static_cast<std::size_t>(index + 1)]);
    return 1;
}

void I5250TypedCharacter(I5250Session* s, wchar16 ch)
{
    if (ModalOpen || s->printerSession)
        return;
    if (!s->blockMode) {
        I5250NvtTypedCharacter(s, ch);
        return;
    }
    const I5250Field* f = I5250CurrentField(s);
    if (!s->inhibited && s->inputState == 3 && f && (f->ffw[1] & kFfw2Monocase))
        ch = I5250MonocaseFilter(s, ch);
    switch (ch) {
    case 8: I5250KeyBackspace(s, true); return;
    case 9: I5250KeyTab(s); return;
    case 10: I5250CursorDown(s); return;
    case 13: I5250KeyNewLine(s); return;
    case 127: I5250KeyDeleteChar(s); return;
    default: break;
    }
    if (ch < 0x20 || (ch >= 0x7F && ch < 0xA0))
        return;
    if (ch == u' ' && !I5250SelectionFieldKey(s, kSelectionBlank, s->cursor))
        return;
    const u8 b = UnicodeToHostByte(s->u2s, ch);
    if (b == 0x3F) {
        RequestBell();
        return;
    }
    I5250EnterCharacter(s, b);
}

void I5250FieldExit(I5250Session* s, char sign)
{
    if (!I5250KeyGate(s))
        return;
    if (s->text.mode) {
        I5250BuildTextReply(s, 239);
        return;
    }
    if (!I5250SelectionFieldKey(s, 114, s->cursor))
        return;
    if (s->inputState != 2 && s->inputState != 3)
        return;
    I5250Field* f = I5250CurrentField(s);
    if (!f) {
        I5250OperatorError(s, kOpNotInField);
        return;
    }
    const u8 shift = Shift(*f);
    if (sign == '-' && shift != kShiftNumericOnly && shift != kShiftSigned) {
        I5250OperatorError(s, kOpFieldMinus);
        return;
    }
    if ((f->ffw[1] & kFfw2MandatoryEnter) && !(f->ffw[0] & kFfwMdt)) {
        I5250OperatorError(s, kOpMandatoryEnter);
        return;
    }
    const std::vector<i32> cells = I5250FieldCells(*f);
    const bool asData = (f->control & 0x08) != 0;
    if (s->fieldExitPosition) {
        if (shift == kShiftNumericOnly && Cell(s, s->cursor) != 0 && !Digit(Cell(s, s->cursor))) {
            I5250OperatorError(s, kOpNotDigit);
            return;
        }
    } else {
        const int index = std::max(IndexOf(cells, s->cursor), 0);
        if (Adjust(*f) == kAdjustMandatoryFill && index != 0) {
            I5250OperatorError(s, kOpFillExit);
            return;
        }
        const i32 lastData = LastDataCell(*f, cells);
        const int lastIndex = IndexOf(cells, lastData);
        // What follows the cursor goes; the data before it is right-adjusted.
        for (int i = index; i <= lastIndex; ++i)
            I5250WriteCell(s, 0, cells[static_cast<std::size_t>(i)], asData);
        const bool adjust = RightAdjust(*f) || shift == kShiftSigned;
        if (adjust) {
            const u8 fill = shift == kShiftSigned ? 0x40 : Adjust(*f) == kAdjustZeroFill ? 0xF0 : 0x40;
            std::vector<u8> data;
            for (int i = 0; i < index; ++i)
                data.push_back(Cell(s, cells[static_cast<std::size_t>(i)]));
            while (!data.empty() && data.back() == 0)
                data.pop_back();
            const int pad = lastIndex + 1 - static_cast<int>(data.size());
            for (int i = 0; i <= lastIndex; ++i)
                I5250WriteCell(s, i < pad ? fill : data[static_cast<std::size_t>(i - pad)],
                               cells[static_cast<std::size_t>(i)], asData);
        }
        MarkModified(s, *f);
        s->fieldExitPosition = s->cursor;
    }
    if (shift == kShiftNumericOnly && sign == '-') {
        const i32 last = cells.back();
        I5250WriteCell(s, static_cast<u8>((Cell(s, last) & 0x0F) | 0xD0), last, asData);
        MarkModified(s, *f);
    } else if (shift == kShiftSigned) {
        I5250WriteCell(s, sign == '-' ? kMinus : 0x00, cells.back(), asData);
        MarkModified(s, *f);
    }
    if (!I5250CheckFieldOnExit(s))
        return;
    if (f->ffw[1] & kFfw2AutoEnter)
        I5250SendAid(s, 0xF1);
    else if (f->control & 0x10)
        I5250SendAid(s, 0x50);
    else
        LeaveField(s);
}
