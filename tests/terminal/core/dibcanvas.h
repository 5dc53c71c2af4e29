// A 32-bit top-down DIB section selected into a memory device context that stands in
// for the screen window's device context, so painters can be tested pixel by pixel.
// With kPicture it is the program's own off-screen picture, which the frames paint (and
// whose cells the glyph cache keeps).
#pragma once

#include "terminal/core/paint/fonts.h"
#include "terminal/core/paint/picture.h"
#include "terminal/core/paint/palette.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/screendc.h"
#include "terminal/core/base/win32.h"

#include <vector>

// A 32-bit top-down DIB section of this size and its pixels.
inline HBITMAP CreateTopDownDib(int width, int height, u32** pixels)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    *pixels = static_cast<u32*>(bits);
    return bitmap;
}

class DibCanvas {
public:
    enum Kind { kOwnBitmap, kPicture };
    DibCanvas(int width, int height, Kind kind = kOwnBitmap) : width_(width), height_(height), kind_(kind)
    {
        if (kind == kPicture) {
            CreatePicture(nullptr);
            SizePicture(width, height);
            dc_ = PictureDC();
            pixels_ = PictureBits();
        } else {
            dc_ = CreateCompatibleDC(nullptr);
            bitmap_ = CreateTopDownDib(width, height, &pixels_);
            old_ = SelectObject(dc_, bitmap_);
        }
        previous_ = ScreenDC;
        ScreenDC = dc_;
        // A palette whose entries are told apart at a glance.
        static const int kPercent[16][3] = {
            {0, 0, 0},     {100, 0, 0},    {0, 100, 0},    {100, 100, 0},   {0, 0, 100},   {100, 0, 100},
            {0, 100, 100}, {75, 75, 75},   {50, 50, 50},   {100, 50, 50},   {50, 100, 50}, {100, 100, 50},
            {50, 50, 100}, {100, 50, 100}, {50, 100, 100}, {100, 100, 100},
        };
        for (int i = 0; i < 16; ++i)
            SetPaletteColour(i, kPercent[i][0], kPercent[i][1], kPercent[i][2]);
        InvalidateColourCache();
        InvalidateFontCache();
        Clear(0);
    }
    ~DibCanvas()
    {
        ScreenDC = previous_;
        InvalidateColourCache();
        InvalidateFontCache();
        if (kind_ == kPicture) {
            DestroyPicture();
            return;
        }
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    // The pixel as 0x00BBGGRR, comparable with PaletteRgb.
    u32 At(int x, int y) const
    {
        GdiFlush();
        const u32 p = pixels_[y * width_ + x];
        return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
    }
    void Clear(int index)
    {
        GdiFlush();
        const u32 rgb = PaletteRgb(index);
        const u32 p = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
        for (int i = 0; i < width_ * height_; ++i)
            pixels_[i] = p;
    }
    // Counts pixels of a colour index inside a rectangle.
    int Count(int index, int x0, int y0, int x1, int y1) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += At(x, y) == PaletteRgb(index);
        return n;
    }
    int width() const { return width_; }
    int height() const { return height_; }
    // Every pixel, top row first.
    std::vector<u32> Pixels() const
    {
        std::vector<u32> all;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                all.push_back(At(x, y));
        return all;
    }

private:
    int width_, height_;
    Kind kind_;
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    HDC previous_;
    u32* pixels_;
};
