#include "terminal/settings/setup/setupcopy.h"

#include "terminal/settings/store/connsettings.h"
#include "terminal/core/base/family.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/settings/setup/setupfamily.h"

SetupWorkingCopy SetupCopy{};
u16 SetupResult = 0;
u16 SettingsChangedFlag = 0;
u16 RowsChangedFlag = 0;
u16 ColoursEditedFlag = 0;
u16 SetupCharsetsChanged = 0;

namespace {

template <int N>
constexpr SetupCopyFieldTable Table(const SetupCopyField (&fields)[N])
{
    return {fields, N};
}

// One-line initialisers, which clang-format would spread over four lines each.
// clang-format off
#define VX_BYTE(w, l) {&(w), &(l), LiveKind::Byte, 0, 0}
#define VX_INVERTED_BYTE(w, l) {&(w), &(l), LiveKind::Byte, 1, 0}
#define VX_DWORD(w, l) {&(w), &(l), LiveKind::Dword, 0, 0}
#define VX_TEXT(w, l) {(w), (l), LiveKind::Text, 0, static_cast<u16>(sizeof(l) / sizeof((l)[0]))}
#define VX_COUNTED(w, l) {(w), (l), LiveKind::Counted, 0, static_cast<u16>(sizeof(l) / sizeof((l)[0]))}
// clang-format on

SetupWorkingCopy& W = SetupCopy;
Vt300Section& V = Vt300Values;

static_assert(sizeof(SetupWorkingCopy::host) >= sizeof(ConnectionSettings::netname) &&
                  sizeof(SetupWorkingCopy::terminalType) >= sizeof(ConnectionSettings::terminalTypeName) &&
                  sizeof(SetupWorkingCopy::terminalIdText) >= sizeof(Vt300Section::szCustomID) &&
                  sizeof(SetupWorkingCopy::rolloverHost[0]) >= sizeof(ConnectionSettings::rollover[0]),
              "working texts hold their settings whole");

// Filled when a page opens and stored back by OK as they are.
const SetupCopyField kPlainFields[] = {
    VX_BYTE(W.answerbackConcealed, V.answcon),
    VX_COUNTED(W.answerback, V.ans_back),
    VX_COUNTED(W.tertiary, V.vt420_da),
    VX_TEXT(W.terminalIdText, V.szCustomID),
    VX_TEXT(W.host, Connection.netname),
    VX_TEXT(W.terminalType, Connection.terminalTypeName),
    VX_DWORD(W.timeOut, Connection.timeOut),
    VX_BYTE(W.font80, V.font80),
    VX_BYTE(W.freezeNumLock, V.FreezeNumLock),
    VX_BYTE(W.statusLine, V.sl_type),
    VX_BYTE(W.modes[kRowSaveBeforeClear], V.clrscrnsave),
    VX_BYTE(W.modes[kRowSaveScrolled], V.savescrolled),
    VX_BYTE(W.modes[kRowVerticalCoupling], V.vcoupled),
    VX_BYTE(W.modes[kRowHorizontalCoupling], V.hcoupled),
    VX_BYTE(W.modes[kRowPageCoupling], V.pcoupled),
    VX_BYTE(W.modes[kRowAutoWrap], V.autowrap),
    VX_BYTE(W.modes[kRowAutoNewLine], V.autonl),
    VX_BYTE(W.modes[kRowAutoLineFeed], V.autolf),
    VX_BYTE(W.modes[kRowApplicationKeypad], V.kpadmode),
    VX_BYTE(W.modes[kRowApplicationCursor], V.curskeyapp),
    VX_BYTE(W.modes[kRowDisplayControls], V.dspctrl),
    VX_BYTE(W.modes[kRowDisplayErrors], V.disp_errors),
    VX_BYTE(W.modes[kRowJumpScroll], V.JumpScroll),
    VX_BYTE(W.modes[kRowWidthClears], V.clrwdth),
    VX_INVERTED_BYTE(W.modes[kRowBackspaceDel], V.barkmode),
    VX_BYTE(W.modes[kRowIgnoreNulls], V.ignnulls),
    VX_BYTE(W.modes[kRowRightToLeft], V.cursr2l),
    VX_BYTE(W.editOperation, V.inedit),
    VX_BYTE(W.editKeyDeferred, V.edit_key_defer),
    VX_BYTE(W.eraseUnprotected, V.erasemode),
    VX_BYTE(W.editClearsAttributes, V.edit_clrattr),
    VX_BYTE(W.editProtectsAll, V.edit_protall),
    VX_INVERTED_BYTE(W.sendUnprotectedOnly, V.edit_gatm),
    VX_INVERTED_BYTE(W.sendFontInformation, V.edit_nosets),
    VX_BYTE(W.sendSelectedOnly, V.edit_satm),
    VX_INVERTED_BYTE(W.sendRecordSeparators, V.edit_no_rs),
    VX_BYTE(W.sendAllSelected, V.edit_matm),
    VX_BYTE(W.sendCompressed, V.edit_scm),
    VX_BYTE(W.lineTransmission, V.edit_ltm),
    VX_INVERTED_BYTE(W.sendPartialPage, V.edit_ttm),
    VX_BYTE(W.sendKeyDeferred, V.edit_tx_defer),
    VX_BYTE(W.pfKeyEffect, V.edit_pfkey),
    VX_BYTE(W.vt131Protocol, V.edit_131),
};

// Filled the same way; their own apply steps compare and store them.
const SetupCopyField kComparedFields[] = {
    VX_INVERTED_BYTE(W.national, V.mltnat),
    VX_BYTE(W.line[kLineConnection].speed, ConnectionValues.comspeed),
    VX_BYTE(W.line[kLineConnection].parity, ConnectionValues.comparity),
    VX_BYTE(W.line[kLineConnection].stopBits, ConnectionValues.comstopb),
    VX_BYTE(W.line[kLineConnection].dataBits, ConnectionValues.comdatab),
    VX_BYTE(W.line[kLineConnection].flow, ConnectionValues.comflowc),
    VX_BYTE(W.line[kLinePrinter].speed, PrintingValues.line.comspeed),
    VX_BYTE(W.line[kLinePrinter].parity, PrintingValues.line.comparity),
    VX_BYTE(W.line[kLinePrinter].stopBits, PrintingValues.line.comstopb),
    VX_BYTE(W.line[kLinePrinter].dataBits, PrintingValues.line.comdatab),
    VX_BYTE(W.line[kLinePrinter].flow, PrintingValues.line.comflowc),
    VX_BYTE(W.line[kLineAux].speed, AuxValues.line.comspeed),
    VX_BYTE(W.line[kLineAux].parity, AuxValues.line.comparity),
    VX_BYTE(W.line[kLineAux].stopBits, AuxValues.line.comstopb),
    VX_BYTE(W.line[kLineAux].dataBits, AuxValues.line.comdatab),
    VX_BYTE(W.line[kLineAux].flow, AuxValues.line.comflowc),
    VX_BYTE(W.transmitRate, ConnectionValues.etxspeed),
    VX_BYTE(W.device, ConnectionValues.comdevice),
    VX_DWORD(W.deviceKind, ConnectionValues.comdeviceType),
    VX_BYTE(W.ansiCodePage, V.ansi386_codepage),
};

#undef VX_BYTE
#undef VX_INVERTED_BYTE
#undef VX_DWORD
#undef VX_TEXT
#undef VX_COUNTED

// The block ends are bytes with a count; the page shows them up to the first NUL (a
// NUL is never sent) and an untouched text leaves both as they were.
void FillLineEnd(wchar16* counted, u8 count, const u8* list)
{
    wchar16 raw[kLineEndChars + 1] = {};
    for (int i = 0; i < count && i < kLineEndChars && list[i]; ++i)
        raw[i] = list[i];
    EncodeSetupText(counted, raw, kLineEndTextChars);
}

void StoreLineEnd(const wchar16* counted, u8& count, u8* list)
{
    wchar16 raw[kLineEndTextChars + 1] = {};
    const int n = DecodeSetupField(raw, counted, kLineEndTextChars);
    wchar16 old[kLineEndChars + 1] = {};
    for (int i = 0; i < count && i < kLineEndChars && list[i]; ++i)
        old[i] = list[i];
    int same = 0;
    while (same <= kLineEndChars && raw[same] == old[same] && raw[same])
        ++same;
    if (raw[same] == old[same])
        return;
    for (int i = 0; i <= kLineEndChars; ++i)
        list[i] = i < n ? static_cast<u8>(raw[i]) : 0;
    count = static_cast<u8>(n);
}

void CopyUnits(wchar16* to, int capacity, const wchar16* from)
{
    int i = 0;
    for (; i < capacity - 1 && from[i]; ++i)
        to[i] = from[i];
    to[i] = 0;
}

}  // namespace

void FillCopyFields(SetupCopyFieldTable table)
{
    for (int i = 0; i < table.count; ++i) {
        const SetupCopyField& f = table.fields[i];
        switch (f.kind) {
        case LiveKind::Byte: {
            // A byte setting is zero-extended: 255 ("no port") stays 255 in its field.
            const u16 live = *static_cast<const u8*>(f.live);
            *static_cast<u16*>(f.working) = f.inverted ? (live == 0) : live;
            break;
        }
        case LiveKind::Word: {
            const u16 live = *static_cast<const u16*>(f.live);
            *static_cast<u16*>(f.working) = f.inverted ? (live == 0) : live;
            break;
        }
        case LiveKind::Dword: *static_cast<u32*>(f.working) = *static_cast<const u32*>(f.live); break;
        case LiveKind::Text:
            CopyUnits(static_cast<wchar16*>(f.working), f.capacity, static_cast<const wchar16*>(f.live));
            break;
        case LiveKind::Counted:
            EncodeSetupText(static_cast<wchar16*>(f.working), static_cast<const wchar16*>(f.live), f.capacity - 1);
            break;
        }
    }
}

void StoreCopyFields(SetupCopyFieldTable table)
{
    for (int i = 0; i < table.count; ++i) {
        const SetupCopyField& f = table.fields[i];
        switch (f.kind) {
        case LiveKind::Byte: {
            const u16 w = *static_cast<const u16*>(f.working);
            *static_cast<u8*>(f.live) = static_cast<u8>(f.inverted ? (w == 0) : w);
            break;
        }
        case LiveKind::Word: {
            const u16 w = *static_cast<const u16*>(f.working);
            *static_cast<u16*>(f.live) = static_cast<u16>(f.inverted ? (w == 0) : w);
            break;
        }
        case LiveKind::Dword: *static_cast<u32*>(f.live) = *static_cast<const u32*>(f.working); break;
        case LiveKind::Text:
            CopyUnits(static_cast<wchar16*>(f.live), f.capacity, static_cast<const wchar16*>(f.working));
            break;
        case LiveKind::Counted:
            DecodeSetupField(static_cast<wchar16*>(f.live), static_cast<const wchar16*>(f.working),
                             f.capacity - 1);
            break;
        }
    }
}

int SetupSizeNumber(const wchar16* counted)
{
    int value = 0;
    for (const wchar16* p = counted + 1; *p >= '0' && *p <= '9' && value < 100000; ++p)
        value = value * 10 + (*p - '0');
    return value;
}

void SetSetupSizeText(wchar16* counted, int value)
{
    wchar16 digits[12];
    int n = 0;
    if (value < 0)
        value = 0;
    do {
        digits[n++] = static_cast<wchar16>('0' + value % 10);
        value /= 10;
    } while (value && n < kSizeTextChars);
    counted[0] = kSizeTextChars;
    for (int i = 0; i < n; ++i)
        counted[1 + i] = digits[n - 1 - i];
    counted[1 + n] = 0;
}

void FillSetupCopyEmulation()
{
    ForEachFamily([](const FamilyHooks& family) {
        if (!family.setup)
            return;
        FillCopyFields(family.setup->fields);
        if (family.setup->fill)
            family.setup->fill();
    });
}

void FillSetupCopyFields()
{
    SetupResult = 0;
    FillCopyFields(Table(kPlainFields));
    FillCopyFields(Table(kComparedFields));
    FillLineEnd(W.endOfLine, V.edit_eol_cnt, V.edit_eol_ch);
    FillLineEnd(W.endOfBlock, V.edit_eob_cnt, V.edit_eob_ch);
}

void StoreSetupCopyFields()
{
    // The families compare the copy with the settings it was filled from first.
    ForEachFamily([](const FamilyHooks& family) {
        if (family.setup && family.setup->apply)
            family.setup->apply();
    });
    StoreCopyFields(Table(kPlainFields));
    StoreLineEnd(W.endOfLine, V.edit_eol_cnt, V.edit_eol_ch);
    StoreLineEnd(W.endOfBlock, V.edit_eob_cnt, V.edit_eob_ch);
    ForEachFamily([](const FamilyHooks& family) {
        if (family.setup)
            StoreCopyFields(family.setup->fields);
    });
}

void FinishSetupCopyFamilies()
{
    ForEachFamily([](const FamilyHooks& family) {
        if (family.setup && family.setup->applied)
            family.setup->applied();
    });
}
