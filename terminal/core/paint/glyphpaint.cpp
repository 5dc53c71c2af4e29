#include "terminal/core/paint/glyphpaint.h"

#include <mutex>

#include "terminal/core/base/handles.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/glyphs.h"
#include "terminal/core/base/memblock.h"
#include "terminal/core/paint/monobitmap.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/paint/screenscroll.h"
#include "terminal/core/base/family.h"

namespace {

constexpr int kRows17 = 17, kRows20 = 20;

struct LoadedResource {
    const u8* data;
    DWORD size;
};

bool DisplayOff()
{
    return PaintSettings.displayOff != 0;
}

// Draws one monochrome glyph of rows (16-bit, bitmap order, ink already inverted to 0)
// stretched from srcWidth x srcHeight onto the cell at x.
void StretchGlyph(HDC memory, const u16* rows, int bitmapWidth, int bitmapHeight, int srcWidth, int srcHeight,
                  int x, int top, int width, int height)
{
    HBITMAP bitmap = CreateBitmap(bitmapWidth, bitmapHeight, 1, 1, rows);
    if (!bitmap)
        return;
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (old) {
        SetStretchBltMode(ScreenDC, COLORONCOLOR);
        StretchBlt(ScreenDC, x, top, width, height, memory, 0, 0, srcWidth, srcHeight, SRCCOPY);
        SelectObject(memory, old);
    }
    DeleteObject(bitmap);
}

// The shared walk of the mapped glyph painters: characters whose map entry names a
// character are collected and drawn as text; the rest are drawn from their bitmaps.
struct MappedSet {
    int glyphResource, mapResource, glyphCount;
    int glyphWidth, glyphHeight;  // also the bitmap rows per glyph
    int (*mapIndex)(u16 c);
    int (*bitmapIndex)(u16 c);
    void (*copyRows)(u16* target, const u16* source);
    int bitmapWidth;  // pixels per stored row
};

void DrawMapped(const MappedSet& set, const RECT& rect, const wchar_t* text, int count)
{
    DWORD glyphBytes = 0, mapBytes = 0;
    const u8* glyphs = GlyphResource(set.glyphResource, &glyphBytes);
    const u8* map = GlyphResource(set.mapResource, &mapBytes);
    const int glyphSize = set.glyphHeight * 2;
    const int cell = CellWidth;
    const int height = rect.bottom - rect.top;
    const bool draw = !DisplayOff();
    HDC memory = draw ? CreateCompatibleDC(ScreenDC) : nullptr;

    wchar_t buffer[kAdvanceEntries];
    int pending = 0, pendingX = rect.left;
    auto flush = [&] {
        if (pending && draw)
            ExtTextOutW(ScreenDC, pendingX, rect.top, 0, nullptr, buffer, pending, AdvanceArray());
        pending = 0;
    };
    int x = rect.left;
    for (int i = 0; i < count; ++i, x += cell) {
        const u16 c = static_cast<u16>(text[i]);
        const int index = set.mapIndex(c);
        u16 mapped = 0x0020;
        if (index >= 0 && map && static_cast<DWORD>(index + 1) * 2 <= mapBytes)
            mapped = static_cast<u16>(map[index * 2] | map[index * 2 + 1] << 8);
        if (mapped != kDrawBitmap) {
            if (!pending)
                pendingX = x;
            buffer[pending++] = static_cast<wchar_t>(mapped);
            continue;
        }
        flush();
        const int glyph = set.bitmapIndex(c);
        if (!draw || !memory || !glyphs || glyph < 0 || glyph >= set.glyphCount ||
            static_cast<DWORD>(glyph + 1) * glyphSize > glyphBytes)
            continue;
        u16 rows[kRows20];
        set.copyRows(rows, reinterpret_cast<const u16*>(glyphs + glyph * glyphSize));
        StretchGlyph(memory, rows, set.bitmapWidth, set.glyphHeight, set.glyphWidth, set.glyphHeight, x, rect.top,
                     cell, height);
    }
    flush();
    if (memory)
        DeleteDC(memory);
}

}  // namespace

const u8* GlyphResource(int resourceId, DWORD* size)
{
    static std::mutex lock;
    static LoadedResource loaded[16] = {};
    static int loadedIds[16] = {};
    std::lock_guard<std::mutex> guard(lock);
    for (int i = 0; i < 16; ++i)
        if (loadedIds[i] == resourceId) {
            if (size)
                *size = loaded[i].size;
            return loaded[i].data;
        }
    LoadedResource r{nullptr, 0};
    if (HRSRC found = FindResourceW(InstanceHandle, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10)))
        if (HGLOBAL handle = LoadResource(InstanceHandle, found)) {
            r.data = static_cast<const u8*>(LockResource(handle));
            r.size = r.data ? SizeofResource(InstanceHandle, found) : 0;
        }
    for (int i = 0; i < 16; ++i)
        if (loadedIds[i] == 0) {
            if (r.data) {  // a missing resource is looked for again next time
                loadedIds[i] = resourceId;
                loaded[i] = r;
            }
            break;
        }
    if (size)
        *size = r.size;
    return r.data;
}

void InvertGlyphRows(u16* target, const u16* source)
{
    for (int i = 0; i < kRows17; ++i)
        target[i] = static_cast<u16>(~source[i]);
}

void InvertGlyphRows20(u16* target, const u16* source)
{
    for (int i = 0; i < kRows20; ++i)
        target[i] = static_cast<u16>(~source[i]);
}

void CopyGlyphRows17(u16* target, const u16* source)
{
    for (int i = 0; i < kRows17; ++i)
        target[i] = static_cast<u16>(~((source[i] >> 8) | (source[i] << 8)));
}

void CopySoftFontGlyph(u16* target, const u16* source)
{
    for (int i = 0; i < kRows20; ++i)
        target[i] = static_cast<u16>(~((source[i] >> 8) | (source[i] << 8)));
}

void DrawSymbolGlyphs(const RECT& rect, const wchar_t* text, int count)
{
    static const MappedSet set{kResSymbolGlyphs, kResSymbolMap,    kSymbolGlyphCount, 10, kRows20,
                               SymbolGlyphIndex, SymbolGlyphIndex, InvertGlyphRows20, 16};
    ScreenPaintGuard guard;
    DrawMapped(set, rect, text, count);
}

void DrawLineDrawingGlyphs(const RECT& rect, const wchar_t* text, int count)
{
    static const MappedSet set{kResLineDrawingGlyphs, kResLineDrawingMap,     kLineDrawingGlyphCount, 9, kRows17,
                               LineDrawingMapIndex,   LineDrawingBitmapIndex, InvertGlyphRows,        16};
    ScreenPaintGuard guard;
    DrawMapped(set, rect, text, count);
}

namespace {
int LineDrawingIndexOf(u16 index)
{
    return index < kLineDrawingGlyphCount ? index : -1;
}
}  // namespace

void DrawLineDrawingIndexes(const RECT& rect, const wchar_t* indexes, int count)
{
    static const MappedSet set{kResLineDrawingGlyphs, kResLineDrawingMap, kLineDrawingGlyphCount, 9, kRows17,
                               LineDrawingIndexOf,    LineDrawingIndexOf, InvertGlyphRows,        16};
    ScreenPaintGuard guard;
    DrawMapped(set, rect, indexes, count);
}

void DrawBitmapGlyph(const RECT& rect, const wchar_t* text, int count)
{
    static const MappedSet set{kResBitmapGlyphs, kResBitmapGlyphMap, kBitmapGlyphCount, 9, kRows17,
                               BitmapGlyphIndex, BitmapGlyphIndex,   CopyGlyphRows17,   16};
    ScreenPaintGuard guard;
    DrawMapped(set, rect, text, count);
}

void DrawResourceFontGlyphs(const RECT& rect, const wchar_t* text, int count)
{
    ScreenPaintGuard guard;
    DWORD bytes = 0;
    const u8* glyphs = GlyphResource(kResControlGlyphs, &bytes);
    if (!glyphs || DisplayOff())
        return;
    HDC memory = CreateCompatibleDC(ScreenDC);
    if (!memory)
        return;
    int x = rect.left;
    for (int i = 0; i < count; ++i, x += CellWidth) {
        const int glyph = ControlGlyphIndex(static_cast<u16>(text[i] & 127));
        if (glyph < 0 || static_cast<DWORD>(glyph + 1) * 34 > bytes)
            continue;
        u16 rows[kRows17];
        InvertGlyphRows(rows, reinterpret_cast<const u16*>(glyphs + glyph * 34));
        StretchGlyph(memory, rows, 16, kRows17, 9, kRows17, x, rect.top, CellWidth, rect.bottom - rect.top);
    }
    DeleteDC(memory);
}

void DrawResourceGlyph(const u8* bytes, int count, const RECT& rect, int resourceId, int glyphWidth,
                       int glyphHeight)
{
    ScreenPaintGuard guard;
    DWORD size = 0;
    const u8* glyphs = GlyphResource(resourceId, &size);
    if (!glyphs || DisplayOff() || glyphHeight <= 0 || glyphHeight > kRows20)
        return;
    HDC memory = CreateCompatibleDC(ScreenDC);
    if (!memory)
        return;
    const int glyphSize = glyphHeight * 2;
    const int width = glyphWidth > 0 && glyphWidth <= 16 ? glyphWidth : 16;
    int x = rect.left;
    for (int i = 0; i < count; ++i, x += CellWidth) {
        const int glyph = bytes[i];
        if (static_cast<DWORD>(glyph + 1) * glyphSize > size)
            continue;
        // The glyph's own width and height fill the cell, so a symbol drawn for the
        // usual 9-pixel cell keeps every column there.
        u16 rows[kRows20];
        const u16* source = reinterpret_cast<const u16*>(glyphs + glyph * glyphSize);
        for (int r = 0; r < glyphHeight; ++r)
            rows[r] = static_cast<u16>(~source[r]);
        StretchGlyph(memory, rows, 16, glyphHeight, width, glyphHeight, x, rect.top, CellWidth,
                     rect.bottom - rect.top);
    }
    DeleteDC(memory);
}

void PaintSoftFontRun(int row, int x, const wchar_t* text, int count)
{
    ScreenPaintGuard guard;
    auto softFont = ActiveFamily().softFont;
    const SoftFontGlyphs* font = softFont ? softFont() : nullptr;
    if (!font || !font->rows || DisplayOff())
        return;
    HDC memory = CreateCompatibleDC(ScreenDC);
    if (!memory)
        return;
    // A matrix smaller than 16 x 20 uses the glyph's top-left part.
    const int width = font->matrixWidth > 0 && font->matrixWidth <= 16 ? font->matrixWidth : 16;
    const int height = font->matrixHeight > 0 && font->matrixHeight <= kRows20 ? font->matrixHeight : kRows20;
    for (int i = 0; i < count; ++i, x += CellWidth) {
        const int index = (static_cast<u16>(text[i]) - 32) & 127;
        u16 rows[kRows20];
        CopySoftFontGlyph(rows, font->rows + index * kRows20);
        StretchGlyph(memory, rows, 16, kRows20, width, height, x, row * LineHeight, CellWidth, LineHeight);
    }
    DeleteDC(memory);
}

void InvertCellRect(HDC dc, const RECT& rect)
{
    ScreenPaintGuard guard;
    InvertRect(dc, &rect);
}

void DrawGlyphBitmap(int x, int y, int cellWidth, int cellHeight, const u8* bits, int glyphWidth, int glyphHeight,
                     u8 lineFlags)
{
    if (!bits || cellWidth <= 0 || cellHeight <= 0 || glyphWidth <= 0 || glyphHeight <= 0)
        return;
    const int size = MonoRowBytes(glyphWidth) * glyphHeight;
    auto* work = static_cast<u8*>(MemAllocBlock(size));
    if (!work)
        return;
    memcpy(work, bits, size);
    int w = glyphWidth, h = glyphHeight;
    if (lineFlags & 0x08) {
        work = ScaleMonoBitmap(work, w, h, w * 2, h, false);
        w *= 2;
    }
    if (work && (lineFlags & 0x30)) {
        work = ScaleMonoBitmap(work, w, h, w, h * 2, false);
        if (work && (lineFlags & 0x20))
            MoveLowerHalfUp(work, w, h * 2);
        // Only the half that this line shows is kept.
        if (work) {
            auto* half = static_cast<u8*>(MemAllocBlock(MonoRowBytes(w) * h));
            if (half)
                memcpy(half, work, MonoRowBytes(w) * h);
            MemFreeBlock(work);
            work = half;
        }
    }
    if (work && (w != cellWidth || h != cellHeight)) {
        work = ScaleMonoBitmap(work, w, h, cellWidth, cellHeight, false);
        w = cellWidth;
        h = cellHeight;
    }
    if (!work)
        return;
    ScreenPaintGuard guard;
    const int rowBytes = MonoRowBytes(w);
    for (int row = 0; row < h; ++row)
        for (int px = 0; px < w;) {
            auto ink = [&](int at) { return (work[row * rowBytes + at / 8] >> (7 - at % 8)) & 1; };
            if (!ink(px)) {
                ++px;
                continue;
            }
            int end = px;
            while (end + 1 < w && ink(end + 1))
                ++end;
            // The rule runs one pixel past the last ink pixel: Polyline leaves out its
            // end point.
            DrawHorizontalRule(x + px, x + end + 1, y + row);
            px = end + 1;
        }
    MemFreeBlock(work);
}
