// The display and the window frame as the system measures them, read once at start:
// frame and caption sizes, the screen, and whether the display runs on a palette.
#pragma once

#include "terminal/core/base/win32.h"

struct ScreenMetrics {
    int borderX, borderY, captionHeight, menuHeight, scrollBarWidth;
    int dialogFrameX, dialogFrameY, screenWidth, screenHeight;
    int usableWidth, usableHeight;  // the screen less the frame borders
    LONG dialogBaseUnits;
    int driverVersion, bitsPerPixel, planes, colours, paletteSize;
    bool paletteDevice;
    bool usePalette;
};
extern ScreenMetrics Metrics;

void ReadSystemMetrics();
