// Prints HlsToRgb and RgbToHls over a grid, one conversion a line, for comparison with
// an independent implementation (tests/terminal/settings/store/hls_colorsys.py).
#include <cstdio>

#include "terminal/settings/store/hls.h"

int main()
{
    for (int h = -60; h <= 420; h += 15)
        for (int l = 0; l <= 100; l += 10)
            for (int s = 0; s <= 100; s += 10) {
                const RgbPercent c = HlsToRgb(h, l, s);
                std::printf("hls %d %d %d %d %d %d\n", h, l, s, c.red, c.green, c.blue);
            }
    for (int r = 0; r <= 100; r += 10)
        for (int g = 0; g <= 100; g += 10)
            for (int b = 0; b <= 100; b += 10) {
                int h = r, l = g, s = b;
                RgbToHls(h, l, s);
                std::printf("rgb %d %d %d %d %d %d\n", r, g, b, h, l, s);
            }
    return 0;
}
