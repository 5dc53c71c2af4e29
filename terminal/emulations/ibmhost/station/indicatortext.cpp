#include "terminal/emulations/ibmhost/station/indicatortext.h"

namespace {
constexpr u8 kEbcdicSlash = 0x61;
}

void IndicatorDigits(IndicatorUnit* out, int value, int digits)
{
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = {static_cast<u8>(0xF0 + value % 10), 0};
        value /= 10;
    }
}

void IndicatorCursorPosition(IndicatorUnit out[6], int row, int column, int columns)
{
    for (int i = 0; i < 6; ++i)
        out[i] = {0, 0};
    if (columns >= 100) {
        IndicatorDigits(out, row % 100, 2);
        out[2] = {kEbcdicSlash, 0};
        IndicatorDigits(out + 3, column % 1000, 3);
    } else {
        IndicatorDigits(out + 1, row % 100, 2);
        out[3] = {kEbcdicSlash, 0};
        IndicatorDigits(out + 4, column % 100, 2);
    }
}
