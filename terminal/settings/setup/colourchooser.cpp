#include "terminal/settings/setup/colourchooser.h"

#include <commdlg.h>

#include "terminal/core/base/handles.h"
#include "terminal/core/base/memblock.h"
#include "terminal/core/paint/palette.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/hls.h"

int SetupSelectedPaletteIndex = 0;

namespace {

constexpr int kCustomColours = 16;
COLORREF* g_customColours = nullptr;  // kept for the program's life
bool g_blinkRunning = false;
bool g_blinkPhase = false;

COLORREF EntryRgb(const HlsEntry& e)
{
    const RgbPercent p = HlsToRgb(e.hue, e.lightness, e.saturation);
    return RGB(PercentToByte(p.red), PercentToByte(p.green), PercentToByte(p.blue));
}

COLORREF Colour(u8 index)
{
    const u32 bgr = PaletteRgb(index & 0x0F);
    return RGB(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

HFONT PreviewFont(HFONT dialogFont, const AttributeLook& look)
{
    if (!look.bold && !look.italic)
        return nullptr;
    LOGFONTW lf{};
    GetObjectW(dialogFont ? dialogFont : GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfWeight = look.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = look.italic ? TRUE : FALSE;
    return CreateFontIndirectW(&lf);
}

}  // namespace

bool ChooseSetupPaletteColour(HWND window)
{
    const int index = SetupSelectedPaletteIndex;
    if (index <= 0 || index >= kPaletteEntries)
        return false;
    if (!g_customColours) {
        g_customColours = static_cast<COLORREF*>(MemAllocBlock(kCustomColours * sizeof(COLORREF)));
        if (!g_customColours)
            return false;
    }
    HlsEntry& entry = SetupPalette.entry[index];
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;  // the layout of this build, whatever its pointer size
    // Owned by the page, so the page is disabled while the colour dialog runs: ending the
    // page then would leave the dialog writing into a palette nobody applies.
    choose.hwndOwner = window ? window : MainWindowHandle;
    choose.rgbResult = EntryRgb(entry);
    choose.lpCustColors = g_customColours;
    choose.Flags = CC_RGBINIT | CC_SOLIDCOLOR;
    if (!ChooseColorW(&choose))
        return false;
    int red = ByteToPercent(GetRValue(choose.rgbResult));
    int green = ByteToPercent(GetGValue(choose.rgbResult));
    int blue = ByteToPercent(GetBValue(choose.rgbResult));
    RgbToHls(red, green, blue);  // now hue, lightness, saturation
    entry = {static_cast<u16>(red), static_cast<u16>(green), static_cast<u16>(blue)};
    ApplyHlsPalette(SetupPalette);
    return true;
}

const COLORREF* SetupCustomColours()
{
    return g_customColours;
}

void StartPreviewBlink(HWND window)
{
    if (g_blinkRunning)
        return;
    if (SetTimer(window, kPreviewBlinkTimer, kPreviewBlinkMs, nullptr))
        g_blinkRunning = true;
}

void StopPreviewBlink(HWND window)
{
    if (!g_blinkRunning)
        return;
    KillTimer(window, kPreviewBlinkTimer);
    g_blinkRunning = false;
}

bool PreviewBlinkRunning()
{
    return g_blinkRunning;
}

void DrawAttributePreview(HWND window, const RECT& sample, u8 foreground, u8 background,
                          const AttributeLookOptions& options, int blinkStep)
{
    const AttributeLook look = AttributeEffects(foreground, background, options);
    if (look.flashing)
        StartPreviewBlink(window);
    else
        StopPreviewBlink(window);
    ApplyHlsPalette(SetupPalette);
    HDC dc = GetDC(window);
    if (!dc)
        return;
    PaintAttributePreview(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sample, look,
                          look.flashing ? blinkStep : 0);
    ReleaseDC(window, dc);
}

void PaintAttributePreview(HDC dc, HFONT dialogFont, const RECT& sample, const AttributeLook& look, int blinkStep)
{
    HFONT font = PreviewFont(dialogFont, look);
    HGDIOBJ oldFont = SelectObject(dc, font ? font : dialogFont ? dialogFont : GetStockObject(DEFAULT_GUI_FONT));
    COLORREF text = Colour(look.text), back = Colour(look.back);
    if (blinkStep == 0) {
        HBRUSH brush = CreateSolidBrush(back);
        FillRect(dc, &sample, brush);
        DeleteObject(brush);
        g_blinkPhase = false;
    } else {
        g_blinkPhase = !g_blinkPhase;
        if (g_blinkPhase) {
            const COLORREF t = text;
            text = back;
            back = t;
        }
    }
    const wchar_t* shown = look.hidden ? L"          " : L"AaBbCcDdEe";
    const int length = 10;
    SIZE extent{};
    GetTextExtentPoint32W(dc, shown, length, &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int x = sample.left + (sample.right - sample.left - extent.cx) / 2;
    const int y = sample.top + (sample.bottom - sample.top - metrics.tmHeight) / 2;
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    SetBkMode(dc, OPAQUE);
    ExtTextOutW(dc, x, y, 0, nullptr, shown, length, nullptr);
    if (look.underline || look.separators) {
        HPEN pen = CreatePen(PS_SOLID, 1, text);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        const int line = y + metrics.tmAscent + 1;
        if (look.underline) {
            MoveToEx(dc, x, line, nullptr);
            LineTo(dc, x + extent.cx, line);
        }
        if (look.separators) {
            // A dot at both edges of every character cell, under the text; in the
            // background colour where it would sit on the underline.
            const COLORREF dot = look.underline ? back : text;
            for (int i = 0; i < length; ++i) {
                SIZE left{}, right{};
                GetTextExtentPoint32W(dc, shown, i, &left);
                GetTextExtentPoint32W(dc, shown, i + 1, &right);
                SetPixel(dc, x + left.cx, line, dot);
                SetPixel(dc, x + right.cx - 1, line, dot);
            }
        }
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
    SelectObject(dc, oldFont);
    if (font)
        DeleteObject(font);
}
