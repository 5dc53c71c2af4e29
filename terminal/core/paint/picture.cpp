#include "terminal/core/paint/picture.h"

#include <cstring>

namespace {

HDC g_dc = nullptr;
HBITMAP g_bitmap = nullptr;
HGDIOBJ g_initialBitmap = nullptr;
u32* g_bits = nullptr;
int g_width = 0, g_height = 0;
RECT g_inverted{};

// Inverts in the picture what of `shown` lies in `area`; a second call undoes it.
void InvertWithin(const RECT& shown, const RECT& area)
{
    RECT part;
    if (IntersectRect(&part, &shown, &area))
        InvertRect(g_dc, &part);
}

}  // namespace

bool CreatePicture(HDC reference)
{
    if (g_dc)
        return true;
    g_dc = CreateCompatibleDC(reference);
    return g_dc != nullptr;
}

void DestroyPicture()
{
    if (!g_dc)
        return;
    if (g_initialBitmap)
        SelectObject(g_dc, g_initialBitmap);
    if (g_bitmap)
        DeleteObject(g_bitmap);
    DeleteDC(g_dc);
    g_dc = nullptr;
    g_bitmap = nullptr;
    g_initialBitmap = nullptr;
    g_bits = nullptr;
    g_width = g_height = 0;
    g_inverted = RECT{};
}

HDC PictureDC()
{
    return g_dc;
}

bool SizePicture(int width, int height)
{
    if (!g_dc || width <= 0 || height <= 0)
        return false;
    if (width == g_width && height == g_height)
        return true;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(g_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap)
            DeleteObject(bitmap);
        return false;
    }
    HGDIOBJ previous = SelectObject(g_dc, bitmap);
    if (!g_initialBitmap)
        g_initialBitmap = previous;
    else if (g_bitmap)
        DeleteObject(g_bitmap);
    g_bitmap = bitmap;
    g_bits = static_cast<u32*>(bits);
    g_width = width;
    g_height = height;
    return true;
}

int PictureWidth()
{
    return g_width;
}

int PictureHeight()
{
    return g_height;
}

u32* PictureBits()
{
    return g_bits;
}

int PictureStride()
{
    return g_width;
}

void MovePictureRows(int r0, int r1, int lines, int lineHeight)
{
    if (!g_bits || lines == 0 || lineHeight <= 0 || r0 > r1)
        return;
    const int top = r0 * lineHeight;
    int bottom = (r1 + 1) * lineHeight;
    if (bottom > g_height)
        bottom = g_height;
    const int shift = (lines < 0 ? -lines : lines) * lineHeight;
    if (top < 0 || shift >= bottom - top)
        return;
    GdiFlush();
    const std::size_t rowBytes = static_cast<std::size_t>(g_width) * sizeof(u32);
    const std::size_t moved = static_cast<std::size_t>(bottom - top - shift) * rowBytes;
    u32* first = g_bits + static_cast<std::size_t>(top) * g_width;
    u32* second = g_bits + static_cast<std::size_t>(top + shift) * g_width;
    if (lines > 0)
        std::memmove(first, second, moved);
    else
        std::memmove(second, first, moved);
}

void CopyPictureTo(HDC target, const RECT& area, const RECT& caret)
{
    if (!g_dc || !target || IsRectEmpty(&area))
        return;
    const bool showCaret = !IsRectEmpty(&caret);
    InvertWithin(g_inverted, area);
    if (showCaret)
        InvertRect(g_dc, &caret);
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, g_dc, area.left, area.top,
           SRCCOPY);
    if (showCaret)
        InvertRect(g_dc, &caret);
    InvertWithin(g_inverted, area);
}

void SetPictureInversion(const RECT& shown)
{
    g_inverted = shown;
}
