#include "terminal/emulations/ibm3151/screen/indicators.h"

#include "terminal/core/base/language.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/emulations/ibm3151/i3151.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/emulations/ibm3151/services.h"

namespace {

constexpr u32 kFieldCursor = 7400;

// Columns of the indicator line's fields at 80 and 132 columns.
constexpr int kColumns80[8] = {1, 7, 14, 31, 43, 57, 62, 71};
constexpr int kColumns132[8] = {1, 22, 34, 66, 81, 99, 107, 122};

int g_shownRow = -1, g_shownColumn = -1;
bool g_positionStale = true;  // the position field is to be written again

int FieldColumn(int field)
{
    return (I3151.lastColumn == 131 ? kColumns132 : kColumns80)[field];
}

// Writes `text` into the indicator record at a field's column, `width` cells wide.
void PutIndicator(int field, const wchar16* text, int width)
{
    I3151Row* row = I3151StatusRecord(kI3151IndicatorRow);
    if (!row)
        return;
    const int column = FieldColumn(field);
    bool ended = false;
    for (int i = 0; i < width && column + i < kI3151MaxColumns; ++i) {
        if (!text[i])
            ended = true;
        row->cells[column + i].ch = static_cast<u8>(ended ? ' ' : text[i]);
    }
}

void Show(int field, u32 textId, int width, u32 fieldId, bool statusBar)
{
    wchar16 text[40] = {};
    if (textId)
        LoadLanguageString(nullptr, textId, text, 40);
    if (!textId || !text[0])
        for (int i = 0; i < width && i < 39; ++i)
            text[i] = u' ';
    PutIndicator(field, text, width);
    if (statusBar)
        I3151SetStatusField(fieldId, text);
}

}  // namespace

int I3151ModeWordId()
{
    if (I3151.active && I3151PagesAllocated() && I3151GetPage(I3151.displayPage)->transparent)
        return 7585;
    if (LocalMode)
        return 7584;
    static constexpr int kModes[4] = {7581, 7582, 7583, 7581};
    return kModes[I3151.mode & 3];
}

int I3151StateWordId()
{
    if (I3151.hostBusy)
        return 7586;
    if (I3151.auxBusy)
        return 7587;
    if (OutputHeld)
        return 7588;
    if (I3151.sending != I3151Send::None)
        return 7589;
    if (I3151.receiving)
        return 7590;
    if (I3151.printing)
        return 7591;
    if (I3151.keysLocked)
        return 7592;
    if (I3151.invalidKey)
        return 7593;
    if (I3151.wrongPlace)
        return 7594;
    if (I3151.numeric)
        return 7595;
    return 0;
}

void I3151UpdateIndicators(bool statusBar)
{
    Show(0, static_cast<u32>(I3151ModeWordId()), 7, kI51FieldMode, statusBar);
    Show(2, static_cast<u32>(I3151StateWordId()), 11, kI51FieldState, statusBar);
    Show(3, I3151.insertMode ? 7598 : 0, 6, kI51FieldInsert, statusBar);
    Show(6, I3151.trace ? 7605 : 0, 7, kI51FieldTrace, statusBar);
    g_positionStale = true;
    I3151UpdateCursorStatus();
}

void I3151FormatPosition(wchar16* text, int row, int column)
{
    const int numbers[2] = {row + 1, column + 1};
    int n = 0;
    text[n++] = u' ';
    for (int i = 0; i < 2; ++i) {
        const int v = numbers[i] < 0 ? 0 : numbers[i] % 1000;
        text[n++] = static_cast<wchar16>(u'0' + v / 100);
        text[n++] = static_cast<wchar16>(u'0' + v / 10 % 10);
        text[n++] = static_cast<wchar16>(u'0' + v % 10);
        text[n++] = i == 0 ? u',' : u' ';
    }
    text[n] = 0;
}

void I3151UpdateCursorStatus()
{
    if (!I3151.active || !I3151PagesAllocated())
        return;
    I3151PageRecord* page = I3151GetPage(I3151.displayPage);
    const bool moved = page->cursorRow != g_shownRow || page->cursorColumn != g_shownColumn;
    if (moved || g_positionStale) {
        g_shownRow = page->cursorRow;
        g_shownColumn = page->cursorColumn;
        g_positionStale = false;
        wchar16 text[12];
        I3151FormatPosition(text, g_shownRow, g_shownColumn);
        PutIndicator(7, text, 9);
        I3151SetStatusField(kFieldCursor, text);
    }
    // An error word stays until the cursor moves or the numeric state changes.
    const bool numeric = I3151IsPageFormatted(page) &&
                         (I3151FieldAttributeAt(page, page->cursorRow, page->cursorColumn)->flags & kI51Numeric);
    const bool numericChanged = numeric != I3151.numeric;
    if (numericChanged || (moved && I3151.errorLatch)) {
        I3151.errorLatch = false;
        I3151.invalidKey = I3151.wrongPlace = false;
        I3151.numeric = numeric;
        Show(2, static_cast<u32>(I3151StateWordId()), 11, kI51FieldState, true);
    }
}

void I3151ResetStatusFields()
{
    g_shownRow = g_shownColumn = -1;
    g_positionStale = true;
}

namespace {
// An error word stays until the cursor moves from where it is now.
void MarkPositionShown()
{
    if (!I3151.active || !I3151PagesAllocated())
        return;
    g_positionStale = true;
    I3151UpdateCursorStatus();
}
}  // namespace

void I3151SignalInvalidKey()
{
    MarkPositionShown();
    I3151.invalidKey = true;
    RequestBell();
    Show(2, static_cast<u32>(I3151StateWordId()), 11, kI51FieldState, true);
    I3151.errorLatch = true;
}

void I3151SignalWrongPlace()
{
    MarkPositionShown();
    I3151.wrongPlace = true;
    RequestBell();
    Show(2, static_cast<u32>(I3151StateWordId()), 11, kI51FieldState, true);
    I3151.errorLatch = true;
}
