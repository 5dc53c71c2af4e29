#include "ibm3151_fixture.h"

#include "support/doubles_ibm3151.h"
#include "support/doubles_network.h"
#include "support/doubles_registry.h"
#include "support/test_doubles.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/emulations/ibm3151/family.h"
#include "terminal/emulations/ibm3151/lifecycle.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/input/macros/keyevents.h"

void I3151Test::SetUp()
{
    HostPathTest::SetUp();
    doubles::ResetRegistry();
    doubles::ResetIbm3151();
    EmulationId = kEmuIbm3151;
    SetActiveFamily(&Ibm3151Family);
    ASSERT_TRUE(I3151StartEngine());
}

void I3151Test::TearDown()
{
    I3151StopEngine();
    SetActiveFamily(nullptr);
    EmulationId = kDefaultEmulationId;
    HostPathTest::TearDown();
}

I3151PageRecord* I3151Test::Page(int index)
{
    return I3151GetPage(index);
}

std::string I3151Test::PageRow(int row, int page)
{
    const I3151Row* line = I3151PageRow(I3151GetPage(page), row);
    std::string s;
    for (int c = 0; line && c <= I3151.lastColumn; ++c) {
        const ScreenCell& cell = line->cells[c];
        const bool lines = (cell.flags & kI51GlyphMask) == kI51GlyphLines;
        s.push_back(cell.ch == 0 || (cell.flags & kI51AttributeCell)
                        ? ' '
                        : static_cast<char>(lines ? cell.ch & 0x7F : cell.ch));
    }
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

std::string I3151Test::TakeSent()
{
    std::lock_guard<std::mutex> guard(doubles::Network().lock);
    std::string s(doubles::Network().sent.begin(), doubles::Network().sent.end());
    doubles::Network().sent.clear();
    doubles::Network().sendCalls.clear();
    return s;
}

void I3151Test::Key(int keyCode, int shift)
{
    QueueInputEvent(3, static_cast<u16>(keyCode), static_cast<u16>(shift));
    Feed("");
}
