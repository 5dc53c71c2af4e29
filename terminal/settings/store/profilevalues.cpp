#include "terminal/settings/store/profilevalues.h"

#include "terminal/settings/store/colours.h"

SavedItemFlags SavedItems{1, 1, 1, 1, 1, 1, 1, 1, 1, 0};
ConnectionSection ConnectionValues{{}, 0, 0, kNoSerialDevice, 0, 6, 0, 0, 2, 1, 10, 0};
PrintingSection PrintingValues{};
AuxSection AuxValues{};
Vt300Section Vt300Values{};
u8 TerminalId = 0;
u32 RememberedWindowState = 0;
SavedRect SavedWindowRect{0, 0, 800, 600};

namespace {
template <int N>
constexpr ValueTable Table(const ProfileValue (&values)[N])
{
    return {values, N};
}

// The tables are laid out by hand, two columns where the values pair up.
// clang-format off
#define VX_BYTE(field, name, factory) {VXT(name), ValueKind::Byte, factory, &(field), 0}
#define VX_DWORD(field, name, factory) {VXT(name), ValueKind::Dword, factory, &(field), 0}
#define VX_TEXT(field, name) \
    {VXT(name), ValueKind::Text, 0, (field), static_cast<u16>(sizeof(field) / sizeof((field)[0]))}

constexpr ProfileValue kSavedItemTable[] = {
    VX_BYTE(SavedItems.savemacros, "savemacros", 1),   VX_BYTE(SavedItems.savebuttons, "savebuttons", 1),
    VX_BYTE(SavedItems.saveattrs, "saveattrs", 1),     VX_BYTE(SavedItems.savewindow, "savewindow", 1),
    VX_BYTE(SavedItems.saverows, "saverows", 1),       VX_BYTE(SavedItems.savebuffer, "savebuffer", 1),
    VX_BYTE(SavedItems.savenetwork, "savenetwork", 1), VX_BYTE(SavedItems.savesettings, "savesettings", 1),
    VX_BYTE(SavedItems.saveprotocol, "saveprotocol", 1), VX_BYTE(SavedItems.GPaste, "GPaste", 0),
};

constexpr AttributeColours& A = AttributeColourTable;
// Foreground factory bytes: 7 plus 0x80 bold, 0x40 underline, 0x20 inverse, 0x10 flash.
constexpr ProfileValue kColourTable[] = {
    VX_BYTE(A.frg[0], "frgnorm", 7),          VX_BYTE(A.frgscrn, "frgscrn", 0),
    VX_BYTE(A.frg[1], "frgbold", 135),        VX_BYTE(A.frg[2], "frgul", 71),
    VX_BYTE(A.frg[3], "frgulbd", 199),        VX_BYTE(A.frg[4], "frgfl", 23),
    VX_BYTE(A.frg[5], "frgflbd", 151),        VX_BYTE(A.frg[6], "frgflul", 87),
    VX_BYTE(A.frg[7], "frgflbdul", 215),      VX_BYTE(A.frg[8], "frgiv", 39),
    VX_BYTE(A.frg[9], "frgivbd", 167),        VX_BYTE(A.frg[10], "frgivul", 103),
    VX_BYTE(A.frg[11], "frgivulbd", 231),     VX_BYTE(A.frg[12], "frgivfl", 55),
    VX_BYTE(A.frg[13], "frgivflbd", 183),     VX_BYTE(A.frg[14], "frgivflul", 119),
    VX_BYTE(A.frg[15], "frgivflbdul", 247),   VX_BYTE(A.bck[0], "bcknorm", 0),
    VX_BYTE(A.bckscrn, "bckscrn", 0),         VX_BYTE(A.bck[1], "bckbold", 0),
    VX_BYTE(A.bck[2], "bckul", 0),            VX_BYTE(A.bck[3], "bckulbd", 0),
    VX_BYTE(A.bck[4], "bckfl", 0),            VX_BYTE(A.bck[5], "bckflbd", 0),
    VX_BYTE(A.bck[6], "bckflul", 0),          VX_BYTE(A.bck[7], "bckflbdul", 0),
    VX_BYTE(A.bck[8], "bckiv", 0),            VX_BYTE(A.bck[9], "bckivbd", 0),
    VX_BYTE(A.bck[10], "bckivul", 0),         VX_BYTE(A.bck[11], "bckivulbd", 0),
    VX_BYTE(A.bck[12], "bckivfl", 0),         VX_BYTE(A.bck[13], "bckivflbd", 0),
    VX_BYTE(A.bck[14], "bckivflul", 0),       VX_BYTE(A.bck[15], "bckivflbdul", 0),
    VX_BYTE(A.frgcurs, "frgcurs", 0),         VX_BYTE(A.frgpalette, "frgpalette", 0),
    VX_BYTE(A.bckpalette, "bckpalette", 0),   VX_BYTE(Colours.autocolour, "autocolour", 0),
    VX_BYTE(Colours.noansicolours, "noansicolours", 0), VX_BYTE(Colours.invcolour, "invcolour", 0),
    VX_BYTE(Colours.bwswap, "bwswap", 0),     VX_BYTE(Colours.keepcolours, "keepcolours", 0),
    VX_BYTE(Colours.attribsnormbg, "attribsnormbg", 0), VX_BYTE(Colours.bolditalic, "bolditalic", 0),
    VX_BYTE(Colours.boldfont, "boldfont", 0),
};

constexpr ConnectionSection& C = ConnectionValues;
constexpr ProfileValue kConnectionLineTable[] = {
    VX_DWORD(Connection.timeOut, "TimeOut", 0), VX_BYTE(C.vdulocal, "vdulocal", 0),
    VX_DWORD(C.ltxlimit, "ltxlimit", 0),        VX_BYTE(C.comspeed, "comspeed", 6),
    VX_BYTE(C.comparity, "comparity", 0),       VX_BYTE(C.comstopb, "comstopb", 0),
    VX_BYTE(C.comdatab, "comdatab", 2),         VX_BYTE(C.comflowc, "comflowc", 1),
    VX_BYTE(C.etxspeed, "etxspeed", 10),        VX_BYTE(C.detectdcd, "detectdcd", 0),
    VX_DWORD(Connection.noConnection, "NoConnection", 0),
};

constexpr PrintingSection& P = PrintingValues;
constexpr ProfileValue kPrintingTable[] = {
    VX_DWORD(P.iPrintDelay, "iPrintDelay", 0),
    VX_DWORD(P.PrintMode, "PrintMode", 1109),
    VX_DWORD(P.bUsePrintResolution, "bUsePrintResolution", 0),
    VX_DWORD(P.ScaleFactor, "ScaleFactor", 100),
    VX_DWORD(P.iPrintImage, "iPrintImage", 0),
    VX_DWORD(P.bPrtAutoWrap, "bPrtAutoWrap", 0),
    VX_DWORD(P.bCentrePrint, "bCentrePrint", 0),
    VX_DWORD(P.PaperSize, "PaperSize", 9),
    VX_DWORD(P.Orientation, "Orientation", 1),
    VX_DWORD(P.DirectToPort, "DirectToPort", 0),
    VX_DWORD(P.ViaLPR, "ViaLPR", 0),
    VX_DWORD(P.ConvertHostChars, "ConvertHostChars", 0),
    VX_DWORD(P.PrintTerminator, "PrintTerminator", 0),
    VX_DWORD(P.AutoLF, "AutoLF", 0),
    VX_BYTE(P.line.comspeed, "comspeed", 6),
    VX_BYTE(P.line.comparity, "comparity", 0),
    VX_BYTE(P.line.comstopb, "comstopb", 0),
    VX_BYTE(P.line.comdatab, "comdatab", 2),
    VX_BYTE(P.line.comflowc, "comflowc", 1),
};

constexpr ProfileValue kLprTable[] = {
    VX_TEXT(P.LPRPrint, "LPRPrint"),          VX_TEXT(P.LPRDevice, "LPRDevice"),
    VX_TEXT(P.LPRJob, "LPRJob"),              VX_TEXT(P.LPRUser, "LPRUser"),
    VX_DWORD(P.LPRCopies, "LPRCopies", 1),    VX_DWORD(P.LPRRetries, "LPRRetries", 0),
    VX_DWORD(P.LPRRetryDelay, "LPRRetryDelay", 0), VX_DWORD(P.LPRBanner, "LPRBanner", 0),
    VX_DWORD(P.LPRDebug, "LPRDebug", 0),
};

constexpr ProfileValue kAuxTable[] = {
    VX_TEXT(AuxValues.Port, "Port"),
    VX_BYTE(AuxValues.line.comspeed, "comspeed", 6),
    VX_BYTE(AuxValues.line.comparity, "comparity", 0),
    VX_BYTE(AuxValues.line.comstopb, "comstopb", 0),
    VX_BYTE(AuxValues.line.comdatab, "comdatab", 2),
    VX_BYTE(AuxValues.line.comflowc, "comflowc", 1),
};

#define VX_VT300_ROW(name, factory) {VXT(#name), ValueKind::Byte, factory, &Vt300Values.name, 0},
constexpr ProfileValue kVt300Table[] = {
    VX_VT300_BYTES_BEFORE_TERMID(VX_VT300_ROW)
    VX_BYTE(TerminalId, "termid", kFactoryTerminalId),
    VX_VT300_BYTES_AFTER_TERMID(VX_VT300_ROW)
    VX_TEXT(Vt300Values.ans_back, "ans_back"),
    VX_TEXT(Vt300Values.szCustomID, "szCustomID"),
    VX_TEXT(Vt300Values.vt420_da, "vt420_da"),
};
#undef VX_VT300_ROW
// clang-format on
}  // namespace

const ValueTable kSavedItemValues = Table(kSavedItemTable);
const ValueTable kColourValues = Table(kColourTable);
const ProfileValue kBwswapValue = VX_BYTE(Colours.bwswap, "bwswap", 0);
const ValueTable kConnectionLineValues = Table(kConnectionLineTable);
const ValueTable kPrintingValues = Table(kPrintingTable);
const ValueTable kLprValues = Table(kLprTable);
const ValueTable kAuxValues = Table(kAuxTable);
const ValueTable kVt300Values = Table(kVt300Table);

void SetFactoryValues(ValueTable table)
{
    for (int i = 0; i < table.count; ++i) {
        const ProfileValue& v = table.values[i];
        switch (v.kind) {
        case ValueKind::Byte: *static_cast<u8*>(v.field) = static_cast<u8>(v.factory); break;
        case ValueKind::Dword: *static_cast<u32*>(v.field) = static_cast<u32>(v.factory); break;
        case ValueKind::Text: static_cast<wchar16*>(v.field)[0] = 0; break;
        }
    }
}

void SetFactoryConnection()
{
    ConnectionValues = ConnectionSection{};
    SetFactoryValues(kConnectionLineValues);
    ConnectionValues.comdevice = kNoSerialDevice;
    Connection.netname[0] = 0;
    for (wchar16* host : Connection.rollover)
        host[0] = 0;
    Connection.hostrollover = 0;
    Connection.netproto = 1;
    Connection.telnetPort = 23;
    Connection.localPort = 0;
    Connection.closeBudget = 20;
    Connection.terminalTypeName[0] = 0;
    LocalEcho = 0;
}

void SetFactoryPrinting()
{
    PrintingValues = PrintingSection{};
    SetFactoryValues(kPrintingValues);
    SetFactoryValues(kLprValues);
    PrintingValues.PrintUnits = 1;
    PrintingValues.defaultMargins = 1;
}

void FactoryTabStops(wchar16 (&stops)[kTabStopColumns + 1])
{
    for (int column = 0; column < kTabStopColumns; ++column)
        stops[column] = column % 8 == 0 ? VXT('T') : VXT(' ');
    stops[kTabStopColumns] = 0;
}

void SetFactoryVt300()
{
    Vt300Values = Vt300Section{};
    SetFactoryValues(kVt300Values);
    Vt300Values.edit_eob_cnt = Vt300Values.edit_eol_cnt = kLineEndChars;
    FactoryTabStops(Vt300Values.tabstops);
}

namespace {
// The values start at their factory values, before any profile is read.
// Connection belongs to the connection code, which gives it its start values.
const bool kFactoryValuesSet = [] {
    SetFactoryPrinting();
    SetFactoryValues(kAuxValues);
    SetFactoryVt300();
    return true;
}();
}  // namespace
