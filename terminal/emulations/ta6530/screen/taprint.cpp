#include "terminal/emulations/ta6530/screen/taprint.h"

#include "terminal/comms/printing/printing.h"
#include "terminal/core/screen/autoprint.h"
#include "terminal/emulations/ta6530/screen/tapages.h"
#include "terminal/emulations/ta6530/taservices.h"

namespace {

// The lines of the run that prints: the first and the count.
int g_first = 0, g_count = 0;

// What the printer gets of a line: controls, C1 codes and invisible or attribute cells
// as blanks; line drawing stays for the printer's graphic mapping.
void PrintableCells(int line, ScreenCell (&out)[kTaColumns])
{
    const TaLine& l = TaLineAt(line);
    for (int c = 0; c < kTaColumns; ++c) {
        ScreenCell cell = l.cells[c];
        const bool blank = cell.ch < 32 || cell.ch == 127 || (cell.ch >= 157 && cell.ch < 160) ||
                           (cell.rendition & (kTaAttributeCell | kTaInvisible));
        out[c] = ScreenCell{blank ? static_cast<u8>(' ') : cell.ch, 0, 0, 0};
    }
}

void StartRun(int first, int count)
{
    if (!TaPageShown() && Ta.mode != kTaAnsi)
        return;
    g_first = first;
    g_count = count;
    TaStartPrintRun();
}

}  // namespace

bool TaAutoPrintOn()
{
    return AutoPrintOn();
}

void TaPrintLine(int line)
{
    ScreenCell cells[kTaColumns];
    PrintableCells(line, cells);
    TaPrintLineNow(cells);
}

void TaStartPrintScreen()
{
    const TaPage& page = Ta.mode == kTaAnsi ? Ta.pages[1] : TaDisplayPage();
    StartRun(Ta.mode == kTaAnsi ? page.first : page.top, kTaRows);
}

void TaStartPrintBuffer()
{
    if (Ta.mode == kTaConversational || Ta.mode == kTaAnsi) {
        const TaPage& page = Ta.pages[1];
        StartRun(page.first, page.last - page.first + 1);
        return;
    }
    TaStartPrintScreen();
}

void TaPrintScreenStep(u32 line)
{
    if (static_cast<int>(line) >= g_count || !Ta.entered) {
        TaEndPrintRun();
        return;
    }
    ScreenCell cells[kTaColumns];
    PrintableCells(g_first + static_cast<int>(line), cells);
    TaPrintRunLine(cells, line + 1);
}
