#include "support/doubles_ta6530.h"

#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/ta6530/taplatform.h"
#include "terminal/emulations/ta6530/taservices.h"
#include "terminal/emulations/ta6530/settings/tasetup.h"

namespace doubles {
Ta6530Double& Ta6530()
{
    static Ta6530Double d;
    return d;
}
}  // namespace doubles

namespace {
std::string LineText(const ScreenCell* cells)
{
    std::string s;
    for (int i = 0; i < 80; ++i)
        s.push_back(static_cast<char>(cells[i].ch));
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}
}  // namespace

void TaReapplyLine(u32 flowControl)
{
    doubles::Ta6530().lineFlowControls.push_back(flowControl);
}
bool TaStartPrintRun()
{
    ++doubles::Ta6530().printRuns;
    return doubles::Ta6530().printerAvailable;
}
void TaPrintRunLine(const ScreenCell* cells, u32)
{
    doubles::Ta6530().printed.push_back(LineText(cells));
}
void TaEndPrintRun()
{
    ++doubles::Ta6530().printRunEnds;
}
void TaPrintLineNow(const ScreenCell* cells)
{
    doubles::Ta6530().printed.push_back(LineText(cells));
}
void TaReadSettingsSection()
{
    ++doubles::Ta6530().sectionReads;
}
void TaSaveProfileNow()
{
    ++doubles::Ta6530().profileSaves;
}

// clang-format off
void Ta6530Activate(u8) {}
void Ta6530Deactivate() {}
void Ta6530LayoutStatusBar(HINSTANCE) {}
bool TaApplyPalette() { return false; }
void TaSaveSettings() {}
void TaRepaintRegion(int, int, int, int) {}
void TaDrawCursor(int) {}
void TaHideCursor() {}
void TaShowCursor() {}
// clang-format on

const FamilySetup Ta6530Setup{};
