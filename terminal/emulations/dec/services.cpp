// The parts of the DEC VT and ANSI console emulations the core needs before those
// emulations exist: the sequence byte reader, C1 controls, default tab stops, reports,
// and a parser graph that recognises the shape of every escape and control sequence
// and acts on none of them. The emulations replace the graph with their own.
#include "terminal/emulations/dec/services.h"

#include <array>

#include "terminal/comms/serial.h"
#include "terminal/core/hostio.h"
#include "terminal/core/hostread.h"
#include "terminal/core/memblock.h"
#include "terminal/core/screenops.h"
#include "terminal/core/screenstore.h"

VtModeFlagSet VtMode;
LocalEditorHooks LocalEditor;
wchar16 AnswerbackText[33] = {};

namespace {

u8* g_softFont = nullptr;
u8* g_transmitString = nullptr;
// An 8-bit C1 control stands for ESC and this byte; the walker takes it first.
int g_primedSequenceByte = -1;

template <std::size_t N>
constexpr std::array<ParserAction, N> Repeat(void (*handler)(), const ParserRange* next)
{
    std::array<ParserAction, N> actions{};
    for (ParserAction& a : actions)
        a = ParserAction{handler, next};
    return actions;
}

extern const ParserRange kEscIntermediateState[];
extern const ParserRange kCsiState[];
extern const ParserRange kCsiIntermediateState[];

constexpr auto kEnd1 = Repeat<1>(IgnoreAction, nullptr);
constexpr auto kEnd2 = Repeat<2>(IgnoreAction, nullptr);
constexpr auto kEnd3 = Repeat<3>(IgnoreAction, nullptr);
constexpr auto kEnd4 = Repeat<4>(IgnoreAction, nullptr);
constexpr auto kEnd5 = Repeat<5>(IgnoreAction, nullptr);
constexpr auto kEnd6 = Repeat<6>(IgnoreAction, nullptr);
constexpr auto kEnd27 = Repeat<27>(IgnoreAction, nullptr);
constexpr auto kEnd23 = Repeat<23>(IgnoreAction, nullptr);
constexpr auto kEnd63 = Repeat<63>(IgnoreAction, nullptr);
constexpr auto kEnd79 = Repeat<79>(IgnoreAction, nullptr);
constexpr auto kEscIntermediates = Repeat<16>(CsiCollectIntermediate, kEscIntermediateState);
constexpr auto kCsiIntermediates = Repeat<16>(CsiCollectIntermediate, kCsiIntermediateState);

// ESC [ : the first action of the 0x5B-0x5F range leads into the parameters.
constexpr std::array<ParserAction, 5> kBracketRange = {{
    {IgnoreAction, kCsiState},   // [  CSI
    {IgnoreAction, nullptr},     // \  ST
    {IgnoreAction, nullptr},     // ]  OSC
    {IgnoreAction, nullptr},     // ^  PM
    {IgnoreAction, nullptr},     // _  APC
}};

// Parameter bytes 0x30-0x3F: digits, ':' (ignored), ';', and the private markers.
constexpr std::array<ParserAction, 16> kCsiParameterBytes = {{
    {CsiParamDigit, kCsiState}, {CsiParamDigit, kCsiState}, {CsiParamDigit, kCsiState},
    {CsiParamDigit, kCsiState}, {CsiParamDigit, kCsiState}, {CsiParamDigit, kCsiState},
    {CsiParamDigit, kCsiState}, {CsiParamDigit, kCsiState}, {CsiParamDigit, kCsiState},
    {CsiParamDigit, kCsiState},
    {IgnoreAction, kCsiState},  // :
    {CsiNextParam, kCsiState},  // ;
    {CsiParamMarker, kCsiState}, {CsiParamMarker, kCsiState}, {CsiParamMarker, kCsiState},
    {CsiParamMarker, kCsiState},
}};

const ParserRange kEscIntermediateState[] = {
    {0x20, 0x2F, kEscIntermediates.data()},
    {0x30, 0x7E, kEnd79.data()},
    {0, 0, nullptr},
};

const ParserRange kCsiState[] = {
    {0x20, 0x2F, kCsiIntermediates.data()},
    {0x30, 0x3F, kCsiParameterBytes.data()},
    {0x40, 0x7E, kEnd63.data()},
    {0, 0, nullptr},
};

const ParserRange kCsiIntermediateState[] = {
    {0x20, 0x2F, kCsiIntermediates.data()},
    {0x40, 0x7E, kEnd63.data()},
    {0, 0, nullptr},
};

}  // namespace

const ParserRange DecAnsiEscapeState[] = {
    {0x20, 0x2F, kEscIntermediates.data()},
    {0x31, 0x32, kEnd2.data()},
    {0x35, 0x39, kEnd5.data()},
    {0x3D, 0x40, kEnd4.data()},
    {0x41, 0x57, kEnd23.data()},
    {0x5A, 0x5A, kEnd1.data()},
    {0x5B, 0x5F, kBracketRange.data()},
    {0x60, 0x63, kEnd4.data()},
    {0x6D, 0x72, kEnd6.data()},
    {0x7C, 0x7E, kEnd3.data()},
    {0, 0, nullptr},
};

const ParserRange DecVt52EscapeState[] = {
    {0x20, 0x21, kEnd2.data()},
    {0x23, 0x25, kEnd3.data()},
    {0x31, 0x32, kEnd2.data()},
    {0x3C, 0x3E, kEnd3.data()},
    {0x40, 0x5A, kEnd27.data()},
    {0x5D, 0x5F, kEnd3.data()},
    {0x7E, 0x7E, kEnd1.data()},
    {0, 0, nullptr},
};

void ResetVtModes()
{
    VtMode = VtModeFlagSet{};
}

bool VtLocalEditing()
{
    return VtLocalEditFlag == 1;
}

int NextSequenceByte()
{
    if (g_primedSequenceByte >= 0) {
        const int b = g_primedSequenceByte;
        g_primedSequenceByte = -1;
        return b;
    }
    for (;;) {
        int v = HostReadSequenceByte();
        // Every out-of-band result (stopping, held, hand-over) ends the sequence; none of
        // them may be masked into a data byte.
        if (v < 0) {
            InSequence = 0;
            return 0;
        }
        v &= 0x7F;
        if (v >= 32)
            return v;
        VtControlChar(v);
        if (!InSequence)
            return 0;
    }
}

void ProcessC1Control(u8 byte)
{
    if (byte < 0x80 || byte > 0x9F)
        return;
    g_primedSequenceByte = byte - 0x40;
    VtEnterEscape(0x1B);
    g_primedSequenceByte = -1;
}

void CursorTabForward(int count)
{
    if (count < 1)
        count = 1;
    const int limit = Screen.cursorColumn <= Screen.right ? Screen.right : CursorColumnLimit();
    int column = Screen.cursorColumn;
    // Until tab stops can be set, they stand at every eighth column.
    while (count-- > 0 && column < limit)
        column = (column / 8 + 1) * 8;
    if (column > limit)
        column = limit;
    MoveCursorAbsolute(Screen.cursorRow, column);
}

void SendReport(const wchar16* text)
{
    if (!text)
        return;
    u16 units[64];
    int n = 0;
    for (; text[n] && n < 64; ++n)
        units[n] = static_cast<u16>(text[n]);
    if (n == 0)
        return;
    if (TransmitPacing())
        for (int i = 0; i < n; ++i)
            HostSendChar(units[i]);
    else
        HostSendString(units, n);
}

void AnsiBeginEscape()
{
    VtBeginEscape();
}

void AixtermBeginEscape()
{
    VtBeginEscape();
}

void AixtermExecuteControl(int c)
{
    ExecuteC0Control(c);
}

void ScoColourEraseRows(int, int) {}
void ScoColourEraseCells(int, int, int) {}

int AnsiTranslateHostChar(int c)
{
    return c;
}

const u8* NationalReplacementTable()
{
    return nullptr;
}

bool BufferedTransmitPending()
{
    return false;
}

bool TerminalModelHasPages()
{
    return false;
}

bool IsVt420Class()
{
    return false;
}

void SetLinesPerScreen(int) {}

bool AllocVtBuffers()
{
    if (!g_softFont)
        g_softFont = static_cast<u8*>(MemAllocBlock(3880));
    if (!g_transmitString)
        g_transmitString = static_cast<u8*>(MemAllocBlock(384));
    return g_softFont && g_transmitString;
}

void ResetCharsets()
{
    // G0 and G1 ASCII; G2 and G3 the Latin-1 supplement, invoked into GR.
    for (int g = 0; g < 4; ++g) {
        VtMode.designation[g] = g < 2 ? 1 : 6;
        VtMode.set96[g] = g < 2 ? 0 : 1;
    }
    VtMode.glSet = 0;
    VtMode.grSet = 2;
    VtMode.singleShift = -1;
}

void ResetGraphicRendition()
{
    CurrentRendition = 0;
    CurrentColour = kDefaultColour;
}

void SaveCursorState() {}
void InvalidateStatusLine() {}
void RefreshStatusLine() {}

int Vt420ViewMode()
{
    return 0;
}

u8 VtLocalEditFlag = 0;
u8 TerminalId = 0;

// No soft font can be loaded until the VT emulation's font loader exists.
const SoftFontGlyphs* CurrentSoftFont()
{
    return nullptr;
}

// The DEC status line comes with the VT emulation; until then there is nothing to
// refresh or save.
void ShowDecKeyModeStatus() {}
void InitStatusDisplayState() {}
