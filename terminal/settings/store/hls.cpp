#include "terminal/settings/store/hls.h"

int HlsComponent(int m1, int m2, int h)
{
    // The percentages pass through single precision before the interpolation.
    const float f1 = static_cast<float>(static_cast<double>(m1) * static_cast<double>(0.01f));
    const float f2 = static_cast<float>(static_cast<double>(m2) * static_cast<double>(0.01f));
    constexpr double kSixtieth = 1.0 / 60.0;
    if (h > 360)
        h -= 360;
    if (h < 0)
        h += 360;
    double v;
    if (h < 60)
        v = double(f1) + (double(f2) - double(f1)) * h * kSixtieth;
    else if (h < 180)
        v = f2;
    else if (h < 240)
        v = double(f1) + (double(f2) - double(f1)) * (240 - h) * kSixtieth;
    else
        v = f1;
    return static_cast<int>(v * 100);
}

RgbPercent HlsToRgb(int hue, int lightness, int saturation)
{
    // 360 stays 360 (the same colour as 0); the remainder keeps the dividend's sign.
    if (hue > 360)
        hue %= 360;
    else if (hue < 0)
        hue = hue % 360 + 360;
    if (saturation == 0)
        return {lightness, lightness, lightness};
    const int p = lightness * saturation / 100;
    const int m2 = lightness <= 50 ? lightness + p : lightness + saturation - p;
    const int m1 = 2 * lightness - m2;
    return {HlsComponent(m1, m2, hue), HlsComponent(m1, m2, hue - 120), HlsComponent(m1, m2, hue + 120)};
}

void RgbToHls(int& red, int& green, int& blue)
{
    const int r = red, g = green, b = blue;
    const int max = r > g ? (r > b ? r : b) : (g > b ? g : b);
    const int min = r < g ? (r < b ? r : b) : (g < b ? g : b);
    const int lightness = (max + min + 1) / 2;
    int hue = 0, saturation = 0;
    const int d = lightness < 50 ? max + min : 200 - max - min;
    // Percentages above 100 can make the divisor 0; such a colour counts as grey.
    if (max != min && d != 0) {
        saturation = ((max - min) * 100 + d / 2 - 1) / d;
        const int k = max - min;
        const int q = k / 2 - 1;
        const int rc = (q + (max - r) * 100) / k;
        const int gc = (q + (max - g) * 100) / k;
        const int bc = (q + (max - b) * 100) / k;
        int h;
        if (r == max)
            h = bc - gc + 200;
        else if (g == max)
            h = rc - bc + 400;
        else
            h = gc - rc;
        hue = (6 * h + 4) / 10;
        if (hue < 0)
            hue += 360;
    }
    red = hue;
    green = lightness;
    blue = saturation;
}

int ByteToPercent(int value)
{
    return (value * 100 + 127) / 255;
}
