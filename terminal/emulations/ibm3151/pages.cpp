#include "terminal/emulations/ibm3151/pages.h"

#include <new>

#include "terminal/core/host/hostread.h"
#include "terminal/core/screen/display.h"
#include "terminal/emulations/ibm3151/charsets.h"
#include "terminal/settings/store/colours.h"

I3151State I3151;
I3151AttributeColourSet I3151AttributeColours;

namespace {

constexpr int kRowsPerPage = 25;

I3151PageRecord g_pages[kI3151Pages];
// All rows of all pages and the four status records, in one block.
I3151Row* g_rows = nullptr;

I3151Row* StatusRecords()
{
    return g_rows ? g_rows + kI3151Pages * kRowsPerPage : nullptr;
}

// A combination of the 3151's rendition (blink 1, reverse 2, underline 4, bold 8) as
// the index of the profile's attribute colours (bold 1, underline 2, flash 4, inverse 8).
int ProfileCombination(int combination)
{
    return ((combination & 8) ? 1 : 0) | ((combination & 4) ? 2 : 0) | ((combination & 1) ? 4 : 0) |
           ((combination & 2) ? 8 : 0);
}

int Clamp(int v, int lo, int hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

}  // namespace

I3151PageRecord* I3151GetPage(int index)
{
    return &g_pages[index < 0 || index >= kI3151Pages ? 0 : index];
}

I3151PageRecord* I3151GetCurrentPage()
{
    const bool local = CameFromKeyboard.load(std::memory_order_relaxed) != 0 && I3151IsBlockMode();
    return I3151GetPage(local ? I3151.displayPage : I3151.hostPage);
}

u8 I3151OperatingMode()
{
    const u8 mode = I3151.mode & 3;
    return mode == 3 ? kI51Echo : mode;
}

bool I3151IsBlockMode()
{
    return (I3151.mode & 3) == kI51Block;
}

bool I3151IsPageFormatted(const I3151PageRecord* page)
{
    return page && (page->fieldFlags & kI51Formatted);
}

u8 I3151Turnaround()
{
    return I3151.setup[17];
}

void I3151ApplySetupValues()
{
    const AttributeColours& table = AttributeColourTable;
    I3151AttributeColourSet& c = I3151AttributeColours;
    c.foreground = table.frg[0] & 0x0F;
    c.writtenBackground = table.bck[0] & 0x0F;
    c.blankBackground = table.bckscrn & 0x0F;
    for (int combination = 0; combination < 16; ++combination) {
        c.comboForeground[combination] = table.frg[ProfileCombination(combination)];
        c.comboBackground[combination] = table.bck[ProfileCombination(combination)];
    }
    for (I3151PageRecord& page : g_pages) {
        page.current.colour = I3151WrittenColour();
        page.defaultCell.colour = I3151BlankColour();
    }
}

u8 I3151WrittenColour()
{
    const I3151AttributeColourSet& c = I3151AttributeColours;
    return static_cast<u8>((c.writtenBackground << 4) | c.foreground);
}

u8 I3151BlankColour()
{
    const I3151AttributeColourSet& c = I3151AttributeColours;
    return static_cast<u8>((c.blankBackground << 4) | c.foreground);
}

ScreenCell I3151BlankCell()
{
    return ScreenCell{0, I3151BlankColour(), 0, 0};
}

void I3151BlankRow(I3151Row* row, u8 colour)
{
    if (!row)
        return;
    for (ScreenCell& cell : row->cells)
        cell = ScreenCell{0, colour, 0, 0};
    row->attributeCount = 0;
    row->blinks = 0;
}

void I3151InitState()
{
    const bool allocated = g_rows != nullptr;
    I3151 = I3151State{};
    I3151.active = allocated;
    static constexpr u8 kStartBytes[17] = {'@', ' ', 'H', ' ', '@', '@', ' ', '0', ' ',
                                           '@', ' ', '0', ' ', '@', ' ', ' ', '@'};
    for (int i = 0; i < 17; ++i)
        I3151.setup[i] = kStartBytes[i];
    I3151.setup[17] = 3;
    I3151.setup[18] = 7;
    I3151.mode = 0;
}

bool I3151PagesAllocated()
{
    return g_rows != nullptr;
}

bool I3151ResetPages()
{
    if (!g_rows) {
        g_rows = new (std::nothrow) I3151Row[kI3151Pages * kRowsPerPage + 4];
        if (!g_rows)
            return false;
    }
    const int lastRow = I3151.rows - 1;
    for (int p = 0; p < kI3151Pages; ++p) {
        I3151PageRecord& page = g_pages[p];
        page = I3151PageRecord{};
        page.firstRow = 0;
        page.lastRow = lastRow;
        page.lastRowIndex = lastRow;
        page.dirtyLast = I3151.lastColumn;
        page.current = ScreenCell{0, I3151WrittenColour(), 0, 0};
        page.defaultCell = I3151BlankCell();
        for (int r = 0; r < kRowsPerPage; ++r) {
            page.rows[r] = &g_rows[p * kRowsPerPage + r];
            I3151BlankRow(page.rows[r], I3151BlankColour());
        }
        I3151SelectCodePage(&page);
    }
    for (int r = 0; r < 4; ++r)
        I3151BlankRow(&StatusRecords()[r], I3151BlankColour());
    I3151.hostPage = I3151.displayPage = 0;
    I3151.announcedHostPage = I3151.announcedDisplayPage = 0;
    I3151.pageCount = 1;
    I3151.writePosition = false;
    return true;
}

void I3151FreePages()
{
    delete[] g_rows;
    g_rows = nullptr;
    for (I3151PageRecord& page : g_pages)
        page = I3151PageRecord{};
}

I3151Row* I3151PageRow(I3151PageRecord* page, int row)
{
    if (!page || row < 0 || row >= kRowsPerPage)
        return nullptr;
    return page->rows[row];
}

I3151Row* I3151StatusRecord(int row)
{
    I3151Row* records = StatusRecords();
    if (!records || row < kI3151HostStatusRow || row > kI3151PromptRow)
        return nullptr;
    return &records[row - kI3151HostStatusRow];
}

I3151Row* I3151ShownStatusRecord()
{
    switch (I3151.statusRowMode) {
    case 2: return I3151StatusRecord(kI3151HostStatusRow);
    case 3: return I3151StatusRecord(kI3151PromptRow);
    default: return I3151StatusRecord(kI3151BlankStatusRow);
    }
}

bool I3151PageOfScreenRow(int row, int* page, int* pageRow)
{
    for (int p = 0; p < I3151.pageCount && g_rows; ++p) {
        const I3151PageRecord& r = g_pages[p];
        if (row >= r.firstRow && row <= r.lastRow) {
            *page = p;
            *pageRow = row - r.firstRow;
            return true;
        }
    }
    return false;
}

int I3151WriteRow(const I3151PageRecord* page)
{
    return I3151.writePosition ? page->bufferRow : page->cursorRow;
}

int I3151WriteColumn(const I3151PageRecord* page)
{
    return I3151.writePosition ? page->bufferColumn : page->cursorColumn;
}

void I3151SetWritePosition(I3151PageRecord* page, int row, int column)
{
    row = Clamp(row, 0, page->lastRowIndex);
    column = Clamp(column, 0, I3151.lastColumn);
    if (I3151.writePosition) {
        page->bufferRow = row;
        page->bufferColumn = column;
    } else {
        page->cursorRow = row;
        page->cursorColumn = column;
    }
}

void I3151SetCursor(I3151PageRecord* page, int row, int column)
{
    page->cursorRow = Clamp(row, 0, page->lastRowIndex);
    page->cursorColumn = Clamp(column, 0, I3151.lastColumn);
}

void I3151MarkChanged(I3151PageRecord* page, int row, int c0, int c1)
{
    if (page->dirty && page->dirtyRow != row)
        I3151FlushPage(page);
    if (!page->dirty) {
        page->dirty = true;
        page->dirtyRow = row;
        page->dirtyFirst = c0;
        page->dirtyLast = c1;
        return;
    }
    if (c0 < page->dirtyFirst)
        page->dirtyFirst = c0;
    if (c1 > page->dirtyLast)
        page->dirtyLast = c1;
}

void I3151FlushPage(I3151PageRecord* page, bool force)
{
    if (!page->dirty && !force)
        return;
    const int row = page->dirty ? page->dirtyRow : I3151WriteRow(page);
    const int screenRow = page->firstRow + row;
    if (force)
        RepaintScreenRegion(screenRow, 0, screenRow, I3151.lastColumn);
    else
        RepaintScreenRegion(screenRow, page->dirtyFirst, screenRow, page->dirtyLast);
    page->dirty = false;
}

void I3151FlushAllPages()
{
    for (int p = 0; p < I3151.pageCount; ++p)
        I3151FlushPage(&g_pages[p]);
}

void I3151RepaintPageRows(I3151PageRecord* page, int r0, int r1)
{
    if (r0 > r1)
        return;
    RepaintScreenRegion(page->firstRow + r0, 0, page->firstRow + r1, I3151.lastColumn);
}

void I3151RepaintPage(I3151PageRecord* page)
{
    page->dirty = false;
    I3151RepaintPageRows(page, 0, page->lastRowIndex);
}

void I3151RepaintStatusRow()
{
    RepaintScreenRegion(I3151.rows, 0, I3151.rows, I3151.lastColumn);
}

void I3151RepaintAll()
{
    for (I3151PageRecord& page : g_pages)
        page.dirty = false;
    RepaintScreenRegion(0, 0, I3151.rows, kI3151MaxColumns - 1);
}

void I3151ScrollPicture(I3151PageRecord* page, int r0, int r1, bool up)
{
    I3151FlushPage(page);
    if (up)
        ScrollScreenUp(page->firstRow + r0, page->firstRow + r1);
    else
        ScrollScreenDown(page->firstRow + r0, page->firstRow + r1);
}
