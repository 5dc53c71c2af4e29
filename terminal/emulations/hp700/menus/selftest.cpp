// The self test: a pattern of every character set and enhancement with the two status
// replies, written into display memory at the cursor while the label row says
// "TESTING!".
#include "terminal/core/base/uiservices.h"
#include "terminal/core/host/hostio.h"
#include "terminal/emulations/hp700/charset/roman8.h"
#include "terminal/emulations/hp700/hp700.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/memory/repaint.h"
#include "terminal/emulations/hp700/menus/menus.h"
#include "terminal/emulations/hp700/replies/replies.h"

namespace {

struct TestLine {
    HpLine* line;
    int column;
};

ScreenCell* NextCell(TestLine& t)
{
    if (t.column > Hp700.lastColumn)
        return nullptr;
    return &t.line->cells[t.column++];
}

void Put(TestLine& t, u8 code, bool displayFunctions, bool alternate)
{
    // The codes stand in groups of ten, two blanks apart.
    if (t.column % 10 == 4) {
        for (int i = 0; i < 2; ++i)
            if (ScreenCell* blank = NextCell(t))
                blank->ch = ' ';
    }
    ScreenCell* cell = NextCell(t);
    if (!cell)
        return;
    Hp700StoreCellChar(code, cell, displayFunctions);
    cell->colour = 0;
    if (alternate)
        cell->rendition |= kHpAltSet;
}

void Codes(TestLine& t, int first, int last, bool displayFunctions, bool alternate)
{
    for (int c = first; c <= last; ++c)
        Put(t, static_cast<u8>(c), displayFunctions, alternate);
}

void PutPlain(TestLine& t, u8 code)
{
    if (ScreenCell* cell = NextCell(t))
        cell->ch = code;
}

void Enhancements(TestLine& t)
{
    for (int e = 0; e < 16; ++e) {
        ScreenCell* cell = NextCell(t);
        cell->ch = static_cast<u8>('@' + e);
        cell->rendition = static_cast<u8>((cell->rendition & ~kHpEnhMask) | e);
        cell->flags |= kHpMarkEnhancement;
        if (e & kHpEnhBlink)
            t.line->blinks = 1;
    }
    PutPlain(t, ' ');
    PutPlain(t, ' ');
    u8 status[7];
    Hp700PrimaryStatus(status);
    for (u8 c : status)
        PutPlain(t, c);
    PutPlain(t, ' ');
    PutPlain(t, ' ');
    Hp700SecondaryStatus(status);
    for (u8 c : status)
        PutPlain(t, c);
}

}  // namespace

void Hp700SelfTest()
{
    if (!Hp700Running() || Hp700.menu == kHpMenuConfig)
        return;
    Hp700FlushRow();
    Hp700.selfTestRan = true;
    Hp700.selfTestRunning = true;
    const u8 menu = Hp700.menu;
    if (menu <= kHpMenuDeviceModes)
        Hp700.rememberedMenu = menu;
    HpLine& label = Hp700.labelLines[2 * kHpMenuLabels];
    Hp700BlankLine(&label);
    Hp700BlankLine(&Hp700.labelLines[2 * kHpMenuLabels + 1]);
    const char* testing = "TESTING!";
    for (int i = 0; testing[i]; ++i)
        label.cells[i].ch = static_cast<u8>(testing[i]);
    label.used = 1;
    Hp700.menu = kHpMenuLabels;
    Hp700RepaintRows(kHpScreenRows, kHpScreenRows + 1);
    LockKeyboardTimed(1);

    Hp700.cursorColumn = 0;
    for (int n = 1; n <= 9; ++n) {
        TestLine t{Hp700CursorLine(), 0};
        Hp700BlankLine(t.line);
        Hp700MarkLinesUsed();
        switch (n) {
        case 1:
            Codes(t, 0, 31, true, false);
            Codes(t, 32, 63, false, true);
            break;
        case 2: Codes(t, 64, 127, false, true); break;
        case 3:
            Codes(t, 0, 31, true, false);
            Codes(t, 160, 191, false, false);
            break;
        case 4: Codes(t, 192, 255, false, false); break;
        case 5:
            Codes(t, 0, 31, true, false);
            Codes(t, 32, 63, false, false);
            break;
        case 6: Codes(t, 64, 127, false, false); break;
        case 7: Enhancements(t); break;
        default: break;  // 8 and 9 stay blank
        }
        t.line->used = 1;
        Hp700RepaintRows(Hp700CursorScreenRow(), Hp700CursorScreenRow());
        Hp700LineFeedCommand();
    }
    Hp700.cursorColumn = 0;
    Hp700BlankLine(&label);
    if (Hp700.menu == kHpMenuLabels)
        Hp700ReturnToRememberedMenu();
    RequestBell();
    Hp700.selfTestRunning = false;
    Hp700RepaintAll();
}
