#include "terminal/emulations/ibmhost/station/hostpaint.h"

#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/glyphpaint.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/screen/codepages.h"

namespace {
// The symbol bitmap: 256 symbols of 9 x 17 pixels.
constexpr int kSymbolResource = 802, kSymbolWidth = 9, kSymbolHeight = 17;
}  // namespace

RECT HostRunRect(int row, int column, int count)
{
    return RECT{static_cast<LONG>(column * CellWidth), static_cast<LONG>(row * LineHeight),
                static_cast<LONG>((column + count) * CellWidth), static_cast<LONG>((row + 1) * LineHeight)};
}

void DrawHostRun(const RECT& rect, const u8* characters, int count, const std::vector<u8>& s2u, bool symbols,
                 bool blank)
{
    HBRUSH brush = CreateSolidBrush(GetBkColor(ScreenDC));
    if (brush) {
        FillRect(ScreenDC, &rect, brush);
        DeleteObject(brush);
    }
    if (blank || count <= 0)
        return;
    if (symbols) {
        DrawResourceGlyph(characters, count, rect, kSymbolResource, kSymbolWidth, kSymbolHeight);
        return;
    }
    wchar_t text[kAdvanceEntries + 2];
    const int n = count < kAdvanceEntries ? count : kAdvanceEntries;
    if (s2u.size() >= kByteToUnicodeTableBytes)
        CodePageBytesToUnicode(s2u.data(), reinterpret_cast<u16*>(text), characters, n);
    else
        for (int i = 0; i < n; ++i)
            text[i] = L' ';
    ExtTextOutW(ScreenDC, rect.left, rect.top, 0, nullptr, text, static_cast<UINT>(n), AdvanceArray());
}

void InvertHostCell(int row, int column, bool block)
{
    if (!ScreenDC)
        return;
    RECT r = HostRunRect(row, column, 1);
    if (!block)
        r.top = r.bottom - 2;
    ScreenPaintGuard guard;
    InvertRect(ScreenDC, &r);
}
