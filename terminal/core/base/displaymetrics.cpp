#include "terminal/core/base/displaymetrics.h"

#include "terminal/core/base/corestate.h"

ScreenMetrics Metrics{};

void ReadSystemMetrics()
{
    Metrics.borderX = GetSystemMetrics(SM_CXBORDER);
    Metrics.borderY = GetSystemMetrics(SM_CYBORDER);
    Metrics.captionHeight = GetSystemMetrics(SM_CYCAPTION);
    Metrics.menuHeight = GetSystemMetrics(SM_CYMENU);
    Metrics.scrollBarWidth = GetSystemMetrics(SM_CXVSCROLL) + 1;
    Metrics.dialogFrameX = GetSystemMetrics(SM_CXDLGFRAME);
    Metrics.dialogFrameY = GetSystemMetrics(SM_CYDLGFRAME);
    Metrics.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    Metrics.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    Metrics.usableWidth = Metrics.screenWidth - 2 * Metrics.dialogFrameX;
    Metrics.usableHeight = Metrics.screenHeight - 2 * Metrics.dialogFrameY;
    Metrics.dialogBaseUnits = GetDialogBaseUnits();
    if (HDC dc = GetDC(nullptr)) {
        Metrics.driverVersion = GetDeviceCaps(dc, DRIVERVERSION);
        Metrics.paletteDevice = (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0;
        Metrics.bitsPerPixel = GetDeviceCaps(dc, BITSPIXEL);
        Metrics.planes = GetDeviceCaps(dc, PLANES);
        Metrics.colours = GetDeviceCaps(dc, NUMCOLORS);
        Metrics.paletteSize = Metrics.paletteDevice ? GetDeviceCaps(dc, SIZEPALETTE) : 0;
        ReleaseDC(nullptr, dc);
    }
    if (StartingUp)
        Metrics.usePalette = Metrics.paletteDevice;
}
