#include "terminal/emulations/ta6530/screen/tastatus.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/language.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/emulations/ta6530/screen/tapages.h"
#include "terminal/input/keyboard/keycodes.h"

namespace {

constexpr int kMessageFirst = 1, kMessageLast = 64;
constexpr int kModeFirst = 66, kModeWidth = 6;
constexpr int kNumFirst = 73, kInsFirst = 77, kFlagWidth = 3;
// The cells before the fields: protected field starts that hold an attribute.
constexpr int kFieldStarts[] = {0, 65, 72, 76};

void SetText(TaLine& line, int first, int width, const wchar16* text, u8 video)
{
    int i = 0;
    for (; i < width && text && text[i]; ++i)
        line.cells[first + i] = ScreenCell{static_cast<u8>(text[i] < 256 ? text[i] : '?'), 0, video, 0};
    for (; i < width; ++i)
        line.cells[first + i] = ScreenCell{' ', 0, video, 0};
}

void RepaintStatus(int c0, int c1)
{
    if (Ta.row24 == TaRow24::Status)
        TaMarkDirtySpan(kTaStatusRow, c0, c1);
}

void SetStatusField(int first, int width, u32 stringId)
{
    wchar16 text[80] = {};
    if (stringId)
        LoadLanguageString(nullptr, stringId, text, 80);
    SetText(Ta.statusLine, first, width, text, 0);
    RepaintStatus(first, first + width - 1);
}

}  // namespace

void TaDrawStatusLine()
{
    TaLine& line = Ta.statusLine;
    for (ScreenCell& c : line.cells)
        c = ScreenCell{' ', 0, 0, 0};
    line.doubleWidth = 0;
    for (int c : kFieldStarts)
        line.cells[c] = ScreenCell{' ', 0, kTaAttributeCell | kTaFieldStart, kTaProtectedField};
    TaShowModeField();
    TaShowNumLockField();
    TaShowInsertField();
    RepaintStatus(0, kTaColumns - 1);
}

void TaShowModeField()
{
    u32 id = 7576;  // "CONV  "
    if (!TaPageShown() || Ta.keyboardLocked)
        id = 7570;  // "KBD LK"
    else if (OutputHeld)
        id = 7571;  // "HOLD  "
    else if (PaintSettings.displayControls)
        id = 7572;  // "CNTRL "
    else if (Ta.mode == kTaAnsi)
        id = 7573;
    else if (Ta.mode == kTaBlock)
        id = 7574;
    else if (Ta.mode == kTaProtected)
        id = 7575;
    SetStatusField(kModeFirst, kModeWidth, id);
}

void TaShowNumLockField()
{
    SetStatusField(kNumFirst, kFlagWidth, NumLockState ? 7577 : 0);
}

void TaShowInsertField()
{
    SetStatusField(kInsFirst, kFlagWidth, TaBlockMode() && Ta.insert ? 7578 : 0);
}

void TaSetMessageText(int column, const u8* text, int count, u8 video)
{
    for (int i = 0; i < count; ++i) {
        const int c = kMessageFirst + (column - kMessageFirst + i) % (kMessageLast - kMessageFirst + 1);
        Ta.statusLine.cells[c] = ScreenCell{text[i], 0, video, 0};
    }
    RepaintStatus(kMessageFirst, kMessageLast);
}

void TaClearMessageField()
{
    SetText(Ta.statusLine, kMessageFirst, kMessageLast - kMessageFirst + 1, nullptr, 0);
    RepaintStatus(kMessageFirst, kMessageLast);
}

void TaShowMessageLine()
{
    Ta.row24 = TaRow24::Status;
    TaMarkDirtySpan(kTaStatusRow, 0, kTaColumns - 1);
}

void TaShowErrorLine(u32 stringId)
{
    TaLine& line = Ta.errorLine;
    for (ScreenCell& c : line.cells)
        c = ScreenCell{' ', 0, 0, 0};
    line.cells[1] = ScreenCell{' ', 0, kTaAttributeCell | kTaFieldStart | kTaReverse, kTaProtectedField};
    wchar16 text[80] = {};
    LoadLanguageString(nullptr, stringId, text, 80);
    SetText(line, 2, kTaColumns - 2, text, kTaReverse);
    Ta.row24 = TaRow24::Error;
    TaMarkDirtySpan(kTaStatusRow, 0, kTaColumns - 1);
}

const TaLine& TaRow24Line()
{
    switch (Ta.row24) {
    case TaRow24::Error: return Ta.errorLine;
    case TaRow24::Host: return Ta.hostLine;
    default: return Ta.statusLine;
    }
}

int TaStatusLineText(wchar16* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    const TaLine& line = TaRow24Line();
    int n = 0, kept = 0;
    for (int c = 0; c < kTaColumns && n + 1 < capacity; ++c) {
        const ScreenCell& cell = line.cells[c];
        buffer[n++] = (cell.rendition & kTaAttributeCell) || cell.ch < 32 ? u' ' : static_cast<wchar16>(cell.ch);
        if (buffer[n - 1] != u' ')
            kept = n;
    }
    buffer[kept] = 0;
    return kept;
}
