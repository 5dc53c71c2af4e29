#include "terminal/core/window/selection/monoreduce.h"

namespace {

// A mask of the pixels of one colour: 1 where the image has it.
HBITMAP ColourMask(HDC image, int width, int height, COLORREF colour, HDC* maskDc)
{
    HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
    *maskDc = CreateCompatibleDC(image);
    if (!mask || !*maskDc) {
        if (mask)
            DeleteObject(mask);
        return nullptr;
    }
    SelectObject(*maskDc, mask);
    SetBkColor(image, colour);
    BitBlt(*maskDc, 0, 0, width, height, image, 0, 0, SRCCOPY);
    return mask;
}

void ReleaseMask(HDC dc, HBITMAP mask)
{
    if (dc)
        DeleteDC(dc);
    if (mask)
        DeleteObject(mask);
}

}  // namespace

// Black and white exchange places; other colours stay.
void ReduceBitmapToMono(HDC image, int width, int height)
{
    HDC blackDc = nullptr, whiteDc = nullptr;
    HBITMAP black = ColourMask(image, width, height, RGB(0, 0, 0), &blackDc);
    HBITMAP white = ColourMask(image, width, height, RGB(255, 255, 255), &whiteDc);
    if (black && white) {
        BitBlt(whiteDc, 0, 0, width, height, blackDc, 0, 0, SRCINVERT);
        // A mask bit of 1 becomes white and XORs its pixel to the other extreme.
        SetTextColor(image, RGB(0, 0, 0));
        SetBkColor(image, RGB(255, 255, 255));
        BitBlt(image, 0, 0, width, height, whiteDc, 0, 0, SRCINVERT);
    }
    ReleaseMask(blackDc, black);
    ReleaseMask(whiteDc, white);
}

// Black stays black, every other colour becomes white; inverted with `swap`.
void ReduceBitmapToMonoInverse(HDC image, int width, int height, bool swap)
{
    HDC blackDc = nullptr;
    HBITMAP black = ColourMask(image, width, height, RGB(0, 0, 0), &blackDc);
    if (black) {
        PatBlt(blackDc, 0, 0, width, height, DSTINVERT);
        SetTextColor(image, RGB(0, 0, 0));
        SetBkColor(image, RGB(255, 255, 255));
        BitBlt(image, 0, 0, width, height, blackDc, 0, 0, SRCCOPY);
        if (swap)
            PatBlt(image, 0, 0, width, height, DSTINVERT);
    }
    ReleaseMask(blackDc, black);
}
