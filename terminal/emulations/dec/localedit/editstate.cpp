// The state of local editing: on or off, the protection rules, guarded and selected
// areas, fields, and the host's commands that set them up (areas, guarded attributes,
// end-of-line and end-of-block strings, conformance levels).
#include "terminal/core/host/hostio.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/controls/cursorcmds.h"
#include "terminal/emulations/dec/keys/keymodes.h"
#include "terminal/emulations/dec/localedit/localedit.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/controls/vtcharsets.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/settings/store/profilevalues.h"

LocalEditState LocalEdit;

namespace {

constexpr u8 kRenditionShown = kRendBold | kRendUnderline | kRendBlink | kRendReverse | kRendInvisible;

// The G1 choice of block transmission set by the conformance levels.
u8 g_g1Choice = 0;

// Sets `bit` in every cell from (row, column) to the cursor, whole rows between.
void MarkArea(int row, int column, u8 bit)
{
    int r0 = row, c0 = column, r1 = Screen.cursorRow, c1 = Screen.cursorColumn;
    if (r0 > r1 || (r0 == r1 && c0 > c1)) {
        std::swap(r0, r1);
        std::swap(c0, c1);
    }
    for (int r = r0; r <= r1; ++r) {
        ScreenLineRecord* line = LineAt(r);
        if (!line)
            continue;
        const int first = r == r0 ? c0 : 0;
        const int last = r == r1 ? c1 : Screen.lastColumn;
        for (int c = first; c <= last && c < kStoreColumns; ++c)
            line->cells[c].rendition |= bit;
    }
}

// Up to six codes of the parameters, each 0..255 (255 beyond); no parameter gives 0.
void SetLineEnd(u8& count, u8 (&list)[kLineEndChars + 1])
{
    int n = ParamCount();
    if (n > kLineEndChars)
        n = kLineEndChars;
    for (int i = 0; i < n; ++i) {
        const int p = Param(i + 1);
        list[i] = static_cast<u8>(p > 255 ? 255 : p);
    }
    list[n] = 0;
    count = static_cast<u8>(n);
}

void SetGuardedAttributes()
{
    for (int i = 1; i <= ParamCount(); ++i) {
        const int p = Param(i);
        u8 bit = 0;
        switch (p >= 20 && p < 30 ? p - 20 : p) {
        case 1: bit = kRendBold; break;
        case 4: bit = kRendUnderline; break;
        case 5: bit = kRendBlink; break;
        case 7: bit = kRendReverse; break;
        case 8: bit = kRendInvisible; break;
        default: break;
        }
        if (p == 0) {
            LocalEdit.guardMask = 0;
            LocalEdit.plainGuarded = 0;
        } else if (p == 254) {
            LocalEdit.plainGuarded = 1;
        } else if (p >= 22 && p <= 28) {
            LocalEdit.guardMask &= static_cast<u8>(~bit);
        } else if (p < 10) {
            LocalEdit.guardMask |= bit;
        }
    }
}

void SetEndOfBlock()
{
    Vt300Section& v = Vt300Values;
    if (ParamMarker() == '?') {
        SetLineEnd(v.edit_eob_cnt, v.edit_eob_ch);
        return;
    }
    if (ParamMarker() != ' ')
        return;
    // The single characters the terminal offers: FF, ETX, EOT, CR, DC3.
    static constexpr u8 kSingle[6] = {0, 0x0C, 0x03, 0x04, 0x0D, 0x13};
    const int p = Param(1);
    if (p > 5)
        return;
    v.edit_eob_ch[0] = kSingle[p];
    v.edit_eob_ch[1] = 0;
    v.edit_eob_cnt = p == 0 ? 0 : 1;
}

void SelectConformanceLevel(int level)
{
    if (!IsVt500Emulation())
        return;
    if (level <= 2) {
        VtMode.designation[1] = kSetLatin1;
        VtMode.set96[1] = 1;
        VtMode.grSet = 1;
    }
    VtMode.designation[0] = kSetAscii;
    VtMode.set96[0] = 0;
    VtMode.glSet = 0;
    Charsets.setDisplayFlag = 0;
    g_g1Choice = 1;
}

}  // namespace

void SyncLocalEditState()
{
    u8& state = Vt300Values.inedit;
    if (state > 2)
        state = 2;
    DecModes.localEditState = state;
    VtLocalEditFlag = state;
}

void SetLocalEditState(bool on)
{
    if (Vt300Values.inedit == 2)
        return;
    Vt300Values.inedit = on ? 1 : 0;
    SyncLocalEditState();
    ShowEditLockStatus();
}

void SetLocalEditMode(bool on)
{
    if (Vt300Values.inedit == 2)
        return;
    if (Vt300Values.edit_key_defer) {
        // The host decides: it is asked to set (or reset) the block mode.
        static const wchar16 kEnter[] = {0xFF9B, '?', '1', '0', 'h', 0};
        static const wchar16 kLeave[] = {0xFF9B, '?', '1', '0', 'l', 0};
        SendReport(on ? kEnter : kLeave);
        return;
    }
    SetLocalEditState(on);
}

void ResetLocalEdit()
{
    LocalEdit = LocalEditState{};
    g_g1Choice = 0;
}

u8 BlockG1Choice()
{
    return g_g1Choice;
}

bool ProtectionForced()
{
    return Vt300Values.edit_protall == 1 || LocalEdit.transmitLock;
}

bool ProtectionRulesInForce()
{
    return ProtectionForced() || Vt300Values.erasemode == 0;
}

bool EditCellGuarded(int row, int column)
{
    if (!ProtectionRulesInForce())
        return false;
    if (row < Screen.top || row > Screen.bottom)
        return true;
    const ScreenLineRecord* line = LineAt(row);
    if (!line || column < 0 || column >= kStoreColumns)
        return true;
    const u8 r = line->cells[column].rendition;
    return (r & kRendGuarded) || (r & LocalEdit.guardMask) || (LocalEdit.plainGuarded && !(r & kRenditionShown));
}

bool EditNextUnguarded()
{
    int row = Screen.cursorRow, column = Screen.cursorColumn;
    const int lastRow = Screen.bottom < Screen.pageLength - 1 ? Screen.bottom : Screen.pageLength - 1;
    while (EditCellGuarded(row, column)) {
        if (++column > Screen.right) {
            if (row >= lastRow)
                return false;
            ++row;
            column = 0;
        }
    }
    MoveCursorAbsolute(row, column);
    return true;
}

bool EditPreviousUnguarded()
{
    int row = Screen.cursorRow, column = Screen.cursorColumn;
    while (EditCellGuarded(row, column)) {
        if (--column < 0) {
            if (row <= Screen.top || row <= 0)
                return false;
            --row;
            column = Screen.right;
        }
    }
    MoveCursorAbsolute(row, column);
    return true;
}

int FieldStart(int row, int column)
{
    const ScreenLineRecord* line = LineAt(row);
    if (!line)
        return column;
    const u8 bits = line->cells[column].rendition & kFieldBits;
    const int left = column >= Screen.left ? Screen.left : 0;
    while (column > left && (line->cells[column - 1].rendition & kFieldBits) == bits)
        --column;
    return column;
}

int FieldEnd(int row, int column)
{
    const ScreenLineRecord* line = LineAt(row);
    if (!line)
        return column;
    const u8 bits = line->cells[column].rendition & kFieldBits;
    const int right = column <= Screen.right ? Screen.right : Screen.lastColumn;
    while (column < right && (line->cells[column + 1].rendition & kFieldBits) == bits)
        ++column;
    return column;
}

// ---- host commands ----

void StartSelectedArea()
{
    LocalEdit.selectedRow = Screen.cursorRow;
    LocalEdit.selectedColumn = Screen.cursorColumn;
    LocalEdit.selectedPending = 1;
}

void EndSelectedArea()
{
    if (!LocalEdit.selectedPending)
        return;
    MarkArea(LocalEdit.selectedRow, LocalEdit.selectedColumn, kRendSelected);
    LocalEdit.selectedPending = 0;
}

void StartProtectedArea()
{
    LocalEdit.guardedRow = Screen.cursorRow;
    LocalEdit.guardedColumn = Screen.cursorColumn;
    LocalEdit.guardedPending = 1;
}

void EndProtectedArea()
{
    if (!LocalEdit.guardedPending)
        return;
    MarkArea(LocalEdit.guardedRow, LocalEdit.guardedColumn, kRendGuarded);
    LocalEdit.guardedPending = 0;
}

void LocalEditFieldCommand()
{
    if (CurrentByte() == '}') {
        if (ParamMarker() == ' ')
            SetGuardedAttributes();
        return;
    }
    SetEndOfBlock();
}

void SetBlockEndOfLineString()
{
    SetLineEnd(Vt300Values.edit_eol_cnt, Vt300Values.edit_eol_ch);
}

int LocalEditAttributeSet()
{
    return LocalEdit.guardMask;
}

void SelectConformanceLevel1()
{
    SelectConformanceLevel(1);
}

void SelectConformanceLevel2()
{
    SelectConformanceLevel(2);
}

void SelectConformanceLevel3()
{
    SelectConformanceLevel(3);
}
