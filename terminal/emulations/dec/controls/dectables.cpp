// The escape-sequence tables of the DEC emulations, walked by the core's parser: for
// each state, the byte ranges it accepts, the handler each byte runs and the state that
// follows. A byte no range holds ends the sequence and is dropped; a next state of
// nullptr means the sequence is complete. Ranges are tried in the order listed.
#include <array>

#include "terminal/comms/printing/printing.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/host/escparser.h"
#include "terminal/core/screen/autoprint.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/emulations/dec/vtservices.h"
#include "terminal/emulations/dec/controls/controlstring.h"
#include "terminal/emulations/dec/controls/cursorcmds.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/controls/rendition.h"
#include "terminal/emulations/dec/reports/reports.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/controls/vtcharsets.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/emulations/dec/hostcommands.h"

namespace {

// ---- small handlers that only route ----

void Nothing() {}
// clang-format off
void Discard() { SkipIntermediates(); }
void DiscardSequence() { SkipParameters(); }
void Vt52GraphicsOn() { VtMode.glSet = 1; }
void Vt52GraphicsOff() { VtMode.glSet = 0; }
// clang-format on
void Vt52PrinterControllerOn()
{
    if (CurrentPrintMode() == 0)
        StartPrinterController();
}
void Vt52AutoPrintOn()
{
    if (CurrentPrintMode() == 0)
        StartAutoPrint();
}
// clang-format off
void Vt52PrintingOff() { StopPrinting(); }
void Vt52PrintScreen() { PostMainCommand(kCmdPrintScreen); }
void PanRight() { PanViewRight(CountParam(1)); }
void PanLeft() { PanViewLeft(CountParam(1)); }
// clang-format on

void SetScreenRowsCommand()
{
    if (ParamMarker() == '=' && ParamCount() == 2 && Param(1) == 1)
        SetVtScreenRows(Param(2));
}

void CsiZCommand()
{
    if (ParamMarker() == ' ')
        VtShowPage();
    else if (ParamMarker() == '?' && Param(1) == 10)
        SetKeepColours();
}

void BlockEndOfLineCommand()
{
    if (ParamMarker() == '?')
        SetBlockEndOfLineString();
}

extern const ParserRange DecEscSpaceState[];
extern const ParserRange DecEscHashState[];
extern const ParserRange DecEscPercentState[];
extern const ParserRange Vt52EscHashState[];
extern const ParserRange DecCsiState[];
extern const ParserRange DecCsiSpaceState[];
extern const ParserRange DecCsiBangState[];
extern const ParserRange DecCsiQuoteState[];
extern const ParserRange DecCsiDollarState[];
extern const ParserRange DecCsiAmpersandState[];
extern const ParserRange DecCsiApostropheState[];
extern const ParserRange DecCsiStarState[];
extern const ParserRange DecCsiPlusState[];
extern const ParserRange DecCsiCommaState[];
extern const ParserRange DecDcsState[];
extern const ParserRange DecDcsBangState[];
extern const ParserRange DecDcsQuoteState[];
extern const ParserRange DecDcsDollarState[];

constexpr auto kNothing1 = SameActions<1>(Nothing);
constexpr auto kNothing2 = SameActions<2>(Nothing);
constexpr auto kDiscardIntermediates = SameActions<16>(Discard);
constexpr auto kDiscardSequence = SameActions<32>(DiscardSequence);

// ---- after ESC (VT100 and VT500) ----

constexpr std::array<ParserAction, 16> kEscIntermediates = {{
    {Nothing, DecEscSpaceState},          // SP
    {DefineHostKeyStringType2, nullptr},  // !
    {Discard, nullptr},                   // "
    {Nothing, DecEscHashState},           // #
    {Discard, nullptr},                   // $
    {Nothing, DecEscPercentState},        // %
    {HpAmpersandEscape, nullptr},         // &
    {Discard, nullptr},                   // '
    {DesignateG0, nullptr},               // (
    {DesignateG1, nullptr},               // )
    {DesignateG2, nullptr},               // *
    {DesignateG3, nullptr},               // +
    {Discard, nullptr},                   // ,
    {DesignateG1Of96, nullptr},           // -
    {DesignateG2Of96, nullptr},           // .
    {DesignateG3Of96, nullptr},           // /
}};

constexpr std::array<ParserAction, 5> kEscDigits = {{
    {TransmitEditBlock, nullptr},   // 5
    {BackIndex, nullptr},           // 6 DECBI
    {SaveCursorState, nullptr},     // 7 DECSC
    {RestoreCursorState, nullptr},  // 8 DECRC
    {ForwardIndex, nullptr},        // 9 DECFI
}};

constexpr std::array<ParserAction, 27> kEscUpper = {{
    {KeypadApplicationMode, nullptr},     // = DECKPAM
    {KeypadNumericMode, nullptr},         // > DECKPNM
    {Nothing, nullptr},                   // ?
    {DefineHostKeyStringType0, nullptr},  // @
    {Nothing, nullptr},                   // A
    {Nothing, nullptr},                   // B
    {Nothing, nullptr},                   // C
    {IndexDown, nullptr},                 // D IND
    {NextLine, nullptr},                  // E NEL
    {StartSelectedArea, nullptr},         // F
    {EndSelectedArea, nullptr},           // G
    {SetTabStop, nullptr},                // H HTS
    {Nothing, nullptr},                   // I
    {Nothing, nullptr},                   // J
    {Nothing, nullptr},                   // K
    {Nothing, nullptr},                   // L
    {ReverseIndex, nullptr},              // M RI
    {SingleShift2, nullptr},              // N SS2
    {SingleShift3, nullptr},              // O SS3
    {Nothing, DecDcsState},               // P DCS
    {Nothing, nullptr},                   // Q
    {Nothing, nullptr},                   // R
    {Nothing, nullptr},                   // S
    {Nothing, nullptr},                   // T
    {Nothing, nullptr},                   // U
    {StartProtectedArea, nullptr},        // V SPA
    {EndProtectedArea, nullptr},          // W EPA
}};

constexpr std::array<ParserAction, 10> kEscBrackets = {{
    {IdentifyTerminal, nullptr},   // Z DECID
    {Nothing, DecCsiState},        // [ CSI
    {Nothing, nullptr},            // \ ST
    {SkipControlString, nullptr},  // ] OSC
    {SkipControlString, nullptr},  // ^ PM
    {SkipControlString, nullptr},  // _ APC
    {LockKeyboard, nullptr},       // ` DMI
    {Nothing, nullptr},            // a
    {UnlockKeyboard, nullptr},     // b EMI
    {ResetVtTerminal, nullptr},    // c RIS
}};

constexpr std::array<ParserAction, 6> kEscLower = {{
    {Nothing, nullptr},     // m
    {LockShift2, nullptr},  // n LS2
    {LockShift3, nullptr},  // o LS3
    {Nothing, nullptr},     // p
    {Nothing, nullptr},     // q
    {Nothing, nullptr},     // r
}};

constexpr std::array<ParserAction, 3> kEscLockShiftsRight = {{
    {LockShift3Right, nullptr},  // | LS3R
    {LockShift2Right, nullptr},  // } LS2R
    {LockShift1Right, nullptr},  // ~ LS1R
}};

// ESC SP
constexpr std::array<ParserAction, 9> kEscSpaceFinals = {{
    {Select7BitControls, nullptr},       // F S7C1T
    {Select8BitControls, nullptr},       // G S8C1T
    {Nothing, nullptr},                  // H
    {Nothing, nullptr},                  // I
    {Nothing, nullptr},                  // J
    {Nothing, nullptr},                  // K
    {SelectConformanceLevel1, nullptr},  // L
    {SelectConformanceLevel2, nullptr},  // M
    {SelectConformanceLevel3, nullptr},  // N
}};

// ESC #: '!' does nothing, the other intermediates are discarded.
// clang-format off
constexpr std::array<ParserAction, 16> kHashIntermediates = {{
    {Discard, nullptr}, {Nothing, nullptr}, {Discard, nullptr}, {Discard, nullptr},
    {Discard, nullptr}, {Discard, nullptr}, {Discard, nullptr}, {Discard, nullptr},
    {Discard, nullptr}, {Discard, nullptr}, {Discard, nullptr}, {Discard, nullptr},
    {Discard, nullptr}, {Discard, nullptr}, {Discard, nullptr}, {Discard, nullptr},
}};
// clang-format on

constexpr std::array<ParserAction, 8> kHashDigits = {{
    {SetLineSingleWidthTop, nullptr},     // 1
    {SetLineSingleWidthBottom, nullptr},  // 2
    {SetLineDoubleTop, nullptr},          // 3 DECDHL top
    {SetLineDoubleBottom, nullptr},       // 4 DECDHL bottom
    {SetLineSingleWidth, nullptr},        // 5 DECSWL
    {SetLineDoubleWidth, nullptr},        // 6 DECDWL
    {Nothing, nullptr},                   // 7
    {AlignmentDisplay, nullptr},          // 8 DECALN
}};

constexpr auto kHostSelectEmulation = SameActions<1>(HostSelectEmulation);

// ---- after ESC in VT52 ----

constexpr std::array<ParserAction, 2> kVt52SpaceBang = {{
    {Nothing, nullptr},
    {DefineHostKeyStringType2, nullptr},
}};

constexpr std::array<ParserAction, 3> kVt52HashToPercent = {{
    {Nothing, Vt52EscHashState},    // #
    {Nothing, nullptr},             // $
    {Nothing, DecEscPercentState},  // %
}};

constexpr std::array<ParserAction, 3> kVt52Keypad = {{
    {LeaveVt52Mode, nullptr},          // <
    {KeypadApplicationMode, nullptr},  // =
    {KeypadNumericMode, nullptr},      // >
}};

constexpr std::array<ParserAction, 27> kVt52Upper = {{
    {DefineHostKeyStringType0, nullptr},  // @
    {Vt52CursorUp, nullptr},              // A
    {Vt52CursorDown, nullptr},            // B
    {Vt52CursorRight, nullptr},           // C
    {CursorBackOne, nullptr},             // D
    {Nothing, nullptr},                   // E
    {Vt52GraphicsOn, nullptr},            // F
    {Vt52GraphicsOff, nullptr},           // G
    {Vt52Home, nullptr},                  // H
    {ReverseIndex, nullptr},              // I
    {EraseBelowCursor, nullptr},          // J
    {EraseLineRight, nullptr},            // K
    {Nothing, nullptr},                   // L
    {DisableTextCursor, nullptr},         // M
    {Nothing, nullptr},                   // N
    {EnableTextCursor, nullptr},          // O
    {Nothing, nullptr},                   // P
    {Nothing, nullptr},                   // Q
    {Nothing, nullptr},                   // R
    {Nothing, nullptr},                   // S
    {Nothing, nullptr},                   // T
    {Nothing, nullptr},                   // U
    {PrintCursorLine, nullptr},           // V
    {Vt52PrinterControllerOn, nullptr},   // W
    {Vt52PrintingOff, nullptr},           // X
    {Vt52CursorAddress, nullptr},         // Y
    {ReportPrimaryAttributes, nullptr},   // Z
}};

constexpr std::array<ParserAction, 3> kVt52Print = {{
    {Vt52PrintScreen, nullptr},  // ]
    {Vt52AutoPrintOn, nullptr},  // ^
    {Vt52PrintingOff, nullptr},  // _
}};

constexpr auto kVt52ClearKeys = SameActions<1>(ClearUserDefinedKeys);

// ---- CSI ----

constexpr std::array<ParserAction, 13> kCsiIntermediates = {{
    {Nothing, DecCsiSpaceState},       // SP
    {Nothing, DecCsiBangState},        // !
    {Nothing, DecCsiQuoteState},       // "
    {Nothing, nullptr},                // #
    {Nothing, DecCsiDollarState},      // $
    {Nothing, nullptr},                // %
    {Nothing, DecCsiAmpersandState},   // &
    {Nothing, DecCsiApostropheState},  // '
    {Nothing, nullptr},                // (
    {Nothing, nullptr},                // )
    {Nothing, DecCsiStarState},        // *
    {Nothing, DecCsiPlusState},        // +
    {Nothing, DecCsiCommaState},       // ,
}};

// A colon ends the sequence (it is not a DEC separator).
constexpr auto kCsiParameterBytes = CsiParameterActions(DecCsiState, DiscardSequence);

constexpr std::array<ParserAction, 27> kCsiUpperFinals = {{
    {InsertCharactersCommand, nullptr},   // @ ICH
    {CursorUpCommand, nullptr},           // A CUU
    {CursorDownCommand, nullptr},         // B CUD
    {CursorForwardCommand, nullptr},      // C CUF
    {CursorBackwardCommand, nullptr},     // D CUB
    {CursorNextLine, nullptr},            // E CNL
    {CursorPrecedingLine, nullptr},       // F CPL
    {CursorHorizontalAbsolute, nullptr},  // G CHA
    {CursorPosition, nullptr},            // H CUP
    {CursorForwardTabulation, nullptr},   // I CHT
    {EraseInDisplay, nullptr},            // J ED
    {EraseInLine, nullptr},               // K EL
    {InsertLinesCommand, nullptr},        // L IL
    {DeleteLinesCommand, nullptr},        // M DL
    {Nothing, nullptr},                   // N
    {Nothing, nullptr},                   // O
    {DeleteCharactersCommand, nullptr},   // P DCH
    {Nothing, nullptr},                   // Q
    {Nothing, nullptr},                   // R
    {ScrollUpCommand, nullptr},           // S SU
    {ScrollDownCommand, nullptr},         // T SD
    {NextPage, nullptr},                  // U NP
    {PrecedingPage, nullptr},             // V PP
    {Nothing, nullptr},                   // W
    {EraseCharactersCommand, nullptr},    // X ECH
    {Nothing, nullptr},                   // Y
    {CursorBackwardTabulation, nullptr},  // Z CBT
}};

constexpr std::array<ParserAction, 10> kCsiLowerFinals1 = {{
    {HorizontalPositionAbsolute, nullptr},  // ` HPA
    {HorizontalPositionRelative, nullptr},  // a HPR
    {Nothing, nullptr},                     // b
    {ReportDeviceAttributes, nullptr},      // c DA
    {VerticalPositionAbsolute, nullptr},    // d VPA
    {VerticalPositionRelative, nullptr},    // e VPR
    {CursorPosition, nullptr},              // f HVP
    {ClearTabStops, nullptr},               // g TBC
    {SetModes, nullptr},                    // h SM
    {MediaCopy, nullptr},                   // i MC
}};

constexpr std::array<ParserAction, 9> kCsiLowerFinals2 = {{
    {ResetModes, nullptr},                  // l RM
    {SelectGraphicRendition, nullptr},      // m SGR
    {DeviceStatusReport, nullptr},          // n DSR
    {Nothing, nullptr},                     // o
    {SetScreenRowsCommand, nullptr},        // p
    {LoadLeds, nullptr},                    // q DECLL
    {SetScrollRegion, nullptr},             // r DECSTBM
    {SetLeftRightMarginsCommand, nullptr},  // s DECSLRM
    {SetPageLength, nullptr},               // t DECSLPP
}};

constexpr std::array<ParserAction, 6> kCsiLowerFinals3 = {{
    {RequestTerminalParameters, nullptr},  // x DECREQTPARM
    {Nothing, nullptr},                    // y
    {CsiZCommand, nullptr},                // z
    {Nothing, nullptr},                    // {
    {LocalEditFieldCommand, nullptr},      // |
    {LocalEditFieldCommand, nullptr},      // }
}};

// CSI SP
// clang-format off
constexpr std::array<ParserAction, 9> kCsiSpaceFinals = {{
    {PanRight, nullptr},  // @ SL
    {PanLeft, nullptr},   // A SR
    {Nothing, nullptr}, {Nothing, nullptr}, {Nothing, nullptr}, {Nothing, nullptr},
    {Nothing, nullptr}, {Nothing, nullptr}, {Nothing, nullptr},  // B-H
}};
// clang-format on
constexpr std::array<ParserAction, 3> kCsiSpacePages = {{
    {PageAbsolute, nullptr},  // P PPA
    {PageRelative, nullptr},  // Q PPR
    {PageBackward, nullptr},  // R PPB
}};
constexpr auto kSelectKeyboardLanguage = SameActions<1>(SelectNationalSet);

// CSI !
constexpr auto kSoftReset = SameActions<1>(SoftResetHandler);

// CSI "
// clang-format off
constexpr std::array<ParserAction, 7> kCsiQuoteFinals = {{
    {SetConformanceLevel, nullptr},     // p DECSCL
    {SetCharacterProtection, nullptr},  // q DECSCA
    {Nothing, nullptr}, {Nothing, nullptr}, {Nothing, nullptr}, {Nothing, nullptr},  // r-u
    {ReportDisplayExtent, nullptr},     // v DECRQDE
}};
// clang-format on

// CSI $
constexpr std::array<ParserAction, 15> kCsiDollarFinals = {{
    {ReportMode, nullptr},                      // p DECRQM
    {Nothing, nullptr},                         // q
    {ChangeRectangleAttributes, nullptr},       // r DECCARA
    {Nothing, nullptr},                         // s
    {ReverseRectangleAttributes, nullptr},      // t DECRARA
    {RequestTerminalState, nullptr},            // u DECRQTSR
    {CopyRectangle, nullptr},                   // v DECCRA
    {RequestPresentationState, nullptr},        // w DECRQPSR
    {FillRectangle, nullptr},                   // x DECFRA
    {Nothing, nullptr},                         // y
    {EraseRectangle, nullptr},                  // z DECERA
    {SelectiveEraseRectangle, nullptr},         // { DECSERA
    {SetColumnsPerPage, nullptr},               // | DECSCPP
    {SelectActiveDisplayCommand, nullptr},      // } DECSASD
    {SelectStatusDisplayTypeCommand, nullptr},  // ~ DECSSDT
}};

// CSI &
constexpr auto kReportUserPreferredSet = SameActions<1>(ReportUserPreferredSet);

// CSI '
constexpr auto kApostropheIntermediate = SameActions<1>(Discard);
constexpr auto kBlockEndOfLine = SameActions<1>(BlockEndOfLineCommand);
constexpr std::array<ParserAction, 2> kColumnInsertDelete = {{
    {InsertColumnsCommand, nullptr},  // } DECIC
    {DeleteColumnsCommand, nullptr},  // ~ DECDC
}};

// CSI *
constexpr std::array<ParserAction, 9> kCsiStarFinals = {{
    {SelectAuxiliaryPort, nullptr},          // u DECSCP
    {Nothing, nullptr},                      // v
    {Nothing, nullptr},                      // w
    {SelectAttributeChangeExtent, nullptr},  // x DECSACE
    {ReportRectangleChecksum, nullptr},      // y DECRQCRA
    {InvokeMacro, nullptr},                  // z DECINVM
    {Nothing, nullptr},                      // {
    {SetLinesPerScreenCommand, nullptr},     // | DECSNLS
    {SelectLocalFunctionKeys, nullptr},      // } DECLFKC
}};

// CSI +
constexpr std::array<ParserAction, 3> kCsiPlusFinals = {{
    {SecureReset, nullptr},           // p DECSR
    {SelectLocalFunctions, nullptr},  // q DECELF
    {SelectModifierKeys, nullptr},    // r DECSMKR
}};

// CSI ,
constexpr auto kLoadTimeOfDay = SameActions<1>(LoadTimeOfDay);

// ---- DCS ----

constexpr std::array<ParserAction, 2> kDcsBangQuote = {{
    {Nothing, DecDcsBangState},   // !
    {Nothing, DecDcsQuoteState},  // "
}};
constexpr auto kDcsDollar = SameActions<1>(Nothing, DecDcsDollarState);

constexpr auto kDcsParameterBytes = CsiParameterActions(DecDcsState, SkipControlString);

constexpr std::array<ParserAction, 3> kDcsFinals = {{
    {CaptureControlString, nullptr},  // z
    {LoadSoftFont, nullptr},          // { DECDLD
    {DefineUserKeys, nullptr},        // | DECUDK
}};

// clang-format off
constexpr std::array<ParserAction, 6> kDcsBangFinals = {{
    {AssignUserPreferredSet, nullptr},  // u DECAUPSS
    {Nothing, nullptr}, {Nothing, nullptr}, {Nothing, nullptr}, {Nothing, nullptr},  // v-y
    {DefineMacro, nullptr},             // z DECDMAC
}};
// clang-format on

constexpr std::array<ParserAction, 2> kDcsQuoteFinals = {{
    {LoadFunctionKeyDefinitions, nullptr},      // x
    {LoadAlphanumericKeyDefinitions, nullptr},  // y
}};

constexpr std::array<ParserAction, 8> kDcsDollarFinals = {{
    {RestoreTerminalState, nullptr},      // p DECRSTS
    {RequestSetting, nullptr},            // q DECRQSS
    {SkipControlString, nullptr},         // r
    {SkipControlString, nullptr},         // s
    {RestorePresentationState, nullptr},  // t DECRSPS
    {SkipControlString, nullptr},         // u
    {SkipControlString, nullptr},         // v
    {Nothing, nullptr},                   // w
}};

// ---- the states ----

const ParserRange DecEscSpaceState[] = {
    {0x20, 0x2F, kDiscardIntermediates.data()},
    {0x46, 0x4E, kEscSpaceFinals.data()},
    {0, 0, nullptr},
};

const ParserRange DecEscHashState[] = {
    {0x20, 0x2F, kHashIntermediates.data()},
    {0x31, 0x38, kHashDigits.data()},
    {0, 0, nullptr},
};

const ParserRange DecEscPercentState[] = {
    {0x21, 0x21, kHostSelectEmulation.data()},
    {0, 0, nullptr},
};

const ParserRange Vt52EscHashState[] = {
    {0x21, 0x21, kNothing1.data()},
    {0, 0, nullptr},
};

// clang-format off
const ParserRange DecCsiState[] = {
    {0x20, 0x2C, kCsiIntermediates.data()},
    {0x30, 0x3F, kCsiParameterBytes.data()},
    {0x2D, 0x2F, kDiscardSequence.data()},
    {0x40, 0x5A, kCsiUpperFinals.data()},
    {0x60, 0x69, kCsiLowerFinals1.data()},
    {0x6C, 0x74, kCsiLowerFinals2.data()},
    {0x78, 0x7D, kCsiLowerFinals3.data()},
    {0, 0, nullptr},
};
// clang-format on

const ParserRange DecCsiSpaceState[] = {
    {0x20, 0x3F, kDiscardSequence.data()},
    {0x40, 0x48, kCsiSpaceFinals.data()},
    {0x50, 0x52, kCsiSpacePages.data()},
    {0x7D, 0x7D, kSelectKeyboardLanguage.data()},
    {0, 0, nullptr},
};

const ParserRange DecCsiBangState[] = {
    {0x20, 0x3F, kDiscardSequence.data()},
    {0x44, 0x44, kNothing1.data()},
    {0x56, 0x56, kNothing1.data()},
    {0x70, 0x70, kSoftReset.data()},
    {0, 0, nullptr},
};

const ParserRange DecCsiQuoteState[] = {
    {0x20, 0x3F, kDiscardSequence.data()},
    {0x70, 0x76, kCsiQuoteFinals.data()},
    {0, 0, nullptr},
};

const ParserRange DecCsiDollarState[] = {
    {0x20, 0x3F, kDiscardSequence.data()},
    {0x70, 0x7E, kCsiDollarFinals.data()},
    {0, 0, nullptr},
};

const ParserRange DecCsiAmpersandState[] = {
    {0x20, 0x3F, kDiscardSequence.data()},
    {0x75, 0x75, kReportUserPreferredSet.data()},
    {0, 0, nullptr},
};

const ParserRange DecCsiApostropheState[] = {
    {0x27, 0x27, kApostropheIntermediate.data()},
    {0x73, 0x73, kBlockEndOfLine.data()},
    {0x7D, 0x7E, kColumnInsertDelete.data()},
    {0, 0, nullptr},
};

const ParserRange DecCsiStarState[] = {
    {0x75, 0x7D, kCsiStarFinals.data()},
    {0, 0, nullptr},
};

const ParserRange DecCsiPlusState[] = {
    {0x70, 0x72, kCsiPlusFinals.data()},
    {0, 0, nullptr},
};

const ParserRange DecCsiCommaState[] = {
    {0x70, 0x70, kLoadTimeOfDay.data()},
    {0, 0, nullptr},
};

// clang-format off
const ParserRange DecDcsState[] = {
    {0x21, 0x22, kDcsBangQuote.data()},
    {0x24, 0x24, kDcsDollar.data()},
    {0x30, 0x3F, kDcsParameterBytes.data()},
    {0x70, 0x71, kNothing2.data()},
    {0x7A, 0x7C, kDcsFinals.data()},
    {0, 0, nullptr},
};
// clang-format on

const ParserRange DecDcsBangState[] = {
    {0x75, 0x7A, kDcsBangFinals.data()},
    {0, 0, nullptr},
};

const ParserRange DecDcsQuoteState[] = {
    {0x78, 0x79, kDcsQuoteFinals.data()},
    {0, 0, nullptr},
};

const ParserRange DecDcsDollarState[] = {
    {0x70, 0x77, kDcsDollarFinals.data()},
    {0, 0, nullptr},
};

}  // namespace

// ESC in VT100 and VT500.
// clang-format off
const ParserRange DecAnsiEscapeState[] = {
    {0x20, 0x2F, kEscIntermediates.data()},
    {0x31, 0x32, kNothing2.data()},
    {0x35, 0x39, kEscDigits.data()},
    {0x3D, 0x57, kEscUpper.data()},
    {0x5A, 0x63, kEscBrackets.data()},
    {0x6D, 0x72, kEscLower.data()},
    {0x7C, 0x7E, kEscLockShiftsRight.data()},
    {0, 0, nullptr},
};
// clang-format on

// ESC in VT52.
// clang-format off
const ParserRange DecVt52EscapeState[] = {
    {0x20, 0x21, kVt52SpaceBang.data()},
    {0x23, 0x25, kVt52HashToPercent.data()},
    {0x31, 0x32, kNothing2.data()},
    {0x3C, 0x3E, kVt52Keypad.data()},
    {0x40, 0x5A, kVt52Upper.data()},
    {0x5D, 0x5F, kVt52Print.data()},
    {0x7E, 0x7E, kVt52ClearKeys.data()},
    {0, 0, nullptr},
};
// clang-format on
