#include "tvi_fixture.h"

#include "support/doubles_network.h"
#include "support/doubles_registry.h"
#include "support/doubles_tvi.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/emulations/tvi/family.h"
#include "terminal/emulations/tvi/lifecycle.h"
#include "terminal/emulations/tvi/store/lines.h"

void TviTest::Start(u8 id)
{
    HostPathTest::SetUp();
    doubles::ResetRegistry();
    doubles::ResetTvi();
    EmulationId = id;
    SetActiveFamily(&TviFamily);
    ASSERT_TRUE(TviStartEngine(id));
}

void TviTest::TearDown()
{
    TviStopEngine();
    SetActiveFamily(nullptr);
    EmulationId = kDefaultEmulationId;
    HostPathTest::TearDown();
}

std::string TviTest::Line(int line)
{
    const TviLine* l = TviLineAt(line);
    std::string s;
    for (int c = 0; l && c <= Tvi.set.lastColumn; ++c) {
        const ScreenCell& cell = l->cells[c];
        if (cell.flags & kTviBoxCell)
            s.push_back('+');
        else
            s.push_back(cell.ch == 0 ? ' ' : static_cast<char>(cell.ch));
    }
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

const ScreenCell& TviTest::Cell(int line, int column)
{
    return TviLineAt(line)->cells[column];
}

std::string TviTest::TakeSent()
{
    std::lock_guard<std::mutex> guard(doubles::Network().lock);
    std::string s(doubles::Network().sent.begin(), doubles::Network().sent.end());
    doubles::Network().sent.clear();
    doubles::Network().sendCalls.clear();
    return s;
}
