// The status bar while a Wyse personality runs: the connection, the personality's name
// and the printer.
#include "terminal/core/window/status/statusbar.h"

#include "terminal/core/base/corestate.h"
#include "terminal/emulations/wyse/platform.h"
#include "terminal/emulations/wyse/status/statusline.h"

void WyseLayoutStatusBar(HINSTANCE)
{
    StatusBarClear();
    wchar_t text[kStatusTextUnits];
    int x = 0;
    auto next = [&x](int right) {
        if (right >= 0)
            x = right;
    };
    next(StatusBarAddField(kFieldIndicator, x, 0, nullptr, L"offline"));
    next(StatusBarAddField(kFieldEmulationName, x, 0, L"           ", nullptr));
    StatusBarSetText(kFieldEmulationName, reinterpret_cast<const wchar_t*>(WyseModelName(EmulationId)));
    next(StatusBarAddField(kFieldPrinter, x, 0, PrinterFieldText(text, kStatusTextUnits), nullptr));
    const int right = ComputeStatusBarRect().right - 2;
    if (right > x)
        StatusBarAddField(kFieldFiller, x, right - x, nullptr, nullptr);
}
