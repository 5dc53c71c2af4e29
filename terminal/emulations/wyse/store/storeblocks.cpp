// The store's blocks: the page memory, the pages and windows, the character banks, and
// the 44 screen rows hung into the shared line table while the family runs.
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/memblock.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

WyseStoreState WyStore;
WyseModeState WyMode;

namespace {
constexpr int kChunkLines = 24;
constexpr int kChunks = 8;

void FreeBlock(void* block)
{
    if (block)
        MemFreeBlock(block);
}

void FreeSoftGlyphs()
{
    if (!WyStore.softGlyph)
        return;
    for (int i = 0; i < kWyseBanks * 256; ++i) {
        FreeBlock(WyStore.softGlyph[i]);
        WyStore.softGlyph[i] = nullptr;
    }
}

// Everything the store allocated, the shared table left alone.
void FreeBlocks()
{
    WyseStoreState& s = WyStore;
    FreeBlock(s.screenBlock);
    s.screenBlock = nullptr;
    for (ScreenLineRecord*& chunk : s.chunk) {
        FreeBlock(chunk);
        chunk = nullptr;
    }
    FreeBlock(s.line);
    s.line = nullptr;
    FreeBlock(s.page);
    s.page = nullptr;
    FreeBlock(s.window);
    s.window = nullptr;
    FreeBlock(s.bankGlyphs);
    s.bankGlyphs = nullptr;
    FreeSoftGlyphs();
    FreeBlock(s.softGlyph);
    s.softGlyph = nullptr;
    for (ScreenLineRecord*& row : s.row)
        row = nullptr;
}

template <typename T>
T* Alloc(std::size_t count)
{
    return static_cast<T*>(MemAllocBlock(count * sizeof(T)));
}

}  // namespace

bool WyIsTvi()
{
    return WyStore.id == kEmuTvi910 || WyStore.id == kEmuTvi920 || WyStore.id == kEmuTvi925;
}

bool WyIsPlusOr60()
{
    return WyStore.id == kEmuWy50Plus || WyStore.id == kEmuWy60;
}

void WyseBlankLine(ScreenLineRecord* line, u8 character, u8 attribute, u8 colour)
{
    if (!line)
        return;
    const ScreenCell blank{character, colour, attribute, 0};
    for (int c = 0; c < kWyseCells; ++c)
        line->cells[c] = blank;
    line->cells[kLineCells - 1] = blank;
    line->header[1] = 0;
}

bool WyseBuildStore()
{
    WyseStoreState& s = WyStore;
    s.id = EmulationId;
    s.savedLineCount = Screen.lineCount;
    s.savedPageLength = Screen.pageLength;
    s.savedRows = Screen.rows;
    s.savedLastColumn = Screen.lastColumn;
    FreeBlocks();
    SetScreenLineCount(0);

    s.screenBlock = Alloc<ScreenLineRecord>(kWyseScreenRows);
    s.line = Alloc<ScreenLineRecord*>(kWyseLineRecords);
    s.page = Alloc<WysePageRecord>(kWyseMaxPages);
    s.window = Alloc<WyseWindowRecord>(2);
    s.bankGlyphs = Alloc<u16>(kWyseBanks * kWyseBankGlyphs);
    s.softGlyph = Alloc<u8*>(kWyseBanks * 256);
    bool ok = s.screenBlock && s.line && s.page && s.window && s.bankGlyphs && s.softGlyph;
    for (int c = 0, at = 0; ok && c < kChunks; ++c) {
        const int n = kWyseLineRecords - at < kChunkLines ? kWyseLineRecords - at : kChunkLines;
        s.chunk[c] = Alloc<ScreenLineRecord>(static_cast<std::size_t>(n));
        ok = s.chunk[c] != nullptr;
        for (int i = 0; ok && i < n; ++i)
            s.line[at++] = &s.chunk[c][i];
    }
    if (!ok || !Screen.lines) {
        FreeBlocks();
        return false;
    }
    for (int r = 0; r < kWyseScreenRows; ++r) {
        WyseBlankLine(&s.screenBlock[r], ' ', 0, 0);
        s.row[r] = &s.screenBlock[r];
        Screen.lines[r] = s.row[r];
    }
    for (int i = 0; i < kWyseLineRecords; ++i)
        WyseBlankLine(s.line[i], ' ', 0, 0);
    Screen.lineOwner = 1;
    Screen.lineCount = kWyseScreenRows;
    return true;
}

void WyseFreeScreenStore()
{
    WyseStoreState& s = WyStore;
    if (Screen.lineOwner) {
        ClearScreenLineTable();
        Screen.lineOwner = 0;
        SetScreenLineCount(s.savedLineCount);
        Screen.pageLength = s.savedPageLength;
        Screen.rows = s.savedRows;
        Screen.lastColumn = s.savedLastColumn;
        BlankAllScreenLines();
    }
    FreeBlocks();
}

void WyseSuspendPainting()
{
    ++WyStore.paintHold;
}

void WyseResumePainting()
{
    if (WyStore.paintHold > 0)
        --WyStore.paintHold;
}

bool WysePaintingSuspended()
{
    return WyStore.paintHold > 0;
}
