// The profile values the wizard stores, as data: section, value name, type, factory
// default (the terminal's, which its reader falls back to) and the rule that decides
// whether the value is written. The rows stand in the order the writers walk: sections
// CONNECTION, Telnet, VT300, AIXTerm, IBM3151, ZARA, PRINTING, AUX, Window, HP70092,
// IBM3270, IBM5250. A row's index is also its bit in the present and changed records.
#pragma once

#include <bitset>

#include "wizard/engine/wztext.h"

enum class ValueType : u8 { Dword, Text };

enum class ValueRule : u8 {
    Plain,         // a number when it differs from its default, a text when not empty
    Always,        // always written (the transport)
    SerialDevice,  // serial only, always written
    SerialOnly,    // serial only, by the plain rule
    Host,          // TCP/IP only, written when not empty and never deleted
    Alternate,     // TCP/IP only, packed without gaps into netname1..netname4
    Rollover,      // TCP/IP only, written as 1 when on
    Port,          // PRINTING "Port": only while printing goes directly to a port
    Lpr,           // only while printing goes through LPR
    NotPerUser,    // never part of a per-user profile
    EmptyDeletes,  // a per-user text that is deleted when empty
};

// clang-format off
#define VX_WIZARD_VALUES(X)                                                                  \
    X(Netproto,       "CONNECTION", "netproto",             Dword, 1,  0,   Always)         \
    X(Comdevice,      "CONNECTION", "comdevice",            Dword, 0,  0,   SerialDevice)   \
    X(ComdeviceType,  "CONNECTION", "comdeviceType",        Dword, 0,  0,   SerialOnly)     \
    X(Netname,        "CONNECTION", "netname",              Text,  0,  64,  Host)           \
    X(Netname1,       "CONNECTION", "netname1",             Text,  0,  64,  Alternate)      \
    X(Netname2,       "CONNECTION", "netname2",             Text,  0,  64,  Alternate)      \
    X(Netname3,       "CONNECTION", "netname3",             Text,  0,  64,  Alternate)      \
    X(Netname4,       "CONNECTION", "netname4",             Text,  0,  64,  Alternate)      \
    X(Hostrollover,   "CONNECTION", "hostrollover",         Dword, 0,  0,   Rollover)       \
    X(TelnetPort,     "CONNECTION", "iTelnetPortNum",       Dword, 23, 0,   Plain)          \
    X(LocalPort,      "CONNECTION", "iLocalPortNum",        Dword, 0,  0,   Plain)          \
    X(TimeOut,        "CONNECTION", "TimeOut",              Dword, 0,  0,   Plain)          \
    X(TelnetName,     "CONNECTION", "iTelnetName",          Text,  0,  40,  EmptyDeletes)   \
    X(Ltxlimit,       "CONNECTION", "ltxlimit",             Dword, 0,  0,   Plain)          \
    X(Comspeed,       "CONNECTION", "comspeed",             Dword, 6,  0,   Plain)          \
    X(Comparity,      "CONNECTION", "comparity",            Dword, 0,  0,   Plain)          \
    X(Comstopb,       "CONNECTION", "comstopb",             Dword, 0,  0,   Plain)          \
    X(Comdatab,       "CONNECTION", "comdatab",             Dword, 2,  0,   Plain)          \
    X(Comflowc,       "CONNECTION", "comflowc",             Dword, 1,  0,   Plain)          \
    X(Etxspeed,       "CONNECTION", "etxspeed",             Dword, 10, 0,   Plain)          \
    X(Lecho,          "CONNECTION", "lecho",                Dword, 0,  0,   Plain)          \
    X(KeepAlives,     "Telnet", "TelnetKeepAlives",         Dword, 0,  0,   Plain)          \
    X(SendLocn,       "Telnet", "SendLocn",                 Text,  0,  40,  EmptyDeletes)   \
    X(EchoSuppress,   "Telnet", "TelnetEchoSuppress",       Dword, 0,  0,   Plain)          \
    X(TelnetBinary,   "Telnet", "TelnetBinary",             Dword, -1, 0,   Plain)          \
    X(TelnetEor,      "Telnet", "TelnetEOR",                Dword, -1, 0,   Plain)          \
    X(BreakTm,        "Telnet", "TelnetSendBreakTM",        Dword, 1,  0,   Plain)          \
    X(BreakCr,        "Telnet", "TelnetSendBreakCR",        Dword, 0,  0,   Plain)          \
    X(RegimeSuppress, "Telnet", "TelnetRegimeSuppress",     Dword, 1,  0,   Plain)          \
    X(Tn3270e,        "Telnet", "Telnet3270e",              Dword, 1,  0,   Plain)          \
    X(Tn3270eBind,    "Telnet", "Telnet3270eBind",          Dword, 1,  0,   Plain)          \
    X(Tn3270eLu3,     "Telnet", "Telnet3270ePrtLu3",        Dword, 1,  0,   Plain)          \
    X(Tn3270eResp,    "Telnet", "Telnet3270eResponses",     Dword, 1,  0,   Plain)          \
    X(Tn3270eLu1,     "Telnet", "Telnet3270ePrtLu1",        Dword, 1,  0,   Plain)          \
    X(Tn3270eSysReq,  "Telnet", "Telnet3270eSysReq",        Dword, 1,  0,   Plain)          \
    X(TelnetLuid,     "Telnet", "TelnetLuid",               Text,  0,  128, Plain)          \
    X(Associate,      "Telnet", "Telnet3270eAssociate",     Text,  0,  128, Plain)          \
    X(NewEnvSuppress, "Telnet", "TelnetNewEnvSuppress",     Dword, 0,  0,   Plain)          \
    X(Vdumode,        "VT300", "vdumode",                   Dword, 2,  0,   Plain)          \
    X(Termid,         "VT300", "termid",                    Dword, 8,  0,   Plain)          \
    X(CtrlAsEnter,    "VT300", "CtrlAsEnter",               Dword, 0,  0,   Plain)          \
    X(CrAsEnter,      "VT300", "CRAsEnter",                 Dword, 0,  0,   Plain)          \
    X(CtrlAsReset,    "VT300", "CtrlAsReset",               Dword, 0,  0,   Plain)          \
    X(Kbdvers,        "VT300", "kbdvers",                   Dword, 0,  0,   Plain)          \
    X(VtUpssFont,     "VT300", "upssFont",                  Dword, -1, 0,   Plain)          \
    X(VtUpss,         "VT300", "upss",                      Dword, 0,  0,   Plain)          \
    X(Ansi386Page,    "VT300", "ansi386_codepage",          Dword, 0,  0,   Plain)          \
    X(Ansi386Upss,    "VT300", "ansi386_upss",              Dword, 4,  0,   Plain)          \
    X(Mltnat,         "VT300", "mltnat",                    Dword, 1,  0,   Plain)          \
    X(Cursr2l,        "VT300", "cursr2l",                   Dword, 0,  0,   Plain)          \
    X(AixHft,         "AIXTerm", "AIX_HFTMode",             Dword, 1,  0,   Plain)          \
    X(I51Model,       "IBM3151", "i51_model",               Dword, 0,  0,   Plain)          \
    X(I51Upss,        "IBM3151", "upss",                    Dword, 0,  0,   Plain)          \
    X(I51UpssFont,    "IBM3151", "upssFont",                Dword, -1, 0,   NotPerUser)     \
    X(WyMultset,      "ZARA", "wy_multset",                 Dword, 0,  0,   Plain)          \
    X(WyAsciiFont,    "ZARA", "wy_ascii_font",              Dword, 0,  0,   Plain)          \
    X(WyUpssFont,     "ZARA", "upssFont",                   Dword, -1, 0,   NotPerUser)     \
    X(PmPrinter,      "PRINTING", "PMPrinter",              Text,  0,  64,  Plain)          \
    X(PmPort,         "PRINTING", "PMPort",                 Text,  0,  64,  Plain)          \
    X(PaperSize,      "PRINTING", "PaperSize",              Dword, 9,  0,   Plain)          \
    X(Orientation,    "PRINTING", "Orientation",            Dword, 1,  0,   Plain)          \
    X(DirectToPort,   "PRINTING", "DirectToPort",           Dword, 0,  0,   Plain)          \
    X(ViaLpr,         "PRINTING", "ViaLPR",                 Dword, 0,  0,   Plain)          \
    X(PrintPort,      "PRINTING", "Port",                   Text,  0,  32,  Port)           \
    X(PrintTerm,      "PRINTING", "PrintTerminator",        Dword, 0,  0,   Plain)          \
    X(ConvertChars,   "PRINTING", "ConvertHostChars",       Dword, 0,  0,   Plain)          \
    X(AutoLf,         "PRINTING", "AutoLF",                 Dword, 0,  0,   Plain)          \
    X(PrtSpeed,       "PRINTING", "comspeed",               Dword, 6,  0,   Plain)          \
    X(PrtParity,      "PRINTING", "comparity",              Dword, 0,  0,   Plain)          \
    X(PrtStopb,       "PRINTING", "comstopb",               Dword, 0,  0,   Plain)          \
    X(PrtDatab,       "PRINTING", "comdatab",               Dword, 2,  0,   Plain)          \
    X(PrtFlowc,       "PRINTING", "comflowc",               Dword, 1,  0,   Plain)          \
    X(PrintDelay,     "PRINTING", "iPrintDelay",            Dword, 0,  0,   Plain)          \
    X(LprPrint,       "PRINTING", "LPRPrint",               Text,  0,  64,  Lpr)            \
    X(LprDevice,      "PRINTING", "LPRDevice",              Text,  0,  64,  Lpr)            \
    X(LprJob,         "PRINTING", "LPRJob",                 Text,  0,  64,  Lpr)            \
    X(LprUser,        "PRINTING", "LPRUser",                Text,  0,  64,  Lpr)            \
    X(LprCopies,      "PRINTING", "LPRCopies",              Dword, 1,  0,   Lpr)            \
    X(LprRetries,     "PRINTING", "LPRRetries",             Dword, 0,  0,   Lpr)            \
    X(LprRetryDelay,  "PRINTING", "LPRRetryDelay",          Dword, 0,  0,   Lpr)            \
    X(LprBanner,      "PRINTING", "LPRBanner",              Dword, 0,  0,   Lpr)            \
    X(LprDebug,       "PRINTING", "LPRDebug",               Dword, 0,  0,   Lpr)            \
    X(AuxPort,        "AUX", "Port",                        Text,  0,  32,  Plain)          \
    X(AuxSpeed,       "AUX", "comspeed",                    Dword, 6,  0,   Plain)          \
    X(AuxParity,      "AUX", "comparity",                   Dword, 0,  0,   Plain)          \
    X(AuxStopb,       "AUX", "comstopb",                    Dword, 0,  0,   Plain)          \
    X(AuxDatab,       "AUX", "comdatab",                    Dword, 2,  0,   Plain)          \
    X(AuxFlowc,       "AUX", "comflowc",                    Dword, 1,  0,   Plain)          \
    X(Language,       "Window", "Language",                 Dword, 0,  0,   Plain)          \
    X(HpTermid,       "HP70092", "hp_termid",               Dword, 1,  0,   Plain)          \
    X(HpUpss,         "HP70092", "upss",                    Dword, 0,  0,   Plain)          \
    X(HpUpssFont,     "HP70092", "upssFont",                Dword, -1, 0,   NotPerUser)     \
    X(IbmLang,        "IBM3270", "IBM_Lang",                Dword, 0,  0,   Plain)          \
    X(IbmFont,        "IBM3270", "IBM_Font",                Dword, -1, 0,   Plain)          \
    X(IbmMode,        "IBM3270", "IBM_mode",                Dword, 4,  0,   Plain)          \
    X(IbmCodePage,    "IBM3270", "IBM_SbcsCodePage",        Dword, 0,  0,   Plain)          \
    X(IbmCodeSet,     "IBM3270", "IBM_SbcsCodeSet",         Dword, 0,  0,   Plain)          \
    X(IbmCcsid,       "IBM3270", "IBM_SbcsCcsid",           Dword, 0,  0,   Plain)          \
    X(I52Model,       "IBM5250", "I52_model",               Dword, 3,  0,   Plain)          \
    X(I52Mono,        "IBM5250", "I52_mono",                Dword, 0,  0,   Plain)          \
    X(I52Lang,        "IBM5250", "I52_Lang",                Dword, 0,  0,   Plain)          \
    X(I52Font,        "IBM5250", "I52_Font",                Dword, -1, 0,   Plain)
// clang-format on

enum WizardValueId : u16 {
#define VX_ID(id, section, name, type, def, capacity, rule) kValue##id,
    VX_WIZARD_VALUES(VX_ID)
#undef VX_ID
        kWizardValueCount
};

struct WizardValue {
    const char* section;
    const char* name;
    ValueType type;
    i32 factory;
    u16 capacity;  // texts: units the terminal keeps, terminator included
    ValueRule rule;
};

extern const WizardValue kWizardValues[kWizardValueCount];

// One bit per row (present in the machine profile, changed against it).
using ValueBits = std::bitset<128>;
static_assert(kWizardValueCount <= 128, "a value bit per row");

// The profile's section key and the values that share a section run in table order.
WText SectionOf(WizardValueId id);
