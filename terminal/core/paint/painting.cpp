// The row painter: turns rows of the screen store into pixels in the screen window's
// device context. A row is cut into runs of cells that look alike and each run is
// drawn with one ExtTextOutW at a fixed advance, or from the glyph bitmaps.
#include "terminal/core/base/ticks.h"
#include "terminal/core/paint/overlays.h"
#include "terminal/core/screen/display.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/paint/cellcolours.h"
#include "terminal/core/screen/charsets.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/damage.h"
#include "terminal/core/paint/frame.h"
#include "terminal/core/paint/glyphcache.h"
#include "terminal/core/paint/glyphpaint.h"
#include "terminal/core/paint/picture.h"
#include "terminal/core/paint/jumpscroll.h"
#include "terminal/core/paint/paintrows.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/paint/screenscroll.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/base/startopts.h"
#include "terminal/settings/store/colours.h"

namespace {

constexpr u8 kRenditionPainted = 0x1F;  // blink, reverse, underline, bold, invisible

bool BoldRunItalic(u8 rendition)
{
    return (rendition & kComboBold) && Colours.bolditalic;
}

// The page slot whose lines the window shows.
int ShownPageSlot()
{
    if (!Screen.multiPage)
        return 0;
    for (u32 slot = 0; slot < Screen.pages.pageCount && slot < kMaxPages; ++slot)
        if (static_cast<i32>(Screen.pages.pageId[slot]) == Screen.pageShown)
            return static_cast<int>(slot);
    return 0;
}

int Clamp(int v, int lo, int hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

void RepaintStoreRegion(int r0, int c0, int r1, int c1)
{
    const int rows = Screen.rows;
    r0 = Clamp(r0, 0, rows);
    r1 = Clamp(r1, 0, rows);
    for (int r = r0; r <= r1; ++r) {
        if (r >= rows) {
            RefreshStatusLine();
            DrawSoftButtonLabels();
            return;
        }
        StoreRowSegment segment;
        if (FindStoreRowSegment(r, c0, c1, &segment))
            PaintRowSegment(segment.line->cells + segment.offset, r, segment.c0, segment.c1, segment.lineFlags);
    }
}

struct Run {
    int start = 0, length = 0;
    u8 colour = 0, rendition = 0, glyphSet = 0, marked = 0;
    bool control = false;
    wchar_t text[kAdvanceEntries];
};

}  // namespace

bool FindStoreRowSegment(int row, int c0, int c1, StoreRowSegment* segment)
{
    if (row < 0 || row >= Screen.rows)
        return false;
    const int last = Screen.lastColumn;
    const int base = Screen.firstLine + Screen.pageLength * ShownPageSlot();
    // While the host writes the status line, its record is the one in slot 0 and the
    // first row's own record waits in the spare slot.
    const ScreenLineRecord* line = (StatusLineWriting && base + row == 0) ? LineAt(kSpareLine1)
                                                                          : LineAt(base + row);
    if (!line)
        return false;
    const u8 flags = line->cells[0].flags;
    const bool doubleWidth = (flags & kLineDoubleWidth) != 0;
    int offset = 0;
    if (Screen.lastColumn >= Screen.windowColumns)
        offset = doubleWidth ? Screen.horizontalOffset / 2 : Screen.horizontalOffset;
    // A double-width line is always painted whole: its cells are twice as wide.
    *segment = StoreRowSegment{line, offset, doubleWidth ? 0 : Clamp(c0, 0, last),
                               doubleWidth ? last : Clamp(c1, 0, last), static_cast<u8>(flags & kLineAttrBits)};
    return true;
}

int CursorWindowRow()
{
    if (FamilyPlacesCaret()) {
        int row = -1, column = -1, style = 0;
        const DisplayHooks* display = ActiveFamily().display;
        return display->textCursor(&row, &column, &style) && column >= 0 ? row : -1;
    }
    if (StatusLineWriting)
        return Screen.rows;
    if (ClassifyRowVisibility(Screen.cursorRow) != 0)
        return -1;
    return Screen.cursorRow - Screen.firstLine;
}

namespace {
// The running family's own screen, or null while the shared store is painted here.
const DisplayHooks* OwnDisplay()
{
    return ActiveFamily().display;
}

}  // namespace

bool GenericRowPainterActive()
{
    return OwnDisplay() == nullptr;
}

void PaintRowSegment(const ScreenCell* cells, int row, int c0, int c1, u8 lineFlags)
{
    // Outside a frame the change is only recorded: the frame paints the row from the
    // store, where it is then.
    if (!ComposingFrame()) {
        DamageCells(row, c0, c1);
        return;
    }
    if (const DisplayHooks* display = OwnDisplay()) {
        if (display->paintRow)
            display->paintRow(cells, row, c0, c1, lineFlags);
        return;
    }
    if (cells)
        PaintGenericRow(cells, row, c0, c1, lineFlags);
}

void RepaintScreenRegion(int r0, int c0, int r1, int c1)
{
    if (!ComposingFrame()) {
        DamageRegion(r0, c0, r1, c1);
        return;
    }
    if (const DisplayHooks* display = OwnDisplay()) {
        if (display->repaintRegion && !FamilyPaintingHeld())
            display->repaintRegion(r0, c0, r1, c1);
        return;
    }
    RepaintStoreRegion(r0, c0, r1, c1);
}

void PaintGenericRow(const ScreenCell* cells, int row, int c0, int c1, u8 lineFlags)
{
    if (ProfileLoadInProgress || FamilyPaintingHeld())
        return;
    ScreenPaintGuard guard;

    int count = c1 - c0 + 1;
    if ((lineFlags & kLineDoubleWidth) && count >= Screen.lastColumn)
        count /= 2;
    if (count < 1)
        count = 1;
    if (c0 + count > kStoreColumns)
        count = kStoreColumns - c0;

    const u8 fontFlags = lineFlags & kFontSizeBits;
    const u8 mode = PaintSettings.characterMode;
    const u8 codePage = PaintSettings.pcCodePage;
    const bool controls = PaintSettings.displayControls != 0;
    const bool phaseOn = BlinkPhaseOn != 0;
    const bool r4 = StartupOptions.r4Colours != 0;

    Run run;
    int x = 0;
    const int y = row * LineHeight;
    auto draw = [&] {
        if (run.length > 0)
            PaintCellRun(x, y, run.text, run.length, run.length * CellWidth, run.rendition, run.colour, run.marked,
                         run.glyphSet, run.control, fontFlags | (BoldRunItalic(run.rendition) ? kFontItalic : 0));
        x += run.length * CellWidth;
    };
    for (int i = 0; i < count; ++i) {
        const ScreenCell& cell = cells[c0 + i];
        const u8 rendition = cell.rendition & kRenditionPainted;
        const u8 glyphSet = cell.flags & kGlyphSetMask;
        const u8 marked = cell.flags & kCellSelected;
        // Decided from the character shown: a blanked control code is a blank.
        const u8 shown = CellDisplayChar(cell.ch, rendition, phaseOn, r4);
        const bool control = IsControlGlyph(shown, mode, controls);
        if (i == 0) {
            ApplyCellColours(row, marked != 0, rendition, cell.colour);
            SelectLineFont(glyphSet, fontFlags | (BoldRunItalic(rendition) ? kFontItalic : 0));
            x = c0 * CellWidth;
        }
        if (i == 0 || cell.colour != run.colour || glyphSet != run.glyphSet || rendition != run.rendition ||
            control != run.control || marked != run.marked) {
            if (i > 0)
                draw();
            run.length = 0;
            run.colour = cell.colour;
            run.rendition = rendition;
            run.glyphSet = glyphSet;
            run.marked = marked;
            run.control = control;
        }
        run.text[run.length++] = static_cast<wchar_t>(TranslateCellChar(mode, codePage, shown, glyphSet, control));
    }
    draw();
}

namespace {

// One run drawn through GDI. A cell drawn to be kept (`keptCell`) is clipped to itself:
// its neighbours are drawn from the cache, where ink spilt into them would not be.
void DrawRun(int x, int y, const wchar_t* text, int count, int pixelWidth, u8 rendition, u8 colour, u8 marked,
             u8 glyphSet, bool controlGlyphs, u8 fontFlags, bool keptCell = false)
{
    ApplyCellColours(LineHeight ? y / LineHeight : 0, marked != 0, rendition, colour);
    if (glyphSet == 1) {
        PaintSoftFontRun(LineHeight ? y / LineHeight : 0, x, text, count);
    } else {
        SelectLineFont(glyphSet, fontFlags);
        RECT rect{x, y, x + pixelWidth, y + LineHeight};
        HRGN clip = nullptr;
        if ((fontFlags & (kFontTopHalf | kFontBottomHalf)) != 0) {
            // Double-height glyphs are drawn from the rectangle's top at twice the
            // height; the clip shows the half that this line holds.
            clip = CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom);
            if (clip)
                SelectClipRgn(ScreenDC, clip);
            if (fontFlags & kFontTopHalf)
                rect.bottom += LineHeight;
            else
                rect.top -= LineHeight;
        }
        // Runs of the terminal font on a single-height line take one call.
        const bool plainRun = !controlGlyphs && glyphSet != 2 && glyphSet != 3 && glyphSet != 6 && !clip;
        if (plainRun && !Iconic && !PaintSettings.displayOff) {
            // It fills the cells with the background colour and draws the characters,
            // instead of a brush made, filled and deleted for every run.
            ExtTextOutW(ScreenDC, rect.left, rect.top, ETO_OPAQUE | (keptCell ? ETO_CLIPPED : 0), &rect, text,
                        count, AdvanceArray());
        } else {
            HBRUSH brush = CreateSolidBrush(GetBkColor(ScreenDC));
            if (brush) {
                FillRect(ScreenDC, &rect, brush);
                DeleteObject(brush);
            }
        }
        if (!Iconic && !plainRun) {
            if (controlGlyphs)
                DrawResourceFontGlyphs(rect, text, count);
            else if (glyphSet == 2)
                DrawSymbolGlyphs(rect, text, count);
            else if (glyphSet == 3)
                DrawLineDrawingGlyphs(rect, text, count);
            else if (glyphSet == 6)
                DrawBitmapGlyph(rect, text, count);
            else if (!PaintSettings.displayOff)
                ExtTextOutW(ScreenDC, rect.left, rect.top, 0, nullptr, text, count, AdvanceArray());
        }
        if (clip) {
            SelectClipRgn(ScreenDC, nullptr);
            DeleteObject(clip);
        }
    }
    if (RenditionShowsUnderline(fontFlags, rendition))
        DrawHorizontalRule(x, x + pixelWidth, y + LineHeight - 1);
}

// What a cell of the run looks like, for the cache; false when the cache cannot stand
// for the drawing: a soft-font glyph (the host redefines them), half of a double-height
// glyph (drawn through a clip), hot spots that set colours of their own, a context that
// is not the picture.
bool CacheKeyOfRun(int row, u8 rendition, u8 colour, u8 marked, u8 glyphSet, bool controlGlyphs, u8 fontFlags,
                   GlyphKey* key)
{
    if (glyphSet == 1 || (fontFlags & (kFontTopHalf | kFontBottomHalf)) || ScreenDC != PictureDC() || Iconic)
        return false;
    if (row < Screen.rows && HotspotsHighlighted())
        return false;
    const CellColourPair pair = ComputeCellColours(colour, rendition, marked != 0, BlinkPhaseOn != 0,
                                                   StartupOptions.r4Colours != 0);
    // In reverse screen the two colour setters swap roles (screencolours.h).
    const bool swap = PaintSettings.reverseScreen && !IsAnsiConsoleFamily(EmulationId);
    key->foreground = swap ? pair.background : pair.foreground;
    key->background = swap ? pair.foreground : pair.background;
    key->glyphSet = glyphSet;
    key->fontFlags = fontFlags;
    key->control = controlGlyphs;
    key->underline = RenditionShowsUnderline(fontFlags, rendition);
    key->displayOff = PaintSettings.displayOff != 0;
    return true;
}

}  // namespace

void PaintCellRun(int x, int y, const wchar_t* text, int count, int pixelWidth, u8 rendition, u8 colour, u8 marked,
                  u8 glyphSet, bool controlGlyphs, u8 fontFlags)
{
    ScreenPaintGuard guard;
    if (!ComposingFrame())
        DamagePictureTouched();
    if (!(rendition & kComboBold) || !Colours.bolditalic)
        fontFlags &= static_cast<u8>(~kFontItalic);
    GlyphKey key{};
    if (count < 1 || !CacheKeyOfRun(LineHeight ? y / LineHeight : 0, rendition, colour, marked, glyphSet,
                                    controlGlyphs, fontFlags, &key)) {
        DrawRun(x, y, text, count, pixelWidth, rendition, colour, marked, glyphSet, controlGlyphs, fontFlags);
        return;
    }
    // Cell by cell: each is copied from the cache, or drawn alone and kept.
    const int width = pixelWidth / count;
    for (int i = 0; i < count; ++i) {
        const int cx = x + i * width;
        key.ch = static_cast<u16>(text[i]);
        if (DrawCachedGlyph(key, cx, y, width, LineHeight))
            continue;
        DrawRun(cx, y, text + i, 1, width, rendition, colour, marked, glyphSet, controlGlyphs, fontFlags, true);
        KeepGlyph(key, cx, y, width, LineHeight);
    }
}

void ApplyCellColours(int row, bool marked, u8 rendition, u8 colour)
{
    ScreenPaintGuard guard;
    if (row < Screen.rows && SetHotspotColours(marked ? 1 : 0))
        return;
    const CellColourPair pair = ComputeCellColours(colour, rendition, marked, BlinkPhaseOn != 0,
                                                   StartupOptions.r4Colours != 0);
    SetCellForeground(pair.foreground);
    SetCellBackground(pair.background);
}

int ScreenBackgroundIndex()
{
    if (const DisplayHooks* display = OwnDisplay())
        if (display->backgroundIndex)
            return display->backgroundIndex() & 15;
    if (PaintSettings.reverseScreen && !IsAnsiConsoleFamily(EmulationId))
        return AttributeColourTable.frg[0] & 15;
    return AttributeColourTable.bckscrn & 15;
}

void FillRectBackground(HDC dc, const RECT* rect)
{
    if (Iconic || !dc || !rect)
        return;
    ScreenPaintGuard guard;
    RealizePendingPalette();
    HPALETTE old = ProgramPalette ? SelectPalette(dc, ProgramPalette, FALSE) : nullptr;
    HBRUSH brush = CreateSolidBrush(TerminalPalette[ScreenBackgroundIndex()]);
    if (brush) {
        FillRect(dc, rect, brush);
        DeleteObject(brush);
    }
    if (old)
        SelectPalette(dc, old, FALSE);
}

void FillScreenBackground(const RECT* rect)
{
    if (!ScreenWindowHandle || !ScreenDC)
        return;
    RECT client;
    GetClientRect(ScreenWindowHandle, &client);
    RECT area = client;
    if (rect)
        IntersectRect(&area, rect, &client);
    FillRectBackground(ScreenDC, &area);
    if (!ComposingFrame())
        DamagePictureTouched();
}

void FillWindowBackground()
{
    if (!MainWindowHandle)
        return;
    HDC dc = GetDC(MainWindowHandle);
    RECT client;
    GetClientRect(MainWindowHandle, &client);
    FillRectBackground(dc, &client);
    ReleaseDC(MainWindowHandle, dc);
}

void InvalidateTerminal()
{
    DamageAll();
}
