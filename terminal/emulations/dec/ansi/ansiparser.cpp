// The ANSI console family's escape parser: its states, its parameter collector (numbers
// as the VT collector takes them, and quoted texts) and its sequence reader.
#include "terminal/emulations/dec/ansi/ansiconsole.h"

#include <array>

#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/hostread.h"
#include "terminal/emulations/dec/controls/controls.h"
#include "terminal/emulations/dec/controls/cursorcmds.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/emulations/dec/services.h"

AnsiConsoleState AnsiConsole;

namespace {

void Nothing() {}

void CollectQuotedChar(int b)
{
    AnsiConsoleState& a = AnsiConsole;
    char* text = a.quoted[CsiParameters.count <= kCsiSlots ? CsiParameters.count : kCsiSlots];
    if (b == a.quote) {
        text[a.quotedLength] = 0;
        a.quote = 0;
        a.quotedLength = 0;
        return;
    }
    // A text longer than the slot keeps overwriting its last character.
    text[a.quotedLength] = static_cast<char>(b);
    if (a.quotedLength < kAnsiQuotedUnits)
        ++a.quotedLength;
    text[a.quotedLength] = 0;
}

void BeginQuotedParam()
{
    if (AnsiConsole.quote)
        return;
    AnsiConsole.quote = CsiParameters.currentByte;
    AnsiConsole.quotedLength = 0;
    const int slot = CsiParameters.count <= kCsiSlots ? CsiParameters.count : kCsiSlots;
    AnsiConsole.quoted[slot][0] = 0;
    // An empty quoted text is still a text: mark the slot as one.
    AnsiConsole.quoted[slot][kAnsiQuotedUnits + 1] = 1;
}

void NextParam()
{
    CsiNextParam();
    AnsiConsole.quotedLength = 0;
}

// clang-format off
void SaveCursor() { SaveCursorState(); }
void RestoreCursor() { RestoreCursorState(); }
// clang-format on

void ScoSetTabStop()
{
    if (IsScoConsole())
        SetTabStop();
}

void DefineKey()
{
    if (IsScoConsole())
        ScoDefineFunctionKey();
}

extern const ParserRange kCsiState[];
extern const ParserRange kEscPState[];

constexpr auto kDigitsToCsi = SameActions<1>(CsiParamDigit, kCsiState);
constexpr auto kDigitsInEscP = SameActions<9>(CsiParamDigit, kEscPState);
constexpr std::array<ParserAction, 1> kEscPSeparator{{{NextParam, kEscPState}}};
constexpr std::array<ParserAction, 1> kEscPFinal{{{AnsiCaptureControl, nullptr}}};

constexpr std::array<ParserAction, 1> kQuote{{{BeginQuotedParam, kCsiState}}};
constexpr auto kCsiDigits = SameActions<10>(CsiParamDigit, kCsiState);
constexpr std::array<ParserAction, 1> kCsiSeparator{{{NextParam, kCsiState}}};
constexpr auto kCsiMarkers = SameActions<4>(CsiParamMarker, kCsiState);
constexpr auto kCsiFinals = SameActions<0x7A - 0x40 + 1>(AnsiCsiFinal);

constexpr std::array<ParserAction, 2> kEscSaveRestore{{{SaveCursor, nullptr}, {RestoreCursor, nullptr}}};
constexpr std::array<ParserAction, 1> kEscH{{{ScoSetTabStop, nullptr}}};
constexpr std::array<ParserAction, 2> kEscPQ{{{Nothing, kEscPState}, {DefineKey, nullptr}}};
constexpr std::array<ParserAction, 2> kEscBracketBackslash{{{Nothing, kCsiState}, {Nothing, nullptr}}};

// clang-format off
const ParserRange kCsiState[] = {
    {0x22, 0x22, kQuote.data()},
    {0x30, 0x39, kCsiDigits.data()},
    {0x3B, 0x3B, kCsiSeparator.data()},
    {0x3C, 0x3F, kCsiMarkers.data()},
    {0x40, 0x7A, kCsiFinals.data()},
    {0, 0, nullptr},
};
// clang-format on

// ESC P 0 continues as a control sequence: ESC P 0 z is CSI 0 z.
const ParserRange kEscPState[] = {
    {0x30, 0x30, kDigitsToCsi.data()},
    {0x31, 0x39, kDigitsInEscP.data()},
    {0x3B, 0x3B, kEscPSeparator.data()},
    {0x7A, 0x7A, kEscPFinal.data()},
    {0, 0, nullptr},
};

// ESC c, D, E and M are not the consoles': they end the sequence unread.
const ParserRange kEscState[] = {
    {0x37, 0x38, kEscSaveRestore.data()},
    {0x48, 0x48, kEscH.data()},
    {0x50, 0x51, kEscPQ.data()},
    {0x5B, 0x5C, kEscBracketBackslash.data()},
    {0, 0, nullptr},
};

}  // namespace

bool IsScoConsole()
{
    return AnsiConsole.variant == kEmuScoConsole;
}

bool IsAt386()
{
    return AnsiConsole.variant == kEmuAt386;
}

int AnsiNextSequenceByte()
{
    for (;;) {
        int v = HostReadSequenceByte();
        if (v < 0) {
            InSequence = 0;
            AnsiConsole.quote = 0;
            return 0;
        }
        v &= 0x7F;
        if (AnsiConsole.quote) {
            // CAN and SUB cancel a sequence anywhere, an unclosed text included: a
            // host that lost its closing quote does not swallow everything after it.
            if (v == 24 || v == 26) {
                AnsiConsole.quote = 0;
                VtControlChar(v);
                return 0;
            }
            CollectQuotedChar(v);
            continue;
        }
        if (v >= 32)
            return v;
        VtControlChar(v);
        if (!InSequence)
            return 0;
    }
}

const char* AnsiQuotedParam(int i)
{
    if (i < 1 || i > CsiParameters.count || i > kCsiSlots)
        return nullptr;
    return AnsiConsole.quoted[i][kAnsiQuotedUnits + 1] ? AnsiConsole.quoted[i] : nullptr;
}

void AnsiBeginEscape()
{
    ResetCsiCollector();
    AnsiConsole.quote = 0;
    AnsiConsole.quotedLength = 0;
    for (auto& text : AnsiConsole.quoted) {
        text[0] = 0;
        text[kAnsiQuotedUnits + 1] = 0;
    }
    ParseWithStateTableFrom(kEscState, AnsiNextSequenceByte);
}
