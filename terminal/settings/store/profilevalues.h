// The plain values of the profile sections this subsystem stores, as data: each
// section's live values and a table of {value name, kind, factory value, field} that
// the profile store walks to load and save them. Values with rules of their own (the
// packed host names, the tab-stop pattern, print margins, the LPR values, line-end
// lists) are fields here too but are handled by the store's code.
#pragma once

#include "terminal/settings/store/connsettings.h"
#include "terminal/core/base/vxtypes.h"

enum class ValueKind : u8 {
    Byte,   // a u8 field, stored sign-extended in a REG_DWORD, compared as a byte
    Dword,  // a u32 field in a REG_DWORD
    Text,   // a wchar16 field of `capacity` units in a REG_SZ, written when not empty
};

struct ProfileValue {
    const wchar16* name;
    ValueKind kind;
    i32 factory;
    void* field;
    u16 capacity;  // Text only
};

struct ValueTable {
    const ProfileValue* values;
    int count;
};

// Sets every value of a table to its factory value (texts empty).
void SetFactoryValues(ValueTable table);

// SAVEDITEMS: which parts of a profile a load applies. Every flag but GPaste is 1 by
// default and written only when 0.
struct SavedItemFlags {
    u8 savemacros, savebuttons, saveattrs, savewindow, saverows, savebuffer, savenetwork, savesettings,
        saveprotocol;
    u8 GPaste;  // a terminal-core flag kept in this section, default 0
};
extern SavedItemFlags SavedItems;
extern const ValueTable kSavedItemValues;

// COLOURS: the attribute colour table and colour flags (colours.h); bwswap is loaded
// first of all because the palette's factory form depends on it.
extern const ValueTable kColourValues;
extern const ProfileValue kBwswapValue;

// WINDOW. The sizes, the placement and the language are the screen store's, the main
// window's and the language binding's; these are the sizes' factory values.
constexpr i32 kDefaultRows = 24;
constexpr i32 kDefaultStoreLines = 528;

// CONNECTION. The values the connection code reads are its own (Connection, LocalEcho);
// the rest of the section is kept here.
constexpr int kProfileHostUnits = kRolloverHostUnits;
struct ConnectionSection {
    wchar16 netname1[kProfileHostUnits];  // stored and saved only
    u8 vdulocal;                          // local mode
    u32 ltxlimit;
    u8 comdevice;  // serial device index, 255 none
    u32 comdeviceType;
    u8 comspeed, comparity, comstopb, comdatab, comflowc;
    u8 etxspeed;  // transmit-speed index
    u8 detectdcd;
};
extern ConnectionSection ConnectionValues;
constexpr u8 kNoSerialDevice = 255;
// The numbers of CONNECTION that follow the plain rules (netproto, the device, the
// ports, iTnPortClose and lecho are loaded by rules of their own).
extern const ValueTable kConnectionLineValues;
// Factory CONNECTION values, in Connection too.
void SetFactoryConnection();

// The main window's place, remembered with the profile (WINDOW section).
extern u32 RememberedWindowState;  // 0 normal, 1 maximised, 2 minimised
struct SavedRect {
    i32 x, y, width, height;
};
extern SavedRect SavedWindowRect;

// A serial line's settings, as PRINTING and AUX keep them for their ports.
struct LineSettings {
    u8 comspeed, comparity, comstopb, comdatab, comflowc;
};

// PRINTING.
constexpr int kPrinterNameUnits = 64;
// A port name as the port list holds it (32 units), so a long one is never cut.
constexpr int kPortNameUnits = 32;
// The print screen methods (PrintMode), also the ids of their radio buttons.
constexpr u32 kPrintMethodText = 1109, kPrintMethodGraphics = 1110;
struct PrintingSection {
    u32 iPrintDelay, PrintMode, bUsePrintResolution, ScaleFactor, iPrintImage, bPrtAutoWrap, bCentrePrint;
    u32 PaperSize, Orientation;
    wchar16 PMPrinter[kPrinterNameUnits], PMPort[kPrinterNameUnits];
    u16 PrintMargins[4];
    u32 PrintUnits;
    u8 defaultMargins;  // 1: the printer's own margins; PrintMargins is not stored
    u32 DirectToPort;
    wchar16 Port[kPortNameUnits];
    u32 ViaLPR;
    wchar16 LPRPrint[kPrinterNameUnits], LPRDevice[kPrinterNameUnits], LPRJob[kPrinterNameUnits],
        LPRUser[kPrinterNameUnits];
    u32 LPRCopies, LPRRetries, LPRRetryDelay, LPRBanner, LPRDebug;
    u32 ConvertHostChars, PrintTerminator, AutoLF;
    LineSettings line;
};
extern PrintingSection PrintingValues;
extern const ValueTable kPrintingValues;  // the plain ones, written whatever ViaLPR says
extern const ValueTable kLprValues;       // written only while ViaLPR is set
void SetFactoryPrinting();

// AUX: the auxiliary printer port.
struct AuxSection {
    wchar16 Port[kPortNameUnits];
    LineSettings line;
};
extern AuxSection AuxValues;
extern const ValueTable kAuxValues;

// VT300: the DEC VT family's settings. The byte values read like the registry list,
// with their factory values; "termid" (8) between the two halves is the VT terminal
// model the DEC emulation keeps (TerminalId).
// clang-format off
#define VX_VT300_BYTES_BEFORE_TERMID(X)                                                                     \
    X(vdumode, 2) X(mltnat, 1) X(answcon, 0) X(dspwdth, 79) X(autowrap, 0) X(curstyle, 1) X(bswrap, 0)      \
    X(nodispdel, 1) X(clrwdth, 1) X(ignnulls, 0) X(cursorg, 1) X(autonl, 0) X(autolf, 0) X(cursr2l, 0)      \
    X(copyr2l, 0)
#define VX_VT300_BYTES_AFTER_TERMID(X)                                                                      \
    X(CtrlAsEnter, 0) X(CRAsEnter, 0) X(CtrlAsReset, 0) X(dspctrl, 0)                                       \
    X(kbdrpt, 1) X(kpadmode, 0) X(DecKeyMode, 0) X(curskeyapp, 0) X(dpkmode, 0) X(pfklock, 0)               \
    X(barkmode, 1) X(colattrbs, 0) X(sl_type, 1) X(disp_errors, 1) X(JumpScroll, 0) X(FreezeNumLock, 0)     \
    X(scrollmem, 0) X(maxiscroll, 0) X(pagewdth, 79) X(clrscrnsave, 0) X(savescrolled, 0) X(font80, 0)     \
    X(vcoupled, 1) X(hcoupled, 0) X(pcoupled, 1) X(ansi386_codepage, 0) X(ansi386_upss, 4) X(inedit, 2)    \
    X(erasemode, 1) X(edit_protall, 0) X(edit_clrattr, 0) X(edit_pfkey, 0) X(edit_key_defer, 0)             \
    X(edit_ltm, 0) X(edit_ttm, 0) X(edit_131, 0) X(edit_gatm, 0) X(edit_satm, 0) X(edit_matm, 1)            \
    X(edit_scm, 0) X(edit_no_rs, 1) X(edit_tx_defer, 0) X(edit_nosets, 1)
// clang-format on
// The VT terminal model 0-14 (vt100 ... vt525): its reports, pages and telnet terminal
// type. The models named here are those whose behaviour differs; the others differ only
// by their place in the name and answer tables.
extern u8 TerminalId;
constexpr int kTerminalModelCount = 15;
constexpr u8 kTerminalVt340 = 7, kTerminalVt420 = 8, kTerminalVt510 = 12, kTerminalVt520 = 13, kTerminalVt525 = 14;
constexpr u8 kFactoryTerminalId = kTerminalVt420;
// The VT510 class: vt510, vt520 and vt525.
constexpr bool IsVt510ClassModel(u32 model)
{
    return model >= kTerminalVt510 && model <= kTerminalVt525;
}
// The models with pages: a profile without a line count gives them 144 lines.
constexpr bool ModelHasPages(u32 model)
{
    return model == kTerminalVt340 || model == kTerminalVt420 || IsVt510ClassModel(model);
}
// The models that answer the tertiary device attributes request.
constexpr bool ModelAnswersTertiary(u32 model)
{
    return model == kTerminalVt420 || IsVt510ClassModel(model);
}

constexpr int kTabStopColumns = 132;
constexpr int kLineEndChars = 5;  // block-end and line-end characters at most
struct Vt300Section {
#define VX_FIELD(name, factory) u8 name;
    VX_VT300_BYTES_BEFORE_TERMID(VX_FIELD)
    VX_VT300_BYTES_AFTER_TERMID(VX_FIELD)
#undef VX_FIELD
    u8 edit_eob_cnt, edit_eol_cnt;
    u8 edit_eob_ch[kLineEndChars + 1], edit_eol_ch[kLineEndChars + 1];  // terminated
    wchar16 tabstops[kTabStopColumns + 1];                              // "T" at a stop, a space elsewhere
    wchar16 ans_back[33];  // 32 characters, the most an answerback holds
    wchar16 szCustomID[133];
    wchar16 vt420_da[34];
};
extern Vt300Section Vt300Values;
// The byte values and the three reply texts; tabstops and the line-end lists have rules
// of their own.
extern const ValueTable kVt300Values;
void SetFactoryVt300();
// The factory tab stops: every eighth column from the first.
void FactoryTabStops(wchar16 (&stops)[kTabStopColumns + 1]);
