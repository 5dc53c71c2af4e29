#include "terminal/core/statussources.h"

#include <atomic>

#include "terminal/core/screencolours.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/settings/colours.h"

namespace {
std::atomic<bool> g_localMode{false};
std::atomic<bool> g_holdScreen{false};
}  // namespace

StatusCursor CurrentStatusCursor()
{
    return {0, 0, 0};
}

bool StatusLocalMode()
{
    return g_localMode;
}

void SetStatusLocalMode(bool on)
{
    g_localMode = on;
}

bool StatusInsertMode()
{
    return false;
}

bool StatusLocalEditMode()
{
    return VtLocalEditFlag == 1;
}

bool StatusDecKeyMode()
{
    return false;
}

// No printer can be chosen until printing exists.
StatusPrinterState StatusPrinter()
{
    return StatusPrinterState::None;
}

StatusAuxState StatusAuxPort()
{
    return StatusAuxState::None;
}

void FlipHoldScreen()
{
    g_holdScreen = !g_holdScreen;
}

// Only the DEC VT family is built; every other family falls back to it.
void RunEmulationStatusLayout(u8) {}

void FillStatusBarBackground(HDC dc, const RECT& rect)
{
    HBRUSH brush = CreateSolidBrush(TerminalPalette[AttributeColourTable.bckscrn & 15]);
    if (brush) {
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    }
}
