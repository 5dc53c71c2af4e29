#include "terminal/emulations/ibmhost/5250/printer/printscreen5250.h"

#include <cstring>

#include "terminal/comms/printing/printing.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/session5250.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"

namespace {
// A printer session has no screen to print.
bool Printable(const I5250Session* s)
{
    return s && !s->printerSession && !s->cells.empty();
}
}  // namespace

void I5250PrintRowText(const I5250Session* s, int row, ScreenLineRecord& line)
{
    std::memset(&line, 0, sizeof line);
    const int columns = s->current.columns < kLineCells ? s->current.columns : kLineCells;
    for (int c = 0; c < kLineCells; ++c)
        line.cells[c].ch = ' ';
    // The attribute in force where the row starts.
    u8 attribute = 0x20;
    for (i32 a = AddressOf(s, row, 0) - 1; a >= 1; --a)
        if (I5250IsAttributeCell(s->cells[static_cast<std::size_t>(a)])) {
            attribute = s->cells[static_cast<std::size_t>(a)].character;
            break;
        }
    for (int c = 0; c < columns; ++c) {
        const HostCell& cell = s->cells[static_cast<std::size_t>(AddressOf(s, row, c))];
        if (I5250IsAttributeCell(cell)) {
            attribute = cell.character;
            continue;
        }
        // Non-display fields (attribute 0x27 and its forms) print blank.
        if (cell.character == 0 || (attribute & 0x07) == 0x07)
            continue;
        const wchar16 u = HostByteToUnicode(s->s2u, cell.character);
        if (u < 0x20 || (u >= 0x80 && u < 0xA0) || u > 0xFF)
            continue;
        line.cells[c].ch = static_cast<u8>(u);
    }
}

void I5250StartPrintScreen()
{
    if (Printable(I5250ActiveSession))
        StartPrintScreen();
}

void I5250PrintScreenRow(u32 row)
{
    const I5250Session* s = I5250ActiveSession;
    if (!Printable(s) || static_cast<int>(row) >= s->current.rows) {
        PrintScreenLineRecord(nullptr, row + 1);
        return;
    }
    ScreenLineRecord line;
    I5250PrintRowText(s, static_cast<int>(row), line);
    PrintScreenLineRecord(&line, row + 1);
}
