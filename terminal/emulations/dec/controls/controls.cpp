// The control characters of the DEC VT and ANSI console family.
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/escparser.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/controls/controls.h"
#include "terminal/emulations/dec/vtchar.h"
#include "terminal/emulations/dec/services.h"

namespace {
constexpr int kErrorGlyphCan = 133;
constexpr int kErrorGlyphSub = 132;

void NewLineIfSet()
{
    if (VtMode.newLineMode)
        CarriageReturn();
}
}  // namespace

void VtControlChar(int c)
{
    if (AixtermMode > 0) {
        AixtermExecuteControl(c);
        return;
    }
    ExecuteC0Control(c);
}

void ExecuteC0Control(int c)
{
    // clang-format off
    switch (c) {
    case 5:  // ENQ
        SendReport(AnswerbackText);
        break;
    case 7:  // BEL
        RequestBell();
        break;
    case 8:  // BS
        if (VtMode.rightToLeft)
            CursorForward(1);
        else
            VtBackspace();
        break;
    case 9:  // HT
        if (VtLocalEditing() && LocalEditor.tabForward)
            LocalEditor.tabForward();
        else
            CursorTabForward(1);
        break;
    case 10:
        VtLineFeed();
        break;
    case 11:
        VtVerticalTab();
        break;
    case 12:
        VtFormFeed();
        break;
    case 13:
        VtCarriageReturn();
        break;
    case 14:  // SO: G1 into GL
        VtMode.glSet = 1;
        break;
    case 15:  // SI: G0 into GL
        VtMode.glSet = 0;
        break;
    case 21:  // NAK: a new line on the SCO console only
        if (EmulationId == kEmuScoConsole) {
            CarriageReturn();
            IndexDown();
        }
        break;
    case 24:  // CAN
    case 26:  // SUB
        CancelSequenceChar(c);
        break;
    case 27:
        VtEnterEscape(c);
        break;
    default:
        break;
    }
    // clang-format on
}

void VtCarriageReturn()
{
    CarriageReturn();
    if (VtMode.autoLineFeed)
        IndexDown();
}

void VtLineFeed()
{
    IndexDown();
    NewLineIfSet();
}

void VtVerticalTab()
{
    IndexDown();
    NewLineIfSet();
}

void VtFormFeed()
{
    if (AnsiConsoleMode) {
        if (EmulationId != kEmuScoConsole)
            ResetGraphicRendition();
        ClearLines(0, Screen.pageLength - 1);
        MoveCursor(0, 0);
        ScoColourEraseRows(0, Screen.pageLength - 1);
        RepaintScreen();
        return;
    }
    if (!VtMode.ansiMode) {
        VtWriteChar(12);  // VT52 shows FF as a glyph
        return;
    }
    IndexDown();
    NewLineIfSet();
}

void VtBackspace()
{
    if (VtLocalEditing()) {
        CursorBackward(1);
        return;
    }
    const bool stopped = CursorBackward(1);
    if (stopped && Screen.cursorColumn == Screen.left && VtMode.reverseWrap) {
        ReverseIndex();
        MoveCursorToColumn(Screen.right);
    }
}

void VtEnterEscape(int c)
{
    if (InSequence) {
        // An ESC inside a sequence cancels it and starts the next one.
        InSequence = 0;
        PushBackInputByte(static_cast<u8>(c));
        return;
    }
    // Only this thread changes the flag; others merely look at it: no fence per sequence.
    InSequence.store(1, std::memory_order_relaxed);
    if (AnsiConsoleMode)
        AnsiBeginEscape();
    else if (AixtermMode > 0)
        AixtermBeginEscape();
    else
        VtBeginEscape();
    InSequence.store(0, std::memory_order_relaxed);
}

void CancelSequenceChar(int c)
{
    InSequence = 0;
    if (!VtMode.displayErrors)
        return;
    if (VtMode.ansiMode)
        VtWriteChar(c == 24 ? kErrorGlyphCan : kErrorGlyphSub);
    else
        VtWriteChar(c);
}

void SkipToNextEscape()
{
    for (;;) {
        const int v = HostReadSequenceByte();
        if (v < 0)
            return;
        if (v == 27 || v == 155) {
            PushBackInputByte(static_cast<u8>(v));
            return;
        }
    }
}
